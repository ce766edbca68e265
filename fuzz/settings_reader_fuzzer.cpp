// Feeds arbitrary bytes to the settings file reader as a file on disk, and
// to the reader of the application data file with its own section.
#include "fuzz/fuzz_support.h"
#include "platform/atomic_file.h"
#include "settings/app_data_store.h"
#include "settings/settings_file_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path inputFile = FuzzScratchPath("NetworkSetting.ini");
    if (!platform::SaveFileAtomically(inputFile,
                                      std::string(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    const CSettingsFileContents contents = ReadSettingsFile(inputFile);
    FuzzExpect(contents.rejected.empty() == (contents.Result() == 1),
               "the result is 1 exactly when nothing was rejected");
    FuzzExpect(contents.records.profiles.size() <= kWirelessSlotCount,
               "at most as many profiles as the list holds");
    for (const CNetworkSetting& profile : contents.records.profiles) {
        FuzzExpect(!profile.m_strSsid.empty(), "every profile read has its SSID");
    }
    const CUtilitySectionContents utility = ReadAppDataFile(inputFile).utility;
    FuzzExpect(utility.rejected.empty() || utility.section.nNetFolderChoice == 1 ||
                   utility.section.folder.m_strPassword.empty(),
               "a value refused under the default choice is the password, emptied");
    return 0;
}
