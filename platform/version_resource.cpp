#include "platform/version_resource.h"

#include <algorithm>
#include <string_view>

namespace platform {

const char* ProductVersion() { return QUORLAN_VERSION; }

bool PrintVersionIfAsked(std::span<char* const> args, const char* program, std::ostream& out) {
    const bool asked = std::any_of(args.begin(), args.end(), [](const char* arg) {
        return std::string_view(arg) == "--version";
    });
    if (asked) {
        out << program << ' ' << ProductVersion() << '\n';
    }
    return asked;
}

} // namespace platform
