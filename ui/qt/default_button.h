#pragma once
#include <QObject>

class QPushButton;

namespace ui::qt {

// Which push button Enter presses, as the Windows dialog manager decides:
// the focused push button, else the one the template marks as default. Only
// that button looks like the default; Qt's habit of making the first
// auto-default button the default is left off.
class CDefaultButton : public QObject {
public:
    explicit CDefaultButton(QWidget* dialog);

    // Every push button of the dialog; templateDefault for kDefaultButton.
    void Track(QPushButton* button, bool templateDefault);
    // The button Enter presses now; null when Enter means IDOK.
    QPushButton* ForEnter() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_pDialog;
    QPushButton* m_pTemplateDefault = nullptr;
};

} // namespace ui::qt
