#include "library/quorlan_app.h"

#include "catalogue/message_catalogue.h"
#include "dialogs/quorlan_dlg.h"

#include <QApplication>

CQuorlanDlg* g_pMainDlg = nullptr;

// Constructed when the library is loaded, destroyed when it is unloaded.
CQuorlanApp theApp;

CQuorlanApp::CQuorlanApp() { InitInstance(); }

CQuorlanApp::~CQuorlanApp() { ExitInstance(); }

bool CQuorlanApp::InitInstance() {
    g_pMainDlg = new CQuorlanDlg();
    // The dialog's constructor uses no catalogue text, so choosing the
    // language afterwards is safe.
    SelectLanguageFromLocale();
    return true;
}

int CQuorlanApp::ExitInstance() {
    delete g_pMainDlg;
    g_pMainDlg = nullptr;
    m_pOwnApplication.reset();
    return 0;
}

QApplication* CQuorlanApp::WidgetApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "Quorlan";
        static char* argv[] = {name, nullptr};
        m_pOwnApplication = std::make_unique<QApplication>(argc, argv);
    }
    return qobject_cast<QApplication*>(QCoreApplication::instance());
}
