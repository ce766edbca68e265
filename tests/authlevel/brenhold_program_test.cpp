#include "platform/x11_window.h"
#include "tests/authlevel/brenhold_fixture.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

pid_t Spawn(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const auto& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

// The exit status, or nothing when the process is still running at the end.
std::optional<int> AwaitExit(pid_t pid, std::chrono::milliseconds patience) {
    for (auto waited = 0ms; waited < patience; waited += 20ms) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
}

std::uint32_t AwaitWindow(std::u16string_view title) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (const std::uint32_t window = platform::FindWindow(title); window != 0) {
            return window;
        }
        std::this_thread::sleep_for(20ms);
    }
    return 0;
}

// What a window manager's close button sends (ICCCM WM_DELETE_WINDOW).
void AskToClose(std::uint32_t window) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const auto atom = [&](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(strlen(name)), name),
            nullptr);
        const xcb_atom_t result = reply != nullptr ? reply->atom : XCB_NONE;
        free(reply);
        return result;
    };
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
    xcb_disconnect(connection);
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

} // namespace

class BrenholdProgramTest : public CBrenholdFixture {};

TEST_F(BrenholdProgramTest, ShowsOneDialogRaisesItOnASecondStartAndEndsWhenClosed) {
    CVirtualDisplay display;
    if (display.Name().empty()) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    CEnvironmentVariable x11("DISPLAY", display.Name());
    CEnvironmentVariable platform("QT_QPA_PLATFORM", "xcb");
    StoreLevel("dword:00000003");
    const auto before = platform::ReadWholeFile(Hive());

    const pid_t first = Spawn({BRENHOLD_PROGRAM});
    ASSERT_GT(first, 0);
    const std::uint32_t dialog = AwaitWindow(u"Local Security Setting");
    ASSERT_NE(dialog, 0u) << "no dialog titled with the catalogue's title";

    // A second start finds the first and ends at once, showing nothing.
    const pid_t second = Spawn({BRENHOLD_PROGRAM});
    ASSERT_GT(second, 0);
    const auto secondExit = AwaitExit(second, 10s);
    EXPECT_EQ(secondExit, 0);
    if (!secondExit) {
        kill(second, SIGTERM);
        waitpid(second, nullptr, 0);
    }
    EXPECT_EQ(platform::FindWindow(u"Local Security Setting"), dialog);

    // A close request that comes while the window is still settling may go
    // unheard, as a click would: the test clicks again, as a user would.
    std::optional<int> firstExit;
    for (int attempt = 0; attempt < 20 && !firstExit; ++attempt) {
        AskToClose(dialog);
        firstExit = AwaitExit(first, 500ms);
    }
    EXPECT_EQ(firstExit, 0);
    if (!firstExit) {
        kill(first, SIGTERM);
        waitpid(first, nullptr, 0);
    }
    EXPECT_EQ(platform::ReadWholeFile(Hive()), before);
    EXPECT_FALSE(std::filesystem::exists(RestartRecord()));
}
