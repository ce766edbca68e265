#include "settings/wireless_profile_check.h"

#include "catalogue/message_ids.h"
#include "settings/validation_rules.h"

namespace {

CWirelessProfileVerdict Refuse(int message, bool eraseKeys = false) { return {message, eraseKeys}; }

} // namespace

CWirelessProfileVerdict CheckWirelessProfileEntries(CNetworkSetting& profile,
                                                    std::u16string_view confirmationKey) {
    if (profile.m_strSsid.empty()) {
        return Refuse(kMsgInputSsid);
    }
    switch (CheckSsid(profile.m_strSsid)) {
    case kRuleLength:
        return Refuse(kMsgSsidLength);
    case kRuleCharacter:
        return Refuse(kMsgSsidChars);
    default:
        break;
    }

    if (profile.m_nSecurityMode != kSecurityNone) {
        if (profile.m_strNetworkKey != confirmationKey) {
            return Refuse(kMsgKeyMismatch, true);
        }
        if (profile.m_strNetworkKey.empty()) {
            return Refuse(kMsgInputKey);
        }
        switch (CheckNetworkKey(profile)) {
        case kRuleLength:
            return Refuse(kMsgKeyLength, true);
        case kRuleCharacter:
            return Refuse(kMsgKeyChars, true);
        default:
            break;
        }
    } else {
        profile.m_strNetworkKey.clear();
    }

    if (profile.m_nDhcp == 0) {
        if (!profile.m_ipAddress.IsEntered()) {
            return Refuse(kMsgInputIpAddress);
        }
        if (!profile.m_ipSubnetMask.IsEntered()) {
            return Refuse(kMsgInputSubnetMask);
        }
        if (CheckIpAddress(profile) == kRuleOutOfRange) {
            return Refuse(kMsgInvalidIpAddress);
        }
    } else if (CheckIpAddress(profile) == kRuleOutOfRange) {
        // The address control is disabled with DHCP on; a loopback address
        // there is dropped rather than stored.
        profile.m_ipAddress = IpField();
    }

    const int addressRule = CheckProxyAddress(profile);
    const int portRule = CheckProxyPort(profile);
    if (profile.m_nUseProxy == 0) {
        if (addressRule != kRuleAcceptable) {
            profile.m_strProxyAddress.clear();
        }
        if (portRule != kRuleAcceptable) {
            profile.m_strProxyPort.clear();
        }
        return {};
    }
    switch (addressRule) {
    case kRuleCharacter:
        return Refuse(kMsgProfileProxyAddressChars);
    case kRuleLength:
        return Refuse(kMsgProfileProxyAddressLength);
    case kRuleEmpty:
        return Refuse(kMsgProfileInputProxyAddress);
    default:
        break;
    }
    switch (portRule) {
    case kRuleEmpty:
        return Refuse(kMsgProfileInputProxyPort);
    case kRuleCharacter:
    case kRuleOutOfRange:
        return Refuse(kMsgProfileProxyPort);
    default:
        return {};
    }
}
