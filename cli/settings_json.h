#pragma once
#include "settings/quorlan_dlg_state.h"

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

// The settings in their JSON form, as read, before any check of the dialog.
struct CSettingsJson {
    int nCustomize = 0;
    CNetFolderSetting netFolder;
    int bEnableNetworkDevice = 0;
    std::vector<CNetworkSetting> profiles;
};

// Reads the JSON form. Every member is optional; unknown members, wrong
// types and texts that no entry of the dialog can hold are refused with a
// message naming the member.
bool ReadSettingsJson(const nlohmann::json& settings, CSettingsJson& values, std::string& error);

// The JSON form of a dialog state, in the shape ReadSettingsJson reads, with
// the wireless profiles in list order. Unless reveal is set, a password or
// network key that is not empty shows as "********".
nlohmann::ordered_json SettingsJsonOf(CQuorlanDlgState& state, bool reveal);
