#include "loaded_library.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <functional>

namespace {

// While the library's dialog runs its loop, the host's own timers go on:
// this one plays the user once the dialog is up.
void WhileShown(const CLoadedLibrary& library, const std::function<void(QWidget&)>& play) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, play, &library] {
        QWidget* dialog = library.ShownDialog();
        if (dialog == nullptr) {
            return;
        }
        timer->stop();
        play(*dialog);
        timer->deleteLater();
    });
    timer->start(20);
}

void ClickExit(QWidget& dialog) {
    auto* exit = dialog.findChild<QAbstractButton*>(QStringLiteral("2"));
    ASSERT_NE(exit, nullptr);
    QTest::mouseClick(exit, Qt::LeftButton);
}

// Through the window system, where a modal window holds back input.
void ClickAsTheDisplayDoes(QWidget& widget) {
    QWidget* window = widget.window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      widget.mapTo(window, widget.rect().center()));
}

class LibraryTest : public ::testing::Test {
protected:
    CTempFolder m_folder;
    CEnvironmentVariable m_appData{"APPDATA", m_folder.Path().string()};
};

TEST_F(LibraryTest, OnlyTheFiveFunctionsAreExported) {
    CLoadedLibrary library;
    for (const char* name :
         {"OpenQuorlanDlg", "SetDevicePath", "SetDeviceName", "GetWindowHandle", "GetWindowName"}) {
        EXPECT_TRUE(library.Exports(name)) << name;
    }
    for (const char* hidden : {"theApp", "g_pMainDlg", "g_nLanguageIndex", "_Z14GetMessageTexti",
                               "_ZN8platform6GetACPEv"}) {
        EXPECT_FALSE(library.Exports(hidden)) << hidden;
    }
}

TEST_F(LibraryTest, WindowNameByteCounts) {
    CLoadedLibrary library;
    EXPECT_EQ(library.GetWindowName(nullptr, 0), 22);
    char buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    EXPECT_EQ(library.GetWindowName(buffer, 0), 22);
    EXPECT_EQ(library.GetWindowName(buffer, 21), 0);
    EXPECT_EQ(library.GetWindowName(buffer, -5), 0);
    EXPECT_EQ(buffer[0], '#') << "nothing is written into a buffer too small";
    EXPECT_EQ(library.GetWindowName(buffer, 22), 22);
    EXPECT_STREQ(buffer, "Network configuration");
}

TEST_F(LibraryTest, DialogShowsThroughTheExportsAndSavesItsStateOnExit) {
    CLoadedLibrary library;
    EXPECT_EQ(library.GetWindowHandle(), 0);
    library.SetDevicePath("/media/player");
    library.SetDevicePath(nullptr);
    library.SetDeviceName("Player 1");
    int handleWhileShown = 0;
    QString checkBoxText;
    WhileShown(library, [&](QWidget& dialog) {
        handleWhileShown = library.GetWindowHandle();
        EXPECT_EQ(static_cast<WId>(handleWhileShown), dialog.winId());
        EXPECT_EQ(std::async(std::launch::async, [&] { return library.GetWindowHandle(); }).get(),
                  0)
            << "another thread is not answered";
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Network configuration"));
        auto* tabs = dialog.findChild<QTabBar*>();
        ASSERT_NE(tabs, nullptr);
        tabs->setCurrentIndex(1);
        auto* checkBox = dialog.findChild<QAbstractButton*>(QStringLiteral("1069"));
        ASSERT_NE(checkBox, nullptr);
        EXPECT_TRUE(checkBox->isVisible()) << "the wireless page is shown";
        checkBoxText = checkBox->text();
        ClickExit(dialog);
    });
    EXPECT_EQ(library.Open(), 0);
    EXPECT_NE(handleWhileShown, 0);
    EXPECT_EQ(checkBoxText, QStringLiteral("Enable Network device of Player 1"));
    EXPECT_EQ(library.GetWindowHandle(), 0);
    EXPECT_TRUE(std::filesystem::exists(m_folder / "KordavinSettingUtil.dat"));
}

TEST_F(LibraryTest, HostWindowTakesClicksAndTypingWhileTheDialogIsShown) {
    CLoadedLibrary library;
    QWidget hostWindow;
    auto* button = new QPushButton(QStringLiteral("Count"), &hostWindow);
    auto* edit = new QLineEdit(&hostWindow);
    auto* layout = new QVBoxLayout(&hostWindow);
    layout->addWidget(button);
    layout->addWidget(edit);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    hostWindow.show();
    WhileShown(library, [&](QWidget& dialog) {
        ClickAsTheDisplayDoes(*button);
        edit->setFocus();
        for (const char key : {'a', 'b', 'c'}) {
            QTest::keyClick(hostWindow.windowHandle(), key);
        }
        ClickExit(dialog);
    });
    EXPECT_EQ(library.Open(), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(edit->text(), QStringLiteral("abc"));
}

TEST_F(LibraryTest, AboutBoxBlocksTheDialogButNotTheHost) {
    CLoadedLibrary library;
    QPushButton hostButton(QStringLiteral("Count"));
    int clicks = 0;
    QObject::connect(&hostButton, &QPushButton::clicked, [&clicks] { ++clicks; });
    hostButton.show();
    QString aboutTitle;
    bool dialogShownAfterBlockedExit = false;
    WhileShown(library, [&](QWidget& dialog) {
        QTimer::singleShot(50, &dialog, [&] {
            QWidget* about = QApplication::activeModalWidget();
            ASSERT_NE(about, nullptr);
            aboutTitle = about->windowTitle();
            auto* exit = dialog.findChild<QAbstractButton*>(QStringLiteral("2"));
            ClickAsTheDisplayDoes(*exit);
            dialogShownAfterBlockedExit = library.GetWindowHandle() != 0;
            ClickAsTheDisplayDoes(hostButton);
            QTest::keyClick(about, Qt::Key_Return);
        });
        QApplication::setActiveWindow(&dialog);
        QTest::keyClick(&dialog, Qt::Key_F1);
        ClickExit(dialog);
    });
    EXPECT_EQ(library.Open(), 0);
    EXPECT_EQ(aboutTitle, QStringLiteral("About network configuration utility"));
    EXPECT_TRUE(dialogShownAfterBlockedExit);
    EXPECT_EQ(clicks, 1);
}

TEST_F(LibraryTest, NestedOpenFromATimerIsRefusedAtOnce) {
    CLoadedLibrary library;
    int nestedResult = -1;
    bool eventsRanDuringTheCall = false;
    WhileShown(library, [&](QWidget& dialog) {
        // Had the call run a loop of its own, this would fire inside it and
        // end the nested showing, so the test fails rather than hangs.
        QTimer::singleShot(0, &dialog, [&] {
            eventsRanDuringTheCall = true;
            if (QWidget* shown = library.ShownDialog()) {
                ClickExit(*shown);
            }
        });
        nestedResult = library.Open();
        EXPECT_FALSE(eventsRanDuringTheCall) << "the nested call returns at once";
        EXPECT_EQ(static_cast<WId>(library.GetWindowHandle()), dialog.winId());
        ClickExit(dialog);
    });
    EXPECT_EQ(library.Open(), 0);
    EXPECT_EQ(nestedResult, 0);
}

TEST_F(LibraryTest, ShownTwiceThenUnloadedAndLoadedAgain) {
    {
        CLoadedLibrary library;
        for (int showing = 0; showing < 2; ++showing) {
            bool shown = false;
            WhileShown(library, [&](QWidget& dialog) {
                shown = true;
                ClickExit(dialog);
            });
            EXPECT_EQ(library.Open(), 0);
            EXPECT_TRUE(shown) << "showing " << showing;
        }
    }
    CLoadedLibrary again;
    EXPECT_EQ(again.GetWindowName(nullptr, 0), 22);
    EXPECT_EQ(again.GetWindowHandle(), 0);
    bool shown = false;
    WhileShown(again, [&](QWidget& dialog) {
        shown = true;
        ClickExit(dialog);
    });
    again.Open();
    EXPECT_TRUE(shown);
}

} // namespace
