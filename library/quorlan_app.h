#pragma once
#include <memory>

class CQuorlanDlg;
class QApplication;

// The library's application object: it owns the one main dialog object from
// load to unload, and a Qt application when the host has none of its own.
class CQuorlanApp {
public:
    CQuorlanApp();
    ~CQuorlanApp();
    CQuorlanApp(const CQuorlanApp&) = delete;
    CQuorlanApp& operator=(const CQuorlanApp&) = delete;

    bool InitInstance();
    int ExitInstance();

    // A QApplication for showing windows: the host's, or one made now.
    // Null when the host runs a Qt core application without widgets.
    QApplication* WidgetApplication();

private:
    std::unique_ptr<QApplication> m_pOwnApplication;
};

// The main dialog object; null before initialisation and after exit.
extern CQuorlanDlg* g_pMainDlg;
extern CQuorlanApp theApp;
