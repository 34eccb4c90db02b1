#include "source/aps/win32/index_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>
#include <cstring>

#include "common/win32/profile_settings.h"
#include "common/win32/win32_guards.h"
#include "source/aps/frame_ix.h"
#include "source/aps/index_sheet.h"
#include "source/aps/win32/index_files.h"
#include "source/aps/win32/index_scan_win32.h"
#include "source/aps/win32/ix_window.h"
#include "source/resources/resource_ids.h"
#include "source/scanner/film_transport.h"
#include "source/scanner/index_scan.h"
#include "source/scanner/link.h"
#include "source/scanner/scanner_check.h"
#include "source/scanner/win32/port_access_win32.h"
#include "source/scanner/win32/user_messages.h"
#include "source/twain/win32/notifications.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/film_change.h"
#include "source/ui/win32/bitmap_resources.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/win32/setting_popups.h"
#include "source/ui/win32/window_places.h"

namespace {

struct IndexButton {
    WORD command;
    int bitmap;
    int y;
    UINT toolTip;
    bool apsOnly;  // shown only while the APS adapter is in use
};
constexpr IndexButton INDEX_BUTTONS[] = {
    {CMD_INDEX_OPEN_FILE, 145, 10, 20030, false},   {CMD_INDEX_SAVE_FILE, 146, 44, 20040, false},
    {CMD_INDEX_AUTO_SCAN, 149, 85, 20010, false},   {CMD_INDEX_SINGLE_SCAN, 150, 119, 20000, false},
    {CMD_INDEX_CLEAR, 144, 153, 20020, false},      {CMD_INDEX_COPY, 151, 195, 20050, false},
    {CMD_INDEX_PREVIEW_WINDOW, 147, 229, 20090, false}, {CMD_INDEX_REWIND, 148, 275, 20060, true},
    {CMD_INDEX_IX_WINDOW, 143, 309, 20080, true},
};
constexpr size_t INDEX_BUTTON_COUNT = sizeof INDEX_BUTTONS / sizeof INDEX_BUTTONS[0];
constexpr int BUTTON_X = 10, BUTTON_SIZE = 32;

constexpr int OPTION_BOX_X = 488, OPTION_BOX_Y = 403, OPTION_BOX_STEP = 14, OPTION_BOX_SIZE = 14;
constexpr int OPTION_COUNT = 4;
constexpr int LEGEND_X = 435, LEGEND_Y = 399, LEGEND_WIDTH = 188, LEGEND_HEIGHT = 62;

constexpr COLORREF SHEET_GREY = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF TAG_BLUE = RGB(0, 0, 0xFF);
constexpr COLORREF TAG_RED = RGB(0xFF, 0, 0);
constexpr COLORREF TAG_YELLOW = RGB(0xFF, 0xFF, 0);
constexpr COLORREF TEXT_GREY = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF TEXT_BLACK = RGB(0, 0, 0);
constexpr COLORREF TEXT_WHITE = RGB(0xFF, 0xFF, 0xFF);

// The sheet: a memory context holding a 640 x 480 bitmap of the screen's
// format. Plain handles: it lives from the first paint until a Clear or
// the source's close.
struct SheetSurface {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};
SheetSurface sheet = {};

HWND toolbars[INDEX_BUTTON_COUNT] = {};
HBITMAP toolBitmaps[INDEX_BUTTON_COUNT] = {};

// The last left-button press, for telling a click on a number tag.
POINT pressedAt = {-1, -1};

int IndexOfButton(WORD command) {
    for (size_t i = 0; i < INDEX_BUTTON_COUNT; ++i) {
        if (INDEX_BUTTONS[i].command == command) return static_cast<int>(i);
    }
    return -1;
}

void PressIndexButton(WORD command, bool pressed) {
    int i = IndexOfButton(command);
    if (i >= 0 && toolbars[i] != nullptr) {
        SendMessageA(toolbars[i], TB_CHECKBUTTON, command, MAKELONG(pressed ? TRUE : FALSE, 0));
    }
}

void ShowIndexButton(WORD command, bool shown) {
    int i = IndexOfButton(command);
    if (i >= 0 && toolbars[i] != nullptr) ShowWindow(toolbars[i], shown ? SW_SHOW : SW_HIDE);
}

void FillGrey(HDC dc, int left, int top, int width, int height) {
    ScopedGdiObject<HBRUSH> grey(CreateSolidBrush(SHEET_GREY));
    RECT area = {left, top, left + width, top + height};
    FillRect(dc, &area, grey.Get());
}

// The sheet as a Clear or the first paint leaves it.
void DrawEmptySheet(HDC windowDC) {
    FillGrey(sheet.dc, 0, 0, INDEX_SHEET_WIDTH, INDEX_SHEET_HEIGHT);
    for (uint32_t frame = 1; frame <= INDEX_MAX_FRAMES; ++frame) {
        int32_t x = 0, y = 0;
        IndexCellOrigin(frame, x, y);
        DrawSunkenOutline(sheet.dc, x + 2, y + 2, x + 94, y + 64);
    }
    DrawBitmapResource(useJapanese == 1 ? "INDEX_DJ" : "INDEX_D", windowDC, sheet.dc, LEGEND_X, LEGEND_Y, LEGEND_WIDTH,
                       LEGEND_HEIGHT);
}

// The first paint, or the first after a Clear: a fresh sheet and the
// window's defaults.
void CreateSheet(HDC windowDC) {
    selectedFrame = 1;
    if (scanSettings.adapterType == 'A' && filmPosition >= 1 && filmPosition <= INDEX_MAX_FRAMES) {
        selectedFrame = filmPosition;
    }
    ixWindowFrame = selectedFrame;
    scannedFrameCount = 0;
    indexUnsaved = 0;
    showFrameNumbers = 1;
    sheet.dc = CreateCompatibleDC(windowDC);
    sheet.bitmap = CreateCompatibleBitmap(windowDC, INDEX_SHEET_WIDTH, INDEX_SHEET_HEIGHT);
    if (sheet.dc == nullptr || sheet.bitmap == nullptr) {
        ReleaseIndexSheet();
        return;
    }
    sheet.previous = SelectObject(sheet.dc, sheet.bitmap);
    DrawEmptySheet(windowDC);
}

uint8_t* OptionFlag(int id) {
    switch (id) {
    case IDC_SHOW_NUMBERS: return &showFrameNumbers;
    case IDC_SHOW_ASPECT: return &showPrintAspect;
    case IDC_SHOW_DATE: return &showDateTime;
    case IDC_SHOW_TITLE: return &showTitle;
    default: return nullptr;
    }
}

void UpdateToolbarStates() {
    bool aps = scanSettings.adapterType == 'A';
    for (const IndexButton& b : INDEX_BUTTONS) {
        if (b.apsOnly) ShowIndexButton(b.command, aps);
    }
    PressIndexButton(CMD_INDEX_PREVIEW_WINDOW, mainWindow != nullptr);
    PressIndexButton(CMD_INDEX_IX_WINDOW, ixWindow != nullptr);
}

void OnIndexPaint(HWND window) {
    ScopedPaint paint(window);
    if (sheet.dc == nullptr) CreateSheet(paint.Get());
    if (sheet.dc != nullptr) {
        BitBlt(paint.Get(), 0, 0, INDEX_SHEET_WIDTH, INDEX_SHEET_HEIGHT, sheet.dc, 0, 0, SRCCOPY);
    }
    UpdateToolbarStates();
    DrawAllFrameAnnotations(paint.Get());
    for (int i = 0; i < OPTION_COUNT; ++i) {
        CheckDlgButton(window, IDC_SHOW_NUMBERS + i, *OptionFlag(IDC_SHOW_NUMBERS + i) == 1 ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CreateIndexToolbars(HWND window) {
    for (size_t i = 0; i < INDEX_BUTTON_COUNT; ++i) {
        const IndexButton& b = INDEX_BUTTONS[i];
        toolbars[i] = CreateToolbarButton(window, BUTTON_X, b.y, BUTTON_SIZE, BUTTON_SIZE, b.command - 1, b.command,
                                          b.bitmap, b.command != CMD_INDEX_REWIND, &toolBitmaps[i]);
    }
}

// The scanner check of the window's start, with the film change check of
// the main scan window when that exists.
void CheckScannerAtStart(HWND window) {
    ScopedScannerPort port;
    InitialiseLink();
    int32_t check = CheckScanner(window);
    int32_t filmCode = check >= CHECK_FILM_CHANGE ? check - CHECK_FILM_CHANGE : 0;
    if (mainWindow != nullptr && check != CHECK_NOT_READY) CheckAdapterAndFilm(mainWindow, filmCode);
}

BOOL OnInitIndexWindow(HWND window) {
    indexWindow = window;
    char caption[64] = {};
    if (LoadStringA(moduleInstance, IDS_INDEX_CAPTION + useJapanese, caption, sizeof caption) > 0) {
        SetWindowTextA(window, caption);
    }
    CreateIndexToolbars(window);
    PressButton(CMD_INDEX_WINDOW, true);
    CheckScannerAtStart(window);
    POINT at = SavedWindowPlace("INDEX_LEFT", "INDEX_TOP", INDEX_CLIENT_WIDTH, INDEX_CLIENT_HEIGHT, INDEX_CLIENT_HEIGHT);
    MoveWindow(window, at.x, at.y, INDEX_CLIENT_WIDTH, INDEX_CLIENT_HEIGHT + GetSystemMetrics(SM_CYMINTRACK), FALSE);
    for (int i = 0; i < OPTION_COUNT; ++i) {
        MoveWindow(GetDlgItem(window, IDC_SHOW_NUMBERS + i), OPTION_BOX_X, OPTION_BOX_Y + i * OPTION_BOX_STEP,
                   OPTION_BOX_SIZE, OPTION_BOX_SIZE, FALSE);
    }
    return TRUE;
}

// Makes `frame` the selected one and lets the IX window follow.
void SelectFrame(HWND window, uint8_t frame) {
    selectedFrame = frame;
    if (scanSettings.adapterType != 'A') filmPosition = 0;
    RefreshIxWindow();
    InvalidateRect(window, nullptr, FALSE);
}

void OnIndexButtonUp(HWND window, int x, int y) {
    uint8_t frame = showFrameNumbers == 1 ? FrameAtNumberTag(x, y) : 0;
    if (frame != 0 && frame == FrameAtNumberTag(pressedAt.x, pressedAt.y)) SelectFrame(window, frame);
    pressedAt = {-1, -1};
}

// A double-click on a thumbnail opens that frame in the preview.
void OnIndexDoubleClick(HWND window, int x, int y) {
    uint8_t frame = FrameAtThumbnail(x, y);
    if (frame == 0) return;
    selectedFrame = frame;
    {
        ScopedWindowDC dc(window);
        DrawFrameNumber(dc.Get(), frame, true);
    }
    if (mainWindow != nullptr) {
        ShowWindow(mainWindow, SW_RESTORE);
        SetWindowPos(mainWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        PostMessageA(mainWindow, WM_COMMAND, CMD_PREVIEW, 0);
    }
    RefreshIxWindow();
    FlushWindowMessages(window);
    InvalidateRect(window, nullptr, FALSE);
}

void OnSingleScan(HWND window) {
    PressIndexButton(CMD_INDEX_SINGLE_SCAN, true);
    {
        ScopedWindowDC dc(window);
        if (showFrameNumbers == 1 && filmPosition >= 1 && filmPosition <= INDEX_MAX_FRAMES) {
            DrawFrameNumber(dc.Get(), filmPosition, true);
        }
    }
    ScanIndexFrame(window);
    RedrawIndexWindow();
    PressIndexButton(CMD_INDEX_SINGLE_SCAN, false);
}

void OnAutoScan(HWND window) {
    PressIndexButton(CMD_INDEX_AUTO_SCAN, true);
    int single = IndexOfButton(CMD_INDEX_SINGLE_SCAN);
    if (single >= 0 && toolbars[single] != nullptr) ShowWindow(toolbars[single], SW_HIDE);
    RunAutoScan(window);
    RedrawIndexWindow();
    if (single >= 0 && toolbars[single] != nullptr) ShowWindow(toolbars[single], SW_SHOW);
    PressIndexButton(CMD_INDEX_AUTO_SCAN, false);
}

void OnClear(HWND window) {
    PressIndexButton(CMD_INDEX_CLEAR, true);
    if (indexUnsaved == 1 && AskMessage(window, MSG_DISCARD_INDEX) != IDOK) {
        PressIndexButton(CMD_INDEX_CLEAR, false);
        return;
    }
    if (sheet.dc != nullptr) {
        ScopedWindowDC dc(window);
        DrawEmptySheet(dc.Get());
    }
    ClearAllFrameIx();
    RefreshIxWindow();
    ReleaseIndexSheet();  // the next paint makes it anew, with the defaults
    PressIndexButton(CMD_INDEX_CLEAR, false);
    InvalidateRect(window, nullptr, FALSE);
}

void OnRewind(HWND window) {
    ScopedScannerPort port;
    PressIndexButton(CMD_INDEX_REWIND, true);
    InitialiseLink();
    if (CheckScanner(window) == CHECK_READY &&
        (lastStatus.statusFlags & (STATUS_APS_ADAPTER | STATUS_APS_SILENT)) == STATUS_APS_ADAPTER) {
        ScopedWaitCursor wait;
        RewindFilm();
        selectedFrame = 1;
    }
    PressIndexButton(CMD_INDEX_REWIND, false);
    RedrawIndexWindow();
    FlushWindowMessages(window);
}

void OnCopy(HWND window) {
    PressIndexButton(CMD_INDEX_COPY, true);
    CopyIndexSheet();
    PressIndexButton(CMD_INDEX_COPY, false);
    if (transferImage != nullptr) {
        GlobalUnlock(transferImage);  // CopyIndexSheet's lock, taken over here
        NotifyTransferReady();
    }
    FlushWindowMessages(window);
}

void OnSaveFile(HWND window) {
    PressIndexButton(CMD_INDEX_SAVE_FILE, true);
    char name[INDEX_FILE_NAME_CHARS];
    if (scannedFrameCount == 0) {
        ShowMessage(window, MSG_NOTHING_TO_SAVE);
    } else if (ChooseIndexFileToSave(window, name) && WriteIndexFile(window, name) == 1) {
        indexUnsaved = 0;
    }
    PressIndexButton(CMD_INDEX_SAVE_FILE, false);
}

void OnOpenFile(HWND window) {
    PressIndexButton(CMD_INDEX_OPEN_FILE, true);
    char name[INDEX_FILE_NAME_CHARS];
    if ((indexUnsaved == 0 || AskMessage(window, MSG_OPEN_DISCARDS_INDEX) == IDOK) &&
        ChooseIndexFileToOpen(window, name)) {
        ReadIndexFile(window, name);
    }
    PressIndexButton(CMD_INDEX_OPEN_FILE, false);
    InvalidateRect(window, nullptr, FALSE);
}

void RaiseWindow(HWND target) {
    if (target == nullptr) return;
    if (IsIconic(target)) ShowWindow(target, SW_RESTORE);
    SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void OnFrameChangedByIxWindow(HWND window) {
    uint8_t previous = selectedFrame;
    if (ixWindowFrame >= 1 && ixWindowFrame <= INDEX_MAX_FRAMES) selectedFrame = ixWindowFrame;
    if (showFrameNumbers == 1) {
        ScopedWindowDC dc(window);
        DrawFrameNumber(dc.Get(), previous, false);
        DrawFrameNumber(dc.Get(), selectedFrame, false);
    }
}

void OnToggleOption(HWND window, int id) {
    uint8_t* flag = OptionFlag(id);
    if (flag == nullptr) return;
    *flag = *flag == 1 ? 0 : 1;
    InvalidateRect(window, nullptr, FALSE);
}

void OnIndexCommand(HWND window, WORD command) {
    switch (command) {
    case CMD_INDEX_SINGLE_SCAN:
    case CMD_IX_SCAN_FRAME: OnSingleScan(window); break;
    case CMD_INDEX_AUTO_SCAN: OnAutoScan(window); break;
    case CMD_INDEX_CLEAR:
    case CMD_IX_CLEAR: OnClear(window); break;
    case CMD_INDEX_REWIND:
    case CMD_IX_REWIND: OnRewind(window); break;
    case CMD_INDEX_COPY:
    case CMD_IX_COPY: OnCopy(window); break;
    case CMD_INDEX_PREVIEW_WINDOW: RaiseWindow(mainWindow); break;
    case CMD_INDEX_IX_WINDOW: OpenIxWindow(); break;
    case CMD_INDEX_OPEN_FILE:
    case CMD_IX_OPEN_FILE: OnOpenFile(window); break;
    case CMD_INDEX_SAVE_FILE:
    case CMD_IX_SAVE_FILE: OnSaveFile(window); break;
    case CMD_IX_FRAME_CHANGED: OnFrameChangedByIxWindow(window); break;
    case IDC_SHOW_NUMBERS:
    case IDC_SHOW_ASPECT:
    case IDC_SHOW_DATE:
    case IDC_SHOW_TITLE: OnToggleOption(window, command); break;
    default: break;
    }
}

BOOL OnIndexToolTip(LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr || header->code != TTN_NEEDTEXTA) return FALSE;
    int i = IndexOfButton(static_cast<WORD>(header->idFrom));
    if (i < 0) return FALSE;
    auto* tip = reinterpret_cast<TOOLTIPTEXTA*>(lParam);
    tip->hinst = moduleInstance;
    tip->lpszText = MAKEINTRESOURCEA(INDEX_BUTTONS[i].toolTip + useJapanese);
    return TRUE;
}

void OnIndexDestroy(HWND window) {
    PressButton(CMD_INDEX_WINDOW, false);
    if (ixWindow != nullptr) DestroyWindow(ixWindow);  // it saves its own place
    SaveWindowPlace(window, "INDEX_LEFT", "INDEX_TOP");
    for (size_t i = 0; i < INDEX_BUTTON_COUNT; ++i) {
        // The toolbars go with the window; their bitmaps are ours.
        if (toolBitmaps[i] != nullptr) DeleteObject(toolBitmaps[i]);
        toolBitmaps[i] = nullptr;
        toolbars[i] = nullptr;
    }
    if (indexWindow == window) indexWindow = nullptr;
}

INT_PTR HandleIndexMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitIndexWindow(window);
    case WM_PAINT: OnIndexPaint(window); return TRUE;
    case WM_COMMAND: OnIndexCommand(window, LOWORD(wParam)); return TRUE;
    case WM_LBUTTONDOWN: pressedAt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; return TRUE;
    case WM_LBUTTONUP: OnIndexButtonUp(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_LBUTTONDBLCLK: OnIndexDoubleClick(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_NOTIFY: return OnIndexToolTip(lParam);
    case WM_CLOSE: DestroyWindow(window); return TRUE;
    case WM_DESTROY: OnIndexDestroy(window); return FALSE;
    default: return FALSE;
    }
}

// No exception may unwind into the system's frames around a dialog
// procedure; the handlers do not throw, and this is the last stop if one
// ever does: the message then counts as not handled.
INT_PTR CALLBACK IndexWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleIndexMessage(window, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

void OpenIndexWindow() {
    PressButton(CMD_INDEX_WINDOW, true);
    if (indexWindow != nullptr) {
        RaiseWindow(indexWindow);
        return;
    }
    if (CreateDialogParamA(moduleInstance, "INDEXDIALOG", nullptr, IndexWindowProc, 0) == nullptr) {
        indexWindow = nullptr;
        PressButton(CMD_INDEX_WINDOW, false);
    }
}

bool IndexSheetExists() {
    return sheet.dc != nullptr;
}

HDC IndexSheetDC() {
    return sheet.dc;
}

void ReleaseIndexSheet() {
    if (sheet.dc != nullptr) {
        if (sheet.previous != nullptr) SelectObject(sheet.dc, sheet.previous);
        DeleteDC(sheet.dc);
    }
    if (sheet.bitmap != nullptr) DeleteObject(sheet.bitmap);
    sheet = {};
}

void ClearIndexSheet() {
    if (sheet.dc == nullptr || indexWindow == nullptr) return;
    ScopedWindowDC dc(indexWindow);
    DrawEmptySheet(dc.Get());
}

void RedrawIndexWindow() {
    if (indexWindow == nullptr) return;
    InvalidateRect(indexWindow, nullptr, FALSE);
    UpdateWindow(indexWindow);
}

void DrawFrameNumber(HDC dc, uint8_t frame, bool emphasised) {
    int32_t x = 0, y = 0;
    if (!IndexCellOrigin(frame, x, y)) return;
    char text[8];
    int length = std::snprintf(text, sizeof text, "%-2d ", frame);
    ScopedSelectObject font(dc, GetStockObject(ANSI_VAR_FONT));
    auto write = [&](int dy, COLORREF ink, COLORREF paper) {
        SetTextColor(dc, ink);
        SetBkColor(dc, paper);
        TextOutA(dc, x + 3, y + dy, text, length);
    };
    if (emphasised && frame == filmPosition) {
        write(3, TEXT_WHITE, SHEET_GREY);
        write(5, TEXT_WHITE, TAG_RED);
    } else if (emphasised && frame == selectedFrame) {
        write(3, TEXT_BLACK, TAG_YELLOW);
    } else if (FrameStateOf(frame) != FRAME_NOTHING_KNOWN) {
        write(3, TEXT_WHITE, TAG_BLUE);
    } else {
        write(3, TEXT_BLACK, SHEET_GREY);
    }
}

void DrawFrameAnnotations(HDC dc, uint8_t frame) {
    uint8_t state = FrameStateOf(frame);
    const IxFrameRecord* record = FrameIxRecord(frame);
    int32_t x = 0, y = 0;
    if ((state != FRAME_READ_AND_SCANNED && state != FRAME_FROM_INDEX_FILE) || record == nullptr ||
        !IndexCellOrigin(frame, x, y)) {
        return;
    }
    IxTexts texts = {};
    FormatIxTexts(IxTextSourceOf(*record), useJapanese, texts);
    ScopedSelectObject font(dc, GetStockObject(ANSI_VAR_FONT));
    SetBkColor(dc, TEXT_WHITE);
    auto printColour = [](uint8_t print) { return print == 'F' ? TAG_RED : print == 'B' ? TEXT_BLACK : TEXT_GREY; };
    if (showPrintAspect == 1) {
        InvertPrintArea(dc, record->printAspect, x, y);
        SetTextColor(dc, record->printAspect != 0 ? TEXT_BLACK : TEXT_GREY);
        TextOutA(dc, x + 3, y + 20, texts.aspect, static_cast<int>(std::strlen(texts.aspect)));
    }
    if (showDateTime == 1) {
        SetTextColor(dc, printColour(record->datePrint));
        TextOutA(dc, x + 3, y + 32, texts.date, static_cast<int>(std::strlen(texts.date)));
        SetTextColor(dc, printColour(record->timePrint));
        TextOutA(dc, x + 52, y + 32, texts.time12, static_cast<int>(std::strlen(texts.time12)));
    }
    if (showTitle == 1) {
        bool japaneseTitle = useJapanese == 1 && IsJapaneseTitleLanguage(record->titleLanguage);
        ScopedSelectObject titleFont(dc, GetStockObject(japaneseTitle ? SYSTEM_FONT : ANSI_VAR_FONT));
        SetTextColor(dc, record->titleLanguage != 0 ? TEXT_BLACK : TEXT_GREY);
        TextOutA(dc, x + 3, y + 44, texts.title, static_cast<int>(std::strlen(texts.title)));
    }
}

void DrawAllFrameAnnotations(HDC dc) {
    for (uint8_t frame = 1; frame <= INDEX_MAX_FRAMES; ++frame) {
        DrawFrameAnnotations(dc, frame);
        if (showFrameNumbers == 1) {
            DrawFrameNumber(dc, frame, frame == selectedFrame || frame == filmPosition);
        }
    }
}

void InvertPrintArea(HDC dc, uint8_t printAspect, int x, int y) {
    // The print's crop on the thumbnail: classic, HDTV or panorama;
    // inverted, so that it shows on any picture.
    if (printAspect == 0) return;
    RECT area = printAspect == ASPECT_C ? RECT{10, 8, 85, 57} : printAspect == ASPECT_P ? RECT{3, 18, 92, 47}
                                                                                        : RECT{3, 8, 92, 57};
    OffsetRect(&area, x, y);
    int mode = SetROP2(dc, R2_NOT);
    ScopedSelectObject brush(dc, GetStockObject(NULL_BRUSH));
    ScopedSelectObject pen(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
    SetROP2(dc, mode);
}

void RefreshIxWindow() {
    if (ixWindow == nullptr) return;
    LoadEditRecord(selectedFrame);
    ixWindowFrame = selectedFrame;
    SendMessageA(ixWindow, WM_COMMAND, CMD_IX_REFRESH, 0);
}
