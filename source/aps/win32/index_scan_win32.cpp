#include "source/aps/win32/index_scan_win32.h"

#include <vector>

#include "common/win32/global_memory.h"
#include "common/win32/win32_guards.h"
#include "source/aps/frame_ix.h"
#include "source/aps/index_sheet.h"
#include "source/aps/win32/index_window.h"
#include "source/imaging/film_parameters.h"
#include "source/scanner/index_scan.h"
#include "source/scanner/link.h"
#include "source/scanner/scan_setup.h"
#include "source/scanner/scanner_check.h"
#include "source/scanner/win32/port_access_win32.h"
#include "source/scanner/win32/scan_acquisition.h"
#include "source/scanner/win32/user_messages.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/film_change.h"
#include "source/ui/win32/bitmap_resources.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/win32/setting_popups.h"

namespace {

// The STOP button drawn over the single-scan button while an auto scan runs.
constexpr int STOP_X = 10, STOP_Y = 120, STOP_SIZE = 32;
constexpr int STOP_HIT_LEFT = 11, STOP_HIT_RIGHT = 41, STOP_HIT_TOP = 123, STOP_HIT_BOTTOM = 153;
constexpr WORD COPY_PROGRESS_WIDTH = 288, COPY_PROGRESS_HEIGHT = 231;

struct ScanContext {
    HWND window;
};

void ShowIndexMessage(void* context, uint32_t id) {
    ShowMessage(static_cast<ScanContext*>(context)->window, id);
}

void FollowSelectedFrame(void*) {
    RefreshIxWindow();
}

// One pending left-button press of the index window per line: a press on
// the STOP button asks the auto scan to stop after this thumbnail.
void CheckStopButton(void* context) {
    HWND window = static_cast<ScanContext*>(context)->window;
    MSG message;
    if (!PeekMessageA(&message, window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE)) return;
    int x = static_cast<short>(LOWORD(message.lParam)), y = static_cast<short>(HIWORD(message.lParam));
    if (x >= STOP_HIT_LEFT && x <= STOP_HIT_RIGHT && y >= STOP_HIT_TOP && y <= STOP_HIT_BOTTOM) {
        autoScanState = AUTO_SCAN_STOP_REQUESTED;
        ScopedWindowDC dc(window);
        DrawBitmapResource("STOP_1", dc.Get(), nullptr, STOP_X, STOP_Y, STOP_SIZE, STOP_SIZE);
    }
}

// Steps 1-4: the scanner ready and, with APS film, the film at the frame.
bool ReadyForThumbnail(HWND window, ScanContext& context) {
    InitialiseLink();
    int32_t check = CheckScanner(window);
    if (check == CHECK_NOT_READY) return false;
    int32_t filmCode = check >= CHECK_FILM_CHANGE ? check - CHECK_FILM_CHANGE : 0;
    if (mainWindow != nullptr && CheckAdapterAndFilm(mainWindow, filmCode) != FILM_UNCHANGED) return false;
    ReadScannerParameters();  // once per load; the thumbnail needs the calibration
    if (scanSettings.adapterType != 'A') {
        autoScanState = AUTO_SCAN_IDLE;
        ClearFrameIx(selectedFrame, useJapanese);
        return true;
    }
    FramePositionHooks hooks = {ShowIndexMessage, FollowSelectedFrame, &context, useJapanese};
    return PrepareApsThumbnail(hooks) == 1;
}

}  // namespace

int32_t ScanIndexFrame(HWND window) {
    ScanContext context = {window};
    uint8_t scanned = 0;
    {
        ScopedScannerPort port;
        if (!ReadyForThumbnail(window, context)) {
            autoScanState = AUTO_SCAN_IDLE;
            return 0;
        }
        HDC sheetDC = IndexSheetDC();
        int32_t cellX = 0, cellY = 0;
        if (sheetDC == nullptr || !IndexCellOrigin(selectedFrame, cellX, cellY)) {
            autoScanState = AUTO_SCAN_IDLE;
            return 0;
        }
        bool aps = scanSettings.adapterType == 'A';
        indexUnsaved = 1;
        ScopedWindowDC screen(window);
        DrawEmptyIndexCell(screen.Get(), cellX, cellY, aps);
        DrawEmptyIndexCell(sheetDC, cellX, cellY, aps);

        bool frontUp = (lastStatus.statusFlags & STATUS_FRONT_SIDE) != 0;
        IndexScanGeometry g = IndexScanGeometryFor(aps, frontUp);
        const IxFrameRecord* record = FrameIxRecord(selectedFrame);
        bool turned = aps && record != nullptr && record->leftRight == LEFT_RIGHT_LEFT;
        ThumbnailTarget target = {};
        target.screen = {SetCanvasPixel, screen.Get()};
        target.sheet = {SetCanvasPixel, sheetDC};
        target.originX = cellX + g.cellX;
        target.originY = cellY + g.cellY;
        target.checkStop = CheckStopButton;
        target.context = &context;
        {
            ScopedWaitCursor wait;
            scanned = RunThumbnailScan(target, g, frontUp ? 'F' : 'B', turned, autoScanState != AUTO_SCAN_IDLE,
                                       scanSettings.monochrome != 0);
        }
        if (scanned == 1) {
            uint8_t state = FrameStateOf(selectedFrame);
            SetFrameState(selectedFrame, !aps ? FRAME_STRIP_SCANNED
                                         : state == FRAME_IX_READ || state == FRAME_READ_AND_SCANNED
                                             ? FRAME_READ_AND_SCANNED
                                             : FRAME_INDEX_SCANNED);
            if (selectedFrame > scannedFrameCount) scannedFrameCount = selectedFrame;
            DrawFrameAnnotations(screen.Get(), selectedFrame);
            if (showFrameNumbers == 1) DrawFrameNumber(screen.Get(), selectedFrame, true);
        }
    }
    if (scanned != 1) ShowMessage(parentWindow, MSG_NO_SCANNER);
    FlushWindowMessages(window);
    RefreshIxWindow();
    return 1;
}

void RunAutoScan(HWND window) {
    autoScanState = AUTO_SCAN_FIRST_FRAME;
    {
        ScopedWindowDC dc(window);
        DrawBitmapResource("STOP_0", dc.Get(), nullptr, STOP_X, STOP_Y, STOP_SIZE, STOP_SIZE);
    }
    ScanContext context = {window};
    AutoScanHooks hooks = {[](void* c) { return ScanIndexFrame(static_cast<ScanContext*>(c)->window); },
                           ShowIndexMessage, [](void*) { return lastStatus.positionByte; }, &context};
    RunAutoScanLoop(hooks, scanSettings.adapterType != 'A');
    autoScanState = AUTO_SCAN_IDLE;
}

void DrawSunkenOutline(HDC dc, int left, int top, int right, int bottom) {
    ScopedGdiObject<HPEN> dark(CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80)));
    ScopedGdiObject<HPEN> light(CreatePen(PS_SOLID, 1, RGB(0xFF, 0xFF, 0xFF)));
    ScopedSelectObject pen(dc, dark.Get());
    MoveToEx(dc, left, bottom, nullptr);
    LineTo(dc, left, top);
    LineTo(dc, right, top);
    SelectObject(dc, light.Get());
    MoveToEx(dc, left, bottom, nullptr);
    LineTo(dc, right, bottom);
    LineTo(dc, right, top);
}

void DrawEmptyIndexCell(HDC dc, int32_t x, int32_t y, bool aps) {
    ScopedGdiObject<HBRUSH> grey(CreateSolidBrush(RGB(0xC0, 0xC0, 0xC0)));
    RECT cell = {x, y, x + INDEX_CELL_WIDTH, y + INDEX_CELL_HEIGHT};
    FillRect(dc, &cell, grey.Get());
    DrawSunkenOutline(dc, x + 2, y + (aps ? 7 : 2), x + 94, y + (aps ? 59 : 64));
}

bool ReadSheetPixels(bool annotated, std::vector<uint8_t>& pixels) {
    HDC sheetDC = IndexSheetDC();
    if (sheetDC == nullptr) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = INDEX_SHEET_WIDTH;
    info.bmiHeader.biHeight = -INDEX_SHEET_HEIGHT;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ScopedMemoryDC copyDC(CreateCompatibleDC(sheetDC));
    ScopedGdiObject<HBITMAP> copy(CreateDIBSection(sheetDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (copyDC.Get() == nullptr || copy.Get() == nullptr || bits == nullptr) return false;
    ScopedSelectObject selected(copyDC.Get(), copy.Get());
    BitBlt(copyDC.Get(), 0, 0, INDEX_SHEET_WIDTH, INDEX_SHEET_HEIGHT, sheetDC, 0, 0, SRCCOPY);
    if (annotated) DrawAllFrameAnnotations(copyDC.Get());
    GdiFlush();
    const auto* bgra = static_cast<const uint8_t*>(bits);
    pixels.assign(static_cast<size_t>(INDEX_SHEET_WIDTH) * INDEX_SHEET_HEIGHT * 3, 0);
    for (size_t i = 0; i < pixels.size() / 3; ++i) {
        pixels[i * 3] = bgra[i * 4 + 2];
        pixels[i * 3 + 1] = bgra[i * 4 + 1];
        pixels[i * 3 + 2] = bgra[i * 4];
    }
    return true;
}

void CopyIndexSheet() {
    if (!IndexSheetExists()) return;
    ScopedWaitCursor wait;
    progressWidth = COPY_PROGRESS_WIDTH;
    progressHeight = COPY_PROGRESS_HEIGHT;
    HWND dialog = CreateDialogParamA(moduleInstance, "SCANDIALOG", nullptr, ProgressDialogProc, 0);
    if (gammaWindow != nullptr) ShowWindow(gammaWindow, SW_HIDE);
    if (mainWindow != nullptr) ShowWindow(mainWindow, SW_MINIMIZE);
    if (ixWindow != nullptr) ShowWindow(ixWindow, SW_MINIMIZE);
    if (indexWindow != nullptr) ShowWindow(indexWindow, SW_MINIMIZE);

    std::vector<uint8_t> pixels;
    if (!ReadSheetPixels(true, pixels)) {
        if (dialog != nullptr) DestroyWindow(dialog);
        return;
    }
    HGLOBAL image = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, INDEX_COPY_BYTES);
    auto* dib = image != nullptr ? static_cast<uint8_t*>(GlobalLock(image)) : nullptr;
    if (dib != nullptr && CopySheetToDib(pixels.data(), pixels.size(), dib, INDEX_COPY_BYTES,
                                         scanSettings.outputResolution)) {
        OfferTransferImage(image);  // still locked once, for the caller
        if (dialog != nullptr) {
            // The copy at half size in the progress window.
            ScopedWindowDC dc(dialog);
            RECT whole = {0, 0, COPY_PROGRESS_WIDTH, COPY_PROGRESS_HEIGHT};
            FillRect(dc.Get(), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            for (uint32_t row = 0; row < INDEX_COPY_HEIGHT; row += 2) {
                for (uint32_t x = 0; x < INDEX_COPY_WIDTH; x += 2) {
                    const uint8_t* p = dib + 40 + (INDEX_COPY_HEIGHT - 1 - row) * INDEX_COPY_WIDTH * 3 + x * 3;
                    SetPixel(dc.Get(), static_cast<int>(x / 2), static_cast<int>(row / 2), RGB(p[2], p[1], p[0]));
                }
            }
        }
    } else if (image != nullptr) {
        if (dib != nullptr) GlobalUnlock(image);
        GlobalFree(image);
    }
    if (dialog != nullptr) DestroyWindow(dialog);
}
