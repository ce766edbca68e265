#include "authlevel/ntlm_setting_dlg.h"
#include "tests/authlevel/brenhold_fixture.h"
#include "tests/support/accessibility_faults.h"
#include "tests/support/screenshot_names.h"
#include "tests/support/text_fit.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using ui::qt::CQtWindow;

namespace {} // namespace

class ScreenshotTest : public CBrenholdFixture {};

TEST_F(ScreenshotTest, DialogShowsEveryTextWholeInEveryLanguage) {
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    const QString folder = ScreenshotFolder();
    ASSERT_TRUE(QDir(folder).exists());
    for (const int language : ScreenshotLanguages()) {
        SCOPED_TRACE(kScreenshotLanguages[language]);
        g_nLanguageIndex = language;
        CNTLMSettingDlg dialog;
        QTimer::singleShot(0, [&] {
            auto& window = dynamic_cast<CQtWindow&>(dialog.Window());
            const QString file =
                QStringLiteral("%1/brenhold-%2.png").arg(folder, kScreenshotLanguages[language]);
            EXPECT_TRUE(SaveScreenshot(window, file));
            EXPECT_EQ(LayoutFaults(window), std::vector<std::string>{});
            EXPECT_EQ(AccessibilityFaults(window), std::vector<std::string>{});
            window.End(ui::IDCANCEL);
        });
        services.RunModal(dialog, nullptr);
    }
    ui::InstallServices(nullptr);
}
