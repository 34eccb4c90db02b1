// The road of one scan: an application acquires through our source
// manager, the real data source (installed in the prefix) previews and
// scans with the virtual scanner as its port driver, MSG_XFERREADY comes
// back through MSG_PROCESSEVENT, and the picture is taken by native and by
// memory transfer. What the picture must hold is predicted from the virtual
// scanner's frame picture and model, with the source's arithmetic (scan
// parameters, tone table, colour correction, placing) written out here
// rather than run from the code under test.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/win32/profile_settings.h"
#include "simulator/scanner_config.h"
#include "simulator/virtual_scanner.h"
#include "source/imaging/tone_curves.h"
#include "source/resources/resource_ids.h"
#include "source/scanner/win32/user_messages.h"
#include "source/ui/win32/main_window_state.h"
#include "tests/host/twain_app.h"
#include "tests/scan_prediction.h"
#include "tests/win32/prefix_paths.h"
#include "tests/win32/test_support.h"

namespace {

constexpr char SOURCE_NAME[] = "VANTERA QX-52 32Bit";

// The strip's film type: record 7, Color Reversal ISO 100.
constexpr int STRIP_FILM_RECORD = 7;
constexpr char STRIP_FILM_NUMBER[] = "7";

// Bytes `offset` .. `offset` + `count` - 1 of the installed English film
// parameter file.
std::vector<uint8_t> FilmFileBytes(size_t offset, size_t count) {
    std::vector<uint8_t> bytes(count);
    std::FILE* file = std::fopen(Installed("fpara_en.spm").c_str(), "rb");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return bytes;
    EXPECT_EQ(std::fseek(file, static_cast<long>(offset), SEEK_SET), 0);
    EXPECT_EQ(std::fread(bytes.data(), 1, count, file), count);
    std::fclose(file);
    return bytes;
}

// The source's correction of one pixel of reversal film with its curves at
// their defaults: the positive film's tone table, then the pull of one
// sample toward another and the spread away from the smallest, each
// followed by a clamp to 0..255.
void CorrectReversalPixel(uint8_t rgb[3]) {
    int x[3] = {POSITIVE_TONE_TABLE[rgb[0]], POSITIVE_TONE_TABLE[rgb[1]], POSITIVE_TONE_TABLE[rgb[2]]};
    // Orderings high >= middle >= low in the order they are tried, and for
    // the pull the sample changed and the two whose difference moves it.
    struct Row {
        int high, middle, low, changed, from, to;
    };
    constexpr Row ROWS[] = {{0, 1, 2, 1, 0, 1}, {0, 2, 1, 1, 0, 2}, {1, 0, 2, 0, 1, 0},
                            {1, 2, 0, 0, 1, 2}, {2, 1, 0, 1, 2, 1}, {2, 0, 1, 1, 2, 0}};
    auto order = [&] {
        for (const Row& row : ROWS) {
            if (x[row.high] >= x[row.middle] && x[row.middle] >= x[row.low]) return row;
        }
        return ROWS[0];
    };
    auto clamp = [&] {
        for (int& v : x) v = std::clamp(v, 0, 255);
    };
    Row pull = order();
    x[pull.changed] += (x[pull.from] - x[pull.to]) * -30 / 120;
    clamp();
    Row spread = order();
    int low = x[spread.low];
    x[spread.high] += (x[spread.high] - low) / 4;
    x[spread.middle] += (x[spread.middle] - low) / 4;
    clamp();
    for (int c = 0; c < 3; ++c) rgb[c] = static_cast<uint8_t>(x[c]);
}

// A scan as the source must plan it: the picture's size, the scanner's
// resolution and window corner (scanner units), whether the picture is
// turned a quarter (line L then is row L, pixel i column width - 1 - i,
// instead of column L and row i), and the exposure bias (positive film:
// the scanner's exposure times 2^bias).
struct ScanPlan {
    uint32_t width, height;
    uint16_t resolution;
    int32_t windowLeft, windowTop;
    bool quarterTurn;
    double exposureBias;
};

// The whole 35 mm frame at 600 x 400: resolution trunc((600 x 1770 - 1) /
// 2400 + 1) = 443 over the preview window (76, 90, 2400 x 1600).
constexpr ScanPlan WHOLE_FRAME = {600, 400, 443, 76, 90, false, 0.0};

// The picture (40-byte header and pixels) that the source must deliver for
// `plan` from the strip of strip.cfg scanned as film type 7 at 200 dpi.
std::vector<uint8_t> ExpectedPicture(const ScanPlan& plan) {
    ScannerConfig config;
    std::string error;
    EXPECT_TRUE(LoadScannerConfig(Installed("strip.cfg"), config, error)) << error;
    EXPECT_EQ(config.filmKind, 'R');

    // The record: a positive film with the letter 'P'; its offsets on the
    // scanner's positive calibration block, saturating at 0 and 255.
    std::vector<uint8_t> record = FilmFileBytes(32 + 60 * (STRIP_FILM_RECORD - 1), 60);
    EXPECT_EQ(record[34], 0);
    EXPECT_EQ(record[59], 'P');
    VirtualScanner scanner;
    VirtualScannerInit(scanner, config);
    uint8_t* parameters = scanner.setup.parameters;
    for (size_t i = 0; i < 20; ++i) {
        int value = config.calibrationPositive[i] + static_cast<int8_t>(record[39 + i]);
        parameters[i] = static_cast<uint8_t>(std::clamp(value, 0, 255));
    }
    // Exposure A (byte 19) scaled by 2^bias, B (byte 18) in proportion, both
    // within 1..255; a letter other than 'N' sends them so, raised to 5.
    int a = std::max<int>(parameters[19], 1), b = std::max<int>(parameters[18], 1);
    int t1 = std::clamp(static_cast<int>(a * std::pow(2.0, plan.exposureBias)), 1, 255);
    int t2 = std::clamp(static_cast<int>(b * static_cast<double>(t1) / a), 1, 255);
    
    parameters[19] = static_cast<uint8_t>(std::max(t1, 5));
    parameters[18] = static_cast<uint8_t>(std::max(t2, 5));
    scanner.setup.parametersSet = true;
    scanner.setup.mode[3] = parameters[19];
    scanner.setup.mode[4] = parameters[18];
    scanner.setup.modeSet = true;

    // Lines cross the film along its length, after two priming lines; the
    // picture is stored bottom-up, blue first.
    const uint32_t row = (plan.width * 3 + 3) / 4 * 4;
    const uint32_t lines = plan.quarterTurn ? plan.height : plan.width;
    const uint32_t pixels = plan.quarterTurn ? plan.width : plan.height;
    std::vector<uint8_t> image(40 + size_t{row} * plan.height, 0);
    uint8_t* header = image.data();
    if (header == nullptr) return image;
    WriteLe32(header + 0, 40);
    WriteLe32(header + 4, plan.width);
    WriteLe32(header + 8, plan.height);
    header[12] = 1;
    header[14] = 24;
    WriteLe32(header + 20, row * plan.height);
    WriteLe32(header + 24, 7874);  // 200 dpi
    WriteLe32(header + 28, 7874);
    for (uint32_t line = 0; line < lines; ++line) {
        for (uint32_t pixel = 0; pixel < pixels; ++pixel) {
            uint8_t rgb[3];
            PredictScanSample(scanner, plan.windowLeft, plan.windowTop, plan.resolution, line + 2, pixel, rgb);
            CorrectReversalPixel(rgb);
            uint32_t x = plan.quarterTurn ? plan.width - 1 - pixel : line;
            uint32_t y = plan.quarterTurn ? line : pixel;
            uint8_t* bgr = image.data() + 40 + (plan.height - 1 - y) * row + x * 3;
            bgr[0] = rgb[2];
            bgr[1] = rgb[1];
            bgr[2] = rgb[0];
        }
    }
    return image;
}

// Empty when `got` (at least expected.size() bytes) holds `expected`;
// otherwise the first offset that differs and eight bytes of each from
// there, in hex.
std::string FirstDifference(const uint8_t* got, const std::vector<uint8_t>& expected) {
    size_t at = 0;
    while (at < expected.size() && got[at] == expected[at]) ++at;
    if (at == expected.size()) return "";
    auto hex = [&](const uint8_t* bytes) {
        std::string out;
        char two[4];
        for (size_t i = at; i < std::min(expected.size(), at + 8); ++i) {
            std::snprintf(two, sizeof two, "%02X ", bytes[i]);
            out += two;
        }
        return out;
    };
    return "first difference at offset " + std::to_string(at) + ": got " + hex(got) + "expected " +
           hex(expected.data());
}

// Presses Escape in the progress window as soon as it exists, then closes
// the "Scanning stopped !" box. Answers 0 when it did both.
DWORD WINAPI PressEscapeThenCloseTheMessage(LPVOID) {
    for (int i = 0; i < 1000; ++i) {
        HWND progress = FindWindowA(SOURCE_CLASS_NAME, SCANNING_CAPTION);
        if (progress != nullptr) {
            PostMessageA(progress, WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        }
        Sleep(10);
    }
    // Then close the "Scanning stopped !" box.
    for (int i = 0; i < 1000; ++i) {
        HWND box = FindWindowA("#32770", MESSAGE_CAPTION);
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
        WriteSettingString(SOURCE_SECTION, "FILMNUMBER", STRIP_FILM_NUMBER);
        ASSERT_TRUE(LoadManager(app, "End to end test"));
        ASSERT_EQ(OpenManager(app), TWRC_SUCCESS);
        ASSERT_EQ(OpenSource(app, SOURCE_NAME), TWRC_SUCCESS);
        ASSERT_EQ(EnableSource(app, true), TWRC_SUCCESS);
        scanWindow = FindWindowA(SOURCE_CLASS_NAME, PREVIEW_CAPTION);
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
    void Mouse(UINT message, WPARAM keys, int x, int y) {
        SendMessageA(scanWindow, message, keys, MAKELPARAM(x, y));
    }
    std::string Field(int id) {
        char text[32] = {};
        GetDlgItemTextA(scanWindow, id, text, sizeof text);
        return text;
    }
    // The picture taken by native transfer must be `expected` (header and
    // rows); the block is the application's, freed here, and the transfer
    // ended.
    void TakeNativeTransferAndCompare(const std::vector<uint8_t>& expected) {
        TW_UINT32 handle = 0;
        ASSERT_EQ(Image(DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_XFERDONE);
        auto picture = reinterpret_cast<HGLOBAL>(static_cast<UINT_PTR>(handle));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(GlobalSize(picture), expected.size());
        const auto* dib = static_cast<const uint8_t*>(GlobalLock(picture));
        if (dib != nullptr && GlobalSize(picture) == expected.size()) {
            EXPECT_EQ(FirstDifference(dib, expected), "") << "the picture differs from the prediction";
        }
        GlobalUnlock(picture);
        GlobalFree(picture);
        EndTransfer();
    }
    void EndTransfer() {
        TW_PENDINGXFERS pending = {};
        EXPECT_EQ(Control(DAT_PENDINGXFERS, MSG_ENDXFER, &pending), TWRC_SUCCESS);
        EXPECT_EQ(pending.Count, 0);
    }
};

TEST_F(EndToEnd, PreviewThenScanGivesThePictureByNativeAndByMemoryTransfer) {
    std::vector<uint8_t> expected = ExpectedPicture(WHOLE_FRAME);
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

    TakeNativeTransferAndCompare(expected);

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

// The photographer's road: a preview, a quarter turn, the frame's left
// edge dragged 40 preview pixels in, a width of 150 typed, the exposure a
// page brighter. Turned, the 160 x 240 frame at (59, 15) shows the film's
// height across, its left edge the film's bottom: the crop keeps film rows
// 0..119, window (76, 90) 2400 x 1200. At 2.5 output pixels per preview
// pixel that is 300 x 600, and 150 typed keeps the aspect: 150 x 300, so
// 300 lines cross the film at trunc((300 x 1770 - 1) / 2400 + 1) = 222 dpi.
// The exposure at 250 is a bias of +0.5 on positive film.
TEST_F(EndToEnd, CropRotationSizeAndExposureReachThePicture) {
    constexpr ScanPlan plan = {150, 300, 222, 76, 90, true, 0.5};
    std::vector<uint8_t> expected = ExpectedPicture(plan);

    PostMessageA(scanWindow, WM_COMMAND, CMD_PREVIEW, 0);
    EXPECT_EQ(PumpMessages(app, 2000), MSG_NULL);
    SendMessageA(scanWindow, WM_COMMAND, CMD_ROTATE, 0);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 59, 135);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 60, 135);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 99, 135);
    Mouse(WM_LBUTTONUP, 0, 99, 135);
    Mouse(WM_MOUSEMOVE, 0, 99, 135);
    EXPECT_EQ(Field(EDIT_WIDTH), "300");
    EXPECT_EQ(Field(EDIT_HEIGHT), "600");
    SetDlgItemTextA(scanWindow, EDIT_WIDTH, "150");
    SendDlgItemMessageA(scanWindow, EDIT_WIDTH, EM_SETMODIFY, TRUE, 0);
    SendMessageA(scanWindow, WM_COMMAND, MAKEWPARAM(EDIT_WIDTH, EN_KILLFOCUS), 0);
    EXPECT_EQ(Field(EDIT_HEIGHT), "300");
    HWND exposure = GetDlgItem(scanWindow, SCROLL_EXPOSURE);
    SendMessageA(scanWindow, WM_HSCROLL, SB_PAGERIGHT, reinterpret_cast<LPARAM>(exposure));
    ASSERT_EQ(GetScrollPos(exposure, SB_CTL), 250);

    ASSERT_EQ(ScanAndWait(), MSG_XFERREADY);
    TW_IMAGEINFO info = {};
    ASSERT_EQ(Image(DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
    EXPECT_EQ(info.ImageWidth, 150);
    EXPECT_EQ(info.ImageLength, 300);
    TakeNativeTransferAndCompare(expected);
}

// Runs the KORVEL driver with `mode` ("" for a scan, "--aps" for the index
// sheet) to save `saved`, with our source the manager's default and both
// programs in English; answers its exit code (1 when it did not end).
DWORD RunKorvelDriver(const char* mode, const std::string& saved, const std::string& shots) {
    WriteSettingString(SOURCE_SECTION, "LANGUAGE", "E");
    WriteSettingString(HOST_SECTION, "LANGUAGE", "E");
    char previousDefault[MAX_PATH] = {};
    GetProfileStringA("TWAIN", "Default Source", "", previousDefault, sizeof previousDefault);
    WriteProfileStringA("TWAIN", "Default Source", Installed("qx52ds.ds").c_str());
    std::string command;
    std::vector<std::string> arguments = {WindowsPath(QX_KORVEL_DRIVER)};
    if (mode[0] != '\0') arguments.emplace_back(mode);
    for (const std::string& argument : {WindowsPath(QX_KORVEL), saved, shots}) arguments.push_back(argument);
    for (const std::string& argument : arguments) command.append("\"").append(argument).append("\" ");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    DWORD exitCode = 1;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        if (WaitForSingleObject(process.hProcess, 240000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hProcess);
    }
    WriteProfileStringA("TWAIN", "Default Source", previousDefault[0] != '\0' ? previousDefault : nullptr);
    SetEnvironmentVariableA("QX52SIM_CONFIG", nullptr);
    WritePrivateProfileStringA(SOURCE_SECTION, "LANGUAGE", nullptr, SETTINGS_FILE);
    WritePrivateProfileStringA(HOST_SECTION, "LANGUAGE", nullptr, SETTINGS_FILE);
    return exitCode;
}

std::string TempFolder() {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    return folder;
}

// A coarse grid over the thumbnail of the cell at copy (cellX, cellY) of a
// copied index sheet (`dib`: 576 x 464, its header, rows bottom first): how
// many samples show the empty cell's grey, and a weighted sum of them all
// that tells one picture from another.
struct CellSamples {
    uint32_t grey, sum;
};
CellSamples SampleCell(const uint8_t* dib, uint32_t cellX, uint32_t cellY) {
    CellSamples samples = {0, 0};
    for (uint32_t y = cellY + 20; y < cellY + 56; y += 5) {
        for (uint32_t x = cellX + 20; x < cellX + 90; x += 7) {
            const uint8_t* p = dib + 40 + (463 - y) * 1728 + x * 3;
            samples.sum += p[0] + 3u * p[1] + 7u * p[2];
            if (p[0] == 192 && p[1] == 192 && p[2] == 192) ++samples.grey;
        }
    }
    return samples;
}

// The same road through KORVEL: the driver starts it, acquires (our source
// is the manager's default), previews, scans and saves; the file must be
// the predicted picture behind a bitmap file header.
TEST(EndToEndWithKorvel, TheSavedFileIsThePredictedPicture) {
    InstallStripScannerSettings();
    WriteSettingString(SOURCE_SECTION, "FILMNUMBER", STRIP_FILM_NUMBER);
    std::vector<uint8_t> expected = ExpectedPicture(WHOLE_FRAME);
    std::string folder = TempFolder(), saved = folder + "korvel_end_to_end.bmp";
    ASSERT_EQ(RunKorvelDriver("", saved, folder + "korvel_end_to_end_"), 0u);
    std::vector<uint8_t> bytes = ReadWholeFile(saved);
    DeleteFileA(saved.c_str());
    DeleteFileA((folder + "korvel_end_to_end_scan-window.bmp").c_str());
    DeleteFileA((folder + "korvel_end_to_end_korvel.bmp").c_str());
    ASSERT_EQ(bytes.size(), 14 + expected.size());
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Field(bytes.data() + 2), bytes.size());  // bfSize
    EXPECT_EQ(bytes[10], 54);
    EXPECT_EQ(FirstDifference(bytes.data() + 14, expected), "");
}

// The APS road through KORVEL: the index window auto-scans the holiday
// cartridge and copies its sheet, which KORVEL saves. Every one of the 15
// frames' cells holds a picture of its own; the cells after them stay
// empty, and the legend's corner is plain grey.
TEST(EndToEndWithKorvel, TheIndexSheetArrivesWithEveryFramesPicture) {
    InstallStripScannerSettings();
    SetEnvironmentVariableA("QX52SIM_CONFIG", Installed("qx52sim.cfg").c_str());
    std::string folder = TempFolder(), saved = folder + "korvel_index_sheet.bmp";
    ASSERT_EQ(RunKorvelDriver("--aps", saved, folder + "korvel_index_sheet_"), 0u);
    std::vector<uint8_t> bytes = ReadWholeFile(saved);
    DeleteFileA(saved.c_str());
    DeleteFileA((folder + "korvel_index_sheet_index-window.bmp").c_str());
    DeleteFileA((folder + "korvel_index_sheet_korvel-aps.bmp").c_str());
    ASSERT_EQ(bytes.size(), 14u + 801832u);
    const uint8_t* dib = bytes.data() + 14;
    EXPECT_EQ(Field(dib + 4), 576u);
    EXPECT_EQ(Field(dib + 8), 464u);
    // The sheet's cell n starts at copy x ((n - 1) mod 6) x 96.
    std::vector<uint32_t> sums;
    for (uint32_t frame = 1; frame <= 16; ++frame) {
        CellSamples cell = SampleCell(dib, (frame - 1) % 6 * 96, (frame - 1) / 6 * 66);
        if (frame <= 15) {
            EXPECT_LT(cell.grey, 10u) << "frame " << frame << " has no picture";
            sums.push_back(cell.sum);
        } else {
            EXPECT_GT(cell.grey, 60u) << "frame 16 was never scanned";
        }
    }
    for (size_t i = 0; i < sums.size(); ++i) {
        for (size_t j = i + 1; j < sums.size(); ++j) EXPECT_NE(sums[i], sums[j]) << i + 1 << " and " << j + 1;
    }
    const uint8_t* legend = dib + 40 + (463 - 440) * 1728 + 500 * 3;
    EXPECT_EQ(legend[0], 192);
    EXPECT_EQ(legend[2], 192);
}

// The index window's copy reaches the application through the source
// manager like a scan: MSG_XFERREADY, the image information of the sheet,
// and the 576 x 464 picture by native transfer, frame 1's cell holding its
// thumbnail.
TEST(EndToEndIndexSheet, TheCopyIsTransferredLikeAScan) {
    InstallStripScannerSettings();
    SetEnvironmentVariableA("QX52SIM_CONFIG", Installed("qx52sim.cfg").c_str());
    TwainApp app = {};
    ASSERT_TRUE(LoadManager(app, "End to end test"));
    ASSERT_EQ(OpenManager(app), TWRC_SUCCESS);
    ASSERT_EQ(OpenSource(app, SOURCE_NAME), TWRC_SUCCESS);
    ASSERT_EQ(EnableSource(app, true), TWRC_SUCCESS);
    HWND scan = FindWindowA(SOURCE_CLASS_NAME, PREVIEW_CAPTION);
    ASSERT_NE(scan, nullptr);
    SendMessageA(scan, WM_COMMAND, CMD_INDEX_WINDOW, 0);
    HWND index = FindWindowA(SOURCE_CLASS_NAME, INDEX_CAPTION);
    ASSERT_NE(index, nullptr);
    UpdateWindow(index);
    SendMessageA(index, WM_COMMAND, 9721, 0);  // single scan of frame 1
    PostMessageA(index, WM_COMMAND, 9735, 0);  // copy
    EXPECT_EQ(PumpMessages(app, 30000), MSG_XFERREADY);

    TW_IMAGEINFO info = {};
    EXPECT_EQ(CallManager(app, &app.sourceIdentity, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
    EXPECT_EQ(info.ImageWidth, 576);
    EXPECT_EQ(info.ImageLength, 464);
    TW_UINT32 handle = 0;
    ASSERT_EQ(CallManager(app, &app.sourceIdentity, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_XFERDONE);
    auto picture = reinterpret_cast<HGLOBAL>(static_cast<UINT_PTR>(handle));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(GlobalSize(picture), 801832u);
    const auto* dib = static_cast<const uint8_t*>(GlobalLock(picture));
    ASSERT_NE(dib, nullptr);
    EXPECT_LT(SampleCell(dib, 0, 0).grey, 10u);
    GlobalUnlock(picture);
    GlobalFree(picture);
    TW_PENDINGXFERS pending = {};
    EXPECT_EQ(CallManager(app, &app.sourceIdentity, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending), TWRC_SUCCESS);
    DisableSource(app);
    CloseSource(app);
    CloseManager(app);
    UnloadManager(app);
    SetEnvironmentVariableA("QX52SIM_CONFIG", nullptr);
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
