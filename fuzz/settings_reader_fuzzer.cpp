// Feeds arbitrary bytes to the settings file reader as a file on disk.
#include "platform/atomic_file.h"
#include "settings/settings_file_reader.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const std::filesystem::path& InputFile() {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("quorlan-fuzz-" + std::to_string(::getpid()) + ".ini");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!platform::SaveFileAtomically(InputFile(),
                                      std::string(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    const CSettingsFileContents contents = ReadSettingsFile(InputFile());
    if (contents.rejected.empty() != (contents.Result() == 1)) {
        __builtin_trap();
    }
    // What the list can hold: at most 30 profiles, each with its SSID.
    if (contents.records.profiles.size() > kWirelessSlotCount) {
        __builtin_trap();
    }
    for (const CNetworkSetting& profile : contents.records.profiles) {
        if (profile.m_strSsid.empty()) {
            __builtin_trap();
        }
    }
    return 0;
}
