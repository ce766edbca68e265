#include "settings/page_entry_checks.h"

#include "catalogue/message_ids.h"
#include "settings/validation_rules.h"

namespace {

int DeviceNameMessage(const std::u16string& name) {
    if (name.empty() || name.size() > kMaxDeviceNameLength) {
        return kMsgDeviceNameLength;
    }
    switch (CheckDeviceNameChars(name)) {
    case kRuleCharacter:
        return kMsgDeviceNameChars;
    case kRuleDigitsOnly:
        return kMsgDeviceNameDigitsOnly;
    case kRuleHyphensOnly:
        return kMsgDeviceNameHyphensOnly;
    default:
        return 0;
    }
}

int UserIdMessage(const std::u16string& userId) {
    if (userId.empty() || userId.size() > kMaxUserIdLength) {
        return kMsgUserIdLength;
    }
    return CheckUserIdChars(userId) == kRuleAcceptable ? 0 : kMsgUserIdChars;
}

int PasswordMessage(const std::u16string& password) {
    if (password.size() > kMaxPasswordLength) {
        return kMsgPasswordLength;
    }
    return CheckPrintableChars(password) == kRuleAcceptable && IsHeldByTheOemCodePage(password)
               ? 0
               : kMsgPasswordChars;
}

int ProxyAddressMessage(int rule) {
    switch (rule) {
    case kRuleEmpty:
        return kMsgInputProxyAddress;
    case kRuleCharacter:
        return kMsgProxyAddressChars;
    default:
        return kMsgProxyAddressLength;
    }
}

} // namespace

int CheckNetFolderEntries(CNetFolderEntries& entries, bool stopAtFirst,
                          std::vector<int>& messages) {
    int result = 1;
    const auto fail = [&](int messageId) {
        messages.push_back(messageId);
        result = 0;
    };

    // An empty entry is reported as missing and then still goes through its
    // bounds, so that a silent check erases it like any other bad entry.
    // False when the check is to end here.
    const auto checkEntry = [&](std::u16string& text, int missingMessage, int entryMessage) {
        bool bad = false;
        if (text.empty()) {
            fail(missingMessage);
            if (stopAtFirst) {
                return false;
            }
            bad = true;
        }
        if (entryMessage != 0) {
            fail(entryMessage);
            bad = true;
        }
        if (bad) {
            text.clear();
            return !stopAtFirst;
        }
        return true;
    };
    if (!checkEntry(entries.strDeviceName, kMsgInputDeviceName,
                    DeviceNameMessage(entries.strDeviceName)) ||
        !checkEntry(entries.strUserId, kMsgInputUserId, UserIdMessage(entries.strUserId))) {
        return 0;
    }

    const auto erasePassword = [&] {
        entries.strPassword.clear();
        entries.strConfirmation.clear();
    };
    const std::u16string password = entries.strPassword;
    const bool mismatch = entries.strConfirmation != password;
    if (mismatch) {
        fail(kMsgPasswordMismatch);
        erasePassword();
        if (stopAtFirst) {
            return 0;
        }
    }
    const int passwordMessage = PasswordMessage(password);
    if (passwordMessage != 0) {
        fail(passwordMessage);
        erasePassword();
    }
    return result;
}

int CheckProxyEntries(CNetworkSetting& connection, bool stopAtFirst, std::vector<int>& messages) {
    const int addressRule =
        StoredInTheAnsiCodePage(CheckProxyAddress(connection), connection.m_strProxyAddress);
    const int portRule =
        StoredInTheAnsiCodePage(CheckProxyPort(connection), connection.m_strProxyPort);
    // Without a proxy its entries do not matter, but nothing bad is kept.
    if (connection.m_nUseProxy == 0) {
        if (addressRule != kRuleAcceptable) {
            connection.m_strProxyAddress.clear();
        }
        if (portRule != kRuleAcceptable) {
            connection.m_strProxyPort.clear();
        }
        return 1;
    }

    int result = 1;
    if (addressRule != kRuleAcceptable) {
        messages.push_back(ProxyAddressMessage(addressRule));
        result = 0;
        connection.m_strProxyAddress.clear();
        if (stopAtFirst) {
            return 0;
        }
    }
    if (portRule != kRuleAcceptable) {
        messages.push_back(portRule == kRuleEmpty ? kMsgInputProxyPort : kMsgProxyPort);
        result = 0;
        connection.m_strProxyPort.clear();
    }
    return result;
}
