// Which language KORVEL speaks. Portable: no Windows headers.
#pragma once

#include <cstdint>

#include "common/keyboard_type.h"

// Added to the string number of a text to get its Japanese variant.
constexpr int32_t JAPANESE_TEXT_OFFSET = 10;

// textOffset: 10 (Japanese) or 0 (English). A Japanese keyboard chooses
// Japanese; the settings key LANGUAGE overrides that when its first
// character is an upper-case J (Japanese) or E (English). Anything else,
// an empty value or a null pointer keeps the keyboard's choice.
int32_t ChooseTextOffset(int32_t keyboardType, const char* languageKey);
