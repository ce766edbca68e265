// A host that knows nothing of Qt: the library makes the application it
// needs while its dialog is shown. The host's timer is a GLib one, as a C
// program's would be; the dialog's loop runs it.
#include "glib_timeout.h"
#include "loaded_library.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <future>
#include <utility>

namespace {

struct CPlainHostUser {
    const CLoadedLibrary& library;
    int handleSeen = 0;
};

// A GLib timer callback: 1 keeps it running, 0 ends it.
int CloseTheDialogOnceShown(void* data) {
    auto& user = *static_cast<CPlainHostUser*>(data);
    QWidget* dialog = user.library.ShownDialog();
    if (dialog == nullptr) {
        return 1;
    }
    user.handleSeen = user.library.GetWindowHandle();
    if (auto* exit = dialog->findChild<QAbstractButton*>(QStringLiteral("2"))) {
        exit->click();
    }
    return 0;
}

TEST(PlainHostTest, LibraryMakesAnApplicationForEachShowing) {
    CTempFolder folder;
    CEnvironmentVariable appData("APPDATA", folder.Path().string());
    CLoadedLibrary library;
    for (int showing = 0; showing < 2; ++showing) {
        ASSERT_EQ(QCoreApplication::instance(), nullptr) << "showing " << showing;
        CPlainHostUser user{library};
        g_timeout_add(20, CloseTheDialogOnceShown, &user);
        EXPECT_EQ(library.Open(), 0);
        EXPECT_NE(user.handleSeen, 0) << "showing " << showing;
        EXPECT_EQ(library.GetWindowHandle(), 0);
    }
    EXPECT_EQ(QCoreApplication::instance(), nullptr)
        << "an application left behind would be torn down at exit after Qt's own globals";
}

// The library belongs to the thread of the host's first call: a call from
// another returns 0 at once, showing nothing and making no application.
// The main thread calls first, as it may have in an earlier test, for a
// library that stays loaded keeps its thread.
TEST(PlainHostTest, OnlyTheThreadOfTheFirstCallIsAnswered) {
    CTempFolder folder;
    CEnvironmentVariable appData("APPDATA", folder.Path().string());
    CLoadedLibrary library;
    ASSERT_NE(library.GetWindowName(nullptr, 0), 0) << "the main thread is answered";

    auto fromWorker = std::async(std::launch::async, [&library] {
        return std::pair{library.Open(), library.GetWindowName(nullptr, 0)};
    });
    if (fromWorker.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        // A dialog shown to the worker has a loop there that nothing ends.
        ADD_FAILURE() << "the worker's call did not return";
        std::abort();
    }
    EXPECT_EQ(fromWorker.get(), (std::pair{0, 0}));
    EXPECT_EQ(QCoreApplication::instance(), nullptr) << "no application made for the worker";
}

} // namespace
