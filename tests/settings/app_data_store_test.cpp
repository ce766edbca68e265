// The per-user application data file: where it lives, its bytes, its modes,
// and what a read of it refuses.
#include "catalogue/message_ids.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/file_reader.h"
#include "settings/app_data_store.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_writer.h"
#include "tests/support/environment_variable.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_folder.h"
#include "tests/support/whole_file.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Messages = std::vector<int>;

class AppDataStoreTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }

    std::filesystem::path StorePath() const { return m_folder / "KordavinSettingUtil.dat"; }

    void WriteStore(const std::vector<std::string>& lines) {
        std::string bytes = "[NetworkSettingUtility]\r\n";
        for (const auto& line : lines) {
            bytes += line + "\r\n";
        }
        ASSERT_TRUE(platform::SaveFileAtomically(StorePath(), bytes));
    }
    // The utility section as read, with its messages, each checked for its
    // caption.
    CUtilitySection ReadStore(Messages& messages) const {
        const CAppDataContents contents = ReadAppDataFile(StorePath());
        messages.clear();
        for (const CRejectedValue& rejected : contents.utility.rejected) {
            EXPECT_EQ(rejected.nCaptionId, kMsgLoadSettings);
            messages.push_back(rejected.nMessageId);
        }
        return contents.utility.section;
    }

    CTempFolder m_folder;
};

mode_t FolderMode(const std::filesystem::path& folder) {
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) ? status.st_mode & 07777
                                                                           : 0;
}

TEST_F(AppDataStoreTest, PathFollowsAppDataThenXdgConfigHomeThenHome) {
    const std::string folder = m_folder.Path().string();
    {
        const CEnvironmentVariable appData("APPDATA", folder + "/roaming/new");
        ::chmod(m_folder.Path().c_str(), 0755);
        const mode_t oldMask = ::umask(0);
        EXPECT_EQ(ApplicationDataPath(),
                  m_folder.Path().u16string() + u"/roaming/new/KordavinSettingUtil.dat");
        ::umask(oldMask);
        EXPECT_EQ(FolderMode(m_folder / "roaming/new"), 0700u) << "made if missing, private";
        EXPECT_EQ(FolderMode(m_folder / "roaming"), 0700u);
        EXPECT_EQ(FolderMode(m_folder.Path()), 0755u) << "a folder already there is left alone";
    }
    const CEnvironmentVariable appData("APPDATA", "");
    {
        const CEnvironmentVariable config("XDG_CONFIG_HOME", folder + "/config");
        EXPECT_EQ(ApplicationDataPath(),
                  m_folder.Path().u16string() + u"/config/KordavinSettingUtil.dat");
    }
    const CEnvironmentVariable config("XDG_CONFIG_HOME", nullptr);
    const CEnvironmentVariable home("HOME", folder + "/home");
    EXPECT_EQ(ApplicationDataPath(),
              m_folder.Path().u16string() + u"/home/.config/KordavinSettingUtil.dat");
    EXPECT_TRUE(std::filesystem::is_directory(m_folder / "home/.config"));
}

TEST_F(AppDataStoreTest, APathLongerThan259UnitsSkipsTheStore) {
    const std::string base = m_folder.Path().string() + "/";
    const size_t fileName = std::string("/KordavinSettingUtil.dat").size();
    const std::string fits = base + std::string(259 - fileName - base.size(), 'f');
    {
        const CEnvironmentVariable appData("APPDATA", fits);
        EXPECT_EQ(ApplicationDataPath().size(), 259u);
    }
    const std::string tooLong = fits + "g";
    const CEnvironmentVariable appData("APPDATA", tooLong);
    EXPECT_EQ(ApplicationDataPath(), u"");
    EXPECT_FALSE(std::filesystem::exists(tooLong)) << "nothing is made for a skipped store";
}

TEST_F(AppDataStoreTest, AFailedSaveSaysWhy) {
    const CSettingsFileSave saved =
        SaveAppDataFile(m_folder / "missing" / "NetworkSetting.ini", CSettingsRecords(), {});
    EXPECT_EQ(saved.error, ESettingsFileError::NotSaved);
    EXPECT_EQ(saved.systemError, ENOENT);

    CSettingsRecords tooMany;
    tooMany.profiles.resize(31);
    for (CNetworkSetting& profile : tooMany.profiles) {
        profile.m_strSsid = u"net";
    }
    EXPECT_EQ(SaveAppDataFile(StorePath(), tooMany, {}).error, ESettingsFileError::TooManyProfiles);
    CUtilitySection brokenLine;
    brokenLine.folder.m_strUserId = u"user\nNETFOLDER_PASS=x";
    EXPECT_EQ(SaveAppDataFile(StorePath(), CSettingsRecords(), brokenLine).error,
              ESettingsFileError::UnsafeText);
    EXPECT_FALSE(std::filesystem::exists(StorePath())) << "nothing was saved";
}

TEST_F(AppDataStoreTest, FileLayoutModeAndTheTwoEncryptedPasswords) {
    CSettingsRecords records;
    records.nNetFolderChoice = 1;
    records.netFolder.m_strNetDeviceName = u"name";
    records.netFolder.m_strUserId = u"user";
    records.netFolder.m_strPassword = u"secret";
    CUtilitySection section{u"", 1, records.netFolder};
    const mode_t oldMask = ::umask(022);
    const CSettingsFileSave saved = SaveAppDataFile(StorePath(), records, section);
    ::umask(oldMask);
    ASSERT_TRUE(saved);
    struct stat status {};
    ASSERT_EQ(::stat(StorePath().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    const std::string bytes = ReadWholeFile(StorePath()).value_or("");
    const size_t found = bytes.find("WIRELESS_SETTING_TOTAL=0\r\n[NetworkSettingUtility]\r\n"
                                    "LAST_PATS=\r\nNETFOLDER_DEF=0\r\nNETFOLDER_NAME=name\r\n"
                                    "NETFOLDER_UID=user\r\nNETFOLDER_PASS=");
    ASSERT_NE(found, std::string::npos) << bytes;
    const auto passwords = [&] {
        std::vector<std::u16string> stored;
        for (size_t at = bytes.find("NETFOLDER_PASS="); at != std::string::npos;
             at = bytes.find("NETFOLDER_PASS=", at + 1)) {
            const size_t start = at + 15;
            const std::string value = bytes.substr(start, bytes.find("\r\n", start) - start);
            stored.emplace_back(value.begin(), value.end());
        }
        return stored;
    }();
    ASSERT_EQ(passwords.size(), 2u);
    EXPECT_NE(passwords[0], passwords[1]) << "each encryption has its own IV";
    for (const auto& stored : passwords) {
        std::u16string password;
        EXPECT_EQ(DecryptSecret(stored.c_str(), password), 1);
        EXPECT_EQ(password, u"secret");
    }
}

// An existing file that others could read loses their access when saved;
// it keeps its owner and group (another user's, where root saves it). The
// same for a settings file for the player: its secrets are encrypted under a
// key anyone can know. Its owner can always read it back.
TEST_F(AppDataStoreTest, SavingTakesAwayWhatOthersCouldReadButKeepsOwnerAndGroup) {
    const bool root = ::geteuid() == 0;
    const auto settingsFile = m_folder / "NetworkSetting.ini";
    for (const auto& [file, mode] :
         {std::pair{StorePath(), mode_t{0644}}, std::pair{settingsFile, mode_t{06777}},
          std::pair{m_folder / "write-only.ini", mode_t{0200}}}) {
        ASSERT_TRUE(platform::SaveFileAtomically(file, "old", mode));
        if (root) {
            ASSERT_EQ(::chown(file.c_str(), kNobodyUid, kNobodyGid), 0);
        }
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        const CSettingsRecords records;
        ASSERT_TRUE(file == StorePath() ? SaveAppDataFile(file, records, {})
                                        : SaveSettingsFile(file, ComposeSettingsFile(records)));
        struct stat status {};
        ASSERT_EQ(::stat(file.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, (mode & 0700) | 0600) << file << " its owner's to read";
        EXPECT_EQ(status.st_uid, root ? kNobodyUid : ::getuid()) << file;
        EXPECT_EQ(status.st_gid, root ? kNobodyGid : ::getgid()) << file;
    }
}

// A folder the file cannot hold as it is, for a character the ANSI code
// page (1252 here) lacks or a line break, is not remembered; the rest is.
TEST_F(AppDataStoreTest, AFolderTheFileCannotHoldIsNotRememberedAndTheRestIs) {
    CSettingsRecords records;
    records.netFolder.m_strNetDeviceName = u"name";
    for (const char16_t* folder : {u"/home/u/\u0414\u043E\u043A", u"/home/u/a\nb"}) {
        ASSERT_TRUE(SaveAppDataFile(StorePath(), records, {folder, 1, records.netFolder}));
        Messages messages;
        const CUtilitySection read = ReadStore(messages);
        EXPECT_EQ(read.strLastPath, u"") << "remembered wrong";
        EXPECT_EQ(read.folder.m_strNetDeviceName, u"name");
    }
    ASSERT_TRUE(
        SaveAppDataFile(StorePath(), records, {u"/home/u/Caf\u00E9", 1, records.netFolder}));
    Messages messages;
    EXPECT_EQ(ReadStore(messages).strLastPath, u"/home/u/Caf\u00E9");
}

TEST_F(AppDataStoreTest, OnlyExactlyZeroSelectsCustomize) {
    Messages messages;
    for (const std::string def : {"00", "false", "", " 1"}) {
        WriteStore({"NETFOLDER_DEF=" + def, "NETFOLDER_NAME=12345"});
        const CUtilitySection section = ReadStore(messages);
        EXPECT_EQ(section.nNetFolderChoice, 0) << def;
        EXPECT_EQ(section.folder.m_strNetDeviceName, u"12345") << "kept unchecked";
        EXPECT_EQ(messages, Messages{});
    }
    WriteStore({"NETFOLDER_NAME=kordavin"});
    EXPECT_EQ(ReadStore(messages).nNetFolderChoice, 0) << "missing means default";
    WriteStore({"NETFOLDER_DEF=0", "NETFOLDER_NAME=kordavin", "NETFOLDER_UID="});
    EXPECT_EQ(ReadStore(messages).nNetFolderChoice, 1);
    EXPECT_EQ(messages, Messages{}) << "an empty user ID is not checked here";
}

TEST_F(AppDataStoreTest, BadStoredValuesAreReportedOnceEachAndEmptied) {
    std::u16string badPassword;
    ASSERT_EQ(EncryptSecret(u"tab\there", badPassword), 1);
    WriteStore({"NETFOLDER_DEF=0", "NETFOLDER_NAME=" + std::string(16, 'n'),
                "NETFOLDER_UID=user.name",
                "NETFOLDER_PASS=" + std::string(badPassword.begin(), badPassword.end())});
    Messages messages;
    CUtilitySection section = ReadStore(messages);
    EXPECT_EQ(messages, (Messages{kMsgBadFileDeviceName, kMsgBadFileUserId, kMsgBadFilePassword}));
    EXPECT_EQ(section.folder, CNetFolderSetting());
    EXPECT_EQ(section.nNetFolderChoice, 1);

    WriteStore({"NETFOLDER_DEF=1", "NETFOLDER_NAME=ok", "NETFOLDER_PASS=0123"});
    section = ReadStore(messages);
    EXPECT_EQ(messages, Messages{kMsgPasswordDecryption});
    EXPECT_EQ(section.folder.m_strNetDeviceName, u"ok");
    EXPECT_EQ(section.folder.m_strPassword, u"");
}

} // namespace
