// Records written and read back: what the file keeps is what was written.
#include "platform/codepage.h"
#include "platform/profile_file.h"
#include "settings/profile_fields.h"
#include "settings/settings_file_reader.h"
#include "settings/settings_file_writer.h"
#include "settings/text_format.h"

#include <gtest/gtest.h>
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

    // Every field by its kind, so that a field added to the table is written
    // and read back too; then the fields whose values the rules tie to others.
    CNetworkSetting Profile() {
        CNetworkSetting profile;
        for (const CProfileField& field : kProfileFields) {
            switch (field.kind) {
            case EFieldKind::Switch:
                profile.*field.number = Coin();
                break;
            case EFieldKind::SecurityMode:
                profile.*field.number = Number(kSecurityNone, kSecurityWpa2PskTkip);
                break;
            case EFieldKind::Address:
                // The one address with a rule of its own refuses loopback.
                profile.*field.address = Address(field.rule.check == nullptr);
                break;
            case EFieldKind::Text:
                profile.*field.text = Text(kFileTextChars, 1, 80);
                break;
            case EFieldKind::Secret:
                profile.*field.text = Text(kSecretChars, 0, 63);
                break;
            }
        }
        profile.m_strSsid = Text(kFileTextChars, 1, 32);
        profile.m_strNetworkKey = Key(profile.m_nSecurityMode);
        profile.m_strProxyPort =
            DecimalText(Number(1, 65535)) + (Coin() ? u"" : Text(u"abc:/", 1, 3));
        if (profile.m_nUseProxy != 1 && Coin()) {
            profile.m_strProxyAddress.clear();
            profile.m_strProxyPort.clear();
        }
        return profile;
    }

private:
    std::mt19937 m_random;
};

// What the file keeps of a profile: an address only when fully entered.
CNetworkSetting AsStored(CNetworkSetting profile) {
    for (const CProfileField& field : kProfileFields) {
        if (field.kind == EFieldKind::Address && !(profile.*field.address).IsEntered()) {
            profile.*field.address = IpField();
        }
    }
    return profile;
}

class RoundTripTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }

    static CNetworkSetting Profile(std::u16string ssid) {
        CNetworkSetting profile;
        profile.m_strSsid = std::move(ssid);
        return profile;
    }
    static CSettingsFileContents RoundTrip(const CSettingsRecords& records) {
        const CComposedSettingsFile file = ComposeSettingsFile(records);
        EXPECT_TRUE(file.bytes.has_value());
        return ReadSettingsFile(platform::CProfileFile(file.bytes.value_or("")));
    }

    static CNetFolderSetting NetFolder(CStateGenerator& generate) {
        const std::u16string letters = u"abcxyzABCXYZ";
        CNetFolderSetting folder;
        folder.m_strNetDeviceName =
            generate.Text(letters, 1, 1) +
            generate.Text(u"0123456789-abcXYZ", 0, 14); // never digits or hyphens only
        folder.m_strUserId = generate.Text(u"0123456789-_abcXYZ", 1, 32);
        std::u16string printable;
        for (char16_t c : kSecretChars) {
            if ((c >= 0x20 && c <= 0x7E) || c >= 0xA0) {
                printable += c;
            }
        }
        folder.m_strPassword = generate.Text(printable, 0, 32);
        return folder;
    }
};

TEST_F(RoundTripTest, WrittenRecordsReadBackWithoutMessages) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CStateGenerator generate(seed);
        CSettingsRecords written;
        written.nNetFolderChoice = generate.Coin();
        written.netFolder = NetFolder(generate);
        written.bEnableNetworkDevice = generate.Coin();
        const int count = seed % 5 == 0 ? kWirelessSlotCount : generate.Number(0, 29);
        for (int i = 0; i < count; ++i) {
            written.profiles.push_back(generate.Profile());
        }

        const CSettingsFileContents read = RoundTrip(written);
        EXPECT_TRUE(read.rejected.empty());
        EXPECT_EQ(read.records.nNetFolderChoice, written.nNetFolderChoice);
        EXPECT_EQ(read.records.netFolder,
                  written.nNetFolderChoice == 1 ? written.netFolder : CNetFolderSetting());
        EXPECT_EQ(read.records.bEnableNetworkDevice, written.bEnableNetworkDevice);
        ASSERT_EQ(read.records.profiles.size(), written.profiles.size());
        for (size_t i = 0; i < written.profiles.size(); ++i) {
            EXPECT_EQ(read.records.profiles[i], AsStored(written.profiles[i])) << "profile " << i;
        }
    }
}

TEST_F(RoundTripTest, RecordsSurviveTheFileInPriorityOrder) {
    CSettingsRecords records;
    records.nNetFolderChoice = 1;
    records.netFolder = {};
    records.netFolder.m_strNetDeviceName = u"player-1";
    records.netFolder.m_strUserId = u"guest";
    records.netFolder.m_strPassword = u"secret";
    records.bEnableNetworkDevice = 1;
    records.wired.m_nDhcp = 0; // the wired values are never written
    for (const auto* ssid : {u"Zeta", u"Alpha", u"Zeta"}) {
        records.profiles.push_back(Profile(ssid));
    }
    records.profiles[1].m_nSecurityMode = kSecurityWpa2PskTkip;
    records.profiles[1].m_strNetworkKey = u"a passphrase";

    const CSettingsFileContents read = RoundTrip(records);
    EXPECT_EQ(read.Result(), 1);
    EXPECT_TRUE(read.rejected.empty());
    EXPECT_EQ(read.records.netFolder, records.netFolder);
    EXPECT_EQ(read.records.nNetFolderChoice, 1);
    EXPECT_EQ(read.records.bEnableNetworkDevice, 1);
    EXPECT_EQ(read.records.wired.m_nDhcp, 1);
    ASSERT_EQ(read.records.profiles.size(), 3u);
    EXPECT_EQ(read.records.profiles, records.profiles);
}

} // namespace
