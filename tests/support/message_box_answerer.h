#pragma once
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <deque>
#include <vector>

// Whether WINDOW is attached to OWNER's window, as its transient child.
bool IsTransientFor(const QWidget& window, const QWidget* owner);

// Plays the user at Qt message boxes: each box that comes up is recorded
// and answered with the next button of the script.
class CMessageBoxAnswerer {
public:
    struct CShown {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
        // Modal to the window it was opened for and attached to it, so that
        // a Wayland compositor or a window manager keeps it on top of it.
        bool modalToItsOwner;
        // A screen reader is told of it as an alert and reads its text.
        bool announcedAsAlert;
        // Its text is drawn in its owner's font.
        bool inItsOwnersFont;
        // How much wider the box is than its caption in a bold title font.
        int widthBeyondCaption;
    };

    explicit CMessageBoxAnswerer(std::deque<QMessageBox::StandardButton> answers);

    const std::vector<CShown>& Shown() const { return m_shown; }

private:
    void AnswerOpenBox();

    std::deque<QMessageBox::StandardButton> m_answers;
    std::vector<CShown> m_shown;
    QTimer m_timer;
};
