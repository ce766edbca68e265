#include "settings/settings_file_writer.h"

#include "platform/atomic_file.h"
#include "platform/ini_document.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_format.h"
#include "settings/text_format.h"

#include <algorithm>

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

std::optional<std::u16string> StoredText(const CNetworkSetting& profile,
                                         const CProfileField& field) {
    switch (field.kind) {
    case EFieldKind::Switch:
        if (field.writing == ESwitchWriting::OneIfOne) {
            return profile.*field.number == 1 ? u"1" : u"0";
        }
        return DecimalText(profile.*field.number);
    case EFieldKind::SecurityMode:
        return DecimalText(profile.*field.number);
    case EFieldKind::Address:
        return DottedAddressText(profile.*field.address);
    case EFieldKind::Text:
        return profile.*field.text;
    case EFieldKind::Secret:
        return StoredSecret(profile.*field.text);
    }
    return std::nullopt;
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
        const WirelessProfileKeyNames& keys = WirelessKeyNames(profileIndex);
        for (size_t field = 0; field < kProfileFields.size(); ++field) {
            const auto text = StoredText(profile, kProfileFields[field]);
            if (!text) {
                return Refuse(ESettingsFileError::SecretNotEncrypted);
            }
            document.SetValue(kSectionUserNetwork, keys[field], *text);
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
    const platform::CSaveResult saved = platform::SaveSecretFileAtomically(path, *file.bytes);
    if (!saved) {
        return {ESettingsFileError::NotSaved, saved.systemError};
    }
    return {};
}
