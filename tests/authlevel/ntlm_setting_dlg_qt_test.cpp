#include "authlevel/ntlm_setting_dlg.h"
#include "tests/authlevel/brenhold_fixture.h"
#include "tests/support/focus_mark.h"
#include "tests/support/message_box_answerer.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using ui::qt::CQtUi;
using ui::qt::CQtWindow;

namespace {

class NtlmSettingDlgQtTest : public CBrenholdFixture {
protected:
    void SetUp() override {
        CBrenholdFixture::SetUp();
        ui::InstallServices(&m_ui);
    }
    void TearDown() override { ui::InstallServices(nullptr); }

    int Run(std::function<void(CQtWindow&)> script) {
        QTimer::singleShot(0, [this, script] {
            auto& window = dynamic_cast<CQtWindow&>(m_dialog.Window());
            QApplication::setActiveWindow(&window);
            script(window);
        });
        return m_ui.RunModal(m_dialog, nullptr);
    }

    template <typename Widget> static Widget* Find(CQtWindow& window, int id) {
        return window.findChild<Widget*>(QString::number(id));
    }

    CQtUi m_ui;
    CNTLMSettingDlg m_dialog;
};

} // namespace

TEST_F(NtlmSettingDlgQtTest, ChoosingALevelAndApplyingWritesItToTheRegistryFile) {
    StoreLevel("dword:00000003");
    CMessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::No});
    const int result = Run([&](CQtWindow& window) {
        auto* combo = Find<QComboBox>(window, IDC_COMBO_LEVEL);
        auto* apply = Find<QPushButton>(window, IDC_APPLY);
        EXPECT_EQ(QApplication::focusWidget(), combo);
        EXPECT_TRUE(ShowsItsFocus(*combo)) << "from the start, before any key";
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Local Security Setting"));
        EXPECT_EQ(combo->currentIndex(), 3);
        EXPECT_FALSE(apply->isEnabled());
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        EXPECT_EQ(combo->currentText(), QString::fromStdU16String(Text(148)));
        EXPECT_TRUE(apply->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton);
        EXPECT_FALSE(apply->isEnabled());
        QTest::mouseClick(Find<QPushButton>(window, ui::IDCANCEL), Qt::LeftButton);
    });
    EXPECT_EQ(result, ui::IDCANCEL);
    EXPECT_EQ(StoredLevel(), u"dword:00000004");
    ASSERT_EQ(answerer.Shown().size(), 2u);
    EXPECT_EQ(answerer.Shown()[0].text, QString::fromStdU16String(Text(151) + u"   "));
    EXPECT_EQ(answerer.Shown()[1].caption, QString::fromStdU16String(Text(150)));
    EXPECT_TRUE(answerer.Shown()[1].modalToItsOwner);
    EXPECT_FALSE(std::filesystem::exists(RestartRecord()));
}

TEST_F(NtlmSettingDlgQtTest, EnterConfirmsTheDefaultLevelRestartsAndCloses) {
    CMessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Yes});
    const int result = Run([](CQtWindow& window) {
        // No close box: the template has no system menu.
        EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QTest::keyClick(Find<QComboBox>(window, IDC_COMBO_LEVEL), Qt::Key_Return);
    });
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(StoredLevel(), u"dword:00000002");
    EXPECT_EQ(answerer.Shown().size(), 2u);
    EXPECT_TRUE(RestartRequested());
}
