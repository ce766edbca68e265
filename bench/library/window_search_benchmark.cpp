// How long one round of bringing the front windows forward takes while the
// main dialog is dragged: the eleven titles looked for among the top-level
// windows of an X display, and the windows found raised. Beside it, the way
// it was done before: a connection, a window list and a title request at a
// time for every title. Both on a virtual display of the benchmark's own with
// 5 and with 40 other windows, listed as a window manager lists them.
#include "bench/support/run_summary.h"
#include "catalogue/message_catalogue.h"
#include "dialogs/main_dialog/security_page.h"
#include "platform/codepage.h"
#include "platform/x11_window.h"
#include "tests/support/environment_variable.h"
#include "tests/support/virtual_display.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

namespace {

constexpr int kFewWindows = 5;
constexpr int kManyWindows = 40;
constexpr double kRoundGoalSeconds = 0.002;

// Windows of another program, one of them titled as Brenhold's, in the
// window manager's client list.
class COtherWindows {
public:
    explicit COtherWindows(int count) : m_pConnection(xcb_connect(nullptr, nullptr)) {
        xcb_ewmh_init_atoms_replies(&m_ewmh, xcb_ewmh_init_atoms(m_pConnection, &m_ewmh), nullptr);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_pConnection)).data;
        const std::string brenhold = platform::WideToMultiByte(
            platform::kUtf8CodePage, GetMessageText(kMsgLocalSecuritySetting));
        std::vector<xcb_window_t> windows;
        for (int i = 0; i < count; ++i) {
            const xcb_window_t window = xcb_generate_id(m_pConnection);
            xcb_create_window(m_pConnection, XCB_COPY_FROM_PARENT, window, screen->root, 10 * i,
                              10 * i, 200, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                              screen->root_visual, 0, nullptr);
            const std::string title =
                i == count / 2 ? brenhold : "Other window " + std::to_string(i);
            xcb_ewmh_set_wm_name(&m_ewmh, window, static_cast<std::uint32_t>(title.size()),
                                 title.c_str());
            xcb_map_window(m_pConnection, window);
            windows.push_back(window);
        }
        xcb_ewmh_set_client_list(&m_ewmh, 0, static_cast<std::uint32_t>(windows.size()),
                                 windows.data());
        Sync();
    }
    ~COtherWindows() {
        xcb_ewmh_connection_wipe(&m_ewmh);
        xcb_disconnect(m_pConnection);
    }
    COtherWindows(const COtherWindows&) = delete;
    COtherWindows& operator=(const COtherWindows&) = delete;

private:
    void Sync() {
        free(xcb_get_input_focus_reply(m_pConnection, xcb_get_input_focus(m_pConnection), nullptr));
    }

    xcb_connection_t* m_pConnection;
    xcb_ewmh_connection_t m_ewmh{};
};

// The round as it was: every title and every raise on a connection of its
// own, each window's title awaited before the next is asked for.
namespace before {

struct CConnection {
    CConnection() : raw(xcb_connect(nullptr, nullptr)) {
        xcb_ewmh_init_atoms_replies(&ewmh, xcb_ewmh_init_atoms(raw, &ewmh), nullptr);
    }
    ~CConnection() {
        xcb_ewmh_connection_wipe(&ewmh);
        xcb_disconnect(raw);
    }
    xcb_connection_t* raw;
    xcb_ewmh_connection_t ewmh{};
};

std::uint32_t FindWindow(const std::u16string& title) {
    CConnection connection;
    xcb_ewmh_get_windows_reply_t clients;
    if (xcb_ewmh_get_client_list_reply(&connection.ewmh,
                                       xcb_ewmh_get_client_list(&connection.ewmh, 0), &clients,
                                       nullptr) == 0) {
        return 0;
    }
    const std::string wanted = platform::WideToMultiByte(platform::kUtf8CodePage, title);
    std::uint32_t found = 0;
    for (std::uint32_t i = 0; i < clients.windows_len && found == 0; ++i) {
        xcb_ewmh_get_utf8_strings_reply_t name;
        if (xcb_ewmh_get_wm_name_reply(&connection.ewmh,
                                       xcb_ewmh_get_wm_name(&connection.ewmh, clients.windows[i]),
                                       &name, nullptr) != 0) {
            found = std::string(name.strings, name.strings_len) == wanted ? clients.windows[i] : 0;
            xcb_ewmh_get_utf8_strings_reply_wipe(&name);
        }
    }
    xcb_ewmh_get_windows_reply_wipe(&clients);
    return found;
}

void SetForegroundWindow(std::uint32_t window) {
    CConnection connection;
    xcb_ewmh_request_change_active_window(
        &connection.ewmh, 0, window, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME, XCB_NONE);
    xcb_flush(connection.raw);
}

} // namespace before

void RoundSearchingPerTitle(benchmark::State& state, int windows) {
    const COtherWindows others(windows);
    const std::vector<std::u16string> titles = FrontWindowTitles();
    for (auto _ : state) {
        for (const std::u16string& title : titles) {
            if (const std::uint32_t window = before::FindWindow(title); window != 0) {
                before::SetForegroundWindow(window);
            }
        }
    }
}

void RoundWithOneSearch(benchmark::State& state, int windows) {
    const COtherWindows others(windows);
    const std::vector<std::u16string> titles = FrontWindowTitles();
    platform::CX11Desktop desktop;
    for (auto _ : state) {
        int found = 0;
        for (const std::uint32_t window : desktop.FindWindows(titles)) {
            if (window != 0) {
                desktop.SetForegroundWindow(window);
                ++found;
            }
        }
        if (found == 0) {
            state.SkipWithError("Brenhold's window was not found");
        }
    }
}

std::string Name(const char* how, int windows) {
    return std::string(how) + ", " + std::to_string(windows) + " windows";
}

} // namespace

int main(int argc, char** argv) {
    SelectLanguageFromLocale();
    const CVirtualDisplay display;
    if (display.Name().empty()) {
        std::fprintf(stderr, "Xvfb is not installed\n");
        return 1;
    }
    const CEnvironmentVariable x11("DISPLAY", display.Name());
    for (const int windows : {kFewWindows, kManyWindows}) {
        benchmark::RegisterBenchmark(Name("per title", windows).c_str(), RoundSearchingPerTitle,
                                     windows)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(5);
        benchmark::RegisterBenchmark(Name("one search", windows).c_str(), RoundWithOneSearch,
                                     windows)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(5);
    }
    benchmark::Initialize(&argc, argv);
    CRunSummary summary;
    benchmark::RunSpecifiedBenchmarks(&summary);

    using EClock = CRunSummary::EClock;
    std::printf("\nOne round, real time (the X server works while the client waits):\n");
    std::printf("  %-30s %10s %10s %10s\n", "", "median ms", "min ms", "ratio");
    for (const int windows : {kFewWindows, kManyWindows}) {
        const std::string perTitle = Name("per title", windows);
        const std::string oneSearch = Name("one search", windows);
        const double baseline = summary.Median(perTitle, EClock::Real);
        for (const std::string& name : {perTitle, oneSearch}) {
            const double median = summary.Median(name, EClock::Real);
            std::printf("  %-30s %10.3f %10.3f %9.1fx\n", name.c_str(), median * 1e3,
                        summary.Minimum(name, EClock::Real) * 1e3,
                        median > 0 ? baseline / median : 0.0);
        }
    }
    const double many = summary.Median(Name("one search", kManyWindows), EClock::Real);
    std::printf("  %d windows: goal %.0f ms a round, median %.3f ms: %s\n", kManyWindows,
                kRoundGoalSeconds * 1e3, many * 1e3,
                many > 0 && many < kRoundGoalSeconds ? "met" : "missed");
    benchmark::Shutdown();
    return 0;
}
