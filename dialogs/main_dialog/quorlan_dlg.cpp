#include "dialogs/main_dialog/quorlan_dlg.h"

#include "catalogue/message_catalogue.h"
#include "dialogs/about_dlg.h"

#include <array>

namespace {

constexpr char16_t kDefaultDeviceName[] = u"KORDAVIN";
// The one text of the dialog that the catalogue does not hold.
constexpr char16_t kAboutMenuText[] = u"&About This utility...";
constexpr std::array kNetFolderFields = {IDC_DEVICE_NAME, IDC_USER_ID, IDC_PASSWORD,
                                         IDC_CONFIRM_PASSWORD};
constexpr std::array kWiredAddressFields = {IDC_WIRED_IP_ADDRESS, IDC_WIRED_SUBNET_MASK,
                                            IDC_WIRED_DEFAULT_GATEWAY, IDC_WIRED_DNS,
                                            IDC_WIRED_DNS_SECONDARY};
constexpr std::array kWiredProxyFields = {IDC_WIRED_PROXY_ADDRESS, IDC_WIRED_PROXY_PORT};

// Tab index -> page; the wired page has none.
constexpr std::array kTabbedPages = {Page::NetworkFolder, Page::Wireless, Page::Security};
constexpr std::array kTabTexts = {kMsgTabNetworkFolder, kMsgTabWirelessLan, kMsgTabLocalSecurity};
// The order in which pages are shown or hidden on a switch.
constexpr std::array kSwitchOrder = {Page::NetworkFolder, Page::Wired, Page::Wireless,
                                     Page::Security};

} // namespace

CQuorlanDlg::CQuorlanDlg() : CQuorlanDlgState(QuorlanDlgTemplate()) {
    OnNotify(IDC_TABS, ui::Notification::SelectionChanged, [this] { ShowSelectedPage(); });
    OnNotify(IDC_NETFOLDER_DEFAULT, ui::Notification::Clicked,
             [this] { EnableNetFolderFields(false); });
    OnNotify(IDC_NETFOLDER_CUSTOMIZE, ui::Notification::Clicked,
             [this] { EnableNetFolderFields(true); });
    OnNotify(IDC_LOAD_SETTINGS, ui::Notification::Clicked, [this] { OnLoadSettings(); });
    OnNotify(IDC_CREATE_SETTING_FILE, ui::Notification::Clicked, [this] { OnCreateSettingFile(); });
    OnNotify(IDC_EXIT, ui::Notification::Clicked, [this] { OnExit(); });
    OnNotify(IDM_ABOUTBOX, ui::Notification::Clicked, [this] { OnAbout(); });
    OnNotify(IDC_ADD, ui::Notification::Clicked, [this] { OnAdd(); });
    OnNotify(IDC_DELETE, ui::Notification::Clicked, [this] { OnDelete(); });
    OnNotify(IDC_PROPERTY, ui::Notification::Clicked, [this] { OnProperty(); });
    OnNotify(IDC_WIRELESS_LIST, ui::Notification::DoubleClicked, [this] { OnProperty(); });
    OnNotify(IDC_PRIORITY_UP, ui::Notification::Clicked, [this] { OnPriorityUp(); });
    OnNotify(IDC_PRIORITY_DOWN, ui::Notification::Clicked, [this] { OnPriorityDown(); });
    OnNotify(IDC_START_SECURITY_SETTING, ui::Notification::Clicked,
             [this] { OnStartSecuritySetting(); });
}

bool CQuorlanDlg::OnInitDialog() {
    CQuorlanDlgState::OnInitDialog();
    if ((Template().windowStyle & ui::window_style::kSystemMenu) != 0) {
        Window().AddSystemMenuCommand(IDM_ABOUTBOX, kAboutMenuText);
    }
    Window().SetIcon(u"kordavin-quorlan");
    if (m_strDeviceName.empty()) {
        m_strDeviceName = kDefaultDeviceName;
    }
    Window().SetTitle(GetMessageText(kMsgNetworkConfiguration));
    LayOutControls();
    InsertTabs();

    ResetSettingRecords();
    m_strLastPath.clear();
    m_nNetFolderChoice = 0;
    m_nDhcpChoice = 0;
    m_bUseProxy = 0;
    ApplyEnablingRules();
    UpdateData(false);

    GetApplicationDataPath();
    if (!m_strAppDataPath.empty()) {
        LoadApplicationData(m_strAppDataPath);
    }
    return true;
}

void CQuorlanDlg::LayOutControls() {
    ui::IWindow& window = Window();
    window.SetOuterSize(kQuorlanDlgWidth, kQuorlanDlgHeight);
    for (const CPlacement& placement : QuorlanDlgPlacements()) {
        window.MoveControl(placement.id, placement.pixels);
        window.Show(placement.id, placement.page == Page::Always);
        if (placement.messageId != kNoText) {
            window.SetText(placement.id, GetMessageText(placement.messageId));
        }
    }
    window.SetText(IDC_ENABLE_NETWORK_DEVICE,
                   FormatDeviceText(kMsgEnableNetworkDevice, m_strDeviceName));
    window.SetItemHeight(IDC_WIRELESS_LIST, kWirelessListLineHeight);
}

void CQuorlanDlg::InsertTabs() {
    for (size_t tab = 0; tab < kTabTexts.size(); ++tab) {
        Window().InsertTab(IDC_TABS, static_cast<int>(tab), GetMessageText(kTabTexts[tab]));
    }
    Window().SetCurTab(IDC_TABS, 0);
    ShowSelectedPage();
}

void CQuorlanDlg::ShowSelectedPage() {
    const int tab = Window().CurTab(IDC_TABS);
    if (tab < 0 || tab >= static_cast<int>(kTabbedPages.size())) {
        return;
    }
    const Page selected = kTabbedPages[static_cast<size_t>(tab)];
    for (const Page page : kSwitchOrder) {
        for (const CPlacement& placement : QuorlanDlgPlacements()) {
            if (placement.page == page) {
                Window().Show(placement.id, page == selected);
            }
        }
    }
    Window().Show(IDC_USE_WIRELESS, false);
}

void CQuorlanDlg::EnableNetFolderFields(bool enabled) {
    for (const int id : kNetFolderFields) {
        Window().Enable(id, enabled);
    }
}

void CQuorlanDlg::ApplyEnablingRules() {
    EnableNetFolderFields(m_nNetFolderChoice == 1);
    for (const int id : kWiredAddressFields) {
        Window().Enable(id, m_nDhcpChoice == 1);
    }
    for (const int id : kWiredProxyFields) {
        Window().Enable(id, m_bUseProxy != 0);
    }
}

void CQuorlanDlg::SaveSessionState() {
    ValidateNetFolderPage(0, 0);
    if (ValidateWiredPage(0, 0) == 0) {
        m_bUseProxy = 0;
        for (const int id : kWiredProxyFields) {
            Window().Enable(id, false);
        }
        UpdateData(false);
    }
    SaveApplicationData(m_strAppDataPath);
}

void CQuorlanDlg::OnOK() {
    SaveSessionState();
    EndDialog(ui::IDOK);
}

void CQuorlanDlg::OnExit() {
    SaveSessionState();
    EndDialog(ui::IDCANCEL);
}

void CQuorlanDlg::OnAbout() {
    CAboutDlg about(this);
    about.DoModal();
}
