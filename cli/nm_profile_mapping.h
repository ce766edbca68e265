#pragma once
#include "cli/nm_keyfile_reader.h"
#include "settings/network_setting.h"

#include <optional>
#include <string>

bool IsNmWifiConnection(const CNmConnection& connection);

// What the player can make of one Wi-Fi connection: a profile that passes
// the checks of the wireless LAN property dialog, or why there is none.
struct CNmProfileMapping {
    std::optional<CNetworkSetting> profile;
    std::string strSkipReason;
};

// Call SelectLanguageFromLocale first: a refusal of the dialog's checks is
// told in its message.
CNmProfileMapping MapNmConnection(const CNmConnection& connection);

// The order in which NetworkManager itself prefers connections: the higher
// autoconnect priority, then the more recent use.
bool IsNmPreferred(const CNmConnection& first, const CNmConnection& second);
