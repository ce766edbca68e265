#pragma once
#include "ui/types.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class CDialog;

// The folder browser: only folders can be chosen; it opens with
// selectedFolder chosen, when there is one.
struct CFolderBrowseOptions {
    std::u16string title;
    std::u16string selectedFolder;
};

// The open-file dialog: only an existing file can be chosen. The filter is
// pairs "description|patterns|" as the Windows file dialog takes them,
// patterns separated by ';'. A name typed without an extension gets
// defaultExtension (without its dot).
struct COpenFileOptions {
    std::u16string defaultExtension;
    std::u16string fileName;
    std::u16string filter;
    std::u16string initialFolder; // empty: the backend's usual folder
};

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

    // A chosen folder or existing file; nothing when the user cancelled.
    virtual std::optional<std::u16string> BrowseForFolder(CDialog* owner,
                                                          const CFolderBrowseOptions& options) = 0;
    virtual std::optional<std::u16string> GetOpenFileName(CDialog* owner,
                                                          const COpenFileOptions& options) = 0;

    // For each title, a top-level window whose title is exactly it, or 0;
    // one search of the desktop however many titles.
    virtual std::vector<WindowHandle> FindWindows(std::span<const std::u16string> titles) = 0;
    WindowHandle FindWindow(std::u16string_view title) {
        const std::u16string titles[] = {std::u16string(title)};
        return FindWindows(titles).front();
    }
    virtual bool SetForegroundWindow(WindowHandle window) = 0;
};

// The backend in use; a program installs one before its first dialog.
IUiServices& Services();
void InstallServices(IUiServices* services);

} // namespace ui
