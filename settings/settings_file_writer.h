#pragma once
#include "settings/settings_records.h"

#include <filesystem>
#include <optional>
#include <string>

enum class ESettingsFileError {
    None,
    SecretNotEncrypted, // the cipher failed, or a secret is too long for it
    TooManyProfiles,
    UnsafeText, // a line break or NUL would break the file apart
    NotSaved,   // composed, but the system refused the save
};

// A settings file composed in memory: its bytes, or why there are none.
struct CComposedSettingsFile {
    std::optional<std::string> bytes;
    ESettingsFileError error = ESettingsFileError::None;
};

// NetworkSetting.ini for these records: the network folder entries (empty
// unless customised), the network device switch and the wireless profiles
// in priority order. The wired values are not written.
CComposedSettingsFile ComposeSettingsFile(const CSettingsRecords& records);

// Whether a settings file was saved, and if not, why: its composing failed,
// or the save did, with the system's errno.
struct CSettingsFileSave {
    ESettingsFileError error = ESettingsFileError::None;
    int systemError = 0;

    explicit operator bool() const { return error == ESettingsFileError::None; }
};

// Saves a composed settings file (NetworkSetting.ini, or the application
// data file) in one atomic step: on any failure an older file stays exactly
// as it was. Its secrets are encrypted under a key anyone can know, so the
// file is its owner's only, an existing one too (it keeps owner and group).
CSettingsFileSave SaveSettingsFile(const std::filesystem::path& path,
                                   const CComposedSettingsFile& file);
