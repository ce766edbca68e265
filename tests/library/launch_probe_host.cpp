// A host for the launch test: loads the library named on its command line,
// presses "Start security setting" and closes the dialog. Exit status 0 when
// the dialog stayed open and showed no message box of its own.
#include "library/Quorlan.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTabBar>
#include <QTimer>
#include <dlfcn.h>

namespace {

constexpr int kUnexpected = 3;

bool ShowsMessageBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible()) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return kUnexpected;
    }
    QApplication application(argc, argv);
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return kUnexpected;
    }
    const auto open = reinterpret_cast<OpenQuorlanDlgFunction>(dlsym(library, "OpenQuorlanDlg"));
    const auto getWindowHandle =
        reinterpret_cast<GetWindowHandleFunction>(dlsym(library, "GetWindowHandle"));
    int outcome = kUnexpected;
    QTimer::singleShot(100, [&] {
        QWidget* dialog = QWidget::find(static_cast<WId>(static_cast<unsigned>(getWindowHandle())));
        auto* start = dialog->findChild<QAbstractButton*>(QStringLiteral("1058"));
        dialog->findChild<QTabBar*>()->setCurrentIndex(2);
        start->click();
        // A message box would run its own loop; this timer still fires.
        QTimer::singleShot(500, [&, dialog] {
            outcome = dialog->isVisible() && !ShowsMessageBox() ? 0 : 1;
            QApplication::closeAllWindows(); // the close box: the dialog leaves as with Exit
        });
    });
    open();
    dlclose(library);
    return outcome;
}
