// The APS film's transport and its thumbnail scan against the virtual
// scanner: where a positioning leaves the film, the check that tells a
// frame the adapter has lost, and a thumbnail drawn as the scanner sees it.
#include <gtest/gtest.h>

#include <vector>

#include "simulator/virtual_port_access.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/library_state.h"
#include "source/scanner/film_transport.h"
#include "source/scanner/index_scan.h"
#include "source/scanner/link.h"
#include "source/scanner/scanner_check.h"
#include "tests/scan_prediction.h"

namespace {

class ApsTransport : public ::testing::Test {
protected:
    VirtualHarness harness;
    PortAccess access = {};
    ScannerConfig config;

    void SetUp() override {
        ResetCoreState();
        for (int i = 0; i < 256; ++i) redTable8[i] = greenTable8[i] = blueTable8[i] = static_cast<uint8_t>(i);
        currentFilm.scanLetter = 'N';
        config.adapter = AdapterKind::Aps;
        config.exposures = 4;
        config.currentFrame = 1;
        config.frames[2].picture = GradientPicture();
        access = MakeVirtualPortAccess(harness);
        VirtualScannerInit(harness.scanner, config);
        SetPortAccess(&access);
        InitialiseLink();
    }
    void TearDown() override {
        SetPortAccess(nullptr);
        ResetCoreState();
    }
};

// A frame past the film's last stops the film at its last; the caller sees
// where it stopped.
TEST_F(ApsTransport, GoToFrameReportsWhereTheFilmStopped) {
    GoToFrame(3);
    EXPECT_EQ(filmPosition, 3);
    GoToFrame(9);
    EXPECT_EQ(filmPosition, 4);
    EXPECT_TRUE(harness.scanner.violations.empty());
}

// A host descheduled between its looks at the handshake (here 500 us per
// status read) still finds the scanner after a film move: the scanner comes
// free and, once selected, shows its handshake high only briefly.
TEST_F(ApsTransport, AStatusReadAfterAMoveSurvivesASlowHost) {
    struct Slow {
        PortAccess inner;
        VirtualHarness* harness;
    } slow = {access, &harness};
    PortAccess slowAccess = access;
    slowAccess.context = &slow;
    slowAccess.readPort = [](void* c, uint16_t address) {
        auto* s = static_cast<Slow*>(c);
        if ((address & 3) == 1) s->harness->microseconds += 500;
        return s->inner.readPort(s->inner.context, address);
    };
    slowAccess.writePort = [](void* c, uint16_t address, uint8_t value) {
        auto* s = static_cast<Slow*>(c);
        s->inner.writePort(s->inner.context, address, value);
    };
    slowAccess.tickCount = [](void* c) {
        auto* s = static_cast<Slow*>(c);
        return s->inner.tickCount(s->inner.context);
    };
    slowAccess.busyLoop = [](void* c, uint32_t n) {
        auto* s = static_cast<Slow*>(c);
        s->inner.busyLoop(s->inner.context, n);
    };
    slowAccess.keyboardSubtype = [](void*) { return int32_t{0}; };
    SetPortAccess(&slowAccess);
    GoToFrame(3);
    EXPECT_EQ(filmPosition, 3);
    GoToFrame(2);
    EXPECT_EQ(filmPosition, 2);
}

// The adapter keeps its frame registered until the film is moved some
// other way (here to its front end): then the frame must be found again.
TEST_F(ApsTransport, CheckFramePositionTellsALostFrame) {
    CheckFramePosition();
    EXPECT_EQ(repositionNeeded, 0);
    PositionFilm(POSITION_TO_FRONT, TO_FRONT_COUNT);
    CheckFramePosition();
    EXPECT_EQ(repositionNeeded, 1);
    harness.scanner.config.faults.noScanner = true;  // a failed read is no verdict
    CheckFramePosition();
    EXPECT_EQ(repositionNeeded, 0);
}

// Frame 2 (a gradient) as a thumbnail: 90 lines of 50 pixels at 83 dpi over
// the APS window, mode 'G' from the film's front. Line L lands in column L,
// pixel i in row i of the thumbnail; turned, at (89 - L, 49 - i).
TEST_F(ApsTransport, ThumbnailIsTheFrameAsTheScannerSeesIt) {
    GoToFrame(2);
    ASSERT_EQ(filmPosition, 2);
    std::vector<uint8_t> sheet(INDEX_SHEET_WIDTH * INDEX_SHEET_HEIGHT * 3, 0);
    uint32_t screenPixels = 0;
    ThumbnailTarget target = {};
    target.screen = {[](void* c, int16_t, int16_t, uint8_t, uint8_t, uint8_t) { ++*static_cast<uint32_t*>(c); },
                     &screenPixels};
    target.sheet = {[](void* c, int16_t x, int16_t y, uint8_t r, uint8_t g, uint8_t b) {
                        auto* s = static_cast<std::vector<uint8_t>*>(c);
                        size_t at = (static_cast<size_t>(y) * INDEX_SHEET_WIDTH + static_cast<size_t>(x)) * 3;
                        (*s)[at] = r, (*s)[at + 1] = g, (*s)[at + 2] = b;
                    },
                    &sheet};
    int32_t cellX = 0, cellY = 0;
    ASSERT_TRUE(IndexCellOrigin(2, cellX, cellY));
    EXPECT_EQ(cellX, 144);
    EXPECT_EQ(cellY, 0);
    IndexScanGeometry g = IndexScanGeometryFor(true, true);
    target.originX = cellX + g.cellX;
    target.originY = cellY + g.cellY;

    for (bool turned : {false, true}) {
        ASSERT_EQ(RunThumbnailScan(target, g, 'F', turned, false, false), 1);
        EXPECT_EQ(harness.scanner.setup.windowLeft, 320);
        EXPECT_EQ(harness.scanner.setup.windowHeight, 1060);
        EXPECT_EQ(harness.scanner.setup.xResolution, 83);
        EXPECT_EQ(harness.scanner.setup.mode[0], 'F');
        EXPECT_EQ(harness.scanner.setup.mode[1], 'G');
        for (uint32_t line : {0u, 44u, 89u}) {
            for (uint32_t pixel : {0u, 25u, 49u}) {
                uint8_t expected[3];
                PredictScanSample(harness.scanner, 320, 350, 83, line, pixel, expected);
                CorrectPixel(expected[0], expected[1], expected[2]);
                int32_t x = target.originX + static_cast<int32_t>(turned ? 89 - line : line);
                int32_t y = target.originY + static_cast<int32_t>(turned ? 49 - pixel : pixel);
                const uint8_t* got = &sheet[(static_cast<size_t>(y) * INDEX_SHEET_WIDTH + static_cast<size_t>(x)) * 3];
                EXPECT_EQ(got[0], expected[0]) << turned << " " << line << "," << pixel;
                EXPECT_EQ(got[1], expected[1]) << turned << " " << line << "," << pixel;
                EXPECT_EQ(got[2], expected[2]) << turned << " " << line << "," << pixel;
            }
        }
    }
    EXPECT_EQ(screenPixels, 2u * 90u * 50u);
    EXPECT_FALSE(IndexCellOrigin(41, cellX, cellY));
    EXPECT_FALSE(IndexCellOrigin(0, cellX, cellY));
}

}  // namespace
