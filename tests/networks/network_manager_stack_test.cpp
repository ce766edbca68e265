// The client against a real NetworkManager, which network_manager_stack.sh
// starts; QUORLAN_NM_STACK says what the stack grants: "allowed" (root, or a
// polkit rule lets the user have secrets), "refused", or "absent" (no
// NetworkManager on the bus). Without it every test is skipped.
#include "dialogs/main_dialog/quorlan_controls.h"
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "dialogs/wifi_security.h"
#include "library/quorlan_app.h"
#include "networks/network_manager_client.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCompleter>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

std::string Stack() {
    const char* stack = std::getenv("QUORLAN_NM_STACK");
    return stack != nullptr ? stack : "";
}

const CNmConnection* Named(const CComputerNetworks& networks, const std::string& id) {
    for (const CNmConnection& connection : networks.saved) {
        if (connection.m_strId == id) {
            return &connection;
        }
    }
    return nullptr;
}

// A window still open above `below` means a step failed: it is told and
// closed, so that the test ends instead of waiting for someone to answer.
void CloseWhatIsOpenAbove(QWidget* below) {
    for (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != below;
         modal = QApplication::activeModalWidget()) {
        const auto* message = qobject_cast<QMessageBox*>(modal);
        ADD_FAILURE() << "left open: " << modal->windowTitle().toStdString() << " "
                      << (message != nullptr ? message->text().toStdString() : "");
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (dialog == nullptr) {
            break;
        }
        dialog->reject();
    }
}

// Down opens the SSID field's list, Escape closes it; "La" leaves Lab, which
// Down and Enter choose; OK. What a screen reader reads of the list goes to
// `read`.
void ChooseLabInTheOpenPropertyDialog(QWidget* mainWindow, QStringList& read) {
    ASSERT_TRUE(QTest::qWaitFor([mainWindow] {
        QWidget* modal = QApplication::activeModalWidget();
        return modal != nullptr && modal != mainWindow && modal->isVisible();
    }));
    QWidget* window = QApplication::activeModalWidget();
    auto* ssid = window->findChild<QLineEdit*>(QString::number(IDC_WIFI_SSID));
    ASSERT_NE(ssid, nullptr);
    ssid->setFocus();
    QAbstractItemView* list = ssid->completer()->popup();
    QTest::keyClick(ssid, Qt::Key_Down);
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); })) << "Down opens the list";
    EXPECT_EQ(list->model()->rowCount(), 4) << "every saved Wi-Fi network but WPA3's";
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    QTest::keyClicks(ssid, "La");
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }));
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(list);
    for (int row = 0; shown != nullptr && row < shown->childCount(); ++row) {
        read << shown->child(row)->text(QAccessible::Name);
    }
    QTest::keyClick(list, Qt::Key_Down);
    // While NetworkManager waits for polkit, the window's events still run.
    int ticks = 0;
    QTimer ticking;
    QObject::connect(&ticking, &QTimer::timeout, [&ticks] { ++ticks; });
    ticking.start(50);
    QTest::keyClick(list, Qt::Key_Return);
    ticking.stop();
    if (std::getenv("QUORLAN_NM_ANSWER_TAKES_A_SECOND") != nullptr &&
        *std::getenv("QUORLAN_NM_ANSWER_TAKES_A_SECOND") != '\0') {
        EXPECT_GE(ticks, 10) << "the window stood still while the key was asked for";
    }
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(window->isVisible()) << "Enter in the list reached the OK button";
    // A value that did not come through gets its message at OK.
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [window] { CloseWhatIsOpenAbove(window); });
    answering.start(50);
    window->findChild<QPushButton*>(QString::number(IDC_WIFI_OK))->click();
}

// The Lab connection, as the player takes it, in the main dialog's first line.
void ExpectLabAdded(ui::qt::CQtWindow& main) {
    ASSERT_EQ(main.ItemCount(IDC_WIRELESS_LIST), 1);
    EXPECT_EQ(main.ItemText(IDC_WIRELESS_LIST, 0), u"Lab");
    const CNetworkSetting* added = g_pMainDlg->SlotOfLine(0);
    ASSERT_NE(added, nullptr);
    CNetworkSetting expected;
    expected.m_strSsid = u"Lab";
    expected.m_nForce = 1;
    expected.m_nSecurityMode = kSecurityWpaPskAes;
    expected.m_strNetworkKey = u"lab passphrase";
    expected.m_nDhcp = 0;
    expected.m_ipAddress = {{10, 1, 2, 30}, 4};
    expected.m_ipSubnetMask = {{255, 255, 0, 0}, 4};
    expected.m_ipDefaultGateway = {{10, 1, 0, 1}, 4};
    expected.m_ipDns = {{10, 1, 0, 2}, 4};
    expected.m_ipDnsSecondary = {{10, 1, 0, 3}, 4};
    EXPECT_EQ(*added, expected);
}

class NetworkManagerStackTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (Stack().empty()) {
            GTEST_SKIP() << "runs in network_manager_stack.sh";
        }
    }
};

TEST_F(NetworkManagerStackTest, ListsTheSavedWifiConnectionsAndGivesSecretsAsPolkitDecides) {
    if (Stack() == "absent") {
        GTEST_SKIP();
    }
    CNetworkManagerClient client;
    const CComputerNetworks networks = client.List();
    ASSERT_TRUE(networks.bReached);
    EXPECT_EQ(networks.saved.size(), 5u) << "Home, Lab, Cafe, Old and Wpa3; not the wired one";
    const CNmConnection* home = Named(networks, "Home");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(home->m_strSsid, "Home");
    EXPECT_EQ(home->m_strKeyMgmt, "wpa-psk");
    EXPECT_EQ(home->m_nAutoconnectPriority, 5);
    EXPECT_EQ(home->m_strFileName, "home.nmconnection");
    EXPECT_EQ(home->m_strPsk, "") << "no secret before it is asked for";
    const CNmConnection* lab = Named(networks, "Lab");
    ASSERT_NE(lab, nullptr);
    EXPECT_EQ(lab->m_strIpv4Method, "manual");
    EXPECT_EQ(lab->m_strAddress, "10.1.2.30");
    EXPECT_EQ(lab->m_nPrefix, 16);
    EXPECT_EQ(lab->m_strGateway, "10.1.0.1");
    EXPECT_EQ(lab->m_arrDns, (std::vector<std::string>{"10.1.0.2", "10.1.0.3"}));
    EXPECT_TRUE(lab->m_bHidden);

    CNmConnection asked = *home;
    const std::string refusal = client.AddSecrets(asked);
    if (Stack() == "allowed") {
        EXPECT_EQ(refusal, "");
        EXPECT_EQ(asked.m_strPsk, "home passphrase");
    } else {
        EXPECT_NE(refusal, "");
        EXPECT_EQ(asked.m_strPsk, "");
    }
}

TEST_F(NetworkManagerStackTest, AbsentCostsLittleAndGivesNothing) {
    if (Stack() != "absent") {
        GTEST_SKIP();
    }
    // The middle of five, so that one stall of a loaded machine is not taken
    // for the cost; the benchmark run beside this gives the figure.
    CNetworkManagerClient client;
    std::vector<std::chrono::steady_clock::duration> spent;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const CComputerNetworks networks = client.List();
        spent.push_back(std::chrono::steady_clock::now() - start);
        EXPECT_FALSE(networks.bReached);
        EXPECT_TRUE(networks.saved.empty());
    }
    const auto milliseconds = [](std::chrono::steady_clock::duration duration) {
        return std::chrono::duration<double, std::milli>(duration).count();
    };
    const double first = milliseconds(spent.front());
    std::sort(spent.begin(), spent.end());
    EXPECT_LT(spent[2], std::chrono::milliseconds(100));
    std::printf("NetworkManager absent: the list took %.1f ms the first time, %.1f ms in the "
                "middle of five\n",
                first, milliseconds(spent[2]));
    CNmConnection connection;
    connection.m_strKeyMgmt = "wpa-psk";
    EXPECT_NE(client.AddSecrets(connection), "");
}

// A user opens Add on the library's own main dialog, types "La", picks
// "Lab" from the list and presses OK: the profile is the computer's own, key
// included, with nothing typed by hand. The real widgets throughout.
TEST_F(NetworkManagerStackTest, AddTakesTheComputersOwnProfileWithNothingButAChoice) {
    if (Stack() != "allowed") {
        GTEST_SKIP();
    }
    CTempFolder appData;
    CEnvironmentVariable appDataVariable{"APPDATA", appData.Path().string()};
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    QStringList read;
    QTimer::singleShot(0, [&] {
        auto& main = dynamic_cast<ui::qt::CQtWindow&>(g_pMainDlg->Window());
        QTimer::singleShot(0, [&] {
            ChooseLabInTheOpenPropertyDialog(&main, read);
            CloseWhatIsOpenAbove(&main);
        });
        g_pMainDlg->Dispatch(IDC_ADD, ui::Notification::Clicked);
        ExpectLabAdded(main);
        QTest::mouseClick(main.Control(IDC_EXIT), Qt::LeftButton);
    });
    services.RunModal(*g_pMainDlg, nullptr);
    ui::InstallServices(nullptr);
    EXPECT_EQ(read, QStringList{QString::fromUtf16(u"Lab \u2013 WPA PSK AES")});
}

} // namespace
