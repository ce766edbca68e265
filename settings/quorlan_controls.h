#pragma once
#include "ui/types.h"

#include <vector>

// Identifiers of the main dialog's controls that hold settings.
inline constexpr int kQuorlanDlgTemplateId = 102;

inline constexpr int IDC_DEVICE_NAME = 1001;
inline constexpr int IDC_WIRED_IP_ADDRESS = 1002;
inline constexpr int IDC_WIRELESS_LIST = 1003;
inline constexpr int IDC_WIRED_PROXY_ADDRESS = 1010;
inline constexpr int IDC_WIRED_PROXY_PORT = 1011;
inline constexpr int IDC_NETFOLDER_DEFAULT = 1015;
inline constexpr int IDC_NETFOLDER_CUSTOMIZE = 1016;
inline constexpr int IDC_USER_ID = 1017;
inline constexpr int IDC_PASSWORD = 1018;
inline constexpr int IDC_CONFIRM_PASSWORD = 1019;
inline constexpr int IDC_WIRED_DHCP_ON = 1020;
inline constexpr int IDC_WIRED_DHCP_OFF = 1021;
inline constexpr int IDC_WIRED_SUBNET_MASK = 1022;
inline constexpr int IDC_WIRED_DEFAULT_GATEWAY = 1023;
inline constexpr int IDC_WIRED_DNS = 1024;
inline constexpr int IDC_WIRED_DNS_SECONDARY = 1041;
inline constexpr int IDC_WIRED_USE_PROXY = 1042;
inline constexpr int IDC_USE_WIRELESS = 1066;
inline constexpr int IDC_ENABLE_NETWORK_DEVICE = 1069;

// The settings-bearing controls in template order, without layout: enough
// for a dialog used without a display. The full dialog places them.
const std::vector<ui::ControlTemplate>& SettingsControls();

// A dialog template of just those controls.
const ui::DialogTemplate& SettingsTemplate();
