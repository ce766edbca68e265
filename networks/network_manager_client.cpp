#include "networks/network_manager_client.h"

#include "networks/nm_keyfile_values.h"

#include <NetworkManager.h>
#include <filesystem>
#include <memory>

namespace {

static_assert(nm_ap::kPairTkip == NM_802_11_AP_SEC_PAIR_TKIP);
static_assert(nm_ap::kPairCcmp == NM_802_11_AP_SEC_PAIR_CCMP);
static_assert(nm_ap::kKeyMgmtPsk == NM_802_11_AP_SEC_KEY_MGMT_PSK);

struct CGObjectRelease {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct CKeyFileRelease {
    void operator()(GKeyFile* file) const { g_key_file_unref(file); }
};
struct CVariantRelease {
    void operator()(GVariant* variant) const { g_variant_unref(variant); }
};
struct CErrorRelease {
    void operator()(GError* error) const { g_error_free(error); }
};
using CError = std::unique_ptr<GError, CErrorRelease>;

std::string MessageOf(const CError& error) {
    return error && error->message != nullptr ? error->message : "no reason given";
}

// A connection as NetworkManager states it, read as its keyfile: the same
// reading as of the files in its folder.
bool ReadConnection(NMConnection* connection, CNmConnection& read) {
    GError* rawError = nullptr;
    const std::unique_ptr<GKeyFile, CKeyFileRelease> keyfile(
        nm_keyfile_write(connection, NM_KEYFILE_HANDLER_FLAGS_NONE, nullptr, nullptr, &rawError));
    const CError error(rawError);
    if (!keyfile) {
        return false;
    }
    const char* id = nm_connection_get_id(connection);
    CNmKeyfileValues values = ReadNmKeyfileValues(keyfile.get(), id != nullptr ? id : "");
    if (!values.strProblem.empty()) {
        return false;
    }
    read = std::move(values.connection);
    return true;
}

std::string FileNameOf(NMRemoteConnection* remote) {
    const char* path = nm_remote_connection_get_filename(remote);
    return path != nullptr ? std::filesystem::path(path).filename().string() : std::string();
}

void AddSaved(NMClient* client, std::vector<CNmConnection>& saved) {
    const GPtrArray* connections = nm_client_get_connections(client);
    for (guint i = 0; connections != nullptr && i < connections->len; ++i) {
        auto* remote = static_cast<NMRemoteConnection*>(g_ptr_array_index(connections, i));
        CNmConnection read;
        if (nm_remote_connection_get_visible(remote) &&
            nm_connection_is_type(NM_CONNECTION(remote), NM_SETTING_WIRELESS_SETTING_NAME) &&
            ReadConnection(NM_CONNECTION(remote), read)) {
            read.m_strFileName = FileNameOf(remote);
            saved.push_back(std::move(read));
        }
    }
}

CNmAccessPoint AccessPointOf(NMAccessPoint* accessPoint) {
    CNmAccessPoint read;
    if (GBytes* ssid = nm_access_point_get_ssid(accessPoint)) {
        gsize size = 0;
        const auto* bytes = static_cast<const char*>(g_bytes_get_data(ssid, &size));
        read.strSsid.assign(bytes != nullptr ? bytes : "", bytes != nullptr ? size : 0);
    }
    read.bPrivacy = (nm_access_point_get_flags(accessPoint) & NM_802_11_AP_FLAGS_PRIVACY) != 0;
    read.nWpaFlags = nm_access_point_get_wpa_flags(accessPoint);
    read.nRsnFlags = nm_access_point_get_rsn_flags(accessPoint);
    read.bInfrastructure = nm_access_point_get_mode(accessPoint) == NM_802_11_MODE_INFRA;
    read.nStrength = nm_access_point_get_strength(accessPoint);
    return read;
}

void AddInRange(NMClient* client, std::vector<CNmAccessPoint>& inRange) {
    const GPtrArray* devices = nm_client_get_devices(client);
    for (guint i = 0; devices != nullptr && i < devices->len; ++i) {
        auto* device = static_cast<NMDevice*>(g_ptr_array_index(devices, i));
        if (!NM_IS_DEVICE_WIFI(device)) {
            continue;
        }
        const GPtrArray* accessPoints = nm_device_wifi_get_access_points(NM_DEVICE_WIFI(device));
        for (guint j = 0; accessPoints != nullptr && j < accessPoints->len; ++j) {
            inRange.push_back(
                AccessPointOf(static_cast<NMAccessPoint*>(g_ptr_array_index(accessPoints, j))));
        }
    }
}

struct CSecretsCall {
    bool bDone = false;
    GVariant* pSecrets = nullptr;
    GError* pError = nullptr;
};

void OnSecrets(GObject* source, GAsyncResult* result, gpointer data) {
    auto* call = static_cast<CSecretsCall*>(data);
    call->pSecrets = nm_remote_connection_get_secrets_finish(NM_REMOTE_CONNECTION(source), result,
                                                             &call->pError);
    call->bDone = true;
}

} // namespace

CNetworkManagerClient::~CNetworkManagerClient() { Disconnect(); }

void CNetworkManagerClient::Disconnect() {
    if (m_pClient != nullptr) {
        g_object_unref(m_pClient);
        m_pClient = nullptr;
    }
}

CComputerNetworks CNetworkManagerClient::List() {
    Disconnect();
    CComputerNetworks networks;
    GError* rawError = nullptr;
    std::unique_ptr<NMClient, CGObjectRelease> client(nm_client_new(nullptr, &rawError));
    const CError error(rawError);
    if (!client || !nm_client_get_nm_running(client.get())) {
        return networks;
    }
    networks.bReached = true;
    AddSaved(client.get(), networks.saved);
    AddInRange(client.get(), networks.inRange);
    m_pClient = client.release();
    return networks;
}

std::string CNetworkManagerClient::AddSecrets(CNmConnection& connection) {
    if (connection.m_strKeyMgmt.empty()) {
        return {}; // an open network has none
    }
    NMRemoteConnection* remote =
        m_pClient == nullptr
            ? nullptr
            : nm_client_get_connection_by_uuid(m_pClient, connection.m_strUuid.c_str());
    if (remote == nullptr) {
        return "NetworkManager no longer has the connection";
    }
    // The answer may wait for an administrator's password: the caller's main
    // loop keeps running meanwhile, so its windows stay drawn.
    CSecretsCall call;
    nm_remote_connection_get_secrets_async(remote, NM_SETTING_WIRELESS_SECURITY_SETTING_NAME,
                                           nullptr, OnSecrets, &call);
    GMainContext* context = nm_client_get_main_context(m_pClient);
    while (!call.bDone) {
        g_main_context_iteration(context, TRUE);
    }
    const std::unique_ptr<GVariant, CVariantRelease> secrets(call.pSecrets);
    CError error(call.pError);
    if (!secrets) {
        return "NetworkManager gave no secrets: " + MessageOf(error);
    }
    const std::unique_ptr<NMConnection, CGObjectRelease> withSecrets(
        nm_simple_connection_new_clone(NM_CONNECTION(remote)));
    GError* rawError = nullptr;
    const bool updated =
        nm_connection_update_secrets(withSecrets.get(), NM_SETTING_WIRELESS_SECURITY_SETTING_NAME,
                                     secrets.get(), &rawError) != FALSE;
    error.reset(rawError);
    CNmConnection read;
    if (!updated || !ReadConnection(withSecrets.get(), read)) {
        return "NetworkManager's secrets could not be read: " + MessageOf(error);
    }
    connection.m_strPsk = read.m_strPsk;
    connection.m_arrWepKeys = read.m_arrWepKeys;
    return {};
}
