#include "platform/lcid.h"

#include <gtest/gtest.h>

namespace {

TEST(LocaleNames, MapToWindowsLocaleIdentifiers) {
    EXPECT_EQ(platform::LcidFromLocaleName("ja_JP.UTF-8"), 0x0411u);
    EXPECT_EQ(platform::LcidFromLocaleName("de_AT"), 0x0C07u);
    EXPECT_EQ(platform::LcidFromLocaleName("de_DE.ISO-8859-15@euro"), 0x0407u);
    EXPECT_EQ(platform::LcidFromLocaleName("nl_BE.ISO-8859-1@euro"), 0x0813u);
    EXPECT_EQ(platform::LcidFromLocaleName("zh_TW.UTF-8"), 0x0404u);
    EXPECT_EQ(platform::LcidFromLocaleName("en_GB.UTF-8"), 0x0809u);
    EXPECT_EQ(platform::LcidFromLocaleName("en_HK"), 0x3C09u);
    EXPECT_EQ(platform::LcidFromLocaleName("es_US.UTF-8"), 0x540Au);
    // Spain's traditional sort order has an identifier of its own; elsewhere
    // the modifier changes nothing.
    EXPECT_EQ(platform::LcidFromLocaleName("es_ES.UTF-8@tradnl"), 0x040Au);
    EXPECT_EQ(platform::LcidFromLocaleName("es_MX@tradnl"), 0x080Au);
    // A language alone is its primary locale.
    EXPECT_EQ(platform::LcidFromLocaleName("de"), 0x0407u);
    EXPECT_EQ(platform::LcidFromLocaleName("es.UTF-8"), 0x0C0Au);
}

TEST(LocaleNames, UnknownNamesAreUnitedStatesEnglish) {
    for (const char* name : {"C", "POSIX", "C.UTF-8", "", "_", "@", ".", "xx_YY", "de_XX", "_JP",
                             "ja-JP", "sr_RS@latin"}) {
        EXPECT_EQ(platform::LcidFromLocaleName(name), 0x0409u) << '"' << name << '"';
    }
}

TEST(LocaleNames, EnvironmentIsReadInTheCLibrarysOrder) {
    // Names that only begin the same do not count.
    ::setenv("LANGUAGE", "de_DE.UTF-8", 1);
    ::setenv("LC_ALL_X", "de_DE.UTF-8", 1);
    ::setenv("LANG", "fr_FR.UTF-8", 1);
    ::setenv("LC_MESSAGES", "", 1);
    ::setenv("LC_ALL", "pl_PL.UTF-8", 1);
    EXPECT_EQ(platform::GetUserDefaultLCID(), 0x0415u);
    ::setenv("LC_ALL", "", 1); // set but empty counts as not set
    EXPECT_EQ(platform::GetUserDefaultLCID(), 0x040Cu);
    ::setenv("LC_MESSAGES", "it_CH", 1);
    EXPECT_EQ(platform::GetUserDefaultLCID(), 0x0810u);
    ::setenv("LC_ALL", "C", 1); // the first set one wins, even when it is C
    EXPECT_EQ(platform::GetUserDefaultLCID(), 0x0409u);
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    ::unsetenv("LANG");
    EXPECT_EQ(platform::GetUserDefaultLCID(), 0x0409u);
    ::unsetenv("LANGUAGE");
    ::unsetenv("LC_ALL_X");
}

TEST(LocaleNames, CodePagesOfTheLocale) {
    const auto pages = [](std::uint32_t lcid) {
        const auto result = platform::DefaultCodePagesForLcid(lcid);
        return std::pair(result.ansi, result.oem);
    };
    EXPECT_EQ(pages(0x0419), std::pair(1251u, 866u));
    EXPECT_EQ(pages(0x0415), std::pair(1250u, 852u));
    EXPECT_EQ(pages(0x0411), std::pair(932u, 932u));
    EXPECT_EQ(pages(0x0804), std::pair(936u, 936u));
    EXPECT_EQ(pages(0x0404), std::pair(950u, 950u));
    EXPECT_EQ(pages(0x0406), std::pair(1252u, 865u));
    EXPECT_EQ(pages(0x0814), std::pair(1252u, 865u));
    EXPECT_EQ(pages(0x0C07), std::pair(1252u, 850u));
    EXPECT_EQ(pages(0x0409), std::pair(1252u, 437u));
}

} // namespace
