#include "catalogue/message_ids.h"
#include "platform/atomic_file.h"
#include "platform/file_reader.h"
#include "settings/app_data_store.h"
#include "settings/secret_cipher.h"
#include "settings_state_fixture.h"
#include "tests/support/environment_variable.h"
#include "tests/support/other_user.h"

#include <sys/stat.h>

namespace {

class AppDataStoreTest : public SettingsStateTest {
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

TEST_F(AppDataStoreTest, PathFollowsAppDataThenXdgConfigHomeThenHome) {
    const std::string folder = m_folder.Path().string();
    {
        const CEnvironmentVariable appData("APPDATA", folder + "/roaming/new");
        m_state.GetApplicationDataPath();
        EXPECT_EQ(m_state.m_strAppDataPath,
                  m_folder.Path().u16string() + u"/roaming/new/KordavinSettingUtil.dat");
        EXPECT_TRUE(std::filesystem::is_directory(m_folder / "roaming/new")) << "made if missing";
    }
    const CEnvironmentVariable appData("APPDATA", "");
    {
        const CEnvironmentVariable config("XDG_CONFIG_HOME", folder + "/config");
        m_state.GetApplicationDataPath();
        EXPECT_EQ(m_state.m_strAppDataPath,
                  m_folder.Path().u16string() + u"/config/KordavinSettingUtil.dat");
    }
    const CEnvironmentVariable config("XDG_CONFIG_HOME", nullptr);
    const CEnvironmentVariable home("HOME", folder + "/home");
    m_state.GetApplicationDataPath();
    EXPECT_EQ(m_state.m_strAppDataPath,
              m_folder.Path().u16string() + u"/home/.config/KordavinSettingUtil.dat");
    EXPECT_TRUE(std::filesystem::is_directory(m_folder / "home/.config"));
}

TEST_F(AppDataStoreTest, APathLongerThan259UnitsSkipsTheStore) {
    const std::string base = m_folder.Path().string() + "/";
    const size_t fileName = std::string("/KordavinSettingUtil.dat").size();
    const std::string fits = base + std::string(259 - fileName - base.size(), 'f');
    {
        const CEnvironmentVariable appData("APPDATA", fits);
        m_state.GetApplicationDataPath();
        EXPECT_EQ(m_state.m_strAppDataPath.size(), 259u);
    }
    const std::string tooLong = fits + "g";
    const CEnvironmentVariable appData("APPDATA", tooLong);
    m_state.GetApplicationDataPath();
    EXPECT_EQ(m_state.m_strAppDataPath, u"");
    EXPECT_FALSE(std::filesystem::exists(tooLong)) << "nothing is made for a skipped store";

    // Without a path, saving does nothing and loading gives the defaults.
    EXPECT_EQ(m_state.SaveApplicationData(u""), 1);
    EXPECT_EQ(m_state.LoadApplicationData(u""), 1);
    EXPECT_EQ(m_state.m_nNetFolderChoice, 0);
}

TEST_F(AppDataStoreTest, FirstStartHasNoFileAndNoMessages) {
    Reopen();
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_reopenedWindow->Check(IDC_NETFOLDER_DEFAULT), 1);
    EXPECT_EQ(m_reopened->m_strLastPath, u"");
    for (const int edit : {IDC_DEVICE_NAME, IDC_USER_ID, IDC_PASSWORD, IDC_CONFIRM_PASSWORD}) {
        EXPECT_FALSE(m_reopenedWindow->IsEnabled(edit));
    }
}

TEST_F(AppDataStoreTest, CustomEntriesSurviveACloseInDefaultMode) {
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

TEST_F(AppDataStoreTest, FileLayoutModeAndTheTwoEncryptedPasswords) {
    m_window->Click(IDC_NETFOLDER_CUSTOMIZE);
    m_window->SetText(IDC_DEVICE_NAME, u"name");
    m_window->SetText(IDC_USER_ID, u"user");
    m_window->SetText(IDC_PASSWORD, u"secret");
    Save();
    struct stat status {};
    ASSERT_EQ(::stat(std::filesystem::path(StorePath()).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    const std::string bytes = platform::ReadWholeFile(StorePath()).value_or("");
    const size_t section = bytes.find("WIRELESS_SETTING_TOTAL=0\r\n[NetworkSettingUtility]\r\n"
                                      "LAST_PATS=\r\nNETFOLDER_DEF=0\r\nNETFOLDER_NAME=name\r\n"
                                      "NETFOLDER_UID=user\r\nNETFOLDER_PASS=");
    ASSERT_NE(section, std::string::npos) << bytes;
    const auto passwords = [&] {
        std::vector<std::u16string> found;
        for (size_t at = bytes.find("NETFOLDER_PASS="); at != std::string::npos;
             at = bytes.find("NETFOLDER_PASS=", at + 1)) {
            const size_t start = at + 15;
            const std::string value = bytes.substr(start, bytes.find("\r\n", start) - start);
            found.emplace_back(value.begin(), value.end());
        }
        return found;
    }();
    ASSERT_EQ(passwords.size(), 2u);
    EXPECT_NE(passwords[0], passwords[1]) << "each encryption has its own IV";
    for (const auto& stored : passwords) {
        std::u16string password;
        EXPECT_EQ(DecryptSecret(stored.c_str(), password), 1);
        EXPECT_EQ(password, u"secret");
    }

    // A settings file for the player is its owner's only too: its secrets
    // are encrypted under a key everybody can know.
    const mode_t oldMask = ::umask(022);
    const int written = m_state.WriteSettingsFile(FilePath());
    ::umask(oldMask);
    ASSERT_EQ(written, 1);
    ASSERT_EQ(::stat(std::filesystem::path(FilePath()).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

// An existing file that others could read loses their access when saved;
// it keeps its owner and group (another user's, where root saves it).
TEST_F(AppDataStoreTest, SavingTakesAwayWhatOthersCouldReadButKeepsOwnerAndGroup) {
    const bool root = ::geteuid() == 0;
    for (const auto& [path, mode] :
         {std::pair{StorePath(), mode_t{0644}}, std::pair{FilePath(), mode_t{06777}}}) {
        const std::filesystem::path file(path);
        ASSERT_TRUE(platform::SaveFileAtomically(file, "old", mode));
        if (root) {
            ASSERT_EQ(::chown(file.c_str(), kNobodyUid, kNobodyGid), 0);
        }
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        ASSERT_EQ(path == StorePath() ? m_state.SaveApplicationData(path)
                                      : m_state.WriteSettingsFile(path),
                  1);
        struct stat status {};
        ASSERT_EQ(::stat(file.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, mode & 0700) << file;
        EXPECT_EQ(status.st_uid, root ? kNobodyUid : ::getuid()) << file;
        EXPECT_EQ(status.st_gid, root ? kNobodyGid : ::getgid()) << file;
    }
}

TEST_F(AppDataStoreTest, OnlyExactlyZeroSelectsCustomize) {
    for (const std::string def : {"00", "false", "", " 1"}) {
        WriteStore({"NETFOLDER_DEF=" + def, "NETFOLDER_NAME=12345"});
        Reopen();
        EXPECT_EQ(m_reopened->m_nNetFolderChoice, 0) << def;
        EXPECT_EQ(m_reopenedWindow->Text(IDC_DEVICE_NAME), u"12345") << "kept unchecked";
    }
    WriteStore({"NETFOLDER_NAME=kordavin"});
    Reopen();
    EXPECT_EQ(m_reopened->m_nNetFolderChoice, 0) << "missing means default";
    WriteStore({"NETFOLDER_DEF=0", "NETFOLDER_NAME=kordavin", "NETFOLDER_UID="});
    Reopen();
    EXPECT_EQ(m_reopened->m_nNetFolderChoice, 1);
    EXPECT_TRUE(m_reopenedWindow->IsEnabled(IDC_DEVICE_NAME));
    EXPECT_TRUE(m_ui.MessageBoxes().empty()) << "an empty user ID is not checked here";
}

TEST_F(AppDataStoreTest, BadStoredValuesAreReportedOnceEachAndEmptied) {
    std::u16string badPassword;
    ASSERT_EQ(EncryptSecret(u"tab\there", badPassword), 1);
    WriteStore({"NETFOLDER_DEF=0", "NETFOLDER_NAME=" + std::string(16, 'n'),
                "NETFOLDER_UID=user.name",
                "NETFOLDER_PASS=" + std::string(badPassword.begin(), badPassword.end())});
    Reopen();
    EXPECT_EQ(Messages(kMsgLoadSettings),
              (std::vector<int>{kMsgBadFileDeviceName, kMsgBadFileUserId, kMsgBadFilePassword}));
    EXPECT_EQ(m_reopenedWindow->Text(IDC_DEVICE_NAME), u"");
    EXPECT_EQ(m_reopenedWindow->Text(IDC_USER_ID), u"");
    EXPECT_EQ(m_reopenedWindow->Text(IDC_CONFIRM_PASSWORD), u"");
    EXPECT_EQ(m_reopened->m_nNetFolderChoice, 1);

    WriteStore({"NETFOLDER_DEF=1", "NETFOLDER_NAME=ok", "NETFOLDER_PASS=0123"});
    Reopen();
    EXPECT_EQ(Messages(kMsgLoadSettings), std::vector<int>{kMsgPasswordDecryption});
    EXPECT_EQ(m_reopenedWindow->Text(IDC_DEVICE_NAME), u"ok");
    EXPECT_EQ(m_reopenedWindow->Text(IDC_PASSWORD), u"");
}

} // namespace
