#include "authlevel/samba_client_auth.h"
#include "platform/file_reader.h"
#include "tests/support/environment_variable.h"
#include "tests/support/program_output.h"
#include "tests/support/temp_folder.h"
#include "tests/support/whole_file.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct CTestparmRun {
    CProgramOutput run;
    std::string errors;
};

bool TestparmInstalled() { return std::system("command -v testparm >/dev/null 2>&1") == 0; }

// Samba's own reading of a configuration; verbose shows defaults too.
CTestparmRun Testparm(const std::filesystem::path& config, bool verbose) {
    const std::filesystem::path errors = config.parent_path() / "testparm.err";
    CTestparmRun testparm;
    testparm.run =
        RunForOutput(std::string("testparm -s ") + (verbose ? "-v " : "") + "--suppress-prompt '" +
                     config.string() + "' 2>'" + errors.string() + "'");
    testparm.errors = ReadWholeFile(errors).value_or("");
    return testparm;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The settings testparm shows in [global], names and values in lower case.
std::map<std::string, std::string> GlobalSettings(const std::string& output) {
    std::map<std::string, std::string> settings;
    std::istringstream lines(output);
    bool inGlobal = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with('[')) {
            inGlobal = line == "[global]";
        } else if (const size_t equals = line.find(" = ");
                   inGlobal && equals != std::string::npos) {
            settings[Lower(line.substr(1, equals - 1))] = Lower(line.substr(equals + 3));
        }
    }
    return settings;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

class SambaClientAuthTest : public ::testing::Test {
protected:
    std::filesystem::path MainConfig() const { return m_folder / "smb.conf"; }
    std::filesystem::path OwnFile() const { return m_folder / kSambaClientAuthFileName; }
    std::filesystem::path SharesFile() const { return m_folder / "shares.conf"; }

    // Shares, comments, and an include of its own whose file ends in a share.
    std::string DebianLikeConfig() const {
        std::ofstream(SharesFile()) << "[media]\n   path = /srv/media\n";
        return "#\n# Sample configuration file\n#\n[global]\n   workgroup = WORKGROUP\n"
               "   server string = %h server (Samba, Ubuntu)\n"
               ";   interfaces = 127.0.0.0/8 eth0\n"
               "   include = " +
               SharesFile().string() +
               "\n#======================= Share Definitions =======================\n"
               "[homes]\n   comment = Home Directories\n   browseable = no\n"
               "[printers]\n   comment = All Printers\n   path = /var/tmp\n   printable = yes\n";
    }
    std::string AddedLines() const { return "[global]\n   include = " + OwnFile().string() + "\n"; }

    void WriteMainConfig(const std::string& bytes) const {
        std::ofstream(MainConfig(), std::ios::binary) << bytes;
    }
    std::optional<std::string> Read(const std::filesystem::path& file) const {
        return ReadWholeFile(file);
    }

    CTempFolder m_folder;
    CEnvironmentVariable m_samba{"KORDAVIN_SAMBA_ROOT", m_folder.Path().string()};
};

} // namespace

TEST_F(SambaClientAuthTest, EachLevelReachesSambaAndKeepsTheRestOfTheConfiguration) {
    if (!TestparmInstalled()) {
        GTEST_SKIP() << "testparm is not installed (package samba-common-bin)";
    }
    const std::string debianLike = DebianLikeConfig();
    WriteMainConfig(debianLike);
    const CTestparmRun original = Testparm(MainConfig(), false);
    ASSERT_EQ(original.run.nExitCode, 0) << original.errors;

    struct CExpected {
        const char* lanman;
        const char* ntlmv2;
        const char* minProtocol;
    };
    const CExpected expected[] = {{"yes", "no", "nt1"},     {"yes", "no", "nt1"},
                                  {"no", "no", "nt1"},      {"no", "yes", "smb2_02"},
                                  {"no", "yes", "smb2_02"}, {"no", "yes", "smb2_02"}};
    for (int level = 0; level < 6; ++level) {
        SCOPED_TRACE(level);
        WriteMainConfig(debianLike);
        ASSERT_TRUE(WriteSambaClientAuth(level));

        std::string config = Read(MainConfig()).value_or("");
        const size_t added = config.find(AddedLines());
        ASSERT_NE(added, std::string::npos) << config;
        EXPECT_LT(added, config.find("#==="));
        EXPECT_EQ(config.erase(added, AddedLines().size()), debianLike);

        const CTestparmRun verbose = Testparm(MainConfig(), true);
        ASSERT_EQ(verbose.run.nExitCode, 0) << verbose.errors;
        EXPECT_EQ(verbose.errors.find("Unknown parameter"), std::string::npos) << verbose.errors;
        const auto settings = GlobalSettings(verbose.run.text);
        EXPECT_EQ(settings.at("client lanman auth"), expected[level].lanman);
        EXPECT_EQ(settings.at("client ntlmv2 auth"), expected[level].ntlmv2);
        EXPECT_EQ(settings.at("client min protocol"), expected[level].minProtocol);

        // Everything Samba read before it still reads.
        const auto now = Lines(Testparm(MainConfig(), false).run.text);
        for (const std::string& line : Lines(original.run.text)) {
            EXPECT_NE(std::find(now.begin(), now.end(), line), now.end()) << line;
        }
    }
}

// The last setting of [global] going on into the end of the file, with or
// without a last line end: the include stands on a line of its own, the
// options apply, and the admin's value keeps its words (the backslash now
// goes on into an empty line, where it went on into nothing).
TEST_F(SambaClientAuthTest, AContinuedLastSettingKeepsItsValueAndTheOptionsApply) {
    if (!TestparmInstalled()) {
        GTEST_SKIP() << "testparm is not installed (package samba-common-bin)";
    }
    for (const std::string lastLineEnd : {"\n", ""}) {
        WriteMainConfig("[global]\n   workgroup = W\n   server string = test \\" + lastLineEnd);
        ASSERT_TRUE(WriteSambaClientAuth(0));
        const CTestparmRun after = Testparm(MainConfig(), true);
        ASSERT_EQ(after.run.nExitCode, 0) << after.errors;
        const auto settings = GlobalSettings(after.run.text);
        EXPECT_EQ(settings.at("server string"), "test");
        EXPECT_EQ(settings.at("workgroup"), "w");
        EXPECT_EQ(settings.at("client lanman auth"), "yes");
        EXPECT_EQ(settings.at("client min protocol"), "nt1");
    }
}

TEST_F(SambaClientAuthTest, IncludeIsAddedOnceHoweverOftenTheLevelChanges) {
    const std::string withOwnInclude =
        "[global]\r\n\tinclude = " + (m_folder / "local.conf").string() +
        "\r\n[data]\r\n\tpath = /srv\r\n";
    WriteMainConfig(withOwnInclude);
    ASSERT_TRUE(WriteSambaClientAuth(1));
    const auto afterFirst = Read(MainConfig());
    ASSERT_TRUE(afterFirst.has_value());
    EXPECT_EQ(*afterFirst, "[global]\r\n\tinclude = " + (m_folder / "local.conf").string() +
                               "\r\n[global]\r\n\tinclude = " + OwnFile().string() +
                               "\r\n[data]\r\n\tpath = /srv\r\n");
    for (const int level : {4, 2, 2, 0, 5}) {
        ASSERT_TRUE(WriteSambaClientAuth(level));
        EXPECT_EQ(Read(MainConfig()), afterFirst);
        EXPECT_EQ(Read(OwnFile()), SambaClientAuthOptions(level));
    }
}

TEST_F(SambaClientAuthTest, WithoutSmbConfNothingIsWritten) {
    ASSERT_TRUE(WriteSambaClientAuth(3));
    EXPECT_TRUE(std::filesystem::is_empty(m_folder.Path()));

    CEnvironmentVariable missingFolder("KORDAVIN_SAMBA_ROOT", (m_folder / "none").string());
    ASSERT_TRUE(WriteSambaClientAuth(3));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "none"));
}

// An smb.conf that cannot even be looked at may well be there: a failure,
// never "Samba is not installed".
TEST_F(SambaClientAuthTest, AnSmbConfThatCannotBeExaminedIsAFailure) {
    std::filesystem::create_symlink("smb.conf", MainConfig()); // a link to itself
    EXPECT_FALSE(WriteSambaClientAuth(3));
    EXPECT_FALSE(std::filesystem::exists(OwnFile()));
}

TEST_F(SambaClientAuthTest, OwnFileIsReadableByEveryUserAndSmbConfKeepsItsMode) {
    WriteMainConfig("[global]\n");
    std::filesystem::permissions(MainConfig(), std::filesystem::perms(0640));
    const mode_t oldMask = ::umask(077);
    ASSERT_TRUE(WriteSambaClientAuth(0));
    ::umask(oldMask);
    EXPECT_EQ(std::filesystem::status(OwnFile()).permissions(), std::filesystem::perms(0644));
    EXPECT_EQ(std::filesystem::status(MainConfig()).permissions(), std::filesystem::perms(0640));
}

// Replacing a hard-linked smb.conf would split it in two: Samba reading one
// name, the admin editing the other. Refused, both left as they were.
// A hard-linked smb.conf, or one too large to hold whole, is left alone.
TEST_F(SambaClientAuthTest, AnSmbConfThatCannotBeRewrittenWholeIsRefused) {
    const std::string huge = "[global]\n" + std::string(4 << 20, '#') + "\n";
    WriteMainConfig(huge);
    EXPECT_FALSE(WriteSambaClientAuth(3));
    EXPECT_TRUE(Read(MainConfig()) == huge);
    EXPECT_FALSE(std::filesystem::exists(OwnFile()));

    WriteMainConfig("[global]\n");
    const auto otherName = m_folder / "smb.conf.link";
    std::filesystem::create_hard_link(MainConfig(), otherName);
    EXPECT_FALSE(WriteSambaClientAuth(3));
    EXPECT_EQ(Read(MainConfig()), "[global]\n");
    EXPECT_EQ(std::filesystem::hard_link_count(MainConfig()), 2u);
    EXPECT_FALSE(std::filesystem::exists(OwnFile()));
}

TEST_F(SambaClientAuthTest, FailedWriteLeavesSambaFilesAsTheyWere) {
    const std::string debianLike = DebianLikeConfig();
    WriteMainConfig(debianLike);
    // A folder where Brenhold's file belongs: smb.conf is written first
    // and must be put back.
    std::filesystem::create_directory(OwnFile());
    EXPECT_FALSE(WriteSambaClientAuth(2));
    EXPECT_EQ(Read(MainConfig()), debianLike);
    std::filesystem::remove(OwnFile());

    // smb.conf in a place that cannot be written, even by root.
    std::filesystem::remove(MainConfig());
    std::filesystem::create_symlink("/proc/version", MainConfig());
    EXPECT_FALSE(WriteSambaClientAuth(2));
    EXPECT_FALSE(std::filesystem::exists(OwnFile()));

    EXPECT_FALSE(WriteSambaClientAuth(6));
    EXPECT_FALSE(WriteSambaClientAuth(-1));
}

TEST_F(SambaClientAuthTest, UnwritableFolderLeavesSambaFilesAsTheyWere) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into any folder; the other failures are tested above";
    }
    const std::string debianLike = DebianLikeConfig();
    WriteMainConfig(debianLike);
    std::filesystem::permissions(m_folder.Path(), std::filesystem::perms(0555));
    EXPECT_FALSE(WriteSambaClientAuth(0));
    std::filesystem::permissions(m_folder.Path(), std::filesystem::perms(0755));
    EXPECT_EQ(Read(MainConfig()), debianLike);
    EXPECT_FALSE(std::filesystem::exists(OwnFile()));
}
