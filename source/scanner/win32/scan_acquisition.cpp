#include "source/scanner/win32/scan_acquisition.h"

#include <optional>

#include "source/aps/frame_ix.h"
#include "source/aps/win32/index_window.h"
#include "source/imaging/film_parameters.h"
#include "source/scanner/command_set.h"
#include "source/scanner/film_transport.h"
#include "source/scanner/final_scan.h"
#include "source/scanner/focus.h"
#include "source/scanner/link.h"
#include "source/scanner/win32/port_access_win32.h"
#include "source/scanner/preview_scan.h"
#include "source/scanner/scanner_check.h"
#include "source/scanner/win32/user_messages.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/win32/bitmap_resources.h"
#include "source/ui/win32/preview_buffers.h"
#include "source/ui/scan_settings.h"
#include "common/win32/win32_guards.h"

WORD progressWidth = 0;
WORD progressHeight = 0;

namespace {

constexpr int STOP_SIZE = 32;
constexpr int STOP_PROBE = 14;  // a pixel of the STOP button that is pure red
constexpr BYTE STOP_PROBE_RED = 240;

// The wait cursor while the film moves, when it has to.
void BringFilmToFrontWithWaitCursor() {
    std::optional<ScopedWaitCursor> wait;
    WaitCursor cursor = {[](void* c) { static_cast<std::optional<ScopedWaitCursor>*>(c)->emplace(); },
                         [](void* c) { static_cast<std::optional<ScopedWaitCursor>*>(c)->reset(); }, &wait};
    BringFilmToFront(&cursor);
}

// --- Final scan -----------------------------------------------------------

struct ProgressWindow {
    HWND dialog;
    HDC dc;
};

void DrawStop(const ProgressWindow& progress, const char* name) {
    DrawBitmapResource(name, progress.dc, nullptr, 0, 0, STOP_SIZE, STOP_SIZE);
}

// The dialog does not repaint itself: a STOP button that something covered
// is drawn again when its probe pixel is no longer red.
void RestoreCoveredStop(void* context) {
    const auto& progress = *static_cast<ProgressWindow*>(context);
    COLORREF probe = GetPixel(progress.dc, STOP_PROBE, STOP_PROBE);
    if (GetRValue(probe) < STOP_PROBE_RED) DrawStop(progress, "STOP_0");
}

// One pending message of the progress window, removed and not dispatched:
// Escape or a click on the STOP button stops the scan.
bool UserPressedStop(void* context) {
    const auto& progress = *static_cast<ProgressWindow*>(context);
    MSG message;
    if (!PeekMessageA(&message, progress.dialog, 0, 0, PM_REMOVE)) {
        return false;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        return true;
    }
    if (message.message == WM_LBUTTONDOWN) {
        int x = static_cast<short>(LOWORD(message.lParam));
        int y = static_cast<short>(HIWORD(message.lParam));
        return x > 0 && x < STOP_SIZE && y > 0 && y < STOP_SIZE;
    }
    return false;
}

void ShowStopPressed(void* context) {
    DrawStop(*static_cast<ProgressWindow*>(context), "STOP_1");
}

// The progress window at the top-left corner of the screen: white, with a
// light grey band for the STOP button above the picture. The other source
// windows make way for it.
HWND OpenProgressWindow(HWND mainScanWindow, const FinalScanGeometry& g) {
    progressWidth = g.progressWidth;
    progressHeight = static_cast<WORD>(g.progressHeight + PROGRESS_BAR_HEIGHT);
    HWND dialog = CreateDialogParamA(moduleInstance, "SCANDIALOG", nullptr, ProgressDialogProc, 0);
    progressHeight = g.progressHeight;
    if (dialog == nullptr) {
        return nullptr;
    }
    if (indexWindow != nullptr) ShowWindow(indexWindow, SW_MINIMIZE);
    if (ixWindow != nullptr) ShowWindow(ixWindow, SW_MINIMIZE);
    if (gammaWindow != nullptr) ShowWindow(gammaWindow, SW_HIDE);
    if (mainScanWindow != nullptr) ShowWindow(mainScanWindow, SW_MINIMIZE);
    return dialog;
}

void PaintProgressBackground(HDC dc) {
    RECT whole = {0, 0, progressWidth, progressHeight + PROGRESS_BAR_HEIGHT};
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ScopedSelectObject brush(dc, GetStockObject(LTGRAY_BRUSH));
    ScopedSelectObject pen(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 0, 0, progressWidth, PROGRESS_BAR_HEIGHT + 1);
}

// Runs the scan with the progress window open; answers how it ended.
ScanOutcome ScanWithProgress(HWND mainScanWindow, const FinalScanGeometry& g, BYTE* image) {
    HWND dialog = OpenProgressWindow(mainScanWindow, g);
    if (dialog == nullptr) {
        return ScanOutcome::Stopped;
    }
    ScanOutcome outcome;
    {
        ScopedWindowDC dc(dialog);
        ProgressWindow progress = {dialog, dc.Get()};
        PaintProgressBackground(progress.dc);
        DrawStop(progress, "STOP_0");
        FinalScanTarget target = {};
        target.image = image;
        target.imageBytes = g.imageBytes;
        target.progress = {SetCanvasPixel, progress.dc};
        target.beforeDraw = RestoreCoveredStop;
        target.stopRequested = UserPressedStop;
        target.onStop = ShowStopPressed;
        target.context = &progress;
        outcome = RunFinalScan(target, g, scanSettings.rotation, scanSettings.monochrome != 0);
    }
    DestroyWindow(dialog);
    return outcome;
}

// --- Focus ----------------------------------------------------------------

void FillGauge(void* context, int32_t left, int32_t top, int32_t right, int32_t bottom, bool black) {
    RECT area = {left, top, right, bottom};
    FillRect(static_cast<HDC>(context), &area, static_cast<HBRUSH>(GetStockObject(black ? BLACK_BRUSH : WHITE_BRUSH)));
}

// One pending message of the main scan window, removed: a click or a key
// ends the sampling.
bool UserEndedFocus(void* context) {
    MSG message;
    if (!PeekMessageA(&message, static_cast<HWND>(context), 0, 0, PM_REMOVE)) {
        return false;
    }
    return message.message == WM_LBUTTONDOWN || message.message == WM_KEYDOWN;
}

}  // namespace

void SetCanvasPixel(void* context, int16_t x, int16_t y, uint8_t red, uint8_t green, uint8_t blue) {
    SetPixel(static_cast<HDC>(context), x, y, RGB(red, green, blue));
}

void PreviewScan(HWND window) {
    scanSettings.apsAdapter = scanSettings.adapterType == 'A' ? 1 : 0;
    BringFilmToFrontWithWaitCursor();
    // An APS film goes to the frame picked on the index sheet first.
    if (scanSettings.apsAdapter == 1 && indexWindow != nullptr && IndexSheetExists()) {
        FramePositionHooks hooks = {[](void* w, uint32_t id) { ShowMessage(static_cast<HWND>(w), id); },
                                    [](void*) { RefreshIxWindow(); }, window, useJapanese};
        if (PositionToSelectedFrame(hooks) == 0) return;
        RedrawIndexWindow();
    }
    if ((previewPixels == nullptr || previewBitmap == nullptr) && !AllocatePreviewBuffers()) {
        ShowMessage(window, MSG_SCANNING_STOPPED);
        return;
    }
    ScanOutcome outcome;
    {
        ScopedGlobalLock pixels(previewPixels);
        ScopedGlobalLock bitmap(previewBitmap);
        ScopedWindowDC dc(window);
        if (pixels.Get() == nullptr || bitmap.Get() == nullptr) {
            return;
        }
        PreviewTarget target = {pixels.Get(), bitmap.Get(), PREVIEW_BITMAP_BYTES, {SetCanvasPixel, dc.Get()},
                                scanSettings.imageRect.left, scanSettings.imageRect.top};
        outcome = RunPreviewScan(target, scanSettings.apsAdapter != 0, scanSettings.rotation,
                                scanSettings.monochrome != 0);
    }
    if (outcome != ScanOutcome::Completed) {
        ShowMessage(window, MSG_SCANNING_STOPPED);
    }
    if (outcome == ScanOutcome::LineFailed) {
        ShowMessage(window, MSG_NO_SCANNER);
    }
}

BYTE FinalScan(HWND window) {
    BringFilmToFrontWithWaitCursor();
    // A picture offered but not taken gives way to the new one; one the
    // application took is no longer held here.
    FreeTransferImage();
    FinalScanGeometry g;
    GlobalBlock image(FinalScanGeometryFor(scanSettings, g) ? GlobalAlloc(GHND, g.imageBytes) : nullptr);
    auto* bits = image.Get() != nullptr ? static_cast<BYTE*>(GlobalLock(image.Get())) : nullptr;
    if (bits == nullptr) {
        // Nothing to scan, or no memory for the picture.
        ShowMessage(window, MSG_SCANNING_STOPPED);
        return 1;
    }
    WriteTransferHeader(bits, g, scanSettings.outputResolution);
    ScanOutcome outcome = ScanWithProgress(window, g, bits);
    if (outcome == ScanOutcome::Completed) {
        // The block goes to the session state and this lock to the caller,
        // which unlocks it before notifying (see the header).
        OfferTransferImage(image.Detach());
        return 1;
    }
    ShowMessage(window, MSG_SCANNING_STOPPED);
    if (outcome == ScanOutcome::LineFailed) {
        ShowMessage(window, MSG_NO_SCANNER);
    }
    // Nothing is handed over: the lock is undone here and the block freed.
    GlobalUnlock(image.Get());
    return 1;
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        MoveWindow(dialog, 0, 0, progressWidth, progressHeight + GetSystemMetrics(SM_CYMINTRACK), FALSE);
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_PAINT:
    case WM_MOVE:
    case WM_COMMAND:
        return TRUE;
    default:
        return FALSE;
    }
}

void RunFocus(HWND window) {
    ScopedScannerPort port;
    RunFocusWithPortHeld(window);
}

void RunFocusWithPortHeld(HWND window) {
    BringFilmToFront(nullptr);
    uint16_t position = FocusPosition(FocusDistance(scanSettings), scanSettings.apsAdapter != 0);
    {
        ScopedWaitCursor wait;
        if (!PositionFilm(POSITION_SCANNER, position)) {
            return;
        }
    }
    ScopedWindowDC dc(window);
    StartFocus(FOCUS_PARAMETER);
    FocusGauge gauge = {{SetCanvasPixel, dc.Get()}, FillGauge};
    ClearFocusGauge(gauge);
    if (!RunFocusSampling(gauge, UserEndedFocus, window)) {
        ShowMessage(window, MSG_NO_SCANNER);
        return;
    }
    EndScan();
    ScopedWaitCursor wait;
    PositionFilm(POSITION_TO_FRONT, TO_FRONT_COUNT);
}
