// The output size model. Expected values are worked out by hand from the
// numbers in the comments (the whole 35 mm frame is 240 x 160 preview
// pixels; 354 scanScale units per output pixel per preview pixel, 59 per
// slider pixel from x 260; 25.4 mm per inch).
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "source/library_state.h"
#include "source/ui/output_size.h"

namespace {

// The defaults: 600 x 400 of the whole frame at 200 dpi, scanScale 885.
ScanSettings& Fresh(int16_t unit = UNIT_PIXEL) {
    ResetCoreState();
    scanSettings.unitIndex = unit;
    return scanSettings;
}

void ExpectPixels(const ScanSettings& s, uint16_t width, uint16_t height) {
    EXPECT_EQ(s.outputWidthPixels, width);
    EXPECT_EQ(s.outputHeightPixels, height);
}

void TypeSize(ScanSettings& s, const char* width, const char* height = nullptr) {
    ApplyTypedValues(s, {width, height, nullptr});
}

std::string Estimate(ScanSettings& s, double width, double height) {
    s.outputWidth = width;
    s.outputHeight = height;
    char text[SIZE_ESTIMATE_BYTES];
    FormatSizeEstimate(s, text);
    return text;
}

}  // namespace

TEST(OutputSizeText, EstimateRoundingAndNumbers) {
    ScanSettings& s = Fresh();
    EXPECT_EQ(Estimate(s, 600, 400), "   720 KB ");
    EXPECT_EQ(Estimate(s, 393.7, 262.47), "   309 KB ");  // 394 x 262 x 3 = 309684
    EXPECT_EQ(Estimate(s, 4800, 3200), " 46080 KB ");
    // Sides held at 65535: 65535 x 65535 x 3 = 12884508675 passes 32 bits.
    EXPECT_EQ(Estimate(s, 1e9, 70000), "12884508 KB ");
    EXPECT_EQ(RoundedPixels(393.5), 394);
    EXPECT_EQ(RoundedPixels(std::numeric_limits<double>::quiet_NaN()), 0);

    int32_t w = 0, h = 0;
    ASSERT_TRUE(ImageSizeOfRow(29, w, h));  // " 128 x   96"
    EXPECT_EQ(w * 1000 + h, 128096);
    EXPECT_FALSE(ImageSizeOfRow(30, w, h));
    EXPECT_EQ(ResolutionOfRow(10), 100);

    double v = 7;
    ParseFixedWidthReal("123456", "%5lf", &v);  // five characters count
    EXPECT_DOUBLE_EQ(v, 12345);
    ParseFixedWidthReal("1d3", "%5lf", &v);  // 'd' ends the number
    EXPECT_DOUBLE_EQ(v, 1);
    v = 7;
    EXPECT_EQ(ParseFixedWidthReal("12", "%5d", &v), 0);
    EXPECT_DOUBLE_EQ(v, 7);
    EXPECT_EQ(ParseFieldInteger("12abc"), 0);
    EXPECT_EQ(ParseFieldInteger("99999999999"), 2147483647);

    char text[UNIT_TEXT_BYTES];
    FormatSignificant5(600.0, text);
    EXPECT_STREQ(text, "600.");
    FormatSignificant5(0.000025, text);
    EXPECT_STREQ(text, "2.5e-005");
}

TEST(OutputSizeUnits, EachUnitShowsAndTakesBackTheSamePixels) {
    // 600 x 400 pixels at 200 dpi: 76.2 x 50.8 mm, 7.62 x 5.08 cm, 3 x 2 inch.
    struct Case {
        int16_t unit;
        const char* width;
        const char* height;
    };
    for (Case c : {Case{UNIT_MM, "76.2", "50.8"}, Case{UNIT_CM, "7.62", "5.08"}, Case{UNIT_INCH, "3.", "2."}}) {
        ScanSettings& s = Fresh(c.unit);
        OutputSizeTexts texts;
        PrepareOutputSizeTexts(s, c.unit, texts);
        EXPECT_STREQ(texts.width, c.width) << c.unit;
        EXPECT_STREQ(texts.height, c.height) << c.unit;
        s.outputWidth = s.outputHeight = 50;
        TypeSize(s, c.width);
        EXPECT_NEAR(s.outputWidth, 600.0, 1e-9) << c.unit;
        EXPECT_NEAR(s.outputHeight, 400.0, 1e-9) << c.unit;
    }
    // At 254 dpi 123.456 pixels are 12.3456 mm, written "12.346": the field
    // keeps its first five characters.
    ScanSettings& s = Fresh(UNIT_MM);
    s.outputResolution = 254;
    s.outputWidth = 123.456;
    OutputSizeTexts texts;
    PrepareOutputSizeTexts(s, UNIT_MM, texts);
    EXPECT_STREQ(texts.width, "12.34");
    EXPECT_DOUBLE_EQ(s.widthInUnit, 12.34);
    // A resolution of 0 counts as 10 dpi: 600 pixels are 1524 mm.
    Fresh(UNIT_MM);
    s.outputResolution = 0;
    PrepareOutputSizeTexts(s, UNIT_MM, texts);
    EXPECT_STREQ(texts.width, "1524.");
}

TEST(OutputSizeTyped, PixelsWithinTheLimits) {
    ScanSettings& s = Fresh();
    s.maxResolutionOn = 1;
    TypeSize(s, "5");  // 10 x 6.67 -> on a landscape frame 15 x 10
    ExpectPixels(s, 15, 10);
    EXPECT_EQ(s.maxResolutionOn, 0);
    EXPECT_EQ(s.scanScale, 22);  // 15 / 240 x 354 = 22.125
    TypeSize(s, "9999");         // 9999 x 6666 -> 20 x the frame
    ExpectPixels(s, 4800, 3200);
    EXPECT_EQ(s.resSliderX, 340);
    TypeSize(s, "300", "100");  // the width wins
    ExpectPixels(s, 300, 200);
    TypeSize(s, nullptr, "100");
    ExpectPixels(s, 150, 100);
    for (const char* bad : {"", "abc", "-5"}) {
        TypeSize(s, bad);
        ExpectPixels(s, 15, 10);
    }
    // An aspect from a height of 0 falls back to the frame's 240 / 160.
    s.aspectRatio = 0.0;
    TypeSize(s, "300");
    ExpectPixels(s, 300, 200);
}

TEST(OutputSizeTyped, PhysicalSizesAndResolution) {
    ScanSettings& s = Fresh(UNIT_MM);
    TypeSize(s, "50");  // 50 mm at 200 dpi: 393.70 x 262.47
    ExpectPixels(s, 394, 262);
    TypeSize(s, "-5");  // 0 mm -> 1 pixel -> 15 x 10
    ExpectPixels(s, 15, 10);
    TypeSize(s, "9e999");  // infinity -> the upper limit
    ExpectPixels(s, 4800, 3200);

    // 76.2 x 50.8 mm kept; 5 dpi is raised to 10: 30 x 20 pixels.
    Fresh(UNIT_MM);
    s.maxResolutionOn = 1;
    OutputRedraw redraw = ApplyTypedValues(s, {nullptr, nullptr, "5"});
    EXPECT_DOUBLE_EQ(s.outputResolution, 10);
    EXPECT_EQ(s.maxResolutionOn, 0);
    ExpectPixels(s, 30, 20);
    EXPECT_EQ(s.scanScale, 44);  // 30 / 240 x 354 = 44.25
    EXPECT_FALSE(redraw.sizeFields);
    // A huge one is held at 32767: 98301 pixels would pass 16 bits; the
    // limit gives 4800 x 3200 and the fields must show the new size.
    redraw = ApplyTypedValues(s, {nullptr, nullptr, "99999999"});
    EXPECT_DOUBLE_EQ(s.outputResolution, 32767);
    ExpectPixels(s, 4800, 3200);
    EXPECT_TRUE(redraw.sizeFields);
}

TEST(OutputSizePresets, ImageSizeAndResolution) {
    ScanSettings& s = Fresh();
    s.landscape = 0;  // "1024 x  768" turned: 768 x 1024
    s.maxResolutionOn = 1;
    ASSERT_TRUE(ApplyImageSizePreset(s, 10));
    ExpectPixels(s, 768, 1024);
    EXPECT_DOUBLE_EQ(s.aspectRatio, 0.75);
    s.cropWidth = 120;  // as the caller fitted the frame
    FinishImageSizePreset(s);
    EXPECT_EQ(s.scanScale, 2265);  // 768 / 120 x 354 = 2265.6
    EXPECT_EQ(s.resSliderX, 298);  // 260 + 38
    EXPECT_EQ(s.maxResolutionOn, 0);

    // "300 dpi" in mm keeps 76.2 x 50.8 mm: 900 x 600, max. resolution kept.
    Fresh(UNIT_MM);
    s.maxResolutionOn = 1;
    OutputRedraw redraw{};
    ASSERT_TRUE(ApplyResolutionPreset(s, 4, redraw));
    EXPECT_DOUBLE_EQ(s.outputResolution, 300);
    EXPECT_EQ(s.customResolution, 0);
    ExpectPixels(s, 900, 600);
    EXPECT_EQ(s.scanScale, 1327);  // 3.75 x 354 = 1327.5
    EXPECT_EQ(s.maxResolutionOn, 1);
    // 4800 pixels at 10 dpi, then 400 dpi: 192000, held at the limit.
    s.outputResolution = 10;
    s.outputWidth = 4800;
    s.outputHeight = 3200;
    ASSERT_TRUE(ApplyResolutionPreset(s, 0, redraw));
    ExpectPixels(s, 4800, 3200);
    EXPECT_FALSE(ApplyResolutionPreset(s, 11, redraw));
}

TEST(OutputSizeSlider, EndsOfTheBarAndMaximumResolution) {
    ScanSettings& s = Fresh();
    s.maxResolutionOn = 1;
    DragResolutionSlider(s, -1000);  // x 261, scanScale 59: 40 x 26.67
    EXPECT_EQ(s.scanScale, 59);
    ExpectPixels(s, 40, 27);
    EXPECT_EQ(s.maxResolutionOn, 0);
    DragResolutionSlider(s, 1000);  // x 340, scanScale 4720: 3200 x 2133.33
    EXPECT_EQ(s.scanScale, 4720);
    ExpectPixels(s, 3200, 2133);
    // From beyond the bar's end (20 per preview pixel, x 380 by the
    // scale): left moves from where the slider is drawn, x 340.
    TypeSize(s, "9999");
    DragResolutionSlider(s, -10);
    EXPECT_EQ(s.resSliderX, 330);
    EXPECT_EQ(s.scanScale, 4130);

    Fresh();
    ToggleMaxResolution(s);
    ExpectPixels(s, 2400, 1600);  // 3540 x 240 / 354
    EXPECT_EQ(s.resSliderX, 320);
    ToggleMaxResolution(s);
    EXPECT_EQ(s.maxResolutionOn, 0);
    ExpectPixels(s, 600, 400);
    EXPECT_EQ(s.scanScale, 885);
}

TEST(OutputSizeCropDrags, EdgeAndCorner) {
    ScanSettings& s = Fresh();
    s.cropWidth = 200;  // 200 x 160 at 2.5: 500 x 400
    ApplyCropEdgeDrag(s);
    ExpectPixels(s, 500, 400);
    EXPECT_DOUBLE_EQ(s.aspectRatio, 1.25);
    EXPECT_EQ(s.scanScale, 885);
    s.aspectRatio = 1.5;
    s.cropWidth = 120;  // 300 wide, 300 / 1.5 high
    ApplyCropCornerDrag(s);
    ExpectPixels(s, 300, 200);

    // At 15 / 240 per preview pixel a frame 2 wide would give 0.125 x 10
    // pixels, which no scan makes: the frame is no wider than high, so the
    // width becomes 10 and the height 10 / (0.125 / 10) = 800.
    Fresh();
    TypeSize(s, "5");
    s.cropWidth = 2;
    OutputRedraw redraw = ApplyCropEdgeDrag(s);
    ExpectPixels(s, 10, 800);
    EXPECT_EQ(s.scanScale, 1770);  // 10 / 2 x 354
    EXPECT_TRUE(redraw.resolutionBar);
}
