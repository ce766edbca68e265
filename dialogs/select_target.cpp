#include "dialogs/select_target.h"

#include "catalogue/message_catalogue.h"

namespace {

ui::DialogTemplate MakeTemplate() {
    using namespace ui;
    DialogTemplate dialog;
    dialog.id = kSelectTargetTemplateId;
    dialog.rect = {0, 0, 200, 92};
    dialog.title = u"Select Target";
    dialog.fontPointSize = 12;
    dialog.windowStyle = window_style::kSystemMenu;
    dialog.controls = {
        {IDC_SELECT_TARGET_QUESTION, ControlKind::Static, {10, 8, 180, 20}, 0, u"Static"},
        {IDC_TARGET_DEVICE, ControlKind::PushButton, {10, 32, 180, 22}, style::kTabStop, u"Device"},
        {IDC_TARGET_LOCAL_COMPUTER,
         ControlKind::PushButton,
         {10, 60, 180, 22},
         style::kTabStop,
         u"Local computer"},
    };
    return dialog;
}

} // namespace

const ui::DialogTemplate& SelectTargetTemplate() {
    static const ui::DialogTemplate dialogTemplate = MakeTemplate();
    return dialogTemplate;
}

CSelectTarget::CSelectTarget(ui::CDialog* parent) : ui::CDialog(SelectTargetTemplate(), parent) {
    OnNotify(IDC_TARGET_DEVICE, ui::Notification::Clicked, [this] { OnDevice(); });
    OnNotify(IDC_TARGET_LOCAL_COMPUTER, ui::Notification::Clicked, [this] { OnLocalComputer(); });
}

bool CSelectTarget::OnInitDialog() {
    ui::CDialog::OnInitDialog();
    ui::IWindow& window = Window();
    window.SetTitle(GetMessageText(kMsgSelectTarget));
    window.SetText(IDC_SELECT_TARGET_QUESTION,
                   GetMessageText(m_bCreate != 0 ? kMsgWhereToCreateInto : kMsgWhereToLoadFrom));
    window.SetText(IDC_TARGET_DEVICE, FormatDeviceText(kMsgSdCardOfDevice, m_strDeviceName));
    window.SetText(IDC_TARGET_LOCAL_COMPUTER, GetMessageText(kMsgLocalComputer));
    return true;
}

void CSelectTarget::OnDevice() {
    m_nChoice = 0;
    EndDialog(ui::IDOK);
}

void CSelectTarget::OnLocalComputer() {
    m_nChoice = 1;
    EndDialog(ui::IDOK);
}
