#include "networks/network_suggestions.h"

#include "networks/nm_profile_mapping.h"

#include <algorithm>
#include <numeric>

namespace {

bool IsSuggested(const std::vector<CNetworkSuggestion>& suggestions, std::u16string_view ssid) {
    return std::any_of(
        suggestions.begin(), suggestions.end(),
        [ssid](const CNetworkSuggestion& suggestion) { return suggestion.strSsid == ssid; });
}

void AddSaved(const std::vector<CNmConnection>& saved,
              std::vector<CNetworkSuggestion>& suggestions) {
    std::vector<int> order(saved.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&saved](int first, int second) {
        return IsNmPreferred(saved[first], saved[second]);
    });
    for (const int index : order) {
        if (!IsNmWifiConnection(saved[index])) {
            continue;
        }
        const CNmProfileMapping mapping = MapNmConnectionValues(saved[index]);
        // Of two connections to one network, the one NetworkManager prefers.
        if (mapping.profile && !mapping.profile->m_strSsid.empty() &&
            !IsSuggested(suggestions, mapping.profile->m_strSsid)) {
            suggestions.push_back(
                {mapping.profile->m_strSsid, mapping.profile->m_nSecurityMode, index});
        }
    }
}

void AddInRange(std::vector<CNmAccessPoint> inRange, std::vector<CNetworkSuggestion>& suggestions) {
    std::stable_sort(inRange.begin(), inRange.end(),
                     [](const CNmAccessPoint& first, const CNmAccessPoint& second) {
                         return first.nStrength > second.nStrength;
                     });
    for (const CNmAccessPoint& accessPoint : inRange) {
        // The same test of the name as for a saved connection.
        CNmConnection named;
        named.m_strSsid = accessPoint.strSsid;
        const CNmProfileMapping mapping = MapNmConnectionValues(named);
        const auto mode = SecurityModeOfAccessPoint(accessPoint);
        if (!mode || !mapping.profile || mapping.profile->m_strSsid.empty() ||
            IsSuggested(suggestions, mapping.profile->m_strSsid)) {
            continue;
        }
        suggestions.push_back({mapping.profile->m_strSsid, *mode, -1});
    }
}

} // namespace

std::vector<CNetworkSuggestion> NetworkSuggestions(const CComputerNetworks& networks) {
    std::vector<CNetworkSuggestion> suggestions;
    AddSaved(networks.saved, suggestions);
    AddInRange(networks.inRange, suggestions);
    return suggestions;
}
