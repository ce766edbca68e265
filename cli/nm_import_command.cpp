#include "catalogue/message_catalogue.h"
#include "cli/commands.h"
#include "cli/nm_keyfile_reader.h"
#include "cli/settings_json.h"
#include "networks/network_manager_client.h"
#include "networks/nm_profile_mapping.h"
#include "platform/utf8_text.h"
#include "settings/settings_records.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr char kKeyfileExtension[] = ".nmconnection";

// NetworkManager's own places; tests name others, as for the other system
// files.
std::string SystemPath(const char* variable, const char* path) {
    const char* overridden = std::getenv(variable);
    return overridden != nullptr && *overridden != '\0' ? overridden : path;
}
std::string NetworkManagerFolder() {
    return SystemPath("KORDAVIN_NM_CONNECTIONS", "/etc/NetworkManager/system-connections");
}
std::string NetworkManagerTimestamps() {
    return SystemPath("KORDAVIN_NM_TIMESTAMPS", "/var/lib/NetworkManager/timestamps");
}

struct CImportArguments {
    std::string strFolder = NetworkManagerFolder();
    // The last uses of NetworkManager's own folder; another folder has none
    // unless they are named.
    std::string strTimestamps;
    // Neither files named: NetworkManager itself is asked, and its own
    // files read only when it is not running.
    bool bAskNetworkManager = false;
    bool bReveal = false;
    std::vector<std::string> arrNames; // connection ids; none means all
};

std::optional<CImportArguments> ParseArguments(std::span<const std::string> args) {
    CImportArguments parsed;
    bool folderGiven = false;
    bool timestampsGiven = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || (!arg.empty() && arg[0] != '-')) {
            parsed.arrNames.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--reveal") {
            parsed.bReveal = true;
        } else if (arg == "--dir" && i + 1 < args.size() && !folderGiven) {
            parsed.strFolder = args[++i];
            folderGiven = true;
        } else if (arg == "--timestamps" && i + 1 < args.size() && !timestampsGiven) {
            parsed.strTimestamps = args[++i];
            timestampsGiven = true;
        } else {
            return std::nullopt;
        }
    }
    if (!folderGiven && !timestampsGiven) {
        parsed.strTimestamps = NetworkManagerTimestamps();
        const char* folderOverride = std::getenv("KORDAVIN_NM_CONNECTIONS");
        parsed.bAskNetworkManager = folderOverride == nullptr || *folderOverride == '\0';
    }
    return parsed;
}

struct CFoundConnection {
    CNmConnection connection;
    std::string strSecretsRefused; // why NetworkManager did not give the key
};

// What the folder holds, or why it cannot be read; a keyfile that is no
// connection is noted and the others are still taken.
struct CFolderContents {
    std::vector<CFoundConnection> connections;
    std::vector<std::string> arrNotes;
    std::string strFailure; // when set, nothing is to be printed
    std::string strSource;  // where they were found, for the output
};

std::string RootNeededText(const std::string& folder, const std::string& detail) {
    return "cannot read the connections in " + OneLineText(folder) + " (" + detail +
           "): NetworkManager lets only root read them. Run the command as root, for example\n"
           "  sudo quorlan-cli import-networkmanager --reveal\n";
}

std::vector<fs::path> KeyfilesIn(const std::string& folder, std::string& failure) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        failure = OneLineText(folder) +
                  (fs::exists(folder, error) ? " is not a folder\n" : ": no such folder\n");
        return {};
    }
    std::vector<fs::path> files;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        // A FIFO or a device is never opened: it could block or never end.
        if (entry->path().extension() == kKeyfileExtension && entry->is_regular_file(error)) {
            files.push_back(entry->path());
        }
    }
    if (error == std::errc::permission_denied) {
        failure = RootNeededText(folder, error.message());
    } else if (error) {
        failure = "cannot read " + OneLineText(folder) + ": " + error.message() + '\n';
    }
    std::sort(files.begin(), files.end());
    return files;
}

CFolderContents ReadFolder(const std::string& folder) {
    CFolderContents contents;
    contents.strSource = OneLineText(folder);
    for (const fs::path& file : KeyfilesIn(folder, contents.strFailure)) {
        const CNmKeyfile keyfile = ReadNmKeyfile(file);
        const std::string name = file.filename().string();
        switch (keyfile.status) {
        case ENmKeyfileStatus::NotPermitted:
            contents.strFailure =
                RootNeededText(folder, OneLineText(name) + ": " + OneLineText(keyfile.strProblem));
            return contents;
        case ENmKeyfileStatus::Malformed:
            contents.arrNotes.push_back("skipped " + OneLineText(name) + ": " +
                                        OneLineText(keyfile.strProblem));
            break;
        case ENmKeyfileStatus::Read:
            if (IsNmWifiConnection(keyfile.connection)) {
                contents.connections.push_back({keyfile.connection, {}});
            }
            break;
        }
    }
    return contents;
}

// NetworkManager keeps the last use apart from the keyfiles, which hold it
// only from older versions; the later of the two counts.
void TakeLastUses(const std::string& timestampsFile, CFolderContents& contents) {
    if (timestampsFile.empty()) {
        return;
    }
    const std::map<std::string, long long> lastUses = ReadNmTimestamps(timestampsFile);
    for (CFoundConnection& found : contents.connections) {
        const auto lastUse = lastUses.find(found.connection.m_strUuid);
        if (lastUse != lastUses.end()) {
            found.connection.m_nTimestamp =
                std::max(found.connection.m_nTimestamp, lastUse->second);
        }
    }
}

// Keeps the connections named, in the order found, and notes each name that
// matches no Wi-Fi connection.
void KeepNamed(const std::vector<std::string>& names, CFolderContents& contents) {
    if (names.empty()) {
        return;
    }
    std::erase_if(contents.connections, [&names](const CFoundConnection& found) {
        return std::find(names.begin(), names.end(), found.connection.m_strId) == names.end();
    });
    for (const std::string& name : names) {
        if (std::none_of(contents.connections.begin(), contents.connections.end(),
                         [&name](const CFoundConnection& found) {
                             return found.connection.m_strId == name;
                         })) {
            contents.arrNotes.push_back("no Wi-Fi connection is named '" + OneLineText(name) + "'");
        }
    }
}

// The profiles of the connections in priority order, at most as many as the
// player holds, with a note for each connection left out.
std::vector<CNetworkSetting> ProfilesOf(CFolderContents& contents) {
    std::stable_sort(contents.connections.begin(), contents.connections.end(),
                     [](const CFoundConnection& first, const CFoundConnection& second) {
                         return IsNmPreferred(first.connection, second.connection);
                     });
    std::vector<CNetworkSetting> profiles;
    for (const CFoundConnection& found : contents.connections) {
        const CNmConnection& connection = found.connection;
        const std::string what =
            "skipped '" + OneLineText(connection.m_strId) + "' (" +
            OneLineText(connection.m_strFileName.empty() ? connection.m_strUuid
                                                         : connection.m_strFileName) +
            "): ";
        CNmProfileMapping mapping = MapNmConnection(connection);
        if (!found.strSecretsRefused.empty()) {
            contents.arrNotes.push_back(what + found.strSecretsRefused);
        } else if (!mapping.profile) {
            contents.arrNotes.push_back(what + OneLineText(mapping.strSkipReason));
        } else if (profiles.size() == kWirelessSlotCount) {
            contents.arrNotes.push_back(what + "the player holds no more than " +
                                        std::to_string(kWirelessSlotCount) + " profiles");
        } else {
            profiles.push_back(*mapping.profile);
        }
    }
    return profiles;
}

// The secrets of the connections that could become profiles; as another
// user than root, NetworkManager and polkit decide whether they are given.
void AskSecrets(IComputerNetworks& networks, CFolderContents& contents) {
    for (CFoundConnection& found : contents.connections) {
        if (MapNmConnectionValues(found.connection).profile) {
            if (const std::string refusal = networks.AddSecrets(found.connection);
                !refusal.empty()) {
                found.strSecretsRefused =
                    OneLineText(refusal) + " (it gives them to root, and to the users polkit allows)";
            }
        }
    }
}

int RunImport(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const auto arguments = ParseArguments(args);
    if (!arguments) {
        err << kImportNetworkManagerCommand.usage;
        return kExitUsage;
    }
    CNetworkManagerClient networkManager;
    CComputerNetworks listed;
    if (arguments->bAskNetworkManager) {
        listed = networkManager.List();
    }
    CFolderContents contents;
    if (listed.bReached) {
        contents.strSource = "NetworkManager";
        for (CNmConnection& connection : listed.saved) {
            contents.connections.push_back({std::move(connection), {}});
        }
        KeepNamed(arguments->arrNames, contents);
        AskSecrets(networkManager, contents);
    } else {
        contents = ReadFolder(arguments->strFolder);
        if (!contents.strFailure.empty()) {
            err << "quorlan-cli: " << contents.strFailure;
            return kExitUsage;
        }
        KeepNamed(arguments->arrNames, contents);
        TakeLastUses(arguments->strTimestamps, contents);
    }
    SelectLanguageFromLocale();
    CSettingsRecords settings;
    settings.profiles = ProfilesOf(contents);
    settings.bEnableNetworkDevice = settings.profiles.empty() ? 0 : 1;

    for (const std::string& note : contents.arrNotes) {
        err << "quorlan-cli: " << note << '\n';
    }
    if (contents.connections.empty() && arguments->arrNames.empty()) {
        err << "quorlan-cli: no Wi-Fi connections in " << contents.strSource << '\n';
    }
    out << SettingsJsonOf(settings, arguments->bReveal)
               .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << '\n';
    return contents.arrNotes.empty() ? kExitSuccess : kExitFailure;
}

} // namespace

const CCommand kImportNetworkManagerCommand{
    "import-networkmanager", "print NetworkManager's Wi-Fi networks as settings JSON",
    "Usage: quorlan-cli import-networkmanager [--reveal] [--dir FOLDER]\n"
    "                                         [--timestamps FILE] [NAME...]\n"
    "Prints NetworkManager's Wi-Fi connections as wireless profiles, in the JSON\n"
    "form 'quorlan-cli create --from' reads, with the network device switched on\n"
    "when there is a profile. With NAMEs only the connections with those ids are\n"
    "taken. Network keys show as \"********\" unless --reveal is given; with it\n"
    "the output creates the file:\n"
    "  quorlan-cli import-networkmanager --reveal |\n"
    "    quorlan-cli create --from /dev/stdin --out /media/SDCARD\n"
    "Without --dir and --timestamps NetworkManager itself is asked, over D-Bus,\n"
    "for the connections this user may see; their keys are given as\n"
    "NetworkManager and polkit decide (an administrator's password may be asked\n"
    "for), and a connection whose key is refused is skipped. When NetworkManager\n"
    "is not running, and with --dir, the *.nmconnection keyfiles in FOLDER\n"
    "(default /etc/NetworkManager/system-connections) are read instead; only\n"
    "root may read them.\n"
    "Order: the higher [connection] autoconnect-priority first, then the more\n"
    "recent last use: the later of [connection] timestamp and the connection's\n"
    "uuid in FILE (default /var/lib/NetworkManager/timestamps when no --dir is\n"
    "given; NetworkManager itself tells the last use). At most 30 profiles: the\n"
    "rest are skipped.\n"
    "Mapping (keyfile -> profile):\n"
    "  [wifi] ssid, as text or as bytes (72;105;)  -> ssid\n"
    "  [wifi] hidden=true                          -> stealth true\n"
    "  [connection] autoconnect=false              -> connectAutomatically false\n"
    "  no [wifi-security] group                    -> securityMode 0 (none)\n"
    "  key-mgmt=none, the key of wep-key0 to 3     -> securityMode 1 (WEP): 5 or 13\n"
    "    that wep-tx-keyidx names                     characters, or 10 or 26\n"
    "                                                 hexadecimal digits\n"
    "  key-mgmt=wpa-psk with psk, by proto and pairwise:\n"
    "    wpa + tkip                                -> securityMode 2 (WPA PSK TKIP)\n"
    "    wpa + ccmp                                -> securityMode 3 (WPA PSK AES)\n"
    "    rsn + ccmp, or neither stated             -> securityMode 4 (WPA2 PSK AES)\n"
    "    rsn + tkip                                -> securityMode 5 (WPA2 PSK TKIP)\n"
    "    (where both are listed, rsn and ccmp win)\n"
    "  [ipv4] method=manual                        -> dhcp false, and from the\n"
    "    first addressN=a.b.c.d/prefix,gateway: ipAddress, the prefix as subnetMask\n"
    "    (no prefix: /24), gateway= or else the address's gateway as\n"
    "    defaultGateway, the first two of dns= as dns and dnsSecondary\n"
    "  [ipv4] any other method                     -> dhcp true\n"
    "  The proxy stays off; the network folder settings keep their defaults.\n"
    "Skipped, each with a line on standard error saying why: a WEP passphrase\n"
    "(wep-key-type=2); enterprise 802.1X/EAP, WPA3 SAE only, OWE or any other key\n"
    "management; a key not stored in the keyfile (kept by the desktop's keyring);\n"
    "an SSID or key with characters other than printable ASCII; access point,\n"
    "ad-hoc and mesh modes; a profile the wireless LAN property dialog refuses\n"
    "(an SSID longer than 32 characters, a WPA passphrase of fewer than 8\n"
    "characters, a loopback address, ...); connections beyond the 30th; keyfiles\n"
    "that cannot be read as keyfiles. Connections other than Wi-Fi are left out\n"
    "without a line.\n"
    "NetworkManager lets only root read its keyfiles: as another user the command\n"
    "names the folder, says that it needs root, and prints nothing.\n"
    "Exits 0 when every Wi-Fi connection was imported, 1 when one was skipped or a\n"
    "NAME matched no Wi-Fi connection or a key was refused (the others are still\n"
    "printed), 2 when FOLDER cannot be read, or on bad arguments.\n",
    RunImport};
