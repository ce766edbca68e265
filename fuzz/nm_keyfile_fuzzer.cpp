// Takes arbitrary bytes as a NetworkManager keyfile, reads it and maps it to a
// profile as the import does: a problem is named exactly when the file was
// not read, and a profile that comes out passes the property dialog's checks
// unchanged, as create will apply them again.
#include "catalogue/message_catalogue.h"
#include "cli/nm_keyfile_reader.h"
#include "fuzz/fuzz_support.h"
#include "networks/nm_profile_mapping.h"
#include "platform/atomic_file.h"
#include "settings/wireless_profile_check.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path keyfile = [] {
        SelectLanguageFromLocale();
        return FuzzScratchPath("connection.nmconnection");
    }();
    if (!platform::SaveFileAtomically(keyfile,
                                      std::string(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    const CNmKeyfile read = ReadNmKeyfile(keyfile);
    FuzzExpect(read.strProblem.empty() == (read.status == ENmKeyfileStatus::Read),
               "a problem is named exactly when the file was not read");
    if (read.status != ENmKeyfileStatus::Read || !IsNmWifiConnection(read.connection)) {
        return 0;
    }
    const CNmProfileMapping mapping = MapNmConnection(read.connection);
    FuzzExpect(mapping.profile.has_value() == mapping.strSkipReason.empty(),
               "a connection gives either a profile or a reason to skip it");
    if (!mapping.profile) {
        return 0;
    }
    CNetworkSetting checked = *mapping.profile;
    FuzzExpect(CheckWirelessProfileEntries(checked, checked.m_strNetworkKey).nMessage == 0,
               "a profile made from a keyfile passes the property dialog's checks");
    FuzzExpect(checked.m_strSsid == mapping.profile->m_strSsid &&
                   checked.m_nSecurityMode == mapping.profile->m_nSecurityMode &&
                   checked.m_strNetworkKey == mapping.profile->m_strNetworkKey,
               "the checks leave the SSID, security and key of such a profile as they are");
    return 0;
}
