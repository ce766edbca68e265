#pragma once

// Catalogue rows of the messages and captions that the settings code shows.
enum SettingsMessage {
    kMsgLoadSettings = 45, // caption of the reader's messages
    kMsgPasswordDecryption = 49,
    kMsgBadFileDeviceName = 50,
    kMsgBadFileUserId = 51,
    kMsgBadFilePassword = 52,
    kMsgBadFileIpAddress = 53,
    kMsgBadFileSubnet = 54,
    kMsgBadFileGateway = 55,
    kMsgBadFileDns = 56, // also for the secondary DNS
    kMsgKeyDecryption = 57,
    kMsgBadFileSsid = 58,
    kMsgBadFileNetworkKey = 60,
    kMsgFileProxyAddressMissing = 61,
    kMsgFileProxyPortMissing = 62,
    kMsgBadFileProxyAddress = 63,
    kMsgBadFileProxyPort = 64,

    kMsgNetFolderSetting = 70, // caption of the network folder page
    kMsgInputDeviceName = 71,
    kMsgDeviceNameLength = 72,
    kMsgDeviceNameChars = 73,
    kMsgDeviceNameDigitsOnly = 74,
    kMsgDeviceNameHyphensOnly = 75,
    kMsgInputUserId = 77,
    kMsgUserIdLength = 78,
    kMsgUserIdChars = 79,
    kMsgPasswordMismatch = 80,
    kMsgPasswordLength = 81,
    kMsgPasswordChars = 82,

    kMsgWiredLanSetting = 83, // caption of the wired page
    kMsgInputProxyAddress = 84,
    kMsgInputProxyPort = 85,
    kMsgProxyAddressChars = 86,
    kMsgProxyPort = 87,
    kMsgProxyAddressLength = 88,

    kMsgWirelessLanSetting = 89, // caption of the wireless LAN property dialog
    kMsgInputSsid = 90,
    kMsgSsidLength = 91,
    kMsgSsidChars = 92,
    kMsgKeyMismatch = 94,
    kMsgInputKey = 95,
    kMsgKeyLength = 96,
    kMsgKeyChars = 97,
    kMsgInputIpAddress = 98,
    kMsgInputSubnetMask = 99,
    kMsgProfileInputProxyAddress = 100,
    kMsgProfileInputProxyPort = 101,
    kMsgProfileProxyAddressChars = 102,
    kMsgProfileProxyPort = 103,
    kMsgProfileProxyAddressLength = 104,
    kMsgInvalidIpAddress = 105, // also the reader's, for a loopback address

    kMsgWirelessSetting = 135, // caption of the wireless list
    kMsgNoSetting = 136,
    kMsgMaxWirelessSettings = 137,
};
