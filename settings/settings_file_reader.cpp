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

constexpr size_t kConnectionKeyCount = kWiredKeyNames.size();

// The texts of the nine keys a wired and a wireless profile share, in the
// order of the wireless keys (DHCP to proxy port).
using ConnectionTexts = std::span<std::u16string, kConnectionKeyCount>;

struct CAddressField {
    IpField CNetworkSetting::*member;
    int badTextMessage;
};

constexpr std::array<CAddressField, 5> kAddressFields = {{
    {&CNetworkSetting::m_ipAddress, kMsgBadFileIpAddress},
    {&CNetworkSetting::m_ipSubnetMask, kMsgBadFileSubnet},
    {&CNetworkSetting::m_ipDefaultGateway, kMsgBadFileGateway},
    {&CNetworkSetting::m_ipDns, kMsgBadFileDns},
    {&CNetworkSetting::m_ipDnsSecondary, kMsgBadFileDns},
}};

// "1" to "5" exactly; anything else, "01" and "WEP" too, is no security.
int SecurityModeOf(const std::u16string& text) {
    if (text.size() == 1 && text[0] >= u'1' && text[0] <= u'5') {
        return text[0] - u'0';
    }
    return kSecurityNone;
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
    void LoadConnection(ConnectionTexts texts, CNetworkSetting& record);
    void CheckProxyEntry(int rule, const CNetworkSetting& record, std::u16string& entry,
                         int missingMessage, int badMessage);
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

// The proxy texts are taken from texts.
void CSettingsFileReader::LoadConnection(ConnectionTexts texts, CNetworkSetting& record) {
    record.m_nDhcp = texts[kWirelessDhcp] == u"0" ? 0 : 1;

    for (size_t field = 0; field < kAddressFields.size(); ++field) {
        const std::u16string& text = texts[kWirelessIp + field];
        if (text.empty()) {
            continue;
        }
        IpField address;
        if (ParseDottedAddress(text, address.octets) != 1) {
            Reject(kAddressFields[field].badTextMessage);
            continue;
        }
        address.filled = 4;
        record.*kAddressFields[field].member = address;
        if (field == 0 && CheckIpAddress(record) == kRuleOutOfRange) {
            Reject(kMsgInvalidIpAddress);
            record.m_ipAddress = IpField();
        }
    }

    const std::u16string& proxy = texts[kWirelessProxy];
    record.m_nUseProxy = !proxy.empty() && proxy != u"0" ? 1 : 0;

    record.m_strProxyAddress = std::move(texts[kWirelessProxyAddress]);
    CheckProxyEntry(CheckProxyAddress(record), record, record.m_strProxyAddress,
                    kMsgFileProxyAddressMissing, kMsgBadFileProxyAddress);
    record.m_strProxyPort = std::move(texts[kWirelessProxyPort]);
    CheckProxyEntry(CheckProxyPort(record), record, record.m_strProxyPort, kMsgFileProxyPortMissing,
                    kMsgBadFileProxyPort);
}

// A missing entry matters only with the proxy on; a bad one is reported
// either way and emptied.
void CSettingsFileReader::CheckProxyEntry(int rule, const CNetworkSetting& record,
                                          std::u16string& entry, int missingMessage,
                                          int badMessage) {
    if (rule == kRuleEmpty) {
        if (record.m_nUseProxy != 0) {
            Reject(missingMessage);
        }
    } else if (rule != kRuleAcceptable) {
        Reject(badMessage);
        entry.clear();
    }
}

void CSettingsFileReader::LoadWiredGroup() {
    std::array<std::u16string, kConnectionKeyCount> texts;
    for (size_t key = 0; key < kConnectionKeyCount; ++key) {
        Read(kSectionUserNetwork, kWiredKeyNames[key], texts[key]);
    }
    LoadConnection(texts, m_contents.records.wired);
}

void CSettingsFileReader::LoadCommonGroup() {
    CSettingsRecords& records = m_contents.records;
    records.bEnableNetworkDevice = Read(kSectionCommon, kKeyDevicePower) != u"0" ? 1 : 0;
    records.bUseWireless = Read(kSectionCommon, kKeyNetworkPriority) == u"1" ? 1 : 0;
}

void CSettingsFileReader::LoadWirelessGroup() {
    // All 30 profiles are probed, whatever WIRELESS_SETTING_TOTAL says.
    std::array<std::u16string, kKeysPerProfile> text;
    m_contents.records.profiles.reserve(kWirelessSlotCount);
    for (int profile = 0; profile < kWirelessSlotCount; ++profile) {
        const WirelessProfileKeyNames& names = WirelessKeyNames(profile);
        for (int key = 0; key < kKeysPerProfile; ++key) {
            const bool zeroByDefault = key == kWirelessSecurityMode || key == kWirelessForce;
            Read(kSectionUserNetwork, names[key], text[key], zeroByDefault ? u"0" : u"");
        }
        CNetworkSetting record;
        LoadConnection(ConnectionTexts(text.data(), kConnectionKeyCount), record);
        record.m_strSsid = text[kWirelessSsid];
        record.m_nSecurityMode = SecurityModeOf(text[kWirelessSecurityMode]);
        LoadSecret(text[kWirelessPsk], record.m_strNetworkKey, kMsgKeyDecryption);
        record.m_nForce = text[kWirelessForce] == u"1" ? 1 : 0;
        record.m_nConnectAutomatically = text[kWirelessConnectAutomatically] != u"0" ? 1 : 0;

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
