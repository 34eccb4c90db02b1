// The focus check: the film is moved so that the chosen line of the frame
// lies under the sensor, and the scanner's sharpness samples are shown as a
// live gauge with a peak mark until the user clicks or presses a key.
// Portable: the gauge is drawn through FocusGauge, the user's input comes
// through a callback.
#pragma once

#include <cstdint>

#include "source/imaging/scan_line.h"
#include "source/ui/scan_settings.h"

// The gauge in the main scan window's client area: a bar from x 295 to 487
// (a level of 192 fills it), y 237 to 254; the peak mark is 16 pixels high.
constexpr int32_t GAUGE_LEFT = 295, GAUGE_TOP = 237, GAUGE_RIGHT = 487, GAUGE_BOTTOM = 254;
constexpr int32_t PEAK_TOP = 238, PEAK_BOTTOM = 253;  // inclusive
constexpr uint16_t FOCUS_LEVEL_MAX = 192;
constexpr uint8_t FOCUS_PARAMETER = 'A';
constexpr int FOCUS_SILENT_SAMPLES = 4;  // the scanner's first samples are not shown

extern uint16_t focusLevel;  // smoothed level of the last sample
extern uint16_t focusPeak;   // highest level marked so far

struct FocusGauge {
    // The window, as the scan lines are drawn into it: the peak mark's
    // pixels go through canvas.setPixel.
    ScanLineCanvas canvas;
    // Fills left..right-1 x top..bottom-1, black or white, in canvas.context.
    void (*fillRect)(void* context, int32_t left, int32_t top, int32_t right, int32_t bottom, bool black);
};

// How far the focus line lies from the picture's leading edge, in preview
// pixels, for the rotation (16-bit, as the line and the image rectangle).
int16_t FocusDistance(const ScanSettings& settings);
// The scanner position of that line: 10 units per preview pixel plus the
// adapter's margin.
uint16_t FocusPosition(int16_t distance, bool apsAdapter);

// The black empty gauge; level and peak start at 0.
void ClearFocusGauge(const FocusGauge& gauge);

// Reads one sample and smooths it into focusLevel; with a gauge, draws the
// new level and the peak mark. Answers 1, or 0 when no sample came.
uint8_t ReadFocusSample(const FocusGauge* gauge);

// Four silent samples, then drawn ones, each followed by one look at the
// user's input, until `stopRequested` says so. Answers 1 when the user
// stopped, 0 when a sample failed (the scan is not ended then).
uint8_t RunFocusSampling(const FocusGauge& gauge, bool (*stopRequested)(void* context), void* context);
