#include "cli/nm_keyfile_reader.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

class NmKeyfileReaderTest : public ::testing::Test {
protected:
    CNmKeyfile Read(const std::string& text, const std::string& name = "net.nmconnection") {
        std::ofstream(m_folder / name, std::ios::binary) << text;
        return ReadNmKeyfile(m_folder / name);
    }
    // A Wi-Fi connection; further lines first land in the [wifi] group.
    CNmConnection ReadWifi(const std::string& wifiLines, const std::string& otherGroups = "") {
        const CNmKeyfile keyfile =
            Read("[connection]\nid=Net\ntype=wifi\n[wifi]\n" + wifiLines + "\n" + otherGroups);
        EXPECT_EQ(keyfile.status, ENmKeyfileStatus::Read) << keyfile.strProblem;
        return keyfile.connection;
    }

    CTempFolder m_folder;
};

TEST_F(NmKeyfileReaderTest, ConnectionValuesAndTheirDefaults) {
    const CNmKeyfile keyfile =
        Read("# written by hand\n[connection]\nid=Home Net\nuuid=u-1\ntype=wifi\n"
             "autoconnect=false\nautoconnect-priority=-5\n"
             "timestamp=1733700000\n[wifi]\nssid=Home\n");
    ASSERT_EQ(keyfile.status, ENmKeyfileStatus::Read) << keyfile.strProblem;
    const CNmConnection& connection = keyfile.connection;
    EXPECT_EQ(connection.m_strId, "Home Net");
    EXPECT_EQ(connection.m_strUuid, "u-1");
    EXPECT_EQ(connection.m_strType, "wifi");
    EXPECT_FALSE(connection.m_bAutoconnect);
    EXPECT_EQ(connection.m_nAutoconnectPriority, -5);
    EXPECT_EQ(connection.m_nTimestamp, 1733700000);
    EXPECT_EQ(connection.m_strKeyMgmt, "") << "no security group";
    EXPECT_EQ(connection.m_strIpv4Method, "auto") << "no ipv4 group";

    const CNmKeyfile unnamed = Read("[connection]\ntype=ethernet\n", "Office LAN.nmconnection");
    EXPECT_EQ(unnamed.connection.m_strId, "Office LAN") << "known by its file name";
    EXPECT_TRUE(unnamed.connection.m_bAutoconnect);
    EXPECT_EQ(unnamed.connection.m_nAutoconnectPriority, 0);
}

TEST_F(NmKeyfileReaderTest, SsidInTextAndByteListForms) {
    EXPECT_EQ(ReadWifi("ssid=Cafe Wi-Fi").m_strSsid, "Cafe Wi-Fi");
    EXPECT_EQ(ReadWifi("ssid=72;111;109;101;").m_strSsid, "Home");
    EXPECT_EQ(ReadWifi("ssid=0;255;").m_strSsid, std::string("\0\xFF", 2));
    // A byte beyond 255 makes it no byte list; NetworkManager escapes the
    // semicolons of a text form.
    EXPECT_EQ(ReadWifi("ssid=1000;").m_strSsid, "1000;");
    EXPECT_EQ(ReadWifi("ssid=72;256;").m_strSsid, "72;256;");
    EXPECT_EQ(ReadWifi("ssid=123").m_strSsid, "123") << "digits alone are text";
    EXPECT_EQ(ReadWifi("ssid=16\\\\;17\\\\;").m_strSsid, "16;17;");
    EXPECT_EQ(ReadWifi("ssid=\\sleading\\ttab").m_strSsid, " leading\ttab");
    // A hand-written "\;", which GLib refuses, is read as NetworkManager reads it.
    EXPECT_EQ(ReadWifi("ssid=a\\;b").m_strSsid, "a;b");
    EXPECT_EQ(ReadWifi("ssid=a\\;b\\sc\\\\d\\x").m_strSsid, "a;b c\\d\\x");

    const CNmConnection hidden = ReadWifi("ssid=Secret\nhidden=true\nmode=adhoc");
    EXPECT_TRUE(hidden.m_bHidden);
    EXPECT_EQ(hidden.m_strMode, "adhoc");
}

TEST_F(NmKeyfileReaderTest, SecurityValuesUnderEitherGroupName) {
    const CNmConnection wpa =
        ReadWifi("ssid=A", "[wifi-security]\nkey-mgmt=wpa-psk\npsk=\\spass;word\nproto=wpa;rsn;\n"
                           "pairwise=tkip\n");
    EXPECT_EQ(wpa.m_strKeyMgmt, "wpa-psk");
    EXPECT_EQ(wpa.m_strPsk, " pass;word") << "escapes undone, semicolons kept";
    EXPECT_EQ(wpa.m_arrProtos, (std::vector<std::string>{"wpa", "rsn"}));
    EXPECT_EQ(wpa.m_arrPairwise, (std::vector<std::string>{"tkip"}));

    const CNmKeyfile wep = Read("[connection]\nid=Old\ntype=802-11-wireless\n"
                                "[802-11-wireless]\nssid=Old\n[802-11-wireless-security]\n"
                                "key-mgmt=none\nwep-key0=abcde\nwep-key2=0102030405\n"
                                "wep-tx-keyidx=2\nwep-key-type=1\n");
    ASSERT_EQ(wep.status, ENmKeyfileStatus::Read) << wep.strProblem;
    EXPECT_EQ(wep.connection.m_strSsid, "Old");
    EXPECT_EQ(wep.connection.m_strKeyMgmt, "none");
    EXPECT_EQ(wep.connection.m_arrWepKeys,
              (std::array<std::string, 4>{"abcde", "", "0102030405", ""}));
    EXPECT_EQ(wep.connection.m_nWepTxKeyIndex, 2);
    EXPECT_EQ(wep.connection.m_nWepKeyType, 1);
}

TEST_F(NmKeyfileReaderTest, FirstAddressWithPrefixGatewayAndDns) {
    const CNmConnection manual =
        ReadWifi("ssid=A", "[ipv4]\nmethod=manual\naddress2=10.0.0.9/8\n"
                           "address1=192.168.1.20/23,192.168.1.1\ndns=8.8.8.8;1.1.1.1;9.9.9.9;\n");
    EXPECT_EQ(manual.m_strIpv4Method, "manual");
    EXPECT_EQ(manual.m_strAddress, "192.168.1.20");
    EXPECT_EQ(manual.m_nPrefix, 23);
    EXPECT_EQ(manual.m_strGateway, "192.168.1.1");
    EXPECT_EQ(manual.m_arrDns, (std::vector<std::string>{"8.8.8.8", "1.1.1.1", "9.9.9.9"}));

    const CNmConnection separate = ReadWifi(
        "ssid=A", "[ipv4]\nmethod=manual\naddresses1=10.1.2.3,10.1.2.254\ngateway=10.1.2.1\n");
    EXPECT_EQ(separate.m_strAddress, "10.1.2.3");
    EXPECT_EQ(separate.m_nPrefix, 24) << "no prefix";
    EXPECT_EQ(separate.m_strGateway, "10.1.2.1") << "the gateway key wins";
}

TEST_F(NmKeyfileReaderTest, MalformedFilesNameTheirProblem) {
    const std::pair<std::string, std::string> cases[] = {
        {"[connection\nid=x\n", "not a keyfile: line 1 is neither"},
        {"just text\n", "not a keyfile: line 1 is neither"},
        {"[connection]\nid=A\n\n  # note\npsk MyRealPassphrase\n", "line 5 is neither"},
        {"[connection]\nid=A\ntype=wifi\n[wifi-security]\nkey-mgmt=wpa-psk\npsk="
         "My\xffRealPassphrase\n",
         "[wifi-security] psk"},
        {"[wifi]\nssid=A\n", "no [connection] group"},
        {"[connection]\nid=A\n", "type: missing"},
        {"[connection]\nid=A\ntype=wifi\nautoconnect-priority=high\n",
         "[connection] autoconnect-priority"},
        {"[connection]\nid=A\ntype=wifi\n[wifi]\nhidden=maybe\n", "[wifi] hidden"},
        {"[connection]\nid=A\ntype=wifi\n[wifi-security]\nkey-mgmt=none\nwep-tx-keyidx="
         "99999999999\n",
         "out of range"},
        // Just past what 32 bits hold, either way.
        {"[connection]\nid=A\ntype=wifi\nautoconnect-priority=2147483648\n", "out of range"},
        {"[connection]\nid=A\ntype=wifi\nautoconnect-priority=-2147483649\n", "out of range"},
        {"[connection]\nid=A\ntype=wifi\n[wifi-security]\nkey-mgmt=none\nwep-tx-keyidx="
         "4294967296\n",
         "out of range"},
        {"[connection]\nid=A\ntype=wifi\n[ipv4]\naddress1=10.0.0.1/x\n", "[ipv4] address1"},
        {"[connection]\nid=A\ntype=wifi\n[wifi-security]\npsk=12345678\n",
         "[wifi-security] key-mgmt: missing"},
    };
    for (const auto& [text, problem] : cases) {
        const CNmKeyfile keyfile = Read(text);
        EXPECT_EQ(keyfile.status, ENmKeyfileStatus::Malformed) << text;
        EXPECT_NE(keyfile.strProblem.find(problem), std::string::npos)
            << text << "gave: " << keyfile.strProblem;
        EXPECT_EQ(keyfile.strProblem.find("RealPassphrase"), std::string::npos)
            << "a line is never quoted";
    }
}

TEST_F(NmKeyfileReaderTest, AFileThatCannotBeOpenedIsNotAKeyfile) {
    EXPECT_EQ(ReadNmKeyfile(m_folder / "missing.nmconnection").status, ENmKeyfileStatus::Malformed);
    EXPECT_EQ(ReadNmKeyfile(m_folder.Path()).status, ENmKeyfileStatus::Malformed);
}

TEST_F(NmKeyfileReaderTest, LastUsesByUuid) {
    Read("[timestamps]\nu-1=1733700000\nu-2=soon\nu-3=-1\n", "timestamps");
    EXPECT_EQ(ReadNmTimestamps(m_folder / "timestamps"),
              (std::map<std::string, long long>{{"u-1", 1733700000}, {"u-3", -1}}));
    EXPECT_TRUE(ReadNmTimestamps(m_folder / "missing").empty());
    Read("[timestamps\n", "broken");
    EXPECT_TRUE(ReadNmTimestamps(m_folder / "broken").empty());
}

} // namespace
