// The index window in this process, opened from the main scan window with
// the virtual scanner holding its fifteen-exposure holiday cartridge: its
// layout, clicks on the sheet, single and auto scans with the STOP button,
// rewind, clear, and the copy of the sheet.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "common/win32/profile_settings.h"
#include "source/aps/index_sheet.h"
#include "source/aps/ix_record.h"
#include "source/aps/win32/index_scan_win32.h"
#include "source/aps/win32/index_window.h"
#include "source/aps/win32/ix_window.h"
#include "source/scanner/command_set.h"
#include "source/scanner/scanner_check.h"
#include "source/scanner/win32/port_access_win32.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/win32/main_window.h"
#include "source/ui/win32/main_window_state.h"
#include "tests/win32/message_box_watcher.h"
#include "tests/win32/prefix_paths.h"
#include "tests/win32/test_support.h"

namespace {

// Waits until frame 3's data was read (its thumbnail is being scanned),
// then clicks the STOP button.
DWORD WINAPI PressStopDuringFrameThree(LPVOID) {
    for (int i = 0; i < 3000 && FrameStateOf(3) == 0; ++i) Sleep(5);
    PostMessageA(indexWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 130));
    return 0;
}

class IndexWindow : public ::testing::Test {
protected:
    HWND main = nullptr;
    std::vector<std::string> atStart;

    static void SetUpTestSuite() { RegisterSourceClass(); }
    void SetUp() override {
        ResetSession(GetModuleHandleA(nullptr));
        InstallStripScannerSettings();
        SetEnvironmentVariableA("QX52SIM_CONFIG", Installed("qx52sim.cfg").c_str());
        WritePrivateProfileStringA(SOURCE_SECTION, "INDEX_LEFT", nullptr, SETTINGS_FILE);
        WritePrivateProfileStringA(SOURCE_SECTION, "INDEX_TOP", nullptr, SETTINGS_FILE);
        MessageBoxWatcher boxes;
        main = CreateMainWindow();
        mainWindow = main;
        UpdateWindow(main);
        SendMessageA(main, WM_COMMAND, CMD_INDEX_WINDOW, 0);
        if (indexWindow != nullptr) UpdateWindow(indexWindow);
        atStart = boxes.Finish();
    }
    void TearDown() override {
        // The index and IX windows have no owner: they go first.
        if (ixWindow != nullptr) DestroyWindow(ixWindow);
        if (indexWindow != nullptr) DestroyWindow(indexWindow);
        DestroyWindow(main);
        ReleaseIndexSheet();
        ResetSession(GetModuleHandleA(nullptr));
        ReleasePortDriver();
        SetEnvironmentVariableA("QX52SIM_CONFIG", nullptr);
    }
    void Click(int x, int y) {
        SendMessageA(indexWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(indexWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    // The sheet's pixel (x, y) differs from the empty cell's grey.
    bool Scanned(int x, int y) { return GetPixel(IndexSheetDC(), x, y) != RGB(0xC0, 0xC0, 0xC0); }
    std::vector<std::string> Command(WORD command, size_t boxes = SIZE_MAX) {
        MessageBoxWatcher watcher(boxes);
        SendMessageA(indexWindow, WM_COMMAND, command, 0);
        return watcher.Finish();
    }
};

TEST_F(IndexWindow, OpensWithItsButtonsOptionsAndSheet) {
    ASSERT_NE(indexWindow, nullptr) << (atStart.empty() ? "" : atStart[0]);
    EXPECT_TRUE(atStart.empty()) << atStart[0];
    char caption[32] = {};
    GetWindowTextA(indexWindow, caption, sizeof caption);
    EXPECT_STREQ(caption, "  Index");
    RECT outer;
    GetWindowRect(indexWindow, &outer);
    EXPECT_EQ(outer.right - outer.left, 640);
    HWND mainButton = GetDlgItem(main, CMD_INDEX_WINDOW + 1);
    EXPECT_NE(SendMessageA(mainButton, TB_GETSTATE, CMD_INDEX_WINDOW, 0) & TBSTATE_CHECKED, 0);

    // Nine one-button toolbars down the left; Rewind and the IX window's
    // button shown with the APS adapter.
    const int tops[] = {10, 44, 85, 119, 153, 195, 229, 275, 309};
    const WORD commands[] = {9731, 9733, 9723, 9721, 9725, 9735, 9737, 9727, 9729};
    for (size_t i = 0; i < 9; ++i) {
        HWND bar = GetDlgItem(indexWindow, commands[i] - 1);
        ASSERT_NE(bar, nullptr) << commands[i];
        RECT r = ClientRectOf(bar);
        EXPECT_EQ(r.left, 10) << commands[i];
        EXPECT_EQ(r.top, tops[i]) << commands[i];
        EXPECT_TRUE(IsWindowVisible(bar)) << commands[i];
    }
    for (int i = 0; i < 4; ++i) {
        RECT r = ClientRectOf(GetDlgItem(indexWindow, 1000 + i));
        EXPECT_EQ(r.left, 488);
        EXPECT_EQ(r.top, 403 + 14 * i);
        EXPECT_EQ(IsDlgButtonChecked(indexWindow, 1000 + i), i == 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    ASSERT_TRUE(IndexSheetExists());
    // The empty sheet: grey, cell 1's sunken outline grey at (50, 10) and
    // white at (142, 64).
    EXPECT_EQ(GetPixel(IndexSheetDC(), 100, 30), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(GetPixel(IndexSheetDC(), 48 + 2, 10), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(GetPixel(IndexSheetDC(), 48 + 94, 64), RGB(0xFF, 0xFF, 0xFF));
}

// A click on a number tag selects its frame; frame 41's place holds none; a
// double-click inside a thumbnail asks the main window for a preview, one
// on its border does not.
TEST_F(IndexWindow, ClicksAndDoubleClicksSelectFrames) {
    ASSERT_NE(indexWindow, nullptr);
    Click(48 + 2 * 96 + 5, 5);  // frame 3
    EXPECT_EQ(selectedFrame, 3);
    Click(48 + 4 * 96 + 5, 6 * 66 + 5);
    EXPECT_EQ(selectedFrame, 3);
    MSG pending;
    while (PeekMessageA(&pending, main, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    }
    SendMessageA(indexWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(48 + 96 + 10, 30));  // border of frame 2
    EXPECT_FALSE(PeekMessageA(&pending, main, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    SendMessageA(indexWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(48 + 96 + 40, 30));
    EXPECT_EQ(selectedFrame, 2);
    ASSERT_TRUE(PeekMessageA(&pending, main, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(pending.wParam), CMD_PREVIEW);
}

class IxWindow : public IndexWindow {
protected:
    std::string Text(int id) {
        char text[64] = {};
        GetDlgItemTextA(ixWindow, id, text, sizeof text);
        return text;
    }
    LRESULT Row(int id) { return SendDlgItemMessageA(ixWindow, id, CB_GETCURSEL, 0, 0); }
    std::string RowText(int id) {
        char text[64] = {};
        LRESULT row = Row(id);
        if (row >= 0) SendDlgItemMessageA(ixWindow, id, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
        return text;
    }
    void Choose(int id, int row) {
        SendDlgItemMessageA(ixWindow, id, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
        SendMessageA(ixWindow, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(ixWindow, id)));
    }
    void Type(int id, const char* text) {
        SetDlgItemTextA(ixWindow, id, text);
        SendDlgItemMessageA(ixWindow, id, EM_SETMODIFY, TRUE, 0);
    }
    void OpenIx() {
        SendMessageA(indexWindow, WM_COMMAND, CMD_INDEX_IX_WINDOW, 0);
        ASSERT_NE(ixWindow, nullptr);
        UpdateWindow(ixWindow);
    }
};

// Frame 1 of the holiday film, read on a single scan: 2 July 1999 month
// first printed on the back, 10:15 AM, aspect C, U.S. English "Vacation".
TEST_F(IxWindow, ShowsAFramesDataAndNothingForAFrameNotRead) {
    ASSERT_NE(indexWindow, nullptr);
    Command(CMD_INDEX_SINGLE_SCAN);
    OpenIx();
    EXPECT_EQ(Text(IDC_IX_FRAME), "1");
    EXPECT_EQ(IsDlgButtonChecked(ixWindow, IDC_IX_ASPECT_C), BST_CHECKED);
    EXPECT_EQ(Text(IDC_IX_DATE_1) + "/" + Text(IDC_IX_DATE_2) + "/" + Text(IDC_IX_DATE_3), "7/2/99");
    EXPECT_EQ(Row(IDC_IX_DATE_ORDER), 2);   // M/D/Y
    EXPECT_EQ(Row(IDC_IX_DATE_PRINT), 2);   // Back
    EXPECT_EQ(Text(IDC_IX_HOUR) + ":" + Text(IDC_IX_MINUTE), "10:15");
    EXPECT_EQ(Row(IDC_IX_AM_PM), 0);        // AM
    EXPECT_EQ(Row(IDC_IX_LANGUAGE), 13);
    EXPECT_EQ(RowText(IDC_IX_TITLE).substr(0, 8), "Vacation");
    char caption[64] = {};
    GetWindowTextA(ixWindow, caption, sizeof caption);
    EXPECT_STREQ(caption, "  IX (Information Exchange)");

    // Frame 5 has not been read: nothing shows but its number.
    Type(IDC_IX_FRAME, "5");
    SendMessageA(ixWindow, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(selectedFrame, 5);
    EXPECT_EQ(Text(IDC_IX_FRAME), "5");
    EXPECT_EQ(IsDlgButtonChecked(ixWindow, IDC_IX_ASPECT_C), BST_UNCHECKED);
    EXPECT_EQ(Text(IDC_IX_DATE_1), "      ");
    EXPECT_EQ(Row(IDC_IX_TITLE), -1);
}

// A new title and date written back with REC and read back from the film;
// Cancel drops an edit not yet written; REC on a frame not read is refused.
TEST_F(IxWindow, EditsAreWrittenBackAndCancelDropsThem) {
    ASSERT_NE(indexWindow, nullptr);
    Command(CMD_INDEX_SINGLE_SCAN);
    OpenIx();
    Choose(IDC_IX_TITLE, 1);  // "Birthday"
    Type(IDC_IX_DATE_1, "12");
    Type(IDC_IX_DATE_2, "25");
    SendMessageA(ixWindow, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    {
        MessageBoxWatcher boxes;
        SendMessageA(ixWindow, WM_COMMAND, IDC_IX_REC, 0);
        EXPECT_TRUE(boxes.Finish().empty());
    }
    const IxFrameRecord* onFilm = FrameIxRecord(1);
    ASSERT_NE(onFilm, nullptr);
    EXPECT_EQ(onFilm->titleCode, 1);
    EXPECT_EQ(onFilm->month, 12);
    EXPECT_EQ(onFilm->day, 25);
    EXPECT_EQ(onFilm->year, 99);
    EXPECT_EQ(RowText(IDC_IX_TITLE).substr(0, 8), "Birthday");

    SendMessageA(ixWindow, WM_COMMAND, IDC_IX_ASPECT_P, 0);
    EXPECT_EQ(FrameIxRecord(0)->printAspect, ASPECT_P);
    SendMessageA(ixWindow, WM_COMMAND, IDC_IX_CANCEL, 0);
    EXPECT_EQ(FrameIxRecord(0)->printAspect, ASPECT_C);
    EXPECT_EQ(IsDlgButtonChecked(ixWindow, IDC_IX_ASPECT_C), BST_CHECKED);

    Type(IDC_IX_FRAME, "6");
    SendMessageA(ixWindow, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    MessageBoxWatcher refused;
    SendMessageA(ixWindow, WM_COMMAND, IDC_IX_REC, 0);
    EXPECT_EQ(refused.Finish(), std::vector<std::string>{"Data are not read.  Click [Read] and check the data !"});
}

// A frame picked on the sheet is the one the preview scans: the film goes
// there first and the frame's IX data are read on the way.
TEST_F(IndexWindow, PreviewTakesTheFramePickedOnTheSheet) {
    ASSERT_NE(indexWindow, nullptr);
    Click(48 + 3 * 96 + 5, 5);  // frame 4
    ASSERT_EQ(selectedFrame, 4);
    MessageBoxWatcher boxes;
    SendMessageA(main, WM_COMMAND, CMD_PREVIEW, 0);
    EXPECT_TRUE(boxes.Finish().empty());
    EXPECT_EQ(filmPosition, 4);
    EXPECT_EQ(FrameStateOf(4), 'R');
    EXPECT_EQ(mainState.previewed, 1);
}

// Frame 1 scanned: its IX data read on the way, its thumbnail in the
// sheet. Clear asks first: Cancel keeps it, OK empties the sheet.
TEST_F(IndexWindow, SingleScanThenClearWithCancelAndOk) {
    ASSERT_NE(indexWindow, nullptr);
    EXPECT_TRUE(Command(CMD_INDEX_SINGLE_SCAN).empty());
    EXPECT_EQ(FrameStateOf(1), 'a');
    EXPECT_EQ(scannedFrameCount, 1);
    EXPECT_EQ(indexUnsaved, 1);
    EXPECT_TRUE(Scanned(48 + 40, 30));
    ASSERT_NE(FrameIxRecord(1), nullptr);
    EXPECT_EQ(FrameIxRecord(1)->month, 7);  // the holiday film: July 1999

    {
        DialogWatcher cancel(MESSAGE_CAPTION, [](HWND box) { PostMessageA(box, WM_COMMAND, IDCANCEL, 0); }, 1);
        SendMessageA(indexWindow, WM_COMMAND, CMD_INDEX_CLEAR, 0);
        EXPECT_EQ(cancel.Finish(), std::vector<std::string>{"Index Image is not saved !  Are you sure you want to "
                                                            "discard the image ?"});
    }
    EXPECT_EQ(FrameStateOf(1), 'a');
    EXPECT_TRUE(Scanned(48 + 40, 30));
    EXPECT_EQ(Command(CMD_INDEX_CLEAR, 1).size(), 1u);
    EXPECT_EQ(FrameStateOf(1), 0);
    EXPECT_EQ(scannedFrameCount, 0);
    UpdateWindow(indexWindow);  // the sheet is made anew
    ASSERT_TRUE(IndexSheetExists());
    EXPECT_FALSE(Scanned(48 + 40, 30));
}

int closeRequests = 0;

TW_UINT16 TW_CALLINGSTYLE CountCloseRequests(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16 message,
                                             TW_MEMREF) {
    if (message == MSG_CLOSEDSREQ) ++closeRequests;
    return TWRC_SUCCESS;
}

// Closing the scan window with a thumbnail not saved asks first: Cancel
// keeps the source open, OK asks the application to close it. The requests
// are counted through a manager's entry point.
TEST_F(IndexWindow, ClosingWithAnUnsavedSheetAsksFirst) {
    ASSERT_NE(indexWindow, nullptr);
    EXPECT_TRUE(Command(CMD_INDEX_SINGLE_SCAN).empty());
    closeRequests = 0;
    managerEntry.DSM_Entry = CountCloseRequests;
    {
        DialogWatcher cancel(MESSAGE_CAPTION, [](HWND box) { PostMessageA(box, WM_COMMAND, IDCANCEL, 0); }, 1);
        SendMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(cancel.Finish(), std::vector<std::string>{"Index Image is not saved !  Are you sure you want to "
                                                            "quit the application ?"});
    }
    EXPECT_EQ(closeRequests, 0);
    {
        DialogWatcher ok(MESSAGE_CAPTION, [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }, 1);
        SendMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(ok.Finish().size(), 1u);
    }
    EXPECT_EQ(closeRequests, 1);
    managerEntry = {};
}

// STOP pressed while frame 3 is scanned: that thumbnail is finished, then
// the scan stops and says so. Run again from there, it reaches the film's
// end (frame 15) and says that.
TEST_F(IndexWindow, AutoScanStopsOnStopAndRunsToTheFilmsEnd) {
    ASSERT_NE(indexWindow, nullptr);
    HANDLE presser = CreateThread(nullptr, 0, PressStopDuringFrameThree, nullptr, 0, nullptr);
    std::vector<std::string> stopped = Command(CMD_INDEX_AUTO_SCAN);
    WaitForSingleObject(presser, 10000);
    CloseHandle(presser);
    EXPECT_EQ(stopped, std::vector<std::string>{"Scanning stopped !"});
    EXPECT_EQ(FrameStateOf(3), 'a');
    EXPECT_EQ(FrameStateOf(5), 0);
    EXPECT_GE(scannedFrameCount, 3);
    EXPECT_LE(scannedFrameCount, 4);

    std::vector<std::string> finished = Command(CMD_INDEX_AUTO_SCAN);
    EXPECT_EQ(finished, std::vector<std::string>{"Index scanning is completed !"});
    EXPECT_EQ(scannedFrameCount, 15);
    EXPECT_EQ(FrameStateOf(15), 'a');
    EXPECT_TRUE(Scanned(48 + 2 * 96 + 40, 2 * 66 + 30));  // frame 15: third row, third column

    // Rewind: the film goes into the cartridge, the selection to frame 1.
    Command(CMD_INDEX_REWIND);
    EXPECT_EQ(selectedFrame, 1);
    EXPECT_EQ(lastStatus.positionByte, 65);
}

// The copy is the sheet without its toolbar strip, bottom row first.
TEST_F(IndexWindow, CopyIsTheSheetForTheApplication) {
    ASSERT_NE(indexWindow, nullptr);
    Command(CMD_INDEX_SINGLE_SCAN);
    CopyIndexSheet();
    ASSERT_NE(transferImage, nullptr);
    const auto* dib = static_cast<const BYTE*>(GlobalLock(transferImage));  // CopyIndexSheet's lock, taken over
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(GlobalSize(transferImage), 801832u);
    auto pixel = [&](int x, int y) {
        const BYTE* p = dib + 40 + (463 - y) * 1728 + x * 3;
        return RGB(p[2], p[1], p[0]);
    };
    for (POINT at : {POINT{20, 30}, POINT{60, 40}, POINT{90, 50}, POINT{300, 200}}) {
        EXPECT_EQ(pixel(at.x, at.y), GetPixel(IndexSheetDC(), at.x + 48, at.y)) << at.x << "," << at.y;
    }
    EXPECT_EQ(pixel(500, 440), RGB(192, 192, 192));
    GlobalUnlock(transferImage);
    GlobalUnlock(transferImage);
    FreeTransferImage();
}

// Answers, from a thread, the dialogs of this process that a command
// opens: a file dialog gets `name` typed and OK; a message box has its text
// noted and is answered Yes (or OK), or Cancel when `refuse` is set.
class FileDialogDriver {
public:
    FileDialogDriver(std::string fileName, bool refuseQuestions = false)
        : name(std::move(fileName)), refuse(refuseQuestions) {
        thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~FileDialogDriver() { Finish(); }
    const std::vector<std::string>& Finish() {
        if (thread != nullptr) {
            stop = true;
            WaitForSingleObject(thread, 10000);
            CloseHandle(thread);
            thread = nullptr;
        }
        return texts;
    }

private:
    static BOOL CALLBACK FindField(HWND child, LPARAM context) {
        int id = GetDlgCtrlID(child);
        if (id == 1148 || id == 1152) {
            *reinterpret_cast<HWND*>(context) = child;
            return FALSE;
        }
        return TRUE;
    }
    static BOOL CALLBACK FindDialog(HWND window, LPARAM context) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char kind[16] = {};
        GetClassNameA(window, kind, sizeof kind);
        if (process == GetCurrentProcessId() && std::string(kind) == "#32770" && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(context) = window;
            return FALSE;
        }
        return TRUE;
    }
    static DWORD WINAPI Run(LPVOID context) {
        auto* self = static_cast<FileDialogDriver*>(context);
        HWND last = nullptr;
        for (int i = 0; i < 1500 && !(self->stop && last == nullptr); ++i) {
            HWND dialog = nullptr;
            EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
            if (dialog != nullptr && dialog != last) {
                Sleep(200);
                HWND field = nullptr;
                EnumChildWindows(dialog, FindField, reinterpret_cast<LPARAM>(&field));
                if (field != nullptr) {
                    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(self->name.c_str()));
                    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                } else {
                    char text[256] = {};
                    GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
                    self->texts.emplace_back(text);
                    WPARAM answer = self->refuse ? IDCANCEL : GetDlgItem(dialog, IDYES) != nullptr ? IDYES : IDOK;
                    PostMessageA(dialog, WM_COMMAND, answer, 0);
                }
                last = dialog;
            } else if (dialog == nullptr) {
                last = nullptr;
            }
            Sleep(20);
        }
        return 0;
    }

    std::string name;
    bool refuse;
    std::atomic<bool> stop{false};
    std::vector<std::string> texts;
    HANDLE thread = nullptr;
};

// Two frames saved as an index file through the save dialog, saved again
// over it (the dialog asks first), a save onto a read-only file refused
// with the old file kept, then opened again after the question about the
// unsaved third frame: the sheet and the records come back.
TEST_F(IndexWindow, IndexFilesAreSavedSafelyAndOpenedAgain) {
    ASSERT_NE(indexWindow, nullptr);
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "holiday.IXF";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    Command(CMD_INDEX_SINGLE_SCAN);
    selectedFrame = 2;
    Command(CMD_INDEX_SINGLE_SCAN);
    ASSERT_EQ(scannedFrameCount, 2);
    COLORREF thumbnail = GetPixel(IndexSheetDC(), 48 + 96 + 40, 30);

    {
        FileDialogDriver save(path);
        SendMessageA(indexWindow, WM_COMMAND, CMD_INDEX_SAVE_FILE, 0);
        EXPECT_TRUE(save.Finish().empty());
    }
    std::vector<uint8_t> saved = ReadWholeFile(path);
    ASSERT_EQ(saved.size(), 210u + 2u * (200u + 16374u));
    EXPECT_EQ(std::string(saved.begin(), saved.begin() + 25), " 2  90  60 0 N1900 QX-52 ");
    EXPECT_EQ(indexUnsaved, 0);
    {
        FileDialogDriver again(path);
        SendMessageA(indexWindow, WM_COMMAND, CMD_INDEX_SAVE_FILE, 0);
        std::vector<std::string> asked = again.Finish();  // the question before replacing it
        ASSERT_FALSE(asked.empty());
        EXPECT_NE(asked[0].find("exists"), std::string::npos) << asked[0];
    }
    EXPECT_EQ(ReadWholeFile(path), saved);

    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    selectedFrame = 3;
    Command(CMD_INDEX_SINGLE_SCAN);
    {
        FileDialogDriver refused(path);
        SendMessageA(indexWindow, WM_COMMAND, CMD_INDEX_SAVE_FILE, 0);
        std::vector<std::string> texts = refused.Finish();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back(), "Cannot save !  The file is read-only.");
    }
    EXPECT_EQ(ReadWholeFile(path), saved);
    EXPECT_EQ(GetFileAttributesA((path + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(indexUnsaved, 1);

    {
        FileDialogDriver cancelled(path, true);
        SendMessageA(indexWindow, WM_COMMAND, CMD_INDEX_OPEN_FILE, 0);
        EXPECT_EQ(cancelled.Finish(), std::vector<std::string>{"Index Image is not saved !  Are you sure you want "
                                                               "to open a  new file ?"});
    }
    EXPECT_EQ(scannedFrameCount, 3);
    {
        FileDialogDriver open(path);
        SendMessageA(indexWindow, WM_COMMAND, CMD_INDEX_OPEN_FILE, 0);
        EXPECT_EQ(open.Finish().size(), 1u);  // the question, answered OK
    }
    EXPECT_EQ(scannedFrameCount, 2);
    EXPECT_EQ(FrameStateOf(1), 'I');
    EXPECT_EQ(FrameStateOf(3), 0);
    ASSERT_NE(FrameIxRecord(1), nullptr);
    EXPECT_EQ(FrameIxRecord(1)->month, 7);
    EXPECT_EQ(GetPixel(IndexSheetDC(), 48 + 96 + 40, 30), thumbnail);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// In a Japanese interface the window's caption, buttons and list rows are
// the Japanese ones (Shift-JIS bytes, as the list hands them back).
TEST_F(IxWindow, JapaneseInterfaceShowsTheJapaneseRows) {
    ASSERT_NE(indexWindow, nullptr);
    Command(CMD_INDEX_SINGLE_SCAN);
    useJapanese = 1;
    OpenIx();
    char expected[64] = {}, shown[64] = {};
    LoadStringA(GetModuleHandleA(nullptr), 20121, expected, sizeof expected);  // "読込"
    GetDlgItemTextA(ixWindow, IDC_IX_READ, shown, sizeof shown);
    EXPECT_STREQ(shown, expected);
    // Frame 1 is month first: the row "月日年".
    EXPECT_EQ(RowText(IDC_IX_DATE_ORDER).substr(0, 6), "\x8C\x8E\x93\xFA\x94\x4E");
    EXPECT_EQ(RowText(IDC_IX_DATE_PRINT).substr(0, 4), "\xB3\xD7\x96\xCA");  // "ｳﾗ面": back
    EXPECT_EQ(Text(IDC_IX_HOUR) + ":" + Text(IDC_IX_MINUTE), "10:15");
    useJapanese = 0;
}

// With write_back set, what REC writes stays on the cartridge when the
// virtual scanner starts again: the frame read after a restart holds it.
TEST_F(IxWindow, AWrittenFrameSurvivesARestartOfTheScanner) {
    ASSERT_NE(indexWindow, nullptr);
    std::vector<uint8_t> shipped = ReadWholeFile(Installed("qx52sim.cfg"));
    ASSERT_FALSE(shipped.empty());
    std::string config(shipped.begin(), shipped.end());
    config += "\nwrite_back yes\n";
    std::string copy = Installed("write_back_test.cfg");
    HANDLE file = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, config.data(), static_cast<DWORD>(config.size()), &written, nullptr);
    CloseHandle(file);
    ReleasePortDriver();
    SetEnvironmentVariableA("QX52SIM_CONFIG", copy.c_str());

    Command(CMD_INDEX_SINGLE_SCAN);
    OpenIx();
    Choose(IDC_IX_TITLE, 1);  // "Birthday" instead of "Vacation"
    SendMessageA(ixWindow, WM_COMMAND, IDC_IX_REC, 0);
    ASSERT_EQ(FrameIxRecord(1)->titleCode, 1);
    ReleasePortDriver();  // the scanner goes, and comes back from its file
    FrameIxRecord(1)->titleCode = 2;
    SendMessageA(ixWindow, WM_COMMAND, IDC_IX_READ, 0);
    EXPECT_EQ(FrameIxRecord(1)->titleCode, 1);
    ReleasePortDriver();
    DeleteFileA(copy.c_str());
}

// The whole road of an edited sheet: the cartridge auto-scanned, frame 3's
// title and date changed and written to the film, the sheet saved as an
// index file and as a bitmap, cleared, and the index file opened again:
// the annotated sheet comes back pixel for pixel, with the edited frame's
// data; the bitmap holds the annotated sheet without the toolbar strip.
TEST_F(IxWindow, AnEditedSheetSavedClearedAndReopenedComesBack) {
    ASSERT_NE(indexWindow, nullptr);
    EXPECT_EQ(Command(CMD_INDEX_AUTO_SCAN), std::vector<std::string>{"Index scanning is completed !"});
    Click(48 + 2 * 96 + 5, 5);  // frame 3: Spanish "Amigos", 3 July 1999, year first
    OpenIx();
    Choose(IDC_IX_TITLE, 7);  // "Familia"
    Type(IDC_IX_DATE_1, "98");
    Type(IDC_IX_DATE_2, "12");
    Type(IDC_IX_DATE_3, "24");
    SendMessageA(ixWindow, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    SendMessageA(ixWindow, WM_COMMAND, IDC_IX_REC, 0);
    ASSERT_NE(FrameIxRecord(3), nullptr);
    EXPECT_EQ(FrameIxRecord(3)->titleCode, 7);
    EXPECT_EQ(FrameIxRecord(3)->month, 12);
    for (int option : {IDC_SHOW_ASPECT, IDC_SHOW_DATE, IDC_SHOW_TITLE}) {
        SendMessageA(indexWindow, WM_COMMAND, static_cast<WPARAM>(option), 0);
    }
    std::vector<uint8_t> before;
    ASSERT_TRUE(ReadSheetPixels(true, before));

    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    std::string ixf = std::string(folder) + "road.IXF", bmp = std::string(folder) + "road.bmp";
    for (const std::string& path : {ixf, bmp}) {
        DeleteFileA(path.c_str());
        FileDialogDriver save(path);
        SendMessageA(indexWindow, WM_COMMAND, CMD_INDEX_SAVE_FILE, 0);
        EXPECT_TRUE(save.Finish().empty()) << path;
    }
    std::vector<uint8_t> exported = ReadWholeFile(bmp);
    ASSERT_EQ(exported.size(), 801846u);
    EXPECT_EQ(exported[0], 'B');
    for (POINT at : {POINT{0, 0}, POINT{250, 30}, POINT{300, 100}, POINT{385, 463}}) {
        const uint8_t* p = &exported[static_cast<size_t>(54 + (463 - at.y) * 1728 + at.x * 3)];
        const uint8_t* q = &before[(static_cast<size_t>(at.y) * 640 + static_cast<size_t>(at.x) + 48) * 3];
        EXPECT_EQ(RGB(p[2], p[1], p[0]), RGB(q[0], q[1], q[2])) << at.x << "," << at.y;
    }

    Command(CMD_INDEX_CLEAR);
    EXPECT_EQ(FrameStateOf(3), 0);
    UpdateWindow(indexWindow);
    {
        FileDialogDriver open(ixf);
        SendMessageA(indexWindow, WM_COMMAND, CMD_INDEX_OPEN_FILE, 0);
        EXPECT_TRUE(open.Finish().empty());
    }
    EXPECT_EQ(scannedFrameCount, 15);
    EXPECT_EQ(FrameStateOf(3), 'I');
    EXPECT_EQ(FrameIxRecord(3)->titleCode, 7);
    EXPECT_EQ(FrameIxRecord(3)->day, 24);
    std::vector<uint8_t> after;
    ASSERT_TRUE(ReadSheetPixels(true, after));
    size_t differing = 0;
    for (size_t i = 0; i < before.size(); ++i) differing += before[i] != after[i] ? 1u : 0u;
    EXPECT_EQ(differing, 0u);
    DeleteFileA(ixf.c_str());
    DeleteFileA(bmp.c_str());
}

}  // namespace
