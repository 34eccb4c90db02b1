// The main scan window's setting pop-ups, opened through its buttons in
// process, with a row picked from a thread of the test as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32/profile_settings.h"
#include "source/imaging/film_parameters.h"
#include "source/resources/resource_ids.h"
#include "source/scanner/win32/port_access_win32.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/scan_settings.h"
#include "source/ui/win32/main_window.h"
#include "source/ui/win32/main_window_state.h"
#include "tests/win32/message_box_watcher.h"
#include "tests/win32/scan_window_without_scanner.h"
#include "tests/win32/prefix_paths.h"

namespace {

// Waits for the pop-up with `caption`, notes its list's rows and picks
// `row` the way a click does: the selection, then the list's notification.
struct RowPick {
    const char* caption;
    int listId;
    int row;
    LRESULT rows = -1;
    HANDLE thread = nullptr;

    static DWORD WINAPI Pick(LPVOID context) {
        auto* self = static_cast<RowPick*>(context);
        for (int i = 0; i < 1500; ++i) {
            HWND popup = FindWindowA(SOURCE_CLASS_NAME, self->caption);
            if (popup != nullptr && IsWindowVisible(popup)) {
                HWND list = GetDlgItem(popup, self->listId);
                self->rows = SendMessageA(list, LB_GETCOUNT, 0, 0);
                SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(self->row), 0);
                SendMessageA(popup, WM_COMMAND, MAKEWPARAM(self->listId, LBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(list));
                return 0;
            }
            Sleep(20);
        }
        return 0;
    }
    void Start() { thread = CreateThread(nullptr, 0, Pick, this, 0, nullptr); }
    void Finish() {
        WaitForSingleObject(thread, 30000);
        CloseHandle(thread);
    }
};

std::string FieldText(HWND window, int id) {
    char text[32] = {};
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

class SettingPopups : public ::testing::Test {
protected:
    HWND window = nullptr;

    static void SetUpTestSuite() { RegisterSourceClass(); }
    void SetUp() override {
        window = OpenScanWindowWithoutScanner();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { CloseScanWindow(window); }
    void Pick(const char* caption, int listId, int row, WORD command) {
        RowPick pick = {caption, listId, row};
        pick.Start();
        SendMessageA(window, WM_COMMAND, command, 0);
        pick.Finish();
    }
    // A width typed and the field left, as the user tabs away.
    void TypeWidth(const char* text) {
        SetDlgItemTextA(window, EDIT_WIDTH, text);
        SendDlgItemMessageA(window, EDIT_WIDTH, EM_SETMODIFY, TRUE, 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(EDIT_WIDTH, EN_KILLFOCUS), 0);
    }
    bool ResolutionTakesInput() {
        return (GetWindowLongA(GetDlgItem(window, EDIT_RESOLUTION), GWL_STYLE) & ES_READONLY) == 0;
    }
    // Whether any pixel of the window in x0..x1 - 1, y0..y1 - 1 is white
    // (the panel's texts: "dpi" is white in a physical unit, grey in pixels).
    bool WhiteIn(int x0, int y0, int x1, int y1) {
        HDC dc = GetDC(window);
        bool white = false;
        for (int y = y0; y < y1 && !white; ++y) {
            for (int x = x0; x < x1 && !white; ++x) white = GetPixel(dc, x, y) == RGB(255, 255, 255);
        }
        ReleaseDC(window, dc);
        return white;
    }
    bool DpiInWhite() { return WhiteIn(323, 338, 345, 353); }
};

// An image size turns maximum resolution off and fits the frame to its
// aspect; a film type chosen without a scanner stands, loads its record and
// puts the window back to the 600 x 400 output of the whole 3:2 picture.
TEST_F(SettingPopups, ImageSizeThenFilmTypeFromTheirButtons) {
    SendMessageA(window, WM_COMMAND, CMD_MAX_RESOLUTION, 0);
    ASSERT_EQ(scanSettings.maxResolutionOn, 1);

    RowPick size = {"Image Size", IDC_IMAGE_SIZE_LIST, 10};  // "1024 x  768"
    size.Start();
    SendMessageA(window, WM_COMMAND, CMD_IMAGE_SIZE, 0);
    size.Finish();
    EXPECT_EQ(size.rows, 30);
    EXPECT_EQ(scanSettings.imageSizeIndex, 10);
    EXPECT_EQ(scanSettings.maxResolutionOn, 0);
    EXPECT_EQ(FieldText(window, EDIT_WIDTH), "1024");
    EXPECT_EQ(FieldText(window, EDIT_HEIGHT), "768");
    // 4:3 in the 240 x 160 picture: full height, trunc(160 x 4 / 3) wide.
    EXPECT_DOUBLE_EQ(scanSettings.cropWidth, 213.0);
    EXPECT_DOUBLE_EQ(scanSettings.cropHeight, 160.0);

    MessageBoxWatcher boxes(1);
    RowPick film = {"Film Type", IDC_FILM_TYPE_LIST, 9};  // record 10: colour negative APS, ISO 200
    film.Start();
    SendMessageA(window, WM_COMMAND, CMD_FILM_TYPE, 0);
    film.Finish();
    EXPECT_EQ(boxes.Finish(), std::vector<std::string>{"Cannot identify scanner !"});
    EXPECT_EQ(film.rows, BUILT_IN_FILM_TYPE_COUNT);
    EXPECT_EQ(scanSettings.filmNumber, 10);
    EXPECT_EQ(currentFilm.filmSpeed, 200);
    EXPECT_EQ(currentFilm.negative, 1);
    EXPECT_EQ(scanSettings.outputWidth, 600.0);
    EXPECT_EQ(scanSettings.outputHeight, 400.0);
    EXPECT_DOUBLE_EQ(scanSettings.cropWidth, 240.0);  // fitted to 3:2, not to the 4:3 before
    EXPECT_DOUBLE_EQ(scanSettings.cropHeight, 160.0);
    EXPECT_EQ(scanSettings.scanScale, 885);  // 2.5 output pixels per preview pixel
    EXPECT_EQ(FieldText(window, EDIT_WIDTH), "600");
}

// The 600 x 400 output at 200 dpi is 76.2 x 50.8 mm. A resolution from the
// list keeps the printed size: 400 dpi makes it 1200 pixels wide, 5 output
// pixels per preview pixel (scan scale 5 x 354). Typed widths in each unit
// keep the aspect 1.5: 127 mm at 400 dpi is 2000 pixels; 2 inches 800;
// 10.16 cm 1600.
TEST_F(SettingPopups, UnitAndResolutionFromTheirButtonsAndASizeTypedInEachUnit) {
    EXPECT_FALSE(ResolutionTakesInput());
    EXPECT_FALSE(DpiInWhite());
    // The unit name's first letter, which the film type's blanks beside it
    // must not wipe.
    EXPECT_TRUE(WhiteIn(150, 321, 156, 336));
    Pick("Unit", IDC_UNIT_LIST, 1, CMD_UNIT);
    EXPECT_EQ(scanSettings.unitIndex, 1);
    EXPECT_EQ(FieldText(window, EDIT_WIDTH), "76.2");
    EXPECT_EQ(FieldText(window, EDIT_HEIGHT), "50.8");
    EXPECT_TRUE(ResolutionTakesInput());
    EXPECT_TRUE(DpiInWhite());

    Pick("Resolution", IDC_RESOLUTION_LIST, 0, CMD_OUTPUT_RESOLUTION);  // "400 dpi"
    EXPECT_EQ(FieldText(window, EDIT_RESOLUTION), "400");
    EXPECT_EQ(scanSettings.customResolution, 0);
    EXPECT_DOUBLE_EQ(scanSettings.outputWidth, 1200.0);
    EXPECT_EQ(scanSettings.scanScale, 1770);
    EXPECT_EQ(FieldText(window, EDIT_WIDTH), "76.2");  // the printed size stays

    TypeWidth("127");
    EXPECT_NEAR(scanSettings.outputWidth, 2000.0, 1e-9);
    EXPECT_NEAR(scanSettings.outputHeight, 1333.333, 1e-3);
    EXPECT_EQ(FieldText(window, EDIT_HEIGHT), "84.66");

    Pick("Unit", IDC_UNIT_LIST, 3, CMD_UNIT);
    EXPECT_EQ(FieldText(window, EDIT_WIDTH), "5.");
    EXPECT_EQ(FieldText(window, EDIT_HEIGHT), "3.333");
    TypeWidth("2");
    EXPECT_NEAR(scanSettings.outputWidth, 800.0, 1e-9);

    Pick("Unit", IDC_UNIT_LIST, 2, CMD_UNIT);
    EXPECT_EQ(FieldText(window, EDIT_WIDTH), "5.08");
    TypeWidth("10.16");
    EXPECT_NEAR(scanSettings.outputWidth, 1600.0, 1e-9);
    EXPECT_EQ(FieldText(window, EDIT_HEIGHT), "6.773");

    // Back in pixels the resolution follows from the size again.
    Pick("Unit", IDC_UNIT_LIST, 0, CMD_UNIT);
    EXPECT_EQ(FieldText(window, EDIT_WIDTH), "1600");
    EXPECT_FALSE(ResolutionTakesInput());
    EXPECT_FALSE(DpiInWhite());
}

// The window is opened with the APS adapter mounted; the strip adapter
// takes its place before Preview. The first Preview says so and stops;
// the second finds nothing new and previews the strip.
TEST(FilmChangeCheck, AnExchangedAdapterIsToldOnceThenThePreviewRuns) {
    RegisterSourceClass();
    ResetSession(GetModuleHandleA(nullptr));
    InstallStripScannerSettings();
    SetEnvironmentVariableA("QX52SIM_CONFIG", Installed("qx52sim.cfg").c_str());
    HWND window = nullptr;
    std::vector<std::string> atStart;
    {
        MessageBoxWatcher boxes;
        window = CreateMainWindow();
        mainWindow = window;
        UpdateWindow(window);
        atStart = boxes.Finish();
    }
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(scanSettings.lastAdapterType, 'A') << (atStart.empty() ? "" : atStart[0]);

    ReleasePortDriver();  // the next port session loads the driver, and its configuration, afresh
    SetEnvironmentVariableA("QX52SIM_CONFIG", Installed("strip.cfg").c_str());
    std::vector<std::string> first, second;
    {
        MessageBoxWatcher boxes;
        SendMessageA(window, WM_COMMAND, CMD_PREVIEW, 0);
        first = boxes.Finish();
    }
    EXPECT_EQ(first, std::vector<std::string>{"Adapter had been exchanged !"});
    EXPECT_EQ(scanSettings.apsAdapter, 0);
    EXPECT_EQ(mainState.previewed, 0);
    {
        MessageBoxWatcher boxes;
        SendMessageA(window, WM_COMMAND, CMD_PREVIEW, 0);
        second = boxes.Finish();
    }
    EXPECT_EQ(second, std::vector<std::string>{});
    EXPECT_EQ(mainState.previewed, 1);
    CloseScanWindow(window);
    SetEnvironmentVariableA("QX52SIM_CONFIG", nullptr);
}

}  // namespace
