#include "dialogs/wifi_security.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "networks/nm_profile_mapping.h"
#include "settings/profile_fields.h"
#include "settings/wireless_profile_check.h"

#include <array>
#include <optional>

namespace {

struct CControlText {
    int id;
    int messageId;
};

constexpr std::array kControlTexts = {
    CControlText{IDC_WIFI_SECURITY_GROUP, kMsgWirelessSecurityGroup},
    CControlText{IDC_WIFI_SSID_LABEL, kMsgSsidLabel},
    CControlText{IDC_WIFI_SECURITY_LABEL, kMsgSecurityLabel},
    CControlText{IDC_WIFI_STEALTH, kMsgStealthSsid},
    CControlText{IDC_WIFI_KEY_LABEL, kMsgNetworkKeyLabel},
    CControlText{IDC_WIFI_CONFIRM_KEY_LABEL, kMsgConfirmNetworkKeyLabel},
    CControlText{IDC_WIFI_ADDRESS_GROUP, kMsgIpAddressGroup},
    CControlText{IDC_WIFI_DHCP_ON, kMsgDhcpOn},
    CControlText{IDC_WIFI_DHCP_OFF, kMsgDhcpOff},
    CControlText{IDC_WIFI_IP_ADDRESS_LABEL, kMsgIpAddressLabel},
    CControlText{IDC_WIFI_SUBNET_MASK_LABEL, kMsgSubnetMaskLabel},
    CControlText{IDC_WIFI_DEFAULT_GATEWAY_LABEL, kMsgDefaultGatewayLabel},
    CControlText{IDC_WIFI_DNS_LABEL, kMsgDnsLabel},
    CControlText{IDC_WIFI_DNS_SECONDARY_LABEL, kMsgDnsSecondaryLabel},
    CControlText{IDC_WIFI_PROXY_GROUP, kMsgProxyGroup},
    CControlText{IDC_WIFI_USE_PROXY, kMsgUseProxy},
    CControlText{IDC_WIFI_PROXY_ADDRESS_LABEL, kMsgProxyAddressLabel},
    CControlText{IDC_WIFI_PROXY_PORT_LABEL, kMsgProxyPortLabel},
    CControlText{IDC_WIFI_CLEAR, kMsgClear},
    CControlText{IDC_WIFI_OK, kMsgOk},
    CControlText{IDC_WIFI_CANCEL, kMsgCancel},
};

struct CSecurityRow {
    int messageId;
    int mode;
};

// The player's file numbers the modes; the list shows TKIP before AES for
// WPA2, so the last two rows run against their numbers.
constexpr std::array kSecurityRows = {
    CSecurityRow{kMsgNoSecurity, kSecurityNone},
    CSecurityRow{kMsgWep, kSecurityWep},
    CSecurityRow{kMsgWpaPskTkip, kSecurityWpaPskTkip},
    CSecurityRow{kMsgWpaPskAes, kSecurityWpaPskAes},
    CSecurityRow{kMsgWpa2PskTkip, kSecurityWpa2PskTkip},
    CSecurityRow{kMsgWpa2PskAes, kSecurityWpa2PskAes},
};

struct CAddressControl {
    int id;
    IpField CNetworkSetting::*field;
};

constexpr std::array kAddressControls = {
    CAddressControl{IDC_WIFI_IP_ADDRESS, &CNetworkSetting::m_ipAddress},
    CAddressControl{IDC_WIFI_SUBNET_MASK, &CNetworkSetting::m_ipSubnetMask},
    CAddressControl{IDC_WIFI_DEFAULT_GATEWAY, &CNetworkSetting::m_ipDefaultGateway},
    CAddressControl{IDC_WIFI_DNS, &CNetworkSetting::m_ipDns},
    CAddressControl{IDC_WIFI_DNS_SECONDARY, &CNetworkSetting::m_ipDnsSecondary},
};
static_assert(HasEveryAddressField(kAddressControls, &CAddressControl::field));

constexpr std::array kKeyEdits = {IDC_WIFI_KEY, IDC_WIFI_CONFIRM_KEY};
constexpr std::array kProxyEdits = {IDC_WIFI_PROXY_ADDRESS, IDC_WIFI_PROXY_PORT};

// The text of the security row that shows a mode.
std::u16string SecurityModeText(int mode) {
    for (const CSecurityRow& row : kSecurityRows) {
        if (row.mode == mode) {
            return GetMessageText(row.messageId);
        }
    }
    return {};
}

void CopyProxyValues(const CNetworkSetting& from, CNetworkSetting& to) {
    to.m_nUseProxy = from.m_nUseProxy;
    to.m_strProxyAddress = from.m_strProxyAddress;
    to.m_strProxyPort = from.m_strProxyPort;
}

ui::DialogTemplate MakeTemplate() {
    using namespace ui;
    constexpr unsigned kEdit = style::kAutoHScroll | style::kTabStop;
    DialogTemplate dialog;
    dialog.id = kWifiSecurityTemplateId;
    dialog.rect = {0, 0, 245, 282};
    dialog.title = u"Wireless LAN Property";
    dialog.fontName = u"MS Shell Dlg";
    dialog.fontPointSize = 12;
    dialog.windowStyle = window_style::kSystemMenu;
    dialog.controls = {
        {IDC_WIFI_SECURITY_GROUP,
         ControlKind::GroupBox,
         {7, 4, 231, 84},
         0,
         u"Wireless security settings"},
        {IDC_WIFI_SSID_LABEL, ControlKind::Static, {15, 18, 64, 18}, 0, u"SSID:"},
        {IDC_WIFI_SSID, ControlKind::Edit, {83, 18, 142, 13}, kEdit, u""},
        {IDC_WIFI_SECURITY_LABEL, ControlKind::Static, {15, 36, 64, 17}, 0, u"Security:"},
        {IDC_WIFI_SECURITY,
         ControlKind::ComboBox,
         {83, 35, 73, 214},
         style::kDropDownList | style::kVScroll | style::kTabStop,
         u""},
        {IDC_WIFI_STEALTH,
         ControlKind::CheckBox,
         {164, 36, 67, 10},
         style::kTabStop,
         u"Stealth SSID"},
        {IDC_WIFI_KEY_LABEL, ControlKind::Static, {15, 52, 64, 17}, 0, u"Network key:"},
        {IDC_WIFI_KEY, ControlKind::Edit, {83, 52, 142, 13}, kEdit | style::kPassword, u""},
        {IDC_WIFI_CONFIRM_KEY_LABEL,
         ControlKind::Static,
         {15, 69, 64, 18},
         0,
         u"Confirm Network key:"},
        {IDC_WIFI_CONFIRM_KEY, ControlKind::Edit, {83, 70, 142, 13}, kEdit | style::kPassword, u""},
        {IDC_WIFI_ADDRESS_GROUP,
         ControlKind::GroupBox,
         {7, 89, 231, 113},
         0,
         u"IP address settings"},
        {IDC_WIFI_DHCP_ON,
         ControlKind::RadioButton,
         {42, 100, 79, 10},
         style::kGroup | style::kTabStop,
         u"DHCP On"},
        {IDC_WIFI_DHCP_OFF, ControlKind::RadioButton, {130, 100, 79, 10}, 0, u"DHCP Off"},
        {IDC_WIFI_IP_ADDRESS_LABEL, ControlKind::Static, {15, 112, 90, 8}, 0, u"IP address:"},
        {IDC_WIFI_IP_ADDRESS, ControlKind::IpAddress, {110, 112, 97, 13}, style::kTabStop, u""},
        {IDC_WIFI_SUBNET_MASK_LABEL, ControlKind::Static, {15, 130, 90, 8}, 0, u"Subnet mask:"},
        {IDC_WIFI_SUBNET_MASK, ControlKind::IpAddress, {110, 130, 97, 13}, style::kTabStop, u""},
        {IDC_WIFI_DEFAULT_GATEWAY_LABEL,
         ControlKind::Static,
         {15, 148, 90, 8},
         0,
         u"Default gateway:"},
        {IDC_WIFI_DEFAULT_GATEWAY,
         ControlKind::IpAddress,
         {110, 148, 97, 13},
         style::kTabStop,
         u""},
        {IDC_WIFI_DNS_LABEL, ControlKind::Static, {15, 166, 90, 8}, 0, u"DNS:"},
        {IDC_WIFI_DNS, ControlKind::IpAddress, {110, 166, 97, 13}, style::kTabStop, u""},
        {IDC_WIFI_DNS_SECONDARY_LABEL, ControlKind::Static, {15, 184, 90, 8}, 0, u"Secondary DNS:"},
        {IDC_WIFI_DNS_SECONDARY, ControlKind::IpAddress, {110, 184, 97, 13}, style::kTabStop, u""},
        {IDC_WIFI_PROXY_GROUP, ControlKind::GroupBox, {7, 203, 231, 52}, 0, u"Proxy settings"},
        {IDC_WIFI_USE_PROXY,
         ControlKind::CheckBox,
         {15, 215, 124, 10},
         style::kTabStop,
         u"Use proxy"},
        {IDC_WIFI_PROXY_ADDRESS_LABEL,
         ControlKind::Static,
         {15, 226, 124, 8},
         0,
         u"Proxy address:"},
        {IDC_WIFI_PROXY_ADDRESS, ControlKind::Edit, {15, 236, 124, 13}, kEdit, u""},
        {IDC_WIFI_PROXY_PORT_LABEL, ControlKind::Static, {149, 226, 85, 8}, 0, u"Proxy port:"},
        {IDC_WIFI_PROXY_PORT, ControlKind::Edit, {148, 236, 37, 13}, kEdit | style::kNumber, u""},
        {IDC_WIFI_CLEAR, ControlKind::PushButton, {7, 261, 58, 14}, style::kTabStop, u"Clear"},
        {IDC_WIFI_OK,
         ControlKind::PushButton,
         {116, 261, 55, 14},
         style::kDefaultButton | style::kTabStop,
         u"OK"},
        {IDC_WIFI_CANCEL, ControlKind::PushButton, {183, 261, 55, 14}, style::kTabStop, u"Cancel"},
    };
    return dialog;
}

} // namespace

const ui::DialogTemplate& WifiSecurityTemplate() {
    static const ui::DialogTemplate dialogTemplate = MakeTemplate();
    return dialogTemplate;
}

CWifiSecurity::CWifiSecurity(ui::CDialog* parent) : CDialog(WifiSecurityTemplate(), parent) {
    OnNotify(IDC_WIFI_SECURITY, ui::Notification::SelectionChanged,
             [this] { OnSelchangeSecurity(); });
    OnNotify(IDC_WIFI_SSID, ui::Notification::SuggestionChosen,
             [this] { OnSsidSuggestionChosen(); });
    OnNotify(IDC_WIFI_DHCP_ON, ui::Notification::Clicked, [this] { OnDhcpOn(); });
    OnNotify(IDC_WIFI_DHCP_OFF, ui::Notification::Clicked, [this] { OnDhcpOff(); });
    OnNotify(IDC_WIFI_USE_PROXY, ui::Notification::Clicked, [this] { OnUseProxy(); });
    OnNotify(IDC_WIFI_CLEAR, ui::Notification::Clicked, [this] { OnClear(); });
    OnNotify(IDC_WIFI_OK, ui::Notification::Clicked, [this] { OnOkButton(); });
    OnNotify(IDC_WIFI_CANCEL, ui::Notification::Clicked, [this] { OnCancelButton(); });
}

void CWifiSecurity::DoDataExchange(ui::CDataExchange& dx) {
    ui::DDX_Check(dx, IDC_WIFI_STEALTH, m_bStealth);
    ui::DDX_Radio(dx, IDC_WIFI_DHCP_ON, m_nDhcpChoice);
    ui::DDX_Check(dx, IDC_WIFI_USE_PROXY, m_bUseProxy);
}

bool CWifiSecurity::OnInitDialog() {
    CDialog::OnInitDialog();
    SetControlTexts();
    AddSecurityRows();
    ShowSettingWithItsControls();
    OfferComputerNetworks();
    return true;
}

void CWifiSecurity::ShowSettingWithItsControls() {
    ShowSetting();
    EnableKeyEdits(m_setting.m_nSecurityMode != kSecurityNone);
    EnableAddresses(m_setting.m_nDhcp == 0);
    EnableProxyEdits(m_setting.m_nUseProxy != 0);
    UpdateData(false);
}

void CWifiSecurity::OfferComputerNetworks() {
    if (m_pComputerNetworks == nullptr) {
        return;
    }
    m_computerNetworks = m_pComputerNetworks->List();
    m_suggestions = NetworkSuggestions(m_computerNetworks);
    std::vector<ui::Suggestion> offered;
    for (const CNetworkSuggestion& suggestion : m_suggestions) {
        offered.push_back({suggestion.strSsid, suggestion.strSsid + u" \u2013 " +
                                                   SecurityModeText(suggestion.nSecurityMode)});
    }
    Window().SetSuggestions(IDC_WIFI_SSID, std::move(offered));
}

// A saved network fills every field as the import maps it, its key as far
// as NetworkManager gives it; one only in range, its name and security. The
// values are checked at OK, as typed ones are.
void CWifiSecurity::OnSsidSuggestionChosen() {
    const int chosen = Window().ChosenSuggestion(IDC_WIFI_SSID);
    // Asking for a key keeps the window live: a second choice meanwhile waits.
    if (chosen < 0 || chosen >= static_cast<int>(m_suggestions.size()) || m_bAskingSecrets) {
        return;
    }
    const CNetworkSuggestion suggestion = m_suggestions[chosen];
    if (suggestion.nSavedIndex < 0) {
        m_setting.m_nSecurityMode = suggestion.nSecurityMode;
        SelectSecurityMode(suggestion.nSecurityMode);
        EnableKeyEdits(suggestion.nSecurityMode != kSecurityNone);
        return;
    }
    CNmConnection connection = m_computerNetworks.saved[suggestion.nSavedIndex];
    m_bAskingSecrets = true;
    m_pComputerNetworks->AddSecrets(connection); // refused: the key stays empty
    m_bAskingSecrets = false;
    if (const CNmProfileMapping mapping = MapNmConnectionValues(connection); mapping.profile) {
        m_setting = *mapping.profile;
        ShowSettingWithItsControls();
    }
}

void CWifiSecurity::SetControlTexts() {
    Window().SetTitle(GetMessageText(kMsgWirelessLanProperty));
    for (const CControlText& control : kControlTexts) {
        Window().SetText(control.id, GetMessageText(control.messageId));
    }
}

void CWifiSecurity::AddSecurityRows() {
    for (size_t row = 0; row < kSecurityRows.size(); ++row) {
        const int line = Window().InsertItem(IDC_WIFI_SECURITY, static_cast<int>(row),
                                             GetMessageText(kSecurityRows[row].messageId));
        Window().SetItemData(IDC_WIFI_SECURITY, line, kSecurityRows[row].mode);
    }
}

void CWifiSecurity::ShowSetting() {
    ui::IWindow& window = Window();
    window.SetText(IDC_WIFI_SSID, m_setting.m_strSsid);
    m_bStealth = m_setting.m_nForce;
    SelectSecurityMode(m_setting.m_nSecurityMode);
    // The confirmation starts equal, so an unchanged key passes as it is.
    for (const int id : kKeyEdits) {
        window.SetText(id, m_setting.m_strNetworkKey);
    }
    m_nDhcpChoice = m_setting.m_nDhcp != 0 ? 0 : 1;
    for (const CAddressControl& control : kAddressControls) {
        const IpField& address = m_setting.*control.field;
        if (address.IsEntered()) {
            window.SetAddress(control.id, address);
        } else {
            window.ClearAddress(control.id);
        }
    }
    m_bUseProxy = m_setting.m_nUseProxy;
    window.SetText(IDC_WIFI_PROXY_ADDRESS, m_setting.m_strProxyAddress);
    window.SetText(IDC_WIFI_PROXY_PORT, m_setting.m_strProxyPort);
}

void CWifiSecurity::SelectSecurityMode(int mode) {
    ui::IWindow& window = Window();
    int modeRow = -1; // an unknown mode selects nothing
    for (int row = 0; row < window.ItemCount(IDC_WIFI_SECURITY); ++row) {
        if (window.ItemData(IDC_WIFI_SECURITY, row) == mode) {
            modeRow = row;
            break;
        }
    }
    window.SetCurSel(IDC_WIFI_SECURITY, modeRow);
}

void CWifiSecurity::EnableKeyEdits(bool enabled) {
    for (const int id : kKeyEdits) {
        Window().Enable(id, enabled);
    }
}

void CWifiSecurity::EnableAddresses(bool enabled) {
    for (const CAddressControl& control : kAddressControls) {
        Window().Enable(control.id, enabled);
    }
}

void CWifiSecurity::EnableProxyEdits(bool enabled) {
    for (const int id : kProxyEdits) {
        Window().Enable(id, enabled);
    }
}

std::optional<int> CWifiSecurity::SelectedMode() const {
    const int row = Window().CurSel(IDC_WIFI_SECURITY);
    if (row < 0) {
        return std::nullopt;
    }
    return static_cast<int>(Window().ItemData(IDC_WIFI_SECURITY, row));
}

void CWifiSecurity::OnSelchangeSecurity() {
    if (const auto mode = SelectedMode()) {
        m_setting.m_nSecurityMode = *mode;
        EnableKeyEdits(*mode != kSecurityNone);
    }
}

void CWifiSecurity::OnDhcpOn() { EnableAddresses(false); }

void CWifiSecurity::OnDhcpOff() { EnableAddresses(true); }

void CWifiSecurity::OnUseProxy() {
    UpdateData(true);
    EnableProxyEdits(m_bUseProxy != 0);
}

void CWifiSecurity::OnClear() {
    ui::IWindow& window = Window();
    window.SetText(IDC_WIFI_SSID, u"");
    for (const int id : kKeyEdits) {
        window.SetText(id, u"");
    }
    window.SetCurSel(IDC_WIFI_SECURITY, 0);
    m_bStealth = 0;
    m_nDhcpChoice = 0;
    for (const CAddressControl& control : kAddressControls) {
        window.ClearAddress(control.id);
    }
    m_bUseProxy = 0;
    for (const int id : kProxyEdits) {
        window.SetText(id, u"");
    }
    EnableKeyEdits(false);
    EnableAddresses(false);
    EnableProxyEdits(false);
    UpdateData(false);
    m_setting.Reset();
}

void CWifiSecurity::TakeEntries() {
    UpdateData(true);
    ui::IWindow& window = Window();
    m_setting.m_strSsid = window.Text(IDC_WIFI_SSID);
    m_setting.m_strNetworkKey = window.Text(IDC_WIFI_KEY);
    m_setting.m_nForce = m_bStealth;
    // With no row chosen (a mode the list does not know) the mode stays as it came.
    m_setting.m_nSecurityMode = SelectedMode().value_or(m_setting.m_nSecurityMode);
    m_setting.m_nDhcp = m_nDhcpChoice == 0 ? 1 : 0;
    for (const CAddressControl& control : kAddressControls) {
        m_setting.*control.field = window.Address(control.id);
    }
}

void CWifiSecurity::OnOkButton() {
    TakeEntries();
    CNetworkSetting checked = m_setting;
    checked.m_nUseProxy = m_bUseProxy;
    checked.m_strProxyAddress = Window().Text(IDC_WIFI_PROXY_ADDRESS);
    checked.m_strProxyPort = Window().Text(IDC_WIFI_PROXY_PORT);
    const CWirelessProfileVerdict verdict =
        CheckWirelessProfileEntries(checked, Window().Text(IDC_WIFI_CONFIRM_KEY));
    // The proxy entries are taken only once everything before them passed.
    const bool proxyRefused =
        verdict.part == EProfileEntries::ProxyAddress || verdict.part == EProfileEntries::ProxyPort;
    if (verdict.nMessage != 0 && !proxyRefused) {
        CopyProxyValues(m_setting, checked);
    }
    if (checked.m_ipAddress != m_setting.m_ipAddress) {
        Window().ClearAddress(IDC_WIFI_IP_ADDRESS); // the dropped loopback address
    }
    m_setting = checked;
    if (verdict.nMessage == 0) {
        CDialog::OnOK();
        return;
    }
    ShowError(verdict.nMessage);
    // A blank at an end is hard to see: the entry is pointed at, selected.
    if (verdict.nMessage == kMsgSsidNotKeptByFile) {
        Window().GoToControl(IDC_WIFI_SSID);
    } else if (verdict.nMessage == kMsgProxyAddressNotKeptByFile) {
        Window().GoToControl(IDC_WIFI_PROXY_ADDRESS);
    }
    if (verdict.bEraseKeys) {
        for (const int id : kKeyEdits) {
            Window().SetText(id, u"");
        }
        UpdateData(false);
    }
}

void CWifiSecurity::OnCancelButton() {
    m_setting.Reset();
    EndDialog(ui::IDCANCEL);
}

void CWifiSecurity::ShowError(int messageId) {
    ComposeMessageText(m_strMessage, messageId);
    MessageBox(m_strMessage, GetMessageText(kMsgWirelessLanSetting), ui::Icon::Error,
               ui::Buttons::Ok);
}
