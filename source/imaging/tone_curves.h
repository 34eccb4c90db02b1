// Tone curves and the lookup tables built from them: one 256-entry table per
// colour channel maps an 8-bit sample to its corrected value. Portable.
//
// After any change to a curve or to the colour balance, run BuildToneTables
// then BuildPixelTables; the line processing applies redTable8, greenTable8
// and blueTable8. The curves live in scanSettings (masterCurve, redCurve,
// greenCurve, blueCurve; the colour curves' gammaPercent is the colour
// balance) and the film's polarity in currentFilm.
#pragma once

#include <cstdint>

#include "source/ui/scan_settings.h"

constexpr int CURVE_TABLE_SIZE = 256;
constexpr int DISPLAY_CURVE_SIZE = 128;

// Modes of BuildCurveTable16: the master curve of negative film passes
// through the identity, that of positive film through POSITIVE_TONE_TABLE.
constexpr char CURVE_MODE_NEGATIVE = 'N';
constexpr char CURVE_MODE_POSITIVE = 'P';
constexpr char CURVE_MODE_PLAIN = 0;

extern const uint8_t POSITIVE_TONE_TABLE[CURVE_TABLE_SIZE];

extern uint16_t masterTable16[CURVE_TABLE_SIZE];
extern uint16_t redTable16[CURVE_TABLE_SIZE];
extern uint16_t greenTable16[CURVE_TABLE_SIZE];
extern uint16_t blueTable16[CURVE_TABLE_SIZE];
extern uint8_t redTable8[CURVE_TABLE_SIZE];
extern uint8_t greenTable8[CURVE_TABLE_SIZE];
extern uint8_t blueTable8[CURVE_TABLE_SIZE];
extern uint8_t exposureTable8[CURVE_TABLE_SIZE];

// Flat at lowOut below lowIn, flat at highOut from highIn on, and between
// them ((i - lowIn) / (highIn - lowIn)) ^ (gammaPercent / 100) scaled to
// lowOut..highOut, truncated. Levels outside 0..255 are taken as given; the
// middle values are clamped to 0..65535 (16-bit) or go through their low
// byte (8-bit, and the modes' table index), as the tables always have.
void BuildCurveTable16(const ToneCurve& curve, char mode, uint16_t table[CURVE_TABLE_SIZE]);
void BuildCurveTable8(const ToneCurve& curve, uint8_t table[CURVE_TABLE_SIZE]);

// The four 16-bit tables from the four curves; each colour table composed
// with the master (the master first, then the colour curve).
void BuildToneTables();
// The low bytes of the three colour tables into the 8-bit pixel tables.
void BuildPixelTables();
// POSITIVE_TONE_TABLE into the three pixel tables (at a film type change).
void ResetPixelTables();

// exposureTable8 from the exposure slider position and the position the
// preview was scanned at (200 = neutral), for negative or positive film.
void BuildExposureTable(double exposurePosition, double previewPosition, bool negativeFilm);

// The curve at half scale for drawing (128 entries).
void BuildDisplayCurve(const ToneCurve& curve, uint16_t out[DISPLAY_CURVE_SIZE]);

struct CurveFlags {
    uint8_t curvesModified;   // any of the twenty values differs from its default
    uint8_t toneCurveActive;  // the same, colour balance (colour gammaPercent) aside
};
CurveFlags ComputeCurveFlags();
