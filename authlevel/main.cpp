#include "authlevel/ntlm_setting_app.h"
#include "platform/version_resource.h"
#include "ui/qt/qt_ui.h"

#include <QApplication>
#include <iostream>

int main(int argc, char** argv) {
    if (platform::PrintVersionIfAsked({argv + 1, argv + argc}, "Brenhold", std::cout)) {
        return 0;
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
