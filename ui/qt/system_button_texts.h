#pragma once
#include <QMessageBox>

namespace ui::qt {

// Gives a message box's standard buttons the words of the user's language,
// as Windows gives its message boxes the words of the system's: from Qt's
// own translations for the locale, looked up without installing them, so
// that a host program's texts stay as the host has them. Buttons keep
// Qt's English where no translation is installed.
void UseSystemButtonTexts(QMessageBox& box);

} // namespace ui::qt
