#include "cli/commands.h"

#include "cli/settings_json.h"
#include "cli/text_conversion.h"
#include "platform/atomic_file.h"
#include "ui/headless/headless_ui.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>

namespace {

constexpr char kSettingsFileName[] = "NetworkSetting.ini";

struct CCreateArguments {
    std::string from;
    std::string out;
};

bool ParseArguments(std::span<const std::string> args, CCreateArguments& parsed) {
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--from" && hasValue && parsed.from.empty()) {
            parsed.from = args[++i];
        } else if (args[i] == "--out" && hasValue && parsed.out.empty()) {
            parsed.out = args[++i];
        } else {
            return false;
        }
    }
    return !parsed.from.empty() && !parsed.out.empty();
}

int RunCreate(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    CCreateArguments arguments;
    if (!ParseArguments(args, arguments)) {
        err << kCreateCommand.usage;
        return kExitUsage;
    }
    const auto text = platform::ReadWholeFile(arguments.from);
    if (!text) {
        err << "quorlan-cli: cannot read " << arguments.from << '\n';
        return kExitUsage;
    }
    const auto settings = nlohmann::json::parse(*text, nullptr, false);
    if (settings.is_discarded()) {
        err << "quorlan-cli: " << arguments.from << " is not valid JSON\n";
        return kExitFailure;
    }

    ui::headless::CHeadlessUi headless;
    ui::InstallServices(&headless);
    CQuorlanDlgState state;
    const auto window = headless.Open(state);
    std::string error;
    if (!ApplySettingsJson(settings, state, error)) {
        err << "quorlan-cli: " << arguments.from << ": " << error << '\n';
        return kExitFailure;
    }

    const std::filesystem::path target = std::filesystem::path(arguments.out) / kSettingsFileName;
    if (state.WriteSettingsFile(Utf8ToWide(target.string())) != 1) {
        err << "quorlan-cli: could not write " << target.string()
            << "; an existing file there was left unchanged\n";
        return kExitFailure;
    }
    out << "Wrote " << target.string() << '\n';
    return kExitSuccess;
}

} // namespace

const CCommand kCreateCommand{
    "create", "write NetworkSetting.ini from settings in JSON",
    "Usage: quorlan-cli create --from SETTINGS.json --out FOLDER\n"
    "Writes FOLDER/NetworkSetting.ini from the settings in SETTINGS.json, with the\n"
    "password and network keys encrypted. Every member is optional:\n"
    "  { \"networkFolder\": { \"customize\": true, \"deviceName\": \"kordavin-1\",\n"
    "                       \"userId\": \"guest\", \"password\": \"pw\" },\n"
    "    \"enableNetworkDevice\": true,\n"
    "    \"wireless\": [ { \"ssid\": \"HomeNet\", \"stealth\": false, \"securityMode\": 0,\n"
    "                    \"networkKey\": \"\", \"dhcp\": true, \"ipAddress\": \"\",\n"
    "                    \"subnetMask\": \"\", \"defaultGateway\": \"\", \"dns\": \"\",\n"
    "                    \"dnsSecondary\": \"\", \"useProxy\": false, \"proxyAddress\": \"\",\n"
    "                    \"proxyPort\": \"\", \"connectAutomatically\": true } ] }\n"
    "Addresses are dotted decimal; fewer than four numbers are a partly entered\n"
    "address, \"\" none. Security modes: 0 none, 1 WEP, 2 WPA PSK TKIP, 3 WPA PSK AES,\n"
    "4 WPA2 PSK AES, 5 WPA2 PSK TKIP. At most 30 profiles, in priority order.\n"
    "Exits 0 when written, 1 when the settings are refused or the file cannot be\n"
    "written (an existing file is then left as it was), 2 on bad arguments.\n",
    RunCreate};
