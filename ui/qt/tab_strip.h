#pragma once
#include <QTabBar>
#include <QWidget>

// A tab control as Windows draws one: the row of tabs and, below it, the
// framed panel on which the page's controls lie. It stays beneath them.
// Ctrl+Tab and Ctrl+PgDn go to the next tab, Ctrl+Shift+Tab and Ctrl+PgUp to
// the one before, round the row.
class CTabStrip : public QWidget {
public:
    explicit CTabStrip(QWidget* parent);
    QTabBar* Bar() const { return m_bar; }
    // The row of tabs grows to its new height, also once the strip is shown.
    void InsertTab(int index, const QString& text);
    // A tab control's window text names it for screen readers, as on Windows.
    void SetWindowText(const QString& text);
    QString WindowText() const { return accessibleName(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutBar();
    void StepTab(int step);

    QTabBar* m_bar;
};
