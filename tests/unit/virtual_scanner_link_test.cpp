// The host's link and command set against the virtual scanner, end to end on
// the virtual clock: what the data source would see from the hardware, and
// no protocol violation on the way.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "simulator/virtual_port_access.h"
#include "source/library_state.h"
#include "source/scanner/command_set.h"
#include "source/scanner/link.h"
#include "source/scanner/scan_setup.h"

namespace {

class VirtualScannerLink : public ::testing::Test {
protected:
    VirtualHarness harness;
    PortAccess access = {};
    ScannerConfig config;
    std::vector<std::string> violations;  // of every start in the test

    void SetUp() override {
        ResetCoreState();
        config.adapter = AdapterKind::Aps;
        config.filmKind = 'N';
        config.filmSpeed = 200;
        config.exposures = 6;
        config.currentFrame = 2;
        for (int i = 0; i < 32; ++i) config.frames[2].ixBlock[i] = static_cast<uint8_t>(0x20 + i);
        for (int i = 0; i < 20; ++i) {
            config.calibrationPositive[i] = static_cast<uint8_t>(i);
            config.calibrationNegative[i] = static_cast<uint8_t>(0xE0 + i);
        }
        access = MakeVirtualPortAccess(harness);
    }
    void Start() {
        violations.insert(violations.end(), harness.scanner.violations.begin(), harness.scanner.violations.end());
        VirtualScannerInit(harness.scanner, config);
        SetPortAccess(&access);
        ASSERT_EQ(InitialiseLink(), 1);
    }
    void TearDown() override {
        SetPortAccess(nullptr);
        ResetCoreState();
        violations.insert(violations.end(), harness.scanner.violations.begin(), harness.scanner.violations.end());
        for (const std::string& v : violations) ADD_FAILURE() << "violation: " << v;
    }
    // Lets the film transport finish.
    void Pass(uint64_t milliseconds) { harness.microseconds += milliseconds * 1000; }
};

TEST_F(VirtualScannerLink, StatusCartridgeAndCalibration) {
    Start();
    EXPECT_EQ(linkState.dataPort, 0x378);  // 0x278 floats
    ScannerStatus status = {};
    ASSERT_EQ(ReadStatus(status), 1);
    EXPECT_EQ(status.statusFlags, STATUS_FRONT_SIDE | STATUS_APS_ADAPTER);
    EXPECT_EQ(status.positionByte, 2);

    CartridgeInfo info = {};
    ASSERT_EQ(ReadCartridgeData(info), 1);
    EXPECT_EQ(info.filmKind, 'N');
    EXPECT_EQ(info.exposureCount, 6);
    EXPECT_EQ(info.filmSpeed, 200);

    uint8_t block[21] = {};
    ASSERT_EQ(ReadScannerBlock(block, sizeof block, CALIBRATION_NEGATIVE, 20), 1);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(block[i], 0xE0 + i);
    EXPECT_EQ(harness.scanner.counters.commands[0xD0], 1u);
    EXPECT_EQ(harness.scanner.counters.commands[0x28], 2u);
}

TEST_F(VirtualScannerLink, BlackAndWhite25IsColourNegative400WhenTheAdapterSaysSo) {
    config.filmKind = 'B';
    config.filmSpeed = 25;
    for (uint8_t kindByte : {uint8_t{0}, uint8_t{1}}) {
        config.filmKindByte = kindByte;
        Start();
        CartridgeInfo info = {};
        ASSERT_EQ(ReadCartridgeData(info), 1);
        EXPECT_EQ(info.filmKind, kindByte == 0 ? 'N' : 'B');
        EXPECT_EQ(info.filmSpeed, kindByte == 0 ? 400 : 25);
    }
    // Gone in the middle of the film kind read: the record stays as read,
    // and the command fails.
    config.faults.goneAfterBytes = 15;
    Start();
    CartridgeInfo info = {};
    EXPECT_EQ(ReadCartridgeData(info), 0);
    EXPECT_EQ(info.filmKind, 'B');
}

TEST_F(VirtualScannerLink, FrameBlocksTravelAndAreKept) {
    Start();
    uint8_t block[32] = {};
    ASSERT_EQ(ReadFrameBlock(block), 1);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(block[i], 0x20 + i);

    // Written to frame 4, read back once the film stands there.
    uint8_t written[32];
    for (int i = 0; i < 32; ++i) written[i] = static_cast<uint8_t>(0x80 | i);
    written[0] = 0x3A, written[1] = 12, written[2] = 0x40;
    ASSERT_EQ(WriteFrameBlock(written, 4), 1);
    ASSERT_EQ(PositionFilm(POSITION_FRAME, 4), 1);
    ScannerStatus status = {};
    ASSERT_EQ(ReadStatus(status), 1);  // waits for the film to get there
    EXPECT_EQ(status.positionByte, 4);
    ASSERT_EQ(ReadFrameBlock(block), 1);
    EXPECT_EQ(std::memcmp(block, written, 32), 0);

    // The frame position check answers non-zero where the film was put.
    uint8_t check[6] = {};
    ASSERT_EQ(ReadAdapterData(DATA_ADAPTER, check, sizeof check, ADAPTER_FRAME_POSITION, 2), 1);
    EXPECT_EQ(check[0], 'R');
    EXPECT_TRUE(check[3] != 0 || check[4] != 0);

    // The raw track of the written block: 84 bytes, copies marked 02 03 .. 04 05.
    uint8_t track[84] = {};
    ASSERT_EQ(ReadAdapterData(DATA_ADAPTER_RAW, track, sizeof track, ADAPTER_MAGNETIC_TRACK, 80), 1);
    EXPECT_EQ(track[3], 2);
    EXPECT_EQ(track[4], 3);
    EXPECT_EQ(track[5], 0x3A);
    EXPECT_EQ(track[6], 12);
}

TEST_F(VirtualScannerLink, PositioningToFrameOneAndRewinding) {
    config.currentFrame = 3;
    Start();
    ASSERT_EQ(PositionFilm(POSITION_FRAME, 1), 1);  // clears the adapter byte first
    ScannerStatus status = {};
    ASSERT_EQ(ReadStatus(status), 1);
    EXPECT_EQ(status.positionByte, 1);
    EXPECT_EQ(harness.scanner.counters.commands[0x2A], 1u);

    ASSERT_EQ(PositionFilm(POSITION_REWIND, 0), 1);
    ASSERT_EQ(ReadStatus(status), 1);
    EXPECT_EQ(status.positionByte, POSITION_REWINDING);
    Pass(5000);
    ASSERT_EQ(ReadStatus(status), 1);
    EXPECT_EQ(status.positionByte, 0);
}

// A 35 mm strip whose picture is one colour per half: left (along the strip)
// red-ish, right blue-ish.
constexpr uint8_t LEFT_HALF[3] = {200, 100, 50};
constexpr uint8_t RIGHT_HALF[3] = {20, 60, 180};

void TwoHalves(ScannerConfig& c) {
    c.adapter = AdapterKind::Strip;
    c.filmKind = 'R';
    c.currentFrame = 1;
    auto picture = std::make_shared<Picture>();
    picture->width = 2;
    picture->height = 1;
    picture->rgb = {LEFT_HALF[0], LEFT_HALF[1], LEFT_HALF[2], RIGHT_HALF[0], RIGHT_HALF[1], RIGHT_HALF[2]};
    c.frames[1].picture = picture;
}

TEST_F(VirtualScannerLink, OnePreviewLineAndTheEndOfScan) {
    TwoHalves(config);
    Start();
    ScanWindow window = {177, 177, 76, 90, 2400, 1600, 5, 0x80};
    ScanMode mode = {'F', 'R', 2, 100, 100, 'N', 'P'};
    ScanParameterBlock parameters = {};
    parameters.bytes[18] = 100;
    parameters.bytes[19] = 100;
    ASSERT_EQ(SetScanWindow(window), 1);
    ASSERT_EQ(SetScanMode(mode), 1);
    ASSERT_EQ(SetScanParameters(parameters), 1);
    ASSERT_EQ(StartScan(), 1);
    // Line 0 lies in the left half, line 200 in the right half of the frame.
    for (int line = 0; line <= 200; ++line) {
        ASSERT_EQ(BeginDataPhase(), 1);
        std::vector<uint8_t> pixels;
        for (int i = 0; i < 160; ++i) {
            uint8_t r = 0, g = 0, b = 0;
            ASSERT_EQ(ReadPixelTriple(&r, &g, &b), 1) << line << " " << i;
            pixels.insert(pixels.end(), {r, g, b});
        }
        ASSERT_EQ(EndLine(), 1);
        if (line == 0 || line == 200) {
            const uint8_t* expected = line == 0 ? LEFT_HALF : RIGHT_HALF;
            for (size_t i = 0; i < 160; ++i) {
                EXPECT_EQ(pixels[3 * i], expected[0]) << line << " " << i;
                EXPECT_EQ(pixels[3 * i + 1], expected[1]) << line << " " << i;
                EXPECT_EQ(pixels[3 * i + 2], expected[2]) << line << " " << i;
            }
        }
    }
    EXPECT_EQ(EndScan(), 1);
    EXPECT_EQ(harness.scanner.counters.linesRead, 201u);
    EXPECT_FALSE(harness.scanner.scanning);
    // The film ran to its back end; a status read tells the host.
    ScannerStatus status = {};
    ASSERT_EQ(ReadStatus(status), 1);
    EXPECT_EQ(status.statusFlags & STATUS_FRONT_SIDE, 0);
}

TEST_F(VirtualScannerLink, FocusSamplesAndTheirEnd) {
    config.frames[2].picture = nullptr;  // a plain grey frame: nothing to focus on
    Start();
    ASSERT_EQ(PositionFilm(POSITION_SCANNER, 1200), 1);
    ASSERT_EQ(StartFocus('A'), 1);
    uint8_t b0 = 1, b1 = 1, b2 = 1;
    ASSERT_EQ(ReadStandaloneTriple(&b0, &b1, &b2), 1);
    EXPECT_EQ(b0 | b1 | b2, 0);
    EXPECT_EQ(EndScan(), 1);

    // The scene has edges across the frame: the samples rise.
    auto picture = std::make_shared<Picture>();
    picture->width = 1;
    picture->height = 8;
    for (int y = 0; y < 8; ++y) picture->rgb.insert(picture->rgb.end(), {0, static_cast<uint8_t>(y % 2 ? 250 : 0), 0});
    config.frames[2].picture = picture;
    Start();
    ASSERT_EQ(PositionFilm(POSITION_SCANNER, 1200), 1);
    ASSERT_EQ(StartFocus('A'), 1);
    ASSERT_EQ(ReadStandaloneTriple(&b0, &b1, &b2), 1);
    uint32_t sharp = static_cast<uint32_t>(b0 << 16 | b1 << 8 | b2);
    EXPECT_GT(sharp, 80u * 20);  // a level the gauge shows well
    EXPECT_EQ(EndScan(), 1);
    EXPECT_EQ(harness.scanner.counters.focusSamples, 1u);  // since the second start
}

TEST_F(VirtualScannerLink, FaultsAsTheHostSeesThem) {
    config.faults.answerAfterReset = true;
    Start();
    ScannerStatus status = {};
    EXPECT_EQ(ReadStatus(status), 0);
    EXPECT_EQ(ResetScanner(), 1);
    EXPECT_EQ(ReadStatus(status), 1);

    // A scanner that vanishes after two lines fails the third.
    config.faults = {};
    config.faults.goneAfterLines = 2;
    Start();
    ScanWindow window = {177, 177, 76, 90, 2400, 1600, 5, 0x80};
    ASSERT_EQ(SetScanWindow(window), 1);
    ASSERT_EQ(StartScan(), 1);
    for (int line = 0; line < 3; ++line) {
        uint64_t lineStart = harness.microseconds;
        BeginDataPhase();
        uint8_t r, g, b;
        uint8_t ok = 1;
        for (int i = 0; i < 160 && ok; ++i) ok = ReadPixelTriple(&r, &g, &b);
        if (line < 2) {
            EXPECT_EQ(ok, 1);
            EndLine();
        } else {
            // One time-out ends the scan, the end of scan included.
            EXPECT_EQ(ok, 0);
            EXPECT_EQ(EndScan(), 0);
            EXPECT_LE(harness.microseconds - lineStart, (HANDSHAKE_TIMEOUT_MS + 20) * 1000ull);
            EXPECT_EQ(harness.scanner.control, CONTROL_IDLE);
        }
    }

    // Nothing on the port at all: the probe falls back to 0x3BC and the
    // selection times out.
    config.faults = {};
    config.faults.noPort = true;
    Start();
    EXPECT_EQ(linkState.dataPort, 0x3BC);
    EXPECT_EQ(ReadStatus(status), 0);
}

// A scanner that goes in the middle of a reply fails the command within
// the bound, with the port idle; the calibration then does not count as
// read, and once the scanner is back the next try reads it.
TEST_F(VirtualScannerLink, AScannerGoneMidCommandFailsItWithinTheBound) {
    config.faults.goneAfterBytes = 5;  // half of the first block
    Start();
    uint64_t start = harness.microseconds;
    ReadScannerParameters();
    EXPECT_LE(harness.microseconds - start, (HANDSHAKE_TIMEOUT_MS + BRIEF_LEVEL_GRACE_MS + 100) * 1000ull);
    EXPECT_EQ(linkState.scannerLost, 1);
    EXPECT_EQ(harness.scanner.control, CONTROL_IDLE);
    EXPECT_EQ(calibrationRead, 0);

    config.faults = {};
    Start();
    ReadScannerParameters();
    EXPECT_EQ(calibrationRead, 1);
    EXPECT_EQ(calibrationPositive[19], 19);
    EXPECT_EQ(calibrationNegative[19], 0xE0 + 19);
}

// A host thread that is not scheduled for a moment (a busy machine) finds a
// level the scanner holds only briefly already gone. Here the host is away
// 5 ms each time it raises the data line or announces a byte: the status,
// a reply of several triples, a scan line and the end of the scan still go
// through, nothing is lost and the scanner sees no fault in the protocol.
TEST_F(VirtualScannerLink, AHostAwayForAMomentAfterEachStepStillGetsThrough) {
    Start();
    struct Away {
        VirtualHarness* harness;
        PortAccess inner;
    } away = {&harness, access};
    PortAccess slow = access;
    slow.context = &away;
    slow.readPort = [](void* c, uint16_t address) {
        auto* a = static_cast<Away*>(c);
        return a->inner.readPort(a->inner.context, address);
    };
    slow.writePort = [](void* c, uint16_t address, uint8_t value) {
        auto* a = static_cast<Away*>(c);
        a->inner.writePort(a->inner.context, address, value);
        if (value == CONTROL_SELECT || value == CONTROL_CLOCK_ONE) a->harness->microseconds += 5000;
    };
    slow.tickCount = [](void* c) {
        auto* a = static_cast<Away*>(c);
        return a->inner.tickCount(a->inner.context);
    };
    slow.busyLoop = [](void* c, uint32_t n) {
        auto* a = static_cast<Away*>(c);
        a->inner.busyLoop(a->inner.context, n);
    };
    SetPortAccess(&slow);

    ScannerStatus status = {};
    ASSERT_EQ(ReadStatus(status), 1);
    EXPECT_EQ(status.positionByte, 2);
    uint8_t block[21] = {};
    ASSERT_EQ(ReadScannerBlock(block, sizeof block, CALIBRATION_NEGATIVE, 20), 1);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(block[i], 0xE0 + i);
    ScanWindow window = {177, 177, 320, 350, 1910, 1090, 5, 0};
    ASSERT_EQ(SetScanWindow(window), 1);
    ASSERT_EQ(StartScan(), 1);
    ASSERT_EQ(BeginDataPhase(), 1);
    uint8_t r, g, b;
    for (int i = 0; i < 109; ++i) ASSERT_EQ(ReadPixelTriple(&r, &g, &b), 1);
    ASSERT_EQ(EndLine(), 1);
    EXPECT_EQ(EndScan(), 1);
    EXPECT_EQ(linkState.scannerLost, 0);
    EXPECT_FALSE(harness.scanner.scanning);
    SetPortAccess(&access);
}

}  // namespace
