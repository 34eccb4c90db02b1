#include "source/scanner/focus.h"

#include "source/scanner/link.h"

uint16_t focusLevel = 0;
uint16_t focusPeak = 0;

namespace {

constexpr int32_t STRIP_FOCUS_MARGIN = 76;
constexpr int32_t APS_FOCUS_MARGIN = 320;
constexpr uint32_t LEVEL_DIVISOR = 80;

void DrawPeakMark(const FocusGauge& gauge, uint8_t red, uint8_t green, uint8_t blue) {
    for (int32_t y = PEAK_TOP; y <= PEAK_BOTTOM; ++y) {
        gauge.canvas.setPixel(gauge.canvas.context, static_cast<int16_t>(GAUGE_LEFT + focusPeak),
                             static_cast<int16_t>(y), red, green, blue);
    }
}

}  // namespace

int16_t FocusDistance(const ScanSettings& s) {
    int32_t line = s.focusLine;
    int32_t d = 0;
    switch (s.rotation & 3) {
    case 0: d = line - s.imageRect.left; break;
    case 1: d = line - s.imageRect.top; break;
    case 2: d = s.imageRect.right - line; break;
    default: d = s.imageRect.bottom - line; break;
    }
    return static_cast<int16_t>(d);
}

uint16_t FocusPosition(int16_t distance, bool apsAdapter) {
    int32_t margin = apsAdapter ? APS_FOCUS_MARGIN : STRIP_FOCUS_MARGIN;
    return static_cast<uint16_t>(distance * 10 + margin);
}

void ClearFocusGauge(const FocusGauge& gauge) {
    gauge.fillRect(gauge.canvas.context, GAUGE_LEFT, GAUGE_TOP, GAUGE_RIGHT, GAUGE_BOTTOM, true);
    focusLevel = 0;
    focusPeak = 0;
}

uint8_t ReadFocusSample(const FocusGauge* gauge) {
    uint8_t b0 = 0, b1 = 0, b2 = 0;
    if (!ReadStandaloneTriple(&b0, &b1, &b2)) {
        return 0;
    }
    // The sample is a 24-bit number; its two leading bytes that carry
    // anything give the level.
    uint32_t sample = b0 == 0 ? (uint32_t{b1} << 8 | b2) : (uint32_t{b0} << 8 | b1);
    uint32_t raw = sample / LEVEL_DIVISOR;
    if (raw > FOCUS_LEVEL_MAX) raw = FOCUS_LEVEL_MAX;
    auto level = static_cast<uint16_t>((focusLevel + raw) / 2);
    if (gauge != nullptr) {
        if (focusLevel < level) {
            gauge->fillRect(gauge->canvas.context, GAUGE_LEFT, GAUGE_TOP, GAUGE_LEFT + level, GAUGE_BOTTOM, true);
        } else {
            gauge->fillRect(gauge->canvas.context, GAUGE_LEFT + level, GAUGE_TOP, GAUGE_RIGHT, GAUGE_BOTTOM, false);
            DrawPeakMark(*gauge, 255, 255, 255);
            if (level > focusPeak && level <= FOCUS_LEVEL_MAX) focusPeak = level;
            DrawPeakMark(*gauge, 255, 0, 0);
        }
    }
    focusLevel = level;
    return 1;
}

uint8_t RunFocusSampling(const FocusGauge& gauge, bool (*stopRequested)(void* context), void* context) {
    for (int i = 0; i < FOCUS_SILENT_SAMPLES; ++i) {
        if (!ReadFocusSample(nullptr)) return 0;
    }
    for (;;) {
        if (!ReadFocusSample(&gauge)) return 0;
        if (stopRequested(context)) return 1;
    }
}
