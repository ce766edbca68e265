// Every way a host can end, each in a child process: it must end with the
// host's own exit code, never killed by a signal.
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <sys/wait.h>

namespace {

constexpr int kHostExitCode = 7;

struct CHostEnding {
    const char* host;
    const char* ending;
};

void PrintTo(const CHostEnding& ending, std::ostream* out) {
    *out << ending.host << " host, " << ending.ending;
}

class HostEndingTest : public ::testing::TestWithParam<CHostEnding> {
protected:
    CTempFolder m_folder;
    CEnvironmentVariable m_appData{"APPDATA", m_folder.Path().string()};
};

TEST_P(HostEndingTest, EndsWithTheHostsExitCode) {
    // The bound only keeps a hanging host from holding up the run.
    const std::string command = std::string("timeout --signal=KILL 120 ") + ENDING_HOST + " " +
                                QUORLAN_LIBRARY + " " + GetParam().host + " " + GetParam().ending;
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), kHostExitCode)
        << "124 or 137: the host hung; 128 and more: it was killed by a signal";
}

INSTANTIATE_TEST_SUITE_P(
    QtAndPlainHosts, HostEndingTest,
    ::testing::Values(CHostEnding{"qt", "unload"}, CHostEnding{"qt", "stay"},
                      CHostEnding{"qt", "exit-while-shown"}, CHostEnding{"qt", "quit-while-shown"},
                      CHostEnding{"plain", "unload"}, CHostEnding{"plain", "stay"},
                      CHostEnding{"plain", "exit-while-shown"}),
    [](const auto& info) {
        std::string name = std::string(info.param.host) + "_" + info.param.ending;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

} // namespace
