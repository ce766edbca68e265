#pragma once
#include <filesystem>
#include <optional>

namespace platform {

// The per-user folder that %APPDATA% names on Windows: APPDATA if set, else
// XDG_CONFIG_HOME, else .config in the home folder. A variable set to an
// empty text counts as not set. Nothing when no home folder is known.
std::optional<std::filesystem::path> GetAppDataFolder();

// Makes folder and any missing folder above it, each its owner's only,
// whatever the umask; folders already there stay as they are. False when it
// is still not a folder afterwards.
bool CreatePrivateFolders(const std::filesystem::path& folder);

} // namespace platform
