#include "authlevel/samba_client_auth.h"

#include "authlevel/smb_conf_include.h"
#include "platform/atomic_file.h"
#include "platform/file_reader.h"

#include <cstdlib>
#include <sys/stat.h>
#include <system_error>

namespace {

constexpr int kLevelCount = 6;
// Every user's SMB client reads it, so it must stay readable for all.
constexpr mode_t kReadableByAll = 0644;
// Far beyond any smb.conf; a larger one is refused rather than cut.
constexpr size_t kMaxSambaConfigBytes = 4 << 20;

constexpr char kFileNote[] =
    "# Brenhold replaces this file whenever the level changes. Samba warns that\n"
    "# the two auth options are deprecated, and still honours them.\n";

const char* YesNo(bool value) { return value ? "yes" : "no"; }

} // namespace

std::filesystem::path SambaConfigRoot() {
    const char* root = std::getenv("KORDAVIN_SAMBA_ROOT");
    return root != nullptr && *root != '\0' ? std::filesystem::path(root)
                                            : std::filesystem::path("/etc/samba");
}

std::string SambaClientAuthOptions(int level) {
    // Levels 0 and 1 send LM and NTLM responses, 2 NTLM only, 3 to 5 NTLMv2
    // only (Samba's default). Servers that still take LM or NTLM responses
    // speak only the first SMB dialect.
    const bool sendsLanman = level <= 1;
    const bool sendsNtlmv2Only = level >= 3;
    std::string text = "# Written by Brenhold for LAN Manager authentication level " +
                       std::to_string(level) + ".\n" + kFileNote;
    text += std::string("client lanman auth = ") + YesNo(sendsLanman) + "\n";
    text += std::string("client ntlmv2 auth = ") + YesNo(sendsNtlmv2Only) + "\n";
    if (!sendsNtlmv2Only) {
        text += "client min protocol = NT1\n";
    }
    return text;
}

bool WriteSambaClientAuth(int level) {
    if (level < 0 || level >= kLevelCount) {
        return false;
    }
    const std::filesystem::path root = SambaConfigRoot();
    const std::filesystem::path mainConfig = root / "smb.conf";
    std::error_code error;
    const bool installed = std::filesystem::exists(mainConfig, error);
    if (!installed) { // Samba is not installed: nothing to do
        return !error;
    }
    // Another name for the same file would keep the old bytes: Samba reads one
    // of the two, and the admin edits the other.
    struct stat info {};
    if (::stat(mainConfig.c_str(), &info) == 0 && info.st_nlink > 1) {
        return false;
    }
    const platform::CFileBytes config = platform::ReadFile(mainConfig, kMaxSambaConfigBytes);
    // Samba resolves a relative include against its working folder.
    const std::filesystem::path ownFile =
        std::filesystem::absolute(root / kSambaClientAuthFileName, error).lexically_normal();
    if (!config || error) {
        return false;
    }

    // smb.conf first: its old bytes are at hand to undo the change when
    // Brenhold's own file cannot be written.
    const std::string updated = AddIncludeToGlobalSection(config.bytes, ownFile.string());
    const bool includeAdded = updated != config.bytes;
    if (includeAdded && !platform::SaveFileAtomically(mainConfig, updated)) {
        return false;
    }
    if (platform::SaveFileAtomically(ownFile, SambaClientAuthOptions(level), kReadableByAll)) {
        return true;
    }
    if (includeAdded) {
        platform::SaveFileAtomically(mainConfig, config.bytes);
    }
    return false;
}
