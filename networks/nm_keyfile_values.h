#pragma once
#include "networks/nm_connection.h"

#include <string>

using GKeyFile = struct _GKeyFile;

struct CNmKeyfileValues {
    CNmConnection connection;
    std::string strProblem; // the first value of a wrong form; empty when all were read
};

// The connection a keyfile's groups describe, as NetworkManager reads them.
// Where a keyfile comes from (a folder, or NetworkManager's bus) is the
// caller's: a connection without an id keeps defaultId.
CNmKeyfileValues ReadNmKeyfileValues(GKeyFile* file, const std::string& defaultId);
