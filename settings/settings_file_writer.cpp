// Writing the dialog state as NetworkSetting.ini.
#include "platform/atomic_file.h"
#include "platform/ini_document.h"
#include "settings/quorlan_dlg_state.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_format.h"
#include "settings/text_format.h"

#include <filesystem>
#include <optional>

namespace {

// An empty secret is stored empty; any other only in encrypted form.
std::optional<std::u16string> StoredSecret(const std::u16string& secret) {
    if (secret.empty()) {
        return std::u16string{};
    }
    std::u16string text;
    if (EncryptSecret(secret.c_str(), text) != 1) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::array<std::u16string, kKeysPerProfile>>
ProfileValues(const CNetworkSetting& profile) {
    const auto key = StoredSecret(profile.m_strNetworkKey);
    if (!key) {
        return std::nullopt;
    }
    return std::array<std::u16string, kKeysPerProfile>{
        DecimalText(profile.m_nDhcp),
        DottedAddressText(profile.m_ipAddress),
        DottedAddressText(profile.m_ipSubnetMask),
        DottedAddressText(profile.m_ipDefaultGateway),
        DottedAddressText(profile.m_ipDns),
        DottedAddressText(profile.m_ipDnsSecondary),
        profile.m_nUseProxy == 1 ? u"1" : u"0",
        profile.m_strProxyAddress,
        profile.m_strProxyPort,
        profile.m_strSsid,
        DecimalText(profile.m_nSecurityMode),
        *key,
        DecimalText(profile.m_nForce),
        DecimalText(profile.m_nConnectAutomatically),
    };
}

} // namespace

// The whole file is composed in memory and replaces any older one in a
// single step, so a failure never leaves a half-written file behind.
int CQuorlanDlgState::WriteSettingsFile(const std::u16string& path,
                                        std::optional<mode_t> newFileMode) {
    UpdateData(true);

    const bool customized = m_nNetFolderChoice == 1;
    const std::u16string password = customized ? Window().Text(IDC_PASSWORD) : std::u16string{};
    const auto storedPassword = StoredSecret(password);
    if (!storedPassword) {
        return 0;
    }

    auto document = platform::CIniDocument::FromBytes({});
    document.SetValue(kSectionNetFolder, kKeyNetFolderName,
                      customized ? Window().Text(IDC_DEVICE_NAME) : std::u16string{});
    document.SetValue(kSectionNetFolder, kKeyNetFolderUid,
                      customized ? Window().Text(IDC_USER_ID) : std::u16string{});
    document.SetValue(kSectionNetFolder, kKeyNetFolderPass, *storedPassword);
    document.SetValue(kSectionCommon, kKeyDevicePower, DecimalText(m_bEnableNetworkDevice));

    int profileCount = 0;
    for (int line = 0; line < kWirelessSlotCount; ++line) {
        const CNetworkSetting* slot = SlotOfLine(line);
        if (slot == nullptr) {
            continue;
        }
        const auto values = ProfileValues(*slot);
        if (!values) {
            return 0;
        }
        for (int key = 0; key < kKeysPerProfile; ++key) {
            document.SetValue(kSectionUserNetwork, WirelessKeyName(profileCount, key),
                              (*values)[static_cast<size_t>(key)]);
        }
        ++profileCount;
    }
    document.SetValue(kSectionCommon, kKeyWirelessTotal, DecimalText(profileCount));

    const bool saved =
        platform::SaveFileAtomically(std::filesystem::path(path), document.ToBytes(), newFileMode);
    return saved ? 1 : 0;
}
