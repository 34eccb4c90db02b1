#include "source/ui/win32/main_window.h"

#include <windowsx.h>

#include "common/win32/profile_settings.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/resources/resource_ids.h"
#include "source/aps/index_sheet.h"
#include "source/aps/win32/index_window.h"
#include "source/scanner/link.h"
#include "source/scanner/win32/port_access_win32.h"
#include "source/scanner/win32/scan_acquisition.h"
#include "source/scanner/scan_setup.h"
#include "source/scanner/scanner_check.h"
#include "source/scanner/win32/user_messages.h"
#include "source/twain/win32/notifications.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/win32/gamma_window.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/win32/preview_buffers.h"
#include "source/ui/win32/setting_popups.h"
#include "source/ui/colour_controls.h"
#include "source/ui/crop_frame.h"
#include "source/ui/film_change.h"
#include "source/ui/output_size.h"
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

// The scanner check, with the port held: true when the scanner is ready.
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

// The check before a preview, scan or focus: the scanner ready, and the
// adapter and film still those the window was set up for. An exchange has
// been told to the user and the window reset for the new film; the
// operation stops and the user starts it again.
bool ScannerReadyForFilm(HWND owner) {
    if (!ScannerReadyForScan(owner)) return false;
    int32_t filmCode = mainState.scannerStatus >= CHECK_FILM_CHANGE ? mainState.scannerStatus - CHECK_FILM_CHANGE : 0;
    return CheckAdapterAndFilm(owner, filmCode) == FILM_UNCHANGED;
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
    if (LoadCurrentFilmOrBuiltIn(scanSettings.filmNumber) == 0) {
        // An all-zero record would take every film for an uncorrected
        // positive, and a negative would be delivered as a negative. The
        // built-in film type keeps the scan right; the user hears once, as
        // the window opens, which file could not be read.
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
        if (!ScannerReadyForFilm(mainWindow != nullptr ? mainWindow : window)) {
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
        if (!ScannerReadyForFilm(window)) {
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
        if (!ScannerReadyForFilm(window)) {
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

// --- Output size ---------------------------------------------------------------

// The text of a size or resolution field the user changed since it was last
// written; null when it is unchanged.
const char* ModifiedFieldText(HWND window, int id, char* buffer, int size) {
    HWND field = GetDlgItem(window, id);
    if (field == nullptr || SendMessageA(field, EM_GETMODIFY, 0, 0) == 0) {
        return nullptr;
    }
    GetWindowTextA(field, buffer, size);
    return buffer;
}

// Values typed into the three fields are taken when the mouse next moves
// outside the crop frame, on Enter, and when a field loses the focus.
void ApplyTypedFields(HWND window) {
    char width[32] = {}, height[32] = {}, resolution[32] = {};
    TypedFields fields = {ModifiedFieldText(window, EDIT_WIDTH, width, sizeof width),
                          ModifiedFieldText(window, EDIT_HEIGHT, height, sizeof height),
                          ModifiedFieldText(window, EDIT_RESOLUTION, resolution, sizeof resolution)};
    if (fields.width == nullptr && fields.height == nullptr && fields.resolution == nullptr) {
        return;
    }
    OutputRedraw redraw = ApplyTypedValues(scanSettings, fields);
    // A typed height that lost to a typed width, or a resolution field the
    // model did not need to rewrite, must not count as typed again.
    for (int id : EDIT_FIELDS) SendDlgItemMessageA(window, id, EM_SETMODIFY, FALSE, 0);
    ApplyOutputRedraw(window, redraw);
}

void OnMaxResolution(HWND window) {
    ApplyOutputRedraw(window, ToggleMaxResolution(scanSettings));
}

// --- Exposure, colour and black-and-white ---------------------------------

struct SliderControl {
    Slider slider;
    int scrollId;
    WORD resetCommand;
};
constexpr SliderControl SLIDER_CONTROLS[] = {
    {Slider::Exposure, SCROLL_EXPOSURE, CMD_RESET_EXPOSURE},
    {Slider::Red, SCROLL_RED, CMD_RESET_RED},
    {Slider::Green, SCROLL_GREEN, CMD_RESET_GREEN},
    {Slider::Blue, SCROLL_BLUE, CMD_RESET_BLUE},
};

const SliderControl* SliderOfScrollBar(int scrollId) {
    for (const SliderControl& c : SLIDER_CONTROLS) {
        if (c.scrollId == scrollId) return &c;
    }
    return nullptr;
}

const SliderControl* SliderOfReset(WORD command) {
    for (const SliderControl& c : SLIDER_CONTROLS) {
        if (c.resetCommand == command) return &c;
    }
    return nullptr;
}

// The preview re-toned for the changed tables; the picture covers the old
// frame, so the frame is drawn once.
void RetonePreview(HWND window) {
    ScopedWaitCursor wait;
    RenderPreview(window);
    ScopedWindowDC dc(window);
    DrawCropFrame(dc.Get());
}

// The gamma curve window shows the balance sliders' curves: it follows a
// change that also redraws the preview.
void ApplyGammaRedraw(uint8_t redraw) {
    if ((redraw & REFRESH_GAMMA) != 0) RefreshGammaWindow((redraw & INVALIDATE_GAMMA) != 0);
}

void OnHorizontalScroll(HWND window, WPARAM wParam, HWND bar) {
    const SliderControl* control = SliderOfScrollBar(GetDlgCtrlID(bar));
    if (control == nullptr) {
        return;
    }
    SliderInput input = {};
    input.slider = control->slider;
    input.code = LOWORD(wParam);
    input.barPosition = GetScrollPos(bar, SB_CTL);
    input.thumbPosition = static_cast<short>(HIWORD(wParam));
    if (input.code == SCROLL_THUMB_POSITION) {
        // A drop followed by a mouse move re-tones the preview. The message
        // is only looked at: taking it from the queue would lose whatever
        // else came next (a click, a paint).
        MSG next;
        input.mouseMoveFollowed =
            PeekMessageA(&next, window, 0, 0, PM_NOREMOVE | PM_NOYIELD) != 0 && next.message == WM_MOUSEMOVE ? 1 : 0;
    }
    input.gammaWindowOpen = mainState.gammaWindowOpen == 1 ? 1 : 0;
    input.previewed = mainState.previewed == 1 ? 1 : 0;
    SliderResult result = HandleSlider(input);
    if ((result.redraw & REDRAW_SCROLL_BAR) != 0) SetScrollPos(bar, SB_CTL, result.position, TRUE);
    EnableButton(control->resetCommand, SliderResetEnabled(control->slider));
    ApplyGammaRedraw(result.redraw);
    if ((result.redraw & REDRAW_PREVIEW) != 0) RetonePreview(window);
}

void OnResetSlider(HWND window, const SliderControl& control) {
    PressButton(control.resetCommand, true);
    uint8_t redraw;
    {
        ScopedWaitCursor wait;
        redraw = ResetSlider(control.slider, gammaWindow != nullptr, mainState.previewed == 1);
        SetScrollPos(GetDlgItem(window, control.scrollId), SB_CTL, SLIDER_NEUTRAL, TRUE);
    }
    if ((redraw & REDRAW_PREVIEW) != 0) RetonePreview(window);
    PressButton(control.resetCommand, false);
    EnableButton(control.resetCommand, false);
    ApplyGammaRedraw(redraw);
}

void OnMonochrome(HWND window) {
    uint8_t redraw = ToggleMonochrome(mainState.previewed == 1);
    PressButton(CMD_MONOCHROME, scanSettings.monochrome == 1);
    if ((redraw & REDRAW_PREVIEW) != 0) RetonePreview(window);
}

// --- Rotation ----------------------------------------------------------------

// The output's width and height change places through what the fields show,
// so the swap carries their rounding.
void SwapOutputSides(HWND window) {
    char width[UNIT_TEXT_BYTES] = {}, height[UNIT_TEXT_BYTES] = {};
    GetDlgItemTextA(window, EDIT_WIDTH, width, sizeof width);
    GetDlgItemTextA(window, EDIT_HEIGHT, height, sizeof height);
    if (scanSettings.unitIndex == UNIT_PIXEL) {
        int32_t newWidth = ParseFieldInteger(height), newHeight = ParseFieldInteger(width);
        // Fields not yet filled (no first paint) hold no size to swap.
        if (newWidth <= 0 || newHeight <= 0) {
            newWidth = RoundedPixels(scanSettings.outputHeight);
            newHeight = RoundedPixels(scanSettings.outputWidth);
        }
        scanSettings.outputWidth = newWidth;
        scanSettings.outputHeight = newHeight;
        PixelsToMm(scanSettings);
    } else {
        double newWidth = 0.0, newHeight = 0.0;
        ParseFixedWidthReal(height, "%5lf", &newWidth);
        ParseFixedWidthReal(width, "%5lf", &newHeight);
        scanSettings.widthInUnit = newWidth;
        scanSettings.heightInUnit = newHeight;
        UnitToMm(scanSettings, scanSettings.unitIndex);
        MmToPixels(scanSettings);
    }
    scanSettings.aspectRatio = scanSettings.outputWidth / scanSettings.outputHeight;
    ShowOutputSize(window);
}

void OnRotate(HWND window) {
    PressButton(CMD_ROTATE, true);
    // Values typed but not yet taken are taken for the frame they were typed
    // for, so that the fields hold numbers of the current size to swap.
    ApplyTypedFields(window);
    RotatePreview(scanSettings, mainState.previewed);
    {
        // The mask clears the old picture and frame.
        ScopedWindowDC dc(window);
        DrawFrameMask(dc.Get(), mainState.previewed == 0);
    }
    SwapOutputSides(window);
    if (mainState.previewed == 1) {
        BuildExposureTable(scanSettings.exposurePosition, scanSettings.previewExposurePosition,
                           currentFilm.negative != 0);
        RenderPreview(window);
    }
    {
        ScopedWindowDC dc(window);
        DrawCropFrame(dc.Get());
    }
    PressButton(CMD_ROTATE, false);
    FlushWindowMessages(window);
}

void OnCommand(HWND window, WORD command, WORD notification) {
    if (const SliderControl* reset = SliderOfReset(command)) {
        OnResetSlider(window, *reset);
        return;
    }
    switch (command) {
    case CMD_PREVIEW: OnPreview(window); break;
    case CMD_SCAN: OnScan(window); break;
    case CMD_FOCUS: OnFocus(window); break;
    case CMD_ROTATE: OnRotate(window); break;
    case CMD_MAX_RESOLUTION: OnMaxResolution(window); break;
    case CMD_MONOCHROME: OnMonochrome(window); break;
    case CMD_GAMMA_WINDOW: OpenGammaWindow(window); break;
    case CMD_INDEX_WINDOW: OpenIndexWindow(); break;
    case CMD_FILM_TYPE: RunFilmTypePopup(window); break;
    case CMD_IMAGE_SIZE: RunImageSizePopup(window); break;
    case CMD_UNIT: RunUnitPopup(window); break;
    case CMD_OUTPUT_RESOLUTION: RunResolutionPopup(window); break;
    case IDOK: ApplyTypedFields(window); break;  // Enter takes what was typed; nothing else
    case EDIT_WIDTH:
    case EDIT_HEIGHT:
    case EDIT_RESOLUTION:
        if (notification == EN_KILLFOCUS) ApplyTypedFields(window);
        break;
    default: break;  // Esc (2) and the commands still to come do nothing
    }
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

// --- Mouse -------------------------------------------------------------------

void DrawCropFrameHook(void* context) {
    ScopedWindowDC dc(static_cast<HWND>(context));
    DrawCropFrame(dc.Get());
}
void ApplyEdgeRuleHook(void* context) {
    ApplyOutputRedraw(static_cast<HWND>(context), ApplyCropEdgeDrag(scanSettings));
}
void ApplyCornerRuleHook(void* context) {
    ApplyOutputRedraw(static_cast<HWND>(context), ApplyCropCornerDrag(scanSettings));
}
void DragResolutionSliderHook(void* context, int32_t dx) {
    ApplyOutputRedraw(static_cast<HWND>(context), DragResolutionSlider(scanSettings, dx));
}

// While focus mode is on the mouse only moves the focus line.
void MoveFocusLine(HWND window, int x, int y) {
    DrawFocusLine(window);
    bool inside = InsideImage(x, y);
    scanSettings.focusLine = !inside ? 0 : static_cast<uint16_t>(scanSettings.rotation % 2 == 0 ? x : y);
    DrawFocusLine(window);
}

void OnMouseMove(HWND window, WPARAM keys, int x, int y) {
    if (mainState.focusMode == 1) {
        MoveFocusLine(window, x, y);
        return;
    }
    CropDrag& drag = mainState.drag;
    drag.mouseX = x;
    drag.mouseY = y;
    // A drag keeps its zone even where the mouse leaves it.
    if (drag.dragging == 0) drag.hitZone = HitTest(scanSettings, x, y);
    scanSettings.cropWidth = scanSettings.cropRect.right - scanSettings.cropRect.left + 1;
    scanSettings.cropHeight = scanSettings.cropRect.bottom - scanSettings.cropRect.top + 1;
    if (drag.hitZone == ZONE_NONE) ApplyTypedFields(window);
    if ((keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL)) != MK_LBUTTON) {
        drag.dragging = 0;
        drag.hitZone = HitTest(scanSettings, x, y);
        if (InsideImage(x, y)) ShowColourUnderMouse(window, x, y);
        return;
    }
    CropFrameHooks hooks = {window, DrawCropFrameHook, ApplyEdgeRuleHook, ApplyCornerRuleHook,
                            DragResolutionSliderHook};
    DragCropFrame(scanSettings, drag, hooks);
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
    CropDrag& drag = mainState.drag;
    drag.mouseX = drag.lastMouseX = x;
    drag.mouseY = drag.lastMouseY = y;
    drag.hitZone = HitTest(scanSettings, x, y);
}

// The cursor shows what a drag from here would do. Over the controls and
// the window's frame the system's own cursors stay.
BOOL OnSetCursor(HWND window, HWND under, WORD hitArea) {
    if (under != window || hitArea != HTCLIENT) {
        return FALSE;
    }
    static constexpr WORD CURSOR_IDS[] = {32512, 32642, 32643, 32644, 32645};  // arrow, NWSE, NESW, WE, NS
    auto shape = static_cast<size_t>(CursorForZone(mainState.drag.hitZone));
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(CURSOR_IDS[shape < 5 ? shape : 0])));
    return TRUE;
}

void OnSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED && gammaWindow != nullptr) ShowWindow(gammaWindow, SW_HIDE);
}

void OnQueryOpen() {
    if (gammaWindow != nullptr) ShowWindow(gammaWindow, SW_SHOWNORMAL);
}

// Quitting the window asks the application to close the source; the window
// itself is destroyed when it does.
// Closing the source would lose index thumbnails scanned since the last
// save: the user is asked first, and Cancel keeps everything open.
BOOL OnClose(HWND window) {
    if (indexUnsaved == 1 && AskMessage(window, MSG_QUIT_DISCARDS_INDEX) != IDOK) {
        return TRUE;
    }
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
    case WM_COMMAND: OnCommand(window, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_HSCROLL: OnHorizontalScroll(window, wParam, reinterpret_cast<HWND>(lParam)); return TRUE;
    case WM_MOUSEMOVE: OnMouseMove(window, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_LBUTTONDOWN: OnLeftButtonDown(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_LBUTTONUP: return TRUE;
    case WM_SETCURSOR: return OnSetCursor(window, reinterpret_cast<HWND>(wParam), LOWORD(lParam));
    case WM_NOTIFY: return OnToolTipNotify(lParam);
    case WM_SIZE: OnSize(wParam); return TRUE;
    case WM_QUERYOPEN: OnQueryOpen(); return FALSE;
    case WM_CLOSE: return OnClose(window);
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
