#include "platform/last_error.h"
#include "platform/named_mutex.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;

TEST(NamedMutex, SecondHolderSeesItExistsUntilTheFirstLetsGo) {
    CTempFolder runtime;
    CEnvironmentVariable env("XDG_RUNTIME_DIR", runtime.Path().string());

    const int first = CreateMutex(u"Brenhold");
    ASSERT_GE(first, 0);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(runtime.Path() / "Brenhold.lock"));

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

TEST(NamedMutex, NamesThatWouldLeaveTheFolderAreRefused) {
    CTempFolder runtime;
    CEnvironmentVariable env("XDG_RUNTIME_DIR", runtime.Path().string());
    EXPECT_EQ(CreateMutex(u"../escape"), -1);
    EXPECT_EQ(CreateMutex(u""), -1);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}
