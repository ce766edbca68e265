#include "ui/qt/qt_ui.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "platform/x11_window.h"
#include "ui/dialog.h"
#include "ui/qt/file_dialogs.h"
#include "ui/qt/modality.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/qt_texts_in_dialog_language.h"
#include "ui/qt/qt_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace ui::qt {
namespace {

bool OnX11() { return QGuiApplication::platformName() == QStringLiteral("xcb"); }

QMessageBox::Icon ToQtIcon(Icon icon) {
    switch (icon) {
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The catalogue's words for a message box's buttons, as the dialogs' own
// OK and Cancel read.
void UseCatalogueButtonTexts(QMessageBox& box) {
    constexpr std::pair<QMessageBox::StandardButton, int> kButtonTexts[] = {
        {QMessageBox::Ok, kMsgBrenholdOk},
        {QMessageBox::Cancel, kMsgBrenholdCancel},
        {QMessageBox::Yes, kMsgYes},
        {QMessageBox::No, kMsgNo},
    };
    for (const auto& [button, message] : kButtonTexts) {
        if (QAbstractButton* shown = box.button(button)) {
            shown->setText(ToQString(GetMessageText(message)));
        }
    }
}

// A box speaks in its dialog's font, and is wide enough for a window
// manager to show its whole caption beside the frame's icon and buttons:
// Qt allows only a small font's caption and 50 pixels.
void FitBoxToItsDialog(QMessageBox& box, const QWidget* dialog) {
    if (dialog != nullptr) {
        box.setFont(dialog->font());
    }
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    const int frameButtons = 4 * (title.height() + 8);
    // The row of buttons spans the box; the text keeps wrapping as Qt wraps it.
    if (auto* buttons = box.findChild<QDialogButtonBox*>(QStringLiteral("qt_msgbox_buttonbox"))) {
        buttons->setMinimumWidth(title.horizontalAdvance(box.windowTitle()) + frameButtons);
    }
}

} // namespace

// Qt's texts follow the dialogs' language from the first window shown to
// the end of the last: a host's own windows keep the host's translations
// otherwise.
class CQtUi::CQtTextsWhileShown {
public:
    explicit CQtTextsWhileShown(CQtUi& ui) : m_ui(ui) {
        if (m_ui.m_shownWindows++ == 0) {
            m_ui.m_qtTexts = std::make_unique<CQtTextsInDialogLanguage>();
        }
    }
    ~CQtTextsWhileShown() {
        if (--m_ui.m_shownWindows == 0) {
            m_ui.m_qtTexts.reset();
        }
    }
    CQtTextsWhileShown(const CQtTextsWhileShown&) = delete;
    CQtTextsWhileShown& operator=(const CQtTextsWhileShown&) = delete;

private:
    CQtUi& m_ui;
};

CQtUi::CQtUi(UnownedModality unowned) : m_unowned(unowned) {}

CQtUi::~CQtUi() = default;

QWidget* WidgetOf(CDialog* dialog) {
    if (dialog == nullptr || !dialog->HasWindow()) {
        return nullptr;
    }
    return dynamic_cast<CQtWindow*>(&dialog->Window());
}

int CQtUi::RunModal(CDialog& dialog, CDialog* parent) {
    const CQtTextsWhileShown qtTexts(*this);
    CQtWindow window(dialog, WidgetOf(parent));
    dialog.Attach(&window);
    dialog.OnInitDialog();
    window.FitTexts();
    const int result = window.RunModalLoop(m_unowned);
    dialog.Detach();
    return result;
}

int CQtUi::ShowMessageBox(CDialog* owner, std::u16string_view text, std::u16string_view caption,
                          Icon icon, Buttons buttons) {
    const CQtTextsWhileShown qtTexts(*this);
    QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text), QMessageBox::NoButton,
                    WidgetOf(owner));
    box.setTextFormat(Qt::PlainText);
    QPushButton* defaultButton = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        defaultButton = box.addButton(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        defaultButton = box.addButton(QMessageBox::Ok);
        box.setEscapeButton(box.addButton(QMessageBox::Cancel));
        break;
    case Buttons::YesNo:
        box.addButton(QMessageBox::Yes);
        defaultButton = box.addButton(QMessageBox::No);
        box.setEscapeButton(defaultButton);
        break;
    }
    box.setDefaultButton(defaultButton);
    UseCatalogueButtonTexts(box);
    FitBoxToItsDialog(box, WidgetOf(owner));
    SetModality(box);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

std::optional<std::u16string> CQtUi::BrowseForFolder(CDialog* owner,
                                                     const CFolderBrowseOptions& options) {
    const CQtTextsWhileShown qtTexts(*this);
    return RunFolderBrowser(WidgetOf(owner), options);
}

std::optional<std::u16string> CQtUi::GetOpenFileName(CDialog* owner,
                                                     const COpenFileOptions& options) {
    const CQtTextsWhileShown qtTexts(*this);
    return RunOpenFileDialog(WidgetOf(owner), options);
}

// Handles are native window ids, as a host would see them; on X11 the same
// ids name other programs' windows, all looked for in one search.
std::vector<WindowHandle> CQtUi::FindWindows(std::span<const std::u16string> titles) {
    std::vector<WindowHandle> found(titles.size(), 0);
    const QWidgetList ownWindows = QApplication::topLevelWidgets();
    bool othersWanted = false;
    for (size_t i = 0; i < titles.size(); ++i) {
        const QString wanted = ToQString(titles[i]);
        for (QWidget* widget : ownWindows) {
            if (widget->isWindow() && widget->windowTitle() == wanted) {
                found[i] = static_cast<WindowHandle>(widget->winId());
                break;
            }
        }
        othersWanted = othersWanted || found[i] == 0;
    }
    if (othersWanted && OnX11()) {
        const std::vector<std::uint32_t> others = m_desktop.FindWindows(titles);
        for (size_t i = 0; i < titles.size(); ++i) {
            found[i] = found[i] != 0 ? found[i] : others[i];
        }
    }
    return found;
}

bool CQtUi::SetForegroundWindow(WindowHandle window) {
    if (window == 0) {
        return false;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (static_cast<WindowHandle>(widget->internalWinId()) == window) {
            if (widget->isMinimized()) {
                widget->showNormal();
            }
            widget->raise();
            widget->activateWindow();
            return true;
        }
    }
    return OnX11() && window <= UINT32_MAX &&
           m_desktop.SetForegroundWindow(static_cast<std::uint32_t>(window));
}

} // namespace ui::qt
