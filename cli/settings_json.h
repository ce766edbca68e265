#pragma once
#include "settings/quorlan_dlg_state.h"

#include <nlohmann/json_fwd.hpp>
#include <string>

// Fills a dialog state (with its window open) from the JSON form of the
// settings. Every member is optional; unknown members, wrong types and
// values the dialog cannot hold are refused with a message naming the
// member. Nothing is changed after the first error is found.
bool ApplySettingsJson(const nlohmann::json& settings, CQuorlanDlgState& state,
                       std::string& error);
