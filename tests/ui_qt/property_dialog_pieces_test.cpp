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

// The pieces a property dialog drawn in a 12-point font is made of.
namespace {

using parity::CHeard;
using ui::ControlKind;
using ui::Notification;

constexpr int kSsid = 1007;
constexpr int kNetworkKey = 1012;
constexpr int kSecurity = 1039;
constexpr int kIpAddress = 1047;
constexpr int kPages = 1000;
constexpr int kClear = 1052;
constexpr int kOk = 1064;
constexpr int kCancel = 1065;

ui::DialogTemplate PropertyTemplate() {
    namespace style = ui::style;
    ui::DialogTemplate dialog;
    dialog.id = 129;
    dialog.rect = {0, 0, 245, 282};
    dialog.title = u"Wireless LAN Property";
    dialog.fontPointSize = 12;
    dialog.controls = {
        {kSsid, ControlKind::Edit, {83, 18, 142, 13}, style::kAutoHScroll | style::kTabStop, u""},
        {kSecurity,
         ControlKind::ComboBox,
         {83, 35, 73, 214},
         style::kDropDownList | style::kVScroll | style::kTabStop,
         u""},
        {kNetworkKey,
         ControlKind::Edit,
         {83, 52, 142, 13},
         style::kPassword | style::kTabStop,
         u""},
        {kIpAddress, ControlKind::IpAddress, {110, 112, 97, 13}, style::kTabStop, u""},
        {kPages, ControlKind::Tab, {7, 215, 231, 40}, 0, u"Tab1"},
        {kClear, ControlKind::PushButton, {7, 261, 58, 14}, style::kTabStop, u"Clear"},
        {kOk,
         ControlKind::PushButton,
         {116, 261, 55, 14},
         style::kDefaultButton | style::kTabStop,
         u"OK"},
        {kCancel, ControlKind::PushButton, {183, 261, 55, 14}, style::kTabStop, u"Cancel"},
    };
    return dialog;
}

class PropertyDialogPiecesTest : public ::testing::Test {
protected:
    template <typename Widget> Widget* Find(int id) {
        return m_window.findChild<Widget*>(QString::number(id));
    }

    ui::DialogTemplate m_template = PropertyTemplate();
    parity::CRecorderDlg m_dialog{m_template};
    parity::CQtUser m_user{m_dialog};
    ui::qt::CQtWindow& m_window = m_user.Widgets();
};

} // namespace

TEST_F(PropertyDialogPiecesTest, AddressControlOfTheTemplateHoldsFourFullFields) {
    auto* address = Find<ui::qt::CIpAddressEdit>(kIpAddress);
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(address->geometry(), ui::qt::ToPixels({110, 112, 97, 13}, m_window.BaseUnits()));
    m_window.SetAddress(kIpAddress, IpField{{255, 255, 255, 0}, 4});
    for (int i = 0; i < 4; ++i) {
        QLineEdit* field = address->Field(i);
        EXPECT_GE(field->width(), field->fontMetrics().horizontalAdvance(QStringLiteral("255")))
            << "field " << i;
        EXPECT_LE(field->geometry().bottom(), address->contentsRect().bottom());
        EXPECT_GE(field->height(), field->fontMetrics().height());
    }
    m_window.ClearAddress(kIpAddress);
    address->Field(0)->setFocus();
    QTest::keyClicks(address->Field(0), QStringLiteral("172"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("16"));
    EXPECT_EQ(m_window.Address(kIpAddress), (IpField{{172, 16, 0, 0}, 2}));
}

TEST_F(PropertyDialogPiecesTest, NetworkKeyIsMaskedButReadInTheClear) {
    auto* key = Find<QLineEdit>(kNetworkKey);
    key->setFocus();
    QTest::keyClicks(key, QStringLiteral("secret12"));
    EXPECT_EQ(key->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(key->displayText().contains(QStringLiteral("secret")));
    EXPECT_EQ(m_window.Text(kNetworkKey), u"secret12");
}

TEST_F(PropertyDialogPiecesTest, SecurityRowsCarryTheirModeAndOnlyTheUserNotifies) {
    // The last two rows list their modes in the opposite order.
    const std::pair<const char16_t*, int> rows[] = {{u"No security", 0},   {u"WEP", 1},
                                                    {u"WPA PSK TKIP", 2},  {u"WPA PSK AES", 3},
                                                    {u"WPA2 PSK TKIP", 5}, {u"WPA2 PSK AES", 4}};
    for (const auto& [text, mode] : rows) {
        m_window.SetItemData(kSecurity, m_window.InsertItem(kSecurity, -1, text), mode);
    }
    m_window.SetCurSel(kSecurity, 3);
    EXPECT_TRUE(m_dialog.TakeHeard().empty());

    auto* combo = Find<QComboBox>(kSecurity);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(m_window.ItemData(kSecurity, m_window.CurSel(kSecurity)), 5);
    EXPECT_EQ(m_dialog.TakeHeard(),
              std::vector<CHeard>({{kSecurity, Notification::SelectionChanged}}));
}

TEST_F(PropertyDialogPiecesTest, OnlyTheTemplatesDefaultButtonIsTheDefault) {
    const auto defaults = [this] {
        std::vector<int> ids;
        for (const int id : {kClear, kOk, kCancel}) {
            if (Find<QPushButton>(id)->isDefault()) {
                ids.push_back(id);
            }
        }
        return ids;
    };
    EXPECT_EQ(defaults(), std::vector<int>{kOk});
    m_window.SetFocus(kClear);
    EXPECT_EQ(defaults(), std::vector<int>{kClear}) << "a focused push button is the default";
    m_window.SetFocus(kSsid);
    EXPECT_EQ(defaults(), std::vector<int>{kOk});
}

TEST_F(PropertyDialogPiecesTest, TabStripIsNamedByItsWindowText) {
    auto* pages = Find<CTabStrip>(kPages);
    ASSERT_NE(pages, nullptr);
    m_window.SetText(kPages, u"Network settings Tab control");
    EXPECT_EQ(pages->accessibleName(), QStringLiteral("Network settings Tab control"));
    EXPECT_EQ(pages->Bar()->accessibleName(), QStringLiteral("Network settings Tab control"));
    EXPECT_EQ(m_window.Text(kPages), u"Network settings Tab control");
}
