#include "catalogue/message_ids.h"
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

// The message for each value is the page check's own test; here, that the
// page shows the first one alone and answers with its result.
TEST_F(PageChecksTest, NetFolderMessagesOfTheCreateFlow) {
    EXPECT_EQ(CreateCheckOfNetFolder(u"kordavin-1", u"user_01", u"pw", u"pw"), 0);
    EXPECT_EQ(CreateCheckOfNetFolder(u"123", u"user.name", u"a", u"b"), kMsgDeviceNameDigitsOnly);
    EXPECT_EQ(CreateCheckOfNetFolder(u"n", u"u", u"Secret", u"secret"), kMsgPasswordMismatch);
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
