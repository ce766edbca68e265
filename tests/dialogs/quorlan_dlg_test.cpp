#include "platform/atomic_file.h"
#include "platform/file_reader.h"
#include "quorlan_dlg_fixture.h"
#include "tests/support/language_column.h"
#include "tests/support/whole_file.h"

#include <sys/stat.h>

namespace {

using ui::headless::CHeadlessWindow;

constexpr std::array kNetFolderFields = {IDC_DEVICE_NAME, IDC_USER_ID, IDC_PASSWORD,
                                         IDC_CONFIRM_PASSWORD};

std::vector<int> ControlsOf(Page page) {
    std::vector<int> ids;
    for (const CPlacement& placement : QuorlanDlgPlacements()) {
        if (placement.page == page) {
            ids.push_back(placement.id);
        }
    }
    return ids;
}

std::vector<int> VisibleOf(const CHeadlessWindow& window, Page page) {
    std::vector<int> visible;
    for (const int id : ControlsOf(page)) {
        if (window.IsVisible(id)) {
            visible.push_back(id);
        }
    }
    return visible;
}

TEST_F(QuorlanDlgTest, FirstShowingLaysOutTextsTabsAndDefaults) {
    Show([](CHeadlessWindow& window) {
        EXPECT_EQ(window.Title(), u"Network configuration");
        EXPECT_EQ(window.OuterSize(), (ui::Rect{0, 0, 650, 590}));
        EXPECT_EQ(window.ControlRect(IDC_WIRELESS_LIST), (ui::Rect{50, 120, 350, 270}));
        EXPECT_EQ(window.ControlRect(IDC_EXIT), (ui::Rect{510, 520, 110, 30}));
        EXPECT_EQ(window.Text(IDC_EXIT), u"Exit");
        EXPECT_EQ(window.Text(1032), u"Confirm Password:");
        EXPECT_EQ(window.Text(IDC_ENABLE_NETWORK_DEVICE), u"Enable Network device of KORDAVIN");
        EXPECT_EQ(window.ItemHeight(IDC_WIRELESS_LIST), 22);
        ASSERT_EQ(window.TabCount(IDC_TABS), 3);
        EXPECT_EQ(window.TabText(IDC_TABS, 2), u"Local Security Setting");
        EXPECT_EQ(window.CurTab(IDC_TABS), 0);
        EXPECT_EQ(VisibleOf(window, Page::NetworkFolder), ControlsOf(Page::NetworkFolder));
        EXPECT_EQ(VisibleOf(window, Page::Always), ControlsOf(Page::Always));
        EXPECT_TRUE(VisibleOf(window, Page::Wireless).empty());
        EXPECT_EQ(window.Check(IDC_NETFOLDER_DEFAULT), 1);
        for (const int id : kNetFolderFields) {
            EXPECT_FALSE(window.IsEnabled(id));
        }
        EXPECT_FALSE(window.IsEnabled(IDC_WIRED_IP_ADDRESS));
        EXPECT_FALSE(window.IsEnabled(IDC_WIRED_PROXY_PORT));
        EXPECT_EQ(window.SystemMenuCommands().at(IDM_ABOUTBOX), u"&About This utility...");
    });
    EXPECT_EQ(m_dialog.m_strDeviceName, u"KORDAVIN");
}

TEST_F(QuorlanDlgTest, TabsNeverShowTheWiredPageAndKeepWhatWasTyped) {
    Show([](CHeadlessWindow& window) {
        window.Click(IDC_NETFOLDER_CUSTOMIZE);
        window.Type(IDC_DEVICE_NAME, u"kordavin-7");
        for (const int tab : {1, 2, 0, 2, 1}) {
            ASSERT_TRUE(window.Choose(IDC_TABS, tab));
            EXPECT_TRUE(VisibleOf(window, Page::Wired).empty()) << "tab " << tab;
            EXPECT_FALSE(window.IsVisible(IDC_USE_WIRELESS));
        }
        EXPECT_EQ(VisibleOf(window, Page::Wireless).size(), ControlsOf(Page::Wireless).size() - 1);
        EXPECT_TRUE(VisibleOf(window, Page::NetworkFolder).empty());
        window.Choose(IDC_TABS, 0);
        EXPECT_EQ(window.Text(IDC_DEVICE_NAME), u"kordavin-7");
        EXPECT_TRUE(window.IsEnabled(IDC_DEVICE_NAME));
    });
}

TEST_F(QuorlanDlgTest, NetworkFolderChoiceEnablesFieldsAndKeepsTheirText) {
    Show([](CHeadlessWindow& window) {
        window.Click(IDC_NETFOLDER_CUSTOMIZE);
        for (const int id : kNetFolderFields) {
            EXPECT_TRUE(window.IsEnabled(id));
        }
        window.Type(IDC_USER_ID, u"guest");
        window.Click(IDC_NETFOLDER_DEFAULT);
        for (const int id : kNetFolderFields) {
            EXPECT_FALSE(window.IsEnabled(id));
        }
        EXPECT_EQ(window.Text(IDC_USER_ID), u"guest");
    });
}

// A session file that is there but cannot be read may hold 30 profiles and
// a password: the defaults shown instead are never saved over it.
TEST_F(QuorlanDlgTest, AnApplicationDataFileThatCannotBeReadIsNeverReplaced) {
    const std::string tooLarge(kMaxSettingsFileBytes + 1, ';');
    ASSERT_TRUE(platform::SaveFileAtomically(AppDataFile(), tooLarge));
    EXPECT_EQ(Show([](CHeadlessWindow& w) { w.Click(IDC_EXIT); }), ui::IDCANCEL);
    EXPECT_TRUE(ReadWholeFile(AppDataFile()) == tooLarge) << "the file was replaced";
    EXPECT_TRUE(m_ui.MessageBoxes().empty()) << "start-up shows no message";

    std::filesystem::remove(AppDataFile());
    EXPECT_EQ(Show([](CHeadlessWindow& w) { w.Click(IDC_EXIT); }), ui::IDCANCEL);
    EXPECT_TRUE(std::filesystem::exists(AppDataFile())) << "a missing file is made";
}

TEST_F(QuorlanDlgTest, EveryWayOfClosingSavesTheSessionOwnerOnly) {
    const std::pair<std::function<void(CHeadlessWindow&)>, int> ways[] = {
        {[](CHeadlessWindow& w) { w.Click(IDC_EXIT); }, ui::IDCANCEL},
        {[](CHeadlessWindow& w) { w.PressEscape(); }, ui::IDCANCEL},
        {[](CHeadlessWindow& w) { w.CloseBox(); }, ui::IDCANCEL},
        {[](CHeadlessWindow& w) { w.PressEnter(); }, ui::IDOK},
    };
    for (const auto& [close, result] : ways) {
        std::filesystem::remove(AppDataFile());
        EXPECT_EQ(Show(close), result);
        const auto saved = ReadWholeFile(AppDataFile());
        ASSERT_TRUE(saved.has_value());
        EXPECT_NE(saved->find("[NetworkSettingUtility]"), std::string::npos);
        struct stat info {};
        ::stat(AppDataFile().c_str(), &info);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    }
}

TEST_F(QuorlanDlgTest, SecondShowingStartsFromDefaultsAndTheSavedState) {
    Show([&](CHeadlessWindow& window) {
        window.Click(IDC_NETFOLDER_CUSTOMIZE);
        window.Type(IDC_DEVICE_NAME, u"kordavin-2");
        window.Type(IDC_USER_ID, u"guest");
        window.Click(IDC_ENABLE_NETWORK_DEVICE);
        CNetworkSetting profile;
        profile.m_strSsid = u"HomeNet";
        m_dialog.AppendWirelessProfile(profile);
        window.Click(IDC_EXIT);
    });
    m_dialog.m_strDeviceName = u"Player 9";
    Show([](CHeadlessWindow& window) {
        EXPECT_EQ(window.Text(IDC_DEVICE_NAME), u"kordavin-2");
        EXPECT_EQ(window.Text(IDC_USER_ID), u"guest");
        EXPECT_TRUE(window.IsEnabled(IDC_DEVICE_NAME));
        EXPECT_EQ(window.Check(IDC_ENABLE_NETWORK_DEVICE), 1);
        EXPECT_EQ(window.Text(IDC_ENABLE_NETWORK_DEVICE), u"Enable Network device of Player 9");
        ASSERT_EQ(window.ItemCount(IDC_WIRELESS_LIST), 1);
        EXPECT_EQ(window.ItemText(IDC_WIRELESS_LIST, 0), u"HomeNet");
        window.Click(IDC_EXIT);
    });
    std::filesystem::remove(AppDataFile());
    Show([](CHeadlessWindow& window) {
        EXPECT_EQ(window.Text(IDC_DEVICE_NAME), u"");
        EXPECT_EQ(window.Check(IDC_NETFOLDER_CUSTOMIZE), 0);
        EXPECT_EQ(window.ItemCount(IDC_WIRELESS_LIST), 0);
        EXPECT_FALSE(window.IsEnabled(IDC_DEVICE_NAME));
    });
    EXPECT_EQ(m_dialog.m_strDeviceName, u"Player 9");
}

TEST_F(QuorlanDlgTest, MessagesAboutTheSavedStateComeBeforeTheDialogShows) {
    ASSERT_TRUE(platform::SaveFileAtomically(
        AppDataFile(),
        "[UserNetworkSetting]\r\nWIRELESS_SSID=HomeNet\r\nWIRELESS_SEQLITY_MODE=1\r\n"
        "WIRELESS_PSK=not-a-secret\r\n"));
    size_t shownBeforeVisible = 0;
    Show([&](CHeadlessWindow&) { shownBeforeVisible = m_ui.MessageBoxes().size(); });
    ASSERT_GE(shownBeforeVisible, 1u);
    EXPECT_EQ(m_ui.MessageBoxes()[0].caption, u"Load settings");
    EXPECT_EQ(m_ui.MessageBoxes()[0].text, u"Wireless LAN Network key Decryption error.   ");
    EXPECT_EQ(m_ui.MessageBoxes().size(), shownBeforeVisible) << "closing shows nothing";
}

TEST_F(QuorlanDlgTest, LoadedWiredSettingsStayHiddenAndAreNotSavedAgain) {
    ASSERT_TRUE(platform::SaveFileAtomically(
        AppDataFile(), "[UserNetworkSetting]\r\nWIRED_DHCP=0\r\nWIRED_IP=10.1.2.3\r\n"));
    Show([](CHeadlessWindow& window) {
        EXPECT_EQ(window.Address(IDC_WIRED_IP_ADDRESS), (IpField{{10, 1, 2, 3}, 4}));
        EXPECT_FALSE(window.IsVisible(IDC_WIRED_IP_ADDRESS));
        window.Click(IDC_EXIT);
    });
    EXPECT_EQ(ReadWholeFile(AppDataFile())->find("WIRED_"), std::string::npos);
}

TEST_F(QuorlanDlgTest, JapaneseTextsPlaceTheNameWhereTheLanguageWantsIt) {
    g_nLanguageIndex = LanguageColumn("Japanese");
    m_dialog.m_strDeviceName = u"Player";
    Show([](CHeadlessWindow& window) {
        EXPECT_EQ(window.Text(IDC_ENABLE_NETWORK_DEVICE),
                  u"Player\u306e\u30cd\u30c3\u30c8\u30ef\u30fc\u30af\u96fb\u6e90\u3092"
                  u"\u30aa\u30f3\u306b\u3059\u308b");
        EXPECT_EQ(window.Title(), GetMessageText(0));
    });
}

TEST_F(QuorlanDlgTest, TemplateHoldsEverySettingsControlOfTheSameKind) {
    using ui::ControlKind;
    const std::vector<std::pair<int, ControlKind>> settingsControls = {
        {IDC_NETFOLDER_DEFAULT, ControlKind::RadioButton},
        {IDC_NETFOLDER_CUSTOMIZE, ControlKind::RadioButton},
        {IDC_DEVICE_NAME, ControlKind::Edit},
        {IDC_USER_ID, ControlKind::Edit},
        {IDC_PASSWORD, ControlKind::Edit},
        {IDC_CONFIRM_PASSWORD, ControlKind::Edit},
        {IDC_WIRED_DHCP_ON, ControlKind::RadioButton},
        {IDC_WIRED_DHCP_OFF, ControlKind::RadioButton},
        {IDC_WIRED_IP_ADDRESS, ControlKind::IpAddress},
        {IDC_WIRED_SUBNET_MASK, ControlKind::IpAddress},
        {IDC_WIRED_DEFAULT_GATEWAY, ControlKind::IpAddress},
        {IDC_WIRED_DNS, ControlKind::IpAddress},
        {IDC_WIRED_DNS_SECONDARY, ControlKind::IpAddress},
        {IDC_WIRED_USE_PROXY, ControlKind::CheckBox},
        {IDC_WIRED_PROXY_ADDRESS, ControlKind::Edit},
        {IDC_WIRED_PROXY_PORT, ControlKind::Edit},
        {IDC_ENABLE_NETWORK_DEVICE, ControlKind::CheckBox},
        {IDC_USE_WIRELESS, ControlKind::CheckBox},
        {IDC_WIRELESS_LIST, ControlKind::ListBox},
    };
    for (const auto& [id, kind] : settingsControls) {
        const ui::ControlTemplate* placed = QuorlanDlgTemplate().FindControl(id);
        ASSERT_NE(placed, nullptr) << id;
        EXPECT_EQ(placed->kind, kind) << id;
    }
}

} // namespace

namespace {

TEST_F(QuorlanDlgTest, ClosingWithABadCustomisedNameSavesNoBadNameAndSaysNothing) {
    Show([](CHeadlessWindow& window) {
        window.Click(IDC_NETFOLDER_CUSTOMIZE);
        window.Type(IDC_DEVICE_NAME, u"bad name!");
        window.Type(IDC_USER_ID, u"guest");
        window.Click(IDC_EXIT);
    });
    EXPECT_TRUE(m_ui.MessageBoxes().empty()) << "closing checks silently";
    const auto saved = ReadWholeFile(AppDataFile()).value_or("");
    EXPECT_EQ(saved.find("bad name!"), std::string::npos) << saved;

    Show([](CHeadlessWindow& window) {
        EXPECT_EQ(window.Text(IDC_DEVICE_NAME), u"");
        EXPECT_EQ(window.Text(IDC_USER_ID), u"guest");
    });
    EXPECT_TRUE(m_ui.MessageBoxes().empty()) << "and the next showing finds nothing to report";
}

} // namespace
