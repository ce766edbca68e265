// The three pages of the main dialog and the About box in every language,
// saved under the build folder for people to look at, with every text
// checked to fit.
#include "catalogue/message_catalogue.h"
#include "dialogs/about_dlg.h"
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "tests/support/accessibility_faults.h"
#include "tests/support/dialog_screenshot.h"
#include "tests/support/environment_variable.h"
#include "tests/support/screenshot_names.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_fit.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr const char* kPages[] = {"network-folder", "wireless", "security"};

TEST(PageScreenshotTest, EveryPageShowsEveryTextWholeInEveryLanguage) {
    CTempFolder appData;
    CEnvironmentVariable appDataVariable("APPDATA", appData.Path().string());
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    const QString folder = ScreenshotFolder();
    ForEachScreenshotLanguage([&](int language) {
        CQuorlanDlg dialog;
        dialog.m_strDeviceName = u"KORDAVIN-PLAYER";
        QTimer::singleShot(0, [&] {
            auto& window = dynamic_cast<ui::qt::CQtWindow&>(dialog.Window());
            for (int page = 0; page < 3; ++page) {
                SCOPED_TRACE(kPages[page]);
                window.SetCurTab(IDC_TABS, page);
                dialog.ShowSelectedPage();
                const QString file = QStringLiteral("%1/quorlan-%2-%3.png")
                                         .arg(folder, ScreenshotName(language), kPages[page]);
                EXPECT_TRUE(SaveScreenshot(window, file));
                // Its outer size as drawn, wherever that fits the screen.
                if (!window.Scrolls()) {
                    EXPECT_EQ(window.size(),
                              QSize(650, 590) - (window.frameGeometry().size() - window.size()));
                }
                EXPECT_EQ(LayoutFaults(window), std::vector<std::string>{});
                EXPECT_EQ(AccessibilityFaults(window), std::vector<std::string>{});
            }
            window.End(ui::IDCANCEL);
        });
        services.RunModal(dialog, nullptr);
    });
    ui::InstallServices(nullptr);
}

TEST(PageScreenshotTest, AboutBoxShowsEveryTextWholeInEveryLanguage) {
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    ForEachScreenshotLanguage([&](int language) {
        CAboutDlg about(nullptr);
        CaptureDialog(services, about,
                      QStringLiteral("quorlan-%1-about").arg(ScreenshotName(language)));
    });
    ui::InstallServices(nullptr);
}

} // namespace
