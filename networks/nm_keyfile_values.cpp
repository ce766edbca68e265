#include "networks/nm_keyfile_values.h"

#include <algorithm>
#include <charconv>
#include <glib.h>
#include <initializer_list>
#include <limits>
#include <memory>
#include <optional>

namespace {

using CGlibText = std::unique_ptr<gchar, decltype(&g_free)>;
using CGlibTextList = std::unique_ptr<gchar*, decltype(&g_strfreev)>;

// Reads the values of one group at a time with GKeyFile's own rules (escapes,
// lists, booleans). The first value of a wrong form becomes the problem, and
// later reads change nothing.
class CKeyfileValues {
public:
    explicit CKeyfileValues(GKeyFile* file) : m_file(file) {}

    // Newer NetworkManager writes the short group name, older the long one.
    bool UseGroup(std::initializer_list<const char*> names) {
        const auto found = std::find_if(names.begin(), names.end(), [this](const char* name) {
            return g_key_file_has_group(m_file, name);
        });
        m_pszGroup = found == names.end() ? nullptr : *found;
        return m_pszGroup != nullptr;
    }

    void Text(const char* key, std::string& target) {
        if (IsPresent(key)) {
            GError* error = nullptr;
            const CGlibText value(g_key_file_get_string(m_file, m_pszGroup, key, &error), g_free);
            if (!Failed(error, key)) {
                target = value.get();
            }
        }
    }

    void Flag(const char* key, bool& target) {
        if (IsPresent(key)) {
            GError* error = nullptr;
            const gboolean value = g_key_file_get_boolean(m_file, m_pszGroup, key, &error);
            if (!Failed(error, key)) {
                target = value != FALSE;
            }
        }
    }

    template <typename Integer> void Number(const char* key, Integer& target) {
        if (IsPresent(key)) {
            GError* error = nullptr;
            const gint64 value = g_key_file_get_int64(m_file, m_pszGroup, key, &error);
            if (Failed(error, key)) {
                return;
            }
            if (value < std::numeric_limits<Integer>::min() ||
                value > std::numeric_limits<Integer>::max()) {
                Fail(key, "the number is out of range");
                return;
            }
            target = static_cast<Integer>(value);
        }
    }

    void List(const char* key, std::vector<std::string>& target) {
        if (IsPresent(key)) {
            GError* error = nullptr;
            gsize length = 0;
            const CGlibTextList values(
                g_key_file_get_string_list(m_file, m_pszGroup, key, &length, &error), g_strfreev);
            if (!Failed(error, key)) {
                target.assign(values.get(), values.get() + length);
            }
        }
    }

    void Ssid(const char* key, std::string& target);
    void FirstAddress(CNmConnection& connection);

    void Fail(const std::string& key, const std::string& message) {
        if (m_strProblem.empty()) {
            m_strProblem = "[" + std::string(m_pszGroup) + "] " + key + ": " + message;
        }
    }

    const std::string& Problem() const { return m_strProblem; }

private:
    bool IsPresent(const char* key) const {
        return m_strProblem.empty() && m_pszGroup != nullptr &&
               g_key_file_has_key(m_file, m_pszGroup, key, nullptr);
    }

    // GLib's message quotes the value, which may be a passphrase: only the
    // key is named.
    bool Failed(GError* error, const char* key) {
        if (error == nullptr) {
            return false;
        }
        g_error_free(error);
        Fail(key, "the value is not of the form this key takes");
        return true;
    }

    GKeyFile* m_file;
    const char* m_pszGroup = nullptr;
    std::string m_strProblem;
};

// A byte list is written with a ';' after every value, so a text of digits
// alone ("123") stays text.
bool IsByteListForm(std::string_view value) {
    return value.find(';') != std::string_view::npos &&
           value.find_first_not_of("0123456789;") == std::string_view::npos;
}

// The text form of an SSID as NetworkManager reads it: GLib's escapes
// undone, except that "\;", which GLib refuses outside a list, is kept for
// the SSID's own unescaping. NetworkManager writes ";" as "\\;", and reads a
// hand-written "\;" as ";" too.
std::string SsidOfText(std::string_view value) {
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        case '\\':
            text += '\\';
            break;
        default: // an escape GLib does not know stays as written
            text += '\\';
            text += value[i];
        }
    }
    std::string ssid;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\\' && i + 1 < text.size() && text[i + 1] == ';')) {
            ssid += text[i];
        }
    }
    return ssid;
}

// An SSID is written as text when all its bytes are printable, else as a
// list of byte values ("72;111;109;101;"). In the text form NetworkManager
// puts a backslash before each ';', so that "16;17;" is not a byte list.
void CKeyfileValues::Ssid(const char* key, std::string& target) {
    if (!IsPresent(key)) {
        return;
    }
    const CGlibText raw(g_key_file_get_value(m_file, m_pszGroup, key, nullptr), g_free);
    if (IsByteListForm(raw.get())) {
        gsize length = 0;
        const std::unique_ptr<gint, decltype(&g_free)> bytes(
            g_key_file_get_integer_list(m_file, m_pszGroup, key, &length, nullptr), g_free);
        if (bytes && std::all_of(bytes.get(), bytes.get() + length,
                                 [](gint byte) { return byte >= 0 && byte <= 255; })) {
            target.assign(bytes.get(), bytes.get() + length);
            return;
        }
    }
    target = SsidOfText(raw.get());
}

struct CAddressKey {
    std::string strName;
    unsigned nIndex = 0;
};

// "address1", "addresses2", "address": the number orders them, none counts as 0.
bool ParseAddressKey(std::string_view name, CAddressKey& key) {
    for (const std::string_view stem : {"addresses", "address"}) {
        if (name.substr(0, stem.size()) != stem) {
            continue;
        }
        const std::string_view number = name.substr(stem.size());
        key = {std::string(name), 0};
        const auto [end, problem] =
            std::from_chars(number.data(), number.data() + number.size(), key.nIndex);
        return number.empty() || (problem == std::errc{} && end == number.data() + number.size());
    }
    return false;
}

// "a.b.c.d/prefix,gateway", where prefix and gateway may be left out.
void CKeyfileValues::FirstAddress(CNmConnection& connection) {
    if (!m_strProblem.empty() || m_pszGroup == nullptr) {
        return;
    }
    const CGlibTextList keys(g_key_file_get_keys(m_file, m_pszGroup, nullptr, nullptr), g_strfreev);
    std::optional<CAddressKey> first;
    for (gchar** key = keys.get(); key != nullptr && *key != nullptr; ++key) {
        CAddressKey candidate;
        if (ParseAddressKey(*key, candidate) && (!first || candidate.nIndex < first->nIndex)) {
            first = candidate;
        }
    }
    if (!first) {
        return;
    }
    std::string value;
    Text(first->strName.c_str(), value);
    const size_t comma = value.find(',');
    if (comma != std::string::npos) {
        connection.m_strGateway = value.substr(comma + 1);
        value.resize(comma);
    }
    // Without a prefix NetworkManager takes the network to be a /24.
    connection.m_nPrefix = 24;
    const size_t slash = value.find('/');
    if (slash != std::string::npos) {
        const std::string_view prefix = std::string_view(value).substr(slash + 1);
        const auto [end, problem] =
            std::from_chars(prefix.data(), prefix.data() + prefix.size(), connection.m_nPrefix);
        if (prefix.empty() || problem != std::errc{} || end != prefix.data() + prefix.size()) {
            Fail(first->strName, "the prefix length is not a number");
        }
        value.resize(slash);
    }
    connection.m_strAddress = value;
}

void ReadConnectionGroup(CKeyfileValues& values, CNmConnection& connection) {
    if (!values.UseGroup({"connection"})) {
        return;
    }
    values.Text("id", connection.m_strId);
    values.Text("uuid", connection.m_strUuid);
    values.Text("type", connection.m_strType);
    values.Flag("autoconnect", connection.m_bAutoconnect);
    values.Number("autoconnect-priority", connection.m_nAutoconnectPriority);
    values.Number("timestamp", connection.m_nTimestamp);
}

void ReadWifiGroups(CKeyfileValues& values, CNmConnection& connection) {
    if (values.UseGroup({"wifi", "802-11-wireless"})) {
        values.Ssid("ssid", connection.m_strSsid);
        values.Flag("hidden", connection.m_bHidden);
        values.Text("mode", connection.m_strMode);
    }
    if (values.UseGroup({"wifi-security", "802-11-wireless-security"})) {
        values.Text("key-mgmt", connection.m_strKeyMgmt);
        // Taken for an open network, a secured one would fail on the player.
        if (connection.m_strKeyMgmt.empty()) {
            values.Fail("key-mgmt", "missing");
        }
        values.Text("psk", connection.m_strPsk);
        for (size_t i = 0; i < connection.m_arrWepKeys.size(); ++i) {
            values.Text(("wep-key" + std::to_string(i)).c_str(), connection.m_arrWepKeys[i]);
        }
        values.Number("wep-tx-keyidx", connection.m_nWepTxKeyIndex);
        values.Number("wep-key-type", connection.m_nWepKeyType);
        values.List("proto", connection.m_arrProtos);
        values.List("pairwise", connection.m_arrPairwise);
    }
}

void ReadIpv4Group(CKeyfileValues& values, CNmConnection& connection) {
    if (values.UseGroup({"ipv4"})) {
        values.Text("method", connection.m_strIpv4Method);
        values.FirstAddress(connection);
        // The gateway key of newer files wins over one written after an address.
        values.Text("gateway", connection.m_strGateway);
        values.List("dns", connection.m_arrDns);
    }
}

} // namespace

CNmKeyfileValues ReadNmKeyfileValues(GKeyFile* file, const std::string& defaultId) {
    CNmKeyfileValues result;
    CNmConnection& connection = result.connection;
    connection.m_strId = defaultId;
    CKeyfileValues values(file);
    ReadConnectionGroup(values, connection);
    ReadWifiGroups(values, connection);
    ReadIpv4Group(values, connection);
    result.strProblem = values.Problem();
    return result;
}
