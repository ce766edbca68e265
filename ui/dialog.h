#pragma once
#include "ui/types.h"
#include "ui/window.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// Direction and target of one data exchange between controls and members.
struct CDataExchange {
    bool m_bSaveAndValidate; // true: controls to members
    IWindow& m_window;
    const DialogTemplate& m_template;
};

// Check box state <-> int member (0 or 1).
void DDX_Check(CDataExchange& dx, int id, int& value);
// Index of the checked button in the radio group that starts at firstId
// (-1 when none) <-> int member.
void DDX_Radio(CDataExchange& dx, int firstId, int& value);
// Combo box selection <-> int member.

// The stand-in of the framework's dialog class: a template, a window while
// shown, data exchange and a message map of control notifications.
class CDialog {
public:
    explicit CDialog(const DialogTemplate& dialogTemplate, CDialog* parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    int DoModal();
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx);
    bool UpdateData(bool saveAndValidate = true);
    void EndDialog(int result);
    virtual void OnOK();
    virtual void OnCancel();

    // Shows a message box owned by this dialog; returns the button pressed.
    int MessageBox(std::u16string_view text, std::u16string_view caption, Icon icon,
                   Buttons buttons);

    // The backend reports a user action; IDOK and IDCANCEL without an entry
    // of their own run OnOK and OnCancel.
    void Dispatch(int id, Notification code);
    // The backend reports that the window has moved, changed size or come
    // to the front, after the change is done.
    virtual void OnWindowPosChanged();

    const DialogTemplate& Template() const { return m_template; }
    bool HasWindow() const { return m_window != nullptr; }
    IWindow& Window() const;
    void Attach(IWindow* window) { m_window = window; }
    void Detach() { m_window = nullptr; }

protected:
    // One entry of the message map.
    void OnNotify(int id, Notification code, std::function<void()> handler);

private:
    struct CMessageMapEntry {
        int id;
        Notification code;
        std::function<void()> handler;
    };

    const DialogTemplate& m_template;
    CDialog* m_pParent;
    IWindow* m_window = nullptr;
    std::vector<CMessageMapEntry> m_messageMap;
};

} // namespace ui
