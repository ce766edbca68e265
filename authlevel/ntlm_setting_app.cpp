#include "authlevel/ntlm_setting_app.h"

#include "authlevel/ntlm_setting_dlg.h"
#include "catalogue/message_catalogue.h"
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
} // namespace

CNTLMSettingApp::CNTLMSettingApp()
    : m_strMutexName(
          platform::MultiByteToWide(65001, platform::GetModuleFileName().stem().string())) {}

bool CNTLMSettingApp::InitInstance() {
    SelectLanguageFromLocale();
    m_hMutex = platform::CreateMutex(m_strMutexName);
    if (platform::GetLastError() == platform::ERROR_ALREADY_EXISTS) {
        BringToFront(GetMessageText(kMsgLocalSecuritySetting));
        return false;
    }
    CNTLMSettingDlg dialog;
    dialog.DoModal();
    BringToFront(kSettingUtilityTitle);
    return false;
}
