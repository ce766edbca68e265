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
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <utility>

namespace {

struct CBoxKind {
    const char* name;
    int message;
    int caption;
    ui::Icon icon;
    ui::Buttons buttons;
};

// The information after a file is made, an error of the property dialog,
// the question before a file is replaced, and Brenhold's restart question.
constexpr CBoxKind kKinds[] = {
    {"information", kMsgCreateSucceeded, kMsgCreateSetting, ui::Icon::Information, ui::Buttons::Ok},
    {"error", kMsgProxyAddressNotKeptByFile, kMsgWirelessLanSetting, ui::Icon::Error,
     ui::Buttons::Ok},
    {"question", kMsgOverwriteExistingFile, kMsgCreateSetting, ui::Icon::Question,
     ui::Buttons::OkCancel},
    {"yes-no", kMsgRestartQuestion, kMsgQuestionCaption, ui::Icon::Question, ui::Buttons::YesNo},
};

// Each standard button reads as the catalogue has its word, never as the
// system's locale or Qt's English would have it.
std::vector<std::string> ButtonsNotInTheCatalogue(QMessageBox& box) {
    constexpr std::pair<QMessageBox::StandardButton, int> kWords[] = {
        {QMessageBox::Ok, kMsgBrenholdOk},
        {QMessageBox::Cancel, kMsgBrenholdCancel},
        {QMessageBox::Yes, kMsgYes},
        {QMessageBox::No, kMsgNo},
    };
    std::vector<std::string> faults;
    for (QAbstractButton* button : box.buttons()) {
        const auto word = std::find_if(std::begin(kWords), std::end(kWords), [&](const auto& w) {
            return w.first == box.standardButton(button);
        });
        if (word == std::end(kWords) ||
            button->text() != QString::fromStdU16String(GetMessageText(word->second))) {
            faults.push_back(button->text().toStdString());
        }
    }
    return faults;
}

TEST(MessageBoxScreenshotTest, EachKindShowsItsTextWholeInEveryLanguage) {
    ui::qt::CQtUi services;
    ForEachScreenshotLanguage([&](int language) {
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
                        .arg(ScreenshotFolder(), ScreenshotName(language), kind.name);
                EXPECT_TRUE(SaveScreenshot(*box, file));
                EXPECT_EQ(TextsThatDoNotFit(*box), std::vector<std::string>{});
                EXPECT_EQ(ScreenFaults(*box), std::vector<std::string>{});
                EXPECT_EQ(AccessibilityFaults(*box), std::vector<std::string>{});
                EXPECT_EQ(ButtonsNotInTheCatalogue(*box), std::vector<std::string>{});
                box->done(QMessageBox::Cancel);
            });
            watch.start(10);
            std::u16string text;
            services.ShowMessageBox(nullptr, ComposeMessageText(text, kind.message),
                                    GetMessageText(kind.caption), kind.icon, kind.buttons);
            EXPECT_TRUE(seen);
        }
    });
}

} // namespace
