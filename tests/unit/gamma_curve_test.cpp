#include <gtest/gtest.h>

#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/library_state.h"
#include "source/ui/gamma_curve_model.h"

namespace {

constexpr ToneCurve DEFAULT = {0, 0, 255, 255, 100};

class GammaCurve : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCoreState();
        currentFilm.negative = 1;
    }
    void TearDown() override { ResetCoreState(); }

    static ToneCurve Dragged(ToneCurve curve, char mode, int32_t dx, int32_t dy) {
        GraphPoint point = {64, 64};
        ApplyGammaDrag(curve, mode, point, dx, dy);
        return curve;
    }
};

TEST_F(GammaCurve, GraphCoordinatesAndChannels) {
    ClientPoint origin = GraphToClient({0, 0});
    EXPECT_EQ(origin.x, 31);
    EXPECT_EQ(origin.y, 135);
    ClientPoint top = GraphToClient({127, 127});
    EXPECT_EQ(top.x, 158);
    EXPECT_EQ(top.y, 8);
    GraphPoint shadow = ShadowPoint({101, 51, 255, 255, 100});
    EXPECT_EQ(shadow.x, 50);
    EXPECT_EQ(shadow.y, 25);
    MarkerRect marker = PointMarker({127, 127});
    EXPECT_EQ(marker.left, 155);
    EXPECT_EQ(marker.top, 5);
    EXPECT_EQ(marker.right, 161);
    EXPECT_EQ(marker.bottom, 11);

    EXPECT_TRUE(SelectGammaChannel(503));
    EXPECT_EQ(gammaChannel, GAMMA_CHANNEL_GREEN);
    EXPECT_FALSE(SelectGammaChannel(505));
    EXPECT_FALSE(SelectGammaChannel(500));
    EXPECT_EQ(gammaChannel, GAMMA_CHANNEL_GREEN);
}

TEST_F(GammaCurve, HitTestsOfPointsAndCurve) {
    LoadEditCurve();  // the straight master curve
    // The highlight point (127, 127) is at pixel (158, 8), the shadow at (31, 135).
    EXPECT_EQ(BeginGammaDrag({158, 8}), DRAG_HIGHLIGHT);
    EXPECT_EQ(BeginGammaDrag({31, 135}), DRAG_SHADOW);
    // Beside a point's marker, inside the wider box, no drag, even where the
    // mouse is on the curve itself.
    EXPECT_EQ(BeginGammaDrag({163, 8}), DRAG_NONE);
    EXPECT_EQ(BeginGammaDrag({150, 17}), DRAG_NONE);  // 5 left of the highlight's marker
    EXPECT_EQ(BeginGammaDrag({40, 125}), DRAG_NONE);  // near the shadow
    // Graph point (64, 64) on the curve is at pixel (95, 71).
    EXPECT_EQ(BeginGammaDrag({95, 71}), DRAG_CURVE);
    EXPECT_EQ(gammaDrag.point.x, 64);
    EXPECT_EQ(gammaDrag.point.y, 64);
    EXPECT_EQ(BeginGammaDrag({95, 120}), DRAG_NONE);  // well below the curve
    EXPECT_EQ(EndGammaDrag(true), GAMMA_REDRAW_NONE);
}

TEST_F(GammaCurve, ShadowSlidesAlongBottomAndLeftEdges) {
    LoadEditCurve();
    ASSERT_EQ(BeginGammaDrag({31, 135}), DRAG_SHADOW);
    MoveGammaDrag({41, 135});  // 10 pixels right: 2 levels a pixel
    EXPECT_EQ(scanSettings.editCurve.lowIn, 20);
    MoveGammaDrag({41, 125});  // up, but off the left edge: no effect
    EXPECT_EQ(scanSettings.editCurve.lowOut, 0);
    MoveGammaDrag({400, 125});
    EXPECT_EQ(scanSettings.editCurve.lowIn, 254);  // one below highIn

    // Off the bottom edge, horizontal movement does nothing.
    ToneCurve raised = Dragged({0, 10, 255, 255, 100}, DRAG_SHADOW, 30, 5);
    EXPECT_EQ(raised.lowIn, 0);
    EXPECT_EQ(raised.lowOut, 20);
    // The shadow never passes a lowered highlight.
    EXPECT_EQ(Dragged({0, 0, 100, 255, 100}, DRAG_SHADOW, 500, 0).lowIn, 99);
    EXPECT_EQ(Dragged({0, 0, 255, 40, 100}, DRAG_SHADOW, 0, 500).lowOut, 39);
}

TEST_F(GammaCurve, HighlightSlidesAlongTopAndRightEdges) {
    EXPECT_EQ(Dragged(DEFAULT, DRAG_HIGHLIGHT, 0, -10).highOut, 235);
    EXPECT_EQ(Dragged({0, 40, 255, 255, 100}, DRAG_HIGHLIGHT, 0, -500).highOut, 41);  // never down to lowOut
    EXPECT_EQ(Dragged({0, 0, 200, 255, 100}, DRAG_HIGHLIGHT, 0, -10).highOut, 255);   // off the right edge
    EXPECT_EQ(Dragged({120, 0, 255, 255, 100}, DRAG_HIGHLIGHT, -500, 0).highIn, 121);
    // From the corner, a diagonal move follows one edge only.
    ToneCurve corner = Dragged(DEFAULT, DRAG_HIGHLIGHT, -5, -5);
    EXPECT_EQ(corner.highIn, 245);
    EXPECT_EQ(corner.highOut, 255);
}

TEST_F(GammaCurve, CurveDragSetsTheExponentWithinItsEnds) {
    LoadEditCurve();
    ASSERT_EQ(BeginGammaDrag({95, 71}), DRAG_CURVE);
    GammaMoveResult master = MoveGammaDrag({95, 103});  // (64, 64) down to (64, 32)
    EXPECT_EQ(scanSettings.editCurve.gammaPercent, 200);  // trunc(64 x 100 / 32)
    EXPECT_EQ(master.sliderMoved, 0);                     // the master has no slider

    // The point stays inside the curve's ends: y at most 126, x at least 1.
    EXPECT_EQ(Dragged(DEFAULT, DRAG_CURVE, 0, 500).gammaPercent, 50);   // trunc(64 x 100 / 126)
    EXPECT_EQ(Dragged(DEFAULT, DRAG_CURVE, -500, 500).gammaPercent, 1);  // 100 / 126, raised to 1
    EXPECT_EQ(Dragged(DEFAULT, DRAG_CURVE, 500, -500).gammaPercent, 10000);  // 126 x 100 / 1, lowered
    // End points with no room between them leave the exponent alone.
    EXPECT_EQ(Dragged({100, 0, 101, 255, 150}, DRAG_CURVE, 5, -5).gammaPercent, 150);
    EXPECT_EQ(Dragged({0, 100, 255, 102, 150}, DRAG_CURVE, 5, -5).gammaPercent, 150);
}

TEST_F(GammaCurve, BalanceSliderFollowsColourCurve) {
    EXPECT_EQ(BalancePosition(200), 0.0);
    EXPECT_EQ(BalancePosition(50), 400.0);
    EXPECT_EQ(BalancePosition(25), 400.0);  // 600, clamped

    gammaChannel = GAMMA_CHANNEL_RED;
    LoadEditCurve();
    ASSERT_EQ(BeginGammaDrag({95, 71}), DRAG_CURVE);
    GammaMoveResult moved = MoveGammaDrag({95, 103});
    EXPECT_EQ(moved.sliderMoved, 1);
    EXPECT_EQ(moved.slider, Slider::Red);
    EXPECT_EQ(moved.sliderPosition, 0);
    EXPECT_EQ(scanSettings.redPosition, 0.0);
    EXPECT_EQ(scanSettings.redCurve.gammaPercent, 100);  // stored only at button up

    EXPECT_EQ(EndGammaDrag(true), GAMMA_REDRAW_WINDOW | GAMMA_RETONE_PREVIEW);
    EXPECT_EQ(scanSettings.redCurve.gammaPercent, 200);
    EXPECT_EQ(scanSettings.redGain, 200u);
    EXPECT_EQ(redTable8[128], 64);  // trunc((128 / 255)^2 x 255)
    EXPECT_EQ(gammaDrag.mode, DRAG_NONE);
}

TEST_F(GammaCurve, ResetRestoresCurvesAndBalanceButNotExposure) {
    gammaChannel = GAMMA_CHANNEL_BLUE;
    scanSettings.blueCurve.gammaPercent = 150;
    scanSettings.blueGain = 150;
    scanSettings.masterCurve.lowIn = 40;
    scanSettings.redPosition = 83.0;
    scanSettings.exposurePosition = 300.0;

    EXPECT_EQ(ResetGammaCurves(true), GAMMA_REDRAW_WINDOW | GAMMA_BALANCE_SLIDERS | GAMMA_RETONE_PREVIEW);
    EXPECT_EQ(gammaChannel, GAMMA_CHANNEL_MASTER);
    EXPECT_EQ(scanSettings.masterCurve.lowIn, 0);
    EXPECT_EQ(scanSettings.blueCurve.gammaPercent, 100);
    EXPECT_EQ(scanSettings.blueGain, 100u);
    EXPECT_EQ(scanSettings.redPosition, 200.0);
    EXPECT_EQ(scanSettings.exposurePosition, 300.0);
    EXPECT_EQ(editDisplayCurve[0], 0);
    EXPECT_EQ(editDisplayCurve[127], 127);
    EXPECT_EQ(ComputeCurveFlags().curvesModified, 0);
    EXPECT_EQ(blueTable8[128], 128);
}

}  // namespace
