#include "platform/codepage.h"
#include "platform/ini_document.h"
#include "platform/profile_file.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using platform::CIniDocument;
using platform::CProfileFile;

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }

    // Every lookup answers as the document that edits the same bytes would.
    void ExpectSameAnswers(const std::string& bytes,
                           const std::vector<std::u16string_view>& sections,
                           const std::vector<std::u16string_view>& keys) {
        const CProfileFile file(bytes);
        const auto document = CIniDocument::FromBytes(bytes);
        for (const std::u16string_view section : sections) {
            for (const std::u16string_view key : keys) {
                EXPECT_EQ(file.GetString(section, key, u"<none>", 1024),
                          document.GetValue(section, key).value_or(u"<none>"))
                    << std::string(section.begin(), section.end()) << "/"
                    << std::string(key.begin(), key.end());
            }
        }
    }
};

TEST_F(ProfileFileTest, LookupsAnswerAsTheDocumentDoes) {
    const std::string bytes = "KEY=before any section\n"
                              "[Other]\nKEY=other\n"
                              " [ common ] \n Key = first \nKEY=second\n;LATER=comment\n"
                              "[COMMON]\nLATER=hidden\n"
                              "[Quotes]\r\nA=\"\"x\"\"\r\nB='y'\rC=\"z\r\n\tD\t=\t \r\n"
                              "F=\"\r\nG='\r\n[Open\nE=e";
    ExpectSameAnswers(
        bytes, {u"Common", u"  COMMON ", u"Other", u"None", u"Quotes", u"Open", u""},
        {u"KEY", u" key ", u"LATER", u"MISSING", u"A", u"b", u"C", u"D", u"E", u"F", u"G"});
    const CProfileFile file(bytes);
    EXPECT_EQ(file.GetString(u"Common", u"KEY", u"", 1024), u"first");
    // A quote alone encloses nothing: it is the value.
    EXPECT_EQ(file.GetString(u"Quotes", u"F", u"", 1024), u"\"");
    EXPECT_EQ(file.GetString(u"Quotes", u"G", u"", 1024), u"'");
}

TEST_F(ProfileFileTest, Utf16FilesAndUnreadableBytesAnswerAsTheDocumentDoes) {
    ExpectSameAnswers(std::string("\xff\xfe[\0S\0]\0\r\0\n\0K\0=\0\xcd\x30\r\0\n\0", 22), {u"S"},
                      {u"K"});
    ExpectSameAnswers("[S]\r\nK=a\x81\x98\xff\0b\r\n", {u"S"}, {u"K"});
}

TEST_F(ProfileFileTest, ThousandsOfKeysAnswerAsTheDocumentDoesInAnyOrder) {
    // Keys are found by their hash, and the key after the last one found is
    // tried first: both must give the first key of a name, in any case.
    std::string bytes = "[Big]\r\n";
    std::vector<std::u16string> names;
    for (int i = 0; i < 3000; ++i) {
        const std::string name = "KEY_" + std::to_string(i * 7919 % 3001);
        bytes += name + "=" + std::to_string(i) + "\r\n";
        if (i % 5 == 0) {
            bytes += "key_" + name.substr(4) + "=later " + std::to_string(i) + "\r\n";
        }
        names.emplace_back(name.begin(), name.end());
    }
    bytes += "[big]\r\nKEY_1=hidden\r\n";
    // Each name twice, so that the key after a name's first key is tried
    // for the same name again.
    std::vector<std::u16string_view> inFileOrder;
    for (const auto& name : names) {
        inFileOrder.insert(inFileOrder.end(), 2, name);
    }
    inFileOrder.push_back(u"KEY_3001");
    ExpectSameAnswers(bytes, {u"Big"}, inFileOrder);
    ExpectSameAnswers(bytes, {u"BIG"}, {inFileOrder.rbegin(), inFileOrder.rend()});
}

TEST_F(ProfileFileTest, AValueOrDefaultEndsAtItsFirstNul) {
    // As a caller's buffer holds it: the NUL ends the string.
    const std::string bytes("[S]\r\nK=ab\0cd\r\nL=x\r\n", 18);
    const CProfileFile file(bytes);
    EXPECT_EQ(file.GetString(u"S", u"K", u"", 16), u"ab");
    EXPECT_EQ(file.GetString(u"S", u"L", u"", 16), u"x");
    const std::u16string defaultWithNul(u"de\0f", 4);
    EXPECT_EQ(file.GetString(u"S", u"M", defaultWithNul, 16), u"de");
    EXPECT_EQ(CProfileFile().GetString(u"S", u"M", defaultWithNul, 16), u"de");
    EXPECT_EQ(file.GetString(u"S", u"K", u"", 2), u"a");
    EXPECT_EQ(file.GetString(u"S", u"K", u"", 0), u"");
}

TEST_F(ProfileFileTest, AFileOfMillionsOfEmptyLinesReadsAsEmpty) {
    const CProfileFile file(std::string(4 << 20, '\r') + "[S]\rK=v\r");
    EXPECT_EQ(file.GetString(u"S", u"K", u"", 16), u"v");
    EXPECT_EQ(file.GetString(u"S", u"MISSING", u"default  ", 16), u"default");
    EXPECT_EQ(file.GetString(u"T", u"K", u"", 16), u"");
}

} // namespace
