#include "dialogs/quorlan_dlg_layout.h"

#include "settings/quorlan_controls.h"

#include <array>

namespace {

using ui::ControlKind;
namespace style = ui::style;

constexpr unsigned kEdit = style::kAutoHScroll | style::kTabStop;
constexpr unsigned kButton = style::kTabStop;

// In template order: radio groups and the tab order follow it.
constexpr std::array kPlacements = std::to_array<CPlacement>({
    {IDC_TABS, ControlKind::Tab, style::kTabStop, {20, 15, 600, 490}, 3, Page::Always},
    {IDC_NETFOLDER_DEFAULT,
     ControlKind::RadioButton,
     style::kGroup | style::kTabStop,
     {50, 60, 550, 26},
     11,
     Page::NetworkFolder},
    {IDC_NETFOLDER_CUSTOMIZE,
     ControlKind::RadioButton,
     0,
     {50, 86, 550, 26},
     12,
     Page::NetworkFolder},
    {1028, ControlKind::GroupBox, 0, {50, 116, 540, 196}, 13, Page::NetworkFolder},
    {1029, ControlKind::Static, 0, {60, 146, 140, 35}, 14, Page::NetworkFolder},
    {IDC_DEVICE_NAME, ControlKind::Edit, kEdit, {235, 146, 325, 26}, kNoText, Page::NetworkFolder},
    {1030, ControlKind::Static, 0, {60, 184, 140, 35}, 15, Page::NetworkFolder},
    {IDC_USER_ID, ControlKind::Edit, kEdit, {235, 184, 325, 26}, kNoText, Page::NetworkFolder},
    {1031, ControlKind::Static, 0, {60, 222, 140, 35}, 16, Page::NetworkFolder},
    {IDC_PASSWORD,
     ControlKind::Edit,
     kEdit | style::kPassword,
     {235, 222, 325, 26},
     kNoText,
     Page::NetworkFolder},
    {1032, ControlKind::Static, 0, {60, 260, 140, 45}, 17, Page::NetworkFolder},
    {IDC_CONFIRM_PASSWORD,
     ControlKind::Edit,
     kEdit | style::kPassword,
     {235, 260, 325, 26},
     kNoText,
     Page::NetworkFolder},

    {IDC_ENABLE_NETWORK_DEVICE,
     ControlKind::CheckBox,
     style::kTabStop,
     {50, 60, 500, 30},
     31,
     Page::Wireless},
    {IDC_USE_WIRELESS,
     ControlKind::CheckBox,
     style::kHidden,
     {50, 60, 500, 30},
     kNoText,
     Page::Wireless},
    {1038, ControlKind::Static, 0, {50, 100, 450, 30}, 33, Page::Wireless},
    {IDC_WIRELESS_LIST,
     ControlKind::ListBox,
     style::kVScroll | style::kNotify | style::kTabStop,
     {50, 120, 350, 270},
     kNoText,
     Page::Wireless},
    {IDC_PRIORITY_UP, ControlKind::PushButton, kButton, {420, 290, 170, 30}, 34, Page::Wireless},
    {IDC_PRIORITY_DOWN, ControlKind::PushButton, kButton, {420, 340, 170, 30}, 35, Page::Wireless},
    {IDC_ADD, ControlKind::PushButton, kButton, {50, 414, 170, 30}, 36, Page::Wireless},
    {IDC_DELETE, ControlKind::PushButton, kButton, {230, 414, 170, 30}, 37, Page::Wireless},
    {IDC_PROPERTY, ControlKind::PushButton, kButton, {420, 414, 170, 30}, 38, Page::Wireless},

    {1055, ControlKind::Static, 0, {45, 78, 550, 45}, 39, Page::Security},
    {1056, ControlKind::Static, 0, {45, 128, 550, 45}, 40, Page::Security},
    {1059, ControlKind::Static, 0, {45, 178, 550, 45}, 41, Page::Security},
    {IDC_START_SECURITY_SETTING,
     ControlKind::PushButton,
     kButton,
     {160, 244, 320, 30},
     44,
     Page::Security},

    {1033, ControlKind::GroupBox, 0, {50, 50, 540, 255}, 20, Page::Wired},
    {IDC_WIRED_DHCP_ON,
     ControlKind::RadioButton,
     style::kGroup | style::kTabStop,
     {80, 75, 180, 26},
     18,
     Page::Wired},
    {IDC_WIRED_DHCP_OFF, ControlKind::RadioButton, 0, {270, 75, 180, 26}, 19, Page::Wired},
    {1034, ControlKind::Static, 0, {70, 111, 200, 26}, 21, Page::Wired},
    {IDC_WIRED_IP_ADDRESS,
     ControlKind::IpAddress,
     style::kTabStop,
     {300, 111, 230, 26},
     kNoText,
     Page::Wired},
    {1035, ControlKind::Static, 0, {70, 149, 200, 26}, 22, Page::Wired},
    {IDC_WIRED_SUBNET_MASK,
     ControlKind::IpAddress,
     style::kTabStop,
     {300, 149, 230, 26},
     kNoText,
     Page::Wired},
    {1036, ControlKind::Static, 0, {70, 187, 200, 26}, 23, Page::Wired},
    {IDC_WIRED_DEFAULT_GATEWAY,
     ControlKind::IpAddress,
     style::kTabStop,
     {300, 187, 230, 26},
     kNoText,
     Page::Wired},
    {1037, ControlKind::Static, 0, {70, 225, 200, 26}, 24, Page::Wired},
    {IDC_WIRED_DNS,
     ControlKind::IpAddress,
     style::kTabStop,
     {300, 225, 230, 26},
     kNoText,
     Page::Wired},
    {1040, ControlKind::Static, 0, {70, 263, 200, 26}, 25, Page::Wired},
    {IDC_WIRED_DNS_SECONDARY,
     ControlKind::IpAddress,
     style::kTabStop,
     {300, 263, 230, 26},
     kNoText,
     Page::Wired},
    {1057, ControlKind::GroupBox, 0, {50, 310, 540, 140}, 26, Page::Wired},
    {IDC_WIRED_USE_PROXY,
     ControlKind::CheckBox,
     style::kTabStop,
     {80, 338, 180, 26},
     27,
     Page::Wired},
    {1067, ControlKind::Static, 0, {70, 370, 190, 26}, 28, Page::Wired},
    {IDC_WIRED_PROXY_ADDRESS, ControlKind::Edit, kEdit, {280, 370, 230, 26}, kNoText, Page::Wired},
    {1068, ControlKind::Static, 0, {70, 408, 190, 26}, 29, Page::Wired},
    {IDC_WIRED_PROXY_PORT,
     ControlKind::Edit,
     kEdit | style::kNumber,
     {280, 408, 100, 26},
     kNoText,
     Page::Wired},
    {IDC_CLEAR_WIRED, ControlKind::PushButton, kButton, {400, 460, 180, 30}, 30, Page::Wired},

    {IDC_LOAD_SETTINGS, ControlKind::PushButton, kButton, {20, 520, 230, 30}, 8, Page::Always},
    {IDC_CREATE_SETTING_FILE,
     ControlKind::PushButton,
     kButton,
     {260, 520, 230, 30},
     9,
     Page::Always},
    {IDC_EXIT, ControlKind::PushButton, kButton, {510, 520, 110, 30}, 10, Page::Always},
});

} // namespace

std::span<const CPlacement> QuorlanDlgPlacements() { return kPlacements; }

const ui::DialogTemplate& QuorlanDlgTemplate() {
    static const ui::DialogTemplate dialogTemplate = [] {
        ui::DialogTemplate result;
        result.id = kQuorlanDlgTemplateId;
        result.title = u"Network configuration";
        result.fontPointSize = 12;
        result.windowStyle = ui::window_style::kSystemMenu | ui::window_style::kMinimizeBox;
        for (const CPlacement& placement : kPlacements) {
            result.controls.push_back(
                {placement.id, placement.kind, {}, placement.style, std::u16string{}});
        }
        return result;
    }();
    return dialogTemplate;
}
