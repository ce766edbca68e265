#include "host/screenshot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {
constexpr int kPollMilliseconds = 100;
constexpr char kExitButton[] = "2";
} // namespace

CDialogScreenshot::CDialogScreenshot(QString title, QString file)
    : m_strTitle(std::move(title)), m_strFile(std::move(file)) {
    auto* timer = new QTimer(QApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [this, timer] {
        TryCapture();
        if (m_bDone) {
            timer->deleteLater();
        }
    });
    timer->start(kPollMilliseconds);
}

void CDialogScreenshot::TryCapture() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || widget->windowTitle() != m_strTitle) {
            continue;
        }
        m_bSaved = widget->grab().save(m_strFile, "PNG");
        m_bDone = true;
        if (auto* exit = widget->findChild<QAbstractButton*>(QString::fromLatin1(kExitButton))) {
            exit->click();
        }
        return;
    }
}
