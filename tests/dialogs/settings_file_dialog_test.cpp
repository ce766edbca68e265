// The main dialog and its settings file: what a load shows in the controls,
// and what a write takes from them. The values are the reader's and the
// writer's, tested on their own.
#include "catalogue/message_ids.h"
#include "settings/secret_cipher.h"
#include "settings_state_fixture.h"

#include <algorithm>

namespace {

std::string Encrypted(const std::u16string& secret) {
    std::u16string text;
    EXPECT_EQ(EncryptSecret(secret.c_str(), text), 1);
    return std::string(text.begin(), text.end());
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
    const auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.starts_with(key + "=");
    });
    return found == lines.end() ? "<missing>" : found->substr(key.size() + 1);
}

class SettingsFileDialogTest : public SettingsStateTest {
protected:
    int LoadBytes(const std::string& bytes) {
        EXPECT_TRUE(platform::SaveFileAtomically(FilePath(), bytes));
        return m_state.LoadSettingsFile(FilePath()).result;
    }
    int Load(const std::vector<std::string>& lines) { return LoadBytes(Lines(lines)); }
    std::vector<int> Shown() { return Messages(kMsgLoadSettings); }

    std::vector<std::u16string> ListedSsids() const {
        std::vector<std::u16string> ssids;
        for (int line = 0; line < m_window->ItemCount(IDC_WIRELESS_LIST); ++line) {
            ssids.push_back(m_window->ItemText(IDC_WIRELESS_LIST, line));
        }
        return ssids;
    }
};

// A missing file changes nothing; an empty one is every key missing.
TEST_F(SettingsFileDialogTest, MissingFileLeavesTheDialogAndAnEmptyOneReadsAsDefaults) {
    m_window->Click(IDC_NETFOLDER_CUSTOMIZE);
    m_window->Click(IDC_WIRED_DHCP_OFF);
    m_window->Click(IDC_WIRED_USE_PROXY);
    m_window->Click(IDC_USE_WIRELESS);
    m_window->SetAddress(IDC_WIRED_DNS, {{8, 8, 8, 8}, 4});
    m_state.AppendWirelessProfile(Profile(u"old"));

    const auto missing = m_state.LoadSettingsFile((m_folder / "missing.ini").u16string());
    EXPECT_EQ(missing.readFault, platform::EReadFault::Missing);
    EXPECT_EQ(missing.result, 0);
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_CUSTOMIZE), 1);
    EXPECT_EQ(m_window->ItemCount(IDC_WIRELESS_LIST), 1);

    EXPECT_EQ(LoadBytes(""), 1);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_DEFAULT), 1);
    EXPECT_FALSE(m_window->IsEnabled(IDC_DEVICE_NAME));
    EXPECT_EQ(m_window->Check(IDC_WIRED_DHCP_ON), 1);
    EXPECT_FALSE(m_window->IsEnabled(IDC_WIRED_DNS));
    EXPECT_EQ(m_window->Address(IDC_WIRED_DNS).filled, 0);
    EXPECT_EQ(m_window->Check(IDC_WIRED_USE_PROXY), 0);
    EXPECT_FALSE(m_window->IsEnabled(IDC_WIRED_PROXY_ADDRESS));
    EXPECT_EQ(m_window->Check(IDC_ENABLE_NETWORK_DEVICE), 1) << "a missing key means on";
    EXPECT_EQ(m_window->Check(IDC_USE_WIRELESS), 0);
    EXPECT_EQ(m_window->ItemCount(IDC_WIRELESS_LIST), 0);
    EXPECT_EQ(m_state.m_wirelessSlots[0], CNetworkSetting()) << "the old profile's slot is free";
}

// What a load read shows in the controls, and what it refused, as message
// boxes; the values themselves are the reader's.
TEST_F(SettingsFileDialogTest, ReadValuesShowInTheControlsAndRefusedOnesAsMessageBoxes) {
    EXPECT_EQ(
        Load({"[NewtworkFolderSetting]", "NETFOLDER_NAME=kordavin-1", "NETFOLDER_UID=guest",
              "NETFOLDER_PASS=" + Encrypted(u"caf\u00e9 pw"), "[Common]",
              "NETWORK_DEVICE_POWER_MANAGEMENT=0", "NETWORK_PRIORITY=1", "[UserNetworkSetting]",
              "WIRED_DHCP=0", "WIRED_IP=192.168.1.20", "WIRED_PROXY=1", "WIRED_PROXY_ADDRESS=proxy",
              "WIRED_PROXY_PORT=80", "WIRELESS_SSID_3=third", "WIRELESS_SSID_5=fifth"}),
        1);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_CUSTOMIZE), 1);
    for (const int edit : {IDC_DEVICE_NAME, IDC_USER_ID, IDC_PASSWORD, IDC_CONFIRM_PASSWORD}) {
        EXPECT_TRUE(m_window->IsEnabled(edit));
    }
    EXPECT_EQ(m_window->Text(IDC_DEVICE_NAME), u"kordavin-1");
    EXPECT_EQ(m_window->Text(IDC_USER_ID), u"guest");
    EXPECT_EQ(m_window->Text(IDC_PASSWORD), u"caf\u00e9 pw");
    EXPECT_EQ(m_window->Text(IDC_CONFIRM_PASSWORD), u"caf\u00e9 pw");
    EXPECT_EQ(m_window->Check(IDC_ENABLE_NETWORK_DEVICE), 0);
    EXPECT_EQ(m_window->Check(IDC_USE_WIRELESS), 1);
    EXPECT_EQ(m_window->Check(IDC_WIRED_DHCP_OFF), 1);
    for (const int control : {IDC_WIRED_IP_ADDRESS, IDC_WIRED_SUBNET_MASK,
                              IDC_WIRED_DEFAULT_GATEWAY, IDC_WIRED_DNS, IDC_WIRED_DNS_SECONDARY}) {
        EXPECT_TRUE(m_window->IsEnabled(control));
    }
    EXPECT_EQ(m_window->Address(IDC_WIRED_IP_ADDRESS), (IpField{{192, 168, 1, 20}, 4}));
    EXPECT_EQ(m_window->Check(IDC_WIRED_USE_PROXY), 1);
    EXPECT_TRUE(m_window->IsEnabled(IDC_WIRED_PROXY_PORT));
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_ADDRESS), u"proxy");
    EXPECT_EQ(ListedSsids(), (std::vector<std::u16string>{u"third", u"fifth"}));
    EXPECT_EQ(m_window->CurSel(IDC_WIRELESS_LIST), 0);

    // Refused values: one message box each, in order, and the good ones stay.
    EXPECT_EQ(Load({"[UserNetworkSetting]", "WIRELESS_SSID_2=" + std::string(40, 'x'),
                    "WIRED_PROXY=1", "WIRED_IP=1.2.3.4", "WIRED_DNS=999.1.1.1",
                    "[NewtworkFolderSetting]", "NETFOLDER_NAME=12345", "NETFOLDER_UID=u"}),
              0);
    EXPECT_EQ(Shown(),
              (std::vector<int>{kMsgBadFileDeviceName, kMsgBadFileDns, kMsgFileProxyAddressMissing,
                                kMsgFileProxyPortMissing, kMsgBadFileSsid}));
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_CUSTOMIZE), 1) << "the choice stays Customize";
    EXPECT_EQ(m_window->Text(IDC_DEVICE_NAME), u"");
    EXPECT_EQ(m_window->Text(IDC_USER_ID), u"u");
    EXPECT_EQ(m_window->Address(IDC_WIRED_IP_ADDRESS), (IpField{{1, 2, 3, 4}, 4}));
    EXPECT_EQ(m_window->Address(IDC_WIRED_DNS).filled, 0);
    EXPECT_EQ(m_window->Check(IDC_WIRED_USE_PROXY), 1) << "the proxy stays on";
    EXPECT_EQ(m_window->ItemCount(IDC_WIRELESS_LIST), 0);
}

TEST_F(SettingsFileDialogTest, LoadLeavesExactlyTheSlotsOfTheNewLinesInUse) {
    // Add four, delete the first and third, add two more: slots 0 and 2 are reused.
    for (const auto* ssid : {u"a", u"b", u"c", u"d"}) {
        m_state.AppendWirelessProfile(Profile(ssid));
    }
    const auto deleteLine = [&](int line) {
        CNetworkSetting* slot = m_state.SlotOfLine(line);
        m_window->DeleteItem(IDC_WIRELESS_LIST, line);
        slot->Reset();
    };
    deleteLine(0);
    deleteLine(1);
    m_state.AppendWirelessProfile(Profile(u"e"));
    m_state.AppendWirelessProfile(Profile(u"f"));
    ASSERT_EQ(m_window->ItemData(IDC_WIRELESS_LIST, 2), 0);

    Load({"[UserNetworkSetting]", "WIRELESS_SSID=one", "WIRELESS_SSID_4=two",
          "WIRELESS_SSID_9=three"});
    EXPECT_EQ(ListedSsids(), (std::vector<std::u16string>{u"one", u"two", u"three"}));
    for (int line = 0; line < 3; ++line) {
        EXPECT_EQ(m_window->ItemData(IDC_WIRELESS_LIST, line), line);
    }
    for (int slot = 3; slot < kWirelessSlotCount; ++slot) {
        EXPECT_EQ(m_state.m_wirelessSlots[slot], CNetworkSetting()) << slot;
    }
    // Afterwards every further profile up to the 30th still finds a slot.
    for (int added = 3; added < kWirelessSlotCount; ++added) {
        EXPECT_EQ(m_state.AppendWirelessProfile(Profile(u"more")), added);
    }
    EXPECT_EQ(m_state.AppendWirelessProfile(Profile(u"31st")), -1);

    // A slot in use without a line (a broken state) is freed as well.
    m_state.m_wirelessSlots[29] = Profile(u"orphan");
    m_window->DeleteItem(IDC_WIRELESS_LIST, 29);
    Load({});
    EXPECT_EQ(m_window->ItemCount(IDC_WIRELESS_LIST), 0);
    EXPECT_EQ(m_window->CurSel(IDC_WIRELESS_LIST), -1);
    EXPECT_EQ(m_state.m_wirelessSlots[29], CNetworkSetting());
}

TEST_F(SettingsFileDialogTest, ListOrderNotSlotOrderDecidesPriority) {
    m_state.AppendWirelessProfile(Profile(u"A"));
    m_state.AppendWirelessProfile(Profile(u"B"));
    // Delete the first line and free its slot, as the list's Delete does.
    m_state.SlotOfLine(0)->Reset();
    m_window->DeleteItem(IDC_WIRELESS_LIST, 0);
    ASSERT_EQ(m_state.AppendWirelessProfile(Profile(u"C")), 1);
    EXPECT_EQ(m_state.SlotOfLine(1), &m_state.m_wirelessSlots[0]) << "slot 0 is reused";
    const auto lines = WrittenLines();
    EXPECT_EQ(ValueOf(lines, "WIRELESS_SSID"), "B");
    EXPECT_EQ(ValueOf(lines, "WIRELESS_SSID_2"), "C");
}

TEST_F(SettingsFileDialogTest, ReorderedListIsWrittenAndReadInItsNewOrder) {
    for (const auto* ssid : {u"first", u"second", u"third"}) {
        m_state.AppendWirelessProfile(Profile(ssid));
    }
    // Priority Up on the last line: it moves above the second.
    const std::intptr_t slot = m_window->ItemData(IDC_WIRELESS_LIST, 2);
    m_window->DeleteItem(IDC_WIRELESS_LIST, 2);
    m_window->InsertItem(IDC_WIRELESS_LIST, 1, u"third");
    m_window->SetItemData(IDC_WIRELESS_LIST, 1, slot);
    ASSERT_EQ(m_state.WriteSettingsFile(FilePath()), 1);
    ASSERT_EQ(m_state.LoadSettingsFile(FilePath()).result, 1);
    EXPECT_EQ(m_window->ItemText(IDC_WIRELESS_LIST, 1), u"third");
    EXPECT_EQ(m_window->ItemData(IDC_WIRELESS_LIST, 1), 1) << "slots follow the list again";
    EXPECT_EQ(m_state.SlotOfLine(1)->m_strSsid, u"third");
}

} // namespace
