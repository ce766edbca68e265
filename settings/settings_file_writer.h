#pragma once
#include "settings/settings_records.h"

#include <optional>
#include <string>

enum class ESettingsFileError {
    None,
    SecretNotEncrypted, // the cipher failed, or a secret is too long for it
    TooManyProfiles,
    UnsafeText, // a line break or NUL would break the file apart
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
