#include "host/core/language_choice.h"

int32_t ChooseTextOffset(int32_t keyboardType, const char* languageKey) {
    int32_t offset = keyboardType == JAPANESE_KEYBOARD_TYPE ? JAPANESE_TEXT_OFFSET : 0;
    if (languageKey != nullptr && languageKey[0] == 'J') {
        offset = JAPANESE_TEXT_OFFSET;
    } else if (languageKey != nullptr && languageKey[0] == 'E') {
        offset = 0;
    }
    return offset;
}
