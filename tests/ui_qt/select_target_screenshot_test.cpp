// The target choice for loading and for creating in every language, saved
// under the build folder for people to look at, every text checked to fit.
#include "catalogue/message_catalogue.h"
#include "dialogs/select_target.h"
#include "tests/support/dialog_screenshot.h"
#include "tests/support/screenshot_names.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kFlows[] = {"load", "create"};

TEST(SelectTargetScreenshotTest, BothQuestionsShowEveryTextWholeInEveryLanguage) {
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    ForEachScreenshotLanguage([&](int language) {
        for (int create = 0; create < 2; ++create) {
            SCOPED_TRACE(kFlows[create]);
            CSelectTarget dialog(nullptr);
            dialog.m_bCreate = create;
            dialog.m_strDeviceName = u"KORDAVIN-PLAYER";
            CaptureDialog(services, dialog,
                          QStringLiteral("select-target-%1-%2")
                              .arg(ScreenshotName(language), kFlows[create]));
        }
    });
    ui::InstallServices(nullptr);
}

} // namespace
