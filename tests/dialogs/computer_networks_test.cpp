// The property dialog's SSID field with the computer's networks, from a
// source the test provides.
#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "dialogs/wifi_security.h"
#include "ui/headless/headless_ui.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using ui::headless::CHeadlessWindow;

class CTestNetworks final : public IComputerNetworks {
public:
    CComputerNetworks List() override {
        ++m_nLists;
        return m_networks;
    }
    std::string AddSecrets(CNmConnection& connection) override {
        m_arrAskedFor.push_back(connection.m_strUuid);
        if (m_duringTheAnswer) {
            m_duringTheAnswer(); // the window stays live while the user is asked
        }
        if (!m_bGiveSecrets) {
            return "refused";
        }
        connection.m_strPsk = m_strPsk;
        return {};
    }

    CComputerNetworks m_networks;
    std::string m_strPsk = "home-passphrase";
    bool m_bGiveSecrets = true;
    int m_nLists = 0;
    std::vector<std::string> m_arrAskedFor;
    std::function<void()> m_duringTheAnswer;
};

CNmConnection HomeWithFixedAddress() {
    CNmConnection home;
    home.m_strId = "Home";
    home.m_strUuid = "uuid-home";
    home.m_strType = "wifi";
    home.m_strSsid = "Home";
    home.m_bHidden = true;
    home.m_nAutoconnectPriority = 1;
    home.m_strKeyMgmt = "wpa-psk";
    home.m_arrProtos = {"wpa"};
    home.m_arrPairwise = {"tkip"};
    home.m_strIpv4Method = "manual";
    home.m_strAddress = "192.168.5.20";
    home.m_nPrefix = 24;
    home.m_strGateway = "192.168.5.1";
    home.m_arrDns = {"192.168.5.1", "9.9.9.9"};
    return home;
}

class ComputerNetworksTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::InstallServices(&m_ui);
        g_nLanguageIndex = 0;
        CNmConnection office;
        office.m_strUuid = "uuid-office";
        office.m_strType = "wifi";
        office.m_strSsid = "Office";
        m_networks.m_networks = {true, {office, HomeWithFixedAddress()}, {}};
        CNmAccessPoint neighbour;
        neighbour.strSsid = "HomeZone";
        neighbour.bPrivacy = true;
        neighbour.nRsnFlags = nm_ap::kKeyMgmtPsk | nm_ap::kPairCcmp;
        m_networks.m_networks.inRange = {neighbour};
    }
    void TearDown() override { ui::InstallServices(nullptr); }

    int Show(const CNetworkSetting& profile, IComputerNetworks* networks,
             const std::function<void(CHeadlessWindow&)>& script) {
        CWifiSecurity dialog(nullptr);
        dialog.SetSetting(profile);
        dialog.SetComputerNetworks(networks);
        m_ui.OnNextModal(kWifiSecurityTemplateId, script);
        const int result = dialog.DoModal();
        dialog.GetSetting(m_result);
        return result;
    }

    ui::headless::CHeadlessUi m_ui;
    CTestNetworks m_networks;
    CNetworkSetting m_result;
};

TEST_F(ComputerNetworksTest, ASavedNetworkFillsEveryFieldAndPassesTheChecksAtOk) {
    CNetworkSetting before;
    before.m_nUseProxy = 1;
    before.m_strProxyAddress = u"proxy.example";
    before.m_strProxyPort = u"3128";
    const int result = Show(before, &m_networks, [this](CHeadlessWindow& window) {
        EXPECT_TRUE(m_networks.m_arrAskedFor.empty()) << "no key is asked for before a choice";
        ASSERT_TRUE(window.Type(IDC_WIFI_SSID, u"ho"));
        const std::vector<std::u16string> shown = {u"Home \u2013 WPA PSK TKIP",
                                                   u"HomeZone \u2013 WPA2 PSK AES"};
        EXPECT_EQ(window.ShownSuggestions(IDC_WIFI_SSID), shown);
        ASSERT_TRUE(window.ChooseSuggestion(IDC_WIFI_SSID, 0));
        EXPECT_EQ(window.Text(IDC_WIFI_SSID), u"Home");
        EXPECT_EQ(window.Check(IDC_WIFI_STEALTH), 1);
        EXPECT_EQ(window.ItemData(IDC_WIFI_SECURITY, window.CurSel(IDC_WIFI_SECURITY)),
                  kSecurityWpaPskTkip);
        EXPECT_EQ(window.Text(IDC_WIFI_KEY), u"home-passphrase");
        EXPECT_EQ(window.Text(IDC_WIFI_CONFIRM_KEY), u"home-passphrase");
        EXPECT_EQ(window.Check(IDC_WIFI_DHCP_OFF), 1);
        EXPECT_TRUE(window.IsEnabled(IDC_WIFI_DNS_SECONDARY));
        EXPECT_EQ(window.Address(IDC_WIFI_SUBNET_MASK), (IpField{{255, 255, 255, 0}, 4}));
        EXPECT_EQ(window.Check(IDC_WIFI_USE_PROXY), 0);
        EXPECT_FALSE(window.IsEnabled(IDC_WIFI_PROXY_ADDRESS));
        EXPECT_EQ(window.Text(IDC_WIFI_PROXY_ADDRESS), u"");
        window.Click(IDC_WIFI_OK);
    });
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_networks.m_arrAskedFor, std::vector<std::string>{"uuid-home"});
    EXPECT_EQ(m_networks.m_nLists, 1);
    CNetworkSetting expected;
    expected.m_strSsid = u"Home";
    expected.m_nForce = 1;
    expected.m_nSecurityMode = kSecurityWpaPskTkip;
    expected.m_strNetworkKey = u"home-passphrase";
    expected.m_nDhcp = 0;
    expected.m_ipAddress = {{192, 168, 5, 20}, 4};
    expected.m_ipSubnetMask = {{255, 255, 255, 0}, 4};
    expected.m_ipDefaultGateway = {{192, 168, 5, 1}, 4};
    expected.m_ipDns = {{192, 168, 5, 1}, 4};
    expected.m_ipDnsSecondary = {{9, 9, 9, 9}, 4};
    EXPECT_EQ(m_result, expected);
}

TEST_F(ComputerNetworksTest, ARefusedKeyStaysEmptyAndOkGivesTheUsualMessage) {
    m_networks.m_bGiveSecrets = false;
    Show(CNetworkSetting(), &m_networks, [](CHeadlessWindow& window) {
        window.Type(IDC_WIFI_SSID, u"HOME");
        ASSERT_TRUE(window.ChooseSuggestion(IDC_WIFI_SSID, 0));
        EXPECT_EQ(window.Text(IDC_WIFI_KEY), u"");
        EXPECT_TRUE(window.IsEnabled(IDC_WIFI_KEY));
        window.Click(IDC_WIFI_OK);
        EXPECT_FALSE(window.HasEnded());
        window.Click(IDC_WIFI_CANCEL);
    });
    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_ui.MessageBoxes()[0].caption, GetMessageText(kMsgWirelessLanSetting));

    // A key the player cannot take is refused at OK as a typed one is.
    m_ui.ClearMessageBoxes();
    m_networks.m_bGiveSecrets = true;
    m_networks.m_strPsk = "short";
    Show(CNetworkSetting(), &m_networks, [](CHeadlessWindow& window) {
        window.Type(IDC_WIFI_SSID, u"Home");
        ASSERT_TRUE(window.ChooseSuggestion(IDC_WIFI_SSID, 0));
        EXPECT_EQ(window.Text(IDC_WIFI_KEY), u"short");
        window.Click(IDC_WIFI_OK);
        EXPECT_FALSE(window.HasEnded());
        window.Click(IDC_WIFI_CANCEL);
    });
    EXPECT_EQ(m_ui.MessageBoxes().size(), 1u);
}

TEST_F(ComputerNetworksTest, AChoiceWhileAKeyIsAskedForWaitsForTheAnswer) {
    Show(CNetworkSetting(), &m_networks, [this](CHeadlessWindow& window) {
        m_networks.m_duringTheAnswer = [&window] {
            window.Type(IDC_WIFI_SSID, u"Office");
            EXPECT_TRUE(window.ChooseSuggestion(IDC_WIFI_SSID, 0));
        };
        window.Type(IDC_WIFI_SSID, u"Home");
        ASSERT_TRUE(window.ChooseSuggestion(IDC_WIFI_SSID, 0));
        window.Click(IDC_WIFI_OK);
    });
    EXPECT_EQ(m_networks.m_arrAskedFor, std::vector<std::string>{"uuid-home"});
    EXPECT_EQ(m_result.m_strSsid, u"Home");
    EXPECT_EQ(m_result.m_strNetworkKey, u"home-passphrase");
}

TEST_F(ComputerNetworksTest, ANetworkOnlyInRangeGivesItsNameAndSecurityAlone) {
    CNetworkSetting before;
    before.m_strNetworkKey = u"typed-before";
    before.m_nDhcp = 0;
    before.m_ipAddress = {{10, 0, 0, 5}, 4};
    Show(before, &m_networks, [](CHeadlessWindow& window) {
        window.Type(IDC_WIFI_SSID, u"zone");
        ASSERT_EQ(window.ShownSuggestions(IDC_WIFI_SSID).size(), 1u);
        ASSERT_TRUE(window.ChooseSuggestion(IDC_WIFI_SSID, 0));
        EXPECT_TRUE(window.IsEnabled(IDC_WIFI_KEY));
        window.Type(IDC_WIFI_KEY, u"neighbours-key");
        window.Type(IDC_WIFI_CONFIRM_KEY, u"neighbours-key");
        window.Click(IDC_WIFI_OK);
    });
    EXPECT_TRUE(m_networks.m_arrAskedFor.empty());
    EXPECT_EQ(m_result.m_strSsid, u"HomeZone");
    EXPECT_EQ(m_result.m_nSecurityMode, kSecurityWpa2PskAes);
    EXPECT_EQ(m_result.m_nDhcp, 0);
    EXPECT_EQ(m_result.m_ipAddress, (IpField{{10, 0, 0, 5}, 4}));
}

TEST_F(ComputerNetworksTest, TypingFreelyOrWithoutNetworksChangesNothing) {
    const CNetworkSetting before = [] {
        CNetworkSetting profile;
        profile.m_strSsid = u"Old";
        profile.m_nSecurityMode = kSecurityWpa2PskAes;
        profile.m_strNetworkKey = u"old-passphrase";
        return profile;
    }();
    CTestNetworks none;
    for (IComputerNetworks* networks :
         {static_cast<IComputerNetworks*>(&m_networks), static_cast<IComputerNetworks*>(&none),
          static_cast<IComputerNetworks*>(nullptr)}) {
        Show(before, networks, [](CHeadlessWindow& window) {
            window.Type(IDC_WIFI_SSID, u"Homeward");
            EXPECT_TRUE(window.ShownSuggestions(IDC_WIFI_SSID).empty());
            EXPECT_FALSE(window.ChooseSuggestion(IDC_WIFI_SSID, 0));
            window.Click(IDC_WIFI_OK);
        });
        CNetworkSetting expected = before;
        expected.m_strSsid = u"Homeward";
        EXPECT_EQ(m_result, expected);
    }
    EXPECT_TRUE(m_networks.m_arrAskedFor.empty());
}

} // namespace
