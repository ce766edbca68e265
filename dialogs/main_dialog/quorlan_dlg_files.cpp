// The main dialog's state to and from the settings file and the application
// data file: the window-free reader and writer, with their findings shown.
#include "dialogs/main_dialog/quorlan_dlg_state.h"

#include "settings/app_data_store.h"
#include "settings/profile_fields.h"
#include "settings/settings_file_reader.h"
#include "settings/settings_file_writer.h"

#include <filesystem>

namespace {

struct CWiredAddressControl {
    IpField CNetworkSetting::*member;
    int id;
};

constexpr std::array<CWiredAddressControl, 5> kWiredAddressControls = {{
    {&CNetworkSetting::m_ipAddress, IDC_WIRED_IP_ADDRESS},
    {&CNetworkSetting::m_ipSubnetMask, IDC_WIRED_SUBNET_MASK},
    {&CNetworkSetting::m_ipDefaultGateway, IDC_WIRED_DEFAULT_GATEWAY},
    {&CNetworkSetting::m_ipDns, IDC_WIRED_DNS},
    {&CNetworkSetting::m_ipDnsSecondary, IDC_WIRED_DNS_SECONDARY},
}};
static_assert(HasEveryAddressField(kWiredAddressControls, &CWiredAddressControl::member));

} // namespace

void CQuorlanDlgState::ShowMessages(const std::vector<CRejectedValue>& rejected) {
    for (const CRejectedValue& value : rejected) {
        ShowMessage(value.nMessageId, value.nCaptionId);
    }
}

int CQuorlanDlgState::ShowSettingsFile(const CSettingsFileContents& contents) {
    ShowMessages(contents.rejected);
    ShowSettingsRecords(contents.records);
    return contents.Result();
}

CQuorlanDlgState::CLoad CQuorlanDlgState::LoadSettingsFile(const std::u16string& path) {
    const CSettingsFileContents contents = ReadSettingsFile(std::filesystem::path(path));
    if (contents.readFault != platform::EReadFault::None) {
        return {contents.readFault, 0};
    }
    return {platform::EReadFault::None, ShowSettingsFile(contents)};
}

void CQuorlanDlgState::ShowSettingsRecords(const CSettingsRecords& records) {
    m_nNetFolderChoice = records.nNetFolderChoice;
    ShowNetFolderEntries(records.netFolder, records.nNetFolderChoice == 1);

    m_wiredSetting = records.wired;
    ShowWiredSetting();

    m_bEnableNetworkDevice = records.bEnableNetworkDevice;
    m_bUseWireless = records.bUseWireless;

    // Every line goes and every slot is freed, so that no slot can stay in
    // use without a line; the profiles then fill slots and lines from the
    // top, in priority order.
    Window().ResetItems(IDC_WIRELESS_LIST);
    for (auto& slot : m_wirelessSlots) {
        slot.Reset();
    }
    for (const CNetworkSetting& profile : records.profiles) {
        AppendWirelessProfile(profile);
    }
    Window().SetCurSel(IDC_WIRELESS_LIST, 0);
    UpdateData(false);
}

void CQuorlanDlgState::ShowWiredSetting() {
    ui::IWindow& window = Window();
    const CNetworkSetting& wired = m_wiredSetting;
    for (const auto& control : kWiredAddressControls) {
        const IpField& address = wired.*control.member;
        window.Enable(control.id, wired.m_nDhcp == 0);
        if (address.IsEntered()) {
            window.SetAddress(control.id, address);
        } else {
            window.ClearAddress(control.id);
        }
    }
    window.Enable(IDC_WIRED_PROXY_ADDRESS, wired.m_nUseProxy != 0);
    window.Enable(IDC_WIRED_PROXY_PORT, wired.m_nUseProxy != 0);
    window.SetText(IDC_WIRED_PROXY_ADDRESS, wired.m_strProxyAddress);
    window.SetText(IDC_WIRED_PROXY_PORT, wired.m_strProxyPort);
    m_nDhcpChoice = wired.m_nDhcp != 0 ? 0 : 1;
    m_bUseProxy = wired.m_nUseProxy;
}

CSettingsRecords CQuorlanDlgState::CollectSettingsRecords() {
    UpdateData(true);
    const ui::IWindow& window = Window();
    CSettingsRecords records;
    records.nNetFolderChoice = m_nNetFolderChoice;
    records.netFolder.m_strNetDeviceName = window.Text(IDC_DEVICE_NAME);
    records.netFolder.m_strUserId = window.Text(IDC_USER_ID);
    records.netFolder.m_strPassword = window.Text(IDC_PASSWORD);
    records.wired = m_wiredSetting;
    records.bEnableNetworkDevice = m_bEnableNetworkDevice;
    records.bUseWireless = m_bUseWireless;
    for (int line = 0; line < kWirelessSlotCount; ++line) {
        if (const CNetworkSetting* slot = SlotOfLine(line)) {
            records.profiles.push_back(*slot);
        }
    }
    return records;
}

// The whole file is composed in memory and replaces any older one in a
// single step, so a failure never leaves a half-written file behind.
int CQuorlanDlgState::WriteSettingsFile(const std::u16string& path) {
    const CSettingsFileSave saved = SaveSettingsFile(std::filesystem::path(path),
                                                     ComposeSettingsFile(CollectSettingsRecords()));
    return saved ? 1 : 0;
}

void CQuorlanDlgState::GetApplicationDataPath() { m_strAppDataPath = ApplicationDataPath(); }

int CQuorlanDlgState::SaveApplicationData(const std::u16string& path) {
    const CSettingsRecords records = CollectSettingsRecords();
    if (path.empty()) {
        return 1;
    }
    CUtilitySection section;
    section.strLastPath = m_strLastPath;
    section.nNetFolderChoice = m_nNetFolderChoice;
    section.folder = records.netFolder;
    SaveAppDataFile(std::filesystem::path(path), records, section);
    return 1;
}

int CQuorlanDlgState::LoadApplicationData(const std::u16string& path) {
    const CAppDataContents contents = ReadAppDataFile(std::filesystem::path(path));
    // A file that is there but cannot be read (another user's, far too
    // large) is left as it is: this session is not saved over it.
    using platform::EReadFault;
    const EReadFault fault = contents.settings.readFault;
    if (fault != EReadFault::None && fault != EReadFault::Missing && path == m_strAppDataPath) {
        m_strAppDataPath.clear();
    }
    ShowSettingsFile(contents.settings);
    ShowMessages(contents.utility.rejected);
    const CUtilitySection& section = contents.utility.section;
    m_strLastPath = section.strLastPath;
    m_nNetFolderChoice = section.nNetFolderChoice;
    ShowNetFolderEntries(section.folder, section.nNetFolderChoice == 1);
    UpdateData(false);
    return 1;
}
