#include "dialogs/about_dlg.h"
#include "quorlan_dlg_fixture.h"
#include "tests/support/language_column.h"

namespace {

using AboutDlgTest = QuorlanDlgTest;

TEST_F(AboutDlgTest, WindowMenuEntryOpensTheAboutBox) {
    bool opened = false;
    m_ui.OnNextModal(kAboutDlgTemplateId, [&](ui::headless::CHeadlessWindow& about) {
        opened = true;
        EXPECT_EQ(about.Title(), u"About network configuration utility");
        EXPECT_EQ(about.Text(IDC_ABOUT_VERSION), u"Version 3.0");
        EXPECT_NE(about.Text(IDC_ABOUT_NOTICE_FIRST).find(u"OpenSSL 3."), std::u16string::npos);
        about.PressEnter();
    });
    Show([](ui::headless::CHeadlessWindow& window) {
        EXPECT_TRUE(window.ChooseSystemMenuCommand(IDM_ABOUTBOX));
        EXPECT_FALSE(window.HasEnded()) << "the main dialog stays open";
    });
    EXPECT_TRUE(opened);
}

TEST_F(AboutDlgTest, VersionLineFollowsTheLanguage) {
    g_nLanguageIndex = LanguageColumn("German");
    m_ui.OnNextModal(kAboutDlgTemplateId, [](ui::headless::CHeadlessWindow& about) {
        EXPECT_EQ(about.Text(IDC_ABOUT_VERSION), GetMessageText(2));
        EXPECT_NE(about.Title(), u"About network configuration utility");
    });
    Show([](ui::headless::CHeadlessWindow& window) {
        window.ChooseSystemMenuCommand(IDM_ABOUTBOX);
    });
}

} // namespace
