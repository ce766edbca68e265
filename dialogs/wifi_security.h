#pragma once
#include "networks/computer_networks.h"
#include "networks/network_suggestions.h"
#include "settings/network_setting.h"
#include "ui/dialog.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr int kWifiSecurityTemplateId = 129;

// Controls of the wireless LAN property dialog, in tab order.
inline constexpr int IDC_WIFI_SECURITY_GROUP = 1051;
inline constexpr int IDC_WIFI_SSID_LABEL = 1060;
inline constexpr int IDC_WIFI_SSID = 1007;
inline constexpr int IDC_WIFI_SECURITY_LABEL = 1061;
inline constexpr int IDC_WIFI_SECURITY = 1039;
inline constexpr int IDC_WIFI_STEALTH = 1014;
inline constexpr int IDC_WIFI_KEY_LABEL = 1062;
inline constexpr int IDC_WIFI_KEY = 1012;
inline constexpr int IDC_WIFI_CONFIRM_KEY_LABEL = 1063;
inline constexpr int IDC_WIFI_CONFIRM_KEY = 1013;
inline constexpr int IDC_WIFI_ADDRESS_GROUP = 1042;
inline constexpr int IDC_WIFI_DHCP_ON = 1040;
inline constexpr int IDC_WIFI_DHCP_OFF = 1041;
inline constexpr int IDC_WIFI_IP_ADDRESS_LABEL = 1043;
inline constexpr int IDC_WIFI_IP_ADDRESS = 1047;
inline constexpr int IDC_WIFI_SUBNET_MASK_LABEL = 1044;
inline constexpr int IDC_WIFI_SUBNET_MASK = 1048;
inline constexpr int IDC_WIFI_DEFAULT_GATEWAY_LABEL = 1045;
inline constexpr int IDC_WIFI_DEFAULT_GATEWAY = 1049;
inline constexpr int IDC_WIFI_DNS_LABEL = 1046;
inline constexpr int IDC_WIFI_DNS = 1050;
inline constexpr int IDC_WIFI_DNS_SECONDARY_LABEL = 1053;
inline constexpr int IDC_WIFI_DNS_SECONDARY = 1054;
inline constexpr int IDC_WIFI_PROXY_GROUP = 1055;
inline constexpr int IDC_WIFI_USE_PROXY = 1015;
inline constexpr int IDC_WIFI_PROXY_ADDRESS_LABEL = 1066;
inline constexpr int IDC_WIFI_PROXY_ADDRESS = 1008;
inline constexpr int IDC_WIFI_PROXY_PORT_LABEL = 1067;
inline constexpr int IDC_WIFI_PROXY_PORT = 1009;
inline constexpr int IDC_WIFI_CLEAR = 1052;
inline constexpr int IDC_WIFI_OK = 1064;
inline constexpr int IDC_WIFI_CANCEL = 1065;

// The dialog in which one wireless LAN profile is entered or edited. It works
// on its own copy; the caller takes the copy only after the result OK.
class CWifiSecurity : public ui::CDialog {
public:
    explicit CWifiSecurity(ui::CDialog* parent);

    void SetSetting(const CNetworkSetting& setting) { m_setting = setting; }
    void GetSetting(CNetworkSetting& setting) const { setting = m_setting; }
    // The computer's networks the SSID field offers; none without.
    void SetComputerNetworks(IComputerNetworks* networks) { m_pComputerNetworks = networks; }

    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange& dx) override;
    // OK by any route (a backend's Enter included) goes through the checks.
    void OnOK() override { OnOkButton(); }

private:
    void OnSelchangeSecurity();
    void OnSsidSuggestionChosen();
    void OnDhcpOn();
    void OnDhcpOff();
    void OnUseProxy();
    void OnClear();
    void OnOkButton();
    void OnCancelButton();

    void SetControlTexts();
    void AddSecurityRows();
    void ShowSetting();
    void ShowSettingWithItsControls();
    void SelectSecurityMode(int mode);
    void OfferComputerNetworks();
    void EnableKeyEdits(bool enabled);
    void EnableAddresses(bool enabled);
    void EnableProxyEdits(bool enabled);
    void TakeEntries();
    void ShowError(int messageId);
    // The mode of the selected security row; nothing when no row is.
    std::optional<int> SelectedMode() const;

    CNetworkSetting m_setting;
    int m_bStealth = 0;
    int m_nDhcpChoice = 0; // 0 "DHCP On", 1 "DHCP Off"
    int m_bUseProxy = 0;
    std::u16string m_strMessage;
    IComputerNetworks* m_pComputerNetworks = nullptr;
    CComputerNetworks m_computerNetworks;
    std::vector<CNetworkSuggestion> m_suggestions;
    bool m_bAskingSecrets = false;
};

const ui::DialogTemplate& WifiSecurityTemplate();
