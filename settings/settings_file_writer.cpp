#include "settings/settings_file_writer.h"

#include "platform/atomic_file.h"
#include "platform/ini_document.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_format.h"
#include "settings/text_format.h"

#include <algorithm>
#include <cerrno>

namespace {

bool IsSingleLine(std::u16string_view text) {
    return std::ranges::none_of(text,
                                [](char16_t c) { return c == u'\r' || c == u'\n' || c == 0; });
}

// Secrets are stored as hexadecimal text, so only the plain values matter.
bool IsSafeProfile(const CNetworkSetting& profile) {
    return IsSingleLine(profile.m_strSsid) && IsSingleLine(profile.m_strProxyAddress) &&
           IsSingleLine(profile.m_strProxyPort);
}

bool IsSafeFolder(const CNetFolderSetting& folder) {
    return IsSingleLine(folder.m_strNetDeviceName) && IsSingleLine(folder.m_strUserId);
}

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

CComposedSettingsFile Refuse(ESettingsFileError error) { return {std::nullopt, error}; }

} // namespace

CComposedSettingsFile ComposeSettingsFile(const CSettingsRecords& records) {
    if (records.profiles.size() > kWirelessSlotCount) {
        return Refuse(ESettingsFileError::TooManyProfiles);
    }
    const bool customized = records.nNetFolderChoice == 1;
    const CNetFolderSetting folder = customized ? records.netFolder : CNetFolderSetting();
    if (!IsSafeFolder(folder) || !std::ranges::all_of(records.profiles, IsSafeProfile)) {
        return Refuse(ESettingsFileError::UnsafeText);
    }
    const auto storedPassword = StoredSecret(folder.m_strPassword);
    if (!storedPassword) {
        return Refuse(ESettingsFileError::SecretNotEncrypted);
    }

    auto document = platform::CIniDocument::FromBytes({});
    document.SetValue(kSectionNetFolder, kKeyNetFolderName, folder.m_strNetDeviceName);
    document.SetValue(kSectionNetFolder, kKeyNetFolderUid, folder.m_strUserId);
    document.SetValue(kSectionNetFolder, kKeyNetFolderPass, *storedPassword);
    document.SetValue(kSectionCommon, kKeyDevicePower, DecimalText(records.bEnableNetworkDevice));

    int profileIndex = 0;
    for (const CNetworkSetting& profile : records.profiles) {
        const auto values = ProfileValues(profile);
        if (!values) {
            return Refuse(ESettingsFileError::SecretNotEncrypted);
        }
        for (int key = 0; key < kKeysPerProfile; ++key) {
            document.SetValue(kSectionUserNetwork, WirelessKeyName(profileIndex, key),
                              (*values)[static_cast<size_t>(key)]);
        }
        ++profileIndex;
    }
    document.SetValue(kSectionCommon, kKeyWirelessTotal, DecimalText(profileIndex));
    return {document.ToBytes(), ESettingsFileError::None};
}

CSettingsFileSave SaveSettingsFile(const std::filesystem::path& path,
                                   const CComposedSettingsFile& file) {
    if (!file.bytes) {
        return {file.error};
    }
    if (!platform::SaveSecretFileAtomically(path, *file.bytes)) {
        return {ESettingsFileError::NotSaved, errno};
    }
    return {};
}
