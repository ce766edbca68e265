#include "cli_fixture.h"
#include "tests/support/environment_variable.h"
#include "tests/support/locale_environment.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using nlohmann::json;

std::string WifiKeyfile(const std::string& id, const std::string& ssid,
                        const std::string& moreLines = "") {
    return "[connection]\nid=" + id + "\nuuid=0\ntype=wifi\n" + moreLines +
           "\n[wifi]\nssid=" + ssid + "\n";
}

std::string WpaKeyfile(const std::string& id, const std::string& psk,
                       const std::string& connectionLines = "") {
    return WifiKeyfile(id, id, connectionLines) + "[wifi-security]\nkey-mgmt=wpa-psk\npsk=" + psk +
           "\n";
}

class NmImportCommandTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        std::filesystem::create_directory(Connections());
    }

    std::string Connections() const { return (m_folder / "connections").string(); }
    void WriteKeyfile(const std::string& name, const std::string& text) {
        WriteFile("connections/" + name + ".nmconnection", text);
    }
    int Import(std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"import-networkmanager", "--dir", Connections()};
        args.insert(args.end(), more.begin(), more.end());
        return Run(args);
    }
    json Wireless() const { return json::parse(m_out.str())["wireless"]; }
    std::vector<std::string> SsidsOf(const json& wireless) const {
        std::vector<std::string> ssids;
        for (const json& profile : wireless) {
            ssids.push_back(profile["ssid"]);
        }
        return ssids;
    }

    const CLocaleEnvironment m_locale{nullptr, nullptr, "en_US.UTF-8"};
};

// One of each kind the player can use, and one of each kind it cannot.
TEST_F(NmImportCommandTest, ImportsWhatThePlayerCanUseAndNamesTheRest) {
    WriteKeyfile("Home", WpaKeyfile("Home", "correct horse", "autoconnect-priority=5") +
                             "proto=rsn;\npairwise=ccmp;\n[ipv4]\nmethod=manual\n"
                             "address1=192.168.1.20/24,192.168.1.1\ndns=8.8.8.8;1.1.1.1;\n");
    WriteKeyfile("Bytes",
                 WifiKeyfile("Bytes", "72;105;", "timestamp=1700000000") + "hidden=true\n");
    WriteKeyfile("Old", WifiKeyfile("Old", "Old", "timestamp=1600000000") +
                            "[wifi-security]\nkey-mgmt=none\nwep-key0=0123456789\n");
    WriteKeyfile("Wired", "[connection]\nid=Wired\ntype=ethernet\n");
    WriteKeyfile("Work", WifiKeyfile("Work", "Work") + "[wifi-security]\nkey-mgmt=wpa-eap\n");
    WriteKeyfile("Phone", WifiKeyfile("Phone", "Phone") + "[wifi-security]\nkey-mgmt=sae\n");
    WriteKeyfile("Pass", WifiKeyfile("Pass", "Pass") +
                             "[wifi-security]\nkey-mgmt=none\nwep-key0=open sesame\n"
                             "wep-key-type=2\n");
    WriteKeyfile("Long", WifiKeyfile("Long", std::string(33, 'L')) + "hidden=true\n");
    WriteKeyfile("Cafe", WifiKeyfile("Cafe", "67;97;102;195;169;"));
    WriteKeyfile("Broken", "[connection\n");
    WriteKeyfile("Two\nlines\x1b[2J",
                 WifiKeyfile("Two\\nlines\x1b[31m", "Two") + "[wifi-security]\nkey-mgmt=owe\n");
    WriteKeyfile("Broken\nname", "just text\n");
    WriteFile("connections/Home.nmconnection~", "not a keyfile, and not read");

    EXPECT_EQ(Import(), 1);
    const std::string err = m_err.str();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 8) << "one line each: " << err;
    EXPECT_EQ(err.find('\x1b'), std::string::npos) << "no escape sequence reaches the terminal";
    for (const std::string skipped :
         {"skipped Broken.nmconnection: not a keyfile", "skipped 'Work' (Work.nmconnection): ",
          "skipped 'Phone'", "skipped 'Pass'", "skipped 'Long'", "skipped 'Cafe'",
          "skipped 'Two\\nlines\\x1b[31m' (Two\\nlines\\x1b[2J.nmconnection)",
          "skipped Broken\\nname.nmconnection: not a keyfile"}) {
        EXPECT_NE(err.find("quorlan-cli: " + skipped), std::string::npos) << skipped;
    }

    const json wireless = Wireless();
    EXPECT_EQ(SsidsOf(wireless), (std::vector<std::string>{"Home", "Hi", "Old"}))
        << "priority, then the latest use";
    EXPECT_EQ(wireless[0], (json{{"ssid", "Home"},
                                 {"stealth", false},
                                 {"securityMode", 4},
                                 {"networkKey", "********"},
                                 {"dhcp", false},
                                 {"ipAddress", "192.168.1.20"},
                                 {"subnetMask", "255.255.255.0"},
                                 {"defaultGateway", "192.168.1.1"},
                                 {"dns", "8.8.8.8"},
                                 {"dnsSecondary", "1.1.1.1"},
                                 {"useProxy", false},
                                 {"proxyAddress", ""},
                                 {"proxyPort", ""},
                                 {"connectAutomatically", true}}));
    EXPECT_EQ(wireless[1]["stealth"], true);
    EXPECT_EQ(wireless[1]["securityMode"], 0);
    EXPECT_EQ(wireless[1]["networkKey"], "");
    EXPECT_EQ(wireless[2]["securityMode"], 1);
    EXPECT_EQ(json::parse(m_out.str())["enableNetworkDevice"], true);

    EXPECT_EQ(Import({"--reveal"}), 1);
    EXPECT_EQ(Wireless()[0]["networkKey"], "correct horse");
    EXPECT_EQ(Wireless()[2]["networkKey"], "0123456789");
}

TEST_F(NmImportCommandTest, OutputPipedIntoCreateLoadsWithoutAMessage) {
    WriteKeyfile("Home", WpaKeyfile("Home", "0123456789abcdef0123456789abcdef"
                                            "0123456789abcdef0123456789abcdef") +
                             "proto=wpa;\npairwise=tkip;\n");
    WriteKeyfile("Lab", WifiKeyfile("Lab", "Lab") +
                            "[wifi-security]\nkey-mgmt=none\nwep-key1=abcde\nwep-tx-keyidx=1\n"
                            "[ipv4]\nmethod=manual\naddress1=10.1.2.3/16\ngateway=10.1.0.1\n");
    ASSERT_EQ(Import({"--reveal"}), 0) << m_err.str();
    EXPECT_EQ(m_err.str(), "");
    const json imported = json::parse(m_out.str());

    const std::string card = (m_folder / "card").string();
    std::filesystem::create_directory(card);
    const std::string program = QUORLAN_CLI;
    const std::string pipeline = program + " import-networkmanager --reveal --dir '" +
                                 Connections() + "' | " + program +
                                 " create --from /dev/stdin --out '" + card + "' >/dev/null";
    ASSERT_EQ(std::system(pipeline.c_str()), 0) << pipeline;
    const std::string written = card + "/NetworkSetting.ini";
    EXPECT_EQ(Run({"check", written}), 0);
    EXPECT_EQ(m_out.str(), "");
    ASSERT_EQ(Run({"show", "--reveal", written}), 0);
    EXPECT_EQ(json::parse(m_out.str()), imported);
}

// What NetworkManager itself writes, escapes and all, comes in as the SSID
// that was given to it; the keyfiles are made by nmcli without a daemon.
TEST_F(NmImportCommandTest, SsidsAsNetworkManagerWritesThem) {
    if (std::system("nmcli --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "nmcli is not installed";
    }
    // Printable ASCII only: the player takes no other SSID from an import.
    const std::vector<std::string> ssids = {"a;b",     "a;",  "1;2;", "back\\slash", "a\\;b",
                                            "two\\\\", "x=y", "#h",   "\\s",         "[a]"};
    for (size_t i = 0; i < ssids.size(); ++i) {
        const std::string name = "c" + std::to_string(10 + i);
        const std::string ssidFile = WriteFile("ssid", ssids[i]);
        const std::string keyfile = (m_folder / ("connections/" + name + ".nmconnection")).string();
        ASSERT_EQ(std::system(("nmcli --offline connection add type wifi con-name " + name +
                               " ssid \"$(cat '" + ssidFile + "')\" > '" + keyfile + "'")
                                  .c_str()),
                  0);
        ::chmod(keyfile.c_str(), 0600);
    }
    ASSERT_EQ(Import(), 0) << m_err.str();
    std::vector<std::string> imported = SsidsOf(Wireless());
    std::vector<std::string> expected = ssids;
    std::sort(imported.begin(), imported.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(imported, expected) << m_err.str();
}

TEST_F(NmImportCommandTest, LastUseFromNetworkManagersTimestamps) {
    WriteKeyfile("a", "[connection]\nid=Old\nuuid=u-old\ntype=wifi\ntimestamp=500\n"
                      "[wifi]\nssid=Old\n");
    WriteKeyfile("b", "[connection]\nid=New\nuuid=u-new\ntype=wifi\n[wifi]\nssid=New\n");
    ASSERT_EQ(Import(), 0);
    EXPECT_EQ(SsidsOf(Wireless()), (std::vector<std::string>{"Old", "New"}));
    const std::string timestamps = WriteFile("timestamps", "[timestamps]\nu-new=1000\nu-old=100\n");
    ASSERT_EQ(Import({"--timestamps", timestamps}), 0);
    EXPECT_EQ(SsidsOf(Wireless()), (std::vector<std::string>{"New", "Old"}));
    // The keyfile's own stamp counts where it is the later one.
    WriteFile("timestamps", "[timestamps]\nu-new=400\nu-old=100\n");
    ASSERT_EQ(Import({"--timestamps", timestamps}), 0);
    EXPECT_EQ(SsidsOf(Wireless()), (std::vector<std::string>{"Old", "New"}));

    // NetworkManager's own last uses go with its own folder, never with another.
    WriteFile("timestamps", "[timestamps]\nu-new=1000\n");
    const CEnvironmentVariable systemTimestamps("KORDAVIN_NM_TIMESTAMPS", timestamps);
    ASSERT_EQ(Import(), 0);
    EXPECT_EQ(SsidsOf(Wireless()), (std::vector<std::string>{"Old", "New"}));
    const CEnvironmentVariable systemFolder("KORDAVIN_NM_CONNECTIONS", Connections());
    ASSERT_EQ(Run({"import-networkmanager"}), 0);
    EXPECT_EQ(SsidsOf(Wireless()), (std::vector<std::string>{"New", "Old"}));
}

TEST_F(NmImportCommandTest, TheThirtyFirstIsLeftOut) {
    for (int i = 1; i <= 31; ++i) {
        const std::string name = "net" + std::to_string(i);
        WriteKeyfile(name, WifiKeyfile(name, name, "autoconnect-priority=" + std::to_string(i)));
    }
    EXPECT_EQ(Import(), 1);
    const json wireless = Wireless();
    ASSERT_EQ(wireless.size(), 30u);
    EXPECT_EQ(wireless.front()["ssid"], "net31");
    EXPECT_EQ(wireless.back()["ssid"], "net2");
    EXPECT_EQ(m_err.str(), "quorlan-cli: skipped 'net1' (net1.nmconnection): the player holds no "
                           "more than 30 profiles\n");
}

TEST_F(NmImportCommandTest, NamesChooseConnections) {
    WriteKeyfile("a", WifiKeyfile("Home", "Home"));
    WriteKeyfile("b", WifiKeyfile("Cafe", "Cafe"));
    WriteKeyfile("c", WifiKeyfile("-dash", "Dash"));
    WriteKeyfile("d", "[connection]\nid=Wired\ntype=ethernet\n");
    EXPECT_EQ(Import({"Cafe"}), 0);
    EXPECT_EQ(SsidsOf(Wireless()), (std::vector<std::string>{"Cafe"}));
    EXPECT_EQ(Import({"--", "-dash", "Home"}), 0);
    EXPECT_EQ(SsidsOf(Wireless()), (std::vector<std::string>{"Home", "Dash"}));
    EXPECT_EQ(Import({"Cafe", "Wired", "Nowhere"}), 1);
    EXPECT_EQ(SsidsOf(Wireless()), (std::vector<std::string>{"Cafe"}));
    EXPECT_EQ(m_err.str(), "quorlan-cli: no Wi-Fi connection is named 'Wired'\n"
                           "quorlan-cli: no Wi-Fi connection is named 'Nowhere'\n");
    EXPECT_EQ(Import({"Nowhere"}), 1);
    EXPECT_EQ(m_err.str(), "quorlan-cli: no Wi-Fi connection is named 'Nowhere'\n");
    EXPECT_EQ(Wireless(), json::array());
    // A name that matches nothing is shown on one line, as every note is:
    // each control character escaped, a backslash doubled so that the
    // escapes stay unambiguous, DEL too.
    EXPECT_EQ(Import({"No\nwhere\x1b[2J\\x7f\x7f"}), 1);
    EXPECT_EQ(m_err.str(),
              "quorlan-cli: no Wi-Fi connection is named 'No\\nwhere\\x1b[2J\\\\x7f\\x7f'\n");
}

TEST_F(NmImportCommandTest, FoldersAndArgumentsThatCannotBeUsed) {
    // A FIFO would block the reader for ever.
    ASSERT_EQ(::mkfifo((Connections() + "/fifo.nmconnection").c_str(), 0600), 0);
    WriteKeyfile("Wired", "[connection]\nid=Wired\ntype=ethernet\n");
    EXPECT_EQ(Import(), 0) << "no Wi-Fi connection";
    EXPECT_EQ(json::parse(m_out.str())["enableNetworkDevice"], false);
    EXPECT_EQ(Wireless(), json::array());
    EXPECT_EQ(m_err.str(), "quorlan-cli: no Wi-Fi connections in " + Connections() + "\n");

    const std::string missing = (m_folder / "missing").string();
    EXPECT_EQ(Run({"import-networkmanager", "--dir", missing}), 2);
    EXPECT_EQ(m_err.str(), "quorlan-cli: " + missing + ": no such folder\n");
    EXPECT_EQ(m_out.str(), "");
    const std::string file = WriteFile("plain", "x");
    EXPECT_EQ(Run({"import-networkmanager", "--dir", file}), 2);
    EXPECT_EQ(m_err.str(), "quorlan-cli: " + file + " is not a folder\n");

    for (const std::vector<std::string>& args : {std::vector<std::string>{"--dir"},
                                                 {"--dir", "a", "--dir", "b"},
                                                 {"--timestamps"},
                                                 {"--verbose"}}) {
        EXPECT_EQ(Import(args), 2);
        EXPECT_EQ(m_err.str().find("Usage: quorlan-cli import-networkmanager"), 0u);
    }
}

struct CChildResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the command as a user without rights to the keyfiles: root reads
// them regardless, so a root test run becomes nobody in a child process.
CChildResult RunWithoutRoot(const std::vector<std::string>& args) {
    constexpr uid_t kNobody = 65534;
    CChildResult result;
    std::ostringstream out;
    std::ostringstream err;
    if (::geteuid() != 0) {
        result.exitCode = RunCli(args, out, err);
        return {result.exitCode, out.str(), err.str()};
    }
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return result;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            ::_exit(100);
        }
        const int exitCode = RunCli(args, out, err);
        const std::string report = out.str() + '\0' + err.str();
        const bool written =
            ::write(pipeEnds[1], report.data(), report.size()) == ssize_t(report.size());
        ::_exit(written ? exitCode : 101);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t count; (count = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        report.append(buffer, static_cast<size_t>(count));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    const size_t split = report.find('\0');
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = report.substr(0, split);
    result.err = split == std::string::npos ? "" : report.substr(split + 1);
    return result;
}

TEST_F(NmImportCommandTest, KeyfilesOnlyRootMayReadStopTheImport) {
    namespace fs = std::filesystem;
    WriteKeyfile("a", WifiKeyfile("Home", "Home"));
    WriteKeyfile("b", WifiKeyfile("Cafe", "Cafe"));
    fs::permissions(m_folder.Path(), fs::perms::all);
    fs::permissions(Connections(), fs::perms::owner_all | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
    fs::permissions(Connections() + "/b.nmconnection", fs::perms::none);
    const std::vector<std::string> args = {"import-networkmanager", "--dir", Connections()};

    CChildResult result = RunWithoutRoot(args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "") << "nothing partly printed";
    EXPECT_NE(result.err.find("cannot read the connections in " + Connections()), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("as root"), std::string::npos) << result.err;

    fs::permissions(Connections(), fs::perms::none);
    result = RunWithoutRoot(args);
    fs::permissions(Connections(), fs::perms::owner_all);
    EXPECT_EQ(result.exitCode, 2) << "a folder that cannot be listed";
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(Connections()), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("as root"), std::string::npos) << result.err;
}

} // namespace
