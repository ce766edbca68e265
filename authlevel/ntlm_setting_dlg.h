#pragma once
#include "ui/dialog.h"

#include <string>

// Control identifiers of dialog 102.
inline constexpr int IDD_NTLMSETTING_DIALOG = 102;
inline constexpr int IDC_STATIC_LEVEL = 1055;
inline constexpr int IDC_STATIC_NOTE = 1056;
inline constexpr int IDC_COMBO_LEVEL = 1001;
inline constexpr int IDC_APPLY = 1000;

// The title of the settings utility's main window, which this program puts
// back in front when it ends.
inline constexpr char16_t kSettingUtilityTitle[] = u"KORDAVIN setting utility";

const ui::DialogTemplate& NtlmSettingTemplate();

// Shows the LAN Manager authentication level, writes a new one after a
// confirmation and offers to restart the system.
class CNTLMSettingDlg : public ui::CDialog {
public:
    CNTLMSettingDlg();

    bool OnInitDialog() override;
    void OnOK() override;

    // The text of the question being shown.
    const std::u16string& Message() const { return m_strMessage; }

private:
    void OnSelChangeLevel();
    void OnApply();
    // Confirms, writes and asks about the restart; false when the user
    // did not confirm or the level could not be written.
    bool ApplyLevel();

    std::u16string m_strIconName;
    std::u16string m_strMessage;
};
