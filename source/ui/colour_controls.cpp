#include "source/ui/colour_controls.h"

#include <cmath>

#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/ui/gamma_curve_model.h"
#include "source/ui/scan_settings.h"

namespace {

int32_t ClampPosition(int64_t position) {
    return static_cast<int32_t>(position < SLIDER_MIN ? SLIDER_MIN : position > SLIDER_MAX ? SLIDER_MAX : position);
}

double* PositionField(Slider slider) {
    ScanSettings& s = scanSettings;
    switch (slider) {
    case Slider::Red: return &s.redPosition;
    case Slider::Green: return &s.greenPosition;
    case Slider::Blue: return &s.bluePosition;
    case Slider::Exposure: break;
    }
    return &s.exposurePosition;
}

// The colour sliders' gain and the curve whose exponent it is; the gain is
// the colour balance, so both must always hold the same number.
void SetGain(Slider slider, uint32_t gain) {
    ScanSettings& s = scanSettings;
    switch (slider) {
    case Slider::Red: s.redGain = gain; s.redCurve.gammaPercent = static_cast<int32_t>(gain); break;
    case Slider::Green: s.greenGain = gain; s.greenCurve.gammaPercent = static_cast<int32_t>(gain); break;
    case Slider::Blue: s.blueGain = gain; s.blueCurve.gammaPercent = static_cast<int32_t>(gain); break;
    case Slider::Exposure: break;
    }
}

uint8_t ChannelOf(Slider slider) {
    switch (slider) {
    case Slider::Red: return GAMMA_CHANNEL_RED;
    case Slider::Green: return GAMMA_CHANNEL_GREEN;
    case Slider::Blue: return GAMMA_CHANNEL_BLUE;
    case Slider::Exposure: break;
    }
    return GAMMA_CHANNEL_MASTER;
}

bool NegativeFilm() {
    return currentFilm.negative != 0;
}

void RebuildTables() {
    BuildToneTables();
    BuildPixelTables();
}

}  // namespace

int32_t StepSliderPosition(uint16_t code, int32_t barPosition, int32_t thumbPosition) {
    // In 64 bits, so that a step from a position at the end of 32 bits cannot
    // overflow before the clamp.
    int64_t position = barPosition;
    switch (code) {
    case SCROLL_LINE_LEFT: position -= SLIDER_ARROW_STEP; break;
    case SCROLL_LINE_RIGHT: position += SLIDER_ARROW_STEP; break;
    case SCROLL_PAGE_LEFT: position -= SLIDER_PAGE_STEP; break;
    case SCROLL_PAGE_RIGHT: position += SLIDER_PAGE_STEP; break;
    case SCROLL_THUMB_POSITION: position = thumbPosition; break;
    default: break;
    }
    return ClampPosition(position);
}

double ExposureBias(double position, bool negativeFilm) {
    return negativeFilm ? (position - SLIDER_NEUTRAL) / -100.0 : (position - SLIDER_NEUTRAL) / 100.0;
}

uint32_t BalanceGain(double position) {
    double p = position < SLIDER_MIN ? SLIDER_MIN : position > SLIDER_MAX ? SLIDER_MAX : position;
    if (!(p == p)) p = SLIDER_NEUTRAL;  // NaN
    return static_cast<uint32_t>(100.0 * std::pow(2.0, (SLIDER_NEUTRAL - p) / 200.0));
}

double BalancePosition(int32_t gammaPercent) {
    if (gammaPercent <= 0) return SLIDER_MAX;  // log2 has no value there
    double position = SLIDER_NEUTRAL - 200.0 * std::log2(gammaPercent / 100.0);
    return position < SLIDER_MIN ? SLIDER_MIN : position > SLIDER_MAX ? SLIDER_MAX : position;
}

double SliderPosition(Slider slider) {
    return *PositionField(slider);
}

bool SliderResetEnabled(Slider slider) {
    return SliderPosition(slider) != SLIDER_NEUTRAL;
}

SliderResult HandleSlider(const SliderInput& input) {
    ScanSettings& s = scanSettings;
    uint8_t renderNow = 0;
    uint8_t redraw = REDRAW_NONE;
    switch (input.code) {
    case SCROLL_LINE_LEFT:
    case SCROLL_LINE_RIGHT:
    case SCROLL_PAGE_LEFT:
    case SCROLL_PAGE_RIGHT:
        redraw |= REDRAW_SCROLL_BAR;
        renderNow = 1;
        break;
    case SCROLL_THUMB_POSITION:
        // The values follow the drop at once; the slow re-toning only when
        // the mouse moved on after it.
        redraw |= REDRAW_SCROLL_BAR;
        renderNow = input.mouseMoveFollowed != 0 ? 1 : 0;
        break;
    default: break;
    }
    int32_t position = StepSliderPosition(input.code, input.barPosition, input.thumbPosition);

    *PositionField(input.slider) = position;
    if (input.slider == Slider::Exposure) s.exposureBias = ExposureBias(position, NegativeFilm());

    BuildExposureTable(s.exposurePosition, s.previewExposurePosition, NegativeFilm());
    SetGain(Slider::Red, BalanceGain(s.redPosition));
    SetGain(Slider::Green, BalanceGain(s.greenPosition));
    SetGain(Slider::Blue, BalanceGain(s.bluePosition));
    RebuildTables();

    if (input.gammaWindowOpen != 0 && renderNow != 0) {
        if (input.slider != Slider::Exposure && gammaChannel == ChannelOf(input.slider)) redraw |= INVALIDATE_GAMMA;
        redraw |= REFRESH_GAMMA;
    }
    if (input.previewed != 0 && renderNow != 0) redraw |= REDRAW_PREVIEW;
    return {position, redraw};
}

uint8_t ResetSlider(Slider slider, bool gammaWindowExists, bool previewed) {
    ScanSettings& s = scanSettings;
    *PositionField(slider) = SLIDER_NEUTRAL;
    if (slider == Slider::Exposure) {
        s.exposureBias = 0.0;
        BuildExposureTable(s.exposurePosition, s.previewExposurePosition, NegativeFilm());
    } else {
        SetGain(slider, 100);
    }
    RebuildTables();

    uint8_t redraw = REDRAW_SCROLL_BAR;
    if (previewed) redraw |= REDRAW_PREVIEW;
    if (slider != Slider::Exposure && gammaWindowExists) {
        if (gammaChannel == ChannelOf(slider)) redraw |= INVALIDATE_GAMMA;
        redraw |= REFRESH_GAMMA;
    }
    return redraw;
}

uint8_t ToggleMonochrome(bool previewed) {
    scanSettings.monochrome = scanSettings.monochrome == 0 ? 1 : 0;
    return previewed ? REDRAW_PREVIEW : REDRAW_NONE;
}
