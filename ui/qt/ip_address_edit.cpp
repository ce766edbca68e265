#include "ui/qt/ip_address_edit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyleOptionFrame>
#include <algorithm>

namespace ui::qt {

CIpAddressEdit::CIpAddressEdit(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            layout->addSpacing(fontMetrics().horizontalAdvance(u'.'));
        }
        auto* field = new QLineEdit(this);
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setValidator(digits);
        field->setObjectName(QStringLiteral("field%1").arg(i));
        field->installEventFilter(this);
        // One Tab stop for the whole control, as on Windows; a click still
        // reaches any field.
        if (i > 0) {
            field->setFocusPolicy(Qt::ClickFocus);
        }
        connect(field, &QLineEdit::textEdited, this, [this, i] { FieldEdited(i); });
        layout->addWidget(field, 1);
        m_fields[static_cast<size_t>(i)] = field;
    }
    setFocusProxy(m_fields[0]);
}

void CIpAddressEdit::SetAccessibleLabel(const QString& label) {
    setAccessibleName(label);
    for (int i = 0; i < 4; ++i) {
        Field(i)->setAccessibleName(QStringLiteral("%1 %2/4").arg(label).arg(i + 1));
    }
}

bool CIpAddressEdit::HasFocusWithin() const {
    return std::any_of(m_fields.begin(), m_fields.end(),
                       [](const QLineEdit* field) { return field->hasFocus(); });
}

// Framed as a line edit is, so the style marks the focus the same way.
void CIpAddressEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = lineWidth();
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    if (HasFocusWithin()) {
        frame.state |= QStyle::State_HasFocus;
    }
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    for (int i = 1; i < 4; ++i) {
        const QRect before = Field(i - 1)->geometry();
        const QRect gap(QPoint(before.right() + 1, before.top()),
                        QPoint(Field(i)->geometry().left() - 1, before.bottom()));
        painter.drawText(gap, Qt::AlignCenter, QStringLiteral("."));
    }
}

void CIpAddressEdit::SetAddress(const IpField& address) {
    for (size_t i = 0; i < 4; ++i) {
        m_fields[i]->setText(QString::number(address.octets[i]));
    }
}

IpField CIpAddressEdit::Address() const {
    IpField address;
    for (size_t i = 0; i < 4; ++i) {
        if (!m_fields[i]->text().isEmpty()) {
            address.octets[i] = static_cast<std::uint8_t>(m_fields[i]->text().toInt());
            ++address.filled;
        }
    }
    return address;
}

void CIpAddressEdit::Clear() {
    for (QLineEdit* field : m_fields) {
        field->clear();
    }
}

void CIpAddressEdit::FieldEdited(int index) {
    QLineEdit* field = Field(index);
    if (field->text().toInt() > 255) {
        field->setText(QStringLiteral("255"));
    }
    if (field->text().size() == 3 && index < 3) {
        FocusField(index + 1, true);
    }
    if (m_onEdited) {
        m_onEdited();
    }
}

void CIpAddressEdit::FocusField(int index, bool selectAll) {
    QLineEdit* field = Field(index);
    field->setFocus(Qt::OtherFocusReason);
    if (selectAll) {
        field->selectAll();
    } else {
        field->end(false);
    }
}

bool CIpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        update();
    }
    if (event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    const int index =
        static_cast<int>(std::find(m_fields.begin(), m_fields.end(), watched) - m_fields.begin());
    const auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* field = Field(index);
    if (key->key() == Qt::Key_Backtab ||
        (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier) != 0)) {
        // Backwards from the first field, so Shift+Tab leaves the whole control.
        Field(0)->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (key->text() == QStringLiteral(".") || key->text() == QStringLiteral(" ")) {
        if (index < 3 && !field->text().isEmpty()) {
            FocusField(index + 1, true);
        }
        return true;
    }
    if (key->key() == Qt::Key_Backspace && index > 0 && field->cursorPosition() == 0 &&
        !field->hasSelectedText()) {
        FocusField(index - 1, false);
        return true;
    }
    if (key->key() == Qt::Key_Left && index > 0 && field->cursorPosition() == 0) {
        FocusField(index - 1, false);
        return true;
    }
    if (key->key() == Qt::Key_Right && index < 3 &&
        field->cursorPosition() == field->text().size()) {
        Field(index + 1)->setFocus(Qt::OtherFocusReason);
        Field(index + 1)->home(false);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace ui::qt
