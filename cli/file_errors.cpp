#include "cli/file_errors.h"

#include <cerrno>
#include <system_error>

// Unlike strerror, safe from any thread.
std::string SystemErrorText(int systemError) {
    return std::generic_category().message(systemError);
}

std::string ReadFaultText(platform::EReadFault fault, int systemError, const char* what) {
    switch (fault) {
    case platform::EReadFault::Missing:
        return "no such file";
    case platform::EReadFault::Folder:
        return std::string("a folder, not a ") + what;
    case platform::EReadFault::NotRegularFile:
        return "not a regular file";
    case platform::EReadFault::TooLarge:
        return std::string("larger than a ") + what + " can be";
    case platform::EReadFault::Unreadable:
        return std::string("cannot be read: ") + SystemErrorText(systemError);
    case platform::EReadFault::None:
        break;
    }
    return {};
}

std::string ReadFailureLine(const std::string& file, platform::EReadFault fault, int systemError,
                            const char* what) {
    return "quorlan-cli: " + file + ": " + ReadFaultText(fault, systemError, what);
}

// An existing file is never damaged by a failed save, so only the cause is told.
std::string SaveFailureLine(const std::string& file, int systemError) {
    const std::string prefix = "quorlan-cli: could not write " + file + ": ";
    switch (systemError) {
    case ENOENT:
        return prefix + "no such folder";
    case EISDIR:
        return prefix + "a folder or another file that is not a regular file has that name";
    case EACCES:
        return prefix + SystemErrorText(systemError) +
               " (or a link there that another user made, which is not followed)";
    default:
        return prefix + SystemErrorText(systemError);
    }
}
