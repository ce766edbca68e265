#pragma once
#include "networks/computer_networks.h"

using NMClient = struct _NMClient;

// The computer's networks from NetworkManager over its D-Bus interface, as
// the user running this sees them: NetworkManager and polkit decide which
// connections are listed and whether their secrets are given.
class CNetworkManagerClient final : public IComputerNetworks {
public:
    CNetworkManagerClient() = default;
    CNetworkManagerClient(const CNetworkManagerClient&) = delete;
    CNetworkManagerClient& operator=(const CNetworkManagerClient&) = delete;
    ~CNetworkManagerClient() override;

    // Without NetworkManager on the system bus (or without a bus) nothing is
    // reached, at once.
    CComputerNetworks List() override;
    std::string AddSecrets(CNmConnection& connection) override;

private:
    void Disconnect();

    NMClient* m_pClient = nullptr; // of the last list, for its connections' secrets
};
