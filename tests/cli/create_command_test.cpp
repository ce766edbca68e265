#include "cli_fixture.h"
#include "platform/file_reader.h"
#include "tests/support/whole_file.h"

#include <fcntl.h>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

class CreateCommandTest : public CliTest {
protected:
    int Create(const std::string& json) {
        return Run({"create", "--from", WriteFile("settings.json", json), "--out",
                    m_folder.Path().string()});
    }
    std::string Written() const {
        return ReadWholeFile(m_folder / "NetworkSetting.ini").value_or("<none>");
    }
    static std::string ProfileLines(const std::string& suffix, const std::string& ssid) {
        return "WIRELESS_DHCP" + suffix + "=1\r\nWIRELESS_IP" + suffix +
               "=\r\nWIRELESS_SUBNET_MASK" + suffix + "=\r\nWIRELESS_DEFAULT_GATEWAY" + suffix +
               "=\r\nWIRELESS_DNS" + suffix + "=\r\nWIRELESS_DNS_SECONDARY" + suffix +
               "=\r\nWIRELESS_PROXY" + suffix + "=0\r\nWIRELESS_PROXY_ADDRESS" + suffix +
               "=\r\nWIRELESS_PROXY_PORT" + suffix + "=\r\nWIRELESS_SSID" + suffix + "=" + ssid +
               "\r\nWIRELESS_SEQLITY_MODE" + suffix + "=0\r\nWIRELESS_PSK" + suffix +
               "=\r\nWIRELESS_FORCE" + suffix + "=0\r\nWIRELESS_CONNECTION_AUTOMATICALLY" + suffix +
               "=1\r\n";
    }
    static constexpr const char* kHeader = "[NewtworkFolderSetting]\r\nNETFOLDER_NAME=\r\n"
                                           "NETFOLDER_UID=\r\nNETFOLDER_PASS=\r\n[Common]\r\n";
};

TEST_F(CreateCommandTest, ReproducesTheSingleProfileExample) {
    ASSERT_EQ(Create(R"({"enableNetworkDevice": true, "wireless": [{"ssid": "HomeNet",
        "stealth": false, "securityMode": 0, "networkKey": "", "dhcp": true}]})"),
              0)
        << m_err.str();
    EXPECT_EQ(Written(), std::string(kHeader) +
                             "NETWORK_DEVICE_POWER_MANAGEMENT=1\r\nWIRELESS_SETTING_TOTAL=1\r\n"
                             "[UserNetworkSetting]\r\n" +
                             ProfileLines("", "HomeNet"));
}

TEST_F(CreateCommandTest, EmptyListAndThirtyProfiles) {
    ASSERT_EQ(Create("{}"), 0);
    EXPECT_EQ(Written(), std::string(kHeader) +
                             "NETWORK_DEVICE_POWER_MANAGEMENT=0\r\nWIRELESS_SETTING_TOTAL=0\r\n");

    std::string profiles;
    std::string expected = std::string(kHeader) +
                           "NETWORK_DEVICE_POWER_MANAGEMENT=0\r\nWIRELESS_SETTING_TOTAL=30\r\n"
                           "[UserNetworkSetting]\r\n";
    for (int p = 1; p <= 30; ++p) {
        profiles +=
            (p > 1 ? "," : "") + std::string(R"({"ssid": "net)") + std::to_string(p) + "\"}";
        expected += ProfileLines(p == 1 ? "" : "_" + std::to_string(p), "net" + std::to_string(p));
    }
    ASSERT_EQ(Create(R"({"wireless": [)" + profiles + "]}"), 0) << m_err.str();
    EXPECT_EQ(Written(), expected);

    EXPECT_EQ(Create(R"({"wireless": [)" + profiles + R"(, {"ssid": "31"}]})"), 1);
    EXPECT_EQ(Written(), expected) << "a refused file is not written";
}

TEST_F(CreateCommandTest, AddressesAndFolderValues) {
    ASSERT_EQ(Create(R"({"networkFolder": {"customize": true, "deviceName": "kordavin-1",
        "userId": "guest", "password": "pw"}, "wireless": [{"ssid": "Lab", "dhcp": false,
        "ipAddress": "192.168.1.20", "subnetMask": "255.255.255.0", "dns": "8.8.8.8"}]})"),
              0)
        << m_err.str();
    const std::string file = Written();
    EXPECT_NE(file.find("NETFOLDER_NAME=kordavin-1\r\nNETFOLDER_UID=guest\r\nNETFOLDER_PASS="),
              std::string::npos);
    EXPECT_NE(file.find("WIRELESS_IP=192.168.1.20\r\nWIRELESS_SUBNET_MASK=255.255.255.0\r\n"),
              std::string::npos);
    EXPECT_NE(file.find("WIRELESS_DNS=8.8.8.8\r\n"), std::string::npos);
    EXPECT_NE(file.find("WIRELESS_DHCP=0\r\n"), std::string::npos);
}

// What "show --reveal" prints of a file that "check" calls clean is created
// again, byte for byte: DHCP off without addresses too, as a loaded file has
// it.
TEST_F(CreateCommandTest, ShowOfACleanFileCreatesItAgain) {
    const std::string original = kHeader +
                                 std::string("NETWORK_DEVICE_POWER_MANAGEMENT=1\r\n"
                                             "WIRELESS_SETTING_TOTAL=1\r\n"
                                             "[UserNetworkSetting]\r\n") +
                                 ProfileLines("", "Lab");
    std::string dhcpOff = original;
    dhcpOff.replace(dhcpOff.find("WIRELESS_DHCP=1"), 15, "WIRELESS_DHCP=0");
    const std::string file = WriteFile("NetworkSetting.ini", dhcpOff);
    ASSERT_EQ(Run({"check", file}), 0);
    ASSERT_EQ(m_out.str(), "");
    ASSERT_EQ(Run({"show", "--reveal", file}), 0);
    const std::string json = WriteFile("shown.json", m_out.str());
    std::filesystem::remove(file);
    ASSERT_EQ(Run({"create", "--from", json, "--out", m_folder.Path().string()}), 0) << m_err.str();
    EXPECT_EQ(Written(), dhcpOff);

    // Entered in the tool's own JSON, a loopback address is still refused.
    EXPECT_EQ(Create(R"({"wireless": [{"ssid": "a", "dhcp": false, "ipAddress": "127.0.0.1",
        "subnetMask": "255.0.0.0"}]})"),
              1);
}

TEST_F(CreateCommandTest, RefusesMalformedSettingsNamingTheMember) {
    ASSERT_EQ(Create("{}"), 0);
    const std::string old = Written();
    const std::pair<const char*, const char*> cases[] = {
        {"not json", "not valid JSON"},
        {"[]", "must be a JSON object"},
        {R"({"colour": 1})", "colour: unknown member"},
        {R"({"enableNetworkDevice": 1})", "enableNetworkDevice: expected true or false"},
        {R"({"networkFolder": {"userId": 5}})", "networkFolder.userId: expected a string"},
        {R"({"wireless": {}})", "wireless: expected an array"},
        {R"({"wireless": [{"ssid": "a", "securityMode": 6}]})", "wireless[0].securityMode"},
        {R"({"wireless": [{"ssid": "a"}, {"ssid": "b", "dns": "1.2.3.256"}]})", "wireless[1].dns"},
        {R"({"wireless": [{"ssid": "a", "ipAddress": "1.2.3.4.5"}]})", "wireless[0].ipAddress"},
        {R"({"wireless": [{"ssid": "a", "ipAddress": "1..3"}]})", "wireless[0].ipAddress"},
        {R"({"wireless": [{"ssid": ""}]})", "Please input SSID. (wireless profile 1)"},
        {R"({"wireless": [{"ssid": "a", "extra": true}]})", "wireless[0].extra: unknown member"},
        // An address begun is not an address left out.
        {R"({"wireless": [{"ssid": "a", "dhcp": false, "ipAddress": "10.0.0"}]})",
         "Please input IP address. (wireless profile 1)"},
        {R"({"wireless": [{"ssid": "a", "dhcp": false, "ipAddress": "10.0.0.1",
            "subnetMask": "255.255"}]})",
         "Please input Subnet mask address."},
        // The player trims a vertical tab as it trims a space.
        {R"({"wireless": [{"ssid": "\u000bHome"}]})", "The SSID must not begin or end"},
        // What the code pages (1252 and 850 here) cannot hold would reach the
        // player as "?".
        {R"({"wireless": [{"ssid": "Жar"}]})", "Please use ASCII characters for SSID."},
        {R"({"wireless": [{"ssid": "a", "securityMode": 2, "networkKey": "pass€word"}]})",
         "Invalid character is entered for network key."},
        {R"({"wireless": [{"ssid": "a", "useProxy": true, "proxyAddress": "Ж.example",
            "proxyPort": "8080"}]})",
         "Invalid character is entered for proxy address."},
        {R"({"networkFolder": {"customize": true, "deviceName": "d1", "userId": "u",
            "password": "Øpw€"}})",
         "Please use ASCII characters for Network folder password."},
    };
    for (const auto& [json, message] : cases) {
        EXPECT_EQ(Create(json), 1) << json;
        EXPECT_NE(m_err.str().find(message), std::string::npos) << json << " -> " << m_err.str();
        EXPECT_EQ(Written(), old) << json;
    }
}

TEST_F(CreateCommandTest, FailedWriteIsReportedAndBadArgumentsGiveUsage) {
    const std::string json = WriteFile("s.json", "{}");
    EXPECT_EQ(Run({"create", "--from", json, "--out", (m_folder / "missing").string()}), 1);
    EXPECT_NE(m_err.str().find("could not write"), std::string::npos);
    EXPECT_NE(m_err.str().find("/missing/NetworkSetting.ini: no such folder"), std::string::npos)
        << m_err.str();
    m_err.str("");
    std::filesystem::create_directory(m_folder / "NetworkSetting.ini");
    EXPECT_EQ(Run({"create", "--from", json, "--out", m_folder.Path().string()}), 1);
    EXPECT_NE(m_err.str().find("not a regular file"), std::string::npos) << m_err.str();
    m_err.str("");
    EXPECT_EQ(Run({"create", "--from", json, "--out", json + "/below-a-file"}), 1);
    EXPECT_NE(m_err.str().find("NetworkSetting.ini: Not a directory"), std::string::npos)
        << "the system's own words: " << m_err.str();
    EXPECT_EQ(Run({"create", "--from", (m_folder / "none.json").string(), "--out", "."}), 2);
    EXPECT_EQ(Run({"create", "--from", json}), 2);
    EXPECT_EQ(Run({"create", "--out", ".", "--out", "."}), 2);
}

// A save survives a crash at any moment: the new file's bytes reach the disk,
// it takes the old one's name, and then the folder's entry reaches the disk.
// Traced in the system calls of the built program.
TEST_F(CreateCommandTest, ASaveFlushesTheFileThenRenamesItThenFlushesTheFolder) {
    if (std::system("command -v strace >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "strace is not installed";
    }
    const std::string json = WriteFile("s.json", "{}");
    const std::string trace = (m_folder / "trace").string();
    // LeakSanitizer cannot work under a tracer.
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 strace -f -qq -o '" + trace +
                                "' -e trace=openat,fsync,fdatasync,rename,renameat,renameat2 " +
                                QUORLAN_CLI + " create --from '" + json + "' --out '" +
                                m_folder.Path().string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    std::vector<std::string> calls;
    std::istringstream lines(ReadWholeFile(trace).value_or(""));
    for (std::string line; std::getline(lines, line);) {
        // Without the process id, which strace pads to a width.
        calls.push_back(
            line.substr(std::min(line.find_first_not_of(' ', line.find(' ')), line.size())));
    }
    const auto find = [&calls](const std::regex& pattern, size_t from, std::smatch* match) {
        for (size_t at = from; at < calls.size(); ++at) {
            if (std::regex_search(calls[at], *match, pattern)) {
                return at;
            }
        }
        return calls.size();
    };
    std::smatch renamed;
    const size_t rename = find(std::regex("^rename.*\\(\"([^\"]+)\", \"" +
                                          (m_folder / "NetworkSetting.ini").string() + "\"\\) = 0"),
                               0, &renamed);
    ASSERT_LT(rename, calls.size()) << "no rename into the settings file";
    const std::string temporary = renamed[1];
    std::smatch opened;
    const size_t open =
        find(std::regex("^openat\\(AT_FDCWD, \"" + temporary + "\".* = ([0-9]+)$"), 0, &opened);
    ASSERT_LT(open, rename);
    std::smatch synced;
    const size_t fileSync =
        find(std::regex("^f(data)?sync\\(" + opened[1].str() + "\\) += 0"), open, &synced);
    EXPECT_LT(fileSync, rename) << "the bytes reach the disk before the name changes";
    std::smatch folder;
    const size_t folderOpen = find(std::regex("^openat\\(AT_FDCWD, \"" + m_folder.Path().string() +
                                              "/?\".*O_DIRECTORY.* = ([0-9]+)$"),
                                   rename, &folder);
    ASSERT_LT(folderOpen, calls.size()) << "the folder is not opened after the rename";
    EXPECT_LT(find(std::regex("^fsync\\(" + folder[1].str() + "\\) += 0"), folderOpen, &synced),
              calls.size())
        << "the folder's entry is not flushed after the rename";
}

// Another command's output comes through a pipe, not a file.
TEST_F(CreateCommandTest, SettingsComeThroughAPipe) {
    const std::string pipe = (m_folder / "settings.pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([&pipe] { std::ofstream(pipe) << R"({"wireless": [{"ssid": "Piped"}]})"; });
    const int exitCode = Run({"create", "--from", pipe, "--out", m_folder.Path().string()});
    // Should create not have read, the writer still waits for a reader.
    const int unblock = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    writer.join();
    ::close(unblock);
    EXPECT_EQ(exitCode, 0) << m_err.str();
    EXPECT_NE(Written().find("WIRELESS_SSID=Piped\r\n"), std::string::npos);

    EXPECT_EQ(Run({"create", "--from", "/dev/zero", "--out", m_folder.Path().string()}), 2)
        << "a source that never ends";
    EXPECT_NE(m_err.str().find("larger than a settings JSON file can be"), std::string::npos);
    EXPECT_EQ(Run({"create", "--from", m_folder.Path().string(), "--out", "."}), 2);
    EXPECT_EQ(m_err.str(), "quorlan-cli: " + m_folder.Path().string() +
                               ": a folder, not a settings JSON file\n");
}

} // namespace
