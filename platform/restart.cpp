#include "platform/restart.h"

#include "platform/detached_process.h"
#include "platform/last_error.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace platform {
namespace {

std::vector<std::string> RestartCommand() {
    const char* configured = std::getenv("KORDAVIN_RESTART_COMMAND");
    std::istringstream words(configured != nullptr && *configured != '\0' ? configured
                                                                          : "systemctl reboot");
    std::vector<std::string> argv;
    for (std::string word; words >> word;) {
        argv.push_back(word);
    }
    return argv;
}

} // namespace

bool ExitWindowsEx(std::uint32_t flags, std::uint32_t) {
    const std::vector<std::string> command = RestartCommand();
    if (flags != EWX_REBOOT || command.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!StartDetached(command.front(), {command.begin() + 1, command.end()})) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    return true;
}

} // namespace platform
