#include "settings_state_fixture.h"

namespace {

using DialogStateTest = SettingsStateTest;

TEST_F(DialogStateTest, ClicksReachMembersOnlyThroughDataExchange) {
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_DEFAULT), 1) << "initialisation shows the members";
    EXPECT_EQ(m_window->Check(IDC_WIRED_DHCP_ON), 1);
    m_window->Click(IDC_NETFOLDER_CUSTOMIZE);
    m_window->Click(IDC_WIRED_DHCP_OFF);
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_DEFAULT), 0);
    EXPECT_EQ(m_window->Check(IDC_WIRED_DHCP_ON), 0) << "the two groups stay apart";
    EXPECT_EQ(m_state.m_nNetFolderChoice, 0);
    m_state.UpdateData(true);
    EXPECT_EQ(m_state.m_nNetFolderChoice, 1);
    EXPECT_EQ(m_state.m_nDhcpChoice, 1);

    m_state.m_bEnableNetworkDevice = 1;
    m_state.m_nNetFolderChoice = 0;
    m_state.UpdateData(false);
    EXPECT_EQ(m_window->Check(IDC_ENABLE_NETWORK_DEVICE), 1);
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_DEFAULT), 1);
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_CUSTOMIZE), 0);
}

TEST_F(DialogStateTest, ResetRecordsAreDefaultsAndCopiesAreIndependent) {
    CNetworkSetting profile;
    profile.m_strSsid = u"x";
    profile.m_nDhcp = 0;
    profile.m_ipDns = {{8, 8, 8, 8}, 3};
    CNetworkSetting copy = profile;
    profile.m_strSsid = u"changed";
    EXPECT_EQ(copy.m_strSsid, u"x");
    EXPECT_EQ(copy.m_ipDns.filled, 3);
    EXPECT_FALSE(copy.m_ipDns.IsEntered());

    m_state.m_wirelessSlots[7] = copy;
    m_state.m_wiredSetting = copy;
    m_state.ResetSettingRecords();
    EXPECT_EQ(m_state.m_wirelessSlots[7], CNetworkSetting());
    EXPECT_EQ(m_state.m_wiredSetting.m_nDhcp, 1);
    EXPECT_EQ(m_state.m_wiredSetting.m_nConnectAutomatically, 1);
}

TEST_F(DialogStateTest, LinesWithoutAValidSlotAreIgnored) {
    EXPECT_EQ(m_state.SlotOfLine(0), nullptr);
    m_window->InsertItem(IDC_WIRELESS_LIST, -1, u"stray");
    m_window->SetItemData(IDC_WIRELESS_LIST, 0, 99);
    EXPECT_EQ(m_state.SlotOfLine(0), nullptr);
    EXPECT_EQ(m_state.SlotOfLine(-1), nullptr);
}

} // namespace
