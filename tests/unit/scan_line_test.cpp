#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "simulator/virtual_port_access.h"
#include "source/imaging/scan_line.h"
#include "source/imaging/tone_curves.h"
#include "source/scanner/command_set.h"
#include "source/scanner/link.h"

namespace {

using Rgb = std::array<int, 3>;

void IdentityTables() {
    for (int i = 0; i < 256; ++i) {
        redTable8[i] = greenTable8[i] = blueTable8[i] = exposureTable8[i] = static_cast<uint8_t>(i);
    }
}

Rgb Corrected(Rgb in) {
    auto r = static_cast<uint8_t>(in[0]), g = static_cast<uint8_t>(in[1]), b = static_cast<uint8_t>(in[2]);
    CorrectPixel(r, g, b);
    return {r, g, b};
}

TEST(CorrectPixel, PullThenSpreadWithIdentityTables) {
    IdentityTables();
    EXPECT_EQ(Corrected({200, 100, 50}), (Rgb{237, 81, 50}));
    EXPECT_EQ(Corrected({50, 100, 200}), (Rgb{50, 81, 237}));
    EXPECT_EQ(Corrected({200, 50, 100}), (Rgb{243, 25, 118}));
    EXPECT_EQ(Corrected({10, 20, 30}), (Rgb{10, 20, 35}));
    EXPECT_EQ(Corrected({100, 104, 100}), (Rgb{99, 105, 100}));
    EXPECT_EQ(Corrected({128, 128, 128}), (Rgb{128, 128, 128}));
    EXPECT_EQ(Corrected({255, 0, 0}), (Rgb{255, 0, 0}));
    EXPECT_EQ(Corrected({250, 240, 10}), (Rgb{255, 255, 10}));
}

TEST(CorrectPixel, TablesComeFirstAndRetoneAddsTheExposureTable) {
    IdentityTables();
    redTable8[100] = 200;
    EXPECT_EQ(Corrected({100, 100, 100}), Corrected({200, 100, 100}));
    exposureTable8[50] = 100;
    uint8_t r = 50, g = 50, b = 50;
    RetonePixel(r, g, b);
    // Exposure 50 -> 100, then as CorrectPixel(100, 100, 100): the red table
    // gives 200, stage 1 pulls green to 75, stage 2 spreads red and blue.
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{231, 75, 106}));
    EXPECT_EQ((Rgb{r, g, b}), Corrected({100, 100, 100}));
}

// The virtual scanner delivers lines; the host reads them through ReadScanLine.
class ScanLineRead : public ::testing::Test {
protected:
    VirtualHarness harness;
    PortAccess access = {};
    ScannerConfig config;
    void SetUp() override {
        IdentityTables();
        config.adapter = AdapterKind::Strip;
        access = MakeVirtualPortAccess(harness);
        VirtualScannerInit(harness.scanner, config);
        SetPortAccess(&access);
        InitialiseLink();
    }
    void TearDown() override { SetPortAccess(nullptr); }
    void StartScanAt(uint16_t dpi, uint32_t pixels) {
        ScanWindow window = {dpi, dpi, 100, 100, 600, static_cast<int32_t>(pixels * 1770 / dpi + 1), 5, 0x80};
        ScanMode mode = {'F', 'R', 2, 100, 100, 'N', 'P'};
        ScanParameterBlock parameters = {};
        parameters.bytes[18] = parameters.bytes[19] = 100;
        ASSERT_EQ(SetScanWindow(window), 1);
        ASSERT_EQ(SetScanMode(mode), 1);
        ASSERT_EQ(SetScanParameters(parameters), 1);
        ASSERT_EQ(StartScan(), 1);
    }
};

TEST_F(ScanLineRead, RegistrationDelayStartsAt801Dpi) {
    const uint32_t pixels = 8;
    std::vector<uint8_t> corrected(pixels * 3), d1(pixels * 3, 0), d2(pixels * 3, 0);
    ScanLineBuffers buffers = {nullptr, corrected.data(), d1.data(), d2.data()};

    StartScanAt(800, pixels);
    ASSERT_EQ(ReadScanLine(buffers, pixels, 800, false, false), 1);
    EXPECT_NE(corrected[0] | corrected[2], 0);  // no delay: red and blue as scanned
    EndScan();

    StartScanAt(801, pixels);
    ASSERT_EQ(ReadScanLine(buffers, pixels, 801, false, false), 1);
    for (uint32_t i = 0; i < pixels; ++i) {
        EXPECT_EQ(corrected[i * 3], 0) << i;      // red from the zero-filled delay line
        EXPECT_EQ(corrected[i * 3 + 2], 0) << i;  // blue likewise
    }
    EXPECT_NE(corrected[1], 0);  // green from this line
    EndScan();
}

TEST_F(ScanLineRead, TwoLineDelayFrom1401AndNoneInBlackAndWhite) {
    const uint32_t pixels = 4;
    std::vector<uint8_t> corrected(pixels * 3), d1(pixels * 3, 0), d2(pixels * 3, 0);
    ScanLineBuffers buffers = {nullptr, corrected.data(), d1.data(), d2.data()};
    StartScanAt(1401, pixels);
    ASSERT_EQ(ReadScanLine(buffers, pixels, 1401, false, false), 1);
    ASSERT_EQ(ReadScanLine(buffers, pixels, 1401, false, false), 1);
    EXPECT_EQ(corrected[0], 0);  // still the zero fill two lines back
    ASSERT_EQ(ReadScanLine(buffers, pixels, 1401, false, false), 1);
    EXPECT_NE(corrected[0], 0);
    EndScan();

    std::vector<uint8_t> raw(pixels * 3);
    buffers.rawLine = raw.data();
    std::fill(d1.begin(), d1.end(), 0);
    StartScanAt(1401, pixels);
    ASSERT_EQ(ReadScanLine(buffers, pixels, 1401, true, false), 1);
    for (uint32_t i = 0; i < pixels; ++i) {
        EXPECT_EQ(corrected[i * 3], corrected[i * 3 + 1]);  // grey in, grey out
        EXPECT_EQ(corrected[i * 3 + 2], corrected[i * 3 + 1]);
    }
    EndScan();
}

TEST_F(ScanLineRead, AScannerGoneMidLineEndsTheLine) {
    const uint32_t pixels = 16;
    std::vector<uint8_t> corrected(pixels * 3, 0xEE);
    ScanLineBuffers buffers = {nullptr, corrected.data(), nullptr, nullptr};
    StartScanAt(300, pixels);
    SetPortAccess(nullptr);  // the bus floats from here on
    EXPECT_EQ(ReadScanLine(buffers, pixels, 300, false, false), 0);
    EXPECT_EQ(corrected[0], 0xEE);
}

LinePlacement Placement(char direction, char orientation, uint32_t lineIndex) {
    return {4, 3, direction, orientation, 4.0, 0, 0, lineIndex};
}

TEST(PlaceScanLine, EveryDirectionAndOrientation) {
    struct Case {
        char direction, orientation;
        int32_t x0, y0;  // pixel 0 of line 1 (of 4 lines, 3 pixels)
    };
    const Case cases[] = {{'F', 'L', 1, 0}, {'F', 'R', 2, 2}, {'F', 'T', 2, 1}, {'F', 'B', 0, 2},
                          {'B', 'L', 2, 0}, {'B', 'R', 1, 2}, {'B', 'T', 2, 2}, {'B', 'B', 0, 1}};
    for (const Case& c : cases) {
        int32_t x, y;
        PlacePixel(Placement(c.direction, c.orientation, 1), 0, x, y);
        EXPECT_EQ(x, c.x0) << c.direction << c.orientation;
        EXPECT_EQ(y, c.y0) << c.direction << c.orientation;
    }
}

TEST(PlaceScanLine, LineZeroGoesLeftWithItsFirstPixelOnTopBlueFirst) {
    const uint32_t width = 4, height = 3, rowBytes = 12;
    std::vector<uint8_t> bitmap(rowBytes * height, 0);
    const uint8_t line[9] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    LinePlacement p = {4, 3, 'F', 'L', 4.0, 0, 0, 0};
    ASSERT_EQ(PlaceScanLine(line, bitmap.data(), bitmap.size(), height, rowBytes, p), 1);
    // Pixel 0 is the picture's top row: the last row in memory, column 0.
    EXPECT_EQ(bitmap[(height - 1) * rowBytes + 0], 30);
    EXPECT_EQ(bitmap[(height - 1) * rowBytes + 1], 20);
    EXPECT_EQ(bitmap[(height - 1) * rowBytes + 2], 10);
    EXPECT_EQ(bitmap[0 * rowBytes + 0], 90);  // pixel 2: the bottom row
    (void)width;
    // An origin far outside writes nothing.
    p.originX = 1000;
    std::vector<uint8_t> before = bitmap;
    PlaceScanLine(line, bitmap.data(), bitmap.size(), height, rowBytes, p);
    EXPECT_EQ(bitmap, before);
}

TEST(DrawScanLine, HalfScaleDrawsEachScreenPixelOnce) {
    std::vector<std::pair<int, int>> drawn;
    ScanLineCanvas canvas = {[](void* c, int16_t x, int16_t y, uint8_t, uint8_t, uint8_t) {
                                 static_cast<std::vector<std::pair<int, int>>*>(c)->push_back({x, y});
                             },
                             &drawn};
    std::vector<uint8_t> line(600 * 3, 128);
    for (uint32_t index : {4u, 5u}) {
        LinePlacement p = {600, 600, 'F', 'L', 300.0, 10, 20, index};
        DrawScanLine(canvas, line.data(), p);
    }
    // Lines 4 and 5 both land on column 2 + 10; within a call, pairs of
    // pixels share a row, so each call draws 300 points.
    ASSERT_EQ(drawn.size(), 600u);
    std::set<std::pair<int, int>> distinct(drawn.begin(), drawn.end());
    EXPECT_EQ(distinct.size(), 300u);
    EXPECT_EQ(drawn.front().first, 12);
    EXPECT_EQ(drawn.front().second, 20);
}

}  // namespace
