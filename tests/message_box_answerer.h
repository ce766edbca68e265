#pragma once
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <deque>
#include <vector>

// Plays the user at Qt message boxes: each box that comes up is recorded
// and answered with the next button of the script.
class CMessageBoxAnswerer {
public:
    struct CShown {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
        bool modalToItsOwner;
    };

    explicit CMessageBoxAnswerer(std::deque<QMessageBox::StandardButton> answers)
        : m_answers(std::move(answers)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { AnswerOpenBox(); });
        m_timer.start(10);
    }

    const std::vector<CShown>& Shown() const { return m_shown; }

private:
    void AnswerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || m_answers.empty()) {
            return;
        }
        m_shown.push_back({box->text(), box->windowTitle(), box->icon(),
                           box->parentWidget() != nullptr && box->isModal()});
        QAbstractButton* button = box->button(m_answers.front());
        m_answers.pop_front();
        if (button != nullptr) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            box->done(QMessageBox::Cancel); // a script that does not fit fails, not hangs
        }
    }

    std::deque<QMessageBox::StandardButton> m_answers;
    std::vector<CShown> m_shown;
    QTimer m_timer;
};
