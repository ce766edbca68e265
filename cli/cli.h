#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// Runs quorlan-cli with its arguments (without the program name) and returns
// the exit code.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
