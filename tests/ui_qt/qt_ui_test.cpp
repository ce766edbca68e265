#include "tests/support/message_box_answerer.h"
#include "tests/ui_qt/probe_dialog.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using ui::qt::CQtUi;
using ui::qt::CQtWindow;

namespace {

class QtUiTest : public ::testing::Test {
protected:
    void SetUp() override { ui::InstallServices(&m_ui); }
    void TearDown() override { ui::InstallServices(nullptr); }

    // Runs the dialog modally; the script plays the user once it is shown.
    int Run(CProbeDlg& dialog, std::function<void(CQtWindow&)> script) {
        QTimer::singleShot(0, [&dialog, script] {
            auto& window = dynamic_cast<CQtWindow&>(dialog.Window());
            QApplication::setActiveWindow(&window);
            script(window);
        });
        return m_ui.RunModal(dialog, nullptr);
    }

    CQtUi m_ui;
};

QWidget* Find(CQtWindow& window, int id) { return window.findChild<QWidget*>(QString::number(id)); }

} // namespace

TEST_F(QtUiTest, EnterPressesTheDefaultButtonAndEscapeCancels) {
    const auto dialogTemplate = ProbeTemplate(ui::window_style::kSystemMenu, 0);
    CProbeDlg entered(dialogTemplate);
    EXPECT_EQ(Run(entered,
                  [](CQtWindow& window) {
                      Find(window, 11)->setFocus();
                      QTest::keyClick(Find(window, 11), Qt::Key_Return);
                  }),
              ui::IDOK);
    CProbeDlg escaped(dialogTemplate);
    EXPECT_EQ(Run(escaped,
                  [](CQtWindow& window) {
                      Find(window, 11)->setFocus();
                      QTest::keyClick(Find(window, 11), Qt::Key_Escape);
                  }),
              ui::IDCANCEL);
    CProbeDlg closed(dialogTemplate);
    EXPECT_EQ(Run(closed, [](CQtWindow& window) { window.close(); }), ui::IDCANCEL);
}

TEST_F(QtUiTest, MessageBoxesAreModalToTheirDialogAndReturnTheButton) {
    const auto dialogTemplate = ProbeTemplate(ui::window_style::kSystemMenu, 0);
    CProbeDlg dialog(dialogTemplate);
    CMessageBoxAnswerer answerer({QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok});
    std::vector<int> results;
    Run(dialog, [&](CQtWindow& window) {
        results.push_back(
            dialog.MessageBox(u"Sure?   ", u"Question", ui::Icon::Question, ui::Buttons::OkCancel));
        results.push_back(
            dialog.MessageBox(u"Restart?", u"Question", ui::Icon::None, ui::Buttons::YesNo));
        results.push_back(
            dialog.MessageBox(u"Port?", u"Wireless LAN setting", ui::Icon::Error, ui::Buttons::Ok));
        EXPECT_NE(window.font(), QApplication::font()) << "the check would prove nothing";
        window.End(ui::IDOK);
    });
    EXPECT_EQ(results, (std::vector<int>{ui::IDCANCEL, ui::IDNO, ui::IDOK}));
    ASSERT_EQ(answerer.Shown().size(), 3u);
    EXPECT_EQ(answerer.Shown()[0].text, QStringLiteral("Sure?   "));
    EXPECT_EQ(answerer.Shown()[0].caption, QStringLiteral("Question"));
    EXPECT_EQ(answerer.Shown()[0].icon, QMessageBox::Question);
    EXPECT_TRUE(answerer.Shown()[0].modalToItsOwner);
    EXPECT_EQ(answerer.Shown()[2].icon, QMessageBox::Critical);
    for (const auto& shown : answerer.Shown()) {
        EXPECT_TRUE(shown.announcedAsAlert) << shown.text.toStdString();
        EXPECT_TRUE(shown.inItsOwnersFont) << shown.text.toStdString();
    }
    // A short text under a long caption: a window manager has room for the
    // caption beside the frame's icon and three buttons.
    const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    EXPECT_GE(answerer.Shown()[2].widthBeyondCaption, 4 * title.height());
}

// Enter takes the default: OK where it is offered, but No over Yes, so that
// nothing that cannot be undone is one press away.
TEST_F(QtUiTest, EnterAnswersOkOrNoNeverYes) {
    QTimer pressEnter;
    QObject::connect(&pressEnter, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    pressEnter.start(10);
    EXPECT_EQ(
        m_ui.ShowMessageBox(nullptr, u"Restart?", u"Question", ui::Icon::None, ui::Buttons::YesNo),
        ui::IDNO);
    EXPECT_EQ(
        m_ui.ShowMessageBox(nullptr, u"Sure?", u"Question", ui::Icon::None, ui::Buttons::OkCancel),
        ui::IDOK);
}

TEST_F(QtUiTest, WindowStylesDecideCloseBoxAndTaskbarEntry) {
    const auto toolTemplate = ProbeTemplate(0, ui::kExStyleToolWindow);
    CProbeDlg tool(toolTemplate);
    Run(tool, [](CQtWindow& window) {
        EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        EXPECT_EQ(window.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        window.SetExtendedStyle(ui::kExStyleAppWindow);
        EXPECT_EQ(window.windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
        EXPECT_TRUE(window.isVisible()); // still shown after the change
        window.End(ui::IDOK);
    });
    const auto normalTemplate = ProbeTemplate(ui::window_style::kSystemMenu, 0);
    CProbeDlg normal(normalTemplate);
    Run(normal, [](CQtWindow& window) {
        EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        window.End(ui::IDOK);
    });
}

TEST_F(QtUiTest, FindsAndRaisesItsOwnWindowsByExactTitle) {
    const auto dialogTemplate = ProbeTemplate(ui::window_style::kSystemMenu, 0);
    CProbeDlg dialog(dialogTemplate);
    Run(dialog, [&](CQtWindow& window) {
        window.SetTitle(u"Local Security Setting");
        const ui::WindowHandle found = m_ui.FindWindow(u"Local Security Setting");
        EXPECT_EQ(found, window.Handle());
        EXPECT_EQ(m_ui.FindWindow(u"Local Security"), 0u);
        EXPECT_TRUE(m_ui.SetForegroundWindow(found));
        window.End(ui::IDOK);
    });
    EXPECT_EQ(m_ui.FindWindow(u"Local Security Setting"), 0u);
}

TEST_F(QtUiTest, LongTextsWidenTheDialogUntilTheyFit) {
    auto dialogTemplate = ProbeTemplate(ui::window_style::kSystemMenu, 0);
    CProbeDlg dialog(dialogTemplate);
    Run(dialog, [](CQtWindow& window) {
        const int drawn = window.width();
        window.SetText(ui::IDCANCEL, u"Abbrechen und alles verwerfen");
        window.FitTexts();
        auto* button = qobject_cast<QPushButton*>(Find(window, ui::IDCANCEL));
        EXPECT_GT(window.width(), drawn);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width());
        EXPECT_LE(button->geometry().right(), window.width());
        window.End(ui::IDOK);
    });
}
