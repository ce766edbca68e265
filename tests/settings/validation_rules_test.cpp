#include "settings/text_format.h"
#include "settings/validation_rules.h"

#include <gtest/gtest.h>

namespace {

std::u16string Repeat(char16_t c, size_t count) { return std::u16string(count, c); }

TEST(ValidationRules, DeviceNameCharacters) {
    EXPECT_EQ(CheckDeviceNameChars(u"abc"), kRuleAcceptable);
    EXPECT_EQ(CheckDeviceNameChars(u"ABC-123"), kRuleAcceptable);
    EXPECT_EQ(CheckDeviceNameChars(u"a-1"), kRuleAcceptable);
    EXPECT_EQ(CheckDeviceNameChars(u"1-2"), kRuleAcceptable) << "hyphens with digits pass";
    EXPECT_EQ(CheckDeviceNameChars(u""), kRuleAcceptable);
    EXPECT_EQ(CheckDeviceNameChars(u"123"), kRuleDigitsOnly);
    EXPECT_EQ(CheckDeviceNameChars(u"---"), kRuleHyphensOnly);
    EXPECT_EQ(CheckDeviceNameChars(u"a_b"), kRuleCharacter);
    EXPECT_EQ(CheckDeviceNameChars(u"12$"), kRuleCharacter) << "a bad character wins over digits";
    EXPECT_EQ(CheckDeviceNameChars(u"caf\u00e9"), kRuleCharacter) << "ASCII letters only";
    EXPECT_EQ(CheckDeviceNameChars(u"a b"), kRuleCharacter);
}

TEST(ValidationRules, UserIdAndPrintableCharacters) {
    EXPECT_EQ(CheckUserIdChars(u"user_01"), kRuleAcceptable);
    EXPECT_EQ(CheckUserIdChars(u"a-b"), kRuleAcceptable);
    EXPECT_EQ(CheckUserIdChars(u"123"), kRuleAcceptable) << "digits only is fine for a user ID";
    EXPECT_EQ(CheckUserIdChars(u"user.name"), kRuleCharacter);
    EXPECT_EQ(CheckUserIdChars(u""), kRuleAcceptable);

    EXPECT_EQ(CheckPrintableChars(u" ~\u00a0\u00e9\u00ff"), kRuleAcceptable);
    for (const char16_t bad : {u'\t', u'\x1f', u'\x7f', u'\x80', u'\x9f', u'\u0100', u'\u3042'}) {
        EXPECT_EQ(CheckPrintableChars(std::u16string(u"ab") + bad), kRuleCharacter) << int(bad);
    }
}

TEST(ValidationRules, NetworkFolderEntriesAsAWhole) {
    EXPECT_TRUE(IsValidDeviceName(Repeat(u'a', 15)));
    EXPECT_FALSE(IsValidDeviceName(Repeat(u'a', 16)));
    EXPECT_FALSE(IsValidDeviceName(u""));
    EXPECT_FALSE(IsValidDeviceName(u"12345"));
    EXPECT_TRUE(IsValidUserId(Repeat(u'u', 32)));
    EXPECT_FALSE(IsValidUserId(Repeat(u'u', 33)));
    EXPECT_TRUE(IsValidPassword(u""));
    EXPECT_TRUE(IsValidPassword(Repeat(u'p', 32)));
    EXPECT_FALSE(IsValidPassword(Repeat(u'p', 33)));
    EXPECT_FALSE(IsValidPassword(u"tab\there"));
}

TEST(ValidationRules, Ssid) {
    EXPECT_EQ(CheckSsid(u"a"), kRuleAcceptable);
    EXPECT_EQ(CheckSsid(Repeat(u'x', 32)), kRuleAcceptable);
    EXPECT_EQ(CheckSsid(u"   "), kRuleAcceptable) << "blanks only is a name";
    EXPECT_EQ(CheckSsid(u"\u00ff\x01"), kRuleAcceptable);
    EXPECT_EQ(CheckSsid(Repeat(u'x', 33)), kRuleLength);
    EXPECT_EQ(CheckSsid(u""), kRuleLength);
    EXPECT_EQ(CheckSsid(u"caf\u0100"), kRuleCharacter);
    EXPECT_EQ(CheckSsid(Repeat(u'\u0100', 33)), kRuleLength) << "length is tested first";
}

TEST(ValidationRules, KeyFormIsDecidedByLengthAlone) {
    EXPECT_EQ(ClassifyNetworkKey(u"12345", kSecurityWep), kRuleAcceptable);
    EXPECT_EQ(ClassifyNetworkKey(Repeat(u'a', 13), kSecurityWep), kRuleAcceptable)
        << "13 hex digits are still text form";
    EXPECT_EQ(ClassifyNetworkKey(Repeat(u'a', 10), kSecurityWep), kRuleAcceptableHex);
    EXPECT_EQ(ClassifyNetworkKey(Repeat(u'a', 26), kSecurityWep), kRuleAcceptableHex);
    for (const size_t bad : {0u, 4u, 6u, 9u, 11u, 12u, 14u, 25u, 27u, 64u}) {
        EXPECT_EQ(ClassifyNetworkKey(Repeat(u'a', bad), kSecurityWep), kRuleLength) << bad;
    }
    for (int mode = kSecurityWpaPskTkip; mode <= kSecurityWpa2PskTkip; ++mode) {
        EXPECT_EQ(ClassifyNetworkKey(Repeat(u'k', 8), mode), kRuleAcceptable);
        EXPECT_EQ(ClassifyNetworkKey(Repeat(u'k', 63), mode), kRuleAcceptable);
        EXPECT_EQ(ClassifyNetworkKey(Repeat(u'k', 64), mode), kRuleAcceptableHex);
        EXPECT_EQ(ClassifyNetworkKey(Repeat(u'k', 7), mode), kRuleLength);
        EXPECT_EQ(ClassifyNetworkKey(Repeat(u'k', 65), mode), kRuleLength);
    }
    for (const int noSecurity : {int{kSecurityNone}, 6, -1}) {
        EXPECT_EQ(ClassifyNetworkKey(u"", noSecurity), kRuleAcceptableHex);
    }
}

TEST(ValidationRules, NetworkKeyOfARecord) {
    CNetworkSetting setting;
    const auto check = [&](int mode, std::u16string key) {
        setting.m_nSecurityMode = mode;
        setting.m_strNetworkKey = std::move(key);
        return CheckNetworkKey(setting);
    };
    EXPECT_EQ(check(kSecurityNone, u"anything at all"), kRuleAcceptableHex);
    EXPECT_EQ(check(7, u"x"), kRuleAcceptableHex) << "an unknown mode has no security";
    EXPECT_EQ(check(kSecurityWep, u"\u00ff\x01 ab"), kRuleAcceptable);
    EXPECT_EQ(check(kSecurityWep, u"0123456789"), kRuleAcceptableHex);
    EXPECT_EQ(check(kSecurityWep, u"012345678g"), kRuleCharacter);
    EXPECT_EQ(check(kSecurityWep, u"123456"), kRuleLength);
    EXPECT_EQ(check(kSecurityWep, u"abcd\u0100"), kRuleCharacter);
    EXPECT_EQ(check(kSecurityWep, std::u16string(u"ab\0de", 5)), kRuleCharacter)
        << "the byte set starts at 0x01";
    EXPECT_EQ(check(kSecurityWpa2PskAes, Repeat(u'F', 63) + u"e"), kRuleAcceptableHex);
    EXPECT_EQ(check(kSecurityWpa2PskAes, Repeat(u'F', 63) + u"x"), kRuleCharacter);
    EXPECT_EQ(check(kSecurityWpaPskAes, u""), kRuleLength);
}

TEST(ValidationRules, ProxyAddress) {
    CNetworkSetting setting;
    EXPECT_EQ(CheckProxyAddress(setting), kRuleEmpty);
    setting.m_strProxyAddress = Repeat(u'p', 1023);
    EXPECT_EQ(CheckProxyAddress(setting), kRuleAcceptable);
    setting.m_strProxyAddress = Repeat(u'p', 1024);
    EXPECT_EQ(CheckProxyAddress(setting), kRuleLength);
    setting.m_strProxyAddress = u"proxy\t.example";
    EXPECT_EQ(CheckProxyAddress(setting), kRuleCharacter);
    setting.m_strProxyAddress = Repeat(u'p', 2000) + u"\t";
    EXPECT_EQ(CheckProxyAddress(setting), kRuleCharacter) << "characters are tested first";
}

TEST(ValidationRules, ProxyPortIsReadAsTheCLibraryReadsNumbers) {
    CNetworkSetting setting;
    const auto check = [&](std::u16string port) {
        setting.m_strProxyPort = std::move(port);
        return CheckProxyPort(setting);
    };
    EXPECT_EQ(check(u""), kRuleEmpty);
    EXPECT_EQ(check(u"1"), kRuleAcceptable);
    EXPECT_EQ(check(u"65535"), kRuleAcceptable);
    EXPECT_EQ(check(u"8080x"), kRuleAcceptable);
    EXPECT_EQ(check(u"  +80"), kRuleAcceptable);
    EXPECT_EQ(check(u"000080"), kRuleAcceptable);
    EXPECT_EQ(check(u"0"), kRuleOutOfRange);
    EXPECT_EQ(check(u"65536"), kRuleOutOfRange);
    EXPECT_EQ(check(u"-80"), kRuleOutOfRange);
    EXPECT_EQ(check(u"abc"), kRuleOutOfRange) << "no digits read as 0";
    EXPECT_EQ(check(u"80\t"), kRuleCharacter);
    // Values beyond int must not wrap round into the range.
    EXPECT_EQ(check(u"4294967376"), kRuleOutOfRange); // 2^32 + 80
    EXPECT_EQ(check(u"18446744073709551696"), kRuleOutOfRange);
    EXPECT_EQ(check(Repeat(u'9', 1000)), kRuleOutOfRange);
    EXPECT_EQ(check(u"-4294967216"), kRuleOutOfRange);
}

TEST(ValidationRules, IpAddress) {
    CNetworkSetting setting;
    EXPECT_EQ(CheckIpAddress(setting), kRuleEmpty);
    setting.m_ipAddress = {{127, 0, 0, 1}, 4};
    EXPECT_EQ(CheckIpAddress(setting), kRuleOutOfRange);
    setting.m_ipAddress = {{127, 255, 255, 255}, 4};
    EXPECT_EQ(CheckIpAddress(setting), kRuleOutOfRange);
    setting.m_ipAddress = {{0, 0, 0, 0}, 4};
    EXPECT_EQ(CheckIpAddress(setting), kRuleAcceptable);
    setting.m_ipAddress = {{128, 0, 0, 1}, 4};
    EXPECT_EQ(CheckIpAddress(setting), kRuleAcceptable);
}

TEST(NumberTexts, DecimalValue) {
    EXPECT_EQ(DecimalValue(u""), 0);
    EXPECT_EQ(DecimalValue(u" \t\n-42z"), -42);
    EXPECT_EQ(DecimalValue(u"+-1"), 0);
    EXPECT_EQ(DecimalValue(u"2147483647"), 2147483647);
    EXPECT_GT(DecimalValue(u"2147483648"), 2147483647);
    EXPECT_GT(DecimalValue(Repeat(u'9', 40)), 2147483647);
    EXPECT_LT(DecimalValue(u"-" + Repeat(u'9', 40)), -2147483647);
}

TEST(NumberTexts, DottedAddresses) {
    std::array<std::uint8_t, 4> octets{9, 9, 9, 9};
    const auto parse = [&](std::u16string_view text) { return ParseDottedAddress(text, octets); };
    using Octets = std::array<std::uint8_t, 4>;

    EXPECT_EQ(parse(u""), 1);
    EXPECT_EQ(octets, (Octets{0, 0, 0, 0}));
    EXPECT_EQ(parse(u"192.168.1.20"), 1);
    EXPECT_EQ(octets, (Octets{192, 168, 1, 20}));
    EXPECT_EQ(parse(u"010.001.000.009"), 1);
    EXPECT_EQ(octets, (Octets{10, 1, 0, 9}));
    EXPECT_EQ(parse(u"1.2.3.4.5"), 1) << "the fourth piece is read up to its dot";
    EXPECT_EQ(octets, (Octets{1, 2, 3, 4}));
    EXPECT_EQ(parse(u"1.2.3..4"), 1) << "the fourth piece may start with its dot";
    EXPECT_EQ(octets, (Octets{1, 2, 3, 0}));
    EXPECT_EQ(parse(u"255.255.255.255"), 1);
    EXPECT_EQ(octets, (Octets{255, 255, 255, 255}));

    for (const std::u16string_view bad :
         {u"1.2.3", u"1..2.3", u"1.2.3.", u".1.2.3", u"1.2.3.256", u"1.2.3.0255", u"1.2.3.4.56",
          u"1 .2.3.4", u"1.2.3.-4", u"a.b.c.d", u"1,2,3,4", u"999.1.1.1", u"1.2.3.4\u0661"}) {
        octets = {9, 9, 9, 9};
        EXPECT_EQ(parse(bad), -1) << std::string(bad.begin(), bad.end());
        EXPECT_EQ(octets, (Octets{0, 0, 0, 0})) << "a failure leaves all four octets 0";
    }
}

} // namespace
