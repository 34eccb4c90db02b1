#include "source/ui/win32/main_window.h"

#include <windowsx.h>

#include "common/win32/profile_settings.h"
#include "source/imaging/film_parameters.h"
#include "source/resources/resource_ids.h"
#include "source/scanner/link.h"
#include "source/scanner/win32/port_access_win32.h"
#include "source/scanner/win32/scan_acquisition.h"
#include "source/scanner/scan_setup.h"
#include "source/scanner/scanner_check.h"
#include "source/scanner/win32/user_messages.h"
#include "source/twain/win32/notifications.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/win32/preview_buffers.h"
#include "source/ui/preview_geometry.h"
#include "source/ui/scan_settings.h"
#include "common/win32/win32_guards.h"
#include "source/ui/window_placement.h"

MainWindowState mainState = {};

namespace {

constexpr int BUTTON_IMAGE_WIDTH = 67, BUTTON_IMAGE_HEIGHT = 26;
constexpr int PREVIEW_BUTTON_X = 431, PREVIEW_BUTTON_Y = 279;
constexpr int SCAN_BUTTON_X = 431, SCAN_BUTTON_Y = 319;
constexpr RECT FOCUS_READOUT_STRIP = {294, 236, 488, 255};

// The commands that a focus session disables.
constexpr WORD SCAN_AND_SIZE_COMMANDS[] = {CMD_PREVIEW,  CMD_SCAN,       CMD_MAX_RESOLUTION, CMD_INDEX_WINDOW,
                                           CMD_FILM_TYPE, CMD_IMAGE_SIZE, CMD_UNIT,           CMD_OUTPUT_RESOLUTION};
constexpr int EDIT_FIELDS[] = {EDIT_WIDTH, EDIT_HEIGHT, EDIT_RESOLUTION};

// --- Scanner checks ---------------------------------------------------------

// The check before a preview, scan or focus, with the port held: true when
// the scanner is ready. The adapter and film exchange check comes with the
// film type pop-ups; until then a ready scanner goes ahead.
bool ScannerReadyForScan(HWND owner) {
    InitialiseLink();
    mainState.scannerStatus = CheckScanner(owner);
    if (mainState.scannerStatus == CHECK_NOT_READY) {
        return false;
    }
    scanSettings.apsAdapter = scanSettings.adapterType == 'A' ? 1 : 0;
    ReadScannerParameters();
    return true;
}

// --- Messages ---------------------------------------------------------------

BOOL OnInitDialog(HWND window) {
    mainState = {};
    mainState.firstPaint = 1;
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
    {
        // At start-up a loaded film that calls for another film type selects it.
        ScopedScannerPort port;
        if (ScannerReadyForScan(window) && mainState.scannerStatus >= CHECK_FILM_CHANGE) {
            scanSettings.filmNumber = mainState.scannerStatus - CHECK_FILM_CHANGE;
        }
    }
    if (LoadCurrentFilm(scanSettings.filmNumber) == 0) {
        // An all-zero record would take every film for an uncorrected
        // positive, and a negative would be delivered as a negative. The
        // built-in film type keeps the scan right; the user hears once, as
        // the window opens, which file could not be read.
        currentFilm = BuiltInFilmRecord(scanSettings.filmNumber);
        ShowMessageAbout(window, IDS_FILM_FILE_UNREADABLE, filmParameterPath);
    }

    MoveWindow(window, position.left, position.top, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT, FALSE);
    CreateScanControls(window);
    AllocatePreviewBuffers();
    return TRUE;
}

void OnPreview(HWND window) {
    PressButton(CMD_PREVIEW, true);
    DrawOnWindowAndBackground(window, useJapanese ? "PREVIEW_ON_JP" : "PREVIEW_ON", PREVIEW_BUTTON_X,
                              PREVIEW_BUTTON_Y, BUTTON_IMAGE_WIDTH, BUTTON_IMAGE_HEIGHT);
    {
        ScopedScannerPort port;
        if (!ScannerReadyForScan(mainWindow != nullptr ? mainWindow : window)) {
            PressButton(CMD_PREVIEW, false);
            return;
        }
        {
            ScopedWindowDC dc(window);
            DrawFrameMask(dc.Get(), false);
        }
        ScopedWaitCursor wait;
        scanSettings.previewExposurePosition = scanSettings.exposurePosition;
        SetPreviewGeometry(scanSettings);
        PreviewScan(window);
    }
    mainState.previewed = 1;
    {
        ScopedWindowDC dc(window);
        OffsetsToCropRect(scanSettings);
        DrawCropFrame(dc.Get());
    }
    FlushWindowMessages(window);
    PressButton(CMD_PREVIEW, false);
    EnableButton(CMD_FOCUS, true);
    EnableButton(CMD_GAMMA_WINDOW, true);
}

void OnScan(HWND window) {
    PressButton(CMD_SCAN, true);
    DrawOnWindowAndBackground(window, useJapanese ? "SCAN_ON_JP" : "SCAN_ON", SCAN_BUTTON_X, SCAN_BUTTON_Y,
                              BUTTON_IMAGE_WIDTH, BUTTON_IMAGE_HEIGHT);
    {
        ScopedScannerPort port;
        if (!ScannerReadyForScan(window)) {
            PressButton(CMD_SCAN, false);
            return;
        }
        scanSettings.previewExposurePosition = scanSettings.exposurePosition;
        FinalScan(window);
    }
    if (transferImage != nullptr) {
        // FinalScan handed the picture over locked once, and that lock is
        // ours: it goes before the application may take the block.
        GlobalUnlock(transferImage);
        NotifyTransferReady();
    }
    FlushWindowMessages(window);
    PressButton(CMD_SCAN, false);
}

// Focus mode on or off. While it is on, the mouse draws a focus line over the
// preview and a click focuses there; every scanning and size control rests.
void OnFocus(HWND window) {
    if (mainState.previewed != 1) {
        return;
    }
    mainState.focusMode = mainState.focusMode == 0 ? 1 : 0;
    PressButton(CMD_FOCUS, mainState.focusMode == 1);
    if (mainState.focusMode == 1) {
        ScopedScannerPort port;
        if (!ScannerReadyForScan(window)) {
            mainState.focusMode = 0;
            PressButton(CMD_FOCUS, false);
        }
    }
    scanSettings.focusLine = 0;
    if (mainState.focusMode == 0) {
        InvalidateRect(window, nullptr, FALSE);
    } else {
        ScopedWindowDC dc(window);
        ScopedSelectObject brush(dc.Get(), GetStockObject(WHITE_BRUSH));
        ScopedSelectObject pen(dc.Get(), GetStockObject(BLACK_PEN));
        Rectangle(dc.Get(), FOCUS_READOUT_STRIP.left, FOCUS_READOUT_STRIP.top, FOCUS_READOUT_STRIP.right,
                  FOCUS_READOUT_STRIP.bottom);
    }
    bool idle = mainState.focusMode == 0;
    for (WORD command : SCAN_AND_SIZE_COMMANDS) EnableButton(command, idle);
    for (int id : EDIT_FIELDS) {
        HWND field = GetDlgItem(window, id);
        SendMessageA(field, WM_ENABLE, idle ? 1 : 0, 0);
        SendMessageA(field, EM_SETREADONLY, idle ? FALSE : TRUE, 0);
    }
    if (idle) ShowOutputSize(window);
}

// A slider reset puts the slider back to neutral.
void ResetSlider(HWND window, int scrollId, double& position) {
    position = SCROLL_NEUTRAL;
    SetScrollPos(GetDlgItem(window, scrollId), SB_CTL, SCROLL_NEUTRAL, TRUE);
    if (scrollId == SCROLL_EXPOSURE) scanSettings.exposureBias = 0.0;
    UpdateButtonStates();
}

void OnMonochrome() {
    scanSettings.monochrome = scanSettings.monochrome == 0 ? 1 : 0;
    PressButton(CMD_MONOCHROME, scanSettings.monochrome == 1);
}

void OnCommand(HWND window, WORD command) {
    switch (command) {
    case CMD_PREVIEW: OnPreview(window); break;
    case CMD_SCAN: OnScan(window); break;
    case CMD_FOCUS: OnFocus(window); break;
    case CMD_MONOCHROME: OnMonochrome(); break;
    case CMD_RESET_EXPOSURE: ResetSlider(window, SCROLL_EXPOSURE, scanSettings.exposurePosition); break;
    case CMD_RESET_RED: ResetSlider(window, SCROLL_RED, scanSettings.redPosition); break;
    case CMD_RESET_GREEN: ResetSlider(window, SCROLL_GREEN, scanSettings.greenPosition); break;
    case CMD_RESET_BLUE: ResetSlider(window, SCROLL_BLUE, scanSettings.bluePosition); break;
    default: break;  // Enter and Esc (1, 2) and the commands still to come do nothing
    }
}

double* SliderPosition(int scrollId) {
    switch (scrollId) {
    case SCROLL_EXPOSURE: return &scanSettings.exposurePosition;
    case SCROLL_RED: return &scanSettings.redPosition;
    case SCROLL_GREEN: return &scanSettings.greenPosition;
    case SCROLL_BLUE: return &scanSettings.bluePosition;
    default: return nullptr;
    }
}

// The slider follows the user; what a slider does to the exposure and the
// colours comes with the exposure controls.
void OnHorizontalScroll(WPARAM wParam, HWND bar) {
    double* position = SliderPosition(GetDlgCtrlID(bar));
    if (position == nullptr) {
        return;
    }
    int value = GetScrollPos(bar, SB_CTL);
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: value -= 1; break;
    case SB_LINERIGHT: value += 1; break;
    case SB_PAGELEFT: value -= 20; break;
    case SB_PAGERIGHT: value += 20; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: value = static_cast<short>(HIWORD(wParam)); break;
    case SB_LEFT: value = 0; break;
    case SB_RIGHT: value = SCROLL_MAX; break;
    default: return;
    }
    value = value < 0 ? 0 : value > SCROLL_MAX ? SCROLL_MAX : value;
    SetScrollPos(bar, SB_CTL, value, TRUE);
    *position = value;
    UpdateButtonStates();
}

bool InsideImage(int x, int y) {
    const PreviewRect& r = scanSettings.imageRect;
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

// The focus line: vertical in landscape, horizontal in portrait, inverted
// so that drawing it again removes it.
void DrawFocusLine(HWND window) {
    if (scanSettings.focusLine == 0) {
        return;
    }
    ScopedWindowDC dc(window);
    int previous = SetROP2(dc.Get(), R2_NOT);
    const PreviewRect& r = scanSettings.imageRect;
    if (scanSettings.rotation % 2 == 0) {
        MoveToEx(dc.Get(), scanSettings.focusLine, r.top, nullptr);
        LineTo(dc.Get(), scanSettings.focusLine, r.bottom);
    } else {
        MoveToEx(dc.Get(), r.left, scanSettings.focusLine, nullptr);
        LineTo(dc.Get(), r.right, scanSettings.focusLine);
    }
    SetROP2(dc.Get(), previous);
}

void OnMouseMove(HWND window, WPARAM keys, int x, int y) {
    mainState.mouseX = x;
    mainState.mouseY = y;
    if (mainState.focusMode == 1) {
        DrawFocusLine(window);
        bool inside = InsideImage(x, y);
        scanSettings.focusLine = !inside ? 0 : static_cast<uint16_t>(scanSettings.rotation % 2 == 0 ? x : y);
        DrawFocusLine(window);
        return;
    }
    // Dragging the crop frame comes with the crop frame's editing.
    if ((keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL)) != MK_LBUTTON && InsideImage(x, y)) {
        ShowColourUnderMouse(window, x, y);
    }
}

void OnLeftButtonDown(HWND window, int x, int y) {
    if (mainState.focusMode == 1) {
        if (scanSettings.focusLine != 0) {
            RunFocus(window);
            scanSettings.focusLine = 0;
        }
        SendMessageA(window, WM_COMMAND, CMD_FOCUS, 0);
        return;
    }
    mainState.mouseX = mainState.lastMouseX = x;
    mainState.mouseY = mainState.lastMouseY = y;
}

void OnSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED && gammaWindow != nullptr) ShowWindow(gammaWindow, SW_HIDE);
}

void OnQueryOpen() {
    if (gammaWindow != nullptr) ShowWindow(gammaWindow, SW_SHOWNORMAL);
}

// Quitting the window asks the application to close the source; the window
// itself is destroyed when it does.
BOOL OnClose() {
    RequestClose();
    return TRUE;
}

void OnDestroy() {
    DestroyScanControls();
    DestroyBackground();
}

INT_PTR HandleMainWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(window);
    case WM_PAINT: OnPaint(window); return TRUE;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return TRUE;
    case WM_HSCROLL: OnHorizontalScroll(wParam, reinterpret_cast<HWND>(lParam)); return TRUE;
    case WM_MOUSEMOVE: OnMouseMove(window, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_LBUTTONDOWN: OnLeftButtonDown(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_LBUTTONUP: return TRUE;
    case WM_SETCURSOR: SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512))); return TRUE;  // IDC_ARROW
    case WM_NOTIFY: return OnToolTipNotify(lParam);
    case WM_SIZE: OnSize(wParam); return TRUE;
    case WM_QUERYOPEN: OnQueryOpen(); return FALSE;
    case WM_CLOSE: return OnClose();
    case WM_DESTROY: OnDestroy(); return FALSE;
    default: return FALSE;
    }
}

// No exception may unwind into the system's frames around a window
// procedure; the handlers do not throw, and this is the last stop if one
// ever does: the message then counts as not handled.
INT_PTR CALLBACK MainScanWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMainWindowMessage(window, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

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
    return CreateDialogParamA(moduleInstance, "PREVIEW_DLG", nullptr, MainScanWindowProc, 0);
}
