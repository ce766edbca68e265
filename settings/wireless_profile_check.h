#pragma once
#include "settings/network_setting.h"

#include <string_view>

// The part of the dialog a failed check belongs to.
enum class EProfileEntries { Ssid, Key, Addresses, ProxyAddress, ProxyPort };

// What the wireless LAN property dialog decides when OK is pressed: the
// message of the first check that fails (0 when every check passes), the
// part of the dialog it is about, and whether the key and its confirmation
// are then to be erased.
struct CWirelessProfileVerdict {
    int nMessage = 0;
    EProfileEntries part = EProfileEntries::Ssid;
    bool bEraseKeys = false;
};

// With DHCP off the property dialog asks for an IP address and a subnet
// mask; a profile as a settings file holds it, which the reader and the
// dialog's load take without them, keeps them missing, but never partly
// entered.
enum class EMissingAddresses { Refused, Kept };

// Checks a profile as entered in the dialog, in the dialog's order, with the
// dialog's messages (caption: "Wireless LAN setting"). On the way it makes
// the dialog's silent corrections to the profile: no key without security,
// no loopback IP address with DHCP on, no bad proxy entries with the proxy
// off. Checks after a failing one make no corrections.
CWirelessProfileVerdict
CheckWirelessProfileEntries(CNetworkSetting& profile, std::u16string_view confirmationKey,
                            EMissingAddresses missing = EMissingAddresses::Refused);
