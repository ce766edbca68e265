#include "cli/cli.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/file_reader.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_reader.h"
#include "tests/support/locale_environment.h"
#include "tests/support/temp_folder.h"
#include "tests/support/whole_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using nlohmann::json;

struct CliResult {
    int exitCode;
    std::string out;
    std::string err;
};

class SettingsCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }

    static CliResult Run(const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int exitCode = RunCli(args, out, err);
        return {exitCode, out.str(), err.str()};
    }
    std::string File(const std::string& name) const { return (m_folder / name).string(); }
    std::string Settings() const { return File("NetworkSetting.ini"); }

    std::string WriteFile(const std::string& name, const std::string& bytes) {
        EXPECT_TRUE(platform::SaveFileAtomically(File(name), bytes));
        return File(name);
    }
    CliResult Create(const json& settings) {
        return Run({"create", "--from", WriteFile("settings.json", settings.dump()), "--out",
                    m_folder.Path().string()});
    }
    json Show(const std::string& file, bool reveal = true) {
        const CliResult result = Run(reveal ? std::vector<std::string>{"show", "--reveal", file}
                                            : std::vector<std::string>{"show", file});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return json::parse(result.out);
    }

    const CLocaleEnvironment m_locale{nullptr, nullptr, "en_US.UTF-8"};
    CTempFolder m_folder;
};

std::string Encrypted(const std::u16string& secret) {
    std::u16string text;
    EncryptSecret(secret.c_str(), text);
    return std::string(text.begin(), text.end());
}

json Profile(const std::string& ssid) { return {{"ssid", ssid}}; }

TEST_F(SettingsCommandsTest, CheckPrintsEachMessageAndExitsByTheResult) {
    const std::string bad = WriteFile("bad.ini", "[NewtworkFolderSetting]\r\n"
                                                 "NETFOLDER_NAME=12345\r\nNETFOLDER_UID=u\r\n"
                                                 "[UserNetworkSetting]\r\nWIRED_IP=127.0.0.1\r\n"
                                                 "WIRELESS_SSID=x\r\nWIRELESS_SEQLITY_MODE=1\r\n");
    CliResult result = Run({"check", bad});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out,
              "Load settings: Invalid Network folder Device name is detected in setting file.\n"
              "Load settings: Invalid IP address.\n"
              "Load settings: Invalid network key is detected in setting file.\n");
    EXPECT_EQ(result.err, "");
    result = Run({"check", "--ids", bad});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "50\n105\n60\n");
    EXPECT_EQ(Run({"check", bad, "--ids"}).out, "50\n105\n60\n");

    const std::string good = WriteFile("good.ini", "[UserNetworkSetting]\r\nWIRELESS_SSID=x\r\n");
    result = Run({"check", good});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Run({"check", WriteFile("empty.ini", "")}).exitCode, 0);

    const CLocaleEnvironment german("de_DE.UTF-8", nullptr, nullptr);
    EXPECT_EQ(Run({"check", bad}).out.substr(0, 22), "Einstellungen laden: U");
}

// The exit code and output of quorlan-cli run in a child whose address space
// is limited as by `ulimit -v kilobytes`; nothing if the child did not end
// normally (an abort on bad_alloc, say).
std::optional<CliResult> RunWithAddressSpaceLimit(const std::vector<std::string>& args,
                                                  rlim_t kilobytes) {
    int pipe[2];
    if (::pipe(pipe) != 0) {
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        const rlimit limit{kilobytes * 1024, kilobytes * 1024};
        ::setrlimit(RLIMIT_AS, &limit);
        std::ostringstream out;
        std::ostringstream err;
        const int exitCode = RunCli(args, out, err);
        const std::string report = std::to_string(exitCode) + "\n" + out.str();
        const bool written =
            ::write(pipe[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(pipe[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t count; (count = ::read(pipe[0], buffer, sizeof buffer)) > 0;) {
        report.append(buffer, static_cast<size_t>(count));
    }
    ::close(pipe[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    const size_t end = report.find('\n');
    return CliResult{std::stoi(report.substr(0, end)), report.substr(end + 1), ""};
}

TEST_F(SettingsCommandsTest, CheckOfSixteenMebibytesOfLineBreaksFitsInALimitedAddressSpace) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves far more address space than the limit";
#endif
    // Millions of empty lines once cost about 140 bytes of memory per byte.
    const std::string tail = "[UserNetworkSetting]\rWIRED_IP=127.0.0.1\r";
    const std::string file =
        WriteFile("breaks.ini", std::string((16 << 20) - tail.size(), '\r') + tail);
    const auto result = RunWithAddressSpaceLimit({"check", file}, 1500000);
    ASSERT_TRUE(result.has_value()) << "the check did not end normally";
    EXPECT_EQ(result->exitCode, 1);
    EXPECT_EQ(result->out, "Load settings: Invalid IP address.\n");
}

// A file larger than a settings file can be is refused, never cut: the
// profile past the limit would be dropped while the check says all is well.
TEST_F(SettingsCommandsTest, CheckAndShowRefuseWhatIsNoFile) {
    ASSERT_EQ(::mkfifo(File("fifo.ini").c_str(), 0600), 0);
    const std::string oversize =
        WriteFile("oversize.ini", std::string(kMaxSettingsFileBytes, ';') +
                                      "\r\n[UserNetworkSetting]\r\nWIRELESS_SSID=late\r\n");
    for (const std::string command : {"check", "show"}) {
        CliResult result = Run({command, File("missing.ini")});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, "quorlan-cli: " + File("missing.ini") + ": no such file\n");
        EXPECT_EQ(result.out, "");
        result = Run({command, m_folder.Path().string()});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find(": a folder, not a settings file"), std::string::npos);
        result = Run({command, oversize});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err,
                  "quorlan-cli: " + oversize + ": larger than a settings file can be\n");
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(Run({command, File("bad\xff.ini")}).exitCode, 2);
        // A FIFO would block a reader for ever, a device never end.
        for (const std::string& notAFile : {File("fifo.ini"), std::string("/dev/zero")}) {
            result = Run({command, notAFile});
            EXPECT_EQ(result.exitCode, 2) << notAFile;
            EXPECT_EQ(result.err, "quorlan-cli: " + notAFile + ": not a regular file\n");
        }
        EXPECT_EQ(Run({command}).exitCode, 2);
        EXPECT_EQ(Run({command, "--unknown", File("missing.ini")}).exitCode, 2);
        result = Run({command, "--help"});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out.find("Usage: quorlan-cli " + command), 0u);
    }
    EXPECT_EQ(Run({"check", "--reveal", File("x")}).exitCode, 2) << "that option is show's";
}

TEST_F(SettingsCommandsTest, ShowPrintsTheLoadedStateWithSecretsMasked) {
    const std::string file =
        WriteFile("show.ini",
                  "[NewtworkFolderSetting]\r\nNETFOLDER_NAME=kordavin-1\r\nNETFOLDER_UID=guest\r\n"
                  "NETFOLDER_PASS=" +
                      Encrypted(u"pw") +
                      "\r\n[Common]\r\nNETWORK_DEVICE_POWER_MANAGEMENT=0\r\n"
                      "[UserNetworkSetting]\r\nWIRELESS_SSID_2=Caf\xe9\r\n"
                      "WIRELESS_SEQLITY_MODE_2=4\r\nWIRELESS_PSK_2=" +
                      Encrypted(u"supersecret") +
                      "\r\nWIRELESS_DHCP_2=0\r\nWIRELESS_IP_2=010.0.0.9\r\n"
                      "WIRELESS_DNS_2=300.1.1.1\r\nWIRELESS_SSID_4=Open\r\n"
                      "WIRELESS_PSK_4=" +
                      Encrypted(u"dropped") + "\r\n");
    CliResult result = Run({"show", file});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Load settings: Invalid DNS value is detected in setting file.\n");
    const json shown = json::parse(result.out);
    EXPECT_EQ(shown["networkFolder"], (json{{"customize", true},
                                            {"deviceName", "kordavin-1"},
                                            {"userId", "guest"},
                                            {"password", "********"}}));
    EXPECT_EQ(shown["enableNetworkDevice"], false);
    ASSERT_EQ(shown["wireless"].size(), 2u);
    EXPECT_EQ(shown["wireless"][0], (json{{"ssid", "Caf\u00e9"},
                                          {"stealth", false},
                                          {"securityMode", 4},
                                          {"networkKey", "********"},
                                          {"dhcp", false},
                                          {"ipAddress", "10.0.0.9"},
                                          {"subnetMask", ""},
                                          {"defaultGateway", ""},
                                          {"dns", ""},
                                          {"dnsSecondary", ""},
                                          {"useProxy", false},
                                          {"proxyAddress", ""},
                                          {"proxyPort", ""},
                                          {"connectAutomatically", true}}));
    EXPECT_EQ(shown["wireless"][1]["ssid"], "Open");
    EXPECT_EQ(shown["wireless"][1]["networkKey"], "") << "no security, no key: nothing to mask";

    const json revealed = Show(WriteFile("clean.ini", "[NewtworkFolderSetting]\r\n"
                                                      "NETFOLDER_NAME=n\r\nNETFOLDER_UID=u\r\n"
                                                      "NETFOLDER_PASS=" +
                                                          Encrypted(u"pw") + "\r\n"));
    EXPECT_EQ(revealed["networkFolder"]["password"], "pw");
    EXPECT_EQ(Show(File("clean.ini"), false)["networkFolder"]["password"], "********");
    EXPECT_EQ(revealed["wireless"], json::array());
}

TEST_F(SettingsCommandsTest, ShowRevealFeedsCreateToTheSameState) {
    json settings = {{"networkFolder",
                      {{"customize", true},
                       {"deviceName", "kordavin-1"},
                       {"userId", "guest_1"},
                       {"password", " p\u00e9 w "}}},
                     {"enableNetworkDevice", true},
                     {"wireless", json::array()}};
    for (int i = 1; i <= 30; ++i) {
        json profile = Profile("Net " + std::to_string(i));
        profile["securityMode"] = i % 6;
        profile["networkKey"] = std::string(i % 6 == 1 ? 13 : 8 + i, 'k');
        profile["stealth"] = i % 2 == 0;
        profile["dhcp"] = i % 3 != 0;
        profile["ipAddress"] = "192.168.1." + std::to_string(i);
        profile["subnetMask"] = "255.255.255.0";
        profile["dns"] = i % 4 == 0 ? "8.8" : "8.8.8.8"; // partly entered: not stored
        profile["useProxy"] = i % 5 == 0;
        profile["proxyAddress"] = i % 5 == 0 ? "proxy.example" : "";
        profile["proxyPort"] = i % 5 == 0 ? "8080x" : "";
        profile["connectAutomatically"] = i != 7;
        settings["wireless"].push_back(profile);
    }
    ASSERT_EQ(Create(settings).exitCode, 0);
    const json first = Show(Settings());
    ASSERT_EQ(first["wireless"].size(), 30u);
    EXPECT_EQ(first["wireless"][3]["dns"], "") << "a partly entered address is not written";
    EXPECT_EQ(first["wireless"][5]["networkKey"], "") << "mode 0 keeps no key";
    EXPECT_EQ(first["wireless"][0]["networkKey"], std::string(13, 'k'));
    EXPECT_EQ(first["networkFolder"]["password"], " p\u00e9 w ");

    ASSERT_EQ(Create(first).exitCode, 0);
    EXPECT_EQ(Show(Settings()), first);
}

TEST_F(SettingsCommandsTest, CreateRefusesWhatTheNetworkFolderPageRefuses) {
    const auto refusal = [&](const json& folder) {
        std::filesystem::remove(Settings());
        const CliResult result = Create({{"networkFolder", folder}});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(std::filesystem::exists(Settings())) << "nothing is written";
        return result.err;
    };
    EXPECT_EQ(refusal({{"customize", true}, {"deviceName", "123"}, {"userId", "bad.user"}}),
              "Network folder setting: The numerical Device name is needed to use with alphabet "
              "characters.\n")
        << "only the first of two bad entries";
    EXPECT_EQ(refusal({{"customize", true}, {"deviceName", "n"}}),
              "Network folder setting: Please input user ID.\n");
    EXPECT_EQ(refusal({{"customize", true},
                       {"deviceName", "n"},
                       {"userId", "u"},
                       {"password", std::string(33, 'p')}}),
              "Network folder setting: Valid length of Network folder password is from 0 to 32 "
              "characters.\n");

    const CliResult passes = Create({{"networkFolder", {{"deviceName", "123"}}}});
    EXPECT_EQ(passes.exitCode, 0) << "the default choice checks nothing";
}

TEST_F(SettingsCommandsTest, CreateRefusesProfilesAsThePropertyDialogDoes) {
    const std::string old = "an older file\r\n";
    ASSERT_TRUE(platform::SaveFileAtomically(Settings(), old));
    const auto refusal = [&](const json& profile, int position = 2) {
        json profiles = json::array({Profile("first")});
        profiles.push_back(profile);
        const CliResult result = Create({{"wireless", profiles}});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(ReadWholeFile(Settings()), old) << "the old file is untouched";
        const std::string suffix = " (wireless profile " + std::to_string(position) + ")\n";
        EXPECT_TRUE(result.err.ends_with(suffix)) << result.err;
        return result.err.substr(0, result.err.size() - suffix.size());
    };
    EXPECT_EQ(refusal(Profile("")), "Wireless LAN setting: Please input SSID.");
    EXPECT_EQ(refusal(Profile(std::string(33, 's'))),
              "Wireless LAN setting: Valid length of SSID is from 1 to 32 characters.");
    EXPECT_EQ(refusal({{"ssid", "\u0100"}}),
              "Wireless LAN setting: Please use ASCII characters for SSID.");
    EXPECT_EQ(refusal({{"ssid", "w"}, {"securityMode", 2}}),
              "Wireless LAN setting: Please input network key.");
    EXPECT_EQ(refusal({{"ssid", "w"}, {"securityMode", 1}, {"networkKey", "123456"}}),
              "Wireless LAN setting: Length of Network key is invalid.");
    EXPECT_EQ(refusal({{"ssid", "w"}, {"securityMode", 1}, {"networkKey", "012345678g"}}),
              "Wireless LAN setting: Invalid character is entered for network key.");
    // What the file would not give back as entered: blanks at an end, quotes
    // around it.
    for (const char* ssid : {" a", "a ", "\"a\"", "'a'", " "}) {
        EXPECT_EQ(refusal({{"ssid", ssid}}),
                  "Wireless LAN setting: The SSID must not begin or end with a space or be "
                  "enclosed in quotation marks: the settings file would not keep it as entered.")
            << ssid;
    }
    EXPECT_NE(
        refusal({{"ssid", "w"}, {"useProxy", true}, {"proxyAddress", "\"p\""}, {"proxyPort", "80"}})
            .find("The proxy address must not begin or end"),
        std::string::npos);
    EXPECT_EQ(
        refusal({{"ssid", "w"}, {"useProxy", true}, {"proxyAddress", "p"}, {"proxyPort", "80 "}}),
        "Wireless LAN setting: Invalid proxy port number.");
    EXPECT_EQ(refusal({{"ssid", "w"},
                       {"dhcp", false},
                       {"ipAddress", "127.0.0.1"},
                       {"subnetMask", "255.0.0.0"}}),
              "Wireless LAN setting: Invalid IP address.");
    EXPECT_EQ(refusal({{"ssid", "w"}, {"useProxy", true}, {"proxyPort", "80"}}),
              "Wireless LAN setting: Please input Proxy address.");
    EXPECT_EQ(
        refusal({{"ssid", "w"}, {"useProxy", true}, {"proxyAddress", "p"}, {"proxyPort", "0"}}),
        "Wireless LAN setting: Invalid proxy port number.");

    json many = json::array();
    for (int i = 0; i < 31; ++i) {
        many.push_back(Profile("n" + std::to_string(i)));
    }
    many[30] = Profile(""); // the 31st is refused for the count, before its own checks
    const CliResult result = Create({{"wireless", many}});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(
        result.err,
        "Wireless setting: Maximum number of wireless setting is 30. (wireless profile 31)\n");
}

TEST_F(SettingsCommandsTest, CreateMakesThePropertyDialogsSilentCorrections) {
    ASSERT_EQ(Create({{"wireless",
                       {{{"ssid", "w"},
                         {"securityMode", 0},
                         {"networkKey", "no security"},
                         {"ipAddress", "127.0.0.1"},
                         {"dns", "127.0.0.1"},
                         {"proxyAddress", "a\tb"},
                         {"proxyPort", "80"}}}}})
                  .exitCode,
              0);
    const json profile = Show(Settings())["wireless"][0];
    EXPECT_EQ(profile["networkKey"], "");
    EXPECT_EQ(profile["ipAddress"], "");
    EXPECT_EQ(profile["dns"], "127.0.0.1");
    EXPECT_EQ(profile["proxyAddress"], "");
    EXPECT_EQ(profile["proxyPort"], "80");
}

TEST_F(SettingsCommandsTest, CreateRefusesTextsThatNoEntryCanHold) {
    for (const std::string& ssid :
         {std::string("a\nWIRELESS_SSID_2=b"), std::string("a\rb"), std::string("a\0b", 3)}) {
        const CliResult result = Create({{"wireless", {Profile(ssid)}}});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err.find("wireless[0].ssid: expected a single line"),
                  result.err.find(": wireless") + 2)
            << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Settings()));
    EXPECT_EQ(Create({{"wireless", {{{"ssid", "w"}, {"securityMode", 6}}}}}).exitCode, 1);
}

} // namespace
