#include "platform/atomic_file.h"
#include "platform/file_reader.h"
#include "tests/support/temp_folder.h"
#include "tests/support/whole_file.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <thread>
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
    EXPECT_EQ(ReadWholeFile(file), "second\r\n");
    EXPECT_EQ(EntriesIn(folder.Path()), 1u) << "no temporary file may stay behind";
}

TEST(AtomicSave, NewFileGetsRequestedModeAndExistingFileKeepsItsMode) {
    CTempFolder folder;
    const mode_t oldMask = ::umask(022);
    const auto plain = folder / "NetworkSetting.ini";
    ASSERT_TRUE(platform::SaveFileAtomically(plain, "x"));
    ::umask(oldMask);
    EXPECT_EQ(ModeOf(plain), 0600u) << "owner only, whatever the umask";

    const auto secret = folder / "KordavinSettingUtil.dat";
    ASSERT_TRUE(platform::SaveFileAtomically(secret, "x", 0600));
    EXPECT_EQ(ModeOf(secret), 0600u);

    const auto shared = folder / "shared.ini";
    ASSERT_TRUE(platform::SaveFileAtomically(shared, "x", 0644));
    ASSERT_TRUE(platform::SaveFileAtomically(shared, "y", 0600));
    EXPECT_EQ(ModeOf(shared), 0644u);
}

// What an administrator set on a file (here a user attribute; access lists
// and security labels are attributes too) stays on it; a file of secrets
// starts afresh, as an access list could let others read it again.
TEST(AtomicSave, ExtendedAttributesStayExceptOnAFileOfSecrets) {
    CTempFolder folder;
    const auto file = folder / "smb.conf";
    ASSERT_TRUE(platform::SaveFileAtomically(file, "old", 0644));
    constexpr char kName[] = "user.kordavin.note";
    if (::setxattr(file.c_str(), kName, "set by the admin", 16, 0) != 0) {
        GTEST_SKIP() << "the temporary folder takes no user attributes";
    }
    const auto attribute = [&kName](const std::filesystem::path& path) {
        char value[32] = {};
        const ssize_t size = ::getxattr(path.c_str(), kName, value, sizeof value);
        return size < 0 ? std::string("<none>") : std::string(value, static_cast<size_t>(size));
    };
    ASSERT_TRUE(platform::SaveFileAtomically(file, "new"));
    EXPECT_EQ(attribute(file), "set by the admin");
    ASSERT_TRUE(platform::SaveSecretFileAtomically(file, "secret"));
    EXPECT_EQ(attribute(file), "<none>");
}

TEST(AtomicSave, ReplacesTheFileBehindALinkAndKeepsTheLink) {
    CTempFolder folder;
    const auto real = folder / "real.ini";
    const auto link = folder / "link.ini";
    ASSERT_TRUE(platform::SaveFileAtomically(real, "old"));
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(platform::SaveFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), "new");
}

// A folder others may write to is shared, sticky or not, open to all or to a
// team: a link planted there by someone else is not followed.
TEST(AtomicSave, LinkPlantedByAnotherUserInASharedFolderIsNotFollowed) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "planting a link of another user needs root";
    }
    for (const mode_t folderMode : {01777, 02775, 0777, 0703}) {
        CTempFolder shared;
        CTempFolder elsewhere;
        ASSERT_EQ(::chmod(shared.Path().c_str(), folderMode), 0);
        const auto victim = elsewhere / "root-only";
        ASSERT_TRUE(platform::SaveFileAtomically(victim, "precious", 0600));
        const auto planted = shared / "NetworkSetting.ini";
        std::filesystem::create_symlink(victim, planted);
        constexpr uid_t kSomeoneElse = 4242;
        ASSERT_EQ(::lchown(planted.c_str(), kSomeoneElse, kSomeoneElse), 0);

        EXPECT_EQ(platform::SaveFileAtomically(planted, "overwritten").systemError, EACCES)
            << std::oct << folderMode;
        EXPECT_EQ(ReadWholeFile(victim), "precious");
        EXPECT_TRUE(std::filesystem::is_symlink(planted));

        // The folder's owner's own link is followed, as the kernel would.
        ASSERT_EQ(::lchown(planted.c_str(), 0, 0), 0);
        EXPECT_TRUE(platform::SaveFileAtomically(planted, "overwritten"));
        EXPECT_EQ(ReadWholeFile(victim), "overwritten");
    }
    // A shared folder of another user: that user's link is followed, as the
    // kernel follows it, whatever the folder's group.
    CTempFolder team;
    ASSERT_EQ(::chown(team.Path().c_str(), 4242, 4343), 0);
    ASSERT_EQ(::chmod(team.Path().c_str(), 01777), 0);
    const auto target = team / "target.ini";
    ASSERT_TRUE(platform::SaveFileAtomically(target, "old"));
    std::filesystem::create_symlink(target, team / "owners-link.ini");
    ASSERT_EQ(::lchown((team / "owners-link.ini").c_str(), 4242, 4343), 0);
    EXPECT_TRUE(platform::SaveFileAtomically(team / "owners-link.ini", "new"));
    EXPECT_EQ(ReadWholeFile(target), "new");
    // In a folder only its owner may write to, anyone's link is the owner's
    // doing, and is followed.
    CTempFolder own;
    ASSERT_EQ(::chmod(own.Path().c_str(), 0755), 0);
    const auto real = own / "real.ini";
    ASSERT_TRUE(platform::SaveFileAtomically(real, "old"));
    std::filesystem::create_symlink(real, own / "link.ini");
    ASSERT_EQ(::lchown((own / "link.ini").c_str(), 4242, 4242), 0);
    EXPECT_TRUE(platform::SaveFileAtomically(own / "link.ini", "new"));
    EXPECT_EQ(ReadWholeFile(real), "new");
}

// A default access list on the folder (here one that gives another user
// everything) never reaches a saved file: a new one has only its mode, a
// replaced one only what the old file had.
TEST(AtomicSave, AFolderDefaultAccessListIsNotInherited) {
    CTempFolder folder;
    struct CEntry {
        uint16_t tag, permissions;
        uint32_t id;
    };
    constexpr uint32_t kVersion = 2;
    const CEntry entries[] = {
        {0x01, 7, ~0u}, {0x02, 7, 4242}, {0x04, 7, ~0u}, {0x10, 7, ~0u}, {0x20, 7, ~0u}};
    std::string defaultList(reinterpret_cast<const char*>(&kVersion), sizeof kVersion);
    defaultList.append(reinterpret_cast<const char*>(entries), sizeof entries);
    if (::setxattr(folder.Path().c_str(), "system.posix_acl_default", defaultList.data(),
                   defaultList.size(), 0) != 0) {
        GTEST_SKIP() << "the temporary folder takes no access lists";
    }
    const auto hasAccessList = [](const std::filesystem::path& file) {
        return ::getxattr(file.c_str(), "system.posix_acl_access", nullptr, 0) >= 0;
    };
    const auto secret = folder / "NetworkSetting.ini";
    ASSERT_TRUE(platform::SaveSecretFileAtomically(secret, "new"));
    EXPECT_FALSE(hasAccessList(secret));
    ASSERT_TRUE(platform::SaveSecretFileAtomically(secret, "replaced"));
    EXPECT_FALSE(hasAccessList(secret));
    EXPECT_EQ(ModeOf(secret), 0600u);
    ASSERT_EQ(::chmod(secret.c_str(), 0660), 0);
    EXPECT_FALSE(hasAccessList(secret)) << "a chmod gives nobody else access back";

    const auto plain = folder / "smb.conf";
    ASSERT_TRUE(platform::SaveFileAtomically(plain, "new", 0644));
    EXPECT_FALSE(hasAccessList(plain));
    ASSERT_TRUE(platform::SaveFileAtomically(plain, "replaced"));
    EXPECT_FALSE(hasAccessList(plain));
    EXPECT_EQ(ModeOf(plain), 0644u);
}

TEST(AtomicSave, ExistingFileKeepsItsOwnerAndGroup) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a file to another user needs root";
    }
    CTempFolder folder;
    const auto file = folder / "NetworkSetting.ini";
    ASSERT_TRUE(platform::SaveFileAtomically(file, "old"));
    ASSERT_EQ(::chown(file.c_str(), 4242, 4343), 0);
    ASSERT_TRUE(platform::SaveFileAtomically(file, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4242u);
    EXPECT_EQ(info.st_gid, 4343u);
}

TEST(AtomicSave, TemporaryFilesOfKilledSavesAreRemovedByTheNextSave) {
    CTempFolder folder;
    const auto file = folder / "NetworkSetting.ini";
    // A child that dies at once leaves a process number nobody has.
    const pid_t dead = ::fork();
    if (dead == 0) {
        ::_exit(0);
    }
    ::waitpid(dead, nullptr, 0);
    const std::string owner = std::to_string(::geteuid());
    const auto leftover =
        folder / (".NetworkSetting.ini." + owner + "-" + std::to_string(dead) + ".AbC123");
    const auto live =
        folder / (".NetworkSetting.ini." + owner + "-" + std::to_string(::getppid()) + ".XyZ789");
    const auto foreign = folder / ".other.ini.0-1.QQQQQQ";
    for (const auto& path : {leftover, live, foreign}) {
        ASSERT_TRUE(platform::SaveFileAtomically(path, "encrypted secrets"));
    }
    ASSERT_TRUE(platform::SaveFileAtomically(file, "saved"));
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_TRUE(std::filesystem::exists(live)) << "a running process's file stays";
    EXPECT_TRUE(std::filesystem::exists(foreign)) << "another file's stays";
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
        EXPECT_EQ(ReadWholeFile(file), old);
    }

    const auto directory = folder / "a-directory";
    std::filesystem::create_directory(directory);
    EXPECT_FALSE(platform::SaveFileAtomically(directory, "new"));
    EXPECT_TRUE(std::filesystem::is_directory(directory));

    EXPECT_FALSE(platform::SaveFileAtomically(folder / "missing/NetworkSetting.ini", "new"));
    EXPECT_EQ(ReadWholeFile(file), old);
    EXPECT_EQ(EntriesIn(folder.Path()), 2u);
}

// The device is one of the test's own, so that a fault here could never
// replace one of the machine's.
TEST(AtomicSave, NeitherADeviceNorAFifoIsEverReplaced) {
    CTempFolder folder;
    const auto fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(platform::SaveFileAtomically(fifo, "data"));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can make a device node";
    }
    const auto device = folder / "null";
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)), 0);
    EXPECT_FALSE(platform::SaveFileAtomically(device, "data"));
    EXPECT_TRUE(std::filesystem::is_character_file(device));
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
    EXPECT_EQ(ReadWholeFile(file), old);
    EXPECT_EQ(EntriesIn(folder.Path()), 1u);
}

// A FUSE mount of a folder, gone again with the test.
class CBindMount {
public:
    CBindMount(const std::filesystem::path& from, const std::filesystem::path& at,
               const std::string& options)
        : m_at(at) {
        m_mounted = std::system(("bindfs " + options + " '" + from.string() + "' '" + at.string() +
                                 "' 2>/dev/null")
                                    .c_str()) == 0;
    }
    ~CBindMount() {
        if (m_mounted) {
            [[maybe_unused]] const int unmounted =
                std::system(("fusermount -u '" + m_at.string() + "'").c_str());
        }
    }
    CBindMount(const CBindMount&) = delete;
    CBindMount& operator=(const CBindMount&) = delete;
    bool Mounted() const { return m_mounted; }

private:
    std::filesystem::path m_at;
    bool m_mounted = false;
};

} // namespace

// A file system without extended attributes (a FUSE or network mount) has
// none to hand on: the save goes through, new and over an old file.
TEST(AtomicSave, ReplacesAFileOnAFileSystemWithoutExtendedAttributes) {
    CTempFolder folder;
    std::filesystem::create_directories(folder / "real");
    std::filesystem::create_directories(folder / "mounted");
    const CBindMount mount(folder / "real", folder / "mounted", "--xattr-none");
    if (!mount.Mounted()) {
        GTEST_SKIP() << "bindfs could not mount: no FUSE here";
    }
    const auto file = folder / "mounted" / "NetworkSetting.ini";
    ASSERT_EQ(::llistxattr(file.parent_path().c_str(), nullptr, 0), -1);
    ASSERT_EQ(errno, ENOTSUP);
    EXPECT_TRUE(platform::SaveFileAtomically(file, "old"));
    EXPECT_TRUE(platform::SaveFileAtomically(file, "new"));
    EXPECT_EQ(ReadWholeFile(folder / "real" / "NetworkSetting.ini"), "new");
}

// A program another thread starts while a save is under way (the restart,
// Brenhold) never gets the open temporary file.
TEST(AtomicSave, AProgramStartedDuringASaveGetsNoneOfItsFiles) {
    CTempFolder folder;
    const auto target = folder / "big.ini";
    const std::string bytes(16 << 20, 'x');
    std::atomic<bool> saving = true;
    std::atomic<int> started = 0;
    std::string inherited;
    std::thread starter([&] {
        while (saving && inherited.empty()) {
            FILE* listing = ::popen("ls -l /proc/self/fd 2>/dev/null", "r");
            char line[512];
            while (listing != nullptr && std::fgets(line, sizeof line, listing) != nullptr) {
                if (std::strstr(line, ".big.ini.") != nullptr) {
                    inherited = line;
                }
            }
            if (listing != nullptr) {
                ::pclose(listing);
                ++started;
            }
        }
    });
    for (int save = 0; save < 20 && inherited.empty(); ++save) {
        EXPECT_TRUE(platform::SaveFileAtomically(target, bytes));
    }
    saving = false;
    starter.join();
    EXPECT_GT(started, 0);
    EXPECT_EQ(inherited, "");
}
