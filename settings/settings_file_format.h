#pragma once
#include "settings/profile_fields.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Names in NetworkSetting.ini. The misspellings "Newtwork" and "SEQLITY" are
// what the player reads and must stay.
// Every value is read as into a buffer of this many units: at most 1023
// and the terminator.
inline constexpr std::uint32_t kReadBufferUnits = 1024;

inline constexpr std::u16string_view kSectionNetFolder = u"NewtworkFolderSetting";
inline constexpr std::u16string_view kSectionCommon = u"Common";
inline constexpr std::u16string_view kSectionUserNetwork = u"UserNetworkSetting";

inline constexpr std::u16string_view kKeyNetFolderName = u"NETFOLDER_NAME";
inline constexpr std::u16string_view kKeyNetFolderUid = u"NETFOLDER_UID";
inline constexpr std::u16string_view kKeyNetFolderPass = u"NETFOLDER_PASS";
inline constexpr std::u16string_view kKeyDevicePower = u"NETWORK_DEVICE_POWER_MANAGEMENT";
inline constexpr std::u16string_view kKeyWirelessTotal = u"WIRELESS_SETTING_TOTAL";
inline constexpr std::u16string_view kKeyNetworkPriority = u"NETWORK_PRIORITY";

// The application data file, and the section that only it has.
inline constexpr std::u16string_view kAppDataFileName = u"KordavinSettingUtil.dat";
inline constexpr std::u16string_view kSectionUtility = u"NetworkSettingUtility";
inline constexpr std::u16string_view kKeyLastPath = u"LAST_PATS";
inline constexpr std::u16string_view kKeyNetFolderDefault = u"NETFOLDER_DEF";

// The keys of a wireless profile, in the order of kProfileFields: the base
// names for profile 0, with "_<profile + 1>" for the others; profiles 0 to
// kWirelessSlotCount - 1.
using WirelessProfileKeyNames = std::array<std::u16string, kProfileFields.size()>;
const WirelessProfileKeyNames& WirelessKeyNames(int profileIndex);
