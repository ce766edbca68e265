#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

namespace platform {

// Registry keys and values. Each hive is a file under the registry folder
// (/var/lib/kordavin/registry, or KORDAVIN_REGISTRY_ROOT), one INI section
// per key path; a value is kept with its type, as regedit exports it
// ("dword:00000003", or "hex(1):..." for any other type).
struct CRegKey;
using HKEY = CRegKey*;

HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002});
HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001});

inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_READ = 0x20019;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

// The folder of the hive files.
std::filesystem::path RegistryRoot();

// Results are Windows error codes: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when
// the key or value is absent, ERROR_ACCESS_DENIED when writing failed or
// the key was opened without the right, ERROR_MORE_DATA when the buffer is
// too small (size then holds what is needed), ERROR_INVALID_PARAMETER for
// a null argument, or a key path or value name the hive file cannot hold
// (a line break, "]" in a path, a name such as ";v" or "a=b").
long RegOpenKeyEx(HKEY root, const char16_t* subKey, std::uint32_t options, std::uint32_t access,
                  HKEY* result);
// Opens the key, creating it (and the hive file) when it is absent.
long RegCreateKeyEx(HKEY root, const char16_t* subKey, std::uint32_t access, HKEY* result);
long RegQueryValueEx(HKEY key, const char16_t* valueName, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size);
long RegSetValueEx(HKEY key, const char16_t* valueName, std::uint32_t type,
                   const std::uint8_t* data, std::uint32_t size);
long RegCloseKey(HKEY key);

} // namespace platform
