// The data source as an application's source manager sees it: the real
// qx52ds.ds, installed in the Wine prefix, loaded afresh for every test and
// driven through DS_Entry.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/win32/profile_settings.h"
#include "common/twain_records.h"
#include "source/resources/resource_ids.h"
#include "tests/win32/message_box_watcher.h"
#include "tests/win32/prefix_paths.h"

namespace {

std::string ReadKey(const char* key) {
    char value[64] = {};
    GetPrivateProfileStringA(SOURCE_SECTION, key, "<absent>", value, sizeof value, SETTINGS_FILE);
    return value;
}

void WriteKey(const char* key, const char* value) {
    WritePrivateProfileStringA(SOURCE_SECTION, key, value, SETTINGS_FILE);
}

void ClearSettings() {
    WritePrivateProfileStringA(SOURCE_SECTION, nullptr, nullptr, SETTINGS_FILE);
}

std::string ReadSection() {
    char section[1024] = {};
    DWORD length = GetPrivateProfileSectionA(SOURCE_SECTION, section, sizeof section, SETTINGS_FILE);
    return std::string(section, length);
}

void PumpMessages() {
    MSG message;
    for (int i = 0; i < 200 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

TW_IDENTITY MakeApplication(TW_UINT32 id) {
    TW_IDENTITY identity = {};
    identity.Id = id;
    identity.Version.MajorNum = 1;
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 9;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    std::strcpy(identity.ProductName, "Test application");
    return identity;
}

class DataSource : public ::testing::Test {
protected:
    HMODULE library = nullptr;
    DSENTRYPROC entry = nullptr;
    TW_IDENTITY app = MakeApplication(11);
    TW_IDENTITY other = MakeApplication(22);
    TW_IDENTITY source = {};

    void SetUp() override {
        InstallStripScannerSettings();
        library = LoadLibraryA(Installed("qx52ds.ds").c_str());
        ASSERT_NE(library, nullptr) << "qx52ds.ds is not installed in the prefix";
        entry = reinterpret_cast<DSENTRYPROC>(reinterpret_cast<void*>(GetProcAddress(library, "DS_Entry")));
        ASSERT_NE(entry, nullptr);
        ASSERT_EQ(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(1))),
                  reinterpret_cast<void*>(entry));
    }

    void TearDown() override {
        if (library != nullptr) {
            // Close whatever a test left open, so that no window outlives it.
            entry(&app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr);
            FreeLibrary(library);
        }
        PumpMessages();
        // The next test executable shares the prefix: leave it installed.
        InstallStripScannerSettings();
    }

    TW_UINT16 Call(TW_IDENTITY* origin, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, void* data) {
        return entry(origin, group, dat, msg, data);
    }
    TW_UINT16 Control(TW_UINT16 dat, TW_UINT16 msg, void* data) {
        return Call(&app, DG_CONTROL, dat, msg, data);
    }
    TW_UINT16 Status() {
        TW_STATUS status = {0xFFFF, 0};
        EXPECT_EQ(Control(DAT_STATUS, MSG_GET, &status), TWRC_SUCCESS);
        return status.ConditionCode;
    }
    void Open() {
        source = {};
        source.Id = 5;
        std::strcpy(source.ProductName, "VANTERA QX-52 32Bit");
        ASSERT_EQ(Control(DAT_IDENTITY, MSG_OPENDS, &source), TWRC_SUCCESS);
    }
    void Enable(TW_BOOL showUi = 1) {
        TW_USERINTERFACE ui = {showUi, 0, nullptr};
        ASSERT_EQ(Control(DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_SUCCESS);
        PumpMessages();
    }
    void Close() {
        ASSERT_EQ(Control(DAT_IDENTITY, MSG_CLOSEDS, nullptr), TWRC_SUCCESS);
        PumpMessages();
    }
    // Brings the source to 300, 400 or 500.
    void ReachState(int state) {
        if (state >= 400) Open();
        if (state >= 500) Enable();
    }
    // Fails with the given condition code, which DAT_STATUS then clears.
    void ExpectRefused(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, void* data, TW_UINT16 code) {
        EXPECT_EQ(Call(&app, group, dat, msg, data), TWRC_FAILURE) << std::hex << dat << "/" << msg;
        EXPECT_EQ(Status(), code) << std::hex << dat << "/" << msg;
    }
};

HWND FindMainWindow() {
    return FindWindowA(SOURCE_CLASS_NAME, PREVIEW_CAPTION);
}

TEST_F(DataSource, IdentityBeforeOpenNeedsNoCaller) {
    TW_IDENTITY identity;
    std::memset(&identity, 0xCC, sizeof identity);
    ASSERT_EQ(Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity), TWRC_SUCCESS);
    EXPECT_EQ(identity.Id, 0u);
    EXPECT_EQ(identity.Version.MajorNum, 2);
    EXPECT_EQ(identity.Version.MinorNum, 0);
    EXPECT_EQ(identity.Version.Language, TWLG_USA);
    EXPECT_EQ(identity.Version.Country, TWCY_USA);
    EXPECT_STREQ(identity.Version.Info, "2.0");
    EXPECT_EQ(identity.ProtocolMajor, 1);
    EXPECT_EQ(identity.ProtocolMinor, 6);
    EXPECT_EQ(identity.SupportedGroups, DG_CONTROL | DG_IMAGE | DF_DS2);
    EXPECT_STREQ(identity.Manufacturer, "VANTERA OPTICAL Co., Ltd.");
    EXPECT_STREQ(identity.ProductFamily, "VANTERA QX-52 32Bit");
    EXPECT_STREQ(identity.ProductName, "VANTERA QX-52 32Bit");
}

TEST_F(DataSource, OpenTakesTheManagersIdentityAndNothingSurvivesAReload) {
    Open();
    TW_IDENTITY identity = {};
    ASSERT_EQ(Control(DAT_IDENTITY, MSG_GET, &identity), TWRC_SUCCESS);
    EXPECT_EQ(identity.Id, 5u);
    // Unloaded while open: the next load starts at 300 with Id 0 again.
    FreeLibrary(library);
    library = LoadLibraryA(Installed("qx52ds.ds").c_str());
    entry = reinterpret_cast<DSENTRYPROC>(reinterpret_cast<void*>(GetProcAddress(library, "DS_Entry")));
    ASSERT_EQ(Call(&other, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity), TWRC_SUCCESS);
    EXPECT_EQ(identity.Id, 0u);
    ExpectRefused(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr, TWCC_SEQERROR);
}

TEST_F(DataSource, NullPointersAreRefusedNotFollowed) {
    ExpectRefused(DG_CONTROL, DAT_IDENTITY, MSG_GET, nullptr, TWCC_BADVALUE);
    ExpectRefused(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr, TWCC_BADVALUE);
    TW_IDENTITY identity = {};
    EXPECT_EQ(Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_FAILURE);
    EXPECT_EQ(Status(), TWCC_BADVALUE);
    Open();
    ExpectRefused(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, nullptr, TWCC_BADVALUE);
    EXPECT_EQ(FindMainWindow(), nullptr);
    EXPECT_EQ(Control(DAT_STATUS, MSG_GET, nullptr), TWRC_FAILURE);
    ExpectRefused(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, nullptr, TWCC_BADVALUE);
    ExpectRefused(DG_CONTROL, DAT_CAPABILITY, MSG_GET, nullptr, TWCC_BADVALUE);
    // A caller without an identity cannot reach a source that is held.
    EXPECT_EQ(Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr), TWRC_FAILURE);
    TW_IDENTITY held = {};
    EXPECT_EQ(Control(DAT_IDENTITY, MSG_GET, &held), TWRC_SUCCESS);
    EXPECT_EQ(held.Id, 5u);
}

TEST_F(DataSource, SessionTripletsRefusedInTheWrongState) {
    TW_USERINTERFACE ui = {1, 0, nullptr};
    TW_IDENTITY identity = {};
    // 300: only identity get and status.
    ExpectRefused(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui, TWCC_SEQERROR);
    ExpectRefused(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui, TWCC_SEQERROR);
    ExpectRefused(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr, TWCC_SEQERROR);
    // 400: no second open, no disable.
    Open();
    ExpectRefused(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity, TWCC_SEQERROR);
    ExpectRefused(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui, TWCC_SEQERROR);
    // 500: no second enable, no open.
    Enable();
    ExpectRefused(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui, TWCC_SEQERROR);
    ExpectRefused(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity, TWCC_SEQERROR);
    // Back down: disable to 400, close to 300; each once.
    EXPECT_EQ(Control(DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
    ExpectRefused(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui, TWCC_SEQERROR);
    Close();
    ExpectRefused(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr, TWCC_SEQERROR);
    // After a close the source can be opened again, by anyone.
    EXPECT_EQ(Call(&other, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_SUCCESS);
    EXPECT_EQ(Call(&other, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr), TWRC_SUCCESS);
}

TEST_F(DataSource, UnknownMessagesDatsAndGroups) {
    TW_STATUS status = {};
    for (int state : {300, 400, 500}) {
        SCOPED_TRACE(state);
        if (state == 400) Open();
        if (state == 500) Enable();
        ExpectRefused(DG_CONTROL, DAT_IDENTITY, MSG_SET, &status, TWCC_BADPROTOCOL);
        ExpectRefused(DG_CONTROL, DAT_USERINTERFACE, MSG_GET, &status, TWCC_BADPROTOCOL);
        ExpectRefused(DG_CONTROL, DAT_STATUS, MSG_SET, &status, TWCC_BADPROTOCOL);
        ExpectRefused(DG_CONTROL, 0x0099, MSG_GET, &status, TWCC_BADPROTOCOL);
        ExpectRefused(DG_IMAGE, 0x0199, MSG_GET, &status, TWCC_BADPROTOCOL);
        ExpectRefused(DG_AUDIO, 0x0201, MSG_GET, &status, TWCC_BADPROTOCOL);
        ExpectRefused(0x0100, DAT_IDENTITY, MSG_GET, &status, TWCC_BADPROTOCOL);
    }
}

TEST_F(DataSource, StatusReportsTheCodeOnceAndSuccessKeepsIt) {
    TW_STATUS status = {};
    EXPECT_EQ(Control(0x0099, MSG_GET, &status), TWRC_FAILURE);
    TW_IDENTITY identity = {};
    EXPECT_EQ(Control(DAT_IDENTITY, MSG_GET, &identity), TWRC_SUCCESS);  // does not clear
    EXPECT_EQ(Status(), TWCC_BADPROTOCOL);
    EXPECT_EQ(Status(), TWCC_SUCCESS);
}

TEST_F(DataSource, OnlyTheOpeningApplicationIsServed) {
    Open();
    Enable();
    TW_STATUS status = {0xFFFF, 0};
    TW_IDENTITY identity = {};
    // Application B: nothing runs, not even status or a close.
    EXPECT_EQ(Call(&other, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr), TWRC_FAILURE);
    EXPECT_EQ(Call(&other, DG_CONTROL, DAT_STATUS, MSG_GET, &status), TWRC_FAILURE);
    EXPECT_EQ(status.ConditionCode, 0xFFFF);
    EXPECT_EQ(Call(&other, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_FAILURE);
    TW_EVENT event = {nullptr, 0x4242};
    EXPECT_EQ(Call(&other, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event), TWRC_FAILURE);
    EXPECT_EQ(event.TWMessage, 0x4242);
    // Application A finds the source as it left it, with no code set by B.
    EXPECT_NE(FindMainWindow(), nullptr);
    EXPECT_EQ(Status(), TWCC_SUCCESS);
    TW_USERINTERFACE ui = {1, 0, nullptr};
    ExpectRefused(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui, TWCC_SEQERROR);  // still 500
}

TEST_F(DataSource, EnableShowsTheScanWindowEvenWithoutShowUi) {
    Open();
    EXPECT_EQ(FindMainWindow(), nullptr);  // opening makes no window
    Enable(0);
    HWND window = FindMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 511);
    EXPECT_EQ(rect.bottom - rect.top, 383);
    // Centred on the desktop when no position is saved.
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(rect.left, (desktop.right - 511) / 2);
    EXPECT_EQ(rect.top, (desktop.bottom - 382) / 2);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "QX-52");
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZEBOX, WS_MINIMIZEBOX);
}

TEST_F(DataSource, DisableWithdrawsTheWindowAndEnableAgainShowsOne) {
    Open();
    Enable();
    HWND first = FindMainWindow();
    TW_USERINTERFACE ui = {1, 0, nullptr};
    ASSERT_EQ(Control(DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
    EXPECT_FALSE(IsWindowVisible(first));
    Enable();
    EXPECT_FALSE(IsWindow(first));
    HWND second = FindMainWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(IsWindowVisible(second));
}

TEST_F(DataSource, CloseStraightAfterOpenWritesNothing) {
    std::string before = ReadSection();
    Open();
    Close();
    EXPECT_EQ(ReadSection(), before);
}

TEST_F(DataSource, CloseSavesPositionResolutionAndFilmNumber) {
    WriteKey("PREVIEW_LEFT", "40");
    WriteKey("PREVIEW_TOP", "30");
    WriteKey("DPI", "300");
    WriteKey("FILMNUMBER", "5");
    Open();
    Enable();
    HWND window = FindMainWindow();
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 30);
    MoveWindow(window, 70, 60, 511, 383, FALSE);
    ClearSettings();
    Close();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ReadKey("PREVIEW_LEFT"), "70");
    EXPECT_EQ(ReadKey("PREVIEW_TOP"), "60");
    EXPECT_EQ(ReadKey("DPI"), "300");
    EXPECT_EQ(ReadKey("FILMNUMBER"), "5");
}

TEST_F(DataSource, SavedPositionTooFarOffTheDesktopIsCentred) {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    WriteKey("PREVIEW_LEFT", std::to_string(desktop.right - 254).c_str());
    WriteKey("PREVIEW_TOP", "10");
    Open();
    Enable();
    RECT rect;
    GetWindowRect(FindMainWindow(), &rect);
    EXPECT_EQ(rect.left, (desktop.right - 511) / 2);
    EXPECT_EQ(rect.top, (desktop.bottom - 382) / 2);
}

TEST_F(DataSource, CloseOfAMinimisedWindowSavesOnlyResolutionAndFilm) {
    Open();
    Enable();
    HWND window = FindMainWindow();
    ShowWindow(window, SW_MINIMIZE);
    PumpMessages();
    ASSERT_TRUE(IsIconic(window));
    ClearSettings();
    Close();
    EXPECT_EQ(ReadKey("PREVIEW_LEFT"), "<absent>");
    EXPECT_EQ(ReadKey("PREVIEW_TOP"), "<absent>");
    EXPECT_EQ(ReadKey("DPI"), "200");
    EXPECT_EQ(ReadKey("FILMNUMBER"), "1");
}

TEST_F(DataSource, ProcessEventGoesToTheActiveScanWindow) {
    MSG message = {};
    message.message = WM_KEYDOWN;
    message.wParam = VK_TAB;
    TW_EVENT event = {&message, 0x4242};
    // No window yet: not ours, TWMessage untouched.
    EXPECT_EQ(Control(DAT_EVENT, MSG_PROCESSEVENT, &event), TWRC_NOTDSEVENT);
    EXPECT_EQ(event.TWMessage, 0x4242);
    Open();
    Enable();
    HWND window = FindMainWindow();
    SetActiveWindow(window);
    PumpMessages();
    ASSERT_EQ(GetActiveWindow(), window);
    message.hwnd = window;
    // Any data group: the message alone decides.
    EXPECT_EQ(Call(&app, DG_IMAGE, DAT_NULL, MSG_PROCESSEVENT, &event), TWRC_DSEVENT);
    EXPECT_EQ(event.TWMessage, MSG_NULL);
}

TEST_F(DataSource, TransferTripletsBeforeAnyPicture) {
    TW_PENDINGXFERS pending = {7, 7};
    TW_SETUPMEMXFER setup = {1, 2, 3};
    TW_UINT32 group = 0;
    TW_IMAGEINFO info = {};
    TW_IMAGELAYOUT layout = {};
    ExpectRefused(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending, TWCC_SEQERROR);
    ExpectRefused(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &setup, TWCC_SEQERROR);
    ExpectRefused(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout, TWCC_BADPROTOCOL);
    Open();
    EXPECT_EQ(Control(DAT_PENDINGXFERS, MSG_GET, &pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0);
    EXPECT_EQ(Control(DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
    EXPECT_EQ(setup.MinBufSize, 1u);  // untouched while no picture is held
    EXPECT_EQ(Status(), TWCC_SEQERROR);
    ExpectRefused(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &setup, TWCC_BADPROTOCOL);
    EXPECT_EQ(Control(DAT_XFERGROUP, MSG_GET, &group), TWRC_SUCCESS);
    EXPECT_EQ(group, DG_IMAGE);
    EXPECT_EQ(Call(&app, DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout), TWRC_SUCCESS);
    EXPECT_EQ(layout.Frame.Right.Whole, 0);
    EXPECT_EQ(layout.FrameNumber, 1u);
    Enable();
    ExpectRefused(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending, TWCC_SEQERROR);
    ExpectRefused(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info, TWCC_SEQERROR);
    ExpectRefused(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &group, TWCC_SEQERROR);
    ExpectRefused(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &group, TWCC_SEQERROR);
    ExpectRefused(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr, TWCC_BADPROTOCOL);
}

TEST_F(DataSource, UnsupportedImageTripletsAndCapabilities) {
    TW_CAPABILITY capability = {ICAP_XRESOLUTION, TWON_ONEVALUE, nullptr};
    ExpectRefused(DG_IMAGE, DAT_CIECOLOR, MSG_GET, &capability, TWCC_SEQERROR);
    Open();
    ExpectRefused(DG_IMAGE, DAT_GRAYRESPONSE, MSG_SET, &capability, TWCC_BADPROTOCOL);
    ExpectRefused(DG_IMAGE, DAT_GRAYRESPONSE, MSG_GET, &capability, TWCC_SEQERROR);
    ExpectRefused(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, TWCC_BADCAP);
    EXPECT_EQ(Control(DAT_CAPABILITY, MSG_SET, &capability), TWRC_SUCCESS);
    ExpectRefused(DG_CONTROL, DAT_CAPABILITY, MSG_QUERYSUPPORT, &capability, TWCC_BADPROTOCOL);
    Enable();
    ExpectRefused(DG_IMAGE, DAT_GRAYRESPONSE, MSG_SET, &capability, TWCC_SEQERROR);
    ExpectRefused(DG_IMAGE, DAT_PALETTE8, MSG_GETCURRENT, &capability, TWCC_SEQERROR);
}

// The language shows in the scanner check's message: with no port driver
// the scanner cannot be identified.
TEST_F(DataSource, LanguageKeyChoosesTheMessagesLanguage) {
    struct Case {
        const char* language;  // nullptr: key absent
        bool english;
    };
    // Wine reports a PC/AT keyboard, so without the key the source speaks
    // English; the keyboard rule itself is covered by the native tests.
    const Case cases[] = {{nullptr, true}, {"english", true}, {"Japanese", false}, {"j", false},
                          {"Deutsch", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language != nullptr ? c.language : "(absent)");
        WriteKey("PORT_DRIVER", "no_such_port_driver.dll");
        WritePrivateProfileStringA(SOURCE_SECTION, "LANGUAGE", c.language, SETTINGS_FILE);
        Open();
        MessageBoxWatcher watcher(1);
        Enable();
        const std::vector<std::string>& texts = watcher.Finish();
        ASSERT_EQ(texts.size(), 1u);
        if (c.english) {
            EXPECT_EQ(texts[0], "Cannot identify scanner !");
        } else {
            EXPECT_FALSE(texts[0].empty());
            EXPECT_NE(texts[0], "Cannot identify scanner !");
        }
        Close();
    }
}

}  // namespace
