// The checks of the main dialog's network folder page and wired page.
#include "settings/quorlan_dlg_state.h"
#include "settings/settings_messages.h"
#include "settings/validation_rules.h"

#include <initializer_list>

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
    return CheckPrintableChars(password) == kRuleAcceptable ? 0 : kMsgPasswordChars;
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

int CQuorlanDlgState::ValidateNetFolderPage(int showMessages, int stopAtFirst) {
    UpdateData(true);
    if (m_nNetFolderChoice == 0) {
        return 1;
    }
    ui::IWindow& window = Window();
    const std::u16string name = window.Text(IDC_DEVICE_NAME);
    const std::u16string userId = window.Text(IDC_USER_ID);
    const std::u16string password = window.Text(IDC_PASSWORD);
    const std::u16string confirmation = window.Text(IDC_CONFIRM_PASSWORD);

    int result = 1;
    const auto fail = [&](int messageId) {
        if (showMessages == 1) {
            ShowMessage(messageId, kMsgNetFolderSetting);
        }
        result = 0;
    };
    const auto erase = [&](std::initializer_list<int> edits) {
        for (const int edit : edits) {
            window.SetText(edit, u"");
        }
        UpdateData(false);
    };

    // An empty entry is reported as missing and then still goes through its
    // bounds, so that a silent check erases it like any other bad entry.
    // False when the check is to end here.
    const auto checkEntry = [&](int edit, const std::u16string& text, int missingMessage,
                                int entryMessage) {
        bool bad = false;
        if (text.empty()) {
            fail(missingMessage);
            if (stopAtFirst == 1) {
                return false;
            }
            bad = true;
        }
        if (entryMessage != 0) {
            fail(entryMessage);
            bad = true;
        }
        if (bad) {
            erase({edit});
            return stopAtFirst != 1;
        }
        return true;
    };
    if (!checkEntry(IDC_DEVICE_NAME, name, kMsgInputDeviceName, DeviceNameMessage(name)) ||
        !checkEntry(IDC_USER_ID, userId, kMsgInputUserId, UserIdMessage(userId))) {
        return 0;
    }

    const bool mismatch = confirmation != password;
    if (mismatch) {
        fail(kMsgPasswordMismatch);
        erase({IDC_PASSWORD, IDC_CONFIRM_PASSWORD});
        if (stopAtFirst == 1) {
            return 0;
        }
    }
    const int passwordMessage = PasswordMessage(password);
    if (passwordMessage != 0) {
        fail(passwordMessage);
    }
    if (passwordMessage != 0 || mismatch) {
        erase({IDC_PASSWORD, IDC_CONFIRM_PASSWORD});
    }
    return result;
}

int CQuorlanDlgState::ValidateWiredPage(int showMessages, int stopAtFirst) {
    UpdateData(true);
    ui::IWindow& window = Window();
    CNetworkSetting page;
    page.m_nUseProxy = m_bUseProxy;
    page.m_strProxyAddress = window.Text(IDC_WIRED_PROXY_ADDRESS);
    page.m_strProxyPort = window.Text(IDC_WIRED_PROXY_PORT);
    const int addressRule = CheckProxyAddress(page);
    const int portRule = CheckProxyPort(page);

    const auto erase = [&](int edit) {
        window.SetText(edit, u"");
        UpdateData(false);
    };
    // Without a proxy its entries do not matter, but nothing bad is kept.
    if (page.m_nUseProxy == 0) {
        if (addressRule != kRuleAcceptable) {
            erase(IDC_WIRED_PROXY_ADDRESS);
        }
        if (portRule != kRuleAcceptable) {
            erase(IDC_WIRED_PROXY_PORT);
        }
        return 1;
    }

    int result = 1;
    if (addressRule != kRuleAcceptable) {
        if (showMessages == 1) {
            ShowMessage(ProxyAddressMessage(addressRule), kMsgWiredLanSetting);
        }
        result = 0;
        erase(IDC_WIRED_PROXY_ADDRESS);
        if (stopAtFirst == 1) {
            return 0;
        }
    }
    if (portRule != kRuleAcceptable) {
        if (showMessages == 1) {
            ShowMessage(portRule == kRuleEmpty ? kMsgInputProxyPort : kMsgProxyPort,
                        kMsgWiredLanSetting);
        }
        result = 0;
        erase(IDC_WIRED_PROXY_PORT);
    }
    return result;
}
