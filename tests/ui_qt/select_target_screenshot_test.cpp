// The target choice for loading and for creating in every language, saved
// under the build folder for people to look at, every text checked to fit.
#include "catalogue/message_catalogue.h"
#include "dialogs/select_target.h"
#include "tests/support/accessibility_faults.h"
#include "tests/support/screenshot_names.h"
#include "tests/support/text_fit.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr const char* kFlows[] = {"load", "create"};

TEST(SelectTargetScreenshotTest, BothQuestionsShowEveryTextWholeInEveryLanguage) {
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    const QString folder = ScreenshotFolder();
    for (const int language : ScreenshotLanguages()) {
        SCOPED_TRACE(kScreenshotLanguages[language]);
        g_nLanguageIndex = language;
        for (int create = 0; create < 2; ++create) {
            SCOPED_TRACE(kFlows[create]);
            CSelectTarget dialog(nullptr);
            dialog.m_bCreate = create;
            dialog.m_strDeviceName = u"KORDAVIN-PLAYER";
            QTimer::singleShot(0, [&] {
                auto& window = dynamic_cast<ui::qt::CQtWindow&>(dialog.Window());
                const QString file =
                    QStringLiteral("%1/select-target-%2-%3.png")
                        .arg(folder, kScreenshotLanguages[language], kFlows[create]);
                EXPECT_TRUE(SaveScreenshot(window, file));
                EXPECT_EQ(LayoutFaults(window), std::vector<std::string>{});
                EXPECT_EQ(AccessibilityFaults(window), std::vector<std::string>{});
                window.End(ui::IDCANCEL);
            });
            EXPECT_EQ(services.RunModal(dialog, nullptr), ui::IDCANCEL);
        }
    }
    g_nLanguageIndex = 0;
    ui::InstallServices(nullptr);
}

} // namespace
