#include "catalogue/message_catalogue.h"
#include "networks/nm_profile_mapping.h"
#include "tests/support/locale_environment.h"

#include <gtest/gtest.h>

namespace {

class NmProfileMappingTest : public ::testing::Test {
protected:
    void SetUp() override { SelectLanguageFromLocale(); }

    static CNmConnection Wifi(const std::string& ssid) {
        CNmConnection connection;
        connection.m_strId = ssid;
        connection.m_strType = "wifi";
        connection.m_strSsid = ssid;
        return connection;
    }
    static CNmConnection WpaPsk(const std::string& psk, std::vector<std::string> protos = {},
                                std::vector<std::string> pairwise = {}) {
        CNmConnection connection = Wifi("Home");
        connection.m_strKeyMgmt = "wpa-psk";
        connection.m_strPsk = psk;
        connection.m_arrProtos = std::move(protos);
        connection.m_arrPairwise = std::move(pairwise);
        return connection;
    }
    static CNmConnection Wep(const std::string& key, int keyType = 1) {
        CNmConnection connection = Wifi("Old");
        connection.m_strKeyMgmt = "none";
        connection.m_arrWepKeys[1] = key;
        connection.m_nWepTxKeyIndex = 1;
        connection.m_nWepKeyType = keyType;
        return connection;
    }
    static CNmConnection Manual(const std::string& address, int prefix,
                                const std::string& gateway = "",
                                std::vector<std::string> dns = {}) {
        CNmConnection connection = Wifi("Lab");
        connection.m_strIpv4Method = "manual";
        connection.m_strAddress = address;
        connection.m_nPrefix = prefix;
        connection.m_strGateway = gateway;
        connection.m_arrDns = std::move(dns);
        return connection;
    }

    static CNetworkSetting Profile(const CNmConnection& connection) {
        const CNmProfileMapping mapping = MapNmConnection(connection);
        EXPECT_TRUE(mapping.profile) << mapping.strSkipReason;
        return mapping.profile.value_or(CNetworkSetting());
    }
    static std::string SkipReason(const CNmConnection& connection) {
        const CNmProfileMapping mapping = MapNmConnection(connection);
        EXPECT_FALSE(mapping.profile) << connection.m_strId << " was imported";
        return mapping.strSkipReason;
    }

    const CLocaleEnvironment m_locale{nullptr, nullptr, "en_US.UTF-8"};
};

IpField Address(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return {{a, b, c, d}, 4};
}

TEST_F(NmProfileMappingTest, OpenNetworkWithItsFlags) {
    CNmConnection connection = Wifi("Cafe Wi-Fi");
    connection.m_bHidden = true;
    connection.m_bAutoconnect = false;
    connection.m_strMode = "infrastructure";
    CNetworkSetting expected;
    expected.m_strSsid = u"Cafe Wi-Fi";
    expected.m_nForce = 1;
    expected.m_nConnectAutomatically = 0;
    EXPECT_EQ(Profile(connection), expected);
}

TEST_F(NmProfileMappingTest, WpaModeFromProtoAndPairwise) {
    const struct {
        std::vector<std::string> protos;
        std::vector<std::string> pairwise;
        int mode;
    } cases[] = {
        {{"wpa"}, {"tkip"}, kSecurityWpaPskTkip},
        {{"wpa"}, {"ccmp"}, kSecurityWpaPskAes},
        {{"rsn"}, {"ccmp"}, kSecurityWpa2PskAes},
        {{"rsn"}, {"tkip"}, kSecurityWpa2PskTkip},
        {{}, {}, kSecurityWpa2PskAes},
        {{"wpa", "rsn"}, {"tkip", "ccmp"}, kSecurityWpa2PskAes},
        {{"wpa"}, {}, kSecurityWpaPskAes},
        {{}, {"tkip"}, kSecurityWpa2PskTkip},
    };
    for (const auto& [protos, pairwise, mode] : cases) {
        const CNetworkSetting profile = Profile(WpaPsk("correct horse", protos, pairwise));
        EXPECT_EQ(profile.m_nSecurityMode, mode)
            << testing::PrintToString(protos) << " " << testing::PrintToString(pairwise);
        EXPECT_EQ(profile.m_strNetworkKey, u"correct horse");
    }
    const std::string hexKey(64, 'a');
    EXPECT_EQ(Profile(WpaPsk(hexKey)).m_strNetworkKey, std::u16string(64, u'a'));
}

TEST_F(NmProfileMappingTest, WepKeysAsTheRulesAcceptThem) {
    for (const std::string key :
         {"abcde", "0123456789", "thirteen char", "0123456789abcdef0123456789"}) {
        const CNetworkSetting profile = Profile(Wep(key));
        EXPECT_EQ(profile.m_nSecurityMode, kSecurityWep) << key;
        EXPECT_EQ(profile.m_strNetworkKey, std::u16string(key.begin(), key.end()));
    }
    EXPECT_EQ(Profile(Wep("abcde", 0)).m_nSecurityMode, kSecurityWep) << "key type not stated";
    EXPECT_NE(SkipReason(Wep("my passphrase", 2)).find("WEP passphrase"), std::string::npos);
    EXPECT_EQ(SkipReason(Wep("abcdef")), "Wireless LAN setting: Length of Network key is invalid.");
    EXPECT_EQ(SkipReason(Wep("012345678g")),
              "Wireless LAN setting: Invalid character is entered for network key.");

    CNmConnection otherIndex = Wep("abcde");
    otherIndex.m_nWepTxKeyIndex = 0;
    EXPECT_NE(SkipReason(otherIndex).find("WEP key 0 is not stored"), std::string::npos);
}

TEST_F(NmProfileMappingTest, SecurityThePlayerCannotUse) {
    const std::pair<std::string, std::string> cases[] = {
        {"sae", "WPA3"},         {"wpa-eap", "802.1X"}, {"wpa-eap-suite-b-192", "802.1X"},
        {"ieee8021x", "802.1X"}, {"owe", "'owe'"},
    };
    for (const auto& [keyMgmt, reason] : cases) {
        CNmConnection connection = WpaPsk("correct horse");
        connection.m_strKeyMgmt = keyMgmt;
        EXPECT_NE(SkipReason(connection).find(reason), std::string::npos) << keyMgmt;
    }
    EXPECT_NE(SkipReason(WpaPsk("")).find("not stored in the keyfile"), std::string::npos);
    EXPECT_EQ(SkipReason(WpaPsk("short")),
              "Wireless LAN setting: Length of Network key is invalid.");
    EXPECT_NE(SkipReason(WpaPsk("pässword")).find("printable ASCII"), std::string::npos);
    EXPECT_NE(SkipReason(WpaPsk("tab\tin key")).find("printable ASCII"), std::string::npos);
}

TEST_F(NmProfileMappingTest, SsidsAndModesThePlayerCannotJoin) {
    EXPECT_NE(SkipReason(Wifi("Caf\xC3\xA9")).find("printable ASCII"), std::string::npos);
    EXPECT_NE(SkipReason(Wifi(std::string("a\0b", 3))).find("printable ASCII"), std::string::npos);
    CNmConnection longHidden = Wifi(std::string(33, 'x'));
    longHidden.m_bHidden = true;
    EXPECT_EQ(SkipReason(longHidden),
              "Wireless LAN setting: Valid length of SSID is from 1 to 32 characters.");
    EXPECT_EQ(Profile(Wifi(std::string(32, 'x'))).m_strSsid, std::u16string(32, u'x'));
    EXPECT_EQ(SkipReason(Wifi("")), "Wireless LAN setting: Please input SSID.");
    for (const std::string ssid : {" Home", "Home ", "\"Home\""}) {
        EXPECT_NE(SkipReason(Wifi(ssid)).find("would not keep it as entered"), std::string::npos)
            << "the file would give back another SSID";
    }
    for (const std::string mode : {"ap", "adhoc", "mesh"}) {
        CNmConnection connection = Wifi("Hotspot");
        connection.m_strMode = mode;
        EXPECT_NE(SkipReason(connection).find("mode " + mode), std::string::npos);
    }
}

TEST_F(NmProfileMappingTest, ManualAddressesTurnDhcpOff) {
    const CNetworkSetting profile =
        Profile(Manual("192.168.1.20", 24, "192.168.1.1", {"8.8.8.8", "1.1.1.1", "9.9.9.9"}));
    EXPECT_EQ(profile.m_nDhcp, 0);
    EXPECT_EQ(profile.m_ipAddress, Address(192, 168, 1, 20));
    EXPECT_EQ(profile.m_ipSubnetMask, Address(255, 255, 255, 0));
    EXPECT_EQ(profile.m_ipDefaultGateway, Address(192, 168, 1, 1));
    EXPECT_EQ(profile.m_ipDns, Address(8, 8, 8, 8));
    EXPECT_EQ(profile.m_ipDnsSecondary, Address(1, 1, 1, 1));

    const CNetworkSetting bare = Profile(Manual("10.0.0.5", 8));
    EXPECT_EQ(bare.m_ipDefaultGateway, IpField()) << "no gateway";
    EXPECT_EQ(bare.m_ipDns, IpField());

    const std::pair<int, IpField> masks[] = {{0, Address(0, 0, 0, 0)},
                                             {8, Address(255, 0, 0, 0)},
                                             {23, Address(255, 255, 254, 0)},
                                             {30, Address(255, 255, 255, 252)},
                                             {32, Address(255, 255, 255, 255)}};
    for (const auto& [prefix, mask] : masks) {
        EXPECT_EQ(Profile(Manual("10.0.0.5", prefix)).m_ipSubnetMask, mask) << prefix;
    }
}

TEST_F(NmProfileMappingTest, OtherMethodsKeepDhcpOn) {
    for (const std::string method : {"auto", "link-local", "disabled", "shared"}) {
        CNmConnection connection = Manual("192.168.1.20", 24, "192.168.1.1", {"8.8.8.8"});
        connection.m_strIpv4Method = method;
        const CNetworkSetting profile = Profile(connection);
        EXPECT_EQ(profile.m_nDhcp, 1) << method;
        EXPECT_EQ(profile.m_ipAddress, IpField()) << method;
        EXPECT_EQ(profile.m_ipDns, IpField()) << method;
    }
}

TEST_F(NmProfileMappingTest, ManualAddressesThatCannotBeUsed) {
    EXPECT_NE(SkipReason(Manual("fe80::1", 64)).find("not dotted decimal"), std::string::npos);
    EXPECT_NE(SkipReason(Manual("10.0.0.5", 33)).find("prefix length 33"), std::string::npos);
    EXPECT_NE(SkipReason(Manual("10.0.0.5", 8, "gw")).find("gateway 'gw'"), std::string::npos);
    EXPECT_NE(SkipReason(Manual("10.0.0.5", 8, "", {"8.8.8.8", "::1"})).find("DNS server '::1'"),
              std::string::npos);
    EXPECT_EQ(SkipReason(Manual("", 24)), "Wireless LAN setting: Please input IP address.");
    EXPECT_EQ(SkipReason(Manual("127.0.0.2", 8)), "Wireless LAN setting: Invalid IP address.");
}

TEST_F(NmProfileMappingTest, PreferredByPriorityThenRecentUse) {
    CNmConnection high = Wifi("high");
    high.m_nAutoconnectPriority = 10;
    CNmConnection recent = Wifi("recent");
    recent.m_nTimestamp = 2000;
    CNmConnection older = Wifi("older");
    older.m_nTimestamp = 1000;
    const CNmConnection never = Wifi("never");

    EXPECT_TRUE(IsNmPreferred(high, recent));
    EXPECT_FALSE(IsNmPreferred(recent, high));
    EXPECT_TRUE(IsNmPreferred(recent, older));
    EXPECT_TRUE(IsNmPreferred(older, never));
    EXPECT_FALSE(IsNmPreferred(never, Wifi("never either"))) << "equal: the order stays";
}

} // namespace
