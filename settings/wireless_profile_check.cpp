#include "settings/wireless_profile_check.h"

#include "catalogue/message_ids.h"
#include "settings/validation_rules.h"

namespace {

CWirelessProfileVerdict Refuse(EProfileEntries part, int message, bool eraseKeys = false) {
    return {message, part, eraseKeys};
}

} // namespace

CWirelessProfileVerdict CheckWirelessProfileEntries(CNetworkSetting& profile,
                                                    std::u16string_view confirmationKey,
                                                    EMissingAddresses missing) {
    if (profile.m_strSsid.empty()) {
        return Refuse(EProfileEntries::Ssid, kMsgInputSsid);
    }
    switch (StoredInTheAnsiCodePage(CheckSsid(profile.m_strSsid), profile.m_strSsid)) {
    case kRuleLength:
        return Refuse(EProfileEntries::Ssid, kMsgSsidLength);
    case kRuleCharacter:
        return Refuse(EProfileEntries::Ssid, kMsgSsidChars);
    default:
        break;
    }
    if (!IsKeptByTheFile(profile.m_strSsid)) {
        return Refuse(EProfileEntries::Ssid, kMsgSsidNotKeptByFile);
    }

    if (profile.m_nSecurityMode != kSecurityNone) {
        if (profile.m_strNetworkKey != confirmationKey) {
            return Refuse(EProfileEntries::Key, kMsgKeyMismatch, true);
        }
        if (profile.m_strNetworkKey.empty()) {
            return Refuse(EProfileEntries::Key, kMsgInputKey);
        }
        switch (CheckNetworkKey(profile)) {
        case kRuleLength:
            return Refuse(EProfileEntries::Key, kMsgKeyLength, true);
        case kRuleCharacter:
            return Refuse(EProfileEntries::Key, kMsgKeyChars, true);
        default:
            break;
        }
        if (!IsHeldByTheOemCodePage(profile.m_strNetworkKey)) {
            return Refuse(EProfileEntries::Key, kMsgKeyChars, true);
        }
    } else {
        profile.m_strNetworkKey.clear();
    }

    if (profile.m_nDhcp == 0) {
        // A file may leave both out, but an address begun is never complete.
        const auto incomplete = [missing](const IpField& address) {
            return !address.IsEntered() &&
                   (missing == EMissingAddresses::Refused || address.filled != 0);
        };
        if (incomplete(profile.m_ipAddress)) {
            return Refuse(EProfileEntries::Addresses, kMsgInputIpAddress);
        }
        if (incomplete(profile.m_ipSubnetMask)) {
            return Refuse(EProfileEntries::Addresses, kMsgInputSubnetMask);
        }
        if (CheckIpAddress(profile) == kRuleOutOfRange) {
            return Refuse(EProfileEntries::Addresses, kMsgInvalidIpAddress);
        }
    } else if (CheckIpAddress(profile) == kRuleOutOfRange) {
        // The address control is disabled with DHCP on; a loopback address
        // there is dropped rather than stored.
        profile.m_ipAddress = IpField();
    }

    const int addressRule =
        StoredInTheAnsiCodePage(CheckProxyAddress(profile), profile.m_strProxyAddress);
    const int portRule = StoredInTheAnsiCodePage(CheckProxyPort(profile), profile.m_strProxyPort);
    const bool addressKept = IsKeptByTheFile(profile.m_strProxyAddress);
    const bool portKept = IsKeptByTheFile(profile.m_strProxyPort);
    if (profile.m_nUseProxy == 0) {
        if (addressRule != kRuleAcceptable || !addressKept) {
            profile.m_strProxyAddress.clear();
        }
        if (portRule != kRuleAcceptable || !portKept) {
            profile.m_strProxyPort.clear();
        }
        return {};
    }
    switch (addressRule) {
    case kRuleCharacter:
        return Refuse(EProfileEntries::ProxyAddress, kMsgProfileProxyAddressChars);
    case kRuleLength:
        return Refuse(EProfileEntries::ProxyAddress, kMsgProfileProxyAddressLength);
    case kRuleEmpty:
        return Refuse(EProfileEntries::ProxyAddress, kMsgProfileInputProxyAddress);
    default:
        break;
    }
    if (!addressKept) {
        return Refuse(EProfileEntries::ProxyAddress, kMsgProxyAddressNotKeptByFile);
    }
    switch (portRule) {
    case kRuleEmpty:
        return Refuse(EProfileEntries::ProxyPort, kMsgProfileInputProxyPort);
    case kRuleCharacter:
    case kRuleOutOfRange:
        return Refuse(EProfileEntries::ProxyPort, kMsgProfileProxyPort);
    default:
        break;
    }
    if (!portKept) {
        // Digits only, so a blank is a wrong number, not a text to keep.
        return Refuse(EProfileEntries::ProxyPort, kMsgProfileProxyPort);
    }
    return {};
}
