#pragma once
#include <QValidator>

namespace ui::qt {

// Holds a single-line edit to the input rules every backend shares: a paste
// keeps only its first line, a NUL never enters, a digits-only edit refuses
// anything else. It judges only what the user does; text set from code
// passes around it.
class CEditInputValidator : public QValidator {
public:
    CEditInputValidator(bool digitsOnly, QObject* parent);
    State validate(QString& input, int& position) const override;

private:
    bool m_bDigitsOnly;
};

} // namespace ui::qt
