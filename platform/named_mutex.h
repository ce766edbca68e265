#pragma once
#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

// A named mutex between processes: an exclusive lock on a file named after
// it in the user's own runtime folder. Returns a descriptor that holds the
// lock until it is closed or the process ends; when another process of the
// user holds it, the descriptor is returned all the same and the last error
// is ERROR_ALREADY_EXISTS, as CreateMutexW does. -1 (ERROR_ACCESS_DENIED)
// when there is no such folder or the lock file there is not a regular file
// of the user's, so that nobody else can hold the mutex or redirect it.
int CreateMutex(std::u16string_view name);

// Root's is always one folder in /run (KORDAVIN_RUN_ROOT), made owner-only,
// where no one else can make it first. Another user's is XDG_RUNTIME_DIR
// when it is a folder of the user's that nobody else may write to, otherwise
// one of the user's own under the temporary folder. Nothing when none is to
// be had.
std::optional<std::filesystem::path> MutexFolder();

} // namespace platform
