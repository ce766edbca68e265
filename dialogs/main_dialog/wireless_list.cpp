// The wireless settings list of the main dialog: lines in priority order, each
// referring to one of the fixed profile slots. Slots never move; only lines do.
#include "catalogue/message_ids.h"
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "dialogs/wifi_security.h"

namespace {

// Takes the line at `from` out and puts it back at `to`, with the text its
// slot holds now.
void MoveWirelessLine(CQuorlanDlgState& state, int from, int to) {
    ui::IWindow& window = state.Window();
    const std::intptr_t slot = window.ItemData(IDC_WIRELESS_LIST, from);
    const std::u16string ssid = state.SlotOfLine(from)->m_strSsid;
    window.DeleteItem(IDC_WIRELESS_LIST, from);
    const int line = window.InsertItem(IDC_WIRELESS_LIST, to, ssid);
    window.SetItemData(IDC_WIRELESS_LIST, line, slot);
}

} // namespace

void CQuorlanDlg::OnAdd() {
    if (Window().ItemCount(IDC_WIRELESS_LIST) >= kWirelessSlotCount) {
        ShowMessage(kMsgMaxWirelessSettings, kMsgWirelessSetting, ui::Icon::Information);
        return;
    }
    CWifiSecurity dialog(this);
    dialog.SetComputerNetworks(m_pComputerNetworks);
    if (dialog.DoModal() != ui::IDOK) {
        return;
    }
    CNetworkSetting profile;
    dialog.GetSetting(profile);
    const int line = AppendWirelessProfile(profile);
    if (line >= 0) {
        Window().SetCurSel(IDC_WIRELESS_LIST, line);
    }
}

void CQuorlanDlg::OnDelete() {
    ui::IWindow& window = Window();
    const int selected = window.CurSel(IDC_WIRELESS_LIST);
    if (selected < 0) {
        if (window.ItemCount(IDC_WIRELESS_LIST) == 0) {
            ShowMessage(kMsgNoSettingExists, kMsgWirelessSetting, ui::Icon::Information);
        }
        return;
    }
    CNetworkSetting* slot = SlotOfLine(selected);
    if (slot == nullptr) {
        return;
    }
    window.DeleteItem(IDC_WIRELESS_LIST, selected);
    if (window.ItemCount(IDC_WIRELESS_LIST) > 0) {
        window.SetCurSel(IDC_WIRELESS_LIST, selected > 0 ? selected - 1 : 0);
    }
    slot->Reset();
}

void CQuorlanDlg::OnProperty() {
    const int selected = Window().CurSel(IDC_WIRELESS_LIST);
    CNetworkSetting* slot = SlotOfLine(selected);
    if (slot == nullptr) {
        return;
    }
    CWifiSecurity dialog(this);
    dialog.SetComputerNetworks(m_pComputerNetworks);
    dialog.SetSetting(*slot);
    if (dialog.DoModal() != ui::IDOK) {
        return;
    }
    dialog.GetSetting(*slot);
    MoveWirelessLine(*this, selected, selected);
    Window().SetCurSel(IDC_WIRELESS_LIST, -1);
}

void CQuorlanDlg::OnPriorityUp() {
    const int selected = Window().CurSel(IDC_WIRELESS_LIST);
    if (selected <= 0 || SlotOfLine(selected) == nullptr) {
        return;
    }
    MoveWirelessLine(*this, selected, selected - 1);
    Window().SetCurSel(IDC_WIRELESS_LIST, selected - 1);
}

void CQuorlanDlg::OnPriorityDown() {
    const int selected = Window().CurSel(IDC_WIRELESS_LIST);
    if (selected < 0 || selected >= Window().ItemCount(IDC_WIRELESS_LIST) - 1 ||
        SlotOfLine(selected) == nullptr) {
        return;
    }
    MoveWirelessLine(*this, selected, selected + 1);
    Window().SetCurSel(IDC_WIRELESS_LIST, selected + 1);
}
