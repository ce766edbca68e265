#include "platform/detached_process.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

// A double fork: the grandchild belongs to init (or the nearest subreaper),
// and the intermediate child is reaped here at once.
bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
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
        const pid_t grandchild = fork();
        if (grandchild == 0) {
            execvp(argv[0], argv.data());
            const char failed = 1;
            (void)!write(started[1], &failed, 1);
            _exit(127);
        }
        if (grandchild < 0) {
            const char failed = 1;
            (void)!write(started[1], &failed, 1);
        }
        _exit(0);
    }
    close(started[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes on a successful exec; a byte means the exec failed.
    char failed = 0;
    ssize_t got = 0;
    do {
        got = read(started[0], &failed, 1);
    } while (got < 0 && errno == EINTR);
    close(started[0]);
    return got == 0;
}

} // namespace platform
