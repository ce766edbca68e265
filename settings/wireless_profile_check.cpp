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
    switch (CheckSsid(profile.m_strSsid)) {
    case kRuleLength:
        return Refuse(EProfileEntries::Ssid, kMsgSsidLength);
    case kRuleCharacter:
        return Refuse(EProfileEntries::Ssid, kMsgSsidChars);
    default:
        break;
    }
    if (!IsKeptByTheFile(profile.m_strSsid)) {
        return Refuse(EProfileEntries::Ssid, kMsgEntryNotKeptByFile);
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
    } else {
        profile.m_strNetworkKey.clear();
    }

    if (profile.m_nDhcp == 0) {
        const bool required = missing == EMissingAddresses::Refused;
        if (required && !profile.m_ipAddress.IsEntered()) {
            return Refuse(EProfileEntries::Addresses, kMsgInputIpAddress);
        }
        if (required && !profile.m_ipSubnetMask.IsEntered()) {
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

    const int addressRule = CheckProxyAddress(profile);
    const int portRule = CheckProxyPort(profile);
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
        return Refuse(EProfileEntries::Proxy, kMsgProfileProxyAddressChars);
    case kRuleLength:
        return Refuse(EProfileEntries::Proxy, kMsgProfileProxyAddressLength);
    case kRuleEmpty:
        return Refuse(EProfileEntries::Proxy, kMsgProfileInputProxyAddress);
    default:
        break;
    }
    if (!addressKept) {
        return Refuse(EProfileEntries::Proxy, kMsgEntryNotKeptByFile);
    }
    switch (portRule) {
    case kRuleEmpty:
        return Refuse(EProfileEntries::Proxy, kMsgProfileInputProxyPort);
    case kRuleCharacter:
    case kRuleOutOfRange:
        return Refuse(EProfileEntries::Proxy, kMsgProfileProxyPort);
    default:
        break;
    }
    if (!portKept) {
        return Refuse(EProfileEntries::Proxy, kMsgEntryNotKeptByFile);
    }
    return {};
}
