#include "platform/last_error.h"

namespace platform {
namespace {
thread_local std::uint32_t g_dwLastError = ERROR_SUCCESS;
}

std::uint32_t GetLastError() { return g_dwLastError; }

void SetLastError(std::uint32_t error) { g_dwLastError = error; }

} // namespace platform
