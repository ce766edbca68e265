#pragma once
#include <ostream>
#include <span>

namespace platform {

// The file and product version a Windows version resource gives; on Linux
// the programs print it for --version.
const char* ProductVersion();

// When the arguments (without the program name) hold --version, prints
// "PROGRAM VERSION" and returns true. Checked before any window system is
// reached, so it works without a display.
bool PrintVersionIfAsked(std::span<char* const> args, const char* program, std::ostream& out);

} // namespace platform
