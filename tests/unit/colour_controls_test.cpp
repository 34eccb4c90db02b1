#include <gtest/gtest.h>

#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/library_state.h"
#include "source/ui/colour_controls.h"
#include "source/ui/gamma_curve_model.h"

namespace {

class ColourControls : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCoreState();
        currentFilm.negative = 1;  // the master curve is then the identity
    }
    void TearDown() override { ResetCoreState(); }

    static SliderResult Scroll(Slider slider, uint16_t code, int32_t bar, int32_t thumb = 0, uint8_t mouseMove = 0,
                               uint8_t gammaOpen = 0, uint8_t previewed = 0) {
        return HandleSlider({slider, code, bar, thumb, mouseMove, gammaOpen, previewed});
    }
};

constexpr uint16_t SCROLL_END = 8;  // end of scrolling

TEST_F(ColourControls, StepsStopAtTheEndsOfTheBar) {
    EXPECT_EQ(StepSliderPosition(SCROLL_LINE_LEFT, 5, 0), 0);
    EXPECT_EQ(StepSliderPosition(SCROLL_LINE_RIGHT, 395, 0), 400);
    EXPECT_EQ(StepSliderPosition(SCROLL_LINE_RIGHT, 200, 0), 210);
    EXPECT_EQ(StepSliderPosition(SCROLL_PAGE_RIGHT, 380, 0), 400);
    EXPECT_EQ(StepSliderPosition(SCROLL_PAGE_LEFT, 30, 0), 0);
    EXPECT_EQ(StepSliderPosition(SCROLL_PAGE_LEFT, 200, 0), 150);
    EXPECT_EQ(StepSliderPosition(SCROLL_THUMB_POSITION, 200, 123), 123);
    EXPECT_EQ(StepSliderPosition(SCROLL_THUMB_POSITION, 200, -5), 0);
    EXPECT_EQ(StepSliderPosition(SCROLL_THUMB_POSITION, 200, 900), 400);
    // Tracking and the end of scrolling leave the bar where it was.
    EXPECT_EQ(StepSliderPosition(SCROLL_THUMB_TRACK, 200, 300), 200);
    EXPECT_EQ(StepSliderPosition(SCROLL_END, 260, 0), 260);
}

TEST_F(ColourControls, PositionsGiveGainsAndExposureBias) {
    EXPECT_EQ(Scroll(Slider::Red, SCROLL_THUMB_POSITION, 200, 0).position, 0);
    EXPECT_EQ(scanSettings.redGain, 200u);
    EXPECT_EQ(scanSettings.redCurve.gammaPercent, 200);
    Scroll(Slider::Red, SCROLL_THUMB_POSITION, 0, 400);
    EXPECT_EQ(scanSettings.redGain, 50u);
    Scroll(Slider::Red, SCROLL_THUMB_POSITION, 400, 300);
    EXPECT_EQ(scanSettings.redGain, 70u);  // trunc(100 x 2^-0.5) = trunc(70.71)
    EXPECT_EQ(scanSettings.redPosition, 300.0);
    EXPECT_EQ(scanSettings.greenGain, 100u);

    Scroll(Slider::Exposure, SCROLL_PAGE_RIGHT, 250);
    EXPECT_EQ(scanSettings.exposurePosition, 300.0);
    EXPECT_DOUBLE_EQ(scanSettings.exposureBias, -1.0);  // negative film
    currentFilm.negative = 0;
    Scroll(Slider::Exposure, SCROLL_LINE_RIGHT, 290);
    EXPECT_DOUBLE_EQ(scanSettings.exposureBias, 1.0);
    Scroll(Slider::Exposure, SCROLL_THUMB_POSITION, 300, 0);
    EXPECT_DOUBLE_EQ(scanSettings.exposureBias, -2.0);
    EXPECT_TRUE(SliderResetEnabled(Slider::Exposure));
    EXPECT_FALSE(SliderResetEnabled(Slider::Blue));
}

TEST_F(ColourControls, OnlyStepsAndMovedDropsRedraw) {
    gammaChannel = GAMMA_CHANNEL_GREEN;
    SliderResult step = Scroll(Slider::Green, SCROLL_LINE_LEFT, 200, 0, 0, 1, 1);
    EXPECT_EQ(step.position, 190);
    EXPECT_EQ(step.redraw, REDRAW_SCROLL_BAR | INVALIDATE_GAMMA | REFRESH_GAMMA | REDRAW_PREVIEW);

    // A drop without a mouse move afterwards: the value follows, nothing is redrawn.
    SliderResult still = Scroll(Slider::Green, SCROLL_THUMB_POSITION, 190, 0, 0, 1, 1);
    EXPECT_EQ(still.redraw, REDRAW_SCROLL_BAR);
    EXPECT_EQ(scanSettings.greenGain, 200u);
    EXPECT_EQ(Scroll(Slider::Green, SCROLL_THUMB_POSITION, 0, 10, 1, 1, 1).redraw,
              REDRAW_SCROLL_BAR | INVALIDATE_GAMMA | REFRESH_GAMMA | REDRAW_PREVIEW);

    // Another channel than the one shown, and the exposure: refresh only.
    EXPECT_EQ(Scroll(Slider::Blue, SCROLL_PAGE_RIGHT, 200, 0, 0, 1, 0).redraw, REDRAW_SCROLL_BAR | REFRESH_GAMMA);
    EXPECT_EQ(Scroll(Slider::Exposure, SCROLL_PAGE_RIGHT, 200, 0, 0, 1, 0).redraw, REDRAW_SCROLL_BAR | REFRESH_GAMMA);
    SliderResult track = Scroll(Slider::Red, SCROLL_THUMB_TRACK, 220, 300, 1, 1, 1);
    EXPECT_EQ(track.position, 220);
    EXPECT_EQ(track.redraw, REDRAW_NONE);
}

// The gain is the colour curve's exponent: a slider step bends the channel's
// table and the curve the gamma window loads.
TEST_F(ColourControls, BalanceSliderBendsItsCurve) {
    Scroll(Slider::Red, SCROLL_THUMB_POSITION, 200, 0);
    EXPECT_EQ(redTable8[128], 64);    // trunc((128 / 255)^2 x 255)
    EXPECT_EQ(greenTable8[128], 128);
    gammaChannel = GAMMA_CHANNEL_RED;
    LoadEditCurve();
    EXPECT_EQ(scanSettings.editCurve.gammaPercent, 200);
    EXPECT_EQ(editDisplayCurve[64], 32);  // (64 / 127.5)^2 x 127.5 = 32.1
}

TEST_F(ColourControls, ResetsGoBackToNeutral) {
    gammaChannel = GAMMA_CHANNEL_GREEN;
    Scroll(Slider::Green, SCROLL_THUMB_POSITION, 200, 0);
    Scroll(Slider::Exposure, SCROLL_PAGE_RIGHT, 200);
    EXPECT_NE(greenTable8[128], 128);

    EXPECT_EQ(ResetSlider(Slider::Green, true, false), REDRAW_SCROLL_BAR | INVALIDATE_GAMMA | REFRESH_GAMMA);
    EXPECT_EQ(scanSettings.greenPosition, 200.0);
    EXPECT_EQ(scanSettings.greenGain, 100u);
    EXPECT_EQ(scanSettings.greenCurve.gammaPercent, 100);
    EXPECT_EQ(greenTable8[128], 128);
    EXPECT_FALSE(SliderResetEnabled(Slider::Green));
    EXPECT_EQ(ResetSlider(Slider::Blue, true, true), REDRAW_SCROLL_BAR | REFRESH_GAMMA | REDRAW_PREVIEW);

    // The exposure reset leaves the gamma window alone.
    EXPECT_EQ(ResetSlider(Slider::Exposure, true, true), REDRAW_SCROLL_BAR | REDRAW_PREVIEW);
    EXPECT_EQ(scanSettings.exposureBias, 0.0);
    EXPECT_EQ(exposureTable8[10], 10);  // back to the preview's position: identity
}

TEST_F(ColourControls, BlackAndWhiteWithoutPreviewOnlyFlips) {
    EXPECT_EQ(ToggleMonochrome(false), REDRAW_NONE);
    EXPECT_EQ(scanSettings.monochrome, 1);
    EXPECT_EQ(ToggleMonochrome(true), REDRAW_PREVIEW);
    EXPECT_EQ(scanSettings.monochrome, 0);
}

}  // namespace
