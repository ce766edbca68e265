#include "networks/network_suggestions.h"
#include "settings/network_setting.h"

#include <gtest/gtest.h>

namespace {

CNmConnection Saved(const std::string& ssid, int priority = 0, long long lastUse = 0) {
    CNmConnection connection;
    connection.m_strId = ssid + " connection";
    connection.m_strType = "wifi";
    connection.m_strSsid = ssid;
    connection.m_nAutoconnectPriority = priority;
    connection.m_nTimestamp = lastUse;
    connection.m_strKeyMgmt = "wpa-psk"; // its key not yet asked for
    return connection;
}

CNmAccessPoint InRange(const std::string& ssid, int strength, unsigned rsnFlags = 0) {
    CNmAccessPoint accessPoint;
    accessPoint.strSsid = ssid;
    accessPoint.nStrength = strength;
    accessPoint.nRsnFlags = rsnFlags;
    accessPoint.bPrivacy = rsnFlags != 0;
    return accessPoint;
}

constexpr unsigned kWpa2Aes = nm_ap::kKeyMgmtPsk | nm_ap::kPairCcmp;

std::vector<std::string> Shown(const CComputerNetworks& networks) {
    std::vector<std::string> shown;
    for (const CNetworkSuggestion& suggestion : NetworkSuggestions(networks)) {
        shown.push_back(std::string(suggestion.strSsid.begin(), suggestion.strSsid.end()) + "/" +
                        std::to_string(suggestion.nSecurityMode) + "/" +
                        std::to_string(suggestion.nSavedIndex));
    }
    return shown;
}

TEST(NetworkSuggestionsTest, SavedAsPreferredThenTheOthersInRangeStrongestFirst) {
    CComputerNetworks networks;
    networks.bReached = true;
    CNmConnection wired = Saved("Wired");
    wired.m_strType = "ethernet";
    CNmConnection wpa3 = Saved("Wpa3 only");
    wpa3.m_strKeyMgmt = "sae";
    CNmConnection adHoc = Saved("Ad hoc");
    adHoc.m_strMode = "adhoc";
    networks.saved = {Saved("Cafe", 0, 100),
                      Saved("Home", 5),
                      wired,
                      Saved("Office", 0, 200),
                      Saved("Home", 0, 900),
                      wpa3,
                      adHoc,
                      Saved("Caf\xc3\xa9"),
                      Saved("")};
    CNmAccessPoint enterprise = InRange("Campus", 90, 0x200 | nm_ap::kPairCcmp);
    CNmAccessPoint hidden = InRange("", 99, kWpa2Aes);
    networks.inRange = {InRange("Neighbour", 40, kWpa2Aes), InRange("Home", 95, kWpa2Aes),
                        enterprise, hidden, InRange("Street", 70)};
    // Home twice: the one NetworkManager prefers; the one in range is saved.
    const std::vector<std::string> expected = {"Home/4/1", "Office/4/3", "Cafe/4/0", "Street/0/-1",
                                               "Neighbour/4/-1"};
    EXPECT_EQ(Shown(networks), expected);
}

TEST(NetworkSuggestionsTest, SecurityOfANetworkInRange) {
    using namespace nm_ap;
    constexpr unsigned k8021x = 0x200;
    constexpr unsigned kSae = 0x400;
    const struct {
        bool privacy;
        unsigned wpa;
        unsigned rsn;
        bool infrastructure;
        std::optional<int> mode;
    } cases[] = {
        {false, 0, 0, true, kSecurityNone},
        {true, 0, 0, true, kSecurityWep},
        {true, 0, kKeyMgmtPsk | kPairCcmp, true, kSecurityWpa2PskAes},
        {true, 0, kKeyMgmtPsk | kPairCcmp | kPairTkip, true, kSecurityWpa2PskAes},
        {true, 0, kKeyMgmtPsk | kPairTkip, true, kSecurityWpa2PskTkip},
        {true, 0, kKeyMgmtPsk, true, kSecurityWpa2PskAes},
        {true, kKeyMgmtPsk | kPairTkip, kKeyMgmtPsk | kPairCcmp, true, kSecurityWpa2PskAes},
        {true, kKeyMgmtPsk | kPairCcmp, 0, true, kSecurityWpaPskAes},
        {true, kKeyMgmtPsk | kPairTkip, 0, true, kSecurityWpaPskTkip},
        {true, 0, kSae | kPairCcmp, true, std::nullopt},
        {true, k8021x | kPairTkip, 0, true, std::nullopt},
        {true, 0, kKeyMgmtPsk | kSae | kPairCcmp, true, kSecurityWpa2PskAes}, // transition mode
        {false, 0, 0, false, std::nullopt},
    };
    for (const auto& c : cases) {
        CNmAccessPoint accessPoint;
        accessPoint.bPrivacy = c.privacy;
        accessPoint.nWpaFlags = c.wpa;
        accessPoint.nRsnFlags = c.rsn;
        accessPoint.bInfrastructure = c.infrastructure;
        EXPECT_EQ(SecurityModeOfAccessPoint(accessPoint), c.mode)
            << c.privacy << " " << c.wpa << " " << c.rsn << " " << c.infrastructure;
    }
}

} // namespace
