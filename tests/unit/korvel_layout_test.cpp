#include <gtest/gtest.h>

#include <cstdint>

#include "host/core/window_layout.h"

namespace {

// Frame 4, menu 19, minimum tracking height 27, both bars 16 thick.
constexpr SystemMetrics METRICS = {4, 19, 27, 16, 16};

ImageAreaLayout Lay(int32_t clientWidth, int32_t clientHeight, int32_t w, int32_t h, int32_t scrollX = 0,
                    int32_t scrollY = 0, bool fit = false) {
    return LayOutImageArea({clientWidth, clientHeight, w > 0, fit, w, h, scrollX, scrollY}, METRICS);
}

TEST(KorvelLayout, WindowSizesAtStartAndForAFirstPicture) {
    WindowSize start = MainWindowSize(METRICS);
    EXPECT_EQ(start.width, 488);
    EXPECT_EQ(start.height, 19 + 27 + 56);
    WindowSize tall = TallMainWindowSize(METRICS);
    EXPECT_EQ(tall.width, 488);
    EXPECT_EQ(tall.height, 19 + 27 + 416);
    EXPECT_TRUE(NeedsTallerWindow(0));
    EXPECT_TRUE(NeedsTallerWindow(56));
    EXPECT_FALSE(NeedsTallerWindow(57));
}

TEST(KorvelLayout, SavedPositionRuleComparesUnsigned) {
    // Desktop 0,0 - 1280,1024.
    auto place = [](int32_t left, int32_t top) { return PlaceSavedWindow(left, top, 1280, 1024); };
    EXPECT_EQ(place(120, 100).left, 120);
    EXPECT_EQ(place(120, 100).top, 100);
    EXPECT_EQ(place(20, 20).left, 20);        // 0 is not greater than the edge
    EXPECT_EQ(place(1300, 1044).top, 1044);   // exactly 20 past the edges is kept
    const int32_t reset[][2] = {{300, 10}, {19, 300}, {1301, 100}, {100, 1045}, {-5, 100}, {100, INT32_MIN}};
    for (const auto& r : reset) {
        WindowPoint p = place(r[0], r[1]);
        EXPECT_EQ(p.left, 0) << r[0] << "," << r[1];
        EXPECT_EQ(p.top, 0) << r[0] << "," << r[1];
    }
}

TEST(KorvelLayout, LargerPictureGetsBothBarsWithPagesOfTheImageArea) {
    ImageAreaLayout l = Lay(500, 400, 1000, 800);
    EXPECT_TRUE(l.showPictureSize);
    EXPECT_TRUE(l.horz.shown);
    EXPECT_EQ(l.horz.range, 1000);
    EXPECT_EQ(l.horz.page, 500 - 16);
    EXPECT_TRUE(l.vert.shown);
    EXPECT_EQ(l.vert.range, 800);
    EXPECT_EQ(l.vert.page, 400 - 16 - 56);
    EXPECT_TRUE(l.cornerShown);
    EXPECT_EQ(l.horzBar.left, 0);
    EXPECT_EQ(l.horzBar.top, 400 - 17 - 16);
    EXPECT_EQ(l.horzBar.width, 484);
    EXPECT_EQ(l.vertBar.left, 484);
    EXPECT_EQ(l.vertBar.top, 39);
    EXPECT_EQ(l.vertBar.height, 400 - 56 - 16);
    EXPECT_EQ(l.corner.left, 484);
    EXPECT_EQ(l.corner.top, 367);
    EXPECT_EQ(l.newWindowHeight, 0);
    EXPECT_EQ(l.newWindowWidth, 0);
    EXPECT_EQ(l.statusSplit, 333);
    EXPECT_EQ(l.iconButtonLeft, 466);
}

TEST(KorvelLayout, OneBarOrNoneForAPictureLargerInOneDirection) {
    ImageAreaLayout wide = Lay(500, 400, 1000, 328);  // fits above the horizontal bar
    EXPECT_TRUE(wide.horz.shown);
    EXPECT_EQ(wide.horz.page, 500);
    EXPECT_EQ(wide.horzBar.width, 500);
    EXPECT_FALSE(wide.vert.shown);
    EXPECT_FALSE(wide.cornerShown);

    ImageAreaLayout tall = Lay(500, 400, 484, 345);  // fits left of the vertical bar
    EXPECT_FALSE(tall.horz.shown);
    EXPECT_TRUE(tall.vert.shown);
    EXPECT_EQ(tall.vert.page, 344);
    EXPECT_EQ(tall.vertBar.height, 344);

    // A picture that would fit the area but for the other bar needs both:
    // its last rows (or columns) would lie under the bar, out of reach.
    for (ImageAreaLayout both : {Lay(500, 400, 1000, 344), Lay(500, 400, 500, 345)}) {
        EXPECT_TRUE(both.horz.shown && both.vert.shown && both.cornerShown);
        EXPECT_EQ(both.horz.page, 484);
        EXPECT_EQ(both.vert.page, 328);
    }

    ImageAreaLayout small = Lay(500, 400, 500, 344, 30, 40);
    EXPECT_FALSE(small.horz.shown || small.vert.shown || small.cornerShown);
    EXPECT_TRUE(small.showPictureSize);
    EXPECT_EQ(small.scrollX, 0);
    EXPECT_EQ(small.scrollY, 0);

    for (ImageAreaLayout none : {Lay(500, 400, 0, 0), Lay(500, 400, 1000, 800, 10, 10, true)}) {
        EXPECT_FALSE(none.horz.shown || none.vert.shown || none.cornerShown);
        EXPECT_EQ(none.scrollX, 0);
    }
    EXPECT_FALSE(Lay(500, 400, 0, 0).showPictureSize);
    EXPECT_TRUE(Lay(500, 400, 1000, 800, 10, 10, true).showPictureSize) << "a new picture's size also in fit mode";
}

TEST(KorvelLayout, StatusSizePartMakesRoomForItsText) {
    EXPECT_EQ(StatusSplit(480, 0), 320);
    EXPECT_EQ(StatusSplit(480, 160), 320);
    EXPECT_EQ(StatusSplit(480, 230), 250);
    EXPECT_EQ(StatusSplit(480, 400), 160);  // part 0 keeps a third
    ImageAreaInput input = {480, 400, true, false, 100, 100, 0, 0, 230};
    EXPECT_EQ(LayOutImageArea(input, METRICS).statusSplit, 250);
}

TEST(KorvelLayout, PositionsStayWithinTheirBars) {
    // Last position: range - page + 1.
    ImageAreaLayout l = Lay(500, 400, 1000, 800, 900, 100);
    EXPECT_EQ(l.scrollX, 1000 - 484 + 1);
    EXPECT_EQ(l.scrollY, 100);
    // A bar that went away takes its position with it.
    ImageAreaLayout wider = Lay(1200, 400, 1000, 800, 300, 100);
    EXPECT_FALSE(wider.horz.shown);
    EXPECT_EQ(wider.scrollX, 0);
    EXPECT_EQ(wider.scrollY, 100);
}

TEST(KorvelLayout, LowOrNarrowWindowsGetTheirMinimum) {
    EXPECT_EQ(Lay(500, 60, 1000, 800).newWindowHeight, 19 + 16 + 16 + 27 + 56);  // 60-16-17 < 16+39
    EXPECT_EQ(Lay(500, 87, 1000, 800).newWindowHeight, 19 + 16 + 16 + 27 + 56);
    EXPECT_EQ(Lay(500, 88, 1000, 800).newWindowHeight, 0);
    // A wide picture in a window this low lies under its horizontal bar, so
    // it gets both bars and the window their minimum.
    EXPECT_EQ(Lay(500, 72, 1000, 10).newWindowHeight, 19 + 16 + 16 + 27 + 56);
    EXPECT_EQ(Lay(500, 71, 100, 800).newWindowHeight, 19 + 16 + 27 + 56);        // 71-16-17 < 39
    EXPECT_EQ(Lay(500, 72, 100, 800).newWindowHeight, 0);
    EXPECT_EQ(Lay(500, 55, 0, 0).newWindowHeight, 19 + 27 + 56);                 // 55-17 < 39
    EXPECT_EQ(Lay(500, 56, 0, 0).newWindowHeight, 0);
    EXPECT_EQ(Lay(199, 400, 0, 0).newWindowWidth, 200);
    EXPECT_EQ(Lay(200, 400, 0, 0).newWindowWidth, 0);
}

TEST(KorvelLayout, ScrollRequestsMoveWithinZeroAndTheLastPosition) {
    ScrollBarLayout bar = {true, 1000, 484};
    EXPECT_EQ(ScrollPosition(0, ScrollRequest::LINE_DOWN, 0, bar), 10);
    EXPECT_EQ(ScrollPosition(5, ScrollRequest::LINE_UP, 0, bar), 0);
    EXPECT_EQ(ScrollPosition(10, ScrollRequest::PAGE_DOWN, 0, bar), 494);
    EXPECT_EQ(ScrollPosition(494, ScrollRequest::PAGE_DOWN, 0, bar), 517);
    EXPECT_EQ(ScrollPosition(494, ScrollRequest::PAGE_UP, 0, bar), 10);
    EXPECT_EQ(ScrollPosition(0, ScrollRequest::THUMB, 300, bar), 300);
    EXPECT_EQ(ScrollPosition(0, ScrollRequest::THUMB, 99999, bar), 517);
    EXPECT_EQ(ScrollPosition(300, ScrollRequest::OTHER, 0, bar), 300);
    EXPECT_EQ(ScrollPosition(INT32_MAX, ScrollRequest::LINE_DOWN, 0, bar), 517);
    EXPECT_EQ(ScrollPosition(50, ScrollRequest::LINE_DOWN, 0, ScrollBarLayout{false, 1000, 484}), 0);
}

TEST(KorvelLayout, PictureDrawnScrolledOrFittedKeepingItsAspect) {
    PicturePlacement p = PlacePicture(500, 400, 1000, 800, false, 30, 20);
    EXPECT_EQ(p.x, -30);
    EXPECT_EQ(p.y, 19);
    EXPECT_EQ(p.width, 1000);
    EXPECT_FALSE(p.stretched);

    p = PlacePicture(500, 456, 1000, 500, true, 30, 20);  // fits by width
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 39);
    EXPECT_EQ(p.width, 500);
    EXPECT_EQ(p.height, 250);
    EXPECT_TRUE(p.stretched);

    p = PlacePicture(500, 456, 500, 1000, true, 0, 0);  // fits by height
    EXPECT_EQ(p.width, 200);
    EXPECT_EQ(p.height, 400);

    p = PlacePicture(500, 456, 499, 399, true, 0, 0);  // smaller: 1:1
    EXPECT_EQ(p.width, 499);
    EXPECT_EQ(p.height, 399);
    EXPECT_FALSE(p.stretched);
    p = PlacePicture(500, 456, 500, 200, true, 0, 0);  // as wide: scaled to the same size
    EXPECT_TRUE(p.stretched);
    EXPECT_EQ(p.width, 500);
    EXPECT_EQ(p.height, 200);

    // Products beyond 32 bits, and an image area with no room.
    p = PlacePicture(1280, 1000, INT32_MAX, 3, true, 0, 0);
    EXPECT_EQ(p.width, 1280);
    EXPECT_EQ(p.height, 0);
    p = PlacePicture(1280, 1000, 3, INT32_MAX, true, 0, 0);
    EXPECT_EQ(p.height, 944);
    EXPECT_EQ(p.width, 0);
    EXPECT_EQ(PlacePicture(500, 56, 10, 10, true, 0, 0).width, 0);
}

}  // namespace
