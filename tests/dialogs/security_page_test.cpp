#include "dialogs/main_dialog/security_page.h"
#include "dialogs/wifi_security.h"
#include "platform/administrator.h"
#include "platform/module.h"
#include "tests/dialogs/quorlan_dlg_fixture.h"
#include "tests/support/language_column.h"
#include "tests/support/stand_in_program.h"

using ui::headless::CHeadlessWindow;

namespace {

const int kJapanese = LanguageColumn("Japanese");

std::vector<std::u16string> TextsOf(std::initializer_list<int> ids) {
    std::vector<std::u16string> texts;
    for (const int id : ids) {
        texts.emplace_back(GetMessageText(id));
    }
    return texts;
}

TEST(FrontWindowTitles, FollowTheCurrentLanguageInTheirOrder) {
    g_nLanguageIndex = LanguageColumn("English");
    EXPECT_EQ(FrontWindowTitles(), TextsOf({138, 153, 1, 106, 45, 66, 70, 83, 89, 135, 150}));
    EXPECT_EQ(FrontWindowTitles().front(), u"Local Security Setting");
    g_nLanguageIndex = kJapanese;
    const std::vector<std::u16string> japanese = FrontWindowTitles();
    EXPECT_EQ(japanese, TextsOf({138, 153, 1, 106, 45, 66, 70, 83, 89, 135, 150}));
    EXPECT_EQ(japanese[0], u"ローカル セキュリティ設定");
    EXPECT_EQ(japanese[3], GetMessageText(kMsgWirelessLanProperty));
    g_nLanguageIndex = 0;
}

TEST(SecuritySettingProgram, IsBrenholdBesideTheRunningProgram) {
    EXPECT_EQ(SecuritySettingProgram(), platform::GetModuleFileName().parent_path() / "Brenhold");
}

using SecurityPageTest = QuorlanDlgTest;

TEST_F(SecurityPageTest, MovingTheDialogBringsEachFoundWindowForwardInTitleOrder) {
    const ui::WindowHandle wirelessMessage = m_ui.AddForeignWindow(u"Wireless setting");
    const ui::WindowHandle brenhold = m_ui.AddForeignWindow(u"Local Security Setting");
    m_ui.AddForeignWindow(u"Local Security Setting (copy)");
    Show([&](CHeadlessWindow& window) {
        EXPECT_TRUE(m_ui.RaisedWindows().empty()) << "nothing moves before the user does";
        window.MoveWindow();
        // Brenhold's title is also its messages' caption, the last title looked for.
        const std::vector<ui::WindowHandle> expected = {brenhold, wirelessMessage, brenhold};
        EXPECT_EQ(m_ui.RaisedWindows(), expected);
        window.MoveWindow();
        EXPECT_EQ(m_ui.RaisedWindows().size(), 6u) << "one round for each change";
    });
}

TEST_F(SecurityPageTest, PropertyDialogComesForwardWhenTheMainDialogMoves) {
    Show([&](CHeadlessWindow& main) {
        m_ui.OnNextModal(kWifiSecurityTemplateId, [&](CHeadlessWindow& property) {
            main.MoveWindow();
            EXPECT_EQ(m_ui.ForegroundWindow(), property.Handle());
        });
        main.Click(IDC_ADD);
    });
}

// The launch of an ordinary user, with pkexec or without.
class SecurityLaunchTest : public QuorlanDlgTest {
protected:
    void SetUp() override {
        QuorlanDlgTest::SetUp();
        platform::OverrideIsUserAnAdminForTesting(false);
    }
    void TearDown() override {
        platform::OverrideIsUserAnAdminForTesting(std::nullopt);
        QuorlanDlgTest::TearDown();
    }

    // Presses the button on the security page; the dialog must be as before.
    void PressStartSecuritySetting() {
        Show([&](CHeadlessWindow& window) {
            ASSERT_TRUE(window.Choose(IDC_TABS, 2));
            const std::u16string title = window.Title();
            ASSERT_TRUE(window.Click(IDC_START_SECURITY_SETTING));
            EXPECT_FALSE(window.HasEnded());
            EXPECT_EQ(window.CurTab(IDC_TABS), 2);
            EXPECT_EQ(window.Title(), title);
            EXPECT_TRUE(window.IsEnabled(IDC_START_SECURITY_SETTING));
            EXPECT_TRUE(m_ui.MessageBoxes().empty());
        });
    }

    std::filesystem::path Pkexec() const { return m_folder / "sbin/pkexec"; }
    std::filesystem::path Record() const { return m_folder / "pkexec-record"; }

    CEnvironmentVariable m_pkexec{"KORDAVIN_PKEXEC", Pkexec().string()};
};

TEST_F(SecurityLaunchTest, PkexecStartsBrenholdFromTheHostFolderAndAFailureShowsNothing) {
    WriteStandInPkexec(Pkexec(), RecordCall(Record(), 126)); // as when the password is refused
    PressStartSecuritySetting();
    EXPECT_EQ(AwaitRecord(Record()),
              Pkexec().string() + " " + SecuritySettingProgram().string() + "\n");
}

TEST_F(SecurityLaunchTest, WithoutPkexecNothingHappens) { PressStartSecuritySetting(); }

// Quick presses while the password is asked for, or while the program runs,
// start nothing more: one prompt. Once it has ended a press starts it again.
TEST_F(SecurityLaunchTest, PressesWhileTheProgramRunsStartNoOther) {
    const auto release = m_folder / "release";
    WriteStandInPkexec(Pkexec(), "echo \"$0 $*\" >> '" + Record().string() + "'\n" +
                                     "while [ ! -e '" + release.string() +
                                     "' ]; do sleep 0.02; done\n");
    const std::string call = Pkexec().string() + " " + SecuritySettingProgram().string() + "\n";
    const auto recorded = [this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return AwaitRecord(Record());
    };
    Show([&](CHeadlessWindow& window) {
        ASSERT_TRUE(window.Choose(IDC_TABS, 2));
        for (int press = 0; press < 20; ++press) {
            ASSERT_TRUE(window.Click(IDC_START_SECURITY_SETTING));
        }
        EXPECT_EQ(recorded(), call);
        std::ofstream{release};
        // The keeper ends with the program; a press after that starts anew.
        for (int attempt = 0; attempt < 20 && recorded() == call; ++attempt) {
            ASSERT_TRUE(window.Click(IDC_START_SECURITY_SETTING));
        }
        EXPECT_EQ(recorded(), call + call);
    });
}

} // namespace
