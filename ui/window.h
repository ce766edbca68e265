#pragma once
#include "platform/ip_field.h"
#include "ui/types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// A dialog's window as its logic sees it: controls addressed by identifier.
// Sizes and positions given here are pixels of the client area.
class IWindow {
public:
    virtual ~IWindow() = default;

    virtual WindowHandle Handle() const = 0;
    virtual void SetTitle(std::u16string_view title) = 0;
    virtual std::u16string Title() const = 0;
    // The big and small window icon, by its icon theme name.
    virtual void SetIcon(std::u16string_view iconName) = 0;
    // An entry of the window menu. The desktop's own window menu is not
    // ours to extend, so it goes to the window's context menu; the first one
    // also answers F1. Choosing it dispatches commandId as a click.
    virtual void AddSystemMenuCommand(int commandId, std::u16string_view text) = 0;
    virtual void SetExtendedStyle(unsigned extendedStyle) = 0;
    virtual unsigned ExtendedStyle() const = 0;
    virtual void SetOuterSize(int width, int height) = 0;
    // Ends the modal loop that shows this window.
    virtual void End(int result) = 0;

    virtual void MoveControl(int id, Rect pixels) = 0;
    virtual void SetText(int id, std::u16string_view text) = 0;
    virtual std::u16string Text(int id) const = 0;
    virtual void Enable(int id, bool enabled) = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual void Show(int id, bool visible) = 0;
    virtual bool IsVisible(int id) const = 0;
    virtual void SetFocus(int id) = 0;
    // As the Tab key reaches a control: an edit's whole text is selected.
    virtual void GoToControl(int id) = 0;

    // An edit's suggestions, replacing those before; ChosenSuggestion is the
    // index of the one chosen last, -1 before any.
    virtual void SetSuggestions(int id, std::vector<Suggestion> suggestions) = 0;
    virtual int ChosenSuggestion(int id) const = 0;

    // Check boxes and radio buttons: 0 clear, 1 checked.
    virtual void SetCheck(int id, int state) = 0;
    virtual int Check(int id) const = 0;

    // IP address controls. SetAddress fills all four fields, as the control does.
    virtual void SetAddress(int id, const IpField& address) = 0;
    virtual IpField Address(int id) const = 0;
    virtual void ClearAddress(int id) = 0;

    // List boxes and combo boxes: lines with item data. An index of -1
    // appends; a selection of -1 means none.
    virtual int InsertItem(int id, int index, std::u16string_view text) = 0;
    virtual void DeleteItem(int id, int index) = 0;
    virtual void ResetItems(int id) = 0;
    virtual int ItemCount(int id) const = 0;
    virtual std::u16string ItemText(int id, int index) const = 0;
    virtual void SetItemData(int id, int index, std::intptr_t data) = 0;
    virtual std::intptr_t ItemData(int id, int index) const = 0;
    virtual void SetCurSel(int id, int index) = 0;
    virtual int CurSel(int id) const = 0;
    virtual void SetItemHeight(int id, int pixels) = 0;

    // Tab strips.
    virtual void InsertTab(int id, int index, std::u16string_view text) = 0;
    virtual int TabCount(int id) const = 0;
    virtual std::u16string TabText(int id, int index) const = 0;
    virtual void SetCurTab(int id, int index) = 0;
    virtual int CurTab(int id) const = 0;
};

} // namespace ui
