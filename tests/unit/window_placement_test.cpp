#include <gtest/gtest.h>

#include <cstdint>

#include "source/ui/window_placement.h"

TEST(WindowPlacement, CentredDefaultUsesOneLessThanTheHeight) {
    WindowPosition p = DefaultMainWindowPosition(1024, 768);
    EXPECT_EQ(p.left, (1024 - 511) / 2);  // 256
    EXPECT_EQ(p.top, (768 - 382) / 2);    // 193
    // A desktop smaller than the window: truncation toward zero.
    WindowPosition small = DefaultMainWindowPosition(400, 300);
    EXPECT_EQ(small.left, -55);
    EXPECT_EQ(small.top, -41);
}

TEST(WindowPlacement, SavedPositionKeptWhileHalfTheWindowIsOnTheDesktop) {
    WindowPosition p = PlaceMainWindow(1024, 768, {769, 577});
    EXPECT_EQ(p.left, 769);
    EXPECT_EQ(p.top, 577);
    // Off the left and top edges is kept.
    p = PlaceMainWindow(1024, 768, {-400, -300});
    EXPECT_EQ(p.left, -400);
    EXPECT_EQ(p.top, -300);
}

TEST(WindowPlacement, TooFarRightOrDownResetsBothEdges) {
    WindowPosition p = PlaceMainWindow(1024, 768, {770, 10});
    EXPECT_EQ(p.left, 256);
    EXPECT_EQ(p.top, 193);
    p = PlaceMainWindow(1024, 768, {10, 578});
    EXPECT_EQ(p.left, 256);
    EXPECT_EQ(p.top, 193);
    // Huge values from a damaged settings file do not wrap around.
    p = PlaceMainWindow(1024, 768, {INT32_MAX, INT32_MAX});
    EXPECT_EQ(p.left, 256);
}
