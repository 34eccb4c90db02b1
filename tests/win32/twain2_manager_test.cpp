// The data source under a TWAIN 2 source manager: a small manager here loads
// the installed qx52ds.ds, hands over its entry points before opening it,
// and records what reaches its DSM_Entry and its memory functions. The
// source must notify through that DSM_Entry, build its replies with that
// allocator, and never load TWAIN_32.DLL; once closed it must forget both.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/twain_records.h"
#include "source/resources/resource_ids.h"
#include "source/ui/win32/main_window_state.h"
#include "tests/win32/prefix_paths.h"

namespace {

struct Notification {
    TW_UINT32 originId;
    TW_UINT32 destinationId;
    TW_UINT16 dataArgType;
    TW_UINT16 message;
};

std::vector<Notification> notifications;
std::vector<HGLOBAL> allocated;  // by TestMemAllocate, in order
std::vector<HGLOBAL> freed;

TW_UINT16 TW_CALLINGSTYLE TestDsmEntry(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_UINT32, TW_UINT16 dat,
                                       TW_UINT16 msg, TW_MEMREF) {
    notifications.push_back({origin != nullptr ? origin->Id : 0, destination != nullptr ? destination->Id : 0, dat, msg});
    return TWRC_SUCCESS;
}
TW_HANDLE TW_CALLINGSTYLE TestMemAllocate(TW_UINT32 size) {
    HGLOBAL block = GlobalAlloc(GHND, size);
    allocated.push_back(block);
    return block;
}
void TW_CALLINGSTYLE TestMemFree(TW_HANDLE handle) {
    freed.push_back(handle);
    GlobalFree(handle);
}
TW_MEMREF TW_CALLINGSTYLE TestMemLock(TW_HANDLE handle) { return GlobalLock(handle); }
void TW_CALLINGSTYLE TestMemUnlock(TW_HANDLE handle) { GlobalUnlock(handle); }

bool HasNotification(TW_UINT16 message) {
    return std::any_of(notifications.begin(), notifications.end(),
                       [&](const Notification& n) { return n.message == message; });
}

class Twain2Manager : public ::testing::Test {
protected:
    HMODULE library = nullptr;
    DSENTRYPROC entry = nullptr;
    TW_IDENTITY app = {};
    TW_IDENTITY source = {};
    TW_ENTRYPOINT entryPoints = {sizeof(TW_ENTRYPOINT), TestDsmEntry, TestMemAllocate, TestMemFree,
                                 TestMemLock, TestMemUnlock};

    void SetUp() override {
        ASSERT_EQ(GetModuleHandleA("TWAIN_32.DLL"), nullptr) << "the test process must not hold the 1.x manager";
        notifications.clear();
        allocated.clear();
        freed.clear();
        InstallStripScannerSettings();
        library = LoadLibraryA(Installed("qx52ds.ds").c_str());
        ASSERT_NE(library, nullptr) << "qx52ds.ds is not installed in the prefix";
        entry = reinterpret_cast<DSENTRYPROC>(reinterpret_cast<void*>(GetProcAddress(library, "DS_Entry")));
        ASSERT_NE(entry, nullptr);
        app.Id = 11;
        app.ProtocolMajor = 2;
        app.SupportedGroups = DG_CONTROL | DG_IMAGE | DF_APP2;
        source.Id = 5;
        std::strcpy(source.ProductName, "VANTERA QX-52 32Bit");
    }
    void TearDown() override {
        if (library != nullptr) {
            entry(&app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr);
            FreeLibrary(library);
        }
        Pump(0);
        InstallStripScannerSettings();
    }
    TW_UINT16 Control(TW_UINT16 dat, TW_UINT16 msg, void* data) { return entry(&app, DG_CONTROL, dat, msg, data); }
    TW_UINT16 Status() {
        TW_STATUS status = {0xFFFF, 0};
        EXPECT_EQ(Control(DAT_STATUS, MSG_GET, &status), TWRC_SUCCESS);
        return status.ConditionCode;
    }
    // Dispatches messages until `message` has reached the test manager or
    // `milliseconds` have passed.
    void Pump(DWORD milliseconds, TW_UINT16 message = MSG_NULL) {
        DWORD start = GetTickCount();
        do {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
            if (message != MSG_NULL && HasNotification(message)) return;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        } while (GetTickCount() - start < milliseconds);
    }
    HWND OpenAndEnable() {
        EXPECT_EQ(Control(DAT_IDENTITY, MSG_OPENDS, &source), TWRC_SUCCESS);
        TW_USERINTERFACE ui = {1, 0, nullptr};
        EXPECT_EQ(Control(DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_SUCCESS);
        return FindWindowA(SOURCE_CLASS_NAME, PREVIEW_CAPTION);
    }
};

TEST_F(Twain2Manager, IdentityReportsTwain2AndBadEntryPointRecordsAreRefused) {
    TW_IDENTITY identity = {};
    ASSERT_EQ(Control(DAT_IDENTITY, MSG_GET, &identity), TWRC_SUCCESS);
    EXPECT_EQ(identity.SupportedGroups, 0x40000003u);  // DF_DS2 | DG_IMAGE | DG_CONTROL

    EXPECT_EQ(Control(DAT_ENTRYPOINT, MSG_GET, &entryPoints), TWRC_FAILURE);
    EXPECT_EQ(Status(), TWCC_BADPROTOCOL);
    EXPECT_EQ(Control(DAT_ENTRYPOINT, MSG_SET, nullptr), TWRC_FAILURE);
    EXPECT_EQ(Status(), TWCC_BADVALUE);
    TW_ENTRYPOINT shortRecord = entryPoints;
    shortRecord.Size = 20;  // a record without DSM_MemUnlock
    EXPECT_EQ(Control(DAT_ENTRYPOINT, MSG_SET, &shortRecord), TWRC_FAILURE);
    EXPECT_EQ(Status(), TWCC_BADVALUE);

    // None of them was kept: the close request goes the 1.x way, not here.
    HWND window = OpenAndEnable();
    ASSERT_NE(window, nullptr);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(notifications.empty());
}

TEST_F(Twain2Manager, NotificationsAndRepliesGoThroughTheManagersEntryPoints) {
    ASSERT_EQ(Control(DAT_ENTRYPOINT, MSG_SET, &entryPoints), TWRC_SUCCESS);
    HWND window = OpenAndEnable();
    ASSERT_NE(window, nullptr);

    TW_CAPABILITY capability = {ICAP_PIXELTYPE, TWON_DONTCARE16, nullptr};
    ASSERT_EQ(Control(DAT_CAPABILITY, MSG_GET, &capability), TWRC_SUCCESS);
    ASSERT_EQ(allocated.size(), 1u);
    EXPECT_EQ(capability.hContainer, allocated[0]);
    TestMemFree(capability.hContainer);

    PostMessageA(window, WM_COMMAND, CMD_SCAN, 0);
    Pump(60000, MSG_XFERREADY);
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(notifications.size(), 2u);
    EXPECT_EQ(notifications[0].message, MSG_XFERREADY);
    EXPECT_EQ(notifications[1].message, MSG_CLOSEDSREQ);
    for (const Notification& n : notifications) {
        EXPECT_EQ(n.originId, 5u);
        EXPECT_EQ(n.destinationId, 11u);
        EXPECT_EQ(n.dataArgType, DAT_NULL);
    }
    // The picture stays a global block the application frees itself.
    TW_UINT32 handle = 0;
    ASSERT_EQ(entry(&app, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_XFERDONE);
    EXPECT_EQ(allocated.size(), 1u);
    GlobalFree(reinterpret_cast<HGLOBAL>(static_cast<UINT_PTR>(handle)));
    EXPECT_EQ(GetModuleHandleA("TWAIN_32.DLL"), nullptr);

    // Closed, the source forgets them: a 1.x session after it gets global
    // blocks, and nothing reaches this manager.
    ASSERT_EQ(Control(DAT_IDENTITY, MSG_CLOSEDS, nullptr), TWRC_SUCCESS);
    notifications.clear();
    window = OpenAndEnable();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(Control(DAT_CAPABILITY, MSG_GET, &capability), TWRC_SUCCESS);
    EXPECT_EQ(allocated.size(), 1u);
    EXPECT_NE(GlobalSize(capability.hContainer), 0u);
    GlobalFree(capability.hContainer);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(notifications.empty());
}

}  // namespace
