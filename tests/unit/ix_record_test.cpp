#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "source/aps/ix_record.h"
#include "tests/unit/wire_fake.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Padded(Bytes front, size_t size = FRAME_BLOCK_BYTES) {
    front.resize(size, 0);
    return front;
}

IxFrameRecord Decoded(const Bytes& block) {
    IxFrameRecord record = {};
    DecodeIxBlock(block.data(), record);
    return record;
}

Bytes Encoded(const IxFrameRecord& record) {
    Bytes block(FRAME_BLOCK_BYTES, 0xEE);
    EncodeIxBlock(record, block.data());
    return block;
}

// 14 July 1998, day first, date and time on the front, 3:42 PM; aspect H,
// left, flash fired, brightness 2; exposure range within, prewind camera,
// daylight; title language 1, row 5.
const Bytes KIND_12 = {58, 12, 98, 0, 126, 51, 74, 67, 70, 94, 0, 0, 76, 0, 0, 0,
                       0,  0,  0,  0, 29,  33, 0,  0,  0,  0,  0, 0, 0,  0, 80, 0};
// 9 March 2005, year first, printed on the back, 8:05 24-hour; aspect C,
// no flash, brightness 1; on, magnification 5; flash range within,
// orientation 20, back lit 1; distance 24, constant printing; carried
// bytes 16..19; aperture 80, shutter 100, centre-weighted metering.
const Bytes KIND_13 = {58, 13, 85, 0, 33, 63, 37, 36, 33, 41, 29, 118, 0, 27, 0, 0,
                       1,  2,  3,  4, 0,  0,  80, 100, 0, 0, 0x43, 0, 0, 0, 32, 0};

TEST(IxCodes, DigitCodesAtTheirEdges) {
    EXPECT_EQ(DecodeDigitCode(0), 0);
    EXPECT_EQ(DecodeDigitCode(28), 0);
    EXPECT_EQ(DecodeDigitCode(29), 1);
    EXPECT_EQ(DecodeDigitCode(127), 99);
    EXPECT_EQ(DecodeDigitCode(0x80 + 58), 30);
    EXPECT_EQ(DecodeDigitCode(0x80 + 20), 0);
    EXPECT_EQ(EncodeDigitCode(99), 127);
    EXPECT_EQ(EncodeDigitCode(100), 28);
    EXPECT_EQ(EncodeDigitCode(255), 28);
    EXPECT_EQ(DecodeSevenBitCode(0xC5), 0x45);
}

TEST(IxBlockCodec, RealisticBlocksDecodeAndComeBackUnchanged) {
    IxFrameRecord r = Decoded(KIND_12);
    EXPECT_EQ(r.blockId, 30);
    EXPECT_EQ(r.blockKind, 12);
    EXPECT_EQ(r.presentFlags, 98);
    EXPECT_EQ(r.year, 98);
    EXPECT_EQ(r.month, 7);
    EXPECT_EQ(r.day, 14);
    EXPECT_EQ(r.hour, 3);
    EXPECT_EQ(r.minute, 42);
    EXPECT_EQ(r.timeFormat, 'P');
    EXPECT_EQ(r.dateOrder, 'D');
    EXPECT_EQ(r.datePrint, 'F');
    EXPECT_EQ(r.timePrint, 'F');
    EXPECT_EQ(r.printAspect, 64);
    EXPECT_EQ(r.leftRight, 16);
    EXPECT_EQ(r.flash, 12);
    EXPECT_EQ(r.brightness, 2);
    EXPECT_EQ(r.exposureRange, 64);
    EXPECT_EQ(r.windMode, 8);
    EXPECT_EQ(r.lightSource, 4);
    EXPECT_EQ(r.titleLanguage, 1);
    EXPECT_EQ(r.titleCode, 5);
    EXPECT_EQ(Encoded(r), KIND_12);

    r = Decoded(KIND_13);
    EXPECT_EQ(r.month, 3);
    EXPECT_EQ(r.dateOrder, 'Y');
    EXPECT_EQ(r.datePrint, 'B');
    EXPECT_EQ(r.timePrint, 'B');
    EXPECT_EQ(r.timeFormat, '2');
    EXPECT_EQ(r.printAspect, 32);
    EXPECT_EQ(r.flash, 8);
    EXPECT_EQ(r.onOff, 24);
    EXPECT_EQ(r.magnification, 5);
    EXPECT_EQ(r.flashRange, 96);
    EXPECT_EQ(r.orientation, 20);
    EXPECT_EQ(r.lighting, 2);
    EXPECT_EQ(r.subjectDistance, 24);
    EXPECT_EQ(r.printCondition, 3);
    EXPECT_EQ(r.meteringMode, 3);
    EXPECT_EQ(r.rawByte26, 0x43);
    EXPECT_EQ(Encoded(r), KIND_13);
}

TEST(IxBlockCodec, MonthByteDecidesWhetherThereIsADate) {
    // Month codes 49 and 60: year first, date not printed.
    IxFrameRecord r = Decoded(Padded({58, 7, 65, 0, 28, 77, 37, 38, 58}));
    EXPECT_EQ(r.month, 1);
    EXPECT_EQ(r.dateOrder, 'Y');
    EXPECT_EQ(r.datePrint, 'N');
    EXPECT_EQ(r.timePrint, 'B');
    EXPECT_EQ(r.timeFormat, '2');
    r = Decoded(Padded({58, 7, 65, 0, 28, 88, 37, 38, 58}));
    EXPECT_EQ(r.month, 12);
    EXPECT_EQ(r.datePrint, 'N');
    // 61, 0 and 99: no date, and no time format either.
    for (uint8_t code : {uint8_t{89}, uint8_t{28}, uint8_t{127}}) {
        r = Decoded(Padded({58, 7, 65, 0, 28, code, 37, 38, 58}));
        EXPECT_EQ(r.month, 0) << int{code};
        EXPECT_EQ(r.dateOrder, 0) << int{code};
        EXPECT_EQ(r.datePrint, 0) << int{code};
        EXPECT_EQ(r.timePrint, 0) << int{code};
        EXPECT_EQ(r.timeFormat, 0) << int{code};
        EXPECT_EQ(r.hour, 10) << int{code};
    }
}

TEST(IxBlockCodec, PrintPositionsAndHoursSurviveAWrite) {
    // Date not printed, time on the front: the day carries +32.
    IxFrameRecord r = {};
    r.year = 5;
    r.month = 3;
    r.day = 9;
    r.hour = 8;
    r.minute = 5;
    r.dateOrder = 'Y';
    r.datePrint = 'N';
    r.timePrint = 'F';
    r.timeFormat = '2';
    Bytes block = Encoded(r);
    EXPECT_EQ(block, Padded({58, 7, 65, 0, 33, 79, 69, 36, 33}));
    EXPECT_EQ(Decoded(block).timePrint, 'F');
    EXPECT_EQ(Decoded(block).datePrint, 'N');

    // 3 PM, time not printed: reads back as 3:00 in 24-hour form.
    r = {};
    r.month = 6;
    r.day = 2;
    r.hour = 3;
    r.dateOrder = 'M';
    r.datePrint = 'B';
    r.timePrint = 'N';
    r.timeFormat = 'P';
    block = Encoded(r);
    EXPECT_EQ(block, Padded({58, 7, 65, 0, 28, 34, 30, 79, 28}));
    EXPECT_EQ(Decoded(block).hour, 3);
    EXPECT_EQ(Decoded(block).timeFormat, '2');
    EXPECT_EQ(Decoded(block).timePrint, 'N');

    // A date without an order is written year first.
    r.dateOrder = 0;
    EXPECT_EQ(Encoded(r)[5], 32 + 6 + 28);
}

TEST(IxBlockCodec, KindAndFlagsFollowWhatTheRecordHolds) {
    // An all-zero block (strip film): no date, time or aspect; kind 0.
    IxFrameRecord r = Decoded(Bytes(FRAME_BLOCK_BYTES, 0));
    EXPECT_EQ(r.month, 0);
    EXPECT_EQ(r.timeFormat, 0);
    EXPECT_EQ(r.printAspect, 0);
    EXPECT_EQ(Encoded(r), Padded({58, 0, 64}));

    r = {};
    r.apertureCode = 80;
    r.shutterCode = 90;
    r.auxNumber1 = 7;
    Bytes kind10 = Padded({58, 10, 97});
    kind10[22] = 80;
    kind10[23] = 90;
    kind10[28] = 35;
    kind10[29] = 28;
    EXPECT_EQ(Encoded(r), kind10);

    r = {};
    r.rawByte11 = 65;
    EXPECT_EQ(Encoded(r), Padded({58, 23, 81, 0, 0, 0, 0, 0, 0, 0, 0, 65}));

    // A title row of 90 or more is written without its flag.
    r = {};
    r.titleLanguage = 2;
    r.titleCode = 95;
    Bytes title = Padded({58, 23, 80});
    title[20] = 30;
    title[21] = 123;
    EXPECT_EQ(Encoded(r), title);

    // Bit 6 of byte 13 alone does not raise flag 4.
    r = {};
    r.printAspect = 96;
    r.rawByte13 = 0x40;
    Bytes kind6 = Padded({58, 6, 64, 0, 0, 0, 0, 0, 0, 96, 0, 0, 0, 0x40});
    kind6[30] = 96;
    EXPECT_EQ(Encoded(r), kind6);
}

// One copy of a kind-12 block on the track: positions 0..9, 12 (flag 2),
// then the trailing byte for position 31.
const Bytes COPY = {58, 12, 66, 0, 126, 51, 74, 67, 70, 94, 76, 0x55};
const Bytes COPY_BLOCK = [] {
    Bytes b = Padded({58, 12, 66, 0, 126, 51, 74, 67, 70, 94, 0, 0, 76});
    b[31] = 0x55;
    return b;
}();

void Put(Bytes& track, size_t at, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), track.begin() + static_cast<ptrdiff_t>(at));
}

Bytes Parsed(const Bytes& track, uint8_t status, size_t length, uint8_t* result = nullptr) {
    Bytes block(FRAME_BLOCK_BYTES, 0xEE);
    uint8_t answer = ParseIxTrack(track.data(), length, status, block.data());
    if (result != nullptr) *result = answer;
    return block;
}

TEST(IxTrack, OneTwoAndThreeCopies) {
    Bytes track(IX_TRACK_BYTES, 0);
    Put(track, 0, {2, 0x83});
    Put(track, 2, COPY);
    Put(track, 14, {4, 0x85});
    EXPECT_EQ(Parsed(track, 0x01, IX_TRACK_BYTES), COPY_BLOCK);  // byte 9 present: status unused

    // A second copy that disagrees wins.
    Put(track, 16, {2, 3, 58, 12, 66, 0, 126, 51, 74, 67, 71, 94, 77, 0x56, 4, 5});
    Bytes second = COPY_BLOCK;
    second[8] = 71;
    second[12] = 77;
    second[31] = 0x56;
    EXPECT_EQ(Parsed(track, 0, IX_TRACK_BYTES), second);

    // Three: bitwise majority, here unlike any one copy at position 31.
    Put(track, 13, {3});
    Put(track, 29, {5});
    Put(track, 32, {2, 3, 58, 12, 66, 0, 126, 51, 74, 67, 78, 30, 76, 6, 4, 5});
    Bytes majority = COPY_BLOCK;
    majority[31] = 7;
    EXPECT_EQ(Parsed(track, 0, IX_TRACK_BYTES), majority);
}

TEST(IxTrack, MarkersOutOfPlace) {
    // An end marker before any start is noise.
    Bytes track(IX_TRACK_BYTES, 0);
    Put(track, 0, {4, 5, 2, 3});
    Put(track, 4, COPY);
    Put(track, 16, {4, 5});
    EXPECT_EQ(Parsed(track, 0, IX_TRACK_BYTES), COPY_BLOCK);

    // No complete copy (none, a start alone, an end only after byte 80):
    // the adapter's block stays.
    uint8_t result = 1;
    Bytes none(100, 0);
    EXPECT_EQ(Parsed(none, 1, IX_TRACK_BYTES, &result), Bytes(FRAME_BLOCK_BYTES, 0xEE));
    EXPECT_EQ(result, 0);
    Put(none, 10, {2, 3});
    Put(none, 85, {4, 5});
    EXPECT_EQ(Parsed(none, 1, none.size(), &result), Bytes(FRAME_BLOCK_BYTES, 0xEE));
    EXPECT_EQ(result, 0);
    Bytes block(FRAME_BLOCK_BYTES, 0xEE);
    EXPECT_EQ(ParseIxTrack(nullptr, 80, 1, block.data()), 0);
}

TEST(IxTrack, SpanCutAtTheReceivedBytesAndAspectFromStatus) {
    // The second copy starts at 72 and would need 12 bytes: it is cut at
    // byte 80, its own end marker included, and the parse stops there.
    Bytes track(IX_TRACK_BYTES, 0);
    Put(track, 0, {2, 3});
    Put(track, 2, COPY);
    Put(track, 14, {4, 5});
    Put(track, 70, {2, 3, 58, 12, 66, 0, 125, 51, 4, 5});
    uint8_t result = 0;
    EXPECT_EQ(Parsed(track, 0x09, IX_TRACK_BYTES, &result), Padded({58, 12, 66, 0, 125, 51, 4, 5, 0, 16 + 96}));
    EXPECT_EQ(result, 1);
    // Given 76 bytes, the second copy has no end: the first is used.
    EXPECT_EQ(Parsed(track, 0, 76), COPY_BLOCK);

    // Kind 7 carries no byte 9: the status gives it.
    Bytes kind7(IX_TRACK_BYTES, 0);
    Put(kind7, 0, {2, 3, 58, 7, 65, 0, 126, 51, 74, 67, 70, 0x11, 4, 5});
    Bytes expected = Padded({58, 7, 65, 0, 126, 51, 74, 67, 70, 16 + 32});
    expected[31] = 0x11;
    EXPECT_EQ(Parsed(kind7, 0x0A, IX_TRACK_BYTES), expected);
    expected[9] = 64;
    EXPECT_EQ(Parsed(kind7, 0x03, IX_TRACK_BYTES), expected);
    expected[9] = 0;
    EXPECT_EQ(Parsed(kind7, 0x00, IX_TRACK_BYTES), expected);
}

class IxFrames : public ::testing::Test {
protected:
    WireFake fake;
    void SetUp() override {
        ResetIxRecordState();
        fake.Install();
    }
    void TearDown() override {
        SetPortAccess(nullptr);
        ResetIxRecordState();
    }
};

TEST_F(IxFrames, TrackReadOnlyForABlockWithoutMinute) {
    Bytes block = KIND_12;
    EXPECT_EQ(ReadIxTrack(block.data()), 1);
    EXPECT_TRUE(fake.TakeSentBytes().empty());
    EXPECT_EQ(block, KIND_12);

    Bytes reply = {9, 9, 9, 0x01, 0, 0};  // print-format status: P
    Bytes track(IX_TRACK_BYTES, 0);
    Put(track, 0, {2, 3, 58, 7, 65, 0, 126, 51, 74, 67, 70, 0x11, 4, 5});
    reply.insert(reply.end(), {9, 9, 9});
    reply.insert(reply.end(), track.begin(), track.end());
    reply.push_back(0);
    fake.replyBytes.assign(reply.begin(), reply.end());
    block = Padded({58, 7, 65});
    EXPECT_EQ(ReadIxTrack(block.data()), 1);
    EXPECT_EQ(fake.TakeSentBytes(), (Bytes{0x28, 0, 0x52, 0, 0x01, 0xFE, 0, 0, 1, 0,  //
                                           0x28, 0, 0x72, 0, 0x02, 0x00, 0, 0, 80, 0}));
    EXPECT_TRUE(fake.replyBytes.empty());
    Bytes expected = Padded({58, 7, 65, 0, 126, 51, 74, 67, 70, 96});
    expected[31] = 0x11;
    EXPECT_EQ(block, expected);
}

TEST_F(IxFrames, FramesBeyondFortyAreRefused) {
    for (uint32_t frame : {41u, 63u, 256u}) {
        EXPECT_EQ(FrameIxRecord(frame), nullptr);
        EXPECT_EQ(FrameInfoLineOf(frame), nullptr);
        EXPECT_EQ(FrameStateOf(frame), 0);
        EXPECT_FALSE(SetFrameState(frame, 'R'));
        EXPECT_EQ(LoadEditRecord(frame), 0);
        EXPECT_EQ(StoreEditRecord(frame), 0);
        EXPECT_EQ(WriteFrameIx(frame), 0);
    }
    EXPECT_EQ(WriteFrameIx(0), 0);
    EXPECT_TRUE(fake.TakeSentBytes().empty());
    EXPECT_FALSE(SetFrameState(40, 'X'));
    EXPECT_TRUE(SetFrameState(40, 'a'));
    EXPECT_EQ(FrameStateOf(40), 'a');
}

TEST_F(IxFrames, EditRecordCopiesOnlyTheEditedFields) {
    std::memset(FrameIxRecord(7), 0x11, sizeof(IxFrameRecord));
    std::strcpy(FrameInfoLineOf(7), "Colour negative");
    ASSERT_EQ(LoadEditRecord(7), 1);
    uint8_t loaded[sizeof(IxFrameRecord)];
    std::memcpy(loaded, FrameIxRecord(0), sizeof loaded);
    for (size_t i = 0; i < sizeof loaded; ++i) {
        bool edited = (i >= 4 && i <= 13) || (i >= 33 && i <= 36) || i == 38 || i == 41 || i == 42;
        EXPECT_EQ(loaded[i], edited ? 0x11 : 0) << "field " << i;
    }
    EXPECT_STREQ(FrameInfoLineOf(0), "Colour negative");

    FrameIxRecord(0)->minute = 59;
    FrameIxRecord(0)->auxExposureCode = 99;
    std::strcpy(FrameInfoLineOf(0), "changed");
    ASSERT_EQ(StoreEditRecord(7), 1);
    EXPECT_EQ(FrameIxRecord(7)->minute, 59);
    EXPECT_EQ(FrameIxRecord(7)->auxExposureCode, 0x11);
    EXPECT_STREQ(FrameInfoLineOf(7), "Colour negative");

    SetFrameState(7, 'R');
    scannedFrameCount = 7;
    ClearAllFrameIx();
    EXPECT_EQ(FrameStateOf(7), 0);
    EXPECT_EQ(scannedFrameCount, 0);
    EXPECT_EQ(FrameIxRecord(7)->rawByte26, 0);
}

TEST_F(IxFrames, WriteSendsTheEncodedSlot) {
    DecodeIxBlock(KIND_12.data(), *FrameIxRecord(5));
    ASSERT_EQ(WriteFrameIx(5), 1);
    Bytes expected = {0x2A, 0, 0x4D, 0, 0, 5, 0, 0, 0x20, 0};
    expected.insert(expected.end(), KIND_12.begin(), KIND_12.end());
    EXPECT_EQ(fake.TakeSentBytes(), expected);
}

}  // namespace
