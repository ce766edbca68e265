#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/private_profile.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

class PrivateProfileTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }

    std::u16string Read(const char16_t* section, const char16_t* key, const char16_t* fallback,
                        std::uint32_t size = 1024) {
        std::u16string buffer(size, u'#');
        const auto count =
            GetPrivateProfileString(section, key, fallback, buffer.data(), size, m_file);
        EXPECT_EQ(buffer[count], u'\0');
        return buffer.substr(0, count);
    }

    CTempFolder m_folder;
    std::filesystem::path m_file = m_folder / "settings.ini";
};

TEST_F(PrivateProfileTest, WritesThroughToTheFileAtOnce) {
    EXPECT_TRUE(WritePrivateProfileString(u"Common", u"A", u"1", m_file));
    EXPECT_TRUE(WritePrivateProfileString(u"Common", u"B", u"2", m_file));
    EXPECT_EQ(platform::ReadWholeFile(m_file), "[Common]\r\nA=1\r\nB=2\r\n");
    EXPECT_TRUE(WritePrivateProfileString(u"Common", u"A", nullptr, m_file));
    EXPECT_EQ(platform::ReadWholeFile(m_file), "[Common]\r\nB=2\r\n");
    EXPECT_TRUE(WritePrivateProfileString(u"Common", nullptr, nullptr, m_file));
    EXPECT_EQ(platform::ReadWholeFile(m_file), "");
    EXPECT_TRUE(WritePrivateProfileString(nullptr, nullptr, nullptr, m_file)); // flush
    EXPECT_FALSE(WritePrivateProfileString(nullptr, u"A", u"1", m_file));
}

TEST_F(PrivateProfileTest, ReadsValuesDefaultsAndCutsToTheBuffer) {
    ASSERT_TRUE(WritePrivateProfileString(u"S", u"KEY", u"abcdef", m_file));
    EXPECT_EQ(Read(u"S", u"KEY", u"d"), u"abcdef");
    EXPECT_EQ(Read(u"S", u"KEY", u"d", 4), u"abc");
    EXPECT_EQ(Read(u"S", u"MISSING", u"fallback  "), u"fallback");
    EXPECT_EQ(Read(u"S", u"MISSING", nullptr), u"");
    EXPECT_EQ(Read(u"Other", u"KEY", u"x"), u"x");
    std::filesystem::remove(m_file);
    EXPECT_EQ(Read(u"S", u"KEY", u"gone"), u"gone");
    char16_t unused = u'#';
    EXPECT_EQ(GetPrivateProfileString(u"S", u"KEY", u"d", &unused, 0, m_file), 0u);
    EXPECT_EQ(unused, u'#');
}

TEST_F(PrivateProfileTest, FailedWriteLeavesTheFileAsItWas) {
    ASSERT_TRUE(WritePrivateProfileString(u"S", u"KEY", u"kept", m_file));
    EXPECT_FALSE(WritePrivateProfileString(u"S", u"KEY", u"lost", m_folder / "no/such/file"));
    EXPECT_FALSE(WritePrivateProfileString(u"S", u"KEY", u"lost", m_folder.Path()));
    EXPECT_EQ(Read(u"S", u"KEY", u""), u"kept");
}

TEST_F(PrivateProfileTest, NamesAndValuesThatWouldBreakTheFileAreRefused) {
    ASSERT_TRUE(WritePrivateProfileString(u"S", u"KEY", u"kept", m_file));
    const auto before = platform::ReadWholeFile(m_file);
    EXPECT_FALSE(WritePrivateProfileString(u"a]b", u"KEY", u"x", m_file));
    EXPECT_FALSE(WritePrivateProfileString(u"two\nlines", u"KEY", u"x", m_file));
    EXPECT_FALSE(WritePrivateProfileString(u"S", u"K=EY", u"x", m_file));
    EXPECT_FALSE(WritePrivateProfileString(u"S", u"[KEY", u"x", m_file));
    EXPECT_FALSE(WritePrivateProfileString(u"S", u"KEY", u"x\r\nEVIL=1", m_file));
    EXPECT_FALSE(WritePrivateProfileString(u"S\r", nullptr, nullptr, m_file));
    EXPECT_EQ(platform::ReadWholeFile(m_file), before);
    EXPECT_TRUE(WritePrivateProfileString(u"a[b", u"KEY", u"x", m_file))
        << "an opening bracket reads back";
    EXPECT_EQ(Read(u"a[b", u"KEY", u""), u"x");
}

} // namespace
