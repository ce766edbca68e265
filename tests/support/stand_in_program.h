#pragma once
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

// A shell script in place of a real program (pkexec, Brenhold) that writes
// down how it was called: its path and arguments, one call a line.
inline void WriteStandInProgram(const std::filesystem::path& program,
                                const std::filesystem::path& record, int exitCode = 0) {
    std::filesystem::create_directories(program.parent_path());
    std::ofstream(program) << "#!/bin/sh\necho \"$0 $*\" >> '" << record.string() << "'\nexit "
                           << exitCode << "\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all |
                                              std::filesystem::perms::group_exec |
                                              std::filesystem::perms::others_exec);
}

// A detached program leaves its record a little later: the text once there,
// empty when nothing came within a few seconds.
inline std::string AwaitRecord(const std::filesystem::path& record) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        std::ifstream file(record);
        std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (!text.empty() && text.back() == '\n') {
            return text;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return {};
}
