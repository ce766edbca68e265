#pragma once
#include <string>
#include <vector>

namespace platform {

// Starts a program in a session of its own that the caller never waits for:
// its lifetime is independent of the caller's, and no zombie is left behind.
// Its parent is a small keeper process that lives until the program ends,
// because some programs (pkexec) authorise their parent and refuse one that
// has gone. The keeper holds none of the caller's descriptors. A program
// without a slash is looked up on PATH. True when the program's exec
// succeeded; what it does afterwards is not followed.
bool StartDetached(const std::string& program, const std::vector<std::string>& arguments = {},
                   const std::vector<std::string>& addedEnvironment = {});

} // namespace platform
