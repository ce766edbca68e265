#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

class CodePageTest : public ::testing::Test {
protected:
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }
};

TEST_F(CodePageTest, DefaultsFollowTheLocaleAndTestsCanOverride) {
    ::setenv("LC_ALL", "ru_RU.UTF-8", 1);
    EXPECT_EQ(platform::GetACP(), 1251u);
    EXPECT_EQ(platform::GetOEMCP(), 866u);
    platform::OverrideCodePages(1252, 850);
    EXPECT_EQ(platform::GetACP(), 1252u);
    EXPECT_EQ(platform::GetOEMCP(), 850u);
    ::unsetenv("LC_ALL");
}

TEST_F(CodePageTest, EveryTraditionalChineseLocaleUsesBig5) {
    for (const char* locale : {"zh_TW.UTF-8", "zh_HK.UTF-8", "zh_MO.UTF-8"}) {
        ::setenv("LC_ALL", locale, 1);
        EXPECT_EQ(platform::GetACP(), 950u) << locale;
        EXPECT_EQ(platform::GetOEMCP(), 950u) << locale;
    }
    ::setenv("LC_ALL", "zh_CN.UTF-8", 1);
    EXPECT_EQ(platform::GetACP(), 936u) << "simplified Chinese is not one of them";
    ::unsetenv("LC_ALL");
}

TEST_F(CodePageTest, WesternTextRoundTrips) {
    const std::u16string text = u"Caf\u00e9 \u00fcber \u20ac5";
    const std::string bytes = platform::WideToMultiByte(1252, text);
    EXPECT_EQ(bytes, "Caf\xe9 \xfc"
                     "ber \x80"
                     "5");
    EXPECT_EQ(platform::MultiByteToWide(1252, bytes), text);
}

TEST_F(CodePageTest, MissingCharactersBecomeTheDefaultCharacter) {
    EXPECT_EQ(platform::WideToMultiByte(1252, u"\u30cd\u30c3\u30c8A"), "???A");
    // A character outside the basic plane is one character, not two.
    EXPECT_EQ(platform::WideToMultiByte(850, u"x\U0001F600y"), "x?y");
    // A lone surrogate cannot be converted at all.
    EXPECT_EQ(platform::WideToMultiByte(1252, std::u16string(1, u'\xD800') + u"z"), "?z");
}

TEST_F(CodePageTest, DoubleByteCodePages) {
    const std::u16string japanese = u"\u30cd\u30c3\u30c8";
    const std::string sjis = platform::WideToMultiByte(932, japanese);
    EXPECT_EQ(sjis.size(), 6u);
    EXPECT_EQ(platform::MultiByteToWide(932, sjis), japanese);
    EXPECT_EQ(platform::MultiByteToWide(936, platform::WideToMultiByte(936, u"\u7f51\u7edc")),
              u"\u7f51\u7edc");
}

TEST_F(CodePageTest, UndefinedAndTruncatedBytesDoNotStopTheConversion) {
    // 0x81 is undefined in 1252; a lone lead byte ends a Shift-JIS text.
    EXPECT_EQ(platform::MultiByteToWide(1252, "a\x81z"), u"a\uFFFDz");
    EXPECT_EQ(platform::MultiByteToWide(932, "ab\x83"), u"ab\uFFFD");
}

TEST_F(CodePageTest, OemCodePagesOfTheirLocales) {
    EXPECT_EQ(platform::WideToMultiByte(850, u"\u00e9"), "\x82");
    EXPECT_EQ(platform::WideToMultiByte(866, u"\u0416"), "\x86");
    EXPECT_EQ(platform::WideToMultiByte(65001, u"\u00e9"), "\xc3\xa9");
}

} // namespace
