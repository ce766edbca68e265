#include "platform/administrator.h"
#include "platform/detached_process.h"
#include "platform/scale_factor.h"
#include "tests/support/environment_variable.h"
#include "tests/support/stand_in_program.h"
#include "tests/support/temp_folder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <span>
#include <sstream>
#include <sys/wait.h>
#include <thread>
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

// Whether a process runs: absent and zombie processes do not.
bool IsRunning(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto state = text.rfind(") ");
    return state != std::string::npos && text[state + 2] != 'Z';
}

// pkexec authorises its parent, so the parent must live as long as the
// program does, in a session other than the caller's, holding nothing of the
// caller's; and once the program ends, nothing of it is left.
TEST(StartDetached, ProgramKeepsALiveParentOfItsOwnUntilItEndsAndNothingIsLeftToReap) {
    CTempFolder folder;
    const auto record = folder / "record";
    const auto release = folder / "release";
    int callersPipe[2];
    ASSERT_EQ(pipe2(callersPipe, O_CLOEXEC), 0);
    // Should the start wait for the program, the program is let go after 5 s.
    std::jthread releaseLate([&release](std::stop_token stop) {
        for (int tick = 0; tick < 100 && !stop.stop_requested(); ++tick) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::ofstream{release};
    });
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(
        StartDetached("/bin/sh", {"-c", "echo \"$PPID $(cut -d' ' -f6 /proc/$$/stat)\" > '" +
                                            record.string() + "'; while [ ! -e '" +
                                            release.string() + "' ]; do sleep 0.05; done"}));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1))
        << "the start returns at once while the program runs on";
    EXPECT_TRUE(NoChildLeft()) << "the start leaves no zombie and no child to wait for";
    close(callersPipe[1]);
    pollfd hangUp{callersPipe[0], POLLIN, 0};
    EXPECT_EQ(poll(&hangUp, 1, 10000), 1) << "the keeper holds the caller's pipe open";
    close(callersPipe[0]);

    std::istringstream line(AwaitRecord(record));
    std::string parent;
    std::string session;
    line >> parent >> session;
    ASSERT_FALSE(parent.empty());
    EXPECT_NE(parent, std::to_string(getpid()));
    EXPECT_NE(parent, "1");
    EXPECT_NE(session, SessionOf(std::to_string(getpid())));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(IsRunning(parent)) << "the parent went while the program ran";

    releaseLate.request_stop();
    releaseLate.join();
    bool keeperLeft = false;
    for (int attempt = 0; attempt < 400 && !keeperLeft; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        keeperLeft = !IsRunning(parent);
    }
    EXPECT_TRUE(keeperLeft) << "the keeper outlives the program";
}

// A descriptor the caller left open across exec (a lock of a root host) and
// signals it ignores stay with the caller: the program starts
// clean, and the keeper above it holds nothing of the caller's, not even
// its standard three, only the pipe that tells it lives.
TEST(StartDetached, ProgramGetsNoDescriptorAndNoIgnoredSignalOfTheCaller) {
    CTempFolder folder;
    const auto record = folder / "record";
    const int lock = ::open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(lock, 3);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before[3]{};
    const int ignored[] = {SIGHUP, SIGTERM, SIGCHLD};
    for (int i = 0; i < 3; ++i) {
        ::sigaction(ignored[i], &ignore, &before[i]);
    }
    // The keeper closes what it holds just after it starts the program.
    const std::string keeperHolds =
        "n=0; while [ $n -lt 100 ] && [ $(ls /proc/$PPID/fd | wc -l) -ne 1 ]; do "
        "sleep 0.05; n=$((n + 1)); done; ls /proc/$PPID/fd | wc -l; ";
    const bool started = static_cast<bool>(StartDetached(
        "/bin/sh",
        {"-c", "exec > '" + record.string() +
                   ".part'; ls /proc/$$/fd; grep SigIgn /proc/$$/status; " + keeperHolds + "mv '" +
                   record.string() + ".part' '" + record.string() + "'"}));
    for (int i = 0; i < 3; ++i) {
        ::sigaction(ignored[i], &before[i], nullptr);
    }
    ::close(lock);
    ASSERT_TRUE(started);
    EXPECT_EQ(AwaitRecord(record), "0\n1\n2\nSigIgn:\t0000000000000000\n1\n");
}

// A signal the caller blocks is not blocked in the program. Read by grep
// itself, as a shell unblocks every signal when it starts.
TEST(StartDetached, TheProgramStartsWithNoSignalBlocked) {
    CTempFolder folder;
    const auto record = folder / "record";
    const int file = ::open(record.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(file, 0);
    sigset_t blocked;
    sigset_t before;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &blocked, &before);
    std::fflush(stdout);
    const int savedOutput = ::dup(STDOUT_FILENO);
    ::dup2(file, STDOUT_FILENO);
    const bool started =
        static_cast<bool>(StartDetached("/usr/bin/grep", {"SigBlk", "/proc/self/status"}));
    ::dup2(savedOutput, STDOUT_FILENO);
    ::close(savedOutput);
    ::close(file);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    ASSERT_TRUE(started);
    std::string line;
    for (int attempt = 0; attempt < 250 && line.empty(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::getline(std::ifstream(record), line);
    }
    EXPECT_EQ(line, "SigBlk:\t0000000000000000");
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
    std::filesystem::path Pkexec() const { return m_folder / "sbin/pkexec"; }

    CTempFolder m_folder;
    CEnvironmentVariable m_pkexec{"KORDAVIN_PKEXEC", Pkexec().string()};
};

TEST_F(StartAsAdministratorTest, AdministratorStartsTheProgramItself) {
    OverrideIsUserAnAdminForTesting(true);
    WriteStandInPkexec(Pkexec(), RecordCall(Record()));
    EXPECT_TRUE(StartAsAdministrator(Program()));
    EXPECT_EQ(AwaitRecord(Record()), Program().string() + " \n");
}

// The stand-in refuses, as pkexec does, a parent that is gone.
TEST_F(StartAsAdministratorTest, OrdinaryUserGoesThroughPkexecWhichKeepsItsParent) {
    OverrideIsUserAnAdminForTesting(false);
    EXPECT_FALSE(StartAsAdministrator(Program())) << "no pkexec";
    WriteStandInPkexec(Pkexec(), RecordCall(Record(), 126));
    EXPECT_TRUE(StartAsAdministrator(Program())) << "a refusal comes after the start";
    EXPECT_EQ(AwaitRecord(Record()), Pkexec().string() + " " + Program().string() + "\n");

    // A host folder's link to the program: pkexec gets the real path, by
    // which it finds the program's action.
    std::filesystem::remove(Record());
    std::filesystem::create_directories(m_folder / "linked host");
    std::filesystem::create_symlink(Program(), m_folder / "linked host/Brenhold");
    std::filesystem::create_directory_symlink(m_folder / "linked host", m_folder / "alias");
    EXPECT_TRUE(StartAsAdministrator(m_folder / "alias/Brenhold"));
    EXPECT_EQ(AwaitRecord(Record()),
              Pkexec().string() + " " + std::filesystem::canonical(Program()).string() + "\n");
}

// pkexec keeps no QT_SCALE_FACTOR: the program gets the caller's scale as
// an option, and only a plain number of a sensible size, since it runs as
// root; its own parse takes the same.
TEST_F(StartAsAdministratorTest, TheCallersScaleGoesAlongAsAnOption) {
    OverrideIsUserAnAdminForTesting(false);
    WriteStandInPkexec(Pkexec(), RecordCall(Record()));
    const std::pair<const char*, std::string> cases[] = {
        {"1.5", " --scale-factor=1.5"},
        {"2", " --scale-factor=2"},
        {"1.5 -x", ""},
        {"1e1", ""},
        {"2e0", ""},
        {"0.1", ""},
        {"9", ""},
        {"", ""},
    };
    for (const auto& [scale, option] : cases) {
        CEnvironmentVariable environment("QT_SCALE_FACTOR", scale);
        std::filesystem::remove(Record());
        EXPECT_TRUE(StartAsAdministrator(Program()));
        EXPECT_EQ(AwaitRecord(Record()),
                  Pkexec().string() + " " + Program().string() + option + "\n")
            << scale;
    }

    std::string brenhold = "Brenhold", good = "--scale-factor=1.25", bad = "--scale-factor=1;2";
    char* args[] = {brenhold.data(), bad.data(), good.data()};
    EXPECT_EQ(ScaleFactorOf(args), "1.25");
    EXPECT_EQ(ScaleFactorOf(std::span(args, 2)), std::nullopt);
}

TEST_F(StartAsAdministratorTest, ThePkexecOfTheSystemNotOneOnPath) {
    CEnvironmentVariable noStandIn("KORDAVIN_PKEXEC", nullptr);
    CEnvironmentVariable path("PATH", (m_folder / "sbin").string());
    WriteStandInPkexec(Pkexec(), RecordCall(Record()));
    EXPECT_EQ(PkexecProgram(), "/usr/bin/pkexec");
    // Only a stand-in named by its whole path: a relative one would be looked
    // for where the caller happens to be.
    CEnvironmentVariable relative("KORDAVIN_PKEXEC", "sbin/pkexec");
    EXPECT_EQ(PkexecProgram(), "/usr/bin/pkexec");
}

// Without XAUTHORITY, root would look for the display's cookie in its own
// home; the user's ~/.Xauthority is handed on instead.
TEST_F(StartAsAdministratorTest, TheUsersDisplayCookieGoesWithPkexec) {
    OverrideIsUserAnAdminForTesting(false);
    WriteStandInPkexec(Pkexec(), "echo \"$XAUTHORITY\" >> '" + Record().string() + "'\n");
    CEnvironmentVariable display("DISPLAY", ":5");
    CEnvironmentVariable home("HOME", m_folder.Path().string());
    CEnvironmentVariable cookie("XAUTHORITY", nullptr);
    ASSERT_TRUE(StartAsAdministrator(Program()));
    EXPECT_EQ(AwaitRecord(Record()), "\n") << "no ~/.Xauthority: nothing to hand on";
    std::filesystem::remove(Record());
    std::ofstream(m_folder / ".Xauthority") << "cookie";
    ASSERT_TRUE(StartAsAdministrator(Program()));
    EXPECT_EQ(AwaitRecord(Record()), (m_folder / ".Xauthority").string() + "\n");
    std::filesystem::remove(Record());
    CEnvironmentVariable own("XAUTHORITY", "/run/user/1000/xauth");
    ASSERT_TRUE(StartAsAdministrator(Program()));
    EXPECT_EQ(AwaitRecord(Record()), "/run/user/1000/xauth\n");
    std::filesystem::remove(Record());

    // A relative HOME names no one's home for root: nothing is handed on.
    CEnvironmentVariable noCookie("XAUTHORITY", nullptr);
    CEnvironmentVariable relativeHome("HOME", "home");
    std::filesystem::create_directories(m_folder / "home");
    std::ofstream(m_folder / "home" / ".Xauthority") << "cookie";
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.Path());
    const bool started = static_cast<bool>(StartAsAdministrator(Program()));
    std::filesystem::current_path(before);
    ASSERT_TRUE(started);
    EXPECT_EQ(AwaitRecord(Record()), "\n");
}

TEST_F(StartAsAdministratorTest, NoPasswordPromptForAProgramThatCannotRun) {
    WriteStandInPkexec(Pkexec(), RecordCall(Record()));
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
