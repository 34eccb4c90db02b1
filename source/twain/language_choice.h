// Which language the source speaks. Portable: no Windows headers.
#pragma once

#include <cstdint>

#include "common/keyboard_type.h"


// 1 for Japanese, 0 for English. A Japanese keyboard chooses Japanese; the
// settings key LANGUAGE overrides that when its first character is J/j
// (Japanese) or E/e (English). Any other value, an empty one or a null
// pointer keeps the keyboard's choice.
uint8_t ChooseJapanese(int32_t keyboardType, const char* languageKey);
