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

// What an open file holds: a regular file up to the limit, and a stream
// (a pipe, a device) only where the caller takes one.
CFileBytes ReadOpened(int fd, size_t limit, bool takeStreams) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return Failure(EReadFault::Unreadable, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return Failure(EReadFault::Folder);
    }
    if (S_ISREG(info.st_mode)) {
        if (static_cast<size_t>(info.st_size) > limit) {
            return Failure(EReadFault::TooLarge);
        }
        return ReadToEnd(fd, limit, static_cast<size_t>(info.st_size));
    }
    if (!takeStreams) {
        return Failure(EReadFault::NotRegularFile);
    }
    return ReadToEnd(fd, limit, std::string::npos);
}

CFileBytes ReadPath(const std::filesystem::path& path, size_t limit, bool takeStreams) {
    // Without streams, opened without waiting, so that a FIFO cannot block.
    const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | (takeStreams ? 0 : O_NONBLOCK);
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        return FailureOfOpen(errno);
    }
    CFileBytes read = ReadOpened(fd, limit, takeStreams);
    ::close(fd);
    return read;
}

} // namespace

CFileBytes ReadFile(const std::filesystem::path& path, size_t limit) {
    return ReadPath(path, limit, false);
}

CFileBytes ReadStream(int fd, size_t limit) { return ReadToEnd(fd, limit, std::string::npos); }

CFileBytes ReadFileOrPipe(const std::filesystem::path& path, size_t limit) {
    return ReadPath(path, limit, true);
}

} // namespace platform
