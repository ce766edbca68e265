#pragma once
#include "ui/dialog.h"

inline constexpr int kAboutDlgTemplateId = 100;
inline constexpr int IDC_ABOUT_VERSION = 1073;
inline constexpr int IDC_ABOUT_OWNERSHIP = 1074;
inline constexpr int IDC_ABOUT_NOTICE_FIRST = 1075;
inline constexpr int IDC_ABOUT_NOTICE_SECOND = 1076;

// The About box: version from the catalogue, and the fixed lines about
// ownership and the cryptography library the program uses.
class CAboutDlg : public ui::CDialog {
public:
    explicit CAboutDlg(ui::CDialog* parent);
    bool OnInitDialog() override;
};

const ui::DialogTemplate& AboutDlgTemplate();
