#pragma once
#include "networks/nm_connection.h"
#include "settings/network_setting.h"

#include <optional>
#include <string>

bool IsNmWifiConnection(const CNmConnection& connection);

// What the player can make of one Wi-Fi connection: a profile, or why there
// is none.
struct CNmProfileMapping {
    std::optional<CNetworkSetting> profile;
    std::string strSkipReason;
};

// The profile's values as the connection states them, before any check of
// the wireless LAN property dialog; a key the connection does not hold stays
// empty. The property dialog fills its controls with them, and its OK checks
// them as typed values.
CNmProfileMapping MapNmConnectionValues(const CNmConnection& connection);

// A profile that passes the property dialog's checks, with its key; as the
// import takes it. Call SelectLanguageFromLocale first: a refusal of the
// dialog's checks is told in its message.
CNmProfileMapping MapNmConnection(const CNmConnection& connection);

// The order in which NetworkManager itself prefers connections: the higher
// autoconnect priority, then the more recent use.
bool IsNmPreferred(const CNmConnection& first, const CNmConnection& second);
