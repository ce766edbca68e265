#include "platform/app_data_folder.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

const char* NonEmptyVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

std::optional<std::filesystem::path> HomeFolder() {
    if (const char* home = NonEmptyVariable("HOME")) {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    if (user != nullptr && user->pw_dir != nullptr && *user->pw_dir != '\0') {
        return user->pw_dir;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::filesystem::path> GetAppDataFolder() {
    for (const char* name : {"APPDATA", "XDG_CONFIG_HOME"}) {
        if (const char* folder = NonEmptyVariable(name)) {
            return folder;
        }
    }
    if (const auto home = HomeFolder()) {
        return *home / ".config";
    }
    return std::nullopt;
}

bool CreatePrivateFolders(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        return true;
    }
    const std::filesystem::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !CreatePrivateFolders(parent)) {
        return false;
    }
    // mkdir's mode is cut by the umask, never widened by it.
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST
               ? std::filesystem::is_directory(folder, error)
               : false;
}

} // namespace platform
