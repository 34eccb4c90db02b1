#include <gtest/gtest.h>

#include <cmath>

#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/library_state.h"

namespace {

constexpr ToneCurve DEFAULT = {0, 0, 255, 255, 100};

class ToneCurves : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCoreState();
        scanSettings.masterCurve = scanSettings.redCurve = scanSettings.greenCurve = scanSettings.blueCurve = DEFAULT;
    }
    void TearDown() override { ResetCoreState(); }
    void Build(bool negative) {
        currentFilm.negative = negative ? 1 : 0;
        BuildToneTables();
        BuildPixelTables();
    }
};

TEST_F(ToneCurves, DefaultCurvesAreIdentityForNegativeAndContrastForPositive) {
    Build(true);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(redTable8[i], i);
        ASSERT_EQ(greenTable8[i], i);
        ASSERT_EQ(blueTable8[i], i);
    }
    Build(false);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(redTable8[i], POSITIVE_TONE_TABLE[i]) << i;
        ASSERT_EQ(blueTable8[i], POSITIVE_TONE_TABLE[i]) << i;
    }
    EXPECT_EQ(POSITIVE_TONE_TABLE[128], 132);
    EXPECT_EQ(POSITIVE_TONE_TABLE[255], 255);
}

TEST_F(ToneCurves, MasterGammaAndChannelEndPoints) {
    scanSettings.masterCurve.gammaPercent = 200;
    Build(true);
    int expected = static_cast<int>(std::pow(128.0 / 255.0, 2.0) * 255.0);
    EXPECT_EQ(expected, 64);
    EXPECT_EQ(redTable8[128], 64);
    EXPECT_EQ(greenTable8[128], 64);
    EXPECT_EQ(blueTable8[128], 64);

    scanSettings.masterCurve = DEFAULT;
    scanSettings.redCurve.lowIn = 100;
    scanSettings.redCurve.lowOut = 50;
    Build(true);
    for (int i = 0; i <= 100; ++i) ASSERT_EQ(redTable8[i], 50) << i;
    EXPECT_EQ(redTable8[255], 255);
    EXPECT_EQ(greenTable8[99], 99);  // other channels untouched
}

TEST_F(ToneCurves, MasterIsAppliedBeforeTheChannel) {
    scanSettings.masterCurve.lowIn = 128;  // master maps 0..127 to 0
    scanSettings.redCurve.lowOut = 30;     // red lifts 0 to 30
    scanSettings.redCurve.lowIn = 1;
    Build(true);
    EXPECT_EQ(redTable8[100], 30);  // master first (-> 0), then red (0 -> 30)
}

TEST_F(ToneCurves, EmptyMiddleRangeAndOddValuesStayInTheTable) {
    ToneCurve curve = {120, 10, 120, 200, 100};
    uint8_t table[256];
    BuildCurveTable8(curve, table);
    EXPECT_EQ(table[119], 10);
    EXPECT_EQ(table[120], 200);
    EXPECT_EQ(table[255], 200);
    // A master reaching above 255 does not index past the channel's table.
    scanSettings.masterCurve.highOut = 400;
    scanSettings.masterCurve.highIn = 200;
    Build(true);
    EXPECT_EQ(redTable8[255], 255);
    // In the middle range a negative master goes by the low byte of its value.
    EXPECT_EQ(masterTable16[199], static_cast<uint8_t>(static_cast<int>(199.0 / 200.0 * 400.0)));
    ToneCurve wild = {0, 0, 255, 255, -100000};
    uint16_t table16[256];
    BuildCurveTable16(wild, CURVE_MODE_PLAIN, table16);  // no overflow (UBSan)
    uint16_t display[128];
    BuildDisplayCurve({1, 0, 2, 255, 150}, display);  // no NaN conversion (UBSan)
}

TEST_F(ToneCurves, ExposureTable) {
    // 40 above the preview position on negative film: lowOut 20, highIn 242.
    BuildExposureTable(240.0, 200.0, true);
    EXPECT_EQ(exposureTable8[0], 20);
    EXPECT_EQ(exposureTable8[242], 255);
    EXPECT_LT(exposureTable8[241], 255);
    // Positive film, 40 below: lowIn 10, highOut 255 - (20 * 255) / 200 = 230.
    BuildExposureTable(160.0, 200.0, false);
    EXPECT_EQ(exposureTable8[10], 0);
    EXPECT_EQ(exposureTable8[255], 230);
    BuildExposureTable(200.0, 200.0, false);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(exposureTable8[i], i);
}

TEST_F(ToneCurves, DisplayCurveAtHalfScale) {
    uint16_t curve[128];
    BuildDisplayCurve(DEFAULT, curve);
    EXPECT_EQ(curve[0], 0);
    EXPECT_EQ(curve[64], 64);
    EXPECT_EQ(curve[127], 127);
    BuildDisplayCurve({100, 50, 200, 250, 100}, curve);
    EXPECT_EQ(curve[49], 25);
    EXPECT_EQ(curve[100], 125);
}

TEST_F(ToneCurves, FlagsTellBalanceFromCurves) {
    EXPECT_EQ(ComputeCurveFlags().curvesModified, 0);
    scanSettings.redCurve.gammaPercent = 110;  // colour balance only
    CurveFlags flags = ComputeCurveFlags();
    EXPECT_EQ(flags.curvesModified, 1);
    EXPECT_EQ(flags.toneCurveActive, 0);
    scanSettings.redCurve.gammaPercent = 100;
    scanSettings.masterCurve.gammaPercent = 90;
    flags = ComputeCurveFlags();
    EXPECT_EQ(flags.curvesModified, 1);
    EXPECT_EQ(flags.toneCurveActive, 1);
}

}  // namespace
