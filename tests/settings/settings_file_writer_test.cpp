// The bytes the writer composes from records, and how a save fails.
#include "platform/codepage.h"
#include "platform/file_reader.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_format.h"
#include "settings/settings_file_writer.h"
#include "tests/support/temp_folder.h"
#include "tests/support/whole_file.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

CNetworkSetting Profile(const std::u16string& ssid) {
    CNetworkSetting profile;
    profile.m_strSsid = ssid;
    return profile;
}

std::string ValueOf(const Lines& lines, const std::string& key) {
    const auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.starts_with(key + "=");
    });
    return found == lines.end() ? "<missing>" : found->substr(key.size() + 1);
}

class WriterTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }

    // The composed file as lines, each checked to end in CRLF.
    Lines WrittenLines() const {
        const CComposedSettingsFile file = ComposeSettingsFile(m_records);
        EXPECT_EQ(file.error, ESettingsFileError::None);
        const std::string bytes = file.bytes.value_or("");
        Lines lines;
        size_t start = 0;
        for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
            lines.push_back(bytes.substr(start, end - start));
        }
        EXPECT_EQ(start, bytes.size()) << "every line ends in CRLF";
        return lines;
    }
    ESettingsFileError Refusal() const { return ComposeSettingsFile(m_records).error; }

    CSettingsRecords m_records;
};

TEST(WirelessKeyNamesTest, FirstProfileHasNoSuffixTheOthersTheirNumber) {
    EXPECT_EQ(WirelessKeyNames(0).front(), u"WIRELESS_DHCP");
    EXPECT_EQ(WirelessKeyNames(1)[10], u"WIRELESS_SEQLITY_MODE_2");
    EXPECT_EQ(WirelessKeyNames(29).back(), u"WIRELESS_CONNECTION_AUTOMATICALLY_30");
}

TEST_F(WriterTest, DefaultChoiceTickedDeviceAndOneOpenProfile) {
    m_records.bEnableNetworkDevice = 1;
    m_records.profiles.push_back(Profile(u"HomeNet"));
    const Lines expected = {
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
    m_records.wired.m_nDhcp = 0; // the wired values are never written
    m_records.bUseWireless = 1;  // nor is the priority
    const Lines expected = {
        "[NewtworkFolderSetting]",  "NETFOLDER_NAME=", "NETFOLDER_UID=",
        "NETFOLDER_PASS=",          "[Common]",        "NETWORK_DEVICE_POWER_MANAGEMENT=0",
        "WIRELESS_SETTING_TOTAL=0",
    };
    EXPECT_EQ(WrittenLines(), expected);
}

TEST_F(WriterTest, NetworkFolderValuesOnlyWhenCustomized) {
    m_records.netFolder = {};
    m_records.netFolder.m_strNetDeviceName = u"kordavin-1";
    m_records.netFolder.m_strUserId = u"guest";
    m_records.netFolder.m_strPassword = u"pw";
    Lines lines = WrittenLines();
    EXPECT_EQ(ValueOf(lines, "NETFOLDER_NAME"), "");
    EXPECT_EQ(ValueOf(lines, "NETFOLDER_UID"), "");
    EXPECT_EQ(ValueOf(lines, "NETFOLDER_PASS"), "");

    m_records.nNetFolderChoice = 1;
    lines = WrittenLines();
    EXPECT_EQ(ValueOf(lines, "NETFOLDER_NAME"), "kordavin-1");
    EXPECT_EQ(ValueOf(lines, "NETFOLDER_UID"), "guest");
    const std::string stored = ValueOf(lines, "NETFOLDER_PASS");
    ASSERT_EQ(stored.size(), 64u);
    std::u16string password;
    ASSERT_EQ(DecryptSecret(std::u16string(stored.begin(), stored.end()).c_str(), password), 1);
    EXPECT_EQ(password, u"pw");

    m_records.netFolder.m_strPassword.clear();
    EXPECT_EQ(ValueOf(WrittenLines(), "NETFOLDER_PASS"), "");
}

TEST_F(WriterTest, TwoWritesDifferOnlyInTheEncryptedValues) {
    m_records.nNetFolderChoice = 1;
    m_records.netFolder.m_strPassword = u"pw";
    CNetworkSetting profile = Profile(u"Office");
    profile.m_nSecurityMode = kSecurityWpa2PskAes;
    profile.m_strNetworkKey = u"a long network key";
    m_records.profiles.push_back(profile);

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
    m_records.profiles = {Profile(u"First"), profile};
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
        m_records.profiles.push_back(Profile(u"net" + std::u16string(1, u'A' + i % 26)));
    }
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

    m_records.profiles.push_back(Profile(u"one too many"));
    EXPECT_EQ(Refusal(), ESettingsFileError::TooManyProfiles);
}

TEST_F(WriterTest, RefusesWhatWouldBreakTheFileApart) {
    for (const std::u16string& bad :
         {std::u16string(u"two\r\nlines"), std::u16string(u"a\nb"), std::u16string(u"nul\0x", 5)}) {
        m_records = {};
        m_records.profiles.push_back(Profile(u"ok"));
        m_records.profiles[0].m_strProxyAddress = bad;
        EXPECT_EQ(Refusal(), ESettingsFileError::UnsafeText);
        m_records.profiles[0].m_strProxyAddress.clear();
        m_records.profiles[0].m_strProxyPort = bad;
        EXPECT_EQ(Refusal(), ESettingsFileError::UnsafeText);

        m_records = {};
        m_records.nNetFolderChoice = 1;
        m_records.netFolder.m_strUserId = bad;
        const CComposedSettingsFile file = ComposeSettingsFile(m_records);
        EXPECT_FALSE(file.bytes.has_value());
        EXPECT_EQ(file.error, ESettingsFileError::UnsafeText);
    }
}

TEST_F(WriterTest, AFailedSaveLeavesTheOldFile) {
    CTempFolder folder;
    const auto path = folder / "NetworkSetting.ini";
    m_records.profiles.push_back(Profile(u"Kept"));
    ASSERT_TRUE(SaveSettingsFile(path, ComposeSettingsFile(m_records)));
    const auto old = ReadWholeFile(path);

    // A secret too long for its encrypted form: nothing is written at all.
    m_records.nNetFolderChoice = 1;
    m_records.netFolder.m_strPassword = std::u16string(481, u'p');
    EXPECT_EQ(SaveSettingsFile(path, ComposeSettingsFile(m_records)).error,
              ESettingsFileError::SecretNotEncrypted);
    EXPECT_EQ(ReadWholeFile(path), old);

    m_records.netFolder.m_strPassword = u"pw";
    m_records.profiles[0].m_strNetworkKey = std::u16string(500, u'k');
    EXPECT_EQ(Refusal(), ESettingsFileError::SecretNotEncrypted);

    m_records.profiles[0].m_strNetworkKey.clear();
    for (const auto& unsaveable : {folder / "missing/NetworkSetting.ini", folder.Path()}) {
        const CSettingsFileSave save = SaveSettingsFile(unsaveable, ComposeSettingsFile(m_records));
        EXPECT_EQ(save.error, ESettingsFileError::NotSaved);
        EXPECT_NE(save.systemError, 0);
    }
    EXPECT_EQ(ReadWholeFile(path), old);
}

} // namespace
