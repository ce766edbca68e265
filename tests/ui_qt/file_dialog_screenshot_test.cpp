// Qt's own file dialogs in every language: pictured, and read for the words
// of Qt's English that a dialog in another language must not show.
#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "tests/support/screenshot_names.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_fit.h"
#include "ui/qt/qt_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

// Words of Qt's English file dialogs that no other of the languages writes
// alike.
const std::set<QString> kQtEnglishWords = {
    QStringLiteral("Open"),
    QStringLiteral("Look in:"),
    QStringLiteral("File name:"),
    QStringLiteral("Files of type:"),
    QStringLiteral("Directory:"),
    QStringLiteral("Choose"),
    QStringLiteral("Cancel"),
    QStringLiteral("Back"),
    QStringLiteral("Forward"),
    QStringLiteral("Parent Directory"),
    QStringLiteral("Create New Folder"),
    QStringLiteral("List View"),
    QStringLiteral("Detail View"),
    QStringLiteral("Date Modified"),
    QStringLiteral("Size"),
    QStringLiteral("Recent Places"),
};

// Every text the dialog shows or tells a screen reader: labels, buttons and
// their tips, list choices, column headers, the title.
std::set<QString> ShownTexts(QFileDialog& dialog) {
    std::set<QString> texts = {dialog.windowTitle()};
    const auto take = [&texts](QString text) {
        text.remove(QLatin1Char('&'));
        if (!text.isEmpty()) {
            texts.insert(text);
        }
    };
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&dialog)) {
            continue;
        }
        take(widget->toolTip());
        take(widget->accessibleName());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            take(label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            take(button->text());
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                take(combo->itemText(i));
            }
        } else if (auto* header = qobject_cast<QHeaderView*>(widget); header && header->model()) {
            for (int i = 0; i < header->count(); ++i) {
                take(header->model()->headerData(i, header->orientation()).toString());
            }
        }
    }
    return texts;
}

std::set<QString> EnglishWordsIn(const std::set<QString>& texts) {
    std::set<QString> english;
    for (const QString& text : texts) {
        if (kQtEnglishWords.contains(text)) {
            english.insert(text);
        }
    }
    return english;
}

// Runs a file dialog through the backend and, once it shows, pictures it,
// reads it and cancels it.
std::set<QString> TextsOfFileDialog(const QString& picture,
                                    const std::function<void(ui::qt::CQtUi&)>& run) {
    std::set<QString> texts;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || !texts.empty()) {
            return;
        }
        EXPECT_TRUE(SaveScreenshot(*dialog, picture));
        EXPECT_EQ(ScreenFaults(*dialog), std::vector<std::string>{});
        texts = ShownTexts(*dialog);
        const QPushButton* cancel =
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
        // Cancel reads as in the dialogs behind it.
        EXPECT_EQ(cancel->text(), QString::fromStdU16String(GetMessageText(kMsgBrenholdCancel)));
        dialog->reject();
    });
    watch.start(10);
    ui::qt::CQtUi services;
    run(services);
    return texts;
}

TEST(FileDialogScreenshotTest, OpenFileAndFolderBrowserSpeakTheDialogsLanguage) {
    const CTempFolder folder;
    // A host that speaks the system's Korean, for which the catalogue has no
    // column: its translation must never reach the dialog's windows.
    QTranslator hostsOwn;
    ASSERT_TRUE(hostsOwn.load(QStringLiteral("qtbase_ko"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCoreApplication::installTranslator(&hostsOwn);
    ForEachScreenshotLanguage([&](int language) {
        const QString name = ScreenshotName(language);
        const std::set<QString> openTexts =
            TextsOfFileDialog(QStringLiteral("%1/open-file-%2.png").arg(ScreenshotFolder(), name),
                              [&](ui::qt::CQtUi& services) {
                                  services.GetOpenFileName(nullptr, {u"ini", u"NetworkSetting.ini",
                                                                     u"Setting file (*.ini)|*.ini|",
                                                                     folder.Path().u16string()});
                              });
        const std::set<QString> folderTexts = TextsOfFileDialog(
            QStringLiteral("%1/folder-browser-%2.png").arg(ScreenshotFolder(), name),
            [&](ui::qt::CQtUi& services) {
                services.BrowseForFolder(nullptr, {u"Folder", folder.Path().u16string()});
            });
        if (LanguageTagOfColumn(language) == "en") {
            // The check reads what the dialogs show: in English it finds it.
            EXPECT_TRUE(openTexts.contains(QStringLiteral("Look in:")));
            EXPECT_TRUE(folderTexts.contains(QStringLiteral("Choose")));
        } else {
            EXPECT_EQ(EnglishWordsIn(openTexts), std::set<QString>{});
            EXPECT_EQ(EnglishWordsIn(folderTexts), std::set<QString>{});
        }
    });
    QCoreApplication::removeTranslator(&hostsOwn);
}

} // namespace
