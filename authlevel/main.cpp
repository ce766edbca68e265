#include "authlevel/ntlm_setting_app.h"
#include "ui/qt/qt_ui.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenhold"));
    QApplication::setApplicationVersion(QStringLiteral(QUORLAN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("brenhold"));
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    CNTLMSettingApp theApp;
    theApp.InitInstance();
    return 0;
}
