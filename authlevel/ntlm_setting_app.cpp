#include "authlevel/ntlm_setting_app.h"

#include "authlevel/ntlm_setting_dlg.h"
#include "catalogue/message_catalogue.h"
#include "platform/administrator.h"
#include "platform/codepage.h"
#include "platform/last_error.h"
#include "platform/module.h"
#include "platform/named_mutex.h"
#include "ui/services.h"

namespace {

void BringToFront(std::u16string_view title) {
    if (const ui::WindowHandle window = ui::Services().FindWindow(title); window != 0) {
        ui::Services().SetForegroundWindow(window);
    }
}

// What the manifest's demand for administrator rights does on Windows: the
// program starts again with them, or the user learns that they are needed.
void RestartAsAdministrator() {
    if (!platform::StartAsAdministrator(platform::GetModuleFileName())) {
        std::u16string message;
        ui::Services().ShowMessageBox(nullptr, ComposeMessageText(message, kMsgNeedsAdministrator),
                                      GetMessageText(kMsgQuestionCaption), ui::Icon::Error,
                                      ui::Buttons::Ok);
    }
}

} // namespace

CNTLMSettingApp::CNTLMSettingApp()
    : m_strMutexName(platform::MultiByteToWide(platform::kUtf8CodePage,
                                               platform::GetModuleFileName().stem().string())) {}

bool CNTLMSettingApp::InitInstance() {
    SelectLanguageFromLocale();
    if (!platform::IsUserAnAdmin()) {
        RestartAsAdministrator();
        return false;
    }
    m_hMutex = platform::CreateMutex(m_strMutexName);
    // A lock that cannot be taken may be another instance's: only one may
    // change the level at a time.
    if (m_hMutex < 0 || platform::GetLastError() == platform::ERROR_ALREADY_EXISTS) {
        BringToFront(GetMessageText(kMsgLocalSecuritySetting));
        return false;
    }
    CNTLMSettingDlg dialog;
    dialog.DoModal();
    BringToFront(kSettingUtilityTitle);
    return false;
}
