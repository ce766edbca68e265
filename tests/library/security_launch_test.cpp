// A host program in one folder and the library in another, each with a
// Brenhold beside it: the one beside the host is started.
#include "tests/support/environment_variable.h"
#include "tests/support/stand_in_program.h"
#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

class SecurityLaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_folder / "host");
        std::filesystem::create_directories(m_folder / "lib");
        std::filesystem::copy_file(LAUNCH_PROBE_HOST, Host());
        std::filesystem::copy_file(QUORLAN_LIBRARY, Library());
        // An ordinary user's start goes through pkexec: here it only runs the program.
        WriteStandInPkexec(m_folder / "sbin/pkexec", "exec \"$@\"\n");
        WriteStandInProgram(m_folder / "lib/Brenhold", Record());
    }

    // The probe's exit status: 0 when the dialog stayed open without a message.
    int RunHost() const {
        const int status = std::system((Host().string() + " " + Library().string()).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::filesystem::path Host() const { return m_folder / "host/probe"; }
    std::filesystem::path Library() const { return m_folder / "lib/libQuorlan.so"; }
    std::filesystem::path Record() const { return m_folder / "brenhold-record"; }

    CTempFolder m_folder;
    CEnvironmentVariable m_appData{"APPDATA", m_folder.Path().string()};
    CEnvironmentVariable m_pkexec{"KORDAVIN_PKEXEC", (m_folder / "sbin/pkexec").string()};
};

TEST_F(SecurityLaunchTest, BrenholdBesideTheHostIsStartedNotTheOneBesideTheLibrary) {
    WriteStandInProgram(m_folder / "host/Brenhold", Record());
    EXPECT_EQ(RunHost(), 0);
    EXPECT_EQ(AwaitRecord(Record()), (m_folder / "host/Brenhold").string() + " \n");
}

TEST_F(SecurityLaunchTest, WithoutBrenholdBesideTheHostTheDialogShowsNothing) {
    EXPECT_EQ(RunHost(), 0);
    EXPECT_FALSE(std::filesystem::exists(Record()));
}

} // namespace
