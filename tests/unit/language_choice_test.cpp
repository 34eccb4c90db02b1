#include <gtest/gtest.h>

#include "source/twain/language_choice.h"

TEST(LanguageChoice, KeyboardDecidesWhenTheKeyDoesNotSay) {
    EXPECT_EQ(ChooseJapanese(JAPANESE_KEYBOARD_TYPE, "<NO>"), 1);
    EXPECT_EQ(ChooseJapanese(4, "<NO>"), 0);
    EXPECT_EQ(ChooseJapanese(JAPANESE_KEYBOARD_TYPE, ""), 1);
    EXPECT_EQ(ChooseJapanese(JAPANESE_KEYBOARD_TYPE, "Deutsch"), 1);
    EXPECT_EQ(ChooseJapanese(4, "Deutsch"), 0);
    EXPECT_EQ(ChooseJapanese(JAPANESE_KEYBOARD_TYPE, nullptr), 1);
}

TEST(LanguageChoice, FirstLetterOfTheKeyOverridesTheKeyboard) {
    EXPECT_EQ(ChooseJapanese(JAPANESE_KEYBOARD_TYPE, "english"), 0);
    EXPECT_EQ(ChooseJapanese(JAPANESE_KEYBOARD_TYPE, "E"), 0);
    EXPECT_EQ(ChooseJapanese(4, "Japanese"), 1);
    EXPECT_EQ(ChooseJapanese(4, "j"), 1);
    // Only the first character counts.
    EXPECT_EQ(ChooseJapanese(4, " Japanese"), 0);
}
