#include "ui/qt/qt_window.h"

#include "ui/qt/ip_address_edit.h"
#include "ui/qt/qt_text.h"

#include "ui/qt/tab_strip.h"
#include "ui/qt/whole_area_button.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace ui::qt {
namespace {

constexpr int kItemDataRole = Qt::UserRole;

bool NamesItsNeighbour(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::ComboBox ||
           kind == ControlKind::ListBox || kind == ControlKind::IpAddress;
}

QString IconPath(const QString& name) { return QStringLiteral(":/icons/%1.svg").arg(name); }

} // namespace

CQtWindow::CQtWindow(CDialog& dialog, QWidget* parent)
    : QDialog(parent), m_dialog(dialog), m_nExtendedStyle(dialog.Template().extendedStyle) {
    const DialogTemplate& dialogTemplate = dialog.Template();
    setObjectName(QString::number(dialogTemplate.id));
    setFont(DialogFont(dialogTemplate));
    m_base = BaseUnitsOf(font());
    setFixedSize(ToPixels(dialogTemplate.rect, m_base).size());
    setWindowTitle(ToQString(dialogTemplate.title));
    int lastLabel = 0;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        CreateControl(control);
        // Windows tools name a field by the static text just before it.
        if (control.kind == ControlKind::Static) {
            lastLabel = control.id;
        } else if (NamesItsNeighbour(control.kind) && lastLabel != 0) {
            m_labelledControls[lastLabel] = control.id;
            UpdateAccessibleName(lastLabel);
            lastLabel = 0;
        } else {
            lastLabel = 0;
        }
    }
    ApplyWindowFlags();
}

QWidget* CQtWindow::Control(int id) const {
    const auto found = m_controls.find(id);
    if (found == m_controls.end()) {
        FailMissingControl(m_dialog.Template().id, id);
    }
    return found->second;
}

template <typename Widget> Widget* CQtWindow::As(int id) const {
    return dynamic_cast<Widget*>(Control(id));
}

void CQtWindow::CreateControl(const ControlTemplate& control) {
    const int id = control.id;
    const QString text = ToQString(control.text);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::Static: {
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case ControlKind::GroupBox:
        widget = new QGroupBox(text, this);
        break;
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(true);
        button->setDefault((control.style & style::kDefaultButton) != 0);
        connect(button, &QPushButton::clicked, this,
                [this, id] { m_dialog.Dispatch(id, Notification::Clicked); });
        widget = button;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new CWholeAreaButton<QCheckBox>(text, this);
        connect(box, &QCheckBox::clicked, this,
                [this, id] { m_dialog.Dispatch(id, Notification::Clicked); });
        widget = box;
        break;
    }
    case ControlKind::RadioButton: {
        auto* radio = new CWholeAreaButton<QRadioButton>(text, this);
        // Qt groups radio buttons by parent; ours are grouped as the template says.
        radio->setAutoExclusive(false);
        const std::vector<int> group = m_dialog.Template().RadioGroupContaining(id);
        QButtonGroup*& buttons = m_radioGroups[group.empty() ? id : group.front()];
        if (buttons == nullptr) {
            buttons = new QButtonGroup(this);
        }
        buttons->addButton(radio);
        connect(radio, &QRadioButton::clicked, this,
                [this, id] { m_dialog.Dispatch(id, Notification::Clicked); });
        widget = radio;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, this);
        if ((control.style & style::kPassword) != 0) {
            edit->setEchoMode(QLineEdit::Password);
        }
        if ((control.style & style::kNumber) != 0) {
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
        }
        connect(edit, &QLineEdit::textEdited, this,
                [this, id] { m_dialog.Dispatch(id, Notification::EditChanged); });
        widget = edit;
        break;
    }
    case ControlKind::ListBox: {
        auto* list = new QListWidget(this);
        list->setUniformItemSizes(true);
        connect(list, &QListWidget::currentRowChanged, this,
                [this, id] { m_dialog.Dispatch(id, Notification::SelectionChanged); });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, id] { m_dialog.Dispatch(id, Notification::DoubleClicked); });
        widget = list;
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(this);
        // activated comes from the user only, as CBN_SELCHANGE does.
        connect(combo, &QComboBox::activated, this,
                [this, id] { m_dialog.Dispatch(id, Notification::SelectionChanged); });
        widget = combo;
        break;
    }
    case ControlKind::IpAddress: {
        auto* address = new CIpAddressEdit(this);
        address->OnEdited([this, id] { m_dialog.Dispatch(id, Notification::EditChanged); });
        widget = address;
        break;
    }
    case ControlKind::Tab: {
        auto* tabs = new CTabStrip(this);
        connect(tabs->Bar(), &QTabBar::currentChanged, this,
                [this, id] { m_dialog.Dispatch(id, Notification::SelectionChanged); });
        widget = tabs;
        break;
    }
    }
    widget->setObjectName(QString::number(id));
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
    m_controls.emplace(id, widget);
}

bool CQtWindow::TextFits(QWidget* widget) const {
    const QFontMetrics metrics = widget->fontMetrics();
    // Room for frames, arrows and check marks around the text.
    const int chrome = metrics.height() * 2;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text().isEmpty() || label->heightForWidth(label->width()) <= label->height();
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i) {
            if (metrics.horizontalAdvance(combo->itemText(i)) + chrome > combo->width()) {
                return false;
            }
        }
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QString text = button->text();
        text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        const int padding =
            qobject_cast<QPushButton*>(widget) != nullptr ? metrics.height() / 2 : chrome;
        return metrics.horizontalAdvance(text) + padding <= button->width();
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return metrics.horizontalAdvance(group->title()) + chrome <= group->width();
    }
    return true;
}

void CQtWindow::FitTexts() {
    std::map<QWidget*, QRect> drawn;
    for (const auto& [id, widget] : m_controls) {
        drawn.emplace(widget, widget->geometry());
    }
    const int drawnWidth = width();
    const auto allFit = [&] {
        return std::all_of(drawn.begin(), drawn.end(), [&](const auto& control) {
            return control.first->isHidden() || TextFits(control.first);
        });
    };
    // In steps of a twentieth, up to twice the width drawn.
    for (int twentieths = 20; twentieths <= 40 && !allFit(); ++twentieths) {
        for (const auto& [widget, rect] : drawn) {
            widget->setGeometry(rect.x() * twentieths / 20, rect.y(),
                                rect.width() * twentieths / 20, rect.height());
        }
        setFixedSize(drawnWidth * twentieths / 20, height());
    }
}

void CQtWindow::ApplyWindowFlags() {
    const unsigned windowStyle = m_dialog.Template().windowStyle;
    const bool toolWindow =
        (m_nExtendedStyle & kExStyleToolWindow) != 0 && (m_nExtendedStyle & kExStyleAppWindow) == 0;
    Qt::WindowFlags flags =
        (toolWindow ? Qt::Tool : Qt::Dialog) | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((windowStyle & window_style::kSystemMenu) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if ((windowStyle & window_style::kMinimizeBox) != 0) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    const bool wasVisible = isVisible();
    setWindowFlags(flags);
    if (wasVisible) {
        show(); // changing the flags of a shown window hides it
    }
}

void CQtWindow::UpdateAccessibleName(int labelId) {
    const auto labelled = m_labelledControls.find(labelId);
    if (labelled != m_labelledControls.end()) {
        Control(labelled->second)->setAccessibleName(As<QLabel>(labelId)->text());
    }
}

WindowHandle CQtWindow::Handle() const {
    return static_cast<WindowHandle>(const_cast<CQtWindow*>(this)->winId());
}

void CQtWindow::SetTitle(std::u16string_view title) { setWindowTitle(ToQString(title)); }

std::u16string CQtWindow::Title() const { return FromQString(windowTitle()); }

void CQtWindow::SetIcon(std::u16string_view iconName) {
    const QString name = ToQString(iconName);
    setWindowIcon(QIcon::fromTheme(name, QIcon(IconPath(name))));
}

void CQtWindow::AddSystemMenuCommand(int commandId, std::u16string_view text) {
    auto* action = new QAction(ToQString(text), this);
    if (actions().isEmpty()) {
        action->setShortcut(QKeySequence::HelpContents);
        action->setShortcutContext(Qt::WindowShortcut);
        setContextMenuPolicy(Qt::ActionsContextMenu);
    } else {
        auto* separator = new QAction(this);
        separator->setSeparator(true);
        addAction(separator);
    }
    addAction(action);
    connect(action, &QAction::triggered, this,
            [this, commandId] { m_dialog.Dispatch(commandId, Notification::Clicked); });
}

void CQtWindow::SetExtendedStyle(unsigned extendedStyle) {
    m_nExtendedStyle = extendedStyle;
    ApplyWindowFlags();
}

void CQtWindow::SetOuterSize(int width, int height) {
    m_frameAtSizing = frameGeometry().size() - size();
    setFixedSize(width - m_frameAtSizing->width(), height - m_frameAtSizing->height());
}

void CQtWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The frame is known only once the window is shown: an outer size set
    // before then is kept by giving the frame's room back.
    if (m_frameAtSizing) {
        const QSize frame = frameGeometry().size() - size();
        setFixedSize(size() - (frame - *m_frameAtSizing));
        m_frameAtSizing.reset();
    }
}

int CQtWindow::RunModalLoop() {
    // QDialog::exec() would miss an end that comes while the window is being
    // shown (a close request from the display, say) and then wait forever.
    if (!m_result) {
        setWindowModality(parentWidget() != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
        show();
    }
    if (!m_result) {
        QEventLoop loop;
        m_pModalLoop = &loop;
        loop.exec(QEventLoop::DialogExec);
        m_pModalLoop = nullptr;
    }
    hide();
    return *m_result;
}

void CQtWindow::End(int result) {
    if (!m_result) {
        m_result = result;
        setResult(result);
        hide();
        if (m_pModalLoop != nullptr) {
            m_pModalLoop->exit();
        }
    }
}

void CQtWindow::MoveControl(int id, Rect pixels) {
    Control(id)->setGeometry(pixels.x, pixels.y, pixels.width, pixels.height);
}

void CQtWindow::SetText(int id, std::u16string_view text) {
    QWidget* widget = Control(id);
    const QString value = ToQString(text);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(value);
        UpdateAccessibleName(id);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // A drop-down list shows only its rows: the text selects the matching one.
        combo->setCurrentIndex(combo->findText(value, Qt::MatchExactly));
    }
}

std::u16string CQtWindow::Text(int id) const {
    QWidget* widget = Control(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return FromQString(label->text());
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return FromQString(group->title());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return FromQString(button->text());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return FromQString(edit->text());
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return FromQString(combo->currentText());
    }
    return {};
}

void CQtWindow::Enable(int id, bool enabled) { Control(id)->setEnabled(enabled); }

bool CQtWindow::IsEnabled(int id) const { return Control(id)->isEnabled(); }

void CQtWindow::Show(int id, bool visible) { Control(id)->setVisible(visible); }

bool CQtWindow::IsVisible(int id) const {
    // Asked of the control itself, so a dialog not yet shown still answers.
    return !Control(id)->isHidden();
}

void CQtWindow::SetFocus(int id) { Control(id)->setFocus(Qt::OtherFocusReason); }

void CQtWindow::SetCheck(int id, int state) {
    auto* button = As<QAbstractButton>(id);
    if (button == nullptr) {
        return;
    }
    // An exclusive group refuses to clear its checked button.
    QButtonGroup* group = button->group();
    const bool exclusive = group != nullptr && group->exclusive();
    if (exclusive) {
        group->setExclusive(false);
    }
    if (state != 0 && group != nullptr) {
        for (QAbstractButton* other : group->buttons()) {
            other->setChecked(false);
        }
    }
    button->setChecked(state != 0);
    if (exclusive) {
        group->setExclusive(true);
    }
}

int CQtWindow::Check(int id) const {
    const auto* button = As<QAbstractButton>(id);
    return button != nullptr && button->isChecked() ? 1 : 0;
}

void CQtWindow::SetAddress(int id, const IpField& address) {
    As<CIpAddressEdit>(id)->SetAddress(address);
}

IpField CQtWindow::Address(int id) const { return As<CIpAddressEdit>(id)->Address(); }

void CQtWindow::ClearAddress(int id) { As<CIpAddressEdit>(id)->Clear(); }

int CQtWindow::InsertItem(int id, int index, std::u16string_view text) {
    QWidget* widget = Control(id);
    const QSignalBlocker quiet(widget);
    const QString value = ToQString(text);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        const int at = index < 0 || index > combo->count() ? combo->count() : index;
        combo->insertItem(at, value);
        return at;
    }
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        const int at = index < 0 || index > list->count() ? list->count() : index;
        auto* item = new QListWidgetItem(value);
        if (const auto height = m_itemHeights.find(id); height != m_itemHeights.end()) {
            item->setSizeHint(QSize(1, height->second));
        }
        list->insertItem(at, item);
        return at;
    }
    return -1;
}

void CQtWindow::DeleteItem(int id, int index) {
    QWidget* widget = Control(id);
    const QSignalBlocker quiet(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->removeItem(index);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        const int selected = list->currentRow();
        delete list->takeItem(index);
        // Windows leaves no line selected when the selected one goes.
        if (selected == index) {
            list->setCurrentRow(-1);
        }
    }
}

void CQtWindow::ResetItems(int id) {
    QWidget* widget = Control(id);
    const QSignalBlocker quiet(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->clear();
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->clear();
    }
}

int CQtWindow::ItemCount(int id) const {
    QWidget* widget = Control(id);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return combo->count();
    }
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        return list->count();
    }
    return 0;
}

std::u16string CQtWindow::ItemText(int id, int index) const {
    QWidget* widget = Control(id);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return FromQString(combo->itemText(index));
    }
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        const QListWidgetItem* item = list->item(index);
        return item != nullptr ? FromQString(item->text()) : std::u16string{};
    }
    return {};
}

void CQtWindow::SetItemData(int id, int index, std::intptr_t data) {
    QWidget* widget = Control(id);
    const QVariant value = QVariant::fromValue(static_cast<qlonglong>(data));
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (index >= 0 && index < combo->count()) {
            combo->setItemData(index, value, kItemDataRole);
        }
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (QListWidgetItem* item = list->item(index)) {
            item->setData(kItemDataRole, value);
        }
    }
}

std::intptr_t CQtWindow::ItemData(int id, int index) const {
    QWidget* widget = Control(id);
    QVariant value;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (index < 0 || index >= combo->count()) {
            return -1;
        }
        value = combo->itemData(index, kItemDataRole);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        const QListWidgetItem* item = list->item(index);
        if (item == nullptr) {
            return -1;
        }
        value = item->data(kItemDataRole);
    }
    return value.isValid() ? static_cast<std::intptr_t>(value.toLongLong()) : 0;
}

void CQtWindow::SetCurSel(int id, int index) {
    QWidget* widget = Control(id);
    const QSignalBlocker quiet(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->setCurrentRow(index >= 0 && index < list->count() ? index : -1);
    }
}

int CQtWindow::CurSel(int id) const {
    QWidget* widget = Control(id);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return combo->currentIndex();
    }
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        return list->currentItem() != nullptr && list->currentItem()->isSelected()
                   ? list->currentRow()
                   : -1;
    }
    return -1;
}

void CQtWindow::SetItemHeight(int id, int pixels) {
    m_itemHeights[id] = pixels;
    if (auto* list = As<QListWidget>(id)) {
        for (int i = 0; i < list->count(); ++i) {
            list->item(i)->setSizeHint(QSize(1, pixels));
        }
    }
}

void CQtWindow::InsertTab(int id, int index, std::u16string_view text) {
    auto* tabs = As<CTabStrip>(id)->Bar();
    const QSignalBlocker quiet(tabs);
    tabs->insertTab(index < 0 ? tabs->count() : index, ToQString(text));
}

int CQtWindow::TabCount(int id) const { return As<CTabStrip>(id)->Bar()->count(); }

std::u16string CQtWindow::TabText(int id, int index) const {
    return FromQString(As<CTabStrip>(id)->Bar()->tabText(index));
}

void CQtWindow::SetCurTab(int id, int index) {
    auto* tabs = As<CTabStrip>(id)->Bar();
    const QSignalBlocker quiet(tabs);
    tabs->setCurrentIndex(index);
}

int CQtWindow::CurTab(int id) const { return As<CTabStrip>(id)->Bar()->currentIndex(); }

void CQtWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        // Enter presses the focused push button, else the default button;
        // a dialog without one hears IDOK, as a Windows dialog does.
        for (auto* button : findChildren<QPushButton*>()) {
            if ((button->hasFocus() || button->isDefault()) && button->isVisible()) {
                QDialog::keyPressEvent(event);
                return;
            }
        }
        m_dialog.Dispatch(IDOK, Notification::Clicked);
        return;
    }
    QDialog::keyPressEvent(event);
}

void CQtWindow::closeEvent(QCloseEvent* event) {
    if (m_result) {
        QDialog::closeEvent(event);
        return;
    }
    // The close box asks the dialog as Esc does; the dialog decides.
    event->ignore();
    m_dialog.Dispatch(IDCANCEL, Notification::Clicked);
}

void CQtWindow::reject() {
    if (!m_result) {
        m_dialog.Dispatch(IDCANCEL, Notification::Clicked);
    }
}

void CQtWindow::accept() {
    if (!m_result) {
        m_dialog.Dispatch(IDOK, Notification::Clicked);
    }
}

} // namespace ui::qt
