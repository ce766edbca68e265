#include "ui/dialog.h"

#include "ui/services.h"

#include <cstdio>
#include <cstdlib>

namespace ui {
void DDX_Check(CDataExchange& dx, int id, int& value) {
    if (dx.m_bSaveAndValidate) {
        value = dx.m_window.Check(id);
    } else {
        dx.m_window.SetCheck(id, value);
    }
}

void DDX_Radio(CDataExchange& dx, int firstId, int& value) {
    const std::vector<int> group = dx.m_template.RadioGroupContaining(firstId);
    if (dx.m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i) {
            if (dx.m_window.Check(group[i]) != 0) {
                value = static_cast<int>(i);
                break;
            }
        }
        return;
    }
    for (size_t i = 0; i < group.size(); ++i) {
        dx.m_window.SetCheck(group[i], static_cast<int>(i) == value ? 1 : 0);
    }
}

CDialog::CDialog(const DialogTemplate& dialogTemplate, CDialog* parent)
    : m_template(dialogTemplate), m_pParent(parent) {}

CDialog::~CDialog() = default;

int CDialog::DoModal() { return Services().RunModal(*this, m_pParent); }

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange&) {}

bool CDialog::UpdateData(bool saveAndValidate) {
    if (m_window == nullptr) {
        return false;
    }
    CDataExchange dx{saveAndValidate, *m_window, m_template};
    DoDataExchange(dx);
    return true;
}

void CDialog::EndDialog(int result) {
    if (m_window != nullptr) {
        m_window->End(result);
    }
}

void CDialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

int CDialog::MessageBox(std::u16string_view text, std::u16string_view caption, Icon icon,
                        Buttons buttons) {
    return Services().ShowMessageBox(this, text, caption, icon, buttons);
}

void CDialog::Dispatch(int id, Notification code) {
    for (const auto& entry : m_messageMap) {
        if (entry.id == id && entry.code == code) {
            entry.handler();
            return;
        }
    }
    if (code == Notification::Clicked && id == IDOK) {
        OnOK();
    } else if (code == Notification::Clicked && id == IDCANCEL) {
        OnCancel();
    }
}

void CDialog::OnWindowPosChanged() {}

IWindow& CDialog::Window() const {
    if (m_window == nullptr) {
        std::fputs("internal error: a dialog without a window was asked for its controls\n",
                   stderr);
        std::abort();
    }
    return *m_window;
}

void CDialog::OnNotify(int id, Notification code, std::function<void()> handler) {
    m_messageMap.push_back({id, code, std::move(handler)});
}

} // namespace ui
