// The main scan window's controls: sixteen one-button toolbars, three edit
// fields and four scroll bars at fixed client positions, their tool tips and
// their pressed and greyed states.
#include <windows.h>
#include <commctrl.h>

#include "common/win32/profile_settings.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/scan_settings.h"

namespace {

struct ToolButton {
    WORD command;
    int x, y, width, height;
    int bitmap;
    UINT toolTip;       // English at the id, Japanese at id + 1
    bool perLanguage;   // the bitmap id is the base plus useJapanese
};

// In the order they are made.
constexpr ToolButton TOOL_BUTTONS[] = {
    {CMD_ROTATE, 297, 197, 32, 32, 801, 10000, false},
    {CMD_FOCUS, 330, 197, 32, 32, 803, 10020, false},
    {CMD_MONOCHROME, 375, 197, 32, 32, 804, 10030, false},
    {CMD_GAMMA_WINDOW, 408, 197, 32, 32, 805, 10040, false},
    {CMD_INDEX_WINDOW, 453, 197, 32, 32, 802, 10010, false},
    {CMD_MAX_RESOLUTION, 350, 286, 48, 19, 806, 10070, false},
    {CMD_PREVIEW, 431, 279, 67, 26, 900, 10080, true},
    {CMD_SCAN, 431, 319, 67, 26, 910, 10090, true},
    {CMD_RESET_EXPOSURE, 448, 40, 44, 19, 810, 10140, false},
    {CMD_RESET_RED, 448, 106, 44, 19, 810, 10150, false},
    {CMD_RESET_GREEN, 448, 136, 44, 19, 810, 10160, false},
    {CMD_RESET_BLUE, 448, 166, 44, 19, 810, 10170, false},
    {CMD_FILM_TYPE, 72, 288, 18, 18, 822, 10100, false},
    {CMD_IMAGE_SIZE, 223, 294, 18, 18, 822, 10110, false},
    {CMD_UNIT, 185, 319, 18, 18, 822, 10120, false},
    {CMD_OUTPUT_RESOLUTION, 349, 337, 18, 18, 822, 10130, false},
};
constexpr size_t TOOL_BUTTON_COUNT = sizeof TOOL_BUTTONS / sizeof TOOL_BUTTONS[0];

// The kind says what a control gets after creation; its style cannot, as
// an edit field's style and SBS_HORZ are both 0.
enum class ControlKind : uint8_t { EditField, ScrollBar };

struct ChildControl {
    int id;
    ControlKind kind;
    int x, y, width, height;
};

constexpr ChildControl CHILD_CONTROLS[] = {
    {EDIT_WIDTH, ControlKind::EditField, 117, 295, 45, 16},
    {EDIT_HEIGHT, ControlKind::EditField, 175, 295, 45, 16},
    {EDIT_RESOLUTION, ControlKind::EditField, 279, 338, 37, 16},
    {SCROLL_EXPOSURE, ControlKind::ScrollBar, 331, 42, 100, 15},
    {SCROLL_RED, ControlKind::ScrollBar, 331, 108, 100, 15},
    {SCROLL_GREEN, ControlKind::ScrollBar, 331, 138, 100, 15},
    {SCROLL_BLUE, ControlKind::ScrollBar, 331, 168, 100, 15},
};

// The button structure as the toolbar of that generation knows it.
static_assert(sizeof(TBBUTTON) == 20);

HWND toolbars[TOOL_BUTTON_COUNT] = {};
HBITMAP toolBitmaps[TOOL_BUTTON_COUNT] = {};
HFONT editFont = nullptr;

int IndexOf(WORD command) {
    for (size_t i = 0; i < TOOL_BUTTON_COUNT; ++i) {
        if (TOOL_BUTTONS[i].command == command) return static_cast<int>(i);
    }
    return -1;
}

HWND ToolbarOf(WORD command) {
    int i = IndexOf(command);
    return i < 0 ? nullptr : toolbars[i];
}

}  // namespace

HFONT CreatePanelFont() {
    return CreateFontA(15, 6, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
}

// The face is named in UTF-16 so that the name survives any code page.
HFONT CreateJapaneseGothicFont(int height) {
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                       L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF");
}

bool UseJapaneseGothic() {
    char font[33];
    ReadSettingString(SOURCE_SECTION, "FONT", "<NO>", font, sizeof font);
    return useJapanese == 1 && font[0] != 'E' && font[0] != 'e';
}

HWND CreateToolbarButton(HWND parent, int x, int y, int width, int height, int controlId, WORD commandId,
                         int bitmapId, bool show, HBITMAP* image) {
    // Placed and sized by us, not along the parent's top edge.
    DWORD style = WS_CHILD | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, style, x, y, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), moduleInstance, nullptr);
    if (bar == nullptr) {
        return nullptr;
    }
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELONG(width, height));
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELONG(width - 8, height - 8));
    *image = CreateMappedBitmap(moduleInstance, bitmapId, 0, nullptr, 0);
    if (*image != nullptr) {
        TBADDBITMAP added = {nullptr, reinterpret_cast<UINT_PTR>(*image)};
        SendMessageA(bar, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&added));
    }
    TBBUTTON button = {};
    button.iBitmap = 0;
    button.idCommand = commandId;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_BUTTON;
    SendMessageA(bar, TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&button));
    if (show) ShowWindow(bar, SW_SHOW);
    return bar;
}

void CreateScanControls(HWND window) {
    InitCommonControls();
    for (size_t i = 0; i < TOOL_BUTTON_COUNT; ++i) {
        const ToolButton& b = TOOL_BUTTONS[i];
        int bitmap = b.bitmap + (b.perLanguage ? useJapanese : 0);
        toolbars[i] = CreateToolbarButton(window, b.x, b.y, b.width, b.height, b.command + 1, b.command, bitmap, true,
                                          &toolBitmaps[i]);
    }
    editFont = CreatePanelFont();
    for (const ChildControl& c : CHILD_CONTROLS) {
        bool scrollBar = c.kind == ControlKind::ScrollBar;
        HWND control = CreateWindowExA(0, scrollBar ? "SCROLLBAR" : "EDIT", "",
                                       WS_CHILD | WS_VISIBLE | (scrollBar ? SBS_HORZ : 0), c.x, c.y, c.width,
                                       c.height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                       moduleInstance, nullptr);
        if (scrollBar) {
            SetScrollRange(control, SB_CTL, 0, SCROLL_MAX, FALSE);
            SetScrollPos(control, SB_CTL, SCROLL_NEUTRAL, TRUE);
        } else {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(editFont), FALSE);
        }
    }
    scanSettings.exposureBias = 0.0;
}

void DestroyScanControls() {
    for (size_t i = 0; i < TOOL_BUTTON_COUNT; ++i) {
        if (toolbars[i] != nullptr) DestroyWindow(toolbars[i]);
        if (toolBitmaps[i] != nullptr) DeleteObject(toolBitmaps[i]);
        toolbars[i] = nullptr;
        toolBitmaps[i] = nullptr;
    }
    if (editFont != nullptr) DeleteObject(editFont);
    editFont = nullptr;
}

void PressButton(WORD command, bool pressed) {
    HWND bar = ToolbarOf(command);
    if (bar != nullptr) SendMessageA(bar, TB_CHECKBUTTON, command, MAKELONG(pressed ? TRUE : FALSE, 0));
}

void EnableButton(WORD command, bool enabled) {
    HWND bar = ToolbarOf(command);
    if (bar != nullptr) SendMessageA(bar, TB_ENABLEBUTTON, command, MAKELONG(enabled ? TRUE : FALSE, 0));
}

void UpdateButtonStates() {
    EnableButton(CMD_FOCUS, mainState.previewed == 1);
    EnableButton(CMD_RESET_EXPOSURE, scanSettings.exposurePosition != SCROLL_NEUTRAL);
    EnableButton(CMD_RESET_RED, scanSettings.redPosition != SCROLL_NEUTRAL);
    EnableButton(CMD_RESET_GREEN, scanSettings.greenPosition != SCROLL_NEUTRAL);
    EnableButton(CMD_RESET_BLUE, scanSettings.bluePosition != SCROLL_NEUTRAL);
}

BOOL OnToolTipNotify(LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr || header->code != TTN_NEEDTEXTA) {
        return FALSE;
    }
    auto* tip = reinterpret_cast<TOOLTIPTEXTA*>(lParam);
    int i = IndexOf(static_cast<WORD>(header->idFrom));
    if (i < 0) {
        return FALSE;
    }
    tip->hinst = moduleInstance;
    tip->lpszText = MAKEINTRESOURCEA(TOOL_BUTTONS[i].toolTip + useJapanese);
    return TRUE;
}

void FlushWindowMessages(HWND window) {
    MSG message;
    for (int i = 0; i < 20; ++i) {
        PeekMessageA(&message, window, 0, 0, PM_REMOVE);
    }
}
