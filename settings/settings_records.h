#pragma once
#include "settings/network_setting.h"

#include <vector>

inline constexpr int kWirelessSlotCount = 30;

// What a settings file holds, as values: what the reader returns and the
// writer takes. The wireless profiles are in priority order.
struct CSettingsRecords {
    int nNetFolderChoice = 0; // 1: "Customize the settings"
    CNetFolderSetting netFolder;
    CNetworkSetting wired;
    int bEnableNetworkDevice = 0;
    int bUseWireless = 0;
    std::vector<CNetworkSetting> profiles;
};

// A value the reader refused: the message that reports it, under its
// caption.
struct CRejectedValue {
    int nMessageId = 0;
    int nCaptionId = 0;
    bool operator==(const CRejectedValue&) const = default;
};
