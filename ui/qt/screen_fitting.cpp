#include "ui/qt/qt_window.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace ui::qt {
namespace {

// The room a window manager's title bar and borders take around a window
// that has not been shown, whose frame nobody knows yet.
constexpr QMargins kFrameAllowance(8, 40, 8, 8);

// The free area of the screen the window opens on: a window with an owner
// is on its owner's screen even before it is shown.
QRect FreeArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

} // namespace

void CQtWindow::KeepWithinScreen() {
    const QSize room = FreeArea(*this).marginsRemoved(kFrameAllowance).size();
    const QSize drawn = size();
    if (room.isEmpty() || (drawn.width() <= room.width() && drawn.height() <= room.height())) {
        return;
    }
    m_pScroller = new QScrollArea(this);
    m_pScroller->setFrameShape(QFrame::NoFrame);
    m_pScroller->setFocusPolicy(Qt::NoFocus);
    auto* canvas = new QWidget(m_pScroller);
    canvas->setFixedSize(drawn);
    // In the template's order, within one window: the Tab order stays, and
    // a control hidden stays hidden.
    for (const ControlTemplate& control : m_dialog.Template().controls) {
        Control(control.id)->setParent(canvas);
    }
    RaiseLabels();
    m_pScroller->setWidget(canvas);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins());
    layout->addWidget(m_pScroller);

    // A scroll bar takes room from the other direction.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_pScroller);
    bool across = drawn.height() > room.height();
    const bool along = drawn.width() + (across ? bar : 0) > room.width();
    across = across || (along && drawn.height() + bar > room.height());
    m_pScroller->setVerticalScrollBarPolicy(across ? Qt::ScrollBarAsNeeded
                                                   : Qt::ScrollBarAlwaysOff);
    m_pScroller->setHorizontalScrollBarPolicy(along ? Qt::ScrollBarAsNeeded
                                                    : Qt::ScrollBarAlwaysOff);
    const QSize bars(across ? bar : 0, along ? bar : 0);
    setMinimumSize(QSize(bar, bar) * 4);
    setMaximumSize(drawn + bars);
    const QSize shown = (drawn + bars).boundedTo(room);
    resize(shown);
    // Whatever takes the focus, by Tab, a mnemonic or the dialog's own
    // choice, is scrolled into sight.
    connect(qApp, &QApplication::focusChanged, m_pScroller, [this, canvas](QWidget*, QWidget* now) {
        if (now != nullptr && canvas->isAncestorOf(now)) {
            m_pScroller->ensureWidgetVisible(now);
        }
    });
}

void CQtWindow::MoveOntoScreen() {
    const QRect free = FreeArea(*this);
    const QRect frame = frameGeometry();
    if (free.isEmpty() || free.contains(frame)) {
        return;
    }
    // Centred on its owner, a large window can reach past the screen's edge.
    const int left =
        std::max(free.left(), std::min(frame.left(), free.right() + 1 - frame.width()));
    const int top = std::max(free.top(), std::min(frame.top(), free.bottom() + 1 - frame.height()));
    move(left, top);
}

} // namespace ui::qt
