#include "ui/qt/edit_input_validator.h"

#include "ui/edit_input.h"
#include "ui/qt/qt_text.h"

namespace ui::qt {

CEditInputValidator::CEditInputValidator(bool digitsOnly, QObject* parent)
    : QValidator(parent), m_bDigitsOnly(digitsOnly) {}

QValidator::State CEditInputValidator::validate(QString& input, int& position) const {
    // What the user just put in ends at the caret: its line break and
    // everything after it go, the text behind the caret stays.
    for (int i = 0; i < position; ++i) {
        if (IsLineBreak(input[i].unicode())) {
            input.remove(i, position - i);
            position = i;
            break;
        }
    }
    const qsizetype nulBeforeCaret = input.left(position).count(QChar(u'\0'));
    input.remove(QChar(u'\0'));
    position -= static_cast<int>(nulBeforeCaret);
    if (m_bDigitsOnly && !IsDigitsOnly(FromQString(input))) {
        return Invalid;
    }
    return Acceptable;
}

} // namespace ui::qt
