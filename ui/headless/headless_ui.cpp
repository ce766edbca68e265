#include "ui/headless/headless_ui.h"

#include <algorithm>

namespace ui::headless {

namespace {

int TemplateOf(const CDialog* owner) { return owner != nullptr ? owner->Template().id : 0; }

} // namespace

void CHeadlessUi::OnNextModal(int templateId, ModalScript script) {
    m_scripts.push_back({templateId, std::move(script)});
}

void CHeadlessUi::AnswerNextFolderBrowse(std::optional<std::u16string> folder) {
    m_folderAnswers.push_back(std::move(folder));
}

void CHeadlessUi::AnswerNextOpenFile(std::optional<std::u16string> file) {
    m_fileAnswers.push_back(std::move(file));
}

WindowHandle CHeadlessUi::AddForeignWindow(std::u16string title) {
    const WindowHandle handle = NextHandle();
    m_foreignWindows.push_back({handle, std::move(title)});
    return handle;
}

std::unique_ptr<CHeadlessWindow, std::function<void(CHeadlessWindow*)>>
CHeadlessUi::Open(CDialog& dialog) {
    auto* window = new CHeadlessWindow(dialog, NextHandle());
    m_openWindows.push_back(window);
    dialog.Attach(window);
    dialog.OnInitDialog();
    return {window, [this, &dialog](CHeadlessWindow* closing) {
                dialog.Detach();
                std::erase(m_openWindows, closing);
                delete closing;
            }};
}

int CHeadlessUi::RunModal(CDialog& dialog, CDialog*) {
    auto window = Open(dialog);
    const auto script = std::find_if(m_scripts.begin(), m_scripts.end(), [&](const CScripted& s) {
        return s.templateId == dialog.Template().id;
    });
    if (script != m_scripts.end() && !window->HasEnded()) {
        const ModalScript play = std::move(script->script);
        m_scripts.erase(script);
        play(*window);
    }
    if (!window->HasEnded()) {
        window->PressEscape();
    }
    // A dialog that refuses Esc is ended by its owner going away.
    return window->Result().value_or(IDCANCEL);
}

int CHeadlessUi::ShowMessageBox(CDialog* owner, std::u16string_view text,
                                std::u16string_view caption, Icon icon, Buttons buttons) {
    const CMessageBoxRecord record{std::u16string(text), std::u16string(caption), icon, buttons,
                                   TemplateOf(owner)};
    m_boxes.push_back(record);
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    // Unanswered, a box takes its default button, as Enter would.
    return buttons == Buttons::YesNo ? IDNO : IDOK;
}

std::optional<std::u16string>
CHeadlessUi::NextAnswer(std::deque<std::optional<std::u16string>>& answers) {
    if (answers.empty()) {
        return std::nullopt;
    }
    auto answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

std::optional<std::u16string> CHeadlessUi::BrowseForFolder(CDialog* owner,
                                                           const CFolderBrowseOptions& options) {
    m_folderBrowses.push_back({options, TemplateOf(owner)});
    return NextAnswer(m_folderAnswers);
}

std::optional<std::u16string> CHeadlessUi::GetOpenFileName(CDialog* owner,
                                                           const COpenFileOptions& options) {
    m_openFileDialogs.push_back({options, TemplateOf(owner)});
    return NextAnswer(m_fileAnswers);
}

WindowHandle CHeadlessUi::FindOneWindow(std::u16string_view title) const {
    for (const CHeadlessWindow* window : m_openWindows) {
        if (window->Title() == title) {
            return window->Handle();
        }
    }
    for (const auto& window : m_foreignWindows) {
        if (window.title == title) {
            return window.handle;
        }
    }
    return 0;
}

std::vector<WindowHandle> CHeadlessUi::FindWindows(std::span<const std::u16string> titles) {
    std::vector<WindowHandle> found;
    for (const std::u16string& title : titles) {
        found.push_back(FindOneWindow(title));
    }
    return found;
}

bool CHeadlessUi::SetForegroundWindow(WindowHandle window) {
    if (window == 0) {
        return false;
    }
    m_raised.push_back(window);
    return true;
}

} // namespace ui::headless
