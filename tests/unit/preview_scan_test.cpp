#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "simulator/virtual_port_access.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/library_state.h"
#include "source/scanner/link.h"
#include "source/scanner/preview_scan.h"
#include "tests/scan_prediction.h"

namespace {

class PreviewScan : public ::testing::Test {
protected:
    VirtualHarness harness;
    PortAccess access = {};
    ScannerConfig config;
    std::vector<uint8_t> pixels = std::vector<uint8_t>(PREVIEW_PIXELS_BYTES, 0);
    std::vector<uint8_t> bitmap = std::vector<uint8_t>(PREVIEW_BITMAP_BYTES, 0);
    uint32_t drawn = 0;

    void SetUp() override {
        ResetCoreState();
        for (int i = 0; i < 256; ++i) redTable8[i] = greenTable8[i] = blueTable8[i] = static_cast<uint8_t>(i);
        currentFilm.scanLetter = 'R';
        config.adapter = AdapterKind::Strip;
        config.filmKind = 'R';
        access = MakeVirtualPortAccess(harness);
        VirtualScannerInit(harness.scanner, config);
        SetPortAccess(&access);
        InitialiseLink();
    }
    void TearDown() override {
        SetPortAccess(nullptr);
        ResetCoreState();
    }
    PreviewTarget Target() {
        ScanLineCanvas canvas = {[](void* c, int16_t, int16_t, uint8_t, uint8_t, uint8_t) { ++*static_cast<uint32_t*>(c); },
                                 &drawn};
        return {pixels.data(), bitmap.data(), bitmap.size(), canvas, 10, 20};
    }
    uint32_t HeaderField(size_t offset) const { return Field(&bitmap[offset]); }
};

TEST_F(PreviewScan, StripFrameFillsBothBuffersAsTheScannerSeesIt) {
    ASSERT_EQ(RunPreviewScan(Target(), false, 0, false), ScanOutcome::Completed);
    EXPECT_EQ(harness.scanner.counters.linesRead, 240u);
    EXPECT_TRUE(harness.scanner.violations.empty());
    EXPECT_EQ(HeaderField(0), 40u);
    EXPECT_EQ(HeaderField(4), 240u);
    EXPECT_EQ(HeaderField(8), 160u);
    EXPECT_EQ(HeaderField(20), 720u * 160u);
    // A plain frame: every stored pixel the same (blue, green, red as
    // received), and the displayed one its correction.
    for (size_t i = 0; i < PREVIEW_PIXELS_BYTES; i += 3) {
        ASSERT_EQ(std::memcmp(&pixels[i], &pixels[0], 3), 0) << i;
    }
    EXPECT_GT(pixels[1], 0);
    uint8_t r = pixels[2], g = pixels[1], b = pixels[0];
    CorrectPixel(r, g, b);
    EXPECT_EQ(bitmap[DIB_HEADER_BYTES], b);
    EXPECT_EQ(bitmap[DIB_HEADER_BYTES + 1], g);
    EXPECT_EQ(bitmap[DIB_HEADER_BYTES + 2], r);
    EXPECT_EQ(drawn, 240u * 160u);  // scale 1: every pixel on a screen point of its own
}

TEST_F(PreviewScan, QuarterTurnAndApsGeometry) {
    ASSERT_EQ(RunPreviewScan(Target(), false, 1, false), ScanOutcome::Completed);
    EXPECT_EQ(HeaderField(4), 160u);
    EXPECT_EQ(HeaderField(8), 240u);
    config.adapter = AdapterKind::Aps;
    VirtualScannerInit(harness.scanner, config);
    InitialiseLink();
    ASSERT_EQ(RunPreviewScan(Target(), true, 0, false), ScanOutcome::Completed);
    EXPECT_EQ(harness.scanner.counters.linesRead, 191u);
    EXPECT_EQ(HeaderField(4), 191u);
    EXPECT_EQ(HeaderField(8), 109u);
    EXPECT_EQ(harness.scanner.setup.windowLeft, 320);
    EXPECT_EQ(harness.scanner.setup.windowWidth, 1910);
}

TEST_F(PreviewScan, AScannerGoneDuringTheScanIsReported) {
    SetPortAccess(nullptr);  // the bus floats: the first line cannot be read
    EXPECT_EQ(RunPreviewScan(Target(), false, 0, false), ScanOutcome::LineFailed);
}

}  // namespace
