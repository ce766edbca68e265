#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Top-level windows of every program on the X11 display named by DISPLAY,
// as the window manager stacks them (EWMH), or the shown children of the
// root window when no window manager runs. One connection, opened when
// first needed and again when DISPLAY names another display or the old one
// broke, so that a round of searches costs no connection of its own.
class CX11Desktop {
public:
    CX11Desktop();
    ~CX11Desktop();
    CX11Desktop(const CX11Desktop&) = delete;
    CX11Desktop& operator=(const CX11Desktop&) = delete;

    // For each title, the topmost window titled exactly so, or 0: one list of
    // the windows and one batch of title requests, however many titles.
    std::vector<std::uint32_t> FindWindows(std::span<const std::u16string> titles);

    // Asks the window manager to raise and activate the window, or the
    // topmost one transient for it: as on Windows, an owner's activation
    // goes to its open dialog.
    bool SetForegroundWindow(std::uint32_t window);

private:
    class CConnection;
    CConnection* Connection();

    std::unique_ptr<CConnection> m_pConnection;
};

// One search on a connection of its own; 0 when there is no display or no
// window titled exactly so.
std::uint32_t FindWindow(std::u16string_view title);

} // namespace platform
