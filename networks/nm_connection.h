#pragma once
#include <array>
#include <string>
#include <vector>

// One NetworkManager connection as NetworkManager states it (in a keyfile or
// over its bus), before anything is decided about the player. A key left out
// keeps NetworkManager's default. Texts are UTF-8 bytes as NetworkManager
// writes them.
struct CNmConnection {
    std::string m_strId;
    std::string m_strUuid;
    std::string m_strType;     // "wifi" or its long form "802-11-wireless" for Wi-Fi
    std::string m_strFileName; // the keyfile's name, when it is known
    bool m_bAutoconnect = true;
    int m_nAutoconnectPriority = 0; // NetworkManager keeps it in 32 bits
    long long m_nTimestamp = 0;     // last use in seconds since 1970; 0 never

    std::string m_strSsid; // bytes, from the text or the byte-list form
    bool m_bHidden = false;
    std::string m_strMode; // "" or "infrastructure" for a client

    std::string m_strKeyMgmt; // "" without a security group
    std::string m_strPsk;
    std::array<std::string, 4> m_arrWepKeys;
    int m_nWepTxKeyIndex = 0;
    int m_nWepKeyType = 0;                  // 0 unknown, 1 key, 2 passphrase
    std::vector<std::string> m_arrProtos;   // "wpa", "rsn"
    std::vector<std::string> m_arrPairwise; // "tkip", "ccmp"

    std::string m_strIpv4Method = "auto";
    std::string m_strAddress; // the first address, without its prefix
    int m_nPrefix = 0;
    std::string m_strGateway;
    std::vector<std::string> m_arrDns;
};
