#include <gtest/gtest.h>

#include <cstring>

#include "source/ui/preview_geometry.h"

namespace {

ScanSettings Settings(uint16_t rotation, int32_t aps) {
    ScanSettings s = {};
    s.rotation = rotation;
    s.apsAdapter = aps;
    s.outputWidth = 600;
    s.outputHeight = 400;
    SetPreviewGeometry(s);
    return s;
}

bool Same(const PreviewRect& a, const PreviewRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(PreviewGeometry, ImagePlaceForAdapterAndOrientation) {
    EXPECT_TRUE(Same(Settings(0, 0).imageRect, {17, 52, 256, 211}));
    EXPECT_TRUE(Same(Settings(3, 0).imageRect, {59, 15, 218, 254}));
    EXPECT_TRUE(Same(Settings(2, 1).imageRect, {40, 74, 230, 182}));
    ScanSettings aps = Settings(1, 1);
    EXPECT_TRUE(Same(aps.imageRect, {85, 39, 193, 229}));
    EXPECT_EQ(aps.imageWidth, 191);
    EXPECT_EQ(aps.imageHeight, 109);
    EXPECT_STREQ(FrameMaskName(aps, false), "MASKO_AV");
    EXPECT_STREQ(FrameMaskName(Settings(0, 0), true), "MASK_H");
}

// The frame keeps its place on the film whatever the rotation: the offsets
// come back unchanged from every rotation's screen rectangle.
TEST(PreviewGeometry, CropFrameFormsAreInverseInEveryRotation) {
    for (uint16_t rotation = 0; rotation < 4; ++rotation) {
        SCOPED_TRACE(rotation);
        ScanSettings s = Settings(rotation, 0);
        s.cropX0 = 10;
        s.cropX1 = 200;
        s.cropY0 = 5;
        s.cropY1 = 150;
        OffsetsToCropRect(s);
        ScanSettings back = s;
        back.cropX0 = back.cropX1 = back.cropY0 = back.cropY1 = -1;
        CropRectToOffsets(back);
        EXPECT_EQ(back.cropX0, 10);
        EXPECT_EQ(back.cropX1, 200);
        EXPECT_EQ(back.cropY0, 5);
        EXPECT_EQ(back.cropY1, 150);
    }
    ScanSettings quarter = Settings(1, 0);
    quarter.cropX0 = 0, quarter.cropX1 = 239, quarter.cropY0 = 0, quarter.cropY1 = 159;
    OffsetsToCropRect(quarter);
    EXPECT_TRUE(Same(quarter.cropRect, quarter.imageRect));  // the whole picture, turned
}

TEST(PreviewGeometry, FirstFramesAndClamping) {
    ScanSettings s = Settings(0, 0);
    SetCropToImage(s);
    EXPECT_EQ(s.cropWidth, 240.0);
    EXPECT_EQ(s.cropHeight, 160.0);
    EXPECT_DOUBLE_EQ(s.outputScale, 2.5);
    EXPECT_DOUBLE_EQ(s.outputHeight, 400.0);

    s.layoutFrame = {20, 10, 119, 59};
    SetCropToLayout(s);
    EXPECT_TRUE(Same(s.cropRect, {37, 62, 136, 111}));
    EXPECT_DOUBLE_EQ(s.outputScale, 6.0);  // 600 wide over 100 preview pixels
    EXPECT_DOUBLE_EQ(s.outputHeight, 300.0);

    s.cropRect = {10, 40, 300, 220};
    ClampCropRect(s);
    EXPECT_TRUE(Same(s.cropRect, s.imageRect));
}

}  // namespace
