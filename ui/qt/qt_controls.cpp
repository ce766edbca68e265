#include "ui/qt/edit_input_validator.h"
#include "ui/qt/frame_on_top.h"
#include "ui/qt/ip_address_edit.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/tab_strip.h"
#include "ui/qt/whole_area_button.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

// Widgets made from the controls of a dialog template.
namespace ui::qt {
namespace {

// A group of radio buttons is one Tab stop, as on Windows: its checked
// button, or its first while none is checked. A click reaches any of them.
void KeepOneTabStop(const QButtonGroup& group) {
    const QList<QAbstractButton*> buttons = group.buttons();
    QAbstractButton* stop =
        group.checkedButton() != nullptr ? group.checkedButton() : buttons.front();
    for (QAbstractButton* button : buttons) {
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

} // namespace

QWidget* CQtWindow::MakeWidget(const ControlTemplate& control) {
    const int id = control.id;
    const QString text = ToQString(control.text);
    switch (control.kind) {
    case ControlKind::Static: {
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::GroupBox: {
        auto* group = new QGroupBox(text, this);
        // Centred in its band, a title drawn taller by a fallback font keeps
        // clear of the frame below it.
        group->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return group;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, this);
        m_pDefaultButton->Track(button, (control.style & style::kDefaultButton) != 0);
        connect(button, &QPushButton::clicked, this,
                [this, id] { m_dialog.Dispatch(id, Notification::Clicked); });
        return button;
    }
    case ControlKind::CheckBox: {
        auto* box = new CWholeAreaButton<QCheckBox>(text, this);
        connect(box, &QCheckBox::clicked, this,
                [this, id] { m_dialog.Dispatch(id, Notification::Clicked); });
        return box;
    }
    case ControlKind::RadioButton: {
        auto* radio = new CWholeAreaButton<QRadioButton>(text, this);
        // Qt groups radio buttons by parent; ours are grouped as the template says.
        radio->setAutoExclusive(false);
        const std::vector<int> group = m_dialog.Template().RadioGroupContaining(id);
        QButtonGroup*& buttons = m_radioGroups[group.empty() ? id : group.front()];
        if (buttons == nullptr) {
            buttons = new QButtonGroup(this);
            connect(buttons, &QButtonGroup::buttonToggled, this,
                    [buttons] { KeepOneTabStop(*buttons); });
        }
        buttons->addButton(radio);
        KeepOneTabStop(*buttons);
        connect(radio, &QRadioButton::clicked, this,
                [this, id] { m_dialog.Dispatch(id, Notification::Clicked); });
        return radio;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, this);
        if ((control.style & style::kPassword) != 0) {
            edit->setEchoMode(QLineEdit::Password);
        }
        edit->setValidator(new CEditInputValidator((control.style & style::kNumber) != 0, edit));
        connect(edit, &QLineEdit::textEdited, this,
                [this, id] { m_dialog.Dispatch(id, Notification::EditChanged); });
        return edit;
    }
    case ControlKind::ListBox: {
        auto* list = new QListWidget(this);
        list->setUniformItemSizes(true);
        KeepFrameOnTop(*list);
        // A list taking the focus makes its first line current without
        // selecting it; only a change of the selection is the user's choice.
        connect(list, &QListWidget::itemSelectionChanged, this,
                [this, id] { m_dialog.Dispatch(id, Notification::SelectionChanged); });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, id] { m_dialog.Dispatch(id, Notification::DoubleClicked); });
        return list;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(this);
        // activated comes from the user only, as CBN_SELCHANGE does.
        connect(combo, &QComboBox::activated, this,
                [this, id] { m_dialog.Dispatch(id, Notification::SelectionChanged); });
        return combo;
    }
    case ControlKind::IpAddress: {
        auto* address = new CIpAddressEdit(this);
        address->OnEdited([this, id] { m_dialog.Dispatch(id, Notification::EditChanged); });
        return address;
    }
    case ControlKind::Tab: {
        auto* tabs = new CTabStrip(this);
        tabs->SetWindowText(text);
        connect(tabs->Bar(), &QTabBar::currentChanged, this,
                [this, id] { m_dialog.Dispatch(id, Notification::SelectionChanged); });
        return tabs;
    }
    }
    return nullptr;
}

void CQtWindow::CreateControl(const ControlTemplate& control) {
    QWidget* widget = MakeWidget(control);
    widget->setObjectName(QString::number(control.id));
    QRect rect = ToPixels(control.rect, m_base);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // A template gives a combo box's dropped height; closed, it is one line high.
        const int closedHeight = combo->sizeHint().height();
        const int rowHeight = std::max(1, combo->fontMetrics().height() + 2);
        combo->setMaxVisibleItems(std::max(1, (rect.height() - closedHeight) / rowHeight));
        rect.setHeight(closedHeight);
    }
    widget->setGeometry(rect);
    widget->setEnabled((control.style & style::kDisabled) == 0);
    widget->setVisible((control.style & style::kHidden) == 0);
    if ((control.style & style::kTabStop) == 0 &&
        (control.kind == ControlKind::Static || control.kind == ControlKind::GroupBox)) {
        widget->setFocusPolicy(Qt::NoFocus);
    }
    if (auto lines = MakeItemListAdapter(widget)) {
        m_itemLists.emplace(control.id, std::move(lines));
    }
    m_controls.emplace(control.id, widget);
}

} // namespace ui::qt
