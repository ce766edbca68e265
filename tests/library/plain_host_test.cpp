// A host that knows nothing of Qt: the library makes the application it
// needs. The test closes the dialog from another thread by posting to it.
#include "loaded_library.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMetaObject>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

TEST(PlainHostTest, LibraryMakesItsOwnApplication) {
    CTempFolder folder;
    CEnvironmentVariable appData("APPDATA", folder.Path().string());
    CLoadedLibrary library;
    ASSERT_EQ(QCoreApplication::instance(), nullptr);

    std::atomic<int> handleSeen{0};
    std::atomic<bool> done{false};
    std::thread user([&] {
        for (int attempt = 0; attempt < 500 && !done; ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (QCoreApplication::instance() == nullptr) {
                continue;
            }
            // Everything that touches widgets runs on the dialog's thread.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [&] {
                    QWidget* dialog = QApplication::activeModalWidget();
                    if (dialog == nullptr || !dialog->isVisible()) {
                        return;
                    }
                    handleSeen = library.GetWindowHandle();
                    if (auto* exit = dialog->findChild<QAbstractButton*>(QStringLiteral("2"))) {
                        exit->click();
                    }
                },
                Qt::QueuedConnection);
        }
    });
    EXPECT_EQ(library.Open(), 0);
    done = true;
    user.join();
    EXPECT_NE(handleSeen.load(), 0);
    EXPECT_EQ(library.GetWindowHandle(), 0);
}

} // namespace
