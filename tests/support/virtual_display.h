#pragma once
#include "platform/x11_window.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

// Starts a program with the test's environment; its pid, or -1.
inline pid_t Spawn(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const auto& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

// A top-level window titled so, waited for up to ten seconds; 0 if none came.
inline std::uint32_t AwaitWindow(std::u16string_view title) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (const std::uint32_t window = platform::FindWindow(title); window != 0) {
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}

// A virtual X display of the test's own; stopped with the test.
class CVirtualDisplay {
public:
    CVirtualDisplay() {
        int ready[2];
        if (pipe(ready) != 0) {
            return;
        }
        // -noreset: the server would otherwise reset whenever its last client
        // leaves, and refuse a program that connects during the reset.
        m_pid = Spawn({"Xvfb", "-displayfd", std::to_string(ready[1]), "-noreset", "-nolisten",
                       "tcp", "-screen", "0", "1024x768x24"});
        close(ready[1]);
        char number[16] = {};
        if (m_pid > 0 && read(ready[0], number, sizeof number - 1) > 0) {
            m_name = ":" + std::to_string(std::atoi(number));
        }
        close(ready[0]);
        WaitUntilAccepting();
    }
    ~CVirtualDisplay() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    CVirtualDisplay(const CVirtualDisplay&) = delete;
    CVirtualDisplay& operator=(const CVirtualDisplay&) = delete;

    const std::string& Name() const { return m_name; }

private:
    // A loaded machine may announce the display before it takes clients.
    void WaitUntilAccepting() const {
        for (int attempt = 0; attempt < 100 && !m_name.empty(); ++attempt) {
            xcb_connection_t* connection = xcb_connect(m_name.c_str(), nullptr);
            const bool accepted = xcb_connection_has_error(connection) == 0;
            xcb_disconnect(connection);
            if (accepted) {
                return;
            }
            usleep(50 * 1000);
        }
    }

    pid_t m_pid = -1;
    std::string m_name;
};
