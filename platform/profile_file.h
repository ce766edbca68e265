#pragma once
#include "platform/ini_document.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform {

// A profile file read once for many lookups; each lookup answers as
// GetPrivateProfileString answers with a buffer of the given size.
class CProfileFile {
public:
    // No file: every lookup gives its default.
    CProfileFile() = default;
    // A file that is missing or cannot be read is taken as empty. Only its
    // first kMaxBytes are read, so that no device or giant file can
    // exhaust memory; a settings file is a few kilobytes.
    explicit CProfileFile(const std::filesystem::path& path);

    // The value, or the default without its trailing blanks, as a buffer of
    // bufferSize units holds it: up to its first NUL and at most
    // bufferSize - 1 units.
    std::u16string GetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view defaultValue, std::uint32_t bufferSize) const;

    static constexpr size_t kMaxBytes = 16 * 1024 * 1024;

private:
    CIniDocument m_document = CIniDocument::FromBytes({});
    // Each section is looked for once, so that many lookups in a file of
    // very many lines stay quick.
    mutable std::unordered_map<std::u16string, CIniDocument::CSectionValues> m_sections;
};

} // namespace platform
