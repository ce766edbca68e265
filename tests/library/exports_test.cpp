#include "catalogue/message_catalogue.h"
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "library/Quorlan.h"
#include "library/quorlan_app.h"
#include "platform/codepage.h"
#include "tests/support/language_column.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

class ExportsTest : public ::testing::Test {
protected:
    void TearDown() override {
        g_nLanguageIndex = 0;
        platform::OverrideCodePages(std::nullopt, std::nullopt);
    }
};

TEST_F(ExportsTest, JapaneseTitleInAWesternCodePageBecomesDefaultCharacters) {
    g_nLanguageIndex = LanguageColumn("Japanese");
    platform::OverrideCodePages(1252, 850);
    char buffer[64] = {};
    ASSERT_EQ(GetWindowName(buffer, sizeof buffer), 9);
    EXPECT_STREQ(buffer, "????????");

    platform::OverrideCodePages(932, 932);
    const int needed = GetWindowName(nullptr, 0);
    EXPECT_EQ(needed, 17) << "eight double-byte characters and the NUL";
    EXPECT_EQ(platform::MultiByteToWide(932, std::string(buffer, GetWindowName(buffer, 64) - 1)),
              GetMessageText(0));
}

TEST_F(ExportsTest, FrenchTitleComesInTheAnsiCodePageNotTheOemOne) {
    g_nLanguageIndex = LanguageIndexForLcid(0x040C);
    platform::OverrideCodePages(1252, 850);
    char buffer[64] = {};
    ASSERT_EQ(GetWindowName(buffer, sizeof buffer), 21);
    EXPECT_STREQ(buffer, "Configuration r\xe9seau") << "850 would give \\x82 for the e acute";
}

TEST_F(ExportsTest, SettersConvertFromTheAnsiCodePageAndIgnoreNull) {
    ASSERT_NE(g_pMainDlg, nullptr) << "made when the library is loaded";
    platform::OverrideCodePages(1252, 850);
    SetDeviceName("Caf\xe9");
    EXPECT_EQ(g_pMainDlg->m_strDeviceName, u"Caf\u00e9");
    SetDevicePath("/media/sd");
    SetDevicePath(nullptr);
    EXPECT_EQ(g_pMainDlg->m_strDevicePath, u"/media/sd");
    platform::OverrideCodePages(1251, 866);
    SetDeviceName("\xcf\xeb\xe5\xe5\xf0");
    EXPECT_EQ(g_pMainDlg->m_strDeviceName, u"\u041f\u043b\u0435\u0435\u0440");
    EXPECT_EQ(GetWindowHandle(), 0);
}

// The library is the first caller's thread's: another one's calls change
// nothing.
TEST_F(ExportsTest, AnotherThreadsSettersChangeNothing) {
    SetDeviceName("Player");
    SetDevicePath("/media/player");
    std::thread([] {
        EXPECT_EQ(SetDeviceName("Worker"), 0);
        EXPECT_EQ(SetDevicePath("/media/worker"), 0);
    }).join();
    EXPECT_EQ(g_pMainDlg->m_strDeviceName, u"Player");
    EXPECT_EQ(g_pMainDlg->m_strDevicePath, u"/media/player");
}

TEST_F(ExportsTest, NothingHappensWithoutTheDialogObject) {
    theApp.ExitInstance();
    EXPECT_EQ(g_pMainDlg, nullptr);
    EXPECT_EQ(SetDeviceName("x"), 0);
    EXPECT_EQ(SetDevicePath("x"), 0);
    EXPECT_EQ(OpenQuorlanDlg(), 0);
    EXPECT_EQ(GetWindowHandle(), 0);
    EXPECT_EQ(GetWindowName(nullptr, 0), 22) << "the title needs no dialog object";
    theApp.InitInstance();
    EXPECT_NE(g_pMainDlg, nullptr);
}

} // namespace
