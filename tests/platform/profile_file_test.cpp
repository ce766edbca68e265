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

// Files the program did not write, from a card or an editor, read as the
// profile functions read them.
TEST_F(ProfileFileTest, FilesFromElsewhereReadAsTheProfileFunctionsReadThem) {
    const auto value = [](const std::string& bytes, std::u16string_view section = u"S") {
        return CProfileFile(bytes).GetString(section, u"K", u"<none>", 1024);
    };
    // A UTF-8 byte order mark: the first section is found, the text is UTF-8.
    const std::string utf8 = "\xEF\xBB\xBF[S]\r\nK=Caf\xC3\xA9\r\n";
    EXPECT_EQ(value(utf8), u"Caf\u00E9");
    // UTF-16 big-endian, and a last byte that is no whole unit.
    const std::string bigEndian("\xFE\xFF\0[\0S\0]\0\n\0K\0=\0C\0\xE9", 18);
    EXPECT_EQ(value(bigEndian), u"C\u00E9");
    const std::string odd("\xFF\xFE[\0S\0]\0\n\0K\0=\0v\0x", 17);
    EXPECT_EQ(value(odd), u"v");
    // Vertical tab, form feed and Ctrl-Z are blanks at either end.
    EXPECT_EQ(value("[S]\nK=\vHome\x1A\f\n"), u"Home");
    EXPECT_EQ(value("[S]\n\fK\x1A=v\n"), u"v");
    // A header ends at its last "]"; a line without one is no header.
    EXPECT_EQ(value("[a]b]\nK=v\n", u"a]b"), u"v");
    EXPECT_EQ(value("[S]\nK=first\n[T\nK=second\n"), u"first");
    EXPECT_EQ(value("[T\nK=v\n", u"T"), u"<none>");
    for (const std::string& bytes : {utf8, bigEndian, odd, std::string("[a]b]\nK=v\n[T\nK=w")}) {
        ExpectSameAnswers(bytes, {u"S", u"a]b", u"a", u"T"}, {u"K", u"[T\nK"});
    }
}

// Changed and written back, a file keeps its encoding and its mark.
TEST_F(ProfileFileTest, AFileWithAByteOrderMarkIsWrittenBackInItsEncoding) {
    for (const std::string& bytes : {std::string("\xEF\xBB\xBF[S]\r\nK=Caf\xC3\xA9\r\n"),
                                     std::string("\xFE\xFF\0[\0S\0]\0\r\0\n", 12)}) {
        auto document = CIniDocument::FromBytes(bytes);
        ASSERT_TRUE(document.SetValue(u"S", u"New", u"\u0416"));
        const std::string written = document.ToBytes();
        EXPECT_EQ(written.substr(0, 2), bytes.substr(0, 2));
        EXPECT_EQ(CProfileFile(written).GetString(u"S", u"New", u"", 16), u"\u0416");
    }
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
