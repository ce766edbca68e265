#include "settings/validation_rules.h"

#include "platform/codepage.h"
#include "platform/ini_syntax.h"

#include "settings/text_format.h"

#include <algorithm>

namespace {

constexpr size_t kMaxSsidLength = 32;
constexpr long long kLowestPort = 1;
constexpr long long kHighestPort = 65535;
constexpr int kLoopbackFirstOctet = 127;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDeviceNameChar(char16_t c) { return IsDigit(c) || IsAsciiLetter(c) || c == u'-'; }
bool IsUserIdChar(char16_t c) { return IsDeviceNameChar(c) || c == u'_'; }
bool IsPrintable(char16_t c) { return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF); }
bool IsByte(char16_t c) { return c >= 0x01 && c <= 0xFF; }
bool IsHexDigit(char16_t c) {
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

template <typename Allowed> int CheckChars(std::u16string_view text, Allowed allowed) {
    return std::all_of(text.begin(), text.end(), allowed) ? kRuleAcceptable : kRuleCharacter;
}

} // namespace

int CheckDeviceNameChars(std::u16string_view text) {
    if (CheckChars(text, IsDeviceNameChar) != kRuleAcceptable) {
        return kRuleCharacter;
    }
    if (text.empty()) {
        return kRuleAcceptable;
    }
    if (std::all_of(text.begin(), text.end(), IsDigit)) {
        return kRuleDigitsOnly;
    }
    if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c == u'-'; })) {
        return kRuleHyphensOnly;
    }
    return kRuleAcceptable;
}

int CheckUserIdChars(std::u16string_view text) { return CheckChars(text, IsUserIdChar); }

int CheckPrintableChars(std::u16string_view text) { return CheckChars(text, IsPrintable); }

int CheckSsid(std::u16string_view text) {
    if (text.empty() || text.size() > kMaxSsidLength) {
        return kRuleLength;
    }
    return CheckChars(text, [](char16_t c) { return c <= 0xFF; });
}

bool IsKeptByTheFile(std::u16string_view text) { return platform::IniValueAsRead(text) == text; }

bool IsHeldByTheAnsiCodePage(std::u16string_view text) {
    return platform::IsHeldByCodePage(platform::GetACP(), text);
}

bool IsHeldByTheOemCodePage(std::u16string_view text) {
    return platform::IsHeldByCodePage(platform::GetOEMCP(), text);
}

int StoredInTheAnsiCodePage(int rule, std::u16string_view text) {
    return rule == kRuleAcceptable && !IsHeldByTheAnsiCodePage(text) ? kRuleCharacter : rule;
}

int ClassifyNetworkKey(std::u16string_view key, int securityMode) {
    const size_t length = key.size();
    if (securityMode == kSecurityWep) {
        if (length == 5 || length == 13) {
            return kRuleAcceptable;
        }
        return length == 10 || length == 26 ? kRuleAcceptableHex : kRuleLength;
    }
    if (securityMode >= kSecurityWpaPskTkip && securityMode <= kSecurityWpa2PskTkip) {
        if (length >= 8 && length <= 63) {
            return kRuleAcceptable;
        }
        return length == 64 ? kRuleAcceptableHex : kRuleLength;
    }
    return kRuleAcceptableHex;
}

int CheckKeyTextChars(std::u16string_view key) { return CheckChars(key, IsByte); }

int CheckKeyHexChars(std::u16string_view key) { return CheckChars(key, IsHexDigit); }

bool IsValidDeviceName(std::u16string_view text) {
    return !text.empty() && text.size() <= kMaxDeviceNameLength &&
           CheckDeviceNameChars(text) == kRuleAcceptable;
}

bool IsValidUserId(std::u16string_view text) {
    return !text.empty() && text.size() <= kMaxUserIdLength &&
           CheckUserIdChars(text) == kRuleAcceptable;
}

bool IsValidPassword(std::u16string_view text) {
    return text.size() <= kMaxPasswordLength && CheckPrintableChars(text) == kRuleAcceptable;
}

int CheckNetworkKey(const CNetworkSetting& setting) {
    if (setting.m_nSecurityMode < kSecurityWep || setting.m_nSecurityMode > kSecurityWpa2PskTkip) {
        return kRuleAcceptableHex;
    }
    switch (ClassifyNetworkKey(setting.m_strNetworkKey, setting.m_nSecurityMode)) {
    case kRuleAcceptable:
        return CheckKeyTextChars(setting.m_strNetworkKey);
    case kRuleAcceptableHex:
        return CheckKeyHexChars(setting.m_strNetworkKey) == kRuleAcceptable ? kRuleAcceptableHex
                                                                            : kRuleCharacter;
    default:
        return kRuleLength;
    }
}

int CheckProxyAddress(const CNetworkSetting& setting) {
    const std::u16string& address = setting.m_strProxyAddress;
    if (address.empty()) {
        return kRuleEmpty;
    }
    if (CheckPrintableChars(address) != kRuleAcceptable) {
        return kRuleCharacter;
    }
    return address.size() > kMaxProxyAddressLength ? kRuleLength : kRuleAcceptable;
}

int CheckProxyPort(const CNetworkSetting& setting) {
    const std::u16string& port = setting.m_strProxyPort;
    if (port.empty()) {
        return kRuleEmpty;
    }
    if (CheckPrintableChars(port) != kRuleAcceptable) {
        return kRuleCharacter;
    }
    // Read as the C library reads a number: "8080x" is 8080, "abc" is 0.
    const long long value = DecimalValue(port);
    return value >= kLowestPort && value <= kHighestPort ? kRuleAcceptable : kRuleOutOfRange;
}

int CheckIpAddress(const CNetworkSetting& setting) {
    if (setting.m_ipAddress.filled == 0) {
        return kRuleEmpty;
    }
    return setting.m_ipAddress.octets[0] == kLoopbackFirstOctet ? kRuleOutOfRange : kRuleAcceptable;
}
