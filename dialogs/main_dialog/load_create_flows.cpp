// "Load settings" and "Create Setting file": where the file is, and what the
// user is told; reading and writing belong to the settings state.
#include "catalogue/message_catalogue.h"
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "dialogs/select_target.h"
#include "ui/services.h"

#include <filesystem>

namespace {

constexpr char16_t kSettingsFileName[] = u"NetworkSetting.ini";
// The player's own tools join with a backslash; here folders end in '/'.
constexpr char16_t kFolderSeparator = u'/';

std::u16string SettingsFileIn(std::u16string folder) {
    if (folder.empty() || folder.back() != kFolderSeparator) {
        folder += kFolderSeparator;
    }
    return folder + kSettingsFileName;
}

// Only a regular file (or a link to one) is a file to overwrite.
bool IsExistingFile(const std::u16string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(std::filesystem::path(path), ignored);
}

// On the player, only a regular file (or a link to one) counts as the
// settings file: a folder, a pipe or a device of that name is none.
bool IsNoSettingsFile(platform::EReadFault fault) {
    using platform::EReadFault;
    return fault == EReadFault::Missing || fault == EReadFault::Folder ||
           fault == EReadFault::NotRegularFile;
}

ui::COpenFileOptions SettingsFileOpenOptions() {
    ui::COpenFileOptions options;
    options.defaultExtension = u"ini";
    options.fileName = kSettingsFileName;
    options.filter = u"(*.ini)|*.ini||";
    return options;
}

} // namespace

std::optional<CQuorlanDlg::ETarget> CQuorlanDlg::ChooseTarget(int create) {
    if (m_strDevicePath.empty()) {
        return ETarget::LocalComputer;
    }
    CSelectTarget selectTarget(this);
    selectTarget.m_bCreate = create;
    selectTarget.m_strDeviceName = m_strDeviceName;
    if (selectTarget.DoModal() != ui::IDOK) {
        return std::nullopt;
    }
    return selectTarget.m_nChoice == 0 ? ETarget::Device : ETarget::LocalComputer;
}

void CQuorlanDlg::OnLoadSettings() {
    const auto target = ChooseTarget(0);
    if (!target) {
        return;
    }
    std::u16string path;
    if (*target == ETarget::Device) {
        path = SettingsFileIn(m_strDevicePath);
    } else {
        const auto chosen = ui::Services().GetOpenFileName(this, SettingsFileOpenOptions());
        if (!chosen) {
            return;
        }
        path = *chosen;
    }
    const CLoad loaded = LoadSettingsFile(path);
    if (*target == ETarget::Device && IsNoSettingsFile(loaded.readFault)) {
        ShowMessage(kMsgSettingFileMissing, kMsgLoadSettings, ui::Icon::None);
        return;
    }
    // A file that cannot be read is a failed load.
    if (loaded.result == 1) {
        ShowMessage(kMsgLoadSucceeded, kMsgLoadSettings, ui::Icon::Information);
    } else {
        ShowMessage(kMsgLoadFinishedWithError, kMsgLoadSettings, ui::Icon::Error);
    }
}

void CQuorlanDlg::OnCreateSettingFile() {
    if (ValidateNetFolderPage(1, 1) == 0 || ValidateWiredPage(1, 1) == 0) {
        return;
    }
    const auto target = ChooseTarget(1);
    if (!target) {
        return;
    }
    std::u16string path;
    if (*target == ETarget::Device) {
        path = SettingsFileIn(m_strDevicePath);
    } else {
        const auto folder =
            ui::Services().BrowseForFolder(this, {GetMessageText(kMsgSelectFolder), m_strLastPath});
        if (!folder) {
            return;
        }
        m_strLastPath = *folder;
        path = SettingsFileIn(*folder);
    }
    if (IsExistingFile(path)) {
        ComposeMessageText(m_strMessage, kMsgOverwriteExistingFile);
        if (MessageBox(m_strMessage, GetMessageText(kMsgCreateSetting), ui::Icon::Question,
                       ui::Buttons::OkCancel) != ui::IDOK) {
            return;
        }
    }
    if (WriteSettingsFile(path) == 1) {
        ShowMessage(kMsgCreateSucceeded, kMsgCreateSetting, ui::Icon::Information);
    } else {
        ShowMessage(kMsgCreateFailed, kMsgCreateSetting, ui::Icon::Error);
    }
}
