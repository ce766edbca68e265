#include "tests/support/dialog_screenshot.h"

#include "tests/support/accessibility_faults.h"
#include "tests/support/screenshot_names.h"
#include "tests/support/text_fit.h"

#include <QTimer>
#include <gtest/gtest.h>

void CaptureDialog(ui::qt::CQtUi& services, ui::CDialog& dialog, const QString& name,
                   const std::function<void(ui::qt::CQtWindow&)>& prepare) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = true;
        auto& window = dynamic_cast<ui::qt::CQtWindow&>(dialog.Window());
        prepare(window);
        EXPECT_TRUE(
            SaveScreenshot(window, QStringLiteral("%1/%2.png").arg(ScreenshotFolder(), name)));
        EXPECT_EQ(LayoutFaults(window), std::vector<std::string>{});
        EXPECT_EQ(AccessibilityFaults(window), std::vector<std::string>{});
        window.End(ui::IDCANCEL);
    });
    EXPECT_EQ(services.RunModal(dialog, nullptr), ui::IDCANCEL);
    EXPECT_TRUE(shown);
}
