#pragma once
#include "dialogs/main_dialog/quorlan_dlg_layout.h"
#include "dialogs/main_dialog/quorlan_dlg_state.h"
#include "networks/computer_networks.h"
#include "platform/detached_process.h"

#include <optional>

// The library's main window: three tabs over the settings state, and the
// buttons that load, create and close.
class CQuorlanDlg : public CQuorlanDlgState {
public:
    CQuorlanDlg();

    bool OnInitDialog() override;
    void OnOK() override;
    // The close action of "Exit", the Escape key and the close box.
    virtual void OnExit();

    // The page the tab strip selects is shown, every other one hidden.
    void ShowSelectedPage();
    // Keeps the security program and the system's pop-ups in front.
    void OnWindowPosChanged() override;
    // Where the property dialog finds the computer's networks; none without.
    void SetComputerNetworks(IComputerNetworks* networks) { m_pComputerNetworks = networks; }

private:
    enum class ETarget { Device, LocalComputer };

    // "Load settings" and "Create Setting file".
    void OnLoadSettings();
    void OnCreateSettingFile();
    // Asks for the player or the local computer when a player is attached;
    // without one it is the local computer. Nothing when the user declined.
    std::optional<ETarget> ChooseTarget(int create);

    void LayOutControls();
    void InsertTabs();
    void ApplyEnablingRules();
    void EnableNetFolderFields(bool enabled);
    void SaveSessionState();
    void OnAbout();
    // The wireless settings list.
    void OnAdd();
    void OnDelete();
    void OnProperty();
    void OnPriorityUp();
    void OnPriorityDown();
    // The security page.
    void OnStartSecuritySetting();

    // The security program of the last press, while it runs (its password
    // prompt included).
    platform::CStartedProgram m_securitySetting;
    IComputerNetworks* m_pComputerNetworks = nullptr;
};
