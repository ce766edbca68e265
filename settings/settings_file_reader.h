#pragma once
#include "platform/profile_file.h"
#include "settings/settings_records.h"

#include <filesystem>
#include <vector>

// A settings file as read: the values that passed, and every value that was
// refused, in the order they were met. A refused value is left empty or at
// its default; a profile with a bad SSID or key is left out as a whole.
struct CSettingsFileContents {
    CSettingsRecords records;
    std::vector<CRejectedValue> rejected;

    int Result() const { return rejected.empty() ? 1 : 0; }
};

// Reads NetworkSetting.ini (or the application data file, which has the same
// form), decrypting the secrets and checking every value. A missing or
// unreadable file reads as all defaults.
CSettingsFileContents ReadSettingsFile(const std::filesystem::path& path);

// The same load with its values looked up in source.
CSettingsFileContents ReadSettingsFile(const platform::IProfileSource& source);
