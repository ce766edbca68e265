#pragma once
#include <filesystem>
#include <string_view>

namespace platform {

// A named mutex between processes: an exclusive lock on a file named after
// it in the user's runtime folder (XDG_RUNTIME_DIR, else /run/lock). Returns
// a descriptor that holds the lock until it is closed or the process ends;
// when another process holds it, the descriptor is returned all the same
// and the last error is ERROR_ALREADY_EXISTS, as CreateMutexW does. -1 when
// the lock file cannot be opened.
int CreateMutex(std::u16string_view name);

std::filesystem::path MutexFolder();

} // namespace platform
