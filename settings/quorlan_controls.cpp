#include "settings/quorlan_controls.h"

using ui::ControlKind;

const std::vector<ui::ControlTemplate>& SettingsControls() {
    static const std::vector<ui::ControlTemplate> controls = {
        {IDC_NETFOLDER_DEFAULT, ControlKind::RadioButton, {}, ui::style::kGroup, u""},
        {IDC_NETFOLDER_CUSTOMIZE, ControlKind::RadioButton, {}, 0, u""},
        {IDC_DEVICE_NAME, ControlKind::Edit, {}, ui::style::kAutoHScroll, u""},
        {IDC_USER_ID, ControlKind::Edit, {}, ui::style::kAutoHScroll, u""},
        {IDC_PASSWORD, ControlKind::Edit, {}, ui::style::kPassword | ui::style::kAutoHScroll, u""},
        {IDC_CONFIRM_PASSWORD, ControlKind::Edit, {}, ui::style::kPassword | ui::style::kAutoHScroll,
         u""},
        {IDC_WIRED_DHCP_ON, ControlKind::RadioButton, {}, ui::style::kGroup, u""},
        {IDC_WIRED_DHCP_OFF, ControlKind::RadioButton, {}, 0, u""},
        {IDC_WIRED_IP_ADDRESS, ControlKind::IpAddress, {}, 0, u""},
        {IDC_WIRED_SUBNET_MASK, ControlKind::IpAddress, {}, 0, u""},
        {IDC_WIRED_DEFAULT_GATEWAY, ControlKind::IpAddress, {}, 0, u""},
        {IDC_WIRED_DNS, ControlKind::IpAddress, {}, 0, u""},
        {IDC_WIRED_DNS_SECONDARY, ControlKind::IpAddress, {}, 0, u""},
        {IDC_WIRED_USE_PROXY, ControlKind::CheckBox, {}, 0, u""},
        {IDC_WIRED_PROXY_ADDRESS, ControlKind::Edit, {}, ui::style::kAutoHScroll, u""},
        {IDC_WIRED_PROXY_PORT, ControlKind::Edit, {}, ui::style::kNumber, u""},
        {IDC_ENABLE_NETWORK_DEVICE, ControlKind::CheckBox, {}, 0, u""},
        {IDC_USE_WIRELESS, ControlKind::CheckBox, {}, ui::style::kHidden, u""},
        {IDC_WIRELESS_LIST, ControlKind::ListBox, {}, ui::style::kVScroll | ui::style::kNotify, u""},
    };
    return controls;
}

const ui::DialogTemplate& SettingsTemplate() {
    static const ui::DialogTemplate dialogTemplate = [] {
        ui::DialogTemplate result;
        result.id = kQuorlanDlgTemplateId;
        result.title = u"Network configuration";
        result.controls = SettingsControls();
        return result;
    }();
    return dialogTemplate;
}
