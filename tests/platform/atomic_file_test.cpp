#include "platform/atomic_file.h"
#include "tests/support/temp_folder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

size_t EntriesIn(const std::filesystem::path& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                             std::filesystem::directory_iterator()));
}

TEST(AtomicSave, WritesNewFileAndReplacesOldOneWhole) {
    CTempFolder folder;
    const auto file = folder / "NetworkSetting.ini";
    ASSERT_TRUE(platform::SaveFileAtomically(file, "first version, rather long\r\n"));
    ASSERT_TRUE(platform::SaveFileAtomically(file, "second\r\n"));
    EXPECT_EQ(platform::ReadWholeFile(file), "second\r\n");
    EXPECT_EQ(EntriesIn(folder.Path()), 1u) << "no temporary file may stay behind";
}

TEST(AtomicSave, NewFileGetsRequestedModeAndExistingFileKeepsItsMode) {
    CTempFolder folder;
    const auto secret = folder / "KordavinSettingUtil.dat";
    ASSERT_TRUE(platform::SaveFileAtomically(secret, "x", 0600));
    EXPECT_EQ(ModeOf(secret), 0600u);

    const auto shared = folder / "shared.ini";
    ASSERT_TRUE(platform::SaveFileAtomically(shared, "x", 0644));
    ASSERT_TRUE(platform::SaveFileAtomically(shared, "y", 0600));
    EXPECT_EQ(ModeOf(shared), 0644u);
}

TEST(AtomicSave, ReplacesTheFileBehindALinkAndKeepsTheLink) {
    CTempFolder folder;
    const auto real = folder / "real.ini";
    const auto link = folder / "link.ini";
    ASSERT_TRUE(platform::SaveFileAtomically(real, "old"));
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(platform::SaveFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(platform::ReadWholeFile(real), "new");
}

// Each failure must leave the old file byte for byte and report false.
TEST(AtomicSave, FailureLeavesOldFileUntouched) {
    CTempFolder folder;
    const auto file = folder / "NetworkSetting.ini";
    const std::string old = "[Common]\r\nWIRELESS_SETTING_TOTAL=3\r\n";
    ASSERT_TRUE(platform::SaveFileAtomically(file, old));

    if (::geteuid() != 0) { // root writes into read-only folders anyway
        std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_exec);
        EXPECT_FALSE(platform::SaveFileAtomically(file, "new"));
        std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_all);
        EXPECT_EQ(platform::ReadWholeFile(file), old);
    }

    const auto directory = folder / "a-directory";
    std::filesystem::create_directory(directory);
    EXPECT_FALSE(platform::SaveFileAtomically(directory, "new"));
    EXPECT_TRUE(std::filesystem::is_directory(directory));

    EXPECT_FALSE(platform::SaveFileAtomically(folder / "missing/NetworkSetting.ini", "new"));
    EXPECT_EQ(platform::ReadWholeFile(file), old);
    EXPECT_EQ(EntriesIn(folder.Path()), 2u);
}

TEST(AtomicSave, DeviceIsNeverReplaced) {
    EXPECT_FALSE(platform::SaveFileAtomically("/dev/full", "data"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// A write that runs out of room, as on a full SD card: the file size limit
// makes the kernel refuse the write part way, in a child process.
TEST(AtomicSave, WriteThatRunsOutOfRoomLeavesOldFileUntouched) {
    CTempFolder folder;
    const auto file = folder / "NetworkSetting.ini";
    const std::string old = "old content\r\n";
    ASSERT_TRUE(platform::SaveFileAtomically(file, old));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(platform::SaveFileAtomically(file, std::string(4096, 'x')) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "a short write must be reported";
    EXPECT_EQ(platform::ReadWholeFile(file), old);
    EXPECT_EQ(EntriesIn(folder.Path()), 1u);
}

TEST(ReadWholeFile, ReadsBinaryContentAndRefusesWhatIsNotAFile) {
    CTempFolder folder;
    const std::string bytes("a\0b\r\n\xff", 6);
    ASSERT_TRUE(platform::SaveFileAtomically(folder / "binary", bytes));
    EXPECT_EQ(platform::ReadWholeFile(folder / "binary"), bytes);
    EXPECT_EQ(platform::ReadWholeFile(folder / "missing"), std::nullopt);
    EXPECT_EQ(platform::ReadWholeFile(folder.Path()), std::nullopt);
}

TEST(ReadWholeFile, StopsAtTheLimitGiven) {
    CTempFolder folder;
    ASSERT_TRUE(platform::SaveFileAtomically(folder / "file", std::string(70000, 'x') + "tail"));
    EXPECT_EQ(platform::ReadWholeFile(folder / "file", 3), "xxx");
    EXPECT_EQ(platform::ReadWholeFile(folder / "file", 70002), std::string(70000, 'x') + "ta");
    EXPECT_EQ(platform::ReadWholeFile(folder / "file", 0), "");
    EXPECT_EQ(platform::ReadWholeFile("/dev/zero", 100000), std::string(100000, '\0'))
        << "an endless device ends at the limit";
}

} // namespace
