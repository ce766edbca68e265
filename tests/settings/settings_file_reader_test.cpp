// What the reader makes of a file's bytes: the records and the messages.
#include "catalogue/message_ids.h"
#include "platform/codepage.h"
#include "platform/profile_file.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_reader.h"

#include <gtest/gtest.h>

namespace {

using Messages = std::vector<int>;

std::string Encrypted(const std::u16string& secret) {
    std::u16string text;
    EXPECT_EQ(EncryptSecret(secret.c_str(), text), 1);
    return std::string(text.begin(), text.end());
}

class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }

    // The messages of the load, in order; each is checked for its caption.
    Messages LoadBytes(const std::string& bytes) {
        m_read = ReadSettingsFile(platform::CProfileFile(bytes));
        Messages ids;
        for (const CRejectedValue& rejected : m_read.rejected) {
            EXPECT_EQ(rejected.nCaptionId, kMsgLoadSettings);
            ids.push_back(rejected.nMessageId);
        }
        EXPECT_EQ(m_read.Result(), ids.empty() ? 1 : 0);
        return ids;
    }
    Messages Load(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& line : lines) {
            bytes += line + "\r\n";
        }
        return LoadBytes(bytes);
    }
    // One profile with an SSID and the given extra lines, as profile 1.
    Messages LoadProfile(const std::vector<std::string>& extra, const std::string& ssid = "Net") {
        std::vector<std::string> lines = {"[UserNetworkSetting]", "WIRELESS_SSID=" + ssid};
        lines.insert(lines.end(), extra.begin(), extra.end());
        return Load(lines);
    }
    Messages WirelessKeyMessages(int mode, const std::u16string& key) {
        return LoadProfile(
            {"WIRELESS_SEQLITY_MODE=" + std::to_string(mode), "WIRELESS_PSK=" + Encrypted(key)});
    }

    const CSettingsRecords& Records() const { return m_read.records; }
    const CNetFolderSetting& Folder() const { return m_read.records.netFolder; }
    const CNetworkSetting& Wired() const { return m_read.records.wired; }
    std::vector<std::u16string> Ssids() const {
        std::vector<std::u16string> ssids;
        for (const CNetworkSetting& profile : m_read.records.profiles) {
            ssids.push_back(profile.m_strSsid);
        }
        return ssids;
    }
    const CNetworkSetting& Profile(size_t index) const {
        static const CNetworkSetting kNone;
        EXPECT_LT(index, m_read.records.profiles.size());
        return index < m_read.records.profiles.size() ? m_read.records.profiles[index] : kNone;
    }

    CSettingsFileContents m_read;
};

TEST_F(ReaderTest, NoKeysReadAsDefaults) {
    EXPECT_EQ(LoadBytes(""), Messages{});
    EXPECT_EQ(Records().nNetFolderChoice, 0);
    EXPECT_EQ(Folder(), CNetFolderSetting());
    EXPECT_EQ(Wired(), CNetworkSetting());
    EXPECT_EQ(Records().bEnableNetworkDevice, 1) << "a missing key means on";
    EXPECT_EQ(Records().bUseWireless, 0);
    EXPECT_TRUE(Records().profiles.empty());
}

TEST_F(ReaderTest, NetFolderValuesSelectCustomize) {
    EXPECT_EQ(Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=kordavin-1", "NETFOLDER_UID=guest",
                    "NETFOLDER_PASS=" + Encrypted(u"caf\u00e9 pw")}),
              Messages{});
    EXPECT_EQ(Records().nNetFolderChoice, 1);
    EXPECT_EQ(Folder().m_strNetDeviceName, u"kordavin-1");
    EXPECT_EQ(Folder().m_strUserId, u"guest");
    EXPECT_EQ(Folder().m_strPassword, u"caf\u00e9 pw");
}

TEST_F(ReaderTest, NetFolderWithoutUserIdIsTheDefaultChoiceSilently) {
    EXPECT_EQ(Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=kordavin-1",
                    "NETFOLDER_UID=", "NETFOLDER_PASS=" + Encrypted(u"pw")}),
              Messages{});
    EXPECT_EQ(Records().nNetFolderChoice, 0);
    EXPECT_EQ(Folder(), CNetFolderSetting()) << "nothing of it is kept";

    // A password that cannot be decrypted is reported all the same.
    EXPECT_EQ(Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=kordavin-1", "NETFOLDER_PASS=ABC"}),
              Messages{kMsgPasswordDecryption});
}

TEST_F(ReaderTest, NetFolderValuesAreCheckedOneAfterTheOther) {
    const auto messagesFor = [&](const std::string& name, const std::string& userId,
                                 const std::u16string& password) {
        return Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=" + name, "NETFOLDER_UID=" + userId,
                     "NETFOLDER_PASS=" + (password.empty() ? "" : Encrypted(password))});
    };
    EXPECT_EQ(messagesFor("a-1", "u", u""), Messages{});
    EXPECT_EQ(messagesFor("1-2", std::string(32, 'u'), std::u16string(32, u'p')), Messages{});
    EXPECT_EQ(messagesFor("12345", "u", u""), Messages{kMsgBadFileDeviceName});
    EXPECT_EQ(messagesFor("---", "u", u""), Messages{kMsgBadFileDeviceName});
    EXPECT_EQ(messagesFor(std::string(16, 'n'), "u", u""), Messages{kMsgBadFileDeviceName});
    EXPECT_EQ(messagesFor("n", std::string(33, 'u'), u""), Messages{kMsgBadFileUserId});
    EXPECT_EQ(messagesFor("n", "user.name", u""), Messages{kMsgBadFileUserId});
    EXPECT_EQ(messagesFor("n", "u", std::u16string(33, u'p')), Messages{kMsgBadFilePassword});
    EXPECT_EQ(messagesFor("n", "u", u"tab\there"), Messages{kMsgBadFilePassword});

    EXPECT_EQ(messagesFor("12345", "a.b", u"a\tb"),
              (Messages{kMsgBadFileDeviceName, kMsgBadFileUserId, kMsgBadFilePassword}));
    EXPECT_EQ(Records().nNetFolderChoice, 1) << "the choice stays Customize";
    EXPECT_EQ(Folder(), CNetFolderSetting()) << "each bad value is emptied";

    // A damaged password: reported, emptied, and the other two still checked.
    EXPECT_EQ(Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=12345", "NETFOLDER_UID=u",
                    "NETFOLDER_PASS=" + std::string(63, 'A')}),
              (Messages{kMsgPasswordDecryption, kMsgBadFileDeviceName}));
    EXPECT_EQ(Folder().m_strUserId, u"u");
    EXPECT_EQ(Folder().m_strPassword, u"");
}

TEST_F(ReaderTest, WiredFlagsReadExactTexts) {
    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRED_DHCP=no", "WIRED_PROXY=no",
                    "WIRED_PROXY_ADDRESS=proxy", "WIRED_PROXY_PORT=80"}),
              Messages{});
    EXPECT_EQ(Wired().m_nDhcp, 1) << "only exactly 0 is off";
    EXPECT_EQ(Wired().m_nUseProxy, 1) << "anything but empty or 0 is on";

    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRED_DHCP=0", "WIRED_IP=192.168.1.20",
                    "WIRED_SUBNET_MASK=255.255.255.0", "WIRED_PROXY=0"}),
              Messages{});
    EXPECT_EQ(Wired().m_nDhcp, 0);
    EXPECT_EQ(Wired().m_ipAddress, (IpField{{192, 168, 1, 20}, 4}));
    EXPECT_EQ(Wired().m_ipDns.filled, 0);
    EXPECT_EQ(Wired().m_nUseProxy, 0);
}

TEST_F(ReaderTest, WiredAddresses) {
    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRED_IP=127.0.0.1", "WIRED_SUBNET_MASK=1.2.3",
                    "WIRED_DEFAULT_GATEWAY=1..2.3", "WIRED_DNS=1.2.3.", "WIRED_DNS_SECONDARY=x"}),
              (Messages{kMsgInvalidIpAddress, kMsgBadFileSubnet, kMsgBadFileGateway, kMsgBadFileDns,
                        kMsgBadFileDns}));
    EXPECT_EQ(Wired(), CNetworkSetting()) << "every bad address is left empty";

    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRED_IP=192.168.1.300", "WIRED_DNS=1.2.3.4.5",
                    "WIRED_DNS_SECONDARY=0.0.0.0", "WIRED_DEFAULT_GATEWAY=127.0.0.1"}),
              Messages{kMsgBadFileIpAddress})
        << "only the IP address is for 127";
    EXPECT_EQ(Wired().m_ipDns, (IpField{{1, 2, 3, 4}, 4}));
    EXPECT_EQ(Wired().m_ipDnsSecondary, (IpField{{0, 0, 0, 0}, 4}));
    EXPECT_EQ(Wired().m_ipDefaultGateway, (IpField{{127, 0, 0, 1}, 4}));
}

TEST_F(ReaderTest, WiredProxy) {
    const auto messagesFor = [&](const std::string& proxy, const std::string& address,
                                 const std::string& port) {
        return Load({"[UserNetworkSetting]", "WIRED_PROXY=" + proxy,
                     "WIRED_PROXY_ADDRESS=" + address, "WIRED_PROXY_PORT=" + port});
    };
    EXPECT_EQ(messagesFor("1", "proxy.example", "65535"), Messages{});
    // The proxy on and no addresses at all: nothing is missing.
    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRED_PROXY=1", "WIRED_PROXY_ADDRESS=p",
                    "WIRED_PROXY_PORT=80", "WIRED_IP=", "WIRED_SUBNET_MASK=",
                    "WIRED_DEFAULT_GATEWAY=", "WIRED_DNS=", "WIRED_DNS_SECONDARY="}),
              Messages{});
    EXPECT_EQ(messagesFor("1", "proxy.example", "80abc"), Messages{});
    EXPECT_EQ(Wired().m_strProxyPort, u"80abc") << "stored as read";
    EXPECT_EQ(messagesFor("1", "", ""),
              (Messages{kMsgFileProxyAddressMissing, kMsgFileProxyPortMissing}));
    EXPECT_EQ(Wired().m_nUseProxy, 1) << "the proxy stays on";
    EXPECT_EQ(messagesFor("0", "", ""), Messages{});
    EXPECT_EQ(messagesFor("0", "a\tb", "0"),
              (Messages{kMsgBadFileProxyAddress, kMsgBadFileProxyPort}))
        << "bad values are reported with the proxy off too";
    EXPECT_EQ(Wired().m_strProxyAddress, u"");
    EXPECT_EQ(Wired().m_strProxyPort, u"");
    EXPECT_EQ(messagesFor("1", "p", "65536"), Messages{kMsgBadFileProxyPort});
    EXPECT_EQ(messagesFor("1", "p", "4294967376"), Messages{kMsgBadFileProxyPort});
    EXPECT_EQ(messagesFor("1", "p\x81", "80"), Messages{kMsgBadFileProxyAddress})
        << "0x81 is not a character of code page 1252";
}

TEST_F(ReaderTest, CommonFlagsReadExactTexts) {
    EXPECT_EQ(Load({"[Common]", "NETWORK_DEVICE_POWER_MANAGEMENT=0", "NETWORK_PRIORITY=1"}),
              Messages{});
    EXPECT_EQ(Records().bEnableNetworkDevice, 0);
    EXPECT_EQ(Records().bUseWireless, 1);
    EXPECT_EQ(Load({"[Common]", "NETWORK_DEVICE_POWER_MANAGEMENT=off", "NETWORK_PRIORITY=2"}),
              Messages{});
    EXPECT_EQ(Records().bEnableNetworkDevice, 1);
    EXPECT_EQ(Records().bUseWireless, 0);
}

TEST_F(ReaderTest, WirelessProfilesCloseUpInFileOrder) {
    EXPECT_EQ(Load({"[Common]", "WIRELESS_SETTING_TOTAL=2", "[UserNetworkSetting]",
                    "WIRELESS_SSID_3=third", "WIRELESS_SSID_5=fifth", "WIRELESS_SSID_30=last",
                    "WIRELESS_SSID_31=never read", "WIRELESS_SSID_7=seventh"}),
              Messages{});
    EXPECT_EQ(Ssids(), (std::vector<std::u16string>{u"third", u"fifth", u"seventh", u"last"}));
    CNetworkSetting expected;
    expected.m_strSsid = u"third";
    EXPECT_EQ(Profile(0), expected) << "every value not in the file is its default";
}

TEST_F(ReaderTest, WirelessFlagsAndModesReadExactTexts) {
    EXPECT_EQ(
        LoadProfile({"WIRELESS_FORCE=1", "WIRELESS_CONNECTION_AUTOMATICALLY=0", "WIRELESS_DHCP=0",
                     "WIRELESS_PROXY=yes", "WIRELESS_PROXY_ADDRESS=p", "WIRELESS_PROXY_PORT=8080"}),
        Messages{});
    EXPECT_EQ(Profile(0).m_nForce, 1);
    EXPECT_EQ(Profile(0).m_nConnectAutomatically, 0);
    EXPECT_EQ(Profile(0).m_nDhcp, 0);
    EXPECT_EQ(Profile(0).m_nUseProxy, 1);

    LoadProfile({"WIRELESS_FORCE=yes", "WIRELESS_CONNECTION_AUTOMATICALLY=no"});
    EXPECT_EQ(Profile(0).m_nForce, 0);
    EXPECT_EQ(Profile(0).m_nConnectAutomatically, 1);

    for (const std::string mode : {"01", "6", "WEP", "-1", ""}) {
        EXPECT_EQ(
            LoadProfile({"WIRELESS_SEQLITY_MODE=" + mode, "WIRELESS_PSK=" + Encrypted(u"12345")}),
            Messages{})
            << mode;
        EXPECT_EQ(Profile(0).m_nSecurityMode, kSecurityNone) << mode;
        EXPECT_EQ(Profile(0).m_strNetworkKey, u"") << "the key of no security is discarded";
    }
    for (int mode = kSecurityWep; mode <= kSecurityWpa2PskTkip; ++mode) {
        LoadProfile({"WIRELESS_SEQLITY_MODE=" + std::to_string(mode),
                     "WIRELESS_PSK=" + Encrypted(std::u16string(mode == 1 ? 13 : 20, u'k'))});
        EXPECT_EQ(Profile(0).m_nSecurityMode, mode);
    }
}

TEST_F(ReaderTest, WirelessKeysByMode) {
    EXPECT_EQ(WirelessKeyMessages(1, u"0123456789"), Messages{});
    EXPECT_EQ(Profile(0).m_strNetworkKey, u"0123456789");
    EXPECT_EQ(WirelessKeyMessages(1, u"012345678g"), Messages{kMsgBadFileNetworkKey});
    EXPECT_TRUE(Ssids().empty()) << "the profile is dropped";
    EXPECT_EQ(WirelessKeyMessages(1, u"\u00ff\u00e9 !~"), Messages{});
    EXPECT_EQ(WirelessKeyMessages(1, u"ghijklmnopqrs"), Messages{});
    EXPECT_EQ(WirelessKeyMessages(1, std::u16string(26, u'A')), Messages{});
    EXPECT_EQ(WirelessKeyMessages(1, u"123456"), Messages{kMsgBadFileNetworkKey});

    for (int mode = kSecurityWpaPskTkip; mode <= kSecurityWpa2PskTkip; ++mode) {
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(8, u'k')), Messages{});
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(63, u'k')), Messages{});
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(64, u'f')), Messages{});
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(64, u'k')),
                  Messages{kMsgBadFileNetworkKey});
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(7, u'k')),
                  Messages{kMsgBadFileNetworkKey});
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(65, u'k')),
                  Messages{kMsgBadFileNetworkKey});
    }

    EXPECT_EQ(LoadProfile({"WIRELESS_SEQLITY_MODE=2"}), Messages{kMsgBadFileNetworkKey})
        << "a mode needs a key";
    EXPECT_EQ(LoadProfile({"WIRELESS_SEQLITY_MODE=2", "WIRELESS_PSK=XYZ"}),
              (Messages{kMsgKeyDecryption, kMsgBadFileNetworkKey}));
    EXPECT_EQ(LoadProfile({"WIRELESS_SEQLITY_MODE=0", "WIRELESS_PSK=XYZ"}),
              Messages{kMsgKeyDecryption});
    EXPECT_EQ(Ssids(), std::vector<std::u16string>{u"Net"}) << "without security it stays";
}

TEST_F(ReaderTest, WirelessSsid) {
    EXPECT_EQ(LoadProfile({"WIRELESS_SEQLITY_MODE=1", "WIRELESS_PSK=" + Encrypted(u"12345")},
                          std::string(33, 's')),
              Messages{kMsgBadFileSsid})
        << "a valid key does not save it";
    EXPECT_TRUE(Ssids().empty());

    LoadProfile({}, std::string(32, 's'));
    EXPECT_EQ(Ssids(), std::vector<std::u16string>{std::u16string(32, u's')});
    EXPECT_EQ(LoadProfile({}, "Caf\xe9 \xff"), Messages{});
    EXPECT_EQ(Ssids(), std::vector<std::u16string>{u"Caf\u00e9 \u00ff"});
    for (const std::string quote : {"'", "\""}) {
        LoadProfile({}, quote);
        EXPECT_EQ(Ssids(), std::vector<std::u16string>{std::u16string(quote.begin(), quote.end())})
            << "a quote alone is the SSID, not a pair around nothing";
    }
    EXPECT_EQ(LoadProfile({}, "Euro\x80"), Messages{kMsgBadFileSsid})
        << "0x80 is the euro sign, U+20AC";

    // Without an SSID a profile is dropped, after its other values were checked.
    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRELESS_IP_2=300.1.1.1", "WIRELESS_DNS_3=1.1.1.1"}),
              Messages{kMsgBadFileIpAddress});
    EXPECT_TRUE(Ssids().empty());
}

TEST_F(ReaderTest, WirelessAddressesAndProxyUseTheWiredMessages) {
    EXPECT_EQ(LoadProfile({"WIRELESS_IP=127.1.2.3", "WIRELESS_SUBNET_MASK=a",
                           "WIRELESS_DEFAULT_GATEWAY=1", "WIRELESS_DNS=1.2.3.4",
                           "WIRELESS_DNS_SECONDARY=1.2.3.4.56", "WIRELESS_PROXY=1",
                           "WIRELESS_PROXY_PORT=0"}),
              (Messages{kMsgInvalidIpAddress, kMsgBadFileSubnet, kMsgBadFileGateway, kMsgBadFileDns,
                        kMsgFileProxyAddressMissing, kMsgBadFileProxyPort}));
    const CNetworkSetting& profile = Profile(0);
    EXPECT_EQ(profile.m_ipAddress, IpField());
    EXPECT_EQ(profile.m_ipDns, (IpField{{1, 2, 3, 4}, 4}));
    EXPECT_EQ(profile.m_nUseProxy, 1);
    EXPECT_EQ(profile.m_strProxyPort, u"");
    EXPECT_EQ(Wired(), CNetworkSetting()) << "the wired record is apart";
}

TEST_F(ReaderTest, MessagesComeInTheOrderOfTheGroups) {
    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRELESS_SSID_2=" + std::string(40, 'x'),
                    "WIRELESS_IP=1.1.1", "WIRED_PROXY=1", "WIRED_IP=1.2.3.4", "WIRED_DNS=999.1.1.1",
                    "[NewtworkFolderSetting]", "NETFOLDER_NAME=1", "NETFOLDER_UID=u",
                    "NETFOLDER_PASS=00"}),
              (Messages{kMsgPasswordDecryption, kMsgBadFileDeviceName, kMsgBadFileDns,
                        kMsgFileProxyAddressMissing, kMsgFileProxyPortMissing, kMsgBadFileIpAddress,
                        kMsgBadFileSsid}));
    EXPECT_EQ(Wired().m_ipAddress, (IpField{{1, 2, 3, 4}, 4}))
        << "good values stay although the result is 0";

    // Within the profiles: each profile's values in the file's key order, the
    // profile's own checks last; a profile with a bad key is left out.
    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRELESS_SSID=First", "WIRELESS_DNS=x",
                    "WIRELESS_SSID_3=Third", "WIRELESS_SEQLITY_MODE_3=1", "WIRELESS_PSK_3=zz",
                    "WIRELESS_SSID_4=Fourth"}),
              (Messages{kMsgBadFileDns, kMsgKeyDecryption, kMsgBadFileNetworkKey}));
    EXPECT_EQ(Ssids(), (std::vector<std::u16string>{u"First", u"Fourth"}));
}

TEST_F(ReaderTest, ValuesAreReadAsABufferOf1024UnitsHoldsThem) {
    const std::string longAddress(5000, 'p');
    EXPECT_EQ(LoadProfile({"WIRELESS_PROXY=1", "WIRELESS_PROXY_ADDRESS=" + longAddress,
                           "WIRELESS_PROXY_PORT=8080"}),
              Messages{})
        << "the first 1023 characters are a good address";
    EXPECT_EQ(Profile(0).m_strProxyAddress, std::u16string(1023, u'p'));

    LoadProfile({}, std::string("ab\0cd", 5));
    EXPECT_EQ(Ssids(), std::vector<std::u16string>{u"ab"}) << "a value ends at a NUL";

    EXPECT_EQ(LoadProfile({}, std::string(1023, 's') + "\t"), Messages{kMsgBadFileSsid});
}

TEST_F(ReaderTest, MalformedFilesReadSafely) {
    std::string binary;
    for (int i = 0; i < 200000; ++i) {
        binary.push_back(static_cast<char>((i * 7919) % 256));
    }
    LoadBytes(binary);

    // Megabyte lines, and a file without a single line end.
    EXPECT_EQ(LoadBytes("[UserNetworkSetting]\r\nWIRELESS_SSID=" + std::string(3 << 20, 'x') +
                        "\r\nWIRELESS_SSID_2=ok"),
              Messages{kMsgBadFileSsid});
    EXPECT_EQ(Ssids(), std::vector<std::u16string>{u"ok"});
    LoadBytes("[UserNetworkSetting]WIRELESS_SSID=x" + std::string(2 << 20, '='));
    EXPECT_TRUE(Ssids().empty());

    // Thousands of sections, the wanted one last; the first of a name wins.
    std::string sections;
    for (int i = 0; i < 5000; ++i) {
        sections += "[S" + std::to_string(i) + "]\nWIRELESS_SSID=no\n";
    }
    LoadBytes(sections + "[usernetworksetting]\nwireless_ssid = found \n[UserNetworkSetting]\n"
                         "WIRELESS_SSID_2=second section\n");
    EXPECT_EQ(Ssids(), std::vector<std::u16string>{u"found"});

    // A UTF-16 file with a byte order mark reads as well.
    const std::u16string wide = u"[UserNetworkSetting]\r\nWIRELESS_SSID=\u00e9t\u00e9\r\n";
    LoadBytes("\xFF\xFE" +
              std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2));
    EXPECT_EQ(Ssids(), std::vector<std::u16string>{u"\u00e9t\u00e9"});
}

} // namespace
