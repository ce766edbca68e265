#pragma once
#include "dialogs/main_dialog/quorlan_controls.h"
#include "dialogs/main_dialog/quorlan_dlg_layout.h"
#include "settings/settings_file_reader.h"
#include "settings/settings_records.h"
#include "ui/dialog.h"

#include <array>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// The settings the main dialog holds while it is open: members, and the
// controls that carry the rest. The main dialog derives from it; tests use
// it as it is.
class CQuorlanDlgState : public ui::CDialog {
public:
    explicit CQuorlanDlgState(const ui::DialogTemplate& dialogTemplate = QuorlanDlgTemplate());

    void DoDataExchange(ui::CDataExchange& dx) override;

    // Shows a catalogue text (with its three trailing spaces, composed in
    // m_strMessage) under a catalogue caption, with one OK button.
    virtual int ShowMessage(int messageId, int captionId, ui::Icon icon = ui::Icon::Error);

    // The checks of the network folder page and the wired page. With
    // showMessages each failure is reported; with stopAtFirst the check ends
    // at the first. Bad entries are erased either way. 1 when the page passed.
    int ValidateNetFolderPage(int showMessages, int stopAtFirst);
    int ValidateWiredPage(int showMessages, int stopAtFirst);

    // All 30 slots and the wired record back to their defaults.
    void ResetSettingRecords();

    // Writes the state as a settings file, its owner's only; 1 when the
    // whole file was saved, 0 otherwise, with any older file left as it was.
    int WriteSettingsFile(const std::u16string& path);

    // Puts a settings file as read into the state; each bad value is
    // reported on its own and left empty or default. The wireless list is
    // replaced. 1 when every value was good, 0 otherwise.
    int ShowSettingsFile(const CSettingsFileContents& contents);
    // What a load of a settings file came to: the fault of a file that
    // could not be read, else ShowSettingsFile's result.
    struct CLoad {
        platform::EReadFault readFault = platform::EReadFault::None;
        int result = 0;
    };
    // Reads a settings file and shows it. A file that cannot be read (or is
    // far too large to be one) would show as all defaults and wipe the
    // dialog: it leaves the state as it was.
    CLoad LoadSettingsFile(const std::u16string& path);

    // The network folder values in the four edits (the password also in the
    // confirmation), enabled for "Customize the settings" only.
    void ShowNetFolderEntries(const CNetFolderSetting& folder, bool customize);

    // The application data file: its path in m_strAppDataPath (empty when
    // the store is to be skipped), the whole state saved there in one step
    // with the section that only it has, and all of it read back in one
    // read. Both operations always return 1; a failed save is not reported,
    // and a file that cannot be read gives the defaults and is never saved
    // over in this session.
    void GetApplicationDataPath();
    int SaveApplicationData(const std::u16string& path);
    int LoadApplicationData(const std::u16string& path);

    // The slot a wireless list line refers to; null for no such line.
    CNetworkSetting* SlotOfLine(int line);
    // Copies a profile into the first free slot and appends its list line;
    // -1 when all slots are used.
    int AppendWirelessProfile(const CNetworkSetting& profile);

    std::array<CNetworkSetting, kWirelessSlotCount> m_wirelessSlots;
    CNetworkSetting m_wiredSetting;
    std::u16string m_strMessage;
    std::u16string m_strLastPath;
    std::u16string m_strAppDataPath;
    int m_nNetFolderChoice = 0; // 0 "Use default setting", 1 "Customize the settings"
    int m_nDhcpChoice = 0;      // 0 "DHCP On", 1 "DHCP Off"
    int m_bUseProxy = 0;
    int m_bEnableNetworkDevice = 0;
    int m_bUseWireless = 0;
    std::u16string m_strDevicePath;
    std::u16string m_strDeviceName;

private:
    // What a file would hold of the state now, and the reverse.
    CSettingsRecords CollectSettingsRecords();
    void ShowSettingsRecords(const CSettingsRecords& records);
    void ShowWiredSetting();
    void ShowMessages(const std::vector<CRejectedValue>& rejected);
};
