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

// XDG_RUNTIME_DIR when it is a folder of the user's that nobody else may
// write to; otherwise a folder of the user's own, made owner-only: root's in
// /run (KORDAVIN_RUN_ROOT), where no one else can make it first, another
// user's under the temporary folder. Nothing when neither is to be had.
std::optional<std::filesystem::path> MutexFolder();

} // namespace platform
