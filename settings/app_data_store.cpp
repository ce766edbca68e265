// The application data file: where it lives, and the section that only it
// has, which remembers the last folder and the network folder entries.
#include "settings/app_data_store.h"

#include "catalogue/message_ids.h"
#include "platform/app_data_folder.h"
#include "platform/codepage.h"
#include "platform/file_reader.h"
#include "platform/ini_document.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_format.h"
#include "settings/settings_file_writer.h"
#include "settings/validation_rules.h"

namespace {

constexpr size_t kMaxAppDataPathLength = 259; // a buffer of 260 units with its terminator

} // namespace

std::u16string ApplicationDataPath() {
    const auto folder = platform::GetAppDataFolder();
    if (!folder) {
        return {};
    }
    const std::string native = (*folder / std::filesystem::path(kAppDataFileName)).string();
    const std::u16string path = platform::MultiByteToWide(platform::kUtf8CodePage, native);
    // A path that UTF-16 cannot carry unchanged would name another file.
    if (path.size() > kMaxAppDataPathLength ||
        platform::WideToMultiByte(platform::kUtf8CodePage, path) != native) {
        return {};
    }
    platform::CreatePrivateFolders(*folder);
    return path;
}

CUtilitySectionContents ReadUtilitySection(const platform::IProfileSource& file) {
    const auto read = [&](std::u16string_view key, std::u16string_view defaultValue = u"") {
        return file.GetString(kSectionUtility, key, defaultValue, kReadBufferUnits);
    };
    CUtilitySectionContents contents;
    CUtilitySection& section = contents.section;
    section.strLastPath = read(kKeyLastPath);
    const bool customize = read(kKeyNetFolderDefault, u"1") == u"0";
    section.nNetFolderChoice = customize ? 1 : 0;
    CNetFolderSetting& folder = section.folder;
    folder.m_strNetDeviceName = read(kKeyNetFolderName);
    folder.m_strUserId = read(kKeyNetFolderUid);
    const std::u16string storedPassword = read(kKeyNetFolderPass);

    const auto reject = [&](int messageId, std::u16string& value) {
        contents.rejected.push_back({messageId, kMsgLoadSettings});
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
    return contents;
}

CAppDataContents ReadAppDataFile(const std::filesystem::path& path) {
    const platform::CFileBytes bytes = platform::ReadFile(path, kMaxSettingsFileBytes);
    const platform::CProfileFile file(bytes.bytes); // none when it cannot be read
    CAppDataContents contents{ReadSettingsFile(file), ReadUtilitySection(file)};
    contents.settings.readFault = bytes.fault;
    contents.settings.nReadError = bytes.systemError;
    return contents;
}

CSettingsFileSave SaveAppDataFile(const std::filesystem::path& path,
                                  const CSettingsRecords& records, const CUtilitySection& section) {
    const CComposedSettingsFile settings = ComposeSettingsFile(records);
    if (!settings.bytes) {
        return {settings.error};
    }
    auto document = platform::CIniDocument::FromBytes(*settings.bytes);
    const CNetFolderSetting& folder = section.folder;
    std::u16string storedPassword;
    // A password too long to encrypt is not stored at all; the silent page
    // check on closing has already erased any longer than 32 characters.
    if (!folder.m_strPassword.empty() &&
        EncryptSecret(folder.m_strPassword.c_str(), storedPassword) != 1) {
        storedPassword.clear();
    }
    // A folder the file cannot hold as it is (a character the ANSI code page
    // lacks, a line break) is not remembered rather than remembered wrong.
    const bool remembered = IsHeldByTheAnsiCodePage(section.strLastPath) &&
                            document.SetValue(kSectionUtility, kKeyLastPath, section.strLastPath);
    const bool written =
        (remembered || document.SetValue(kSectionUtility, kKeyLastPath, u"")) &&
        document.SetValue(kSectionUtility, kKeyNetFolderDefault,
                          section.nNetFolderChoice == 1 ? u"0" : u"1") &&
        document.SetValue(kSectionUtility, kKeyNetFolderName, folder.m_strNetDeviceName) &&
        document.SetValue(kSectionUtility, kKeyNetFolderUid, folder.m_strUserId) &&
        document.SetValue(kSectionUtility, kKeyNetFolderPass, storedPassword);
    if (!written) {
        return {ESettingsFileError::UnsafeText};
    }
    return SaveSettingsFile(path, {document.ToBytes()});
}
