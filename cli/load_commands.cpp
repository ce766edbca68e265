#include "catalogue/message_catalogue.h"
#include "cli/commands.h"
#include "cli/message_line.h"
#include "cli/settings_json.h"
#include "cli/text_conversion.h"
#include "platform/atomic_file.h"
#include "settings/settings_file_reader.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>

namespace {

struct CLoadArguments {
    bool bOption = false; // the command's one option: --ids or --reveal
    std::string file;
};

std::optional<CLoadArguments> ParseArguments(std::span<const std::string> args,
                                             const char* option) {
    CLoadArguments parsed;
    for (const std::string& arg : args) {
        if (arg == option) {
            parsed.bOption = true;
        } else if (parsed.file.empty() && !arg.empty() && arg[0] != '-') {
            parsed.file = arg;
        } else {
            return std::nullopt;
        }
    }
    if (parsed.file.empty()) {
        return std::nullopt;
    }
    return parsed;
}

// As the load flow, the command makes sure there is a file to read: the
// reader itself takes a missing file as all defaults.
bool IsReadableFile(const std::string& file, std::ostream& err) {
    if (!IsUtf8(file)) {
        err << "quorlan-cli: the file name is not UTF-8 text\n";
        return false;
    }
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status)) {
        err << "quorlan-cli: " << file << ": no such file\n";
        return false;
    }
    if (std::filesystem::is_directory(status)) {
        err << "quorlan-cli: " << file << " is a folder, not a settings file\n";
        return false;
    }
    // A FIFO or a device is never opened: it could block or never end.
    if (!std::filesystem::is_regular_file(status)) {
        err << "quorlan-cli: " << file << " is not a regular file\n";
        return false;
    }
    if (!platform::ReadWholeFile(file, 1)) {
        err << "quorlan-cli: " << file << ": cannot be read: " << std::strerror(errno) << '\n';
        return false;
    }
    return true;
}

// The arguments of a load, once the file is known to be there; nothing, with
// the reason told, otherwise.
std::optional<CLoadArguments> LoadArguments(std::span<const std::string> args, const char* option,
                                            const CCommand& command, std::ostream& err) {
    auto arguments = ParseArguments(args, option);
    if (!arguments) {
        err << command.usage;
        return std::nullopt;
    }
    if (!IsReadableFile(arguments->file, err)) {
        return std::nullopt;
    }
    SelectLanguageFromLocale();
    return arguments;
}

int ExitCodeOf(int loadResult) { return loadResult == 1 ? kExitSuccess : kExitFailure; }

int RunCheck(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const auto arguments = LoadArguments(args, "--ids", kCheckCommand, err);
    if (!arguments) {
        return kExitUsage;
    }
    const CSettingsFileContents contents = ReadSettingsFile(arguments->file);
    for (const CRejectedValue& value : contents.rejected) {
        if (arguments->bOption) {
            out << value.nMessageId << '\n';
        } else {
            out << MessageLine(value.nMessageId, value.nCaptionId) << '\n';
        }
    }
    return ExitCodeOf(contents.Result());
}

int RunShow(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const auto arguments = LoadArguments(args, "--reveal", kShowCommand, err);
    if (!arguments) {
        return kExitUsage;
    }
    const CSettingsFileContents contents = ReadSettingsFile(arguments->file);
    for (const CRejectedValue& value : contents.rejected) {
        err << MessageLine(value.nMessageId, value.nCaptionId) << '\n';
    }
    out << SettingsJsonOf(contents.records, arguments->bOption)
               .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << '\n';
    return ExitCodeOf(contents.Result());
}

} // namespace

const CCommand kCheckCommand{
    "check", "load NetworkSetting.ini and print every problem found",
    "Usage: quorlan-cli check [--ids] FILE\n"
    "Loads FILE as the dialog's \"Load settings\" does and prints each message the\n"
    "dialog would show, in order, one a line as CAPTION: TEXT in the language\n"
    "chosen from the locale. With --ids each line is the message number alone.\n"
    "Exits 0 when every value was good, 1 when a value was rejected, 2 when FILE\n"
    "does not exist or cannot be read, or on bad arguments.\n",
    RunCheck};

const CCommand kShowCommand{
    "show", "load NetworkSetting.ini and print the settings as JSON",
    "Usage: quorlan-cli show [--reveal] FILE\n"
    "Loads FILE as the dialog's \"Load settings\" does, prints each message the\n"
    "dialog would show to standard error as CAPTION: TEXT, and prints the settings\n"
    "the dialog then holds as JSON, in the form 'quorlan-cli create --from' reads:\n"
    "wireless profiles in priority order, addresses as dotted text (\"\" when not\n"
    "entered). The password and network keys show as \"********\" unless --reveal\n"
    "is given; with it the output re-creates the file:\n"
    "  quorlan-cli show --reveal FILE | quorlan-cli create --from - --out DIR\n"
    "Exit codes as for check.\n",
    RunShow};
