// The keyboard type Windows reports (GetKeyboardType(0)) for a Japanese
// keyboard: both programs speak Japanese to it unless told otherwise.
// Portable: no Windows headers.
#pragma once

#include <cstdint>

constexpr int32_t JAPANESE_KEYBOARD_TYPE = 7;
