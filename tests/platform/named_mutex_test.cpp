#include "platform/last_error.h"
#include "platform/named_mutex.h"
#include "tests/support/environment_variable.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_folder.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

class NamedMutexTest : public ::testing::Test {
protected:
    // The folder the lock goes to when the runtime folder cannot be used:
    // root's in the run folder, another user's in the temporary one.
    std::filesystem::path Fallback() const {
        return (::geteuid() == 0 ? m_run : m_temporary) /
               ("kordavin-runtime-" + std::to_string(::geteuid()));
    }

    // Where this user's locks go while the runtime folder is usable: root's
    // always go to its own folder.
    std::filesystem::path LockFolder() const { return IsRoot() ? Fallback() : m_runtime.Path(); }

    void SetUp() override {
        if (IsRoot()) {
            ASSERT_EQ(::mkdir(Fallback().c_str(), 0700), 0);
        }
    }

    // Another process's lock on the file, as an instance that runs holds it.
    static int HoldLock(const std::filesystem::path& file) {
        const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        return fd;
    }

    static bool IsLocked(const std::filesystem::path& file) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        ::close(fd);
        return locked;
    }

    // GTEST_SKIP ends only the function it stands in: tests call this so.
    static bool IsRoot() { return ::geteuid() == 0; }

    CTempFolder m_runtime;
    CTempFolder m_temporary;
    CTempFolder m_run;
    CEnvironmentVariable m_runtimeVariable{"XDG_RUNTIME_DIR", m_runtime.Path().string()};
    CEnvironmentVariable m_temporaryVariable{"TMPDIR", m_temporary.Path().string()};
    CEnvironmentVariable m_runVariable{"KORDAVIN_RUN_ROOT", m_run.Path().string()};
};

} // namespace

TEST_F(NamedMutexTest, SecondHolderSeesItExistsUntilTheFirstLetsGo) {
    const int first = CreateMutex(u"Brenhold");
    ASSERT_GE(first, 0);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(LockFolder() / "Brenhold.lock"));

    const int second = CreateMutex(u"Brenhold");
    EXPECT_GE(second, 0);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    close(second);

    const int other = CreateMutex(u"Other");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    close(other);

    close(first);
    const int third = CreateMutex(u"Brenhold");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    close(third);
}

TEST_F(NamedMutexTest, NamesThatWouldLeaveTheFolderAreRefused) {
    EXPECT_EQ(CreateMutex(u"../escape"), -1);
    EXPECT_EQ(CreateMutex(u""), -1);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(NamedMutexTest, ALinkWhereTheLockGoesIsNotFollowed) {
    const std::filesystem::path victim = m_temporary / "victim";
    std::ofstream(victim) << "keep";
    std::filesystem::create_symlink(victim, LockFolder() / "Brenhold.lock");
    const std::filesystem::path planted = m_temporary / "planted";
    std::filesystem::create_symlink(planted, LockFolder() / "Other.lock");

    EXPECT_EQ(CreateMutex(u"Brenhold"), -1);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(IsLocked(victim));
    EXPECT_EQ(std::filesystem::file_size(victim), 4u);
    EXPECT_EQ(CreateMutex(u"Other"), -1);
    EXPECT_FALSE(std::filesystem::exists(planted)) << "a dangling link made a file";
}

TEST_F(NamedMutexTest, AFifoWhereTheLockGoesNeitherBlocksNorCounts) {
    ASSERT_EQ(::mkfifo((LockFolder() / "Brenhold.lock").c_str(), 0600), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(10); // a blocked open ends the child with SIGALRM
        const bool refused =
            CreateMutex(u"Brenhold") == -1 && GetLastError() == ERROR_ACCESS_DENIED;
        ::_exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the open blocked";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the FIFO was taken for the lock";
}

// Sessions started by sudo, pkexec or a login give root other runtime
// folders, but one root lock stands for them all.
TEST_F(NamedMutexTest, RootHasOneLockWhateverItsRuntimeFolder) {
    if (!IsRoot()) {
        GTEST_SKIP() << "only root's lock ignores the runtime folder";
    }
    const int first = CreateMutex(u"Brenhold");
    ASSERT_GE(first, 0);
    CTempFolder otherSession;
    CEnvironmentVariable otherRuntime("XDG_RUNTIME_DIR", otherSession.Path().string());
    const int second = CreateMutex(u"Brenhold");
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    close(second);
    close(first);
}

TEST_F(NamedMutexTest, ARuntimeFolderOthersMayWriteToIsNotUsed) {
    // Open to all, or to a group.
    for (const mode_t mode : {01777, 0770}) {
        ASSERT_EQ(::chmod(m_runtime.Path().c_str(), mode), 0);
        const int someoneElse = HoldLock(m_runtime / "Brenhold.lock");

        const int mine = CreateMutex(u"Brenhold");
        EXPECT_GE(mine, 0);
        EXPECT_EQ(GetLastError(), ERROR_SUCCESS)
            << "another user's lock counted: " << std::oct << mode;
        EXPECT_TRUE(IsLocked(Fallback() / "Brenhold.lock"));
        struct stat info {};
        ASSERT_EQ(::lstat(Fallback().c_str(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_mode & 07777, 0700u);
        close(mine);
        close(someoneElse);
    }
}

TEST_F(NamedMutexTest, ARuntimeFolderOfAnotherUserIsNotUsed) {
    if (!IsRoot()) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    const int someoneElse = HoldLock(m_runtime / "Brenhold.lock");
    ASSERT_EQ(::chown(m_runtime.Path().c_str(), kNobodyUid, kNobodyGid), 0);

    const int mine = CreateMutex(u"Brenhold");
    EXPECT_GE(mine, 0);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << "another user's lock counted";
    EXPECT_TRUE(IsLocked(Fallback() / "Brenhold.lock"));
    close(mine);
    close(someoneElse);
}

// Without a runtime folder (as under pkexec), root's lock goes where only
// root may make folders: another user cannot make it first, in the shared
// temporary folder or anywhere else.
TEST_F(NamedMutexTest, RootsFallbackIsWhereNoOneElseCanMakeItFirst) {
    if (!IsRoot()) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    CEnvironmentVariable noRuntime("XDG_RUNTIME_DIR", nullptr);
    const auto shared = m_temporary / "kordavin-runtime-0";
    ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    ASSERT_EQ(::chown(shared.c_str(), kNobodyUid, kNobodyGid), 0);
    const int someoneElse = HoldLock(shared / "Brenhold.lock");

    const int mine = CreateMutex(u"Brenhold");
    EXPECT_GE(mine, 0);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << "another user's lock counted";
    EXPECT_TRUE(IsLocked(m_run / "kordavin-runtime-0/Brenhold.lock"));
    close(mine);
    close(someoneElse);

    // A run folder others may write to is no such place.
    ASSERT_EQ(::chmod(m_run.Path().c_str(), 01777), 0);
    std::filesystem::remove_all(m_run / "kordavin-runtime-0");
    EXPECT_EQ(CreateMutex(u"Brenhold"), -1);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    // Nor is one its group may write to.
    ASSERT_EQ(::chmod(m_run.Path().c_str(), 0770), 0);
    EXPECT_EQ(CreateMutex(u"Brenhold"), -1);
}

TEST_F(NamedMutexTest, AFallbackThatIsALinkIsNotUsed) {
    CEnvironmentVariable noRuntime("XDG_RUNTIME_DIR", nullptr);
    std::filesystem::remove(Fallback());
    std::filesystem::create_directory_symlink(m_runtime.Path(), Fallback());

    EXPECT_EQ(CreateMutex(u"Brenhold"), -1);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(std::filesystem::exists(m_runtime / "Brenhold.lock"));
}
