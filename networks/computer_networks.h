#pragma once
#include "networks/access_point.h"
#include "networks/nm_connection.h"

#include <string>
#include <vector>

// The computer's Wi-Fi networks as its network service knows them.
struct CComputerNetworks {
    bool bReached = false;            // false: no service answered, and the lists are empty
    std::vector<CNmConnection> saved; // without their secrets
    std::vector<CNmAccessPoint> inRange;
};

// Where the networks come from: NetworkManager in use, a test's own source
// in tests.
class IComputerNetworks {
public:
    virtual ~IComputerNetworks() = default;

    virtual CComputerNetworks List() = 0;
    // Asks for the secrets of a listed connection and adds those given. The
    // service decides, and may ask for an administrator's password; a refusal
    // leaves the connection as it was and is told in the text returned.
    virtual std::string AddSecrets(CNmConnection& connection) = 0;
};
