#include "source/ui/win32/window_places.h"

#include "common/win32/profile_settings.h"
#include "source/ui/window_placement.h"

namespace {

constexpr int MINIMISED_HEIGHT = 50;

}  // namespace

POINT SavedWindowPlace(const char* leftKey, const char* topKey, int width, int height, int centredHeight) {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    int desktopWidth = desktop.right - desktop.left, desktopHeight = desktop.bottom - desktop.top;
    WindowPosition centred = {(desktopWidth - width) / 2, (desktopHeight - centredHeight) / 2};
    WindowPosition saved = {ReadSettingInt(SOURCE_SECTION, leftKey, centred.left),
                            ReadSettingInt(SOURCE_SECTION, topKey, centred.top)};
    WindowPosition place = KeepOnDesktop(desktopWidth, desktopHeight, width, height, saved, centred);
    return {place.left, place.top};
}

void SaveWindowPlace(HWND window, const char* leftKey, const char* topKey) {
    RECT rect;
    if (window != nullptr && GetWindowRect(window, &rect) && rect.bottom - rect.top > MINIMISED_HEIGHT) {
        WriteSettingInt(SOURCE_SECTION, leftKey, rect.left);
        WriteSettingInt(SOURCE_SECTION, topKey, rect.top);
    }
}
