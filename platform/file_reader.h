#pragma once
#include <filesystem>
#include <string>

namespace platform {

// Why a file's bytes could not be had.
enum class EReadFault {
    None,
    Missing,        // no such file, or a folder on its path is missing
    Folder,         // a folder of that name
    NotRegularFile, // a FIFO, device or socket, never read so that nothing blocks
    TooLarge,       // more bytes than the caller takes
    Unreadable,     // no permission, or the system failed to read it
};

// A whole file's bytes, or why there are none with the system's error
// (errno) where it has one.
struct CFileBytes {
    std::string bytes;
    EReadFault fault = EReadFault::None;
    int systemError = 0;

    explicit operator bool() const { return fault == EReadFault::None; }
};

// Reads a whole regular file (a link is followed) of at most limit bytes:
// a larger one is refused, never cut.
CFileBytes ReadFile(const std::filesystem::path& path, size_t limit = std::string::npos);

// Reads what an open pipe or file gives until it ends; more than limit bytes
// are refused.
CFileBytes ReadStream(int fd, size_t limit);

// As ReadFile, but a pipe or device is read too, as a stream: a FIFO waits
// for its writer, as a reader of another program's output must.
CFileBytes ReadFileOrPipe(const std::filesystem::path& path, size_t limit);

} // namespace platform
