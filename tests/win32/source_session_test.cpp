// The real data source driven through our source manager, as an application
// drives it: listed, opened, enabled, its window's close request arriving
// through MSG_PROCESSEVENT, disabled and closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "source/resources/resource_ids.h"
#include "tests/host/twain_app.h"

namespace {

constexpr char SOURCE_NAME[] = "VANTERA QX-52 32Bit";

class SourceSession : public ::testing::Test {
protected:
    TwainApp app = {};
    void SetUp() override {
        ASSERT_TRUE(LoadManager(app, "Session test"));
        ASSERT_EQ(OpenManager(app), TWRC_SUCCESS);
    }
    void TearDown() override {
        if (app.sourceIdentity.Id != 0) {
            DisableSource(app);
            CloseSource(app);
        }
        CloseManager(app);
        UnloadManager(app);
    }
};

TEST_F(SourceSession, TheManagerListsTheSource) {
    std::vector<TW_IDENTITY> sources;
    ASSERT_EQ(ListSources(app, sources), TWRC_SUCCESS);
    bool found = false;
    for (const TW_IDENTITY& identity : sources) {
        if (std::strcmp(identity.ProductName, SOURCE_NAME) == 0) {
            found = true;
            EXPECT_STREQ(identity.Manufacturer, "VANTERA OPTICAL Co., Ltd.");
            EXPECT_EQ(identity.SupportedGroups, DG_CONTROL | DG_IMAGE | DF_DS2);
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(SourceSession, ClosingTheScanWindowAsksTheApplicationToClose) {
    ASSERT_EQ(OpenSource(app, SOURCE_NAME), TWRC_SUCCESS);
    EXPECT_NE(app.sourceIdentity.Id, 0u);
    TW_IDENTITY identity = {};
    ASSERT_EQ(CallManager(app, &app.sourceIdentity, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity), TWRC_SUCCESS);
    EXPECT_EQ(identity.Id, app.sourceIdentity.Id);  // the source keeps the manager's Id

    ASSERT_EQ(EnableSource(app, true), TWRC_SUCCESS);
    HWND window = FindWindowA(SOURCE_CLASS_NAME, PREVIEW_CAPTION);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(PumpMessages(app, 200), MSG_NULL);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(PumpMessages(app, 5000), MSG_CLOSEDSREQ);
    EXPECT_TRUE(IsWindow(window));  // it waits for the application

    ASSERT_EQ(DisableSource(app), TWRC_SUCCESS);
    ASSERT_EQ(CloseSource(app), TWRC_SUCCESS);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(SourceSession, ASecondOpenOfTheSameSourceIsRefused) {
    ASSERT_EQ(OpenSource(app, SOURCE_NAME), TWRC_SUCCESS);
    TwainApp second = {};
    ASSERT_TRUE(LoadManager(second, "Second application"));
    ASSERT_EQ(OpenManager(second), TWRC_SUCCESS);
    // The manager either refuses by itself or passes the source's refusal on;
    // either way the first application keeps its session.
    EXPECT_NE(OpenSource(second, SOURCE_NAME), TWRC_SUCCESS);
    CloseManager(second);
    UnloadManager(second);
    ASSERT_EQ(EnableSource(app, true), TWRC_SUCCESS);
}

}  // namespace
