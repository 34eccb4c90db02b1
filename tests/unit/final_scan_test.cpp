#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "simulator/virtual_port_access.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/library_state.h"
#include "source/scanner/final_scan.h"
#include "source/scanner/link.h"
#include "source/scanner/scan_setup.h"
#include "tests/scan_prediction.h"

namespace {

ScanSettings WholeFrame(double width, double height, uint16_t rotation = 0) {
    ScanSettings s = {};
    SetWholeFrame(s, width, height);
    s.rotation = rotation;
    s.outputResolution = 200;
    return s;
}

TEST(FinalScanGeometry, WholeStripFrameAt600By400) {
    FinalScanGeometry g;
    ASSERT_TRUE(FinalScanGeometryFor(WholeFrame(600, 400), g));
    EXPECT_EQ(g.windowWidth, 2400);
    EXPECT_EQ(g.windowHeight, 1600);
    EXPECT_EQ(g.windowLeft, 76);
    EXPECT_EQ(g.windowTop, 90);
    EXPECT_EQ(g.resolution, 443);  // trunc((600 x 1770 - 1) / 2400 + 1)
    EXPECT_EQ(g.lines, 600u);
    EXPECT_EQ(g.pixels, 400u);
    EXPECT_EQ(g.progressWidth, 600);
    EXPECT_EQ(g.progressHeight, 400);
    EXPECT_EQ(g.rowBytes, 1800u);
    EXPECT_EQ(g.imageBytes, 40u + 1800u * 400u);
}

TEST(FinalScanGeometry, ProgressPictureKeepsTheOutputsAspect) {
    FinalScanGeometry g;
    ASSERT_TRUE(FinalScanGeometryFor(WholeFrame(1200, 300), g));
    EXPECT_EQ(g.progressWidth, 600);
    EXPECT_EQ(g.progressHeight, 150);
    ASSERT_TRUE(FinalScanGeometryFor(WholeFrame(300, 1200), g));
    EXPECT_EQ(g.progressWidth, 100);
    EXPECT_EQ(g.progressHeight, 400);
    ASSERT_TRUE(FinalScanGeometryFor(WholeFrame(1, 5000), g));
    EXPECT_EQ(g.progressWidth, 1);  // never a picture of no pixels
}

TEST(FinalScanGeometry, QuarterTurnsSwapLinesAndPixelsAndCropMovesTheWindow) {
    ScanSettings s = WholeFrame(400, 600, 1);
    FinalScanGeometry g;
    ASSERT_TRUE(FinalScanGeometryFor(s, g));
    EXPECT_EQ(g.lines, 600u);  // H lines of W pixels
    EXPECT_EQ(g.pixels, 400u);
    EXPECT_EQ(g.resolution, 443);  // from the height, along the lines
    EXPECT_EQ(g.progressLineExtent, 400.0);
    EXPECT_EQ(g.rowBytes, 1200u);

    s = WholeFrame(100, 100);
    s.cropX0 = 20;
    s.cropX1 = 119;
    s.cropY0 = 10;
    s.cropY1 = 109;
    s.apsAdapter = 1;
    ASSERT_TRUE(FinalScanGeometryFor(s, g));
    EXPECT_EQ(g.windowLeft, 200 + 320);
    EXPECT_EQ(g.windowTop, 100 + 350);
    EXPECT_EQ(g.windowWidth, 1000);
    EXPECT_EQ(g.rowBytes, 300u);
    EXPECT_EQ(g.resolution, 177);  // trunc((100 x 1770 - 1) / 1000 + 1)
}

TEST(FinalScanGeometry, SizesThatCannotBeScannedAreRefused) {
    FinalScanGeometry g;
    EXPECT_FALSE(FinalScanGeometryFor(WholeFrame(0, 400), g));
    EXPECT_FALSE(FinalScanGeometryFor(WholeFrame(600, 0.5), g));
    EXPECT_FALSE(FinalScanGeometryFor(WholeFrame(-600, 400), g));
    EXPECT_FALSE(FinalScanGeometryFor(WholeFrame(70000, 400), g));      // W beyond 16 bits
    EXPECT_FALSE(FinalScanGeometryFor(WholeFrame(65535, 65535), g));    // 12 GB: would overflow
    ScanSettings s = WholeFrame(60000, 10);
    s.cropX1 = 0;  // one preview pixel wide: resolution beyond 16 bits
    EXPECT_FALSE(FinalScanGeometryFor(s, g));
    s = WholeFrame(600, 400);
    s.cropX1 = -2;  // an inverted frame
    EXPECT_FALSE(FinalScanGeometryFor(s, g));
}

TEST(FinalScanGeometry, TransferHeader) {
    FinalScanGeometry g;
    ASSERT_TRUE(FinalScanGeometryFor(WholeFrame(101, 3), g));
    uint8_t header[DIB_HEADER_BYTES];
    std::memset(header, 0xAA, sizeof header);
    WriteTransferHeader(header, g, 300);
    EXPECT_EQ(Field(header), 40u);
    EXPECT_EQ(Field(header + 4), 101u);
    EXPECT_EQ(Field(header + 8), 3u);
    EXPECT_EQ(header[12] | header[13] << 8, 1);
    EXPECT_EQ(header[14] | header[15] << 8, 24);
    EXPECT_EQ(Field(header + 16), 0u);       // BI_RGB
    EXPECT_EQ(Field(header + 20), 304u * 3);  // rows of 304 bytes
    EXPECT_EQ(Field(header + 24), 11811u);   // trunc(300 x 39.37)
    EXPECT_EQ(Field(header + 28), 11811u);
    EXPECT_EQ(Field(header + 32), 0u);
    EXPECT_EQ(Field(header + 36), 0u);
}

// 39.37 = 3937 / 100: the exact truncated value for every whole resolution,
// where a product of doubles gives 7873 at 200 dpi.
TEST(PixelsPerMetre, ExactForEveryWholeResolution) {
    for (uint32_t dpi = 1; dpi <= 65535; ++dpi) {
        ASSERT_EQ(PixelsPerMetre(dpi), dpi * 3937u / 100u) << dpi << " dpi";
    }
    EXPECT_EQ(PixelsPerMetre(200), 7874u);
    EXPECT_EQ(PixelsPerMetre(-1), 0u);
    EXPECT_EQ(PixelsPerMetre(1e12), 0u);
}

// A final scan against the virtual scanner: a strip of reversal film whose
// frame is a colour gradient.
class FinalScan : public ::testing::Test {
protected:
    VirtualHarness harness;
    PortAccess access = {};
    ScannerConfig config;
    std::vector<uint8_t> image;
    uint32_t drawn = 0;
    uint32_t beforeDraws = 0;
    uint32_t looks = 0;
    uint32_t stopAfterLook = 0;  // 0: never

    void SetUp() override {
        ResetCoreState();
        for (int i = 0; i < 256; ++i) redTable8[i] = greenTable8[i] = blueTable8[i] = static_cast<uint8_t>(i);
        currentFilm.scanLetter = 'R';
        config.adapter = AdapterKind::Strip;
        config.filmKind = 'R';
        config.currentFrame = 1;
        config.frames[1].picture = GradientPicture();
        access = MakeVirtualPortAccess(harness);
    }
    void Start() {
        VirtualScannerInit(harness.scanner, config);
        SetPortAccess(&access);
        InitialiseLink();
    }
    void TearDown() override {
        SetPortAccess(nullptr);
        ResetCoreState();
    }
    ScanOutcome Run(const FinalScanGeometry& g, uint16_t rotation) {
        image.assign(g.imageBytes, 0);
        WriteTransferHeader(image.data(), g, 200);
        FinalScanTarget target = {};
        target.image = image.data();
        target.imageBytes = image.size();
        target.progress = {[](void* c, int16_t, int16_t, uint8_t, uint8_t, uint8_t) {
                               ++static_cast<FinalScan*>(c)->drawn;
                           },
                           this};
        target.beforeDraw = [](void* c) { ++static_cast<FinalScan*>(c)->beforeDraws; };
        target.stopRequested = [](void* c) {
            auto* t = static_cast<FinalScan*>(c);
            return ++t->looks == t->stopAfterLook;
        };
        target.context = this;
        return RunFinalScan(target, g, rotation, false);
    }
    // What the host must make of scanner line k, pixel i: the scanner's
    // sample there (the picture's line L is the scanner's line L + 2, after
    // the priming lines), corrected.
    void Expected(const FinalScanGeometry& g, uint32_t line, uint32_t pixel, uint8_t out[3]) {
        PredictScanSample(harness.scanner, g.windowLeft, g.windowTop, g.resolution, line + 2, pixel, out);
        CorrectPixel(out[0], out[1], out[2]);
    }
    const uint8_t* ImagePixel(const FinalScanGeometry& g, int32_t x, int32_t yFromTop) {
        return &image[DIB_HEADER_BYTES + (g.height - 1 - static_cast<uint32_t>(yFromTop)) * g.rowBytes +
                      static_cast<uint32_t>(x) * 3];
    }
};

TEST_F(FinalScan, WholeFrameGivesThePictureTheScannerSees) {
    Start();
    FinalScanGeometry g;
    ASSERT_TRUE(FinalScanGeometryFor(WholeFrame(600, 400), g));
    ASSERT_EQ(Run(g, 0), ScanOutcome::Completed);
    EXPECT_TRUE(harness.scanner.violations.empty());
    EXPECT_EQ(harness.scanner.counters.linesRead, 602u);  // two priming lines
    EXPECT_FALSE(harness.scanner.scanning);             // ended
    EXPECT_EQ(harness.scanner.setup.xResolution, 443);
    EXPECT_EQ(harness.scanner.setup.windowWidth, 2400);
    EXPECT_EQ(beforeDraws, 600u);
    EXPECT_EQ(looks, 600u);
    EXPECT_EQ(drawn, 600u * 400u);  // progress at scale 1
    // Rotation 0: line L is column L, pixel i row i from the top.
    for (uint32_t line : {0u, 1u, 299u, 599u}) {
        for (uint32_t pixel : {0u, 17u, 200u, 399u}) {
            uint8_t rgb[3];
            Expected(g, line, pixel, rgb);
            const uint8_t* bgr = ImagePixel(g, static_cast<int32_t>(line), static_cast<int32_t>(pixel));
            EXPECT_EQ(bgr[2], rgb[0]) << line << "," << pixel;
            EXPECT_EQ(bgr[1], rgb[1]) << line << "," << pixel;
            EXPECT_EQ(bgr[0], rgb[2]) << line << "," << pixel;
        }
    }
}

TEST_F(FinalScan, HalfTurnAtReducedProgressScale) {
    Start();
    FinalScanGeometry g;
    ASSERT_TRUE(FinalScanGeometryFor(WholeFrame(1200, 800, 2), g));
    ASSERT_EQ(Run(g, 2), ScanOutcome::Completed);
    EXPECT_EQ(harness.scanner.setup.xResolution, 885);  // a one-line registration delay
    EXPECT_LT(drawn, 1200u * 800u);  // pixels landing on one screen point are skipped
    // Rotation 2: line L is column W-1-L, pixel i row H-1-i.
    uint8_t rgb[3];
    Expected(g, 500, 300, rgb);
    const uint8_t* bgr = ImagePixel(g, 1200 - 1 - 500, 800 - 1 - 300);
    EXPECT_NEAR(bgr[2], rgb[0], 1);
    EXPECT_EQ(bgr[1], rgb[1]);
}

TEST_F(FinalScan, StopAfterALineEndsTheScan) {
    Start();
    FinalScanGeometry g;
    ASSERT_TRUE(FinalScanGeometryFor(WholeFrame(600, 400), g));
    stopAfterLook = 11;  // the look after line 10
    EXPECT_EQ(Run(g, 0), ScanOutcome::Stopped);
    EXPECT_EQ(harness.scanner.counters.linesRead, 13u);
    EXPECT_FALSE(harness.scanner.scanning);
}

TEST_F(FinalScan, AScannerGoneDuringTheScanFailsTheLine) {
    config.faults.goneAfterLines = 20;
    Start();
    FinalScanGeometry g;
    ASSERT_TRUE(FinalScanGeometryFor(WholeFrame(600, 400), g));
    EXPECT_EQ(Run(g, 0), ScanOutcome::LineFailed);
    EXPECT_EQ(looks, 18u);
}

}  // namespace
