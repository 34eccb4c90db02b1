#include "source/aps/index_file.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "common/bitmap_file.h"
#include "source/aps/frame_ix.h"
#include "source/aps/ix_texts.h"
#include "source/scanner/index_scan.h"

namespace {

// What follows the two count digits: the thumbnails' width and height.
constexpr char THUMBNAIL_SIZES[] = "  90  60";
// The file record's text; the rest of its 200 bytes carries nothing and is
// written as spaces, so that the whole record stays readable text.
constexpr char FILE_RECORD_TEXT[] = " 0 N1900 QX-52 ";
constexpr uint8_t FILE_RECORD_FILLER = ' ';

// Fixed columns of the text record, where every field fits its width.
constexpr size_t LETTER_COLUMN = 6;
constexpr size_t DATE_COLUMN = 49, DATE_WIDTH = 10;
constexpr size_t TIME_COLUMN = 60, TIME_WIDTH = 5;
constexpr size_t INFO_COLUMN = 66, INFO_WIDTH = 37;
// A frame without a time writes "- - - -", two wider than the time's
// column, and so pushes its information line two to the right. Every strip
// film frame has no time: read at the fixed column, its line would lose its
// first two characters to the time's tail.
constexpr char NO_TIME_TEXT[] = "- - - -";
constexpr size_t NO_TIME_WIDTH = sizeof NO_TIME_TEXT - 1;
constexpr size_t PUSHED_INFO_COLUMN = TIME_COLUMN + NO_TIME_WIDTH + 1;

constexpr size_t CODE_GROUP_WIDTH = 3;

// The thumbnail's area inside its cell, the same for APS and strip film: an
// APS frame's bands above and below its picture come along.
constexpr int32_t THUMBNAIL_INSET = 3;
constexpr uint16_t THUMBNAIL_BITS = 24;
constexpr uint32_t THUMBNAIL_PIXEL_ROW = IXF_THUMBNAIL_WIDTH * 3;
constexpr uint32_t THUMBNAIL_IMAGE_BYTES = static_cast<uint32_t>(IXF_THUMBNAIL_ROW_BYTES * IXF_THUMBNAIL_HEIGHT);
constexpr size_t SHEET_ROW_BYTES = size_t{INDEX_SHEET_WIDTH} * 3;

static_assert(INDEX_SHEET_BYTES == SHEET_ROW_BYTES * INDEX_SHEET_HEIGHT);
static_assert(sizeof FILE_RECORD_TEXT - 1 == 15);
static_assert(sizeof THUMBNAIL_SIZES - 1 + 2 == IXF_COUNT_RECORD_BYTES);
static_assert(IXF_THUMBNAIL_ROW_BYTES == BitmapRowBytes(IXF_THUMBNAIL_WIDTH, THUMBNAIL_BITS));
static_assert(IXF_THUMBNAIL_FILE_BYTES == PIXELS_OFFSET + THUMBNAIL_IMAGE_BYTES);
static_assert(IXF_CODE_RECORD_BYTES == IX_VALUE_COUNT * CODE_GROUP_WIDTH);
static_assert(INFO_COLUMN + INFO_WIDTH <= IXF_TEXT_RECORD_BYTES);
static_assert(INFO_WIDTH < FRAME_INFO_LINE_BYTES);
static_assert(DATE_WIDTH < sizeof(IndexFileFrame::fullDate));
static_assert(NO_TIME_WIDTH < sizeof(IndexFileFrame::time24));

bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

// ---- Writing ---------------------------------------------------------------

// The letter tells the reader whether a thumbnail was scanned and of which
// film; the print aspect, when known, stands for an APS frame.
char FrameLetter(uint32_t frame, const IxFrameRecord& record) {
    switch (record.printAspect) {
    case ASPECT_C: return 'C';
    case ASPECT_H: return 'H';
    case ASPECT_P: return 'P';
    default: break;
    }
    switch (FrameStateOf(frame)) {
    case FRAME_STRIP_SCANNED: return '1';
    case FRAME_INDEX_SCANNED:
    case FRAME_READ_AND_SCANNED:
    case FRAME_IX_READ:
    case FRAME_FROM_INDEX_FILE: return 'A';
    default: return ' ';
    }
}

void AppendTextRecord(uint32_t frame, const IxFrameRecord& record, uint8_t useJapanese, std::vector<uint8_t>& out) {
    IxTexts texts = {};
    FormatIxDate(IxTextSourceOf(record), useJapanese, texts);
    // The slot is 40 bytes; a line that filled it without a terminator is
    // still read no further.
    char info[FRAME_INFO_LINE_BYTES] = {};
    std::memcpy(info, FrameInfoLineOf(frame), FRAME_INFO_LINE_BYTES - 1);
    const char letter[2] = {FrameLetter(frame, record), '\0'};

    // Every field is padded to its width, so the text is never shorter than
    // the record; one wider than its width pushes the later ones right and
    // the record is cut at its length whatever they hold.
    char text[256];
    const int length = std::snprintf(text, sizeof text, "%2u %2u %1s %-40s %-10s %-5s %-37s ", frame, frame, letter,
                                     texts.title, texts.fullDate, texts.time24, info);
    size_t have = length > 0 ? static_cast<size_t>(length) : 0;
    if (have > sizeof text - 1) have = sizeof text - 1;
    for (size_t i = have; i < IXF_TEXT_RECORD_BYTES; ++i) text[i] = ' ';
    out.insert(out.end(), text, text + IXF_TEXT_RECORD_BYTES);
}

// The record's 32 values as three-digit groups; 8-bit values always fill
// exactly three.
void AppendCodeRecord(const IxFrameRecord& record, std::vector<uint8_t>& out) {
    uint8_t values[IX_VALUE_COUNT];
    IxRecordToValues(record, values);
    for (uint8_t value : values) {
        char group[8];
        std::snprintf(group, sizeof group, "%3u", unsigned{value});
        out.insert(out.end(), group, group + CODE_GROUP_WIDTH);
    }
}

// The frame's area of the sheet as a complete bitmap file, bottom row first.
void AppendThumbnail(const uint8_t* sheet, uint32_t frame, std::vector<uint8_t>& out) {
    int32_t cellX = 0, cellY = 0;
    IndexCellOrigin(frame, cellX, cellY);
    AppendBitmapHeaders(out, FileHeaderFor(THUMBNAIL_IMAGE_BYTES),
                        InfoHeaderFor(IXF_THUMBNAIL_WIDTH, IXF_THUMBNAIL_HEIGHT, THUMBNAIL_BITS));
    for (uint32_t row = 0; row < IXF_THUMBNAIL_HEIGHT; ++row) {
        const size_t y = static_cast<size_t>(cellY + THUMBNAIL_INSET) + (IXF_THUMBNAIL_HEIGHT - 1 - row);
        const uint8_t* in = sheet + y * SHEET_ROW_BYTES + static_cast<size_t>(cellX + THUMBNAIL_INSET) * 3;
        for (uint32_t x = 0; x < IXF_THUMBNAIL_WIDTH; ++x, in += 3) {
            const uint8_t bgr[3] = {in[2], in[1], in[0]};
            out.insert(out.end(), bgr, bgr + 3);
        }
        out.insert(out.end(), IXF_THUMBNAIL_ROW_BYTES - THUMBNAIL_PIXEL_ROW, uint8_t{0});
    }
}

// ---- Reading ---------------------------------------------------------------

// Two count characters (a space or a digit, then a digit) and the
// thumbnail sizes this reader draws; anything else is not one of our files.
IndexFileError ReadCount(const uint8_t* bytes, uint8_t& count) {
    const uint8_t tens = bytes[0], ones = bytes[1];
    if ((tens != ' ' && !IsDigit(tens)) || !IsDigit(ones) ||
        std::memcmp(bytes + 2, THUMBNAIL_SIZES, sizeof THUMBNAIL_SIZES - 1) != 0) {
        return IndexFileError::BAD_COUNT_RECORD;
    }
    count = static_cast<uint8_t>((tens == ' ' ? 0 : (tens - '0') * 10) + (ones - '0'));
    if (count == 0) return IndexFileError::NO_FRAMES;
    // The sheet has cells for 40 frames only. Reading the first 40 of a
    // longer file would show part of it as if it were all of it; our writer
    // never writes more, so such a file is damaged or foreign.
    if (count > MAX_FRAMES) return IndexFileError::TOO_MANY_FRAMES;
    return IndexFileError::NONE;
}

// `width` bytes of a text column into `to` of `capacity`; control bytes
// (a zero would end the text early) become spaces.
void ReadColumn(const uint8_t* from, size_t width, char* to, size_t capacity, bool trimTrailing) {
    size_t length = width < capacity - 1 ? width : capacity - 1;
    for (size_t i = 0; i < length; ++i) to[i] = from[i] < 32 || from[i] == 127 ? ' ' : static_cast<char>(from[i]);
    if (trimTrailing) {
        while (length > 0 && to[length - 1] == ' ') --length;
    }
    to[length] = '\0';
}

// A group's digits make its number, other characters are skipped; three
// digits reach 999, kept to the 8 bits of a value.
uint8_t ReadCodeGroup(const uint8_t* group) {
    uint32_t value = 0;
    for (size_t i = 0; i < CODE_GROUP_WIDTH; ++i) {
        if (IsDigit(group[i])) value = value * 10 + (group[i] - '0');
    }
    return static_cast<uint8_t>(value & 0xFF);
}

bool IsFrameLetter(uint8_t letter) {
    return letter == ' ' || letter == '1' || letter == 'A' || letter == 'C' || letter == 'H' || letter == 'P';
}

// One frame's text and code records (IXF_FRAME_RECORD_BYTES at `at`).
bool ReadFrameRecords(const uint8_t* at, IndexFileFrame& frame) {
    frame = {};
    frame.letter = at[LETTER_COLUMN];
    if (!IsFrameLetter(frame.letter)) return false;
    frame.hasThumbnail = frame.letter != ' ';
    // A frame without a thumbnail is read back empty, its records unused.
    if (!frame.hasThumbnail) return true;

    ReadColumn(at + DATE_COLUMN, DATE_WIDTH, frame.fullDate, sizeof frame.fullDate, true);
    size_t infoColumn = INFO_COLUMN;
    if (std::memcmp(at + TIME_COLUMN, NO_TIME_TEXT, NO_TIME_WIDTH) == 0) {
        std::memcpy(frame.time24, NO_TIME_TEXT, sizeof NO_TIME_TEXT);
        infoColumn = PUSHED_INFO_COLUMN;
    } else {
        ReadColumn(at + TIME_COLUMN, TIME_WIDTH, frame.time24, sizeof frame.time24, true);
    }
    // A pushed line ends with the record, one short of its width: its last
    // character is the padding after the exposure count.
    const size_t available = IXF_TEXT_RECORD_BYTES - infoColumn;
    const size_t width = available < INFO_WIDTH ? available : INFO_WIDTH;
    ReadColumn(at + infoColumn, width, frame.infoLine, sizeof frame.infoLine, false);
    for (size_t i = width; i < INFO_WIDTH; ++i) frame.infoLine[i] = ' ';
    frame.infoLine[INFO_WIDTH] = '\0';

    uint8_t values[IX_VALUE_COUNT];
    const uint8_t* code = at + IXF_TEXT_RECORD_BYTES;
    for (size_t i = 0; i < IX_VALUE_COUNT; ++i) values[i] = ReadCodeGroup(code + i * CODE_GROUP_WIDTH);
    IxValuesToRecord(values, frame.record);
    return true;
}

// Only the form our writer makes: anything else may hold rows this reader
// would misplace, or fewer bytes than it would copy.
bool ThumbnailHeadersSound(const uint8_t* at) {
    const BitmapFileHeader file = ReadFileHeader(at);
    const BitmapInfoHeader info = ReadInfoHeader(at + FILE_HEADER_SIZE);
    return file.bfType == BITMAP_FILE_TYPE && file.bfSize == IXF_THUMBNAIL_FILE_BYTES &&
           file.bfOffBits == PIXELS_OFFSET && info.biSize == INFO_HEADER_SIZE &&
           info.biWidth == static_cast<int32_t>(IXF_THUMBNAIL_WIDTH) &&
           info.biHeight == static_cast<int32_t>(IXF_THUMBNAIL_HEIGHT) && info.biPlanes == 1 &&
           info.biBitCount == THUMBNAIL_BITS && info.biCompression == RGB_COMPRESSION &&
           (info.biSizeImage == 0 || info.biSizeImage == THUMBNAIL_IMAGE_BYTES) &&
           BitmapRowsFit(file.bfOffBits, IXF_THUMBNAIL_ROW_BYTES, IXF_THUMBNAIL_HEIGHT, IXF_THUMBNAIL_FILE_BYTES);
}

// The bottom-up BGR rows at `rows` as top-down RGB at `pixels`.
void ReadThumbnailPixels(const uint8_t* rows, uint8_t* pixels) {
    for (uint32_t row = 0; row < IXF_THUMBNAIL_HEIGHT; ++row) {
        const uint8_t* in = rows + row * IXF_THUMBNAIL_ROW_BYTES;
        uint8_t* to = pixels + (IXF_THUMBNAIL_HEIGHT - 1 - row) * THUMBNAIL_PIXEL_ROW;
        for (uint32_t x = 0; x < IXF_THUMBNAIL_WIDTH; ++x, in += 3, to += 3) {
            to[0] = in[2];
            to[1] = in[1];
            to[2] = in[0];
        }
    }
}

bool Refuse(IndexFileError reason, IndexFileError& why) {
    why = reason;
    return false;
}

}  // namespace

bool BuildIndexFile(const uint8_t* sheet, size_t sheetBytes, uint8_t useJapanese, std::vector<uint8_t>& out) {
    out.clear();
    const uint8_t count = scannedFrameCount;
    if (count == 0 || count > MAX_FRAMES || sheet == nullptr || sheetBytes < INDEX_SHEET_BYTES) return false;
    out.reserve(IndexFileBytes(count));

    char countRecord[16];
    std::snprintf(countRecord, sizeof countRecord, "%2u%s", unsigned{count}, THUMBNAIL_SIZES);
    out.insert(out.end(), countRecord, countRecord + IXF_COUNT_RECORD_BYTES);
    out.insert(out.end(), FILE_RECORD_TEXT, FILE_RECORD_TEXT + sizeof FILE_RECORD_TEXT - 1);
    out.insert(out.end(), IXF_FILE_RECORD_BYTES - (sizeof FILE_RECORD_TEXT - 1), FILE_RECORD_FILLER);

    for (uint32_t frame = 1; frame <= count; ++frame) {
        const IxFrameRecord& record = *FrameIxRecord(frame);
        AppendTextRecord(frame, record, useJapanese, out);
        AppendCodeRecord(record, out);
    }
    for (uint32_t frame = 1; frame <= count; ++frame) AppendThumbnail(sheet, frame, out);
    return true;
}

bool BuildSheetBitmapFile(const uint8_t* annotatedSheet, size_t sheetBytes, std::vector<uint8_t>& out) {
    out.assign(INDEX_BITMAP_FILE_BYTES, 0);
    WriteFileHeader(FileHeaderFor(static_cast<uint32_t>(INDEX_COPY_BYTES - INFO_HEADER_SIZE)), out.data());
    // A saved file has no output resolution: 0 dots per inch gives 0 x 0.
    if (!CopySheetToDib(annotatedSheet, sheetBytes, out.data() + FILE_HEADER_SIZE, INDEX_COPY_BYTES, 0.0)) {
        out.clear();
        return false;
    }
    return true;
}

IndexFileKind ClassifyIndexFileName(const char* name) {
    if (name == nullptr) return IndexFileKind::NONE;
    constexpr size_t SEARCHED = 255;
    size_t length = 0;
    while (length < SEARCHED && name[length] != '\0') ++length;
    for (size_t i = 0; i + 4 <= length; ++i) {
        if (name[i] != '.') continue;
        const char* extension = name + i + 1;
        if (std::memcmp(extension, "IXF", 3) == 0 || std::memcmp(extension, "ixf", 3) == 0) return IndexFileKind::IXF;
        if (std::memcmp(extension, "BMP", 3) == 0 || std::memcmp(extension, "bmp", 3) == 0) return IndexFileKind::BMP;
    }
    return IndexFileKind::NONE;
}

uint32_t IndexFileErrorMessage(IndexFileError why) {
    switch (why) {
    case IndexFileError::NONE: return 0;
    case IndexFileError::TRUNCATED: return MSG_INDEX_FILE_INCOMPLETE;
    case IndexFileError::NO_FRAMES:
    case IndexFileError::TOO_MANY_FRAMES: return MSG_INDEX_FILE_FRAME_COUNT;
    case IndexFileError::BAD_COUNT_RECORD:
    case IndexFileError::BAD_FRAME_LETTER:
    case IndexFileError::BAD_THUMBNAIL: break;
    }
    return MSG_INDEX_FILE_NOT_VALID;
}

const uint8_t* IndexFileThumbnail(const IndexFileContents& contents, uint32_t frame) {
    if (frame == 0 || frame > contents.count || frame > MAX_FRAMES) return nullptr;
    const size_t start = (frame - 1) * IXF_THUMBNAIL_PIXEL_BYTES;
    if (contents.thumbnails.size() < start + IXF_THUMBNAIL_PIXEL_BYTES) return nullptr;
    return contents.thumbnails.data() + start;
}

bool ParseIndexFile(const uint8_t* bytes, size_t size, IndexFileContents& out, IndexFileError& why) {
    why = IndexFileError::NONE;
    if (bytes == nullptr) size = 0;
    if (size < IXF_COUNT_RECORD_BYTES) return Refuse(IndexFileError::TRUNCATED, why);
    uint8_t count = 0;
    const IndexFileError countError = ReadCount(bytes, count);
    if (countError != IndexFileError::NONE) return Refuse(countError, why);
    // Every record and thumbnail the count promises, before any is read: a
    // short file is refused whole rather than opened in part.
    if (size < IndexFileBytes(count)) return Refuse(IndexFileError::TRUNCATED, why);

    IndexFileContents parsed;
    parsed.count = count;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* records = bytes + IXF_FRAMES_START + i * IXF_FRAME_RECORD_BYTES;
        if (!ReadFrameRecords(records, parsed.frames[i])) return Refuse(IndexFileError::BAD_FRAME_LETTER, why);
    }
    parsed.thumbnails.assign(size_t{count} * IXF_THUMBNAIL_PIXEL_BYTES, 0);
    const uint8_t* thumbnails = bytes + IXF_FRAMES_START + size_t{count} * IXF_FRAME_RECORD_BYTES;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* file = thumbnails + i * IXF_THUMBNAIL_FILE_BYTES;
        if (!ThumbnailHeadersSound(file)) return Refuse(IndexFileError::BAD_THUMBNAIL, why);
        if (parsed.frames[i].hasThumbnail) {
            ReadThumbnailPixels(file + PIXELS_OFFSET, parsed.thumbnails.data() + i * IXF_THUMBNAIL_PIXEL_BYTES);
        }
    }
    out = std::move(parsed);
    return true;
}

void ApplyIndexFile(const IndexFileContents& contents) {
    ClearAllFrameIx();
    // Lines of frames the file leaves empty must not keep the last film's.
    for (uint32_t frame = 1; frame <= MAX_FRAMES; ++frame) {
        std::memset(FrameInfoLineOf(frame), 0, FRAME_INFO_LINE_BYTES);
    }
    const uint8_t count = contents.count < MAX_FRAMES ? contents.count : MAX_FRAMES;
    for (uint32_t frame = 1; frame <= count; ++frame) {
        const IndexFileFrame& read = contents.frames[frame - 1];
        if (!read.hasThumbnail) continue;
        *FrameIxRecord(frame) = read.record;
        std::memcpy(FrameInfoLineOf(frame), read.infoLine, FRAME_INFO_LINE_BYTES - 1);
        SetFrameState(frame, read.letter == '1' ? FRAME_STRIP_SCANNED : FRAME_FROM_INDEX_FILE);
    }
    scannedFrameCount = count;
}
