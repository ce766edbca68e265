#include "platform/detached_process.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

// Everything below runs between fork and exec, so it allocates nothing and
// calls only what is safe there.

void ReportFailure(int pipe) {
    const char failed = 1;
    (void)!write(pipe, &failed, 1);
}

void CloseAllDescriptors() {
    if (close_range(0, UINT_MAX, 0) == 0) {
        return;
    }
    rlimit limit{};
    const int highest = getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < 65536
                            ? static_cast<int>(limit.rlim_cur)
                            : 65536;
    for (int fd = 0; fd < highest; ++fd) {
        close(fd);
    }
}

[[noreturn]] void RunProgram(char* const* argv, char* const* envp, int started) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execvpe(argv[0], argv, envp);
    ReportFailure(started);
    _exit(127);
}

// The keeper: the program's parent until the program ends, then gone.
[[noreturn]] void KeepProgram(char* const* argv, char* const* envp, int started) {
    const pid_t program = fork();
    if (program == 0) {
        RunProgram(argv, envp, started);
    }
    if (program < 0) {
        ReportFailure(started);
        _exit(127);
    }
    // Nothing of the caller's stays open: not its display connection, not
    // its locks, not the pipe it reads the result from.
    CloseAllDescriptors();
    int status = 0;
    while (waitpid(program, &status, 0) < 0 && errno == EINTR) {
    }
    _exit(0);
}

} // namespace

// Three generations: the child leaves at once and is reaped here, so the
// keeper below it belongs to init (or the nearest subreaper), which reaps it
// when the program has ended.
bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                   const std::vector<std::string>& addedEnvironment) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& variable : addedEnvironment) {
        envp.push_back(const_cast<char*>(variable.c_str()));
    }
    for (char** variable = environ; *variable != nullptr; ++variable) {
        envp.push_back(*variable);
    }
    envp.push_back(nullptr);

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
        const pid_t keeper = fork();
        if (keeper == 0) {
            KeepProgram(argv.data(), envp.data(), started[1]);
        }
        if (keeper < 0) {
            ReportFailure(started[1]);
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
