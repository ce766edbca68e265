#include "ui/qt/qt_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextLayout>
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

// The first line of a label as the fonts that draw it lay it out: with a
// fallback font (Chinese, Japanese) taller above and below its baseline than
// the dialog font.
QTextLine FirstLine(const QLabel& label, QTextLayout& layout) {
    layout.setText(label.text());
    layout.setFont(label.font());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(label.width());
    }
    layout.endLayout();
    return line;
}

// A label whose first line is drawn in a taller fallback font keeps its
// baseline where the dialog font puts it: it gets the room for the taller
// glyphs above it, and only their longer descent below, so its text stays
// level with a Latin label beside it and runs into the control below by as
// little as can be. Its place across and its width stay as drawn.
void KeepBaseline(QWidget* widget, QRect& rect) {
    auto* label = qobject_cast<QLabel*>(widget);
    if (label == nullptr || label->text().isEmpty()) {
        return;
    }
    QTextLayout layout;
    const QTextLine line = FirstLine(*label, layout);
    if (!line.isValid()) {
        return;
    }
    const QFontMetrics metrics = label->fontMetrics();
    const int above = qRound(line.ascent()) - metrics.ascent();
    const int below = qRound(line.descent()) - metrics.descent();
    if (above <= 0 && below <= 0) {
        return;
    }
    const int textHeight = label->heightForWidth(rect.width()) - metrics.leading();
    rect.setTop(rect.top() - std::max(above, 0));
    rect.setHeight(std::max(rect.height() + std::max(above, 0), textHeight));
    label->setGeometry(rect);
}

} // namespace

void CQtWindow::FitTexts() {
    std::map<QWidget*, QRect> drawn;
    for (const auto& [id, widget] : m_controls) {
        QRect rect = widget->geometry();
        KeepBaseline(widget, rect);
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
