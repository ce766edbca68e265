// "Load settings" and "Create Setting file": where the file is, and what the
// user is told; reading and writing belong to the settings state.
#include "catalogue/message_catalogue.h"
#include "dialogs/quorlan_dlg.h"
#include "dialogs/select_target.h"
#include "ui/services.h"

#include <filesystem>
#include <fstream>

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

// Only a regular file (or a link to one) counts: a folder, a pipe or a
// device of that name is never opened, as reading one could block forever.
bool IsExistingFile(const std::u16string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(std::filesystem::path(path), ignored);
}

bool IsReadableFile(const std::u16string& path) {
    return IsExistingFile(path) && std::ifstream(std::filesystem::path(path)).is_open();
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
        if (!IsExistingFile(path)) {
            ShowMessage(kMsgSettingFileMissing, kMsgLoadSettings, ui::Icon::None);
            return;
        }
    } else {
        const auto chosen = ui::Services().GetOpenFileName(this, SettingsFileOpenOptions());
        if (!chosen) {
            return;
        }
        path = *chosen;
    }
    // A file that cannot be read would load as all defaults and wipe the
    // dialog; it is reported as a failed load instead.
    if (IsReadableFile(path) && LoadSettingsFile(path) == 1) {
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
