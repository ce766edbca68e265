#include "platform/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The mode the saved file ends up with.
mode_t ModeFor(const std::filesystem::path& target, std::optional<mode_t> newFileMode) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    return newFileMode.value_or(0666 & ~CurrentUmask());
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool SaveFileAtomically(const std::filesystem::path& requested, std::string_view bytes,
                        std::optional<mode_t> newFileMode) {
    // A link stays a link: the file it points to is the one replaced.
    std::error_code error;
    std::filesystem::path target = requested;
    if (std::filesystem::is_symlink(requested, error)) {
        target = std::filesystem::canonical(requested, error);
    }
    if ((error && error != std::errc::no_such_file_or_directory) || target.empty()) {
        return false;
    }
    // Only a regular file is ever replaced: never a folder or a device.
    const auto existing = std::filesystem::status(target, error);
    if (std::filesystem::exists(existing) && !std::filesystem::is_regular_file(existing)) {
        return false;
    }

    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }

    const bool written =
        WriteAll(fd, bytes) && ::fchmod(fd, ModeFor(target, newFileMode)) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    ssize_t count = 0;
    while (content.size() < maxBytes &&
           (count = ::read(fd, buffer, std::min(sizeof buffer, maxBytes - content.size()))) != 0) {
        if (count < 0 && errno != EINTR) {
            ::close(fd);
            return std::nullopt;
        }
        if (count > 0) {
            content.append(buffer, static_cast<size_t>(count));
        }
    }
    ::close(fd);
    return content;
}

} // namespace platform
