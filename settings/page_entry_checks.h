#pragma once
#include "settings/network_setting.h"

#include <string>
#include <vector>

// The entries of the network folder page under "Customize the settings".
struct CNetFolderEntries {
    std::u16string strDeviceName;
    std::u16string strUserId;
    std::u16string strPassword;
    std::u16string strConfirmation;
};

// The checks of the network folder page and of the wired page's proxy, in
// the dialog's order. Each failure appends its message (caption: the page's
// own) and erases the bad entries; with stopAtFirst the check ends at the
// first failure. 1 when everything passed.
int CheckNetFolderEntries(CNetFolderEntries& entries, bool stopAtFirst, std::vector<int>& messages);
// The proxy entries of a connection: without a proxy nothing is reported,
// but bad entries are still erased.
int CheckProxyEntries(CNetworkSetting& connection, bool stopAtFirst, std::vector<int>& messages);
