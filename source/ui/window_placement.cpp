#include "source/ui/window_placement.h"

WindowPosition DefaultMainWindowPosition(int32_t desktopWidth, int32_t desktopHeight) {
    return {(desktopWidth - MAIN_WINDOW_WIDTH) / 2, (desktopHeight - (MAIN_WINDOW_HEIGHT - 1)) / 2};
}

WindowPosition PlaceMainWindow(int32_t desktopWidth, int32_t desktopHeight, WindowPosition saved) {
    return KeepOnDesktop(desktopWidth, desktopHeight, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT, saved,
                         DefaultMainWindowPosition(desktopWidth, desktopHeight));
}

WindowPosition KeepOnDesktop(int32_t desktopWidth, int32_t desktopHeight, int32_t width, int32_t height,
                             WindowPosition saved, WindowPosition centred) {
    // Compared in 64 bits: a saved edge near INT32_MAX must not wrap.
    bool offRight = desktopWidth < static_cast<int64_t>(saved.left) + width / 2;
    bool offBottom = desktopHeight < static_cast<int64_t>(saved.top) + height / 2;
    return offRight || offBottom ? centred : saved;
}
