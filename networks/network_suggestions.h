#pragma once
#include "networks/computer_networks.h"

#include <string>
#include <vector>

// One network the SSID field offers.
struct CNetworkSuggestion {
    std::u16string strSsid;
    int nSecurityMode = 0;
    int nSavedIndex = -1; // of the connection in the saved list; -1 only in range
};

// The saved connections the player can use, in the order NetworkManager
// prefers them, then the networks in range that none of them names, the
// strongest first. A network whose name the player cannot hold is left out.
std::vector<CNetworkSuggestion> NetworkSuggestions(const CComputerNetworks& networks);
