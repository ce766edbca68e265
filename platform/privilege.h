#pragma once
#include <string_view>

namespace platform {

// Enables a privilege of the current process. On Linux a process that may
// restart the system is one running as root, so the shutdown privilege is
// granted exactly then; any other privilege is unknown. Sets the last error
// (ERROR_NOT_ALL_ASSIGNED when not granted) as AdjustTokenPrivileges does.
bool AdjustTokenPrivileges(std::u16string_view privilegeName);

} // namespace platform
