// The texts of an APS frame's IX data and cartridge, the tables behind the
// numeric codes, and the rows of the IX window's lists. The coded fields are
// fixed-width so that a shorter text drawn over a longer one covers it; the
// padding in the tables below is part of the text.
#include "source/aps/ix_texts.h"

#include <cstdarg>
#include <cstdio>

namespace {

// Texts of unknown codes. The aperture, speed and compensation placeholders
// are padded to the full width of their slots, which leaves no room for the
// terminator; they lose their last blank here so that the terminator stays
// inside the slot instead of landing in the next field.
constexpr char NO_DATE[] = "- - - - -";
constexpr char NO_TIME[] = "- - - -";
constexpr char NO_APERTURE[] = "- - -  ";       // 7 of a slot of 8
constexpr char NO_SPEED[] = "- - -          ";  // 15 of a slot of 16
constexpr char NO_COMPENSATION[] = "- - -  ";   // 7 of a slot of 8
constexpr char NO_AUX_APERTURE[] = "     ";

// Aperture (f-number) codes 60..120, 5 characters.
constexpr uint8_t APERTURE_FIRST = 60;
constexpr uint8_t APERTURE_LAST = 120;
constexpr char APERTURE_ROWS[APERTURE_LAST - APERTURE_FIRST + 1][6] = {
    "0.5  ", "0.56 ", "0.6  ", "0.63 ", "0.7  ", "0.8  ", "0.84 ", "0.9  ",
    "1.0  ", "1.1  ", "1.2  ", "1.3  ", "1.4  ", "1.6  ", "1.7  ", "1.8  ",
    "2.0  ", "2.2  ", "2.4  ", "2.5  ", "2.8  ", "3.2  ", "3.3  ", "3.5  ",
    "4.0  ", "4.5  ", "4.8  ", "5.0  ", "5.6  ", "6.3  ", "6.7  ", "7.1  ",
    "8.0  ", "9.0  ", "9.5  ", "10.0 ", "11.0 ", "13.0 ", "13.5 ", "14.0 ",
    "16.0 ", "18.0 ", "19.0 ", "20.0 ", "22.0 ", "25.0 ", "27.0 ", "29.0 ",
    "32.0 ", "36.0 ", "38.0 ", "40.0 ", "45.0 ", "51.0 ", "54.0 ", "57.0 ",
    "64.0 ", "72.0 ", "76.0 ", "81.0 ", "90.0 "};

// Shutter speed codes 28..127, 7 characters.
constexpr uint8_t SHUTTER_FIRST = 28;
constexpr uint8_t SHUTTER_LAST = 127;
constexpr char SHUTTER_ROWS[SHUTTER_LAST - SHUTTER_FIRST + 1][8] = {
    "960 sec", "800 sec", "720 sec", "640 sec", "480 sec", "400 sec", "360 sec", "320 sec",
    "240 sec", "200 sec", "180 sec", "160 sec", "120 sec", "100 sec", "90  sec", "80  sec",
    "60  sec", "50  sec", "45  sec", "40  sec", "30  sec", "25  sec", "23  sec", "20  sec",
    "15  sec", "13  sec", "11  sec", "10  sec", "8   sec", "6   sec", "5.5 sec", "5   sec",
    "4   sec", "3.2 sec", "3   sec", "2.5 sec", "2   sec", "1.6 sec", "1.5 sec", "1.3 sec",
    "1   sec", "0.8 sec", "0.7 sec", "0.6 sec", "1/2    ", "1/2.5  ", "1/3    ", "1/3.5  ",
    "1/4    ", "1/5    ", "1/5.5  ", "1/6    ", "1/8    ", "1/10   ", "1/11   ", "1/13   ",
    "1/15   ", "1/20   ", "1/23   ", "1/25   ", "1/30   ", "1/40   ", "1/45   ", "1/50   ",
    "1/60   ", "1/80   ", "1/90   ", "1/100  ", "1/125  ", "1/160  ", "1/180  ", "1/200  ",
    "1/250  ", "1/320  ", "1/350  ", "1/400  ", "1/500  ", "1/640  ", "1/750  ", "1/800  ",
    "1/1000 ", "1/1250 ", "1/1500 ", "1/1600 ", "1/2000 ", "1/2500 ", "1/3000 ", "1/3200 ",
    "1/4000 ", "1/5000 ", "1/6000 ", "1/6400 ", "1/8000 ", "1/10000", "1/12000", "1/12800",
    "1/16000", "1/20000", "1/24000", "1/25600"};

// Auxiliary exposure codes 61..107, 5 characters.
constexpr uint8_t AUX_EXPOSURE_FIRST = 61;
constexpr uint8_t AUX_EXPOSURE_LAST = 107;
constexpr char AUX_EXPOSURE_ROWS[AUX_EXPOSURE_LAST - AUX_EXPOSURE_FIRST + 1][6] = {
    "1.0  ", "1.2  ", "1.4  ", "1.5  ", "2.0  ", "2.4  ", "2.8  ", "3.0  ",
    "4.0  ", "4.7  ", "5.6  ", "6    ", "8    ", "9    ", "11   ", "12   ",
    "16   ", "20   ", "25   ", "32   ", "40   ", "50   ", "64   ", "80   ",
    "100  ", "125  ", "160  ", "200  ", "250  ", "320  ", "400  ", "500  ",
    "640  ", "800  ", "1000 ", "1250 ", "1600 ", "2000 ", "2500 ", "3200 ",
    "4000 ", "5000 ", "6400 ", "8000 ", "10000", "12800", "16000"};

// Exposure compensation codes 44..92 in quarter stops around 68.
constexpr uint8_t COMPENSATION_FIRST = 44;
constexpr uint8_t COMPENSATION_ZERO = 68;
constexpr uint8_t COMPENSATION_LAST = 92;

// Every row of a code table is exactly as wide as its visible text.
template <size_t ROWS, size_t BYTES>
constexpr bool RowsWide(const char (&rows)[ROWS][BYTES], size_t width) {
    for (const auto& row : rows) {
        size_t length = 0;
        while (length < BYTES && row[length] != '\0') ++length;
        if (length != width) return false;
    }
    return true;
}
static_assert(RowsWide(APERTURE_ROWS, 5) && RowsWide(SHUTTER_ROWS, 7) && RowsWide(AUX_EXPOSURE_ROWS, 5));

// A coded field's text for one value; `otherwise` covers every value the
// table does not list.
struct CodeText {
    uint8_t code;
    const char* text;
};

template <size_t N>
const char* TextOf(const CodeText (&table)[N], uint8_t code, const char* otherwise) {
    for (const CodeText& row : table) {
        if (row.code == code) return row.text;
    }
    return otherwise;
}

constexpr CodeText ASPECT_TEXTS[] = {{32, "C"}, {64, "H"}, {96, "P"}};
constexpr CodeText PRINT_TEXTS[] = {{'F', "Front"}, {'B', "Back "}, {0, "- - -"}};
constexpr CodeText FLASH_TEXTS[] = {{8, "did not Fire"}, {12, "did Fire    "}};
constexpr CodeText BRIGHTNESS_TEXTS[] = {{0, "     BV > 5 "}, {1, " 5 > BV > 3 "}, {2, " 3 > BV > -2"}};
constexpr CodeText ON_OFF_TEXTS[] = {{16, "Off"}, {24, "On "}};
constexpr CodeText MAGNIFICATION_TEXTS[] = {
    {4, "        Mag > 1/46 "}, {5, " 1/46 > Mag > 1/70 "}, {6, " 1/70 > Mag > 1/140"}, {7, "1/140 > Mag        "}};
constexpr CodeText FLASH_RANGE_TEXTS[] = {{64, "Subject beyond flash range"}, {96, "Subject within flash range"}};
constexpr CodeText ORIENTATION_TEXTS[] = {{16, "Top of image away from perforations"},
                                          {20, "Top of image toward leader         "},
                                          {24, "Top of image away from leader      "},
                                          {28, "Top of image toward perforations   "}};
constexpr CodeText LIGHTING_TEXTS[] = {{1, "Front Lit  "}, {2, "Back  Lit 1"}, {3, "Back  Lit 2"}};
constexpr CodeText EXPOSURE_RANGE_TEXTS[] = {{64, "Exposure within range"}, {96, "Exposure beyond range"}};
constexpr CodeText WIND_MODE_TEXTS[] = {{0, "off                     "},
                                        {8, "Start Prewind     Camera"},
                                        {16, "Start Normal wind Camera"},
                                        {24, "End                     "}};
constexpr CodeText LIGHT_SOURCE_TEXTS[] = {
    {4, "Daylight    "}, {5, "Tungsten    "}, {6, "Fluorescent "}, {7, "Unknown     "}};
constexpr CodeText SUBJECT_DISTANCE_TEXTS[] = {{16, "  0m < Distance < 1.5m"},
                                               {20, "1.5m < Distance < 2.5m"},
                                               {24, "2.5m < Distance < 5.0m"},
                                               {28, "5.9m < Distance       "}};
constexpr CodeText PRINT_CONDITION_TEXTS[] = {{2, "normal density / color correction             "},
                                              {3, "constant printing condition within a filmstrip"}};
constexpr CodeText METERING_TEXTS[] = {{1, "Pattern                "}, {2, "Average                "},
                                       {3, "Center-weighted average"}, {4, "Partial                "},
                                       {5, "Spot                   "}, {6, "Multi Spot             "}};

// The blank texts of the coded fields: as wide as the field's texts.
constexpr char BLANK_3[] = "   ";
constexpr char BLANK_11[] = "           ";
constexpr char BLANK_12[] = "            ";
constexpr char BLANK_19[] = "                   ";
constexpr char BLANK_21[] = "                     ";
constexpr char BLANK_22[] = "                      ";
constexpr char BLANK_23[] = "                       ";
constexpr char BLANK_24[] = "                        ";
constexpr char BLANK_26[] = "                          ";
constexpr char BLANK_28[] = "                            ";
constexpr char BLANK_35[] = "                                   ";
constexpr char BLANK_46[] = "                                              ";

// Film kinds, 28 characters; reversal and black and white film are named
// differently in the two interface languages.
constexpr char KIND_REVERSAL_JAPANESE[] = "Color reversal              ";
constexpr char KIND_REVERSAL_ENGLISH[] = "Color slide                 ";
constexpr char KIND_NEGATIVE[] = "Color negative              ";
constexpr char KIND_MONOCHROME_JAPANESE[] = "Monochrome negative         ";
constexpr char KIND_MONOCHROME_ENGLISH[] = "Black & White               ";

// The IX window's list rows; [1] with the Japanese font (Shift-JIS:
// 年 94 4E, 月 8C 8E, 日 93 FA, な 82 C8, し 82 B5, 表 95 5C, 面 96 CA).
constexpr size_t SHORT_LIST_ROWS = 3;
constexpr const char* DATE_ORDER_ROWS[2][SHORT_LIST_ROWS] = {
    {"Y/M/D      ", "D/M/Y      ", "M/D/Y      "},
    {"\x94\x4E\x8C\x8E\x93\xFA       ",    // 年月日
     "\x93\xFA\x8C\x8E\x94\x4E       ",    // 日月年
     "\x8C\x8E\x93\xFA\x94\x4E       "}};  // 月日年
constexpr const char* AM_PM_ROWS[SHORT_LIST_ROWS] = {"AM    ", "PM    ", "- - - "};
constexpr const char* PRINT_MODE_ROWS[2][SHORT_LIST_ROWS] = {
    {"No          ", "Front       ", "Back        "},
    {"\x82\xC8\x82\xB5        ",  // なし
     "\x95\x5C\x96\xCA        ",  // 表面
     "\xB3\xD7\x96\xCA        "}};  // ｳﾗ面
// The language and title lists may hold up to 100 rows from before.
constexpr size_t LONG_LIST_CLEARED_ROWS = 100;

// Copies `text` into `slot`, cut at the slot's end; the slot always ends in
// a zero byte.
template <size_t N>
void Put(char (&slot)[N], const char* text) {
    std::snprintf(slot, N, "%s", text);
}

// snprintf for a slot whose value may be wider than the slot: the cut is
// intended (a damaged record must not write past its field).
[[gnu::format(printf, 3, 4)]] void FormatInto(char* slot, size_t size, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(slot, size, format, arguments);
    va_end(arguments);
}

const char* FilmKindText(char kind, uint8_t useJapanese) {
    switch (kind) {
    case 'R':
        return useJapanese != 0 ? KIND_REVERSAL_JAPANESE : KIND_REVERSAL_ENGLISH;
    case 'N':
        return KIND_NEGATIVE;
    case 'B':
        return useJapanese != 0 ? KIND_MONOCHROME_JAPANESE : KIND_MONOCHROME_ENGLISH;
    default:
        return BLANK_28;
    }
}

void FormatDate(const IxTextSource& r, IxTexts& texts) {
    const unsigned year = r.year, month = r.month, day = r.day;
    if (month == 0 || day == 0) {
        Put(texts.date, NO_DATE);
    } else if (r.dateOrder == 'M') {
        FormatInto(texts.date, sizeof texts.date, "%u.%u.'%02u", month, day, year);
    } else if (r.dateOrder == 'D') {
        FormatInto(texts.date, sizeof texts.date, "%u.%u.'%02u", day, month, year);
    } else if (r.dateOrder == 'Y') {
        FormatInto(texts.date, sizeof texts.date, "'%02u.%u.%u", year, month, day);
    } else {
        Put(texts.date, NO_DATE);
    }
    // Two-digit years from 81 on belong to the last century: the film system
    // began after 1980, so nothing earlier was ever recorded.
    const unsigned century = year < 81 ? 20 : 19;
    FormatInto(texts.fullDate, sizeof texts.fullDate, "%u%02u.%u.%u", century, year, month, day);
}

void FormatTime(const IxTextSource& r, IxTexts& texts) {
    const unsigned hour = r.hour, minute = r.minute;
    switch (r.timeFormat) {
    case 'A':
        FormatInto(texts.time12, sizeof texts.time12, "%2u:%02uAM", hour, minute);
        FormatInto(texts.time24, sizeof texts.time24, "%2u:%02u", hour, minute);
        break;
    case 'P':
        FormatInto(texts.time12, sizeof texts.time12, "%2u:%02uPM", hour, minute);
        FormatInto(texts.time24, sizeof texts.time24, "%2u:%02u", hour + 12, minute);
        break;
    case '2':
        FormatInto(texts.time12, sizeof texts.time12, "%2u:%02u  ", hour, minute);
        FormatInto(texts.time24, sizeof texts.time24, "%2u:%02u", hour, minute);
        break;
    default:
        Put(texts.time12, NO_TIME);
        Put(texts.time24, NO_TIME);
        break;
    }
}

// Value (code - 68) x 0.25 with a sign (a blank for zero) and two decimals,
// worked in whole quarters so that no rounding enters.
void FormatCompensation(uint8_t code, IxTexts& texts) {
    if (code < COMPENSATION_FIRST || code > COMPENSATION_LAST) {
        Put(texts.exposureCompensation, NO_COMPENSATION);
        return;
    }
    const int quarters = code - COMPENSATION_ZERO;
    const char sign = quarters < 0 ? '-' : quarters > 0 ? '+' : ' ';
    const unsigned magnitude = static_cast<unsigned>(quarters < 0 ? -quarters : quarters);
    FormatInto(texts.exposureCompensation, sizeof texts.exposureCompensation, "%c%u.%02u", sign,
                  magnitude / 4, magnitude % 4 * 25);
}

template <size_t ROWS, size_t BYTES>
const char* RowOf(const char (&rows)[ROWS][BYTES], uint8_t first, uint8_t code, const char* otherwise) {
    if (code < first || code - first >= static_cast<int>(ROWS)) return otherwise;
    return rows[code - first];
}

void FormatPrintFields(const IxTextSource& r, IxTexts& texts) {
    // Any other non-zero mark means "not printed".
    Put(texts.datePrint, TextOf(PRINT_TEXTS, r.datePrint, "No   "));
    Put(texts.timePrint, TextOf(PRINT_TEXTS, r.timePrint, "No   "));
    Put(texts.aspect, TextOf(ASPECT_TEXTS, r.printAspect, "-"));
    Put(texts.leftRight, r.leftRight != 0 ? "Left" : "Right");
}

void FormatCameraFields(const IxTextSource& r, IxTexts& texts) {
    Put(texts.flash, TextOf(FLASH_TEXTS, r.flash, BLANK_12));
    Put(texts.brightness, TextOf(BRIGHTNESS_TEXTS, r.brightness, "-2 > BV     "));
    Put(texts.onOff, TextOf(ON_OFF_TEXTS, r.onOff, BLANK_3));
    Put(texts.magnification, TextOf(MAGNIFICATION_TEXTS, r.magnification, BLANK_19));
    Put(texts.flashRange, TextOf(FLASH_RANGE_TEXTS, r.flashRange, BLANK_26));
    Put(texts.orientation, TextOf(ORIENTATION_TEXTS, r.orientation, BLANK_35));
    Put(texts.lighting, TextOf(LIGHTING_TEXTS, r.lighting, BLANK_11));
    Put(texts.exposureRange, TextOf(EXPOSURE_RANGE_TEXTS, r.exposureRange, BLANK_21));
    // A wind mode outside the four is blank like every other unknown code,
    // so no text of an earlier frame stays behind.
    Put(texts.windMode, TextOf(WIND_MODE_TEXTS, r.windMode, BLANK_24));
    Put(texts.lightSource, TextOf(LIGHT_SOURCE_TEXTS, r.lightSource, BLANK_12));
    Put(texts.subjectDistance, TextOf(SUBJECT_DISTANCE_TEXTS, r.subjectDistance, BLANK_22));
    Put(texts.printCondition, TextOf(PRINT_CONDITION_TEXTS, r.printCondition, BLANK_46));
    Put(texts.metering, TextOf(METERING_TEXTS, r.meteringMode, BLANK_23));
}

void FormatExposureFields(const IxTextSource& r, IxTexts& texts) {
    Put(texts.aperture, RowOf(APERTURE_ROWS, APERTURE_FIRST, r.apertureCode, NO_APERTURE));
    Put(texts.shutterSpeed, RowOf(SHUTTER_ROWS, SHUTTER_FIRST, r.shutterCode, NO_SPEED));
    Put(texts.auxExposure, RowOf(AUX_EXPOSURE_ROWS, AUX_EXPOSURE_FIRST, r.auxExposureCode, NO_SPEED));
    FormatCompensation(r.exposureCompensationCode, texts);
    Put(texts.auxAperture, RowOf(APERTURE_ROWS, APERTURE_FIRST, r.auxApertureCode, NO_AUX_APERTURE));
}

}  // namespace

void FormatCartridgeInfo(const CartridgeInfo& info, uint8_t useJapanese, IxTexts& texts) {
    Put(texts.filmKind, FilmKindText(info.filmKind, useJapanese));
    FormatInto(texts.speed, sizeof texts.speed, "%-5d ", int{info.filmSpeed});
    FormatInto(texts.exposures, sizeof texts.exposures, "%-2d ", int{info.exposureCount});
}

void FormatIxDate(const IxTextSource& record, uint8_t useJapanese, IxTexts& texts) {
    FormatDate(record, texts);
    FormatTime(record, texts);
    // Language 0 and every number past the thirteen languages read "- - -"
    // in both fields, as does a code past the table.
    Put(texts.titleLanguage, LanguageName(record.titleLanguage, false));
    Put(texts.title, TitleRow(record.titleLanguage, record.titleCode, useJapanese != 0));
}

void FormatIxTexts(const IxTextSource& record, uint8_t useJapanese, IxTexts& texts) {
    FormatIxDate(record, useJapanese, texts);
    FormatPrintFields(record, texts);
    FormatCameraFields(record, texts);
    FormatExposureFields(record, texts);
}

void FormatFrameInfoLine(const IxTexts& texts, bool stripFilm, char* line, size_t capacity) {
    if (line == nullptr || capacity == 0) return;
    std::snprintf(line, capacity, "%-27s%-5s%-2s%s", texts.filmKind, texts.speed, texts.exposures,
                  stripFilm ? " " : "  ");
}

bool UseJapaneseIxFont(uint8_t useJapanese, const char* fontSetting) {
    const char first = fontSetting != nullptr ? fontSetting[0] : '<';
    return useJapanese == 1 && first != 'E' && first != 'e';
}

size_t IxListRows(IxList list, uint8_t titleLanguage, bool japaneseFont, const char* rows[], size_t capacity) {
    if (rows == nullptr) return 0;
    const size_t script = japaneseFont ? 1 : 0;
    size_t count = 0;
    auto add = [&](const char* text) {
        if (count < capacity) rows[count++] = text;
    };
    switch (list) {
    case IxList::DATE_ORDER:
        for (const char* text : DATE_ORDER_ROWS[script]) add(text);
        break;
    case IxList::AM_PM:
        for (const char* text : AM_PM_ROWS) add(text);
        break;
    case IxList::PRINT_MODE:
        for (const char* text : PRINT_MODE_ROWS[script]) add(text);
        break;
    case IxList::LANGUAGE:
        for (uint8_t language = 0; language < TITLE_LANGUAGE_COUNT; ++language) {
            add(LanguageName(language, japaneseFont));
        }
        break;
    case IxList::TITLE:
        // Katakana rows are legible only in the Japanese font.
        for (size_t code = 0; code < TITLE_ROWS; ++code) {
            add(TitleRow(titleLanguage, static_cast<uint8_t>(code), japaneseFont));
        }
        break;
    }
    return count;
}

IxListFont IxListFontOf(IxList list, uint8_t titleLanguage, bool japaneseFont) {
    const IxListFont chosen = japaneseFont ? IxListFont::JAPANESE : IxListFont::ENGLISH;
    switch (list) {
    case IxList::AM_PM:
        return IxListFont::UNCHANGED;
    case IxList::TITLE:
        return IsJapaneseTitleLanguage(titleLanguage) ? chosen : IxListFont::ENGLISH;
    default:
        return chosen;
    }
}

size_t IxListClearedRows(IxList list) {
    return list == IxList::LANGUAGE || list == IxList::TITLE ? LONG_LIST_CLEARED_ROWS : SHORT_LIST_ROWS;
}
