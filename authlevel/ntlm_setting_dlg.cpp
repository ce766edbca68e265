#include "authlevel/ntlm_setting_dlg.h"

#include "authlevel/lm_compatibility_level.h"
#include "authlevel/samba_client_auth.h"
#include "authlevel/shutdown_privilege.h"
#include "catalogue/message_catalogue.h"
#include "platform/restart.h"
#include "ui/services.h"

namespace {

constexpr int kLevelCount = 6;
// Chosen when nothing is stored: NTLM responses only.
constexpr int kDefaultLevel = 2;

// Read back after writing: a level that did not reach the registry must not
// be reported as changed. Samba's client follows only a stored level.
bool StoreLevel(int level) {
    WriteLmCompatibilityLevel(level);
    return ReadLmCompatibilityLevel() == level && WriteSambaClientAuth(level);
}

ui::DialogTemplate MakeTemplate() {
    using namespace ui;
    DialogTemplate dialog;
    dialog.id = IDD_NTLMSETTING_DIALOG;
    dialog.rect = {0, 0, 302, 93};
    dialog.title = u"Local Security Setting";
    dialog.fontName = u"MS Shell Dlg";
    dialog.fontPointSize = 12;
    dialog.windowStyle = 0; // no system menu, so no close box
    dialog.extendedStyle = kExStyleToolWindow;
    dialog.controls = {
        {IDC_STATIC_LEVEL, ControlKind::Static, {15, 8, 272, 18}, 0, u"Static"},
        {IDC_STATIC_NOTE, ControlKind::Static, {15, 27, 271, 18}, 0, u"Static"},
        {IDC_COMBO_LEVEL,
         ControlKind::ComboBox,
         {7, 50, 288, 164},
         style::kDropDownList | style::kVScroll | style::kSort | style::kTabStop,
         u""},
        {IDCANCEL, ControlKind::PushButton, {7, 70, 58, 16}, style::kTabStop, u"Cancel"},
        {IDC_APPLY, ControlKind::PushButton, {78, 70, 58, 16}, style::kTabStop, u"Apply"},
        {IDOK,
         ControlKind::PushButton,
         {237, 70, 58, 16},
         style::kDefaultButton | style::kTabStop,
         u"OK"},
    };
    return dialog;
}

} // namespace

const ui::DialogTemplate& NtlmSettingTemplate() {
    static const ui::DialogTemplate dialogTemplate = MakeTemplate();
    return dialogTemplate;
}

CNTLMSettingDlg::CNTLMSettingDlg() : CDialog(NtlmSettingTemplate()), m_strIconName(u"brenhold") {
    OnNotify(IDC_COMBO_LEVEL, ui::Notification::SelectionChanged, [this] { OnSelChangeLevel(); });
    OnNotify(IDC_APPLY, ui::Notification::Clicked, [this] { OnApply(); });
}

bool CNTLMSettingDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ui::IWindow& window = Window();
    window.SetIcon(m_strIconName);
    window.SetTitle(GetMessageText(kMsgLocalSecuritySetting));
    // Started by itself, without the settings utility: a taskbar entry of its own.
    if (ui::Services().FindWindow(kSettingUtilityTitle) == 0) {
        window.SetExtendedStyle((window.ExtendedStyle() & ~ui::kExStyleToolWindow) |
                                ui::kExStyleAppWindow);
    }
    window.SetText(IDC_STATIC_LEVEL, GetMessageText(kMsgLevelLabel));
    window.SetText(IDC_STATIC_NOTE, GetMessageText(kMsgLevelNote));
    window.SetText(ui::IDCANCEL, GetMessageText(kMsgBrenholdCancel));
    window.SetText(IDC_APPLY, GetMessageText(kMsgBrenholdApply));
    window.SetText(ui::IDOK, GetMessageText(kMsgBrenholdOk));
    // By position, so that the row's position is its level.
    for (int level = 0; level < kLevelCount; ++level) {
        window.InsertItem(IDC_COMBO_LEVEL, level, GetMessageText(kMsgFirstLevel + level));
    }
    const int level = ReadLmCompatibilityLevel();
    if (level == -1) {
        window.SetCurSel(IDC_COMBO_LEVEL, kDefaultLevel);
        window.Enable(IDC_APPLY, true);
    } else {
        window.SetCurSel(IDC_COMBO_LEVEL, level); // outside 0 to 5: no row
        window.Enable(IDC_APPLY, false);
    }
    return true;
}

void CNTLMSettingDlg::OnSelChangeLevel() { Window().Enable(IDC_APPLY, true); }

void CNTLMSettingDlg::OnApply() { ApplyLevel(); }

bool CNTLMSettingDlg::ApplyLevel() {
    ComposeMessageText(m_strMessage, kMsgConfirmLevel);
    if (MessageBox(m_strMessage, GetMessageText(kMsgQuestionCaption), ui::Icon::None,
                   ui::Buttons::OkCancel) != ui::IDOK) {
        return false;
    }
    if (!StoreLevel(Window().CurSel(IDC_COMBO_LEVEL))) {
        ComposeMessageText(m_strMessage, kMsgLevelNotWritten);
        MessageBox(m_strMessage, GetMessageText(kMsgQuestionCaption), ui::Icon::Error,
                   ui::Buttons::Ok);
        return false;
    }
    Window().Enable(IDC_APPLY, false);
    ComposeMessageText(m_strMessage, kMsgRestartQuestion);
    if (MessageBox(m_strMessage, GetMessageText(kMsgQuestionCaption), ui::Icon::None,
                   ui::Buttons::YesNo) == ui::IDYES) {
        EnableShutdownPrivilege();
        platform::ExitWindowsEx(platform::EWX_REBOOT, 0);
    }
    return true;
}

void CNTLMSettingDlg::OnOK() {
    if (Window().IsEnabled(IDC_APPLY) && !ApplyLevel()) {
        return;
    }
    EndDialog(ui::IDOK);
}
