#pragma once
#include "settings/network_setting.h"

#include <string_view>

// The rules that decide whether one settings value is acceptable. They know
// nothing of messages: each caller maps the code to its own message.
enum RuleResult {
    kRuleAcceptable = 0,
    kRuleAcceptableHex = 1, // also: no security, so no key to check
    kRuleLength = -1,
    kRuleCharacter = -2,
    kRuleDigitsOnly = -3,
    kRuleHyphensOnly = -4,
    kRuleOutOfRange = -5, // proxy port value, or a loopback IP address
    kRuleEmpty = -6,
};

// Bounds that the callers apply with the character rules.
inline constexpr size_t kMaxDeviceNameLength = 15;
inline constexpr size_t kMaxUserIdLength = 32;
inline constexpr size_t kMaxPasswordLength = 32; // empty allowed
inline constexpr size_t kMaxProxyAddressLength = 1023;

// "0"-"9", "a"-"z", "A"-"Z" and "-"; a name of only digits or only hyphens
// is refused after the scan. Empty gives 0.
int CheckDeviceNameChars(std::u16string_view text);
// The device-name set and "_". Empty gives 0.
int CheckUserIdChars(std::u16string_view text);
// 0x20-0x7E and 0xA0-0xFF. Empty gives 0.
int CheckPrintableChars(std::u16string_view text);
// 1 to 32 characters, none above 0xFF.
int CheckSsid(std::u16string_view text);

// The form of a key by its length alone: 0 text, 1 hexadecimal, -1 neither.
// Modes other than 1 to 5 have no key and give 1.
int ClassifyNetworkKey(std::u16string_view key, int securityMode);
int CheckKeyTextChars(std::u16string_view key); // 0x01-0xFF
int CheckKeyHexChars(std::u16string_view key);

// Whether the settings file gives the text back as it is: not with blanks at
// either end, nor enclosed in quotes, which reading takes away. An entry the
// file would change is refused where it is entered.
bool IsKeptByTheFile(std::u16string_view text);

// Whether the code page that stores the text gives it back unchanged: SSIDs
// and proxy entries are stored in the ANSI code page, secrets are encrypted
// from the OEM one. A character either lacks would reach the player as "?".
bool IsHeldByTheAnsiCodePage(std::u16string_view text);
bool IsHeldByTheOemCodePage(std::u16string_view text);
// A rule's result for an entry the ANSI code page stores: an acceptable one
// it cannot hold has a character outside the set after all.
int StoredInTheAnsiCodePage(int rule, std::u16string_view text);

// A network folder entry as a whole: its bounds and its character rule.
bool IsValidDeviceName(std::u16string_view text);
bool IsValidUserId(std::u16string_view text);
bool IsValidPassword(std::u16string_view text);

int CheckNetworkKey(const CNetworkSetting& setting);
int CheckProxyAddress(const CNetworkSetting& setting);
int CheckProxyPort(const CNetworkSetting& setting);
int CheckIpAddress(const CNetworkSetting& setting);
