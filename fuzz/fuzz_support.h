#pragma once
// Helpers every fuzz target shares.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A path of this process's own under the temporary folder, so that several
// fuzzers (and -jobs workers) never share a file.
std::filesystem::path FuzzScratchPath(std::string_view name);

// The registry's machine hive in a folder of this process's own, named so;
// the registry is pointed at that folder.
std::filesystem::path FuzzMachineHive(std::string_view name);

// The input as the text a user or a file would hand over: UTF-8, with bytes
// that are no UTF-8 turned into U+FFFD.
std::u16string FuzzText(std::string_view bytes);

// Whether a file is text in the ANSI code page, without a byte order mark:
// only then are the lines a change does not touch kept byte for byte.
bool FuzzIsAnsiFile(std::string_view bytes);

// What a value turns into on its way through the file's encoding.
std::u16string FuzzAsStored(std::string_view file, std::u16string_view value);

// Stops the run as a finding when an invariant does not hold, naming it.
void FuzzExpect(bool holds, const char* invariant);

// After one value was set, the lines of a file other than the value's own
// (and the header of a section made for it) keep their bytes: at most one
// line of the old file may have been replaced, by at most two new ones.
// Line endings do not count, as every line written ends in CRLF.
void FuzzExpectOtherLinesKept(std::string_view before, std::string_view after);
