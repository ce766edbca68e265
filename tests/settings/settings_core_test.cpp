// The reader, writer and page checks as values, without a window.
#include "catalogue/message_ids.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "settings/page_entry_checks.h"
#include "settings/settings_file_format.h"
#include "settings/settings_file_reader.h"
#include "settings/settings_file_writer.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

class SettingsCoreTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }

    static CNetworkSetting Profile(std::u16string ssid) {
        CNetworkSetting profile;
        profile.m_strSsid = std::move(ssid);
        return profile;
    }

    CSettingsFileContents RoundTrip(const CSettingsRecords& records) {
        const CComposedSettingsFile file = ComposeSettingsFile(records);
        EXPECT_TRUE(file.bytes.has_value());
        EXPECT_TRUE(platform::SaveFileAtomically(File(), file.bytes.value_or("")));
        return ReadSettingsFile(File());
    }
    void WriteFile(const std::string& bytes) {
        ASSERT_TRUE(platform::SaveFileAtomically(File(), bytes));
    }
    std::filesystem::path File() const { return m_folder / "NetworkSetting.ini"; }

    CTempFolder m_folder;
};

TEST_F(SettingsCoreTest, KeyNamesOfProfiles) {
    EXPECT_EQ(WirelessKeyNames(0).front(), u"WIRELESS_DHCP");
    EXPECT_EQ(WirelessKeyNames(1)[10], u"WIRELESS_SEQLITY_MODE_2");
    EXPECT_EQ(WirelessKeyNames(29).back(), u"WIRELESS_CONNECTION_AUTOMATICALLY_30");
}

TEST_F(SettingsCoreTest, RecordsSurviveTheFileInPriorityOrder) {
    CSettingsRecords records;
    records.nNetFolderChoice = 1;
    records.netFolder = {};
    records.netFolder.m_strNetDeviceName = u"player-1";
    records.netFolder.m_strUserId = u"guest";
    records.netFolder.m_strPassword = u"secret";
    records.bEnableNetworkDevice = 1;
    records.wired.m_nDhcp = 0; // the wired values are never written
    for (const auto* ssid : {u"Zeta", u"Alpha", u"Zeta"}) {
        records.profiles.push_back(Profile(ssid));
    }
    records.profiles[1].m_nSecurityMode = kSecurityWpa2PskTkip;
    records.profiles[1].m_strNetworkKey = u"a passphrase";

    const CSettingsFileContents read = RoundTrip(records);
    EXPECT_EQ(read.Result(), 1);
    EXPECT_TRUE(read.rejected.empty());
    EXPECT_EQ(read.records.netFolder, records.netFolder);
    EXPECT_EQ(read.records.nNetFolderChoice, 1);
    EXPECT_EQ(read.records.bEnableNetworkDevice, 1);
    EXPECT_EQ(read.records.wired.m_nDhcp, 1);
    ASSERT_EQ(read.records.profiles.size(), 3u);
    EXPECT_EQ(read.records.profiles, records.profiles);
}

TEST_F(SettingsCoreTest, NetFolderEntriesAreWrittenOnlyWhenCustomised) {
    CSettingsRecords records;
    records.netFolder.m_strNetDeviceName = u"player-1";
    records.netFolder.m_strUserId = u"guest";
    records.netFolder.m_strPassword = u"secret";
    const std::string bytes = ComposeSettingsFile(records).bytes.value_or("?");
    EXPECT_NE(bytes.find("NETFOLDER_NAME=\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("NETFOLDER_PASS=\r\n"), std::string::npos) << bytes;
}

TEST_F(SettingsCoreTest, RejectedValuesComeInTheOrderMet) {
    WriteFile("[NewtworkFolderSetting]\r\nNETFOLDER_NAME=bad name!\r\nNETFOLDER_UID=guest\r\n"
              "[UserNetworkSetting]\r\nWIRED_IP=1.2.3\r\n"
              "WIRELESS_SSID=First\r\nWIRELESS_DNS=x\r\n"
              "WIRELESS_SSID_3=Third\r\nWIRELESS_SEQLITY_MODE_3=1\r\nWIRELESS_PSK_3=zz\r\n"
              "WIRELESS_SSID_4=Fourth\r\n");
    const CSettingsFileContents read = ReadSettingsFile(File());
    EXPECT_EQ(read.Result(), 0);
    const std::vector<CRejectedValue> expected = {
        {kMsgBadFileDeviceName, kMsgLoadSettings}, {kMsgBadFileIpAddress, kMsgLoadSettings},
        {kMsgBadFileDns, kMsgLoadSettings},        {kMsgKeyDecryption, kMsgLoadSettings},
        {kMsgBadFileNetworkKey, kMsgLoadSettings},
    };
    EXPECT_EQ(read.rejected, expected);
    ASSERT_EQ(read.records.profiles.size(), 2u) << "the profile with a bad key is left out";
    EXPECT_EQ(read.records.profiles[0].m_strSsid, u"First");
    EXPECT_EQ(read.records.profiles[1].m_strSsid, u"Fourth");
}

TEST_F(SettingsCoreTest, WriterRefusesWhatWouldBreakTheFileApart) {
    for (const std::u16string& bad :
         {std::u16string(u"two\r\nlines"), std::u16string(u"a\nb"), std::u16string(u"nul\0x", 5)}) {
        CSettingsRecords records;
        records.profiles.push_back(Profile(u"ok"));
        records.profiles[0].m_strProxyAddress = bad;
        EXPECT_EQ(ComposeSettingsFile(records).error, ESettingsFileError::UnsafeText);

        records = {};
        records.nNetFolderChoice = 1;
        records.netFolder.m_strUserId = bad;
        const CComposedSettingsFile file = ComposeSettingsFile(records);
        EXPECT_FALSE(file.bytes.has_value());
        EXPECT_EQ(file.error, ESettingsFileError::UnsafeText);
    }
}

TEST_F(SettingsCoreTest, WriterRefusesMoreProfilesThanTheListHolds) {
    CSettingsRecords records;
    records.profiles.assign(kWirelessSlotCount, Profile(u"net"));
    EXPECT_TRUE(ComposeSettingsFile(records).bytes.has_value());
    records.profiles.push_back(Profile(u"one too many"));
    EXPECT_EQ(ComposeSettingsFile(records).error, ESettingsFileError::TooManyProfiles);
}

TEST_F(SettingsCoreTest, WriterRefusesASecretTheCipherCannotTake) {
    CSettingsRecords records;
    records.profiles.push_back(Profile(u"net"));
    records.profiles[0].m_strNetworkKey = std::u16string(4096, u'k');
    EXPECT_EQ(ComposeSettingsFile(records).error, ESettingsFileError::SecretNotEncrypted);
}

TEST_F(SettingsCoreTest, PageChecksReportInOrderAndEraseWhatIsBad) {
    CNetFolderEntries entries{u"", u"guest", u"pw", u"pw-other"};
    std::vector<int> messages;
    EXPECT_EQ(CheckNetFolderEntries(entries, true, messages), 0);
    EXPECT_EQ(messages, std::vector<int>{kMsgInputDeviceName});

    messages.clear();
    EXPECT_EQ(CheckNetFolderEntries(entries, false, messages), 0);
    EXPECT_EQ(messages,
              (std::vector<int>{kMsgInputDeviceName, kMsgDeviceNameLength, kMsgPasswordMismatch}));
    EXPECT_EQ(entries.strUserId, u"guest");
    EXPECT_TRUE(entries.strPassword.empty());
    EXPECT_TRUE(entries.strConfirmation.empty());

    CNetworkSetting connection;
    connection.m_strProxyAddress = u"proxy\tname";
    connection.m_strProxyPort = u"80";
    messages.clear();
    EXPECT_EQ(CheckProxyEntries(connection, true, messages), 1) << "no proxy, no message";
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(connection.m_strProxyAddress.empty());
    EXPECT_EQ(connection.m_strProxyPort, u"80");

    connection.m_nUseProxy = 1;
    connection.m_strProxyPort = u"0";
    EXPECT_EQ(CheckProxyEntries(connection, false, messages), 0);
    EXPECT_EQ(messages, (std::vector<int>{kMsgInputProxyAddress, kMsgProxyPort}));
}

} // namespace
