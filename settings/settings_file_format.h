#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Names in NetworkSetting.ini. The misspellings "Newtwork" and "SEQLITY" are
// what the player reads and must stay.
// Every value is read as into a buffer of this many units: at most 1023
// and the terminator.
inline constexpr std::uint32_t kReadBufferUnits = 1024;

inline constexpr std::u16string_view kSectionNetFolder = u"NewtworkFolderSetting";
inline constexpr std::u16string_view kSectionCommon = u"Common";
inline constexpr std::u16string_view kSectionUserNetwork = u"UserNetworkSetting";

inline constexpr std::u16string_view kKeyNetFolderName = u"NETFOLDER_NAME";
inline constexpr std::u16string_view kKeyNetFolderUid = u"NETFOLDER_UID";
inline constexpr std::u16string_view kKeyNetFolderPass = u"NETFOLDER_PASS";
inline constexpr std::u16string_view kKeyDevicePower = u"NETWORK_DEVICE_POWER_MANAGEMENT";
inline constexpr std::u16string_view kKeyWirelessTotal = u"WIRELESS_SETTING_TOTAL";
inline constexpr std::u16string_view kKeyNetworkPriority = u"NETWORK_PRIORITY";

// The application data file, and the section that only it has.
inline constexpr std::u16string_view kAppDataFileName = u"KordavinSettingUtil.dat";
inline constexpr std::u16string_view kSectionUtility = u"NetworkSettingUtility";
inline constexpr std::u16string_view kKeyLastPath = u"LAST_PATS";
inline constexpr std::u16string_view kKeyNetFolderDefault = u"NETFOLDER_DEF";

// The 14 keys of a wireless profile, in the order they are written.
enum WirelessKey {
    kWirelessDhcp,
    kWirelessIp,
    kWirelessSubnetMask,
    kWirelessDefaultGateway,
    kWirelessDns,
    kWirelessDnsSecondary,
    kWirelessProxy,
    kWirelessProxyAddress,
    kWirelessProxyPort,
    kWirelessSsid,
    kWirelessSecurityMode,
    kWirelessPsk,
    kWirelessForce,
    kWirelessConnectAutomatically,
};

// The wired LAN keys: the counterparts of the first nine wireless keys, in
// the same order. Only the reader knows them; nothing writes them.
inline constexpr std::array<std::u16string_view, 9> kWiredKeyNames = {
    u"WIRED_DHCP",        u"WIRED_IP",
    u"WIRED_SUBNET_MASK", u"WIRED_DEFAULT_GATEWAY",
    u"WIRED_DNS",         u"WIRED_DNS_SECONDARY",
    u"WIRED_PROXY",       u"WIRED_PROXY_ADDRESS",
    u"WIRED_PROXY_PORT",
};

inline constexpr std::array<std::u16string_view, 14> kWirelessKeyNames = {
    u"WIRELESS_DHCP",         u"WIRELESS_IP",
    u"WIRELESS_SUBNET_MASK",  u"WIRELESS_DEFAULT_GATEWAY",
    u"WIRELESS_DNS",          u"WIRELESS_DNS_SECONDARY",
    u"WIRELESS_PROXY",        u"WIRELESS_PROXY_ADDRESS",
    u"WIRELESS_PROXY_PORT",   u"WIRELESS_SSID",
    u"WIRELESS_SEQLITY_MODE", u"WIRELESS_PSK",
    u"WIRELESS_FORCE",        u"WIRELESS_CONNECTION_AUTOMATICALLY",
};

// The key of a wireless profile's value: the base name for profile 0, with
// "_<profile + 1>" for the others; profiles 0 to kWirelessSlotCount - 1.
const std::u16string& WirelessKeyName(int profileIndex, int keyIndex);
// All of a profile's keys, in the order of kWirelessKeyNames.
using WirelessProfileKeyNames = std::array<std::u16string, kWirelessKeyNames.size()>;
const WirelessProfileKeyNames& WirelessKeyNames(int profileIndex);
