// The host's window on real widgets, with the real library loaded into the
// test: its texts in the dialog's language, and the keyboard round trip of
// opening the dialog and coming back.
#include "catalogue/message_catalogue.h"
#include "host/ansi_text.h"
#include "host/host_texts.h"
#include "host/host_window.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr EHostText kWindowTexts[] = {
    EHostText::kCardsLabel,     EHostText::kSdCardLabel,     EHostText::kNoPlayerAttached,
    EHostText::kChoose,         EHostText::kPlayerNameLabel, EHostText::kPlayerNamePlaceholder,
    EHostText::kDialogNotShown,
};

// What the window shows: labels, buttons, the edits' hints.
std::set<QString> ShownTexts(const QWidget& window) {
    std::set<QString> texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        texts.insert(label->text());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        texts.insert(button->text());
    }
    for (const QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        texts.insert(edit->placeholderText());
    }
    return texts;
}

class HostWindowTest : public ::testing::Test {
protected:
    ~HostWindowTest() override { g_nLanguageIndex = 0; }

    const CQuorlanLibrary m_library{QUORLAN_LIBRARY};
};

TEST_F(HostWindowTest, EveryTextIsInTheDialogsLanguage) {
    ASSERT_TRUE(m_library.IsLoaded()) << m_library.Error();
    std::set<QString> english;
    for (const EHostText text : kWindowTexts) {
        english.insert(HostText(text));
    }
    for (int language = 2; language < kLanguageCount; ++language) {
        g_nLanguageIndex = language;
        const CHostWindow window(m_library, {}, {});
        const std::set<QString> shown = ShownTexts(window);
        for (const EHostText text : kWindowTexts) {
            EXPECT_TRUE(shown.contains(HostText(text))) << language;
            EXPECT_FALSE(english.contains(HostText(text))) << language;
        }
        // Qt's own texts too, as its edit menus and folder chooser show them.
        EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"),
                  QStringLiteral("Look in:"))
            << language;
    }
}

TEST_F(HostWindowTest, EnterOpensTheDialogAndTheFocusComesBackToItsButton) {
    ASSERT_TRUE(m_library.IsLoaded()) << m_library.Error();
    const CTempFolder folder;
    const CEnvironmentVariable appData("APPDATA", folder.Path().string());
    CHostWindow window(m_library, QString::fromStdString(folder.Path().string()), {});
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* path = window.findChildren<QLineEdit*>().at(0);
    path->setFocus();
    const QString pathBefore = path->text();

    int opened = 0;
    QString deviceText;
    QTimer exitWhenShown;
    QObject::connect(&exitWhenShown, &QTimer::timeout, [&] {
        if (m_library.GetWindowHandle() == 0) {
            return;
        }
        ++opened;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* device = widget->findChild<QAbstractButton*>(QStringLiteral("1069"))) {
                deviceText = device->text();
            }
            if (auto* exit = widget->findChild<QAbstractButton*>(QStringLiteral("2"));
                exit != nullptr && widget->isVisible() && widget != &window) {
                exit->click();
            }
        }
    });
    exitWhenShown.start(20);
    QTest::keyClick(path, Qt::Key_Return);
    EXPECT_EQ(opened, 1);
    // No player's name given: the dialog names the player as it does by default.
    EXPECT_EQ(deviceText, QStringLiteral("Enable Network device of KORDAVIN"));

    // Back in the window: the button has the focus, so Space opens it again
    // and types nothing into the path.
    auto* open = qobject_cast<QAbstractButton*>(window.focusWidget());
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), FromAnsi(m_library.WindowName()));
    QTest::keyClick(open, Qt::Key_Space);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(path->text(), pathBefore);

    // A name given, then taken away again: the next showing has the default.
    auto* name = window.findChildren<QLineEdit*>().at(1);
    name->setText(QStringLiteral("Player 7"));
    QTest::keyClick(open, Qt::Key_Space);
    EXPECT_EQ(deviceText, QStringLiteral("Enable Network device of Player 7"));
    name->clear();
    QTest::keyClick(open, Qt::Key_Space);
    EXPECT_EQ(opened, 4);
    EXPECT_EQ(deviceText, QStringLiteral("Enable Network device of KORDAVIN"));
}

// Enter on the focused "Choose..." chooses, as in any dialog: the folder
// chooser opens, with the window's own title for it, and the dialog does not.
TEST_F(HostWindowTest, EnterOnChooseOpensTheFolderChooser) {
    ASSERT_TRUE(m_library.IsLoaded()) << m_library.Error();
    CHostWindow window(m_library, {}, {});
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QAbstractButton* choose = nullptr;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        choose = button->text() == HostText(EHostText::kChoose) ? button : choose;
    }
    ASSERT_NE(choose, nullptr);
    choose->setFocus();

    QString chooserTitle;
    QTimer cancelWhenShown;
    QObject::connect(&cancelWhenShown, &QTimer::timeout, [&] {
        if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            chooserTitle = chooser->windowTitle();
            chooser->reject();
        }
    });
    cancelWhenShown.start(20);
    QTest::keyClick(choose, Qt::Key_Return);
    EXPECT_EQ(chooserTitle, HostText(EHostText::kSdCardChooserTitle));
    EXPECT_EQ(m_library.GetWindowHandle(), 0);
}

} // namespace
