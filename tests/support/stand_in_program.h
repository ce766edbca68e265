#pragma once
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

// An executable shell script with this body.
inline void WriteScript(const std::filesystem::path& program, const std::string& body) {
    std::filesystem::create_directories(program.parent_path());
    std::ofstream(program) << "#!/bin/sh\n" << body;
    std::filesystem::permissions(program, std::filesystem::perms::owner_all |
                                              std::filesystem::perms::group_exec |
                                              std::filesystem::perms::others_exec);
}

// A script's end that writes down how it was called, its path and
// arguments, one call a line, and exits so.
inline std::string RecordCall(const std::filesystem::path& record, int exitCode = 0) {
    return "echo \"$0 $*\" >> '" + record.string() + "'\nexit " + std::to_string(exitCode) + "\n";
}

// A shell script in place of a real program (Brenhold, a restart) that
// records its calls.
inline void WriteStandInProgram(const std::filesystem::path& program,
                                const std::filesystem::path& record, int exitCode = 0) {
    WriteScript(program, RecordCall(record, exitCode));
}

// A pkexec in place of the system's. It refuses as the real one does when
// its parent is PID 1, or goes while it authorises (the real one asks polkit
// about its parent and dies with it); once authorised it runs the rest.
inline void WriteStandInPkexec(const std::filesystem::path& program,
                               const std::string& authorised) {
    WriteScript(program,
                "parent=$PPID\n"
                "kept() { [ \"$parent\" != 1 ] && "
                "[ \"$(sed 's/.*) //' /proc/$$/stat | cut -d' ' -f2)\" = \"$parent\" ]; }\n"
                "refuse() { echo 'Refusing to render service to dead parents.' >&2; exit 127; }\n"
                "kept || refuse\n"
                "sleep 0.2\n"
                "kept || refuse\n" +
                    authorised);
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
