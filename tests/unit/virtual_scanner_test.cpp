// The virtual scanner at register level, driven by a small host of the
// test's own (not the product's link), which can also be told to misbehave.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "simulator/virtual_port_access.h"

namespace {

constexpr uint8_t IDLE = 0x24, SELECT = 0x20, CLOCK_ONE = 0x22, CLOCK_ZERO = 0x2A, ZERO = 0x28, RESET = 0x21;

// The host side of the wire, on the harness's virtual clock (1 us per
// register access).
struct Host {
    VirtualHarness h;
    uint32_t pulseUs = 20;      // clock-low and clock-high time of a bit
    bool waitByteReady = true;  // wait for the handshake after announcing a byte
    bool doubleWrites = true;

    explicit Host(const ScannerConfig& config) {
        MakeVirtualPortAccess(h);
        VirtualScannerInit(h.scanner, config);
    }
    VirtualScanner& S() { return h.scanner; }
    void Raw(uint8_t v) {
        h.microseconds += 1;
        VirtualScannerWrite(h.scanner, 0x37A, v);
    }
    void Out(uint8_t v) {
        Raw(v);
        if (v != IDLE && doubleWrites) Raw(v);
    }
    uint8_t Status() {
        h.microseconds += 1;
        return VirtualScannerRead(h.scanner, 0x379);
    }
    void Pause(uint64_t us) { h.microseconds += us; }
    bool WaitHandshake(bool high, uint64_t limitUs) {
        uint64_t end = h.microseconds + limitUs;
        while (h.microseconds < end) {
            if (((Status() & 0x08) != 0) == high) return true;
        }
        return false;
    }
    bool Select() {
        Out(SELECT);
        return WaitHandshake(false, 1000000);
    }
    bool SelectWhenIdle() {
        Out(SELECT);
        return WaitHandshake(true, 7000000) && WaitHandshake(false, 1000000);
    }
    bool SendByte(uint8_t b, int bits = 8) {
        Out(CLOCK_ONE);
        if (waitByteReady && !WaitHandshake(true, 1000000)) return false;
        for (int i = 7; i > 7 - bits; --i) {
            bool one = (b >> i) & 1;
            Out(one ? CLOCK_ONE : CLOCK_ZERO);
            Pause(pulseUs);
            Out(one ? SELECT : ZERO);
            Pause(pulseUs);
        }
        Out(SELECT);
        Pause(200);
        return true;
    }
    bool Finish() {
        bool ok = WaitHandshake(false, 1000000) && WaitHandshake(true, 1000000);
        Out(IDLE);
        Pause(10000);
        return ok;
    }
    void Nibbles(uint8_t out[3]) {
        for (int i = 0; i < 3; ++i) {
            Out(CLOCK_ZERO);
            uint8_t high = Status();
            Out(ZERO);
            uint8_t low = Status();
            out[i] = static_cast<uint8_t>((high & 0xF0) | (low >> 4));
        }
    }
    bool ReadTriple(uint8_t out[3]) {
        if (!WaitHandshake(false, 1000000)) return false;
        Nibbles(out);
        Out(SELECT);
        return WaitHandshake(true, 1000000);
    }
    // A whole command: block, data, and `triples` reply triples.
    std::vector<uint8_t> Command(const std::vector<uint8_t>& bytes, size_t triples, bool whenIdle = false) {
        std::vector<uint8_t> reply;
        if (!(whenIdle ? SelectWhenIdle() : Select())) {
            Out(IDLE);
            return reply;
        }
        Pause(20000);
        for (uint8_t b : bytes) SendByte(b);
        Finish();
        if (triples == 0) return reply;
        Out(SELECT);
        Pause(200);
        for (size_t i = 0; i < triples; ++i) {
            uint8_t t[3] = {};
            if (!ReadTriple(t)) break;
            reply.insert(reply.end(), t, t + 3);
        }
        Out(IDLE);
        Pause(20000);
        return reply;
    }
    bool HasViolation(const std::string& part) const {
        return std::any_of(h.scanner.violations.begin(), h.scanner.violations.end(),
                           [&](const std::string& v) { return v.find(part) != std::string::npos; });
    }
    bool HasLog(const std::string& line) const {
        return std::find(h.scanner.log.begin(), h.scanner.log.end(), line) != h.scanner.log.end();
    }
};

const std::vector<uint8_t> STATUS = {0xD0, 0, 0, 0, 2, 0};

ScannerConfig ApsConfig() {
    ScannerConfig c;
    c.adapter = AdapterKind::Aps;
    c.exposures = 5;
    c.currentFrame = 3;
    for (int i = 0; i < 32; ++i) c.frames[3].ixBlock[i] = static_cast<uint8_t>(0x40 + i);
    c.calibrationPositive[0] = 0xA5;
    c.calibrationPositive[1] = 0x5A;
    c.calibrationPositive[19] = 0x77;
    return c;
}

TEST(VirtualScanner, StatusAndBlocksAssembledFromTheWire) {
    Host host(ApsConfig());
    std::vector<uint8_t> status = host.Command(STATUS, 1, true);
    // Front side, APS adapter; frame 3; the third byte is padding.
    EXPECT_EQ(status, (std::vector<uint8_t>{0x09, 3, 0}));
    EXPECT_TRUE(host.HasLog("command D0 00 00 00 02 00"));
    EXPECT_TRUE(host.HasLog("reply 09 03 00"));

    // A 10-byte READ of the frame block: 11 triples, the last byte padding.
    std::vector<uint8_t> block = host.Command({0x28, 0, 0x4D, 0, 0, 0, 0, 0, 0x20, 0}, 11);
    ASSERT_EQ(block.size(), 33u);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(block[static_cast<size_t>(i)], 0x40 + i) << i;
    EXPECT_EQ(block[32], 0);
    EXPECT_TRUE(host.HasLog("command 28 00 4D 00 00 00 00 00 20 00"));

    // SET WINDOW is a 6-byte block although its code is in the 10-byte group.
    std::vector<uint8_t> window = {0x24, 0, 0, 0, 0x28, 0};
    const uint8_t data[40] = {0, 0, 0, 0xB1, 0, 0xB1, 0, 0, 0, 0x4C, 0, 0, 0, 0x5A, 0, 0, 0x09, 0x60, 0, 0,
                              0x06, 0x40, 0, 0, 0, 5, 0, 0, 0, 0x80};
    window.insert(window.end(), data, data + 40);
    host.Command(window, 0);
    const ScanSetup& w = host.S().setup;
    EXPECT_TRUE(w.windowSet);
    EXPECT_EQ(w.xResolution, 177);
    EXPECT_EQ(w.windowLeft, 76);
    EXPECT_EQ(w.windowTop, 90);
    EXPECT_EQ(w.windowWidth, 2400);
    EXPECT_EQ(w.windowHeight, 1600);
    EXPECT_EQ(w.reverseFlag, 0x80);

    const ScannerCounters& n = host.S().counters;
    EXPECT_EQ(n.commands[0xD0], 1u);
    EXPECT_EQ(n.commands[0x28], 1u);
    EXPECT_EQ(n.commands[0x24], 1u);
    EXPECT_EQ(n.bytesReceived, 6u + 10u + 46u);
    EXPECT_EQ(n.bytesSent, 3u + 33u);
    EXPECT_TRUE(host.S().violations.empty()) << host.S().violations.front();
}

TEST(VirtualScanner, NibblesAreTheStatusBitsAsTheyStand) {
    Host host(ApsConfig());
    ASSERT_TRUE(host.Select());
    host.Pause(20000);
    for (uint8_t b : std::vector<uint8_t>{0x28, 0, 0x45, 0, 0, 46, 0, 0, 20, 0}) host.SendByte(b);
    host.Finish();
    host.Out(SELECT);
    ASSERT_TRUE(host.WaitHandshake(false, 100000));
    // 0xA5: high nibble while the clock is low, low nibble once released;
    // bit 7 is presented as the byte's bit 7 (no inversion to undo).
    host.Out(CLOCK_ZERO);
    EXPECT_EQ(host.Status() & 0xF8, 0xA0);
    host.Out(ZERO);
    EXPECT_EQ(host.Status() & 0xF8, 0x50);
    host.Out(CLOCK_ZERO);
    EXPECT_EQ(host.Status() & 0xF0, 0x50);
    host.Out(ZERO);
    EXPECT_EQ(host.Status() & 0xF0, 0xA0);
    uint8_t rest[3];
    host.Out(CLOCK_ZERO);
    host.Out(ZERO);
    host.Out(SELECT);
    // The triple taken: handshake high until the next one is ready.
    EXPECT_NE(host.Status() & 0x08, 0);
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(host.ReadTriple(rest));
    EXPECT_EQ(rest[1], 0x77);  // calibration byte 19, in the seventh and last triple
    host.Out(IDLE);
    EXPECT_TRUE(host.S().violations.empty()) << host.S().violations.front();
}

TEST(VirtualScanner, FaultsShowAtTheRegisters) {
    ScannerConfig c = ApsConfig();
    c.faults.noPort = true;
    {
        Host host(c);
        EXPECT_EQ(VirtualScannerRead(host.S(), 0x378), 0xFF);
        EXPECT_EQ(host.Status(), 0xFF);
    }
    c.faults = {};
    c.faults.noScanner = true;
    {
        Host host(c);
        EXPECT_EQ(VirtualScannerRead(host.S(), 0x378), 0x00);  // the port is there
        EXPECT_EQ(VirtualScannerRead(host.S(), 0x278), 0xFF);  // nothing else is
        EXPECT_EQ(host.Status(), 0x7F);
    }
    c.faults = {};
    c.faults.handshakeStuckHigh = true;
    {
        Host host(c);
        uint64_t start = host.h.microseconds;
        EXPECT_FALSE(host.Select());
        EXPECT_GE(host.h.microseconds - start, 1000000u);  // virtual time only
    }
    c.faults = {};
    c.faults.handshakeStuckLow = true;
    {
        Host host(c);
        EXPECT_FALSE(host.SelectWhenIdle());
    }
    c.faults = {};
    c.faults.apsSilent = true;
    {
        Host host(c);
        EXPECT_EQ(host.Command(STATUS, 1, true), (std::vector<uint8_t>{0x19, 0, 0}));
    }
    c.faults = {};
    c.faults.goneAfterBytes = 3;
    {
        Host host(c);
        ASSERT_TRUE(host.Select());
        for (int i = 0; i < 3; ++i) host.SendByte(STATUS[static_cast<size_t>(i)]);
        EXPECT_EQ(host.Status(), 0x7F);
        EXPECT_FALSE(host.Finish());  // floating lines never answer the handshake
    }
}

TEST(VirtualScanner, StatusOnlyAfterAReset) {
    ScannerConfig c = ApsConfig();
    c.faults.answerAfterReset = true;
    Host host(c);
    EXPECT_TRUE(host.Command(STATUS, 1, true).empty());
    // The reset pulse, then the scanner drops and raises its handshake.
    host.Out(RESET);
    host.Pause(10000);
    host.Out(SELECT);
    EXPECT_TRUE(host.WaitHandshake(false, 500000));
    EXPECT_TRUE(host.WaitHandshake(true, 6000000));
    host.Out(IDLE);
    EXPECT_EQ(host.S().counters.resets, 1u);
    EXPECT_EQ(host.Command(STATUS, 1, true), (std::vector<uint8_t>{0x09, 3, 0}));
}

TEST(VirtualScanner, ProtocolViolationsAreReported) {
    {
        Host host(ApsConfig());
        host.pulseUs = 1;
        host.Command(STATUS, 1, true);
        EXPECT_TRUE(host.HasViolation("clock pulse of")) << host.S().violations.size();
    }
    {
        Host host(ApsConfig());
        host.waitByteReady = false;
        ASSERT_TRUE(host.Select());
        host.SendByte(0xD0);
        EXPECT_TRUE(host.HasViolation("missing handshake wait"));
    }
    {
        Host host(ApsConfig());
        host.Command({0x77, 0, 0, 0, 0, 0}, 0);
        EXPECT_TRUE(host.HasViolation("unknown command 0x77"));
    }
    {
        Host host(ApsConfig());
        ASSERT_TRUE(host.Select());
        host.SendByte(0xD0, 5);
        host.Out(IDLE);
        EXPECT_TRUE(host.HasViolation("byte of 5 bits"));
    }
    {
        Host host(ApsConfig());
        host.Raw(0x26);
        host.Raw(0x26);
        EXPECT_TRUE(host.HasViolation("control value 0x26 is none of the six"));
        host.doubleWrites = false;
        host.Out(SELECT);
        host.Out(IDLE);
        EXPECT_TRUE(host.HasViolation("control value 0x20 written once"));
    }
    {
        // A reply read past its end never gets its handshake.
        Host host(ApsConfig());
        std::vector<uint8_t> reply = host.Command(STATUS, 2, true);
        EXPECT_EQ(reply.size(), 3u);
    }
}

// A picture whose every pixel tells where it is: red = column x 6,
// green = row x 10, blue = 60.
ScannerConfig StripWithCoordinatePicture(char filmKind) {
    ScannerConfig c;
    c.adapter = AdapterKind::Strip;
    c.filmKind = filmKind;
    c.currentFrame = 1;
    auto picture = std::make_shared<Picture>();
    picture->width = 36;
    picture->height = 24;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 36; ++x) {
            picture->rgb.insert(picture->rgb.end(),
                                {static_cast<uint8_t>(x * 6), static_cast<uint8_t>(y * 10), uint8_t{60}});
        }
    }
    c.frames[1].picture = picture;
    return c;
}

std::vector<uint8_t> WindowCommand(uint16_t dpi, uint16_t left, uint16_t top, uint16_t width, uint16_t height,
                                   uint8_t reverse) {
    std::vector<uint8_t> w = {0x24, 0, 0, 0, 0x28, 0};
    std::vector<uint8_t> d(40, 0);
    d[2] = d[4] = static_cast<uint8_t>(dpi >> 8);
    d[3] = d[5] = static_cast<uint8_t>(dpi);
    d[8] = static_cast<uint8_t>(left >> 8), d[9] = static_cast<uint8_t>(left);
    d[12] = static_cast<uint8_t>(top >> 8), d[13] = static_cast<uint8_t>(top);
    d[16] = static_cast<uint8_t>(width >> 8), d[17] = static_cast<uint8_t>(width);
    d[20] = static_cast<uint8_t>(height >> 8), d[21] = static_cast<uint8_t>(height);
    d[25] = 5;
    d[29] = reverse;
    w.insert(w.end(), d.begin(), d.end());
    return w;
}

std::vector<uint8_t> ReadLine(Host& host, size_t pixels) {
    std::vector<uint8_t> line;
    host.Out(SELECT);
    host.Pause(200);
    for (size_t i = 0; i <= pixels; ++i) {  // the last triple closes the line
        if (!host.WaitHandshake(false, 1000000)) return {};
        uint8_t t[3];
        host.Nibbles(t);
        if (i < pixels) {
            host.Out(SELECT);
            line.insert(line.end(), t, t + 3);
        }
    }
    host.Out(IDLE);
    host.Pause(10000);
    return line;
}

// The strip frame (36 x 24 mm) is centred on the 35 mm preview window
// (76, 90, 2400 x 1600 units of 1/1770 inch).
constexpr double UNITS_PER_MM = 1770 / 25.4;
constexpr double FRAME_LEFT = 1276 - 18 * UNITS_PER_MM;
constexpr double FRAME_TOP = 890 - 12 * UNITS_PER_MM;
constexpr double PICTURE_PIXEL = UNITS_PER_MM;  // 36 pixels over 36 mm

TEST(VirtualScanner, ScanLinesSampleTheFrameAtTheWindow) {
    Host host(StripWithCoordinatePicture('R'));
    host.Command(WindowCommand(177, 500, 300, 400, 600, 0x80), 0);
    host.Command({0xD2, 0, 0, 0, 7, 0, 'F', 'R', 2, 100, 50, 'N', 'P'}, 0);
    host.Command({0x1B, 0, 0, 0, 0, 0}, 0);
    // 177 dpi: 10 units per sample; 400 x 600 units give 40 lines of 60.
    for (uint32_t line = 0; line < 3; ++line) {
        std::vector<uint8_t> got = ReadLine(host, 60);
        ASSERT_EQ(got.size(), 180u);
        double u = 500 + (line + 0.5) * 10;
        int column = static_cast<int>((u - FRAME_LEFT) / PICTURE_PIXEL);
        for (size_t i = 0; i < 60; ++i) {
            double v = 300 + (static_cast<double>(i) + 0.5) * 10;
            int row = static_cast<int>((v - FRAME_TOP) / PICTURE_PIXEL);
            EXPECT_EQ(got[3 * i], column * 6) << line << " " << i;
            EXPECT_EQ(got[3 * i + 1], row * 10) << line << " " << i;
            // Exposure B is half the reference: the blue row gets half the light.
            EXPECT_EQ(got[3 * i + 2], 30) << line << " " << i;
        }
    }
    EXPECT_EQ(host.S().counters.linesRead, 3u);
    EXPECT_TRUE(host.S().violations.empty()) << host.S().violations.front();
}

TEST(VirtualScanner, NegativeFilmHoldsTheInvertedMaskedPictureWhichItsLevelsUndo) {
    ScannerConfig c = StripWithCoordinatePicture('N');
    Host host(c);
    host.Command(WindowCommand(177, 76, 90, 2400, 1600, 0), 0);
    host.Command({0x1B, 0, 0, 0, 0, 0}, 0);
    std::vector<uint8_t> first = ReadLine(host, 160);
    for (int i = 0; i < 60; ++i) ReadLine(host, 160);
    std::vector<uint8_t> later = ReadLine(host, 160);
    ASSERT_EQ(first.size(), 480u);
    ASSERT_EQ(later.size(), 480u);
    // Redder picture columns further right come out less red, and the
    // orange mask passes more red than green than blue where the picture is dark.
    EXPECT_GT(first[0], later[0]);
    EXPECT_GT(first[0], first[1]);
    EXPECT_GT(first[1], first[2]);
    // Brighter rows down the picture come out darker in green.
    EXPECT_GT(first[1], first[3 * 150 + 1]);

    // Told the film's clear base as black and its densest part as white
    // (red 204/12, green 128/8, blue 77/5, as the shipped negative
    // calibration holds them), the scanner hands back the picture itself.
    Host told(c);
    told.Command(WindowCommand(177, 500, 300, 400, 600, 0), 0);
    told.Command({0xD2, 0, 0, 0, 7, 0, 'F', 'R', 2, 100, 100, 'N', 'P'}, 0);
    told.Command({0xD1, 0, 0, 0, 0, 0, 204, 12, 0, 0, 0, 128, 8, 0, 0, 0, 77, 5, 0, 0, 0, 0, 0, 0, 100, 100}, 0);
    told.Command({0x1B, 0, 0, 0, 0, 0}, 0);
    std::vector<uint8_t> line = ReadLine(told, 60);
    ASSERT_EQ(line.size(), 180u);
    int column = static_cast<int>((505 - FRAME_LEFT) / PICTURE_PIXEL);
    for (size_t i = 0; i < 60; ++i) {
        int row = static_cast<int>((300 + (static_cast<double>(i) + 0.5) * 10 - FRAME_TOP) / PICTURE_PIXEL);
        EXPECT_EQ(line[3 * i], column * 6) << i;
        EXPECT_EQ(line[3 * i + 1], row * 10) << i;
        EXPECT_EQ(line[3 * i + 2], 60) << i;
    }
    EXPECT_TRUE(told.S().violations.empty()) << told.S().violations.front();
}

TEST(VirtualScanner, RedAndBlueLeadGreenByALineFrom801Dpi) {
    // Grey columns: every channel carries the column, so a colour read one
    // line ahead shows as red and blue equal to the next line's green.
    ScannerConfig c = StripWithCoordinatePicture('R');
    auto picture = std::make_shared<Picture>(*c.frames[1].picture);
    for (size_t i = 0; i < picture->rgb.size(); i += 3) {
        picture->rgb[i + 1] = picture->rgb[i + 2] = picture->rgb[i];
    }
    c.frames[1].picture = picture;
    for (uint16_t dpi : {uint16_t{800}, uint16_t{801}}) {
        Host host(c);
        host.Command(WindowCommand(dpi, 1000, 800, 400, 20, 0x80), 0);
        host.Command({0x1B, 0, 0, 0, 0, 0}, 0);
        std::vector<std::vector<uint8_t>> lines;
        for (int line = 0; line < 200; ++line) lines.push_back(ReadLine(host, 9));
        int edges = 0;
        for (size_t j = 0; j + 1 < lines.size(); ++j) {
            const uint8_t leadRed = lines[j][0], leadBlue = lines[j][2];
            const uint8_t green = lines[j][1], nextGreen = lines[j + 1][1];
            if (green == nextGreen) continue;
            ++edges;
            EXPECT_EQ(leadRed, dpi == 801 ? nextGreen : green) << dpi << " line " << j;
            EXPECT_EQ(leadBlue, leadRed);
        }
        EXPECT_GE(edges, 2) << dpi;
    }
}

TEST(VirtualScanner, PositioningKeepsTheScannerBusyAndRewindShows65) {
    Host host(ApsConfig());
    host.Command({0x31, 2, 0, 0, 5, 0, 0, 0, 0, 0}, 0);
    uint64_t before = host.h.microseconds;
    std::vector<uint8_t> status = host.Command(STATUS, 1, true);
    // Frame 5, the film's last exposure: marked with bit 6.
    EXPECT_EQ(status, (std::vector<uint8_t>{0x09, 5 + 64, 0}));
    // 300 ms settle + 2 frames x 150 ms, less the 20 ms that went by.
    EXPECT_GE(host.h.microseconds - before, 570000u);
    host.Command({0x31, 2, 0, 0, 4, 0, 0, 0, 0, 0}, 0);
    EXPECT_EQ(host.Command(STATUS, 1, true)[1], 4);

    host.Command({0x31, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0);
    EXPECT_EQ(host.Command(STATUS, 1, true)[1], 65);
    host.Pause(4000000);
    EXPECT_EQ(host.Command(STATUS, 1, true)[1], 0);
    EXPECT_TRUE(host.S().violations.empty()) << host.S().violations.front();
}

TEST(VirtualScanner, CartridgeInsertedAutoloadsToFrameOne) {
    ScannerConfig c = ApsConfig();
    c.cartridge = CartridgeStart::Autoload;
    Host host(c);
    EXPECT_EQ(host.Command(STATUS, 1, true)[1], 64);
    host.Pause(3000000);
    EXPECT_EQ(host.Command(STATUS, 1, true)[1], 1);
    c.unprocessed = true;
    Host undeveloped(c);
    undeveloped.Pause(4000000);
    EXPECT_EQ(undeveloped.Command(STATUS, 1, true), (std::vector<uint8_t>{0x89, 0, 0}));
}

TEST(ScannerConfigFile, ParsesAndReportsTheLineOfAnError) {
    ScannerConfig config;
    std::string error;
    const std::string good =
        "# comment\n"
        "adapter strip\n"
        "film_kind R   # reversal\n"
        "fault gone_after_lines 7\n"
        "calibration_positive 01 02 03 04 05 06 07 08 09 0A \\\n"
        "                     0B 0C 0D 0E 0F 10 11 12 13 14\n"
        "frame 2 picture solid 10 20 30\n"
        "port_base 0x278\n";
    ASSERT_TRUE(ParseScannerConfig(good, "test.cfg", "", config, error)) << error;
    EXPECT_EQ(config.adapter, AdapterKind::Strip);
    EXPECT_EQ(config.filmKind, 'R');
    EXPECT_EQ(config.faults.goneAfterLines, 7);
    EXPECT_EQ(config.calibrationPositive[19], 0x14);
    ASSERT_NE(config.frames[2].picture, nullptr);
    EXPECT_EQ(config.frames[2].picture->rgb, (std::vector<uint8_t>{10, 20, 30}));
    EXPECT_EQ(config.portBase, 0x278);

    const std::pair<const char*, const char*> bad[] = {
        {"adapter strip\nfilm_kind X\n", "bad.cfg:2: "},
        {"\n\ncalibration_negative 01 02\n", "bad.cfg:3: "},
        {"frame 41 ix 00\n", "bad.cfg:1: "},
        {"exposures 5\nframe 1 picture missing.bmp\n", "bad.cfg:2: picture: cannot open 'missing.bmp'"},
        {"fault sometimes\n", "bad.cfg:1: unknown fault"},
        {"colour red\n", "bad.cfg:1: unknown key 'colour'"},
    };
    for (const auto& [text, message] : bad) {
        std::string why;
        EXPECT_FALSE(ParseScannerConfig(text, "bad.cfg", "", config, why)) << text;
        EXPECT_EQ(why.rfind(message, 0), 0u) << why;
        EXPECT_EQ(config.adapter, AdapterKind::Strip) << "a failed parse changed the configuration";
        EXPECT_EQ(config.exposures, 4) << "a failed parse changed the configuration";
    }
}

TEST(ScannerConfigFile, ShippedConfigurationsLoad) {
    for (const char* name : {"/qx52sim.cfg", "/strip.cfg", "/cartridge40.cfg", "/rewound.cfg"}) {
        ScannerConfig config;
        std::string error;
        ASSERT_TRUE(LoadScannerConfig(std::string(QX_SIMULATOR_CONFIG_DIR) + name, config, error)) << error;
        ASSERT_NE(config.frames[1].picture, nullptr) << name;
        EXPECT_GT(config.frames[1].picture->width, 800) << name;
    }
}

// ---- The shipped cartridges --------------------------------------------

ScannerConfig LoadShipped(const char* name) {
    ScannerConfig config;
    std::string error;
    EXPECT_TRUE(LoadScannerConfig(std::string(QX_SIMULATOR_CONFIG_DIR) + "/" + name, config, error)) << error;
    return config;
}

// A digit-coded byte: the value plus 28, bit 7 ignored.
int Digit(uint8_t code) {
    int c = code & 0x7F;
    return c >= 28 ? c - 28 : 0;
}

// The copies between 02 03 and 04 05 on a track, read marker by marker.
std::vector<std::vector<uint8_t>> TrackCopies(const uint8_t* track) {
    std::vector<std::vector<uint8_t>> copies;
    size_t i = 0;
    while (i + 1 < 80 && track[i] == 0x02 && track[i + 1] == 0x03) {
        size_t end = i + 2;
        while (end + 1 < 80 && !(track[end] == 0x04 && track[end + 1] == 0x05)) ++end;
        copies.emplace_back(track + i + 2, track + end);
        i = end + 2;
    }
    return copies;
}

TEST(VirtualScannerCartridges, TheHolidayCartridgeHoldsFifteenPicturedFrames) {
    ScannerConfig c = LoadShipped("qx52sim.cfg");
    EXPECT_EQ(c.adapter, AdapterKind::Aps);
    EXPECT_EQ(c.cartridge, CartridgeStart::Loaded);
    EXPECT_EQ(c.exposures, 15);
    EXPECT_EQ(c.timing.autoloadMs, 3000u);
    EXPECT_EQ(c.timing.rewindMs, 4000u);
    for (int n = 1; n <= 15; ++n) {
        ASSERT_NE(c.frames[n].picture, nullptr) << "frame " << n;
        EXPECT_EQ(c.frames[n].picture->width, 906) << "frame " << n;  // the H area, 30 pixels a millimetre
        EXPECT_EQ(c.frames[n].picture->height, 501) << "frame " << n;
        for (int m = 1; m < n; ++m) EXPECT_NE(c.frames[n].picture, c.frames[m].picture) << n << " and " << m;
    }
    // Frame 15 carries no IX data at all.
    EXPECT_EQ(std::vector<uint8_t>(c.frames[15].ixBlock, c.frames[15].ixBlock + 32), std::vector<uint8_t>(32, 0));
}

TEST(VirtualScannerCartridges, BlocksHoldTheDatesTheirCommentsGive) {
    ScannerConfig c = LoadShipped("qx52sim.cfg");
    // Frame 1: 2 July 1999, 10:15 AM, month first, printed on the back;
    // aspect C, no flash, brightness 3; U.S. English (13) title 2.
    const uint8_t* b = c.frames[1].ixBlock;
    EXPECT_EQ(Digit(b[0]), 30);
    EXPECT_EQ(b[1], 12);
    EXPECT_EQ(Digit(b[4]), 99);
    EXPECT_EQ(Digit(b[5]), 7);        // month 7 + 0: month first
    EXPECT_EQ(Digit(b[6]), 2);        // no +32: the back
    EXPECT_EQ(Digit(b[7]), 24 + 10);  // 10 AM
    EXPECT_EQ(Digit(b[8]), 15);
    EXPECT_EQ(b[9], 32 + 8 + 3);
    EXPECT_EQ(Digit(b[20]), 13);
    EXPECT_EQ(Digit(b[21]), 2);
    // Frame 3: 3 July 1999, 8:05 AM, year first, printed on the front;
    // aspect H, left, no flash; Spanish (10) title 11.
    b = c.frames[3].ixBlock;
    EXPECT_EQ(Digit(b[4]), 99);
    EXPECT_EQ(Digit(b[5]), 7 + 32);
    EXPECT_EQ(Digit(b[6]), 3 + 32);
    EXPECT_EQ(Digit(b[7]), 24 + 8);
    EXPECT_EQ(Digit(b[8]), 5);
    EXPECT_EQ(b[9], 64 + 16 + 8 + 2);
    EXPECT_EQ(Digit(b[20]), 10);
    EXPECT_EQ(Digit(b[21]), 11);
    // Frame 10, a kind 7 block: 6 July 1999, 11:20 AM; aspect C and left in byte 30.
    b = c.frames[10].ixBlock;
    EXPECT_EQ(b[1], 7);
    EXPECT_EQ(b[2], 64 + 2 + 1);
    EXPECT_EQ(Digit(b[6]), 6);
    EXPECT_EQ(Digit(b[7]), 24 + 11);
    EXPECT_EQ(Digit(b[8]), 20);
    EXPECT_EQ(b[30], 32 + 16);
}

TEST(VirtualScannerCartridges, MinutelessBlocksHaveTheirRecordOnTheTrack) {
    ScannerConfig c = LoadShipped("qx52sim.cfg");
    // Frame 7: 5 July 1999 6:35 PM, day first, front; C, left, flash fired;
    // Italian (5) title 7. Kind 12, flags 11, 12 and the title.
    const std::vector<uint8_t> frame7 = {0x3A, 0x0C, 0x63, 0x00, 0x7F, 0x33, 0x41, 0x46,
                                         0x3F, 0x3D, 0x71, 0x44, 0x21, 0x23, 0x00};
    // Frame 11: 7 July 1999 9:30, day first, front; H, brightness 3; Danish (1) title 29.
    std::vector<uint8_t> frame11 = {0x3A, 0x0C, 0x63, 0x00, 0x7F, 0x33, 0x43, 0x25,
                                    0x3A, 0x4B, 0x51, 0x44, 0x1D, 0x39, 0x00};
    for (int n : {7, 11}) {
        EXPECT_NE(c.frames[n].ixBlock[0], 0) << n;
        EXPECT_EQ(c.frames[n].ixBlock[8], 0) << n << ": the minute must be missing for the fallback";
    }
    auto copies = TrackCopies(c.frames[7].track);
    ASSERT_EQ(copies.size(), 3u);
    for (const auto& copy : copies) EXPECT_EQ(copy, frame7);
    EXPECT_EQ(c.frames[7].printFormat, 8 + 2);  // left, C

    // Two good copies and a damaged third: a majority repairs it, the last
    // copy alone would not.
    copies = TrackCopies(c.frames[11].track);
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copies[0], frame11);
    EXPECT_EQ(copies[1], frame11);
    frame11[8] = 0x2A;   // minute 30 read as 14
    frame11[12] = 0x19;  // language 1 read as none
    EXPECT_EQ(copies[2], frame11);

    // The exposure-only blocks (kind 10) have no minute either; their
    // aspect comes from the print format status: 1 P, 2 C.
    EXPECT_EQ(c.frames[9].ixBlock[1], 10);
    EXPECT_EQ(c.frames[9].ixBlock[22], 92);   // f/8
    EXPECT_EQ(c.frames[9].ixBlock[23], 100);  // 1/250
    EXPECT_EQ(c.frames[9].printFormat, 1);
    EXPECT_EQ(c.frames[14].printFormat, 2);
}

TEST(VirtualScannerCartridges, FortyExposuresAndTheRewoundHolidayCartridge) {
    ScannerConfig forty = LoadShipped("cartridge40.cfg");
    EXPECT_EQ(forty.exposures, 40);
    ASSERT_NE(forty.frames[40].picture, nullptr);
    // Frame 40: 16 August 1999, 15:40, month first on the back; C, flash fired.
    const uint8_t* b = forty.frames[40].ixBlock;
    EXPECT_EQ(Digit(b[5]), 8);
    EXPECT_EQ(Digit(b[6]), 16);
    EXPECT_EQ(Digit(b[7]), 15);
    EXPECT_EQ(Digit(b[8]), 40);
    EXPECT_EQ(b[9], 32 + 12 + 2);

    ScannerConfig rewound = LoadShipped("rewound.cfg");
    ScannerConfig holiday = LoadShipped("qx52sim.cfg");
    EXPECT_EQ(rewound.cartridge, CartridgeStart::Autoload);
    EXPECT_FALSE(rewound.unprocessed);
    EXPECT_EQ(rewound.exposures, 15);
    for (int n = 1; n <= 15; ++n) {
        EXPECT_EQ(std::memcmp(rewound.frames[n].ixBlock, holiday.frames[n].ixBlock, 32), 0) << "frame " << n;
        EXPECT_EQ(std::memcmp(rewound.frames[n].track, holiday.frames[n].track, 80), 0) << "frame " << n;
        EXPECT_EQ(rewound.frames[n].printFormat, holiday.frames[n].printFormat) << "frame " << n;
    }
    // Inserted, it autoloads: position 64 until autoload_ms have passed.
    VirtualHarness h;
    MakeVirtualPortAccess(h);
    VirtualScannerInit(h.scanner, rewound);
    EXPECT_EQ(h.scanner.transport, Transport::Autoloading);
    EXPECT_FALSE(h.scanner.filmOut);
}

TEST(ScannerConfigFile, BmpReaderStaysInsideTheFile) {
    // A 2 x 2 bottom-up 24-bit file: rows of 6 bytes padded to 8.
    std::vector<uint8_t> bmp(54 + 16, 0);
    bmp[0] = 'B', bmp[1] = 'M', bmp[10] = 54, bmp[14] = 40, bmp[18] = 2, bmp[22] = 2, bmp[26] = 1, bmp[28] = 24;
    const uint8_t pixels[16] = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};  // blue, green, red
    std::memcpy(bmp.data() + 54, pixels, sizeof pixels);
    Picture picture;
    std::string error;
    ASSERT_TRUE(DecodeBmp(bmp.data(), bmp.size(), picture, error)) << error;
    // Top row first, red first.
    EXPECT_EQ(picture.rgb, (std::vector<uint8_t>{9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}));
    EXPECT_FALSE(DecodeBmp(bmp.data(), bmp.size() - 1, picture, error));
    bmp[18] = 0xFF, bmp[19] = 0xFF, bmp[20] = 0xFF, bmp[21] = 0x7F;  // absurd width
    EXPECT_FALSE(DecodeBmp(bmp.data(), bmp.size(), picture, error));
    EXPECT_FALSE(DecodeBmp(bmp.data(), 10, picture, error));
}

TEST(ScannerConfigFile, TrackHoldsThreeMarkedCopiesOfTheRecordedBytes) {
    uint8_t block[32] = {};
    // Kind 12 with flag 2 (byte 12): head, date and time, byte 9, byte 12, byte 31.
    const uint8_t head[] = {0x3A, 12, 0x42, 0, 0x7E, 0x23, 0x4A, 0x2B, 0x3A, 0x4A};
    std::memcpy(block, head, sizeof head);
    block[11] = 0x71;  // not flagged: not recorded
    block[12] = 0x44;
    block[31] = 0x99;
    uint8_t track[80];
    BuildMagneticTrack(block, track);
    const std::vector<uint8_t> copy = {0x3A, 12, 0x42, 0, 0x7E, 0x23, 0x4A, 0x2B, 0x3A, 0x4A, 0x44, 0x99};
    std::vector<uint8_t> expected;
    for (int i = 0; i < 3; ++i) {
        expected.insert(expected.end(), {2, 3});
        expected.insert(expected.end(), copy.begin(), copy.end());
        expected.insert(expected.end(), {4, 5});
    }
    expected.resize(80, 0);
    EXPECT_EQ(std::vector<uint8_t>(track, track + 80), expected);
}

// ---- Blocks the host writes -------------------------------------------

// A kind 12 block with flag 2: the track records its head, date and time,
// byte 9, byte 12 and byte 31; byte 11 is not flagged and not recorded.
constexpr uint8_t WRITTEN[32] = {0x3A, 12, 0x42, 0, 0x7E, 0x23, 0x4A, 0x2B, 0x3A, 0x4A, 0, 0x71, 0x44};

std::vector<uint8_t> WriteBlockCommand(uint8_t frameHigh, uint8_t frameLow, const uint8_t* block) {
    std::vector<uint8_t> c = {0x2A, 0, 0x4D, 0, frameHigh, frameLow, 0, 0, 0x20, 0};
    c.insert(c.end(), block, block + 32);
    return c;
}

const std::vector<uint8_t> READ_BLOCK = {0x28, 0, 0x4D, 0, 0, 0, 0, 0, 0x20, 0};
const std::vector<uint8_t> READ_TRACK = {0x28, 0, 'r', 0, 0x02, 0x00, 0, 0, 80, 0};

struct KeptBlock {
    int calls = 0;
    int frame = 0;
    uint8_t block[32] = {};
    uint8_t controlAtCall = 0;
    bool answer = true;
    const VirtualScanner* scanner = nullptr;
};

bool KeepBlock(void* context, int frame, const uint8_t block[32]) {
    auto* kept = static_cast<KeptBlock*>(context);
    ++kept->calls;
    kept->frame = frame;
    std::memcpy(kept->block, block, 32);
    kept->controlAtCall = kept->scanner->control;
    return kept->answer;
}

TEST(VirtualScannerIxWrite, WrittenBlockReadsBackFromTheBlockAndTheTrack) {
    ScannerConfig c = ApsConfig();
    // A track of its own, as a configuration can give: the write must replace it.
    std::memset(c.frames[3].track, 0xEE, 80);
    c.frames[3].trackGiven = true;
    Host host(c);
    host.Command(WriteBlockCommand(0, 3, WRITTEN), 0);
    EXPECT_TRUE(host.HasLog("frame 3 IX block written"));

    std::vector<uint8_t> block = host.Command(READ_BLOCK, 11);
    ASSERT_EQ(block.size(), 33u);
    EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 32), std::vector<uint8_t>(WRITTEN, WRITTEN + 32));

    // Three leading bytes ('r', qualifier 02 00), the 80 track bytes: three
    // marked copies of the twelve recorded bytes, then zeros; a pad byte.
    std::vector<uint8_t> expected = {'r', 0x02, 0x00};
    for (int i = 0; i < 3; ++i) {
        expected.insert(expected.end(), {0x02, 0x03, 0x3A, 0x0C, 0x42, 0x00, 0x7E, 0x23, 0x4A, 0x2B, 0x3A, 0x4A,
                                         0x44, 0x00, 0x04, 0x05});
    }
    expected.resize(3 + 80 + 1, 0);
    EXPECT_EQ(host.Command(READ_TRACK, 28), expected);

    // The frame the host names, not the one under the head.
    uint8_t other[32] = {};
    other[0] = 0x3A;
    other[1] = 0x07;
    host.Command(WriteBlockCommand(0, 5, other), 0);
    EXPECT_EQ(VirtualScannerFrameBlock(host.S(), 5)[1], 0x07);
    EXPECT_EQ(host.Command(READ_BLOCK, 11)[1], 12) << "frame 3 under the head changed";
    EXPECT_TRUE(host.S().violations.empty()) << host.S().violations.front();
}

TEST(VirtualScannerIxWrite, WritesToFramesTheFilmDoesNotHaveAreRefused) {
    ScannerConfig c = ApsConfig();  // five exposures
    KeptBlock kept;
    Host host(c);
    kept.scanner = &host.S();
    host.S().config.writeBack = true;
    host.S().ixWritten = KeepBlock;
    host.S().ixWrittenContext = &kept;
    const struct {
        uint8_t high, low;
        const char* report;
    } refused[] = {
        {0, 0, "IX block written to frame 0; the film has frames 1 to 5"},
        {0, 6, "IX block written to frame 6; the film has frames 1 to 5"},
        {1, 3, "IX block written to frame 259; the film has frames 1 to 5"},
    };
    for (const auto& r : refused) {
        host.Command(WriteBlockCommand(r.high, r.low, WRITTEN), 0);
        EXPECT_TRUE(host.HasViolation(r.report)) << r.report;
    }
    // A block of 16 bytes is no block.
    std::vector<uint8_t> shortWrite = {0x2A, 0, 0x4D, 0, 0, 3, 0, 0, 0x10, 0};
    shortWrite.resize(shortWrite.size() + 16, 0x55);
    host.Command(shortWrite, 0);
    EXPECT_TRUE(host.HasViolation("IX block of 16 bytes (32 expected)"));

    for (int n = 1; n <= SIM_MAX_FRAMES; ++n) {
        EXPECT_EQ(std::memcmp(host.S().config.frames[n].ixBlock, c.frames[n].ixBlock, 32), 0) << "frame " << n;
        EXPECT_EQ(std::memcmp(host.S().config.frames[n].track, c.frames[n].track, 80), 0) << "frame " << n;
    }
    EXPECT_EQ(kept.calls, 0);

    // Without an APS adapter there is no stripe to write on.
    ScannerConfig strip = c;
    strip.adapter = AdapterKind::Strip;
    Host stripHost(strip);
    stripHost.Command(WriteBlockCommand(0, 1, WRITTEN), 0);
    EXPECT_TRUE(stripHost.HasViolation("IX block written without an APS adapter answering"));
    EXPECT_EQ(VirtualScannerFrameBlock(stripHost.S(), 1)[0], 0);
}

TEST(VirtualScannerIxWrite, WriteBackHandsTheBlockOverOnceTheHostLetsGo) {
    KeptBlock kept;
    ScannerConfig c = ApsConfig();
    {
        Host host(c);  // write_back off: nothing handed over
        kept.scanner = &host.S();
        host.S().ixWritten = KeepBlock;
        host.S().ixWrittenContext = &kept;
        host.Command(WriteBlockCommand(0, 2, WRITTEN), 0);
        EXPECT_EQ(kept.calls, 0);
    }
    c.writeBack = true;
    Host host(c);
    kept.scanner = &host.S();
    host.S().ixWritten = KeepBlock;
    host.S().ixWrittenContext = &kept;
    VirtualScannerInit(host.S(), c);  // the hook survives a fresh start
    host.Command(WriteBlockCommand(0, 2, WRITTEN), 0);
    ASSERT_EQ(kept.calls, 1);
    EXPECT_EQ(kept.frame, 2);
    EXPECT_EQ(std::memcmp(kept.block, WRITTEN, 32), 0);
    EXPECT_EQ(kept.controlAtCall, IDLE) << "handed over while the host was still selecting";
    EXPECT_TRUE(host.HasLog("frame 2 IX block kept in the configuration file"));

    host.Command(STATUS, 1, true);
    EXPECT_EQ(kept.calls, 1) << "handed over again by a later transaction";
    kept.answer = false;
    host.Command(WriteBlockCommand(0, 4, WRITTEN), 0);
    EXPECT_EQ(kept.calls, 2);
    EXPECT_TRUE(host.HasLog("frame 4 IX block could not be kept in the configuration file"));
    EXPECT_EQ(VirtualScannerFrameBlock(host.S(), 4)[1], 12) << "the write stands when the file cannot keep it";
}

// ---- Keeping a written block in the configuration file ------------------

// The new block A0 A1 ... BF, as the rewritten entries must spell it.
constexpr uint8_t NEW_BLOCK[32] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA,
                                   0xAB, 0xAC, 0xAD, 0xAE, 0xAF, 0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5,
                                   0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF};
const std::string NEW_HEAD = "A0 A1 A2 A3 A4 A5 A6 A7 A8 A9 AA AB AC AD AE AF B0 B1 B2 B3";
const std::string NEW_TAIL = "B4 B5 B6 B7 B8 B9 BA BB BC BD BE BF";

TEST(ScannerConfigFile, RewriteReplacesTheFramesIxBytesAndCommentsOutItsTrack) {
    const std::string before =
        "# Frame 2 and frame 20, whose number starts the same way.\n"
        "exposures 20\n"
        "frame 2 picture solid 1 2 3\n"
        "frame 2 ix 3A 0C 63 00 7F 23 1E 3E 2B 2B 00 51 44 00 00 00 00 00 00 00 \\  # date, time\n"
        "           29 1E 00 00 00 00 00 00 00 00 00 00\n"
        "frame 2 track_block 3A 0C 63 00 7F 23 1E 3E 2B 2B 00 51 44 00 00 00 00 00 00 00 \\\n"
        "                    29 1E 00 00 00 00 00 00 00 00 00 00\n"
        "frame 2 print_format 3   # C\n"
        "frame 20 ix 3A 0A 4D 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 5C 64 00 42 01 00 00 00 00 00\n"
        "frame 20 track_block 3A 0A 4D 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 5C 64 00 42 01 00 "
        "00 00 00 00\n";
    const std::string after =
        "# Frame 2 and frame 20, whose number starts the same way.\n"
        "exposures 20\n"
        "frame 2 picture solid 1 2 3\n"
        "frame 2 ix " + NEW_HEAD + " \\  # date, time\n"
        "           " + NEW_TAIL + "\n"
        "# frame 2 track_block 3A 0C 63 00 7F 23 1E 3E 2B 2B 00 51 44 00 00 00 00 00 00 00 \\\n"
        "#                     29 1E 00 00 00 00 00 00 00 00 00 00\n"
        "frame 2 print_format 3   # C\n"
        "frame 20 ix 3A 0A 4D 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 5C 64 00 42 01 00 00 00 00 00\n"
        "frame 20 track_block 3A 0A 4D 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 5C 64 00 42 01 00 "
        "00 00 00 00\n";
    std::string rewritten, error;
    ASSERT_TRUE(RewriteFrameIx(before, "x.cfg", 2, NEW_BLOCK, rewritten, error)) << error;
    EXPECT_EQ(rewritten, after);

    // The rewritten file loads with the new block, its track following it.
    std::string path = ::testing::TempDir() + "virtual_scanner_rewrite_test.cfg";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(rewritten.data(), 1, rewritten.size(), file), rewritten.size());
    std::fclose(file);
    ScannerConfig config;
    ASSERT_TRUE(LoadScannerConfig(path, config, error)) << error;
    std::remove(path.c_str());
    EXPECT_EQ(std::memcmp(config.frames[2].ixBlock, NEW_BLOCK, 32), 0);
    EXPECT_FALSE(config.frames[2].trackGiven);
    EXPECT_EQ(config.frames[2].printFormat, 3);
    EXPECT_EQ(config.frames[20].ixBlock[22], 0x5C);
    EXPECT_TRUE(config.frames[20].trackGiven);
}

TEST(ScannerConfigFile, RewriteAddsAnIxEntryWhereTheFrameHadNone) {
    const std::string entry4 = "frame 4 ix " + NEW_HEAD + " \\\n           " + NEW_TAIL + "\n";
    const std::pair<std::string, std::string> cases[] = {
        // After the frame's last line.
        {"exposures 5\nframe 4 picture solid 1 2 3\nframe 5 print_format 2",
         "exposures 5\nframe 4 picture solid 1 2 3\n" + entry4 + "frame 5 print_format 2"},
        // At the end; the last line had no line break.
        {"exposures 5\nframe 5 print_format 2", "exposures 5\nframe 5 print_format 2\n" + entry4},
        // A last line still asking for a continuation must not swallow it.
        {"exposures 5\nframe 5 print_format 2 \\\n", "exposures 5\nframe 5 print_format 2 \\\n\n" + entry4},
        // Line breaks as the file has them.
        {"exposures 5\r\nframe 4 picture solid 1 2 3\r\n",
         "exposures 5\r\nframe 4 picture solid 1 2 3\r\nframe 4 ix " + NEW_HEAD + " \\\r\n           " + NEW_TAIL +
             "\r\n"},
    };
    for (const auto& [before, after] : cases) {
        std::string rewritten, error;
        ASSERT_TRUE(RewriteFrameIx(before, "x.cfg", 4, NEW_BLOCK, rewritten, error)) << error;
        EXPECT_EQ(rewritten, after);
        ScannerConfig config;
        ASSERT_TRUE(ParseScannerConfig(rewritten, "x.cfg", "", config, error)) << error;
        EXPECT_EQ(std::memcmp(config.frames[4].ixBlock, NEW_BLOCK, 32), 0);
    }
}

TEST(ScannerConfigFile, RewriteLeavesWhatItCannotRewriteSafely) {
    std::string rewritten = "untouched", error;
    // An entry changed by hand since the file was loaded.
    EXPECT_FALSE(RewriteFrameIx("exposures 5\nframe 3 ix 3A 0C\n", "x.cfg", 3, NEW_BLOCK, rewritten, error));
    EXPECT_EQ(error.rfind("x.cfg:2: ", 0), 0u) << error;
    EXPECT_FALSE(RewriteFrameIx("frame 3 ix 3A0 " + NEW_TAIL + " " + NEW_HEAD + "\n", "x.cfg", 3, NEW_BLOCK,
                                rewritten, error));
    for (int frame : {0, 41}) EXPECT_FALSE(RewriteFrameIx("", "x.cfg", frame, NEW_BLOCK, rewritten, error));
    EXPECT_EQ(rewritten, "untouched");
}

TEST(ScannerConfigFile, TheHolidayCartridgeRewritesOnlyTheWrittenFrame) {
    std::string text, rewritten, error;
    std::string dir = std::string(QX_SIMULATOR_CONFIG_DIR) + "/";
    ASSERT_TRUE(ReadScannerConfigText(dir + "qx52sim.cfg", text, error)) << error;
    // Frame 11 carries a damaged track of its own.
    ASSERT_TRUE(RewriteFrameIx(text, "qx52sim.cfg", 11, NEW_BLOCK, rewritten, error)) << error;
    ASSERT_EQ(rewritten.size(), text.size() + 4 * 2) << "four track lines commented out, nothing else grown";
    std::vector<std::string> was, is;
    for (auto [from, into] : {std::pair{&text, &was}, std::pair{&rewritten, &is}}) {
        size_t at = 0;
        for (size_t nl; (nl = from->find('\n', at)) != std::string::npos; at = nl + 1) {
            into->push_back(from->substr(at, nl - at));
        }
    }
    ASSERT_EQ(was.size(), is.size());
    int changed = 0;
    for (size_t i = 0; i < was.size(); ++i) {
        if (was[i] == is[i]) continue;
        ++changed;
        bool ixLine = is[i] == "frame 11 ix " + NEW_HEAD + " \\" || is[i] == "            " + NEW_TAIL;
        EXPECT_TRUE(ixLine || is[i] == "# " + was[i]) << is[i];
        EXPECT_EQ(was[i].rfind("frame 11 ", 0) == 0 || was[i].rfind("      ", 0) == 0, true) << was[i];
    }
    EXPECT_EQ(changed, 6);
    ScannerConfig holiday, config;
    ASSERT_TRUE(ParseScannerConfig(text, "qx52sim.cfg", dir, holiday, error)) << error;
    ASSERT_TRUE(ParseScannerConfig(rewritten, "qx52sim.cfg", dir, config, error)) << error;
    EXPECT_EQ(std::memcmp(config.frames[11].ixBlock, NEW_BLOCK, 32), 0);
    EXPECT_FALSE(config.frames[11].trackGiven);
    EXPECT_EQ(config.frames[11].printFormat, 3);
    EXPECT_TRUE(config.frames[7].trackGiven);
    EXPECT_EQ(std::memcmp(config.frames[7].track, holiday.frames[7].track, 80), 0);
}

}  // namespace
