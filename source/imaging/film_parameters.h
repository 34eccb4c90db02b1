// The film parameter file: one fixed-size record per film type (name shown to
// the user, the type code the scanner reports for a loaded film, negative and
// black-and-white flags, speed, exposures, twenty scan offsets and the scan
// letter), installed with the source and only ever read. Portable: the file
// is read with the C library. (The Windows original opened it without
// sharing; nothing here depends on that.)
//
// File layout, multi-byte numbers little-endian:
//   0                  32 bytes  FilmParameterHeader
//   32 + 60 x (n - 1)  60 bytes  FilmParameterRecord n, n = 1 .. count
//
// The readers never read more than the 32 or 60 bytes they were asked for,
// and never store a partial record: a buffer is written only when every byte
// of it was read.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t FILM_MAGIC_BYTES = 24;
// 23 characters and the zero byte, compared as 24 bytes.
constexpr char FILM_PARAMETER_MAGIC[FILM_MAGIC_BYTES] = "QX-52 FilmParameterFile";

constexpr size_t FILM_HEADER_BYTES = 32;
constexpr size_t FILM_RECORD_BYTES = 60;
constexpr size_t FILM_NAME_BYTES = 32;
constexpr size_t FILM_SCAN_OFFSETS = 20;  // one per byte of the scanner's calibration block

// The main window's film type panel shows the name on three lines.
constexpr size_t FILM_NAME_LINE1_BYTES = 6;   // name bytes 0-5
constexpr size_t FILM_NAME_LINE2_BYTES = 14;  // bytes 6-19 (the Japanese panel shows 6-14)
constexpr size_t FILM_NAME_LINE2_JAPANESE_BYTES = 9;
constexpr size_t FILM_NAME_LINE3_BYTES = 12;  // bytes 20-31

// Film type codes of the records (filmCode). 8, 10 or 11, and 14 stand for
// the kind of a loaded APS cartridge; 7 marks the last strip-film record (a
// reversal film), 8 the first record of APS film.
constexpr uint8_t FILM_CODE_REVERSAL_STRIP = 7;
constexpr uint8_t FILM_CODE_REVERSAL = 8;
constexpr uint8_t FILM_CODE_NEGATIVE_ENGLISH = 10;
constexpr uint8_t FILM_CODE_NEGATIVE_JAPANESE = 11;
constexpr uint8_t FILM_CODE_BLACK_AND_WHITE = 14;

#pragma pack(push, 1)
struct FilmParameterHeader {
    char magic[FILM_MAGIC_BYTES];
    uint8_t reserved[7];  // not interpreted
    uint8_t count;        // number of records
};

struct FilmParameterRecord {
    char name[FILM_NAME_BYTES];  // zero-padded, Shift-JIS in the Japanese file
    uint8_t filmCode;
    uint8_t reserved;  // not interpreted
    uint8_t negative;       // non-zero: negative film
    uint8_t blackAndWhite;  // non-zero: black-and-white film
    uint16_t filmSpeed;
    uint8_t exposureCount;
    int8_t scanOffsets[FILM_SCAN_OFFSETS];
    char scanLetter;  // byte 5 of the scan mode block
};
#pragma pack(pop)

static_assert(sizeof(FilmParameterHeader) == FILM_HEADER_BYTES);
static_assert(offsetof(FilmParameterHeader, count) == 31);
static_assert(sizeof(FilmParameterRecord) == FILM_RECORD_BYTES);
static_assert(offsetof(FilmParameterRecord, filmCode) == 32);
static_assert(offsetof(FilmParameterRecord, negative) == 34);
static_assert(offsetof(FilmParameterRecord, blackAndWhite) == 35);
static_assert(offsetof(FilmParameterRecord, filmSpeed) == 36);
static_assert(offsetof(FilmParameterRecord, exposureCount) == 38);
static_assert(offsetof(FilmParameterRecord, scanOffsets) == 39);
static_assert(offsetof(FilmParameterRecord, scanLetter) == 59);

// The film types the source knows without its film parameter file: those
// of the files it is installed with, in their record order, so that a film
// number names the same film either way (make_film_parameters refuses a
// table that disagrees). A built-in record corrects nothing: its scan
// offsets are zero, so the scanner's own calibration for that kind of film
// is used as it is.
struct BuiltInFilmType {
    uint8_t filmCode;  // the code the scanner reports for it, or 0
    char kind;         // 'N' colour negative, 'R' colour reversal, 'B' black-and-white negative
    uint16_t filmSpeed;
    uint8_t exposureCount;
    char scanLetter;
    const char* nameLines[3];  // the film type panel's three lines
};

inline constexpr BuiltInFilmType BUILT_IN_FILM_TYPES[] = {
    {0, 'N', 100, 36, 'N', {"Color", "Negative", "ISO 100"}},
    {0, 'N', 400, 36, 'N', {"Color", "Negative", "ISO 400"}},
    {0, 'N', 800, 36, 'N', {"Color", "Negative", "ISO 800"}},
    {0, 'B', 100, 36, 'M', {"B/W", "Negative", "ISO 100"}},
    {0, 'B', 400, 36, 'M', {"B/W", "Negative", "ISO 400"}},
    {0, 'R', 50, 36, 'P', {"Color", "Reversal", "ISO 50"}},
    {FILM_CODE_REVERSAL_STRIP, 'R', 100, 36, 'P', {"Color", "Reversal", "ISO 100"}},
    {FILM_CODE_REVERSAL, 'R', 100, 40, 'P', {"Color", "Reversal APS", "ISO 100"}},
    {0, 'R', 200, 40, 'P', {"Color", "Reversal APS", "ISO 200"}},
    {FILM_CODE_NEGATIVE_ENGLISH, 'N', 200, 40, 'N', {"Color", "Negative APS", "ISO 200"}},
    {FILM_CODE_NEGATIVE_JAPANESE, 'N', 400, 40, 'N', {"Color", "Negative APS", "ISO 400"}},
    {0, 'N', 800, 40, 'N', {"Color", "Negative APS", "ISO 800"}},
    {0, 'B', 100, 40, 'M', {"B/W", "Negative APS", "ISO 100"}},
    {FILM_CODE_BLACK_AND_WHITE, 'B', 400, 40, 'M', {"B/W", "Negative APS", "ISO 400"}},
};
inline constexpr int32_t BUILT_IN_FILM_TYPE_COUNT =
    static_cast<int32_t>(sizeof BUILT_IN_FILM_TYPES / sizeof BUILT_IN_FILM_TYPES[0]);

// The stand-in for record `filmNumber` when the file cannot be read: the
// built-in film type of that number, laid out as the file's record would be
// (name lines blank-padded as on the panel, offsets zero). A number outside
// the built-in types gives type 1, as the scanner check sends a strip whose
// type it cannot place back to type 1.
FilmParameterRecord BuiltInFilmRecord(int32_t filmNumber);

// PATH (up to 256 bytes with its zero) followed by a file name (up to 15).
constexpr size_t FILM_PATH_KEY_BYTES = 256;
constexpr size_t FILM_FILE_NAME_KEY_BYTES = 15;
constexpr size_t FILM_PATH_BYTES = FILM_PATH_KEY_BYTES + FILM_FILE_NAME_KEY_BYTES;

// The file in use, set by InitialiseScanSettings; empty at library load.
extern char filmParameterPath[FILM_PATH_BYTES];

// The record `filmNumber`, all zero at library load (an empty name, positive
// colour film, offsets 0). A failed read keeps what it held.
extern FilmParameterRecord currentFilm;

// 1 when the file opened, its first 32 bytes were read and the first 24 are
// the magic; `header` then holds them. 0 when the file cannot be opened, is
// shorter than 32 bytes or holds another magic; `header` is left as it was.
uint8_t ReadFilmHeader(const char* path, FilmParameterHeader& header);

// Reads record `recordNumber` (from 1) at 32 + 60 x (recordNumber - 1),
// without looking at the header's count. 1 when all 60 bytes were read into
// `record`; 0 (and `record` left as it was) when the file cannot be opened,
// the number is below 1, or the record lies wholly or partly past the end.
uint8_t ReadFilmRecord(const char* path, FilmParameterRecord& record, int32_t recordNumber);

// The number of the first record 1 .. count of the file at
// filmParameterPath whose filmCode is `filmCode`, or `filmCode` itself when
// no record has it, the file cannot be read or its magic differs. A count
// larger than the records present searches only the records present.
int32_t FindFilmRecord(int32_t filmCode);

// Reads record `filmNumber` of filmParameterPath into currentFilm: 1 on
// success; 0 leaves currentFilm as it was.
uint8_t LoadCurrentFilm(int32_t filmNumber);

// LoadCurrentFilm, and when the file cannot give the record, the built-in
// film type of that number (BuiltInFilmRecord) as currentFilm instead:
// 1 when the file gave it, 0 when the built-in type stands in.
uint8_t LoadCurrentFilmOrBuiltIn(int32_t filmNumber);

// A calibration byte combined with a signed scan offset: raised by a
// positive offset up to 255 at most, lowered by a negative one down to 0.
uint8_t ApplyScanOffset(uint8_t calibration, int8_t offset);

// ApplyScanOffset for each of the twenty bytes of a calibration block.
void ApplyScanOffsets(const uint8_t calibration[FILM_SCAN_OFFSETS], const FilmParameterRecord& film,
                      uint8_t out[FILM_SCAN_OFFSETS]);

// The settings keys that name the file (section QX-52V2P); a null pointer
// counts as an empty value.
struct FilmPathKeys {
    const char* path;        // PATH, default "<NO>"; must end in a separator
    const char* fileNameEn;  // FILENAME_EN, default "fpara_en.spm"
    const char* fileNameJp;  // FILENAME_JP, default "fpara_jp.spm"
    const char* font;        // FONT, default "<NO>"
};

// PATH followed directly by FILENAME_EN when `useJapanese` is 0 or FONT
// begins with E or e, otherwise by FILENAME_JP. Nothing is put between the
// two. `out` (`capacity` bytes, at least 1) always ends in a zero byte; a
// result longer than capacity - 1 is cut there.
void BuildFilmParameterPath(const FilmPathKeys& keys, uint8_t useJapanese, char* out, size_t capacity);
