// The main scan window's setting pop-ups, opened through its buttons in
// process, with a row picked from a thread of the test as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32/profile_settings.h"
#include "source/imaging/film_parameters.h"
#include "source/resources/resource_ids.h"
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

}  // namespace
