#pragma once
#include "catalogue/message_ids.h"
#include "settings/network_setting.h"
#include "settings/validation_rules.h"

#include <array>
#include <string_view>

// The fields of a connection profile, in the order the file lists them. The
// writer, the reader and the tool's JSON all take their keys from here, so a
// field is added by adding a row (and the member it names).

enum class EFieldKind {
    Switch,       // on or off
    SecurityMode, // 0 to 5, as the file numbers the modes
    Address,      // "a.b.c.d", or empty when not entered
    Text,
    Secret, // encrypted in the file; masked by the tool unless revealed
};

// How the player reads a switch's text; each switch has its own default.
enum class ESwitchReading {
    OffOnlyIfZero,
    OnIfSetAndNotZero,
    OnOnlyIfOne,
};

// How a switch is written: its number, or "1" for exactly 1 and "0" else.
enum class ESwitchWriting {
    Decimal,
    OneIfOne,
};

// What the reader checks of a read value beyond its form. A value the check
// refuses is reported with badMessage and emptied; an empty one with
// missingMessage, which matters only while the proxy is on.
struct CFieldRule {
    int (*check)(const CNetworkSetting&) = nullptr;
    int missingMessage = 0;
    int badMessage = 0;
};

struct CProfileField {
    std::u16string_view wirelessKey;
    std::u16string_view wiredKey = {}; // empty: wireless profiles only
    std::string_view jsonName;
    int jsonRank; // where the tool's JSON lists it
    EFieldKind kind;
    int CNetworkSetting::*number = nullptr;          // Switch, SecurityMode
    std::u16string CNetworkSetting::*text = nullptr; // Text, Secret
    IpField CNetworkSetting::*address = nullptr;     // Address
    ESwitchReading reading = ESwitchReading::OffOnlyIfZero;
    ESwitchWriting writing = ESwitchWriting::Decimal;
    int unreadableMessage = 0; // an address that does not parse, a secret that does not decrypt
    CFieldRule rule = {};
};

inline constexpr auto kProfileFields = std::to_array<CProfileField>({
    {.wirelessKey = u"WIRELESS_DHCP",
     .wiredKey = u"WIRED_DHCP",
     .jsonName = "dhcp",
     .jsonRank = 4,
     .kind = EFieldKind::Switch,
     .number = &CNetworkSetting::m_nDhcp},
    {.wirelessKey = u"WIRELESS_IP",
     .wiredKey = u"WIRED_IP",
     .jsonName = "ipAddress",
     .jsonRank = 5,
     .kind = EFieldKind::Address,
     .address = &CNetworkSetting::m_ipAddress,
     .unreadableMessage = kMsgBadFileIpAddress,
     .rule = {.check = CheckIpAddress, .badMessage = kMsgInvalidIpAddress}},
    {.wirelessKey = u"WIRELESS_SUBNET_MASK",
     .wiredKey = u"WIRED_SUBNET_MASK",
     .jsonName = "subnetMask",
     .jsonRank = 6,
     .kind = EFieldKind::Address,
     .address = &CNetworkSetting::m_ipSubnetMask,
     .unreadableMessage = kMsgBadFileSubnet},
    {.wirelessKey = u"WIRELESS_DEFAULT_GATEWAY",
     .wiredKey = u"WIRED_DEFAULT_GATEWAY",
     .jsonName = "defaultGateway",
     .jsonRank = 7,
     .kind = EFieldKind::Address,
     .address = &CNetworkSetting::m_ipDefaultGateway,
     .unreadableMessage = kMsgBadFileGateway},
    {.wirelessKey = u"WIRELESS_DNS",
     .wiredKey = u"WIRED_DNS",
     .jsonName = "dns",
     .jsonRank = 8,
     .kind = EFieldKind::Address,
     .address = &CNetworkSetting::m_ipDns,
     .unreadableMessage = kMsgBadFileDns},
    {.wirelessKey = u"WIRELESS_DNS_SECONDARY",
     .wiredKey = u"WIRED_DNS_SECONDARY",
     .jsonName = "dnsSecondary",
     .jsonRank = 9,
     .kind = EFieldKind::Address,
     .address = &CNetworkSetting::m_ipDnsSecondary,
     .unreadableMessage = kMsgBadFileDns},
    {.wirelessKey = u"WIRELESS_PROXY",
     .wiredKey = u"WIRED_PROXY",
     .jsonName = "useProxy",
     .jsonRank = 10,
     .kind = EFieldKind::Switch,
     .number = &CNetworkSetting::m_nUseProxy,
     .reading = ESwitchReading::OnIfSetAndNotZero,
     .writing = ESwitchWriting::OneIfOne},
    // The proxy entries come after the proxy switch: their rules depend on it.
    {.wirelessKey = u"WIRELESS_PROXY_ADDRESS",
     .wiredKey = u"WIRED_PROXY_ADDRESS",
     .jsonName = "proxyAddress",
     .jsonRank = 11,
     .kind = EFieldKind::Text,
     .text = &CNetworkSetting::m_strProxyAddress,
     .rule = {CheckProxyAddress, kMsgFileProxyAddressMissing, kMsgBadFileProxyAddress}},
    {.wirelessKey = u"WIRELESS_PROXY_PORT",
     .wiredKey = u"WIRED_PROXY_PORT",
     .jsonName = "proxyPort",
     .jsonRank = 12,
     .kind = EFieldKind::Text,
     .text = &CNetworkSetting::m_strProxyPort,
     .rule = {CheckProxyPort, kMsgFileProxyPortMissing, kMsgBadFileProxyPort}},
    {.wirelessKey = u"WIRELESS_SSID",
     .jsonName = "ssid",
     .jsonRank = 0,
     .kind = EFieldKind::Text,
     .text = &CNetworkSetting::m_strSsid},
    // "SEQLITY" is what the player reads.
    {.wirelessKey = u"WIRELESS_SEQLITY_MODE",
     .jsonName = "securityMode",
     .jsonRank = 2,
     .kind = EFieldKind::SecurityMode,
     .number = &CNetworkSetting::m_nSecurityMode},
    {.wirelessKey = u"WIRELESS_PSK",
     .jsonName = "networkKey",
     .jsonRank = 3,
     .kind = EFieldKind::Secret,
     .text = &CNetworkSetting::m_strNetworkKey,
     .unreadableMessage = kMsgKeyDecryption},
    {.wirelessKey = u"WIRELESS_FORCE",
     .jsonName = "stealth",
     .jsonRank = 1,
     .kind = EFieldKind::Switch,
     .number = &CNetworkSetting::m_nForce,
     .reading = ESwitchReading::OnOnlyIfOne},
    {.wirelessKey = u"WIRELESS_CONNECTION_AUTOMATICALLY",
     .jsonName = "connectAutomatically",
     .jsonRank = 13,
     .kind = EFieldKind::Switch,
     .number = &CNetworkSetting::m_nConnectAutomatically},
});

// The fields a wired connection shares with a wireless one: the leading rows.
inline constexpr size_t kWiredFieldCount = 9;

static_assert(
    [] {
        for (size_t field = 0; field < kProfileFields.size(); ++field) {
            if (kProfileFields[field].wiredKey.empty() != (field >= kWiredFieldCount)) {
                return false;
            }
        }
        return true;
    }(),
    "the wired fields are the leading rows");
static_assert(
    [] {
        std::array<bool, kProfileFields.size()> ranked{};
        for (const CProfileField& field : kProfileFields) {
            if (field.jsonRank < 0 || static_cast<size_t>(field.jsonRank) >= ranked.size() ||
                ranked[static_cast<size_t>(field.jsonRank)]) {
                return false;
            }
            ranked[static_cast<size_t>(field.jsonRank)] = true;
        }
        return true;
    }(),
    "every field has a JSON place of its own");

// Whether a table of controls has one for each address field, in the table's
// order: a dialog states so, and an address added to the fields fails to
// compile until the dialog has its control.
template <typename Controls, typename Member>
constexpr bool HasEveryAddressField(const Controls& controls, Member member) {
    size_t control = 0;
    for (const CProfileField& field : kProfileFields) {
        if (field.kind != EFieldKind::Address) {
            continue;
        }
        if (control == std::size(controls) || controls[control].*member != field.address) {
            return false;
        }
        ++control;
    }
    return control == std::size(controls);
}
