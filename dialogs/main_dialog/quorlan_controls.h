#pragma once

// The main dialog's template and the identifiers of its controls.
inline constexpr int kQuorlanDlgTemplateId = 102;

inline constexpr int IDC_TABS = 1000;
inline constexpr int IDC_EXIT = 2; // also the dialog's cancel command
inline constexpr int IDC_LOAD_SETTINGS = 1026;
inline constexpr int IDC_CREATE_SETTING_FILE = 1027;

// Network folder page.
inline constexpr int IDC_NETFOLDER_DEFAULT = 1015;
inline constexpr int IDC_NETFOLDER_CUSTOMIZE = 1016;
inline constexpr int IDC_NETFOLDER_GROUP = 1028;
inline constexpr int IDC_DEVICE_NAME_LABEL = 1029;
inline constexpr int IDC_DEVICE_NAME = 1001;
inline constexpr int IDC_USER_ID_LABEL = 1030;
inline constexpr int IDC_USER_ID = 1017;
inline constexpr int IDC_PASSWORD_LABEL = 1031;
inline constexpr int IDC_PASSWORD = 1018;
inline constexpr int IDC_CONFIRM_PASSWORD_LABEL = 1032;
inline constexpr int IDC_CONFIRM_PASSWORD = 1019;

// Wireless LAN page.
inline constexpr int IDC_ENABLE_NETWORK_DEVICE = 1069;
inline constexpr int IDC_USE_WIRELESS = 1066; // never shown
inline constexpr int IDC_WIRELESS_LIST_LABEL = 1038;
inline constexpr int IDC_WIRELESS_LIST = 1003;
inline constexpr int IDC_PRIORITY_UP = 1004;
inline constexpr int IDC_PRIORITY_DOWN = 1005;
inline constexpr int IDC_ADD = 1008;
inline constexpr int IDC_DELETE = 1009;
inline constexpr int IDC_PROPERTY = 1006;

// Local security setting page.
inline constexpr int IDC_SECURITY_LEVEL_LABEL = 1055;
inline constexpr int IDC_SECURITY_NOTE_LABEL = 1056;
inline constexpr int IDC_SECURITY_ADMIN_LABEL = 1059;
inline constexpr int IDC_START_SECURITY_SETTING = 1058;

// Wired LAN page, which has no tab.
inline constexpr int IDC_WIRED_ADDRESS_GROUP = 1033;
inline constexpr int IDC_WIRED_DHCP_ON = 1020;
inline constexpr int IDC_WIRED_DHCP_OFF = 1021;
inline constexpr int IDC_WIRED_IP_ADDRESS_LABEL = 1034;
inline constexpr int IDC_WIRED_IP_ADDRESS = 1002;
inline constexpr int IDC_WIRED_SUBNET_MASK_LABEL = 1035;
inline constexpr int IDC_WIRED_SUBNET_MASK = 1022;
inline constexpr int IDC_WIRED_DEFAULT_GATEWAY_LABEL = 1036;
inline constexpr int IDC_WIRED_DEFAULT_GATEWAY = 1023;
inline constexpr int IDC_WIRED_DNS_LABEL = 1037;
inline constexpr int IDC_WIRED_DNS = 1024;
inline constexpr int IDC_WIRED_DNS_SECONDARY_LABEL = 1040;
inline constexpr int IDC_WIRED_DNS_SECONDARY = 1041;
inline constexpr int IDC_WIRED_PROXY_GROUP = 1057;
inline constexpr int IDC_WIRED_USE_PROXY = 1042;
inline constexpr int IDC_WIRED_PROXY_ADDRESS_LABEL = 1067;
inline constexpr int IDC_WIRED_PROXY_ADDRESS = 1010;
inline constexpr int IDC_WIRED_PROXY_PORT_LABEL = 1068;
inline constexpr int IDC_WIRED_PROXY_PORT = 1011;
inline constexpr int IDC_CLEAR_WIRED = 1025;

// The command of the About entry, as the system menu numbers it.
inline constexpr int IDM_ABOUTBOX = 16;
