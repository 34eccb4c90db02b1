// The texts of an APS frame and the title tables. Expected texts are written
// out by hand; non-ASCII bytes in hex (Windows-1252 for European titles,
// Shift-JIS for Japanese), worked out from the code pages' charts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "source/aps/ix_texts.h"
#include "source/aps/title_tables.h"

namespace {

// A dated record: 15.03.2005, 24-hour 14:30, month-first order.
IxTextSource Dated() {
    IxTextSource r = {};
    r.year = 5;
    r.month = 3;
    r.day = 15;
    r.hour = 14;
    r.minute = 30;
    r.timeFormat = '2';
    r.dateOrder = 'M';
    return r;
}

IxTexts Formatted(const IxTextSource& r, uint8_t useJapanese = 0) {
    IxTexts texts;
    std::memset(&texts, 0x55, sizeof texts);  // no field may lean on a zeroed record
    FormatIxTexts(r, useJapanese, texts);
    return texts;
}

std::string Title(uint8_t language, uint8_t code, bool katakana = false) {
    return TitleRow(language, code, katakana);
}

std::string Row(IxList list, size_t row, bool japaneseFont, uint8_t language = 0) {
    const char* rows[IX_LIST_MAX_ROWS] = {};
    const size_t count = IxListRows(list, language, japaneseFont, rows, IX_LIST_MAX_ROWS);
    return row < count ? rows[row] : "<missing>";
}

}  // namespace

TEST(IxTextsDate, OrdersCenturiesAndMissingDates) {
    IxTextSource r = Dated();
    EXPECT_STREQ(Formatted(r).date, "3.15.'05");
    EXPECT_STREQ(Formatted(r).fullDate, "2005.3.15");
    r.dateOrder = 'D';
    EXPECT_STREQ(Formatted(r).date, "15.3.'05");
    r.dateOrder = 'Y';
    EXPECT_STREQ(Formatted(r).date, "'05.3.15");
    // No order: no date shown, yet the full date stays.
    r.dateOrder = 0;
    EXPECT_STREQ(Formatted(r).date, "- - - - -");
    EXPECT_STREQ(Formatted(r).fullDate, "2005.3.15");
    r.dateOrder = 'M';
    r.year = 80;
    EXPECT_STREQ(Formatted(r).fullDate, "2080.3.15");
    r.year = 81;
    EXPECT_STREQ(Formatted(r).fullDate, "1981.3.15");
    r.day = 0;
    EXPECT_STREQ(Formatted(r).date, "- - - - -");
    // A year no decoder gives (a damaged index file) is cut at the slot.
    r = Dated();
    r.dateOrder = 'Y';
    r.year = 255;
    r.month = 12;
    r.day = 31;
    IxTexts t = Formatted(r);
    EXPECT_STREQ(t.date, "'255.12.3");      // "'255.12.31" less its last character
    EXPECT_STREQ(t.fullDate, "19255.12.3");
}

TEST(IxTextsDate, TwelveAndTwentyFourHourTimes) {
    IxTextSource r = Dated();
    r.timeFormat = 'P';
    r.hour = 3;
    r.minute = 5;
    IxTexts t = Formatted(r);
    EXPECT_STREQ(t.time12, " 3:05PM");
    EXPECT_STREQ(t.time24, "15:05");
    r.timeFormat = 'A';
    t = Formatted(r);
    EXPECT_STREQ(t.time12, " 3:05AM");
    EXPECT_STREQ(t.time24, " 3:05");
    r.timeFormat = '2';
    r.hour = 15;
    EXPECT_STREQ(Formatted(r).time12, "15:05  ");
    r.timeFormat = 0;
    t = Formatted(r);
    EXPECT_STREQ(t.time12, "- - - -");
    EXPECT_STREQ(t.time24, "- - - -");
    r.timeFormat = 'A';
    r.hour = 255;
    EXPECT_STREQ(Formatted(r).time12, "255:05A");  // cut at the 8-byte slot
}

TEST(IxTextsDate, TitleAndLanguage) {
    IxTextSource r = Dated();
    r.titleLanguage = 13;
    r.titleCode = 61;
    IxTexts t = Formatted(r);
    EXPECT_STREQ(t.titleLanguage, "U.S. English");
    EXPECT_STREQ(t.title, "Remembrance Day");
    r.titleCode = 62;
    EXPECT_STREQ(Formatted(r).title, "- - -");
    r.titleCode = 90;
    EXPECT_STREQ(Formatted(r).title, "- - -");
    r.titleCode = 255;
    EXPECT_STREQ(Formatted(r).title, "- - -");
    for (int language : {0, 14, 89, 90, 255}) {
        r.titleLanguage = static_cast<uint8_t>(language);
        r.titleCode = 0;
        t = Formatted(r);
        EXPECT_STREQ(t.titleLanguage, "- - -") << language;
        EXPECT_STREQ(t.title, "- - -") << language;
    }
    // Japanese titles follow the interface; the language name stays English.
    r.titleLanguage = 7;
    r.titleCode = 0;
    EXPECT_STREQ(Formatted(r, 0).title, "Christmas");
    t = Formatted(r, 1);
    EXPECT_STREQ(t.title, "\xB8\xD8\xBD\xCF\xBD");  // ｸﾘｽﾏｽ
    EXPECT_STREQ(t.titleLanguage, "Japanese 2");
}

TEST(IxTextsCartridge, KindsSpeedAndInfoLine) {
    IxTexts t = {};
    FormatCartridgeInfo(CartridgeInfo{'R', 25, 200}, 0, t);
    EXPECT_STREQ(t.filmKind, "Color slide                 ");
    EXPECT_STREQ(t.speed, "200   ");
    EXPECT_STREQ(t.exposures, "25 ");
    char line[41];
    std::memset(line, '#', sizeof line);
    FormatFrameInfoLine(t, false, line, 40);
    EXPECT_STREQ(line, "Color slide                 200   25   ");
    FormatFrameInfoLine(t, true, line, 40);
    EXPECT_STREQ(line, "Color slide                 200   25  ");

    FormatCartridgeInfo(CartridgeInfo{'R', 25, 200}, 1, t);
    EXPECT_STREQ(t.filmKind, "Color reversal              ");
    FormatCartridgeInfo(CartridgeInfo{'B', 15, 400}, 1, t);
    EXPECT_STREQ(t.filmKind, "Monochrome negative         ");
    FormatCartridgeInfo(CartridgeInfo{'B', 15, 400}, 0, t);
    EXPECT_STREQ(t.filmKind, "Black & White               ");
    FormatCartridgeInfo(CartridgeInfo{'?', 15, 400}, 0, t);
    EXPECT_STREQ(t.filmKind, "                            ");

    // A three-digit exposure count makes the line 40 characters: it is cut
    // to 39 and the slot's end stays untouched.
    FormatCartridgeInfo(CartridgeInfo{'N', 255, 65535}, 0, t);
    std::memset(line, '#', sizeof line);
    FormatFrameInfoLine(t, false, line, 40);
    EXPECT_STREQ(line, "Color negative              65535 255  ");
    EXPECT_EQ(line[40], '#');
}

TEST(IxTextsCodes, NumericTablesAndTheirEnds) {
    IxTextSource r = Dated();
    r.shutterCode = 27;
    r.apertureCode = 59;
    r.auxApertureCode = 121;
    r.auxExposureCode = 60;
    r.exposureCompensationCode = 43;
    IxTexts t = Formatted(r);
    // Placeholders are cut to their slots (16 and 8 bytes).
    EXPECT_STREQ(t.shutterSpeed, "- - -          ");
    EXPECT_STREQ(t.auxExposure, "- - -          ");
    EXPECT_STREQ(t.aperture, "- - -  ");
    EXPECT_STREQ(t.exposureCompensation, "- - -  ");
    EXPECT_STREQ(t.auxAperture, "     ");

    r.shutterCode = 28;
    r.apertureCode = 60;
    r.auxApertureCode = 120;
    r.auxExposureCode = 61;
    r.exposureCompensationCode = 44;
    t = Formatted(r);
    EXPECT_STREQ(t.shutterSpeed, "960 sec");
    EXPECT_STREQ(t.aperture, "0.5  ");
    EXPECT_STREQ(t.auxAperture, "90.0 ");
    EXPECT_STREQ(t.auxExposure, "1.0  ");
    EXPECT_STREQ(t.exposureCompensation, "-6.00");

    r.shutterCode = 72;
    r.apertureCode = 68;
    r.auxExposureCode = 107;
    r.exposureCompensationCode = 68;
    t = Formatted(r);
    EXPECT_STREQ(t.shutterSpeed, "1/2    ");
    EXPECT_STREQ(t.aperture, "1.0  ");
    EXPECT_STREQ(t.auxExposure, "16000");
    EXPECT_STREQ(t.exposureCompensation, " 0.00");

    r.shutterCode = 127;
    r.exposureCompensationCode = 69;
    t = Formatted(r);
    EXPECT_STREQ(t.shutterSpeed, "1/25600");
    EXPECT_STREQ(t.exposureCompensation, "+0.25");
    r.shutterCode = 120;
    r.exposureCompensationCode = 67;
    t = Formatted(r);
    EXPECT_STREQ(t.shutterSpeed, "1/8000 ");
    EXPECT_STREQ(t.exposureCompensation, "-0.25");
    r.exposureCompensationCode = 92;
    EXPECT_STREQ(Formatted(r).exposureCompensation, "+6.00");
    r.exposureCompensationCode = 93;
    EXPECT_STREQ(Formatted(r).exposureCompensation, "- - -  ");
}

TEST(IxTextsCodes, CodedFieldsAndTheirBlanks) {
    IxTextSource r = Dated();
    r.datePrint = 'F';
    r.timePrint = 'N';
    r.printAspect = 64;
    r.leftRight = 16;
    r.flash = 12;
    r.brightness = 2;
    r.windMode = 8;
    r.orientation = 16;
    r.meteringMode = 3;
    IxTexts t = Formatted(r);
    EXPECT_STREQ(t.datePrint, "Front");
    EXPECT_STREQ(t.timePrint, "No   ");
    EXPECT_STREQ(t.aspect, "H");
    EXPECT_STREQ(t.leftRight, "Left");
    EXPECT_STREQ(t.flash, "did Fire    ");
    EXPECT_STREQ(t.brightness, " 3 > BV > -2");
    EXPECT_STREQ(t.windMode, "Start Prewind     Camera");
    EXPECT_STREQ(t.orientation, "Top of image away from perforations");
    EXPECT_STREQ(t.metering, "Center-weighted average");

    r.datePrint = 0;
    r.timePrint = 'B';
    r.printAspect = 33;
    r.leftRight = 0;
    r.flash = 9;
    r.brightness = 200;
    r.windMode = 4;  // not a wind mode: blank, never an earlier frame's text
    r.magnification = 3;
    r.printCondition = 0;
    t = Formatted(r);
    EXPECT_STREQ(t.datePrint, "- - -");
    EXPECT_STREQ(t.timePrint, "Back ");
    EXPECT_STREQ(t.aspect, "-");
    EXPECT_STREQ(t.leftRight, "Right");
    EXPECT_STREQ(t.flash, "            ");
    EXPECT_STREQ(t.brightness, "-2 > BV     ");
    EXPECT_STREQ(t.windMode, "                        ");
    EXPECT_STREQ(t.magnification, "                   ");
    EXPECT_EQ(std::string(t.printCondition), std::string(46, ' '));
}

// First and last assigned rows, an unassigned row, and each accented letter
// of every table.
TEST(IxTextsTitleTables, EuropeanLanguages) {
    // 1 Danish
    EXPECT_EQ(Title(1, 0), "Jul");
    EXPECT_EQ(Title(1, 1), "F\xF8" "dselsdag");                       // ø
    EXPECT_EQ(Title(1, 10), "\xC5rsdag");                             // Å
    EXPECT_EQ(Title(1, 16), "Gl\xE6" "delig julog Godt Nyt \xC5r!");  // æ, as written
    EXPECT_EQ(Title(1, 22), "P\xE5 tur");                             // å
    EXPECT_EQ(Title(1, 66), "Danmark\xB4s befrielse");                // ´
    EXPECT_EQ(Title(1, 69), "Sankta Lucia");
    EXPECT_EQ(Title(1, 5), "- - -");
    EXPECT_EQ(Title(1, 70), "- - -");
    // 2 Finnish, with its closing quotation marks
    EXPECT_EQ(Title(2, 0), "Joulu");
    EXPECT_EQ(Title(2, 1), "Syntym\xE4p\xE4iv\xE4\"");  // ä
    EXPECT_EQ(Title(2, 28), "\xC4itienp\xE4iv\xE4\"");  // Ä
    EXPECT_EQ(Title(2, 52), "Itsen\xE4isyysp\xE4iv\xE4\"");
    EXPECT_EQ(Title(2, 65), "IIoista p\xE4\xE4si\xE4ist\xE4!");
    EXPECT_EQ(Title(2, 12), "- - -");
    // 3 French
    EXPECT_EQ(Title(3, 0), "No\xEBl");                        // ë
    EXPECT_EQ(Title(3, 6), "Remise des Dipl\xF4mes");         // ô
    EXPECT_EQ(Title(3, 8), "R\xE9" "ception");                // é
    EXPECT_EQ(Title(3, 24), "P\xE2ques");                     // â
    EXPECT_EQ(Title(3, 27), "F\xEAte des P\xE8res");          // ê, è
    EXPECT_EQ(Title(3, 74), "D\xE9" "fil\xE9\"");
    EXPECT_EQ(Title(3, 80), "Festival de musique");
    EXPECT_EQ(Title(3, 81), "- - -");
    // 4 German
    EXPECT_EQ(Title(4, 0), "Weihnachten");
    EXPECT_EQ(Title(4, 6), "Abschlu\xDF" "feier");            // ß
    EXPECT_EQ(Title(4, 10), "Jubil\xE4um");                   // ä
    EXPECT_EQ(Title(4, 15), "Dankesch\xF6n");                 // ö
    EXPECT_EQ(Title(4, 17), "Herzlichen Gl\xFC" "ckwunsch zum Geburtstag");  // ü
    EXPECT_EQ(Title(4, 63), "St. Martins Tag");
    EXPECT_EQ(Title(4, 16), "- - -");
    // 5 Italian
    EXPECT_EQ(Title(5, 0), "Natale");
    EXPECT_EQ(Title(5, 5), "Hanukk\xE1\"");                   // á
    EXPECT_EQ(Title(5, 27), "Festa del Pap\xE0\"");           // à
    EXPECT_EQ(Title(5, 59), "Tanti Auguri");
    EXPECT_EQ(Title(5, 60), "- - -");
    // 8 Norwegian
    EXPECT_EQ(Title(8, 0), "Jul");
    EXPECT_EQ(Title(8, 1), "F\xF8" "dselsdag");
    EXPECT_EQ(Title(8, 30), "Barned\xE5p");
    EXPECT_EQ(Title(8, 58), "\xC6resgjest");                  // Æ
    EXPECT_EQ(Title(8, 63), "1. Mai");
    EXPECT_EQ(Title(8, 64), "- - -");
    // 9 Portuguese
    EXPECT_EQ(Title(9, 0), "Natal");
    EXPECT_EQ(Title(9, 1), "Anivers\xE1rio");                 // á
    EXPECT_EQ(Title(9, 2), "F\xE9rias");                      // é
    EXPECT_EQ(Title(9, 22), "Excurs\xE3o");                   // ã
    EXPECT_EQ(Title(9, 29), "Lembran\xE7" "as");              // ç
    EXPECT_EQ(Title(9, 56), "S\xE3o Jos\xE9\"");
    EXPECT_EQ(Title(9, 67), "Deus te Aben\xE7oe");
    EXPECT_EQ(Title(9, 5), "- - -");
    // 10 Spanish
    EXPECT_EQ(Title(10, 0), "Navidad");
    EXPECT_EQ(Title(10, 1), "Cumplea\xF1os");                 // ñ
    EXPECT_EQ(Title(10, 6), "Graduaci\xF3n");                 // ó
    EXPECT_EQ(Title(10, 21), "Primer d\xED" "a de colegio");  // í
    EXPECT_EQ(Title(10, 70), "\xA1" "Buena Suerte!");         // ¡
    EXPECT_EQ(Title(10, 76), "Feliz Quincea\xF1" "era");
    EXPECT_EQ(Title(10, 77), "- - -");
    // 11 Swedish
    EXPECT_EQ(Title(11, 0), "Jul");
    EXPECT_EQ(Title(11, 1), "F\xF6" "delsedag");              // ö
    EXPECT_EQ(Title(11, 3), "Smekm\xE5nad");                  // å
    EXPECT_EQ(Title(11, 11), "V\xE4nner");                    // ä
    EXPECT_EQ(Title(11, 26), "\xC5terf\xF6rening");           // Å
    EXPECT_EQ(Title(11, 70), "Allhelgonadagen");
    EXPECT_EQ(Title(11, 71), "- - -");
}

TEST(IxTextsTitleTables, EnglishAndJapaneseLanguages) {
    // 12 U.K. and 13 U.S. English
    EXPECT_EQ(Title(12, 0), "Christmas");
    EXPECT_EQ(Title(12, 10), "Anniversary of Marriage");
    EXPECT_EQ(Title(12, 54), "St.Valentine's Day");
    EXPECT_EQ(Title(12, 59), "May Day Holiday");
    EXPECT_EQ(Title(12, 60), "- - -");
    EXPECT_EQ(Title(13, 10), "Anniversary");
    EXPECT_EQ(Title(13, 16), "Season's Greetings");
    EXPECT_EQ(Title(13, 50), "Halloween");
    EXPECT_EQ(Title(13, 31), "- - -");
    // 6 and 7 in English words; the katakana flag means nothing elsewhere.
    EXPECT_EQ(Title(6, 0), "Christmas");
    EXPECT_EQ(Title(6, 5), "- - -");
    EXPECT_EQ(Title(7, 13), "- - -");
    EXPECT_EQ(Title(6, 58), "Celebration of 7,5,3 years old children");
    EXPECT_EQ(Title(7, 77), "First day of Kindergarten");
    EXPECT_EQ(Title(13, 0, true), "Christmas");
    // 6 and 7 in half-width katakana: dakuten DE, handakuten DF, long vowel
    // B0, small letters A7 A8 AD AE AF.
    EXPECT_EQ(Title(6, 0, true), "\xB8\xD8\xBD\xCF\xBD");                  // ｸﾘｽﾏｽ
    EXPECT_EQ(Title(6, 1, true), "\xC0\xDD\xBC\xDE\xAE\xB3\xCB\xDE");      // ﾀﾝｼﾞｮｳﾋﾞ
    EXPECT_EQ(Title(7, 2, true), "\xB7\xAD\xB3\xB6");                      // ｷｭｳｶ
    EXPECT_EQ(Title(7, 4, true), "\xB9\xAF\xBA\xDD");                      // ｹｯｺﾝ
    EXPECT_EQ(Title(6, 7, true), "\xCC\xA7\xD0\xD8\xB0");                  // ﾌｧﾐﾘｰ
    EXPECT_EQ(Title(6, 8, true), "\xCA\xDF\xB0\xC3\xA8\xB0");              // ﾊﾟｰﾃｨｰ
    EXPECT_EQ(Title(6, 71, true), "\xB5\xB9\xDE\xDD\xB7\xC3\xDE\xBD\xB6?");  // ｵｹﾞﾝｷﾃﾞｽｶ?
    EXPECT_EQ(Title(7, 77, true), "\xC6\xAD\xB3\xB4\xDD");                 // ﾆｭｳｴﾝ
    EXPECT_EQ(Title(6, 13, true), "- - -");
    EXPECT_EQ(Title(6, 78, true), "- - -");
    // No language and the placeholder languages
    EXPECT_EQ(Title(0, 0), "- - -");
    EXPECT_EQ(Title(14, 1), "- - -");
    EXPECT_EQ(Title(89, 50, true), "- - -");
}

TEST(IxTextsLists, RowsFontsAndShiftJis) {
    // Shift-JIS: 年 94 4E, 月 8C 8E, 日 93 FA, な 82 C8, し 82 B5, 表 95 5C
    // (a second byte that reads as a backslash), 面 96 CA, ｳﾗ B3 D7.
    EXPECT_EQ(Row(IxList::DATE_ORDER, 0, false), "Y/M/D      ");
    EXPECT_EQ(Row(IxList::DATE_ORDER, 0, true), "\x94\x4E\x8C\x8E\x93\xFA       ");
    EXPECT_EQ(Row(IxList::DATE_ORDER, 2, true), "\x8C\x8E\x93\xFA\x94\x4E       ");
    EXPECT_EQ(Row(IxList::AM_PM, 2, true), "- - - ");
    EXPECT_EQ(Row(IxList::PRINT_MODE, 2, false), "Back        ");
    EXPECT_EQ(Row(IxList::PRINT_MODE, 0, true), "\x82\xC8\x82\xB5        ");
    EXPECT_EQ(Row(IxList::PRINT_MODE, 1, true), "\x95\x5C\x96\xCA        ");
    EXPECT_EQ(Row(IxList::PRINT_MODE, 2, true), "\xB3\xD7\x96\xCA        ");
    // Language names: 語 8C EA, 日本 93 FA 96 7B, 英 89 70, small ｪ AA.
    EXPECT_EQ(Row(IxList::LANGUAGE, 0, true), "- - -");
    EXPECT_EQ(Row(IxList::LANGUAGE, 1, false), "Danish");
    EXPECT_EQ(Row(IxList::LANGUAGE, 1, true), "\xC3\xDE\xDD\xCF\xB0\xB8\x8C\xEA");   // ﾃﾞﾝﾏｰｸ語
    EXPECT_EQ(Row(IxList::LANGUAGE, 6, true), "\x93\xFA\x96\x7B\x8C\xEA 1");        // 日本語 1
    EXPECT_EQ(Row(IxList::LANGUAGE, 8, true), "\xC9\xD9\xB3\xAA\xB0\x8C\xEA");      // ﾉﾙｳｪｰ語
    EXPECT_EQ(Row(IxList::LANGUAGE, 13, true), "\xB1\xD2\xD8\xB6\x89\x70\x8C\xEA");  // ｱﾒﾘｶ英語
    EXPECT_EQ(LanguageName(14, true), std::string("- - -"));
    // Titles: katakana only with the Japanese font.
    EXPECT_EQ(Row(IxList::TITLE, 0, true, 6), "\xB8\xD8\xBD\xCF\xBD");
    EXPECT_EQ(Row(IxList::TITLE, 0, false, 6), "Christmas");
    EXPECT_EQ(Row(IxList::TITLE, 90, false, 13), "- - -");
    for (size_t code = 0; code < 91; ++code) EXPECT_EQ(Row(IxList::TITLE, code, false, 0), "- - -");

    const char* rows[IX_LIST_MAX_ROWS] = {};
    EXPECT_EQ(IxListRows(IxList::TITLE, 3, false, rows, IX_LIST_MAX_ROWS), 91u);
    EXPECT_EQ(IxListRows(IxList::LANGUAGE, 0, false, rows, IX_LIST_MAX_ROWS), 14u);
    EXPECT_EQ(IxListRows(IxList::AM_PM, 0, false, rows, IX_LIST_MAX_ROWS), 3u);
    rows[2] = nullptr;
    EXPECT_EQ(IxListRows(IxList::TITLE, 3, false, rows, 2), 2u);  // never past the caller's room
    EXPECT_EQ(rows[2], nullptr);

    EXPECT_EQ(IxListFontOf(IxList::AM_PM, 0, true), IxListFont::UNCHANGED);
    EXPECT_EQ(IxListFontOf(IxList::DATE_ORDER, 0, true), IxListFont::JAPANESE);
    EXPECT_EQ(IxListFontOf(IxList::LANGUAGE, 0, false), IxListFont::ENGLISH);
    EXPECT_EQ(IxListFontOf(IxList::TITLE, 7, true), IxListFont::JAPANESE);
    EXPECT_EQ(IxListFontOf(IxList::TITLE, 3, true), IxListFont::ENGLISH);
    EXPECT_EQ(IxListClearedRows(IxList::TITLE), 100u);
    EXPECT_EQ(IxListClearedRows(IxList::PRINT_MODE), 3u);
}

TEST(IxTextsLists, FontRule) {
    EXPECT_TRUE(UseJapaneseIxFont(1, "<NO>"));
    EXPECT_TRUE(UseJapaneseIxFont(1, nullptr));
    EXPECT_TRUE(UseJapaneseIxFont(1, "J"));
    EXPECT_FALSE(UseJapaneseIxFont(1, "English"));
    EXPECT_FALSE(UseJapaneseIxFont(1, "e"));
    EXPECT_FALSE(UseJapaneseIxFont(0, "<NO>"));
    EXPECT_FALSE(UseJapaneseIxFont(2, "<NO>"));
}
