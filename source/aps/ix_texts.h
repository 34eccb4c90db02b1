// The words shown for an APS frame: the cartridge's film kind, speed and
// exposure count, every value of the frame's IX record as fixed-width text,
// the frame information line, the rows of the IX window's lists and the rule
// that picks their font. The IX window, the index window's annotations and
// the index file all read the same texts from here. Portable: no Windows
// headers; the caller reads the settings and passes what they hold.
//
// Every text goes into its slot of IxTexts bounded by the slot's capacity:
// a code outside its table shows a blank or placeholder text, and a value no
// decoder produces (an hour of 200 from a damaged index file) is cut at the
// slot's end rather than written past it. All texts are single-byte strings:
// Windows-1252 for European titles, Shift-JIS for Japanese ones.
#pragma once

#include <cstddef>
#include <cstdint>

#include "source/aps/title_tables.h"
#include "source/scanner/command_set.h"

// The texts of one frame, filled anew for each frame shown or exported. Each
// field is a zero-terminated string in a slot of the size given (terminator
// included). FormatCartridgeInfo writes the first three, FormatIxTexts the
// rest; the two never overlap, so both may run into the same record.
struct IxTexts {
    char filmKind[30];
    char speed[10];
    char exposures[10];
    char date[10];        // in the record's date order
    char fullDate[11];    // four-digit year, year.month.day
    char time12[8];       // with AM or PM
    char time24[8];
    char datePrint[8];
    char timePrint[8];
    char aspect[2];       // C, H, P or -
    char leftRight[8];
    char flash[16];
    char brightness[16];
    char onOff[4];
    char magnification[32];
    char flashRange[32];
    char orientation[48];
    char lighting[16];
    char exposureRange[32];
    char windMode[32];
    char lightSource[16];
    char subjectDistance[32];
    char printCondition[48];
    char titleLanguage[16];
    char title[TITLE_TEXT_BYTES];
    char aperture[8];
    char shutterSpeed[16];
    char auxExposure[16];
    char exposureCompensation[8];
    char metering[32];
    char auxAperture[8];
};
static_assert(sizeof(IxTexts) == 591, "IxTexts is a fixed layout of 31 text slots");

// The values of a frame's IX record that the texts are made from. Each field
// is the IxFrameRecord field of the same name, copied unchanged; a caller
// holding a record fills one of these and passes it.
struct IxTextSource {
    uint8_t year;           // 0..99
    uint8_t month;          // 1..12; 0 no date
    uint8_t day;            // 1..31; 0 no date
    uint8_t hour;           // 0..23, or 0..11 with 'A' and 'P'
    uint8_t minute;
    uint8_t timeFormat;     // '2' 24-hour, 'A', 'P', 0 none
    uint8_t dateOrder;      // 'Y', 'D', 'M', 0 none
    uint8_t datePrint;      // 'F' front, 'B' back, 'N' not printed, 0 none
    uint8_t timePrint;      // as datePrint
    uint8_t printAspect;    // 32 C, 64 H, 96 P
    uint8_t leftRight;      // 16 left, 0 right
    uint8_t flash;          // 8 did not fire, 12 did fire
    uint8_t brightness;     // 0..3
    uint8_t onOff;          // 16 off, 24 on
    uint8_t magnification;  // 4..7
    uint8_t flashRange;     // 64 beyond, 96 within
    uint8_t orientation;    // 16, 20, 24, 28
    uint8_t lighting;       // 1..3
    uint8_t exposureRange;  // 64 within, 96 beyond
    uint8_t windMode;       // 0, 8, 16, 24
    uint8_t lightSource;    // 4..7
    uint8_t subjectDistance;  // 16, 20, 24, 28
    uint8_t printCondition;   // 2, 3
    uint8_t titleLanguage;    // 0 none, 1..13
    uint8_t titleCode;        // row of the language's title table, 0..89
    uint8_t apertureCode;     // 60..120
    uint8_t shutterCode;      // 28..127
    uint8_t auxExposureCode;  // 61..107
    uint8_t exposureCompensationCode;  // 44..92, 68 = 0.00
    uint8_t meteringMode;     // 1..6
    uint8_t auxApertureCode;  // 60..120
};

// Film kind, speed ("%-5d ") and exposures ("%-2d ") of a cartridge. Colour
// reversal film reads "Color reversal" when `useJapanese` is non-zero and
// "Color slide" otherwise; black and white "Monochrome negative" or "Black &
// White"; an unknown kind letter 28 blanks.
void FormatCartridgeInfo(const CartridgeInfo& info, uint8_t useJapanese, IxTexts& texts);

// Date, full date, both times, title language and title of `record`. The
// full date is written even when the date is not shown ("- - - - -"): years
// below 81 are 20xx, the others 19xx. The title comes from the katakana
// table for languages 6 and 7 when `useJapanese` is non-zero; the language
// name is always the English one.
void FormatIxDate(const IxTextSource& record, uint8_t useJapanese, IxTexts& texts);

// FormatIxDate, then every other field but the three cartridge fields.
void FormatIxTexts(const IxTextSource& record, uint8_t useJapanese, IxTexts& texts);

// The frame information line: film kind, speed and exposures as
// "%-27s%-5s%-2s  " for an APS frame (39 characters) and "%-27s%-5s%-2s "
// for a strip-film frame, into `line` of `capacity` bytes (a frame
// information slot holds 40). The line is cut at capacity - 1 and always
// ends in a zero byte, so a speed or exposure count wider than usual cannot
// run past the slot. Nothing is written when capacity is 0.
void FormatFrameInfoLine(const IxTexts& texts, bool stripFilm, char* line, size_t capacity);

// The font rule: the Japanese font when `useJapanese` is 1 and the FONT
// setting does not begin with E or e (a null `fontSetting` counts as the
// default "<NO>"), otherwise the English font. English font: Arial, height
// 15, width 6, weight 700, ANSI, variable pitch Swiss; Japanese font:
// "MS Gothic" in Japanese, height 15, width 0, weight 700, Shift-JIS, Swiss.
bool UseJapaneseIxFont(uint8_t useJapanese, const char* fontSetting);

// The lists of the IX window.
enum class IxList : uint8_t { DATE_ORDER, AM_PM, PRINT_MODE, LANGUAGE, TITLE };
// The font a filler gives its list; the AM/PM list keeps the one it has.
enum class IxListFont : uint8_t { UNCHANGED, ENGLISH, JAPANESE };
// The longest list (the titles) has this many rows.
constexpr size_t IX_LIST_MAX_ROWS = TITLE_ROWS;

// Stores the row texts of `list`, row 0 first, into `rows` (room for
// `capacity` pointers) and returns how many it stored: 3 for date order,
// AM/PM and print mode, 14 for languages, 91 for titles (never more than
// capacity). `titleLanguage` matters only for the title list; `japaneseFont`
// is UseJapaneseIxFont's answer. The texts are constant and live as long as
// the program.
//   date order: Y/M/D, D/M/Y, M/D/Y (in Japanese with the Japanese font);
//   AM/PM: AM, PM, "- - - " (24-hour);
//   print mode: No, Front, Back (in Japanese with the Japanese font);
//   language: the English or, with the Japanese font, the Japanese names;
//   title: the language's table; languages 6 and 7 in katakana only with the
//   Japanese font; language 0 and 14 and above all "- - -".
size_t IxListRows(IxList list, uint8_t titleLanguage, bool japaneseFont, const char* rows[], size_t capacity);

// The font the filler of `list` sets: none for AM/PM; for titles the Japanese
// font only for languages 6 and 7.
IxListFont IxListFontOf(IxList list, uint8_t titleLanguage, bool japaneseFont);

// How many old rows the filler deletes before adding its own: 100 for the
// language and title lists, 3 for the others.
size_t IxListClearedRows(IxList list);
