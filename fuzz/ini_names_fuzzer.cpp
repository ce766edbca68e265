// Writes arbitrary section names, key names and values (line breaks, NUL,
// brackets, "=", ";", blanks and quotes included) into arbitrary files,
// through the INI document, the profile reader and the registry. Nothing may
// throw or crash; a write either holds exactly what was asked, read back
// from the bytes, or is refused and changes nothing.
//
// The input is SECTION KEY VALUE FILE, the first three as UTF-16 units, after
// three bytes with their lengths in units.
#include "fuzz/fuzz_support.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/file_reader.h"
#include "platform/ini_document.h"
#include "platform/last_error.h"
#include "platform/profile_file.h"
#include "platform/registry.h"
#include "tests/support/whole_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr std::uint8_t kMaxPieceUnits = 24;

std::u16string Units(FuzzedDataProvider& input, std::uint8_t count) {
    std::u16string text;
    for (std::uint8_t i = 0; i < count && input.remaining_bytes() >= 2; ++i) {
        text.push_back(input.ConsumeIntegral<char16_t>());
    }
    return text;
}

const std::filesystem::path& HiveFile() {
    static const std::filesystem::path file = FuzzMachineHive("registry-names");
    return file;
}

// The document: a refused write changes no byte; an accepted one reads back
// from the bytes as the document holds it.
void WriteIntoDocument(const std::string& file, const std::u16string& section,
                       const std::u16string& key, const std::u16string& value) {
    CIniDocument document = CIniDocument::FromBytes(file);
    document.GetValue(section, key);
    const CProfileFile reader(file);
    reader.GetString(section, key, value, kMaxPieceUnits);

    const std::string before = document.ToBytes();
    const bool written = document.SetValue(section, key, value);
    const std::string after = document.ToBytes();
    if (!written) {
        FuzzExpect(after == before, "a refused write changes nothing");
        return;
    }
    const auto held = document.GetValue(section, key);
    FuzzExpect(held.has_value(), "a value written is there");
    if (FuzzIsAnsiFile(file)) {
        FuzzExpectOtherLinesKept(before, after);
    }
    FuzzExpect(CIniDocument::FromBytes(after).GetValue(section, key) ==
                   FuzzAsStored(file, held.value_or(u"")),
               "a value written reads back from the bytes, in the file's encoding");
}

// The registry: every answer is one it documents, and a value it reports as
// set reads back with its type and bytes.
void WriteIntoRegistry(const std::string& file, const std::u16string& path,
                       const std::u16string& name, const std::u16string& value) {
    if (!SaveFileAtomically(HiveFile(), file)) {
        return;
    }
    HKEY key = nullptr;
    const long created =
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
    FuzzExpect(created == ERROR_SUCCESS || created == ERROR_INVALID_PARAMETER,
               "a key is made, or its path refused");
    if (created != ERROR_SUCCESS) {
        FuzzExpect(ReadWholeFile(HiveFile()) == file, "a refused key leaves the hive as it was");
        return;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(value.data());
    const auto size = static_cast<std::uint32_t>(value.size() * sizeof(char16_t));
    const std::string hiveBefore = ReadWholeFile(HiveFile()).value_or("");
    const long set = RegSetValueEx(key, name.c_str(), REG_SZ, data, size);
    FuzzExpect(set == ERROR_SUCCESS || set == ERROR_INVALID_PARAMETER,
               "a value is set, or its name refused");
    if (set == ERROR_SUCCESS) {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> read(size + 1);
        std::uint32_t readSize = static_cast<std::uint32_t>(read.size());
        FuzzExpect(
            RegQueryValueEx(key, name.c_str(), &type, read.data(), &readSize) == ERROR_SUCCESS &&
                type == REG_SZ && readSize == size && std::equal(data, data + size, read.begin()),
            "a value set reads back with its type and bytes");
    } else {
        FuzzExpect(ReadWholeFile(HiveFile()) == hiveBefore,
                   "a refused value leaves the hive as it was");
    }
    RegCloseKey(key);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    OverrideCodePages(1252, std::nullopt);
    const auto sectionUnits = input.ConsumeIntegralInRange<std::uint8_t>(0, kMaxPieceUnits);
    const auto keyUnits = input.ConsumeIntegralInRange<std::uint8_t>(0, kMaxPieceUnits);
    const auto valueUnits = input.ConsumeIntegralInRange<std::uint8_t>(0, kMaxPieceUnits);
    const std::u16string section = Units(input, sectionUnits);
    const std::u16string key = Units(input, keyUnits);
    const std::u16string value = Units(input, valueUnits);
    const std::string file = input.ConsumeRemainingBytesAsString();

    WriteIntoDocument(file, section, key, value);
    WriteIntoRegistry(file, section, key, value);
    return 0;
}
