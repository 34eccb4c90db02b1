#include "source/aps/ix_record.h"

#include <cstring>

#include "source/scanner/link.h"

uint8_t scannedFrameCount = 0;

namespace {

IxFrameRecord frameIxTable[FRAME_SLOTS] = {};
uint8_t frameState[FRAME_SLOTS] = {};
char frameInfoLine[FRAME_SLOTS][FRAME_INFO_LINE_BYTES] = {};

// ---- Block and record ----------------------------------------------------

// Block bytes that hold two-digit numbers; the others are seven-bit codes.
constexpr bool IsDigitByte(size_t index) {
    return index == 0 || (index >= 3 && index <= 8) || index == 20 || index == 21 || index == 28 ||
           index == 29;
}

// Offsets on the date and time bytes.
constexpr uint8_t DAY_FRONT = 32;     // day: printed positions on the front
constexpr uint8_t NOT_PRINTED = 48;   // month or hour: that item is not printed
constexpr uint8_t AM_HOURS = 24;      // hour: 24..35 are 0..11 AM
constexpr uint8_t PM_HOURS = 36;      // hour: 36..47 are 0..11 PM

uint8_t Bits(uint8_t value, int mask) {
    return static_cast<uint8_t>(value & mask);
}

// Record fields are bytes; a field holding more than its range allows
// (a caller's mistake) must not wrap round into a plausible value.
uint8_t Plus(uint8_t value, uint8_t offset) {
    unsigned sum = unsigned{value} + offset;
    return sum > 255 ? uint8_t{255} : static_cast<uint8_t>(sum);
}

uint8_t HourOf(uint8_t code) {
    if (code < AM_HOURS) return code;
    if (code < PM_HOURS) return static_cast<uint8_t>(code - AM_HOURS);
    if (code < NOT_PRINTED) return static_cast<uint8_t>(code - PM_HOURS);
    if (code < NOT_PRINTED + AM_HOURS) return static_cast<uint8_t>(code - NOT_PRINTED);
    return 0;
}

// The month byte carries the date order (+16 day first, +32 year first) or
// +48 for a date that is not printed; the day's +32 puts both printed
// positions on the front. Without a usable month nothing of the date or
// time format is known.
void DecodeFormats(uint8_t monthCode, uint8_t dayCode, uint8_t hourCode, IxFrameRecord& r) {
    r.dateOrder = r.datePrint = r.timePrint = r.timeFormat = 0;
    if (monthCode == 0 || monthCode > 60) return;
    uint8_t side = dayCode > 31 ? 'F' : 'B';
    if (monthCode > 44) {
        r.dateOrder = 'Y';
        r.datePrint = 'N';
    } else {
        r.dateOrder = monthCode <= 12 ? 'M' : monthCode <= 28 ? 'D' : 'Y';
        r.datePrint = side;
    }
    if (hourCode < NOT_PRINTED) {
        r.timePrint = side;
        r.timeFormat = hourCode < AM_HOURS ? '2' : hourCode < PM_HOURS ? 'A' : 'P';
    } else {
        r.timePrint = 'N';
        r.timeFormat = '2';
    }
}

uint8_t MonthOffset(const IxFrameRecord& r) {
    if (r.datePrint == 'N') return NOT_PRINTED;
    if (r.dateOrder == 'M') return 0;
    if (r.dateOrder == 'D') return 16;
    return 32;  // 'Y', and the IX window's completion of a missing order
}

// One bit says "front" for both positions; a position that is not printed
// does not pull the other to the back.
bool DayOnFront(const IxFrameRecord& r) {
    bool dateFront = r.datePrint == 'F' || r.datePrint == 'N';
    bool timeFront = r.timePrint == 'F' || r.timePrint == 'N';
    return dateFront && timeFront;
}

uint8_t HourOffset(const IxFrameRecord& r) {
    if (r.timePrint == 'N') return NOT_PRINTED;
    if (r.timeFormat == 'P') return PM_HOURS;
    if (r.timeFormat == 'A') return AM_HOURS;
    return 0;
}

bool AnyNonZero(const uint8_t* values, size_t first, size_t last) {
    for (size_t i = first; i <= last; ++i) {
        if (values[i] != 0) return true;
    }
    return false;
}

// The block kind: which groups the block carries, first match wins.
uint8_t ChooseKind(const uint8_t x[IX_VALUE_COUNT]) {
    if (x[10] != 0) return x[13] != 0 ? 13 : 11;
    if (x[9] != 0) return x[13] != 0 ? 6 : 12;
    if (AnyNonZero(x, 22, 29)) return 10;
    if ((x[5] != 0 && x[6] != 0) || x[30] != 0) return 7;
    if (!AnyNonZero(x, 11, 15) && !(x[20] != 0 && x[21] != 0)) return 0;
    return 23;
}

// The presence flags: which optional items of its kind the block carries.
uint8_t ChooseFlags(uint8_t kind, const uint8_t x[IX_VALUE_COUNT]) {
    bool ten = kind == 10;
    bool seven = kind == 7;
    bool twelveOrEleven = kind == 12 || kind == 11;
    bool thirteenSixOr23 = kind == 13 || kind == 6 || kind == 23;
    bool withOptional = twelveOrEleven || thirteenSixOr23;
    uint8_t flags = IX_FLAGS_ALWAYS;
    if ((ten && x[22] != 0 && x[23] != 0) || (seven && x[5] != 0 && x[6] != 0) || (withOptional && x[11] != 0)) {
        flags |= 1;
    }
    if ((ten && x[24] != 0) || (seven && x[30] != 0) || (withOptional && x[12] != 0)) flags |= 2;
    if ((ten && x[25] != 0) || (twelveOrEleven && x[14] != 0) || (thirteenSixOr23 && Bits(x[13], 0xBF) != 0)) {
        flags |= 4;
    }
    if ((ten && Bits(x[26], 0xBF) != 0) || (thirteenSixOr23 && x[14] != 0) || (twelveOrEleven && x[15] != 0)) {
        flags |= 8;
    }
    if ((ten && x[27] != 0) || AnyNonZero(x, 16, 19) || kind == 23) flags |= 16;
    if ((x[20] != 0 && x[21] < 90) || (ten && (x[28] != 0 || x[29] != 0))) flags |= 32;
    return flags;
}

// ---- Raw track -----------------------------------------------------------

// What a block of each kind carries after its first four bytes, in the
// order the track holds it: `flag` 0 is always present, otherwise the item
// is there when the presence flags have that bit.
struct TrackItem {
    uint8_t flag;
    uint8_t first;  // block position
    uint8_t count;
};
struct KindLayout {
    uint8_t kind;
    uint8_t itemCount;
    TrackItem items[9];
};
constexpr KindLayout KIND_LAYOUTS[] = {
    {12, 8, {{0, 4, 5}, {0, 9, 1}, {1, 11, 1}, {2, 12, 1}, {4, 14, 1}, {8, 15, 1}, {16, 16, 4}, {32, 20, 2}}},
    {11, 9, {{0, 4, 5}, {0, 9, 1}, {0, 10, 1}, {1, 11, 1}, {2, 12, 1}, {4, 14, 1}, {8, 15, 1}, {16, 16, 4},
             {32, 20, 2}}},
    {13, 9, {{0, 4, 5}, {0, 9, 1}, {0, 10, 1}, {1, 11, 1}, {2, 12, 1}, {4, 13, 1}, {8, 14, 1}, {16, 16, 4},
             {32, 20, 2}}},
    {6, 8, {{0, 4, 5}, {0, 9, 1}, {1, 11, 1}, {2, 12, 1}, {4, 13, 1}, {8, 14, 1}, {16, 16, 4}, {32, 20, 2}}},
    {23, 6, {{1, 11, 1}, {2, 12, 1}, {4, 13, 1}, {8, 14, 1}, {16, 15, 1}, {32, 20, 2}}},
    {10, 6, {{1, 22, 2}, {2, 24, 1}, {4, 25, 1}, {8, 26, 1}, {16, 27, 1}, {32, 28, 2}}},
    {7, 2, {{1, 4, 5}, {2, 30, 1}}},
};
constexpr uint8_t TRAILING_POSITION = 31;

constexpr size_t MAX_TRACK_COPIES = 3;

struct TrackCopies {
    size_t starts[MAX_TRACK_COPIES];
    size_t ends[MAX_TRACK_COPIES];  // one past the copy's last byte
    size_t count;  // copies with both a start and an end
};

bool IsStartMarker(uint8_t first, uint8_t second) {
    return first == 2 && (second == 3 || second == 0x83);
}
bool IsEndMarker(uint8_t first, uint8_t second) {
    return first == 4 && (second == 5 || second == 0x85);
}

// One pass over the track. An end marker closes the oldest copy still
// open; one with no open copy (before any start, or a second end) is noise.
TrackCopies FindCopies(const uint8_t* track, size_t length) {
    TrackCopies copies = {};
    size_t startCount = 0;
    for (size_t i = 0; i + 1 < length; ++i) {
        if (IsStartMarker(track[i], track[i + 1])) {
            if (startCount < MAX_TRACK_COPIES) copies.starts[startCount++] = i + 2;
        } else if (IsEndMarker(track[i], track[i + 1])) {
            if (copies.count < startCount) copies.ends[copies.count++] = i;
        }
    }
    return copies;
}

// The copy bytes the block is built from, at most IX_TRACK_BYTES. All
// copies are read at the first copy's length; a later copy that would run
// past the received bytes cuts the span for every copy in use, so no copy
// is ever read beyond what arrived.
size_t MergeCopies(const uint8_t* track, size_t length, const TrackCopies& copies, uint8_t span[IX_TRACK_BYTES]) {
    size_t spanLength = copies.ends[0] - copies.starts[0];
    size_t firstUsed = copies.count == MAX_TRACK_COPIES ? 0 : copies.count - 1;
    for (size_t k = firstUsed; k < copies.count; ++k) {
        size_t available = length - copies.starts[k];
        if (spanLength > available) spanLength = available;
    }
    for (size_t j = 0; j < spanLength; ++j) {
        if (copies.count == MAX_TRACK_COPIES) {
            uint8_t a = track[copies.starts[0] + j];
            uint8_t b = track[copies.starts[1] + j];
            uint8_t c = track[copies.starts[2] + j];
            span[j] = static_cast<uint8_t>(((a | b | c) ^ (a ^ b ^ c)) | (a & b & c));
        } else {
            span[j] = track[copies.starts[firstUsed] + j];
        }
    }
    return spanLength;
}

struct SpanReader {
    const uint8_t* bytes;
    size_t length;
    size_t next;
    bool Take(uint8_t& out) {
        if (next >= length) return false;
        out = bytes[next++];
        return true;
    }
};

bool TakeInto(SpanReader& reader, IxBlock block, size_t first, size_t count) {
    for (size_t p = first; p < first + count; ++p) {
        if (!reader.Take(block[p])) return false;
    }
    return true;
}

// Lays the span into block positions as its kind and flags say; a span
// that ends early leaves the remaining positions 0.
void ParseSpan(const uint8_t* span, size_t spanLength, IxBlock block) {
    SpanReader reader = {span, spanLength, 0};
    if (!TakeInto(reader, block, 0, 4)) return;
    uint8_t kind = DecodeSevenBitCode(block[1]);
    uint8_t flags = DecodeSevenBitCode(block[2]);
    for (const KindLayout& layout : KIND_LAYOUTS) {
        if (layout.kind != kind) continue;
        for (size_t i = 0; i < layout.itemCount; ++i) {
            const TrackItem& item = layout.items[i];
            if (item.flag != 0 && (flags & item.flag) == 0) continue;
            if (!TakeInto(reader, block, item.first, item.count)) return;
        }
    }
    reader.Take(block[TRAILING_POSITION]);
}

// Status bits 0-1: 1 panorama, 2 classic, 0 or 3 wide; bit 3 left.
uint8_t AspectFromStatus(uint8_t status) {
    uint8_t aspect = ASPECT_H;
    if (Bits(status, 3) == 1) aspect = ASPECT_P;
    if (Bits(status, 3) == 2) aspect = ASPECT_C;
    return static_cast<uint8_t>(aspect | ((status & 0x08) != 0 ? LEFT_RIGHT_LEFT : 0));
}

// ---- Edit record ---------------------------------------------------------

// The fields the IX window shows and edits.
constexpr uint8_t IxFrameRecord::*EDIT_FIELDS[] = {
    &IxFrameRecord::year, &IxFrameRecord::month, &IxFrameRecord::day, &IxFrameRecord::hour,
    &IxFrameRecord::minute, &IxFrameRecord::timeFormat, &IxFrameRecord::dateOrder, &IxFrameRecord::datePrint,
    &IxFrameRecord::timePrint, &IxFrameRecord::printAspect, &IxFrameRecord::titleLanguage,
    &IxFrameRecord::titleCode, &IxFrameRecord::apertureCode, &IxFrameRecord::shutterCode,
    &IxFrameRecord::exposureCompensationCode, &IxFrameRecord::auxNumber1, &IxFrameRecord::auxNumber2};

void CopyEditFields(const IxFrameRecord& from, IxFrameRecord& to) {
    for (auto field : EDIT_FIELDS) to.*field = from.*field;
}

bool IsFrameStateLetter(uint8_t letter) {
    return letter == FRAME_NOTHING_KNOWN || letter == FRAME_IX_READ || letter == FRAME_INDEX_SCANNED ||
           letter == FRAME_READ_AND_SCANNED || letter == FRAME_STRIP_SCANNED || letter == FRAME_FROM_INDEX_FILE;
}

}  // namespace

void IxValuesToRecord(const uint8_t c[IX_VALUE_COUNT], IxFrameRecord& r) {
    r.blockId = c[0];
    r.blockKind = c[1];
    r.presentFlags = c[2];
    r.reserved3 = c[3];
    r.year = c[4];
    uint8_t monthBits = Bits(c[5], 0x0F);
    r.month = c[5] < 64 && monthBits <= 12 ? monthBits : 0;
    r.day = c[6] < 64 ? Bits(c[6], 31) : 0;
    r.hour = HourOf(c[7]);
    r.minute = c[8];
    DecodeFormats(c[5], c[6], c[7], r);

    // A kind-7 block carries its aspect in byte 30 when flag 2 says so.
    uint8_t aspectByte = c[1] == 7 && (c[2] & 2) != 0 ? c[30] : c[9];
    r.printAspect = Bits(aspectByte, 0x60);
    r.leftRight = Bits(aspectByte, 0x10);
    r.flash = Bits(c[9], 0x0C);
    r.brightness = Bits(c[9], 3);

    r.onOff = Bits(c[10], 0x18);
    r.magnification = Bits(c[10], 7);
    r.flashRange = Bits(c[11], 0x60);
    r.orientation = Bits(c[11], 0x1C);
    r.lighting = Bits(c[11], 3);
    r.exposureRange = Bits(c[12], 0x60);
    r.windMode = Bits(c[12], 0x18);
    r.lightSource = Bits(c[12], 7);
    r.subjectDistance = Bits(c[13], 0x1C);
    r.printCondition = Bits(c[13], 3);

    r.carried14 = c[14];
    r.carried15 = c[15];
    r.carried16 = c[16];
    r.carried17 = c[17];
    r.carried18 = c[18];
    r.carried19 = c[19];
    r.titleLanguage = c[20];
    r.titleCode = c[21];
    r.apertureCode = c[22];
    r.shutterCode = c[23];
    r.auxExposureCode = c[24];
    r.exposureCompensationCode = c[25];
    r.meteringMode = Bits(c[26], 7);
    r.auxApertureCode = c[27];
    r.auxNumber1 = c[28];
    r.auxNumber2 = c[29];
    r.rawByte10 = c[10];
    r.rawByte11 = c[11];
    r.rawByte12 = c[12];
    r.rawByte13 = c[13];
    r.rawByte26 = c[26];
}

void IxRecordToValues(const IxFrameRecord& r, uint8_t x[IX_VALUE_COUNT]) {
    std::memset(x, 0, IX_VALUE_COUNT);
    x[0] = r.blockId;
    x[1] = r.blockKind;
    x[2] = r.presentFlags;
    x[3] = r.reserved3;
    if (r.month != 0 && r.day != 0) {
        x[4] = r.year;
        x[5] = Plus(r.month, MonthOffset(r));
        x[6] = Plus(r.day, DayOnFront(r) ? DAY_FRONT : 0);
        // A time that is not printed keeps no AM/PM: it reads back 24-hour.
        x[7] = Plus(r.hour, HourOffset(r));
        x[8] = r.minute;
    }
    x[9] = static_cast<uint8_t>(r.printAspect | r.leftRight | r.flash | r.brightness);
    x[10] = r.rawByte10;
    x[11] = r.rawByte11;
    x[12] = r.rawByte12;
    x[13] = r.rawByte13;
    x[14] = r.carried14;
    x[15] = r.carried15;
    x[16] = r.carried16;
    x[17] = r.carried17;
    x[18] = r.carried18;
    x[19] = r.carried19;
    x[20] = r.titleLanguage;
    x[21] = r.titleCode;
    x[22] = r.apertureCode;
    x[23] = r.shutterCode;
    x[24] = r.auxExposureCode;
    x[25] = r.exposureCompensationCode;
    x[26] = r.rawByte26;
    x[27] = r.auxApertureCode;
    x[28] = r.auxNumber1;
    x[29] = r.auxNumber2;
    x[30] = static_cast<uint8_t>(r.printAspect | r.leftRight);
    x[31] = r.reserved43;
}

void DecodeIxBlock(const IxBlock block, IxFrameRecord& record) {
    uint8_t values[IX_VALUE_COUNT];
    for (size_t i = 0; i < IX_VALUE_COUNT; ++i) {
        values[i] = IsDigitByte(i) ? DecodeDigitCode(block[i]) : DecodeSevenBitCode(block[i]);
    }
    IxValuesToRecord(values, record);
}

void EncodeIxBlock(const IxFrameRecord& record, IxBlock block) {
    uint8_t x[IX_VALUE_COUNT];
    IxRecordToValues(record, x);
    uint8_t kind = ChooseKind(x);
    uint8_t flags = ChooseFlags(kind, x);

    std::memset(block, 0, FRAME_BLOCK_BYTES);
    block[0] = EncodeDigitCode(IX_BLOCK_ID);
    block[1] = EncodeSevenBitCode(kind);
    block[2] = EncodeSevenBitCode(flags);
    if (x[5] != 0) {
        for (size_t i = 4; i <= 8; ++i) block[i] = EncodeDigitCode(x[i]);
    }
    for (size_t i = 9; i <= 19; ++i) block[i] = EncodeSevenBitCode(x[i]);
    if (x[20] != 0) {
        block[20] = EncodeDigitCode(x[20]);
        block[21] = EncodeDigitCode(x[21]);
    }
    for (size_t i = 22; i <= 27; ++i) block[i] = EncodeSevenBitCode(x[i]);
    if (x[28] != 0 || x[29] != 0) {
        block[28] = EncodeDigitCode(x[28]);
        block[29] = EncodeDigitCode(x[29]);
    }
    block[30] = EncodeSevenBitCode(x[30]);
}

uint8_t ParseIxTrack(const uint8_t* track, size_t length, uint8_t printStatus, IxBlock block) {
    if (track == nullptr) length = 0;
    if (length > IX_TRACK_BYTES) length = IX_TRACK_BYTES;
    TrackCopies copies = FindCopies(track, length);
    if (copies.count == 0) return 0;

    uint8_t span[IX_TRACK_BYTES];
    size_t spanLength = MergeCopies(track, length, copies, span);
    std::memset(block, 0, FRAME_BLOCK_BYTES);
    ParseSpan(span, spanLength, block);
    if (block[9] == 0 && printStatus != 0) block[9] = AspectFromStatus(printStatus);
    return 1;
}

uint8_t ReadIxTrack(IxBlock block) {
    // Only a block that names itself but came without a minute needs the
    // track: the adapter leaves the date and time out of some blocks.
    if (block[0] == 0 || block[8] != 0) return 1;
    // 'R' and 'r' replies carry three bytes before their payload.
    constexpr size_t LEAD = 3;
    uint8_t status[LEAD + 3] = {};
    WaitMilliseconds(100);
    if (!ReadAdapterData(DATA_ADAPTER, status, sizeof status, ADAPTER_PRINT_FORMAT, 1)) return 0;
    uint8_t reply[LEAD + IX_TRACK_BYTES + 1] = {};
    WaitMilliseconds(100);
    if (!ReadAdapterData(DATA_ADAPTER_RAW, reply, sizeof reply, ADAPTER_MAGNETIC_TRACK, IX_TRACK_BYTES)) return 0;
    return ParseIxTrack(reply + LEAD, IX_TRACK_BYTES, status[LEAD], block);
}

IxFrameRecord* FrameIxRecord(uint32_t frame) {
    return frame <= MAX_FRAMES ? &frameIxTable[frame] : nullptr;
}

char* FrameInfoLineOf(uint32_t frame) {
    return frame <= MAX_FRAMES ? frameInfoLine[frame] : nullptr;
}

uint8_t FrameStateOf(uint32_t frame) {
    return frame <= MAX_FRAMES ? frameState[frame] : FRAME_NOTHING_KNOWN;
}

bool SetFrameState(uint32_t frame, uint8_t letter) {
    if (frame > MAX_FRAMES || !IsFrameStateLetter(letter)) return false;
    frameState[frame] = letter;
    return true;
}

// Whole records, not only the block's share of them: a record of the film
// that was cleared away must not reach the next film's frames on a write.
void ClearAllFrameIx() {
    std::memset(frameIxTable, 0, sizeof frameIxTable);
    std::memset(frameState, 0, sizeof frameState);
    scannedFrameCount = 0;
}

uint8_t LoadEditRecord(uint32_t frame) {
    if (frame > MAX_FRAMES) return 0;
    if (frame == 0) return 1;  // the edit record itself
    CopyEditFields(frameIxTable[frame], frameIxTable[0]);
    std::memcpy(frameInfoLine[0], frameInfoLine[frame], FRAME_INFO_LINE_BYTES);
    frameInfoLine[0][FRAME_INFO_LINE_BYTES - 1] = '\0';
    return 1;
}

uint8_t StoreEditRecord(uint32_t frame) {
    if (frame > MAX_FRAMES) return 0;
    CopyEditFields(frameIxTable[0], frameIxTable[frame]);
    return 1;
}

uint8_t WriteFrameIx(uint32_t frame) {
    if (frame == 0 || frame > MAX_FRAMES) return 0;
    IxBlock block;
    EncodeIxBlock(frameIxTable[frame], block);
    return WriteFrameBlock(block, static_cast<uint8_t>(frame));
}

void ResetIxRecordState() {
    ClearAllFrameIx();
    std::memset(frameInfoLine, 0, sizeof frameInfoLine);
}
