#include "platform/detached_process.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace platform {
namespace {

// Everything below runs between fork and exec, so it allocates nothing and
// calls only what is safe there.

void ReportFailure(int pipe) {
    const char failed = 1;
    (void)!write(pipe, &failed, 1);
}

void CloseDescriptorsFrom(unsigned first, unsigned last) {
    if (close_range(first, last, 0) == 0) {
        return;
    }
    rlimit limit{};
    const unsigned highest = getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < 65536
                                 ? static_cast<unsigned>(limit.rlim_cur)
                                 : 65536;
    for (unsigned fd = first; fd < highest && fd <= last; ++fd) {
        close(static_cast<int>(fd));
    }
}

void CloseDescriptorsExcept(unsigned first, int kept) {
    const auto keep = static_cast<unsigned>(kept);
    if (keep < first) {
        CloseDescriptorsFrom(first, UINT_MAX);
        return;
    }
    if (keep > first) {
        CloseDescriptorsFrom(first, keep - 1);
    }
    CloseDescriptorsFrom(keep + 1, UINT_MAX);
}

// Signals the caller ignores would stay ignored across exec (a keeper
// ignoring SIGCHLD could not wait for its program); each gets its default.
void ResetSignalDispositions() {
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    for (int signal = 1; signal < NSIG; ++signal) {
        sigaction(signal, &byDefault, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

// The program gets the standard three and, until its exec, the pipe that
// reports a failed one: none of the caller's descriptors, even one that was
// not to be closed on exec (a lock, a display connection).
[[noreturn]] void RunProgram(char* const* argv, char* const* envp, int started) {
    CloseDescriptorsExcept(3, started);
    execvpe(argv[0], argv, envp);
    ReportFailure(started);
    _exit(127);
}

// The keeper: the program's parent until the program ends, then gone. Of
// the caller's descriptors it keeps only the pipe that tells it lives.
[[noreturn]] void KeepProgram(char* const* argv, char* const* envp, int started, int alive) {
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
    CloseDescriptorsExcept(0, alive);
    int status = 0;
    while (waitpid(program, &status, 0) < 0 && errno == EINTR) {
    }
    _exit(0);
}

} // namespace

CStartedProgram::CStartedProgram(CStartedProgram&& other) noexcept
    : m_keeperAlive(std::exchange(other.m_keeperAlive, -1)) {}

CStartedProgram& CStartedProgram::operator=(CStartedProgram&& other) noexcept {
    if (this != &other) {
        if (m_keeperAlive >= 0) {
            close(m_keeperAlive);
        }
        m_keeperAlive = std::exchange(other.m_keeperAlive, -1);
    }
    return *this;
}

CStartedProgram::~CStartedProgram() {
    if (m_keeperAlive >= 0) {
        close(m_keeperAlive);
    }
}

bool CStartedProgram::IsRunning() const {
    if (m_keeperAlive < 0) {
        return false;
    }
    pollfd hangUp{m_keeperAlive, POLLIN, 0};
    return poll(&hangUp, 1, 0) == 0;
}

// Three generations: the child leaves at once and is reaped here, so the
// keeper below it belongs to init (or the nearest subreaper), which reaps it
// when the program has ended.
CStartedProgram StartDetached(const std::string& program, const std::vector<std::string>& arguments,
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
    int alive[2];
    if (pipe2(started, O_CLOEXEC) != 0) {
        return {};
    }
    if (pipe2(alive, O_CLOEXEC) != 0) {
        close(started[0]);
        close(started[1]);
        return {};
    }
    const pid_t child = fork();
    if (child < 0) {
        for (const int fd : {started[0], started[1], alive[0], alive[1]}) {
            close(fd);
        }
        return {};
    }
    if (child == 0) {
        close(started[0]);
        close(alive[0]);
        ResetSignalDispositions();
        setsid();
        const pid_t keeper = fork();
        if (keeper == 0) {
            KeepProgram(argv.data(), envp.data(), started[1], alive[1]);
        }
        if (keeper < 0) {
            ReportFailure(started[1]);
        }
        _exit(0);
    }
    close(started[1]);
    close(alive[1]);
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
    if (got != 0) {
        close(alive[0]);
        return {};
    }
    return CStartedProgram(alive[0]);
}

} // namespace platform
