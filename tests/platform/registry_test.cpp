#include "platform/codepage.h"
#include "platform/file_reader.h"
#include "platform/ini_document.h"
#include "platform/last_error.h"
#include "platform/registry.h"
#include "tests/support/environment_variable.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_folder.h"
#include "tests/support/whole_file.h"

#include <csignal>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

constexpr char16_t kLsa[] = u"SYSTEM\\CurrentControlSet\\Control\\Lsa";

class RegistryTest : public ::testing::Test {
protected:
    std::filesystem::path Hive() const { return m_root.Path() / "HKEY_LOCAL_MACHINE.ini"; }
    void WriteHive(const std::string& text) const { std::ofstream(Hive()) << text; }

    CTempFolder m_root;
    CEnvironmentVariable m_env{"KORDAVIN_REGISTRY_ROOT", m_root.Path().string()};
};

std::uint32_t Dword(const std::uint8_t* bytes) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, 4);
    return value;
}

} // namespace

TEST_F(RegistryTest, OpeningFailsWithoutHiveOrKey) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kLsa, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    WriteHive("[SYSTEM\\Other]\r\n");
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kLsa, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
}

TEST_F(RegistryTest, DwordKeepsTypeAndAllBitsAcrossProcessesAndKeepsOtherKeys) {
    WriteHive("[SYSTEM\\Other]\r\nkept=dword:00000001\r\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kLsa, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const std::uint32_t written = 0xFFFFFFFF;
    ASSERT_EQ(RegSetValueEx(key, u"lmcompatibilitylevel", REG_DWORD,
                            reinterpret_cast<const std::uint8_t*>(&written), 4),
              ERROR_SUCCESS);
    RegCloseKey(key);

    const auto document = CIniDocument::FromBytes(*ReadWholeFile(Hive()));
    EXPECT_EQ(document.GetValue(kLsa, u"lmcompatibilitylevel"), u"dword:ffffffff");
    EXPECT_EQ(document.GetValue(u"SYSTEM\\Other", u"kept"), u"dword:00000001");

    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kLsa, 0, KEY_READ, &key), ERROR_SUCCESS);
    std::uint8_t data[4] = {};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof data;
    // The value name matches without regard to case, as on Windows.
    EXPECT_EQ(RegQueryValueEx(key, u"LmCompatibilityLevel", &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(Dword(data), 0xFFFFFFFFu);
    RegCloseKey(key);
}

TEST_F(RegistryTest, OtherTypesKeepTheirTypeAndBytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kLsa, KEY_SET_VALUE | KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    const std::uint8_t bytes[] = {0x00, 0x7f, 0xff};
    ASSERT_EQ(RegSetValueEx(key, u"blob", REG_BINARY, bytes, 3), ERROR_SUCCESS);
    std::uint8_t small[2] = {};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key, u"blob", &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 3u);
    std::uint8_t data[3] = {};
    EXPECT_EQ(RegQueryValueEx(key, u"blob", &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(std::memcmp(data, bytes, 3), 0);
    EXPECT_EQ(RegQueryValueEx(key, u"absent", &type, data, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ValuesNotInRegeditFormReadAsAbsent) {
    WriteHive("[SYSTEM\\CurrentControlSet\\Control\\Lsa]\r\nlmcompatibilitylevel=3\r\n"
              "b=dword:123456789\r\nc=hex(x):00\r\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kLsa, 0, KEY_READ, &key), ERROR_SUCCESS);
    std::uint8_t data[4] = {};
    for (const char16_t* name : {u"lmcompatibilitylevel", u"b", u"c"}) {
        std::uint32_t size = sizeof data;
        EXPECT_EQ(RegQueryValueEx(key, name, nullptr, data, &size), ERROR_FILE_NOT_FOUND);
    }
    RegCloseKey(key);
}

// A path or name the hive file cannot hold is refused, never written as
// something else and never reported as done.
TEST_F(RegistryTest, NamesTheHiveCannotHoldAreRefused) {
    const std::string hive = "[SYSTEM\\CurrentControlSet\\Control\\Lsa]\r\n;v=dword:00000001\r\n";
    WriteHive(hive);
    HKEY key = nullptr;
    for (const char16_t* path : {u"SYSTEM\rx", u"SYSTEM\nx", u"S\nx]"}) {
        EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, path, KEY_SET_VALUE, &key),
                  ERROR_INVALID_PARAMETER);
    }
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kLsa, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const std::uint32_t level = 5;
    for (const char16_t* name : {u";v", u"a=b", u"[v]", u"two\r\nlines"}) {
        EXPECT_EQ(RegSetValueEx(key, name, REG_DWORD, reinterpret_cast<const std::uint8_t*>(&level),
                                sizeof level),
                  ERROR_INVALID_PARAMETER);
    }
    RegCloseKey(key);
    EXPECT_EQ(ReadWholeFile(Hive()), hive);
}

TEST_F(RegistryTest, RightsOfTheHandleAreEnforced) {
    WriteHive(
        "[SYSTEM\\CurrentControlSet\\Control\\Lsa]\r\nlmcompatibilitylevel=dword:00000001\r\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kLsa, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    std::uint8_t data[4] = {};
    std::uint32_t size = sizeof data;
    EXPECT_EQ(RegQueryValueEx(key, u"lmcompatibilitylevel", nullptr, data, &size),
              ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kLsa, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, u"lmcompatibilitylevel", REG_DWORD, data, 4), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
}

TEST_F(RegistryTest, SettingFailsWhenTheHiveCannotBeWritten) {
    WriteHive(
        "[SYSTEM\\CurrentControlSet\\Control\\Lsa]\r\nlmcompatibilitylevel=dword:00000001\r\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kLsa, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    // A file size limit stops even root, whom file modes would not.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny{8, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tiny);
    const std::uint32_t level = 5;
    const long setResult = RegSetValueEx(key, u"lmcompatibilitylevel", REG_DWORD,
                                         reinterpret_cast<const std::uint8_t*>(&level), 4);
    HKEY created = nullptr;
    const long createResult =
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"SYSTEM\\New", KEY_SET_VALUE, &created);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    RegCloseKey(key);

    EXPECT_EQ(setResult, ERROR_ACCESS_DENIED);
    EXPECT_EQ(createResult, ERROR_ACCESS_DENIED);
    const auto document = CIniDocument::FromBytes(*ReadWholeFile(Hive()));
    EXPECT_EQ(document.GetValue(kLsa, u"lmcompatibilitylevel"), u"dword:00000001");
}

// Run by a user whom the mode stops, as root would not be.
TEST_F(RegistryTest, AHiveThatCannotBeReadIsNeverReplaced) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "switching to another user needs root";
    }
    const std::string hive = "[Other\\Key]\r\nvalue=dword:00000007\r\n";
    WriteHive(hive);
    ASSERT_EQ(::chmod(m_root.Path().c_str(), 0777), 0);
    ASSERT_EQ(::chown(Hive().c_str(), kNobodyUid, kNobodyGid), 0);
    ASSERT_EQ(::chmod(Hive().c_str(), 0200), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(kNobodyGid) != 0 || ::setuid(kNobodyUid) != 0) {
            ::_exit(3);
        }
        HKEY key = nullptr;
        const long created = RegCreateKeyEx(HKEY_LOCAL_MACHINE, kLsa, KEY_SET_VALUE, &key);
        ::_exit(created == ERROR_ACCESS_DENIED ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the key cannot be made";
    EXPECT_EQ(ReadWholeFile(Hive()), hive) << "the other keys are all still there";
}

// A hive far larger than any the program writes is refused before it is
// read whole, and never replaced.
TEST_F(RegistryTest, AHiveTooLargeIsAnErrorAndIsKept) {
    const std::string hive = "[SYSTEM\\CurrentControlSet\\Control\\Lsa]\r\nlevel=dword:00000003" +
                             std::string(4 << 20, '\r');
    WriteHive(hive);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kLsa, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kLsa, KEY_SET_VALUE, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(ReadWholeFile(Hive()), hive);
}

TEST_F(RegistryTest, LinesTheWriteDoesNotTouchKeepTheirBytes) {
    // 0x81 is not a character of code page 1252: read as U+FFFD, it would
    // come back as "?" if the line were converted again.
    const std::string untouched = "[Other]\r\nname=A\x81Z\r\n";
    WriteHive(untouched + "[SYSTEM\\CurrentControlSet\\Control\\Lsa]\r\n");
    platform::OverrideCodePages(1252, 850);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kLsa, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const std::uint32_t level = 3;
    EXPECT_EQ(RegSetValueEx(key, u"lmcompatibilitylevel", REG_DWORD,
                            reinterpret_cast<const std::uint8_t*>(&level), 4),
              ERROR_SUCCESS);
    RegCloseKey(key);
    platform::OverrideCodePages(std::nullopt, std::nullopt);
    EXPECT_EQ(
        ReadWholeFile(Hive()),
        untouched +
            "[SYSTEM\\CurrentControlSet\\Control\\Lsa]\r\nlmcompatibilitylevel=dword:00000003\r\n");
}
