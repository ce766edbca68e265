#include "catalogue/message_ids.h"
#include "dialogs/select_target.h"
#include "platform/atomic_file.h"
#include "platform/file_reader.h"
#include "quorlan_dlg_fixture.h"
#include "tests/support/whole_file.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using ui::headless::CHeadlessWindow;
using ui::headless::CMessageBoxRecord;

std::u16string Composed(int messageId) {
    return GetMessageText(messageId) + std::u16string(u"   ");
}

void ExpectBox(const CMessageBoxRecord& box, int messageId, int captionId, ui::Icon icon,
               ui::Buttons buttons = ui::Buttons::Ok) {
    EXPECT_EQ(box.text, Composed(messageId));
    EXPECT_EQ(box.caption, GetMessageText(captionId));
    EXPECT_EQ(box.icon, icon);
    EXPECT_EQ(box.buttons, buttons);
    EXPECT_EQ(box.templateOfOwner, kQuorlanDlgTemplateId);
}

// Writing past a few bytes fails as on a full disk, for whoever runs the
// test (root included).
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

class LoadCreateFlowsTest : public QuorlanDlgTest {
protected:
    void SetUp() override {
        QuorlanDlgTest::SetUp();
        std::filesystem::create_directories(m_player);
        std::filesystem::create_directories(m_local);
    }

    // The next target choice: the player's button, the local computer's, or
    // none (the script leaves it open, which ends it as Esc does).
    enum class EAnswer { Device, LocalComputer, Escape };
    void AnswerTarget(EAnswer answer) {
        m_ui.OnNextModal(kSelectTargetTemplateId, [this, answer](CHeadlessWindow& window) {
            m_targetTexts = {window.Title(), window.Text(IDC_SELECT_TARGET_QUESTION),
                             window.Text(IDC_TARGET_DEVICE),
                             window.Text(IDC_TARGET_LOCAL_COMPUTER)};
            if (answer == EAnswer::Device) {
                window.Click(IDC_TARGET_DEVICE);
            } else if (answer == EAnswer::LocalComputer) {
                window.Click(IDC_TARGET_LOCAL_COMPUTER);
            }
        });
    }

    static void EnterCustomFolder(CHeadlessWindow& window, const std::u16string& user) {
        window.Click(IDC_NETFOLDER_CUSTOMIZE);
        window.Type(IDC_DEVICE_NAME, u"kordavin-1");
        window.Type(IDC_USER_ID, user);
        window.Type(IDC_PASSWORD, u"secret");
        window.Type(IDC_CONFIRM_PASSWORD, u"secret");
    }

    std::vector<CMessageBoxRecord> TakeBoxes() {
        auto boxes = m_ui.MessageBoxes();
        m_ui.ClearMessageBoxes();
        return boxes;
    }

    static std::string Contents(const std::filesystem::path& file) {
        return ReadWholeFile(file).value_or("<missing>");
    }

    std::filesystem::path m_player = m_folder / "player";
    std::filesystem::path m_local = m_folder / "local";
    std::vector<std::u16string> m_targetTexts;
};

TEST_F(LoadCreateFlowsTest, TargetChoiceAsksInTheFlowsWordsWithThePlayersName) {
    m_dialog.m_strDevicePath = m_player.u16string();
    Show([&](CHeadlessWindow& window) {
        AnswerTarget(EAnswer::Escape);
        window.Click(IDC_LOAD_SETTINGS);
        EXPECT_EQ(m_targetTexts,
                  (std::vector<std::u16string>{u"Select target", u"Where do you load setting from?",
                                               u"SD Card on the KORDAVIN", u"Local computer"}));
    });
    m_dialog.m_strDeviceName = u"Player 7";
    Show([&](CHeadlessWindow& window) {
        AnswerTarget(EAnswer::Escape);
        window.Click(IDC_CREATE_SETTING_FILE);
        ASSERT_EQ(m_targetTexts.size(), 4u);
        EXPECT_EQ(m_targetTexts[1], u"Where do you create setting into?");
        EXPECT_EQ(m_targetTexts[2], u"SD Card on the Player 7");
    });
    // Leaving the choice by Esc or the close box does nothing at all.
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_TRUE(m_ui.OpenFileDialogs().empty());
    EXPECT_TRUE(m_ui.FolderBrowses().empty());
    EXPECT_FALSE(std::filesystem::exists(m_player / "NetworkSetting.ini"));

    CSelectTarget target(&m_dialog);
    m_ui.OnNextModal(kSelectTargetTemplateId, [](CHeadlessWindow& window) { window.CloseBox(); });
    EXPECT_EQ(target.DoModal(), ui::IDCANCEL);
    m_ui.OnNextModal(kSelectTargetTemplateId,
                     [](CHeadlessWindow& window) { window.Click(IDC_TARGET_LOCAL_COMPUTER); });
    EXPECT_EQ(target.DoModal(), ui::IDOK);
    EXPECT_EQ(target.m_nChoice, 1);
    m_ui.OnNextModal(kSelectTargetTemplateId,
                     [](CHeadlessWindow& window) { window.Click(IDC_TARGET_DEVICE); });
    EXPECT_EQ(target.DoModal(), ui::IDOK);
    EXPECT_EQ(target.m_nChoice, 0);
}

TEST_F(LoadCreateFlowsTest, WithoutAPlayerBothFlowsGoStraightToTheFileDialogs) {
    Show([&](CHeadlessWindow& window) {
        AnswerTarget(EAnswer::Device);
        window.Click(IDC_LOAD_SETTINGS);
        window.Click(IDC_CREATE_SETTING_FILE);
    });
    EXPECT_TRUE(m_targetTexts.empty()) << "no target choice without a player";
    ASSERT_EQ(m_ui.OpenFileDialogs().size(), 1u);
    const auto& open = m_ui.OpenFileDialogs()[0];
    EXPECT_EQ(open.options.defaultExtension, u"ini");
    EXPECT_EQ(open.options.fileName, u"NetworkSetting.ini");
    EXPECT_EQ(open.options.filter, u"(*.ini)|*.ini||");
    EXPECT_EQ(open.options.initialFolder, u"");
    EXPECT_EQ(open.templateOfOwner, kQuorlanDlgTemplateId);
    ASSERT_EQ(m_ui.FolderBrowses().size(), 1u);
    EXPECT_EQ(m_ui.FolderBrowses()[0].options.title, u"Select folder");
    EXPECT_EQ(m_ui.FolderBrowses()[0].templateOfOwner, kQuorlanDlgTemplateId);
    // Both were cancelled: nothing to say, nothing written.
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_TRUE(std::filesystem::is_empty(m_local));
}

TEST_F(LoadCreateFlowsTest, CreateIntoAFolderThenLoadItBack) {
    Show([&](CHeadlessWindow& window) {
        EnterCustomFolder(window, u"guest");
        window.Click(IDC_ENABLE_NETWORK_DEVICE);
        m_ui.AnswerNextFolderBrowse(m_local.u16string());
        window.Click(IDC_CREATE_SETTING_FILE);
        auto boxes = TakeBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        ExpectBox(boxes[0], kMsgCreateSucceeded, kMsgCreateSetting, ui::Icon::Information);
        EXPECT_EQ(m_dialog.m_strLastPath, m_local.u16string());

        window.Type(IDC_USER_ID, u"changed");
        window.Click(IDC_ENABLE_NETWORK_DEVICE);
        m_ui.AnswerNextOpenFile((m_local / "NetworkSetting.ini").u16string());
        window.Click(IDC_LOAD_SETTINGS);
        boxes = TakeBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        ExpectBox(boxes[0], kMsgLoadSucceeded, kMsgLoadSettings, ui::Icon::Information);
        EXPECT_EQ(window.Text(IDC_USER_ID), u"guest");
        EXPECT_EQ(window.Text(IDC_PASSWORD), u"secret");
        EXPECT_EQ(window.Check(IDC_ENABLE_NETWORK_DEVICE), 1);
        EXPECT_EQ(m_dialog.m_strLastPath, m_local.u16string()) << "loading keeps the folder";
    });
}

TEST_F(LoadCreateFlowsTest, ThePlayersFileIsFoundWithOrWithoutATrailingSlash) {
    for (const auto& devicePath : {m_player.u16string(), m_player.u16string() + u"/"}) {
        SCOPED_TRACE(std::string(devicePath.begin(), devicePath.end()));
        std::filesystem::remove(m_player / "NetworkSetting.ini");
        m_dialog.m_strDevicePath = devicePath;
        Show([&](CHeadlessWindow& window) {
            EnterCustomFolder(window, u"player-user");
            AnswerTarget(EAnswer::Device);
            window.Click(IDC_CREATE_SETTING_FILE);
            ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
            EXPECT_EQ(m_ui.MessageBoxes()[0].text, Composed(kMsgCreateSucceeded));
            ASSERT_TRUE(std::filesystem::exists(m_player / "NetworkSetting.ini"));

            window.Type(IDC_USER_ID, u"other");
            AnswerTarget(EAnswer::Device);
            window.Click(IDC_LOAD_SETTINGS);
            EXPECT_EQ(window.Text(IDC_USER_ID), u"player-user");
            EXPECT_EQ(m_ui.MessageBoxes().back().text, Composed(kMsgLoadSucceeded));
        });
        EXPECT_TRUE(m_ui.OpenFileDialogs().empty()) << "the device needs no file dialog";
        EXPECT_TRUE(m_ui.FolderBrowses().empty());
        EXPECT_EQ(m_dialog.m_strLastPath, u"") << "only a chosen folder is remembered";
        m_ui.ClearMessageBoxes();
    }
}

TEST_F(LoadCreateFlowsTest, NoRegularFileOnThePlayerGivesTheMissingFileMessageOnly) {
    m_dialog.m_strDevicePath = m_player.u16string();
    const auto attempt = [&] {
        Show([&](CHeadlessWindow& window) {
            EnterCustomFolder(window, u"kept");
            AnswerTarget(EAnswer::Device);
            window.Click(IDC_LOAD_SETTINGS);
            EXPECT_EQ(window.Text(IDC_USER_ID), u"kept");
        });
        const auto boxes = TakeBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        ExpectBox(boxes[0], kMsgSettingFileMissing, kMsgLoadSettings, ui::Icon::None);
        EXPECT_TRUE(m_ui.OpenFileDialogs().empty());
    };
    attempt();
    // A folder or a pipe of that name is not a settings file, and a pipe
    // would block a reader forever.
    std::filesystem::create_directory(m_player / "NetworkSetting.ini");
    attempt();
    std::filesystem::remove(m_player / "NetworkSetting.ini");
    ASSERT_EQ(::mkfifo((m_player / "NetworkSetting.ini").c_str(), 0600), 0);
    attempt();
}

// A file too large to be a settings file is refused whole, never cut: its
// profile past the limit would otherwise be dropped without a word.
TEST_F(LoadCreateFlowsTest, AChosenFileThatCannotBeReadFailsWithoutTouchingTheDialog) {
    ASSERT_EQ(::mkfifo((m_local / "pipe.ini").c_str(), 0600), 0);
    std::filesystem::create_directory(m_local / "folder.ini");
    ASSERT_TRUE(platform::SaveFileAtomically(
        m_local / "oversize.ini", std::string(kMaxSettingsFileBytes, ';') +
                                      "\r\n[UserNetworkSetting]\r\nWIRELESS_SSID=late\r\n"));
    for (const auto* name : {"pipe.ini", "folder.ini", "missing.ini", "oversize.ini"}) {
        SCOPED_TRACE(name);
        Show([&](CHeadlessWindow& window) {
            EnterCustomFolder(window, u"kept");
            m_ui.AnswerNextOpenFile((m_local / name).u16string());
            window.Click(IDC_LOAD_SETTINGS);
            EXPECT_EQ(window.Text(IDC_USER_ID), u"kept");
        });
        const auto boxes = TakeBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        ExpectBox(boxes[0], kMsgLoadFinishedWithError, kMsgLoadSettings, ui::Icon::Error);
    }
}

TEST_F(LoadCreateFlowsTest, BadValuesAreReportedOneByOneThenTheLoadFails) {
    ASSERT_TRUE(platform::SaveFileAtomically(m_local / "bad.ini",
                                             "[NewtworkFolderSetting]\r\n"
                                             "NETFOLDER_NAME=this-name-is-far-too-long\r\n"
                                             "NETFOLDER_UID=guest\r\n"));
    Show([&](CHeadlessWindow& window) {
        m_ui.AnswerNextOpenFile((m_local / "bad.ini").u16string());
        window.Click(IDC_LOAD_SETTINGS);
    });
    const auto boxes = TakeBoxes();
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes.front().caption, GetMessageText(kMsgLoadSettings));
    ExpectBox(boxes.back(), kMsgLoadFinishedWithError, kMsgLoadSettings, ui::Icon::Error);
}

TEST_F(LoadCreateFlowsTest, ABadPageStopsCreatingBeforeAnyTargetIsAsked) {
    m_dialog.m_strDevicePath = m_player.u16string();
    Show([&](CHeadlessWindow& window) {
        window.Click(IDC_NETFOLDER_CUSTOMIZE);
        window.Type(IDC_DEVICE_NAME, u"kordavin-1");
        window.Type(IDC_PASSWORD, u"one");
        window.Type(IDC_CONFIRM_PASSWORD, u"two");
        AnswerTarget(EAnswer::Device);
        window.Click(IDC_CREATE_SETTING_FILE);
    });
    EXPECT_TRUE(m_targetTexts.empty());
    EXPECT_EQ(m_ui.MessageBoxes().size(), 1u) << "the page check's own message only";
    EXPECT_FALSE(std::filesystem::exists(m_player / "NetworkSetting.ini"));

    // The hidden wired page stops it the same way, under its own caption: a
    // loaded file can leave its proxy on with a bad port.
    m_ui.ClearMessageBoxes();
    Show([&](CHeadlessWindow& window) {
        window.Click(IDC_NETFOLDER_DEFAULT);
        window.SetCheck(IDC_WIRED_USE_PROXY, 1);
        window.SetText(IDC_WIRED_PROXY_ADDRESS, u"proxy.example");
        window.SetText(IDC_WIRED_PROXY_PORT, u"70000");
        AnswerTarget(EAnswer::Device);
        window.Click(IDC_CREATE_SETTING_FILE);
    });
    EXPECT_TRUE(m_targetTexts.empty());
    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    ExpectBox(m_ui.MessageBoxes()[0], kMsgProxyPort, kMsgWiredLanSetting, ui::Icon::Error);
    EXPECT_FALSE(std::filesystem::exists(m_player / "NetworkSetting.ini"));
}

TEST_F(LoadCreateFlowsTest, AnExistingFileIsReplacedOnlyAfterOkOnThePlayerAndInAFolder) {
    m_dialog.m_strDevicePath = m_player.u16string();
    const std::string old = "[Common]\r\nNETWORK_DEVICE_POWER_MANAGEMENT=0\r\n";
    for (const auto target : {EAnswer::Device, EAnswer::LocalComputer}) {
        const auto file = (target == EAnswer::Device ? m_player : m_local) / "NetworkSetting.ini";
        ASSERT_TRUE(platform::SaveFileAtomically(file, old));
        const auto create = [&](CHeadlessWindow& window, int answer) {
            AnswerTarget(target);
            m_ui.AnswerNextFolderBrowse(m_local.u16string());
            m_ui.AnswerNextMessageBox(answer);
            window.Click(IDC_CREATE_SETTING_FILE);
        };
        Show([&](CHeadlessWindow& window) {
            window.Click(IDC_ENABLE_NETWORK_DEVICE);
            create(window, ui::IDCANCEL);
            auto boxes = TakeBoxes();
            ASSERT_EQ(boxes.size(), 1u);
            ExpectBox(boxes[0], kMsgOverwriteExistingFile, kMsgCreateSetting, ui::Icon::Question,
                      ui::Buttons::OkCancel);
            EXPECT_EQ(Contents(file), old);

            create(window, ui::IDOK);
            boxes = TakeBoxes();
            ASSERT_EQ(boxes.size(), 2u);
            EXPECT_EQ(boxes[0].text, Composed(kMsgOverwriteExistingFile));
            ExpectBox(boxes[1], kMsgCreateSucceeded, kMsgCreateSetting, ui::Icon::Information);
            EXPECT_NE(Contents(file).find("NETWORK_DEVICE_POWER_MANAGEMENT=1"), std::string::npos);
        });
    }
}

TEST_F(LoadCreateFlowsTest, AFailedWriteLeavesTheOldFileByteForByte) {
    const auto file = m_local / "NetworkSetting.ini";
    const std::string old = "[Common]\r\nNETWORK_DEVICE_POWER_MANAGEMENT=0\r\n";
    ASSERT_TRUE(platform::SaveFileAtomically(file, old));
    Show([&](CHeadlessWindow& window) {
        EnterCustomFolder(window, u"guest");
        m_ui.AnswerNextFolderBrowse(m_local.u16string());
        const CFileSizeLimit full(8);
        window.Click(IDC_CREATE_SETTING_FILE);
    });
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    ExpectBox(boxes[1], kMsgCreateFailed, kMsgCreateSetting, ui::Icon::Error);
    EXPECT_EQ(Contents(file), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_local), {}), 1)
        << "no temporary file is left behind";
}

TEST_F(LoadCreateFlowsTest, AFailedSaveOnClosingLeavesTheOldApplicationDataFile) {
    Show([&](CHeadlessWindow& window) {
        EnterCustomFolder(window, u"guest");
        m_ui.AnswerNextFolderBrowse(m_local.u16string());
        window.Click(IDC_CREATE_SETTING_FILE);
    });
    const std::string saved = Contents(AppDataFile());
    ASSERT_NE(saved.find("LAST_PATS="), std::string::npos);
    Show([&](CHeadlessWindow& window) {
        window.Type(IDC_USER_ID, u"someone-else");
        const CFileSizeLimit full(8);
        window.Click(IDC_EXIT);
    });
    EXPECT_EQ(Contents(AppDataFile()), saved);
}

TEST_F(LoadCreateFlowsTest, TheFolderBrowserOpensOnTheLastFolderAfterAReopen) {
    Show([&](CHeadlessWindow& window) {
        m_ui.AnswerNextFolderBrowse(m_local.u16string());
        window.Click(IDC_CREATE_SETTING_FILE);
    });
    Show([&](CHeadlessWindow& window) {
        window.Click(IDC_CREATE_SETTING_FILE); // cancelled: the folder stays
    });
    Show([&](CHeadlessWindow& window) { window.Click(IDC_CREATE_SETTING_FILE); });
    const auto& browses = m_ui.FolderBrowses();
    ASSERT_EQ(browses.size(), 3u);
    EXPECT_EQ(browses[0].options.selectedFolder, u"");
    EXPECT_EQ(browses[1].options.selectedFolder, m_local.u16string());
    EXPECT_EQ(browses[2].options.selectedFolder, m_local.u16string());
}

} // namespace
