#pragma once
#include <string>

// What a program started through the shell printed on standard output, and
// how it ended.
struct CProgramOutput {
    std::string text;
    int nExitCode = -1; // -1 when it did not exit normally
};

CProgramOutput RunForOutput(const std::string& command);

// The prefix that takes every display away from a Qt program and makes it
// use X11: one that made its application would end without a word.
inline constexpr char kWithoutDisplay[] = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ";
