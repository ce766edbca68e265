#include "platform/file_reader.h"
#include "tests/authlevel/brenhold_fixture.h"
#include "tests/support/program_output.h"
#include "tests/support/virtual_display.h"
#include "tests/support/whole_file.h"

#include <chrono>
#include <cstring>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using namespace std::chrono_literals;

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
    const auto before = ReadWholeFile(Hive());

    const pid_t first = Spawn({BRENHOLD_PROGRAM});
    ASSERT_GT(first, 0);
    const std::uint32_t dialog = AwaitWindow(u"Local Security Setting");
    ASSERT_NE(dialog, 0u) << "no dialog titled with the catalogue's title";

    // A second start finds the first and ends at once, showing nothing.
    const pid_t second = Spawn({BRENHOLD_PROGRAM});
    ASSERT_GT(second, 0);
    const auto secondExit = AwaitExit(second, 30s);
    EXPECT_EQ(secondExit, 0);
    if (!secondExit) {
        kill(second, SIGTERM);
        waitpid(second, nullptr, 0);
    }
    EXPECT_EQ(platform::FindWindow(u"Local Security Setting"), dialog);

    // A close request that comes while the window is still settling may go
    // unheard, as a click would: the test clicks again, as a user would, for
    // up to 30 seconds, as a starved machine may be slow to answer.
    std::optional<int> firstExit;
    for (int attempt = 0; attempt < 60 && !firstExit; ++attempt) {
        AskToClose(dialog);
        firstExit = AwaitExit(first, 500ms);
    }
    EXPECT_EQ(firstExit, 0);
    if (!firstExit) {
        kill(first, SIGTERM);
        waitpid(first, nullptr, 0);
    }
    EXPECT_EQ(ReadWholeFile(Hive()), before);
    EXPECT_FALSE(std::filesystem::exists(RestartRecord()));
}

TEST(BrenholdVersionTest, VersionNeedsNoDisplay) {
    const CProgramOutput output =
        RunForOutput(std::string(kWithoutDisplay) + BRENHOLD_PROGRAM + " --version 2>&1");
    EXPECT_EQ(output.nExitCode, 0);
    EXPECT_EQ(output.text, "Brenhold " QUORLAN_VERSION "\n");
}
