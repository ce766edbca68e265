#include "authlevel/ntlm_setting_app.h"
#include "platform/scale_factor.h"
#include "platform/version_resource.h"
#include "ui/qt/qt_ui.h"

#include <QApplication>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    if (platform::PrintVersionIfAsked({argv + 1, argv + argc}, "Brenhold", std::cout)) {
        return 0;
    }
    // Raised through pkexec, Brenhold is told the scale of the dialog that
    // started it, which pkexec's clean environment would lose.
    if (const auto scale = platform::ScaleFactorOf({argv + 1, argv + argc})) {
        setenv("QT_SCALE_FACTOR", scale->c_str(), 1);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenhold"));
    QApplication::setApplicationVersion(QString::fromLatin1(platform::ProductVersion()));
    QApplication::setDesktopFileName(QStringLiteral("brenhold"));
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    CNTLMSettingApp theApp;
    theApp.InitInstance();
    return 0;
}
