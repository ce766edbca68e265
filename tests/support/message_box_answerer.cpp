#include "tests/support/message_box_answerer.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QTest>
#include <QWindow>

CMessageBoxAnswerer::CMessageBoxAnswerer(std::deque<QMessageBox::StandardButton> answers)
    : m_answers(std::move(answers)) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] { AnswerOpenBox(); });
    m_timer.start(10);
}

namespace {

bool IsAlertWithItsText(QMessageBox& box) {
    QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(&box);
    if (alert == nullptr || alert->role() != QAccessible::AlertMessage) {
        return false;
    }
    for (int child = 0; child < alert->childCount(); ++child) {
        if (alert->child(child)->text(QAccessible::Name) == box.text()) {
            return true;
        }
    }
    return false;
}

bool IsInItsOwnersFont(const QMessageBox& box) {
    const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    return box.parentWidget() != nullptr && label != nullptr &&
           label->font() == box.parentWidget()->font();
}

int WidthBeyondCaption(const QMessageBox& box) {
    QFont title = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    title.setBold(true);
    return box.width() - QFontMetrics(title).horizontalAdvance(box.windowTitle());
}

} // namespace

bool IsTransientFor(const QWidget& window, const QWidget* owner) {
    return owner != nullptr && window.windowHandle() != nullptr &&
           window.windowHandle()->transientParent() == owner->window()->windowHandle();
}

void CMessageBoxAnswerer::AnswerOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || m_answers.empty()) {
        return;
    }
    m_shown.push_back({box->text(), box->windowTitle(), box->icon(),
                       box->isModal() && IsTransientFor(*box, box->parentWidget()),
                       IsAlertWithItsText(*box), IsInItsOwnersFont(*box),
                       WidthBeyondCaption(*box)});
    QAbstractButton* button = box->button(m_answers.front());
    m_answers.pop_front();
    if (button != nullptr) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        box->done(QMessageBox::Cancel); // a script that does not fit fails, not hangs
    }
}
