#include "platform/restart.h"

#include "platform/last_error.h"

#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
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

// A double fork: the grandchild belongs to init, so nothing waits for it
// and no zombie is left behind.
bool SpawnDetached(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const auto& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    int started[2];
    if (pipe2(started, O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t child = fork();
    if (child < 0) {
        close(started[0]);
        close(started[1]);
        return false;
    }
    if (child == 0) {
        close(started[0]);
        setsid();
        if (fork() == 0) {
            execvp(argv[0], argv.data());
            const char failed = 1;
            (void)!write(started[1], &failed, 1);
        }
        _exit(0);
    }
    close(started[1]);
    int status = 0;
    waitpid(child, &status, 0);
    // The pipe closes on a successful exec; a byte means exec failed.
    char failed = 0;
    const ssize_t got = read(started[0], &failed, 1);
    close(started[0]);
    return got == 0;
}

} // namespace

bool ExitWindowsEx(std::uint32_t flags, std::uint32_t) {
    const std::vector<std::string> command = RestartCommand();
    if (flags != EWX_REBOOT || command.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!SpawnDetached(command)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    return true;
}

} // namespace platform
