#pragma once
#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// One NetworkManager connection as its keyfile states it, before anything is
// decided about the player. A key the file leaves out keeps NetworkManager's
// default. Texts are the file's bytes (UTF-8 as NetworkManager writes them).
struct CNmConnection {
    std::string m_strId;
    std::string m_strUuid;
    std::string m_strType; // "wifi" or its long form "802-11-wireless" for Wi-Fi
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

enum class ENmKeyfileStatus {
    Read,
    NotPermitted, // the file is there but this user may not read it
    Malformed,    // not a keyfile, or a value of the wrong form
};

struct CNmKeyfile {
    ENmKeyfileStatus status = ENmKeyfileStatus::Read;
    CNmConnection connection;
    std::string strProblem; // what is wrong, when not read
};

CNmKeyfile ReadNmKeyfile(const std::filesystem::path& file);

// NetworkManager's record of when each connection was last used, in seconds
// since 1970 by connection uuid: a keyfile of its own with one group,
// [timestamps]. A file that is missing or cannot be read gives no entries.
std::map<std::string, long long> ReadNmTimestamps(const std::filesystem::path& file);
