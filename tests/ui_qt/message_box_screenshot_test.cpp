// One message box of each kind the dialogs show, in every language: pictured
// for people to look at, its text whole and told to a screen reader.
#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "tests/support/accessibility_faults.h"
#include "tests/support/screenshot_names.h"
#include "tests/support/text_fit.h"
#include "ui/qt/qt_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct CBoxKind {
    const char* name;
    int message;
    int caption;
    ui::Icon icon;
    ui::Buttons buttons;
};

// The information after a file is made, an error of the property dialog,
// and the question before a file is replaced.
constexpr CBoxKind kKinds[] = {
    {"information", kMsgCreateSucceeded, kMsgCreateSetting, ui::Icon::Information, ui::Buttons::Ok},
    {"error", kMsgEntryNotKeptByFile, kMsgWirelessLanSetting, ui::Icon::Error, ui::Buttons::Ok},
    {"question", kMsgOverwriteExistingFile, kMsgCreateSetting, ui::Icon::Question,
     ui::Buttons::OkCancel},
};

TEST(MessageBoxScreenshotTest, EachKindShowsItsTextWholeInEveryLanguage) {
    ui::qt::CQtUi services;
    for (const int language : ScreenshotLanguages()) {
        SCOPED_TRACE(kScreenshotLanguages[language]);
        g_nLanguageIndex = language;
        for (const CBoxKind& kind : kKinds) {
            SCOPED_TRACE(kind.name);
            bool seen = false;
            QTimer watch;
            QObject::connect(&watch, &QTimer::timeout, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr || !box->isVisible() || seen) {
                    return;
                }
                seen = true;
                const QString file =
                    QStringLiteral("%1/message-box-%2-%3.png")
                        .arg(ScreenshotFolder(), kScreenshotLanguages[language], kind.name);
                EXPECT_TRUE(SaveScreenshot(*box, file));
                EXPECT_EQ(TextsThatDoNotFit(*box), std::vector<std::string>{});
                EXPECT_EQ(AccessibilityFaults(*box), std::vector<std::string>{});
                // The buttons speak the user's language, as Windows' own do.
                if (QAbstractButton* cancel = box->button(QMessageBox::Cancel);
                    cancel != nullptr && QLocale::system().language() == QLocale::German) {
                    EXPECT_EQ(cancel->text(), QStringLiteral("Abbrechen"));
                }
                box->done(QMessageBox::Cancel);
            });
            watch.start(10);
            std::u16string text;
            services.ShowMessageBox(nullptr, ComposeMessageText(text, kind.message),
                                    GetMessageText(kind.caption), kind.icon, kind.buttons);
            EXPECT_TRUE(seen);
        }
    }
    g_nLanguageIndex = 0;
}

} // namespace
