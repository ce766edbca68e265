#include "ui/qt/tab_strip.h"

#include <QShortcut>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <utility>

CTabStrip::CTabStrip(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this)) {
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    // The keys of any desktop's tab dialog, wherever the focus is in the window.
    const std::pair<QKeySequence, int> steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, step] : steps) {
        new QShortcut(
            keys, this, [this, step = step] { StepTab(step); }, Qt::WindowShortcut);
    }
}

void CTabStrip::StepTab(int step) {
    const int count = m_bar->count();
    if (count > 1 && isEnabled() && isVisible()) {
        // Moved as a click moves it, so the window hears the change the same way.
        m_bar->setCurrentIndex((m_bar->currentIndex() + step + count) % count);
    }
}

void CTabStrip::SetWindowText(const QString& text) {
    setAccessibleName(text);
    m_bar->setAccessibleName(text);
}

void CTabStrip::InsertTab(int index, const QString& text) {
    m_bar->insertTab(index, text);
    LayOutBar();
}

void CTabStrip::LayOutBar() { m_bar->setGeometry(0, 0, width(), m_bar->sizeHint().height()); }

void CTabStrip::resizeEvent(QResizeEvent*) { LayOutBar(); }

void CTabStrip::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame panel;
    panel.initFrom(this);
    const int top = m_bar->sizeHint().height() - 1;
    panel.rect = QRect(0, top, width(), height() - top);
    panel.tabBarSize = m_bar->sizeHint();
    panel.tabBarRect = QRect(QPoint(0, 0), m_bar->sizeHint());
    panel.shape = m_bar->shape();
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, panel);
}
