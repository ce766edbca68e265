#include "cli/settings_json.h"

#include "platform/utf8_text.h"
#include "settings/profile_fields.h"

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
            Fail(m_path.empty() ? "the settings must be a JSON object"
                                : m_path + ": expected an object");
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
            const std::string text = value.get<std::string>();
            // Every entry of the dialog is a single line, and a line break
            // in a value would break the file apart.
            if (text.find_first_of(std::string("\0\r\n", 3)) != std::string::npos) {
                return Fail(where + ": expected a single line without NUL characters");
            }
            target = Utf8ToWide(text);
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
    void Member(const char* name,
                const std::function<void(const json&, const std::string&)>& read) {
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
        const std::string_view part = std::string_view(text).substr(
            start, dot == std::string::npos ? std::string::npos : dot - start);
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
    for (const CProfileField& field : kProfileFields) {
        const char* name = field.jsonName.data();
        switch (field.kind) {
        case EFieldKind::Switch:
            reader.Flag(name, profile.*field.number);
            break;
        case EFieldKind::SecurityMode:
            reader.Number(name, profile.*field.number, kSecurityNone, kSecurityWpa2PskTkip);
            break;
        case EFieldKind::Address:
            reader.Address(name, profile.*field.address);
            break;
        case EFieldKind::Text:
        case EFieldKind::Secret:
            reader.Text(name, profile.*field.text);
            break;
        }
    }
    return reader.Finish();
}

// Up to the filled count, the fields in order: "" for none.
std::string AddressText(const IpField& address) {
    std::string text;
    for (int field = 0; field < address.filled && field < 4; ++field) {
        text += (field > 0 ? "." : "") + std::to_string(address.octets[field]);
    }
    return text;
}

std::string SecretText(const std::u16string& secret, bool reveal) {
    return reveal || secret.empty() ? WideToUtf8(secret) : "********";
}

nlohmann::ordered_json FieldJson(const CNetworkSetting& profile, const CProfileField& field,
                                 bool reveal) {
    switch (field.kind) {
    case EFieldKind::Switch:
        return profile.*field.number != 0;
    case EFieldKind::SecurityMode:
        return profile.*field.number;
    case EFieldKind::Address:
        return AddressText(profile.*field.address);
    case EFieldKind::Text:
        return WideToUtf8(profile.*field.text);
    case EFieldKind::Secret:
        return SecretText(profile.*field.text, reveal);
    }
    return nullptr;
}

nlohmann::ordered_json ProfileJson(const CNetworkSetting& profile, bool reveal) {
    // The JSON lists the fields by their rank, not in the file's order.
    static const auto byRank = [] {
        std::array<const CProfileField*, kProfileFields.size()> order{};
        for (const CProfileField& field : kProfileFields) {
            order[static_cast<size_t>(field.jsonRank)] = &field;
        }
        return order;
    }();
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const CProfileField* field : byRank) {
        object[std::string(field->jsonName)] = FieldJson(profile, *field, reveal);
    }
    return object;
}

} // namespace

bool ReadSettingsJson(const json& settings, CSettingsRecords& values, std::string& error) {
    error.clear();
    values = CSettingsRecords();
    CObjectReader reader(settings, "", error);
    reader.Member("networkFolder", [&](const json& value, const std::string& where) {
        CObjectReader folderReader(value, where, error);
        folderReader.Flag("customize", values.nNetFolderChoice);
        folderReader.Text("deviceName", values.netFolder.m_strNetDeviceName);
        folderReader.Text("userId", values.netFolder.m_strUserId);
        folderReader.Text("password", values.netFolder.m_strPassword);
        folderReader.Finish();
    });
    reader.Flag("enableNetworkDevice", values.bEnableNetworkDevice);
    reader.Member("wireless", [&](const json& value, const std::string& where) {
        if (!value.is_array()) {
            return reader.Fail(where + ": expected an array of profiles");
        }
        for (size_t i = 0; i < value.size() && error.empty(); ++i) {
            CNetworkSetting profile;
            if (ReadProfile(value[i], where + "[" + std::to_string(i) + "]", profile, error)) {
                values.profiles.push_back(profile);
            }
        }
    });
    return reader.Finish();
}

nlohmann::ordered_json SettingsJsonOf(const CSettingsRecords& settings, bool reveal) {
    nlohmann::ordered_json profiles = nlohmann::ordered_json::array();
    for (const CNetworkSetting& profile : settings.profiles) {
        profiles.push_back(ProfileJson(profile, reveal));
    }
    const CNetFolderSetting& folder = settings.netFolder;
    return {
        {"networkFolder",
         {
             {"customize", settings.nNetFolderChoice == 1},
             {"deviceName", WideToUtf8(folder.m_strNetDeviceName)},
             {"userId", WideToUtf8(folder.m_strUserId)},
             {"password", SecretText(folder.m_strPassword, reveal)},
         }},
        {"enableNetworkDevice", settings.bEnableNetworkDevice != 0},
        {"wireless", profiles},
    };
}
