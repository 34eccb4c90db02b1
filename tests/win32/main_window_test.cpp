// The main scan window in this process (the shell and the resources linked
// in): its controls where they belong, the buttons' states and tool tips,
// and what Preview does when no scanner answers.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32/profile_settings.h"
#include "source/imaging/film_parameters.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/win32/main_window.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/win32/preview_buffers.h"
#include "tests/win32/message_box_watcher.h"
#include "tests/win32/prefix_paths.h"

namespace {

struct FoundControl {
    std::string windowClass;
    int id;
    RECT rect;  // client coordinates of the main window
};

BOOL CALLBACK Collect(HWND child, LPARAM context) {
    auto* found = reinterpret_cast<std::vector<FoundControl>*>(context);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    found->push_back({name, GetDlgCtrlID(child), rect});
    return TRUE;
}

class MainWindow : public ::testing::Test {
protected:
    HWND window = nullptr;
    std::vector<std::string> startTexts;

    static void SetUpTestSuite() { RegisterSourceClass(); }
    void SetUp() override {
        ResetSession(GetModuleHandleA(nullptr));
        // No port driver: the scanner cannot be found.
        WriteSettingString(SOURCE_SECTION, "PORT_ACCESS", "DRIVER");
        WriteSettingString(SOURCE_SECTION, "PORT_DRIVER", "no_such_port_driver.dll");
        WriteSettingString(SOURCE_SECTION, "PATH", INSTALL_FOLDER);
        MessageBoxWatcher watcher(1);
        window = CreateMainWindow();
        startTexts = watcher.Finish();
        ASSERT_NE(window, nullptr);
        mainWindow = window;
        UpdateWindow(window);
    }
    void TearDown() override {
        DestroyWindow(window);
        ResetSession(GetModuleHandleA(nullptr));
        WriteSettingString(SOURCE_SECTION, "PORT_DRIVER", Installed("qx52sim.dll").c_str());
    }
    HWND Toolbar(WORD command) { return GetDlgItem(window, command + 1); }
    LRESULT ButtonState(WORD command) {
        return SendMessageA(Toolbar(command), TB_GETSTATE, command, 0);
    }
};

TEST_F(MainWindow, OpensWithItsControlsInPlace) {
    EXPECT_EQ(startTexts, std::vector<std::string>{"Cannot identify scanner !"});
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 511);
    EXPECT_EQ(outer.bottom - outer.top, 383);

    std::vector<FoundControl> controls;
    EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&controls));
    int toolbars = 0, edits = 0, scrollBars = 0;
    for (const FoundControl& c : controls) {
        if (c.windowClass == "ToolbarWindow32") ++toolbars;
        if (c.windowClass == "Edit") ++edits;
        if (c.windowClass == "ScrollBar") ++scrollBars;
    }
    EXPECT_EQ(toolbars, 16);
    EXPECT_EQ(edits, 3);
    EXPECT_EQ(scrollBars, 4);

    RECT preview;
    GetWindowRect(Toolbar(CMD_PREVIEW), &preview);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&preview), 2);
    EXPECT_EQ(preview.left, 431);
    EXPECT_EQ(preview.top, 279);
    EXPECT_EQ(preview.right - preview.left, 67);
    EXPECT_EQ(preview.bottom - preview.top, 26);

    HWND exposure = GetDlgItem(window, SCROLL_EXPOSURE);
    int low = -1, high = -1;
    GetScrollRange(exposure, SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 400);
    EXPECT_EQ(GetScrollPos(exposure, SB_CTL), 200);
    char text[16] = {};
    GetDlgItemTextA(window, EDIT_WIDTH, text, sizeof text);
    EXPECT_STREQ(text, "600");
    // The three edit fields show the panel's font, not the dialog's.
    for (int id : {EDIT_WIDTH, EDIT_HEIGHT, EDIT_RESOLUTION}) {
        HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageA(window, id, WM_GETFONT, 0, 0));
        LOGFONTA described = {};
        ASSERT_NE(font, nullptr) << id;
        GetObjectA(font, sizeof described, &described);
        EXPECT_STREQ(described.lfFaceName, "Arial") << id;
        EXPECT_EQ(described.lfHeight, 15) << id;
    }
}

TEST_F(MainWindow, FocusWaitsForAPreviewAndResetsForAMovedSlider) {
    EXPECT_EQ(ButtonState(CMD_FOCUS) & TBSTATE_ENABLED, 0);
    EXPECT_EQ(ButtonState(CMD_RESET_RED) & TBSTATE_ENABLED, 0);
    SendMessageA(window, WM_COMMAND, CMD_FOCUS, 0);  // no preview: nothing happens
    EXPECT_EQ(ButtonState(CMD_FOCUS) & TBSTATE_CHECKED, 0);

    HWND red = GetDlgItem(window, SCROLL_RED);
    SendMessageA(window, WM_HSCROLL, SB_PAGERIGHT, reinterpret_cast<LPARAM>(red));
    EXPECT_EQ(GetScrollPos(red, SB_CTL), 220);
    EXPECT_NE(ButtonState(CMD_RESET_RED) & TBSTATE_ENABLED, 0);
    SendMessageA(window, WM_COMMAND, CMD_RESET_RED, 0);
    EXPECT_EQ(GetScrollPos(red, SB_CTL), 200);
    EXPECT_EQ(ButtonState(CMD_RESET_RED) & TBSTATE_ENABLED, 0);
}

TEST_F(MainWindow, ToolTipsComeFromTheStringTable) {
    TOOLTIPTEXTA tip = {};
    tip.hdr.hwndFrom = Toolbar(CMD_SCAN);
    tip.hdr.idFrom = CMD_SCAN;
    tip.hdr.code = TTN_NEEDTEXTA;
    SendMessageA(window, WM_NOTIFY, CMD_SCAN, reinterpret_cast<LPARAM>(&tip));
    EXPECT_EQ(tip.hinst, GetModuleHandleA(nullptr));
    ASSERT_EQ(reinterpret_cast<UINT_PTR>(tip.lpszText), 10090u);
    char text[64] = {};
    LoadStringA(tip.hinst, 10090, text, sizeof text);
    EXPECT_STREQ(text, "Start Scanning");
}

TEST_F(MainWindow, PreviewWithoutAScannerShowsTheCheckAndPopsBackUp) {
    MessageBoxWatcher watcher(1);
    SendMessageA(window, WM_COMMAND, CMD_PREVIEW, 0);
    EXPECT_EQ(watcher.Finish(), std::vector<std::string>{"Cannot identify scanner !"});
    EXPECT_EQ(ButtonState(CMD_PREVIEW) & TBSTATE_CHECKED, 0);
    EXPECT_EQ(ButtonState(CMD_FOCUS) & TBSTATE_ENABLED, 0);  // still no preview
}

// Without its film parameter file the window says so once, naming the file,
// and the film type scans as its built-in record: a colour negative stays a
// negative instead of an all-zero record's uncorrected positive.
TEST_F(MainWindow, AnUnreadableFilmFileIsToldOnceAndTheBuiltInTypeScans) {
    DestroyWindow(window);
    ResetSession(GetModuleHandleA(nullptr));  // as a fresh load: no film record read yet
    char filmNumber[16] = {};
    GetPrivateProfileStringA(SOURCE_SECTION, "FILMNUMBER", "", filmNumber, sizeof filmNumber, SETTINGS_FILE);
    WriteSettingString(SOURCE_SECTION, "PATH", "C:\\no_such_folder\\");
    WriteSettingString(SOURCE_SECTION, "FILMNUMBER", "10");
    MessageBoxWatcher watcher;
    window = CreateMainWindow();
    mainWindow = window;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);  // reads the file again
    std::vector<std::string> texts = watcher.Finish();
    WriteSettingString(SOURCE_SECTION, "PATH", INSTALL_FOLDER);
    WritePrivateProfileStringA(SOURCE_SECTION, "FILMNUMBER", filmNumber[0] != '\0' ? filmNumber : nullptr,
                               SETTINGS_FILE);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(texts, (std::vector<std::string>{"Cannot identify scanner !",
                                               "Cannot read the film parameter file C:\\no_such_folder\\fpara_en.spm !  "
                                               "The built-in settings of the selected film type are used."}));
    EXPECT_EQ(currentFilm.negative, 1);
    EXPECT_EQ(currentFilm.scanLetter, 'N');
    EXPECT_EQ(currentFilm.filmSpeed, 200);
}

}  // namespace
