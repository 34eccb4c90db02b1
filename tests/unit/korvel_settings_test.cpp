#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/core/language_choice.h"
#include "host/core/setting_values.h"

namespace {

TEST(KorvelSettings, LanguageKeyOverridesTheKeyboardOnlyInUpperCase) {
    EXPECT_EQ(ChooseTextOffset(4, nullptr), 0);
    EXPECT_EQ(ChooseTextOffset(7, nullptr), 10);
    EXPECT_EQ(ChooseTextOffset(7, "NG"), 10);
    EXPECT_EQ(ChooseTextOffset(4, "J"), 10);
    EXPECT_EQ(ChooseTextOffset(4, "JAPANESE"), 10);
    EXPECT_EQ(ChooseTextOffset(7, "E"), 0);
    EXPECT_EQ(ChooseTextOffset(4, "j"), 0);
    EXPECT_EQ(ChooseTextOffset(7, "e"), 10);
    EXPECT_EQ(ChooseTextOffset(7, ""), 10);
}

TEST(KorvelSettings, HelpPathsJoinOnlySetValuesThatFit) {
    char path[32];
    EXPECT_TRUE(JoinHelpPath("C:\\help\\", "icons.hlp", path, sizeof path));
    EXPECT_STREQ(path, "C:\\help\\icons.hlp");
    EXPECT_TRUE(JoinHelpPath("C:\\help", "x.hlp", path, sizeof path));
    EXPECT_STREQ(path, "C:\\helpx.hlp") << "joined directly";
    EXPECT_FALSE(JoinHelpPath("NG", "icons.hlp", path, sizeof path));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(JoinHelpPath("C:\\help\\", "NGfile", path, sizeof path));
    EXPECT_FALSE(JoinHelpPath(nullptr, "icons.hlp", path, sizeof path));
    std::string folder(25, 'a');
    EXPECT_TRUE(JoinHelpPath(folder.c_str(), "b.hlp!", path, sizeof path));  // 31 characters
    EXPECT_FALSE(JoinHelpPath(folder.c_str(), "b.hlp!!", path, sizeof path));
    EXPECT_STREQ(path, "");
    EXPECT_TRUE(IsUnsetSetting("NG"));
    EXPECT_TRUE(IsUnsetSetting("NGX"));
    EXPECT_FALSE(IsUnsetSetting("ng"));
    EXPECT_FALSE(IsUnsetSetting("C:\\windows\\twain_32\\x.ds"));
}

}  // namespace
