// Where the source's windows open. Portable: no Windows headers.
#pragma once

#include <cstdint>

constexpr int32_t MAIN_WINDOW_WIDTH = 511;
constexpr int32_t MAIN_WINDOW_HEIGHT = 383;

struct WindowPosition {
    int32_t left;
    int32_t top;
};

// Centred on the desktop. The height used is one less than the window's,
// which keeps the position users have always had.
WindowPosition DefaultMainWindowPosition(int32_t desktopWidth, int32_t desktopHeight);

// The saved position, unless it would leave more than half of the window off
// the right or bottom edge of the desktop; then both edges fall back to the
// centred default. Positions off the left or top edge are kept as saved.
WindowPosition PlaceMainWindow(int32_t desktopWidth, int32_t desktopHeight, WindowPosition saved);

// The rule of every window of the source: the saved position of a `width`
// x `height` window, unless more than half of it would lie off the right or
// bottom edge of the desktop; then `centred`.
WindowPosition KeepOnDesktop(int32_t desktopWidth, int32_t desktopHeight, int32_t width, int32_t height,
                             WindowPosition saved, WindowPosition centred);
