#include "authlevel/ntlm_setting_dlg.h"
#include "tests/authlevel/brenhold_fixture.h"
#include "tests/support/dialog_screenshot.h"
#include "tests/support/screenshot_names.h"

class ScreenshotTest : public CBrenholdFixture {};

TEST_F(ScreenshotTest, DialogShowsEveryTextWholeInEveryLanguage) {
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    ForEachScreenshotLanguage([&](int language) {
        CNTLMSettingDlg dialog;
        CaptureDialog(services, dialog,
                      QStringLiteral("brenhold-%1").arg(ScreenshotName(language)));
    });
    ui::InstallServices(nullptr);
}
