#pragma once
#include "ui/dialog.h"

#include <utility>
#include <vector>

// A dialog with a control of every kind that records every notification.
namespace parity {

inline constexpr int kLabel = 10;
inline constexpr int kPlainEdit = 11;
inline constexpr int kNumberEdit = 12;
inline constexpr int kPasswordEdit = 13;
inline constexpr int kRadioA = 14;
inline constexpr int kRadioB = 15;
inline constexpr int kCheck = 16;
inline constexpr int kAddress = 17;
inline constexpr int kCombo = 18;
inline constexpr int kList = 19;
inline constexpr int kTabs = 20;
// Buttons of a page without a default button; the first would be Qt's pick.
inline constexpr int kPriorityUp = 30;
inline constexpr int kPriorityDown = 31;
// Buttons of a property dialog whose default is not IDOK.
inline constexpr int kClear = 1052;
inline constexpr int kPropertyOk = 1064;
inline constexpr int kPropertyCancel = 1065;

enum class ButtonRow { NoDefault, DefaultNotOk };

inline ui::DialogTemplate ProbeTemplate(ButtonRow buttons) {
    using namespace ui;
    DialogTemplate dialog;
    dialog.id = 950;
    dialog.rect = {0, 0, 260, 190};
    dialog.title = u"Parity";
    dialog.controls = {
        {kLabel, ControlKind::Static, {5, 5, 40, 10}, 0, u"Name"},
        {kPlainEdit,
         ControlKind::Edit,
         {50, 5, 100, 12},
         style::kAutoHScroll | style::kTabStop,
         u""},
        {kNumberEdit, ControlKind::Edit, {155, 5, 40, 12}, style::kNumber | style::kTabStop, u""},
        {kPasswordEdit,
         ControlKind::Edit,
         {200, 5, 55, 12},
         style::kPassword | style::kTabStop,
         u""},
        {kRadioA, ControlKind::RadioButton, {5, 22, 50, 10}, style::kGroup, u"A"},
        {kRadioB, ControlKind::RadioButton, {60, 22, 50, 10}, 0, u"B"},
        {kCheck, ControlKind::CheckBox, {115, 22, 60, 10}, style::kTabStop, u"Check"},
        {kAddress, ControlKind::IpAddress, {5, 36, 97, 13}, style::kTabStop, u""},
        {kCombo, ControlKind::ComboBox, {110, 36, 100, 60}, style::kDropDownList, u""},
        {kList, ControlKind::ListBox, {5, 54, 100, 50}, style::kNotify | style::kTabStop, u""},
        {kTabs, ControlKind::Tab, {110, 110, 145, 50}, 0, u"Tab"},
    };
    if (buttons == ButtonRow::NoDefault) {
        dialog.controls.push_back(
            {kPriorityUp, ControlKind::PushButton, {5, 170, 60, 14}, style::kTabStop, u"Up"});
        dialog.controls.push_back(
            {kPriorityDown, ControlKind::PushButton, {70, 170, 60, 14}, style::kTabStop, u"Down"});
    } else {
        dialog.controls.push_back(
            {kClear, ControlKind::PushButton, {5, 170, 58, 14}, style::kTabStop, u"Clear"});
        dialog.controls.push_back({kPropertyOk,
                                   ControlKind::PushButton,
                                   {116, 170, 55, 14},
                                   style::kDefaultButton | style::kTabStop,
                                   u"OK"});
        dialog.controls.push_back({kPropertyCancel,
                                   ControlKind::PushButton,
                                   {183, 170, 55, 14},
                                   style::kTabStop,
                                   u"Cancel"});
    }
    return dialog;
}

using CHeard = std::pair<int, ui::Notification>;

class CRecorderDlg : public ui::CDialog {
public:
    explicit CRecorderDlg(const ui::DialogTemplate& dialogTemplate) : CDialog(dialogTemplate) {
        using ui::Notification;
        for (const auto& control : dialogTemplate.controls) {
            for (const Notification code :
                 {Notification::Clicked, Notification::SelectionChanged,
                  Notification::DoubleClicked, Notification::EditChanged,
                  Notification::SuggestionChosen}) {
                OnNotify(control.id, code, [this, id = control.id, code] { Heard(id, code); });
            }
        }
    }
    // The window stays open, so one test can press Enter several times.
    void OnOK() override { Heard(ui::IDOK, ui::Notification::Clicked); }
    void OnCancel() override { Heard(ui::IDCANCEL, ui::Notification::Clicked); }

    // What the dialog heard since the last call.
    std::vector<CHeard> TakeHeard() { return std::exchange(m_heard, {}); }

private:
    void Heard(int id, ui::Notification code) { m_heard.emplace_back(id, code); }
    std::vector<CHeard> m_heard;
};

} // namespace parity
