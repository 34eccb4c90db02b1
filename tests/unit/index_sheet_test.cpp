// The index window's model: where clicks land on the sheet, the auto scan's
// walk through a cartridge, and the sheet's picture for the application.
#include <gtest/gtest.h>

#include <vector>

#include "source/aps/index_sheet.h"
#include "source/library_state.h"
#include "source/scanner/scanner_check.h"
#include "tests/scan_prediction.h"

namespace {

// Cell of frame n: x = ((n - 1) mod 6) x 96 + 48, y = ((n - 1) div 6) x 66.
TEST(IndexSheet, ClicksFindTheirFrame) {
    EXPECT_EQ(FrameAtNumberTag(48 + 3, 3), 1);
    EXPECT_EQ(FrameAtNumberTag(48 + 14, 14), 1);
    EXPECT_EQ(FrameAtNumberTag(48 + 15, 14), 0);
    EXPECT_EQ(FrameAtNumberTag(48 + 2, 3), 0);
    EXPECT_EQ(FrameAtNumberTag(48 + 5 * 96 + 3, 5 * 66 + 3), 36);
    // Frame 41's place (seventh row, fifth column) holds no frame.
    EXPECT_EQ(FrameAtNumberTag(48 + 4 * 96 + 5, 6 * 66 + 5), 0);
    EXPECT_EQ(FrameAtNumberTag(10, 5), 0);  // the toolbar strip
    EXPECT_EQ(FrameAtNumberTag(48 + 6 * 96 + 5, 5), 0);  // right of the sixth column
    // The thumbnail's inner area of frame 8 (cell 144, 66) only.
    EXPECT_EQ(FrameAtThumbnail(144 + 20, 66 + 20), 8);
    EXPECT_EQ(FrameAtThumbnail(144 + 79, 66 + 49), 8);
    EXPECT_EQ(FrameAtThumbnail(144 + 19, 66 + 30), 0);
    EXPECT_EQ(FrameAtThumbnail(144 + 50, 66 + 50), 0);
}

// A cartridge of `exposures` scanned by a fake that moves the film, marks
// the last frame in the position byte, and stops when told to.
struct FakeCartridge {
    uint8_t exposures;
    uint8_t stopAfter;  // 0: never; else the frame during which STOP is pressed
    uint8_t positionByte = 0;
    std::vector<uint8_t> scanned;
    std::vector<uint32_t> messages;

    FakeCartridge(uint8_t count, uint8_t stopDuring) : exposures(count), stopAfter(stopDuring) {}

    static int32_t Scan(void* c) {
        auto* f = static_cast<FakeCartridge*>(c);
        if (autoScanState == AUTO_SCAN_STOP_REQUESTED || selectedFrame > f->exposures) {
            autoScanState = AUTO_SCAN_IDLE;
            return 0;
        }
        if (autoScanState == AUTO_SCAN_FIRST_FRAME) autoScanState = AUTO_SCAN_RUNNING;
        filmPosition = selectedFrame;
        f->positionByte = static_cast<uint8_t>(selectedFrame | (selectedFrame == f->exposures ? 64 : 0));
        f->scanned.push_back(selectedFrame);
        if (selectedFrame == f->stopAfter) autoScanState = AUTO_SCAN_STOP_REQUESTED;
        return 1;
    }
    AutoScanHooks Hooks() {
        return {Scan, [](void* c, uint32_t id) { static_cast<FakeCartridge*>(c)->messages.push_back(id); },
                [](void* c) { return static_cast<FakeCartridge*>(c)->positionByte; }, this};
    }
};

class AutoScan : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCoreState();
        autoScanState = AUTO_SCAN_FIRST_FRAME;
        selectedFrame = 1;
        filmPosition = 1;
    }
    void TearDown() override { ResetCoreState(); }
};

TEST_F(AutoScan, ScansToTheFilmsEndAndSaysSo) {
    FakeCartridge cartridge(25, 0);
    RunAutoScanLoop(cartridge.Hooks(), false);
    ASSERT_EQ(cartridge.scanned.size(), 25u);
    EXPECT_EQ(cartridge.scanned.back(), 25);
    EXPECT_EQ(cartridge.messages, std::vector<uint32_t>{30130});
}

// STOP during frame 3: that thumbnail is finished, the next scan refuses.
TEST_F(AutoScan, StopFinishesTheFrameThenStops) {
    FakeCartridge cartridge(15, 3);
    RunAutoScanLoop(cartridge.Hooks(), false);
    EXPECT_EQ(cartridge.scanned, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(cartridge.messages, std::vector<uint32_t>{30170});
    EXPECT_EQ(autoScanState, AUTO_SCAN_IDLE);
}

TEST_F(AutoScan, StripFilmScansOneFrameAndMovesTheSelectionOn) {
    FakeCartridge strip(40, 0);
    selectedFrame = 7;
    RunAutoScanLoop(strip.Hooks(), true);
    EXPECT_EQ(strip.scanned, std::vector<uint8_t>{7});
    EXPECT_EQ(selectedFrame, 8);
    EXPECT_TRUE(strip.messages.empty());
    // A film reported past frame 40 is not scanned at all.
    filmPosition = 41;
    FakeCartridge far(40, 0);
    RunAutoScanLoop(far.Hooks(), false);
    EXPECT_TRUE(far.scanned.empty());
}

// Sheet pixel (x, y) = (x, y, x + y) in red, green, blue (low bytes).
TEST(IndexSheetCopy, LeavesOutTheToolbarAndGreysTheLegend) {
    std::vector<uint8_t> sheet(640 * 480 * 3);
    for (uint32_t y = 0; y < 480; ++y) {
        for (uint32_t x = 0; x < 640; ++x) {
            uint8_t* p = &sheet[(y * 640 + x) * 3];
            p[0] = static_cast<uint8_t>(x), p[1] = static_cast<uint8_t>(y), p[2] = static_cast<uint8_t>(x + y);
        }
    }
    std::vector<uint8_t> dib(801832);
    EXPECT_FALSE(CopySheetToDib(sheet.data(), sheet.size() - 1, dib.data(), dib.size(), 200));
    EXPECT_FALSE(CopySheetToDib(sheet.data(), sheet.size(), dib.data(), dib.size() - 1, 200));
    ASSERT_TRUE(CopySheetToDib(sheet.data(), sheet.size(), dib.data(), dib.size(), 200));
    EXPECT_EQ(Field(&dib[4]), 576u);
    EXPECT_EQ(Field(&dib[8]), 464u);
    EXPECT_EQ(Field(&dib[20]), 801792u);
    EXPECT_EQ(Field(&dib[24]), 7874u);  // 200 dpi x 39.37
    auto at = [&](uint32_t x, uint32_t rowFromTop) { return &dib[40 + (463 - rowFromTop) * 1728 + x * 3]; };
    // Copy (0, 0) is sheet (48, 0): blue x + y = 48, green 0, red 48.
    EXPECT_EQ(at(0, 0)[0], 48);
    EXPECT_EQ(at(0, 0)[1], 0);
    EXPECT_EQ(at(0, 0)[2], 48);
    // Copy (385, 463) is still the sheet (433, 463); (386, 397) is legend grey.
    EXPECT_EQ(at(385, 463)[2], static_cast<uint8_t>(433));
    EXPECT_EQ(at(386, 397)[0], 192);
    EXPECT_EQ(at(386, 396)[2], static_cast<uint8_t>(434));
}

}  // namespace
