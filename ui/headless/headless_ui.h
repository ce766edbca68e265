#pragma once
#include "ui/headless/headless_window.h"
#include "ui/services.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui::headless {

struct CMessageBoxRecord {
    std::u16string text;
    std::u16string caption;
    Icon icon;
    Buttons buttons;
    int templateOfOwner; // 0 without an owner
};

// A window opened without a modal loop; letting it go detaches the dialog.
using COpenWindow = std::unique_ptr<CHeadlessWindow, std::function<void(CHeadlessWindow*)>>;

template <typename Options> struct CFileDialogRecord {
    Options options;
    int templateOfOwner; // 0 without an owner
};

// The backend without a display. It plays the user from a script: message
// boxes are recorded and answered, modal dialogs are handed to callbacks,
// file choosers return prepared answers.
class CHeadlessUi : public IUiServices {
public:
    using ModalScript = std::function<void(CHeadlessWindow&)>;

    // Answers for the next message boxes, in order. Without one, a box gets
    // its first button (OK or Yes).
    void AnswerNextMessageBox(int button) { m_answers.push_back(button); }
    const std::vector<CMessageBoxRecord>& MessageBoxes() const { return m_boxes; }
    void ClearMessageBoxes() { m_boxes.clear(); }

    // What the user does in the next modal dialog of this template. A dialog
    // the script leaves open is closed as with Esc.
    void OnNextModal(int templateId, ModalScript script);

    // Answers for the next folder browser and open-file dialog; without
    // one, the user cancels. Every one shown is recorded with its owner.
    void AnswerNextFolderBrowse(std::optional<std::u16string> folder);
    void AnswerNextOpenFile(std::optional<std::u16string> file);
    const std::vector<CFileDialogRecord<CFolderBrowseOptions>>& FolderBrowses() const {
        return m_folderBrowses;
    }
    const std::vector<CFileDialogRecord<COpenFileOptions>>& OpenFileDialogs() const {
        return m_openFileDialogs;
    }

    // A window of another program, for FindWindow.
    WindowHandle AddForeignWindow(std::u16string title);
    WindowHandle ForegroundWindow() const { return m_raised.empty() ? 0 : m_raised.back(); }
    // Every window brought to the foreground, in order.
    const std::vector<WindowHandle>& RaisedWindows() const { return m_raised; }

    // Gives a dialog a window without a modal loop and initialises it, for
    // using a dialog's logic directly. The dialog keeps the window until the
    // returned object goes away.
    COpenWindow Open(CDialog& dialog);

    // IUiServices
    int RunModal(CDialog& dialog, CDialog* parent) override;
    int ShowMessageBox(CDialog* owner, std::u16string_view text, std::u16string_view caption,
                       Icon icon, Buttons buttons) override;
    std::optional<std::u16string> BrowseForFolder(CDialog* owner,
                                                  const CFolderBrowseOptions& options) override;
    std::optional<std::u16string> GetOpenFileName(CDialog* owner,
                                                  const COpenFileOptions& options) override;
    std::vector<WindowHandle> FindWindows(std::span<const std::u16string> titles) override;
    bool SetForegroundWindow(WindowHandle window) override;

private:
    struct CScripted {
        int templateId;
        ModalScript script;
    };
    struct CForeignWindow {
        WindowHandle handle;
        std::u16string title;
    };

    WindowHandle NextHandle() { return ++m_lastHandle; }
    WindowHandle FindOneWindow(std::u16string_view title) const;
    static std::optional<std::u16string>
    NextAnswer(std::deque<std::optional<std::u16string>>& answers);

    std::deque<int> m_answers;
    std::vector<CMessageBoxRecord> m_boxes;
    std::deque<CScripted> m_scripts;
    std::deque<std::optional<std::u16string>> m_folderAnswers;
    std::deque<std::optional<std::u16string>> m_fileAnswers;
    std::vector<CFileDialogRecord<CFolderBrowseOptions>> m_folderBrowses;
    std::vector<CFileDialogRecord<COpenFileOptions>> m_openFileDialogs;
    std::vector<CForeignWindow> m_foreignWindows;
    std::vector<CHeadlessWindow*> m_openWindows;
    WindowHandle m_lastHandle = 0x1000;
    std::vector<WindowHandle> m_raised;
};

} // namespace ui::headless
