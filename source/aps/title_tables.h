// The title tables of APS film and the names of their languages. A camera
// writes a title as two numbers, a language (1..13) and a row of that
// language's table (0..89); these tables turn the pair back into the words
// the camera offered. The texts are the film system's own, kept byte for
// byte: European languages in Windows-1252, Japanese in Shift-JIS (half-width
// katakana and double-byte characters). Portable: no Windows headers.
//
// Every function returns a pointer to constant text that lives as long as
// the program; none ever returns a null pointer, whatever the numbers.
#pragma once

#include <cstddef>
#include <cstdint>

// Rows of a title table: codes 0..89 and a closing row 90, "- - -".
constexpr size_t TITLE_ROWS = 91;
// A title's slot, terminator included; every row fits it.
constexpr size_t TITLE_TEXT_BYTES = 50;
// Languages 0 (none) and 1..13; the rows of the language list.
constexpr uint8_t TITLE_LANGUAGE_COUNT = 14;
// A language name's slot, terminator included.
constexpr size_t LANGUAGE_NAME_BYTES = 30;
// The two Japanese languages, whose titles exist in English words and in
// half-width katakana.
constexpr uint8_t LANGUAGE_JAPANESE_1 = 6;
constexpr uint8_t LANGUAGE_JAPANESE_2 = 7;
// The text of an unassigned row, of language 0 and of every out-of-range
// number.
inline constexpr char NO_TITLE[] = "- - -";

// True for languages 6 and 7.
bool IsJapaneseTitleLanguage(uint8_t language);

// Row `code` of the title table of `language`. Languages 6 and 7 take the
// half-width katakana table when `katakana` is true, the English-worded one
// otherwise; `katakana` means nothing for other languages. Language 0, 14 and
// above (the placeholder table) and codes of 91 and above give "- - -".
const char* TitleRow(uint8_t language, uint8_t code, bool katakana);

// The name of `language`: English ("Danish") or, with `japanese`, Shift-JIS.
// Row 0 and rows 14 and above are "- - -".
const char* LanguageName(uint8_t language, bool japanese);
