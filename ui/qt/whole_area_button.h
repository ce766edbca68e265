#pragma once
#include <QPoint>

// A check box or radio button that, as on Windows, takes a click anywhere in
// its control's rectangle, not only on its mark and text.
template <typename Button> class CWholeAreaButton : public Button {
public:
    using Button::Button;

protected:
    bool hitButton(const QPoint& position) const override {
        return this->rect().contains(position);
    }
};
