#pragma once
#include "settings/quorlan_dlg_state.h"
#include "ui/headless/headless_ui.h"

#include <functional>
#include <string>

// The main dialog's settings state with its window open on the headless
// backend, for the life of the object. Its message boxes go to an observer
// as catalogue rows, so that a command can print them as it likes.
class CHeadlessDlgState : public CQuorlanDlgState {
public:
    using MessageObserver = std::function<void(int messageId, int captionId)>;

    explicit CHeadlessDlgState(MessageObserver observer);
    ~CHeadlessDlgState() override;

    int ShowMessage(int messageId, int captionId, ui::Icon icon) override;

private:
    ui::headless::CHeadlessUi m_ui;
    MessageObserver m_observer;
    decltype(m_ui.Open(std::declval<ui::CDialog&>())) m_window;
};

// "CAPTION: TEXT" in the selected language, without the trailing spaces
// that a message box shows.
std::string MessageLine(int messageId, int captionId);
