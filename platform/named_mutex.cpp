#include "platform/named_mutex.h"

#include "platform/codepage.h"
#include "platform/last_error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr mode_t kOwnerOnly = 0700;

// A shared folder such as /run/lock would let another user take the lock
// first, or plant a link where it goes: only a real folder of the user's,
// which no one else may write to, is safe.
bool IsPrivateFolder(const std::filesystem::path& folder) {
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Root's folder goes where only root may make one (/run), so no one can take
// its place first; another user's goes under the temporary folder.
std::optional<std::filesystem::path> FallbackParent() {
    if (::geteuid() == 0) {
        const char* run = std::getenv("KORDAVIN_RUN_ROOT");
        const std::filesystem::path parent = run != nullptr && *run != '\0' ? run : "/run";
        return IsPrivateFolder(parent) ? std::optional(parent) : std::nullopt;
    }
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    return error ? std::nullopt : std::optional(temporary);
}

std::optional<std::filesystem::path> FallbackFolder() {
    const auto parent = FallbackParent();
    if (!parent) {
        return std::nullopt;
    }
    const std::filesystem::path folder =
        *parent / ("kordavin-runtime-" + std::to_string(::geteuid()));
    // Someone else may have made it first; then it is not used.
    if (::mkdir(folder.c_str(), kOwnerOnly) != 0 && errno != EEXIST) {
        return std::nullopt;
    }
    if (!IsPrivateFolder(folder)) {
        return std::nullopt;
    }
    return folder;
}

// The lock file without following a link; a FIFO or a device there must not
// block the open or stand in for the lock.
int OpenLockFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK,
                          S_IRUSR | S_IWUSR);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::optional<std::filesystem::path> MutexFolder() {
    // Root has one lock whatever session it was started from: its runtime
    // folder differs between a login, sudo and pkexec.
    if (::geteuid() == 0) {
        return FallbackFolder();
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0' && IsPrivateFolder(runtime)) {
        return std::filesystem::path(runtime);
    }
    return FallbackFolder();
}

int CreateMutex(std::u16string_view name) {
    const std::string fileName = WideToMultiByte(kUtf8CodePage, name) + ".lock";
    if (name.empty() || fileName.find_first_of(std::string("/\0", 2)) != std::string::npos) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    const auto folder = MutexFolder();
    const int fd = folder ? OpenLockFile(*folder / fileName) : -1;
    if (fd < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        SetLastError(errno == EWOULDBLOCK ? ERROR_ALREADY_EXISTS : ERROR_ACCESS_DENIED);
        return fd;
    }
    SetLastError(ERROR_SUCCESS);
    return fd;
}

} // namespace platform
