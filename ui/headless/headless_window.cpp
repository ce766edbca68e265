#include "ui/headless/headless_window.h"

#include "ui/edit_input.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace ui::headless {
namespace {

int FieldValue(const std::u16string& digits) {
    return std::stoi(std::string(digits.begin(), digits.end()));
}

} // namespace

CHeadlessWindow::CHeadlessWindow(CDialog& dialog, WindowHandle handle)
    : m_dialog(dialog), m_handle(handle), m_title(dialog.Template().title),
      m_extendedStyle(dialog.Template().extendedStyle) {
    for (const auto& control : dialog.Template().controls) {
        CControl state;
        state.kind = control.kind;
        state.rect = control.rect;
        state.style = control.style;
        state.text = control.text;
        state.enabled = (control.style & style::kDisabled) == 0;
        state.visible = (control.style & style::kHidden) == 0;
        m_controls.emplace(control.id, std::move(state));
    }
}

CHeadlessWindow::CControl& CHeadlessWindow::At(int id) {
    return const_cast<CControl&>(std::as_const(*this).At(id));
}

const CHeadlessWindow::CControl& CHeadlessWindow::At(int id) const {
    const auto found = m_controls.find(id);
    if (found == m_controls.end()) {
        FailMissingControl(m_dialog.Template().id, id);
    }
    return found->second;
}

bool CHeadlessWindow::IsActionable(int id) const {
    const auto found = m_controls.find(id);
    return !HasEnded() && found != m_controls.end() && found->second.enabled &&
           found->second.visible;
}

bool CHeadlessWindow::IsValidIndex(const CControl& control, int index) const {
    return index >= 0 && index < static_cast<int>(control.items.size());
}

bool CHeadlessWindow::Click(int id) {
    if (!IsActionable(id)) {
        return false;
    }
    CControl& control = At(id);
    if (control.kind == ControlKind::CheckBox) {
        control.check = control.check == 0 ? 1 : 0;
    } else if (control.kind == ControlKind::RadioButton) {
        // An automatic radio button clears the others of its group.
        for (const int member : m_dialog.Template().RadioGroupContaining(id)) {
            At(member).check = member == id ? 1 : 0;
        }
    }
    // A push button is pressed as with its access key: the focus stays, so a
    // script's Enter after it still means the default button.
    if (control.kind != ControlKind::PushButton) {
        m_focus = id;
    }
    m_dialog.Dispatch(id, Notification::Clicked);
    return true;
}

bool CHeadlessWindow::IsDropDownList(const CControl& control) const {
    return control.kind == ControlKind::ComboBox;
}

void CHeadlessWindow::ReportEdit(int id, std::u16string text) {
    At(id).text = std::move(text);
    m_focus = id;
    m_dialog.Dispatch(id, Notification::EditChanged);
}

bool CHeadlessWindow::Type(int id, std::u16string_view text) {
    m_selectedEdit = 0;
    if (!IsActionable(id)) {
        return false;
    }
    const bool digitsOnly = (At(id).style & style::kNumber) != 0;
    std::u16string typed;
    for (const char16_t key : text) {
        // Enter is a key of the dialog, not a character of a single-line edit.
        const bool refused = key == u'\0' || IsLineBreak(key) ||
                             (digitsOnly && !IsDigitsOnly(std::u16string_view(&key, 1)));
        if (!refused) {
            typed += key;
        }
    }
    ReportEdit(id, std::move(typed));
    return true;
}

void CHeadlessWindow::SetSuggestions(int id, std::vector<Suggestion> suggestions) {
    At(id).suggestions = std::move(suggestions);
}

std::vector<int> CHeadlessWindow::ShownSuggestionIndexes(const CControl& edit) const {
    std::vector<int> shown;
    for (size_t i = 0; i < edit.suggestions.size(); ++i) {
        if (IsSuggestedFor(edit.suggestions[i].value, edit.text)) {
            shown.push_back(static_cast<int>(i));
        }
    }
    return shown;
}

std::vector<std::u16string> CHeadlessWindow::ShownSuggestions(int id) const {
    const CControl& edit = At(id);
    std::vector<std::u16string> shown;
    for (const int index : ShownSuggestionIndexes(edit)) {
        shown.push_back(edit.suggestions[index].shown);
    }
    return shown;
}

bool CHeadlessWindow::ChooseSuggestion(int id, int shownIndex) {
    if (!IsActionable(id)) {
        return false;
    }
    CControl& edit = At(id);
    const std::vector<int> shown = ShownSuggestionIndexes(edit);
    if (shownIndex < 0 || shownIndex >= static_cast<int>(shown.size())) {
        return false;
    }
    edit.chosenSuggestion = shown[shownIndex];
    edit.text = edit.suggestions[edit.chosenSuggestion].value;
    m_focus = id;
    m_selectedEdit = 0;
    m_dialog.Dispatch(id, Notification::SuggestionChosen);
    return true;
}

bool CHeadlessWindow::Paste(int id, std::u16string_view clipboard) {
    m_selectedEdit = 0;
    if (!IsActionable(id)) {
        return false;
    }
    std::u16string line = PastedLine(clipboard);
    if ((At(id).style & style::kNumber) != 0 && !IsDigitsOnly(line)) {
        return false;
    }
    ReportEdit(id, std::move(line));
    return true;
}

bool CHeadlessWindow::TypeAddress(int id, const IpField& address) {
    if (!IsActionable(id)) {
        return false;
    }
    At(id).address = address;
    m_focus = id;
    m_dialog.Dispatch(id, Notification::EditChanged);
    return true;
}

bool CHeadlessWindow::Choose(int id, int index) {
    if (!IsActionable(id) || !IsValidIndex(At(id), index)) {
        return false;
    }
    At(id).curSel = index;
    m_focus = id;
    m_dialog.Dispatch(id, Notification::SelectionChanged);
    return true;
}

bool CHeadlessWindow::DoubleClick(int id, int index) {
    if (!Choose(id, index)) {
        return false;
    }
    m_dialog.Dispatch(id, Notification::DoubleClicked);
    return true;
}

bool CHeadlessWindow::ChooseSystemMenuCommand(int commandId) {
    if (HasEnded() || !m_systemMenu.contains(commandId)) {
        return false;
    }
    m_dialog.Dispatch(commandId, Notification::Clicked);
    return true;
}

void CHeadlessWindow::PressEnter() {
    if (HasEnded()) {
        return;
    }
    const ControlTemplate* focused = m_dialog.Template().FindControl(m_focus);
    if (focused != nullptr && focused->kind == ControlKind::PushButton && IsActionable(m_focus)) {
        Click(m_focus);
        return;
    }
    for (const auto& control : m_dialog.Template().controls) {
        if ((control.style & style::kDefaultButton) != 0) {
            Click(control.id);
            return;
        }
    }
    m_dialog.Dispatch(IDOK, Notification::Clicked);
}

void CHeadlessWindow::PressEscape() {
    if (!HasEnded()) {
        m_dialog.Dispatch(IDCANCEL, Notification::Clicked);
    }
}

void CHeadlessWindow::GoToControl(int id) {
    m_focus = id;
    m_selectedEdit = At(id).kind == ControlKind::Edit ? id : 0;
}

bool CHeadlessWindow::TakesTabFocus(const ControlTemplate& control) const {
    const bool label = control.kind == ControlKind::Static || control.kind == ControlKind::GroupBox;
    if (!IsActionable(control.id) || (label && (control.style & style::kTabStop) == 0)) {
        return false;
    }
    const std::vector<int> group = m_dialog.Template().RadioGroupContaining(control.id);
    if (control.kind != ControlKind::RadioButton || group.empty()) {
        return true;
    }
    // A group of radio buttons is one stop: its checked button, else its first.
    const auto checked = std::find_if(group.begin(), group.end(),
                                      [this](int member) { return At(member).check != 0; });
    return control.id == (checked != group.end() ? *checked : group.front());
}

void CHeadlessWindow::PressTab(bool backwards) {
    const std::vector<ControlTemplate>& controls = m_dialog.Template().controls;
    const int count = static_cast<int>(controls.size());
    const auto focused =
        std::find_if(controls.begin(), controls.end(),
                     [this](const auto& control) { return control.id == m_focus; });
    // With no focus yet, Tab starts at the first control and Shift+Tab at the last.
    const int from = focused != controls.end() ? static_cast<int>(focused - controls.begin())
                     : backwards               ? count
                                               : -1;
    for (int step = 1; step <= count; ++step) {
        const int index = ((from + (backwards ? -step : step)) % count + count) % count;
        if (TakesTabFocus(controls[static_cast<size_t>(index)])) {
            m_focus = controls[static_cast<size_t>(index)].id;
            return;
        }
    }
}

void CHeadlessWindow::PressPageKey(bool backwards) {
    for (const auto& control : m_dialog.Template().controls) {
        if (control.kind == ControlKind::Tab && IsActionable(control.id)) {
            const int count = TabCount(control.id);
            if (count > 1) {
                const int focus = m_focus;
                Choose(control.id, (CurTab(control.id) + (backwards ? -1 : 1) + count) % count);
                m_focus = focus; // a key, unlike a click, leaves the focus where it was
            }
            return;
        }
    }
}

bool CHeadlessWindow::TypeAddressKeys(int id, std::u16string_view keys) {
    if (!IsActionable(id)) {
        return false;
    }
    m_focus = id;
    // Keys can only go back through emptied fields, so a field moved on to
    // is always empty: no selection to type over.
    std::array<std::u16string, 4> fields;
    size_t field = 0;
    ClearAddress(id);
    for (const char16_t key : keys) {
        std::u16string& text = fields[field];
        bool edited = false;
        if (key >= u'0' && key <= u'9' && text.size() < 3) {
            text += key;
            edited = true;
            if (FieldValue(text) > 255) {
                text = u"255";
            }
            if (text.size() == 3 && field < 3) {
                ++field;
            }
        } else if ((key == u'.' || key == u' ') && !text.empty() && field < 3) {
            ++field;
        } else if (key == u'\b' && !text.empty()) {
            text.pop_back();
            edited = true;
        } else if (key == u'\b' && field > 0) {
            --field;
        }
        if (edited) {
            IpField& address = At(id).address;
            address = IpField();
            for (size_t i = 0; i < 4; ++i) {
                if (!fields[i].empty()) {
                    address.octets[i] = static_cast<std::uint8_t>(FieldValue(fields[i]));
                    ++address.filled;
                }
            }
            m_dialog.Dispatch(id, Notification::EditChanged);
        }
    }
    return true;
}

void CHeadlessWindow::CloseBox() { PressEscape(); }

void CHeadlessWindow::MoveWindow() {
    if (!HasEnded()) {
        m_dialog.OnWindowPosChanged();
    }
}

Rect CHeadlessWindow::ControlRect(int id) const { return At(id).rect; }
int CHeadlessWindow::ItemHeight(int id) const { return At(id).itemHeight; }

void CHeadlessWindow::SetOuterSize(int width, int height) {
    m_outerSize = Rect{0, 0, width, height};
}

void CHeadlessWindow::End(int result) {
    if (!HasEnded()) {
        m_result = result;
    }
}

void CHeadlessWindow::MoveControl(int id, Rect pixels) { At(id).rect = pixels; }
void CHeadlessWindow::SetText(int id, std::u16string_view text) {
    CControl& control = At(id);
    if (!IsDropDownList(control)) {
        control.text = text;
        return;
    }
    // A drop-down list shows only its rows: the text selects the matching one.
    const auto match = std::find_if(control.items.begin(), control.items.end(),
                                    [&](const CItem& item) { return item.text == text; });
    control.curSel =
        match == control.items.end() ? -1 : static_cast<int>(match - control.items.begin());
}

std::u16string CHeadlessWindow::Text(int id) const {
    const CControl& control = At(id);
    if (IsDropDownList(control)) {
        return IsValidIndex(control, control.curSel) ? control.items[control.curSel].text
                                                     : std::u16string{};
    }
    return control.text;
}

void CHeadlessWindow::Enable(int id, bool enabled) { At(id).enabled = enabled; }
bool CHeadlessWindow::IsEnabled(int id) const { return At(id).enabled; }
void CHeadlessWindow::Show(int id, bool visible) { At(id).visible = visible; }
bool CHeadlessWindow::IsVisible(int id) const { return At(id).visible; }
void CHeadlessWindow::SetCheck(int id, int state) { At(id).check = state; }
int CHeadlessWindow::Check(int id) const { return At(id).check; }
void CHeadlessWindow::SetAddress(int id, const IpField& address) {
    At(id).address = address;
    At(id).address.filled = 4;
}
IpField CHeadlessWindow::Address(int id) const { return At(id).address; }
void CHeadlessWindow::ClearAddress(int id) { At(id).address = IpField{}; }

int CHeadlessWindow::InsertItem(int id, int index, std::u16string_view text) {
    auto& items = At(id).items;
    if (index < 0 || index > static_cast<int>(items.size())) {
        index = static_cast<int>(items.size());
    }
    items.insert(items.begin() + index, CItem{std::u16string(text), 0});
    // The selected line stays selected as lines go in before it.
    int& selected = At(id).curSel;
    if (selected >= index) {
        ++selected;
    }
    return index;
}

void CHeadlessWindow::DeleteItem(int id, int index) {
    CControl& control = At(id);
    if (!IsValidIndex(control, index)) {
        return;
    }
    control.items.erase(control.items.begin() + index);
    if (control.curSel == index) {
        control.curSel = -1;
    } else if (control.curSel > index) {
        --control.curSel;
    }
}

void CHeadlessWindow::ResetItems(int id) {
    At(id).items.clear();
    At(id).curSel = -1;
}

int CHeadlessWindow::ItemCount(int id) const { return static_cast<int>(At(id).items.size()); }

std::u16string CHeadlessWindow::ItemText(int id, int index) const {
    const CControl& control = At(id);
    return IsValidIndex(control, index) ? control.items[index].text : std::u16string{};
}

void CHeadlessWindow::SetItemData(int id, int index, std::intptr_t data) {
    CControl& control = At(id);
    if (IsValidIndex(control, index)) {
        control.items[index].data = data;
    }
}

std::intptr_t CHeadlessWindow::ItemData(int id, int index) const {
    const CControl& control = At(id);
    return IsValidIndex(control, index) ? control.items[index].data : -1;
}

void CHeadlessWindow::SetCurSel(int id, int index) {
    CControl& control = At(id);
    control.curSel = IsValidIndex(control, index) ? index : -1;
}

int CHeadlessWindow::CurSel(int id) const { return At(id).curSel; }
void CHeadlessWindow::SetItemHeight(int id, int pixels) { At(id).itemHeight = pixels; }

void CHeadlessWindow::InsertTab(int id, int index, std::u16string_view text) {
    InsertItem(id, index, text);
    if (CurSel(id) < 0) {
        SetCurSel(id, 0);
    }
}

int CHeadlessWindow::TabCount(int id) const { return ItemCount(id); }
std::u16string CHeadlessWindow::TabText(int id, int index) const { return ItemText(id, index); }
void CHeadlessWindow::SetCurTab(int id, int index) { SetCurSel(id, index); }
int CHeadlessWindow::CurTab(int id) const { return CurSel(id); }

} // namespace ui::headless
