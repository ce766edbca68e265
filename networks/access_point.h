#pragma once
#include <optional>
#include <string>

// The security flags of an access point, with NetworkManager's values.
namespace nm_ap {
inline constexpr unsigned kPairTkip = 0x4;
inline constexpr unsigned kPairCcmp = 0x8;
inline constexpr unsigned kKeyMgmtPsk = 0x100;
} // namespace nm_ap

// One network in range, as NetworkManager's last scan saw it.
struct CNmAccessPoint {
    std::string strSsid;    // bytes; empty for a network that hides its name
    bool bPrivacy = false;  // some security is required
    unsigned nWpaFlags = 0; // WPA (version 1)
    unsigned nRsnFlags = 0; // WPA2 and later
    bool bInfrastructure = true;
    int nStrength = 0; // percent
};

// The player's security mode for the network: WPA2 before WPA, AES before
// TKIP where the network offers both. Nothing when the player cannot join it
// (ad-hoc, enterprise sign-in, WPA3 or OWE only).
std::optional<int> SecurityModeOfAccessPoint(const CNmAccessPoint& accessPoint);
