#include "ui/qt/tab_strip.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

CTabStrip::CTabStrip(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this)) {
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
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
