#pragma once

// The catalogue rows that the code shows, each named once.
enum MessageId {
    // Main dialog.
    kMsgNetworkConfiguration = 0, // window title
    kMsgAboutTitle = 1,
    kMsgAboutVersion = 2,
    kMsgTabControl = 3, // the tab strip's own window text
    kMsgTabNetworkFolder = 4,
    kMsgTabWirelessLan = 5,
    kMsgTabLocalSecurity = 6,
    kMsgLoadSettingsButton = 8,
    kMsgCreateSettingFileButton = 9,
    kMsgExitButton = 10,
    kMsgUseDefaultSetting = 11,
    kMsgCustomizeSettings = 12,
    kMsgNetFolderGroup = 13,
    kMsgDeviceNameLabel = 14,
    kMsgUserIdLabel = 15,
    kMsgPasswordLabel = 16,
    kMsgConfirmPasswordLabel = 17,
    kMsgWiredDhcpOn = 18,
    kMsgWiredDhcpOff = 19,
    kMsgWiredAddressGroup = 20,
    kMsgWiredIpAddressLabel = 21,
    kMsgWiredSubnetMaskLabel = 22,
    kMsgWiredDefaultGatewayLabel = 23,
    kMsgWiredDnsLabel = 24,
    kMsgWiredDnsSecondaryLabel = 25,
    kMsgWiredProxyGroup = 26,
    kMsgWiredUseProxy = 27,
    kMsgWiredProxyAddressLabel = 28,
    kMsgWiredProxyPortLabel = 29,
    kMsgClearSettings = 30,
    kMsgEnableNetworkDevice = 31, // "%s": the device's display name
    kMsgWirelessListLabel = 33,
    kMsgPriorityUp = 34,
    kMsgPriorityDown = 35,
    kMsgAdd = 36,
    kMsgDelete = 37,
    kMsgProperty = 38,
    kMsgSecurityLevelLabel = 39,
    kMsgSecurityNote = 40,
    kMsgSecurityAdminNote = 41,
    kMsgStartSecuritySetting = 44,

    // Loading a settings file.
    kMsgLoadSettings = 45, // caption of the reader's messages
    kMsgLoadSucceeded = 46,
    kMsgLoadFinishedWithError = 47,
    kMsgSettingFileMissing = 48,
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

    // Creating a settings file.
    kMsgSelectFolder = 65,
    kMsgCreateSetting = 66, // caption
    kMsgOverwriteExistingFile = 67,
    kMsgCreateSucceeded = 68,
    kMsgCreateFailed = 69,

    // Checks of the network folder page.
    kMsgNetFolderSetting = 70, // caption
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

    // Checks of the wired page.
    kMsgWiredLanSetting = 83, // caption
    kMsgInputProxyAddress = 84,
    kMsgInputProxyPort = 85,
    kMsgProxyAddressChars = 86,
    kMsgProxyPort = 87,
    kMsgProxyAddressLength = 88,

    // Wireless LAN property dialog.
    kMsgWirelessLanSetting = 89, // caption of its messages
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
    kMsgInvalidIpAddress = 105,    // also the reader's, for a loopback address
    kMsgWirelessLanProperty = 106, // window title
    kMsgCancel = 107,
    kMsgClear = 108,
    kMsgOk = 109,
    kMsgWirelessSecurityGroup = 110,
    kMsgSsidLabel = 111,
    kMsgStealthSsid = 112,
    kMsgSecurityLabel = 113,
    kMsgNetworkKeyLabel = 114,
    kMsgConfirmNetworkKeyLabel = 115,
    kMsgIpAddressGroup = 116,
    kMsgDhcpOn = 117,
    kMsgDhcpOff = 118,
    kMsgIpAddressLabel = 119,
    kMsgSubnetMaskLabel = 120,
    kMsgDefaultGatewayLabel = 121,
    kMsgDnsLabel = 122,
    kMsgDnsSecondaryLabel = 123,
    kMsgProxyGroup = 124,
    kMsgUseProxy = 125,
    kMsgProxyAddressLabel = 126,
    kMsgProxyPortLabel = 127,
    kMsgNoSecurity = 129, // the security rows follow in mode order
    kMsgWep = 130,
    kMsgWpaPskTkip = 131,
    kMsgWpaPskAes = 132,
    kMsgWpa2PskAes = 133,
    kMsgWpa2PskTkip = 134,

    // Wireless settings list.
    kMsgWirelessSetting = 135, // caption
    kMsgNoSettingExists = 136,
    kMsgMaxWirelessSettings = 137,

    // Brenhold.
    kMsgLocalSecuritySetting = 138, // window title
    kMsgBrenholdOk = 139,
    kMsgBrenholdCancel = 140,
    kMsgBrenholdApply = 141,
    kMsgLevelLabel = 142,
    kMsgLevelNote = 143,
    kMsgFirstLevel = 144, // the six levels follow in order
    kMsgQuestionCaption = 150,
    kMsgConfirmLevel = 151,
    kMsgRestartQuestion = 152,
    kMsgLevelNotWritten = 158,
    kMsgNeedsAdministrator = 159,
    // Blanks at an end, or enclosing quotes, which the file would not keep.
    kMsgSsidNotKeptByFile = 160,
    kMsgProxyAddressNotKeptByFile = 163,

    // Message box buttons, where no other row holds the word.
    kMsgYes = 161,
    kMsgNo = 162,

    // The choice between the player and the local computer.
    kMsgSelectTarget = 153, // window title
    kMsgWhereToLoadFrom = 154,
    kMsgWhereToCreateInto = 155,
    kMsgSdCardOfDevice = 156, // "%s": the device's display name
    kMsgLocalComputer = 157,
};
