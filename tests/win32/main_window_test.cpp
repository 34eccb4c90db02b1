// The main scan window in this process (the shell and the resources linked
// in): its controls where they belong, the buttons' states and tool tips,
// and what Preview does when no scanner answers.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/win32/profile_settings.h"
#include "source/imaging/film_parameters.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/win32/main_window.h"
#include "source/ui/win32/main_window_state.h"
#include "source/ui/win32/preview_buffers.h"
#include "source/ui/scan_settings.h"
#include "tests/win32/message_box_watcher.h"
#include "tests/win32/scan_window_without_scanner.h"
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
        window = OpenScanWindowWithoutScanner(&startTexts);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { CloseScanWindow(window); }
    HWND Toolbar(WORD command) { return GetDlgItem(window, command + 1); }
    LRESULT ButtonState(WORD command) {
        return SendMessageA(Toolbar(command), TB_GETSTATE, command, 0);
    }
    std::string Field(int id) {
        char text[32] = {};
        GetDlgItemTextA(window, id, text, sizeof text);
        return text;
    }
    void Type(int id, const char* text) {
        SetDlgItemTextA(window, id, text);
        SendDlgItemMessageA(window, id, EM_SETMODIFY, TRUE, 0);
    }
    void Mouse(UINT message, WPARAM keys, int x, int y) { SendMessageA(window, message, keys, MAKELPARAM(x, y)); }
    COLORREF Pixel(int x, int y) {
        HDC dc = GetDC(window);
        COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return colour;
    }
    // A preview as the scan leaves it (scan line j in row j of 480 bytes,
    // blue, green, red), every pixel `grey` but one of `marker` at line 20,
    // pixel 30; the window takes it as previewed.
    void PutPreview(BYTE grey, BYTE marker) {
        BYTE* pixels = static_cast<BYTE*>(GlobalLock(previewPixels));
        ASSERT_NE(pixels, nullptr);
        memset(pixels, grey, PREVIEW_PIXELS_BYTES);
        memset(pixels + 20 * 480 + 30 * 3, marker, 3);
        GlobalUnlock(previewPixels);
        mainState.previewed = 1;
    }
};

COLORREF Inverted(COLORREF colour) {
    return ~colour & 0xFFFFFF;
}

// The whole 35 mm frame (17, 52) - (256, 211) at 600 x 400: 2.5 output
// pixels per preview pixel, aspect 1.5.
TEST_F(MainWindow, DraggingAnEdgeAndACornerMovesTheFrameAndTheSize) {
    COLORREF oldEdge = Pixel(17, 130), newEdge = Pixel(57, 130);
    // The left edge 40 pixels in: 200 x 160 preview pixels, 500 x 400 output.
    // A drag takes its zone at its first step, as a real mouse's small ones.
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 17, 130);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 18, 130);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 57, 130);
    Mouse(WM_MOUSEMOVE, 0, 57, 130);
    EXPECT_EQ(scanSettings.cropX0, 40);
    EXPECT_EQ(Field(EDIT_WIDTH), "500");
    EXPECT_EQ(Field(EDIT_HEIGHT), "400");
    // The inverted frame left the old place as it was and marks the new one.
    EXPECT_EQ(Pixel(17, 130), Inverted(oldEdge));
    EXPECT_EQ(Pixel(57, 130), Inverted(newEdge));

    // The bottom-right corner 40 pixels left: 160 wide, the bottom follows
    // the aspect 500 / 400: 52 + trunc(160 / 1.25) = 180; output 400 x 320.
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 256, 211);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 255, 211);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 216, 300);  // the drag keeps its corner
    Mouse(WM_MOUSEMOVE, 0, 216, 300);
    EXPECT_EQ(scanSettings.cropX1, 199);
    EXPECT_EQ(scanSettings.cropY1, 128);
    EXPECT_EQ(Field(EDIT_WIDTH), "400");
    EXPECT_EQ(Field(EDIT_HEIGHT), "320");
}

// Each zone from the whole frame, dragged 40 pixels (the slider 10): an edge
// moves its side and the output follows at 2.5 pixels per preview pixel; a
// corner moves its side and the opposite one follows the aspect 1.5, 200
// wide by trunc(200 / 1.5) = 133; the slider at 275 + 10 is scan scale
// 25 x 59 = 1475, 1475 x 240 / 354 = 1000 by 1475 x 160 / 354 = 666.7.
// The move takes a frame narrowed to 200 first.
TEST_F(MainWindow, EveryZoneDragsItsPartOfTheFrame) {
    struct Case {
        char zone;
        POINT from, to;
        int x0, x1, y0, y1;
        const char *width, *height;
    };
    const Case cases[] = {
        {'r', {256, 130}, {216, 130}, 0, 199, 0, 159, "500", "400"},
        {'u', {130, 52}, {130, 92}, 0, 239, 40, 159, "600", "300"},
        {'d', {130, 211}, {130, 171}, 0, 239, 0, 119, "600", "300"},
        {'1', {17, 52}, {57, 52}, 40, 239, 26, 159, "500", "333"},
        {'2', {256, 52}, {216, 52}, 0, 199, 26, 159, "500", "333"},
        {'3', {17, 211}, {57, 211}, 40, 239, 0, 133, "500", "333"},
        {'4', {256, 211}, {216, 211}, 0, 199, 0, 133, "500", "333"},
        {'a', {130, 130}, {150, 130}, 20, 219, 0, 159, "500", "400"},
        {'i', {275, 296}, {285, 296}, 0, 239, 0, 159, "1000", "667"},
    };
    auto drag = [&](POINT from, POINT to) {
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, from.x, from.y);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, from.x + (to.x > from.x) - (to.x < from.x),
              from.y + (to.y > from.y) - (to.y < from.y));
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, to.x, to.y);
        Mouse(WM_MOUSEMOVE, 0, to.x, to.y);
    };
    for (const Case& c : cases) {
        CloseScanWindow(window);
        window = OpenScanWindowWithoutScanner();
        ASSERT_NE(window, nullptr);
        if (c.zone == 'a') drag({256, 130}, {216, 130});
        EXPECT_EQ(HitTest(scanSettings, c.from.x, c.from.y), c.zone) << c.zone;
        drag(c.from, c.to);
        EXPECT_EQ(scanSettings.cropX0, c.x0) << c.zone;
        EXPECT_EQ(scanSettings.cropX1, c.x1) << c.zone;
        EXPECT_EQ(scanSettings.cropY0, c.y0) << c.zone;
        EXPECT_EQ(scanSettings.cropY1, c.y1) << c.zone;
        EXPECT_EQ(Field(EDIT_WIDTH), c.width) << c.zone;
        EXPECT_EQ(Field(EDIT_HEIGHT), c.height) << c.zone;
    }
}

TEST_F(MainWindow, RotatingFourTimesWithAPreviewReturnsToTheStart) {
    PutPreview(0, 255);
    // Where line 20, pixel 30 shows in each rotation (landscape at (17, 52),
    // portrait at (59, 15)): (j, i), (159 - i, j), (239 - j, 159 - i), (i, 239 - j).
    const POINT marker[] = {{17 + 20, 52 + 30}, {59 + 129, 15 + 20}, {17 + 219, 52 + 129}, {59 + 30, 15 + 219}};
    const char* widths[] = {"400", "600", "400", "600"};
    for (int turn = 1; turn <= 4; ++turn) {
        SendMessageA(window, WM_COMMAND, CMD_ROTATE, 0);
        const POINT& at = marker[turn % 4];
        EXPECT_EQ(scanSettings.rotation, turn % 4);
        EXPECT_NE(Pixel(at.x, at.y), Pixel(at.x + 2, at.y)) << turn;
        EXPECT_EQ(Field(EDIT_WIDTH), widths[turn - 1]) << turn;
    }
    EXPECT_EQ(Field(EDIT_HEIGHT), "400");
    EXPECT_EQ(scanSettings.cropRect.left, 17);
    EXPECT_EQ(scanSettings.cropRect.bottom, 211);
    EXPECT_EQ(scanSettings.cropX1, 239);
    EXPECT_EQ(ButtonState(CMD_ROTATE) & TBSTATE_CHECKED, 0);
}

TEST_F(MainWindow, TypedSizesFollowTheAspectAndMaximumResolutionComesAndGoes) {
    Type(EDIT_WIDTH, "300");
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(EDIT_WIDTH, EN_KILLFOCUS), 0);
    EXPECT_EQ(Field(EDIT_HEIGHT), "200");
    Type(EDIT_HEIGHT, "100");
    SendMessageA(window, WM_COMMAND, IDOK, 0);  // Enter
    EXPECT_EQ(Field(EDIT_WIDTH), "150");
    Type(EDIT_WIDTH, "5");  // below the smallest side: 15 x 10
    Mouse(WM_MOUSEMOVE, 0, 300, 100);  // outside the frame
    EXPECT_EQ(Field(EDIT_WIDTH), "15");
    EXPECT_EQ(Field(EDIT_HEIGHT), "10");

    // 10 output pixels per preview pixel; off again: the scale before,
    // trunc(15 / 240 x 354) = 22, gives 22 x 240 / 354 = 14.9 -> 15.
    SendMessageA(window, WM_COMMAND, CMD_MAX_RESOLUTION, 0);
    EXPECT_EQ(Field(EDIT_WIDTH), "2400");
    EXPECT_EQ(Field(EDIT_HEIGHT), "1600");
    EXPECT_NE(ButtonState(CMD_MAX_RESOLUTION) & TBSTATE_CHECKED, 0);
    SendMessageA(window, WM_COMMAND, CMD_MAX_RESOLUTION, 0);
    EXPECT_EQ(Field(EDIT_WIDTH), "15");
    EXPECT_EQ(ButtonState(CMD_MAX_RESOLUTION) & TBSTATE_CHECKED, 0);
}

// An arrow step moves the exposure by 10 (a bias of 0.1, reversed for a
// negative); with a preview each step re-tones it, and the reset brings
// back the neutral picture.
TEST_F(MainWindow, ExposureStepsChangeTheValueAndReToneThePreview) {
    HWND exposure = GetDlgItem(window, SCROLL_EXPOSURE);
    SendMessageA(window, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(exposure));
    EXPECT_EQ(GetScrollPos(exposure, SB_CTL), 210);
    EXPECT_DOUBLE_EQ(scanSettings.exposureBias, currentFilm.negative != 0 ? -0.1 : 0.1);

    PutPreview(128, 128);
    SendMessageA(window, WM_HSCROLL, SB_LINELEFT, reinterpret_cast<LPARAM>(exposure));  // 200: neutral
    COLORREF neutral = Pixel(100, 130);
    SendMessageA(window, WM_HSCROLL, SB_PAGERIGHT, reinterpret_cast<LPARAM>(exposure));  // 250
    EXPECT_NE(Pixel(100, 130), neutral);
    SendMessageA(window, WM_HSCROLL, SB_THUMBTRACK, reinterpret_cast<LPARAM>(exposure));  // no re-toning
    EXPECT_EQ(GetScrollPos(exposure, SB_CTL), 250);
    SendMessageA(window, WM_COMMAND, CMD_RESET_EXPOSURE, 0);
    EXPECT_EQ(GetScrollPos(exposure, SB_CTL), 200);
    EXPECT_EQ(Pixel(100, 130), neutral);
    EXPECT_EQ(ButtonState(CMD_RESET_EXPOSURE) & TBSTATE_ENABLED, 0);
}

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
    EXPECT_EQ(GetScrollPos(red, SB_CTL), 250);
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
