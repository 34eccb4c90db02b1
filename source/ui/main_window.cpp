#include "source/ui/main_window.h"

#include "common/profile_settings.h"
#include "source/twain/notifications.h"
#include "source/twain/session_state.h"
#include "source/ui/scan_settings.h"
#include "source/ui/window_placement.h"

static BOOL OnInitDialog(HWND window) {
    InitialiseScanSettings({ReadSettingInt, ReadSettingString}, useJapanese);

    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    int32_t desktopWidth = desktop.right - desktop.left;
    int32_t desktopHeight = desktop.bottom - desktop.top;
    WindowPosition centred = DefaultMainWindowPosition(desktopWidth, desktopHeight);
    WindowPosition saved = {ReadSettingInt(SOURCE_SECTION, "PREVIEW_LEFT", centred.left),
                            ReadSettingInt(SOURCE_SECTION, "PREVIEW_TOP", centred.top)};
    WindowPosition position = PlaceMainWindow(desktopWidth, desktopHeight, saved);

    scanSettings.filmNumber = ReadSettingInt(SOURCE_SECTION, "FILMNUMBER", 1);

    MoveWindow(window, position.left, position.top, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT, FALSE);
    return TRUE;
}

// Quitting the window asks the application to close the source; the window
// itself is destroyed when it does.
static BOOL OnClose() {
    RequestClose();
    return TRUE;
}

static INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window);
    case WM_CLOSE:
        return OnClose();
    default:
        return FALSE;
    }
}

HWND CreateMainWindow() {
    return CreateDialogParamA(moduleInstance, "PREVIEW_DLG", nullptr, MainWindowProc, 0);
}
