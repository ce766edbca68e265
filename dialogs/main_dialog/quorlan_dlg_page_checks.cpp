// The checks of the main dialog's network folder page and wired page, on
// the entries in its controls.
#include "dialogs/main_dialog/quorlan_dlg_state.h"

#include "catalogue/message_ids.h"
#include "settings/page_entry_checks.h"

namespace {

// Empties an edit whose entry the check erased.
void ShowErased(ui::IWindow& window, int id, const std::u16string& checked) {
    if (checked.empty() && !window.Text(id).empty()) {
        window.SetText(id, u"");
    }
}

void ShowPageMessages(CQuorlanDlgState& page, const std::vector<int>& messages, int captionId) {
    for (const int message : messages) {
        page.ShowMessage(message, captionId);
    }
}

} // namespace

int CQuorlanDlgState::ValidateNetFolderPage(int showMessages, int stopAtFirst) {
    UpdateData(true);
    if (m_nNetFolderChoice == 0) {
        return 1;
    }
    ui::IWindow& window = Window();
    CNetFolderEntries entries{window.Text(IDC_DEVICE_NAME), window.Text(IDC_USER_ID),
                              window.Text(IDC_PASSWORD), window.Text(IDC_CONFIRM_PASSWORD)};
    std::vector<int> messages;
    const int result = CheckNetFolderEntries(entries, stopAtFirst == 1, messages);
    if (showMessages == 1) {
        ShowPageMessages(*this, messages, kMsgNetFolderSetting);
    }
    ShowErased(window, IDC_DEVICE_NAME, entries.strDeviceName);
    ShowErased(window, IDC_USER_ID, entries.strUserId);
    ShowErased(window, IDC_PASSWORD, entries.strPassword);
    ShowErased(window, IDC_CONFIRM_PASSWORD, entries.strConfirmation);
    UpdateData(false);
    return result;
}

int CQuorlanDlgState::ValidateWiredPage(int showMessages, int stopAtFirst) {
    UpdateData(true);
    ui::IWindow& window = Window();
    CNetworkSetting page;
    page.m_nUseProxy = m_bUseProxy;
    page.m_strProxyAddress = window.Text(IDC_WIRED_PROXY_ADDRESS);
    page.m_strProxyPort = window.Text(IDC_WIRED_PROXY_PORT);
    std::vector<int> messages;
    const int result = CheckProxyEntries(page, stopAtFirst == 1, messages);
    if (showMessages == 1) {
        ShowPageMessages(*this, messages, kMsgWiredLanSetting);
    }
    ShowErased(window, IDC_WIRED_PROXY_ADDRESS, page.m_strProxyAddress);
    ShowErased(window, IDC_WIRED_PROXY_PORT, page.m_strProxyPort);
    UpdateData(false);
    return result;
}
