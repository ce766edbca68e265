#include "platform/administrator.h"

#include "platform/detached_process.h"
#include "platform/scale_factor.h"

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

std::optional<bool> g_isAdminOverride;

bool IsExecutableFile(const std::filesystem::path& program) {
    std::error_code error;
    return std::filesystem::is_regular_file(program, error) && access(program.c_str(), X_OK) == 0;
}

// pkexec hands XAUTHORITY on to the program only when it is set. A session
// that leaves it unset uses ~/.Xauthority, which root would not look for.
std::vector<std::string> DisplayCookieForRoot() {
    const char* display = std::getenv("DISPLAY");
    const char* home = std::getenv("HOME");
    if (display == nullptr || *display == '\0' || std::getenv("XAUTHORITY") != nullptr ||
        home == nullptr || *home != '/') {
        return {};
    }
    const std::filesystem::path cookie = std::filesystem::path(home) / ".Xauthority";
    std::error_code error;
    if (!std::filesystem::is_regular_file(cookie, error)) {
        return {};
    }
    return {"XAUTHORITY=" + cookie.string()};
}

} // namespace

bool IsUserAnAdmin() { return g_isAdminOverride.value_or(geteuid() == 0); }

void OverrideIsUserAnAdminForTesting(std::optional<bool> isAdmin) { g_isAdminOverride = isAdmin; }

std::filesystem::path PkexecProgram() {
    const char* standIn = std::getenv("KORDAVIN_PKEXEC");
    return standIn != nullptr && *standIn == '/' ? standIn : "/usr/bin/pkexec";
}

CStartedProgram StartAsAdministrator(const std::filesystem::path& program) {
    // pkexec finds the program's polkit action by its exact path: a link
    // (a host folder's Brenhold -> /usr/bin/Brenhold) would get the generic
    // action, which keeps no display. Checked first, so that a missing
    // program costs no password prompt.
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(program, error);
    if (error || !IsExecutableFile(real)) {
        return {};
    }
    if (IsUserAnAdmin()) {
        return StartDetached(real.string());
    }
    const std::filesystem::path pkexec = PkexecProgram();
    if (!IsExecutableFile(pkexec)) {
        return {};
    }
    std::vector<std::string> arguments = {real.string()};
    // pkexec drops the scale the caller's windows are drawn at.
    if (const auto scale = ScaleFactorArgument()) {
        arguments.push_back(*scale);
    }
    return StartDetached(pkexec.string(), arguments, DisplayCookieForRoot());
}

} // namespace platform
