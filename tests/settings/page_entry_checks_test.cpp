// The checks of the main dialog's pages, as values.
#include "catalogue/message_ids.h"
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

} // namespace
