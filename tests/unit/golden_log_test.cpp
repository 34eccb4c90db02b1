// The host's link, command set and preview scan replayed against port logs
// recorded once from the virtual scanner (tests/unit/golden/): every write
// must match the log, reads and tick counts are answered from it. No
// scanner model takes part, so the host's protocol is checked by something
// other than the simulator that also answers it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/scanner/link.h"
#include "source/scanner/preview_scan.h"
#include "tests/unit/golden_sessions.h"
#include "tests/unit/port_log.h"

namespace {

std::vector<PortOp> Decoded(const std::string& text) {
    std::vector<PortOp> ops;
    std::string error;
    EXPECT_TRUE(DecodePortLog(text, ops, error)) << error;
    return ops;
}

TEST(PortLogFormat, LinesRunsCopiesAndTickDifferences) {
    // Written by hand from the format's description.
    std::vector<PortOp> ops = Decoded(
        "# a comment\n"
        "\n"
        "K 0\n"
        "T +fffffffe\n"
        "T +3 *2\n"
        "W 037a 0c\n"
        "R 0379 78\n"
        "@ 2 5\n");
    std::vector<PortOp> expected = {{'K', 0, 0},          {'T', 0, 0xFFFFFFFE}, {'T', 0, 1},
                                    {'T', 0, 4},          {'W', 0x37A, 0x0C},   {'R', 0x379, 0x78},
                                    {'W', 0x37A, 0x0C},   {'R', 0x379, 0x78},   {'W', 0x37A, 0x0C},
                                    {'R', 0x379, 0x78},   {'W', 0x37A, 0x0C}};
    ASSERT_EQ(ops.size(), expected.size());
    for (size_t i = 0; i < ops.size(); ++i) EXPECT_TRUE(ops[i] == expected[i]) << i << ": " << FormatPortOp(ops[i]);

    // The encoder's output decodes to what it was given, and a polling loop
    // whose clock moves shrinks to a few lines.
    std::vector<PortOp> poll;
    for (uint32_t i = 0; i < 3000; ++i) {
        poll.push_back({'T', 0, 0xFFFFFF00u + i / 1000});
        poll.push_back({'R', 0x379, static_cast<uint8_t>(i == 2999 ? 0x80 : 0x00)});
    }
    std::string text = EncodePortLog(poll, {"poll"});
    EXPECT_LT(text.size(), 400u) << text;
    std::vector<PortOp> back = Decoded(text);
    ASSERT_EQ(back.size(), poll.size());
    for (size_t i = 0; i < poll.size(); ++i) ASSERT_TRUE(back[i] == poll[i]) << i;

    // Damaged lines are refused with their number.
    for (const char* bad : {"R 0379\n", "R 0379 100\n", "@ 1 1\n", "K 0\nT 5\n", "K 0\n@ 2 1\n", "K 0 *0\n", "X\n"}) {
        std::vector<PortOp> ignored;
        std::string error;
        EXPECT_FALSE(DecodePortLog(bad, ignored, error)) << bad;
        EXPECT_EQ(error.rfind("line ", 0), 0u) << bad;
    }
}

TEST(PortLogReplay, TheFirstDifferenceIsReportedInHexWithTheLogAroundIt) {
    PortReplay replay;
    replay.ops = {{'T', 0, 0x10}, {'R', 0x379, 0x78}, {'W', 0x37A, 0x04}, {'W', 0x37A, 0x04}, {'R', 0x379, 0x80}};
    PortAccess access = replay.Access();
    EXPECT_EQ(access.tickCount(access.context), 0x10u);
    EXPECT_EQ(access.readPort(access.context, 0x379), 0x78);
    access.writePort(access.context, 0x37A, 0x04);
    access.writePort(access.context, 0x37A, 0x05);  // the log has 04
    EXPECT_EQ(access.readPort(access.context, 0x379), 0xFF);
    EXPECT_EQ(access.tickCount(access.context), 0x10u + 1000u);  // waits run out
    EXPECT_EQ(replay.Verdict(),
              "operation 3: expected W 037a 04, got W 037a 05\n"
              "the log around it:\n"
              "    0  T 00000010\n"
              "    1  R 0379 78\n"
              "    2  W 037a 04\n"
              "  > 3  W 037a 04\n"
              "    4  R 0379 80\n");

    // A host that stops early, and one that goes on past the log.
    PortReplay early;
    early.ops = {{'R', 0x379, 0x78}, {'W', 0x37A, 0x04}};
    PortAccess a = early.Access();
    a.readPort(a.context, 0x379);
    EXPECT_EQ(early.Verdict(), "operation 1: the host stopped; the log goes on with W 037a 04 (1 operations left)\n");
    a.writePort(a.context, 0x37A, 0x04);
    EXPECT_EQ(early.Verdict(), "");
    a.readPort(a.context, 0x378);
    EXPECT_EQ(early.Verdict(), "operation 2: the log has ended, got R 0378 00\n");
}

class GoldenLog : public ::testing::Test {
protected:
    PortReplay replay;
    PortAccess access = {};

    void Load(const char* file) {
        std::string text, error;
        std::string path = std::string(QX_GOLDEN_DIR) + "/" + file;
        ASSERT_TRUE(ReadTextFile(path, text)) << path;
        ASSERT_TRUE(DecodePortLog(text, replay.ops, error)) << path << ": " << error;
        access = replay.Access();
        SetPortAccess(&access);
    }
    void TearDown() override {
        SetPortAccess(nullptr);
        std::string verdict = replay.Verdict();
        EXPECT_TRUE(verdict.empty()) << "the host left the log at " << verdict;
    }
};

TEST_F(GoldenLog, StatusRead) {
    ASSERT_NO_FATAL_FAILURE(Load(GOLDEN_STATUS_LOG));
    ScannerStatus status = {};
    ASSERT_EQ(GoldenStatusSession(status), 1);
    EXPECT_EQ(linkState.dataPort, 0x378);  // 0x278 floats
    EXPECT_EQ(status.statusFlags, STATUS_FRONT_SIDE | STATUS_APS_ADAPTER);
    EXPECT_EQ(status.positionByte, 2);
}

TEST_F(GoldenLog, CartridgeRead) {
    ASSERT_NO_FATAL_FAILURE(Load(GOLDEN_CARTRIDGE_LOG));
    CartridgeInfo info = {};
    ASSERT_EQ(GoldenCartridgeSession(info), 1);
    EXPECT_EQ(info.filmKind, 'N');
    EXPECT_EQ(info.exposureCount, 6);
    EXPECT_EQ(info.filmSpeed, 200);
}

TEST_F(GoldenLog, PreviewScan) {
    ASSERT_NO_FATAL_FAILURE(Load(GOLDEN_PREVIEW_LOG));
    std::vector<uint8_t> pixels, bitmap;
    ASSERT_EQ(GoldenPreviewSession(pixels, bitmap), ScanOutcome::Completed);
    // Scan line L (along the picture's columns) is row L of the stored
    // pixels, pixel i along the picture's rows; blue, green, red as received.
    // Inside each quarter the sample is the quarter's colour.
    for (uint32_t line : {30u, 200u}) {
        for (uint32_t pixel : {20u, 140u}) {
            const uint8_t* expected = GOLDEN_QUARTERS[pixel < 80 ? 0 : 1][line < 120 ? 0 : 1];
            const uint8_t* got = &pixels[(line * 160 + pixel) * 3];
            EXPECT_EQ(got[0], expected[2]) << line << ", " << pixel;
            EXPECT_EQ(got[1], expected[1]) << line << ", " << pixel;
            EXPECT_EQ(got[2], expected[0]) << line << ", " << pixel;
        }
    }
    EXPECT_EQ(bitmap[4] | bitmap[5] << 8, 240);  // width
    EXPECT_EQ(bitmap[8] | bitmap[9] << 8, 160);  // height
}

}  // namespace
