#include "platform/file_reader.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

CFileBytes Failure(EReadFault fault, int systemError = 0) {
    CFileBytes failure;
    failure.fault = fault;
    failure.systemError = systemError;
    return failure;
}

CFileBytes FailureOfOpen(int systemError) {
    return Failure(systemError == ENOENT || systemError == ENOTDIR ? EReadFault::Missing
                                                                   : EReadFault::Unreadable,
                   systemError);
}

// Reads until the end, or until more than limit bytes have come. A short
// read that ends where the known size ends is the end, without one more
// read to be told so; /proc files give no size and read on.
CFileBytes ReadToEnd(int fd, size_t limit, size_t knownSize) {
    CFileBytes read;
    // One allocation of the final size: a file of many megabytes is not held
    // twice while its buffer grows.
    if (knownSize != std::string::npos) {
        read.bytes.reserve(std::min(knownSize, limit));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        // Reading a regular file ignores O_NONBLOCK today; should a file
        // system ever honour it, the flag goes and the read waits. F_SETFL
        // sets only status flags, and O_NONBLOCK is the only one set.
        if (count < 0 && errno == EAGAIN && ::fcntl(fd, F_SETFL, 0) == 0) {
            continue;
        }
        if (count < 0) {
            return Failure(EReadFault::Unreadable, errno);
        }
        if (static_cast<size_t>(count) > limit - read.bytes.size()) {
            return Failure(EReadFault::TooLarge);
        }
        read.bytes.append(buffer, static_cast<size_t>(count));
        const bool endsAtItsSize = count > 0 && static_cast<size_t>(count) < sizeof buffer &&
                                   read.bytes.size() == knownSize;
        if (count == 0 || endsAtItsSize) {
            return read;
        }
    }
}

} // namespace

CFileBytes ReadFile(const std::filesystem::path& path, size_t limit) {
    // Opened without waiting, so that a FIFO cannot block; only a regular
    // file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return FailureOfOpen(errno);
    }
    struct stat info {};
    CFileBytes read;
    if (::fstat(fd, &info) != 0) {
        read = Failure(EReadFault::Unreadable, errno);
    } else if (S_ISDIR(info.st_mode)) {
        read = Failure(EReadFault::Folder);
    } else if (!S_ISREG(info.st_mode)) {
        read = Failure(EReadFault::NotRegularFile);
    } else if (static_cast<size_t>(info.st_size) > limit) {
        read = Failure(EReadFault::TooLarge);
    } else {
        read = ReadToEnd(fd, limit, static_cast<size_t>(info.st_size));
    }
    ::close(fd);
    return read;
}

CFileBytes ReadStream(int fd, size_t limit) { return ReadToEnd(fd, limit, std::string::npos); }

CFileBytes ReadPipe(const std::filesystem::path& path, size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return FailureOfOpen(errno);
    }
    CFileBytes read = ReadStream(fd, limit);
    ::close(fd);
    return read;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    CFileBytes read = ReadFile(path);
    if (!read) {
        return std::nullopt;
    }
    return std::move(read.bytes);
}

} // namespace platform
