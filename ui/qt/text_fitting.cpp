#include "ui/qt/qt_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

namespace ui::qt {
namespace {

bool TextFits(QWidget* widget) {
    const QFontMetrics metrics = widget->fontMetrics();
    // Room for frames, arrows and check marks around the text.
    const int chrome = metrics.height() * 2;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        // The leading below the last line is not text: one line fits the
        // font's height, as a static text of 8 dialog units does on Windows.
        return label->text().isEmpty() ||
               label->heightForWidth(label->width()) - metrics.leading() <= label->height();
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i) {
            if (metrics.horizontalAdvance(combo->itemText(i)) + chrome > combo->width()) {
                return false;
            }
        }
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QString text = button->text();
        text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        const int padding =
            qobject_cast<QPushButton*>(widget) != nullptr ? metrics.height() / 2 : chrome;
        return metrics.horizontalAdvance(text) + padding <= button->width();
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return metrics.horizontalAdvance(group->title()) + chrome <= group->width();
    }
    return true;
}

// Chinese and Japanese glyphs come from a fallback font taller than the
// dialog font: a label then keeps its place and grows down to one line of
// its text.
void GrowToOneLine(QWidget* widget, QRect& rect) {
    auto* label = qobject_cast<QLabel*>(widget);
    if (label == nullptr || label->text().isEmpty()) {
        return;
    }
    constexpr int kUnbounded = 1 << 20;
    const int oneLine = label->heightForWidth(kUnbounded) - label->fontMetrics().leading();
    if (oneLine > rect.height()) {
        rect.setHeight(oneLine);
        label->setGeometry(rect);
    }
}

} // namespace

void CQtWindow::FitTexts() {
    std::map<QWidget*, QRect> drawn;
    for (const auto& [id, widget] : m_controls) {
        QRect rect = widget->geometry();
        GrowToOneLine(widget, rect);
        drawn.emplace(widget, rect);
    }
    const int drawnWidth = width();
    const auto allFit = [&] {
        return std::all_of(drawn.begin(), drawn.end(), [&](const auto& control) {
            return control.first->isHidden() || TextFits(control.first);
        });
    };
    // In steps of a twentieth, up to twice the width drawn.
    for (int twentieths = 20; twentieths <= 40 && !allFit(); ++twentieths) {
        for (const auto& [widget, rect] : drawn) {
            widget->setGeometry(rect.x() * twentieths / 20, rect.y(),
                                rect.width() * twentieths / 20, rect.height());
        }
        setFixedSize(drawnWidth * twentieths / 20, height());
        m_bWidened = twentieths > 20;
    }
}

} // namespace ui::qt
