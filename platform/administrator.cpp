#include "platform/administrator.h"

#include "platform/detached_process.h"

#include <unistd.h>

namespace platform {
namespace {

std::optional<bool> g_isAdminOverride;

} // namespace

bool IsUserAnAdmin() { return g_isAdminOverride.value_or(geteuid() == 0); }

void OverrideIsUserAnAdminForTesting(std::optional<bool> isAdmin) { g_isAdminOverride = isAdmin; }

bool StartAsAdministrator(const std::filesystem::path& program) {
    // Checked first, so that a missing program costs no password prompt.
    std::error_code error;
    if (!std::filesystem::is_regular_file(program, error) || access(program.c_str(), X_OK) != 0) {
        return false;
    }
    if (IsUserAnAdmin()) {
        return StartDetached(program.string());
    }
    return StartDetached("pkexec", {program.string()});
}

} // namespace platform
