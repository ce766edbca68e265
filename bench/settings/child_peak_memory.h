#pragma once
#include <cstddef>
#include <optional>
#include <string>

// Runs this program again with one argument and file, and returns the most
// memory the child held resident, in bytes, as it reports with
// PrintOwnPeakMemory; nothing if it could not run or failed.
std::optional<size_t> PeakMemoryOfChild(const std::string& argument, const std::string& file);

// The child's side: its own peak. Taken from /proc/self/status, since the
// kernel's count for a child also holds what its parent had when it forked.
void PrintOwnPeakMemory();
