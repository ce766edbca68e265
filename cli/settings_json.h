#pragma once
#include "settings/settings_records.h"

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

// Reads the settings in their JSON form, before any check of the dialog. Every member is optional;
// unknown members, wrong types and texts that no entry of the dialog can hold are refused with a
// message naming the member.
bool ReadSettingsJson(const nlohmann::json& settings, CSettingsRecords& values, std::string& error);

// The JSON form of settings, in the shape ReadSettingsJson reads, with the
// wireless profiles in priority order. Unless reveal is set, a password or
// network key that is not empty shows as "********".
nlohmann::ordered_json SettingsJsonOf(const CSettingsRecords& settings, bool reveal);
