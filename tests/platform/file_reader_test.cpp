#include "platform/atomic_file.h"
#include "platform/file_reader.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_folder.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using platform::CFileBytes;
using platform::EReadFault;

// The fault and system error a read gets as the user nobody, who may not
// read a file only its owner may.
std::pair<EReadFault, int> ReadAsAnotherUser(const std::filesystem::path& path) {
    const pid_t child = fork();
    if (child == 0) {
        if (setresgid(kNobodyGid, kNobodyGid, kNobodyGid) != 0 ||
            setresuid(kNobodyUid, kNobodyUid, kNobodyUid) != 0) {
            _exit(255);
        }
        const CFileBytes read = platform::ReadFile(path);
        _exit(static_cast<int>(read.fault) * 16 + (read.systemError == EACCES ? 1 : 0));
    }
    int status = 0;
    waitpid(child, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 255;
    return {static_cast<EReadFault>(code / 16), code % 16 == 1 ? EACCES : 0};
}

// Every reason a read fails is told apart, and nothing blocks or is cut.
TEST(ReadFile, GivesTheBytesOrSaysWhyNot) {
    CTempFolder folder;
    const std::string bytes("a\0b\r\n\xff", 6);
    ASSERT_TRUE(platform::SaveFileAtomically(folder / "binary", bytes));
    ASSERT_TRUE(platform::SaveFileAtomically(folder / "long", std::string(70000, 'x') + "tail"));
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder / "fifo", folder / "link-to-fifo");
    std::filesystem::create_directory(folder / "folder");

    struct CCase {
        std::filesystem::path path;
        size_t limit;
        EReadFault fault;
        int systemError;
    };
    const CCase cases[] = {
        {folder / "binary", std::string::npos, EReadFault::None, 0},
        {folder / "binary", bytes.size(), EReadFault::None, 0},
        {folder / "binary", bytes.size() - 1, EReadFault::TooLarge, 0},
        {folder / "long", 70003, EReadFault::TooLarge, 0},
        {folder / "missing", std::string::npos, EReadFault::Missing, ENOENT},
        {folder / "binary/below", std::string::npos, EReadFault::Missing, ENOTDIR},
        {folder / "folder", std::string::npos, EReadFault::Folder, 0},
        {folder / "fifo", std::string::npos, EReadFault::NotRegularFile, 0},
        {folder / "link-to-fifo", std::string::npos, EReadFault::NotRegularFile, 0},
        {"/dev/zero", 100, EReadFault::NotRegularFile, 0},
        // /proc files say they hold nothing and are read until they end.
        {"/proc/self/status", 10, EReadFault::TooLarge, 0},
    };
    for (const CCase& test : cases) {
        SCOPED_TRACE(test.path.string() + " limit " + std::to_string(test.limit));
        const CFileBytes read = platform::ReadFile(test.path, test.limit);
        EXPECT_EQ(read.fault, test.fault);
        EXPECT_EQ(read.systemError, test.systemError);
        EXPECT_EQ(static_cast<bool>(read), test.fault == EReadFault::None);
        if (!read) {
            EXPECT_EQ(read.bytes, "");
        }
    }
    EXPECT_EQ(platform::ReadFile(folder / "binary").bytes, bytes);
    EXPECT_EQ(platform::ReadFile(folder / "long").bytes, std::string(70000, 'x') + "tail");
    EXPECT_TRUE(platform::ReadFile("/proc/self/status").bytes.starts_with("Name:"));

    ::chmod((folder / "binary").c_str(), 0600);
    if (geteuid() == 0) {
        EXPECT_EQ(ReadAsAnotherUser(folder / "binary"),
                  std::make_pair(EReadFault::Unreadable, EACCES));
    } else {
        ::chmod((folder / "binary").c_str(), 0);
        const CFileBytes read = platform::ReadFile(folder / "binary");
        EXPECT_EQ(read.fault, EReadFault::Unreadable);
        EXPECT_EQ(read.systemError, EACCES);
    }
}

// A pipe left in non-blocking mode by whoever made it: the reader waits for
// the writer's pieces instead of failing at the first pause.
TEST(ReadStream, ReadsANonBlockingPipeWholeAcrossTheWritersPauses) {
    int pipe[2];
    ASSERT_EQ(::pipe2(pipe, O_NONBLOCK), 0);
    std::thread writer([&] {
        for (const char* piece : {"first ", "second"}) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            (void)!::write(pipe[1], piece, std::strlen(piece));
        }
        ::close(pipe[1]);
    });
    const CFileBytes read = platform::ReadStream(pipe[0], 1000);
    writer.join();
    ::close(pipe[0]);
    EXPECT_EQ(read.fault, EReadFault::None);
    EXPECT_EQ(read.bytes, "first second");
}

TEST(ReadStream, ReadsAPipeToItsEndUpToTheLimit) {
    for (const size_t size : {size_t{0}, size_t{70000}, size_t{70001}}) {
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        std::thread writer([&] {
            const std::string bytes(size, 'p');
            (void)!::write(pipe[1], bytes.data(), bytes.size());
            ::close(pipe[1]);
        });
        const CFileBytes read = platform::ReadStream(pipe[0], 70000);
        writer.join();
        ::close(pipe[0]);
        EXPECT_EQ(read.fault, size > 70000 ? EReadFault::TooLarge : EReadFault::None) << size;
        EXPECT_EQ(read.bytes.size(), size > 70000 ? 0 : size);
    }
}

} // namespace
