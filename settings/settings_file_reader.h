#pragma once
#include "platform/file_reader.h"
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
    // Why the file could not be read; the records are then all defaults.
    platform::EReadFault readFault = platform::EReadFault::None;
    int nReadError = 0; // errno, where the system gave one

    int Result() const { return rejected.empty() ? 1 : 0; }
};

// A settings file is a few kilobytes. One larger than this is refused, never
// cut, so that no device or giant file can exhaust memory.
inline constexpr size_t kMaxSettingsFileBytes = 16 * 1024 * 1024;

// Reads NetworkSetting.ini (or the application data file, which has the same
// form), decrypting the secrets and checking every value.
CSettingsFileContents ReadSettingsFile(const std::filesystem::path& path);

// The same load with its values looked up in source.
CSettingsFileContents ReadSettingsFile(const platform::IProfileSource& source);
