#include "catalogue/message_catalogue.h"
#include "catalogue/message_line.h"
#include "cli/commands.h"
#include "cli/file_errors.h"
#include "cli/settings_json.h"
#include "platform/utf8_text.h"
#include "settings/settings_file_reader.h"

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
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        const bool isOperand = optionsEnded || (!arg.empty() && arg[0] != '-');
        if (isOperand && parsed.file.empty() && !arg.empty()) {
            parsed.file = arg;
        } else if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == option) {
            parsed.bOption = true;
        } else {
            return std::nullopt;
        }
    }
    if (parsed.file.empty()) {
        return std::nullopt;
    }
    return parsed;
}

// The arguments of a load; nothing, with the usage told, otherwise.
std::optional<CLoadArguments> LoadArguments(std::span<const std::string> args, const char* option,
                                            const CCommand& command, std::ostream& err) {
    auto arguments = ParseArguments(args, option);
    if (!arguments) {
        err << command.usage;
        return std::nullopt;
    }
    if (!IsUtf8(arguments->file)) {
        err << "quorlan-cli: the file name is not UTF-8 text\n";
        return std::nullopt;
    }
    SelectLanguageFromLocale();
    return arguments;
}

// The file as the reader read it; nothing, with the reason told, when it
// could not be read: the reader gives a file it cannot read as defaults,
// which a check must not pass for a good file.
std::optional<CSettingsFileContents> ReadFileToLoad(const std::string& file, std::ostream& err) {
    CSettingsFileContents contents = ReadSettingsFile(file);
    if (contents.readFault != platform::EReadFault::None) {
        err << ReadFailureLine(file, contents.readFault, contents.nReadError, "settings file")
            << '\n';
        return std::nullopt;
    }
    return contents;
}

int ExitCodeOf(int loadResult) { return loadResult == 1 ? kExitSuccess : kExitFailure; }

int RunCheck(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const auto arguments = LoadArguments(args, "--ids", kCheckCommand, err);
    const auto contents = arguments ? ReadFileToLoad(arguments->file, err) : std::nullopt;
    if (!contents) {
        return kExitUsage;
    }
    for (const CRejectedValue& value : contents->rejected) {
        if (arguments->bOption) {
            out << value.nMessageId << '\n';
        } else {
            out << MessageLine(value.nMessageId, value.nCaptionId) << '\n';
        }
    }
    return ExitCodeOf(contents->Result());
}

int RunShow(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const auto arguments = LoadArguments(args, "--reveal", kShowCommand, err);
    const auto contents = arguments ? ReadFileToLoad(arguments->file, err) : std::nullopt;
    if (!contents) {
        return kExitUsage;
    }
    for (const CRejectedValue& value : contents->rejected) {
        err << MessageLine(value.nMessageId, value.nCaptionId) << '\n';
    }
    out << SettingsJsonOf(contents->records, arguments->bOption)
               .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << '\n';
    return ExitCodeOf(contents->Result());
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
