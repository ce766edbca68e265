#pragma once
#include <string>
#include <string_view>

// Terminals, GLib and NetworkManager speak UTF-8; the system inside speaks UTF-16.
std::u16string Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::u16string_view text);
// Whether a name from the command line survives the trip through UTF-16
// unchanged; a file name that does not would name another file.
bool IsUtf8(std::string_view text);

// A text from a file or a file name as one line of the tool's output: line
// breaks, escape sequences and other control characters are shown as
// \n, \t, \xHH (a backslash as \\), so that no name can start a line of its
// own or steer the terminal.
std::string OneLineText(std::string_view text);
