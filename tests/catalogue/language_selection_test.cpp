#include "catalogue/message_catalogue.h"
#include "platform/lcid.h"
#include "tests/support/locale_environment.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(LanguageIndexForLcid, ComparesTheWholeIdentifier) {
    EXPECT_EQ(LanguageIndexForLcid(0x0411), 9);
    EXPECT_EQ(LanguageIndexForLcid(0x10411), 0); // Japanese with another sort order
    EXPECT_EQ(LanguageIndexForLcid(0x10407), 0);
    EXPECT_EQ(LanguageIndexForLcid(0x500A), 14);
    EXPECT_EQ(LanguageIndexForLcid(0x540A), 0); // Spanish, United States
    EXPECT_EQ(LanguageIndexForLcid(0x1404), 0); // Chinese, Macao
    EXPECT_EQ(LanguageIndexForLcid(0x180C), 0); // French, Monaco
    EXPECT_EQ(LanguageIndexForLcid(0), 0);
    EXPECT_EQ(LanguageIndexForLcid(0xFFFFFFFF), 0);
}

TEST(LanguageIndexForLcid, EnglishNeverSelectsTheEnglishColumn) {
    for (std::uint32_t sublanguage = 1; sublanguage <= 0x14; ++sublanguage) {
        EXPECT_EQ(LanguageIndexForLcid(sublanguage << 10 | 0x09), 0) << sublanguage;
    }
}

// Each locale name, the identifier it stands for, and the column it selects.
struct LocaleCase {
    const char* name;
    std::uint32_t lcid;
    int column;
};

const std::vector<LocaleCase> kEveryTranslatedLocale = {
    {"fr_FR", 0x040C, 2},  {"fr_BE", 0x080C, 2},         {"fr_CA", 0x0C0C, 2},
    {"fr_CH", 0x100C, 2},  {"fr_LU", 0x140C, 2},         {"de_DE", 0x0407, 3},
    {"de_CH", 0x0807, 3},  {"de_AT", 0x0C07, 3},         {"de_LU", 0x1007, 3},
    {"de_LI", 0x1407, 3},  {"sv_SE", 0x041D, 4},         {"sv_FI", 0x081D, 4},
    {"nl_NL", 0x0413, 5},  {"nl_BE", 0x0813, 5},         {"fi_FI", 0x040B, 6},
    {"nb_NO", 0x0414, 7},  {"nn_NO", 0x0814, 7},         {"ru_RU", 0x0419, 8},
    {"ru_MD", 0x0819, 8},  {"ja_JP", 0x0411, 9},         {"zh_TW", 0x0404, 10},
    {"zh_CN", 0x0804, 10}, {"zh_HK", 0x0C04, 10},        {"zh_SG", 0x1004, 10},
    {"da_DK", 0x0406, 11}, {"it_IT", 0x0410, 12},        {"it_CH", 0x0810, 12},
    {"pl_PL", 0x0415, 13}, {"es_ES@tradnl", 0x040A, 14}, {"es_MX", 0x080A, 14},
    {"es_ES", 0x0C0A, 14}, {"es_GT", 0x100A, 14},        {"es_CR", 0x140A, 14},
    {"es_PA", 0x180A, 14}, {"es_DO", 0x1C0A, 14},        {"es_VE", 0x200A, 14},
    {"es_CO", 0x240A, 14}, {"es_PE", 0x280A, 14},        {"es_AR", 0x2C0A, 14},
    {"es_EC", 0x300A, 14}, {"es_CL", 0x340A, 14},        {"es_UY", 0x380A, 14},
    {"es_PY", 0x3C0A, 14}, {"es_BO", 0x400A, 14},        {"es_SV", 0x440A, 14},
    {"es_HN", 0x480A, 14}, {"es_NI", 0x4C0A, 14},        {"es_PR", 0x500A, 14},
};

TEST(LocaleName, EveryTranslatedLanguageIsReachable) {
    ASSERT_EQ(kEveryTranslatedLocale.size(), 48u);
    for (const auto& locale : kEveryTranslatedLocale) {
        EXPECT_EQ(platform::LcidFromLocaleName(locale.name), locale.lcid) << locale.name;
        EXPECT_EQ(LanguageIndexForLcid(locale.lcid), locale.column) << locale.name;
    }
}

// A column's tag names its own language: read back as a locale, it selects
// the column again (column 1 is English as column 0 and is never selected).
TEST(LanguageTagOfColumn, ReadBackAsALocaleSelectsTheColumn) {
    for (int column = 0; column < kLanguageCount; ++column) {
        const std::string tag(LanguageTagOfColumn(column));
        EXPECT_EQ(LanguageIndexForLcid(platform::LcidFromLocaleName(tag)), column == 1 ? 0 : column)
            << tag;
    }
    EXPECT_EQ(LanguageTagOfColumn(-1), "en");
    EXPECT_EQ(LanguageTagOfColumn(kLanguageCount), "en");
}

TEST(SelectLanguageFromLocale, SetsTheColumnFromTheEnvironment) {
    const std::vector<std::pair<const char*, int>> cases = {{"ja_JP.UTF-8", 9},
                                                            {"nl_NL.UTF-8", 5},
                                                            {"es_US.UTF-8", 0},
                                                            {"en_US.UTF-8", 0},
                                                            {"pl_PL.UTF-8", 13}};
    for (const auto& [lang, column] : cases) {
        const CLocaleEnvironment environment(nullptr, nullptr, lang);
        g_nLanguageIndex = -1;
        SelectLanguageFromLocale();
        EXPECT_EQ(g_nLanguageIndex, column) << lang;
    }
    g_nLanguageIndex = 0;
}

} // namespace
