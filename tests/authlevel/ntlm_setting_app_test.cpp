#include "authlevel/ntlm_setting_app.h"
#include "authlevel/ntlm_setting_dlg.h"
#include "platform/administrator.h"
#include "platform/module.h"
#include "platform/named_mutex.h"
#include "tests/authlevel/brenhold_fixture.h"
#include "tests/support/stand_in_program.h"
#include "ui/headless/headless_ui.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using ui::headless::CHeadlessWindow;

namespace {

using NtlmSettingAppTest = CBrenholdHeadlessFixture;

} // namespace

TEST_F(NtlmSettingAppTest, ShowsTheDialogThenBringsTheSettingUtilityBack) {
    const ui::WindowHandle utility = m_ui.AddForeignWindow(kSettingUtilityTitle);
    bool shown = false;
    m_ui.OnNextModal(IDD_NTLMSETTING_DIALOG, [&](CHeadlessWindow& window) {
        shown = true;
        EXPECT_EQ(window.Title(), GetMessageText(138));
        window.Click(ui::IDCANCEL);
    });
    CNTLMSettingApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(shown);
    EXPECT_EQ(m_ui.ForegroundWindow(), utility);
}

TEST_F(NtlmSettingAppTest, AloneItBringsNothingToTheFrontAtTheEnd) {
    m_ui.OnNextModal(IDD_NTLMSETTING_DIALOG, [](CHeadlessWindow& window) { window.PressEnter(); });
    m_ui.AnswerNextMessageBox(ui::IDCANCEL);
    CNTLMSettingApp app;
    app.InitInstance();
    EXPECT_EQ(m_ui.ForegroundWindow(), 0u);
}

TEST_F(NtlmSettingAppTest, SecondInstanceRaisesTheFirstDialogAndShowsNone) {
    CNTLMSettingApp app;
    const int first = platform::CreateMutex(app.MutexName());
    ASSERT_GE(first, 0);
    const ui::WindowHandle running = m_ui.AddForeignWindow(GetMessageText(138));
    bool shown = false;
    m_ui.OnNextModal(IDD_NTLMSETTING_DIALOG, [&](CHeadlessWindow&) { shown = true; });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_FALSE(shown);
    EXPECT_EQ(m_ui.ForegroundWindow(), running);
    close(first);
}

TEST_F(NtlmSettingAppTest, SecondInstanceLooksForTheTitleInItsOwnLanguage) {
    CNTLMSettingApp app;
    const int first = platform::CreateMutex(app.MutexName());
    m_ui.AddForeignWindow(GetMessageText(138)); // English
    CEnvironmentVariable german("LANG", "de_DE.UTF-8");
    bool shown = false;
    m_ui.OnNextModal(IDD_NTLMSETTING_DIALOG, [&](CHeadlessWindow&) { shown = true; });
    app.InitInstance();
    EXPECT_FALSE(shown);
    if (GetMessageText(138) != std::u16string(g_MessageTable[138 * kLanguageCount + 1])) {
        EXPECT_EQ(m_ui.ForegroundWindow(), 0u);
    }
    close(first);
}

TEST_F(NtlmSettingAppTest, AnotherUsersLockInASharedFolderDoesNotStopTheDialog) {
    CNTLMSettingApp app;
    CTempFolder shared;
    ASSERT_EQ(::chmod(shared.Path().c_str(), 01777), 0);
    CEnvironmentVariable runtime("XDG_RUNTIME_DIR", shared.Path().string());
    CEnvironmentVariable temporary("TMPDIR", m_folder.Path().string());
    CEnvironmentVariable run("KORDAVIN_RUN_ROOT", m_folder.Path().string());
    const std::u16string& name = app.MutexName();
    const std::filesystem::path planted =
        shared / (std::string(name.begin(), name.end()) + ".lock");
    const int someoneElse = ::open(planted.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_EQ(::flock(someoneElse, LOCK_EX | LOCK_NB), 0);
    bool shown = false;
    m_ui.OnNextModal(IDD_NTLMSETTING_DIALOG, [&](CHeadlessWindow& window) {
        shown = true;
        window.Click(ui::IDCANCEL);
    });
    app.InitInstance();
    EXPECT_TRUE(shown);
    close(someoneElse);
}

// A lock that cannot be taken may be another instance's: no second dialog.
TEST_F(NtlmSettingAppTest, ALockThatCannotBeTakenCountsAsHeld) {
    CEnvironmentVariable noRuntime("XDG_RUNTIME_DIR", nullptr);
    CEnvironmentVariable temporary("TMPDIR", m_folder.Path().string());
    CEnvironmentVariable run("KORDAVIN_RUN_ROOT", m_folder.Path().string());
    std::filesystem::create_directory_symlink(
        "/nowhere", m_folder / ("kordavin-runtime-" + std::to_string(::geteuid())));
    bool shown = false;
    m_ui.OnNextModal(IDD_NTLMSETTING_DIALOG, [&](CHeadlessWindow& window) {
        shown = true;
        window.Click(ui::IDCANCEL);
    });
    CNTLMSettingApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_FALSE(shown);
}

// Started by a user without rights, the program asks for them through pkexec
// and leaves the dialog to the instance that has them.
class NtlmSettingAppWithoutRightsTest : public CBrenholdHeadlessFixture {
protected:
    void SetUp() override {
        CBrenholdHeadlessFixture::SetUp();
        platform::OverrideIsUserAnAdminForTesting(false);
        m_ui.OnNextModal(IDD_NTLMSETTING_DIALOG, [this](CHeadlessWindow&) { m_bShown = true; });
    }
    void TearDown() override {
        platform::OverrideIsUserAnAdminForTesting(std::nullopt);
        CBrenholdHeadlessFixture::TearDown();
    }

    std::filesystem::path Pkexec() const { return m_folder / "sbin/pkexec"; }
    std::filesystem::path Record() const { return m_folder / "pkexec-record"; }

    CEnvironmentVariable m_pkexec{"KORDAVIN_PKEXEC", Pkexec().string()};
    bool m_bShown = false;
};

TEST_F(NtlmSettingAppWithoutRightsTest, StartsItselfAgainThroughPkexec) {
    WriteStandInPkexec(Pkexec(), RecordCall(Record()));
    CNTLMSettingApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(AwaitRecord(Record()),
              Pkexec().string() + " " + platform::GetModuleFileName().string() + "\n");
    EXPECT_FALSE(m_bShown);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
}

TEST_F(NtlmSettingAppWithoutRightsTest, WithoutPkexecSaysRightsAreNeededInTheUsersLanguage) {
    CEnvironmentVariable japanese("LANG", "ja_JP.UTF-8");
    CNTLMSettingApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_FALSE(m_bShown);
    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    const auto& box = m_ui.MessageBoxes()[0];
    EXPECT_EQ(box.text,
              std::u16string(
                  u"セキュリティ設定を変更するには管理者権限が必要ですが、システムの管理者"
                  u"認証プログラム (pkexec) がインストールされていないか、起動できません。   "));
    EXPECT_EQ(box.caption, u"ローカル セキュリティ設定");
    EXPECT_EQ(box.icon, ui::Icon::Error);
    EXPECT_EQ(box.buttons, ui::Buttons::Ok);
}
