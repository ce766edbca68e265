// The wireless LAN page on real widgets: profiles entered through the real
// property dialog, reordered, edited and deleted as a person would.
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "dialogs/wifi_security.h"
#include "settings/settings_file_reader.h"
#include "tests/support/environment_variable.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/temp_folder.h"
#include "ui/qt/ip_address_edit.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QWidget* ControlOf(QWidget& dialog, int id) {
    auto* control = dialog.findChild<QWidget*>(QString::number(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

void Click(QWidget& dialog, int id) { QTest::mouseClick(ControlOf(dialog, id), Qt::LeftButton); }

void Type(QWidget& dialog, int id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(ControlOf(dialog, id));
    ASSERT_NE(edit, nullptr) << id;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Each number typed into its own field of the address control.
void TypeAddress(QWidget& dialog, int id, const QString& dotted) {
    auto* address = dynamic_cast<ui::qt::CIpAddressEdit*>(ControlOf(dialog, id));
    ASSERT_NE(address, nullptr) << id;
    const QStringList numbers = dotted.split(QLatin1Char('.'));
    for (int field = 0; field < numbers.size(); ++field) {
        address->Field(field)->setFocus();
        QTest::keyClicks(address->Field(field), numbers[field]);
    }
}

// Moves to a row of the security list with the keyboard, as its items
// stand one below the other.
void ChooseSecurityRow(QWidget& dialog, int row) {
    auto* combo = qobject_cast<QComboBox*>(ControlOf(dialog, IDC_WIFI_SECURITY));
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    for (int presses = 0; presses < 6 && combo->currentIndex() < row; ++presses) {
        QTest::keyClick(combo, Qt::Key_Down);
    }
    ASSERT_EQ(combo->currentIndex(), row);
}

class WirelessPageQtTest : public ::testing::Test {
protected:
    void SetUp() override { ui::InstallServices(&m_services); }
    void TearDown() override { ui::InstallServices(nullptr); }

    // Plays the property dialog that the action opens.
    static void WithPropertyDialog(const std::function<void()>& open,
                                   const std::function<void(QWidget&)>& play) {
        QTimer::singleShot(50, [&] {
            const QPointer<QWidget> property = QApplication::activeModalWidget();
            ASSERT_NE(property, nullptr);
            ASSERT_EQ(property->objectName(), QString::number(kWifiSecurityTemplateId));
            play(*property);
            if (!property.isNull() && property->isVisible()) {
                property->close(); // a play that failed half way must not hang the test
            }
        });
        open();
    }

    CTempFolder m_folder;
    CEnvironmentVariable m_appData{"APPDATA", m_folder.Path().string()};
    ui::qt::CQtUi m_services;
    CQuorlanDlg m_dialog;
};

TEST_F(WirelessPageQtTest, ProfilesAddedReorderedEditedAndDeletedKeepSlotsAndLinesTogether) {
    // Spare answers, so that a refusal the play does not expect fails the
    // test instead of waiting for ever.
    CMessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok});
    const std::filesystem::path file = m_folder / "NetworkSetting.ini";
    QTimer::singleShot(0, [&] {
        auto& window = dynamic_cast<ui::qt::CQtWindow&>(m_dialog.Window());
        window.SetCurTab(IDC_TABS, 1);
        m_dialog.ShowSelectedPage();
        auto* list = qobject_cast<QListWidget*>(window.Control(IDC_WIRELESS_LIST));
        ASSERT_NE(list, nullptr);

        WithPropertyDialog([&] { Click(window, IDC_ADD); },
                           [](QWidget& property) {
                               // Refused for the blank, then found selected for the fix.
                               Type(property, IDC_WIFI_SSID, QStringLiteral(" Cafe"));
                               Click(property, IDC_WIFI_OK);
                               auto* ssid = ControlOf(property, IDC_WIFI_SSID);
                               EXPECT_EQ(property.focusWidget(), ssid);
                               EXPECT_EQ(qobject_cast<QLineEdit*>(ssid)->selectedText(),
                                         QStringLiteral(" Cafe"));
                               QTest::keyClicks(ssid, QStringLiteral("Cafe"));
                               ChooseSecurityRow(property, 1); // WEP
                               Type(property, IDC_WIFI_KEY, QStringLiteral("abcde"));
                               Type(property, IDC_WIFI_CONFIRM_KEY, QStringLiteral("abcdX"));
                               Click(property, IDC_WIFI_OK); // refused: the keys differ
                               Type(property, IDC_WIFI_KEY, QStringLiteral("abcde"));
                               Type(property, IDC_WIFI_CONFIRM_KEY, QStringLiteral("abcde"));
                               Click(property, IDC_WIFI_OK);
                           });
        WithPropertyDialog(
            [&] { Click(window, IDC_ADD); },
            [](QWidget& property) {
                Type(property, IDC_WIFI_SSID, QStringLiteral("Office"));
                ChooseSecurityRow(property, 5); // "WPA2 PSK AES"
                Type(property, IDC_WIFI_KEY, QStringLiteral("office passphrase"));
                Type(property, IDC_WIFI_CONFIRM_KEY, QStringLiteral("office passphrase"));
                Click(property, IDC_WIFI_DHCP_OFF);
                // Each address control is one stop on the way to the proxy.
                int presses = 0;
                while (presses < 30 &&
                       property.focusWidget() != ControlOf(property, IDC_WIFI_USE_PROXY)) {
                    QTest::keyClick(property.focusWidget(), Qt::Key_Tab);
                    ++presses;
                }
                EXPECT_EQ(presses, 6);
                TypeAddress(property, IDC_WIFI_IP_ADDRESS, QStringLiteral("192.168.1.20"));
                TypeAddress(property, IDC_WIFI_SUBNET_MASK, QStringLiteral("255.255.255.0"));
                TypeAddress(property, IDC_WIFI_DEFAULT_GATEWAY, QStringLiteral("192.168.1.1"));
                Click(property, IDC_WIFI_USE_PROXY);
                Type(property, IDC_WIFI_PROXY_ADDRESS, QStringLiteral("proxy.office"));
                Type(property, IDC_WIFI_PROXY_PORT, QStringLiteral("80x80"));
                Click(property, IDC_WIFI_OK);
            });
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentRow(), 1) << "the new line is selected";

        Click(window, IDC_PRIORITY_UP);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("Office"));
        EXPECT_EQ(list->currentRow(), 0) << "the selection follows the line";

        WithPropertyDialog(
            [&] {
                const QRect line = list->visualItemRect(list->item(1));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line.center());
            },
            [](QWidget& property) {
                auto* key = qobject_cast<QLineEdit*>(ControlOf(property, IDC_WIFI_KEY));
                EXPECT_EQ(key->text(), QStringLiteral("abcde")) << "the profile comes back";
                Type(property, IDC_WIFI_SSID, QStringLiteral("Cafe 2"));
                QTest::keyClick(ControlOf(property, IDC_WIFI_SSID), Qt::Key_Return);
            });
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("Cafe 2"));
        EXPECT_EQ(list->currentRow(), -1) << "nothing is selected after an edit";

        EXPECT_EQ(m_dialog.WriteSettingsFile(file.u16string()), 1);

        list->setCurrentRow(0);
        Click(window, IDC_DELETE);
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->currentRow(), 0);
        window.End(ui::IDCANCEL);
    });
    m_services.RunModal(m_dialog, nullptr);

    ASSERT_EQ(answerer.Shown().size(), 2u);
    EXPECT_EQ(answerer.Shown()[0].text.left(37),
              QStringLiteral("The SSID must not begin or end with a"));
    EXPECT_EQ(answerer.Shown()[1].text, QStringLiteral("Network key is not match.   "));

    // Slot 0 took "Cafe" and keeps it through the move and the edit; the
    // deleted "Office" freed slot 1.
    EXPECT_EQ(m_dialog.m_wirelessSlots[0].m_strSsid, u"Cafe 2");
    EXPECT_EQ(m_dialog.m_wirelessSlots[1], CNetworkSetting());

    const CSettingsFileContents written = ReadSettingsFile(file);
    EXPECT_EQ(written.Result(), 1);
    ASSERT_EQ(written.records.profiles.size(), 2u);
    const CNetworkSetting& office = written.records.profiles[0];
    EXPECT_EQ(office.m_strSsid, u"Office");
    EXPECT_EQ(office.m_nSecurityMode, kSecurityWpa2PskAes);
    EXPECT_EQ(office.m_strNetworkKey, u"office passphrase");
    EXPECT_EQ(office.m_nDhcp, 0);
    EXPECT_EQ(office.m_ipAddress, (IpField{{192, 168, 1, 20}, 4}));
    EXPECT_EQ(office.m_ipSubnetMask, (IpField{{255, 255, 255, 0}, 4}));
    EXPECT_EQ(office.m_ipDefaultGateway, (IpField{{192, 168, 1, 1}, 4}));
    EXPECT_EQ(office.m_nUseProxy, 1);
    EXPECT_EQ(office.m_strProxyAddress, u"proxy.office");
    EXPECT_EQ(office.m_strProxyPort, u"8080") << "the port edit takes digits only";
    const CNetworkSetting& cafe = written.records.profiles[1];
    EXPECT_EQ(cafe.m_strSsid, u"Cafe 2");
    EXPECT_EQ(cafe.m_nSecurityMode, kSecurityWep);
    EXPECT_EQ(cafe.m_strNetworkKey, u"abcde");
    EXPECT_EQ(cafe.m_nDhcp, 1);
}

} // namespace
