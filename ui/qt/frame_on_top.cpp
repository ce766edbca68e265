#include "ui/qt/frame_on_top.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QStyleOptionFrame>

namespace ui::qt {
namespace {

class CFrameOnTop : public QWidget {
public:
    // Made after the frame's own children, it lies above them.
    explicit CFrameOnTop(QFrame& framed) : QWidget(&framed), m_framed(framed) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        framed.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            setGeometry(m_framed.rect());
        }
        return QWidget::eventFilter(watched, event);
    }

    // As QFrame draws its frame, for any style.
    void paintEvent(QPaintEvent*) override {
        QStyleOptionFrame option;
        option.initFrom(&m_framed);
        option.lineWidth = m_framed.lineWidth();
        option.midLineWidth = m_framed.midLineWidth();
        option.frameShape = m_framed.frameShape();
        option.state |=
            m_framed.frameShadow() == QFrame::Sunken ? QStyle::State_Sunken : QStyle::State_Raised;
        QPainter painter(this);
        m_framed.style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter, &m_framed);
        if (IsEmptyViewWithFocus()) {
            DrawFocusMark(painter);
        }
    }

private:
    // A view marks the focus on its current line; without lines it would
    // show none at all. Qt repaints a widget whose focus changes, and this
    // overlay with it.
    bool IsEmptyViewWithFocus() const {
        const auto* view = qobject_cast<const QAbstractItemView*>(&m_framed);
        return view != nullptr && view->hasFocus() && view->model() != nullptr &&
               view->model()->rowCount(view->rootIndex()) == 0;
    }

    void DrawFocusMark(QPainter& painter) {
        QStyleOptionFocusRect mark;
        mark.initFrom(&m_framed);
        mark.rect = m_framed.contentsRect().adjusted(1, 1, -1, -1);
        mark.backgroundColor = m_framed.palette().color(QPalette::Base);
        m_framed.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &mark, &painter, &m_framed);
    }

    QFrame& m_framed;
};

} // namespace

void KeepFrameOnTop(QFrame& framed) { new CFrameOnTop(framed); }

} // namespace ui::qt
