#include "source/aps/win32/ix_window.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "common/win32/profile_settings.h"
#include "common/win32/win32_guards.h"
#include "source/aps/frame_ix.h"
#include "source/aps/index_sheet.h"
#include "source/aps/ix_edit.h"
#include "source/aps/ix_texts.h"
#include "source/aps/win32/index_window.h"
#include "source/resources/resource_ids.h"
#include "source/scanner/command_set.h"
#include "source/scanner/film_transport.h"
#include "source/scanner/index_scan.h"
#include "source/scanner/link.h"
#include "source/scanner/scanner_check.h"
#include "source/scanner/win32/port_access_win32.h"
#include "source/scanner/win32/user_messages.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/scan_settings.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/win32/window_places.h"

namespace {

struct ControlPlace {
    int id;
    int x, y, width, height;
};
constexpr ControlPlace CONTROL_PLACES[] = {
    {IDC_IX_PREVIOUS, 85, 10, 15, 18},    {IDC_IX_FRAME, 102, 8, 35, 23},       {IDC_IX_NEXT, 139, 10, 15, 18},
    {IDC_IX_ASPECT_C, 130, 104, 15, 15},  {IDC_IX_ASPECT_H, 180, 104, 15, 15},  {IDC_IX_ASPECT_P, 230, 104, 15, 15},
    {IDC_IX_DATE_1, 45, 153, 35, 23},     {IDC_IX_DATE_2, 85, 153, 35, 23},     {IDC_IX_DATE_3, 125, 153, 35, 23},
    {IDC_IX_DATE_ORDER, 165, 153, 70, 80}, {IDC_IX_DATE_PRINT, 240, 153, 70, 80}, {IDC_IX_HOUR, 45, 222, 35, 23},
    {IDC_IX_MINUTE, 85, 222, 35, 23},     {IDC_IX_AM_PM, 125, 222, 60, 80},     {IDC_IX_TIME_PRINT, 240, 222, 70, 80},
    {IDC_IX_TITLE, 45, 280, 265, 120},    {IDC_IX_LANGUAGE, 160, 310, 150, 120}, {IDC_IX_READ, 140, 345, 50, 20},
    {IDC_IX_REC, 200, 345, 50, 20},       {IDC_IX_CANCEL, 260, 345, 50, 20},
};
// The controls that take the English font whatever the interface.
constexpr int ENGLISH_FONT_CONTROLS[] = {IDC_IX_PREVIOUS, IDC_IX_NEXT,   IDC_IX_FRAME,  IDC_IX_DATE_1, IDC_IX_DATE_2,
                                         IDC_IX_DATE_3,   IDC_IX_HOUR,   IDC_IX_MINUTE, IDC_IX_AM_PM,  IDC_IX_READ,
                                         IDC_IX_REC,      IDC_IX_CANCEL};
constexpr int DATE_EDITS[3] = {IDC_IX_DATE_1, IDC_IX_DATE_2, IDC_IX_DATE_3};
constexpr int ASPECT_BUTTONS[3] = {IDC_IX_ASPECT_C, IDC_IX_ASPECT_H, IDC_IX_ASPECT_P};

constexpr int WINDOW_WIDTH = 340, WINDOW_HEIGHT = 380;
constexpr int BACKGROUND_WIDTH = 350, BACKGROUND_HEIGHT = 400;
constexpr int THUMBNAIL_X = 220, THUMBNAIL_Y = 15;
constexpr COLORREF INFO_TEXT = RGB(0, 0x80, 0);
constexpr COLORREF INFO_GROUND = RGB(0xC0, 0xC0, 0xC0);
constexpr UINT MSG_IX_WRITE_FAILED = 30320;
constexpr WORD INDEX_IX_BUTTON = 9729;

// The window's drawing surfaces and fonts, kept while it lives.
struct IxWindowState {
    HDC backgroundDC;
    HBITMAP background;
    HGDIOBJ backgroundPrevious;
    HFONT englishFont;
    HFONT japaneseFont;
    HBITMAP scanImage;
    uint8_t frame;  // the window's current frame, 1..40
};
IxWindowState ixState = {};

IxFrameRecord& EditRecord() {
    return *FrameIxRecord(0);
}

bool FrameKnown() {
    return FrameStateOf(ixState.frame) != FRAME_NOTHING_KNOWN;
}

HFONT ListFont(IxListFont font) {
    return font == IxListFont::JAPANESE ? ixState.japaneseFont : ixState.englishFont;
}

void FillList(HWND window, int id, IxList list) {
    HWND box = GetDlgItem(window, id);
    bool japanese = UseJapaneseGothic();
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    IxListFont font = IxListFontOf(list, EditRecord().titleLanguage, japanese);
    if (font != IxListFont::UNCHANGED) SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(ListFont(font)), FALSE);
    const char* rows[IX_LIST_MAX_ROWS] = {};
    size_t count = IxListRows(list, EditRecord().titleLanguage, japanese, rows, IX_LIST_MAX_ROWS);
    for (size_t i = 0; i < count; ++i) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rows[i]));
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
}

void FillAllLists(HWND window) {
    FillList(window, IDC_IX_TITLE, IxList::TITLE);
    FillList(window, IDC_IX_LANGUAGE, IxList::LANGUAGE);
    FillList(window, IDC_IX_DATE_ORDER, IxList::DATE_ORDER);
    FillList(window, IDC_IX_AM_PM, IxList::AM_PM);
    FillList(window, IDC_IX_DATE_PRINT, IxList::PRINT_MODE);
    FillList(window, IDC_IX_TIME_PRINT, IxList::PRINT_MODE);
}

void Select(HWND window, int id, int32_t row) {
    SendDlgItemMessageA(window, id, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

int32_t Selected(HWND window, int id) {
    return static_cast<int32_t>(SendDlgItemMessageA(window, id, CB_GETCURSEL, 0, 0));
}

void SetText(HWND window, int id, const char* text) {
    SetDlgItemTextA(window, id, text);
    SendDlgItemMessageA(window, id, EM_SETMODIFY, FALSE, 0);
}

// The frame's cell of the index sheet, with the print area outlined.
void DrawThumbnail(HDC dc) {
    int32_t x = 0, y = 0;
    HDC sheet = IndexSheetDC();
    if (sheet != nullptr && IndexCellOrigin(ixState.frame, x, y)) {
        BitBlt(dc, THUMBNAIL_X, THUMBNAIL_Y, INDEX_CELL_WIDTH, INDEX_CELL_HEIGHT, sheet, x, y, SRCCOPY);
    }
    if (FrameKnown()) InvertPrintArea(dc, EditRecord().printAspect, THUMBNAIL_X, THUMBNAIL_Y);
}

// The film kind, speed and exposures of info line 0, green on grey.
void DrawFilmInformation(HDC dc) {
    ScopedSelectObject font(dc, ixState.englishFont);
    SetTextColor(dc, INFO_TEXT);
    SetBkColor(dc, INFO_GROUND);
    char blanks[40];
    std::memset(blanks, ' ', sizeof blanks);
    TextOutA(dc, 52, 42, blanks, 36);
    TextOutA(dc, 130, 58, blanks, 14);
    TextOutA(dc, 130, 74, blanks, 14);
    const char* line = FrameInfoLineOf(0);
    if (!FrameKnown() || line == nullptr) return;
    // The line holds the film kind (28 characters), the speed (6) and the
    // exposures (3), each as wide as its text.
    size_t length = strnlen(line, FRAME_INFO_LINE_BYTES);
    TextOutA(dc, 52, 42, line, static_cast<int>(length < 28 ? length : 28));
    if (length > 28) TextOutA(dc, 130, 58, line + 28, static_cast<int>(strnlen(line + 28, 6)));
    if (length > 34) TextOutA(dc, 130, 74, line + 34, static_cast<int>(strnlen(line + 34, 3)));
}

void DrawContents(HWND window, HDC dc) {
    const IxFrameRecord& r = EditRecord();
    for (int id : ASPECT_BUTTONS) CheckDlgButton(window, id, BST_UNCHECKED);
    for (int id : {IDC_IX_DATE_1, IDC_IX_DATE_2, IDC_IX_DATE_3, IDC_IX_HOUR, IDC_IX_MINUTE}) SetText(window, id, "      ");
    for (int id : {IDC_IX_DATE_ORDER, IDC_IX_DATE_PRINT, IDC_IX_AM_PM, IDC_IX_TIME_PRINT, IDC_IX_TITLE, IDC_IX_LANGUAGE}) {
        Select(window, id, -1);
    }
    char number[8];
    std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(ixState.frame));
    SetText(window, IDC_IX_FRAME, number);
    // The film information's blanks reach into the thumbnail's place, so
    // the thumbnail is drawn after them.
    DrawFilmInformation(dc);
    DrawThumbnail(dc);
    if (!FrameKnown()) return;
    if (r.printAspect == ASPECT_C) CheckDlgButton(window, IDC_IX_ASPECT_C, BST_CHECKED);
    if (r.printAspect == ASPECT_H) CheckDlgButton(window, IDC_IX_ASPECT_H, BST_CHECKED);
    if (r.printAspect == ASPECT_P) CheckDlgButton(window, IDC_IX_ASPECT_P, BST_CHECKED);
    char parts[3][8];
    FormatDateParts(r, parts);
    for (int i = 0; i < 3; ++i) SetText(window, DATE_EDITS[i], parts[i]);
    if (r.month != 0) {
        Select(window, IDC_IX_DATE_ORDER, DateOrderRow(r));
        Select(window, IDC_IX_DATE_PRINT, PrintRow(r.datePrint));
    }
    char hour[8], minute[8];
    FormatTimeParts(r, hour, minute);
    SetText(window, IDC_IX_HOUR, hour);
    SetText(window, IDC_IX_MINUTE, minute);
    if (r.timeFormat != 0) {
        Select(window, IDC_IX_AM_PM, TimeFormatRow(r));
        Select(window, IDC_IX_TIME_PRINT, PrintRow(r.timePrint));
    }
    if (r.titleLanguage != 0) {
        Select(window, IDC_IX_TITLE, r.titleCode);
        Select(window, IDC_IX_LANGUAGE, r.titleLanguage);
    }
}

void Redraw(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

// The frame the window shows changes: its record becomes the edit record
// and the index window follows.
void ShowFrame(HWND window, uint8_t frame) {
    ixState.frame = frame;
    ixWindowFrame = frame;
    LoadEditRecord(frame);
    FillList(window, IDC_IX_TITLE, IxList::TITLE);
    Redraw(window);
    if (indexWindow != nullptr) SendMessageA(indexWindow, WM_COMMAND, CMD_IX_FRAME_CHANGED, 0);
}

void CommitTypedDate(HWND window) {
    char text[16];
    uint32_t parts[3];
    for (int i = 0; i < 3; ++i) {
        GetDlgItemTextA(window, DATE_EDITS[i], text, sizeof text);
        parts[i] = ParseTypedNumber(text);
    }
    CommitDate(EditRecord(), parts);
}

void CommitTypedTime(HWND window) {
    char hour[16], minute[16];
    GetDlgItemTextA(window, IDC_IX_HOUR, hour, sizeof hour);
    GetDlgItemTextA(window, IDC_IX_MINUTE, minute, sizeof minute);
    CommitTime(EditRecord(), ParseTypedNumber(hour), ParseTypedNumber(minute));
}

bool Modified(HWND window, int id) {
    return SendDlgItemMessageA(window, id, EM_GETMODIFY, 0, 0) != 0;
}

// Typed text is taken over when the mouse moves over the window.
void OnIxMouseMove(HWND window) {
    bool date = Modified(window, IDC_IX_DATE_1) || Modified(window, IDC_IX_DATE_2) || Modified(window, IDC_IX_DATE_3);
    bool time = Modified(window, IDC_IX_HOUR) || Modified(window, IDC_IX_MINUTE);
    if (Modified(window, IDC_IX_FRAME)) {
        char text[16];
        GetDlgItemTextA(window, IDC_IX_FRAME, text, sizeof text);
        ShowFrame(window, TypedFrame(text));
        return;
    }
    if (!date && !time) return;
    if (FrameKnown()) {
        if (date) CommitTypedDate(window);
        if (time) CommitTypedTime(window);
    }
    Redraw(window);
}

void OnFrameStep(HWND window, int step) {
    char text[16];
    GetDlgItemTextA(window, IDC_IX_FRAME, text, sizeof text);
    uint8_t typed = TypedFrame(text);
    uint8_t frame = typed;
    if (typed == ixState.frame) {
        int next = ixState.frame + step;
        frame = static_cast<uint8_t>(next < 1 ? 1 : next > INDEX_MAX_FRAMES ? INDEX_MAX_FRAMES : next);
    }
    ShowFrame(window, frame);
}

void OnAspect(HWND window, int id) {
    if (!FrameKnown()) return;
    IxFrameRecord& r = EditRecord();
    r.printAspect = id == IDC_IX_ASPECT_C ? ASPECT_C : id == IDC_IX_ASPECT_P ? ASPECT_P : ASPECT_H;
    if (r.dateOrder == 0) ApplyIxDefaults(r);
    Redraw(window);
}

void OnListChange(HWND window, int id) {
    if (!FrameKnown()) return;
    IxFrameRecord& r = EditRecord();
    int32_t row = Selected(window, id);
    if (row < 0) return;
    switch (id) {
    case IDC_IX_DATE_ORDER:
        if (r.dateOrder == 0) {
            ApplyIxDefaults(r);
        } else {
            CommitTypedDate(window);
        }
        ChooseDateOrder(r, row);
        break;
    case IDC_IX_DATE_PRINT:
        if (r.dateOrder == 0) ApplyIxDefaults(r);
        ChooseDatePrint(r, row);
        break;
    case IDC_IX_AM_PM:
        if (r.dateOrder == 0) ApplyIxDefaults(r);
        ChooseTimeFormat(r, row);
        CommitTypedTime(window);
        break;
    case IDC_IX_TIME_PRINT:
        if (r.dateOrder == 0) ApplyIxDefaults(r);
        ChooseTimePrint(r, row);
        break;
    case IDC_IX_TITLE: r.titleCode = static_cast<uint8_t>(row); break;
    case IDC_IX_LANGUAGE:
        r.titleLanguage = static_cast<uint8_t>(row);
        FillList(window, IDC_IX_TITLE, IxList::TITLE);
        break;
    default: return;
    }
    Redraw(window);
}

void AfterFilmOperation(HWND window) {
    FillList(window, IDC_IX_TITLE, IxList::TITLE);
    Redraw(window);
    RedrawIndexWindow();
}

// The film brought to `frame`; false (with the message shown and the
// selection following the film) when it stopped elsewhere.
bool BringFilmTo(HWND window, uint8_t frame) {
    GoToFrame(frame);
    if (filmPosition == frame) return true;
    ShowMessage(window, MSG_FRAME_NOT_VALID);
    if (filmPosition >= 1 && filmPosition <= INDEX_MAX_FRAMES) {
        GoToFrame(filmPosition);
        selectedFrame = filmPosition;
        ixState.frame = ixWindowFrame = selectedFrame;
        LoadEditRecord(ixState.frame);
    }
    AfterFilmOperation(window);
    return false;
}

bool ApsScannerReady(HWND window) {
    InitialiseLink();
    return CheckScanner(window) != CHECK_NOT_READY && scanSettings.adapterType == 'A';
}

void OnRead(HWND window) {
    {
        ScopedScannerPort port;
        char text[16];
        GetDlgItemTextA(window, IDC_IX_FRAME, text, sizeof text);
        uint8_t frame = TypedFrame(text);
        if (ApsScannerReady(window)) {
            if (cartridgeInfo.exposureCount < frame) {
                ShowMessage(window, MSG_FRAME_NOT_VALID);
                Redraw(window);
                RedrawIndexWindow();
            } else if (BringFilmTo(window, frame)) {
                selectedFrame = ixState.frame = ixWindowFrame = frame;
                MarkFrameIxRead(frame);
                ReadFrameIx(frame, useJapanese);
                LoadEditRecord(frame);
                AfterFilmOperation(window);
            }
        }
    }
    FlushWindowMessages(window);
}

void OnRec(HWND window) {
    {
        ScopedScannerPort port;
        uint8_t frame = ixState.frame;
        uint8_t state = FrameStateOf(frame);
        if (!ApsScannerReady(window)) {
            // the check has told the user; nothing is written
        } else if (cartridgeInfo.exposureCount < frame) {
            ShowMessage(window, MSG_FRAME_NOT_VALID);
        } else if (state != FRAME_IX_READ && state != FRAME_READ_AND_SCANNED) {
            ShowMessage(window, MSG_IX_DATA_NOT_READ);
        } else if (EditRecord().dateOrder == 0) {
            ShowMessage(window, MSG_IX_DATA_NOT_SET);
            ApplyIxDefaults(EditRecord());
            Redraw(window);
        } else {
            CommitTypedDate(window);
            CommitTypedTime(window);
            StoreEditRecord(frame);
            if (!WriteFrameIx(frame)) ShowMessage(window, MSG_IX_WRITE_FAILED);
            // The read-back shows what the film holds, written or not.
            if (BringFilmTo(window, frame)) {
                selectedFrame = ixState.frame = ixWindowFrame = frame;
                ReadFrameIx(frame, useJapanese);
                LoadEditRecord(frame);
                AfterFilmOperation(window);
            }
        }
    }
    FlushWindowMessages(window);
}

void OnCancel(HWND window) {
    LoadEditRecord(ixState.frame);
    FillList(window, IDC_IX_TITLE, IxList::TITLE);
    Redraw(window);
}

void OnSingleScan(HWND window) {
    HWND bar = GetDlgItem(window, CMD_IX_SINGLE_SCAN - 1);
    SendMessageA(bar, TB_CHECKBUTTON, CMD_IX_SINGLE_SCAN, MAKELONG(TRUE, 0));
    if (indexWindow != nullptr) SendMessageA(indexWindow, WM_COMMAND, CMD_IX_SCAN_FRAME, 0);
    OnCancel(window);
    SendMessageA(bar, TB_CHECKBUTTON, CMD_IX_SINGLE_SCAN, MAKELONG(FALSE, 0));
}

void OnRefresh(HWND window) {
    if (ixWindowFrame >= 1 && ixWindowFrame <= INDEX_MAX_FRAMES) ixState.frame = ixWindowFrame;
    FillList(window, IDC_IX_TITLE, IxList::TITLE);
    Redraw(window);
}

void OnIxCommand(HWND window, WORD id, WORD notification) {
    switch (id) {
    case IDC_IX_PREVIOUS: OnFrameStep(window, -1); return;
    case IDC_IX_NEXT: OnFrameStep(window, 1); return;
    case IDC_IX_ASPECT_C:
    case IDC_IX_ASPECT_H:
    case IDC_IX_ASPECT_P: OnAspect(window, id); return;
    case IDC_IX_READ: OnRead(window); return;
    case IDC_IX_REC: OnRec(window); return;
    case IDC_IX_CANCEL: OnCancel(window); return;
    case CMD_IX_SINGLE_SCAN: OnSingleScan(window); return;
    case CMD_IX_REFRESH: OnRefresh(window); return;
    default: break;
    }
    if (notification == CBN_SELCHANGE) OnListChange(window, id);
}

void CheckScannerAtStart(HWND window) {
    ScopedScannerPort port;
    InitialiseLink();
    CheckScanner(window);
}

BOOL OnInitIxDialog(HWND window) {
    ixWindow = window;
    ixState = {};
    ixState.frame = ixWindowFrame >= 1 && ixWindowFrame <= INDEX_MAX_FRAMES ? ixWindowFrame : 1;
    char caption[64] = {};
    if (LoadStringA(moduleInstance, IDS_IX_CAPTION + useJapanese, caption, sizeof caption) > 0) {
        SetWindowTextA(window, caption);
    }
    CreateToolbarButton(window, 170, 2, 32, 32, CMD_IX_SINGLE_SCAN - 1, CMD_IX_SINGLE_SCAN, 150, false,
                        &ixState.scanImage);
    CheckScannerAtStart(window);
    POINT at = SavedWindowPlace("IX_LEFT", "IX_TOP", WINDOW_WIDTH, WINDOW_HEIGHT, WINDOW_HEIGHT);
    MoveWindow(window, at.x, at.y, WINDOW_WIDTH, WINDOW_HEIGHT + GetSystemMetrics(SM_CYMINTRACK), FALSE);
    for (const ControlPlace& c : CONTROL_PLACES) {
        MoveWindow(GetDlgItem(window, c.id), c.x, c.y, c.width, c.height, FALSE);
    }
    ixState.englishFont = CreatePanelFont();
    ixState.japaneseFont = CreateJapaneseGothicFont(15);
    for (int id : ENGLISH_FONT_CONTROLS) {
        SendDlgItemMessageA(window, id, WM_SETFONT, reinterpret_cast<WPARAM>(ixState.englishFont), FALSE);
    }
    if (useJapanese == 1) {
        // The three buttons' words in the interface's language.
        const int buttons[] = {IDC_IX_READ, IDC_IX_REC, IDC_IX_CANCEL};
        for (int i = 0; i < 3; ++i) {
            char text[32] = {};
            if (LoadStringA(moduleInstance, static_cast<UINT>(IDS_IX_READ + 10 * i + 1), text, sizeof text) > 0) {
                SetDlgItemTextA(window, buttons[i], text);
                SendDlgItemMessageA(window, buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(ixState.japaneseFont), FALSE);
            }
        }
    }
    FillAllLists(window);
    return TRUE;
}

void OnIxPaint(HWND window) {
    ScopedPaint paint(window);
    if (ixState.backgroundDC == nullptr) {
        ixState.backgroundDC = CreateCompatibleDC(paint.Get());
        ixState.background = LoadBitmapA(moduleInstance, useJapanese == 1 ? "IXWIND_J" : "IXWIND");
        if (ixState.backgroundDC != nullptr && ixState.background != nullptr) {
            ixState.backgroundPrevious = SelectObject(ixState.backgroundDC, ixState.background);
        }
        ixState.frame = selectedFrame >= 1 && selectedFrame <= INDEX_MAX_FRAMES ? selectedFrame : ixState.frame;
        ixWindowFrame = ixState.frame;
        LoadEditRecord(ixState.frame);
        FillList(window, IDC_IX_TITLE, IxList::TITLE);
    }
    if (ixState.backgroundDC != nullptr) {
        BitBlt(paint.Get(), 0, 0, BACKGROUND_WIDTH, BACKGROUND_HEIGHT, ixState.backgroundDC, 0, 0, SRCCOPY);
    }
    DrawContents(window, paint.Get());
    HWND bar = GetDlgItem(window, CMD_IX_SINGLE_SCAN - 1);
    ShowWindow(bar, SW_SHOW);
    SendMessageA(bar, TB_CHECKBUTTON, CMD_IX_SINGLE_SCAN, MAKELONG(FALSE, 0));
}

void OnIxDestroy(HWND window) {
    SaveWindowPlace(window, "IX_LEFT", "IX_TOP");
    if (ixState.backgroundDC != nullptr) {
        if (ixState.backgroundPrevious != nullptr) SelectObject(ixState.backgroundDC, ixState.backgroundPrevious);
        DeleteDC(ixState.backgroundDC);
    }
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(ixState.background), static_cast<HGDIOBJ>(ixState.englishFont),
                           static_cast<HGDIOBJ>(ixState.japaneseFont), static_cast<HGDIOBJ>(ixState.scanImage)}) {
        if (object != nullptr) DeleteObject(object);
    }
    ixState = {};
    if (ixWindow == window) ixWindow = nullptr;
    RedrawIndexWindow();  // its IX button is released
}

BOOL OnIxToolTip(LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr || header->code != TTN_NEEDTEXTA || header->idFrom != CMD_IX_SINGLE_SCAN) return FALSE;
    auto* tip = reinterpret_cast<TOOLTIPTEXTA*>(lParam);
    tip->hinst = moduleInstance;
    tip->lpszText = MAKEINTRESOURCEA(20000 + useJapanese);
    return TRUE;
}

INT_PTR HandleIxMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitIxDialog(window);
    case WM_PAINT: OnIxPaint(window); return TRUE;
    case WM_MOUSEMOVE: OnIxMouseMove(window); return TRUE;
    case WM_COMMAND: OnIxCommand(window, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_NOTIFY: return OnIxToolTip(lParam);
    case WM_CLOSE: DestroyWindow(window); return TRUE;
    case WM_DESTROY: OnIxDestroy(window); return FALSE;
    default: return FALSE;
    }
}

// No exception may unwind into the system's frames around a dialog
// procedure; this is the last stop if one ever does.
INT_PTR CALLBACK IxWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleIxMessage(window, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

void OpenIxWindow() {
    if (ixWindow != nullptr) {
        if (IsIconic(ixWindow)) ShowWindow(ixWindow, SW_RESTORE);
        SetWindowPos(ixWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return;
    }
    LoadEditRecord(selectedFrame);
    ixWindowFrame = selectedFrame;
    CreateDialogParamA(moduleInstance, "IXDIALOG", nullptr, IxWindowProc, 0);
    RedrawIndexWindow();  // its IX button shows the window open
}
