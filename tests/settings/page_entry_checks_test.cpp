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

// The one message the create flow shows for the network folder's entries.
int CreateFlowMessage(std::u16string name, std::u16string userId, std::u16string password,
                      std::u16string confirmation) {
    CNetFolderEntries entries{std::move(name), std::move(userId), std::move(password),
                              std::move(confirmation)};
    std::vector<int> messages;
    const int result = CheckNetFolderEntries(entries, true, messages);
    EXPECT_LE(messages.size(), 1u);
    EXPECT_EQ(result, messages.empty() ? 1 : 0);
    return messages.empty() ? 0 : messages[0];
}

TEST(PageEntryChecksTest, EachNetFolderValueGetsItsMessage) {
    EXPECT_EQ(CreateFlowMessage(u"kordavin-1", u"user_01", u"pw", u"pw"), 0);
    EXPECT_EQ(CreateFlowMessage(u"abcdefghijklmno", std::u16string(32, u'u'),
                                std::u16string(32, u'p'), std::u16string(32, u'p')),
              0);
    EXPECT_EQ(CreateFlowMessage(u"a-1", u"a-b", u"", u""), 0) << "no password is fine";
    EXPECT_EQ(CreateFlowMessage(u"1-2", u"x", u"caf\u00e9", u"caf\u00e9"), 0);

    EXPECT_EQ(CreateFlowMessage(u"", u"u", u"", u""), kMsgInputDeviceName);
    EXPECT_EQ(CreateFlowMessage(u"abcdefghijklmnop", u"u", u"", u""), kMsgDeviceNameLength);
    EXPECT_EQ(CreateFlowMessage(u"a_b", u"u", u"", u""), kMsgDeviceNameChars);
    EXPECT_EQ(CreateFlowMessage(u"12$", u"u", u"", u""), kMsgDeviceNameChars);
    EXPECT_EQ(CreateFlowMessage(u"123", u"u", u"", u""), kMsgDeviceNameDigitsOnly);
    EXPECT_EQ(CreateFlowMessage(u"---", u"u", u"", u""), kMsgDeviceNameHyphensOnly);
    EXPECT_EQ(CreateFlowMessage(u"n", u"", u"", u""), kMsgInputUserId);
    EXPECT_EQ(CreateFlowMessage(u"n", std::u16string(33, u'u'), u"", u""), kMsgUserIdLength);
    EXPECT_EQ(CreateFlowMessage(u"n", u"user.name", u"", u""), kMsgUserIdChars);
    EXPECT_EQ(CreateFlowMessage(u"n", u"u", u"Secret", u"secret"), kMsgPasswordMismatch);
    EXPECT_EQ(CreateFlowMessage(u"n", u"u", std::u16string(33, u'p'), std::u16string(33, u'p')),
              kMsgPasswordLength);
    EXPECT_EQ(CreateFlowMessage(u"n", u"u", u"a\tb", u"a\tb"), kMsgPasswordChars);
    EXPECT_EQ(CreateFlowMessage(u"n", u"u", u"\u3042", u"\u3042"), kMsgPasswordChars);
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
