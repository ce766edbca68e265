#include "platform/codepage.h"
#include "platform/ini_document.h"

#include <gtest/gtest.h>

namespace {

using platform::CIniDocument;

class IniDocumentTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }
};

TEST_F(IniDocumentTest, ReadsByTheWindowsRules) {
    const auto document = CIniDocument::FromBytes("; comment\r\n"
                                                  "  [ Common ]  \r\n"
                                                  "  Wireless_Setting_Total  =  3  \r\n"
                                                  "not a key\r\n"
                                                  ";KEY=commented\r\n"
                                                  "QUOTED=\"\"x\"\"\r\n"
                                                  "SINGLE='y'\r\n"
                                                  "LONE=\"z\r\n"
                                                  "EMPTY=\r\n"
                                                  "KEY=first\r\n"
                                                  "key=second\r\n"
                                                  "[common]\r\n"
                                                  "OTHER=hidden\r\n");
    EXPECT_EQ(document.GetValue(u"COMMON", u"WIRELESS_SETTING_TOTAL"), u"3");
    EXPECT_EQ(document.GetValue(u"Common", u"QUOTED"), u"\"x\"");
    EXPECT_EQ(document.GetValue(u"Common", u"SINGLE"), u"y");
    EXPECT_EQ(document.GetValue(u"Common", u"LONE"), u"\"z");
    EXPECT_EQ(document.GetValue(u"Common", u"EMPTY"), u"");
    EXPECT_EQ(document.GetValue(u"Common", u"KEY"), u"first");
    EXPECT_EQ(document.GetValue(u"Common", u"not a key"), std::nullopt);
    // Only the first section of a name is looked at.
    EXPECT_EQ(document.GetValue(u"Common", u"OTHER"), std::nullopt);
    EXPECT_EQ(document.GetValue(u"Missing", u"KEY"), std::nullopt);
}

TEST_F(IniDocumentTest, TabsAroundNamesAndValuesAreBlanksToo) {
    const auto document = CIniDocument::FromBytes("\t[\tCommon\t]\t\r\n"
                                                  "\tKEY\t=\tvalue\t\r\n");
    EXPECT_EQ(document.GetValue(u"Common", u"KEY"), u"value");
    EXPECT_EQ(document.GetValue(u"\tCommon ", u" KEY\t"), u"value");
}

TEST_F(IniDocumentTest, AnyLineEndingReads) {
    for (const char* text : {"[S]\nA=1\nB=2", "[S]\rA=1\rB=2\r", "[S]\r\nA=1\r\nB=2\r\n"}) {
        const auto document = CIniDocument::FromBytes(text);
        EXPECT_EQ(document.GetValue(u"S", u"A"), u"1") << text;
        EXPECT_EQ(document.GetValue(u"S", u"B"), u"2") << text;
    }
}

TEST_F(IniDocumentTest, WritesKeysAtTheEndOfTheirSectionAndSectionsAtTheEnd) {
    auto document = CIniDocument::FromBytes({});
    document.SetValue(u"NewtworkFolderSetting", u"NETFOLDER_NAME", u"");
    document.SetValue(u"Common", u"NETWORK_DEVICE_POWER_MANAGEMENT", u"1");
    document.SetValue(u"UserNetworkSetting", u"WIRELESS_DHCP", u"1");
    document.SetValue(u"Common", u"WIRELESS_SETTING_TOTAL", u"1");
    document.SetValue(u"NewtworkFolderSetting", u"NETFOLDER_UID", u"u");
    EXPECT_EQ(document.ToBytes(), "[NewtworkFolderSetting]\r\n"
                                  "NETFOLDER_NAME=\r\n"
                                  "NETFOLDER_UID=u\r\n"
                                  "[Common]\r\n"
                                  "NETWORK_DEVICE_POWER_MANAGEMENT=1\r\n"
                                  "WIRELESS_SETTING_TOTAL=1\r\n"
                                  "[UserNetworkSetting]\r\n"
                                  "WIRELESS_DHCP=1\r\n");
}

TEST_F(IniDocumentTest, ChangesKeepTheRestOfTheFile) {
    auto document = CIniDocument::FromBytes("; keep me\n[A]\nkey=1\n\n[B]\nx=2\n");
    document.SetValue(u"a", u"KEY", u"9"); // spelling in the file is kept
    document.SetValue(u"A", u"NEW", u"n"); // before the blank line
    document.SetValue(u"C", u"c", u"3");
    EXPECT_EQ(document.ToBytes(),
              "; keep me\r\n[A]\r\nkey=9\r\nNEW=n\r\n\r\n[B]\r\nx=2\r\n[C]\r\nc=3\r\n");
}

TEST_F(IniDocumentTest, WritesGoToTheRightSectionAfterSectionsComeAndGo) {
    // The section found last is remembered, and a second [b] must not then
    // take the place of the first.
    auto document = CIniDocument::FromBytes("[B]\r\n[A]\r\n[b]\r\nx=hidden\r\n");
    document.SetValue(u" b ", u"one", u"1");
    document.SetValue(u"C", u"two", u"2");
    document.SetValue(u"B", u"three", u"3");
    EXPECT_EQ(document.GetValue(u"b", u"X"), std::nullopt) << "the first [B] is the one read";
    EXPECT_EQ(document.ToBytes(), "[B]\r\none=1\r\nthree=3\r\n[A]\r\n[b]\r\nx=hidden\r\n"
                                  "[C]\r\ntwo=2\r\n");
}

TEST_F(IniDocumentTest, TextIsInTheAnsiCodePageOrUtf16WithItsMark) {
    auto ansi = CIniDocument::FromBytes({});
    ansi.SetValue(u"S", u"SSID", u"Caf\u00e9\u30cd");
    EXPECT_EQ(ansi.ToBytes(), "[S]\r\nSSID=Caf\xe9?\r\n");

    const std::string utf16("\xff\xfe[\0S\0]\0\r\0\n\0K\0=\0\xcd\x30\r\0\n\0", 22);
    auto wide = CIniDocument::FromBytes(utf16);
    EXPECT_EQ(wide.GetValue(u"S", u"K"), u"\u30cd");
    EXPECT_EQ(wide.ToBytes(), utf16);

    // A lone surrogate is a unit like any other: it is kept, and the units
    // after it stay in step.
    EXPECT_TRUE(wide.SetValue(u"S", u"K",
                              u"a\xdf00"
                              u"b"));
    EXPECT_TRUE(wide.SetValue(u"S", u"L", u"after"));
    const auto reread = CIniDocument::FromBytes(wide.ToBytes());
    EXPECT_EQ(reread.GetValue(u"S", u"K"), u"a\xdf00"
                                           u"b");
    EXPECT_EQ(reread.GetValue(u"S", u"L"), u"after");
    EXPECT_EQ(wide.ToBytes().size() % 2, 0u);

    // A name the ANSI code page lacks cannot be found again, so it is refused.
    EXPECT_FALSE(ansi.SetValue(u"S\u30cd", u"K", u"v"));
    EXPECT_FALSE(ansi.SetValue(u"S", u"K\u30cd", u"v"));
    EXPECT_TRUE(wide.SetValue(u"S\u30cd", u"K\u30cd", u"v"));
}

TEST_F(IniDocumentTest, LinesNotChangedKeepTheirBytes) {
    // 0x81 and 0x8D are no characters of code page 1252; tabs and odd
    // blanks stay too.
    const std::string file = "[A]\nname=x\x81y\r\n\tkey =\x8D\r[B]\r\nold=1\r\n";
    auto document = CIniDocument::FromBytes(file);
    document.SetValue(u"B", u"old", u"2");
    document.SetValue(u"B", u"new", u"\u00e9");
    EXPECT_EQ(document.ToBytes(),
              "[A]\r\nname=x\x81y\r\n\tkey =\x8D\r\n[B]\r\nold=2\r\nnew=\xe9\r\n");
}

TEST_F(IniDocumentTest, ChangedLinesKeepEveryByteOfWindows1252) {
    std::string value = "<";
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n') {
            value.push_back(static_cast<char>(byte));
        }
    }
    value += ">";
    auto document = CIniDocument::FromBytes("[S]\r\nKEY=" + value + "\r\n");
    const auto text = document.GetValue(u"S", u"KEY");
    ASSERT_TRUE(text.has_value());
    document.SetValue(u"S", u"KEY", *text);
    document.SetValue(u"S", u"COPY", *text);
    EXPECT_EQ(document.ToBytes(), "[S]\r\nKEY=" + value + "\r\nCOPY=" + value + "\r\n");
}

TEST_F(IniDocumentTest, OddInputNeverBreaksTheReader) {
    const std::string binary("\0\xff[\0]=\x80\r\r\n===\n[", 16);
    const auto document = CIniDocument::FromBytes(binary);
    EXPECT_EQ(document.GetValue(u"S", u"K"), std::nullopt);
    const auto odd = CIniDocument::FromBytes(std::string("\xff\xfe", 2) + "x"); // odd UTF-16 length
    EXPECT_EQ(odd.GetValue(u"S", u"K"), std::nullopt);
    const auto unclosed = CIniDocument::FromBytes("[Common\nKEY=v\n");
    EXPECT_EQ(unclosed.GetValue(u"Common", u"KEY"), std::nullopt) << "no header without \"]\"";
}

// A name that would read back as a comment, a header or another key, or a
// line break that would split a line, is refused and changes nothing; and
// nothing throws: the document sits below every host.
TEST_F(IniDocumentTest, WhatWouldNotReadBackIsRefusedAndChangesNothing) {
    const std::string bytes = "[S]\r\n;k=1\r\nK=v\r\n";
    for (const std::u16string_view key : {u";k", u"[k]", u"a=b", u";", u"k\r\n[T]"}) {
        auto document = CIniDocument::FromBytes(bytes);
        EXPECT_FALSE(document.SetValue(u"S", key, u"2"));
        EXPECT_FALSE(document.SetValue(u"New", key, u"2"));
        EXPECT_EQ(document.ToBytes(), bytes) << std::string(key.begin(), key.end());
    }
    for (const std::u16string_view section : {u"a\nb", u"S\r", u"a\x1A\nb"}) {
        auto document = CIniDocument::FromBytes(bytes);
        EXPECT_FALSE(document.SetValue(section, u"K", u"2"));
        EXPECT_FALSE(document.AddSection(section));
        EXPECT_EQ(document.ToBytes(), bytes) << std::string(section.begin(), section.end());
    }
    auto document = CIniDocument::FromBytes(bytes);
    EXPECT_FALSE(document.SetValue(u"S", u"K", u"two\r\nK2=lines"));
    EXPECT_FALSE(document.SetValue(u"S", u"K", u"cr\ronly"));
    EXPECT_EQ(document.ToBytes(), bytes);
    EXPECT_TRUE(document.SetValue(u"S", u" K ", u"changed"));
    EXPECT_EQ(document.GetValue(u"S", u"K"), u"changed");
}

} // namespace
