// The Windows means of port access, under Wine (an NT-family system): direct
// port instructions without privilege fault, and a missing driver DLL, must
// both end as a scanner that is not found, never as a crash.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win32/profile_settings.h"
#include "source/scanner/link.h"
#include "source/scanner/win32/port_access_win32.h"

namespace {

// The prefix is shared with the other test executables: the installed
// settings are put back after each test.
class PortAccessWin32 : public ::testing::Test {
protected:
    char savedAccess[64] = {};
    char savedDriver[MAX_PATH] = {};
    void SetUp() override {
        ReadSettingString(SOURCE_SECTION, "PORT_ACCESS", "", savedAccess, sizeof savedAccess);
        ReadSettingString(SOURCE_SECTION, "PORT_DRIVER", "", savedDriver, sizeof savedDriver);
    }
    void TearDown() override {
        WriteSettingString(SOURCE_SECTION, "PORT_ACCESS", savedAccess[0] != '\0' ? savedAccess : nullptr);
        WriteSettingString(SOURCE_SECTION, "PORT_DRIVER", savedDriver[0] != '\0' ? savedDriver : nullptr);
        ReleasePortDriver();
    }
};

TEST_F(PortAccessWin32, DirectPortsWithoutPrivilegeReadAsNoScanner) {
    WriteSettingString(SOURCE_SECTION, "PORT_ACCESS", "direct");
    ScopedScannerPort port;
    EXPECT_FALSE(port.Available());
    InitialiseLink();
    EXPECT_EQ(linkState.dataPort, 0x3BC);  // nothing answers the probe
    EXPECT_EQ(SelectScanner(), 0);
}

TEST_F(PortAccessWin32, MissingDriverReadsAsNoScanner) {
    WriteSettingString(SOURCE_SECTION, "PORT_ACCESS", "DRIVER");
    WriteSettingString(SOURCE_SECTION, "PORT_DRIVER", "no_such_port_driver.dll");
    ScopedScannerPort port;
    EXPECT_FALSE(port.Available());
    InitialiseLink();
    EXPECT_EQ(SelectScanner(), 0);
}

TEST_F(PortAccessWin32, ADllWithoutThePortInterfaceIsRefused) {
    WriteSettingString(SOURCE_SECTION, "PORT_DRIVER", "kernel32.dll");
    ScopedScannerPort port;  // NT family: the driver by default
    EXPECT_FALSE(port.Available());
}

}  // namespace
