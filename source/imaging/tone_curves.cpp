#include "source/imaging/tone_curves.h"

#include <cmath>

#include "source/imaging/film_parameters.h"

// The contrast of reversal film: the master curve of positive film is read
// through this table.
const uint8_t POSITIVE_TONE_TABLE[CURVE_TABLE_SIZE] = {
    0,   3,   6,   9,   12,  14,  17,  19,  21,  23,  25,  27,  29,  31,  33,  35,
    37,  39,  40,  42,  44,  45,  47,  48,  50,  51,  53,  54,  56,  57,  58,  60,
    61,  62,  63,  65,  66,  67,  68,  69,  70,  71,  72,  74,  75,  76,  77,  78,
    79,  79,  80,  81,  82,  83,  84,  85,  86,  87,  87,  88,  89,  90,  91,  91,
    92,  93,  94,  95,  95,  96,  97,  97,  98,  99,  100, 100, 101, 102, 102, 103,
    103, 104, 105, 105, 106, 107, 107, 108, 109, 109, 110, 110, 111, 112, 112, 113,
    113, 114, 115, 115, 116, 116, 117, 117, 118, 119, 119, 120, 120, 121, 122, 122,
    123, 123, 124, 125, 125, 126, 126, 127, 128, 128, 129, 129, 130, 131, 131, 132,
    132, 133, 134, 134, 135, 136, 136, 137, 138, 138, 139, 140, 140, 141, 142, 142,
    143, 144, 145, 145, 146, 147, 147, 148, 149, 150, 150, 151, 152, 153, 154, 154,
    155, 156, 157, 158, 158, 159, 160, 161, 162, 163, 163, 164, 165, 166, 167, 168,
    169, 170, 171, 172, 173, 174, 174, 175, 176, 177, 178, 179, 180, 181, 182, 183,
    185, 186, 187, 188, 189, 190, 191, 192, 193, 194, 195, 197, 198, 199, 200, 201,
    202, 203, 205, 206, 207, 208, 209, 211, 212, 213, 214, 216, 217, 218, 220, 221,
    222, 223, 225, 226, 227, 229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239,
    240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255,
};

uint16_t masterTable16[CURVE_TABLE_SIZE];
uint16_t redTable16[CURVE_TABLE_SIZE];
uint16_t greenTable16[CURVE_TABLE_SIZE];
uint16_t blueTable16[CURVE_TABLE_SIZE];
uint8_t redTable8[CURVE_TABLE_SIZE];
uint8_t greenTable8[CURVE_TABLE_SIZE];
uint8_t blueTable8[CURVE_TABLE_SIZE];
uint8_t exposureTable8[CURVE_TABLE_SIZE];

namespace {

constexpr ToneCurve DEFAULT_CURVE = {0, 0, 255, 255, 100};

// A curve value that is whole in exact arithmetic can come out of the
// division and the power a hair below itself (on the x87 unit, t = i / 255
// raised to 1 and times 255 gives i - 1 when truncated), which would take
// the neutral curve off the identity. The slack is far below any step a
// curve can make between two entries.
constexpr double WHOLE_VALUE_SLACK = 1e-9;

// The truncated curve value at index i; `flat` entries are handled by the
// caller. Clamped into 32 bits so that odd curve values cannot overflow the
// conversion.
int64_t CurveValue(const ToneCurve& c, int i) {
    double g = c.gammaPercent / 100.0;
    double t = static_cast<double>(i - c.lowIn) / static_cast<double>(c.highIn - c.lowIn);
    double v = std::pow(t, g) * (c.highOut - c.lowOut) + c.lowOut + WHOLE_VALUE_SLACK;
    if (!(v > -2147483648.0)) return INT32_MIN;  // also NaN
    if (v > 2147483647.0) return INT32_MAX;
    return static_cast<int64_t>(v);
}

template <typename Entry, typename Map>
void BuildTable(const ToneCurve& c, Entry* table, Map map) {
    for (int i = 0; i < CURVE_TABLE_SIZE; ++i) {
        int64_t value;
        if (i < c.lowIn) {
            value = c.lowOut;
        } else if (i < c.highIn) {
            value = map(CurveValue(c, i));
        } else {
            value = c.highOut;
        }
        table[i] = static_cast<Entry>(value);
    }
}

uint16_t Clamp16(int64_t value) {
    return static_cast<uint16_t>(value < 0 ? 0 : value > 0xFFFF ? 0xFFFF : value);
}

bool SameCurve(const ToneCurve& a, const ToneCurve& b, bool withGamma) {
    return a.lowIn == b.lowIn && a.lowOut == b.lowOut && a.highIn == b.highIn && a.highOut == b.highOut &&
           (!withGamma || a.gammaPercent == b.gammaPercent);
}

}  // namespace

void BuildCurveTable16(const ToneCurve& curve, char mode, uint16_t table[CURVE_TABLE_SIZE]) {
    for (int i = 0; i < CURVE_TABLE_SIZE; ++i) {
        if (i < curve.lowIn) {
            table[i] = Clamp16(curve.lowOut);
        } else if (i < curve.highIn) {
            int64_t k = CurveValue(curve, i);
            if (mode == CURVE_MODE_POSITIVE) {
                table[i] = POSITIVE_TONE_TABLE[static_cast<uint8_t>(k)];
            } else if (mode == CURVE_MODE_NEGATIVE) {
                table[i] = static_cast<uint8_t>(k);  // the identity table, by the low byte
            } else {
                table[i] = Clamp16(k);
            }
        } else {
            table[i] = Clamp16(curve.highOut);
        }
    }
}

void BuildCurveTable8(const ToneCurve& curve, uint8_t table[CURVE_TABLE_SIZE]) {
    BuildTable(curve, table, [](int64_t k) { return k; });
}

void BuildToneTables() {
    char mode = currentFilm.negative != 0 ? CURVE_MODE_NEGATIVE : CURVE_MODE_POSITIVE;
    BuildCurveTable16(scanSettings.masterCurve, mode, masterTable16);
    BuildCurveTable16(scanSettings.redCurve, CURVE_MODE_PLAIN, redTable16);
    BuildCurveTable16(scanSettings.greenCurve, CURVE_MODE_PLAIN, greenTable16);
    BuildCurveTable16(scanSettings.blueCurve, CURVE_MODE_PLAIN, blueTable16);
    uint16_t* channels[] = {redTable16, greenTable16, blueTable16};
    for (uint16_t* channel : channels) {
        uint16_t composed[CURVE_TABLE_SIZE];
        for (int i = 0; i < CURVE_TABLE_SIZE; ++i) {
            // A master entry beyond the table (a curve with highOut above
            // 255) reads the channel's last entry instead of past its end.
            uint16_t index = masterTable16[i] < CURVE_TABLE_SIZE ? masterTable16[i] : CURVE_TABLE_SIZE - 1;
            composed[i] = channel[index];
        }
        for (int i = 0; i < CURVE_TABLE_SIZE; ++i) channel[i] = composed[i];
    }
}

void BuildPixelTables() {
    for (int i = 0; i < CURVE_TABLE_SIZE; ++i) {
        redTable8[i] = static_cast<uint8_t>(redTable16[i]);
        greenTable8[i] = static_cast<uint8_t>(greenTable16[i]);
        blueTable8[i] = static_cast<uint8_t>(blueTable16[i]);
    }
}

void ResetPixelTables() {
    for (int i = 0; i < CURVE_TABLE_SIZE; ++i) {
        redTable8[i] = greenTable8[i] = blueTable8[i] = POSITIVE_TONE_TABLE[i];
    }
}

void BuildExposureTable(double exposurePosition, double previewPosition, bool negativeFilm) {
    ToneCurve curve = DEFAULT_CURVE;
    bool raised = previewPosition <= exposurePosition;
    auto d = static_cast<int32_t>(raised ? exposurePosition - previewPosition : previewPosition - exposurePosition);
    int32_t dark = negativeFilm ? d / 2 : d / 4;
    int32_t bright = negativeFilm ? d / 3 : ((d / 2) * 255) / 200;
    if (raised) {
        curve.lowOut = dark;
        curve.highIn = 255 - bright;
    } else {
        curve.lowIn = dark;
        curve.highOut = 255 - bright;
    }
    BuildCurveTable8(curve, exposureTable8);
}

void BuildDisplayCurve(const ToneCurve& curve, uint16_t out[DISPLAY_CURVE_SIZE]) {
    double x0 = curve.lowIn / 2.0, y0 = curve.lowOut / 2.0;
    double x1 = curve.highIn / 2.0, y1 = curve.highOut / 2.0;
    double g = curve.gammaPercent / 100.0;
    int start = curve.lowIn / 2, end = curve.highIn / 2;
    for (int i = 0; i < DISPLAY_CURVE_SIZE; ++i) {
        double v;
        if (i < start) {
            v = y0;
        } else if (i < end) {
            v = std::pow((i - x0) / (x1 - x0), g) * (y1 - y0) + y0;
        } else {
            v = y1;
        }
        // Half-scale edges can put i just below x0, where a fractional
        // exponent has no real value: such a point is drawn at 0. The slack
        // keeps the straight curve straight, as in the tables.
        v += WHOLE_VALUE_SLACK;
        out[i] = !(v >= 0.0) ? 0 : v > 65535.0 ? 0xFFFF : static_cast<uint16_t>(v);
    }
}

CurveFlags ComputeCurveFlags() {
    const ScanSettings& s = scanSettings;
    bool masterDefault = SameCurve(s.masterCurve, DEFAULT_CURVE, true);
    bool shapesDefault = SameCurve(s.redCurve, DEFAULT_CURVE, false) && SameCurve(s.greenCurve, DEFAULT_CURVE, false) &&
                         SameCurve(s.blueCurve, DEFAULT_CURVE, false);
    bool balanceDefault = s.redCurve.gammaPercent == 100 && s.greenCurve.gammaPercent == 100 &&
                          s.blueCurve.gammaPercent == 100;
    CurveFlags flags;
    flags.toneCurveActive = masterDefault && shapesDefault ? 0 : 1;
    flags.curvesModified = flags.toneCurveActive || !balanceDefault ? 1 : 0;
    return flags;
}
