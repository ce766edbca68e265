#include "authlevel/ntlm_setting_dlg.h"
#include "tests/authlevel/brenhold_fixture.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using ui::qt::CQtWindow;

namespace {

constexpr const char* kLanguages[kLanguageCount] = {
    "default", "english",  "french",  "german", "swedish", "dutch",  "finnish", "norwegian",
    "russian", "japanese", "chinese", "danish", "italian", "polish", "spanish"};

// Texts measured with the widgets' own fonts: a label must wrap within its
// height, a button's caption and every combo row must fit its width.
std::vector<std::string> TextsThatDoNotFit(CQtWindow& window) {
    std::vector<std::string> faults;
    for (auto* label : window.findChildren<QLabel*>()) {
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
                                                               Qt::TextWordWrap, label->text());
        if (needed.height() > label->height() || needed.width() > label->width()) {
            faults.push_back("label " + label->objectName().toStdString());
        }
    }
    for (auto* button : window.findChildren<QPushButton*>()) {
        if (button->fontMetrics().horizontalAdvance(button->text()) + 8 > button->width()) {
            faults.push_back("button " + button->objectName().toStdString());
        }
    }
    for (auto* combo : window.findChildren<QComboBox*>()) {
        // Room for the frame and the arrow beside the text.
        const int room = combo->width() - combo->height() - 8;
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) > room) {
                faults.push_back("combo row " + std::to_string(i));
            }
        }
    }
    for (auto* child : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!window.rect().contains(child->geometry())) {
            faults.push_back("outside the dialog: " + child->objectName().toStdString());
        }
    }
    return faults;
}

} // namespace

class ScreenshotTest : public CBrenholdFixture {};

TEST_F(ScreenshotTest, DialogShowsEveryTextWholeInEveryLanguage) {
    ui::qt::CQtUi services;
    ui::InstallServices(&services);
    const QString folder = QStringLiteral(QUORLAN_BINARY_DIR "/screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(kLanguages[language]);
        g_nLanguageIndex = language;
        CNTLMSettingDlg dialog;
        QTimer::singleShot(0, [&] {
            auto& window = dynamic_cast<CQtWindow&>(dialog.Window());
            const QString file =
                QStringLiteral("%1/brenhold-%2.png").arg(folder, kLanguages[language]);
            EXPECT_TRUE(window.grab().save(file));
            EXPECT_EQ(TextsThatDoNotFit(window), std::vector<std::string>{});
            window.End(ui::IDCANCEL);
        });
        services.RunModal(dialog, nullptr);
    }
    ui::InstallServices(nullptr);
}
