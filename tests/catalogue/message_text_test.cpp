#include "catalogue/message_catalogue.h"
#include "tests/support/language_column.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const int kDutch = LanguageColumn("Dutch");
const int kJapanese = LanguageColumn("Japanese");
const int kGerman = LanguageColumn("German");

// Each test starts in column 0 and leaves it so for the next.
class MessageText : public testing::Test {
protected:
    void SetUp() override { g_nLanguageIndex = 0; }
    void TearDown() override { g_nLanguageIndex = 0; }
};

TEST_F(MessageText, LooksUpTheSelectedColumn) {
    g_nLanguageIndex = kGerman;
    EXPECT_EQ(std::u16string(GetMessageText(10)), u"Beenden");
    g_nLanguageIndex = 0;
    EXPECT_EQ(std::u16string(GetMessageText(10)), u"Exit");
    EXPECT_EQ(std::u16string(GetMessageText(157)), u"Local computer");
}

TEST_F(MessageText, StrayIdentifierReadsAsEmpty) {
    for (const int id : {-1, kMessageCount, 100000}) {
        ASSERT_NE(GetMessageText(id), nullptr);
        EXPECT_EQ(std::u16string(GetMessageText(id)), u"") << id;
    }
    g_nLanguageIndex = kLanguageCount;
    EXPECT_EQ(std::u16string(GetMessageText(0)), u"");
}

TEST_F(MessageText, ComposeAppendsThreeSpacesAndReplacesTheBuffer) {
    std::u16string buffer = u"previous message";
    std::u16string& result = ComposeMessageText(buffer, 46);
    EXPECT_EQ(&result, &buffer);
    EXPECT_EQ(buffer, u"Settings loaded successfully.   ");

    g_nLanguageIndex = kJapanese;
    EXPECT_EQ(ComposeMessageText(buffer, 42), u"   "); // empty cell
}

TEST_F(MessageText, DeviceNameGoesWhereThePlaceholderStands) {
    EXPECT_EQ(FormatDeviceText(kMsgEnableNetworkDevice, u"KORDAVIN"),
              u"Enable Network device of KORDAVIN");
    EXPECT_EQ(FormatDeviceText(kMsgSdCardOfDevice, u"Player"), u"SD Card on the Player");

    g_nLanguageIndex = kJapanese;
    EXPECT_EQ(FormatDeviceText(kMsgEnableNetworkDevice, u"KORDAVIN"),
              u"KORDAVINのネットワーク電源をオンにする");
    EXPECT_EQ(FormatDeviceText(kMsgSdCardOfDevice, u"KORDAVIN"), u"KORDAVINのSDカード");
}

TEST_F(MessageText, TextWithoutPlaceholderIsShownUnchanged) {
    g_nLanguageIndex = kDutch;
    EXPECT_EQ(FormatDeviceText(kMsgEnableNetworkDevice, u"KORDAVIN"),
              u"Netwerk apparaat aanzetten");
    g_nLanguageIndex = 0;
    EXPECT_EQ(FormatDeviceText(10, u"KORDAVIN"), u"Exit");
}

TEST_F(MessageText, DeviceNameIsNeverReadAsAFormat) {
    EXPECT_EQ(FormatDeviceText(kMsgSdCardOfDevice, u"%s%n%x"), u"SD Card on the %s%n%x");
    EXPECT_EQ(FormatDeviceText(kMsgEnableNetworkDevice, u"%%"), u"Enable Network device of %%");
    EXPECT_EQ(FormatDeviceText(kMsgEnableNetworkDevice, u""), u"Enable Network device of ");

    const std::u16string longName(5000, u'%');
    EXPECT_EQ(FormatDeviceText(kMsgSdCardOfDevice, longName), u"SD Card on the " + longName);

    g_nLanguageIndex = kJapanese;
    EXPECT_EQ(FormatDeviceText(kMsgSdCardOfDevice, u"%s"), u"%sのSDカード");
}

} // namespace
