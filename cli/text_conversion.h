#pragma once
#include <string>
#include <string_view>

// The terminal speaks UTF-8; the system inside speaks UTF-16.
std::u16string Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::u16string_view text);
// Whether a name from the command line survives the trip through UTF-16
// unchanged; a file name that does not would name another file.
bool IsUtf8(std::string_view text);
