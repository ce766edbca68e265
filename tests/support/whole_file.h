#pragma once
#include "platform/file_reader.h"

#include <filesystem>
#include <optional>
#include <string>

// A file's bytes for a check to compare, or nothing when it cannot be read:
// the product reads through platform::ReadFile and its reasons.
inline std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    platform::CFileBytes read = platform::ReadFile(path);
    return read ? std::optional<std::string>(std::move(read.bytes)) : std::nullopt;
}
