#include <gtest/gtest.h>

#include <vector>

#include "source/scanner/command_set.h"
#include "tests/unit/wire_fake.h"

namespace {

using Bytes = std::vector<uint8_t>;

class CommandSet : public ::testing::Test {
protected:
    WireFake fake;
    void SetUp() override { fake.Install(); }
    void TearDown() override { SetPortAccess(nullptr); }
    void Reply(const Bytes& bytes) { fake.replyBytes.assign(bytes.begin(), bytes.end()); }
};

TEST_F(CommandSet, StatusKeepsTwoOfThreeBytes) {
    Reply({0x0D, 0x05, 0x77});
    ScannerStatus status = {};
    ASSERT_EQ(ReadStatus(status), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0xD0, 0, 0, 0, 0x02, 0}));
    EXPECT_EQ(status.statusFlags, 0x0D);
    EXPECT_EQ(status.positionByte, 0x05);
    EXPECT_TRUE(fake.replyBytes.empty());
}

TEST_F(CommandSet, FrameBlockReadsThirtyThreeKeepsThirtyTwo) {
    Bytes reply(33);
    for (size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<uint8_t>(i + 1);
    Reply(reply);
    uint8_t block[FRAME_BLOCK_BYTES] = {};
    ASSERT_EQ(ReadFrameBlock(block), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0x28, 0, 0x4D, 0, 0, 0, 0, 0, 0x20, 0}));
    EXPECT_TRUE(fake.replyBytes.empty());
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[31], 32);

    Bytes written(32, 0xAB);
    ASSERT_EQ(WriteFrameBlock(written.data(), 9), 1);
    Bytes expected = {0x2A, 0, 0x4D, 0, 0, 9, 0, 0, 0x20, 0};
    expected.insert(expected.end(), written.begin(), written.end());
    EXPECT_EQ(fake.TakeSentBytes(), expected);
}

TEST_F(CommandSet, AdapterDataCarriesThreeLeadingBytes) {
    Reply({9, 9, 9, 0x12, 0x34, 0x56});
    uint8_t buffer[6] = {};
    ASSERT_EQ(ReadAdapterData(DATA_ADAPTER, buffer, sizeof buffer, ADAPTER_FRAME_POSITION, 2), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0x28, 0, 0x52, 0, 0x01, 0x58, 0, 0, 2, 0}));
    EXPECT_EQ(buffer[3], 0x12);
    EXPECT_EQ(buffer[4], 0x34);
    // 80 bytes of track: 84 read, and a short buffer is never overrun
    // (AddressSanitizer watches the stack).
    Bytes track(84, 0x5A);
    Reply(track);
    uint8_t small[40] = {};
    ASSERT_EQ(ReadAdapterData(DATA_ADAPTER_RAW, small, sizeof small, ADAPTER_MAGNETIC_TRACK, 80), 1);
    EXPECT_TRUE(fake.replyBytes.empty());  // all 84 were read from the scanner
    EXPECT_EQ(small[39], 0x5A);
    EXPECT_EQ(ReadAdapterData(DATA_ADAPTER, small, sizeof small, 0, 253), 0);
}

TEST_F(CommandSet, CalibrationBlock) {
    Bytes reply(21, 0x40);
    Reply(reply);
    uint8_t buffer[21] = {};
    ASSERT_EQ(ReadScannerBlock(buffer, sizeof buffer, CALIBRATION_NEGATIVE, 20), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0x28, 0, 0x45, 0, 0, 56, 0, 0, 20, 0}));
    EXPECT_TRUE(fake.replyBytes.empty());  // 7 triples
}

TEST_F(CommandSet, CartridgeFilmKindCheckBothWays) {
    // 'B' 25 with the adapter's kind byte 0: a colour negative 400.
    Reply({'B', 40, 0, 25, 0, 0, 1, 2, 3, 0, 0, 0});
    CartridgeInfo info = {};
    ASSERT_EQ(ReadCartridgeData(info), 1);
    Bytes sent = fake.TakeSentBytes();
    Bytes expected = {0x28, 0, 0x44, 0, 0, 0, 0, 0, 0x04, 0, 0x28, 0, 0x52, 0, 0x01, 0x90, 0, 0, 1, 0};
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(info.filmKind, 'N');
    EXPECT_EQ(info.filmSpeed, 400);
    EXPECT_EQ(info.exposureCount, 40);
    // Kind byte 1: it stays black and white 25.
    Reply({'B', 25, 0, 25, 0, 0, 1, 2, 3, 1, 0, 0});
    ASSERT_EQ(ReadCartridgeData(info), 1);
    EXPECT_EQ(info.filmKind, 'B');
    EXPECT_EQ(info.filmSpeed, 25);
    EXPECT_EQ(fake.TakeSentBytes().size(), 20u);
    // Any other film: no second read.
    Reply({'R', 25, 0x01, 0x90, 0, 0});
    ASSERT_EQ(ReadCartridgeData(info), 1);
    EXPECT_EQ(fake.TakeSentBytes().size(), 10u);
    EXPECT_EQ(info.filmSpeed, 400);
}

TEST_F(CommandSet, PositioningToFrameOneClearsTheAdapterFirst) {
    uint64_t start = fake.port.microseconds;
    ASSERT_EQ(PositionFilm(POSITION_FRAME, 1), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0x2A, 0, 0x72, 0, 0x00, 0xC6, 0, 0, 1, 0, 0,
                                           0x31, 2, 0, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_GE(fake.port.microseconds - start, 100000u);  // the 100 ms pause
    ASSERT_EQ(PositionFilm(POSITION_FRAME, 2), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0x31, 2, 0, 0, 2, 0, 0, 0, 0, 0}));
    ASSERT_EQ(PositionFilm(POSITION_TO_FRONT, 3000), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0x31, 0x07, 0x00, 0x0B, 0xB8, 0, 0, 0, 0, 0}));
}

TEST_F(CommandSet, ScanWindowModeParametersAndStart) {
    ScanWindow window = {177, 177, 76, 90, 2400, 1600, 5, 0x80};
    ASSERT_EQ(SetScanWindow(window), 1);
    Bytes expected = {0x24, 0, 0, 0, 0x28, 0,
                      0x00, 0x00, 0x00, 0xB1, 0x00, 0xB1, 0x00, 0x00, 0x00, 0x4C, 0x00, 0x00, 0x00, 0x5A,
                      0x00, 0x00, 0x09, 0x60, 0x00, 0x00, 0x06, 0x40, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00,
                      0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(fake.TakeSentBytes(), expected);

    ScanMode mode = {'F', 'R', 2, 0x31, 0x32, 'N', 'P'};
    ASSERT_EQ(SetScanMode(mode), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0xD2, 0, 0, 0, 7, 0, 'F', 'R', 2, 0x31, 0x32, 'N', 'P'}));

    ScanParameterBlock block = {};
    for (size_t i = 0; i < SCAN_PARAMETER_BYTES; ++i) block.bytes[i] = static_cast<uint8_t>(100 + i);
    ASSERT_EQ(SetScanParameters(block), 1);
    Bytes sent = fake.TakeSentBytes();
    ASSERT_EQ(sent.size(), 26u);
    EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 6), (Bytes{0xD1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(sent[6], 100);
    EXPECT_EQ(sent[25], 119);

    ASSERT_EQ(StartScan(), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0x1B, 0, 0, 0, 0, 0}));
    ASSERT_EQ(StartFocus('A'), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0xD5, 0, 0, 0, 'A', 0}));
}

TEST_F(CommandSet, AScannerThatStopsAnsweringFailsTheCommand) {
    // Handshake stuck low after the selection: the byte transfer waits in
    // vain for it to rise, and the command reports the failure.
    fake.access.readPort = [](void* c, uint16_t) -> uint8_t {
        static_cast<WireFake*>(c)->port.microseconds += 1;
        return 0;
    };
    ScannerStatus status = {0x55, 0x55};
    EXPECT_EQ(ReadStatus(status), 0);
    EXPECT_EQ(status.statusFlags, 0x55);  // untouched
    EXPECT_EQ(StartScan(), 0);
}

}  // namespace
