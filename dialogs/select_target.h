#pragma once
#include "ui/dialog.h"

#include <string>

inline constexpr int kSelectTargetTemplateId = 137;

// Controls of the target choice; the question is a static without an id of
// its own, as the template has it.
inline constexpr int IDC_SELECT_TARGET_QUESTION = -1;
inline constexpr int IDC_TARGET_DEVICE = 1052;
inline constexpr int IDC_TARGET_LOCAL_COMPUTER = 1070;

// Asks whether the player's SD card or the local computer is meant, for
// loading a settings file or for creating one. Either button ends it with
// OK; Esc and the close box end it with Cancel.
class CSelectTarget : public ui::CDialog {
public:
    explicit CSelectTarget(ui::CDialog* parent);

    bool OnInitDialog() override;

    int m_nChoice = 0; // 0 the device, 1 the local computer
    int m_bCreate = 0; // 0 asks for a load source, 1 for a create target
    std::u16string m_strDeviceName;

private:
    void OnDevice();
    void OnLocalComputer();
};

const ui::DialogTemplate& SelectTargetTemplate();
