#include "catalogue/message_catalogue.h"
#include "cli/commands.h"
#include "platform/utf8_text.h"

#include <ostream>

namespace {

void PrintSelectedLanguage(std::ostream& out) {
    SelectLanguageFromLocale();
    for (int id = 0; id < kMessageCount; ++id) {
        out << id << '\t' << WideToUtf8(GetMessageText(id)) << '\n';
    }
}

void PrintAllLanguages(std::ostream& out) {
    out << "id";
    for (const CCatalogueLanguage& language : g_Languages) {
        out << '\t' << language.name;
    }
    out << '\n';
    for (int id = 0; id < kMessageCount; ++id) {
        out << id;
        for (int column = 0; column < kLanguageCount; ++column) {
            out << '\t' << WideToUtf8(g_MessageTable[id * kLanguageCount + column]);
        }
        out << '\n';
    }
}

int RunMessages(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintSelectedLanguage(out);
        return kExitSuccess;
    }
    if (args.size() == 1 && args[0] == "--all") {
        PrintAllLanguages(out);
        return kExitSuccess;
    }
    err << kMessagesCommand.usage;
    return kExitUsage;
}

} // namespace

const CCommand kMessagesCommand{
    "messages", "print the message catalogue",
    "Usage: quorlan-cli messages [--all]\n"
    "Prints every message as ID<TAB>TEXT in the language chosen from the locale\n"
    "(LC_ALL, LC_MESSAGES, LANG). With --all, prints the whole catalogue as\n"
    "tab-separated values: a header line, then one line per message with its text\n"
    "in every language.\n",
    RunMessages};
