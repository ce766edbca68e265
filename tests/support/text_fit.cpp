#include "tests/support/text_fit.h"

#include "tests/support/screenshot_names.h"
#include "ui/qt/ip_address_edit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <algorithm>
#include <cmath>

namespace {

// Where a label's glyphs are drawn, to the pixel: the label painted alone,
// the rows and columns its ink covers. The fonts that really draw them (a
// fallback font for Chinese and Japanese) decide, not the layout's line box.
QRect GlyphArea(QLabel& label) {
    QImage image(label.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) > 64) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink.translated(label.pos());
}

// The lines of a group box's frame: a label's glyphs must not touch them.
std::vector<QRect> FrameLines(const QGroupBox& group) {
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame;
    QRect frame = group.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                QStyle::SC_GroupBoxFrame, &group);
    frame.translate(group.pos());
    return {QRect(frame.topLeft(), QSize(frame.width(), 1)),
            QRect(frame.bottomLeft(), QSize(frame.width(), 1)),
            QRect(frame.topLeft(), QSize(1, frame.height())),
            QRect(frame.topRight(), QSize(1, frame.height()))};
}

// The widgets drawn over WIDGET: its siblings stacked above it.
std::vector<QWidget*> CoveringSiblings(const QWidget& widget) {
    std::vector<QWidget*> above;
    const QObjectList& siblings = widget.parentWidget()->children();
    for (auto it = siblings.begin() + siblings.indexOf(&widget) + 1; it != siblings.end(); ++it) {
        if (auto* sibling = qobject_cast<QWidget*>(*it)) {
            above.push_back(sibling);
        }
    }
    return above;
}

// The widget the controls lie on: the window, or the area it scrolls.
const QWidget& ControlSurface(const QWidget& window) {
    const auto* scroller = window.findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
    return scroller != nullptr && scroller->widget() != nullptr ? *scroller->widget() : window;
}

// A frame drawn on all four sides: the outermost line of device pixels (as
// many as one logical pixel covers) in the middle of the right and bottom
// edges is as dark as that of the left and top.
bool HasWholeFrame(QWidget& framed) {
    const QPixmap picture = framed.grab();
    const QImage image = picture.toImage();
    const int line = static_cast<int>(std::ceil(picture.devicePixelRatio()));
    const auto darkest = [&](int x, int y, int stepX, int stepY) {
        int darkness = 0;
        for (int i = 0; i < line; ++i) {
            darkness = std::max(darkness, 255 - qGray(image.pixel(x + i * stepX, y + i * stepY)));
        }
        return darkness;
    };
    const int middleX = image.width() / 2;
    const int middleY = image.height() / 2;
    const int left = darkest(0, middleY, 1, 0);
    const int top = darkest(middleX, 0, 0, 1);
    return left > 32 && top > 32 && darkest(image.width() - 1, middleY, -1, 0) * 2 > left &&
           darkest(middleX, image.height() - 1, 0, -1) * 2 > top;
}

} // namespace

std::vector<std::string> TextsThatDoNotFit(const QWidget& window) {
    std::vector<std::string> faults;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window)) {
            continue;
        }
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
                                                               Qt::TextWordWrap, label->text());
        // The leading below the last line is not text.
        const int textHeight = needed.height() - label->fontMetrics().leading();
        if (textHeight > label->height() || needed.width() > label->width()) {
            faults.push_back("label " + label->objectName().toStdString());
        }
        const QRect text(label->pos(), QSize(needed.width(), textHeight));
        for (auto* above : CoveringSiblings(*label)) {
            if (above->isVisibleTo(&window) && above->geometry().intersects(text)) {
                faults.push_back("label " + label->objectName().toStdString() + " under " +
                                 above->objectName().toStdString());
            }
        }
        // Glyphs touching another control or cut by a frame's line.
        const QRect glyphs = GlyphArea(*label);
        for (auto* other :
             label->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other == label || !other->isVisibleTo(&window) ||
                qobject_cast<QLabel*>(other) != nullptr) {
                continue;
            }
            if (auto* group = qobject_cast<QGroupBox*>(other)) {
                for (const QRect& line : FrameLines(*group)) {
                    if (line.intersects(glyphs)) {
                        faults.push_back("label " + label->objectName().toStdString() +
                                         " cut by the frame of " +
                                         group->objectName().toStdString());
                    }
                }
            } else if (other->geometry().intersects(glyphs) &&
                       !other->geometry().contains(glyphs)) { // not a page it lies on
                faults.push_back("label " + label->objectName().toStdString() + " touches " +
                                 other->objectName().toStdString());
            }
        }
    }
    for (auto* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window)) {
            continue;
        }
        // Check boxes and radio buttons need room for their mark beside the text.
        const int mark = qobject_cast<QPushButton*>(button) != nullptr ? 8 : button->height() + 8;
        if (button->fontMetrics().horizontalAdvance(button->text().remove(QLatin1Char('&'))) +
                mark >
            button->width()) {
            faults.push_back("button " + button->objectName().toStdString());
        }
    }
    for (auto* combo : window.findChildren<QComboBox*>()) {
        // Room for the frame and the arrow beside the text.
        const int room = combo->width() - combo->height() - 8;
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) > room) {
                faults.push_back("combo row " + std::to_string(i));
            }
        }
    }
    for (auto* group : window.findChildren<QGroupBox*>()) {
        if (group->isVisibleTo(&window) &&
            group->fontMetrics().horizontalAdvance(group->title()) + 16 > group->width()) {
            faults.push_back("group box " + group->objectName().toStdString());
        }
    }
    // A title beside the window's icon and its three buttons in the bar.
    if (window.isWindow() && !window.windowTitle().isEmpty()) {
        const QFontMetrics title(TitleBarFont());
        if (title.horizontalAdvance(window.windowTitle()) + 4 * (title.height() + 8) >
            window.width()) {
            faults.push_back("window title");
        }
    }
    for (auto* tabs : window.findChildren<QTabBar*>()) {
        if (tabs->isVisibleTo(&window) && tabs->sizeHint().width() > tabs->width()) {
            faults.push_back("tabs of " + tabs->parentWidget()->objectName().toStdString());
        }
    }
    const QWidget& surface = ControlSurface(window);
    for (auto* child : surface.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isVisibleTo(&window) && !surface.rect().contains(child->geometry())) {
            faults.push_back("outside the dialog: " + child->objectName().toStdString());
        }
    }
    return faults;
}

std::vector<std::string> ScreenFaults(const QWidget& window) {
    std::vector<std::string> faults;
    const QScreen* screen = window.screen();
    if (screen != nullptr && !screen->availableGeometry().contains(window.frameGeometry())) {
        faults.push_back("beyond the screen");
    }
    for (QFrame* framed : window.findChildren<QFrame*>()) {
        const bool control = qobject_cast<QListWidget*>(framed) != nullptr ||
                             dynamic_cast<ui::qt::CIpAddressEdit*>(framed) != nullptr;
        if (control && framed->isVisibleTo(&window) && !HasWholeFrame(*framed)) {
            faults.push_back("frame of " + framed->objectName().toStdString());
        }
    }
    return faults;
}

std::vector<std::string> LayoutFaults(const ui::qt::CQtWindow& window) {
    std::vector<std::string> faults = TextsThatDoNotFit(window);
    for (std::string& fault : ScreenFaults(window)) {
        faults.push_back(std::move(fault));
    }
    if (window.WasWidened()) {
        faults.push_back("dialog widened");
    }
    return faults;
}
