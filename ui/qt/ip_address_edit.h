#pragma once
#include "platform/ip_field.h"

#include <QFrame>
#include <QLineEdit>
#include <array>
#include <functional>

namespace ui::qt {

// The four-field address control: digits only, each field 0 to 255, one Tab
// stop. The caret moves on after three digits, a dot or a space and with
// Right at a field's end, back with Left or Backspace at a field's start.
// Blank fields are not filled.
class CIpAddressEdit : public QFrame {
public:
    explicit CIpAddressEdit(QWidget* parent);

    void SetAddress(const IpField& address);
    IpField Address() const;
    void Clear();
    QLineEdit* Field(int index) const { return m_fields[static_cast<size_t>(index)]; }
    // Called after every change the user makes.
    void OnEdited(std::function<void()> handler) { m_onEdited = std::move(handler); }
    // The name a screen reader speaks: the label for the control, and
    // "<label> 1/4" to "<label> 4/4" for its fields.
    void SetAccessibleLabel(const QString& label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The dots are drawn, not labels: a screen reader would speak each one.
    void paintEvent(QPaintEvent* event) override;

private:
    bool HasFocusWithin() const;
    void FieldEdited(int index);
    void FocusField(int index, bool selectAll);

    std::array<QLineEdit*, 4> m_fields{};
    std::function<void()> m_onEdited;
};

} // namespace ui::qt
