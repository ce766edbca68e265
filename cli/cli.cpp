#include "cli/cli.h"

#include "cli/commands.h"
#include "platform/version_resource.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <span>
#include <string_view>

namespace {

constexpr std::array kCommands = {&kCreateCommand,
                                  &kCheckCommand,
                                  &kShowCommand,
                                  &kEncryptCommand,
                                  &kDecryptCommand,
                                  &kMessagesCommand,
                                  &kImportNetworkManagerCommand};

void PrintOverview(std::ostream& out) {
    out << "Usage: quorlan-cli COMMAND [ARGUMENTS]\n"
           "Creates, checks and shows the player's NetworkSetting.ini without a display.\n\n"
           "Commands:\n";
    size_t nameWidth = 0;
    for (const CCommand* command : kCommands) {
        nameWidth = std::max(nameWidth, std::string_view(command->name).size());
    }
    for (const CCommand* command : kCommands) {
        out << "  " << command->name
            << std::string(nameWidth + 2 - std::string_view(command->name).size(), ' ')
            << command->summary << '\n';
    }
    out << "\nRun 'quorlan-cli COMMAND --help' for the arguments of a command,\n"
           "'quorlan-cli --version' for the version.\n";
}

const CCommand* FindCommand(std::string_view name) {
    const auto found =
        std::find_if(kCommands.begin(), kCommands.end(),
                     [name](const CCommand* command) { return command->name == name; });
    return found == kCommands.end() ? nullptr : *found;
}

bool IsHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintOverview(err);
        return kExitUsage;
    }
    if (args[0] == "--version") {
        out << "quorlan-cli " << platform::ProductVersion() << '\n';
        return kExitSuccess;
    }
    if (IsHelp(args[0]) || args[0] == "help") {
        const CCommand* command = args.size() > 1 ? FindCommand(args[1]) : nullptr;
        if (command != nullptr) {
            out << command->usage;
        } else {
            PrintOverview(out);
        }
        return kExitSuccess;
    }
    const CCommand* command = FindCommand(args[0]);
    if (command == nullptr) {
        err << "quorlan-cli: unknown command '" << args[0] << "'\n\n";
        PrintOverview(err);
        return kExitUsage;
    }
    const std::span<const std::string> rest(args.begin() + 1, args.end());
    // After "--" every argument is an operand: a secret may be "-h".
    const auto options = std::find(rest.begin(), rest.end(), "--");
    if (std::any_of(rest.begin(), options, [](const std::string& a) { return IsHelp(a); })) {
        out << command->usage;
        return kExitSuccess;
    }
    return command->run(rest, out, err);
}
