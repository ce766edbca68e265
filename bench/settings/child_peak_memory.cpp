#include "bench/settings/child_peak_memory.h"

#include "bench/support/own_program.h"

#include <cstdio>
#include <fstream>

std::optional<size_t> PeakMemoryOfChild(const std::string& argument, const std::string& file) {
    const auto output = OutputOfOwnProgram({argument, file});
    unsigned long long bytes = 0;
    if (!output || std::sscanf(output->c_str(), "%llu", &bytes) != 1) {
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
