#pragma once
#include "ui/types.h"

#include <optional>
#include <string>
#include <string_view>

namespace ui {

class CDialog;

// What the dialogs ask of the desktop: modal dialogs, message boxes, file
// choosers and other top-level windows. One backend serves a process.
class IUiServices {
public:
    virtual ~IUiServices() = default;

    // Creates the dialog's window from its template, runs its initialisation,
    // shows it modally (owned by parent, if any) and returns its end result.
    virtual int RunModal(CDialog& dialog, CDialog* parent) = 0;

    // Returns the button pressed: IDOK, IDCANCEL, IDYES or IDNO.
    virtual int ShowMessageBox(CDialog* owner, std::u16string_view text,
                               std::u16string_view caption, Icon icon, Buttons buttons) = 0;

    // A chosen folder or file; nothing when the user cancelled.
    virtual std::optional<std::u16string> BrowseForFolder(CDialog* owner,
                                                          std::u16string_view title) = 0;
    virtual std::optional<std::u16string> GetOpenFileName(CDialog* owner,
                                                          std::u16string_view initialFolder,
                                                          std::u16string_view filter) = 0;

    // A top-level window whose title is exactly this, or 0.
    virtual WindowHandle FindWindow(std::u16string_view title) = 0;
    virtual bool SetForegroundWindow(WindowHandle window) = 0;
};

// The backend in use; a program installs one before its first dialog.
IUiServices& Services();
void InstallServices(IUiServices* services);

} // namespace ui
