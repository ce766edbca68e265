#include "platform/file_reader.h"
#include "tests/support/environment_variable.h"
#include "tests/support/program_output.h"
#include "tests/support/temp_folder.h"
#include "tests/support/whole_file.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <utility>

namespace {

int RunCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(HostProgramTest, ScreenshotOpensTheDialogSavesItAndClosesWithExit) {
    CTempFolder folder;
    CEnvironmentVariable appData("APPDATA", folder.Path().string());
    const auto picture = folder / "dialog.png";
    ASSERT_EQ(RunCommand(std::string(HOST_PROGRAM) + " --device-name 'Player 1' --screenshot " +
                         picture.string()),
              0);
    const auto bytes = ReadWholeFile(picture);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->starts_with("\x89PNG\r\n\x1a\n"));
    EXPECT_TRUE(std::filesystem::exists(folder / "KordavinSettingUtil.dat"))
        << "Exit saves the session";
}

// The library takes texts in the ANSI code page: a path it cannot hold would
// reach it as "SD??", another folder. Refused, with the reason, in the
// language the dialog would have spoken.
TEST(HostProgramTest, APathOrNameTheCodePageCannotHoldIsRefused) {
    CTempFolder folder;
    const auto picture = folder / "dialog.png";
    const std::string program = "LANG=de_DE.UTF-8 " HOST_PROGRAM;
    const std::pair<std::string, const char*> cases[] = {
        {" --device-path '" + (folder / "SD\u65e5\u672c").string() + "'", "Der SD-Karten-Pfad"},
        {" --device-name 'Player \u65e5'", "Der Name des Players"},
    };
    for (const auto& [options, reason] : cases) {
        const CProgramOutput run =
            RunForOutput(program + options + " --screenshot " + picture.string() + " 2>&1");
        EXPECT_EQ(run.nExitCode, 2) << options;
        EXPECT_NE(run.text.find(reason), std::string::npos) << run.text;
        EXPECT_NE(run.text.find("Codepage 1252"), std::string::npos) << run.text;
        EXPECT_FALSE(std::filesystem::exists(picture));
    }
}

TEST(HostProgramTest, MissingLibraryIsReportedNotHidden) {
    CTempFolder folder;
    const auto copy = folder / "quorlan-host";
    std::filesystem::copy_file(HOST_PROGRAM, copy);
    EXPECT_EQ(
        RunCommand(copy.string() + " --screenshot " + (folder / "x.png").string() + " 2>/dev/null"),
        1);
    EXPECT_FALSE(std::filesystem::exists(folder / "x.png"));
}

TEST(HostProgramTest, VersionAndHelpNeedNoDisplay) {
    const CProgramOutput version =
        RunForOutput(std::string(kWithoutDisplay) + HOST_PROGRAM + " --version 2>&1");
    EXPECT_EQ(version.nExitCode, 0);
    EXPECT_EQ(version.text, "quorlan-host " QUORLAN_VERSION "\n");

    for (const char* help : {" --help", " -h"}) {
        const CProgramOutput usage =
            RunForOutput(std::string(kWithoutDisplay) + HOST_PROGRAM + help + " 2>&1");
        EXPECT_EQ(usage.nExitCode, 0) << help;
        EXPECT_TRUE(usage.text.starts_with("Usage: ")) << usage.text;
        EXPECT_NE(usage.text.find("--device-path <PATH>"), std::string::npos) << usage.text;
    }
}

} // namespace
