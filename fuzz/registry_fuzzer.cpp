// Takes arbitrary bytes as the local machine's hive file, then reads and
// sets the LAN Manager level as Brenhold does, checking that the value set
// reads back, that another value stays as it was, and that the lines of the
// file other than the value's own (and its key's header) keep their bytes.
#include "fuzz/fuzz_support.h"
#include "platform/atomic_file.h"
#include "platform/file_reader.h"
#include "platform/last_error.h"
#include "platform/registry.h"
#include "tests/support/whole_file.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr char16_t kLsaKey[] = u"SYSTEM\\CurrentControlSet\\Control\\Lsa";
constexpr char16_t kLevelValue[] = u"lmcompatibilitylevel";
constexpr char16_t kOtherValue[] = u"LimitBlankPasswordUse";
constexpr std::uint32_t kLevelCount = 6;

const std::filesystem::path& HiveFile() {
    static const std::filesystem::path file = FuzzMachineHive("registry");
    return file;
}

struct CQueriedValue {
    long result = ERROR_FILE_NOT_FOUND;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
    bool operator==(const CQueriedValue&) const = default;
};

// Asks for the size first, then for the data, as callers with an unknown
// value do; a buffer one byte short must be refused with the size needed.
CQueriedValue Query(const char16_t* valueName) {
    CQueriedValue value;
    HKEY key = nullptr;
    value.result = RegOpenKeyEx(HKEY_LOCAL_MACHINE, kLsaKey, 0, KEY_READ, &key);
    if (value.result != ERROR_SUCCESS) {
        return value;
    }
    std::uint32_t size = 0;
    value.result = RegQueryValueEx(key, valueName, &value.type, nullptr, &size);
    if (value.result == ERROR_SUCCESS) {
        value.bytes.resize(size);
        std::uint32_t shortSize = size - 1;
        FuzzExpect(size == 0 || (RegQueryValueEx(key, valueName, nullptr, value.bytes.data(),
                                                 &shortSize) == ERROR_MORE_DATA &&
                                 shortSize == size),
                   "a short buffer is refused with the size needed");
        FuzzExpect(RegQueryValueEx(key, valueName, nullptr, value.bytes.data(), &size) ==
                           ERROR_SUCCESS &&
                       size == value.bytes.size(),
                   "a buffer of the size told is enough");
    }
    RegCloseKey(key);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string hive(reinterpret_cast<const char*>(data), size);
    if (!SaveFileAtomically(HiveFile(), hive)) {
        return 0;
    }
    Query(kLevelValue);
    const CQueriedValue otherBefore = Query(kOtherValue);

    HKEY key = nullptr;
    FuzzExpect(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kLsaKey, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) ==
                   ERROR_SUCCESS,
               "a key can be made in a readable hive");
    const std::uint32_t level = size % kLevelCount;
    FuzzExpect(RegSetValueEx(key, kLevelValue, REG_DWORD,
                             reinterpret_cast<const std::uint8_t*>(&level),
                             sizeof(level)) == ERROR_SUCCESS,
               "a value can be set in a readable hive");
    RegCloseKey(key);

    const CQueriedValue levelAfter = Query(kLevelValue);
    FuzzExpect(levelAfter.result == ERROR_SUCCESS && levelAfter.type == REG_DWORD &&
                   levelAfter.bytes.size() == sizeof(level) &&
                   std::memcmp(levelAfter.bytes.data(), &level, sizeof(level)) == 0,
               "a value set reads back with its type");
    FuzzExpect(Query(kOtherValue) == otherBefore, "setting one value leaves another as it was");
    if (FuzzIsAnsiFile(hive)) {
        const auto written = ReadWholeFile(HiveFile());
        FuzzExpect(written.has_value(), "the hive can be read after a change");
        FuzzExpectOtherLinesKept(hive, *written);
    }
    return 0;
}
