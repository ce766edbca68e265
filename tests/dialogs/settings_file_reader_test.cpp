#include "catalogue/message_ids.h"
#include "settings/secret_cipher.h"
#include "settings_state_fixture.h"

namespace {

std::string Encrypted(const std::u16string& secret) {
    std::u16string text;
    EXPECT_EQ(EncryptSecret(secret.c_str(), text), 1);
    return std::string(text.begin(), text.end());
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

class ReaderTest : public SettingsStateTest {
protected:
    int LoadBytes(const std::string& bytes) {
        EXPECT_TRUE(platform::SaveFileAtomically(FilePath(), bytes));
        return m_state.LoadSettingsFile(FilePath());
    }
    int Load(const std::vector<std::string>& lines) { return LoadBytes(Lines(lines)); }
    std::vector<int> Shown() { return Messages(kMsgLoadSettings); }

    std::vector<std::u16string> ListedSsids() const {
        std::vector<std::u16string> ssids;
        for (int line = 0; line < m_window->ItemCount(IDC_WIRELESS_LIST); ++line) {
            ssids.push_back(m_window->ItemText(IDC_WIRELESS_LIST, line));
        }
        return ssids;
    }
    const CNetworkSetting& Listed(int line) {
        const CNetworkSetting* slot = m_state.SlotOfLine(line);
        EXPECT_NE(slot, nullptr);
        static const CNetworkSetting kNone;
        return slot != nullptr ? *slot : kNone;
    }

    // One profile with an SSID and the given extra lines, as profile 1.
    int LoadProfile(const std::vector<std::string>& extra, const std::string& ssid = "Net") {
        std::vector<std::string> lines = {"[UserNetworkSetting]", "WIRELESS_SSID=" + ssid};
        lines.insert(lines.end(), extra.begin(), extra.end());
        return Load(lines);
    }
    std::vector<int> WirelessKeyMessages(int mode, const std::u16string& key) {
        LoadProfile(
            {"WIRELESS_SEQLITY_MODE=" + std::to_string(mode), "WIRELESS_PSK=" + Encrypted(key)});
        return Shown();
    }
};

TEST_F(ReaderTest, MissingFileReadsAsDefaults) {
    m_window->Click(IDC_NETFOLDER_CUSTOMIZE);
    m_window->Click(IDC_WIRED_DHCP_OFF);
    m_window->Click(IDC_WIRED_USE_PROXY);
    m_window->Click(IDC_USE_WIRELESS);
    m_window->SetAddress(IDC_WIRED_DNS, {{8, 8, 8, 8}, 4});
    m_state.AppendWirelessProfile(Profile(u"old"));

    EXPECT_EQ(m_state.LoadSettingsFile((m_folder / "missing.ini").u16string()), 1);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_DEFAULT), 1);
    EXPECT_FALSE(m_window->IsEnabled(IDC_DEVICE_NAME));
    EXPECT_EQ(m_window->Check(IDC_WIRED_DHCP_ON), 1);
    EXPECT_FALSE(m_window->IsEnabled(IDC_WIRED_DNS));
    EXPECT_EQ(m_window->Address(IDC_WIRED_DNS).filled, 0);
    EXPECT_EQ(m_window->Check(IDC_WIRED_USE_PROXY), 0);
    EXPECT_FALSE(m_window->IsEnabled(IDC_WIRED_PROXY_ADDRESS));
    EXPECT_EQ(m_window->Check(IDC_ENABLE_NETWORK_DEVICE), 1) << "a missing key means on";
    EXPECT_EQ(m_window->Check(IDC_USE_WIRELESS), 0);
    EXPECT_EQ(m_window->ItemCount(IDC_WIRELESS_LIST), 0);
    EXPECT_EQ(m_state.m_wirelessSlots[0], CNetworkSetting()) << "the old profile's slot is free";
}

TEST_F(ReaderTest, NetFolderValuesSelectCustomize) {
    EXPECT_EQ(Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=kordavin-1", "NETFOLDER_UID=guest",
                    "NETFOLDER_PASS=" + Encrypted(u"caf\u00e9 pw")}),
              1);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_CUSTOMIZE), 1);
    EXPECT_EQ(m_state.m_nNetFolderChoice, 1);
    for (const int edit : {IDC_DEVICE_NAME, IDC_USER_ID, IDC_PASSWORD, IDC_CONFIRM_PASSWORD}) {
        EXPECT_TRUE(m_window->IsEnabled(edit));
    }
    EXPECT_EQ(m_window->Text(IDC_DEVICE_NAME), u"kordavin-1");
    EXPECT_EQ(m_window->Text(IDC_USER_ID), u"guest");
    EXPECT_EQ(m_window->Text(IDC_PASSWORD), u"caf\u00e9 pw");
    EXPECT_EQ(m_window->Text(IDC_CONFIRM_PASSWORD), u"caf\u00e9 pw");
}

TEST_F(ReaderTest, NetFolderWithoutUserIdIsTheDefaultChoiceSilently) {
    m_window->SetText(IDC_PASSWORD, u"typed before");
    EXPECT_EQ(Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=kordavin-1",
                    "NETFOLDER_UID=", "NETFOLDER_PASS=" + Encrypted(u"pw")}),
              1);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_DEFAULT), 1);
    EXPECT_EQ(m_window->Text(IDC_DEVICE_NAME), u"");
    EXPECT_EQ(m_window->Text(IDC_PASSWORD), u"");
    EXPECT_FALSE(m_window->IsEnabled(IDC_PASSWORD));

    // A password that cannot be decrypted is reported all the same.
    EXPECT_EQ(Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=kordavin-1", "NETFOLDER_PASS=ABC"}),
              0);
    EXPECT_EQ(Shown(), std::vector<int>{kMsgPasswordDecryption});
}

TEST_F(ReaderTest, NetFolderValuesAreCheckedOneAfterTheOther) {
    const auto messagesFor = [&](const std::string& name, const std::string& userId,
                                 const std::u16string& password) {
        Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=" + name, "NETFOLDER_UID=" + userId,
              "NETFOLDER_PASS=" + (password.empty() ? "" : Encrypted(password))});
        return Shown();
    };
    EXPECT_EQ(messagesFor("a-1", "u", u""), std::vector<int>{});
    EXPECT_EQ(messagesFor("1-2", std::string(32, 'u'), std::u16string(32, u'p')),
              std::vector<int>{});
    EXPECT_EQ(messagesFor("12345", "u", u""), std::vector<int>{kMsgBadFileDeviceName});
    EXPECT_EQ(messagesFor("---", "u", u""), std::vector<int>{kMsgBadFileDeviceName});
    EXPECT_EQ(messagesFor(std::string(16, 'n'), "u", u""), std::vector<int>{kMsgBadFileDeviceName});
    EXPECT_EQ(messagesFor("n", std::string(33, 'u'), u""), std::vector<int>{kMsgBadFileUserId});
    EXPECT_EQ(messagesFor("n", "user.name", u""), std::vector<int>{kMsgBadFileUserId});
    EXPECT_EQ(messagesFor("n", "u", std::u16string(33, u'p')),
              std::vector<int>{kMsgBadFilePassword});
    EXPECT_EQ(messagesFor("n", "u", u"tab\there"), std::vector<int>{kMsgBadFilePassword});

    EXPECT_EQ(messagesFor("12345", "a.b", u"a\tb"),
              (std::vector<int>{kMsgBadFileDeviceName, kMsgBadFileUserId, kMsgBadFilePassword}));
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_CUSTOMIZE), 1) << "the choice stays Customize";
    EXPECT_EQ(m_window->Text(IDC_DEVICE_NAME), u"");
    EXPECT_EQ(m_window->Text(IDC_USER_ID), u"");
    EXPECT_EQ(m_window->Text(IDC_CONFIRM_PASSWORD), u"");

    // A damaged password: reported, emptied, and the other two still checked.
    Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=12345", "NETFOLDER_UID=u",
          "NETFOLDER_PASS=" + std::string(63, 'A')});
    EXPECT_EQ(Shown(), (std::vector<int>{kMsgPasswordDecryption, kMsgBadFileDeviceName}));
    EXPECT_EQ(m_window->Text(IDC_USER_ID), u"u");
}

TEST_F(ReaderTest, WiredFlagsReadExactTexts) {
    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRED_DHCP=no", "WIRED_PROXY=no",
                    "WIRED_PROXY_ADDRESS=proxy", "WIRED_PROXY_PORT=80"}),
              1);
    EXPECT_EQ(m_window->Check(IDC_WIRED_DHCP_ON), 1) << "only exactly 0 is off";
    EXPECT_FALSE(m_window->IsEnabled(IDC_WIRED_IP_ADDRESS));
    EXPECT_EQ(m_window->Check(IDC_WIRED_USE_PROXY), 1) << "anything but empty or 0 is on";
    EXPECT_TRUE(m_window->IsEnabled(IDC_WIRED_PROXY_PORT));
    EXPECT_EQ(m_state.m_wiredSetting.m_nUseProxy, 1);

    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRED_DHCP=0", "WIRED_IP=192.168.1.20",
                    "WIRED_SUBNET_MASK=255.255.255.0", "WIRED_PROXY=0"}),
              1);
    EXPECT_EQ(m_window->Check(IDC_WIRED_DHCP_OFF), 1);
    for (const int control : {IDC_WIRED_IP_ADDRESS, IDC_WIRED_SUBNET_MASK,
                              IDC_WIRED_DEFAULT_GATEWAY, IDC_WIRED_DNS, IDC_WIRED_DNS_SECONDARY}) {
        EXPECT_TRUE(m_window->IsEnabled(control));
    }
    EXPECT_EQ(m_window->Address(IDC_WIRED_IP_ADDRESS), (IpField{{192, 168, 1, 20}, 4}));
    EXPECT_EQ(m_window->Address(IDC_WIRED_DNS).filled, 0);
    EXPECT_EQ(m_window->Check(IDC_WIRED_USE_PROXY), 0);
    EXPECT_FALSE(m_window->IsEnabled(IDC_WIRED_PROXY_ADDRESS));
}

TEST_F(ReaderTest, WiredAddresses) {
    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRED_IP=127.0.0.1", "WIRED_SUBNET_MASK=1.2.3",
                    "WIRED_DEFAULT_GATEWAY=1..2.3", "WIRED_DNS=1.2.3.", "WIRED_DNS_SECONDARY=x"}),
              0);
    EXPECT_EQ(Shown(), (std::vector<int>{kMsgInvalidIpAddress, kMsgBadFileSubnet,
                                         kMsgBadFileGateway, kMsgBadFileDns, kMsgBadFileDns}));
    for (const auto* field :
         {&m_state.m_wiredSetting.m_ipAddress, &m_state.m_wiredSetting.m_ipSubnetMask,
          &m_state.m_wiredSetting.m_ipDnsSecondary}) {
        EXPECT_EQ(*field, IpField());
    }
    EXPECT_EQ(m_window->Address(IDC_WIRED_IP_ADDRESS).filled, 0);

    Load({"[UserNetworkSetting]", "WIRED_IP=192.168.1.300", "WIRED_DNS=1.2.3.4.5",
          "WIRED_DNS_SECONDARY=0.0.0.0", "WIRED_DEFAULT_GATEWAY=127.0.0.1"});
    EXPECT_EQ(Shown(), std::vector<int>{kMsgBadFileIpAddress}) << "only the IP address is for 127";
    EXPECT_EQ(m_window->Address(IDC_WIRED_DNS), (IpField{{1, 2, 3, 4}, 4}));
    EXPECT_EQ(m_window->Address(IDC_WIRED_DNS_SECONDARY), (IpField{{0, 0, 0, 0}, 4}));
    EXPECT_EQ(m_window->Address(IDC_WIRED_DEFAULT_GATEWAY), (IpField{{127, 0, 0, 1}, 4}));
}

TEST_F(ReaderTest, WiredProxy) {
    const auto messagesFor = [&](const std::string& proxy, const std::string& address,
                                 const std::string& port) {
        Load({"[UserNetworkSetting]", "WIRED_PROXY=" + proxy, "WIRED_PROXY_ADDRESS=" + address,
              "WIRED_PROXY_PORT=" + port});
        return Shown();
    };
    EXPECT_EQ(messagesFor("1", "proxy.example", "65535"), std::vector<int>{});
    EXPECT_EQ(messagesFor("1", "proxy.example", "80abc"), std::vector<int>{});
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_PORT), u"80abc") << "stored as read";
    EXPECT_EQ(messagesFor("1", "", ""),
              (std::vector<int>{kMsgFileProxyAddressMissing, kMsgFileProxyPortMissing}));
    EXPECT_EQ(m_window->Check(IDC_WIRED_USE_PROXY), 1) << "the proxy stays on";
    EXPECT_EQ(messagesFor("0", "", ""), std::vector<int>{});
    EXPECT_EQ(messagesFor("0", "a\tb", "0"),
              (std::vector<int>{kMsgBadFileProxyAddress, kMsgBadFileProxyPort}))
        << "bad values are reported with the proxy off too";
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_ADDRESS), u"");
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_PORT), u"");
    EXPECT_EQ(messagesFor("1", "p", "65536"), std::vector<int>{kMsgBadFileProxyPort});
    EXPECT_EQ(messagesFor("1", "p", "4294967376"), std::vector<int>{kMsgBadFileProxyPort});
    EXPECT_EQ(messagesFor("1", "p\x81", "80"), std::vector<int>{kMsgBadFileProxyAddress})
        << "0x81 is not a character of code page 1252";
}

TEST_F(ReaderTest, CommonFlagsReadExactTexts) {
    Load({"[Common]", "NETWORK_DEVICE_POWER_MANAGEMENT=0", "NETWORK_PRIORITY=1"});
    EXPECT_EQ(m_window->Check(IDC_ENABLE_NETWORK_DEVICE), 0);
    EXPECT_EQ(m_window->Check(IDC_USE_WIRELESS), 1);
    Load({"[Common]", "NETWORK_DEVICE_POWER_MANAGEMENT=off", "NETWORK_PRIORITY=2"});
    EXPECT_EQ(m_window->Check(IDC_ENABLE_NETWORK_DEVICE), 1);
    EXPECT_EQ(m_window->Check(IDC_USE_WIRELESS), 0);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ReaderTest, WirelessProfilesCloseUpInFileOrder) {
    EXPECT_EQ(Load({"[Common]", "WIRELESS_SETTING_TOTAL=2", "[UserNetworkSetting]",
                    "WIRELESS_SSID_3=third", "WIRELESS_SSID_5=fifth", "WIRELESS_SSID_30=last",
                    "WIRELESS_SSID_31=never read", "WIRELESS_SSID_7=seventh"}),
              1);
    EXPECT_EQ(ListedSsids(),
              (std::vector<std::u16string>{u"third", u"fifth", u"seventh", u"last"}));
    EXPECT_EQ(m_window->CurSel(IDC_WIRELESS_LIST), 0);
    const CNetworkSetting& third = Listed(0);
    EXPECT_EQ(third.m_nDhcp, 1);
    EXPECT_EQ(third.m_nSecurityMode, kSecurityNone);
    EXPECT_EQ(third.m_nForce, 0);
    EXPECT_EQ(third.m_nConnectAutomatically, 1);
}

TEST_F(ReaderTest, WirelessFlagsAndModesReadExactTexts) {
    LoadProfile({"WIRELESS_FORCE=1", "WIRELESS_CONNECTION_AUTOMATICALLY=0", "WIRELESS_DHCP=0",
                 "WIRELESS_PROXY=yes", "WIRELESS_PROXY_ADDRESS=p", "WIRELESS_PROXY_PORT=8080"});
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Listed(0).m_nForce, 1);
    EXPECT_EQ(Listed(0).m_nConnectAutomatically, 0);
    EXPECT_EQ(Listed(0).m_nDhcp, 0);
    EXPECT_EQ(Listed(0).m_nUseProxy, 1);

    LoadProfile({"WIRELESS_FORCE=yes", "WIRELESS_CONNECTION_AUTOMATICALLY=no"});
    EXPECT_EQ(Listed(0).m_nForce, 0);
    EXPECT_EQ(Listed(0).m_nConnectAutomatically, 1);

    for (const std::string mode : {"01", "6", "WEP", "-1", ""}) {
        EXPECT_EQ(
            LoadProfile({"WIRELESS_SEQLITY_MODE=" + mode, "WIRELESS_PSK=" + Encrypted(u"12345")}),
            1)
            << mode;
        EXPECT_EQ(Listed(0).m_nSecurityMode, kSecurityNone) << mode;
        EXPECT_EQ(Listed(0).m_strNetworkKey, u"") << "the key of no security is discarded";
    }
    for (int mode = kSecurityWep; mode <= kSecurityWpa2PskTkip; ++mode) {
        LoadProfile({"WIRELESS_SEQLITY_MODE=" + std::to_string(mode),
                     "WIRELESS_PSK=" + Encrypted(std::u16string(mode == 1 ? 13 : 20, u'k'))});
        EXPECT_EQ(Listed(0).m_nSecurityMode, mode);
    }
}

TEST_F(ReaderTest, WirelessKeysByMode) {
    EXPECT_EQ(WirelessKeyMessages(1, u"0123456789"), std::vector<int>{});
    EXPECT_EQ(Listed(0).m_strNetworkKey, u"0123456789");
    EXPECT_EQ(WirelessKeyMessages(1, u"012345678g"), std::vector<int>{kMsgBadFileNetworkKey});
    EXPECT_EQ(m_window->ItemCount(IDC_WIRELESS_LIST), 0) << "the profile is dropped";
    EXPECT_EQ(WirelessKeyMessages(1, u"\u00ff\u00e9 !~"), std::vector<int>{});
    EXPECT_EQ(WirelessKeyMessages(1, u"ghijklmnopqrs"), std::vector<int>{});
    EXPECT_EQ(WirelessKeyMessages(1, std::u16string(26, u'A')), std::vector<int>{});
    EXPECT_EQ(WirelessKeyMessages(1, u"123456"), std::vector<int>{kMsgBadFileNetworkKey});

    for (int mode = kSecurityWpaPskTkip; mode <= kSecurityWpa2PskTkip; ++mode) {
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(8, u'k')), std::vector<int>{});
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(63, u'k')), std::vector<int>{});
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(64, u'f')), std::vector<int>{});
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(64, u'k')),
                  std::vector<int>{kMsgBadFileNetworkKey});
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(7, u'k')),
                  std::vector<int>{kMsgBadFileNetworkKey});
        EXPECT_EQ(WirelessKeyMessages(mode, std::u16string(65, u'k')),
                  std::vector<int>{kMsgBadFileNetworkKey});
    }

    LoadProfile({"WIRELESS_SEQLITY_MODE=2"});
    EXPECT_EQ(Shown(), std::vector<int>{kMsgBadFileNetworkKey}) << "a mode needs a key";
    LoadProfile({"WIRELESS_SEQLITY_MODE=2", "WIRELESS_PSK=XYZ"});
    EXPECT_EQ(Shown(), (std::vector<int>{kMsgKeyDecryption, kMsgBadFileNetworkKey}));
    LoadProfile({"WIRELESS_SEQLITY_MODE=0", "WIRELESS_PSK=XYZ"});
    EXPECT_EQ(Shown(), std::vector<int>{kMsgKeyDecryption});
    EXPECT_EQ(ListedSsids(), std::vector<std::u16string>{u"Net"}) << "without security it stays";
}

TEST_F(ReaderTest, WirelessSsid) {
    LoadProfile({"WIRELESS_SEQLITY_MODE=1", "WIRELESS_PSK=" + Encrypted(u"12345")},
                std::string(33, 's'));
    EXPECT_EQ(Shown(), std::vector<int>{kMsgBadFileSsid}) << "a valid key does not save it";
    EXPECT_EQ(m_window->ItemCount(IDC_WIRELESS_LIST), 0);

    LoadProfile({}, std::string(32, 's'));
    EXPECT_EQ(ListedSsids(), std::vector<std::u16string>{std::u16string(32, u's')});
    LoadProfile({}, "Caf\xe9 \xff");
    EXPECT_EQ(ListedSsids(), std::vector<std::u16string>{u"Caf\u00e9 \u00ff"});
    EXPECT_TRUE(Shown().empty());
    LoadProfile({}, "Euro\x80");
    EXPECT_EQ(Shown(), std::vector<int>{kMsgBadFileSsid}) << "0x80 is the euro sign, U+20AC";

    // Without an SSID a profile is dropped, after its other values were checked.
    Load({"[UserNetworkSetting]", "WIRELESS_IP_2=300.1.1.1", "WIRELESS_DNS_3=1.1.1.1"});
    EXPECT_EQ(Shown(), std::vector<int>{kMsgBadFileIpAddress});
    EXPECT_EQ(m_window->ItemCount(IDC_WIRELESS_LIST), 0);
}

TEST_F(ReaderTest, WirelessAddressesAndProxyUseTheWiredMessages) {
    LoadProfile({"WIRELESS_IP=127.1.2.3", "WIRELESS_SUBNET_MASK=a", "WIRELESS_DEFAULT_GATEWAY=1",
                 "WIRELESS_DNS=1.2.3.4", "WIRELESS_DNS_SECONDARY=1.2.3.4.56", "WIRELESS_PROXY=1",
                 "WIRELESS_PROXY_PORT=0"});
    EXPECT_EQ(Shown(), (std::vector<int>{kMsgInvalidIpAddress, kMsgBadFileSubnet,
                                         kMsgBadFileGateway, kMsgBadFileDns,
                                         kMsgFileProxyAddressMissing, kMsgBadFileProxyPort}));
    const CNetworkSetting& profile = Listed(0);
    EXPECT_EQ(profile.m_ipAddress, IpField());
    EXPECT_EQ(profile.m_ipDns, (IpField{{1, 2, 3, 4}, 4}));
    EXPECT_EQ(profile.m_nUseProxy, 1);
    EXPECT_EQ(profile.m_strProxyPort, u"");
    EXPECT_EQ(m_state.m_wiredSetting, CNetworkSetting()) << "the wired record is apart";
}

TEST_F(ReaderTest, MessagesComeInTheOrderOfTheGroups) {
    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRELESS_SSID_2=" + std::string(40, 'x'),
                    "WIRELESS_IP=1.1.1", "WIRED_PROXY=1", "WIRED_IP=1.2.3.4", "WIRED_DNS=999.1.1.1",
                    "[NewtworkFolderSetting]", "NETFOLDER_NAME=1", "NETFOLDER_UID=u",
                    "NETFOLDER_PASS=00"}),
              0);
    EXPECT_EQ(Shown(),
              (std::vector<int>{kMsgPasswordDecryption, kMsgBadFileDeviceName, kMsgBadFileDns,
                                kMsgFileProxyAddressMissing, kMsgFileProxyPortMissing,
                                kMsgBadFileIpAddress, kMsgBadFileSsid}));
    EXPECT_EQ(m_window->Address(IDC_WIRED_IP_ADDRESS), (IpField{{1, 2, 3, 4}, 4}))
        << "good values stay although the result is 0";
}

TEST_F(ReaderTest, LoadLeavesExactlyTheSlotsOfTheNewLinesInUse) {
    // Add four, delete the first and third, add two more: slots 0 and 2 are reused.
    for (const auto* ssid : {u"a", u"b", u"c", u"d"}) {
        m_state.AppendWirelessProfile(Profile(ssid));
    }
    const auto deleteLine = [&](int line) {
        CNetworkSetting* slot = m_state.SlotOfLine(line);
        m_window->DeleteItem(IDC_WIRELESS_LIST, line);
        slot->Reset();
    };
    deleteLine(0);
    deleteLine(1);
    m_state.AppendWirelessProfile(Profile(u"e"));
    m_state.AppendWirelessProfile(Profile(u"f"));
    ASSERT_EQ(m_window->ItemData(IDC_WIRELESS_LIST, 2), 0);

    Load({"[UserNetworkSetting]", "WIRELESS_SSID=one", "WIRELESS_SSID_4=two",
          "WIRELESS_SSID_9=three"});
    EXPECT_EQ(ListedSsids(), (std::vector<std::u16string>{u"one", u"two", u"three"}));
    for (int line = 0; line < 3; ++line) {
        EXPECT_EQ(m_window->ItemData(IDC_WIRELESS_LIST, line), line);
    }
    for (int slot = 3; slot < kWirelessSlotCount; ++slot) {
        EXPECT_EQ(m_state.m_wirelessSlots[slot], CNetworkSetting()) << slot;
    }
    // Afterwards every further profile up to the 30th still finds a slot.
    for (int added = 3; added < kWirelessSlotCount; ++added) {
        EXPECT_EQ(m_state.AppendWirelessProfile(Profile(u"more")), added);
    }
    EXPECT_EQ(m_state.AppendWirelessProfile(Profile(u"31st")), -1);

    // A slot in use without a line (a broken state) is freed as well.
    m_state.m_wirelessSlots[29] = Profile(u"orphan");
    m_window->DeleteItem(IDC_WIRELESS_LIST, 29);
    Load({});
    EXPECT_EQ(m_window->ItemCount(IDC_WIRELESS_LIST), 0);
    EXPECT_EQ(m_window->CurSel(IDC_WIRELESS_LIST), -1);
    EXPECT_EQ(m_state.m_wirelessSlots[29], CNetworkSetting());
}

TEST_F(ReaderTest, ValuesAreReadAsABufferOf1024UnitsHoldsThem) {
    const std::string longAddress(5000, 'p');
    LoadProfile(
        {"WIRELESS_PROXY=1", "WIRELESS_PROXY_ADDRESS=" + longAddress, "WIRELESS_PROXY_PORT=8080"});
    EXPECT_TRUE(Shown().empty()) << "the first 1023 characters are a good address";
    EXPECT_EQ(Listed(0).m_strProxyAddress, std::u16string(1023, u'p'));

    LoadProfile({}, std::string("ab\0cd", 5));
    EXPECT_EQ(ListedSsids(), std::vector<std::u16string>{u"ab"}) << "a value ends at a NUL";

    LoadProfile({}, std::string(1023, 's') + "\t");
    EXPECT_EQ(Shown(), std::vector<int>{kMsgBadFileSsid});
}

TEST_F(ReaderTest, MalformedFilesReadSafely) {
    std::string binary;
    for (int i = 0; i < 200000; ++i) {
        binary.push_back(static_cast<char>((i * 7919) % 256));
    }
    LoadBytes(binary);
    m_ui.ClearMessageBoxes();

    // Megabyte lines, and a file without a single line end.
    LoadBytes("[UserNetworkSetting]\r\nWIRELESS_SSID=" + std::string(3 << 20, 'x') +
              "\r\nWIRELESS_SSID_2=ok");
    EXPECT_EQ(Shown(), std::vector<int>{kMsgBadFileSsid});
    EXPECT_EQ(ListedSsids(), std::vector<std::u16string>{u"ok"});
    LoadBytes("[UserNetworkSetting]WIRELESS_SSID=x" + std::string(2 << 20, '='));
    EXPECT_EQ(m_window->ItemCount(IDC_WIRELESS_LIST), 0);

    // Thousands of sections, the wanted one last; the first of a name wins.
    std::string sections;
    for (int i = 0; i < 5000; ++i) {
        sections += "[S" + std::to_string(i) + "]\nWIRELESS_SSID=no\n";
    }
    LoadBytes(sections + "[usernetworksetting]\nwireless_ssid = found \n[UserNetworkSetting]\n"
                         "WIRELESS_SSID_2=second section\n");
    EXPECT_EQ(ListedSsids(), std::vector<std::u16string>{u"found"});

    // A UTF-16 file with a byte order mark reads as well.
    const std::u16string wide = u"[UserNetworkSetting]\r\nWIRELESS_SSID=\u00e9t\u00e9\r\n";
    LoadBytes("\xFF\xFE" +
              std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2));
    EXPECT_EQ(ListedSsids(), std::vector<std::u16string>{u"\u00e9t\u00e9"});
}

} // namespace
