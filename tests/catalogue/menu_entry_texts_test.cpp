// The menu entries and the software centre's page name the programs as
// their windows do, in every language of the catalogue, and leave none out.
#include "catalogue/message_catalogue.h"
#include "platform/codepage.h"
#include "platform/file_reader.h"
#include "tests/support/whole_file.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>

namespace {

std::string Cell(int id, int column) {
    return platform::WideToMultiByte(platform::kUtf8CodePage,
                                     g_MessageTable[id * kLanguageCount + column]);
}

// "Key[tag]=value" lines of a desktop entry; the untranslated key as "Key".
std::map<std::string, std::string> DesktopEntry(const char* file) {
    const auto text = ReadWholeFile(std::string(QUORLAN_SOURCE_DIR "/") + file);
    EXPECT_TRUE(text.has_value()) << file;
    std::map<std::string, std::string> keys;
    const std::regex line(R"(^([A-Za-z-]+(\[[A-Za-z_]+\])?)=(.*)$)", std::regex::multiline);
    for (auto it = std::sregex_iterator(text->begin(), text->end(), line);
         it != std::sregex_iterator(); ++it) {
        keys[(*it)[1]] = (*it)[3];
    }
    return keys;
}

// Each translated language of the catalogue, as the entries' keys name it.
template <typename Check> void ForEachTranslatedColumn(Check check) {
    for (int column = 2; column < kLanguageCount; ++column) {
        const std::string tag(LanguageTagOfColumn(column));
        SCOPED_TRACE(tag);
        check(column, "[" + tag + "]");
    }
}

TEST(MenuEntryTexts, TheHostsEntryIsTheDialogsTitleWithEveryKeyTranslated) {
    auto entry = DesktopEntry("host/org.kordavin.quorlan.desktop.in");
    EXPECT_EQ(entry["Name"], Cell(0, 0));
    ForEachTranslatedColumn([&](int column, const std::string& tag) {
        EXPECT_EQ(entry["Name" + tag], Cell(0, column));
        for (const char* key : {"GenericName", "Comment", "Keywords"}) {
            EXPECT_FALSE(entry[key + tag].empty()) << key;
            EXPECT_NE(entry[key + tag], entry[key]) << key;
        }
        // Found by the names of the pages the user will fill in.
        const std::string keywords = ";" + entry["Keywords" + tag];
        EXPECT_NE(keywords.find(";" + Cell(4, column) + ";"), std::string::npos);
        EXPECT_NE(keywords.find(";" + Cell(5, column) + ";"), std::string::npos);
    });
}

TEST(MenuEntryTexts, BrenholdsEntryIsItsWindowTitle) {
    auto entry = DesktopEntry("authlevel/brenhold.desktop.in");
    EXPECT_EQ(entry["Name"], Cell(kMsgLocalSecuritySetting, 0));
    ForEachTranslatedColumn([&](int column, const std::string& tag) {
        EXPECT_EQ(entry["Name" + tag], Cell(kMsgLocalSecuritySetting, column));
        EXPECT_NE(entry["Comment" + tag], entry["Comment"]);
        EXPECT_NE(entry["Keywords" + tag], entry["Keywords"]);
    });
}

TEST(MenuEntryTexts, TheSoftwareCentrePageHasTheEntrysNameAndSummary) {
    const auto metainfo =
        ReadWholeFile(QUORLAN_SOURCE_DIR "/host/org.kordavin.quorlan.metainfo.xml.in");
    ASSERT_TRUE(metainfo.has_value());
    auto entry = DesktopEntry("host/org.kordavin.quorlan.desktop.in");
    const auto element = [&](const std::string& name, const std::string& lang) {
        const std::regex pattern("<" + name + (lang.empty() ? "" : " xml:lang=\"" + lang + "\"") +
                                 ">([^<]*)</" + name + ">");
        std::smatch match;
        return std::regex_search(*metainfo, match, pattern) ? match[1].str() : std::string("-");
    };
    EXPECT_EQ(element("name", ""), entry["Name"]);
    EXPECT_EQ(element("summary", ""), entry["Comment"]);
    ForEachTranslatedColumn([&](int, const std::string& tag) {
        const std::string lang = tag.substr(1, tag.size() - 2);
        EXPECT_EQ(element("name", lang), entry["Name" + tag]);
        EXPECT_EQ(element("summary", lang), entry["Comment" + tag]);
    });
}

} // namespace
