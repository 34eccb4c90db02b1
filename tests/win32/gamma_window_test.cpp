// The gamma curve window in this process, opened from the main scan window
// (the shell and the resources linked in): its controls and place, a curve
// drag on a colour channel moving that balance slider, the reset, and the
// place it keeps for the next time.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/win32/profile_settings.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/gamma_curve_model.h"
#include "source/ui/scan_settings.h"
#include "source/ui/win32/gamma_window.h"
#include "source/ui/win32/main_window.h"
#include "source/ui/win32/main_window_state.h"
#include "tests/win32/message_box_watcher.h"
#include "tests/win32/scan_window_without_scanner.h"
#include "tests/win32/prefix_paths.h"
#include "tests/win32/test_support.h"

namespace {

class GammaWindow : public ::testing::Test {
protected:
    HWND window = nullptr;

    static void SetUpTestSuite() { RegisterSourceClass(); }
    void SetUp() override {
        WritePrivateProfileStringA(SOURCE_SECTION, "GAMMA_LEFT", nullptr, SETTINGS_FILE);
        WritePrivateProfileStringA(SOURCE_SECTION, "GAMMA_TOP", nullptr, SETTINGS_FILE);
        window = OpenScanWindowWithoutScanner();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { CloseScanWindow(window); }  // takes the gamma window with it
    void Open() {
        SendMessageA(window, WM_COMMAND, CMD_GAMMA_WINDOW, 0);
        ASSERT_NE(gammaWindow, nullptr);
        UpdateWindow(gammaWindow);
    }
    LRESULT ButtonState(HWND bar, WORD command) { return SendMessageA(bar, TB_GETSTATE, command, 0); }
    LRESULT MainGammaButton() { return ButtonState(GetDlgItem(window, CMD_GAMMA_WINDOW + 1), CMD_GAMMA_WINDOW); }
    LRESULT ResetButton() { return ButtonState(GetDlgItem(gammaWindow, GAMMA_RESET_CONTROL), CMD_GAMMA_RESET); }
    int Slider(int id) { return GetScrollPos(GetDlgItem(window, id), SB_CTL); }
    // A drag in the gamma window's client pixels, the left button alone held.
    void Drag(POINT from, POINT to) {
        SendMessageA(gammaWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        SendMessageA(gammaWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        SendMessageA(gammaWindow, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        UpdateWindow(gammaWindow);
    }
    COLORREF Pixel(int x, int y) {
        HDC dc = GetDC(gammaWindow);
        COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(gammaWindow, dc);
        return colour;
    }
};

TEST_F(GammaWindow, OpensFromTheMainWindowWithItsControls) {
    Open();
    HWND opened = gammaWindow;
    char name[32] = {}, caption[32] = {};
    GetClassNameA(opened, name, sizeof name);
    GetWindowTextA(opened, caption, sizeof caption);
    EXPECT_STREQ(name, "QX-52");
    EXPECT_STREQ(caption, "  Gamma Curve");
    EXPECT_TRUE(IsWindowVisible(opened));
    EXPECT_EQ(mainState.gammaWindowOpen, 1);
    EXPECT_NE(MainGammaButton() & TBSTATE_CHECKED, 0);

    // Centred on the desktop, 262 x 189.
    RECT outer, desktop;
    GetWindowRect(opened, &outer);
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(outer.right - outer.left, 262);
    EXPECT_EQ(outer.bottom - outer.top, 189);
    EXPECT_EQ(outer.left, (desktop.right - 262) / 2);
    EXPECT_EQ(outer.top, (desktop.bottom - 188) / 2);

    const int buttonTops[] = {28, 45, 62, 79};
    for (int channel = 0; channel < 4; ++channel) {
        HWND box = GetDlgItem(opened, 501 + channel);
        ASSERT_NE(box, nullptr) << channel;
        RECT r = ClientRectOf(box);
        EXPECT_EQ(r.left, 183) << channel;
        EXPECT_EQ(r.top, buttonTops[channel]) << channel;
        EXPECT_EQ(r.right - r.left, 14) << channel;
        EXPECT_EQ(r.bottom - r.top, 14) << channel;
        EXPECT_EQ(IsDlgButtonChecked(opened, 501 + channel), channel == 0 ? BST_CHECKED : BST_UNCHECKED) << channel;
    }
    RECT reset = ClientRectOf(GetDlgItem(opened, GAMMA_RESET_CONTROL));
    EXPECT_EQ(reset.left, 185);
    EXPECT_EQ(reset.top, 115);
    EXPECT_EQ(reset.right - reset.left, 44);
    EXPECT_EQ(reset.bottom - reset.top, 19);
    EXPECT_EQ(ResetButton() & TBSTATE_ENABLED, 0);  // nothing to reset yet

    // The master scale, level 2 x 64 at mark 64 under the graph; the
    // straight master curve in white from the graph's origin.
    EXPECT_EQ(Pixel(31 + 64, 141), RGB(128, 128, 128));
    EXPECT_EQ(Pixel(31, 135), RGB(255, 255, 255));

    // It goes with the main window when that is minimised, and comes back
    // when that is opened again.
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(opened));
    SendMessageA(window, WM_QUERYOPEN, 0, 0);
    EXPECT_TRUE(IsWindowVisible(opened));
    ShowWindow(window, SW_RESTORE);

    // The button again brings the same window up.
    SendMessageA(window, WM_COMMAND, CMD_GAMMA_WINDOW, 0);
    EXPECT_EQ(gammaWindow, opened);
}

// Grabbing the straight red curve at graph point (64, 64), client (95, 71),
// and pulling it down 32 pixels: exponent 64 x 100 / 32 = 200, whose
// balance position is 200 - 200 x log2(2) = 0.
TEST_F(GammaWindow, ACurveDragOnAColourMovesThatBalanceSlider) {
    Open();
    SendMessageA(gammaWindow, WM_COMMAND, 502, 0);
    EXPECT_EQ(gammaChannel, GAMMA_CHANNEL_RED);
    EXPECT_EQ(IsDlgButtonChecked(gammaWindow, 502), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(gammaWindow, 501), BST_UNCHECKED);
    EXPECT_EQ(Pixel(31 + 64, 141), RGB(128, 0, 0));  // the red scale

    Drag({95, 71}, {95, 103});
    EXPECT_EQ(Slider(SCROLL_RED), 0);
    EXPECT_EQ(Slider(SCROLL_GREEN), 200);
    EXPECT_EQ(scanSettings.redCurve.gammaPercent, 200);
    EXPECT_EQ(scanSettings.redGain, 200u);
    EXPECT_NE(ResetButton() & TBSTATE_ENABLED, 0);
    // Redrawn in red: at x 64 the curve is at trunc((64 / 127.5)^2 x 127.5) = 32.
    EXPECT_EQ(Pixel(31 + 64, 135 - 32), RGB(255, 0, 0));
}

// A red balance step while the window shows red redraws the curve at once:
// position 100 is gain trunc(100 x 2^0.5) = 141, and at x 64 the curve
// lies at trunc((64 / 127.5)^1.41 x 127.5) = 48.
TEST_F(GammaWindow, ABalanceStepRedrawsTheCurveShown) {
    Open();
    SendMessageA(gammaWindow, WM_COMMAND, 502, 0);
    UpdateWindow(gammaWindow);
    ASSERT_EQ(Pixel(31 + 64, 135 - 64), RGB(255, 0, 0));  // straight: entry i is i
    HWND red = GetDlgItem(window, SCROLL_RED);
    for (int step = 0; step < 2; ++step) {
        SendMessageA(window, WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(red));
    }
    EXPECT_EQ(scanSettings.redCurve.gammaPercent, 141);
    EXPECT_EQ(Pixel(31 + 64, 135 - 48), RGB(255, 0, 0));
    EXPECT_NE(Pixel(31 + 64, 135 - 64), RGB(255, 0, 0));
}

// Reset from the blue channel: every curve and the three balance sliders
// back, the master curve shown, the exposure slider left where it was.
TEST_F(GammaWindow, ResetReturnsTheCurvesAndTheSliders) {
    Open();
    SendMessageA(gammaWindow, WM_COMMAND, 504, 0);
    Drag({95, 71}, {95, 103});
    ASSERT_EQ(Slider(SCROLL_BLUE), 0);
    SendMessageA(gammaWindow, WM_COMMAND, 501, 0);
    Drag({31 + 2, 135}, {31 + 2 + 20, 135});  // the master's shadow point 20 pixels right: lowIn 40
    ASSERT_EQ(scanSettings.masterCurve.lowIn, 40);
    SendMessageA(gammaWindow, WM_COMMAND, 504, 0);
    SetScrollPos(GetDlgItem(window, SCROLL_EXPOSURE), SB_CTL, 250, TRUE);

    SendMessageA(gammaWindow, WM_COMMAND, CMD_GAMMA_RESET, 0);
    for (const ToneCurve* curve : {&scanSettings.masterCurve, &scanSettings.redCurve, &scanSettings.greenCurve,
                                   &scanSettings.blueCurve}) {
        EXPECT_EQ(curve->lowIn, 0);
        EXPECT_EQ(curve->lowOut, 0);
        EXPECT_EQ(curve->highIn, 255);
        EXPECT_EQ(curve->highOut, 255);
        EXPECT_EQ(curve->gammaPercent, 100);
    }
    EXPECT_EQ(scanSettings.blueGain, 100u);
    for (int id : {SCROLL_RED, SCROLL_GREEN, SCROLL_BLUE}) EXPECT_EQ(Slider(id), 200) << id;
    EXPECT_EQ(Slider(SCROLL_EXPOSURE), 250);
    EXPECT_EQ(gammaChannel, GAMMA_CHANNEL_MASTER);
    EXPECT_EQ(IsDlgButtonChecked(gammaWindow, 501), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(gammaWindow, 504), BST_UNCHECKED);
    EXPECT_EQ(ResetButton() & TBSTATE_ENABLED, 0);
}

// Closing keeps the place for the next opening, and so does the main
// window taking the gamma window with it when the source closes. A curve
// in effect keeps the main window's gamma button pressed after a close.
TEST_F(GammaWindow, KeepsItsPlaceAndTheButtonTellsOfACurveInEffect) {
    Open();
    SetWindowPos(gammaWindow, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(gammaWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(gammaWindow, nullptr);
    EXPECT_EQ(mainState.gammaWindowOpen, 0);
    EXPECT_EQ(MainGammaButton() & TBSTATE_CHECKED, 0);
    EXPECT_EQ(ReadSettingInt(SOURCE_SECTION, "GAMMA_LEFT", -1), 40);
    EXPECT_EQ(ReadSettingInt(SOURCE_SECTION, "GAMMA_TOP", -1), 30);

    Open();
    RECT outer;
    GetWindowRect(gammaWindow, &outer);
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 30);
    Drag({31 + 2, 135}, {31 + 2 + 20, 135});
    SetWindowPos(gammaWindow, nullptr, 60, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(gammaWindow, WM_CLOSE, 0, 0);
    EXPECT_NE(MainGammaButton() & TBSTATE_CHECKED, 0);

    Open();
    SetWindowPos(gammaWindow, nullptr, 70, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    DestroyWindow(window);
    window = nullptr;
    EXPECT_EQ(gammaWindow, nullptr);
    EXPECT_EQ(ReadSettingInt(SOURCE_SECTION, "GAMMA_LEFT", -1), 70);
    EXPECT_EQ(ReadSettingInt(SOURCE_SECTION, "GAMMA_TOP", -1), 20);
}

// The 32-bit build's floating point: the neutral curves must rebuild the
// tables the window starts with (a touched slider must not shift a colour),
// and the straight display curve must be the diagonal.
TEST(NeutralCurvesIn32Bits, RebuildTheStartingTables) {
    ResetSession(GetModuleHandleA(nullptr));
    for (uint8_t negative : {uint8_t{0}, uint8_t{1}}) {
        currentFilm.negative = negative;
        BuildToneTables();
        BuildPixelTables();
        for (int i = 0; i < 256; ++i) {
            int expected = negative != 0 ? i : POSITIVE_TONE_TABLE[i];
            ASSERT_EQ(redTable8[i], expected) << i;
            ASSERT_EQ(greenTable8[i], expected) << i;
            ASSERT_EQ(blueTable8[i], expected) << i;
        }
    }
    uint16_t display[DISPLAY_CURVE_SIZE];
    BuildDisplayCurve(scanSettings.masterCurve, display);
    for (int i = 0; i < DISPLAY_CURVE_SIZE; ++i) ASSERT_EQ(display[i], i) << i;
    ResetSession(GetModuleHandleA(nullptr));
}

}  // namespace
