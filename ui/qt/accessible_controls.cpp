#include "ui/qt/accessible_controls.h"

#include "ui/qt/qt_window.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QRadioButton>

namespace ui::qt {
namespace {

constexpr char kAnsweredFor[] = "quorlanAccessibleControls";

// The text without its mnemonic marks: "&&" stays one "&".
QString WithoutMnemonics(const QString& text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
        }
        plain += text[i];
    }
    return plain;
}

class CAccessibleRadioButton : public QAccessibleWidget {
public:
    explicit CAccessibleRadioButton(QRadioButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = Button()->isChecked();
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && Button()->accessibleName().isEmpty()) {
            return WithoutMnemonics(Button()->text());
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            Button()->click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    QRadioButton* Button() const { return static_cast<QRadioButton*>(widget()); }
};

// A drop-down list named by its label, its row as its value; its one child
// is the list that drops down.
class CAccessibleComboBox : public QAccessibleWidget {
public:
    explicit CAccessibleComboBox(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value ||
            (kind == QAccessible::Name && Combo()->accessibleName().isEmpty())) {
            return Combo()->currentText();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = Combo()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == Combo()->view() ? 0 : -1;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            Combo()->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* AccessibleControl(const QString&, QObject* object) {
    // Only the controls of our dialogs: a host's own widgets keep Qt's answers.
    auto* control = qobject_cast<QWidget*>(object);
    if (control == nullptr || (dynamic_cast<CQtWindow*>(control->window()) == nullptr &&
                               !control->window()->property(kAnsweredFor).toBool())) {
        return nullptr;
    }
    if (auto* radio = qobject_cast<QRadioButton*>(object)) {
        return new CAccessibleRadioButton(radio);
    }
    if (auto* combo = qobject_cast<QComboBox*>(object); combo != nullptr && !combo->isEditable()) {
        return new CAccessibleComboBox(combo);
    }
    return nullptr;
}

} // namespace

void InstallAccessibleControls() {
    [[maybe_unused]] static const bool installed =
        (QAccessible::installFactory(AccessibleControl), true);
}

void AnswerForWindow(QWidget& window) {
    InstallAccessibleControls();
    window.setProperty(kAnsweredFor, true);
}

} // namespace ui::qt
