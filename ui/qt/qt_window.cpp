#include "ui/qt/qt_window.h"

#include "ui/qt/accessible_controls.h"
#include "ui/qt/ip_address_edit.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/tab_strip.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace ui::qt {
namespace {

bool NamesItsNeighbour(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::ComboBox ||
           kind == ControlKind::ListBox || kind == ControlKind::IpAddress;
}

bool HasLine(const CItemListAdapter* lines, int index) {
    return lines != nullptr && index >= 0 && index < lines->Count();
}

QString IconPath(const QString& name) { return QStringLiteral(":/icons/%1.svg").arg(name); }

} // namespace

CQtWindow::CQtWindow(CDialog& dialog, QWidget* parent)
    : QDialog(parent), m_dialog(dialog), m_pDefaultButton(new CDefaultButton(this)),
      m_nExtendedStyle(dialog.Template().extendedStyle), m_pPosChangedReport(new QTimer(this)) {
    InstallAccessibleControls();
    m_pPosChangedReport->setSingleShot(true);
    m_pPosChangedReport->setInterval(0);
    connect(m_pPosChangedReport, &QTimer::timeout, this, [this] {
        if (!m_result) {
            m_dialog.OnWindowPosChanged();
        }
    });
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
    RaiseLabels();
    ApplyWindowFlags();
}

// Windows draws a template's earlier controls over its later ones, and a
// static text lets clicks through: a label that a taller fallback font runs
// into the next control stays whole, and that control stays usable.
void CQtWindow::RaiseLabels() {
    for (const auto& [id, widget] : m_controls) {
        if (qobject_cast<QLabel*>(widget) != nullptr) {
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
            widget->raise();
        }
    }
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
    if (labelled == m_labelledControls.end()) {
        return;
    }
    const QString label = As<QLabel>(labelId)->text();
    if (auto* address = As<CIpAddressEdit>(labelled->second)) {
        address->SetAccessibleLabel(label);
    } else {
        Control(labelled->second)->setAccessibleName(label);
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
    // Styles mark the focus only after a key has moved it; a keyboard user
    // must see it from the start.
    setAttribute(Qt::WA_KeyboardFocusChange);
    // The frame is known only once the window is shown: an outer size set
    // before then is kept by giving the frame's room back.
    if (m_frameAtSizing && m_pScroller == nullptr) {
        const QSize frame = frameGeometry().size() - size();
        setFixedSize(size() - (frame - *m_frameAtSizing));
        m_frameAtSizing.reset();
    }
    MoveOntoScreen();
}

void CQtWindow::ReportWindowPosChanged() {
    if (isVisible() && !m_result) {
        m_pPosChangedReport->start();
    }
}

void CQtWindow::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    ReportWindowPosChanged();
}

void CQtWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ReportWindowPosChanged();
}

// A window manager raises the window it activates: the stacking order has
// changed. Losing the activation changes nothing of ours.
void CQtWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        ReportWindowPosChanged();
    }
}

int CQtWindow::RunModalLoop(UnownedModality unowned) {
    // QDialog::exec() would miss an end that comes while the window is being
    // shown (a close request from the display, say) and then wait forever.
    if (!m_result) {
        KeepWithinScreen();
        SetModality(*this, unowned);
        show();
    }
    if (!m_result) {
        QEventLoop loop;
        m_pModalLoop = &loop;
        loop.exec(QEventLoop::DialogExec);
        m_pModalLoop = nullptr;
    }
    hide();
    // The application quitting ends every loop, this one with it.
    return m_result.value_or(IDCANCEL);
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

void CQtWindow::SetSuggestions(int id, std::vector<Suggestion> suggestions) {
    CEditSuggestions*& list = m_suggestions[id];
    if (list == nullptr) {
        list = new CEditSuggestions(*As<QLineEdit>(id), [this, id] {
            m_dialog.Dispatch(id, Notification::SuggestionChosen);
        });
    }
    list->Set(suggestions);
}

int CQtWindow::ChosenSuggestion(int id) const {
    const auto list = m_suggestions.find(id);
    return list == m_suggestions.end() ? -1 : list->second->Chosen();
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
        // The input rules judge the user; text from code is stored as given.
        const QValidator* rules = edit->validator();
        edit->setValidator(nullptr);
        edit->setText(value);
        edit->setValidator(rules);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // A drop-down list shows only its rows: the text selects the matching one.
        combo->setCurrentIndex(combo->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive));
    } else if (auto* tabs = dynamic_cast<CTabStrip*>(widget)) {
        tabs->SetWindowText(value);
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
    if (auto* tabs = dynamic_cast<CTabStrip*>(widget)) {
        return FromQString(tabs->WindowText());
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

void CQtWindow::GoToControl(int id) {
    SetFocus(id);
    if (auto* edit = qobject_cast<QLineEdit*>(Control(id))) {
        edit->selectAll();
    }
}

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

CItemListAdapter* CQtWindow::Items(int id) const {
    Control(id); // reports a missing control
    const auto found = m_itemLists.find(id);
    return found != m_itemLists.end() ? found->second.get() : nullptr;
}

int CQtWindow::InsertItem(int id, int index, std::u16string_view text) {
    CItemListAdapter* lines = Items(id);
    if (lines == nullptr) {
        return -1;
    }
    const QSignalBlocker quiet(Control(id));
    const int at = index < 0 || index > lines->Count() ? lines->Count() : index;
    lines->Insert(at, ToQString(text));
    return at;
}

void CQtWindow::DeleteItem(int id, int index) {
    CItemListAdapter* lines = Items(id);
    if (lines == nullptr || index < 0 || index >= lines->Count()) {
        return;
    }
    const QSignalBlocker quiet(Control(id));
    const int selected = lines->Selected();
    lines->Remove(index);
    // Windows leaves nothing selected when the selected line goes.
    if (selected == index) {
        lines->Select(-1);
    }
}

void CQtWindow::ResetItems(int id) {
    if (CItemListAdapter* lines = Items(id)) {
        const QSignalBlocker quiet(Control(id));
        lines->Clear();
    }
}

int CQtWindow::ItemCount(int id) const {
    const CItemListAdapter* lines = Items(id);
    return lines != nullptr ? lines->Count() : 0;
}

std::u16string CQtWindow::ItemText(int id, int index) const {
    const CItemListAdapter* lines = Items(id);
    return HasLine(lines, index) ? FromQString(lines->Text(index)) : std::u16string{};
}

void CQtWindow::SetItemData(int id, int index, std::intptr_t data) {
    CItemListAdapter* lines = Items(id);
    if (HasLine(lines, index)) {
        lines->SetData(index, QVariant::fromValue(static_cast<qlonglong>(data)));
    }
}

std::intptr_t CQtWindow::ItemData(int id, int index) const {
    const CItemListAdapter* lines = Items(id);
    if (!HasLine(lines, index)) {
        return -1;
    }
    const QVariant value = lines->Data(index);
    return value.isValid() ? static_cast<std::intptr_t>(value.toLongLong()) : 0;
}

void CQtWindow::SetCurSel(int id, int index) {
    CItemListAdapter* lines = Items(id);
    if (lines != nullptr) {
        const QSignalBlocker quiet(Control(id));
        lines->Select(HasLine(lines, index) ? index : -1);
    }
}

int CQtWindow::CurSel(int id) const {
    const CItemListAdapter* lines = Items(id);
    return lines != nullptr ? lines->Selected() : -1;
}

void CQtWindow::SetItemHeight(int id, int pixels) {
    if (CItemListAdapter* lines = Items(id)) {
        lines->SetLineHeight(pixels);
    }
}

void CQtWindow::InsertTab(int id, int index, std::u16string_view text) {
    auto* tabs = As<CTabStrip>(id);
    const QSignalBlocker quiet(tabs->Bar());
    tabs->InsertTab(index < 0 ? tabs->Bar()->count() : index, ToQString(text));
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
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // A dialog without a default button hears IDOK, as a Windows dialog does.
        QPushButton* button = m_pDefaultButton->ForEnter();
        if (button == nullptr) {
            m_dialog.Dispatch(IDOK, Notification::Clicked);
        } else if (button->isEnabled() && button->isVisible()) {
            button->click();
        }
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
