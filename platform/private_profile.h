#pragma once
#include <cstdint>
#include <filesystem>

namespace platform {

// Reads one value in the manner of GetPrivateProfileStringW: a missing file,
// section or key gives the default (trailing blanks removed; null means
// empty); the text is cut to size - 1 units and NUL-terminated. Returns the
// number of units copied, without the NUL. A null section or key reads as
// missing: listing names is not offered.
std::uint32_t GetPrivateProfileString(const char16_t* section, const char16_t* key,
                                      const char16_t* defaultValue, char16_t* buffer,
                                      std::uint32_t size, const std::filesystem::path& path);

// Writes one value in the manner of WritePrivateProfileStringW: a null value
// deletes the key, a null key the section; each write is saved at once,
// atomically. All three null asks for a flush, which has nothing left to do.
bool WritePrivateProfileString(const char16_t* section, const char16_t* key, const char16_t* value,
                               const std::filesystem::path& path);

} // namespace platform
