#include "host/win32/tool_band.h"

#include <cstring>

#include "host/core/tool_buttons.h"
#include "host/core/window_layout.h"
#include "host/resources/resource_ids.h"
#include "host/win32/program_state.h"
#include "host/win32/program_text.h"
#include "common/win32/win32_guards.h"

constexpr int TOOLBAR_ID_BASE = 2010;
constexpr UINT SOURCE_COMMANDS[] = {IDM_ACQUIRE, IDM_SELECT_SOURCE, IDM_PREVIEW};

// The tool tip's text must outlive the notification.
static char tipText[TEXT_SIZE];
static wchar_t tipTextWide[TEXT_SIZE];

static HWND ButtonFor(uint16_t command) {
    size_t index = FindToolButton(command);
    return index < TOOL_BUTTON_COUNT ? toolButtons[index] : nullptr;
}

static HWND CreateToolButton(HWND window, size_t index, int32_t clientWidth) {
    const ToolButton& button = TOOL_BUTTONS[index];
    TBBUTTON description = {};
    description.iBitmap = 0;
    description.idCommand = button.command;
    description.fsState = TBSTATE_ENABLED;
    description.fsStyle = TBSTYLE_BUTTON;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER |
                  TBSTYLE_TOOLTIPS;
    HWND toolbar = CreateToolbarEx(window, style, static_cast<UINT>(TOOLBAR_ID_BASE + static_cast<int>(index)), 1,
                                   programInstance, button.bitmap, &description, 1, TOOL_BUTTON_SIZE,
                                   TOOL_BUTTON_SIZE, TOOL_BITMAP_SIZE, TOOL_BITMAP_SIZE, sizeof(TBBUTTON));
    if (toolbar == nullptr) {
        return nullptr;
    }
    SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(TOOL_BUTTON_SIZE, TOOL_BUTTON_SIZE));
    int32_t left = button.atRightEdge ? clientWidth - RIGHT_BUTTON_INSET : button.left;
    SetWindowPos(toolbar, nullptr, left, TOOL_BUTTON_TOP, TOOL_BUTTON_SIZE, TOOL_BUTTON_SIZE,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return toolbar;
}

bool CreateToolBand(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    toolBand = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW, 0, 0,
                               GetSystemMetrics(SM_CXSCREEN), BAND_HEIGHT, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_BAND)), programInstance, nullptr);
    if (toolBand == nullptr) {
        return false;
    }
    for (size_t i = 0; i < TOOL_BUTTON_COUNT; ++i) {
        toolButtons[i] = CreateToolButton(window, i, client.right);
        if (toolButtons[i] == nullptr) {
            return false;
        }
    }
    // The band lies behind the buttons it holds.
    SetWindowPos(toolBand, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "",
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN | CCS_NORESIZE |
                                    SBARS_SIZEGRIP,
                                0, client.bottom - STATUS_HEIGHT, client.right, STATUS_HEIGHT, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS)), programInstance, nullptr);
    if (statusBar == nullptr) {
        return false;
    }
    EnableSaving(false);
    return true;
}

void SetSourceMenus(bool busy) {
    HMENU menu = GetMenu(mainWindow);
    for (UINT command : SOURCE_COMMANDS) {
        EnableMenuItem(menu, command, static_cast<UINT>(MF_BYCOMMAND | (busy ? MF_GRAYED : MF_ENABLED)));
    }
    DrawMenuBar(mainWindow);
    HWND preview = ButtonFor(IDM_PREVIEW);
    if (busy && !previewRequested) {
        SendMessageA(preview, TB_ENABLEBUTTON, IDM_PREVIEW, MAKELPARAM(FALSE, 0));
    } else if (busy) {
        SendMessageA(preview, TB_PRESSBUTTON, IDM_PREVIEW, MAKELPARAM(TRUE, 0));
    } else {
        SendMessageA(preview, TB_PRESSBUTTON, IDM_PREVIEW, MAKELPARAM(FALSE, 0));
        SendMessageA(preview, TB_ENABLEBUTTON, IDM_PREVIEW, MAKELPARAM(TRUE, 0));
    }
}

void EnableSaving(bool enable) {
    EnableMenuItem(GetMenu(mainWindow), IDM_SAVE_AS, static_cast<UINT>(MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED)));
    SendMessageA(ButtonFor(IDM_SAVE_AS), TB_ENABLEBUTTON, IDM_SAVE_AS, MAKELPARAM(enable ? TRUE : FALSE, 0));
}

void PressToolButton(uint16_t command, bool pressed) {
    SendMessageA(ButtonFor(command), TB_PRESSBUTTON, command, MAKELPARAM(pressed ? TRUE : FALSE, 0));
    // The look changes now, also when a modal dialog follows at once.
    UpdateWindow(ButtonFor(command));
}

void ShowFitToWindow(bool fit) {
    CheckMenuItem(GetMenu(mainWindow), IDM_FIT_TO_WINDOW,
                  static_cast<UINT>(MF_BYCOMMAND | (fit ? MF_CHECKED : MF_UNCHECKED)));
    PressToolButton(IDM_FIT_TO_WINDOW, fit);
}

void PlaceToolBand(int32_t clientWidth, int32_t clientHeight, int32_t statusSplit, int32_t iconLeft) {
    HWND icons = ButtonFor(IDM_ICON_HELP);
    // Drawn afresh where it lands: bits copied from its old place may come
    // from a part of the window that was not painted yet (a widened one).
    SetWindowPos(icons, nullptr, iconLeft, TOOL_BUTTON_TOP, TOOL_BUTTON_SIZE, TOOL_BUTTON_SIZE,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    RedrawWindow(icons, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    SetWindowPos(statusBar, nullptr, 0, clientHeight - STATUS_HEIGHT, clientWidth, STATUS_HEIGHT,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    int parts[2] = {statusSplit, -1};
    SendMessageA(statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

int32_t StatusPartWidth(const char* text) {
    // The part's borders and the gap the bar leaves on either side of a
    // text, and the size grip that covers the right end of the last part.
    constexpr int32_t TEXT_MARGINS = 12;
    int borders[3] = {};
    SendMessageA(statusBar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    int32_t width = 2 * borders[0] + TEXT_MARGINS + GetSystemMetrics(SM_CXVSCROLL);
    ScopedWindowDC dc(statusBar);
    if (dc.Get() == nullptr) {
        return width;
    }
    ScopedSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(statusBar, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32A(dc.Get(), text, lstrlenA(text), &extent);
    return width + extent.cx;
}

void SetStatusText(int part, const char* text) {
    SendMessageA(statusBar, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
}

bool AnswerToolTip(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOA && header->code != TTN_GETDISPINFOW) {
        return false;
    }
    uint32_t text = ToolTipText(static_cast<uint32_t>(header->idFrom), textOffset);
    if (text == 0) {
        return false;
    }
    LoadText(text, tipText, sizeof tipText);
    SetStatusText(0, tipText);
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        info->lpszText = tipText;
        info->hinst = nullptr;
    } else {
        tipTextWide[0] = L'\0';
        LoadStringW(programInstance, text, tipTextWide, static_cast<int>(TEXT_SIZE));
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        info->lpszText = tipTextWide;
        info->hinst = nullptr;
    }
    return true;
}

void PaintBandBackground(HDC dc, LONG left, LONG right) {
    RECT area = {left, 0, right, BAND_HEIGHT};
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    RECT line = {left, 0, right, 1};
    FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    line.top = BAND_HEIGHT - 1;
    line.bottom = BAND_HEIGHT;
    FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void DrawBand(const DRAWITEMSTRUCT* item) {
    PaintBandBackground(item->hDC, item->rcItem.left, item->rcItem.right);
}
