#include "platform/last_error.h"
#include "platform/restart.h"
#include "tests/support/environment_variable.h"
#include "tests/support/stand_in_program.h"
#include "tests/support/temp_folder.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

using namespace platform;

TEST(Restart, RunsTheConfiguredCommandWithItsArguments) {
    CTempFolder folder;
    const auto record = folder.Path() / "record";
    CEnvironmentVariable recordTo("KORDAVIN_RESTART_RECORD", record.string());
    CEnvironmentVariable command("KORDAVIN_RESTART_COMMAND",
                                 std::string(QUORLAN_BINARY_DIR) +
                                     "/test-root/record-restart now please");
    EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(AwaitRecord(record), "restart now please\n");
}

TEST(Restart, ReportsACommandThatCannotStartAndRefusesOtherRequests) {
    CTempFolder folder;
    CEnvironmentVariable command("KORDAVIN_RESTART_COMMAND", (folder.Path() / "missing").string());
    EXPECT_FALSE(ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    const auto record = folder.Path() / "record";
    CEnvironmentVariable recordTo("KORDAVIN_RESTART_RECORD", record.string());
    CEnvironmentVariable recording("KORDAVIN_RESTART_COMMAND",
                                   std::string(QUORLAN_BINARY_DIR) + "/test-root/record-restart");
    EXPECT_FALSE(ExitWindowsEx(1, 0)); // a shutdown is not offered
    EXPECT_FALSE(std::filesystem::exists(record));
}
