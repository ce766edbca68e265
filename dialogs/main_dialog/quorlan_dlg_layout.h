#pragma once
#include "dialogs/main_dialog/quorlan_controls.h"
#include "ui/types.h"

#include <span>

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
