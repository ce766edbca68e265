#include "tests/support/program_output.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

CProgramOutput RunForOutput(const std::string& command) {
    CProgramOutput output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    std::array<char, 4096> buffer{};
    size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        output.text.append(buffer.data(), count);
    }
    const int status = ::pclose(pipe);
    output.nExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}
