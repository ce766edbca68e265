#pragma once
#include <optional>
#include <string>
#include <vector>

// Runs this program again with the given arguments and returns what it
// printed; nothing if it could not run or did not exit with 0.
std::optional<std::string> OutputOfOwnProgram(const std::vector<std::string>& arguments);
