#include "tests/support/accessibility_faults.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QRadioButton>

namespace {

std::string Described(QAccessibleInterface& item) {
    const QObject* object = item.object();
    const QString name = object != nullptr ? object->objectName() : QString();
    return "role " + std::to_string(item.role()) + " '" +
           item.text(QAccessible::Name).toStdString() + "' (" +
           (object != nullptr ? object->metaObject()->className() : "?") +
           (name.isEmpty() ? "" : " " + name.toStdString()) + ")";
}

void Collect(QAccessibleInterface& item, std::vector<std::string>& faults) {
    const QAccessible::State state = item.state();
    if (state.invisible) {
        return;
    }
    const QString name = item.text(QAccessible::Name);
    if (state.focusable && name.trimmed().isEmpty()) {
        faults.push_back("no name: " + Described(item));
    }
    if (qobject_cast<QRadioButton*>(item.object()) != nullptr &&
        item.role() != QAccessible::RadioButton) {
        faults.push_back("a radio button announced otherwise: " + Described(item));
    }
    if (auto* combo = qobject_cast<QComboBox*>(item.object());
        combo != nullptr && !name.isEmpty() && name == combo->currentText()) {
        faults.push_back("named by its value: " + Described(item));
    }
    if (item.role() == QAccessible::StaticText && name.trimmed() == QStringLiteral(".")) {
        faults.push_back("a separator spoken as text: " + Described(item));
    }
    for (int child = 0; child < item.childCount(); ++child) {
        if (QAccessibleInterface* inner = item.child(child)) {
            Collect(*inner, faults);
        }
    }
}

} // namespace

std::vector<std::string> AccessibilityFaults(QWidget& window) {
    std::vector<std::string> faults;
    if (QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window)) {
        Collect(*root, faults);
    } else {
        faults.push_back("no accessible interface");
    }
    return faults;
}
