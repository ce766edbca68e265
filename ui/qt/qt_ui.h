#pragma once
#include "platform/x11_window.h"
#include "ui/qt/modality.h"
#include "ui/services.h"

#include <memory>

class QWidget;

namespace ui::qt {

class CQtTextsInDialogLanguage;

// The windowing backend on a desktop: real dialogs, message boxes and file
// choosers of Qt Widgets. A QApplication must exist while it is used.
class CQtUi : public IUiServices {
public:
    explicit CQtUi(UnownedModality unowned = UnownedModality::Application);
    ~CQtUi() override;
    CQtUi(const CQtUi&) = delete;
    CQtUi& operator=(const CQtUi&) = delete;

    int RunModal(CDialog& dialog, CDialog* parent) override;
    int ShowMessageBox(CDialog* owner, std::u16string_view text, std::u16string_view caption,
                       Icon icon, Buttons buttons) override;
    std::optional<std::u16string> BrowseForFolder(CDialog* owner,
                                                  const CFolderBrowseOptions& options) override;
    std::optional<std::u16string> GetOpenFileName(CDialog* owner,
                                                  const COpenFileOptions& options) override;
    // The process's own windows first; on X11 also other programs' windows.
    std::vector<WindowHandle> FindWindows(std::span<const std::u16string> titles) override;
    bool SetForegroundWindow(WindowHandle window) override;

private:
    class CQtTextsWhileShown;

    UnownedModality m_unowned;
    int m_shownWindows = 0;
    std::unique_ptr<CQtTextsInDialogLanguage> m_qtTexts;
    platform::CX11Desktop m_desktop;
};

// The widget of a dialog's window, for owning other windows; null when the
// dialog has none.
QWidget* WidgetOf(CDialog* dialog);

} // namespace ui::qt
