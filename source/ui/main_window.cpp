#include "source/ui/main_window.h"

#include "common/profile_settings.h"
#include "source/resources/resource_ids.h"
#include "source/imaging/film_parameters.h"
#include "source/scanner/link.h"
#include "source/scanner/port_access_win32.h"
#include "source/scanner/scan_setup.h"
#include "source/scanner/scanner_check.h"
#include "source/twain/notifications.h"
#include "source/twain/session_state.h"
#include "source/ui/preview_buffers.h"
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
    ReadScannerParameters();
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
    AllocatePreviewBuffers();
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

// The class that every dialog template of the source names. Windows 95 and
// later of the non-NT family get the extended form with the small icon; NT
// and older versions the plain form. Registering again on a later enable
// fails harmlessly.
void RegisterSourceClass() {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = DefDlgProcA;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = moduleInstance;
    windowClass.hIcon = LoadIconA(moduleInstance, MAKEINTRESOURCEA(IDI_SOURCE));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = SOURCE_WINDOW_CLASS;
    windowClass.hIconSm = windowClass.hIcon;

    DWORD version = GetVersion();
    bool nonNtFamily = (version & 0x80000000u) != 0;
    bool windows95OrLater = (version & 0xFFu) >= 4;
    if (nonNtFamily && windows95OrLater) {
        RegisterClassExA(&windowClass);
        return;
    }
    WNDCLASSA plainClass = {windowClass.style,     windowClass.lpfnWndProc, windowClass.cbClsExtra,
                            windowClass.cbWndExtra, windowClass.hInstance,  windowClass.hIcon,
                            windowClass.hCursor,    windowClass.hbrBackground, nullptr,
                            windowClass.lpszClassName};
    RegisterClassA(&plainClass);
}

HWND CreateMainWindow() {
    return CreateDialogParamA(moduleInstance, "PREVIEW_DLG", nullptr, MainWindowProc, 0);
}
