#include "cli_fixture.h"
#include "platform/file_reader.h"
#include "settings/profile_fields.h"
#include "tests/support/whole_file.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <regex>
#include <set>

namespace {

// Standard input of the process is a pipe holding the text, as after
// "producer | quorlan-cli create --from -".
class CStandardInput {
public:
    explicit CStandardInput(const std::string& text) : m_saved(::dup(STDIN_FILENO)) {
        int pipe[2];
        if (::pipe(pipe) == 0) {
            (void)!::write(pipe[1], text.data(), text.size());
            ::close(pipe[1]);
            ::dup2(pipe[0], STDIN_FILENO);
            ::close(pipe[0]);
        }
    }
    ~CStandardInput() {
        ::dup2(m_saved, STDIN_FILENO);
        ::close(m_saved);
    }
    CStandardInput(const CStandardInput&) = delete;
    CStandardInput& operator=(const CStandardInput&) = delete;

private:
    int m_saved;
};

using CCommandOptions = std::map<std::string, std::set<std::string>>;

class CommandLineConventionsTest : public CliTest {
protected:
    std::string Written() const {
        return ReadWholeFile(m_folder / "NetworkSetting.ini").value_or("<none>");
    }

    // The commands of the overview, and the options of each command's usage line.
    CCommandOptions CommandsOfHelp() {
        CCommandOptions commands;
        Run({"--help"});
        const std::string overview = m_out.str();
        const std::regex commandLine(R"(\n  ([a-z-]+) )");
        for (std::sregex_iterator it(overview.begin(), overview.end(), commandLine), end; it != end;
             ++it) {
            commands[(*it)[1]];
        }
        const std::regex option(R"(--[a-z-]+)");
        for (auto& [name, options] : commands) {
            Run({name, "--help"});
            const std::string usage = m_out.str();
            // The usage may go on over indented lines.
            static const std::regex usageLines(R"(^Usage:[^\n]*(\n +[^\n]*)*)");
            std::smatch found;
            std::regex_search(usage, found, usageLines);
            const std::string usageLine = found.str();
            for (std::sregex_iterator it(usageLine.begin(), usageLine.end(), option), end;
                 it != end; ++it) {
                options.insert(it->str());
            }
        }
        return commands;
    }
};

TEST_F(CommandLineConventionsTest, VersionIsTheProjectVersion) {
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(m_out.str(), "quorlan-cli " QUORLAN_VERSION "\n");
    EXPECT_EQ(m_err.str(), "");
}

TEST_F(CommandLineConventionsTest, DashReadsTheSettingsFromStandardInput) {
    const std::string settings = R"({"wireless": [{"ssid": "FromPipe"}]})";
    ASSERT_EQ(
        Run({"create", "--from", WriteFile("s.json", settings), "--out", m_folder.Path().string()}),
        0);
    const std::string fromFile = Written();
    std::filesystem::remove(m_folder / "NetworkSetting.ini");

    {
        CStandardInput input(settings);
        ASSERT_EQ(Run({"create", "--from", "-", "--out", m_folder.Path().string()}), 0)
            << m_err.str();
    }
    EXPECT_EQ(Written(), fromFile);
    EXPECT_NE(fromFile.find("WIRELESS_SSID=FromPipe"), std::string::npos);
}

TEST_F(CommandLineConventionsTest, EmptyStandardInputWritesNothing) {
    CStandardInput input("");
    EXPECT_EQ(Run({"create", "--from", "-", "--out", m_folder.Path().string()}), 1);
    EXPECT_NE(m_err.str().find("not valid JSON"), std::string::npos) << m_err.str();
    EXPECT_FALSE(std::filesystem::exists(m_folder / "NetworkSetting.ini"));
}

// The entries of the page's COMMANDS section: ".TP", then ".B NAME ..." with
// the options written as \-\-name.
CCommandOptions CommandsOfManualPage(const std::string& page) {
    CCommandOptions commands;
    const size_t begin = page.find(".SH COMMANDS");
    const size_t end = page.find(".SH", begin + 1);
    const std::string section = page.substr(begin, end - begin);
    // Names may spell their hyphens as roff does, "\-".
    const std::regex entry(R"(\.TP\n\.B ([a-z]+(?:\\?-[a-z]+)*)([^\n]*))");
    const std::regex option(R"(\\-\\-([a-z-]+))");
    for (std::sregex_iterator it(section.begin(), section.end(), entry), last; it != last; ++it) {
        auto& options = commands[std::regex_replace((*it)[1].str(), std::regex(R"(\\-)"), "-")];
        const std::string rest = (*it)[2];
        for (std::sregex_iterator o(rest.begin(), rest.end(), option), none; o != none; ++o) {
            options.insert("--" + (*o)[1].str());
        }
    }
    return commands;
}

TEST_F(CommandLineConventionsTest, ManualPageNamesEveryCommandAndOptionOfHelp) {
    const auto page = ReadWholeFile(QUORLAN_SOURCE_DIR "/man/quorlan-cli.1");
    ASSERT_TRUE(page.has_value());
    const CCommandOptions fromHelp = CommandsOfHelp();
    ASSERT_GE(fromHelp.size(), 6u);
    EXPECT_EQ(CommandsOfManualPage(*page), fromHelp);
}

// A field added to the table is one the user can reach only if the help's
// example and the manual name it; the example lists them in the JSON's order.
TEST_F(CommandLineConventionsTest, HelpAndManualPageNameEveryMemberOfAProfile) {
    const auto page = ReadWholeFile(QUORLAN_SOURCE_DIR "/man/quorlan-cli.1");
    ASSERT_TRUE(page.has_value());
    Run({"create", "--help"});
    const std::string help = m_out.str();
    std::vector<const CProfileField*> inJsonOrder;
    for (const CProfileField& field : kProfileFields) {
        inJsonOrder.push_back(&field);
    }
    std::ranges::sort(inJsonOrder, {}, &CProfileField::jsonRank);
    size_t previous = 0;
    for (const CProfileField* field : inJsonOrder) {
        const std::string name(field->jsonName);
        const size_t at = help.find('"' + name + '"');
        EXPECT_NE(at, std::string::npos) << name << " is not in the help";
        EXPECT_GT(at, previous) << name << " is out of the JSON's order in the help";
        previous = at == std::string::npos ? previous : at;
        EXPECT_TRUE(std::regex_search(*page, std::regex("\\b" + name + "\\b")))
            << name << " is not in the manual page";
    }
}

} // namespace
