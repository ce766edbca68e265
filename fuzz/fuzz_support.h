#pragma once
// Helpers every fuzz target shares.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// A path of this process's own under the temporary folder, so that several
// fuzzers (and -jobs workers) never share a file.
std::filesystem::path FuzzScratchPath(std::string_view name);

// The input as the text a user or a file would hand over: UTF-8, with bytes
// that are no UTF-8 turned into U+FFFD.
std::u16string FuzzText(std::string_view bytes);

// Stops the run as a finding when an invariant does not hold, naming it.
void FuzzExpect(bool holds, const char* invariant);
