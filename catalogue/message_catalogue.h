#pragma once
#include "catalogue/message_ids.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The catalogue of every text both programs show: one row per message, one
// column per language. The row number is the message identifier. The build
// makes the table from the translations in po/, and counts the languages
// from po/languages.txt.
inline constexpr int kMessageCount = 164;
inline constexpr int kLanguageCount = QUORLAN_LANGUAGE_COUNT;

// A column's language, as po/languages.txt lists it.
struct CCatalogueLanguage {
    std::string_view name;                // "French"
    std::string_view tag;                 // "fr": a POSIX locale's language part
    std::string_view locale;              // "fr_FR": the locale its screenshots are taken under
    std::span<const std::uint32_t> lcids; // the Windows locales that choose it
};

extern const CCatalogueLanguage g_Languages[kLanguageCount];
extern const char16_t* const g_MessageTable[kMessageCount * kLanguageCount];
extern int g_nLanguageIndex;

// Chooses the column from the user's locale; called once, before any window.
void SelectLanguageFromLocale();

// The column for a Windows locale identifier, compared as a whole value so a
// non-default sort order falls back to column 0.
int LanguageIndexForLcid(std::uint32_t lcid);

// The language of a column as a POSIX locale's language part ("de",
// "zh_CN"): what the desktop's own files of that language are named by.
std::string_view LanguageTagOfColumn(int column);

// The text of a row in the selected language; never null.
const char16_t* GetMessageText(int id);

// The text followed by three spaces, as every message box shows it.
std::u16string& ComposeMessageText(std::u16string& buffer, int id);

// The text of a row with the device name where its "%s" stands; a text without
// the placeholder is returned as it is. The name is never read as a format.
std::u16string FormatDeviceText(int id, std::u16string_view deviceName);
