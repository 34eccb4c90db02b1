// KORVEL's main window in this process: what comes up, the languages, where
// it opens, the image area's scroll bars, fit mode, and the boxes.
#include <windows.h>

#include <commctrl.h>

#include "host/core/tool_buttons.h"
#include "host/resources/resource_ids.h"
#include "host/win32/bitmap_files.h"
#include "host/win32/image_view.h"
#include "tests/win32/korvel_test_support.h"

namespace korvel_test {
namespace {

std::string MenuText(HMENU menu, UINT position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// Ids by position: 0 for a separator, -1 for a sub-menu.
std::vector<int> MenuIds(HMENU menu) {
    std::vector<int> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        ids.push_back(static_cast<int>(GetMenuItemID(menu, i)));
    }
    return ids;
}

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string TipText(UINT command) {
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = command;
    info.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(mainWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText != nullptr ? info.lpszText : "";
}

std::wstring WideTipText(UINT command) {
    NMTTDISPINFOW info = {};
    info.hdr.idFrom = command;
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageA(mainWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText != nullptr ? info.lpszText : L"";
}

// Resizes the window so that its client area is width x height.
void SetClientSize(HWND window, int width, int height) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(50);
}

SCROLLINFO BarInfo(HWND bar) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &info);
    return info;
}

TEST_F(KorvelTest, WindowComesUpWithItsMenuButtonsAndStatusBar) {
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    char text[64] = {};
    GetClassNameA(window, text, sizeof text);
    EXPECT_STREQ(text, "KORVEL");
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, CAPTION);

    HMENU menu = GetMenu(window);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(MenuText(menu, 0), "File(&F)");
    EXPECT_EQ(MenuText(menu, 1), "Option(&O)");
    EXPECT_EQ(MenuText(menu, 2), "Help(&H)");
    MENUITEMINFOA help = {};
    help.cbSize = sizeof help;
    help.fMask = MIIM_TYPE;
    GetMenuItemInfoA(menu, 2, TRUE, &help);
    EXPECT_NE(help.fType & MFT_RIGHTJUSTIFY, 0u);
    HMENU file = GetSubMenu(menu, 0);
    EXPECT_EQ(MenuIds(file), (std::vector<int>{IDM_OPEN, IDM_SAVE_AS, 0, IDM_PREVIEW, 0, -1, 0, IDM_EXIT}));
    EXPECT_EQ(MenuText(file, 5), "Scanner");
    EXPECT_EQ(MenuIds(GetSubMenu(file, 5)), (std::vector<int>{IDM_ACQUIRE, IDM_SELECT_SOURCE}));
    EXPECT_EQ(MenuIds(GetSubMenu(menu, 1)), (std::vector<int>{IDM_FIT_TO_WINDOW}));
    EXPECT_EQ(MenuIds(GetSubMenu(menu, 2)), (std::vector<int>{IDM_VERSION, IDM_ICON_HELP, IDM_TROUBLE_HELP}));
    EXPECT_NE(MenuState(IDM_SAVE_AS) & MF_GRAYED, 0u) << "nothing to save yet";

    // The start size: room for the band and the status bar only.
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, 480 + 2 * GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(frame.bottom - frame.top,
              GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYMINTRACK) + 56);

    RECT client;
    GetClientRect(window, &client);
    for (size_t i = 0; i < TOOL_BUTTON_COUNT; ++i) {
        RECT place = ChildRect(toolButtons[i]);
        int left = TOOL_BUTTONS[i].atRightEdge ? client.right - 34 : TOOL_BUTTONS[i].left;
        EXPECT_EQ(place.left, left) << "button " << i;
        EXPECT_EQ(place.top, 2) << "button " << i;
        EXPECT_EQ(place.right - place.left, 32);
        EXPECT_EQ(place.bottom - place.top, 32);
        TBBUTTON button = {};
        ASSERT_TRUE(SendMessageA(toolButtons[i], TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button)));
        EXPECT_EQ(button.idCommand, TOOL_BUTTONS[i].command);
    }
    EXPECT_FALSE(SendMessageA(toolButtons[1], TB_ISBUTTONENABLED, IDM_SAVE_AS, 0));
    RECT band = ChildRect(GetDlgItem(window, IDC_BAND));
    EXPECT_EQ(band.bottom - band.top, 39);
    EXPECT_EQ(band.right - band.left, GetSystemMetrics(SM_CXSCREEN));

    RECT status = ChildRect(statusBar);
    EXPECT_EQ(status.top, client.bottom - 17);
    EXPECT_EQ(status.bottom, client.bottom);
    int parts[2] = {};
    ASSERT_EQ(SendMessageA(statusBar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts)), 2);
    EXPECT_EQ(parts[0], client.right * 2 / 3);
}

TEST_F(KorvelTest, ToolTipsNameEachButtonAlsoInTheStatusBar) {
    Start();
    const std::pair<UINT, const char*> tips[] = {
        {IDM_OPEN, "Open Bitmap File"},         {IDM_SAVE_AS, "Save Bitmap File"},
        {IDM_PREVIEW, "Open Preview Window"},   {IDM_ICON_HELP, "Discription Icons"},
        {IDM_FIT_TO_WINDOW, "Fit to Window"},
    };
    for (const auto& [command, text] : tips) {
        EXPECT_EQ(TipText(command), text);
        EXPECT_EQ(StatusText(0), text);
    }
    EXPECT_EQ(WideTipText(IDM_OPEN), L"Open Bitmap File");
}

TEST_F(KorvelTest, LanguageKeyChoosesTheJapaneseMenuAndTexts) {
    ASSERT_NE(GetKeyboardType(0), 7) << "the test expects a keyboard that chooses English";
    WriteHostKey("LANGUAGE", "J");
    Start();
    EXPECT_EQ(textOffset, 10);
    wchar_t text[64] = {};
    GetMenuStringW(GetMenu(mainWindow), 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"ファイル(&F)");
    EXPECT_EQ(MenuIds(GetSubMenu(GetMenu(mainWindow), 0)),
              (std::vector<int>{IDM_OPEN, IDM_SAVE_AS, 0, IDM_PREVIEW, 0, -1, 0, IDM_EXIT}));
    EXPECT_EQ(WideTipText(IDM_FIT_TO_WINDOW), L"画像サイズをウィンドウ枠に合わせます");
    EXPECT_EQ(WideTipText(IDM_OPEN), L"フルカラービットマップファイルを開く");
    Close();

    // Only an upper-case first letter counts.
    WriteHostKey("LANGUAGE", "japanese");
    Start();
    EXPECT_EQ(textOffset, 0);
    EXPECT_EQ(MenuText(GetMenu(mainWindow), 0), "File(&F)");
    Close();
    WriteHostKey("LANGUAGE", "English");
    Start();
    EXPECT_EQ(textOffset, 0);
}

TEST_F(KorvelTest, OpensWhereItClosedUnlessTopOrLeftIsOffTheDesktop) {
    struct Case {
        const char* top;
        const char* left;
        LONG wantTop, wantLeft;
    };
    const Case cases[] = {
        {"100", "120", 100, 120},
        {"10", "300", 0, 0},   // TOP - 20 wraps around: below the desktop
        {"300", "5", 0, 0},
        {"20", "20", 20, 20},  // the smallest kept
        {"5000", "100", 0, 0},
        {"100", "-40", 0, 0},
    };
    for (const Case& c : cases) {
        WriteHostKey("TOP", c.top);
        WriteHostKey("LEFT", c.left);
        HWND window = Start();
        RECT frame;
        GetWindowRect(window, &frame);
        EXPECT_EQ(frame.top, c.wantTop) << "TOP=" << c.top << " LEFT=" << c.left;
        EXPECT_EQ(frame.left, c.wantLeft) << "TOP=" << c.top << " LEFT=" << c.left;
        Close();
    }
    // Closing writes where the window was.
    HWND window = Start();
    SetWindowPos(window, nullptr, 150, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Close();
    EXPECT_EQ(ReadHostKey("TOP"), "130");
    EXPECT_EQ(ReadHostKey("LEFT"), "150");
}

TEST_F(KorvelTest, ClosingAsksOnlyAboutAnUnsavedPicture) {
    Start();
    {
        DialogWatcher none(CAPTION, Press(IDOK));
        imageSaved = 1;
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        EXPECT_TRUE(PumpUntil([] { return mainWindow == nullptr; }, 5000));
        EXPECT_TRUE(none.Finish().empty());
    }
    Start();
    imageSaved = 0;
    {
        DialogWatcher cancel(CAPTION, Press(IDCANCEL), 1);
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        PumpUntil([&] { return false; }, 1500);
        ASSERT_EQ(cancel.Finish(), (std::vector<std::string>{"Image is not saved! Are you sure to close?"}));
        EXPECT_NE(mainWindow, nullptr) << "Cancel keeps the program running";
    }
    {
        // Windows ending the session asks the same; Cancel keeps it going.
        DialogWatcher cancel(CAPTION, Press(IDCANCEL), 1);
        EXPECT_EQ(SendMessageA(mainWindow, WM_QUERYENDSESSION, 0, 0), FALSE);
        EXPECT_EQ(cancel.Finish().size(), 1u);
        DialogWatcher agree(CAPTION, Press(IDOK), 1);
        EXPECT_EQ(SendMessageA(mainWindow, WM_QUERYENDSESSION, 0, 0), TRUE);
        EXPECT_EQ(agree.Finish().size(), 1u);
    }
    {
        DialogWatcher ok(CAPTION, Press(IDOK), 1);
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        EXPECT_TRUE(PumpUntil([] { return mainWindow == nullptr; }, 5000));
        EXPECT_EQ(ok.Finish().size(), 1u);
    }
}

TEST_F(KorvelTest, HelpWithoutItsSettingsSaysSoAndTheVersionBoxShowsTheSetting) {
    Start();
    WriteHostKey("PATH", "C:\\help\\");  // ICONS and TROUBLE still missing
    for (UINT command : {UINT{IDM_ICON_HELP}, UINT{IDM_TROUBLE_HELP}}) {
        DialogWatcher box(CAPTION, Press(IDOK), 1);
        SendMessageA(mainWindow, WM_COMMAND, command, 0);
        EXPECT_EQ(box.Finish(), (std::vector<std::string>{"Cannot open help!"}));
    }
    WriteHostKey("VERSION", "2.01 test build");
    std::string shown;
    {
        DialogWatcher version("QX-52 Version Information", [&shown](HWND dialog) {
            char text[200] = {};
            GetDlgItemTextA(dialog, IDC_VERSION_VALUE, text, sizeof text);
            shown = text;
            PostMessageA(dialog, WM_COMMAND, IDC_VERSION_OK, 0);
        }, 1);
        SendMessageA(mainWindow, WM_COMMAND, IDM_VERSION, 0);
        version.Finish();
    }
    EXPECT_EQ(shown, "2.01 test build");
}

// Settings that are there but lead nowhere: a help file that does not exist,
// and an empty name that leaves only the folder. Both are refused before the
// viewer is loaded, with the same warning as missing settings.
TEST_F(KorvelTest, HelpNamingNoFileSaysSo) {
    Start();
    WriteHostKey("PATH", "C:\\windows\\");
    WriteHostKey("ICONS", "no such help.chm");
    WriteHostKey("TROUBLE", "");
    for (UINT command : {UINT{IDM_ICON_HELP}, UINT{IDM_TROUBLE_HELP}}) {
        DialogWatcher box(CAPTION, Press(IDOK), 1);
        SendMessageA(mainWindow, WM_COMMAND, command, 0);
        EXPECT_EQ(box.Finish(), (std::vector<std::string>{"Cannot open help!"}));
    }
    EXPECT_EQ(GetModuleHandleA("hhctrl.ocx"), nullptr);
}

// A 1000 x 800 picture in a 500 x 400 client area.
class KorvelLargePicture : public KorvelTest {
protected:
    void SetUp() override {
        KorvelTest::SetUp();
        BitmapFields fields;
        fields.width = 1000;
        fields.height = 800;
        path = Scratch("large.bmp");
        ASSERT_TRUE(WriteBytes(path, MakeBitmapFile(fields)));
        Start();
        RECT before;
        GetClientRect(mainWindow, &before);
        EXPECT_LE(before.bottom, 56);
        ASSERT_TRUE(OpenBitmapFile(mainWindow, Wide(path).c_str()));
        RECT frame;
        GetWindowRect(mainWindow, &frame);
        EXPECT_EQ(frame.bottom - frame.top,
                  GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYMINTRACK) + 416) << "made room for it";
        SetClientSize(mainWindow, 500, 400);
    }
    std::string path;
};

TEST_F(KorvelLargePicture, BothBarsWithPagesOfTheImageArea) {
    int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    ASSERT_TRUE(hasHorzBar && hasVertBar);
    EXPECT_TRUE(IsWindowVisible(horzBar) && IsWindowVisible(vertBar) && IsWindowVisible(cornerBox));
    SCROLLINFO horz = BarInfo(horzBar);
    SCROLLINFO vert = BarInfo(vertBar);
    EXPECT_EQ(horz.nMax, 1000);
    EXPECT_EQ(static_cast<int>(horz.nPage), 500 - barWidth);
    EXPECT_EQ(vert.nMax, 800);
    EXPECT_EQ(static_cast<int>(vert.nPage), 400 - barHeight - 56);
    RECT place = ChildRect(vertBar);
    EXPECT_EQ(place.left, 500 - barWidth);
    EXPECT_EQ(place.top, 39);
    EXPECT_EQ(StatusText(1), "X : 1000  Y : 800  Size : 2400KB");
}

TEST_F(KorvelLargePicture, ScrollingStaysWithinTheBar) {
    int page = static_cast<int>(BarInfo(horzBar).nPage);
    auto scroll = [](WORD request, WORD position = 0) {
        SendMessageA(mainWindow, WM_HSCROLL, MAKEWPARAM(request, position), reinterpret_cast<LPARAM>(horzBar));
    };
    scroll(SB_LINEUP);
    EXPECT_EQ(scrollX, 0);
    scroll(SB_LINEDOWN);
    EXPECT_EQ(scrollX, 10);
    scroll(SB_PAGEDOWN);
    EXPECT_EQ(scrollX, 10 + page);
    scroll(SB_THUMBPOSITION, 5000);
    EXPECT_EQ(scrollX, 1000 - page + 1);
    EXPECT_EQ(BarInfo(horzBar).nPos, scrollX);
    scroll(SB_PAGEUP);
    EXPECT_EQ(scrollX, 1000 - 2 * page + 1);

    // A wider window needs no horizontal bar: its position goes back to 0.
    SetClientSize(mainWindow, 1100, 400);
    EXPECT_FALSE(hasHorzBar);
    EXPECT_TRUE(hasVertBar);
    EXPECT_EQ(scrollX, 0);
    EXPECT_EQ(static_cast<int>(BarInfo(vertBar).nPage), 400 - 56);
}

TEST_F(KorvelLargePicture, ANewPictureIsSeenFromItsTopLeftCorner) {
    SendMessageA(mainWindow, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5000), reinterpret_cast<LPARAM>(horzBar));
    SendMessageA(mainWindow, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5000), reinterpret_cast<LPARAM>(vertBar));
    ASSERT_GT(scrollX, 0);
    ASSERT_GT(scrollY, 0);
    ASSERT_TRUE(OpenBitmapFile(mainWindow, Wide(path).c_str()));
    LayOut(mainWindow);
    EXPECT_EQ(scrollX, 0);
    EXPECT_EQ(scrollY, 0);
    EXPECT_EQ(BarInfo(horzBar).nPos, 0);
    EXPECT_EQ(BarInfo(vertBar).nPos, 0);
}

TEST_F(KorvelLargePicture, FitModeHasNoBarsAndTogglesItsMenuAndButton) {
    SendMessageA(mainWindow, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    EXPECT_EQ(fitToWindow, 1);
    EXPECT_FALSE(hasHorzBar || hasVertBar);
    EXPECT_FALSE(IsWindowVisible(horzBar) || IsWindowVisible(vertBar) || IsWindowVisible(cornerBox));
    EXPECT_NE(MenuState(IDM_FIT_TO_WINDOW) & MF_CHECKED, 0u);
    EXPECT_TRUE(SendMessageA(toolButtons[3], TB_ISBUTTONPRESSED, IDM_FIT_TO_WINDOW, 0));
    SendMessageA(mainWindow, WM_COMMAND, IDM_FIT_TO_WINDOW, 0);
    EXPECT_EQ(fitToWindow, 0);
    EXPECT_TRUE(hasHorzBar && hasVertBar);
    EXPECT_EQ(MenuState(IDM_FIT_TO_WINDOW) & MF_CHECKED, 0u);
    EXPECT_FALSE(SendMessageA(toolButtons[3], TB_ISBUTTONPRESSED, IDM_FIT_TO_WINDOW, 0));
}

TEST_F(KorvelLargePicture, TooNarrowOrLowWindowsGetTheirMinimum) {
    SetClientSize(mainWindow, 120, 20);
    RECT frame;
    GetWindowRect(mainWindow, &frame);
    EXPECT_EQ(frame.right - frame.left, 200);
    EXPECT_EQ(frame.bottom - frame.top, GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYHSCROLL) +
                                            GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CYMINTRACK) + 56);
}

TEST_F(KorvelTest, IconButtonIsDrawnWhereAWiderWindowPutsIt) {
    Start();
    SetClientSize(mainWindow, 900, 300);
    PumpFor(200);
    RECT place = ChildRect(toolButtons[TOOL_BUTTON_COUNT - 1]);
    ASSERT_EQ(place.left, 900 - 34);
    HDC dc = GetDC(mainWindow);
    // Inside the button, left of and above its bitmap: the button's face.
    COLORREF face = GetPixel(dc, place.left + 2, place.top + 2);
    ReleaseDC(mainWindow, dc);
    EXPECT_NE(face, RGB(0, 0, 0));
}

// 4000 x 1500 pixels: "... Size : 18000KB", the longest figures yet.
TEST_F(KorvelTest, StatusSizePartIsNotCutOffByTheSizeGrip) {
    Start();
    BitmapFields fields;
    fields.width = 4000;
    fields.height = 1500;
    SendMessageA(mainWindow, IMAGE_ARRIVED, reinterpret_cast<WPARAM>(MakePictureBlock(fields)), 0);
    PumpFor(50);
    std::string text = StatusText(1);
    ASSERT_EQ(text, "X : 4000  Y : 1500  Size : 18000KB");
    RECT part = {};
    SendMessageA(statusBar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    HDC dc = GetDC(statusBar);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(statusBar, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(statusBar, dc);
    EXPECT_LE(extent.cx + GetSystemMetrics(SM_CXVSCROLL), part.right - part.left);
    imageSaved = 1;
}

}  // namespace
}  // namespace korvel_test
