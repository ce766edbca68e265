#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

// Whether a save took place, and if not, why: the system's errno.
struct CSaveResult {
    int systemError = 0;

    explicit operator bool() const { return systemError == 0; }
};

// Replaces the file at target with bytes: a temporary file in the same folder
// is written, flushed and renamed over it. On any failure the old file stays
// exactly as it was, and the result says why. An existing
// file keeps its mode, its extended attributes (access lists, security
// labels), and its owner and group where this process may keep them; a new
// one gets newFileMode, or is its owner's only. A link is
// followed only where the kernel would follow it in a sticky shared folder.
// Temporary files left there by this user's killed processes are removed.
CSaveResult SaveFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                               std::optional<mode_t> newFileMode = std::nullopt);

// The same for a file that holds secrets: a new one is its owner's only, and
// an existing one keeps its owner and group but loses all access for them
// and for others, and any access list, so that nobody else can read what is
// saved.
CSaveResult SaveSecretFileAtomically(const std::filesystem::path& target, std::string_view bytes);

} // namespace platform
