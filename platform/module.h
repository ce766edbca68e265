#pragma once
#include <filesystem>

namespace platform {

// The running program's executable (/proc/self/exe), as GetModuleFileNameW
// gives it for the main module.
std::filesystem::path GetModuleFileName();

} // namespace platform
