#pragma once
#include <QWidget>

namespace ui::qt {

// What a window without an owner keeps from input while it runs modally: a
// program's own dialog takes the whole application; a library's dialog
// leaves the windows of the program that hosts it alone.
enum class UnownedModality { Application, None };

// A window with an owner blocks only its owner, as a Windows dialog does.
inline void SetModality(QWidget& window, UnownedModality unowned = UnownedModality::Application) {
    if (window.parentWidget() != nullptr) {
        window.setWindowModality(Qt::WindowModal);
    } else {
        window.setWindowModality(unowned == UnownedModality::Application ? Qt::ApplicationModal
                                                                         : Qt::NonModal);
    }
}

} // namespace ui::qt
