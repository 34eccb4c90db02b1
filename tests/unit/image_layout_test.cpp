#include <gtest/gtest.h>

#include "source/library_state.h"
#include "source/twain/image_layout.h"

namespace {

TW_FIX32 Fix(int16_t whole, uint16_t frac = 0) {
    return {whole, frac};
}

TW_FRAME Frame(int16_t left, int16_t top, int16_t right, int16_t bottom) {
    return {Fix(left), Fix(top), Fix(right), Fix(bottom)};
}

void ExpectFrame(const LayoutFrame& f, int16_t left, int16_t top, int16_t right, int16_t bottom) {
    EXPECT_EQ(f.left, left);
    EXPECT_EQ(f.top, top);
    EXPECT_EQ(f.right, right);
    EXPECT_EQ(f.bottom, bottom);
}

}  // namespace

TEST(ImageLayout, SmallFrameGrowsToTwentyPreviewPixels) {
    ResetCoreState();
    ApplyImageLayout(Frame(0, 0, 100, 100), scanSettings);
    const ScanSettings& s = scanSettings;
    ExpectFrame(s.layoutFrame, 0, 0, 19, 19);
    EXPECT_DOUBLE_EQ(s.outputWidth, 47.5);
    EXPECT_DOUBLE_EQ(s.outputHeight, 47.5);
    EXPECT_EQ(s.outputWidthPixels, 47);
    EXPECT_EQ(s.outputHeightPixels, 47);
    EXPECT_DOUBLE_EQ(s.outputScale, 2.5);
    EXPECT_DOUBLE_EQ(s.aspectRatio, 1.0);
    EXPECT_DOUBLE_EQ(s.cropWidth, 20);
    EXPECT_DOUBLE_EQ(s.cropHeight, 20);
    EXPECT_EQ(s.layoutSet, 1);
}

TEST(ImageLayout, EdgesKeptInsideThePreview) {
    // Left beyond right: left 220, right raised to 239.
    ExpectFrame(LayoutFrameFor(Frame(2300, 0, 2200, 1000)), 220, 0, 239, 100);
    // The same below: top 140, bottom 159.
    ExpectFrame(LayoutFrameFor(Frame(0, 1500, 500, 1400)), 0, 140, 50, 159);
    // Right and bottom past the preview are cut to its last pixel.
    ExpectFrame(LayoutFrameFor(Frame(100, 100, 30000, 30000)), 10, 10, 239, 159);
    // A bottom above the top gets 19 more than the top.
    ExpectFrame(LayoutFrameFor(Frame(0, 500, 1000, 300)), 0, 50, 100, 69);
    // Negative edges start at the preview's first pixel.
    ExpectFrame(LayoutFrameFor(Frame(-2000, -32768, 1000, 800)), 0, 0, 100, 80);
}

TEST(ImageLayout, FractionsCountBeforeTheDivision) {
    // 199.75 / 10 = 19.975 -> 19; 209.5 / 10 = 20.95 -> 20.
    TW_FRAME frame = {Fix(0), Fix(0), Fix(209, 32768), Fix(199, 49152)};
    ExpectFrame(LayoutFrameFor(frame), 0, 0, 20, 19);
    // Whole pixels are the integer parts: 497.5 x 372.5 gives 497 x 372.
    ResetCoreState();
    ApplyImageLayout(Frame(400, 100, 2400, 1600), scanSettings);
    EXPECT_DOUBLE_EQ(scanSettings.outputWidth, 497.5);
    EXPECT_DOUBLE_EQ(scanSettings.outputHeight, 372.5);
    EXPECT_EQ(scanSettings.outputWidthPixels, 497);
    EXPECT_EQ(scanSettings.outputHeightPixels, 372);
    EXPECT_DOUBLE_EQ(scanSettings.aspectRatio, 497.5 / 372.5);
    EXPECT_DOUBLE_EQ(scanSettings.cropWidth, 200);
    EXPECT_DOUBLE_EQ(scanSettings.cropHeight, 150);
}
