#pragma once
#include "networks/nm_connection.h"

#include <filesystem>
#include <map>
#include <string>

enum class ENmKeyfileStatus {
    Read,
    NotPermitted, // the file is there but this user may not read it
    Malformed,    // not a keyfile, or a value of the wrong form
};

struct CNmKeyfile {
    ENmKeyfileStatus status = ENmKeyfileStatus::Read;
    CNmConnection connection;
    std::string strProblem; // what is wrong, when not read
};

CNmKeyfile ReadNmKeyfile(const std::filesystem::path& file);

// NetworkManager's record of when each connection was last used, in seconds
// since 1970 by connection uuid: a keyfile of its own with one group,
// [timestamps]. A file that is missing or cannot be read gives no entries.
std::map<std::string, long long> ReadNmTimestamps(const std::filesystem::path& file);
