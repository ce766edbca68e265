// The dialog's session, kept in the application data file between runs.
#include "catalogue/message_ids.h"
#include "platform/atomic_file.h"
#include "settings_state_fixture.h"

namespace {

class AppDataSessionTest : public SettingsStateTest {
protected:
    std::u16string StorePath() const { return (m_folder / "KordavinSettingUtil.dat").u16string(); }

    // What closing the dialog saves, and what opening it reads back, into
    // a dialog state of its own.
    void Save() { ASSERT_EQ(m_state.SaveApplicationData(StorePath()), 1); }
    void Reopen() {
        m_window.reset();
        m_reopenedWindow.reset();
        m_reopened = std::make_unique<CQuorlanDlgState>();
        m_reopenedWindow = m_ui.Open(*m_reopened);
        EXPECT_EQ(m_reopened->LoadApplicationData(StorePath()), 1);
    }
    void WriteStore(const std::vector<std::string>& lines) {
        std::string bytes = "[NetworkSettingUtility]\r\n";
        for (const auto& line : lines) {
            bytes += line + "\r\n";
        }
        ASSERT_TRUE(platform::SaveFileAtomically(StorePath(), bytes));
    }

    std::unique_ptr<CQuorlanDlgState> m_reopened;
    ui::headless::COpenWindow m_reopenedWindow;
};

TEST_F(AppDataSessionTest, FirstStartHasNoFileAndNoMessages) {
    Reopen();
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_reopenedWindow->Check(IDC_NETFOLDER_DEFAULT), 1);
    EXPECT_EQ(m_reopened->m_strLastPath, u"");
    for (const int edit : {IDC_DEVICE_NAME, IDC_USER_ID, IDC_PASSWORD, IDC_CONFIRM_PASSWORD}) {
        EXPECT_FALSE(m_reopenedWindow->IsEnabled(edit));
    }
}

TEST_F(AppDataSessionTest, CustomEntriesSurviveACloseInDefaultMode) {
    m_window->Click(IDC_NETFOLDER_CUSTOMIZE);
    m_window->SetText(IDC_DEVICE_NAME, u"kordavin-1");
    m_window->SetText(IDC_USER_ID, u"guest");
    m_window->SetText(IDC_PASSWORD, u"pw");
    m_window->Click(IDC_NETFOLDER_DEFAULT);
    m_state.m_strLastPath = u"/media/sd card";
    m_state.AppendWirelessProfile(Profile(u"HomeNet"));
    Save();
    Reopen();
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_reopenedWindow->Check(IDC_NETFOLDER_DEFAULT), 1);
    EXPECT_EQ(m_reopenedWindow->Text(IDC_DEVICE_NAME), u"kordavin-1");
    EXPECT_EQ(m_reopenedWindow->Text(IDC_USER_ID), u"guest");
    EXPECT_EQ(m_reopenedWindow->Text(IDC_PASSWORD), u"pw");
    EXPECT_EQ(m_reopenedWindow->Text(IDC_CONFIRM_PASSWORD), u"pw");
    EXPECT_FALSE(m_reopenedWindow->IsEnabled(IDC_USER_ID));
    EXPECT_EQ(m_reopened->m_strLastPath, u"/media/sd card");
    EXPECT_EQ(m_reopenedWindow->ItemText(IDC_WIRELESS_LIST, 0), u"HomeNet");
}

TEST_F(AppDataSessionTest, WithoutAPathNothingIsSavedAndTheDefaultsLoad) {
    m_window->Click(IDC_NETFOLDER_CUSTOMIZE);
    EXPECT_EQ(m_state.SaveApplicationData(u""), 1);
    EXPECT_EQ(m_state.LoadApplicationData(u""), 1);
    EXPECT_EQ(m_state.m_nNetFolderChoice, 0);
    EXPECT_TRUE(std::filesystem::is_empty(m_folder.Path()));
}

} // namespace
