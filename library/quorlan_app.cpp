#include "library/quorlan_app.h"

#include "catalogue/message_catalogue.h"
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "networks/network_manager_client.h"

#include <QApplication>
#include <memory>

CQuorlanDlg* g_pMainDlg = nullptr;

// Constructed when the library is loaded, destroyed when it is unloaded.
CQuorlanApp theApp;

namespace {

// A QApplication for a host that has none, kept only while the dialog is
// shown: one kept until the library's exit hook would be torn down after
// Qt's own globals when the host exits without unloading the library.
std::unique_ptr<QApplication> MakeApplicationIfNone() {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    static int argc = 1;
    static char name[] = "Quorlan";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

// For the process's life: the dialog may outlive this object (see
// ExitInstance).
IComputerNetworks& ComputerNetworks() {
    static CNetworkManagerClient networks;
    return networks;
}

} // namespace

CQuorlanApp::CQuorlanApp() { InitInstance(); }

CQuorlanApp::~CQuorlanApp() { ExitInstance(); }

bool CQuorlanApp::InitInstance() {
    g_pMainDlg = new CQuorlanDlg();
    g_pMainDlg->SetComputerNetworks(&ComputerNetworks());
    // The dialog's constructor uses no catalogue text, so choosing the
    // language afterwards is safe.
    SelectLanguageFromLocale();
    return true;
}

int CQuorlanApp::ExitInstance() {
    // A host that exits from inside the dialog's loop never returns to it:
    // the dialog and its windows stay in use on that stack until the process
    // is gone, so they are left to it.
    if (m_bShowing) {
        return 0;
    }
    delete g_pMainDlg;
    g_pMainDlg = nullptr;
    return 0;
}

bool CQuorlanApp::IsCallersThread() {
    std::thread::id first{};
    const std::thread::id current = std::this_thread::get_id();
    return m_callersThread.compare_exchange_strong(first, current) || first == current;
}

void CQuorlanApp::ShowMainDialog() {
    if (g_pMainDlg == nullptr || m_bShowing) {
        return;
    }
    const std::unique_ptr<QApplication> ownApplication = MakeApplicationIfNone();
    // A host with a Qt core application but no widgets cannot show windows.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return;
    }
    ui::InstallServices(&m_qtUi);
    m_bShowing = true;
    g_pMainDlg->DoModal();
    m_bShowing = false;
}
