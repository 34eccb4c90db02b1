// The index file (IXF) that keeps a contact sheet of APS or strip film for
// opening again later, and the plain bitmap file of the annotated sheet.
// Both are built whole in memory and read from memory here; the Windows side
// owns the dialogs, the files on disk and the sheet's device context, and
// writes or reads the bytes in one piece. Portable: no Windows headers.
//
// The index file is a mixed text and binary file, in this order:
//   count record  10 bytes  "%2u  90  60": frames, thumbnail width, height
//   file record  200 bytes  " 0 N1900 QX-52 " and 185 filler spaces
//   per frame    200 bytes  a 104-byte text record and a 96-byte code record
//   per frame  16374 bytes  the thumbnail as a complete 24-bit bitmap file
//
// The sheet both writers read is 640 x 480 pixels, rows top-down, 3 bytes
// red, green, blue per pixel (sheetBytes at least INDEX_SHEET_BYTES).
//
// Reading is split in two so that a bad file changes nothing: ParseIndexFile
// checks the whole file and fills an IndexFileContents without touching the
// frame tables; only when it succeeds does the caller clear its sheet, call
// ApplyIndexFile and draw the thumbnails the contents hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "source/aps/index_sheet.h"
#include "source/aps/ix_record.h"

constexpr size_t INDEX_SHEET_BYTES = 640 * 480 * 3;

constexpr size_t IXF_COUNT_RECORD_BYTES = 10;
constexpr size_t IXF_FILE_RECORD_BYTES = 200;
constexpr size_t IXF_FRAMES_START = IXF_COUNT_RECORD_BYTES + IXF_FILE_RECORD_BYTES;  // 210
constexpr size_t IXF_TEXT_RECORD_BYTES = 104;
constexpr size_t IXF_CODE_RECORD_BYTES = 96;
constexpr size_t IXF_FRAME_RECORD_BYTES = IXF_TEXT_RECORD_BYTES + IXF_CODE_RECORD_BYTES;
constexpr uint32_t IXF_THUMBNAIL_WIDTH = 90;
constexpr uint32_t IXF_THUMBNAIL_HEIGHT = 60;
constexpr size_t IXF_THUMBNAIL_ROW_BYTES = 272;  // 90 x 3 and 2 bytes of padding
constexpr size_t IXF_THUMBNAIL_FILE_BYTES = 54 + IXF_THUMBNAIL_ROW_BYTES * IXF_THUMBNAIL_HEIGHT;  // 16374
// A thumbnail as the contents give it: 90 x 60, rows top-down, RGB.
constexpr size_t IXF_THUMBNAIL_PIXEL_BYTES = IXF_THUMBNAIL_WIDTH * IXF_THUMBNAIL_HEIGHT * 3;

// The size of an index file of `count` frames.
constexpr size_t IndexFileBytes(size_t count) {
    return IXF_FRAMES_START + count * (IXF_FRAME_RECORD_BYTES + IXF_THUMBNAIL_FILE_BYTES);
}
static_assert(IndexFileBytes(12) == 199098);

// The bitmap export: a file header in front of the sheet's copy for the
// application (576 x 464, bottom-up BGR), resolution 0 x 0.
constexpr size_t INDEX_BITMAP_FILE_BYTES = 14 + INDEX_COPY_BYTES;
static_assert(INDEX_BITMAP_FILE_BYTES == 801846);

// ---- Writing ---------------------------------------------------------------

// The index file of frames 1..scannedFrameCount as the frame tables hold
// them (records, FrameState, FrameInfoLine) with their thumbnails cut from
// `sheet`, into `out` (replaced). The title is worded for the interface's
// language (`useJapanese`: katakana titles). Answers false with `out` empty
// when there is nothing to save (scannedFrameCount 0, or above MAX_FRAMES),
// or `sheet` is null or shorter than INDEX_SHEET_BYTES.
bool BuildIndexFile(const uint8_t* sheet, size_t sheetBytes, uint8_t useJapanese, std::vector<uint8_t>& out);

// The whole bitmap file (INDEX_BITMAP_FILE_BYTES) of the annotated working
// copy of the sheet, into `out` (replaced). False with `out` empty when the
// sheet is null or shorter than INDEX_SHEET_BYTES.
bool BuildSheetBitmapFile(const uint8_t* annotatedSheet, size_t sheetBytes, std::vector<uint8_t>& out);

// What a chosen file name asks to be written as: the first ".IXF", ".ixf",
// ".BMP" or ".bmp" among its first 255 characters decides; mixed case is
// neither. A null name is NONE.
enum class IndexFileKind : uint8_t { NONE, IXF, BMP };
IndexFileKind ClassifyIndexFileName(const char* name);

// ---- Reading ---------------------------------------------------------------

// Why a file was refused. Every refusal leaves the frame tables and the
// caller's sheet as they were.
enum class IndexFileError : uint8_t {
    NONE,
    TRUNCATED,         // shorter than its frame count needs (or than a count record)
    BAD_COUNT_RECORD,  // not a space or digit, a digit, and "  90  60"
    NO_FRAMES,         // a count of 0
    TOO_MANY_FRAMES,   // a count above 40: the sheet has no cells for more
    BAD_FRAME_LETTER,  // a text record's letter other than ' ', '1', 'A', 'C', 'H', 'P'
    BAD_THUMBNAIL,     // a thumbnail that is not a 90 x 60, 24-bit, uncompressed
                       // bitmap file filling its 16374 bytes
};

// Messages for a refused file (English at the id, Japanese at id + 1).
constexpr uint32_t MSG_INDEX_FILE_INCOMPLETE = 30290;  // "Cannot open the index file !  The file is incomplete."
constexpr uint32_t MSG_INDEX_FILE_NOT_VALID = 30300;   // "Cannot open the index file !  The file is damaged or is not an index file."
constexpr uint32_t MSG_INDEX_FILE_FRAME_COUNT = 30310; // "Cannot open the index file !  An index file holds 1 to 40 frames."
// The message to show for `why`; 0 for NONE.
uint32_t IndexFileErrorMessage(IndexFileError why);

// One frame as the file holds it. Texts are zero-terminated; bytes below 32
// in the file's texts read as spaces.
struct IndexFileFrame {
    uint8_t letter;        // ' ' no thumbnail, '1' strip film, 'A', 'C', 'H', 'P' APS
    bool hasThumbnail;     // letter not ' '; only these are drawn
    IxFrameRecord record;  // all zeros without a thumbnail
    char infoLine[FRAME_INFO_LINE_BYTES];  // 37 characters ("" without a thumbnail)
    char fullDate[11];     // "2001.7.14", trailing blanks removed
    char time24[8];        // "14:05", or "- - - -" for a frame without a time
};

struct IndexFileContents {
    uint8_t count = 0;  // 1..40 after a successful parse
    IndexFileFrame frames[MAX_FRAMES] = {};  // frames[0] is frame 1
    // count x IXF_THUMBNAIL_PIXEL_BYTES; all zero for a frame without one.
    std::vector<uint8_t> thumbnails;
};

// Frame `frame`'s (1..count) 90 x 60 RGB pixels, rows top-down, or null.
const uint8_t* IndexFileThumbnail(const IndexFileContents& contents, uint32_t frame);

// Checks the index file `bytes[0 .. size - 1]` whole and, when it is sound,
// fills `out` (replaced) and answers true with `why` NONE. Otherwise answers
// false with the reason in `why` and `out` as it was. Reads nothing outside
// `bytes[0 .. size - 1]` (a null `bytes` reads as empty) and touches no
// module state. Bytes after the last thumbnail are ignored.
bool ParseIndexFile(const uint8_t* bytes, size_t size, IndexFileContents& out, IndexFileError& why);

// Replaces the frame tables with what a parsed file holds: every record and
// state cleared (ClearAllFrameIx); for each frame with a thumbnail its
// record, its info line and the state 'I' (APS) or '1' (strip film); the
// info lines of all other frames emptied; scannedFrameCount the file's
// count. Drawing the thumbnails is the caller's.
void ApplyIndexFile(const IndexFileContents& contents);
