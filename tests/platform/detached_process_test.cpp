#include "platform/administrator.h"
#include "platform/detached_process.h"
#include "tests/support/environment_variable.h"
#include "tests/support/stand_in_program.h"
#include "tests/support/temp_folder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

// True when every child of this process has been reaped.
bool NoChildLeft() {
    errno = 0;
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

std::string SessionOf(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string field;
    for (int i = 0; i < 6 && stat >> field; ++i) {
    }
    return field;
}

TEST(StartDetached, ProgramRunsInASessionOfItsOwnAndNothingIsLeftToReap) {
    CTempFolder folder;
    const auto record = folder / "record";
    ASSERT_TRUE(
        StartDetached("/bin/sh", {"-c", "echo \"$PPID $(cut -d' ' -f6 /proc/$$/stat)\" > '" +
                                            record.string() + "'; sleep 1"}));
    EXPECT_TRUE(NoChildLeft()) << "the start leaves no zombie and no child to wait for";
    std::istringstream line(AwaitRecord(record));
    std::string parent;
    std::string session;
    line >> parent >> session;
    EXPECT_NE(parent, std::to_string(getpid()));
    EXPECT_NE(session, SessionOf(std::to_string(getpid())));
}

TEST(StartDetached, PassesArgumentsAndReportsAFailedExec) {
    CTempFolder folder;
    const auto program = folder / "program";
    WriteStandInProgram(program, folder / "record");
    EXPECT_TRUE(StartDetached(program.string(), {"one", "two words"}));
    EXPECT_EQ(AwaitRecord(folder / "record"), program.string() + " one two words\n");

    EXPECT_FALSE(StartDetached((folder / "missing").string()));
    EXPECT_FALSE(StartDetached("kordavin-no-such-program"));
    std::filesystem::permissions(program, std::filesystem::perms::owner_read);
    EXPECT_FALSE(StartDetached(program.string()));
    EXPECT_TRUE(NoChildLeft());
}

class StartAsAdministratorTest : public ::testing::Test {
protected:
    void SetUp() override { WriteStandInProgram(Program(), Record()); }
    void TearDown() override { OverrideIsUserAnAdminForTesting(std::nullopt); }

    std::filesystem::path Program() const { return m_folder / "host/Brenhold"; }
    std::filesystem::path Record() const { return m_folder / "record"; }
    std::filesystem::path Bin() const { return m_folder / "bin"; }

    CTempFolder m_folder;
    CEnvironmentVariable m_path{"PATH", Bin().string()};
};

TEST_F(StartAsAdministratorTest, AdministratorStartsTheProgramItself) {
    OverrideIsUserAnAdminForTesting(true);
    WriteStandInProgram(Bin() / "pkexec", Record());
    EXPECT_TRUE(StartAsAdministrator(Program()));
    EXPECT_EQ(AwaitRecord(Record()), Program().string() + " \n");
}

TEST_F(StartAsAdministratorTest, OrdinaryUserGoesThroughPkexec) {
    OverrideIsUserAnAdminForTesting(false);
    EXPECT_FALSE(StartAsAdministrator(Program())) << "no pkexec on PATH";
    WriteStandInProgram(Bin() / "pkexec", Record(), 126);
    EXPECT_TRUE(StartAsAdministrator(Program())) << "a refusal comes after the start";
    EXPECT_EQ(AwaitRecord(Record()), (Bin() / "pkexec").string() + " " + Program().string() + "\n");
}

TEST_F(StartAsAdministratorTest, NoPasswordPromptForAProgramThatCannotRun) {
    WriteStandInProgram(Bin() / "pkexec", Record());
    for (const bool isAdmin : {true, false}) {
        OverrideIsUserAnAdminForTesting(isAdmin);
        EXPECT_FALSE(StartAsAdministrator(m_folder / "host/missing"));
        EXPECT_FALSE(StartAsAdministrator(m_folder / "host"));
        std::filesystem::permissions(Program(), std::filesystem::perms::owner_read);
        EXPECT_FALSE(StartAsAdministrator(Program()));
    }
    EXPECT_FALSE(std::filesystem::exists(Record()));
}

} // namespace
