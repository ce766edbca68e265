#include "cli/settings_json.h"

#include "cli/text_conversion.h"

#include <charconv>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <vector>

namespace {

using nlohmann::json;

// Reads the members of one JSON object into a record, refusing anything the
// object should not hold.
class CObjectReader {
public:
    CObjectReader(const json& object, std::string path, std::string& error)
        : m_object(object), m_path(std::move(path)), m_error(error) {
        if (!m_object.is_object()) {
            Fail(m_path.empty() ? "the settings must be a JSON object" : m_path + ": expected an object");
        }
    }

    // Each read names a member the object may hold.
    void Flag(const char* name, int& target) {
        Read(name, [&](const json& value, const std::string& where) {
            if (!value.is_boolean()) {
                return Fail(where + ": expected true or false");
            }
            target = value.get<bool>() ? 1 : 0;
        });
    }
    void Text(const char* name, std::u16string& target) {
        Read(name, [&](const json& value, const std::string& where) {
            if (!value.is_string()) {
                return Fail(where + ": expected a string");
            }
            target = Utf8ToWide(value.get<std::string>());
        });
    }
    void Number(const char* name, int& target, int lowest, int highest) {
        Read(name, [&](const json& value, const std::string& where) {
            if (!value.is_number_integer() || value.get<long long>() < lowest ||
                value.get<long long>() > highest) {
                return Fail(where + ": expected a whole number from " + std::to_string(lowest) +
                            " to " + std::to_string(highest));
            }
            target = value.get<int>();
        });
    }
    void Address(const char* name, IpField& target);
    void Member(const char* name, const std::function<void(const json&, const std::string&)>& read) {
        Read(name, read);
    }

    // Call after all reads: any member not read is unknown.
    bool Finish() {
        if (m_error.empty() && m_object.is_object()) {
            for (const auto& [name, value] : m_object.items()) {
                if (!m_known.contains(name)) {
                    Fail(Where(name) + ": unknown member");
                    break;
                }
            }
        }
        return m_error.empty();
    }

    void Fail(const std::string& message) {
        if (m_error.empty()) {
            m_error = message;
        }
    }

private:
    std::string Where(const std::string& name) const {
        return m_path.empty() ? name : m_path + "." + name;
    }

    template <typename Reader> void Read(const char* name, Reader&& read) {
        m_known[name] = true;
        if (!m_error.empty() || !m_object.is_object() || !m_object.contains(name)) {
            return;
        }
        read(m_object.at(name), Where(name));
    }

    const json& m_object;
    std::string m_path;
    std::string& m_error;
    std::map<std::string, bool> m_known;
};

// "" is not entered; up to four dot-separated numbers 0..255 are that many
// filled fields.
bool ParseAddressText(const std::string& text, IpField& address) {
    address = IpField{};
    if (text.empty()) {
        return true;
    }
    size_t start = 0;
    for (;;) {
        const size_t dot = text.find('.', start);
        const std::string_view part =
            std::string_view(text).substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        unsigned value = 0;
        const auto [end, problem] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || problem != std::errc{} || end != part.data() + part.size() ||
            value > 255 || address.filled == 4) {
            return false;
        }
        address.octets[address.filled++] = static_cast<std::uint8_t>(value);
        if (dot == std::string::npos) {
            return true;
        }
        start = dot + 1;
    }
}

void CObjectReader::Address(const char* name, IpField& target) {
    Read(name, [&](const json& value, const std::string& where) {
        if (!value.is_string() || !ParseAddressText(value.get<std::string>(), target)) {
            Fail(where + ": expected dotted decimal text of up to four numbers 0 to 255, or \"\"");
        }
    });
}

bool ReadProfile(const json& object, const std::string& path, CNetworkSetting& profile,
                 std::string& error) {
    CObjectReader reader(object, path, error);
    reader.Text("ssid", profile.m_strSsid);
    reader.Flag("stealth", profile.m_nForce);
    reader.Number("securityMode", profile.m_nSecurityMode, kSecurityNone, kSecurityWpa2PskTkip);
    reader.Text("networkKey", profile.m_strNetworkKey);
    reader.Flag("dhcp", profile.m_nDhcp);
    reader.Address("ipAddress", profile.m_ipAddress);
    reader.Address("subnetMask", profile.m_ipSubnetMask);
    reader.Address("defaultGateway", profile.m_ipDefaultGateway);
    reader.Address("dns", profile.m_ipDns);
    reader.Address("dnsSecondary", profile.m_ipDnsSecondary);
    reader.Flag("useProxy", profile.m_nUseProxy);
    reader.Text("proxyAddress", profile.m_strProxyAddress);
    reader.Text("proxyPort", profile.m_strProxyPort);
    reader.Flag("connectAutomatically", profile.m_nConnectAutomatically);
    if (reader.Finish() && profile.m_strSsid.empty()) {
        reader.Fail(path + ".ssid: a profile needs an SSID");
    }
    return error.empty();
}

struct CNetFolderValues {
    int customize = 0;
    std::u16string deviceName;
    std::u16string userId;
    std::u16string password;
};

} // namespace

bool ApplySettingsJson(const json& settings, CQuorlanDlgState& state, std::string& error) {
    error.clear();
    CNetFolderValues folder;
    int enableNetworkDevice = 0;
    std::vector<CNetworkSetting> profiles;

    CObjectReader reader(settings, "", error);
    reader.Member("networkFolder", [&](const json& value, const std::string& where) {
        CObjectReader folderReader(value, where, error);
        folderReader.Flag("customize", folder.customize);
        folderReader.Text("deviceName", folder.deviceName);
        folderReader.Text("userId", folder.userId);
        folderReader.Text("password", folder.password);
        folderReader.Finish();
    });
    reader.Flag("enableNetworkDevice", enableNetworkDevice);
    reader.Member("wireless", [&](const json& value, const std::string& where) {
        if (!value.is_array()) {
            return reader.Fail(where + ": expected an array of profiles");
        }
        if (value.size() > kWirelessSlotCount) {
            return reader.Fail(where + ": at most 30 profiles");
        }
        for (size_t i = 0; i < value.size() && error.empty(); ++i) {
            CNetworkSetting profile;
            if (ReadProfile(value[i], where + "[" + std::to_string(i) + "]", profile, error)) {
                profiles.push_back(profile);
            }
        }
    });
    if (!reader.Finish()) {
        return false;
    }

    state.m_nNetFolderChoice = folder.customize;
    state.m_bEnableNetworkDevice = enableNetworkDevice;
    state.UpdateData(false);
    ui::IWindow& window = state.Window();
    window.SetText(IDC_DEVICE_NAME, folder.deviceName);
    window.SetText(IDC_USER_ID, folder.userId);
    window.SetText(IDC_PASSWORD, folder.password);
    window.SetText(IDC_CONFIRM_PASSWORD, folder.password);
    for (const auto& profile : profiles) {
        state.AppendWirelessProfile(profile);
    }
    return true;
}
