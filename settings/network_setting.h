#pragma once
#include "platform/ip_field.h"

#include <string>

// Security modes as the settings file numbers them; not the order of the
// "Security:" combo box, which lists WPA2 PSK TKIP before WPA2 PSK AES.
enum SecurityMode {
    kSecurityNone = 0,
    kSecurityWep = 1,
    kSecurityWpaPskTkip = 2,
    kSecurityWpaPskAes = 3,
    kSecurityWpa2PskAes = 4,
    kSecurityWpa2PskTkip = 5,
};

// One connection profile: a wireless LAN profile, or the wired LAN values.
// The network key is kept in plain text; only files hold it encrypted.
class CNetworkSetting {
public:
    CNetworkSetting() = default;
    CNetworkSetting(const CNetworkSetting&) = default;
    CNetworkSetting& operator=(const CNetworkSetting&) = default;
    // Declared, as the copies are: a list of profiles moves, not copies.
    CNetworkSetting(CNetworkSetting&&) = default;
    CNetworkSetting& operator=(CNetworkSetting&&) = default;
    virtual ~CNetworkSetting() = default;

    void Reset() { *this = CNetworkSetting(); }
    bool operator==(const CNetworkSetting&) const = default;

    std::u16string m_strSsid;
    int m_nForce = 0; // "Stealth SSID": the network hides its SSID
    int m_nSecurityMode = kSecurityNone;
    std::u16string m_strNetworkKey;
    int m_nDhcp = 1;
    IpField m_ipAddress;
    IpField m_ipSubnetMask;
    IpField m_ipDefaultGateway;
    IpField m_ipDns;
    IpField m_ipDnsSecondary;
    int m_nUseProxy = 0;
    std::u16string m_strProxyAddress;
    std::u16string m_strProxyPort;
    int m_nConnectAutomatically = 1;
};

// The credentials under which the player reaches the shared network folder.
class CNetFolderSetting {
public:
    CNetFolderSetting() = default;
    CNetFolderSetting(const CNetFolderSetting&) = default;
    CNetFolderSetting& operator=(const CNetFolderSetting&) = default;
    CNetFolderSetting(CNetFolderSetting&&) = default;
    CNetFolderSetting& operator=(CNetFolderSetting&&) = default;
    virtual ~CNetFolderSetting() = default;

    bool operator==(const CNetFolderSetting&) const = default;

    std::u16string m_strNetDeviceName;
    std::u16string m_strUserId;
    std::u16string m_strPassword;
};
