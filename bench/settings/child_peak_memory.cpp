#include "bench/settings/child_peak_memory.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/wait.h>

namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace

std::optional<size_t> PeakMemoryOfChild(const std::string& argument, const std::string& file) {
    const std::string command = Quoted(std::filesystem::read_symlink("/proc/self/exe").string()) +
                                " " + Quoted(argument) + " " + Quoted(file);
    FILE* child = ::popen(command.c_str(), "r");
    if (child == nullptr) {
        return std::nullopt;
    }
    unsigned long long bytes = 0;
    const bool read = std::fscanf(child, "%llu", &bytes) == 1;
    const int status = ::pclose(child);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return static_cast<size_t>(bytes);
}

void PrintOwnPeakMemory() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        unsigned long long kibibytes = 0;
        if (std::sscanf(line.c_str(), "VmHWM: %llu kB", &kibibytes) == 1) {
            std::printf("%llu\n", kibibytes * 1024);
            return;
        }
    }
}
