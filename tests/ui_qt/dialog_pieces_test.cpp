#include "dialogs/main_dialog/quorlan_controls.h"
#include "dialogs/main_dialog/quorlan_dlg_layout.h"
#include "dialogs/wifi_security.h"
#include "tests/support/parity_probe.h"
#include "tests/support/test_users.h"
#include "ui/qt/ip_address_edit.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/tab_strip.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// The pieces the property dialog, drawn in its 12-point font, is made of,
// built from its own template.
namespace {

using parity::CHeard;
using ui::Notification;

class PropertyDialogPiecesTest : public ::testing::Test {
protected:
    template <typename Widget> Widget* Find(int id) {
        return m_window.findChild<Widget*>(QString::number(id));
    }

    parity::CRecorderDlg m_dialog{WifiSecurityTemplate()};
    parity::CQtUser m_user{m_dialog};
    ui::qt::CQtWindow& m_window = m_user.Widgets();
};

} // namespace

TEST_F(PropertyDialogPiecesTest, AddressControlOfTheTemplateHoldsFourFullFields) {
    auto* address = Find<ui::qt::CIpAddressEdit>(IDC_WIFI_IP_ADDRESS);
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(address->geometry(), ui::qt::ToPixels({110, 112, 97, 13}, m_window.BaseUnits()));
    m_window.SetAddress(IDC_WIFI_IP_ADDRESS, IpField{{255, 255, 255, 0}, 4});
    for (int i = 0; i < 4; ++i) {
        QLineEdit* field = address->Field(i);
        EXPECT_GE(field->width(), field->fontMetrics().horizontalAdvance(QStringLiteral("255")))
            << "field " << i;
        EXPECT_LE(field->geometry().bottom(), address->contentsRect().bottom());
        EXPECT_GE(field->height(), field->fontMetrics().height());
    }
    m_window.ClearAddress(IDC_WIFI_IP_ADDRESS);
    address->Field(0)->setFocus();
    QTest::keyClicks(address->Field(0), QStringLiteral("172"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("16"));
    EXPECT_EQ(m_window.Address(IDC_WIFI_IP_ADDRESS), (IpField{{172, 16, 0, 0}, 2}));
}

TEST_F(PropertyDialogPiecesTest, NetworkKeyIsMaskedButReadInTheClear) {
    auto* key = Find<QLineEdit>(IDC_WIFI_KEY);
    key->setFocus();
    QTest::keyClicks(key, QStringLiteral("secret12"));
    EXPECT_EQ(key->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(key->displayText().contains(QStringLiteral("secret")));
    EXPECT_EQ(m_window.Text(IDC_WIFI_KEY), u"secret12");
}

TEST_F(PropertyDialogPiecesTest, SecurityRowsCarryTheirModeAndOnlyTheUserNotifies) {
    // The last two rows list their modes in the opposite order.
    const std::pair<const char16_t*, int> rows[] = {{u"No security", 0},   {u"WEP", 1},
                                                    {u"WPA PSK TKIP", 2},  {u"WPA PSK AES", 3},
                                                    {u"WPA2 PSK TKIP", 5}, {u"WPA2 PSK AES", 4}};
    for (const auto& [text, mode] : rows) {
        m_window.SetItemData(IDC_WIFI_SECURITY, m_window.InsertItem(IDC_WIFI_SECURITY, -1, text),
                             mode);
    }
    m_window.SetCurSel(IDC_WIFI_SECURITY, 3);
    EXPECT_TRUE(m_dialog.TakeHeard().empty());

    auto* combo = Find<QComboBox>(IDC_WIFI_SECURITY);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(m_window.ItemData(IDC_WIFI_SECURITY, m_window.CurSel(IDC_WIFI_SECURITY)), 5);
    EXPECT_EQ(m_dialog.TakeHeard(),
              std::vector<CHeard>({{IDC_WIFI_SECURITY, Notification::SelectionChanged}}));
}

TEST_F(PropertyDialogPiecesTest, OnlyTheTemplatesDefaultButtonIsTheDefault) {
    const auto defaults = [this] {
        std::vector<int> ids;
        for (const int id : {IDC_WIFI_CLEAR, IDC_WIFI_OK, IDC_WIFI_CANCEL}) {
            if (Find<QPushButton>(id)->isDefault()) {
                ids.push_back(id);
            }
        }
        return ids;
    };
    EXPECT_EQ(defaults(), std::vector<int>{IDC_WIFI_OK});
    m_window.SetFocus(IDC_WIFI_CLEAR);
    EXPECT_EQ(defaults(), std::vector<int>{IDC_WIFI_CLEAR})
        << "a focused push button is the default";
    m_window.SetFocus(IDC_WIFI_SSID);
    EXPECT_EQ(defaults(), std::vector<int>{IDC_WIFI_OK});
}

TEST(MainDialogPiecesTest, TabStripIsNamedByItsWindowText) {
    parity::CRecorderDlg dialog{QuorlanDlgTemplate()};
    parity::CQtUser user{dialog};
    ui::qt::CQtWindow& window = user.Widgets();
    auto* pages = window.findChild<CTabStrip*>(QString::number(IDC_TABS));
    ASSERT_NE(pages, nullptr);
    window.SetText(IDC_TABS, u"Network settings Tab control");
    EXPECT_EQ(pages->accessibleName(), QStringLiteral("Network settings Tab control"));
    EXPECT_EQ(pages->Bar()->accessibleName(), QStringLiteral("Network settings Tab control"));
    EXPECT_EQ(window.Text(IDC_TABS), u"Network settings Tab control");
}
