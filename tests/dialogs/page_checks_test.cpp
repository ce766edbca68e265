#include "catalogue/message_ids.h"
#include "platform/codepage.h"
#include "settings_state_fixture.h"

namespace {

class PageChecksTest : public SettingsStateTest {
protected:
    void Customize(const std::u16string& name, const std::u16string& userId,
                   const std::u16string& password, const std::u16string& confirmation) {
        m_window->Click(IDC_NETFOLDER_CUSTOMIZE);
        m_window->SetText(IDC_DEVICE_NAME, name);
        m_window->SetText(IDC_USER_ID, userId);
        m_window->SetText(IDC_PASSWORD, password);
        m_window->SetText(IDC_CONFIRM_PASSWORD, confirmation);
    }
    void Proxy(bool on, const std::u16string& address, const std::u16string& port) {
        m_window->SetCheck(IDC_WIRED_USE_PROXY, on ? 1 : 0);
        m_window->SetText(IDC_WIRED_PROXY_ADDRESS, address);
        m_window->SetText(IDC_WIRED_PROXY_PORT, port);
    }

    int CreateCheckOfNetFolder(const std::u16string& name, const std::u16string& userId,
                               const std::u16string& password, const std::u16string& confirmation) {
        Customize(name, userId, password, confirmation);
        const int result = m_state.ValidateNetFolderPage(1, 1);
        const auto shown = Messages(kMsgNetFolderSetting);
        EXPECT_LE(shown.size(), 1u) << "the create flow shows one message at most";
        EXPECT_EQ(result, shown.empty() ? 1 : 0);
        return shown.empty() ? 0 : shown[0];
    }
};

TEST_F(PageChecksTest, NetFolderMessagesOfTheCreateFlow) {
    EXPECT_EQ(CreateCheckOfNetFolder(u"kordavin-1", u"user_01", u"pw", u"pw"), 0);
    EXPECT_EQ(CreateCheckOfNetFolder(u"abcdefghijklmno", std::u16string(32, u'u'),
                                     std::u16string(32, u'p'), std::u16string(32, u'p')),
              0);
    EXPECT_EQ(CreateCheckOfNetFolder(u"a-1", u"a-b", u"", u""), 0) << "no password is fine";
    EXPECT_EQ(CreateCheckOfNetFolder(u"1-2", u"x", u"caf\u00e9", u"caf\u00e9"), 0);

    EXPECT_EQ(CreateCheckOfNetFolder(u"", u"u", u"", u""), kMsgInputDeviceName);
    EXPECT_EQ(CreateCheckOfNetFolder(u"abcdefghijklmnop", u"u", u"", u""), kMsgDeviceNameLength);
    EXPECT_EQ(CreateCheckOfNetFolder(u"a_b", u"u", u"", u""), kMsgDeviceNameChars);
    EXPECT_EQ(CreateCheckOfNetFolder(u"12$", u"u", u"", u""), kMsgDeviceNameChars);
    EXPECT_EQ(CreateCheckOfNetFolder(u"123", u"u", u"", u""), kMsgDeviceNameDigitsOnly);
    EXPECT_EQ(CreateCheckOfNetFolder(u"---", u"u", u"", u""), kMsgDeviceNameHyphensOnly);
    EXPECT_EQ(CreateCheckOfNetFolder(u"n", u"", u"", u""), kMsgInputUserId);
    EXPECT_EQ(CreateCheckOfNetFolder(u"n", std::u16string(33, u'u'), u"", u""), kMsgUserIdLength);
    EXPECT_EQ(CreateCheckOfNetFolder(u"n", u"user.name", u"", u""), kMsgUserIdChars);
    EXPECT_EQ(CreateCheckOfNetFolder(u"n", u"u", u"Secret", u"secret"), kMsgPasswordMismatch);
    EXPECT_EQ(
        CreateCheckOfNetFolder(u"n", u"u", std::u16string(33, u'p'), std::u16string(33, u'p')),
        kMsgPasswordLength);
    EXPECT_EQ(CreateCheckOfNetFolder(u"n", u"u", u"a\tb", u"a\tb"), kMsgPasswordChars);
    EXPECT_EQ(CreateCheckOfNetFolder(u"n", u"u", u"\u3042", u"\u3042"), kMsgPasswordChars);
    // Code page 437 of an American locale has neither character: the
    // player would get "?pw?".
    platform::OverrideCodePages(1252, 437);
    const int oemMessage = CreateCheckOfNetFolder(u"n", u"u", u"\u00D8pw\u00A9", u"\u00D8pw\u00A9");
    platform::OverrideCodePages(std::nullopt, std::nullopt);
    EXPECT_EQ(oemMessage, kMsgPasswordChars);
}

TEST_F(PageChecksTest, CreateFlowErasesOnlyTheFirstBadEntry) {
    EXPECT_EQ(CreateCheckOfNetFolder(u"123", u"bad.user", u"a\tb", u"a\tb"),
              kMsgDeviceNameDigitsOnly);
    EXPECT_EQ(m_window->Text(IDC_DEVICE_NAME), u"");
    EXPECT_EQ(m_window->Text(IDC_USER_ID), u"bad.user");
    EXPECT_EQ(m_window->Text(IDC_PASSWORD), u"a\tb");

    EXPECT_EQ(CreateCheckOfNetFolder(u"n", u"u", u"one", u"two"), kMsgPasswordMismatch);
    EXPECT_EQ(m_window->Text(IDC_PASSWORD), u"");
    EXPECT_EQ(m_window->Text(IDC_CONFIRM_PASSWORD), u"");
    EXPECT_EQ(m_window->Text(IDC_USER_ID), u"u");
    EXPECT_EQ(m_window->Check(IDC_NETFOLDER_CUSTOMIZE), 1) << "the choice stays as it was";
}

TEST_F(PageChecksTest, SilentNetFolderCheckErasesEveryBadEntry) {
    Customize(u"good-name", u"bad.user", u"bad\tpassword", u"bad\tpassword");
    EXPECT_EQ(m_state.ValidateNetFolderPage(0, 0), 0);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_window->Text(IDC_DEVICE_NAME), u"good-name");
    EXPECT_EQ(m_window->Text(IDC_USER_ID), u"");
    EXPECT_EQ(m_window->Text(IDC_PASSWORD), u"");
    EXPECT_EQ(m_window->Text(IDC_CONFIRM_PASSWORD), u"");

    Customize(u"", u"", u"same", u"same");
    EXPECT_EQ(m_state.ValidateNetFolderPage(0, 0), 0);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_window->Text(IDC_PASSWORD), u"same") << "a good password survives bad names";

    Customize(u"n", u"u", u"pw", u"pw");
    EXPECT_EQ(m_state.ValidateNetFolderPage(0, 0), 1);
}

TEST_F(PageChecksTest, DefaultChoicePassesWhateverTheEditsHold) {
    m_window->SetText(IDC_DEVICE_NAME, u"12345");
    m_window->SetText(IDC_PASSWORD, u"one");
    m_window->SetText(IDC_CONFIRM_PASSWORD, u"two");
    EXPECT_EQ(m_state.ValidateNetFolderPage(1, 1), 1);
    EXPECT_EQ(m_state.ValidateNetFolderPage(0, 0), 1);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_window->Text(IDC_DEVICE_NAME), u"12345") << "nothing is erased";
}

TEST_F(PageChecksTest, WiredPageWithProxyOn) {
    const auto createCheck = [&](const std::u16string& address, const std::u16string& port) {
        Proxy(true, address, port);
        const int result = m_state.ValidateWiredPage(1, 1);
        const auto shown = Messages(kMsgWiredLanSetting);
        EXPECT_EQ(result, shown.empty() ? 1 : 0);
        EXPECT_LE(shown.size(), 1u);
        return shown.empty() ? 0 : shown[0];
    };
    EXPECT_EQ(createCheck(u"proxy.example", u"8080"), 0);
    EXPECT_EQ(createCheck(u"proxy.example", u"80abc"), 0);
    EXPECT_EQ(createCheck(std::u16string(1023, u'p'), u"1"), 0);
    EXPECT_EQ(createCheck(u"", u"8080"), kMsgInputProxyAddress);
    EXPECT_EQ(createCheck(u"a\tb", u"8080"), kMsgProxyAddressChars);
    EXPECT_EQ(createCheck(std::u16string(1024, u'p'), u"8080"), kMsgProxyAddressLength);
    EXPECT_EQ(createCheck(u"proxy", u""), kMsgInputProxyPort);
    EXPECT_EQ(createCheck(u"proxy", u"0"), kMsgProxyPort);
    EXPECT_EQ(createCheck(u"proxy", u"65536"), kMsgProxyPort);
    EXPECT_EQ(createCheck(u"proxy", u"abc"), kMsgProxyPort);

    EXPECT_EQ(createCheck(u"", u"0"), kMsgInputProxyAddress) << "the address is checked first";
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_ADDRESS), u"");
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_PORT), u"0") << "the port was not reached";

    Proxy(true, u"a\tb", u"0");
    EXPECT_EQ(m_state.ValidateWiredPage(0, 0), 0);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_ADDRESS), u"");
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_PORT), u"");
}

TEST_F(PageChecksTest, WiredPageWithProxyOffErasesBadEntriesSilently) {
    Proxy(false, u"a\tb", u"0");
    EXPECT_EQ(m_state.ValidateWiredPage(1, 1), 1);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_ADDRESS), u"");
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_PORT), u"");

    Proxy(false, u"proxy.example", u"8080");
    EXPECT_EQ(m_state.ValidateWiredPage(0, 0), 1);
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_ADDRESS), u"proxy.example") << "good ones stay";
    EXPECT_EQ(m_window->Text(IDC_WIRED_PROXY_PORT), u"8080");
}

} // namespace
