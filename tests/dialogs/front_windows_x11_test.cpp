// The main dialog and a real Brenhold on a virtual X display: moving the
// dialog over Brenhold's window brings that window back in front.
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"
#include "tests/support/virtual_display.h"
#include "ui/qt/qt_ui.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace std::chrono_literals;

// The main dialog, counting the rounds of bringing windows forward.
class CCountingQuorlanDlg : public CQuorlanDlg {
public:
    void OnWindowPosChanged() override {
        ++m_nRounds;
        CQuorlanDlg::OnWindowPosChanged();
    }
    int m_nRounds = 0;
};

// True when window lies above other in the stacking order of the root.
bool IsAbove(std::uint32_t window, std::uint32_t other) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr), &std::free);
    int windowAt = -1;
    int otherAt = -1;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i) {
        windowAt = children[i] == window ? i : windowAt; // bottom to top
        otherAt = children[i] == other ? i : otherAt;
    }
    xcb_disconnect(connection);
    return windowAt > otherAt && otherAt >= 0;
}

// Runs the event loop until the condition holds or the patience runs out.
// A loop that never waits for events never sends what Qt holds back for the
// X server either, so it is sent before each look.
bool ProcessEventsUntil(const std::function<bool()>& condition,
                        std::chrono::milliseconds patience) {
    for (auto waited = 0ms; waited < patience; waited += 20ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QGuiApplication::sync();
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    return condition();
}

class FrontWindowsX11Test : public ::testing::Test {
protected:
    CTempFolder m_folder;
    CEnvironmentVariable m_appData{"APPDATA", m_folder.Path().string()};
    CEnvironmentVariable m_registry{"KORDAVIN_REGISTRY_ROOT", (m_folder / "registry").string()};
    CEnvironmentVariable m_samba{"KORDAVIN_SAMBA_ROOT", (m_folder / "samba").string()};
    CEnvironmentVariable m_runtime{"XDG_RUNTIME_DIR", m_folder.Path().string()};
    CEnvironmentVariable m_platform{"QT_QPA_PLATFORM", "xcb"};
};

TEST_F(FrontWindowsX11Test, BrenholdComesBackInFrontOfTheMovedDialogWithoutAnEndlessLoop) {
    CVirtualDisplay display;
    if (display.Name().empty()) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    CEnvironmentVariable x11("DISPLAY", display.Name());
    const pid_t brenhold = Spawn({BRENHOLD_PROGRAM});
    ASSERT_GT(brenhold, 0);
    const std::uint32_t brenholdWindow = AwaitWindow(u"Local Security Setting");
    ASSERT_NE(brenholdWindow, 0u);

    int argc = 1;
    char name[] = "tests";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    CCountingQuorlanDlg dialog;
    QTimer::singleShot(0, [&] {
        QWidget* main = ui::qt::WidgetOf(&dialog);
        const auto mainWindow = static_cast<std::uint32_t>(main->winId());
        // Shown and activated, the dialog brings Brenhold forward once on its
        // own; only after that round may the drag start from the dialog on top.
        EXPECT_TRUE(ProcessEventsUntil(
            [&] { return dialog.m_nRounds > 0 && IsAbove(brenholdWindow, mainWindow); }, 10s))
            << "Brenhold comes forward when the dialog appears";
        main->raise();
        EXPECT_TRUE(ProcessEventsUntil([&] { return IsAbove(mainWindow, brenholdWindow); }, 10s))
            << "the dialog starts over Brenhold";
        const int roundsBefore = dialog.m_nRounds;

        constexpr int kDragSteps = 20;
        for (int step = 1; step <= kDragSteps; ++step) {
            main->move(main->pos() + QPoint(3, 2));
            QApplication::processEvents();
        }
        EXPECT_TRUE(ProcessEventsUntil([&] { return IsAbove(brenholdWindow, mainWindow); }, 10s))
            << "Brenhold is back in front";
        ProcessEventsUntil([] { return false; }, 500ms);
        const int rounds = dialog.m_nRounds - roundsBefore;
        EXPECT_GE(rounds, 1);
        EXPECT_LE(rounds, kDragSteps) << "bursts are merged, raises cause no rounds";
        ProcessEventsUntil([] { return false; }, 500ms);
        EXPECT_EQ(dialog.m_nRounds - roundsBefore, rounds) << "quiet once the drag has ended";
        dialog.EndDialog(ui::IDCANCEL);
    });
    dialog.DoModal();
    ui::InstallServices(nullptr);

    kill(brenhold, SIGTERM);
    waitpid(brenhold, nullptr, 0);
}

} // namespace
