#include "networks/access_point.h"

#include "settings/network_setting.h"

namespace {

std::optional<int> PskMode(unsigned flags, int aesMode, int tkipMode) {
    if ((flags & nm_ap::kKeyMgmtPsk) == 0) {
        return std::nullopt;
    }
    // A network that names no cipher is taken to offer the stronger one.
    return (flags & nm_ap::kPairTkip) != 0 && (flags & nm_ap::kPairCcmp) == 0 ? tkipMode : aesMode;
}

} // namespace

std::optional<int> SecurityModeOfAccessPoint(const CNmAccessPoint& accessPoint) {
    if (!accessPoint.bInfrastructure) {
        return std::nullopt;
    }
    if (const auto mode =
            PskMode(accessPoint.nRsnFlags, kSecurityWpa2PskAes, kSecurityWpa2PskTkip)) {
        return mode;
    }
    if (const auto mode = PskMode(accessPoint.nWpaFlags, kSecurityWpaPskAes, kSecurityWpaPskTkip)) {
        return mode;
    }
    if (accessPoint.nRsnFlags != 0 || accessPoint.nWpaFlags != 0) {
        return std::nullopt;
    }
    return accessPoint.bPrivacy ? kSecurityWep : kSecurityNone;
}
