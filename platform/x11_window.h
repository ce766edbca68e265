#pragma once
#include <cstdint>
#include <string_view>

namespace platform {

// Top-level windows of every program on the X11 display named by DISPLAY,
// as the window manager lists them (EWMH). 0 when there is no display, no
// EWMH window manager, or no window titled exactly so.
std::uint32_t FindWindow(std::u16string_view title);

// Asks the window manager to raise and activate the window.
bool SetForegroundWindow(std::uint32_t window);

} // namespace platform
