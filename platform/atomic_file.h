#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

// Replaces the file at target with bytes: a temporary file in the same folder
// is written, flushed and renamed over it. On any failure the old file stays
// exactly as it was and the result is false. An existing file keeps its mode;
// a new one gets newFileMode, or 0666 less the umask when none is given.
bool SaveFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                        std::optional<mode_t> newFileMode = std::nullopt);

// Reads a whole file, or its first maxBytes; nothing when it cannot be
// opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         size_t maxBytes = std::string::npos);

} // namespace platform
