#pragma once
#include "catalogue/message_ids.h"

#include <cstdint>
#include <string>
#include <string_view>

// The catalogue of every text both programs show: 163 rows, one column per
// language. The row number is the message identifier.
inline constexpr int kMessageCount = 164;
inline constexpr int kLanguageCount = 15;

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
