#pragma once
#include "ui/dialog.h"
#include "ui/window.h"

#include <map>
#include <optional>

namespace ui::headless {

// A dialog's window kept in memory. Besides the window operations it offers
// the actions of a user, which reach the dialog as its notifications do.
class CHeadlessWindow : public IWindow {
public:
    CHeadlessWindow(CDialog& dialog, WindowHandle handle);

    // User actions. Each acts only on a visible, enabled control, as a
    // person could, and returns whether it did.
    bool Click(int id);
    // Types over the whole text of an edit; keys an edit refuses are lost.
    bool Type(int id, std::u16string_view text);
    // Pastes over the whole text of an edit. Only the first line enters; a
    // digits-only edit refuses a paste that is not all digits.
    bool Paste(int id, std::u16string_view clipboard);
    bool TypeAddress(int id, const IpField& address); // filled count as given
    bool Choose(int id, int index);                   // list or combo line, or tab
    // What an edit's list of suggestions shows for the text in it (Down opens
    // the list with them), and the user choosing the one at shownIndex.
    std::vector<std::u16string> ShownSuggestions(int id) const;
    bool ChooseSuggestion(int id, int shownIndex);
    bool DoubleClick(int id, int index);
    // Presses the focused push button, else the default button; without
    // either the dialog hears IDOK.
    void PressEnter();
    void PressEscape();
    // Tab or Shift+Tab: the focus moves to the next or previous control
    // that takes it, in template order and round the window, as Qt's focus
    // chain runs.
    void PressTab(bool backwards);
    // Ctrl+Tab (Ctrl+PgDn) or Ctrl+Shift+Tab (Ctrl+PgUp): the window's tab
    // strip moves one tab round its row, as a click on that tab would.
    void PressPageKey(bool backwards);
    // Clears an address control and presses KEYS in it, the caret at the end
    // of a field: digits, "." or " " to move on, '\b' for Backspace.
    bool TypeAddressKeys(int id, std::u16string_view keys);
    void CloseBox();
    // Drags, resizes or raises the window; the dialog hears of it.
    void MoveWindow();

    bool HasEnded() const { return m_result.has_value(); }
    std::optional<int> Result() const { return m_result; }
    Rect ControlRect(int id) const;
    int ItemHeight(int id) const;
    std::optional<Rect> OuterSize() const { return m_outerSize; }

    // IWindow
    WindowHandle Handle() const override { return m_handle; }
    void SetTitle(std::u16string_view title) override { m_title = title; }
    std::u16string Title() const override { return m_title; }
    void SetIcon(std::u16string_view iconName) override { m_iconName = iconName; }
    const std::u16string& IconName() const { return m_iconName; }
    // The user picks a window menu entry; false when there is none such.
    bool ChooseSystemMenuCommand(int commandId);
    const std::map<int, std::u16string>& SystemMenuCommands() const { return m_systemMenu; }
    void AddSystemMenuCommand(int commandId, std::u16string_view text) override {
        m_systemMenu[commandId] = text;
    }
    void SetExtendedStyle(unsigned extendedStyle) override { m_extendedStyle = extendedStyle; }
    unsigned ExtendedStyle() const override { return m_extendedStyle; }
    void SetOuterSize(int width, int height) override;
    void End(int result) override;
    void MoveControl(int id, Rect pixels) override;
    void SetText(int id, std::u16string_view text) override;
    std::u16string Text(int id) const override;
    void Enable(int id, bool enabled) override;
    bool IsEnabled(int id) const override;
    void Show(int id, bool visible) override;
    bool IsVisible(int id) const override;
    void SetFocus(int id) override { m_focus = id; }
    void GoToControl(int id) override;
    // Whether an edit has the focus with its whole text selected, as
    // GoToControl leaves it until the user types.
    bool IsWholeTextSelected(int id) const { return m_focus == id && m_selectedEdit == id; }
    void SetSuggestions(int id, std::vector<Suggestion> suggestions) override;
    int ChosenSuggestion(int id) const override { return At(id).chosenSuggestion; }
    void SetCheck(int id, int state) override;
    int Check(int id) const override;
    void SetAddress(int id, const IpField& address) override;
    IpField Address(int id) const override;
    void ClearAddress(int id) override;
    int InsertItem(int id, int index, std::u16string_view text) override;
    void DeleteItem(int id, int index) override;
    void ResetItems(int id) override;
    int ItemCount(int id) const override;
    std::u16string ItemText(int id, int index) const override;
    void SetItemData(int id, int index, std::intptr_t data) override;
    std::intptr_t ItemData(int id, int index) const override;
    void SetCurSel(int id, int index) override;
    int CurSel(int id) const override;
    void SetItemHeight(int id, int pixels) override;
    void InsertTab(int id, int index, std::u16string_view text) override;
    int TabCount(int id) const override;
    std::u16string TabText(int id, int index) const override;
    void SetCurTab(int id, int index) override;
    int CurTab(int id) const override;

    int Focus() const { return m_focus; }

private:
    struct CItem {
        std::u16string text;
        std::intptr_t data = 0;
    };
    struct CControl {
        ControlKind kind = ControlKind::Static;
        Rect rect;
        unsigned style = 0;
        std::u16string text;
        bool enabled = true;
        bool visible = true;
        int check = 0;
        IpField address;
        std::vector<CItem> items;
        int curSel = -1;
        int itemHeight = 0;
        std::vector<Suggestion> suggestions;
        int chosenSuggestion = -1;
    };
    // The indexes of the suggestions the list shows for the edit's text.
    std::vector<int> ShownSuggestionIndexes(const CControl& edit) const;

    CControl& At(int id);
    const CControl& At(int id) const;
    bool IsActionable(int id) const;
    bool TakesTabFocus(const ControlTemplate& control) const;
    bool IsValidIndex(const CControl& control, int index) const;
    // Every combo box is a drop-down list, in both backends: its text is its
    // selected row.
    bool IsDropDownList(const CControl& control) const;
    void ReportEdit(int id, std::u16string text);

    CDialog& m_dialog;
    WindowHandle m_handle;
    std::u16string m_title;
    std::u16string m_iconName;
    unsigned m_extendedStyle;
    std::optional<Rect> m_outerSize;
    std::map<int, CControl> m_controls;
    std::map<int, std::u16string> m_systemMenu;
    std::optional<int> m_result;
    int m_focus = 0;
    int m_selectedEdit = 0;
};

} // namespace ui::headless
