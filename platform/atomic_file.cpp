#include "platform/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

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

// Settings files hold secrets whose key the player's format makes public.
constexpr mode_t kOwnerOnly = 0600;

constexpr mode_t kEveryModeBit = 07777;
constexpr mode_t kOwnerBits = 0700;

// What a save does with the mode: a new file's, the bits of an old one that
// are kept, and those the saved file always has.
struct CModeRule {
    std::optional<mode_t> newFile;
    mode_t kept = kEveryModeBit;
    mode_t always = 0;
};

// The new file takes over the old one's owner and group, as far as this
// process may give them, and those of its mode bits that are kept.
bool TakeOverAttributes(int fd, const struct stat* existing, const CModeRule& mode) {
    if (existing == nullptr) {
        return ::fchmod(fd, mode.newFile.value_or(kOwnerOnly)) == 0;
    }
    if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
        [[maybe_unused]] const int groupOnly =
            ::fchown(fd, static_cast<uid_t>(-1), existing->st_gid);
    }
    return ::fchmod(fd, (existing->st_mode & mode.kept) | mode.always) == 0;
}

// The attributes an administrator may have set on the old file (access
// lists, security labels): the new file takes them all, or it is not saved.
bool CopyExtendedAttributes(const std::filesystem::path& from, int toFd) {
    const ssize_t listSize = ::llistxattr(from.c_str(), nullptr, 0);
    if (listSize <= 0) {
        return listSize == 0 || errno == ENOTSUP;
    }
    std::vector<char> names(static_cast<size_t>(listSize));
    const ssize_t listed = ::llistxattr(from.c_str(), names.data(), names.size());
    if (listed < 0) {
        return false;
    }
    for (const char* name = names.data(); name < names.data() + listed;
         name += std::char_traits<char>::length(name) + 1) {
        const ssize_t valueSize = ::lgetxattr(from.c_str(), name, nullptr, 0);
        std::vector<char> value(static_cast<size_t>(std::max<ssize_t>(valueSize, 0)));
        if (valueSize < 0 ||
            ::lgetxattr(from.c_str(), name, value.data(), value.size()) != valueSize ||
            ::fsetxattr(toFd, name, value.data(), value.size(), 0) != 0) {
            return false;
        }
    }
    return true;
}

// A folder that anyone but the saver may write to is shared: there, as the
// kernel does in sticky folders such as /tmp, only a link of the saver's own
// or of the folder's owner is followed, so that nobody else can plant one
// that redirects a save.
bool MayFollowLink(const std::filesystem::path& link, const struct stat& linkInfo) {
    const std::filesystem::path folder =
        link.has_parent_path() ? link.parent_path() : std::filesystem::path(".");
    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) != 0) {
        return false;
    }
    const uid_t saver = ::geteuid();
    const bool othersMayWrite = (folderInfo.st_mode & (S_IWGRP | S_IWOTH)) != 0 ||
                                (folderInfo.st_uid != saver && (folderInfo.st_mode & S_IWUSR) != 0);
    return !othersMayWrite || linkInfo.st_uid == saver || linkInfo.st_uid == folderInfo.st_uid;
}

// A new file in a folder with a default access list inherits it; the file
// gets only the access its mode gives, or the old file's list copied below.
bool DropInheritedAccessList(int fd) {
    return ::fremovexattr(fd, "system.posix_acl_access") == 0 || errno == ENODATA ||
           errno == ENOTSUP;
}

// A temporary file is named ".NAME.<uid>-<pid>.XXXXXX" after its owner and
// process; this is the part up to the process.
std::string TemporaryPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + "." + std::to_string(::geteuid()) + "-";
}

// Temporary files of this user's processes that were killed before their
// rename; a live process's file is left alone.
void RemoveLeftovers(const std::filesystem::path& folder, const std::filesystem::path& target) {
    const std::string ours = TemporaryPrefix(target);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(ours, 0) != 0) {
            continue;
        }
        const pid_t pid = static_cast<pid_t>(std::atol(name.c_str() + ours.size()));
        struct stat info {};
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH &&
            ::lstat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid()) {
            ::unlink(entry.path().c_str());
        }
    }
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A failure always carries a cause, even one the system left unnamed.
CSaveResult Outcome(bool saved) { return {saved ? 0 : (errno != 0 ? errno : EIO)}; }

bool Save(const std::filesystem::path& requested, std::string_view bytes, const CModeRule& mode) {
    // A link stays a link: the file it points to is the one replaced.
    std::error_code error;
    std::filesystem::path target = requested;
    struct stat linkInfo {};
    if (::lstat(requested.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        if (!MayFollowLink(requested, linkInfo)) {
            errno = EACCES;
            return false;
        }
        target = std::filesystem::weakly_canonical(requested, error);
    }
    if (error || target.empty()) {
        return false;
    }
    // Only a regular file is ever replaced: never a folder or a device.
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        errno = EISDIR;
        return false;
    }

    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temporary =
        (folder / (TemporaryPrefix(target) + std::to_string(::getpid()) + ".XXXXXX")).string();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }

    // A file of secrets starts afresh: an access list would give others back
    // what its mode takes away.
    const bool keepsEverything = mode.kept == kEveryModeBit;
    bool saved = DropInheritedAccessList(fd) && WriteAll(fd, bytes) &&
                 TakeOverAttributes(fd, exists ? &existing : nullptr, mode) &&
                 (!exists || !keepsEverything || CopyExtendedAttributes(target, fd)) &&
                 ::fsync(fd) == 0;
    int failure = saved ? 0 : errno;
    if (saved && ::rename(temporary.c_str(), target.c_str()) != 0) {
        saved = false;
        failure = errno;
    }
    // On vfat the directory entry that holds the file's size moves with the
    // rename and is written with the file, not with its folder: synced again
    // under its own name, the file is whole on a card pulled out right after.
    const bool renamed = saved;
    if (renamed && ::fsync(fd) != 0) {
        saved = false;
        failure = errno;
    }
    if (::close(fd) != 0 && saved) {
        saved = false;
        failure = errno;
    }
    if (renamed && !saved) {
        errno = failure;
        return false;
    }
    if (!saved) {
        ::unlink(temporary.c_str());
        errno = failure;
        return false;
    }
    SyncFolder(folder);
    RemoveLeftovers(folder, target);
    return true;
}

} // namespace

CSaveResult SaveFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                               std::optional<mode_t> newFileMode) {
    return Outcome(Save(target, bytes, {newFileMode}));
}

CSaveResult SaveSecretFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    // Its owner can always read and write it back.
    return Outcome(Save(target, bytes, {kOwnerOnly, kOwnerBits, kOwnerOnly}));
}
} // namespace platform
