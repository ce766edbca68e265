#include "networks/nm_profile_mapping.h"

#include "catalogue/message_ids.h"
#include "catalogue/message_line.h"
#include "platform/utf8_text.h"
#include "settings/text_format.h"
#include "settings/wireless_profile_check.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kNmWepPassphrase = 2;
constexpr int kAddressBits = 32;
constexpr size_t kDnsServersOfProfile = 2;

bool IsPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

bool Contains(const std::vector<std::string>& values, std::string_view value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

std::string MissingKeyReason(const CNmConnection& connection) {
    if (connection.m_strKeyMgmt == "none") {
        return "WEP key " + std::to_string(connection.m_nWepTxKeyIndex) +
               " is not stored in the keyfile";
    }
    return "the passphrase is not stored in the keyfile (the desktop's keyring keeps it)";
}

// Where both generations or both ciphers are allowed, or none is named, the
// stronger one: WPA2 (RSN) and AES (CCMP).
int WpaSecurityMode(const CNmConnection& connection) {
    const bool rsn = connection.m_arrProtos.empty() || Contains(connection.m_arrProtos, "rsn");
    const bool ccmp =
        connection.m_arrPairwise.empty() || Contains(connection.m_arrPairwise, "ccmp");
    if (rsn) {
        return ccmp ? kSecurityWpa2PskAes : kSecurityWpa2PskTkip;
    }
    return ccmp ? kSecurityWpaPskAes : kSecurityWpaPskTkip;
}

// The security mode and the key the player is to use; the reason when the
// connection's security is none the player knows. A key the connection does
// not hold is left empty.
std::string MapSecurity(const CNmConnection& connection, CNetworkSetting& profile) {
    const std::string& keyMgmt = connection.m_strKeyMgmt;
    const std::string* key = nullptr;
    if (keyMgmt.empty()) {
        return {};
    } else if (keyMgmt == "none") {
        if (connection.m_nWepKeyType == kNmWepPassphrase) {
            return "a WEP passphrase (wep-key-type=2): the player takes only the WEP key itself";
        }
        const int index = connection.m_nWepTxKeyIndex;
        if (index < 0 || index >= static_cast<int>(connection.m_arrWepKeys.size())) {
            return MissingKeyReason(connection);
        }
        profile.m_nSecurityMode = kSecurityWep;
        key = &connection.m_arrWepKeys[index];
    } else if (keyMgmt == "wpa-psk") {
        profile.m_nSecurityMode = WpaSecurityMode(connection);
        key = &connection.m_strPsk;
    } else if (keyMgmt == "sae") {
        return "WPA3 Personal (SAE) only: the player knows WEP, WPA and WPA2";
    } else if (keyMgmt == "ieee8021x" || keyMgmt.starts_with("wpa-eap")) {
        return "enterprise (802.1X EAP) sign-in: the player knows only pre-shared keys";
    } else {
        return "key management '" + keyMgmt + "': the player knows WEP, WPA and WPA2";
    }
    // The player encodes a key in its own code page; only ASCII comes out
    // as the same bytes that this computer sends.
    if (!IsPrintableAscii(*key)) {
        return "the key holds characters other than printable ASCII";
    }
    profile.m_strNetworkKey = Utf8ToWide(*key);
    return {};
}

bool ParseAddress(const std::string& text, IpField& address) {
    if (ParseDottedAddress(Utf8ToWide(text), address.octets) != 1) {
        return false;
    }
    address.filled = 4;
    return true;
}

IpField SubnetMask(int prefix) {
    const std::uint32_t mask = prefix == 0 ? 0 : ~std::uint32_t{0} << (kAddressBits - prefix);
    IpField field;
    for (size_t i = 0; i < field.octets.size(); ++i) {
        field.octets[i] = static_cast<std::uint8_t>(mask >> (24 - 8 * i));
    }
    field.filled = 4;
    return field;
}

// Manual addressing: the first address with its prefix as the subnet mask,
// the gateway and the first two DNS servers. Anything else leaves DHCP on.
std::string MapIpv4(const CNmConnection& connection, CNetworkSetting& profile) {
    if (connection.m_strIpv4Method != "manual") {
        return {};
    }
    profile.m_nDhcp = 0;
    if (connection.m_strAddress.empty()) {
        return {}; // the dialog's checks ask for the address
    }
    if (!ParseAddress(connection.m_strAddress, profile.m_ipAddress)) {
        return "the IPv4 address '" + connection.m_strAddress + "' is not dotted decimal";
    }
    if (connection.m_nPrefix < 0 || connection.m_nPrefix > kAddressBits) {
        return "the IPv4 prefix length " + std::to_string(connection.m_nPrefix) + " is not 0 to 32";
    }
    profile.m_ipSubnetMask = SubnetMask(connection.m_nPrefix);
    if (!connection.m_strGateway.empty() &&
        !ParseAddress(connection.m_strGateway, profile.m_ipDefaultGateway)) {
        return "the IPv4 gateway '" + connection.m_strGateway + "' is not dotted decimal";
    }
    IpField* const dnsFields[kDnsServersOfProfile] = {&profile.m_ipDns, &profile.m_ipDnsSecondary};
    for (size_t i = 0; i < kDnsServersOfProfile && i < connection.m_arrDns.size(); ++i) {
        if (!ParseAddress(connection.m_arrDns[i], *dnsFields[i])) {
            return "the DNS server '" + connection.m_arrDns[i] + "' is not an IPv4 address";
        }
    }
    return {};
}

CNmProfileMapping Skip(std::string reason) { return {std::nullopt, std::move(reason)}; }

} // namespace

bool IsNmWifiConnection(const CNmConnection& connection) {
    return connection.m_strType == "wifi" || connection.m_strType == "802-11-wireless";
}

CNmProfileMapping MapNmConnectionValues(const CNmConnection& connection) {
    if (!connection.m_strMode.empty() && connection.m_strMode != "infrastructure") {
        return Skip("mode " + OneLineText(connection.m_strMode) +
                    ": the player joins only networks of access points");
    }
    // A byte list may hold any bytes; which characters they stand for the
    // keyfile does not say.
    if (!IsPrintableAscii(connection.m_strSsid)) {
        return Skip("the SSID holds characters other than printable ASCII");
    }
    CNetworkSetting profile;
    profile.m_strSsid = Utf8ToWide(connection.m_strSsid);
    profile.m_nForce = connection.m_bHidden ? 1 : 0;
    profile.m_nConnectAutomatically = connection.m_bAutoconnect ? 1 : 0;
    for (const auto map : {MapSecurity, MapIpv4}) {
        if (std::string reason = map(connection, profile); !reason.empty()) {
            return Skip(std::move(reason));
        }
    }
    return {profile, {}};
}

CNmProfileMapping MapNmConnection(const CNmConnection& connection) {
    CNmProfileMapping mapping = MapNmConnectionValues(connection);
    if (!mapping.profile) {
        return mapping;
    }
    CNetworkSetting& profile = *mapping.profile;
    if (profile.m_nSecurityMode != kSecurityNone && profile.m_strNetworkKey.empty()) {
        return Skip(MissingKeyReason(connection));
    }
    const std::u16string confirmation = profile.m_strNetworkKey;
    if (const int message = CheckWirelessProfileEntries(profile, confirmation).nMessage) {
        return Skip(MessageLine(message, kMsgWirelessLanSetting));
    }
    return mapping;
}

bool IsNmPreferred(const CNmConnection& first, const CNmConnection& second) {
    if (first.m_nAutoconnectPriority != second.m_nAutoconnectPriority) {
        return first.m_nAutoconnectPriority > second.m_nAutoconnectPriority;
    }
    return first.m_nTimestamp > second.m_nTimestamp;
}
