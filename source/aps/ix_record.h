// The magnetic IX data of APS film: the 32-byte block the adapter reads and
// writes per frame, the decoded frame record, the conversions between them,
// the raw-track fallback for a block that came without its date and time,
// and the per-frame tables (records, state letters, film information lines)
// that the IX window, the index window and the index file share. Portable:
// no Windows headers.
//
// Frame numbers: slot 0 of every table is the IX window's edit record and
// slots 1..MAX_FRAMES belong to frames 1..40. The scanner's position byte
// can name frames up to 63; every function here that takes a frame number
// refuses one above MAX_FRAMES (answers 0, null or false and touches
// nothing) rather than index past the tables.
//
// Functions that talk to the scanner (ReadIxTrack, WriteFrameIx) expect the
// caller to hold the port, as every command of command_set.h does.
#pragma once

#include <cstddef>
#include <cstdint>

#include "source/scanner/command_set.h"

constexpr uint8_t IX_BLOCK_ID = 30;
constexpr uint8_t DIGIT_CODE_OFFSET = 28;
constexpr uint8_t MAX_FRAMES = 40;
constexpr size_t FRAME_SLOTS = MAX_FRAMES + 1;  // slot 0: the edit record
constexpr size_t IX_TRACK_BYTES = 80;
constexpr size_t FRAME_INFO_LINE_BYTES = 40;  // 39 characters and a terminator

// Every block written carries this presence flag.
constexpr uint8_t IX_FLAGS_ALWAYS = 64;

// Print aspect ratios (block byte 9 bits 5-6, `printAspect`).
constexpr uint8_t ASPECT_C = 32;
constexpr uint8_t ASPECT_H = 64;
constexpr uint8_t ASPECT_P = 96;
constexpr uint8_t LEFT_RIGHT_LEFT = 16;

// FrameState letters.
constexpr uint8_t FRAME_NOTHING_KNOWN = 0;
constexpr uint8_t FRAME_IX_READ = 'R';
constexpr uint8_t FRAME_INDEX_SCANNED = 'A';
constexpr uint8_t FRAME_READ_AND_SCANNED = 'a';
constexpr uint8_t FRAME_STRIP_SCANNED = '1';
constexpr uint8_t FRAME_FROM_INDEX_FILE = 'I';

// A number 0..99 as the block stores it: the number plus 28. Bit 7 of a
// stored code means nothing; codes of 28 and below read as 0.
constexpr uint8_t DecodeDigitCode(uint8_t code) {
    uint8_t low = static_cast<uint8_t>(code & 0x7F);
    return low >= DIGIT_CODE_OFFSET ? static_cast<uint8_t>(low - DIGIT_CODE_OFFSET) : 0;
}
// A value above 99 cannot be stored and is written as 0.
constexpr uint8_t EncodeDigitCode(uint8_t value) {
    return value <= 99 ? static_cast<uint8_t>(value + DIGIT_CODE_OFFSET) : DIGIT_CODE_OFFSET;
}
constexpr uint8_t DecodeSevenBitCode(uint8_t code) {
    return static_cast<uint8_t>(code & 0x7F);
}
constexpr uint8_t EncodeSevenBitCode(uint8_t value) {
    return value;
}

using IxBlock = uint8_t[FRAME_BLOCK_BYTES];

// The decoded form of one frame's block. Field order and size are part of
// the system's data: keep them.
struct IxFrameRecord {
    uint8_t blockId;
    uint8_t blockKind;
    uint8_t presentFlags;
    uint8_t reserved3;
    uint8_t year;          // 0..99
    uint8_t month;         // 1..12; 0: no date
    uint8_t day;           // 1..31
    uint8_t hour;          // 0..23 (24-hour) or 0..11 (AM/PM)
    uint8_t minute;        // 0..59
    uint8_t timeFormat;    // '2' 24-hour, 'A', 'P', 0 none
    uint8_t dateOrder;     // 'Y', 'D', 'M', 0 none
    uint8_t datePrint;     // 'F' front, 'B' back, 'N' not printed, 0 none
    uint8_t timePrint;     // 'F', 'B', 'N', 0
    uint8_t printAspect;   // ASPECT_C, ASPECT_H, ASPECT_P, 0 none
    uint8_t leftRight;     // 16 left (thumbnail turned by 180 degrees) or 0
    uint8_t flash;         // 8 did not fire, 12 did fire
    uint8_t brightness;    // 0..3
    uint8_t onOff;         // 16 off, 24 on
    uint8_t magnification; // 4..7
    uint8_t flashRange;    // 64, 96
    uint8_t orientation;   // 16, 20, 24, 28
    uint8_t lighting;      // 1, 2, 3
    uint8_t exposureRange; // 64, 96
    uint8_t windMode;      // 0, 8, 16, 24
    uint8_t lightSource;   // 4..7
    uint8_t subjectDistance;  // 16, 20, 24, 28
    uint8_t printCondition;   // 2, 3
    uint8_t carried14;     // block bytes 14..19, not interpreted
    uint8_t carried15;
    uint8_t carried16;
    uint8_t carried17;
    uint8_t carried18;
    uint8_t carried19;
    uint8_t titleLanguage; // 0..13
    uint8_t titleCode;     // 0..89
    uint8_t apertureCode;
    uint8_t shutterCode;
    uint8_t auxExposureCode;
    uint8_t exposureCompensationCode;
    uint8_t meteringMode;
    uint8_t auxApertureCode;
    uint8_t auxNumber1;
    uint8_t auxNumber2;
    uint8_t reserved43;    // never filled by decoding
    // The packed bytes as read, so that a write-back keeps the bits the
    // fields above do not split out.
    uint8_t rawByte10;
    uint8_t rawByte11;
    uint8_t rawByte12;
    uint8_t rawByte13;
    uint8_t rawByte26;
};
static_assert(sizeof(IxFrameRecord) == 49);
static_assert(offsetof(IxFrameRecord, printCondition) == 26);
static_assert(offsetof(IxFrameRecord, titleLanguage) == 33);
static_assert(offsetof(IxFrameRecord, reserved43) == 43);
static_assert(offsetof(IxFrameRecord, rawByte26) == 48);

// The 32 block values with their codes undone (digit bytes 0, 3..8, 20, 21,
// 28, 29; seven-bit bytes elsewhere) and the record built from them. The
// index file stores records in this form, so its reader and writer use
// these two directly. IxValuesToRecord leaves `reserved43` as it was;
// values above the codes' range (a file's) decode like any other.
constexpr size_t IX_VALUE_COUNT = FRAME_BLOCK_BYTES;
void IxValuesToRecord(const uint8_t values[IX_VALUE_COUNT], IxFrameRecord& record);
// The values a record packs into, before the block kind and flags are
// chosen: values 0..2 are the record's own first fields here. A date
// without a date order is stored year first, as the IX window completes it.
void IxRecordToValues(const IxFrameRecord& record, uint8_t values[IX_VALUE_COUNT]);

// Block to record; `reserved43` is left as it was.
void DecodeIxBlock(const IxBlock block, IxFrameRecord& record);
// Record to block: the kind and flags are chosen from what the record
// holds, the identifier is always IX_BLOCK_ID, bytes 3 and 31 are 0.
void EncodeIxBlock(const IxFrameRecord& record, IxBlock block);

// The raw-track fallback without the link: rebuilds `block` from the track
// bytes received and the adapter's print-format status byte. Reads
// `track[0 .. min(length, IX_TRACK_BYTES) - 1]` and nothing else (a null
// track reads as empty); writes `block[0..31]` and nothing else.
//
// Copies are marked by (2, 3) or (2, 0x83) before and (4, 5) or (4, 0x85)
// after; up to three are used, by bitwise majority when there are three,
// else the last. A copy that runs past the received bytes is cut there
// (all copies in use are cut to the same length), and the parse stops where
// the bytes end: later block positions stay 0.
//
// Answers 1 when the block was rebuilt, and 0 when the track holds no
// complete copy: the block is then left exactly as the adapter gave it,
// since an empty track is no better than the block.
uint8_t ParseIxTrack(const uint8_t* track, size_t length, uint8_t printStatus, IxBlock block);

// For a block just read with ReadFrameBlock: when it has an identifier but
// no minute, reads the print-format status and the raw track from the
// adapter (100 ms apart) and rebuilds the block from them. Answers 1 when
// the block needed nothing or was rebuilt, 0 when a read failed or the
// track held no copy (the block is then unchanged).
uint8_t ReadIxTrack(IxBlock block);

// The per-frame tables. A frame above MAX_FRAMES gets null, 0 or false.
IxFrameRecord* FrameIxRecord(uint32_t frame);
char* FrameInfoLineOf(uint32_t frame);  // FRAME_INFO_LINE_BYTES characters
uint8_t FrameStateOf(uint32_t frame);
// Stores one of the FrameState letters; false for any other byte or frame.
bool SetFrameState(uint32_t frame, uint8_t letter);

// The highest frame that holds an index image, 0..MAX_FRAMES. Writers keep
// it within that range.
extern uint8_t scannedFrameCount;

// Every slot's state to 0 and its record to zeros, and no frame scanned.
// The film information lines stay (each frame read writes its own anew).
void ClearAllFrameIx();
// Date, time, print aspect, title and the exposure codes the IX window
// shows (fields 4..13, 33..36, 38, 41, 42) between a frame's slot and the
// edit record; loading also brings the frame's information line. Answer 0,
// copying nothing, for a frame above MAX_FRAMES.
uint8_t LoadEditRecord(uint32_t frame);
uint8_t StoreEditRecord(uint32_t frame);
// Encodes the frame's slot and writes it to that frame of the film. Answers
// the write's result; 0, sending nothing, for frame 0 (not a frame of the
// film) and above MAX_FRAMES. The record is not changed: read the frame back
// to see what the film holds.
uint8_t WriteFrameIx(uint32_t frame);

// Everything above as when the library is loaded: for ResetCoreState.
void ResetIxRecordState();
