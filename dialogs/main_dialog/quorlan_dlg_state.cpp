#include "dialogs/main_dialog/quorlan_dlg_state.h"

#include "catalogue/message_catalogue.h"

CQuorlanDlgState::CQuorlanDlgState(const ui::DialogTemplate& dialogTemplate)
    : ui::CDialog(dialogTemplate) {}

void CQuorlanDlgState::DoDataExchange(ui::CDataExchange& dx) {
    ui::DDX_Radio(dx, IDC_NETFOLDER_DEFAULT, m_nNetFolderChoice);
    ui::DDX_Radio(dx, IDC_WIRED_DHCP_ON, m_nDhcpChoice);
    ui::DDX_Check(dx, IDC_WIRED_USE_PROXY, m_bUseProxy);
    ui::DDX_Check(dx, IDC_ENABLE_NETWORK_DEVICE, m_bEnableNetworkDevice);
    ui::DDX_Check(dx, IDC_USE_WIRELESS, m_bUseWireless);
}

int CQuorlanDlgState::ShowMessage(int messageId, int captionId, ui::Icon icon) {
    ComposeMessageText(m_strMessage, messageId);
    return MessageBox(m_strMessage, GetMessageText(captionId), icon, ui::Buttons::Ok);
}

void CQuorlanDlgState::ShowNetFolderEntries(const CNetFolderSetting& folder, bool customize) {
    ui::IWindow& window = Window();
    for (const int edit : {IDC_DEVICE_NAME, IDC_USER_ID, IDC_PASSWORD, IDC_CONFIRM_PASSWORD}) {
        window.Enable(edit, customize);
    }
    window.SetText(IDC_DEVICE_NAME, folder.m_strNetDeviceName);
    window.SetText(IDC_USER_ID, folder.m_strUserId);
    window.SetText(IDC_PASSWORD, folder.m_strPassword);
    window.SetText(IDC_CONFIRM_PASSWORD, folder.m_strPassword);
}

void CQuorlanDlgState::ResetSettingRecords() {
    for (auto& slot : m_wirelessSlots) {
        slot.Reset();
    }
    m_wiredSetting.Reset();
}

CNetworkSetting* CQuorlanDlgState::SlotOfLine(int line) {
    if (line < 0 || line >= Window().ItemCount(IDC_WIRELESS_LIST)) {
        return nullptr;
    }
    const std::intptr_t slot = Window().ItemData(IDC_WIRELESS_LIST, line);
    if (slot < 0 || slot >= kWirelessSlotCount) {
        return nullptr;
    }
    return &m_wirelessSlots[static_cast<size_t>(slot)];
}

int CQuorlanDlgState::AppendWirelessProfile(const CNetworkSetting& profile) {
    for (size_t slot = 0; slot < m_wirelessSlots.size(); ++slot) {
        if (m_wirelessSlots[slot].m_strSsid.empty()) {
            m_wirelessSlots[slot] = profile;
            const int line = Window().InsertItem(IDC_WIRELESS_LIST, -1, profile.m_strSsid);
            Window().SetItemData(IDC_WIRELESS_LIST, line, static_cast<std::intptr_t>(slot));
            return line;
        }
    }
    return -1;
}
