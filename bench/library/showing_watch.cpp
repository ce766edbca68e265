#include "bench/library/showing_watch.h"

#include <QWidget>

CShowingWatch::CShowingWatch(std::function<QWidget*()> findWindow,
                             std::function<void(QWidget&)> onShown) {
    QObject::connect(&m_timer, &QTimer::timeout,
                     [this, findWindow = std::move(findWindow), onShown = std::move(onShown)] {
                         QWidget* window = findWindow();
                         if (window != nullptr && window->isVisible()) {
                             m_timer.stop();
                             onShown(*window);
                         }
                     });
    m_timer.start(0);
}
