#pragma once
#include "ui/dialog.h"

#include <utility>
#include <vector>

// A dialog with one control of every kind, recording what it is told.
inline ui::DialogTemplate ProbeTemplate(unsigned windowStyle, unsigned extendedStyle) {
    using namespace ui;
    DialogTemplate dialog;
    dialog.id = 900;
    dialog.rect = {0, 0, 200, 130};
    dialog.title = u"Probe";
    dialog.windowStyle = windowStyle;
    dialog.extendedStyle = extendedStyle;
    dialog.controls = {
        {10, ControlKind::Static, {5, 5, 40, 10}, 0, u"Name"},
        {11, ControlKind::Edit, {50, 5, 100, 12}, style::kNumber | style::kTabStop, u""},
        {12, ControlKind::GroupBox, {5, 20, 190, 40}, 0, u"Mode"},
        {13, ControlKind::RadioButton, {10, 30, 50, 10}, style::kGroup, u"A"},
        {14, ControlKind::RadioButton, {60, 30, 50, 10}, 0, u"B"},
        {15, ControlKind::CheckBox, {10, 45, 50, 10}, 0, u"Check"},
        {16, ControlKind::Static, {5, 65, 40, 10}, 0, u"Address"},
        {17, ControlKind::IpAddress, {50, 65, 100, 12}, 0, u""},
        {18, ControlKind::ComboBox, {5, 80, 100, 60}, style::kDropDownList, u""},
        {19, ControlKind::ListBox, {110, 80, 85, 20}, 0, u""},
        {IDOK, ControlKind::PushButton, {90, 110, 50, 14}, style::kDefaultButton, u"OK"},
        {IDCANCEL, ControlKind::PushButton, {145, 110, 50, 14}, 0, u"Cancel"},
    };
    return dialog;
}

class CProbeDlg : public ui::CDialog {
public:
    explicit CProbeDlg(const ui::DialogTemplate& dialogTemplate) : CDialog(dialogTemplate) {
        for (const int id : {13, 14, 15}) {
            OnNotify(id, ui::Notification::Clicked,
                     [this, id] { Record(id, ui::Notification::Clicked); });
        }
        OnNotify(11, ui::Notification::EditChanged,
                 [this] { Record(11, ui::Notification::EditChanged); });
        OnNotify(17, ui::Notification::EditChanged,
                 [this] { Record(17, ui::Notification::EditChanged); });
        OnNotify(18, ui::Notification::SelectionChanged,
                 [this] { Record(18, ui::Notification::SelectionChanged); });
    }

    void DoDataExchange(ui::CDataExchange& dx) override {
        ui::DDX_Radio(dx, 13, m_nMode);
        ui::DDX_Check(dx, 15, m_bCheck);
    }

    int m_nMode = 0;
    int m_bCheck = 1;
    std::vector<std::pair<int, ui::Notification>> m_notifications;

private:
    void Record(int id, ui::Notification code) { m_notifications.emplace_back(id, code); }
};
