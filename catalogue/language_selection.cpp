#include "catalogue/message_catalogue.h"

#include "platform/lcid.h"

#include <array>

int g_nLanguageIndex = 0;

namespace {

struct LanguageLcid {
    std::uint32_t lcid;
    int column;
};

constexpr int kFrench = 2;
constexpr int kGerman = 3;
constexpr int kSwedish = 4;
constexpr int kDutch = 5;
constexpr int kFinnish = 6;
constexpr int kNorwegian = 7;
constexpr int kRussian = 8;
constexpr int kJapanese = 9;
constexpr int kChinese = 10;
constexpr int kDanish = 11;
constexpr int kItalian = 12;
constexpr int kPolish = 13;
constexpr int kSpanish = 14;

// Only these locales have a column of their own; English ones use column 0.
constexpr auto kLanguageLcids = std::to_array<LanguageLcid>({
    {0x040C, kFrench},    {0x080C, kFrench},  {0x0C0C, kFrench},  {0x100C, kFrench},
    {0x140C, kFrench},    {0x0407, kGerman},  {0x0807, kGerman},  {0x0C07, kGerman},
    {0x1007, kGerman},    {0x1407, kGerman},  {0x041D, kSwedish}, {0x081D, kSwedish},
    {0x0413, kDutch},     {0x0813, kDutch},   {0x040B, kFinnish}, {0x0414, kNorwegian},
    {0x0814, kNorwegian}, {0x0419, kRussian}, {0x0819, kRussian}, {0x0411, kJapanese},
    {0x0404, kChinese},   {0x0804, kChinese}, {0x0C04, kChinese}, {0x1004, kChinese},
    {0x0406, kDanish},    {0x0410, kItalian}, {0x0810, kItalian}, {0x0415, kPolish},
    {0x040A, kSpanish},   {0x080A, kSpanish}, {0x0C0A, kSpanish}, {0x100A, kSpanish},
    {0x140A, kSpanish},   {0x180A, kSpanish}, {0x1C0A, kSpanish}, {0x200A, kSpanish},
    {0x240A, kSpanish},   {0x280A, kSpanish}, {0x2C0A, kSpanish}, {0x300A, kSpanish},
    {0x340A, kSpanish},   {0x380A, kSpanish}, {0x3C0A, kSpanish}, {0x400A, kSpanish},
    {0x440A, kSpanish},   {0x480A, kSpanish}, {0x4C0A, kSpanish}, {0x500A, kSpanish},
});

// Column 0 is English, as column 1; the Chinese column is written in
// simplified characters.
constexpr auto kColumnTags = std::to_array<std::string_view>({
    "en", "en", "fr", "de", "sv", "nl", "fi", "nb", "ru", "ja", "zh_CN", "da", "it", "pl", "es"});
static_assert(kColumnTags.size() == kLanguageCount);

} // namespace

std::string_view LanguageTagOfColumn(int column) {
    return column >= 0 && column < kLanguageCount ? kColumnTags[column] : kColumnTags[0];
}

int LanguageIndexForLcid(std::uint32_t lcid) {
    for (const auto& entry : kLanguageLcids) {
        if (entry.lcid == lcid) {
            return entry.column;
        }
    }
    return 0;
}

void SelectLanguageFromLocale() {
    g_nLanguageIndex = LanguageIndexForLcid(platform::GetUserDefaultLCID());
}
