// The main dialog on real widgets: what a person does with keys and mouse.
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "dialogs/wifi_security.h"
#include "dialogs/main_dialog/quorlan_controls.h"
#include "tests/support/environment_variable.h"
#include "tests/support/focus_mark.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/temp_folder.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int kPlayUnfinished = -1;

class QuorlanDlgQtTest : public ::testing::Test {
protected:
    void SetUp() override { ui::InstallServices(&m_services); }
    void TearDown() override { ui::InstallServices(nullptr); }

    // Runs the dialog; `play` acts once it is up and should close it.
    int Show(const std::function<void(ui::qt::CQtWindow&)>& play) {
        QTimer::singleShot(0, [&] {
            auto& window = dynamic_cast<ui::qt::CQtWindow&>(m_dialog.Window());
            play(window);
            window.End(kPlayUnfinished); // a play that failed half way must not hang the test
        });
        return m_services.RunModal(m_dialog, nullptr);
    }

    CTempFolder m_folder;
    CEnvironmentVariable m_appData{"APPDATA", m_folder.Path().string()};
    ui::qt::CQtUi m_services;
    CQuorlanDlg m_dialog;
};

TEST_F(QuorlanDlgQtTest, F1AndTheContextMenuOfferTheAboutBox) {
    QString aboutTitle;
    Show([&](ui::qt::CQtWindow& window) {
        ASSERT_EQ(window.actions().size(), 1);
        EXPECT_EQ(window.actions()[0]->text(), QStringLiteral("&About This utility..."));
        EXPECT_EQ(window.contextMenuPolicy(), Qt::ActionsContextMenu);
        QTimer::singleShot(50, [&] {
            QWidget* about = QApplication::activeModalWidget();
            ASSERT_NE(about, nullptr);
            aboutTitle = about->windowTitle();
            QTest::keyClick(about, Qt::Key_Return);
        });
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_F1);
        window.End(ui::IDCANCEL);
    });
    EXPECT_EQ(aboutTitle, QStringLiteral("About network configuration utility"));
}

// The focus shows from the start; Ctrl+Tab and Ctrl+PgUp turn the pages
// from a field of a page, as a click on the tab would.
TEST_F(QuorlanDlgQtTest, TheFocusShowsAtOnceAndPagesTurnFromTheKeyboard) {
    Show([](ui::qt::CQtWindow& window) {
        QApplication::setActiveWindow(&window);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_TRUE(ShowsItsFocus(*QApplication::focusWidget()));
        window.findChild<QAbstractButton*>(QStringLiteral("1016"))->click();
        auto* name = window.findChild<QLineEdit*>(QString::number(IDC_DEVICE_NAME));
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(window.CurTab(IDC_TABS), 1);
        EXPECT_TRUE(window.Control(IDC_ADD)->isVisible());
        EXPECT_FALSE(name->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        EXPECT_EQ(window.CurTab(IDC_TABS), 0);
        EXPECT_TRUE(name->isVisible());
        EXPECT_FALSE(window.Control(IDC_ADD)->isVisible());
        window.End(ui::IDCANCEL);
    });
}

TEST_F(QuorlanDlgQtTest, EnterInAnEditClosesWithOkAndEscapeWithCancel) {
    EXPECT_EQ(Show([](ui::qt::CQtWindow& window) {
                  auto* customize = window.findChild<QAbstractButton*>(QStringLiteral("1016"));
                  QTest::mouseClick(customize, Qt::LeftButton);
                  auto* name = window.findChild<QLineEdit*>(QStringLiteral("1001"));
                  ASSERT_TRUE(name->isEnabled());
                  name->setFocus();
                  QTest::keyClicks(name, QStringLiteral("kordavin-1"));
                  QTest::keyClick(name, Qt::Key_Return);
              }),
              ui::IDOK);
    EXPECT_EQ(Show([](ui::qt::CQtWindow& window) {
                  auto* name = window.findChild<QLineEdit*>(QStringLiteral("1001"));
                  EXPECT_EQ(name->text(), QStringLiteral("kordavin-1")) << "saved on closing";
                  QTest::keyClick(&window, Qt::Key_Escape);
              }),
              ui::IDCANCEL);
}

TEST_F(QuorlanDlgQtTest, AddOpensThePropertyDialogWhoseOkChecksBeforeItCloses) {
    CMessageBoxAnswerer answerer({QMessageBox::Ok});
    QString refusedWith;
    Show([&](ui::qt::CQtWindow& window) {
        window.SetCurTab(IDC_TABS, 1);
        m_dialog.ShowSelectedPage();
        const auto play = [&](QWidget* property) {
            auto* security = property->findChild<QComboBox*>(QString::number(IDC_WIFI_SECURITY));
            ASSERT_NE(security, nullptr);
            ASSERT_EQ(security->count(), 6);
            EXPECT_EQ(security->itemText(4), QStringLiteral("WPA2 PSK TKIP"));
            auto* key = property->findChild<QLineEdit*>(QString::number(IDC_WIFI_KEY));
            EXPECT_EQ(key->echoMode(), QLineEdit::Password);
            EXPECT_FALSE(key->isEnabled());
            auto* ok = property->findChild<QAbstractButton*>(QString::number(IDC_WIFI_OK));
            QTest::mouseClick(ok, Qt::LeftButton); // no SSID yet: refused, stays open
            refusedWith = answerer.Shown().empty() ? QString() : answerer.Shown()[0].text;
            auto* ssid = property->findChild<QLineEdit*>(QString::number(IDC_WIFI_SSID));
            QTest::keyClicks(ssid, QStringLiteral("HomeNet"));
            QTest::mouseClick(ok, Qt::LeftButton);
        };
        QTimer::singleShot(50, [&] {
            const QPointer<QWidget> property = QApplication::activeModalWidget();
            ASSERT_NE(property, &window);
            play(property);
            if (!property.isNull() && property->isVisible()) {
                property->close(); // a play that failed half way must not hang the test
            }
        });
        QTest::mouseClick(window.Control(IDC_ADD), Qt::LeftButton);
        EXPECT_EQ(window.ItemCount(IDC_WIRELESS_LIST), 1);
        EXPECT_EQ(window.ItemText(IDC_WIRELESS_LIST, 0), u"HomeNet");
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), 0);
        window.End(ui::IDCANCEL);
    });
    EXPECT_EQ(refusedWith, QStringLiteral("Please input SSID.   "));
    EXPECT_EQ(m_dialog.m_wirelessSlots[0].m_strSsid, u"HomeNet");
}

} // namespace
