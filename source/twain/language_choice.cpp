#include "source/twain/language_choice.h"

uint8_t ChooseJapanese(int32_t keyboardType, const char* languageKey) {
    uint8_t japanese = keyboardType == JAPANESE_KEYBOARD_TYPE ? 1 : 0;
    if (languageKey == nullptr) {
        return japanese;
    }
    switch (languageKey[0]) {
    case 'J':
    case 'j':
        return 1;
    case 'E':
    case 'e':
        return 0;
    default:
        return japanese;
    }
}
