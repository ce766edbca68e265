#include "cli/commands.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "catalogue/message_line.h"
#include "cli/file_errors.h"
#include "cli/settings_json.h"
#include "platform/file_reader.h"
#include "platform/utf8_text.h"
#include "settings/page_entry_checks.h"
#include "settings/settings_file_writer.h"
#include "settings/wireless_profile_check.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <unistd.h>

namespace {

constexpr char kSettingsFileName[] = "NetworkSetting.ini";

struct CCreateArguments {
    std::string from;
    std::string out;
};

// Only options: a "--" may end them, with nothing after it.
bool ParseArguments(std::span<const std::string> args, CCreateArguments& parsed) {
    if (!args.empty() && args.back() == "--") {
        args = args.first(args.size() - 1);
    }
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

// What the dialog would refuse: the network folder entries as the create
// flow checks them, then each profile as the property dialog checks it when
// it is added (with its silent corrections), and no more profiles than the
// list holds. The one message, or nothing. Addresses missing with DHCP off
// are taken as a loaded file has them, so that what "show" prints of any
// file the reader takes without a message is created again.
std::optional<std::string> Refusal(CSettingsRecords& values) {
    if (values.nNetFolderChoice == 1) {
        const CNetFolderSetting& folder = values.netFolder;
        CNetFolderEntries entries{folder.m_strNetDeviceName, folder.m_strUserId,
                                  folder.m_strPassword, folder.m_strPassword};
        std::vector<int> messages;
        if (CheckNetFolderEntries(entries, true, messages) != 1) {
            return MessageLine(messages.front(), kMsgNetFolderSetting);
        }
    }
    for (size_t i = 0; i < values.profiles.size(); ++i) {
        const std::string position = " (wireless profile " + std::to_string(i + 1) + ")";
        if (i >= kWirelessSlotCount) {
            return MessageLine(kMsgMaxWirelessSettings, kMsgWirelessSetting) + position;
        }
        CNetworkSetting& profile = values.profiles[i];
        const std::u16string confirmation = profile.m_strNetworkKey;
        if (const int message =
                CheckWirelessProfileEntries(profile, confirmation, EMissingAddresses::Kept)
                    .nMessage) {
            return MessageLine(message, kMsgWirelessLanSetting) + position;
        }
    }
    return std::nullopt;
}

// Far more than 30 profiles take; a source that never ends is cut off here.
constexpr size_t kMaxSettingsJsonBytes = 1 << 20;
constexpr char kSettingsJson[] = "settings JSON file";

// The settings text, also from a pipe, so that another command's output can
// be fed in: "-" is standard input, and /dev/stdin or a shell's <(...) work
// as well.
std::optional<std::string> ReadSettingsText(const std::string& from, std::ostream& err) {
    platform::CFileBytes read = from == "-"
                                    ? platform::ReadStream(STDIN_FILENO, kMaxSettingsJsonBytes)
                                    : platform::ReadFileOrPipe(from, kMaxSettingsJsonBytes);
    if (!read) {
        err << ReadFailureLine(from == "-" ? "standard input" : from, read.fault, read.systemError,
                               kSettingsJson)
            << '\n';
        return std::nullopt;
    }
    return std::move(read.bytes);
}

const char* ComposeErrorText(ESettingsFileError error) {
    switch (error) {
    case ESettingsFileError::SecretNotEncrypted:
        return "a password or network key could not be encrypted";
    case ESettingsFileError::TooManyProfiles:
        return "more than 30 wireless profiles";
    case ESettingsFileError::UnsafeText:
        return "a value holds a line break or a NUL character";
    default:
        return "the settings could not be composed";
    }
}

int RunCreate(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    CCreateArguments arguments;
    if (!ParseArguments(args, arguments)) {
        err << kCreateCommand.usage;
        return kExitUsage;
    }
    if (!IsUtf8(arguments.out)) {
        err << "quorlan-cli: the folder name is not UTF-8 text\n";
        return kExitUsage;
    }
    const auto text = ReadSettingsText(arguments.from, err);
    if (!text) {
        return kExitUsage;
    }
    const auto settings = nlohmann::json::parse(*text, nullptr, false);
    if (settings.is_discarded()) {
        err << "quorlan-cli: " << arguments.from << " is not valid JSON\n";
        return kExitFailure;
    }
    CSettingsRecords values;
    std::string error;
    if (!ReadSettingsJson(settings, values, error)) {
        err << "quorlan-cli: " << arguments.from << ": " << error << '\n';
        return kExitFailure;
    }

    SelectLanguageFromLocale();
    if (const auto refusal = Refusal(values)) {
        err << *refusal << '\n';
        return kExitFailure;
    }

    const std::filesystem::path target = std::filesystem::path(arguments.out) / kSettingsFileName;
    const CSettingsFileSave saved = SaveSettingsFile(target, ComposeSettingsFile(values));
    if (saved.error == ESettingsFileError::NotSaved) {
        err << SaveFailureLine(target.string(), saved.systemError) << '\n';
        return kExitFailure;
    }
    if (!saved) {
        err << "quorlan-cli: nothing written: " << ComposeErrorText(saved.error) << '\n';
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
    "4 WPA2 PSK AES, 5 WPA2 PSK TKIP. Profiles are in priority order.\n"
    "Before anything is written the settings are checked as the dialog checks them:\n"
    "the network folder entries as for creating a file, then each profile as the\n"
    "wireless LAN property dialog checks it when it is added (with its silent\n"
    "corrections: no key without security, no bad proxy entries with the proxy off),\n"
    "and at most 30 profiles. A refusal prints the dialog's message as\n"
    "CAPTION: TEXT, with the profile's position for a profile.\n"
    "With --from - the settings come from standard input, for example\n"
    "from 'quorlan-cli show --reveal'.\n"
    "Exits 0 when written, 1 when the settings are refused or the file cannot be\n"
    "written (an existing file is then left as it was), 2 on bad arguments.\n",
    RunCreate};
