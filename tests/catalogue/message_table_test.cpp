#include "catalogue/message_catalogue.h"
#include "tests/support/language_column.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace {

const int kEnglish = LanguageColumn("English");
const int kFrench = LanguageColumn("French");
const int kDutch = LanguageColumn("Dutch");
const int kJapanese = LanguageColumn("Japanese");

std::u16string_view Cell(int id, int column) {
    return g_MessageTable[id * kLanguageCount + column];
}

TEST(MessageTable, EveryCellIsASingleLineText) {
    for (int cell = 0; cell < kMessageCount * kLanguageCount; ++cell) {
        ASSERT_NE(g_MessageTable[cell], nullptr) << cell;
        const std::u16string_view text = g_MessageTable[cell];
        EXPECT_EQ(text.find_first_of(u"\t\r\n"), std::u16string_view::npos)
            << "row " << cell / kLanguageCount << " column " << cell % kLanguageCount;
    }
}

// A wrapped line must never start with the colon or question mark that
// French sets apart from its word.
TEST(MessageTable, FrenchPunctuationKeepsToItsWord) {
    for (int id = 0; id < kMessageCount; ++id) {
        const std::u16string_view text = Cell(id, kFrench);
        EXPECT_EQ(text.find(u" :"), std::u16string_view::npos) << id;
        EXPECT_EQ(text.find(u" ?"), std::u16string_view::npos) << id;
    }
    EXPECT_EQ(Cell(113, kFrench), u"S\u00E9curit\u00E9\u00A0:");
}

TEST(MessageTable, DefaultColumnIsEnglish) {
    for (int id = 0; id < kMessageCount; ++id) {
        EXPECT_EQ(Cell(id, 0), Cell(id, kEnglish)) << id;
    }
}

// Near twins that are easy to get wrong.
TEST(MessageTable, EnglishTextsKeepTheirExactForm) {
    EXPECT_EQ(Cell(40, kEnglish), u"NOTE: Only Windows 7 and VISTA users require this setting.");
    EXPECT_EQ(Cell(143, kEnglish), u"NOTE: Only Windows 7 and VISTA users require this setting");
    EXPECT_EQ(Cell(79, kEnglish),
              u"You can use only \"0-9\", \"a-z\", \"A-Z\", \"-\" and \"_\"  for "
              u"Network folder user ID.");
}

TEST(MessageTable, PlaceholdersOnlyInTheDeviceRows) {
    for (int id = 0; id < kMessageCount; ++id) {
        for (int column = 0; column < kLanguageCount; ++column) {
            const std::u16string_view text = Cell(id, column);
            const bool placeholderExpected =
                id == kMsgSdCardOfDevice || (id == kMsgEnableNetworkDevice && column != kDutch);
            const auto percent = text.find(u'%');
            if (placeholderExpected) {
                ASSERT_NE(percent, std::u16string_view::npos) << id << '/' << column;
                EXPECT_EQ(text.substr(percent, 2), u"%s") << id << '/' << column;
                EXPECT_EQ(text.find(u'%', percent + 1), std::u16string_view::npos)
                    << id << '/' << column;
            } else {
                EXPECT_EQ(percent, std::u16string_view::npos) << id << '/' << column;
            }
        }
    }
}

TEST(MessageTable, FixedTranslations) {
    EXPECT_EQ(Cell(31, kJapanese), u"%sのネットワーク電源をオンにする");
    EXPECT_EQ(Cell(156, kJapanese), u"%sのSDカード");
    EXPECT_EQ(Cell(31, kDutch), u"Netwerk apparaat aanzetten");
}

TEST(MessageTable, CancelAndApplyOfTheMainDialogAreEmptyInSomeLanguages) {
    const std::set<int> emptyColumns = {2, 3, 4, 5, 6, 9};
    for (const int id : {42, 43}) {
        for (int column = 0; column < kLanguageCount; ++column) {
            EXPECT_EQ(Cell(id, column).empty(), emptyColumns.contains(column))
                << id << '/' << column;
        }
    }
}

TEST(MessageTable, EveryLanguageIsTranslated) {
    // Rows that may read as in English: names and abbreviations that most
    // languages keep ("Version 3.0", "DNS:", "OK", "SSID:", the security modes)
    // and words that some languages borrow ("Password:", "Subnet mask:", "No").
    const std::set<int> mayStayEnglish = {2,   16,  22,  24,  109, 111, 120,   122,
                                          130, 131, 132, 133, 134, 139, kMsgNo};
    for (int column = 2; column < kLanguageCount; ++column) {
        std::set<std::u16string_view> distinct;
        for (int id = 0; id < kMessageCount; ++id) {
            distinct.insert(Cell(id, column));
            if (!Cell(id, column).empty() && !mayStayEnglish.contains(id)) {
                EXPECT_NE(Cell(id, column), Cell(id, kEnglish)) << id << '/' << column;
            }
        }
        // Catches a column filled with one text or shifted by a row.
        EXPECT_GT(distinct.size(), 100u) << column;
        EXPECT_EQ(Cell(130, column), u"WEP") << column;
        EXPECT_EQ(Cell(134, column), u"WPA2 PSK TKIP") << column;
    }
}

} // namespace
