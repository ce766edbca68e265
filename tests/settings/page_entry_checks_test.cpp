// The checks of the main dialog's pages, as values.
#include "catalogue/message_ids.h"
#include "platform/codepage.h"
#include "settings/page_entry_checks.h"

#include <gtest/gtest.h>

namespace {

TEST(PageEntryChecksTest, ReportInOrderAndEraseWhatIsBad) {
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
    connection.m_strProxyPort = u"70000";
    EXPECT_EQ(CheckProxyEntries(connection, true, messages), 1) << "no proxy, no message";
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(connection.m_strProxyPort.empty()) << "a bad port is emptied all the same";

    connection.m_nUseProxy = 1;
    connection.m_strProxyPort = u"0";
    EXPECT_EQ(CheckProxyEntries(connection, false, messages), 0);
    EXPECT_EQ(messages, (std::vector<int>{kMsgInputProxyAddress, kMsgProxyPort}));
}

// A password is encrypted from the OEM code page, a proxy address stored in
// the ANSI one: what they cannot hold would reach the player as "?".
TEST(PageEntryChecksTest, EntriesTheCodePagesCannotHoldAreRefused) {
    const auto passwordMessages = [](unsigned oem, const std::u16string& password) {
        platform::OverrideCodePages(1252, oem);
        CNetFolderEntries entries{u"kordavin", u"guest", password, password};
        std::vector<int> messages;
        CheckNetFolderEntries(entries, true, messages);
        platform::OverrideCodePages(std::nullopt, std::nullopt);
        return messages;
    };
    EXPECT_EQ(passwordMessages(437, u"\u00D8pw\u00A9"), std::vector<int>{kMsgPasswordChars});
    EXPECT_TRUE(passwordMessages(850, u"\u00D8pw\u00A9").empty()) << "850 holds both";

    platform::OverrideCodePages(1252, 850);
    CNetworkSetting connection;
    connection.m_nUseProxy = 1;
    connection.m_strProxyAddress = u"\u00FFproxy";
    connection.m_strProxyPort = u"8080\u00E9";
    std::vector<int> messages;
    EXPECT_EQ(CheckProxyEntries(connection, false, messages), 1) << "1252 holds both";
    platform::OverrideCodePages(1251, 866);
    EXPECT_EQ(CheckProxyEntries(connection, false, messages), 0);
    platform::OverrideCodePages(std::nullopt, std::nullopt);
    EXPECT_EQ(messages, (std::vector<int>{kMsgProxyAddressChars, kMsgProxyPort}));
    EXPECT_TRUE(connection.m_strProxyAddress.empty());
    EXPECT_TRUE(connection.m_strProxyPort.empty());
}

} // namespace
