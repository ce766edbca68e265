#pragma once
#include "ui/types.h"

#include <span>

// Control identifiers of the main dialog beyond the settings controls.
inline constexpr int IDC_TABS = 1000;
inline constexpr int IDC_PRIORITY_UP = 1004;
inline constexpr int IDC_PRIORITY_DOWN = 1005;
inline constexpr int IDC_PROPERTY = 1006;
inline constexpr int IDC_ADD = 1008;
inline constexpr int IDC_DELETE = 1009;
inline constexpr int IDC_CLEAR_WIRED = 1025;
inline constexpr int IDC_LOAD_SETTINGS = 1026;
inline constexpr int IDC_CREATE_SETTING_FILE = 1027;
inline constexpr int IDC_START_SECURITY_SETTING = 1058;
inline constexpr int IDC_EXIT = 2;

// The command of the About entry, as the system menu numbers it.
inline constexpr int IDM_ABOUTBOX = 16;

// The pages of the tab strip; the wired page has no tab and is never shown.
enum class Page { Always, NetworkFolder, Wireless, Security, Wired };

inline constexpr int kNoText = -1;

// One control of the main dialog: where initialisation puts it (pixels of
// the client area) and which catalogue row labels it.
struct CPlacement {
    int id;
    ui::ControlKind kind;
    unsigned style;
    ui::Rect pixels;
    int messageId;
    Page page;
};

std::span<const CPlacement> QuorlanDlgPlacements();

// Template 102, made from the placements; the window's size and every
// position come from initialisation.
const ui::DialogTemplate& QuorlanDlgTemplate();

inline constexpr int kQuorlanDlgWidth = 650;
inline constexpr int kQuorlanDlgHeight = 590;
inline constexpr int kWirelessListLineHeight = 22;
