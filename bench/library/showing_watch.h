#pragma once
#include <QTimer>
#include <functional>

class QWidget;

// Looks for a window at every turn of the event loop, from now on, and
// hands it over in the first turn in which it is shown.
class CShowingWatch {
public:
    CShowingWatch(std::function<QWidget*()> findWindow, std::function<void(QWidget&)> onShown);

private:
    QTimer m_timer;
};
