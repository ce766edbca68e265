#include "platform/named_mutex.h"

#include "platform/codepage.h"
#include "platform/last_error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

std::filesystem::path MutexFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr && *runtime != '\0' ? std::filesystem::path(runtime)
                                                  : std::filesystem::path("/run/lock");
}

int CreateMutex(std::u16string_view name) {
    const std::string fileName = WideToMultiByte(65001, name) + ".lock";
    if (name.empty() || fileName.find('/') != std::string::npos) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    const std::filesystem::path path = MutexFolder() / fileName;
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return -1;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        SetLastError(errno == EWOULDBLOCK ? ERROR_ALREADY_EXISTS : ERROR_ACCESS_DENIED);
        return fd;
    }
    SetLastError(ERROR_SUCCESS);
    return fd;
}

} // namespace platform
