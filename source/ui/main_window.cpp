#include "source/ui/main_window.h"

#include "common/profile_settings.h"
#include "source/imaging/film_parameters.h"
#include "source/scanner/link.h"
#include "source/scanner/port_access_win32.h"
#include "source/scanner/scanner_check.h"
#include "source/twain/notifications.h"
#include "source/twain/session_state.h"
#include "source/ui/scan_settings.h"
#include "source/ui/window_placement.h"

// Result of the last scanner check: 0 not ready, 1 ready, 100 + a film type
// code when the loaded film calls for that type.
static int32_t scannerStatus = 0;

// Asks the scanner what is mounted; a film that calls for another film type
// selects it.
static void CheckScannerAtStart(HWND window) {
    ScopedScannerPort port;
    InitialiseLink();
    scannerStatus = CheckScanner(window);
    if (scannerStatus == 0) {
        return;
    }
    scanSettings.apsAdapter = scanSettings.adapterType == 'A' ? 1 : 0;
    if (scannerStatus >= 100) {
        scanSettings.filmNumber = scannerStatus - 100;
    }
}

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
    CheckScannerAtStart(window);
    LoadCurrentFilm(scanSettings.filmNumber);

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
