#pragma once
#include <filesystem>
#include <optional>

namespace platform {

// The per-user folder that %APPDATA% names on Windows: APPDATA if set, else
// XDG_CONFIG_HOME, else .config in the home folder. A variable set to an
// empty text counts as not set. Nothing when no home folder is known.
std::optional<std::filesystem::path> GetAppDataFolder();

} // namespace platform
