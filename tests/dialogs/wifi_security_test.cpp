#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "dialogs/wifi_security.h"
#include "ui/headless/headless_ui.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using ui::headless::CHeadlessWindow;

constexpr std::array kAddressControls = {IDC_WIFI_IP_ADDRESS, IDC_WIFI_SUBNET_MASK,
                                         IDC_WIFI_DEFAULT_GATEWAY, IDC_WIFI_DNS,
                                         IDC_WIFI_DNS_SECONDARY};
constexpr IpField kFullAddress{{192, 168, 1, 20}, 4};
constexpr IpField kFullMask{{255, 255, 255, 0}, 4};
constexpr IpField kLoopback{{127, 0, 0, 1}, 4};

std::u16string BoxText(int messageId) {
    return GetMessageText(messageId) + std::u16string(3, u' ');
}

CNetworkSetting Profile(std::u16string ssid, int mode = kSecurityNone, std::u16string key = u"") {
    CNetworkSetting profile;
    profile.m_strSsid = std::move(ssid);
    profile.m_nSecurityMode = mode;
    profile.m_strNetworkKey = std::move(key);
    return profile;
}

class WifiSecurityTest : public ::testing::Test {
protected:
    using Script = std::function<void(CHeadlessWindow&, CWifiSecurity&)>;

    void SetUp() override {
        ui::InstallServices(&m_ui);
        g_nLanguageIndex = 0;
    }
    void TearDown() override { ui::InstallServices(nullptr); }

    // Shows the dialog on a copy of the profile; m_result is what the dialog
    // holds when it has closed.
    int Show(const CNetworkSetting& profile, const Script& script) {
        CWifiSecurity dialog(nullptr);
        dialog.SetSetting(profile);
        m_ui.OnNextModal(kWifiSecurityTemplateId,
                         [&](CHeadlessWindow& window) { script(window, dialog); });
        const int result = dialog.DoModal();
        dialog.GetSetting(m_result);
        return result;
    }

    // The one message box shown since the last call, as "text|caption".
    std::u16string TakeOnlyBox() {
        const auto boxes = m_ui.MessageBoxes();
        m_ui.ClearMessageBoxes();
        if (boxes.size() != 1) {
            return u"<" + std::u16string(1, static_cast<char16_t>(u'0' + boxes.size())) +
                   u" boxes>";
        }
        EXPECT_EQ(boxes[0].icon, ui::Icon::Error);
        EXPECT_EQ(boxes[0].buttons, ui::Buttons::Ok);
        EXPECT_EQ(boxes[0].templateOfOwner, kWifiSecurityTemplateId);
        return boxes[0].text + u"|" + boxes[0].caption;
    }

    ui::headless::CHeadlessUi m_ui;
    CNetworkSetting m_result;
};

TEST_F(WifiSecurityTest, OpensWithCatalogueTextsAndTheProfileShown) {
    CNetworkSetting profile = Profile(u"HomeNet", kSecurityWpa2PskAes, u"secret-key");
    profile.m_nForce = 1;
    profile.m_nDhcp = 0;
    profile.m_ipAddress = kFullAddress;
    profile.m_ipSubnetMask = {{255, 255, 0, 0}, 3}; // partly entered: opens empty
    profile.m_nUseProxy = 1;
    profile.m_strProxyAddress = u"proxy.local";
    profile.m_strProxyPort = u"8080";
    Show(profile, [](CHeadlessWindow& window, CWifiSecurity&) {
        EXPECT_EQ(window.Title(), u"Wireless LAN Property");
        EXPECT_EQ(window.Text(IDC_WIFI_CONFIRM_KEY_LABEL), u"Confirm Network key:");
        EXPECT_EQ(window.Text(IDC_WIFI_CANCEL), u"Cancel");
        EXPECT_EQ(window.Text(IDC_WIFI_SSID), u"HomeNet");
        EXPECT_EQ(window.Check(IDC_WIFI_STEALTH), 1);
        EXPECT_EQ(window.CurSel(IDC_WIFI_SECURITY), 5);
        EXPECT_EQ(window.ItemText(IDC_WIFI_SECURITY, 5), u"WPA2 PSK AES");
        EXPECT_EQ(window.Text(IDC_WIFI_KEY), u"secret-key");
        EXPECT_EQ(window.Text(IDC_WIFI_CONFIRM_KEY), u"secret-key");
        EXPECT_TRUE(window.IsEnabled(IDC_WIFI_KEY));
        EXPECT_EQ(window.Check(IDC_WIFI_DHCP_OFF), 1);
        EXPECT_EQ(window.Check(IDC_WIFI_DHCP_ON), 0);
        EXPECT_EQ(window.Address(IDC_WIFI_IP_ADDRESS), kFullAddress);
        EXPECT_EQ(window.Address(IDC_WIFI_SUBNET_MASK), IpField{});
        EXPECT_TRUE(window.IsEnabled(IDC_WIFI_DNS_SECONDARY));
        EXPECT_EQ(window.Check(IDC_WIFI_USE_PROXY), 1);
        EXPECT_EQ(window.Text(IDC_WIFI_PROXY_PORT), u"8080");
        EXPECT_TRUE(window.IsEnabled(IDC_WIFI_PROXY_ADDRESS));
    });

    // A fresh dialog: no key, addresses and proxy edits to fill.
    Show(CNetworkSetting(), [](CHeadlessWindow& window, CWifiSecurity&) {
        EXPECT_EQ(window.CurSel(IDC_WIFI_SECURITY), 0);
        EXPECT_FALSE(window.IsEnabled(IDC_WIFI_CONFIRM_KEY));
        EXPECT_EQ(window.Check(IDC_WIFI_DHCP_ON), 1);
        for (const int id : kAddressControls) {
            EXPECT_FALSE(window.IsEnabled(id)) << id;
        }
        EXPECT_FALSE(window.IsEnabled(IDC_WIFI_PROXY_PORT));
    });
}

TEST_F(WifiSecurityTest, TheModeAlwaysComesFromTheRowsItemData) {
    const std::pair<int, int> rowAndMode[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 5}, {5, 4}};
    for (const auto& [row, mode] : rowAndMode) {
        Show(Profile(u"Net", mode, u"0123456789"), [&](CHeadlessWindow& window, CWifiSecurity&) {
            EXPECT_EQ(window.CurSel(IDC_WIFI_SECURITY), row) << "mode " << mode;
        });
        const int result = Show(Profile(u"Net"), [&](CHeadlessWindow& window, CWifiSecurity&) {
            ASSERT_TRUE(window.Choose(IDC_WIFI_SECURITY, row));
            EXPECT_EQ(window.IsEnabled(IDC_WIFI_KEY), mode != kSecurityNone);
            window.Type(IDC_WIFI_KEY, u"0123456789");
            window.Type(IDC_WIFI_CONFIRM_KEY, u"0123456789");
            window.Click(IDC_WIFI_OK);
        });
        EXPECT_EQ(result, ui::IDOK);
        EXPECT_EQ(m_result.m_nSecurityMode, mode) << "row " << row;
    }
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
}

TEST_F(WifiSecurityTest, AnUnknownModeSelectsNoRowAndIsKept) {
    const int result =
        Show(Profile(u"Net", 9, u"abc"), [](CHeadlessWindow& window, CWifiSecurity&) {
            EXPECT_EQ(window.CurSel(IDC_WIFI_SECURITY), -1);
            EXPECT_TRUE(window.IsEnabled(IDC_WIFI_KEY));
            EXPECT_TRUE(window.IsEnabled(IDC_WIFI_CONFIRM_KEY));
            window.Click(IDC_WIFI_OK);
        });
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(m_result.m_nSecurityMode, 9);
}

TEST_F(WifiSecurityTest, NoSecurityDropsWhateverTheKeyEditsHold) {
    const int result =
        Show(Profile(u"Net", kSecurityNone, u"left-over"), [](CHeadlessWindow& window, auto&) {
            EXPECT_FALSE(window.IsEnabled(IDC_WIFI_KEY));
            EXPECT_EQ(window.Text(IDC_WIFI_KEY), u"left-over");
            window.Click(IDC_WIFI_OK);
        });
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(m_result.m_strNetworkKey, u"");
}

struct CFailingEntry {
    const char* name;
    std::function<void(CHeadlessWindow&)> fill;
    int message;
    bool keysErased;
    // The entry that gets the focus, its text selected; else OK keeps it.
    int pointedAt = 0;
};

void ChooseWep(CHeadlessWindow& window, std::u16string_view key, std::u16string_view confirm) {
    window.Choose(IDC_WIFI_SECURITY, 1);
    window.Type(IDC_WIFI_KEY, key);
    window.Type(IDC_WIFI_CONFIRM_KEY, confirm);
}

void FixedAddresses(CHeadlessWindow& window, const IpField& address, const IpField& mask) {
    window.Click(IDC_WIFI_DHCP_OFF);
    window.TypeAddress(IDC_WIFI_IP_ADDRESS, address);
    window.TypeAddress(IDC_WIFI_SUBNET_MASK, mask);
}

void Proxy(CHeadlessWindow& window, std::u16string_view address, std::u16string_view port) {
    window.Click(IDC_WIFI_USE_PROXY);
    window.Type(IDC_WIFI_PROXY_ADDRESS, address);
    window.Type(IDC_WIFI_PROXY_PORT, port);
}

TEST_F(WifiSecurityTest, EveryFailedCheckShowsItsMessageAndOnlyKeyFailuresEraseTheKeys) {
    // One case for each way the dialog answers a refusal; every value the
    // rules refuse is the check's own test.
    const CFailingEntry cases[] = {
        {"empty SSID", [](auto& w) { w.Type(IDC_WIFI_SSID, u""); }, kMsgInputSsid, false},
        {"SSID after a blank", [](auto& w) { w.Type(IDC_WIFI_SSID, u" Net"); },
         kMsgSsidNotKeptByFile, false, IDC_WIFI_SSID},
        {"proxy address in quotes", [](auto& w) { Proxy(w, u"\"proxy\"", u"80"); },
         kMsgProxyAddressNotKeptByFile, false, IDC_WIFI_PROXY_ADDRESS},
        {"keys differ", [](auto& w) { ChooseWep(w, u"abcde", u"abcdE"); }, kMsgKeyMismatch, true},
        {"WEP key of six", [](auto& w) { ChooseWep(w, u"abcdef", u"abcdef"); }, kMsgKeyLength,
         true},
        {"IP of three fields",
         [](auto& w) {
             FixedAddresses(w, {{10, 0, 0, 0}, 3}, kFullMask);
         },
         kMsgInputIpAddress, false},
        {"no mask", [](auto& w) { FixedAddresses(w, kFullAddress, {}); }, kMsgInputSubnetMask,
         false},
        {"proxy without port", [](auto& w) { Proxy(w, u"proxy", u""); }, kMsgProfileInputProxyPort,
         false},
    };
    for (const CFailingEntry& entry : cases) {
        SCOPED_TRACE(entry.name);
        // A WPA key in the edits shows whether a failure erased them.
        const CNetworkSetting start = Profile(u"Net", kSecurityWpaPskAes, u"kept-key-1");
        Show(start, [&](CHeadlessWindow& window, CWifiSecurity&) {
            entry.fill(window);
            const std::u16string key = window.Text(IDC_WIFI_KEY);
            const std::u16string confirmation = window.Text(IDC_WIFI_CONFIRM_KEY);
            const int focus = window.Focus();
            window.Click(IDC_WIFI_OK);
            EXPECT_EQ(TakeOnlyBox(), BoxText(entry.message) + u"|Wireless LAN setting");
            EXPECT_FALSE(window.HasEnded());
            EXPECT_EQ(window.Text(IDC_WIFI_KEY), entry.keysErased ? u"" : key);
            EXPECT_EQ(window.Text(IDC_WIFI_CONFIRM_KEY), entry.keysErased ? u"" : confirmation);
            if (entry.pointedAt != 0) {
                EXPECT_TRUE(window.IsWholeTextSelected(entry.pointedAt));
            } else {
                EXPECT_EQ(window.Focus(), focus);
            }
            window.PressEscape();
        });
    }
}

TEST_F(WifiSecurityTest, GoodEntriesPassAsTheyAreTyped) {
    const int result = Show(CNetworkSetting(), [](CHeadlessWindow& window, CWifiSecurity&) {
        window.Type(IDC_WIFI_SSID, std::u16string(32, u'N'));
        window.Click(IDC_WIFI_STEALTH);
        window.Choose(IDC_WIFI_SECURITY, 4);
        window.Type(IDC_WIFI_KEY, u"Passphrase 8+");
        window.Type(IDC_WIFI_CONFIRM_KEY, u"Passphrase 8+");
        FixedAddresses(window, kFullAddress, kFullMask);
        window.TypeAddress(IDC_WIFI_DNS, {{8, 8, 0, 0}, 2}); // not checked: stored as typed
        Proxy(window, u"proxy.example", u"65535");
        window.PressEnter();
    });
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    CNetworkSetting expected = Profile(std::u16string(32, u'N'), 5, u"Passphrase 8+");
    expected.m_nForce = 1;
    expected.m_nDhcp = 0;
    expected.m_ipAddress = kFullAddress;
    expected.m_ipSubnetMask = kFullMask;
    expected.m_ipDns = {{8, 8, 0, 0}, 2};
    expected.m_nUseProxy = 1;
    expected.m_strProxyAddress = u"proxy.example";
    expected.m_strProxyPort = u"65535";
    EXPECT_EQ(m_result, expected);
}

TEST_F(WifiSecurityTest, HiddenBadEntriesAreDroppedSilently) {
    CNetworkSetting profile = Profile(u"Net");
    profile.m_ipAddress = kLoopback; // under DHCP on: the control is disabled
    profile.m_ipDns = kFullAddress;
    const int result = Show(profile, [](CHeadlessWindow& window, CWifiSecurity&) {
        EXPECT_FALSE(window.IsEnabled(IDC_WIFI_IP_ADDRESS));
        Proxy(window, u"pro\txy", u"80");
        window.Click(IDC_WIFI_USE_PROXY); // proxy off again
        window.Click(IDC_WIFI_OK);
        EXPECT_EQ(window.Address(IDC_WIFI_IP_ADDRESS), IpField{});
        EXPECT_EQ(window.Text(IDC_WIFI_PROXY_ADDRESS), u"pro\txy");
    });
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_FALSE(m_result.m_ipAddress.IsEntered());
    EXPECT_EQ(m_result.m_ipDns, kFullAddress);
    EXPECT_EQ(m_result.m_nUseProxy, 0);
    EXPECT_EQ(m_result.m_strProxyAddress, u"");
    EXPECT_EQ(m_result.m_strProxyPort, u"80");
}

TEST_F(WifiSecurityTest, EachPressOfOkTakesTheEntriesUpToTheFailingCheck) {
    CNetworkSetting profile = Profile(u"Old");
    profile.m_strProxyPort = u"3128";
    Show(profile, [](CHeadlessWindow& window, CWifiSecurity& dialog) {
        window.Type(IDC_WIFI_SSID, std::u16string(40, u'S'));
        window.Choose(IDC_WIFI_SECURITY, 3);
        window.Type(IDC_WIFI_KEY, u"k");
        FixedAddresses(window, kFullAddress, kFullMask);
        Proxy(window, u"proxy", u"8080");
        window.Click(IDC_WIFI_OK); // fails on the SSID
        CNetworkSetting taken;
        dialog.GetSetting(taken);
        EXPECT_EQ(taken.m_strSsid, std::u16string(40, u'S'));
        EXPECT_EQ(taken.m_nSecurityMode, kSecurityWpaPskAes);
        EXPECT_EQ(taken.m_strNetworkKey, u"k");
        EXPECT_EQ(taken.m_nDhcp, 0);
        EXPECT_EQ(taken.m_ipSubnetMask, kFullMask);
        EXPECT_EQ(taken.m_nUseProxy, 0) << "the proxy is not taken before its turn";
        EXPECT_EQ(taken.m_strProxyPort, u"3128");

        window.Type(IDC_WIFI_SSID, u"New");
        window.Choose(IDC_WIFI_SECURITY, 0);
        window.Type(IDC_WIFI_PROXY_PORT, u"0");
        window.Click(IDC_WIFI_OK); // fails on the proxy port
        dialog.GetSetting(taken);
        EXPECT_EQ(taken.m_strNetworkKey, u"") << "no security: no key";
        EXPECT_EQ(taken.m_nUseProxy, 1);
        EXPECT_EQ(taken.m_strProxyAddress, u"proxy");
        EXPECT_EQ(taken.m_strProxyPort, u"0");
        window.Click(IDC_WIFI_CANCEL);
        dialog.GetSetting(taken);
        EXPECT_EQ(taken, CNetworkSetting()) << "Cancel resets the dialog's copy";
    });
    EXPECT_EQ(m_ui.MessageBoxes().size(), 2u);
}

TEST_F(WifiSecurityTest, EnablingFollowsModeDhcpAndProxyWithoutTouchingContents) {
    Show(Profile(u"Net"), [](CHeadlessWindow& window, CWifiSecurity&) {
        window.Choose(IDC_WIFI_SECURITY, 1);
        EXPECT_TRUE(window.IsEnabled(IDC_WIFI_CONFIRM_KEY));
        window.Type(IDC_WIFI_KEY, u"abcde");
        window.Choose(IDC_WIFI_SECURITY, 0);
        EXPECT_FALSE(window.IsEnabled(IDC_WIFI_KEY));
        EXPECT_EQ(window.Text(IDC_WIFI_KEY), u"abcde");

        FixedAddresses(window, kFullAddress, kFullMask);
        window.Click(IDC_WIFI_DHCP_ON);
        EXPECT_FALSE(window.IsEnabled(IDC_WIFI_SUBNET_MASK));
        EXPECT_EQ(window.Address(IDC_WIFI_SUBNET_MASK), kFullMask);
        window.Click(IDC_WIFI_DHCP_OFF);
        EXPECT_TRUE(window.IsEnabled(IDC_WIFI_SUBNET_MASK));

        Proxy(window, u"proxy", u"80");
        window.Click(IDC_WIFI_USE_PROXY);
        EXPECT_FALSE(window.IsEnabled(IDC_WIFI_PROXY_ADDRESS));
        EXPECT_EQ(window.Text(IDC_WIFI_PROXY_ADDRESS), u"proxy");
    });
}

TEST_F(WifiSecurityTest, ClearStartsAFreshProfile) {
    CNetworkSetting profile = Profile(u"Old", kSecurityWep, u"abcde");
    profile.m_nForce = 1;
    profile.m_nDhcp = 0;
    profile.m_ipAddress = kFullAddress;
    profile.m_nUseProxy = 1;
    profile.m_strProxyAddress = u"proxy";
    profile.m_nConnectAutomatically = 0;
    const int result = Show(profile, [](CHeadlessWindow& window, CWifiSecurity&) {
        window.Click(IDC_WIFI_CLEAR);
        EXPECT_EQ(window.Text(IDC_WIFI_SSID), u"");
        EXPECT_EQ(window.Text(IDC_WIFI_CONFIRM_KEY), u"");
        EXPECT_EQ(window.CurSel(IDC_WIFI_SECURITY), 0);
        EXPECT_EQ(window.Check(IDC_WIFI_STEALTH), 0);
        EXPECT_EQ(window.Check(IDC_WIFI_DHCP_ON), 1);
        EXPECT_EQ(window.Check(IDC_WIFI_USE_PROXY), 0);
        EXPECT_EQ(window.Text(IDC_WIFI_PROXY_ADDRESS), u"");
        for (const int id : {IDC_WIFI_KEY, IDC_WIFI_IP_ADDRESS, IDC_WIFI_PROXY_PORT}) {
            EXPECT_FALSE(window.IsEnabled(id)) << id;
        }
        EXPECT_EQ(window.Address(IDC_WIFI_IP_ADDRESS), IpField{});
        window.Type(IDC_WIFI_SSID, u"Fresh");
        window.Click(IDC_WIFI_OK);
    });
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(m_result, Profile(u"Fresh"));
    EXPECT_EQ(m_result.m_nConnectAutomatically, 1);
}

TEST_F(WifiSecurityTest, EditingKeepsConnectAutomatically) {
    CNetworkSetting profile = Profile(u"Net");
    profile.m_nConnectAutomatically = 0;
    Show(profile, [](CHeadlessWindow& window, CWifiSecurity&) { window.Click(IDC_WIFI_OK); });
    EXPECT_EQ(m_result, profile);
}

TEST_F(WifiSecurityTest, EveryWayOutButOkEndsWithCancel) {
    const std::function<void(CHeadlessWindow&)> ways[] = {
        [](CHeadlessWindow& w) { w.Click(IDC_WIFI_CANCEL); },
        [](CHeadlessWindow& w) { w.PressEscape(); },
        [](CHeadlessWindow& w) { w.CloseBox(); },
    };
    for (const auto& leave : ways) {
        const int result = Show(Profile(u"Net"), [&](CHeadlessWindow& window, CWifiSecurity&) {
            window.Type(IDC_WIFI_SSID, u"");
            window.PressEnter(); // the default button checks: refused, stays open
            EXPECT_FALSE(window.HasEnded());
            leave(window);
            EXPECT_EQ(window.Result(), ui::IDCANCEL);
        });
        EXPECT_EQ(result, ui::IDCANCEL);
    }
    EXPECT_EQ(m_ui.MessageBoxes().size(), 3u);
}

TEST_F(WifiSecurityTest, OkByTheFrameworkRouteStillChecks) {
    Show(Profile(u""), [](CHeadlessWindow& window, CWifiSecurity& dialog) {
        dialog.Dispatch(ui::IDOK, ui::Notification::Clicked);
        EXPECT_FALSE(window.HasEnded());
    });
    EXPECT_EQ(TakeOnlyBox(), BoxText(kMsgInputSsid) + u"|Wireless LAN setting");
}

} // namespace
