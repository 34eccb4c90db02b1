// The Windows means of port access, under Wine (an NT-family system): direct
// port instructions without privilege fault, and a missing driver DLL, must
// both end as a scanner that is not found, never as a crash.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/profile_settings.h"
#include "source/scanner/link.h"
#include "source/scanner/port_access_win32.h"

namespace {

class PortAccessWin32 : public ::testing::Test {
protected:
    void TearDown() override {
        WriteSettingString(SOURCE_SECTION, "PORT_ACCESS", nullptr);
        WriteSettingString(SOURCE_SECTION, "PORT_DRIVER", nullptr);
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
