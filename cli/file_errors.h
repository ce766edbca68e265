#pragma once
#include "platform/file_reader.h"

#include <string>

// The system's words for an errno value; the one place they are had.
std::string SystemErrorText(int systemError);

// Why a file could not be read, as the tool says it: what is the kind of
// file expected ("settings file", "keyfile").
std::string ReadFaultText(platform::EReadFault fault, int systemError, const char* what);

// The tool's line for a file that could not be read or saved, without its
// end: the file, and the cause as the system names it.
std::string ReadFailureLine(const std::string& file, platform::EReadFault fault, int systemError,
                            const char* what);
std::string SaveFailureLine(const std::string& file, int systemError);
