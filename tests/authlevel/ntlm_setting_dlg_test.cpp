#include "authlevel/ntlm_setting_dlg.h"
#include "authlevel/samba_client_auth.h"
#include "platform/file_reader.h"
#include "tests/authlevel/brenhold_fixture.h"
#include "tests/support/whole_file.h"
#include "ui/headless/headless_ui.h"

using ui::headless::CHeadlessWindow;

namespace {

class NtlmSettingDlgTest : public CBrenholdHeadlessFixture {
protected:
    CNTLMSettingDlg m_dialog;
};

} // namespace

TEST_F(NtlmSettingDlgTest, ShowsCatalogueTextsAndTheLevelsInOrder) {
    StoreLevel("dword:00000001");
    const auto window = m_ui.Open(m_dialog);
    EXPECT_EQ(window->Title(), Text(138));
    EXPECT_EQ(window->Text(IDC_STATIC_LEVEL), Text(142));
    EXPECT_EQ(window->Text(IDC_STATIC_NOTE), Text(143));
    EXPECT_EQ(window->Text(ui::IDCANCEL), Text(140));
    EXPECT_EQ(window->Text(IDC_APPLY), Text(141));
    EXPECT_EQ(window->Text(ui::IDOK), Text(139));
    EXPECT_EQ(window->IconName(), u"brenhold");
    ASSERT_EQ(window->ItemCount(IDC_COMBO_LEVEL), 6);
    for (int level = 0; level < 6; ++level) {
        EXPECT_EQ(window->ItemText(IDC_COMBO_LEVEL, level), Text(144 + level));
    }
    EXPECT_EQ(window->CurSel(IDC_COMBO_LEVEL), 1);
    EXPECT_FALSE(window->IsEnabled(IDC_APPLY));
}

TEST_F(NtlmSettingDlgTest, AbsentOrAllBitsValueSelectsNtlmOnlyAndOkWritesIt) {
    for (const std::string stored : {"", "dword:ffffffff", "missing key"}) {
        SCOPED_TRACE(stored);
        std::filesystem::remove_all(Hive().parent_path());
        if (stored != "missing key") {
            StoreLevel(stored);
        }
        CNTLMSettingDlg dialog;
        const auto window = m_ui.Open(dialog);
        EXPECT_EQ(window->CurSel(IDC_COMBO_LEVEL), 2);
        EXPECT_TRUE(window->IsEnabled(IDC_APPLY));

        m_ui.ClearMessageBoxes();
        m_ui.AnswerNextMessageBox(ui::IDOK);
        m_ui.AnswerNextMessageBox(ui::IDNO);
        window->PressEnter();
        EXPECT_EQ(window->Result(), ui::IDOK);
        EXPECT_EQ(m_ui.MessageBoxes().size(), 2u);
        EXPECT_EQ(StoredLevel(), u"dword:00000002");
    }
    EXPECT_FALSE(std::filesystem::exists(RestartRecord()));
}

TEST_F(NtlmSettingDlgTest, StoredLevelIsShownAndOkClosesWithoutAskingOrWriting) {
    StoreLevel("dword:00000003");
    const auto before = ReadWholeFile(Hive());
    const auto window = m_ui.Open(m_dialog);
    EXPECT_EQ(window->CurSel(IDC_COMBO_LEVEL), 3);
    EXPECT_FALSE(window->IsEnabled(IDC_APPLY));
    window->PressEnter();
    EXPECT_EQ(window->Result(), ui::IDOK);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(ReadWholeFile(Hive()), before);
}

TEST_F(NtlmSettingDlgTest, LevelOutsideTheRowsSelectsNothingUntilTheUserChooses) {
    StoreLevel("dword:00000009");
    const auto window = m_ui.Open(m_dialog);
    EXPECT_EQ(window->CurSel(IDC_COMBO_LEVEL), -1);
    EXPECT_FALSE(window->IsEnabled(IDC_APPLY));
    ASSERT_TRUE(window->Choose(IDC_COMBO_LEVEL, 0));
    EXPECT_TRUE(window->IsEnabled(IDC_APPLY));
    m_ui.AnswerNextMessageBox(ui::IDOK);
    m_ui.AnswerNextMessageBox(ui::IDNO);
    ASSERT_TRUE(window->Click(IDC_APPLY));
    EXPECT_EQ(StoredLevel(), u"dword:00000000");
}

TEST_F(NtlmSettingDlgTest, QuestionsEndInThreeSpacesAndCancelWritesNothing) {
    const auto window = m_ui.Open(m_dialog);
    m_ui.AnswerNextMessageBox(ui::IDCANCEL);
    window->PressEnter();

    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    const auto& confirm = m_ui.MessageBoxes()[0];
    EXPECT_EQ(confirm.text, Text(151) + u"   ");
    EXPECT_EQ(confirm.caption, Text(150));
    EXPECT_EQ(confirm.buttons, ui::Buttons::OkCancel);
    EXPECT_EQ(m_dialog.Message(), confirm.text);
    EXPECT_FALSE(window->HasEnded());
    EXPECT_TRUE(window->IsEnabled(IDC_APPLY));
    EXPECT_FALSE(std::filesystem::exists(Hive()));

    m_ui.AnswerNextMessageBox(ui::IDOK);
    m_ui.AnswerNextMessageBox(ui::IDNO);
    ASSERT_TRUE(window->Click(IDC_APPLY));
    ASSERT_EQ(m_ui.MessageBoxes().size(), 3u);
    const auto& restart = m_ui.MessageBoxes()[2];
    EXPECT_EQ(restart.text, Text(152) + u"   ");
    EXPECT_EQ(restart.caption, Text(150));
    EXPECT_EQ(restart.buttons, ui::Buttons::YesNo);
}

TEST_F(NtlmSettingDlgTest, ApplyWithRestartDeclinedWritesAndStaysOpen) {
    StoreLevel("dword:00000003");
    const auto window = m_ui.Open(m_dialog);
    ASSERT_TRUE(window->Choose(IDC_COMBO_LEVEL, 5));
    m_ui.AnswerNextMessageBox(ui::IDOK);
    m_ui.AnswerNextMessageBox(ui::IDNO);
    ASSERT_TRUE(window->Click(IDC_APPLY));
    EXPECT_EQ(StoredLevel(), u"dword:00000005");
    EXPECT_FALSE(window->IsEnabled(IDC_APPLY));
    EXPECT_FALSE(window->HasEnded());
    // Apply is disabled now, so OK closes at once.
    window->PressEnter();
    EXPECT_EQ(window->Result(), ui::IDOK);
    EXPECT_EQ(m_ui.MessageBoxes().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(RestartRecord()));
}

TEST_F(NtlmSettingDlgTest, RestartAcceptedRequestsItAndOkThenCloses) {
    const auto window = m_ui.Open(m_dialog);
    ASSERT_TRUE(window->Choose(IDC_COMBO_LEVEL, 4));
    m_ui.AnswerNextMessageBox(ui::IDOK);
    m_ui.AnswerNextMessageBox(ui::IDYES);
    ASSERT_TRUE(window->Click(IDC_APPLY));
    EXPECT_FALSE(window->HasEnded()); // the system ends it
    EXPECT_TRUE(RestartRequested());
    EXPECT_EQ(StoredLevel(), u"dword:00000004");

    std::filesystem::remove(RestartRecord());
    ASSERT_TRUE(window->Choose(IDC_COMBO_LEVEL, 1));
    m_ui.AnswerNextMessageBox(ui::IDOK);
    m_ui.AnswerNextMessageBox(ui::IDYES);
    window->PressEnter();
    EXPECT_EQ(window->Result(), ui::IDOK);
    EXPECT_TRUE(RestartRequested());
    EXPECT_EQ(StoredLevel(), u"dword:00000001");
}

// A failed write is an error, never followed by the restart question that
// would report the change as done; the dialog stays open to try again.
TEST_F(NtlmSettingDlgTest, FailedWriteShowsAnErrorAndNeverTheRestartQuestion) {
    // A file where the registry folder should be: nothing can be written.
    std::ofstream(m_folder / "registry") << "";
    const auto window = m_ui.Open(m_dialog);
    std::u16string expected;
    ComposeMessageText(expected, kMsgLevelNotWritten);
    for (const bool viaOk : {false, true}) {
        SCOPED_TRACE(viaOk ? "OK" : "Apply");
        m_ui.ClearMessageBoxes();
        m_ui.AnswerNextMessageBox(ui::IDOK);
        if (viaOk) {
            window->PressEnter();
        } else {
            ASSERT_TRUE(window->Click(IDC_APPLY));
        }
        ASSERT_EQ(m_ui.MessageBoxes().size(), 2u);
        const auto& error = m_ui.MessageBoxes()[1];
        EXPECT_EQ(error.text, expected);
        EXPECT_EQ(error.caption, Text(150));
        EXPECT_EQ(error.icon, ui::Icon::Error);
        EXPECT_EQ(error.buttons, ui::Buttons::Ok);
        EXPECT_FALSE(window->HasEnded());
        EXPECT_TRUE(window->IsEnabled(IDC_APPLY));
        EXPECT_EQ(window->CurSel(IDC_COMBO_LEVEL), 2);
    }
    EXPECT_FALSE(std::filesystem::exists(RestartRecord()));
}

TEST_F(NtlmSettingDlgTest, CancelAndEscapeCloseWithoutWriting) {
    StoreLevel("dword:00000003");
    const auto before = ReadWholeFile(Hive());
    {
        CNTLMSettingDlg dialog;
        const auto window = m_ui.Open(dialog);
        ASSERT_TRUE(window->Choose(IDC_COMBO_LEVEL, 0));
        ASSERT_TRUE(window->Click(ui::IDCANCEL));
        EXPECT_EQ(window->Result(), ui::IDCANCEL);
    }
    {
        CNTLMSettingDlg dialog;
        const auto window = m_ui.Open(dialog);
        ASSERT_TRUE(window->Choose(IDC_COMBO_LEVEL, 0));
        window->PressEscape();
        EXPECT_EQ(window->Result(), ui::IDCANCEL);
    }
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(ReadWholeFile(Hive()), before);
}

TEST_F(NtlmSettingDlgTest, TaskbarEntryOnlyWithoutTheSettingUtility) {
    {
        const auto window = m_ui.Open(m_dialog);
        EXPECT_EQ(window->ExtendedStyle() & ui::kExStyleToolWindow, 0u);
        EXPECT_NE(window->ExtendedStyle() & ui::kExStyleAppWindow, 0u);
    }
    m_ui.AddForeignWindow(kSettingUtilityTitle);
    CNTLMSettingDlg dialog;
    const auto window = m_ui.Open(dialog);
    EXPECT_NE(window->ExtendedStyle() & ui::kExStyleToolWindow, 0u);
    EXPECT_EQ(window->ExtendedStyle() & ui::kExStyleAppWindow, 0u);
}

namespace {

// Brenhold's dialog with Samba's configuration present.
class NtlmSettingDlgSambaTest : public NtlmSettingDlgTest {
protected:
    void SetUp() override {
        NtlmSettingDlgTest::SetUp();
        std::filesystem::create_directories(SambaFolder());
        std::ofstream(MainConfig()) << kConfig;
    }

    std::filesystem::path SambaFolder() const { return m_folder / "samba"; }
    std::filesystem::path MainConfig() const { return SambaFolder() / "smb.conf"; }
    std::filesystem::path OwnFile() const { return SambaFolder() / kSambaClientAuthFileName; }

    // Applies the chosen row, declining the restart.
    void ApplyRow(CHeadlessWindow& window, int row) {
        ASSERT_TRUE(window.Choose(IDC_COMBO_LEVEL, row));
        m_ui.AnswerNextMessageBox(ui::IDOK);
        m_ui.AnswerNextMessageBox(ui::IDNO);
        ASSERT_TRUE(window.Click(IDC_APPLY));
    }

    static constexpr char kConfig[] = "[global]\n   workgroup = HOME\n[data]\n   path = /srv\n";
};

} // namespace

TEST_F(NtlmSettingDlgSambaTest, AppliedLevelReachesSambaClient) {
    const auto window = m_ui.Open(m_dialog);
    ApplyRow(*window, 0);
    EXPECT_EQ(StoredLevel(), u"dword:00000000");
    EXPECT_EQ(ReadWholeFile(OwnFile()), SambaClientAuthOptions(0));
    EXPECT_NE(ReadWholeFile(MainConfig()).value_or("").find(OwnFile().string()), std::string::npos);
    EXPECT_EQ(m_ui.MessageBoxes().size(), 2u);
}

TEST_F(NtlmSettingDlgSambaTest, FailedRegistryWriteLeavesSambaFilesUntouched) {
    std::ofstream(m_folder / "registry") << "";
    const auto window = m_ui.Open(m_dialog);
    m_ui.AnswerNextMessageBox(ui::IDOK);
    ASSERT_TRUE(window->Click(IDC_APPLY));
    EXPECT_EQ(ReadWholeFile(MainConfig()), kConfig);
    EXPECT_FALSE(std::filesystem::exists(OwnFile()));
}

// The level is stored, but the user hears that it did not take effect and
// may try again.
TEST_F(NtlmSettingDlgSambaTest, SambaWriteFailureKeepsTheLevelAndShowsTheSameError) {
    std::filesystem::create_directory(OwnFile());
    const auto window = m_ui.Open(m_dialog);
    ASSERT_TRUE(window->Choose(IDC_COMBO_LEVEL, 4));
    m_ui.AnswerNextMessageBox(ui::IDOK);
    window->PressEnter();

    EXPECT_EQ(StoredLevel(), u"dword:00000004");
    EXPECT_EQ(ReadWholeFile(MainConfig()), kConfig);
    ASSERT_EQ(m_ui.MessageBoxes().size(), 2u);
    std::u16string expected;
    ComposeMessageText(expected, kMsgLevelNotWritten);
    EXPECT_EQ(m_ui.MessageBoxes()[1].text, expected);
    EXPECT_EQ(m_ui.MessageBoxes()[1].icon, ui::Icon::Error);
    EXPECT_FALSE(window->HasEnded());
    EXPECT_TRUE(window->IsEnabled(IDC_APPLY));
}

TEST_F(NtlmSettingDlgSambaTest, RegistryStaysTheSourceOfTheShownLevel) {
    std::ofstream(OwnFile()) << SambaClientAuthOptions(0);
    const auto window = m_ui.Open(m_dialog);
    EXPECT_EQ(window->CurSel(IDC_COMBO_LEVEL), 2);
    EXPECT_TRUE(window->IsEnabled(IDC_APPLY));
}
