#include "catalogue/message_catalogue.h"
#include "cli/cli.h"
#include "tests/support/locale_environment.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (auto end = text.find(separator); end != std::string::npos;
         end = text.find(separator, start)) {
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

struct CliResult {
    int exitCode;
    std::vector<std::string> lines; // without the empty piece after the last newline
    std::string err;
};

CliResult RunQuorlanCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = RunCli(args, out, err);
    auto lines = Split(out.str(), '\n');
    EXPECT_EQ(lines.back(), "") << "output must end with a line break";
    lines.pop_back();
    return {exitCode, lines, err.str()};
}

TEST(MessagesCommand, AllPrintsTheWholeTable) {
    const CliResult result = RunQuorlanCli({"messages", "--all"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    ASSERT_EQ(result.lines.size(), 165u);
    EXPECT_EQ(result.lines[0], "id\tDefault\tEnglish\tFrench\tGerman\tSwedish\tDutch\tFinnish\t"
                               "Norwegian\tRussian\tJapanese\tChinese\tDanish\tItalian\tPolish\t"
                               "Spanish");
    for (std::size_t row = 1; row < result.lines.size(); ++row) {
        const auto cells = Split(result.lines[row], '\t');
        ASSERT_EQ(cells.size(), 16u) << row;
        EXPECT_EQ(cells[0], std::to_string(row - 1));
    }
    const auto row31 = Split(result.lines[32], '\t');
    EXPECT_EQ(row31[10], "%sのネットワーク電源をオンにする");
    EXPECT_EQ(row31[6], "Netwerk apparaat aanzetten");
    EXPECT_EQ(Split(result.lines[43], '\t')[3], ""); // row 42, French
}

TEST(MessagesCommand, PrintsTheLanguageOfTheLocale) {
    const CLocaleEnvironment environment(nullptr, nullptr, "ja_JP.UTF-8");
    const CliResult result = RunQuorlanCli({"messages"});
    ASSERT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.lines.size(), static_cast<size_t>(kMessageCount));
    EXPECT_EQ(result.lines[0], "0\tネットワーク設定");
    EXPECT_EQ(result.lines[31], "31\t%sのネットワーク電源をオンにする");
    EXPECT_EQ(result.lines[42], "42\t");
    EXPECT_EQ(result.lines[157], "157\tローカル コンピューター");
}

TEST(MessagesCommand, UnlistedLocaleShowsEnglish) {
    const CLocaleEnvironment environment(nullptr, nullptr, "es_US.UTF-8");
    const CliResult result = RunQuorlanCli({"messages"});
    ASSERT_EQ(result.lines.size(), static_cast<size_t>(kMessageCount));
    EXPECT_EQ(result.lines[10], "10\tExit");
    EXPECT_EQ(result.lines[79], "79\tYou can use only \"0-9\", \"a-z\", \"A-Z\", \"-\" and \"_\"  "
                                "for Network folder user ID.");
}

TEST(MessagesCommand, BadArgumentsPrintUsage) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"messages", "--al"},
          std::vector<std::string>{"messages", "--all", "--all"},
          std::vector<std::string>{"messages", "ja"}}) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli(args, out, err), 2);
        EXPECT_EQ(out.str(), "");
        EXPECT_NE(err.str().find("Usage: quorlan-cli messages"), std::string::npos);
    }
}

} // namespace
