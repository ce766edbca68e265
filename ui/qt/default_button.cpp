#include "ui/qt/default_button.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>

namespace ui::qt {

CDefaultButton::CDefaultButton(QWidget* dialog) : QObject(dialog), m_pDialog(dialog) {}

void CDefaultButton::Track(QPushButton* button, bool templateDefault) {
    button->setAutoDefault(false);
    button->setDefault(templateDefault);
    if (templateDefault) {
        m_pTemplateDefault = button;
    }
    button->installEventFilter(this);
}

QPushButton* CDefaultButton::ForEnter() const {
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (focused != nullptr && focused->window() == m_pDialog) {
        return focused;
    }
    return m_pTemplateDefault;
}

bool CDefaultButton::eventFilter(QObject* watched, QEvent* event) {
    auto* button = static_cast<QPushButton*>(watched);
    if (event->type() == QEvent::FocusIn) {
        button->setDefault(true);
    } else if (event->type() == QEvent::FocusOut) {
        button->setDefault(false);
        if (m_pTemplateDefault != nullptr) {
            m_pTemplateDefault->setDefault(true);
        }
    }
    return false;
}

} // namespace ui::qt
