#pragma once
#include <cstdint>

namespace platform {

inline constexpr std::uint32_t EWX_REBOOT = 2;

// Asks the system to restart: runs "systemctl reboot", or the command that
// KORDAVIN_RESTART_COMMAND names (split at blanks, no shell), detached and
// never waited for. Only EWX_REBOOT is offered. True when the command started.
bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason);

} // namespace platform
