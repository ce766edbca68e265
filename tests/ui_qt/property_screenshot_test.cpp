// The wireless LAN property dialog, empty and filled, and the wireless page
// with three profiles, in every language: saved under the build folder for
// people to look at, with every text checked to fit.
#include "catalogue/message_catalogue.h"
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "dialogs/wifi_security.h"
#include "tests/support/dialog_screenshot.h"
#include "tests/support/environment_variable.h"
#include "tests/support/screenshot_names.h"
#include "tests/support/temp_folder.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

CNetworkSetting FilledProfile() {
    CNetworkSetting profile;
    profile.m_strSsid = u"Office network 5G";
    profile.m_nSecurityMode = kSecurityWpa2PskAes;
    profile.m_strNetworkKey = u"office passphrase";
    profile.m_nDhcp = 0;
    profile.m_ipAddress = {{192, 168, 1, 20}, 4};
    profile.m_ipSubnetMask = {{255, 255, 255, 0}, 4};
    profile.m_ipDefaultGateway = {{192, 168, 1, 1}, 4};
    profile.m_ipDns = {{192, 168, 1, 1}, 4};
    profile.m_ipDnsSecondary = {{8, 8, 8, 8}, 4};
    profile.m_nUseProxy = 1;
    profile.m_strProxyAddress = u"proxy.office.example";
    profile.m_strProxyPort = u"8080";
    return profile;
}

// Six saved networks, more than the list shows without its scroll bar; in
// range, one whose name of wide capitals runs past the field, and an open
// one, whose security text is translated.
class CComputerNetworksOfAnOffice final : public IComputerNetworks {
public:
    CComputerNetworks List() override {
        CComputerNetworks networks{true, {}, {}};
        for (const char* ssid :
             {"Office network 5G", "Home", "Floor 1", "Floor 2", "Floor 3", "Floor 4"}) {
            CNmConnection saved;
            saved.m_strType = "wifi";
            saved.m_strSsid = ssid;
            saved.m_strKeyMgmt = "wpa-psk";
            networks.saved.push_back(saved);
        }
        CNmAccessPoint inRange;
        inRange.strSsid = "WWW.MEGAWORKS.COM WIFI MEMBERS";
        inRange.bPrivacy = true;
        inRange.nRsnFlags = nm_ap::kKeyMgmtPsk | nm_ap::kPairTkip;
        CNmAccessPoint open;
        open.strSsid = "Cafe";
        networks.inRange = {inRange, open};
        return networks;
    }
    std::string AddSecrets(CNmConnection&) override { return {}; }
};

// Every row of a dropped-down list whole in its width; the list saved as
// NAME in the language's file.
void ExpectRowsWholeAndSave(QAbstractItemView& rows, const char* name, int language) {
    for (int row = 0; row < rows.model()->rowCount(); ++row) {
        const QModelIndex index = rows.model()->index(row, 0);
        const QString text = index.data().toString();
        // How much of the row's width the list's viewport shows, less the
        // margins Qt keeps each side of an item's text.
        const QRect rect = rows.visualRect(index);
        const int shown =
            std::min(rect.right(), rows.viewport()->width() - 1) - std::max(rect.left(), 0) + 1;
        const int margins = 2 * (rows.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        EXPECT_LE(QFontMetricsF(rows.font()).horizontalAdvance(text) + margins, shown)
            << text.toStdString();
    }
    const QString file = QStringLiteral("%1/quorlan-%2-%3.png")
                             .arg(ScreenshotFolder(), ScreenshotName(language), name);
    EXPECT_TRUE(SaveScreenshot(*rows.window(), file));
}

class ScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override { ui::InstallServices(&m_services); }
    void TearDown() override { ui::InstallServices(nullptr); }

    // Shows the dialog and saves it as NAME in the language's file.
    void Capture(
        ui::CDialog& dialog, const char* name, int language,
        const std::function<void(ui::qt::CQtWindow&)>& prepare = [](ui::qt::CQtWindow&) {}) {
        CaptureDialog(m_services, dialog,
                      QStringLiteral("quorlan-%1-%2").arg(ScreenshotName(language), name), prepare);
    }

    // Runs the dialog and lets `look` at its window; cancels it even where a
    // failed assertion cut `look` short, so that the test ends.
    void LookAndCancel(ui::CDialog& dialog, const std::function<void(ui::qt::CQtWindow&)>& look) {
        QTimer::singleShot(0, [&] {
            auto& window = dynamic_cast<ui::qt::CQtWindow&>(dialog.Window());
            look(window);
            window.End(ui::IDCANCEL);
        });
        m_services.RunModal(dialog, nullptr);
    }

    CTempFolder m_appData;
    CEnvironmentVariable m_appDataVariable{"APPDATA", m_appData.Path().string()};
    ui::qt::CQtUi m_services;
};

TEST_F(ScreenshotTest, PropertyDialogAndWirelessPageShowEveryTextWholeInEveryLanguage) {
    ForEachScreenshotLanguage([&](int language) {
        {
            CWifiSecurity empty(nullptr);
            Capture(empty, "property-empty", language);
        }
        {
            CWifiSecurity filled(nullptr);
            filled.SetSetting(FilledProfile());
            Capture(filled, "property-filled", language);
        }
        {
            // The security list dropped down: every row whole in its width.
            CWifiSecurity open(nullptr);
            LookAndCancel(open, [language](ui::qt::CQtWindow& window) {
                auto* combo = window.findChild<QComboBox*>(QString::number(IDC_WIFI_SECURITY));
                ASSERT_NE(combo, nullptr);
                combo->showPopup();
                QAbstractItemView* rows = combo->view();
                ExpectRowsWholeAndSave(*rows, "property-security-open", language);
                combo->hidePopup();
            });
        }
        {
            // The SSID field's list, opened with Down: every line whole.
            CWifiSecurity offering(nullptr);
            CComputerNetworksOfAnOffice computer;
            offering.SetComputerNetworks(&computer);
            LookAndCancel(offering, [language](ui::qt::CQtWindow& window) {
                auto* ssid = window.findChild<QLineEdit*>(QString::number(IDC_WIFI_SSID));
                ASSERT_NE(ssid, nullptr);
                QTest::keyClick(ssid, Qt::Key_Down);
                QAbstractItemView* rows = ssid->completer()->popup();
                ASSERT_TRUE(QTest::qWaitFor([rows] { return rows->isVisible(); }));
                ASSERT_EQ(rows->model()->rowCount(), 8);
                ExpectRowsWholeAndSave(*rows, "property-ssid-list", language);
                rows->hide();
            });
        }
        CQuorlanDlg dialog;
        Capture(dialog, "wireless-three-profiles", language, [&](ui::qt::CQtWindow&) {
            for (const auto* ssid : {u"Home", u"Office network 5G", u"Cafe"}) {
                CNetworkSetting profile;
                profile.m_strSsid = ssid;
                dialog.AppendWirelessProfile(profile);
            }
            dialog.Window().SetCurTab(IDC_TABS, 1);
            dialog.ShowSelectedPage();
            dialog.Window().SetCurSel(IDC_WIRELESS_LIST, 1);
        });
    });
}

} // namespace
