#pragma once
#include <string>
#include <vector>

namespace platform {

// Starts a program in a session of its own that nobody waits for: its
// lifetime is independent of the caller's, and no zombie is left behind.
// A program without a slash is looked up on PATH. True when the program's
// exec succeeded; what it does afterwards is not followed.
bool StartDetached(const std::string& program, const std::vector<std::string>& arguments = {});

} // namespace platform
