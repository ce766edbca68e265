// A host that knows nothing of Qt: the library makes the application it
// needs while its dialog is shown. The host's timer is a GLib one, as a C
// program's would be; the dialog's loop runs it.
#include "glib_timeout.h"
#include "loaded_library.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"

#include <QAbstractButton>
#include <QApplication>

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

} // namespace
