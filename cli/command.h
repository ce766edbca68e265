#pragma once
#include <iosfwd>
#include <span>
#include <string>

// One subcommand of quorlan-cli. Exit codes: 0 success, 1 the operation
// failed, 2 bad arguments.
struct CCommand {
    const char* name;
    const char* summary;
    const char* usage; // full help text of the command
    int (*run)(std::span<const std::string> args, std::ostream& out, std::ostream& err);
};

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
