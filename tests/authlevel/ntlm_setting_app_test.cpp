#include "authlevel/ntlm_setting_app.h"
#include "authlevel/ntlm_setting_dlg.h"
#include "platform/named_mutex.h"
#include "tests/authlevel/brenhold_fixture.h"
#include "ui/headless/headless_ui.h"

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
