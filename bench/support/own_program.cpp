#include "bench/support/own_program.h"

#include "tests/support/program_output.h"

#include <filesystem>

namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace

std::optional<std::string> OutputOfOwnProgram(const std::vector<std::string>& arguments) {
    std::string command = Quoted(std::filesystem::read_symlink("/proc/self/exe").string());
    for (const std::string& argument : arguments) {
        command += ' ';
        command += Quoted(argument);
    }
    CProgramOutput output = RunForOutput(command);
    if (output.nExitCode != 0) {
        return std::nullopt;
    }
    return std::move(output.text);
}
