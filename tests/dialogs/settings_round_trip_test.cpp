#include "settings_state_fixture.h"

#include <random>

namespace {

// Characters that survive the file unchanged: the ANSI code page (1252) has
// every one, and none is a blank or quote that the INI rules would trim.
const std::u16string kFileTextChars = [] {
    std::u16string chars = u"abcxyzABCXYZ0189-_.:/!#$%&()*+,<=>?@[]^{|}~;";
    for (char16_t c = 0xA0; c <= 0xFF; ++c) {
        chars += c;
    }
    return chars;
}();
// Secrets go through the OEM code page (850) encrypted, so blanks and quotes
// are fine there; code 0x80 to 0x9F is not in it.
const std::u16string kSecretChars = [] {
    std::u16string chars;
    for (char16_t c = 0x01; c <= 0xFF; ++c) {
        if (c < 0x80 || c > 0x9F) {
            chars += c;
        }
    }
    return chars;
}();

class CStateGenerator {
public:
    explicit CStateGenerator(unsigned seed) : m_random(seed) {}

    int Number(int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(m_random);
    }
    bool Coin() { return Number(0, 1) == 1; }
    std::u16string Text(const std::u16string& chars, int lowest, int highest) {
        std::u16string text(static_cast<size_t>(Number(lowest, highest)), u' ');
        for (auto& c : text) {
            c = chars[static_cast<size_t>(Number(0, static_cast<int>(chars.size()) - 1))];
        }
        return text;
    }

    IpField Address(bool mayBeLoopback) {
        IpField address;
        address.filled = static_cast<std::uint8_t>(Number(0, 4));
        for (auto& octet : address.octets) {
            octet = static_cast<std::uint8_t>(Number(0, 255));
        }
        if (!mayBeLoopback && address.octets[0] == 127) {
            address.octets[0] = 10;
        }
        return address;
    }

    std::u16string Key(int mode) {
        const std::u16string hex = u"0123456789abcdefABCDEF";
        if (mode == kSecurityWep) {
            return Coin() ? Text(kSecretChars, 5, 5) + (Coin() ? Text(kSecretChars, 8, 8) : u"")
                          : Text(hex, 10, 10) + (Coin() ? Text(hex, 16, 16) : u"");
        }
        if (mode != kSecurityNone) {
            return Coin() ? Text(kSecretChars, 8, 63) : Text(hex, 64, 64);
        }
        return u"";
    }

    CNetworkSetting Profile() {
        CNetworkSetting profile;
        profile.m_strSsid = Text(kFileTextChars, 1, 32);
        profile.m_nForce = Coin();
        profile.m_nSecurityMode = Number(kSecurityNone, kSecurityWpa2PskTkip);
        profile.m_strNetworkKey = Key(profile.m_nSecurityMode);
        profile.m_nDhcp = Coin();
        profile.m_ipAddress = Address(false);
        profile.m_ipSubnetMask = Address(true);
        profile.m_ipDefaultGateway = Address(true);
        profile.m_ipDns = Address(true);
        profile.m_ipDnsSecondary = Address(true);
        profile.m_nUseProxy = Coin();
        const bool entries = profile.m_nUseProxy == 1 || Coin();
        if (entries) {
            profile.m_strProxyAddress = Text(kFileTextChars, 1, 80);
            profile.m_strProxyPort =
                DecimalText(Number(1, 65535)) + (Coin() ? u"" : Text(u"abc:/", 1, 3));
        }
        profile.m_nConnectAutomatically = Number(0, 3) != 0;
        return profile;
    }

private:
    std::mt19937 m_random;
};

// What the file keeps of a profile: an address only when fully entered.
CNetworkSetting AsStored(CNetworkSetting profile) {
    for (IpField* address :
         {&profile.m_ipAddress, &profile.m_ipSubnetMask, &profile.m_ipDefaultGateway,
          &profile.m_ipDns, &profile.m_ipDnsSecondary}) {
        if (!address->IsEntered()) {
            *address = IpField();
        }
    }
    return profile;
}

class RoundTripTest : public SettingsStateTest {
protected:
    struct CNetFolder {
        int customize;
        std::u16string name, userId, password;
    };

    CNetFolder NetFolder(CStateGenerator& generate) {
        const std::u16string letters = u"abcxyzABCXYZ";
        CNetFolder folder{generate.Coin(), u"", u"", u""};
        folder.name = generate.Text(letters, 1, 1) +
                      generate.Text(u"0123456789-abcXYZ", 0, 14); // never digits or hyphens only
        folder.userId = generate.Text(u"0123456789-_abcXYZ", 1, 32);
        std::u16string printable;
        for (char16_t c : kSecretChars) {
            if ((c >= 0x20 && c <= 0x7E) || c >= 0xA0) {
                printable += c;
            }
        }
        folder.password = generate.Text(printable, 0, 32);
        return folder;
    }
};

TEST_F(RoundTripTest, WrittenFilesReadBackWithoutMessagesToTheSameState) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CStateGenerator generate(seed);
        CQuorlanDlgState written;
        const auto writtenWindow = m_ui.Open(written);
        const CNetFolder folder = NetFolder(generate);
        writtenWindow->Click(folder.customize ? IDC_NETFOLDER_CUSTOMIZE : IDC_NETFOLDER_DEFAULT);
        writtenWindow->SetText(IDC_DEVICE_NAME, folder.name);
        writtenWindow->SetText(IDC_USER_ID, folder.userId);
        writtenWindow->SetText(IDC_PASSWORD, folder.password);
        writtenWindow->SetCheck(IDC_ENABLE_NETWORK_DEVICE, generate.Coin());
        std::vector<CNetworkSetting> profiles;
        const int count = seed % 5 == 0 ? kWirelessSlotCount : generate.Number(0, 29);
        for (int i = 0; i < count; ++i) {
            profiles.push_back(generate.Profile());
            written.AppendWirelessProfile(profiles.back());
        }
        ASSERT_EQ(written.WriteSettingsFile(FilePath()), 1);

        CQuorlanDlgState read;
        const auto readWindow = m_ui.Open(read);
        EXPECT_EQ(read.LoadSettingsFile(FilePath()), 1);
        EXPECT_TRUE(m_ui.MessageBoxes().empty());
        m_ui.ClearMessageBoxes();

        EXPECT_EQ(read.m_nNetFolderChoice, folder.customize);
        const CNetFolder expected = folder.customize ? folder : CNetFolder{0, u"", u"", u""};
        EXPECT_EQ(readWindow->Text(IDC_DEVICE_NAME), expected.name);
        EXPECT_EQ(readWindow->Text(IDC_USER_ID), expected.userId);
        EXPECT_EQ(readWindow->Text(IDC_PASSWORD), expected.password);
        EXPECT_EQ(readWindow->Text(IDC_CONFIRM_PASSWORD), expected.password);
        EXPECT_EQ(readWindow->Check(IDC_ENABLE_NETWORK_DEVICE),
                  writtenWindow->Check(IDC_ENABLE_NETWORK_DEVICE));
        ASSERT_EQ(readWindow->ItemCount(IDC_WIRELESS_LIST), count);
        for (int line = 0; line < count; ++line) {
            EXPECT_EQ(readWindow->ItemText(IDC_WIRELESS_LIST, line), profiles[line].m_strSsid);
            EXPECT_EQ(*read.SlotOfLine(line), AsStored(profiles[line])) << "line " << line;
        }
    }
}

TEST_F(RoundTripTest, ReorderedListIsWrittenAndReadInItsNewOrder) {
    for (const auto* ssid : {u"first", u"second", u"third"}) {
        m_state.AppendWirelessProfile(Profile(ssid));
    }
    // Priority Up on the last line: it moves above the second.
    const std::intptr_t slot = m_window->ItemData(IDC_WIRELESS_LIST, 2);
    m_window->DeleteItem(IDC_WIRELESS_LIST, 2);
    m_window->InsertItem(IDC_WIRELESS_LIST, 1, u"third");
    m_window->SetItemData(IDC_WIRELESS_LIST, 1, slot);
    ASSERT_EQ(m_state.WriteSettingsFile(FilePath()), 1);
    ASSERT_EQ(m_state.LoadSettingsFile(FilePath()), 1);
    EXPECT_EQ(m_window->ItemText(IDC_WIRELESS_LIST, 1), u"third");
    EXPECT_EQ(m_window->ItemData(IDC_WIRELESS_LIST, 1), 1) << "slots follow the list again";
    EXPECT_EQ(m_state.SlotOfLine(1)->m_strSsid, u"third");
}

} // namespace
