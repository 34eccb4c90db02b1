// Our TWAIN_32.DLL as applications and sources see it. The test installs
// copies of fake_source.ds (and some files that are no sources) below
// <Windows directory>\twain_32\ of the test prefix, drives the manager
// through the twain_app helper, and removes them again at the end. The real
// data source may be installed too; nothing here assumes it is absent.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "manager/resource_ids.h"
#include "tests/fake_source/fake_source_protocol.h"
#include "tests/host/twain_app.h"
#include "tests/win32/prefix_paths.h"

namespace {

// Wine maps the Unix file system to drive Z:.
std::string Installed(const char* relative) {
    return SourcesFolder() + "\\" + relative;
}

// Folders in creation order; removed in reverse.
const char* const TEST_FOLDERS[] = {"QxTestFakeA", "QxTestDeep", "QxTestDeep\\Er", "QxTestJunk"};

const char ALPHA[] = "QxTestFakeA\\fake_alpha.ds";
const char BETA[] = "QxTestDeep\\Er\\fake_beta.ds";
const char GAMMA[] = "QxTestDeep\\FAKE_GAMMA.DS";  // the suffix in capitals is still a source
const char FAILING[] = "QxTestJunk\\fail_identity.ds";
const char WRONG_SUFFIX[] = "QxTestJunk\\fake_delta.ds.txt";
const char GARBAGE[] = "QxTestJunk\\garbage.ds";
const char NO_ENTRY[] = "QxTestJunk\\no_entry.ds";  // a library without DS_Entry
const char* const FAKE_COPIES[] = {ALPHA, BETA, GAMMA, FAILING, WRONG_SUFFIX};
const char* const ALL_FILES[] = {ALPHA, BETA, GAMMA, FAILING, WRONG_SUFFIX, GARBAGE, NO_ENTRY};

const char PROFILE_SECTION[] = "TWAIN";
const char PROFILE_KEY[] = "Default Source";

std::string ReadDefaultSource() {
    char path[MAX_PATH] = {};
    GetProfileStringA(PROFILE_SECTION, PROFILE_KEY, "", path, sizeof path);
    return path;
}

// nullptr removes the key.
void WriteDefaultSource(const char* path) {
    WriteProfileStringA(PROFILE_SECTION, PROFILE_KEY, path);
}

void RemoveTestFiles() {
    for (const char* file : ALL_FILES) {
        DeleteFileA(Installed(file).c_str());
    }
    for (size_t i = std::size(TEST_FOLDERS); i > 0; --i) {
        RemoveDirectoryA(Installed(TEST_FOLDERS[i - 1]).c_str());
    }
}

class InstalledFakes : public ::testing::Environment {
public:
    void SetUp() override {
        savedDefault_ = ReadDefaultSource();
        RemoveTestFiles();  // left over from an interrupted run
        CreateDirectoryA(SourcesFolder().c_str(), nullptr);
        for (const char* folder : TEST_FOLDERS) {
            CreateDirectoryA(Installed(folder).c_str(), nullptr);
        }
        std::string fake = WindowsPath(FAKE_SOURCE_UNIX_PATH);
        for (const char* copy : FAKE_COPIES) {
            ASSERT_TRUE(CopyFileA(fake.c_str(), Installed(copy).c_str(), FALSE)) << copy;
        }
        HMODULE manager = LoadLibraryA("TWAIN_32.DLL");
        ASSERT_NE(manager, nullptr);
        char managerPath[MAX_PATH] = {};
        GetModuleFileNameA(manager, managerPath, sizeof managerPath);
        FreeLibrary(manager);
        ASSERT_TRUE(CopyFileA(managerPath, Installed(NO_ENTRY).c_str(), FALSE));
        HANDLE garbage = CreateFileA(Installed(GARBAGE).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(garbage, INVALID_HANDLE_VALUE);
        const char text[] = "not a library at all";
        DWORD written = 0;
        WriteFile(garbage, text, sizeof text, &written, nullptr);
        CloseHandle(garbage);
    }

    void TearDown() override {
        RemoveTestFiles();
        WriteDefaultSource(savedDefault_.empty() ? nullptr : savedDefault_.c_str());
    }

private:
    std::string savedDefault_;
};

const ::testing::Environment* const installedFakes = ::testing::AddGlobalTestEnvironment(new InstalledFakes);

std::string Name(const TW_IDENTITY& identity) {
    return std::string(identity.ProductName, strnlen(identity.ProductName, sizeof(TW_STR32)));
}

std::vector<std::string> ListNames(TwainApp& app) {
    std::vector<TW_IDENTITY> sources;
    EXPECT_EQ(ListSources(app, sources), TWRC_SUCCESS);
    std::vector<std::string> names;
    for (const TW_IDENTITY& source : sources) {
        names.push_back(Name(source));
    }
    return names;
}

bool IsLoaded(const char* relative) {
    return GetModuleHandleA(Installed(relative).c_str()) != nullptr;
}

// The manager-wide status, as read by a caller that is no application.
TW_UINT16 GlobalStatus(TwainApp& app) {
    TW_STATUS status = {};
    if (app.dsmEntry(nullptr, nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, &status) != TWRC_SUCCESS) {
        return TWCC_BUMMER;
    }
    return status.ConditionCode;
}

TW_UINT16 OpenByName(TwainApp& app, const char* name, TW_IDENTITY& source) {
    source = TW_IDENTITY{};
    std::strcpy(source.ProductName, name);
    return CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source);
}

TW_UINT16 CloseById(TwainApp& app, TW_IDENTITY& source) {
    return CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source);
}

FakeSourceReport ReadReport(TwainApp& app, TW_IDENTITY& source) {
    FakeSourceReport report = {};
    EXPECT_EQ(CallManager(app, &source, DG_CONTROL, FAKE_DAT_REPORT, MSG_GET, &report), TWRC_SUCCESS);
    return report;
}

TW_UINT16 AskToNotify(TwainApp& app, TW_IDENTITY& source, TW_UINT16 message) {
    FakeSourceNotify request = {message, 0};
    return CallManager(app, &source, DG_CONTROL, FAKE_DAT_NOTIFY, MSG_SET, &request);
}

TW_UINT16 ProcessEvent(TwainApp& app, UINT windowMessage, TW_EVENT& event) {
    static MSG message;
    message = MSG{};
    message.hwnd = app.window;
    message.message = windowMessage;
    event.pEvent = &message;
    return CallManager(app, &app.sourceIdentity, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
}

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadManager(app, "manager test"));
        ASSERT_EQ(OpenManager(app), TWRC_SUCCESS);
        ASSERT_NE(app.appIdentity.Id, 0u);
    }

    void TearDown() override {
        if (app.sourceEnabled) {
            DisableSource(app);
        }
        if (app.sourceIdentity.Id != 0) {
            CloseSource(app);
        }
        if (app.managerOpen) {
            EXPECT_EQ(CloseManager(app), TWRC_SUCCESS);
        }
        UnloadManager(app);
        WriteDefaultSource(nullptr);
    }

    TwainApp app;
};

TEST_F(ManagerTest, ListsEverySourceInNestedFoldersOnceAndUnloadsThem) {
    std::vector<std::string> names = ListNames(app);
    for (const char* wanted : {"fake_alpha", "fake_beta", "FAKE_GAMMA"}) {
        EXPECT_EQ(std::count(names.begin(), names.end(), wanted), 1) << wanted;
    }
    for (const char* unwanted : {"fail_identity", "fake_delta", "garbage", "no_entry", "TWAIN_32"}) {
        EXPECT_EQ(std::count(names.begin(), names.end(), unwanted), 0) << unwanted;
    }
    for (const char* file : {ALPHA, BETA, GAMMA, FAILING, NO_ENTRY}) {
        EXPECT_FALSE(IsLoaded(file)) << file;
    }

    TW_IDENTITY identity = {};
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &identity), TWRC_ENDOFLIST);
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &identity), TWRC_ENDOFLIST);
    ASSERT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity), TWRC_SUCCESS);
    EXPECT_EQ(Name(identity), names.front());
    EXPECT_EQ(identity.Id, 0u);
}

TEST_F(ManagerTest, GetNextWithoutGetFirstListsNothing) {
    TW_IDENTITY identity = {};
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &identity), TWRC_ENDOFLIST);
}

TEST_F(ManagerTest, DefaultSourceComesFromWinIniAndFallsBackToTheFirst) {
    std::vector<std::string> names = ListNames(app);
    ASSERT_FALSE(names.empty());
    TW_IDENTITY identity = {};

    WriteDefaultSource(Installed(BETA).c_str());
    ASSERT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &identity), TWRC_SUCCESS);
    EXPECT_EQ(Name(identity), "fake_beta");

    std::string upper = Installed(BETA);
    CharUpperA(upper.data());
    WriteDefaultSource(upper.c_str());
    ASSERT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &identity), TWRC_SUCCESS);
    EXPECT_EQ(Name(identity), "fake_beta");

    for (const std::string& stale : {Installed("QxTestGone\\nothing.ds"), Installed(GARBAGE), std::string()}) {
        WriteDefaultSource(stale.empty() ? nullptr : stale.c_str());
        ASSERT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &identity), TWRC_SUCCESS);
        EXPECT_EQ(Name(identity), names.front()) << stale;
    }
    EXPECT_EQ(ReadDefaultSource(), "");  // a fallback is not written back
}

TEST_F(ManagerTest, OpenWithAnEmptyNameOpensTheDefault) {
    WriteDefaultSource(Installed(GAMMA).c_str());
    ASSERT_EQ(OpenSource(app, ""), TWRC_SUCCESS);
    EXPECT_EQ(Name(app.sourceIdentity), "FAKE_GAMMA");
    EXPECT_STREQ(app.sourceIdentity.Manufacturer, "QX tests");
    EXPECT_NE(app.sourceIdentity.Id, 0u);
}

TEST_F(ManagerTest, OpenGivesFreshIdsAndUnloadsAtClose) {
    TW_IDENTITY alpha;
    TW_IDENTITY beta;
    ASSERT_EQ(OpenByName(app, "fake_alpha", alpha), TWRC_SUCCESS);
    ASSERT_EQ(OpenByName(app, "fake_beta", beta), TWRC_SUCCESS);
    EXPECT_NE(alpha.Id, 0u);
    EXPECT_NE(beta.Id, 0u);
    EXPECT_NE(alpha.Id, beta.Id);
    EXPECT_NE(alpha.Id, app.appIdentity.Id);
    EXPECT_NE(beta.Id, app.appIdentity.Id);
    // The manager completes the identity from the source's own.
    EXPECT_STREQ(alpha.Manufacturer, "QX tests");
    EXPECT_EQ(alpha.ProtocolMajor, 1);
    EXPECT_EQ(ReadReport(app, alpha).sourceId, alpha.Id);
    EXPECT_TRUE(IsLoaded(ALPHA));

    EXPECT_EQ(CloseManager(app), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_SEQERROR);

    TW_UINT32 firstAlphaId = alpha.Id;
    ASSERT_EQ(CloseById(app, alpha), TWRC_SUCCESS);
    EXPECT_FALSE(IsLoaded(ALPHA));
    EXPECT_EQ(CloseById(app, alpha), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADDEST);
    ASSERT_EQ(CloseById(app, beta), TWRC_SUCCESS);

    ASSERT_EQ(OpenByName(app, "fake_alpha", alpha), TWRC_SUCCESS);
    EXPECT_NE(alpha.Id, firstAlphaId);
    EXPECT_NE(alpha.Id, beta.Id);
    EXPECT_EQ(ReadReport(app, alpha).openCount, 1u);  // a fresh load of the library
    ASSERT_EQ(CloseById(app, alpha), TWRC_SUCCESS);
    EXPECT_EQ(CloseManager(app), TWRC_SUCCESS);
}

TEST_F(ManagerTest, OpenRefusesUnknownAndUnterminatedNames) {
    EXPECT_EQ(OpenSource(app, "no_such_source"), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_NODS);

    TW_IDENTITY unterminated = {};
    std::memset(unterminated.ProductName, 'f', sizeof unterminated.ProductName);
    std::memset(unterminated.ProductFamily, 'f', sizeof unterminated.ProductFamily);
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &unterminated), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_NODS);
    EXPECT_EQ(unterminated.Id, 0u);

    EXPECT_EQ(OpenSource(app, "fail_identity"), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_NODS);
}

TEST_F(ManagerTest, ForwardsTripletsWithTheApplicationAsOrigin) {
    ASSERT_EQ(OpenSource(app, "fake_alpha"), TWRC_SUCCESS);
    TW_IMAGEINFO info = {};
    EXPECT_EQ(CallManager(app, &app.sourceIdentity, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_FAILURE);

    FakeSourceReport report = ReadReport(app, app.sourceIdentity);
    EXPECT_EQ(report.lastOriginId, app.appIdentity.Id);
    EXPECT_EQ(report.lastDataGroup, DG_IMAGE);
    EXPECT_EQ(report.lastDataArgType, DAT_IMAGEINFO);
    EXPECT_EQ(report.lastMessage, MSG_GET);
    EXPECT_EQ(report.reportOriginId, app.appIdentity.Id);
    EXPECT_EQ(report.appId, app.appIdentity.Id);
    EXPECT_EQ(report.sourceId, app.sourceIdentity.Id);
    EXPECT_EQ(report.openCount, 1u);

    // A status with a destination is the source's, not the manager's.
    EXPECT_EQ(SourceStatus(app), TWCC_BADPROTOCOL);
    EXPECT_EQ(ManagerStatus(app), TWCC_SUCCESS);
}

TEST_F(ManagerTest, RefusesDestinationsThatAreNoOpenSourceOfTheCaller) {
    TW_IDENTITY unknown = {};
    unknown.Id = 0x7FFF1234;
    FakeSourceReport report = {};
    EXPECT_EQ(CallManager(app, &unknown, DG_CONTROL, FAKE_DAT_REPORT, MSG_GET, &report), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADDEST);
    EXPECT_EQ(CallManager(app, &app.appIdentity, DG_CONTROL, FAKE_DAT_REPORT, MSG_GET, &report), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADDEST);

    TW_IDENTITY closed;
    ASSERT_EQ(OpenByName(app, "fake_alpha", closed), TWRC_SUCCESS);
    ASSERT_EQ(CloseById(app, closed), TWRC_SUCCESS);
    EXPECT_EQ(CallManager(app, &closed, DG_CONTROL, FAKE_DAT_REPORT, MSG_GET, &report), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADDEST);
}

TEST_F(ManagerTest, KeepsTwoApplicationsApart) {
    TwainApp other;
    ASSERT_TRUE(LoadManager(other, "other application"));
    ASSERT_EQ(OpenManager(other), TWRC_SUCCESS);
    EXPECT_NE(other.appIdentity.Id, app.appIdentity.Id);
    ASSERT_EQ(OpenSource(app, "fake_alpha"), TWRC_SUCCESS);

    FakeSourceReport report = {};
    EXPECT_EQ(CallManager(other, &app.sourceIdentity, DG_CONTROL, FAKE_DAT_REPORT, MSG_GET, &report), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(other), TWCC_BADDEST);
    EXPECT_EQ(ManagerStatus(app), TWCC_SUCCESS);

    // The fake holds one session: its refusal reaches the second application
    // through the manager's status, and the first keeps its session.
    EXPECT_EQ(OpenSource(other, "fake_alpha"), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(other), TWCC_MAXCONNECTIONS);
    EXPECT_EQ(other.sourceIdentity.Id, 0u);
    report = ReadReport(app, app.sourceIdentity);
    EXPECT_EQ(report.appId, app.appIdentity.Id);
    EXPECT_EQ(report.openCount, 1u);

    ASSERT_EQ(OpenSource(other, "fake_beta"), TWRC_SUCCESS);
    EXPECT_EQ(ReadReport(other, other.sourceIdentity).appId, other.appIdentity.Id);
    EXPECT_EQ(CloseSource(other), TWRC_SUCCESS);
    EXPECT_EQ(CloseManager(other), TWRC_SUCCESS);
    UnloadManager(other);
}

TEST_F(ManagerTest, DeliversANotificationThroughProcessEvent) {
    ASSERT_EQ(OpenSource(app, "fake_alpha"), TWRC_SUCCESS);
    ASSERT_EQ(EnableSource(app, false), TWRC_SUCCESS);
    ASSERT_EQ(AskToNotify(app, app.sourceIdentity, MSG_XFERREADY), TWRC_SUCCESS);

    MSG queued;
    EXPECT_TRUE(PeekMessageA(&queued, app.window, WM_NULL, WM_NULL, PM_NOREMOVE));  // the wake-up

    // An application's own message is not taken for the notification: the
    // application must still dispatch it.
    TW_EVENT event = {};
    EXPECT_EQ(ProcessEvent(app, WM_USER + 7, event), TWRC_NOTDSEVENT);
    EXPECT_EQ(event.TWMessage, MSG_NULL);

    EXPECT_EQ(PumpMessages(app, 2000), MSG_XFERREADY);
    event.TWMessage = MSG_NULL;
    EXPECT_EQ(ProcessEvent(app, WM_NULL, event), TWRC_NOTDSEVENT);
    EXPECT_EQ(event.TWMessage, MSG_NULL);

    ASSERT_EQ(AskToNotify(app, app.sourceIdentity, MSG_CLOSEDSREQ), TWRC_SUCCESS);
    event.TWMessage = 0x1234;  // a stale value must not survive
    EXPECT_EQ(ProcessEvent(app, WM_NULL, event), TWRC_DSEVENT);
    EXPECT_EQ(event.TWMessage, MSG_CLOSEDSREQ);
    EXPECT_EQ(PumpMessages(app, 200), MSG_NULL);
}

TEST_F(ManagerTest, QueuesEachKindOfNotificationOnceInOrder) {
    ASSERT_EQ(OpenSource(app, "fake_alpha"), TWRC_SUCCESS);
    ASSERT_EQ(AskToNotify(app, app.sourceIdentity, MSG_XFERREADY), TWRC_SUCCESS);
    ASSERT_EQ(AskToNotify(app, app.sourceIdentity, MSG_XFERREADY), TWRC_SUCCESS);
    ASSERT_EQ(AskToNotify(app, app.sourceIdentity, MSG_CLOSEDSREQ), TWRC_SUCCESS);
    EXPECT_EQ(PumpMessages(app, 2000), MSG_XFERREADY);
    EXPECT_EQ(PumpMessages(app, 2000), MSG_CLOSEDSREQ);
    EXPECT_EQ(PumpMessages(app, 300), MSG_NULL);
}

TEST_F(ManagerTest, DropsTheNotificationsOfAClosedSession) {
    ASSERT_EQ(OpenSource(app, "fake_alpha"), TWRC_SUCCESS);
    ASSERT_EQ(AskToNotify(app, app.sourceIdentity, MSG_CLOSEDSREQ), TWRC_SUCCESS);
    ASSERT_EQ(CloseSource(app), TWRC_SUCCESS);
    ASSERT_EQ(OpenSource(app, "fake_alpha"), TWRC_SUCCESS);
    EXPECT_EQ(PumpMessages(app, 300), MSG_NULL);
}

TEST_F(ManagerTest, RefusesMalformedNotifications) {
    ASSERT_EQ(OpenSource(app, "fake_alpha"), TWRC_SUCCESS);
    EXPECT_EQ(AskToNotify(app, app.sourceIdentity, MSG_GET), TWRC_FAILURE);

    // The test plays a source here.
    TW_IDENTITY stranger = {};
    stranger.Id = 0x7FFF4321;
    EXPECT_EQ(app.dsmEntry(&stranger, &app.appIdentity, DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr), TWRC_FAILURE);
    EXPECT_EQ(GlobalStatus(app), TWCC_BADVALUE);
    EXPECT_EQ(app.dsmEntry(&app.sourceIdentity, &stranger, DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr),
              TWRC_FAILURE);
    EXPECT_EQ(GlobalStatus(app), TWCC_BADDEST);
    EXPECT_EQ(app.dsmEntry(&app.sourceIdentity, nullptr, DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr), TWRC_FAILURE);
    EXPECT_EQ(app.dsmEntry(nullptr, &app.appIdentity, DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr), TWRC_FAILURE);
    EXPECT_EQ(PumpMessages(app, 300), MSG_NULL);
}

TEST_F(ManagerTest, RefusesUnknownTripletsWithItsOwnStatus) {
    TW_IMAGEINFO info = {};
    EXPECT_EQ(CallManager(app, nullptr, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADPROTOCOL);
    EXPECT_EQ(ManagerStatus(app), TWCC_SUCCESS);  // cleared by the first read

    TW_USERINTERFACE ui = {};
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_PARENT, MSG_GET, &app.window), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADPROTOCOL);
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADPROTOCOL);
}

TEST(ManagerSequence, RefusesCallsOutOfOrder) {
    TwainApp app;
    ASSERT_TRUE(LoadManager(app, "sequence test"));
    TW_IDENTITY source = {};
    TW_IDENTITY identity = {};
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_SEQERROR);
    EXPECT_EQ(ManagerStatus(app), TWCC_SUCCESS);
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_SEQERROR);
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, nullptr), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_SEQERROR);
    source.Id = 1;
    FakeSourceReport report = {};
    EXPECT_EQ(CallManager(app, &source, DG_CONTROL, FAKE_DAT_REPORT, MSG_GET, &report), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_SEQERROR);

    ASSERT_EQ(OpenManager(app), TWRC_SUCCESS);
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &app.window), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_SEQERROR);
    ASSERT_EQ(CloseManager(app), TWRC_SUCCESS);
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_SEQERROR);
    UnloadManager(app);
}

TEST(ManagerBadInput, RefusesNullPointersAndDeadWindows) {
    TwainApp app;
    ASSERT_TRUE(LoadManager(app, "bad input test"));
    HWND window = CreateWindowA("STATIC", "bad input", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(app.dsmEntry(nullptr, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &window), TWRC_FAILURE);
    EXPECT_EQ(GlobalStatus(app), TWCC_BADVALUE);
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, nullptr), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADVALUE);
    HWND noWindow = nullptr;
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &noWindow), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADVALUE);
    HWND destroyed = CreateWindowA("STATIC", "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(destroyed);
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &destroyed), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADVALUE);
    EXPECT_EQ(app.appIdentity.Id, 0u);

    ASSERT_EQ(OpenManager(app, window), TWRC_SUCCESS);
    for (TW_UINT16 message : {MSG_GETFIRST, MSG_GETNEXT, MSG_GETDEFAULT, MSG_USERSELECT, MSG_OPENDS, MSG_CLOSEDS}) {
        EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, message, nullptr), TWRC_FAILURE) << message;
        EXPECT_EQ(ManagerStatus(app), TWCC_BADVALUE) << message;
    }
    EXPECT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, nullptr), TWRC_FAILURE);

    ASSERT_EQ(OpenSource(app, "fake_alpha"), TWRC_SUCCESS);
    EXPECT_EQ(CallManager(app, &app.sourceIdentity, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, nullptr), TWRC_FAILURE);
    EXPECT_EQ(ManagerStatus(app), TWCC_BADVALUE);
    FakeSourceReport report = {};
    EXPECT_EQ(app.dsmEntry(nullptr, &app.sourceIdentity, DG_CONTROL, FAKE_DAT_REPORT, MSG_GET, &report), TWRC_FAILURE);
    EXPECT_EQ(GlobalStatus(app), TWCC_BADVALUE);
    EXPECT_EQ(ReadReport(app, app.sourceIdentity).appId, app.appIdentity.Id);  // the session survived
    EXPECT_EQ(CloseSource(app), TWRC_SUCCESS);
    EXPECT_EQ(CloseManager(app), TWRC_SUCCESS);
    UnloadManager(app);
    DestroyWindow(window);
}

// Plays the user in the selection dialog from another thread: waits (at most
// 10 seconds) for it to show, notes the highlighted name, highlights choice
// (when not empty) and presses button.
struct DialogUser {
    DWORD dialogThread;
    std::string choice;
    WORD button;
    bool sawDialog;
    std::string highlighted;
};

BOOL CALLBACK FindSelectDialog(HWND window, LPARAM found) {
    char className[32] = {};
    char title[64] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(className, "#32770") == 0 && std::strcmp(title, "Select Source") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

std::string ListText(HWND list, LRESULT item) {
    char text[64] = {};
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(item), 0);
    if (item < 0 || length < 0 || length >= static_cast<LRESULT>(sizeof text)) {
        return std::string();
    }
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    return text;
}

void PlayDialogUser(DialogUser& user) {
    HWND dialog = nullptr;
    for (int i = 0; i < 200 && dialog == nullptr; ++i) {
        Sleep(50);
        EnumThreadWindows(user.dialogThread, FindSelectDialog, reinterpret_cast<LPARAM>(&dialog));
    }
    if (dialog == nullptr) {
        return;
    }
    user.sawDialog = true;
    HWND list = GetDlgItem(dialog, IDC_SOURCE_LIST);
    user.highlighted = ListText(list, SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (!user.choice.empty()) {
        LRESULT item = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(user.choice.c_str()));
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(user.button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, user.button)));
}

TW_UINT16 UserSelect(TwainApp& app, DialogUser& user, TW_IDENTITY& chosen) {
    user.dialogThread = GetCurrentThreadId();
    std::thread player(PlayDialogUser, std::ref(user));
    chosen = TW_IDENTITY{};
    TW_UINT16 rc = CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen);
    player.join();
    return rc;
}

TEST_F(ManagerTest, UserSelectCancelKeepsTheDefault) {
    WriteDefaultSource(Installed(BETA).c_str());
    DialogUser user = {0, "", IDCANCEL, false, ""};
    TW_IDENTITY chosen;
    EXPECT_EQ(UserSelect(app, user, chosen), TWRC_CANCEL);
    EXPECT_TRUE(user.sawDialog);
    EXPECT_EQ(user.highlighted, "fake_beta");
    EXPECT_EQ(ReadDefaultSource(), Installed(BETA));
}

TEST_F(ManagerTest, UserSelectOkReturnsAndRemembersTheChoice) {
    WriteDefaultSource(Installed(BETA).c_str());
    DialogUser user = {0, "FAKE_GAMMA", IDOK, false, ""};
    TW_IDENTITY chosen;
    ASSERT_EQ(UserSelect(app, user, chosen), TWRC_SUCCESS);
    EXPECT_TRUE(user.sawDialog);
    EXPECT_EQ(Name(chosen), "FAKE_GAMMA");
    EXPECT_STREQ(chosen.Manufacturer, "QX tests");
    EXPECT_EQ(lstrcmpiA(ReadDefaultSource().c_str(), Installed(GAMMA).c_str()), 0) << ReadDefaultSource();

    TW_IDENTITY identity = {};
    ASSERT_EQ(CallManager(app, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &identity), TWRC_SUCCESS);
    EXPECT_EQ(Name(identity), "FAKE_GAMMA");
}

}  // namespace
