#pragma once
#include "ui/qt/qt_ui.h"

#include <atomic>
#include <thread>

class CQuorlanDlg;

// The library's application object: it owns the one main dialog object from
// load to unload, and shows it on the host's Qt application or, when the
// host has none, on one of its own.
class CQuorlanApp {
public:
    CQuorlanApp();
    ~CQuorlanApp();
    CQuorlanApp(const CQuorlanApp&) = delete;
    CQuorlanApp& operator=(const CQuorlanApp&) = delete;

    bool InitInstance();
    int ExitInstance();

    // Runs the main dialog until it ends. A call while it is shown (from a
    // host timer inside its loop) returns at once.
    void ShowMainDialog();

    // True for the thread of the host's first call, which alone may use the
    // library: its windows and their loop belong to that thread.
    bool IsCallersThread();

private:
    // The dialog runs inside the host's program: the host's windows keep
    // taking input while it is shown.
    ui::qt::CQtUi m_qtUi{ui::qt::UnownedModality::None};
    bool m_bShowing = false;
    std::atomic<std::thread::id> m_callersThread{};
};

// The main dialog object; null before initialisation and after exit.
extern CQuorlanDlg* g_pMainDlg;
extern CQuorlanApp theApp;
