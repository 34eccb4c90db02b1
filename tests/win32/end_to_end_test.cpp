// The road of one scan: an application acquires through our source
// manager, the real data source (installed in the prefix) previews and
// scans with the virtual scanner as its port driver, MSG_XFERREADY comes
// back through MSG_PROCESSEVENT, and the picture is taken by native and by
// memory transfer. What the picture must hold is computed in this process
// by running the same final scan against the same virtual scanner
// configuration.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/profile_settings.h"
#include "simulator/scanner_config.h"
#include "simulator/virtual_port_access.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/scanner/command_set.h"
#include "source/scanner/final_scan.h"
#include "source/scanner/link.h"
#include "source/scanner/scan_setup.h"
#include "source/ui/scan_settings.h"
#include "tests/host/twain_app.h"
#include "tests/scan_prediction.h"
#include "tests/win32/prefix_paths.h"

namespace {

constexpr char SOURCE_NAME[] = "VANTERA QX-52 32Bit";
constexpr WPARAM CMD_PREVIEW = 201;
constexpr WPARAM CMD_SCAN = 203;

// The 600 x 400 picture of the whole 35 mm frame that the source must
// deliver: the same scan against a virtual scanner of the same
// configuration, with the film record, calibration and tables the source
// uses on a fresh start.
std::vector<uint8_t> ExpectedPicture() {
    ScannerConfig config;
    std::string error;
    EXPECT_TRUE(LoadScannerConfig(Installed("strip.cfg"), config, error)) << error;
    VirtualHarness harness;
    PortAccess access = MakeVirtualPortAccess(harness);
    VirtualScannerInit(harness.scanner, config);
    SetPortAccess(&access);
    InitialiseLink();
    ScannerStatus status;
    ReadStatus(status);
    ReadScannerParameters();

    InitialiseScanSettings({ReadSettingInt, ReadSettingString}, 0);
    EXPECT_EQ(LoadCurrentFilm(1), 1);
    ResetPixelTables();
    FinalScanGeometry geometry;
    EXPECT_TRUE(FinalScanGeometryFor(scanSettings, geometry));
    std::vector<uint8_t> image(geometry.imageBytes);
    WriteTransferHeader(image.data(), geometry, scanSettings.outputResolution);
    FinalScanTarget target = {};
    target.image = image.data();
    target.imageBytes = image.size();
    target.progress = {[](void*, int16_t, int16_t, uint8_t, uint8_t, uint8_t) {}, nullptr};
    EXPECT_EQ(RunFinalScan(target, geometry, 0, false), ScanOutcome::Completed);
    SetPortAccess(nullptr);
    return image;
}

// Presses Escape in the progress window as soon as it exists, then closes
// the "Scanning stopped !" box. Answers 0 when it did both.
DWORD WINAPI PressEscapeThenCloseTheMessage(LPVOID) {
    for (int i = 0; i < 1000; ++i) {
        HWND progress = FindWindowA("QX-52", "  QX-52 Scanning");
        if (progress != nullptr) {
            PostMessageA(progress, WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        }
        Sleep(10);
    }
    // Then close the "Scanning stopped !" box.
    for (int i = 0; i < 1000; ++i) {
        HWND box = FindWindowA("#32770", "QX-52 Information");
        if (box != nullptr) {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}

class EndToEnd : public ::testing::Test {
protected:
    TwainApp app = {};
    HWND scanWindow = nullptr;

    void SetUp() override {
        InstallStripScannerSettings();
        ASSERT_TRUE(LoadManager(app, "End to end test"));
        ASSERT_EQ(OpenManager(app), TWRC_SUCCESS);
        ASSERT_EQ(OpenSource(app, SOURCE_NAME), TWRC_SUCCESS);
        ASSERT_EQ(EnableSource(app, true), TWRC_SUCCESS);
        scanWindow = FindWindowA("QX-52", "  VANTERA QX-52");
        ASSERT_NE(scanWindow, nullptr);
    }
    void TearDown() override {
        if (app.sourceIdentity.Id != 0) {
            DisableSource(app);
            CloseSource(app);
        }
        CloseManager(app);
        UnloadManager(app);
        SetEnvironmentVariableA("QX52SIM_CONFIG", nullptr);
    }
    TW_UINT16 Image(TW_UINT16 dat, TW_UINT16 msg, void* data) {
        return CallManager(app, &app.sourceIdentity, DG_IMAGE, dat, msg, data);
    }
    TW_UINT16 Control(TW_UINT16 dat, TW_UINT16 msg, void* data) {
        return CallManager(app, &app.sourceIdentity, DG_CONTROL, dat, msg, data);
    }
    // Presses Scan in the source's window, as the user does, and waits for
    // the source to say that the picture is ready.
    TW_UINT16 ScanAndWait() {
        PostMessageA(scanWindow, WM_COMMAND, CMD_SCAN, 0);
        return PumpMessages(app, 60000);
    }
    void EndTransfer() {
        TW_PENDINGXFERS pending = {};
        EXPECT_EQ(Control(DAT_PENDINGXFERS, MSG_ENDXFER, &pending), TWRC_SUCCESS);
        EXPECT_EQ(pending.Count, 0);
    }
};

TEST_F(EndToEnd, PreviewThenScanGivesThePictureByNativeAndByMemoryTransfer) {
    std::vector<uint8_t> expected = ExpectedPicture();
    ASSERT_EQ(expected.size(), 40u + 1800u * 400u);

    PostMessageA(scanWindow, WM_COMMAND, CMD_PREVIEW, 0);
    EXPECT_EQ(PumpMessages(app, 2000), MSG_NULL);  // a preview offers nothing
    ASSERT_EQ(ScanAndWait(), MSG_XFERREADY);

    TW_IMAGEINFO info = {};
    ASSERT_EQ(Image(DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
    EXPECT_EQ(info.ImageWidth, 600);
    EXPECT_EQ(info.ImageLength, 400);
    EXPECT_EQ(info.BitsPerPixel, 24);
    EXPECT_EQ(info.XResolution.Whole, 200);

    TW_UINT32 handle = 0;
    ASSERT_EQ(Image(DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_XFERDONE);
    auto picture = reinterpret_cast<HGLOBAL>(static_cast<UINT_PTR>(handle));
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(GlobalSize(picture), expected.size());
    const auto* dib = static_cast<const uint8_t*>(GlobalLock(picture));
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(std::memcmp(dib, expected.data(), expected.size()), 0) << "the picture differs from the prediction";
    GlobalUnlock(picture);
    GlobalFree(picture);  // the application's now
    EndTransfer();

    // Scanning again from state 500: this time one row per memory strip.
    ASSERT_EQ(ScanAndWait(), MSG_XFERREADY);
    TW_SETUPMEMXFER setup = {};
    ASSERT_EQ(Control(DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
    ASSERT_EQ(setup.Preferred, 1800u);
    std::vector<uint8_t> strip(setup.Preferred);
    TW_UINT16 rc = TWRC_SUCCESS;
    for (uint32_t row = 0; row < 400 && rc == TWRC_SUCCESS; ++row) {
        TW_IMAGEMEMXFER transfer = {};
        transfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
        transfer.Memory.Length = static_cast<TW_UINT32>(strip.size());
        transfer.Memory.TheMem = strip.data();
        rc = Image(DAT_IMAGEMEMXFER, MSG_GET, &transfer);
        ASSERT_TRUE(rc == TWRC_SUCCESS || rc == TWRC_XFERDONE) << row;
        ASSERT_EQ(transfer.YOffset, row);
        // Strips run from the top, red first; the DIB stores them bottom-up.
        const uint8_t* stored = expected.data() + 40 + (399 - row) * 1800;
        for (uint32_t x = 0; x < 600; ++x) {
            ASSERT_EQ(strip[x * 3], stored[x * 3 + 2]) << row << "," << x;
            ASSERT_EQ(strip[x * 3 + 1], stored[x * 3 + 1]) << row << "," << x;
            ASSERT_EQ(strip[x * 3 + 2], stored[x * 3]) << row << "," << x;
        }
        if (row == 399) {
            EXPECT_EQ(rc, TWRC_XFERDONE);
        }
    }
    EndTransfer();
}

// The same road through KORVEL: the driver starts it, acquires (our source
// is the manager's default), previews, scans and saves; the file must be
// the predicted picture behind a bitmap file header.
TEST(EndToEndWithKorvel, TheSavedFileIsThePredictedPicture) {
    InstallStripScannerSettings();
    WriteSettingString(SOURCE_SECTION, "FILMNUMBER", "1");
    WriteSettingString(SOURCE_SECTION, "LANGUAGE", "E");
    WriteSettingString(HOST_SECTION, "LANGUAGE", "E");
    char previousDefault[MAX_PATH] = {};
    GetProfileStringA("TWAIN", "Default Source", "", previousDefault, sizeof previousDefault);
    WriteProfileStringA("TWAIN", "Default Source", Installed("qx52ds.ds").c_str());
    std::vector<uint8_t> expected = ExpectedPicture();

    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    std::string saved = std::string(folder) + "korvel_end_to_end.bmp";
    std::string command;
    for (const std::string& argument : {WindowsPath(QX_KORVEL_DRIVER), WindowsPath(QX_KORVEL), saved,
                                        std::string(folder).append("korvel_end_to_end_")}) {
        command.append("\"").append(argument).append("\" ");
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    CloseHandle(process.hThread);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 150000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    WriteProfileStringA("TWAIN", "Default Source", previousDefault[0] != '\0' ? previousDefault : nullptr);
    SetEnvironmentVariableA("QX52SIM_CONFIG", nullptr);
    WritePrivateProfileStringA(SOURCE_SECTION, "LANGUAGE", nullptr, SETTINGS_FILE);
    WritePrivateProfileStringA(HOST_SECTION, "LANGUAGE", nullptr, SETTINGS_FILE);
    ASSERT_EQ(exitCode, 0u);

    HANDLE file = CreateFileA(saved.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<uint8_t> bytes(14 + expected.size() + 1);
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    DeleteFileA(saved.c_str());
    DeleteFileA((std::string(folder) + "korvel_end_to_end_scan-window.bmp").c_str());
    DeleteFileA((std::string(folder) + "korvel_end_to_end_korvel.bmp").c_str());
    ASSERT_EQ(read, 14 + expected.size());
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Field(bytes.data() + 2), read);  // bfSize
    EXPECT_EQ(bytes[10], 54);
    EXPECT_EQ(std::memcmp(bytes.data() + 14, expected.data(), expected.size()), 0);
}

TEST_F(EndToEnd, AStoppedScanOffersNothing) {
    HANDLE presser = CreateThread(nullptr, 0, PressEscapeThenCloseTheMessage, nullptr, 0, nullptr);
    PostMessageA(scanWindow, WM_COMMAND, CMD_SCAN, 0);
    // The scan runs inside the pump; once the box is closed nothing follows.
    for (int i = 0; i < 60 && WaitForSingleObject(presser, 0) == WAIT_TIMEOUT; ++i) {
        EXPECT_EQ(PumpMessages(app, 250), MSG_NULL);
    }
    EXPECT_EQ(PumpMessages(app, 500), MSG_NULL);
    DWORD boxClosed = 1;
    GetExitCodeThread(presser, &boxClosed);
    CloseHandle(presser);
    EXPECT_EQ(boxClosed, 0u);
    TW_UINT32 handle = 0;
    EXPECT_EQ(Image(DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_FAILURE);  // still in state 500
}

}  // namespace
