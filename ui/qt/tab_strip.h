#pragma once
#include <QTabBar>
#include <QWidget>

// A tab control as Windows draws one: the row of tabs and, below it, the
// framed panel on which the page's controls lie. It stays beneath them.
class CTabStrip : public QWidget {
public:
    explicit CTabStrip(QWidget* parent);
    QTabBar* Bar() const { return m_bar; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* m_bar;
};
