#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "source/ui/crop_frame.h"
#include "source/ui/preview_geometry.h"

namespace {

// 35 mm landscape: the picture at (17, 52)-(256, 211). The slider sits far
// from every frame used here.
ScanSettings Strip(PreviewRect frame, double aspect = 1.5) {
    ScanSettings s = {};
    s.landscape = 1;
    s.aspectRatio = aspect;
    s.resSliderX = 275;
    s.resSliderY = 296;
    SetPreviewGeometry(s);
    s.cropRect = frame;
    return s;
}

::testing::AssertionResult FrameIs(const ScanSettings& s, int left, int top, int right, int bottom) {
    const PreviewRect& c = s.cropRect;
    if (c.left == left && c.top == top && c.right == right && c.bottom == bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "frame (" << c.left << ", " << c.top << ")-(" << c.right << ", "
                                         << c.bottom << ")";
}

struct Rotated {
    int left, top, right, bottom;
};

// The offsets stay the lasting form while the frame turns with the picture;
// each rectangle is the rotation table worked by hand.
void ExpectTurns(int32_t aps, int16_t x0, int16_t x1, int16_t y0, int16_t y1, const Rotated (&expected)[4]) {
    ScanSettings s = {};
    s.apsAdapter = aps;
    s.rotation = 3;
    s.cropX0 = x0, s.cropX1 = x1, s.cropY0 = y0, s.cropY1 = y1;
    for (int turn = 0; turn < 5; ++turn) {
        SCOPED_TRACE(turn);
        RotatePreview(s, 1);
        const Rotated& e = expected[turn % 4];
        EXPECT_EQ(s.rotation, turn % 4);
        EXPECT_EQ(s.landscape, turn % 2 == 0 ? 1 : 0);
        EXPECT_TRUE(FrameIs(s, e.left, e.top, e.right, e.bottom));
        EXPECT_EQ(s.cropWidth, e.right - e.left + 1);
        ScanSettings back = s;
        back.cropX0 = back.cropX1 = back.cropY0 = back.cropY1 = -1;
        CropRectToOffsets(back);
        EXPECT_EQ(back.cropX0, x0);
        EXPECT_EQ(back.cropX1, x1);
        EXPECT_EQ(back.cropY0, y0);
        EXPECT_EQ(back.cropY1, y1);
    }
}

TEST(CropFrame, TurnsWithThePictureThroughFourRotations) {
    ExpectTurns(0, 10, 200, 5, 150, {{27, 57, 217, 202}, {68, 25, 213, 215}, {56, 61, 246, 206}, {64, 54, 209, 244}});
    ExpectTurns(1, 20, 100, 30, 90, {{60, 104, 140, 164}, {103, 59, 163, 139}, {130, 92, 210, 152}, {115, 129, 175, 209}});
}

TEST(CropFrame, WithoutPreviewTheRotationTogglesAndFramesStayInsideThePicture) {
    ScanSettings s = {};
    s.cropX0 = 0, s.cropX1 = 239, s.cropY0 = 0, s.cropY1 = 159;
    RotatePreview(s, 0);
    EXPECT_EQ(s.rotation, 1);
    RotatePreview(s, 0);
    EXPECT_EQ(s.rotation, 0);
    EXPECT_EQ(s.landscape, 1);

    // The 35 mm frame kept over a change to the APS adapter: in rotation 3
    // its top would be 229 - 239, wrapping to 65 526; it is cut at the edge.
    s.apsAdapter = 1;
    s.rotation = 2;
    RotatePreview(s, 1);
    EXPECT_TRUE(FrameIs(s, 85, 39, 193, 229));

    // A layout frame measured on the 35 mm preview, given to the APS picture.
    s.rotation = 0;
    SetPreviewGeometry(s);
    s.layoutFrame = {0, 0, 239, 159};
    s.outputWidth = 573;
    SetCropToLayout(s);
    EXPECT_TRUE(FrameIs(s, 40, 74, 230, 182));
    EXPECT_EQ(s.cropWidth, 191.0);
    EXPECT_DOUBLE_EQ(s.outputScale, 3.0);
}

TEST(CropFrame, HitZonesAtTheTolerance) {
    ScanSettings s = Strip({100, 100, 200, 180});
    EXPECT_EQ(HitTest(s, 108, 140), 'a');  // exactly 8 inside the left edge
    EXPECT_EQ(HitTest(s, 107, 140), 'l');
    EXPECT_EQ(HitTest(s, 193, 140), 'r');
    EXPECT_EQ(HitTest(s, 103, 108), 0);    // 8 below the top, near the left edge
    EXPECT_EQ(HitTest(s, 93, 100), '1');
    EXPECT_EQ(HitTest(s, 92, 100), 0);     // 8 outside: strict
    EXPECT_EQ(HitTest(s, 193, 107), '2');
    EXPECT_EQ(HitTest(s, 107, 173), '3');
    EXPECT_EQ(HitTest(s, 207, 187), '4');
    EXPECT_EQ(HitTest(s, 208, 187), 0);
    EXPECT_EQ(HitTest(s, 150, 93), 'u');
    EXPECT_EQ(HitTest(s, 150, 92), 0);
    EXPECT_EQ(HitTest(s, 267, 284), 'i');  // slider at (275, 296)
    EXPECT_EQ(HitTest(s, 266, 296), 0);
    EXPECT_EQ(HitTest(s, 275, 309), 0);

    // 16 pixels wide: no move zone; 17 wide: one column of it.
    EXPECT_EQ(HitTest(Strip({100, 100, 115, 180}), 108, 140), 'r');
    EXPECT_EQ(HitTest(Strip({100, 100, 116, 180}), 108, 140), 'a');
    // A one-pixel frame answers with its top-left corner.
    EXPECT_EQ(HitTest(Strip({100, 100, 100, 100}), 100, 100), '1');

    EXPECT_EQ(CursorForZone('2'), CropCursor::SizeNESW);
    EXPECT_EQ(CursorForZone('4'), CropCursor::SizeNWSE);
}

TEST(CropFrame, MovesAndEdgesStopAtTheLimits) {
    ScanSettings s = Strip({100, 100, 200, 180});
    MoveCrop(s, -200, 100);
    EXPECT_TRUE(FrameIs(s, 17, 131, 117, 211));
    MoveCrop(s, 10, INT32_MIN);  // the swallowed movement is not made up
    EXPECT_TRUE(FrameIs(s, 27, 52, 127, 132));

    s = Strip({100, 100, 200, 180});
    DragCropEdge(s, 'l', 500, 0);  // past the right edge: one pixel short of it
    EXPECT_TRUE(FrameIs(s, 199, 100, 200, 180));
    EXPECT_EQ(s.cropWidth, 2.0);
    DragCropEdge(s, 'r', 500, 0);
    DragCropEdge(s, 'u', 0, -500);
    DragCropEdge(s, 'd', 0, -500);
    EXPECT_TRUE(FrameIs(s, 199, 52, 256, 53));
    EXPECT_EQ(s.cropHeight, 2.0);

    // A one-pixel frame: an inward drag does not push the edge outwards.
    s = Strip({100, 100, 100, 100});
    DragCropEdge(s, 'l', 5, 0);
    EXPECT_TRUE(FrameIs(s, 100, 100, 100, 100));
    DragCropEdge(s, 'l', -3, 0);
    EXPECT_TRUE(FrameIs(s, 97, 100, 100, 100));
}

// Aspect 1.5 throughout; each height is trunc(width / 1.5) worked by hand.
TEST(CropFrame, CornersKeepTheAspectAgainstEachPictureEdge) {
    ScanSettings s = Strip({100, 100, 200, 180});
    DragCropCorner(s, '1', -90);  // left stops at 17: width 184, rise 122
    EXPECT_TRUE(FrameIs(s, 17, 58, 200, 180));
    EXPECT_EQ(s.cropWidth, 184.0);
    EXPECT_EQ(s.cropHeight, 123.0);

    s = Strip({100, 100, 200, 180});
    DragCropCorner(s, '4', -40);  // width 61, rise 40
    EXPECT_TRUE(FrameIs(s, 100, 100, 160, 140));

    // Past the top: top at 52, height 69, side pulled to trunc(103.5).
    s = Strip({100, 60, 200, 120});
    DragCropCorner(s, '1', -50);
    EXPECT_TRUE(FrameIs(s, 97, 52, 200, 120));
    s = Strip({100, 60, 200, 120});
    DragCropCorner(s, '2', 100);  // right stops at 256 first
    EXPECT_TRUE(FrameIs(s, 100, 52, 203, 120));
    // One row too many at aspect 1: width 69 asks for the top at 51.
    s = Strip({100, 60, 200, 120}, 1.0);
    DragCropCorner(s, '1', 32);
    EXPECT_TRUE(FrameIs(s, 131, 52, 200, 120));

    // Past the bottom: bottom at 211, height 62, side pulled to 93.
    s = Strip({100, 150, 200, 190});
    DragCropCorner(s, '3', -60);
    EXPECT_TRUE(FrameIs(s, 107, 150, 200, 211));
    s = Strip({100, 150, 200, 190});
    DragCropCorner(s, '4', 10);
    EXPECT_TRUE(FrameIs(s, 100, 150, 193, 211));

    // A tiny aspect asks for 101 000 rows: the top must meet the picture's
    // top instead of wrapping, and the side comes back to one pixel.
    s = Strip({100, 100, 200, 180}, 0.001);
    DragCropCorner(s, '1', 0);
    EXPECT_TRUE(FrameIs(s, 200, 52, 200, 180));
    EXPECT_EQ(s.cropWidth, 1.0);

    // No usable aspect: only the side moves.
    s = Strip({100, 100, 200, 180}, 0.0);
    DragCropCorner(s, '2', 10);
    EXPECT_TRUE(FrameIs(s, 100, 100, 210, 180));
}

TEST(CropFrame, FitsTheFrameToAnAspect) {
    ScanSettings s = Strip({100, 100, 200, 180});
    FitCropToAspect(s);  // 3:2 on 35 mm: the whole picture
    EXPECT_TRUE(FrameIs(s, 17, 52, 256, 211));
    EXPECT_EQ(s.cropWidth, 240.0);
    EXPECT_EQ(s.cropHeight, 160.0);

    s.aspectRatio = 1.0;  // 160 square from the centre (136, 131)
    FitCropToAspect(s);
    EXPECT_TRUE(FrameIs(s, 56, 52, 216, 211));
    EXPECT_EQ(s.cropWidth, 160.0);

    s.rotation = 1, s.landscape = 0, s.aspectRatio = 0.5;
    SetPreviewGeometry(s);  // portrait (59, 15)-(218, 254): 120 x 240
    FitCropToAspect(s);
    EXPECT_TRUE(FrameIs(s, 78, 15, 198, 254));

    s.rotation = 0, s.landscape = 1, s.apsAdapter = 1, s.aspectRatio = 16.0 / 9.0;
    SetPreviewGeometry(s);  // APS: 191 x trunc(107.4375)
    FitCropToAspect(s);
    EXPECT_TRUE(FrameIs(s, 40, 75, 230, 182));
    EXPECT_EQ(s.cropHeight, 107.0);

    s.aspectRatio = 0.0;
    FitCropToAspect(s);
    EXPECT_TRUE(FrameIs(s, 40, 74, 230, 182));
    EXPECT_EQ(s.cropWidth, 191.0);
}

struct HookLog {
    std::string calls;
    int16_t offsetSeenByRule;
    ScanSettings* settings;
};
void LogDraw(void* c) {
    static_cast<HookLog*>(c)->calls += "D";
}
void LogEdge(void* c) {
    auto* log = static_cast<HookLog*>(c);
    log->calls += "E";
    log->offsetSeenByRule = log->settings->cropX0;
}
void LogCorner(void* c) {
    static_cast<HookLog*>(c)->calls += "C";
}
void LogSlider(void* c, int32_t dx) {
    static_cast<HookLog*>(c)->calls += "S" + std::to_string(dx);
}

TEST(CropFrame, DragDispatchByZone) {
    ScanSettings s = Strip({100, 100, 200, 180});
    HookLog log = {"", 0, &s};
    const CropFrameHooks hooks = {&log, LogDraw, LogEdge, LogCorner, LogSlider};

    // Left edge from x 100 to 90: the rule sees the new offsets (90 - 17).
    CropDrag drag = {'l', 0, 90, 150, 100, 140};
    DragCropFrame(s, drag, hooks);
    EXPECT_EQ(log.calls, "DED");
    EXPECT_EQ(log.offsetSeenByRule, 73);
    EXPECT_EQ(s.cropX1, 183);
    EXPECT_EQ(drag.dragging, 1);
    EXPECT_EQ(drag.lastMouseX, 90);
    EXPECT_EQ(drag.lastMouseY, 150);

    // A move asks for no output rule.
    log.calls.clear();
    drag = {'a', 0, 93, 150, 90, 150};
    DragCropFrame(s, drag, hooks);
    EXPECT_EQ(log.calls, "DD");
    EXPECT_EQ(s.cropX0, 76);

    log.calls.clear();
    drag = {'i', 0, 280, 296, 275, 296};
    DragCropFrame(s, drag, hooks);
    drag.hitZone = 0, drag.dragging = 0, drag.mouseX = 300;
    DragCropFrame(s, drag, hooks);
    EXPECT_EQ(log.calls, "S5");
    EXPECT_EQ(drag.dragging, 0);
    EXPECT_EQ(drag.lastMouseX, 300);
}

}  // namespace
