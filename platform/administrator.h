#pragma once
#include "platform/detached_process.h"

#include <filesystem>
#include <optional>

namespace platform {

// Whether the process has administrator rights: its effective user is root.
bool IsUserAnAdmin();

// Tests pretend to be an ordinary user (or root) without changing their
// rights; nothing restores the real check.
void OverrideIsUserAnAdminForTesting(std::optional<bool> isAdmin);

// The system's pkexec, never one found on PATH. Tests name a stand-in in
// KORDAVIN_PKEXEC.
std::filesystem::path PkexecProgram();

// What a program that demands administrator rights gets from the shell:
// started detached by its real path (links resolved), directly when this process has the rights,
// otherwise through pkexec, whose polkit action keeps the user's display, with the caller's scale
// as an option (see scale_factor.h). Not started when the
// program is not an executable file or could not be started; a refused authentication happens later
// and is not seen here, but while the password is asked for, the start counts as running.
CStartedProgram StartAsAdministrator(const std::filesystem::path& program);

} // namespace platform
