#include "platform/file_reader.h"
#include "settings/secret_cipher.h"
#include "settings_state_fixture.h"

#include <algorithm>

namespace {

using WriterTest = SettingsStateTest;

std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
    const auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.starts_with(key + "=");
    });
    return found == lines.end() ? "<missing>" : found->substr(key.size() + 1);
}

TEST_F(WriterTest, DefaultChoiceTickedDeviceAndOneOpenProfile) {
    m_window->Click(IDC_ENABLE_NETWORK_DEVICE);
    m_state.AppendWirelessProfile(Profile(u"HomeNet"));
    const std::vector<std::string> expected = {
        "[NewtworkFolderSetting]",
        "NETFOLDER_NAME=",
        "NETFOLDER_UID=",
        "NETFOLDER_PASS=",
        "[Common]",
        "NETWORK_DEVICE_POWER_MANAGEMENT=1",
        "WIRELESS_SETTING_TOTAL=1",
        "[UserNetworkSetting]",
        "WIRELESS_DHCP=1",
        "WIRELESS_IP=",
        "WIRELESS_SUBNET_MASK=",
        "WIRELESS_DEFAULT_GATEWAY=",
        "WIRELESS_DNS=",
        "WIRELESS_DNS_SECONDARY=",
        "WIRELESS_PROXY=0",
        "WIRELESS_PROXY_ADDRESS=",
        "WIRELESS_PROXY_PORT=",
        "WIRELESS_SSID=HomeNet",
        "WIRELESS_SEQLITY_MODE=0",
        "WIRELESS_PSK=",
        "WIRELESS_FORCE=0",
        "WIRELESS_CONNECTION_AUTOMATICALLY=1",
    };
    EXPECT_EQ(WrittenLines(), expected);
}

TEST_F(WriterTest, EmptyListHasTotalZeroAndNoProfileSection) {
    const std::vector<std::string> expected = {
        "[NewtworkFolderSetting]",  "NETFOLDER_NAME=", "NETFOLDER_UID=",
        "NETFOLDER_PASS=",          "[Common]",        "NETWORK_DEVICE_POWER_MANAGEMENT=0",
        "WIRELESS_SETTING_TOTAL=0",
    };
    EXPECT_EQ(WrittenLines(), expected);
}

TEST_F(WriterTest, NetworkFolderValuesOnlyWhenCustomized) {
    m_window->Type(IDC_DEVICE_NAME, u"kordavin-1");
    m_window->Type(IDC_USER_ID, u"guest");
    m_window->Type(IDC_PASSWORD, u"pw");
    m_window->Type(IDC_CONFIRM_PASSWORD, u"confirm is never written");
    auto lines = WrittenLines();
    EXPECT_EQ(ValueOf(lines, "NETFOLDER_NAME"), "");
    EXPECT_EQ(ValueOf(lines, "NETFOLDER_UID"), "");
    EXPECT_EQ(ValueOf(lines, "NETFOLDER_PASS"), "");

    m_window->Click(IDC_NETFOLDER_CUSTOMIZE);
    lines = WrittenLines();
    EXPECT_EQ(ValueOf(lines, "NETFOLDER_NAME"), "kordavin-1");
    EXPECT_EQ(ValueOf(lines, "NETFOLDER_UID"), "guest");
    const std::string stored = ValueOf(lines, "NETFOLDER_PASS");
    ASSERT_EQ(stored.size(), 64u);
    std::u16string password;
    ASSERT_EQ(DecryptSecret(std::u16string(stored.begin(), stored.end()).c_str(), password), 1);
    EXPECT_EQ(password, u"pw");

    m_window->Type(IDC_PASSWORD, u"");
    EXPECT_EQ(ValueOf(WrittenLines(), "NETFOLDER_PASS"), "");
}

TEST_F(WriterTest, TwoWritesDifferOnlyInTheEncryptedValues) {
    m_window->Click(IDC_NETFOLDER_CUSTOMIZE);
    m_window->Type(IDC_PASSWORD, u"pw");
    CNetworkSetting profile = Profile(u"Office");
    profile.m_nSecurityMode = kSecurityWpa2PskAes;
    profile.m_strNetworkKey = u"a long network key";
    m_state.AppendWirelessProfile(profile);

    const auto first = WrittenLines();
    const auto second = WrittenLines();
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        const bool secret =
            first[i].starts_with("NETFOLDER_PASS=") || first[i].starts_with("WIRELESS_PSK=");
        EXPECT_EQ(first[i] == second[i], !secret) << first[i];
    }
    EXPECT_EQ(ValueOf(first, "WIRELESS_SEQLITY_MODE"), "4");
    EXPECT_EQ(ValueOf(first, "WIRELESS_PSK").size(), 96u);
}

TEST_F(WriterTest, ProfileValuesAsWritten) {
    CNetworkSetting profile = Profile(u"Lab");
    profile.m_nDhcp = 0;
    profile.m_ipAddress = {{192, 168, 0, 10}, 4};
    profile.m_ipSubnetMask = {{255, 255, 255, 0}, 3}; // one field left blank
    profile.m_ipDefaultGateway = {{10, 0, 0, 1}, 4};
    profile.m_nUseProxy = 2; // anything but 1 is off
    profile.m_strProxyAddress = u"proxy.example";
    profile.m_strProxyPort = u"8080";
    profile.m_nForce = 1;
    profile.m_nConnectAutomatically = 0;
    m_state.AppendWirelessProfile(Profile(u"First"));
    m_state.AppendWirelessProfile(profile);
    const auto lines = WrittenLines();
    EXPECT_EQ(ValueOf(lines, "WIRELESS_DHCP_2"), "0");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_IP_2"), "192.168.0.10");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_SUBNET_MASK_2"), "");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_DEFAULT_GATEWAY_2"), "10.0.0.1");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_PROXY_2"), "0");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_PROXY_ADDRESS_2"), "proxy.example");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_PROXY_PORT_2"), "8080");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_FORCE_2"), "1");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_CONNECTION_AUTOMATICALLY_2"), "0");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_SSID"), "First");
}

TEST_F(WriterTest, ThirtyProfilesAndTheOrderOfCommon) {
    for (int i = 1; i <= 30; ++i) {
        ASSERT_GE(m_state.AppendWirelessProfile(Profile(u"net" + std::u16string(1, u'A' + i % 26))),
                  0);
    }
    EXPECT_EQ(m_state.AppendWirelessProfile(Profile(u"31st")), -1);
    const auto lines = WrittenLines();
    EXPECT_EQ(lines.size(), 8u + 30u * 14u);
    EXPECT_EQ(lines[5], "NETWORK_DEVICE_POWER_MANAGEMENT=0");
    EXPECT_EQ(lines[6], "WIRELESS_SETTING_TOTAL=30");
    EXPECT_EQ(lines.back(), "WIRELESS_CONNECTION_AUTOMATICALLY_30=1");
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(),
                      [](const std::string& l) { return l.find("_1=") != std::string::npos; }),
        0);
    EXPECT_EQ(ValueOf(lines, "WIRELESS_DHCP_2"), "1");
}

TEST_F(WriterTest, ListOrderNotSlotOrderDecidesPriority) {
    m_state.AppendWirelessProfile(Profile(u"A"));
    m_state.AppendWirelessProfile(Profile(u"B"));
    // Delete the first line and free its slot, as the list's Delete does.
    m_state.SlotOfLine(0)->Reset();
    m_window->DeleteItem(IDC_WIRELESS_LIST, 0);
    ASSERT_EQ(m_state.AppendWirelessProfile(Profile(u"C")), 1);
    EXPECT_EQ(m_state.SlotOfLine(1), &m_state.m_wirelessSlots[0]) << "slot 0 is reused";
    const auto lines = WrittenLines();
    EXPECT_EQ(ValueOf(lines, "WIRELESS_SSID"), "B");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_SSID_2"), "C");
}

TEST_F(WriterTest, FailureReturnsZeroAndLeavesTheOldFile) {
    m_state.AppendWirelessProfile(Profile(u"Kept"));
    ASSERT_EQ(m_state.WriteSettingsFile(FilePath()), 1);
    const auto old = platform::ReadWholeFile(FilePath());

    // A secret too long for its encrypted form: nothing is written at all.
    m_window->Click(IDC_NETFOLDER_CUSTOMIZE);
    m_window->Type(IDC_PASSWORD, std::u16string(481, u'p'));
    EXPECT_EQ(m_state.WriteSettingsFile(FilePath()), 0);
    EXPECT_EQ(platform::ReadWholeFile(FilePath()), old);

    m_window->Type(IDC_PASSWORD, u"pw");
    m_state.SlotOfLine(0)->m_strNetworkKey = std::u16string(500, u'k');
    EXPECT_EQ(m_state.WriteSettingsFile(FilePath()), 0);
    EXPECT_EQ(platform::ReadWholeFile(FilePath()), old);

    m_state.SlotOfLine(0)->m_strNetworkKey.clear();
    EXPECT_EQ(m_state.WriteSettingsFile((m_folder / "missing/NetworkSetting.ini").u16string()), 0);
    EXPECT_EQ(m_state.WriteSettingsFile(m_folder.Path().u16string()), 0);
    EXPECT_EQ(platform::ReadWholeFile(FilePath()), old);
}

} // namespace
