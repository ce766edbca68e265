#include "catalogue/message_ids.h"
#include "platform/codepage.h"
#include "settings/wireless_profile_check.h"

#include <gtest/gtest.h>

namespace {

CNetworkSetting Entered(std::u16string ssid = u"HomeNet") {
    CNetworkSetting profile;
    profile.m_strSsid = std::move(ssid);
    return profile;
}

// The message for a profile whose key is confirmed as typed.
int MessageFor(CNetworkSetting profile) {
    return CheckWirelessProfileEntries(profile, profile.m_strNetworkKey).nMessage;
}

TEST(WirelessProfileCheck, Ssid) {
    EXPECT_EQ(MessageFor(Entered()), 0);
    EXPECT_EQ(MessageFor(Entered(u"")), kMsgInputSsid) << "not the length message";
    EXPECT_EQ(MessageFor(Entered(std::u16string(33, u's'))), kMsgSsidLength);
    EXPECT_EQ(MessageFor(Entered(std::u16string(100000, u's'))), kMsgSsidLength);
    EXPECT_EQ(MessageFor(Entered(u"caf\u0100")), kMsgSsidChars);
    // What the file would not give back as entered is refused.
    for (const char16_t* ssid : {u" a", u"a ", u"\ta", u"\"a\"", u"'a'", u" "}) {
        EXPECT_EQ(MessageFor(Entered(ssid)), kMsgSsidNotKeptByFile);
    }
    for (const char16_t* ssid : {u"a b", u"'a\"", u"\"", u"'", u"it's"}) {
        EXPECT_EQ(MessageFor(Entered(ssid)), 0) << "kept as it is";
    }
}

// SSIDs and proxy entries are stored in the ANSI code page, keys encrypted
// from the OEM one: what a Russian (1251/866) or Polish (1250/852) locale
// cannot hold is refused with the character message, never stored as "?".
TEST(WirelessProfileCheck, EntriesTheCodePagesCannotHoldAreRefused) {
    struct CCodePages {
        CCodePages(unsigned ansi, unsigned oem) { platform::OverrideCodePages(ansi, oem); }
        ~CCodePages() { platform::OverrideCodePages(std::nullopt, std::nullopt); }
    };
    const CCodePages russian(1251, 866);
    EXPECT_EQ(MessageFor(Entered(u"Caf\u00E9")), kMsgSsidChars);
    EXPECT_EQ(MessageFor(Entered(u"Caf\u00A9")), 0) << "1251 holds the copyright sign";
    EXPECT_EQ(MessageFor(Entered(std::u16string(33, u'\u00E9'))), kMsgSsidLength)
        << "the length is told first, as before";
    CNetworkSetting profile = Entered();
    profile.m_nSecurityMode = kSecurityWpaPskTkip;
    profile.m_strNetworkKey = u"Caf\u00E9-key";
    auto verdict = CheckWirelessProfileEntries(profile, profile.m_strNetworkKey);
    EXPECT_EQ(verdict.nMessage, kMsgKeyChars);
    EXPECT_TRUE(verdict.bEraseKeys);
    profile.m_strNetworkKey = u"key\u00B0\u00B7\u00A4-key";
    EXPECT_EQ(MessageFor(profile), 0) << "866 holds all three";

    profile.m_nUseProxy = 1;
    profile.m_strProxyAddress = u"caf\u00E9.example";
    profile.m_strProxyPort = u"8080";
    EXPECT_EQ(MessageFor(profile), kMsgProfileProxyAddressChars);
    profile.m_strProxyAddress = u"proxy.example";
    profile.m_strProxyPort = u"8080\u00E9";
    EXPECT_EQ(MessageFor(profile), kMsgProfileProxyPort);
    profile.m_nUseProxy = 0;
    profile.m_strProxyAddress = u"caf\u00E9.example";
    EXPECT_EQ(CheckWirelessProfileEntries(profile, profile.m_strNetworkKey).nMessage, 0);
    EXPECT_TRUE(profile.m_strProxyAddress.empty()) << "emptied, as with the proxy off";

    const CCodePages polish(1250, 852);
    CNetworkSetting wep = Entered();
    wep.m_nSecurityMode = kSecurityWep;
    wep.m_strNetworkKey = u"\u00E9\u00E8\u00E0\u00FC\u00F6";
    EXPECT_EQ(MessageFor(wep), kMsgKeyChars);
    wep.m_strNetworkKey = u"\u00E9\u00F3\u00FC\u00F6\u00E4";
    EXPECT_EQ(MessageFor(wep), 0);
}

TEST(WirelessProfileCheck, NetworkKeyAndItsConfirmation) {
    CNetworkSetting profile = Entered();
    profile.m_nSecurityMode = kSecurityWep;
    profile.m_strNetworkKey = u"abcde";
    auto verdict = CheckWirelessProfileEntries(profile, u"abcdf");
    EXPECT_EQ(verdict.nMessage, kMsgKeyMismatch);
    EXPECT_TRUE(verdict.bEraseKeys);

    profile.m_nSecurityMode = kSecurityWpa2PskTkip;
    profile.m_strNetworkKey = u"";
    verdict = CheckWirelessProfileEntries(profile, u"");
    EXPECT_EQ(verdict.nMessage, kMsgInputKey);
    EXPECT_FALSE(verdict.bEraseKeys) << "an empty key keeps what the edits hold";

    profile.m_nSecurityMode = kSecurityWep;
    profile.m_strNetworkKey = u"abcdef";
    verdict = CheckWirelessProfileEntries(profile, u"abcdef");
    EXPECT_EQ(verdict.nMessage, kMsgKeyLength);
    EXPECT_TRUE(verdict.bEraseKeys);
    profile.m_strNetworkKey = u"012345678g";
    verdict = CheckWirelessProfileEntries(profile, u"012345678g");
    EXPECT_EQ(verdict.nMessage, kMsgKeyChars);
    EXPECT_TRUE(verdict.bEraseKeys);
    profile.m_strNetworkKey = u"012345678f";
    EXPECT_EQ(MessageFor(profile), 0);
    profile.m_nSecurityMode = kSecurityWpaPskAes;
    profile.m_strNetworkKey = std::u16string(100000, u'k');
    verdict = CheckWirelessProfileEntries(profile, profile.m_strNetworkKey);
    EXPECT_EQ(verdict.nMessage, kMsgKeyLength);
    EXPECT_TRUE(verdict.bEraseKeys);

    profile.m_nSecurityMode = kSecurityNone;
    profile.m_strNetworkKey = u"left in the edit";
    verdict = CheckWirelessProfileEntries(profile, u"something else");
    EXPECT_EQ(verdict.nMessage, 0) << "without security the key is not looked at";
    EXPECT_EQ(profile.m_strNetworkKey, u"") << "and not kept";
}

TEST(WirelessProfileCheck, AddressesWithDhcpOff) {
    CNetworkSetting profile = Entered();
    profile.m_nDhcp = 0;
    profile.m_ipAddress = {{192, 168, 1, 0}, 3};
    profile.m_ipSubnetMask = {{255, 255, 255, 0}, 4};
    EXPECT_EQ(MessageFor(profile), kMsgInputIpAddress);
    profile.m_ipAddress = {{192, 168, 1, 20}, 4};
    profile.m_ipSubnetMask.filled = 0;
    EXPECT_EQ(MessageFor(profile), kMsgInputSubnetMask);
    profile.m_ipSubnetMask.filled = 4;
    EXPECT_EQ(MessageFor(profile), 0) << "gateway and DNS may stay empty";
    profile.m_ipDefaultGateway = {{192, 168, 1, 0}, 2};
    EXPECT_EQ(MessageFor(profile), 0) << "and partly entered";
    profile.m_ipAddress = {{127, 0, 0, 1}, 4};
    EXPECT_EQ(MessageFor(profile), kMsgInvalidIpAddress);
}

TEST(WirelessProfileCheck, LoopbackAddressWithDhcpOnIsDroppedSilently) {
    CNetworkSetting profile = Entered();
    profile.m_ipAddress = {{127, 0, 0, 1}, 4};
    profile.m_ipDns = {{127, 0, 0, 1}, 4};
    EXPECT_EQ(CheckWirelessProfileEntries(profile, u"").nMessage, 0);
    EXPECT_EQ(profile.m_ipAddress, IpField());
    EXPECT_EQ(profile.m_ipDns, (IpField{{127, 0, 0, 1}, 4})) << "only the IP address";
}

TEST(WirelessProfileCheck, ProxyOn) {
    const auto messageFor = [](std::u16string address, std::u16string port) {
        CNetworkSetting profile = Entered();
        profile.m_nUseProxy = 1;
        profile.m_strProxyAddress = std::move(address);
        profile.m_strProxyPort = std::move(port);
        return MessageFor(profile);
    };
    EXPECT_EQ(messageFor(u"proxy", u"65535"), 0);
    EXPECT_EQ(messageFor(u"", u"80"), kMsgProfileInputProxyAddress);
    EXPECT_EQ(messageFor(u"a\tb", u"80"), kMsgProfileProxyAddressChars);
    EXPECT_EQ(messageFor(std::u16string(1024, u'p'), u"80"), kMsgProfileProxyAddressLength);
    EXPECT_EQ(messageFor(u"proxy", u""), kMsgProfileInputProxyPort);
    EXPECT_EQ(messageFor(u"proxy", u"0"), kMsgProfileProxyPort);
    EXPECT_EQ(messageFor(u"proxy", u"65536"), kMsgProfileProxyPort);
    EXPECT_EQ(messageFor(u"proxy", std::u16string(30, u'9')), kMsgProfileProxyPort);
    EXPECT_EQ(messageFor(u"proxy", u"8\u0100"), kMsgProfileProxyPort);
    EXPECT_EQ(messageFor(u" proxy", u"80"), kMsgProxyAddressNotKeptByFile);
    EXPECT_EQ(messageFor(u"proxy", u" 80"), kMsgProfileProxyPort) << "no quotes for digits";
}

TEST(WirelessProfileCheck, ProxyOffKeepsOnlyGoodEntries) {
    CNetworkSetting profile = Entered();
    profile.m_strProxyAddress = u"a\tb";
    profile.m_strProxyPort = u"80";
    EXPECT_EQ(CheckWirelessProfileEntries(profile, u"").nMessage, 0);
    EXPECT_EQ(profile.m_strProxyAddress, u"");
    EXPECT_EQ(profile.m_strProxyPort, u"80");
    profile.m_strProxyAddress = u"\"proxy\"";
    profile.m_strProxyPort = u" 80";
    EXPECT_EQ(CheckWirelessProfileEntries(profile, u"").nMessage, 0);
    EXPECT_EQ(profile.m_strProxyAddress, u"") << "what the file would change is not kept";
    EXPECT_EQ(profile.m_strProxyPort, u"");

    // A failure before the proxy step makes no proxy corrections.
    profile.m_strProxyAddress = u"a\tb";
    profile.m_nDhcp = 0;
    EXPECT_EQ(CheckWirelessProfileEntries(profile, u"").nMessage, kMsgInputIpAddress);
    EXPECT_EQ(profile.m_strProxyAddress, u"a\tb");
}

} // namespace
