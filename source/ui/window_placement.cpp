#include "source/ui/window_placement.h"

WindowPosition DefaultMainWindowPosition(int32_t desktopWidth, int32_t desktopHeight) {
    return {(desktopWidth - MAIN_WINDOW_WIDTH) / 2, (desktopHeight - (MAIN_WINDOW_HEIGHT - 1)) / 2};
}

WindowPosition PlaceMainWindow(int32_t desktopWidth, int32_t desktopHeight, WindowPosition saved) {
    // Compared in 64 bits: a saved edge near INT32_MAX must not wrap.
    bool offRight = desktopWidth < static_cast<int64_t>(saved.left) + 255;
    bool offBottom = desktopHeight < static_cast<int64_t>(saved.top) + 191;
    if (offRight || offBottom) {
        return DefaultMainWindowPosition(desktopWidth, desktopHeight);
    }
    return saved;
}
