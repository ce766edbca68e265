// A host program that ends the way its arguments say:
//   ending_host LIBRARY qt|plain unload|stay|exit-while-shown|quit-while-shown
// A "qt" host makes its own QApplication and keeps a QTimer; a "plain" host
// leaves the application to the library and keeps a GLib timer, as a C
// program would. Either timer plays the user once the dialog is shown.
// Only a Qt host can quit its application.
#include "glib_timeout.h"
#include "library/Quorlan.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <dlfcn.h>
#include <optional>
#include <string_view>

namespace {

constexpr int kHostExitCode = 7;
constexpr int kUnexpected = 99;

std::string_view g_ending;
GetWindowHandleFunction g_getWindowHandle = nullptr;

// True once the dialog was found and told to end.
bool PlayUser() {
    const int handle = g_getWindowHandle();
    if (handle == 0) {
        return false;
    }
    if (g_ending == "exit-while-shown") {
        std::exit(kHostExitCode);
    }
    if (g_ending == "quit-while-shown") {
        QCoreApplication::quit();
        return true;
    }
    QWidget* dialog = QWidget::find(static_cast<WId>(handle));
    auto* exit = dialog == nullptr ? nullptr : dialog->findChild<QAbstractButton*>("2");
    if (exit == nullptr) {
        std::exit(kUnexpected);
    }
    exit->click();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return kUnexpected;
    }
    const bool qtHost = std::string_view(argv[2]) == "qt";
    g_ending = argv[3];
    std::optional<QApplication> application;
    if (qtHost) {
        application.emplace(argc, argv);
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return kUnexpected;
    }
    const auto open = reinterpret_cast<OpenQuorlanDlgFunction>(dlsym(library, "OpenQuorlanDlg"));
    g_getWindowHandle =
        reinterpret_cast<GetWindowHandleFunction>(dlsym(library, "GetWindowHandle"));

    const auto openDialog = [open, library] {
        open();
        if (g_ending == "unload") {
            dlclose(library);
        }
    };
    if (!qtHost) {
        g_timeout_add(
            20, [](void*) { return PlayUser() ? 0 : 1; }, nullptr);
        openDialog();
        return kHostExitCode;
    }
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&timer] {
        if (PlayUser()) {
            timer.stop();
        }
    });
    timer.start(20);
    // A Qt host opens the dialog from its own running loop, as from a button.
    QTimer::singleShot(0, [openDialog] {
        openDialog();
        QCoreApplication::quit();
    });
    QApplication::exec();
    return kHostExitCode;
}
