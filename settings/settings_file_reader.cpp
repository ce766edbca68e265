#include "settings/settings_file_reader.h"

#include "catalogue/message_ids.h"
#include "platform/profile_file.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_format.h"
#include "settings/text_format.h"
#include "settings/validation_rules.h"

#include <algorithm>
#include <filesystem>
#include <span>

namespace {

using FieldTexts = std::array<std::u16string, kProfileFields.size()>;

// "1" to "5" exactly; anything else, "01" and "WEP" too, is no security.
int SecurityModeOf(const std::u16string& text) {
    if (text.size() == 1 && text[0] >= u'1' && text[0] <= u'5') {
        return text[0] - u'0';
    }
    return kSecurityNone;
}

int SwitchOf(const std::u16string& text, ESwitchReading reading) {
    switch (reading) {
    case ESwitchReading::OffOnlyIfZero:
        return text != u"0" ? 1 : 0;
    case ESwitchReading::OnIfSetAndNotZero:
        return !text.empty() && text != u"0" ? 1 : 0;
    case ESwitchReading::OnOnlyIfOne:
        return text == u"1" ? 1 : 0;
    }
    return 0;
}

// One load: the file, read once, and what it yields.
class CSettingsFileReader {
public:
    explicit CSettingsFileReader(const platform::IProfileSource& file) : m_file(file) {}

    CSettingsFileContents Load() {
        LoadNetFolderGroup();
        LoadWiredGroup();
        LoadCommonGroup();
        LoadWirelessGroup();
        return std::move(m_contents);
    }

private:
    // Into a string a load reuses, so that its buffer is allocated once.
    void Read(std::u16string_view section, std::u16string_view key, std::u16string& value,
              std::u16string_view defaultValue = u"") const {
        m_file.GetStringInto(section, key, defaultValue, kReadBufferUnits, value);
    }
    std::u16string Read(std::u16string_view section, std::u16string_view key) const {
        return m_file.GetString(section, key, u"", kReadBufferUnits);
    }

    // A bad value is reported on its own and the reading goes on.
    void Reject(int messageId) { m_contents.rejected.push_back({messageId, kMsgLoadSettings}); }

    void LoadNetFolderGroup();
    void LoadWiredGroup();
    void LoadCommonGroup();
    void LoadWirelessGroup();
    // The fields are taken in order, so a rule sees the fields before it.
    void LoadFields(std::span<const CProfileField> fields, FieldTexts& texts,
                    CNetworkSetting& record);
    void LoadField(const CProfileField& field, std::u16string& text, CNetworkSetting& record);
    void ApplyRule(const CProfileField& field, CNetworkSetting& record);
    void LoadSecret(const std::u16string& stored, std::u16string& secret, int failureMessage);

    const platform::IProfileSource& m_file;
    CSettingsFileContents m_contents;
};

void CSettingsFileReader::LoadSecret(const std::u16string& stored, std::u16string& secret,
                                     int failureMessage) {
    secret.clear();
    if (!stored.empty() && DecryptSecret(stored.c_str(), secret) != 1) {
        Reject(failureMessage);
        secret.clear();
    }
}

void CSettingsFileReader::LoadNetFolderGroup() {
    CNetFolderSetting folder;
    folder.m_strNetDeviceName = Read(kSectionNetFolder, kKeyNetFolderName);
    folder.m_strUserId = Read(kSectionNetFolder, kKeyNetFolderUid);
    const std::u16string storedPassword = Read(kSectionNetFolder, kKeyNetFolderPass);
    // Decrypted even when the password will not be used, so that a damaged
    // value is always reported.
    LoadSecret(storedPassword, folder.m_strPassword, kMsgPasswordDecryption);

    const bool customize = !folder.m_strNetDeviceName.empty() && !folder.m_strUserId.empty();
    if (customize) {
        if (!IsValidDeviceName(folder.m_strNetDeviceName)) {
            Reject(kMsgBadFileDeviceName);
            folder.m_strNetDeviceName.clear();
        }
        if (!IsValidUserId(folder.m_strUserId)) {
            Reject(kMsgBadFileUserId);
            folder.m_strUserId.clear();
        }
        if (!IsValidPassword(folder.m_strPassword)) {
            Reject(kMsgBadFilePassword);
            folder.m_strPassword.clear();
        }
    } else {
        folder = CNetFolderSetting();
    }

    m_contents.records.nNetFolderChoice = customize ? 1 : 0;
    m_contents.records.netFolder = std::move(folder);
}

void CSettingsFileReader::LoadFields(std::span<const CProfileField> fields, FieldTexts& texts,
                                     CNetworkSetting& record) {
    for (size_t field = 0; field < fields.size(); ++field) {
        LoadField(fields[field], texts[field], record);
    }
}

// The text is taken, not copied.
void CSettingsFileReader::LoadField(const CProfileField& field, std::u16string& text,
                                    CNetworkSetting& record) {
    switch (field.kind) {
    case EFieldKind::Switch:
        record.*field.number = SwitchOf(text, field.reading);
        return;
    case EFieldKind::SecurityMode:
        record.*field.number = SecurityModeOf(text);
        return;
    case EFieldKind::Secret:
        LoadSecret(text, record.*field.text, field.unreadableMessage);
        return;
    case EFieldKind::Text:
        record.*field.text = std::move(text);
        break;
    case EFieldKind::Address: {
        // An address not entered is not checked.
        if (text.empty()) {
            return;
        }
        IpField address;
        if (ParseDottedAddress(text, address.octets) != 1) {
            Reject(field.unreadableMessage);
            return;
        }
        address.filled = 4;
        record.*field.address = address;
        break;
    }
    }
    ApplyRule(field, record);
}

void CSettingsFileReader::ApplyRule(const CProfileField& field, CNetworkSetting& record) {
    if (field.rule.check == nullptr) {
        return;
    }
    const int verdict = field.rule.check(record);
    if (verdict == kRuleEmpty) {
        if (record.m_nUseProxy != 0 && field.rule.missingMessage != 0) {
            Reject(field.rule.missingMessage);
        }
    } else if (verdict != kRuleAcceptable) {
        Reject(field.rule.badMessage);
        if (field.text != nullptr) {
            (record.*field.text).clear();
        } else {
            record.*field.address = IpField();
        }
    }
}

void CSettingsFileReader::LoadWiredGroup() {
    const auto wiredFields = std::span(kProfileFields).first<kWiredFieldCount>();
    FieldTexts texts;
    for (size_t field = 0; field < wiredFields.size(); ++field) {
        Read(kSectionUserNetwork, wiredFields[field].wiredKey, texts[field]);
    }
    LoadFields(wiredFields, texts, m_contents.records.wired);
}

void CSettingsFileReader::LoadCommonGroup() {
    CSettingsRecords& records = m_contents.records;
    records.bEnableNetworkDevice = Read(kSectionCommon, kKeyDevicePower) != u"0" ? 1 : 0;
    records.bUseWireless = Read(kSectionCommon, kKeyNetworkPriority) == u"1" ? 1 : 0;
}

void CSettingsFileReader::LoadWirelessGroup() {
    // All 30 profiles are probed, whatever WIRELESS_SETTING_TOTAL says.
    FieldTexts texts;
    m_contents.records.profiles.reserve(kWirelessSlotCount);
    for (int profile = 0; profile < kWirelessSlotCount; ++profile) {
        const WirelessProfileKeyNames& names = WirelessKeyNames(profile);
        for (size_t field = 0; field < kProfileFields.size(); ++field) {
            Read(kSectionUserNetwork, names[field], texts[field]);
        }
        CNetworkSetting record;
        LoadFields(kProfileFields, texts, record);

        // A profile with a bad SSID or key is dropped as a whole.
        if (!record.m_strSsid.empty() && CheckSsid(record.m_strSsid) != kRuleAcceptable) {
            Reject(kMsgBadFileSsid);
            record.Reset();
        }
        if (record.m_strSsid.empty()) {
            continue;
        }
        if (record.m_nSecurityMode == kSecurityNone) {
            record.m_strNetworkKey.clear();
        } else if (CheckNetworkKey(record) < 0) {
            Reject(kMsgBadFileNetworkKey);
            record.Reset();
        }
        if (!record.m_strSsid.empty()) {
            m_contents.records.profiles.push_back(std::move(record));
        }
    }
}

} // namespace

CSettingsFileContents ReadSettingsFile(const std::filesystem::path& path) {
    // A file that cannot be read has no bytes: its values are those of a
    // file without keys.
    const platform::CFileBytes file = platform::ReadFile(path, kMaxSettingsFileBytes);
    CSettingsFileContents contents = ReadSettingsFile(platform::CProfileFile(file.bytes));
    contents.readFault = file.fault;
    contents.nReadError = file.systemError;
    return contents;
}

CSettingsFileContents ReadSettingsFile(const platform::IProfileSource& source) {
    return CSettingsFileReader(source).Load();
}
