#include "authlevel/lm_compatibility_level.h"

#include "platform/last_error.h"
#include "platform/registry.h"

#include <cstdint>
#include <cstring>

namespace {
constexpr char16_t kLsaKey[] = u"SYSTEM\\CurrentControlSet\\Control\\Lsa";
constexpr char16_t kLevelValue[] = u"lmcompatibilitylevel";
} // namespace

int ReadLmCompatibilityLevel() {
    platform::HKEY key = nullptr;
    if (platform::RegOpenKeyEx(platform::HKEY_LOCAL_MACHINE, kLsaKey, 0, platform::KEY_READ,
                               &key) != platform::ERROR_SUCCESS) {
        return -1;
    }
    std::uint8_t data[4] = {};
    std::uint32_t size = sizeof data;
    const long result = platform::RegQueryValueEx(key, kLevelValue, nullptr, data, &size);
    platform::RegCloseKey(key);
    if (result != platform::ERROR_SUCCESS) {
        return -1;
    }
    std::int32_t level = 0;
    std::memcpy(&level, data, sizeof level);
    return level;
}

int WriteLmCompatibilityLevel(int level) {
    // Every Windows system has this key; a fresh Linux registry folder does
    // not, and a level the user confirmed must not be dropped for that.
    platform::HKEY key = nullptr;
    if (platform::RegCreateKeyEx(platform::HKEY_LOCAL_MACHINE, kLsaKey, platform::KEY_SET_VALUE,
                                 &key) != platform::ERROR_SUCCESS) {
        return 0;
    }
    const auto value = static_cast<std::uint32_t>(level);
    std::uint8_t data[4];
    std::memcpy(data, &value, sizeof data);
    const long result =
        platform::RegSetValueEx(key, kLevelValue, platform::REG_DWORD, data, sizeof data);
    platform::RegCloseKey(key);
    return result == platform::ERROR_SUCCESS ? level : 0;
}
