#include "platform/module.h"

#include <system_error>

namespace platform {

std::filesystem::path GetModuleFileName() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

} // namespace platform
