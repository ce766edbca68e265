// The application data file: where it lives, and the section that only it
// has, which remembers the last folder and the network folder entries.
#include "platform/app_data_folder.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/profile_file.h"
#include "settings/quorlan_dlg_state.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_format.h"
#include "settings/settings_messages.h"
#include "settings/validation_rules.h"

namespace {

constexpr size_t kMaxAppDataPathLength = 259; // a buffer of 260 units with its terminator
constexpr unsigned kUtf8CodePage = 65001;

} // namespace

void CQuorlanDlgState::GetApplicationDataPath() {
    m_strAppDataPath.clear();
    const auto folder = platform::GetAppDataFolder();
    if (!folder) {
        return;
    }
    const std::string native = (*folder / std::filesystem::path(kAppDataFileName)).string();
    const std::u16string path = platform::MultiByteToWide(kUtf8CodePage, native);
    // A path that UTF-16 cannot carry unchanged would name another file.
    if (path.size() > kMaxAppDataPathLength ||
        platform::WideToMultiByte(kUtf8CodePage, path) != native) {
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(*folder, ignored);
    m_strAppDataPath = path;
}

int CQuorlanDlgState::WriteUtilitySection(const std::u16string& path) {
    UpdateData(true);
    if (path.empty()) {
        return 1;
    }
    const std::filesystem::path file(path);
    const auto bytes = platform::ReadWholeFile(file);
    if (!bytes && std::filesystem::exists(file)) {
        return 1; // never replace what could not be read
    }
    auto document = platform::CIniDocument::FromBytes(bytes.value_or(std::string{}));
    ui::IWindow& window = Window();
    const std::u16string password = window.Text(IDC_PASSWORD);
    std::u16string storedPassword;
    // A password too long to encrypt is not stored at all; the silent page
    // check on closing has already erased any longer than 32 characters.
    if (!password.empty() && EncryptSecret(password.c_str(), storedPassword) != 1) {
        storedPassword.clear();
    }
    document.SetValue(kSectionUtility, kKeyLastPath, m_strLastPath);
    document.SetValue(kSectionUtility, kKeyNetFolderDefault, m_nNetFolderChoice == 1 ? u"0" : u"1");
    document.SetValue(kSectionUtility, kKeyNetFolderName, window.Text(IDC_DEVICE_NAME));
    document.SetValue(kSectionUtility, kKeyNetFolderUid, window.Text(IDC_USER_ID));
    document.SetValue(kSectionUtility, kKeyNetFolderPass, storedPassword);
    platform::SaveFileAtomically(file, document.ToBytes(), kAppDataFileMode);
    return 1;
}

int CQuorlanDlgState::LoadUtilitySection(const std::u16string& path) {
    const platform::CProfileFile file{std::filesystem::path(path)};
    const auto read = [&](std::u16string_view key, std::u16string_view defaultValue = u"") {
        return file.GetString(kSectionUtility, key, defaultValue, kReadBufferUnits);
    };
    m_strLastPath = read(kKeyLastPath);
    const bool customize = read(kKeyNetFolderDefault, u"1") == u"0";
    CNetFolderSetting folder;
    folder.m_strNetDeviceName = read(kKeyNetFolderName);
    folder.m_strUserId = read(kKeyNetFolderUid);
    const std::u16string storedPassword = read(kKeyNetFolderPass);

    const auto reject = [&](int messageId, std::u16string& value) {
        ShowMessage(messageId, kMsgLoadSettings);
        value.clear();
    };
    if (!storedPassword.empty() &&
        DecryptSecret(storedPassword.c_str(), folder.m_strPassword) != 1) {
        reject(kMsgPasswordDecryption, folder.m_strPassword);
    }
    // Entries kept under the default choice are not checked: they are only
    // shown, disabled, and checked when the user customises again.
    if (customize) {
        if (!folder.m_strNetDeviceName.empty() && !IsValidDeviceName(folder.m_strNetDeviceName)) {
            reject(kMsgBadFileDeviceName, folder.m_strNetDeviceName);
        }
        if (!folder.m_strUserId.empty() && !IsValidUserId(folder.m_strUserId)) {
            reject(kMsgBadFileUserId, folder.m_strUserId);
        }
        if (!IsValidPassword(folder.m_strPassword)) {
            reject(kMsgBadFilePassword, folder.m_strPassword);
        }
    }
    m_nNetFolderChoice = customize ? 1 : 0;
    ShowNetFolderEntries(folder, customize);
    UpdateData(false);
    return 1;
}
