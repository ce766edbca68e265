// Loading and creating through real widgets: the target choice, Qt's file
// dialogs and message boxes, into temporary folders.
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "dialogs/select_target.h"
#include "tests/support/environment_variable.h"
#include "tests/support/message_box_answerer.h"
#include "tests/support/temp_folder.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Plays the user at each new modal dialog that is not a message box, one
// step per dialog, in order.
class CModalPlayer {
public:
    using Step = std::function<void(QWidget*)>;

    explicit CModalPlayer(QWidget* mainWindow) : m_mainWindow(mainWindow) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { PlayOpenDialog(); });
        m_timer.start(10);
    }
    void Then(Step step) { m_steps.push_back(std::move(step)); }
    bool Done() const { return m_steps.empty(); }
    // The titles of the dialogs played that were not attached to the main window.
    const std::vector<QString>& Unattached() const { return m_unattached; }

private:
    void PlayOpenDialog() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == m_mainWindow || modal == m_lastPlayed ||
            qobject_cast<QMessageBox*>(modal) != nullptr || !modal->isVisible()) {
            return;
        }
        m_lastPlayed = modal;
        if (!IsTransientFor(*modal, m_mainWindow)) {
            m_unattached.push_back(modal->windowTitle());
        }
        if (m_steps.empty()) {
            modal->close(); // a script that does not fit fails, not hangs
            return;
        }
        const Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(modal);
    }

    QWidget* m_mainWindow;
    QPointer<QWidget> m_lastPlayed;
    std::deque<Step> m_steps;
    std::vector<QString> m_unattached;
    QTimer m_timer;
};

void ClickTarget(QWidget* dialog, int id) {
    ASSERT_EQ(dialog->windowTitle(), QStringLiteral("Select target"));
    auto* button = dialog->findChild<QAbstractButton*>(QString::number(id));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

QFileDialog* AsFileDialog(QWidget* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    EXPECT_NE(files, nullptr);
    return files;
}

// The dialog's Open (or Choose) button, as a person presses it.
void PressOpen(QFileDialog* files) {
    auto* buttons = files->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Open), Qt::LeftButton);
}

class LoadCreateQtTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::InstallServices(&m_services);
        std::filesystem::create_directories(m_player);
        std::filesystem::create_directories(m_local);
        m_dialog.m_strDevicePath = QString::fromStdString(m_player.string()).toStdU16String();
    }
    void TearDown() override { ui::InstallServices(nullptr); }

    // Runs the dialog; `play` acts once it is up, then it is left by Exit.
    void Show(const std::function<void(ui::qt::CQtWindow&)>& play) {
        QTimer::singleShot(0, [&] {
            auto& window = dynamic_cast<ui::qt::CQtWindow&>(m_dialog.Window());
            play(window);
            QTest::mouseClick(window.Control(IDC_EXIT), Qt::LeftButton);
        });
        m_services.RunModal(m_dialog, nullptr);
    }

    QString Local() const { return QString::fromStdString(m_local.string()); }

    CTempFolder m_folder;
    CEnvironmentVariable m_appData{"APPDATA", m_folder.Path().string()};
    std::filesystem::path m_player = m_folder / "player";
    std::filesystem::path m_local = m_folder / "local";
    ui::qt::CQtUi m_services;
    CQuorlanDlg m_dialog;
};

TEST_F(LoadCreateQtTest, CreateInAFolderAndOnThePlayerThenLoadBothBack) {
    CMessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok,
                                  QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok});
    Show([&](ui::qt::CQtWindow& window) {
        CModalPlayer player(&window);
        QTest::mouseClick(window.Control(IDC_NETFOLDER_CUSTOMIZE), Qt::LeftButton);
        auto* user = window.findChild<QLineEdit*>(QString::number(IDC_USER_ID));
        QTest::keyClicks(window.findChild<QLineEdit*>(QString::number(IDC_DEVICE_NAME)),
                         QStringLiteral("kordavin-1"));
        QTest::keyClicks(user, QStringLiteral("guest"));

        player.Then([](QWidget* target) { ClickTarget(target, IDC_TARGET_LOCAL_COMPUTER); });
        player.Then([&](QWidget* browser) {
            QFileDialog* folders = AsFileDialog(browser);
            ASSERT_NE(folders, nullptr);
            EXPECT_EQ(folders->windowTitle(), QStringLiteral("Select folder"));
            EXPECT_EQ(folders->fileMode(), QFileDialog::Directory);
            folders->setDirectory(Local());
            PressOpen(folders);
        });
        QTest::mouseClick(window.Control(IDC_CREATE_SETTING_FILE), Qt::LeftButton);
        EXPECT_TRUE(std::filesystem::exists(m_local / "NetworkSetting.ini"));

        // Onto the player twice: the second time asks before replacing.
        for (int time = 0; time < 2; ++time) {
            player.Then([](QWidget* target) { ClickTarget(target, IDC_TARGET_DEVICE); });
            QTest::mouseClick(window.Control(IDC_CREATE_SETTING_FILE), Qt::LeftButton);
        }
        EXPECT_TRUE(std::filesystem::exists(m_player / "NetworkSetting.ini"));

        user->clear();
        QTest::keyClicks(user, QStringLiteral("other"));
        player.Then([](QWidget* target) { ClickTarget(target, IDC_TARGET_DEVICE); });
        QTest::mouseClick(window.Control(IDC_LOAD_SETTINGS), Qt::LeftButton);
        EXPECT_EQ(user->text(), QStringLiteral("guest"));

        user->clear();
        QTest::keyClicks(user, QStringLiteral("other"));
        player.Then([](QWidget* target) { ClickTarget(target, IDC_TARGET_LOCAL_COMPUTER); });
        player.Then([&](QWidget* open) {
            QFileDialog* files = AsFileDialog(open);
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFile);
            EXPECT_EQ(files->nameFilters(), QStringList{QStringLiteral("(*.ini)")});
            files->setDirectory(Local());
            files->selectFile(QStringLiteral("NetworkSetting.ini"));
            PressOpen(files);
        });
        QTest::mouseClick(window.Control(IDC_LOAD_SETTINGS), Qt::LeftButton);
        EXPECT_EQ(user->text(), QStringLiteral("guest"));

        // The property dialog and the About box, each closed again.
        const auto close = [](QWidget* dialog) { dialog->close(); };
        player.Then(close);
        m_dialog.Dispatch(IDC_ADD, ui::Notification::Clicked);
        player.Then(close);
        m_dialog.Dispatch(IDM_ABOUTBOX, ui::Notification::Clicked);
        EXPECT_TRUE(player.Done());
        EXPECT_EQ(player.Unattached(), std::vector<QString>{});
    });
    std::vector<QString> texts;
    for (const auto& shown : answerer.Shown()) {
        texts.push_back(shown.text);
        EXPECT_TRUE(shown.modalToItsOwner) << shown.text.toStdString();
    }
    EXPECT_EQ(texts, (std::vector<QString>{QStringLiteral("Settings file created successfully.   "),
                                           QStringLiteral("Settings file created successfully.   "),
                                           QStringLiteral("Overwrite the existing file?   "),
                                           QStringLiteral("Settings file created successfully.   "),
                                           QStringLiteral("Settings loaded successfully.   "),
                                           QStringLiteral("Settings loaded successfully.   ")}));
}

TEST_F(LoadCreateQtTest, TheFolderBrowserOpensOnTheLastFolderAfterAReopen) {
    CMessageBoxAnswerer answerer({QMessageBox::Ok});
    for (int showing = 0; showing < 2; ++showing) {
        Show([&](ui::qt::CQtWindow& window) {
            CModalPlayer player(&window);
            player.Then([](QWidget* target) { ClickTarget(target, IDC_TARGET_LOCAL_COMPUTER); });
            player.Then([&](QWidget* browser) {
                QFileDialog* folders = AsFileDialog(browser);
                ASSERT_NE(folders, nullptr);
                if (showing == 0) {
                    folders->setDirectory(Local());
                    PressOpen(folders);
                } else {
                    EXPECT_EQ(folders->directory().absolutePath(), Local());
                    folders->reject();
                }
            });
            QTest::mouseClick(window.Control(IDC_CREATE_SETTING_FILE), Qt::LeftButton);
            EXPECT_TRUE(player.Done());
        });
    }
    EXPECT_EQ(answerer.Shown().size(), 1u);
}

} // namespace
