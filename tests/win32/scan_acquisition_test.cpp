// The scans run by the source's Windows shell, inside this process: the
// shell library and the source's resources are linked in, and the virtual
// scanner answers through the link's port seam on a virtual clock. A hook on
// the port lets a test act while a scan runs (press Escape, look at the
// progress window), as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "simulator/virtual_port_access.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/scan_line.h"
#include "source/imaging/tone_curves.h"
#include "source/scanner/focus.h"
#include "source/scanner/link.h"
#include "source/scanner/win32/scan_acquisition.h"
#include "source/scanner/scan_setup.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/win32/main_window.h"
#include "source/ui/win32/preview_buffers.h"
#include "source/ui/scan_settings.h"
#include "tests/scan_prediction.h"
#include "tests/win32/message_box_watcher.h"

namespace {

constexpr char PROGRESS_CAPTION[] = SCANNING_CAPTION;

// Fine vertical stripes: a frame with something to focus on.
std::shared_ptr<Picture> StripedPicture() {
    auto picture = std::make_shared<Picture>();
    picture->width = 1;
    picture->height = 16;
    for (int y = 0; y < 16; ++y) picture->rgb.insert(picture->rgb.end(), {0, static_cast<uint8_t>(y % 2 ? 250 : 0), 0});
    return picture;
}

int32_t DefaultInt(const char*, const char*, int32_t value) {
    return value;
}
void DefaultString(const char*, const char*, const char* value, char* buffer, size_t size) {
    lstrcpynA(buffer, value, static_cast<int>(size));
}

class ScanAcquisition : public ::testing::Test {
protected:
    VirtualHarness harness;
    PortAccess virtualAccess = {};
    PortAccess hookedAccess = {};
    ScannerConfig config;
    HWND window = nullptr;
    // Called after every port read while a scan runs.
    std::function<void()> hook;

    static void SetUpTestSuite() { RegisterSourceClass(); }

    void SetUp() override {
        ResetSession(GetModuleHandleA(nullptr));
        InitialiseScanSettings({DefaultInt, DefaultString}, 0);
        scanSettings.adapterType = 'N';
        scanSettings.apsAdapter = 0;
        scanSettings.imageRect = {20, 30, 259, 189};
        ResetPixelTables();
        currentFilm.scanLetter = 'R';
        config.adapter = AdapterKind::Strip;
        config.filmKind = 'R';
        config.currentFrame = 1;
        config.frames[1].picture = GradientPicture();
        virtualAccess = MakeVirtualPortAccess(harness);
        hookedAccess.context = this;
        hookedAccess.readPort = [](void* c, uint16_t address) {
            auto* self = static_cast<ScanAcquisition*>(c);
            uint8_t value = self->virtualAccess.readPort(self->virtualAccess.context, address);
            if (self->hook) self->hook();
            return value;
        };
        hookedAccess.writePort = [](void* c, uint16_t address, uint8_t value) {
            auto* self = static_cast<ScanAcquisition*>(c);
            self->virtualAccess.writePort(self->virtualAccess.context, address, value);
        };
        hookedAccess.tickCount = [](void* c) {
            auto* self = static_cast<ScanAcquisition*>(c);
            return self->virtualAccess.tickCount(self->virtualAccess.context);
        };
        hookedAccess.busyLoop = [](void* c, uint32_t iterations) {
            auto* self = static_cast<ScanAcquisition*>(c);
            self->virtualAccess.busyLoop(self->virtualAccess.context, iterations);
        };
        hookedAccess.keyboardSubtype = [](void*) { return int32_t{0}; };
        window = CreateWindowExA(0, "STATIC", "scan window", WS_POPUP | WS_VISIBLE, 0, 0, 520, 300, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        mainWindow = window;
    }
    void TearDown() override {
        hook = nullptr;
        SetPortAccess(nullptr);
        DestroyWindow(window);
        ResetSession(GetModuleHandleA(nullptr));
    }
    // The scanner as it stands after a check: status read, calibration read.
    void StartScanner() {
        VirtualScannerInit(harness.scanner, config);
        SetPortAccess(&hookedAccess);
        InitialiseLink();
        ScannerStatus status;
        ASSERT_EQ(ReadStatus(status), 1);
        ReadScannerParameters();
    }
    void WholeFrameOutput(double width, double height) { SetWholeFrame(scanSettings, width, height); }
    void FlushQueue() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
};

TEST_F(ScanAcquisition, PreviewFillsBothBuffersAndTheWindow) {
    StartScanner();
    PreviewScan(window);
    EXPECT_EQ(harness.scanner.counters.linesRead, 240u);
    EXPECT_TRUE(harness.scanner.violations.empty());
    BYTE* pixels = static_cast<BYTE*>(GlobalLock(previewPixels));
    BYTE* bitmap = static_cast<BYTE*>(GlobalLock(previewBitmap));
    ASSERT_NE(pixels, nullptr);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(Field(bitmap + 4), 240u);
    EXPECT_EQ(Field(bitmap + 8), 160u);
    HDC dc = GetDC(window);
    for (uint32_t line : {0u, 57u, 239u}) {
        for (uint32_t pixel : {0u, 80u, 159u}) {
            SCOPED_TRACE(testing::Message() << line << "," << pixel);
            uint8_t rgb[3];
            PredictScanSample(harness.scanner, 76, 90, 177, line, pixel, rgb);
            // As scanned: row L, column i, blue first.
            const BYTE* stored = pixels + line * 480 + pixel * 3;
            EXPECT_EQ(stored[0], rgb[2]);
            EXPECT_EQ(stored[1], rgb[1]);
            EXPECT_EQ(stored[2], rgb[0]);
            // As shown: corrected, line L in column L of the bottom-up picture.
            CorrectPixel(rgb[0], rgb[1], rgb[2]);
            const BYTE* shown = bitmap + 40 + (159 - pixel) * 720 + line * 3;
            EXPECT_EQ(shown[2], rgb[0]);
            EXPECT_EQ(shown[1], rgb[1]);
            EXPECT_EQ(shown[0], rgb[2]);
            EXPECT_EQ(GetPixel(dc, static_cast<int>(20 + line), static_cast<int>(30 + pixel)),
                      RGB(rgb[0], rgb[1], rgb[2]));
        }
    }
    ReleaseDC(window, dc);
    GlobalUnlock(previewPixels);
    GlobalUnlock(previewBitmap);
}

TEST_F(ScanAcquisition, FinalScanOfTheWholeFrameAt600By400) {
    StartScanner();
    WholeFrameOutput(600, 400);
    scanSettings.outputResolution = 300;
    RECT progressRect = {};
    COLORREF probe = 0;
    bool looked = false;
    hook = [&] {
        if (looked || harness.scanner.counters.linesRead != 50) return;
        looked = true;
        HWND dialog = FindWindowA(SOURCE_WINDOW_CLASS, PROGRESS_CAPTION);
        ASSERT_NE(dialog, nullptr);
        GetWindowRect(dialog, &progressRect);
        HDC dc = GetDC(dialog);
        probe = GetPixel(dc, 14, 14);
        ReleaseDC(dialog, dc);
    };
    EXPECT_EQ(FinalScan(window), 1);
    ASSERT_TRUE(looked);
    EXPECT_EQ(progressRect.left, 0);
    EXPECT_EQ(progressRect.top, 0);
    EXPECT_EQ(progressRect.right, 600);
    EXPECT_EQ(progressRect.bottom, 400 + 32 + GetSystemMetrics(SM_CYMINTRACK));
    EXPECT_EQ(probe, RGB(255, 0, 0));  // the STOP button is up
    EXPECT_EQ(FindWindowA(SOURCE_WINDOW_CLASS, PROGRESS_CAPTION), nullptr);
    EXPECT_TRUE(IsIconic(window));
    EXPECT_EQ(harness.scanner.setup.xResolution, 443);
    EXPECT_EQ(harness.scanner.counters.linesRead, 602u);
    EXPECT_FALSE(harness.scanner.scanning);

    ASSERT_NE(transferImage, nullptr);
    EXPECT_EQ(GlobalSize(transferImage), 40u + 1800u * 400u);
    EXPECT_EQ(GlobalFlags(transferImage) & GMEM_LOCKCOUNT, 1u);  // locked once, for the window to unlock
    const BYTE* dib = static_cast<BYTE*>(GlobalLock(transferImage));
    EXPECT_EQ(Field(dib), 40u);
    EXPECT_EQ(Field(dib + 4), 600u);
    EXPECT_EQ(Field(dib + 8), 400u);
    EXPECT_EQ(dib[14], 24);
    EXPECT_EQ(Field(dib + 20), 1800u * 400u);
    EXPECT_EQ(Field(dib + 24), 11811u);  // 300 dpi
    for (uint32_t line : {0u, 300u, 599u}) {
        for (uint32_t pixel : {0u, 123u, 399u}) {
            SCOPED_TRACE(testing::Message() << line << "," << pixel);
            uint8_t rgb[3];
            PredictScanSample(harness.scanner, 76, 90, 443, line + 2, pixel, rgb);  // after two priming lines
            CorrectPixel(rgb[0], rgb[1], rgb[2]);
            const BYTE* bgr = dib + 40 + (399 - pixel) * 1800 + line * 3;
            EXPECT_EQ(bgr[2], rgb[0]);
            EXPECT_EQ(bgr[1], rgb[1]);
            EXPECT_EQ(bgr[0], rgb[2]);
        }
    }
    GlobalUnlock(transferImage);
    GlobalUnlock(transferImage);
}

TEST_F(ScanAcquisition, EscapeDuringLineTenStopsTheScan) {
    StartScanner();
    WholeFrameOutput(600, 400);
    HWND dialog = nullptr;
    bool ending = false;
    COLORREF probe = 0;
    hook = [&] {
        // Lines 0..9 are in after the two priming lines: line 10 is coming.
        if (dialog == nullptr && harness.scanner.counters.linesRead == 12) {
            dialog = FindWindowA(SOURCE_WINDOW_CLASS, PROGRESS_CAPTION);
            PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        if (dialog != nullptr && !ending && harness.scanner.phase == LinkPhase::EndingScan) {
            ending = true;  // the scan is being ended: the button shows pressed
            HDC dc = GetDC(dialog);
            probe = GetPixel(dc, 14, 14);
            ReleaseDC(dialog, dc);
        }
    };
    MessageBoxWatcher watcher;
    EXPECT_EQ(FinalScan(window), 1);
    const std::vector<std::string>& texts = watcher.Finish();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ending);
    EXPECT_EQ(probe, RGB(128, 0, 0));  // STOP_1's sunken sign
    EXPECT_EQ(harness.scanner.counters.linesRead, 13u);
    EXPECT_FALSE(harness.scanner.scanning);
    EXPECT_EQ(texts, std::vector<std::string>{"Scanning stopped !"});
    EXPECT_EQ(transferImage, nullptr);
}

TEST_F(ScanAcquisition, AClickOutsideTheStopButtonDoesNotStop) {
    StartScanner();
    WholeFrameOutput(60, 40);
    bool clicked = false;
    hook = [&] {
        if (!clicked && harness.scanner.counters.linesRead == 5) {
            clicked = true;
            HWND dialog = FindWindowA(SOURCE_WINDOW_CLASS, PROGRESS_CAPTION);
            PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));  // right of the button
            PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 10));   // on its edge
        }
    };
    EXPECT_EQ(FinalScan(window), 1);
    EXPECT_TRUE(clicked);
    EXPECT_NE(transferImage, nullptr);
}

TEST_F(ScanAcquisition, AScannerGoneDuringTheScanShowsBothMessages) {
    config.faults.goneAfterLines = 30;
    StartScanner();
    WholeFrameOutput(600, 400);
    MessageBoxWatcher watcher;
    EXPECT_EQ(FinalScan(window), 1);
    EXPECT_EQ(watcher.Finish(), (std::vector<std::string>{"Scanning stopped !", "Cannot identify scanner !"}));
    EXPECT_EQ(transferImage, nullptr);

    // The preview the same way.
    MessageBoxWatcher previewWatcher;
    PreviewScan(window);
    EXPECT_EQ(previewWatcher.Finish(), (std::vector<std::string>{"Scanning stopped !", "Cannot identify scanner !"}));
}

TEST_F(ScanAcquisition, AnOutputThatCannotBeScannedIsRefused) {
    StartScanner();
    WholeFrameOutput(65535, 65535);
    MessageBoxWatcher watcher;
    EXPECT_EQ(FinalScan(window), 1);
    EXPECT_EQ(watcher.Finish(), std::vector<std::string>{"Scanning stopped !"});
    EXPECT_EQ(transferImage, nullptr);
    EXPECT_EQ(harness.scanner.counters.linesRead, 0u);
}

TEST_F(ScanAcquisition, FocusShowsTheGaugeUntilAKeyIsPressed) {
    config.frames[1].picture = StripedPicture();
    StartScanner();
    scanSettings.focusLine = 140;  // 120 preview pixels from the image's left edge
    FlushQueue();
    bool pressed = false;
    uint32_t samplesAtPress = 0;
    hook = [&] {
        if (!pressed && harness.scanner.counters.focusSamples == 9) {
            pressed = true;
            samplesAtPress = harness.scanner.counters.focusSamples;
            PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
        }
    };
    RunFocusWithPortHeld(window);
    ASSERT_TRUE(pressed);
    EXPECT_EQ(harness.scanner.focusPosition, 120 * 10 + 76);
    EXPECT_FALSE(harness.scanner.focusing);
    EXPECT_GE(harness.scanner.counters.focusSamples, samplesAtPress);
    EXPECT_LE(harness.scanner.counters.focusSamples, samplesAtPress + 1);
    EXPECT_EQ(harness.scanner.counters.commands[0x31], 2u);  // to the line, and back to the front
    ASSERT_GT(focusLevel, 0);
    HDC dc = GetDC(window);
    // Black up to the level (the first column is where the empty peak mark
    // was cleared), the peak marked red once the level fell below it.
    EXPECT_EQ(GetPixel(dc, GAUGE_LEFT + 1, 240), RGB(0, 0, 0));
    if (focusPeak < focusLevel) {
        EXPECT_EQ(GetPixel(dc, GAUGE_LEFT + focusLevel - 1, 245), RGB(0, 0, 0));
    }
    if (focusPeak > 0) {
        EXPECT_EQ(GetPixel(dc, GAUGE_LEFT + focusPeak, PEAK_TOP), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(dc, GAUGE_LEFT + focusPeak, PEAK_BOTTOM), RGB(255, 0, 0));
    }
    EXPECT_EQ(GetPixel(dc, GAUGE_RIGHT, 240), GetPixel(dc, GAUGE_RIGHT + 2, 240));  // nothing drawn past the gauge
    ReleaseDC(window, dc);
}

}  // namespace
