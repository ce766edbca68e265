#pragma once
#include <cstdint>

namespace platform {

// The calling thread's last error, kept as Windows keeps it, for the few
// stand-ins whose callers look at it after a call that succeeded.
inline constexpr std::uint32_t ERROR_SUCCESS = 0;
inline constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::uint32_t ERROR_MORE_DATA = 234;
inline constexpr std::uint32_t ERROR_ALREADY_EXISTS = 183;
inline constexpr std::uint32_t ERROR_NOT_ALL_ASSIGNED = 1300;

std::uint32_t GetLastError();
void SetLastError(std::uint32_t error);

} // namespace platform
