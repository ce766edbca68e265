// The "Local Security Setting" page: it starts the program that changes the
// level, and keeps that program and the system's pop-ups in front of the
// main dialog.
#include "dialogs/main_dialog/security_page.h"

#include "catalogue/message_catalogue.h"
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "platform/administrator.h"
#include "platform/module.h"
#include "ui/services.h"

#include <array>

namespace {

constexpr char kSecuritySettingProgramName[] = "Brenhold";

constexpr std::array kFrontWindowMessages = {
    kMsgLocalSecuritySetting, kMsgSelectTarget,    kMsgAboutTitle,       kMsgWirelessLanProperty,
    kMsgLoadSettings,         kMsgCreateSetting,   kMsgNetFolderSetting, kMsgWiredLanSetting,
    kMsgWirelessLanSetting,   kMsgWirelessSetting, kMsgQuestionCaption,
};

} // namespace

std::filesystem::path SecuritySettingProgram() {
    return platform::GetModuleFileName().parent_path() / kSecuritySettingProgramName;
}

std::vector<std::u16string> FrontWindowTitles() {
    std::vector<std::u16string> titles;
    for (const int id : kFrontWindowMessages) {
        titles.emplace_back(GetMessageText(id));
    }
    return titles;
}

// One search for all titles, so that a drag stays smooth however many
// windows the desktop has.
void BringFrontWindowsForward() {
    ui::IUiServices& services = ui::Services();
    for (const ui::WindowHandle window : services.FindWindows(FrontWindowTitles())) {
        if (window != 0) {
            services.SetForegroundWindow(window);
        }
    }
}

// Whatever goes wrong (no program, no pkexec, a refused password) the
// dialog stays as it is: the desktop's own prompt is all the user sees. While
// the program of the last press runs, or its password is asked for, another
// press brings it forward instead of asking again.
void CQuorlanDlg::OnStartSecuritySetting() {
    if (m_securitySetting.IsRunning()) {
        BringFrontWindowsForward();
        return;
    }
    m_securitySetting = platform::StartAsAdministrator(SecuritySettingProgram());
}

void CQuorlanDlg::OnWindowPosChanged() { BringFrontWindowsForward(); }
