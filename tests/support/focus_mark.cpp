#include "tests/support/focus_mark.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QWidget>

namespace {

QImage WithoutLineEdits(QWidget& widget) {
    QImage picture = widget.grab().toImage();
    QPainter painter(&picture);
    const qreal scale = picture.devicePixelRatio();
    for (const QLineEdit* edit : widget.findChildren<QLineEdit*>()) {
        const QRect area(edit->mapTo(&widget, QPoint(0, 0)), edit->size());
        painter.fillRect(QRectF(area.topLeft() * scale, area.size() * scale), Qt::black);
    }
    return picture;
}

} // namespace

bool ShowsItsFocus(QWidget& widget) {
    QApplication::processEvents(); // a pending activation may move the focus yet
    QWidget* focused = QApplication::focusWidget();
    if (focused != &widget && !widget.isAncestorOf(focused)) {
        return false;
    }
    const QImage withFocus = WithoutLineEdits(widget);
    focused->clearFocus();
    const QImage withoutFocus = WithoutLineEdits(widget);
    const bool focusLeft = QApplication::focusWidget() != focused;
    focused->setFocus(Qt::OtherFocusReason);
    return focusLeft && withFocus != withoutFocus;
}
