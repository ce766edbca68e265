#pragma once
#include <string>
#include <vector>

namespace platform {

// Starts a program in a session of its own that the caller never waits for:
// its lifetime is independent of the caller's, and no zombie is left behind.
// Its parent is a small keeper process that lives until the program ends,
// because some programs (pkexec) authorise their parent and refuse one that
// has gone. Neither the keeper nor the program holds any of the caller's
// descriptors or signals it ignores. A program without a slash is looked up
// on PATH. Started (true) when the program's exec succeeded; what it does
// afterwards is not followed, only whether it still runs.
// What the caller keeps of a started program: whether it still runs.
class CStartedProgram {
public:
    CStartedProgram() = default;
    explicit CStartedProgram(int keeperAlive) : m_keeperAlive(keeperAlive) {}
    CStartedProgram(CStartedProgram&& other) noexcept;
    CStartedProgram& operator=(CStartedProgram&& other) noexcept;
    ~CStartedProgram();

    // Whether the program was started at all.
    explicit operator bool() const { return m_keeperAlive >= 0; }
    // Whether it has not ended yet (its keeper still lives).
    bool IsRunning() const;

private:
    // The read end of a pipe that only the keeper writes to: it hangs up
    // when the keeper ends with the program.
    int m_keeperAlive = -1;
};

CStartedProgram StartDetached(const std::string& program,
                              const std::vector<std::string>& arguments = {},
                              const std::vector<std::string>& addedEnvironment = {});

} // namespace platform
