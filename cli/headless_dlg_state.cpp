#include "cli/headless_dlg_state.h"

#include "catalogue/message_catalogue.h"
#include "cli/text_conversion.h"

CHeadlessDlgState::CHeadlessDlgState(MessageObserver observer) : m_observer(std::move(observer)) {
    ui::InstallServices(&m_ui);
    m_window = m_ui.Open(*this);
}

CHeadlessDlgState::~CHeadlessDlgState() {
    m_window.reset();
    ui::InstallServices(nullptr);
}

int CHeadlessDlgState::ShowMessage(int messageId, int captionId, ui::Icon icon) {
    m_observer(messageId, captionId);
    return CQuorlanDlgState::ShowMessage(messageId, captionId, icon);
}

std::string MessageLine(int messageId, int captionId) {
    return WideToUtf8(GetMessageText(captionId)) + ": " + WideToUtf8(GetMessageText(messageId));
}
