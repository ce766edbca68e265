#include "platform/lcid.h"

#include <array>
#include <string>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::uint32_t kEnglishUnitedStates = 0x0409;

struct LocaleEntry {
    std::string_view language;
    std::string_view territory; // empty: the language's primary locale
    std::uint32_t lcid;
};

// The first entry of each language is its primary locale.
constexpr std::array kLocales = std::to_array<LocaleEntry>({
    {"en", "US", 0x0409}, {"en", "GB", 0x0809}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009},
    {"en", "NZ", 0x1409}, {"en", "IE", 0x1809}, {"en", "ZA", 0x1C09}, {"en", "JM", 0x2009},
    {"en", "BZ", 0x2809}, {"en", "TT", 0x2C09}, {"en", "ZW", 0x3009}, {"en", "PH", 0x3409},
    {"en", "HK", 0x3C09}, {"en", "IN", 0x4009}, {"en", "MY", 0x4409}, {"en", "SG", 0x4809},
    {"fr", "FR", 0x040C}, {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C}, {"fr", "CH", 0x100C},
    {"fr", "LU", 0x140C}, {"fr", "MC", 0x180C}, {"de", "DE", 0x0407}, {"de", "CH", 0x0807},
    {"de", "AT", 0x0C07}, {"de", "LU", 0x1007}, {"de", "LI", 0x1407}, {"sv", "SE", 0x041D},
    {"sv", "FI", 0x081D}, {"nl", "NL", 0x0413}, {"nl", "BE", 0x0813}, {"fi", "FI", 0x040B},
    {"nb", "NO", 0x0414}, {"no", "NO", 0x0414}, {"nn", "NO", 0x0814}, {"ru", "RU", 0x0419},
    {"ru", "MD", 0x0819}, {"ja", "JP", 0x0411}, {"zh", "CN", 0x0804}, {"zh", "TW", 0x0404},
    {"zh", "HK", 0x0C04}, {"zh", "SG", 0x1004}, {"zh", "MO", 0x1404}, {"da", "DK", 0x0406},
    {"it", "IT", 0x0410}, {"it", "CH", 0x0810}, {"pl", "PL", 0x0415}, {"es", "ES", 0x0C0A},
    {"es", "MX", 0x080A}, {"es", "GT", 0x100A}, {"es", "CR", 0x140A}, {"es", "PA", 0x180A},
    {"es", "DO", 0x1C0A}, {"es", "VE", 0x200A}, {"es", "CO", 0x240A}, {"es", "PE", 0x280A},
    {"es", "AR", 0x2C0A}, {"es", "EC", 0x300A}, {"es", "CL", 0x340A}, {"es", "UY", 0x380A},
    {"es", "PY", 0x3C0A}, {"es", "BO", 0x400A}, {"es", "SV", 0x440A}, {"es", "HN", 0x480A},
    {"es", "NI", 0x4C0A}, {"es", "PR", 0x500A}, {"es", "US", 0x540A},
});

// Locales that a modifier tells apart: Windows gives Spain's traditional sort
// order an identifier of its own (es-ES_tradnl).
struct ModifiedLocaleEntry {
    std::string_view language;
    std::string_view territory;
    std::string_view modifier;
    std::uint32_t lcid;
};

constexpr std::array kModifiedLocales = std::to_array<ModifiedLocaleEntry>({
    {"es", "ES", "tradnl", 0x040A},
});

// Code pages by primary language identifier (the low ten bits of an LCID).
struct LanguageCodePages {
    std::uint32_t primaryLanguage;
    CodePages pages;
};

constexpr std::array kCodePages = std::to_array<LanguageCodePages>({
    {0x09, {1252, 437}}, // English
    {0x19, {1251, 866}}, // Russian
    {0x15, {1250, 852}}, // Polish
    {0x11, {932, 932}},  // Japanese
    {0x04, {936, 936}},  // Chinese
    {0x06, {1252, 865}}, // Danish
    {0x14, {1252, 865}}, // Norwegian
});

// Traditional Chinese locales differ from their language's default.
constexpr std::array kTraditionalChinese = std::to_array<std::uint32_t>({0x0404, 0x0C04, 0x1404});
constexpr CodePages kTraditionalChineseCodePages{950, 950};

constexpr CodePages kWesternCodePages{1252, 850};

} // namespace

std::uint32_t LcidFromLocaleName(std::string_view name) {
    const auto at = name.find('@');
    const auto modifier = at == std::string_view::npos ? std::string_view{} : name.substr(at + 1);
    name = name.substr(0, name.find_first_of(".@"));
    const auto separator = name.find('_');
    const auto language = name.substr(0, separator);
    const auto territory =
        separator == std::string_view::npos ? std::string_view{} : name.substr(separator + 1);

    // Any other modifier does not change the locale (de_DE@euro).
    for (const auto& entry : kModifiedLocales) {
        if (entry.language == language && entry.territory == territory &&
            entry.modifier == modifier) {
            return entry.lcid;
        }
    }
    if (territory.empty()) {
        for (const auto& entry : kLocales) {
            if (entry.language == language) {
                return entry.lcid;
            }
        }
    }
    for (const auto& entry : kLocales) {
        if (entry.language == language && entry.territory == territory) {
            return entry.lcid;
        }
    }
    return kEnglishUnitedStates;
}

std::string_view UserLocaleName() {
    // One pass over the environment instead of a getenv for each name: a
    // load asks for the code pages once per secret.
    constexpr std::array<std::string_view, 3> kVariables = {"LC_ALL=", "LC_MESSAGES=", "LANG="};
    std::array<const char*, kVariables.size()> values{};
    // An entry shorter than the prefix differs at its terminating zero.
    const auto startsWith = [](const char* entry, std::string_view prefix) {
        for (size_t i = 0; i < prefix.size(); ++i) {
            if (entry[i] != prefix[i]) {
                return false;
            }
        }
        return true;
    };
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        if (**entry != 'L') {
            continue; // all three start so
        }
        for (size_t i = 0; i < kVariables.size(); ++i) {
            // The first entry of a name is the one getenv gives.
            if (values[i] == nullptr && startsWith(*entry, kVariables[i])) {
                values[i] = *entry + kVariables[i].size();
            }
        }
    }
    for (const char* value : values) {
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

std::uint32_t GetUserDefaultLCID() {
    const std::string_view name = UserLocaleName();
    return name.empty() ? kEnglishUnitedStates : LcidFromLocaleName(name);
}

CodePages DefaultCodePagesForLcid(std::uint32_t lcid) {
    for (const std::uint32_t traditional : kTraditionalChinese) {
        if (lcid == traditional) {
            return kTraditionalChineseCodePages;
        }
    }
    const std::uint32_t primaryLanguage = lcid & 0x3FF;
    for (const auto& entry : kCodePages) {
        if (entry.primaryLanguage == primaryLanguage) {
            return entry.pages;
        }
    }
    return kWesternCodePages;
}

} // namespace platform
