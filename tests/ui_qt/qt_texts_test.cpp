// Qt's own texts speak the dialogs' language while their windows are shown,
// over a host's translation of them, and leave the host's own texts alone.
#include "catalogue/message_catalogue.h"
#include "tests/ui_qt/probe_dialog.h"
#include "ui/qt/qt_texts_in_dialog_language.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// A host's translation of everything, its own texts and Qt's.
class CHostTranslation : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        return QStringLiteral("host: %1/%2").arg(QLatin1String(context), QLatin1String(source));
    }
    bool isEmpty() const override { return false; }
};

QString Translated(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}

const QString kHostsSelectAll = QStringLiteral("host: QLineEdit/Select All");

class QtTextsTest : public ::testing::Test {
protected:
    QtTextsTest() { QCoreApplication::installTranslator(&m_host); }
    ~QtTextsTest() override {
        QCoreApplication::removeTranslator(&m_host);
        g_nLanguageIndex = 0;
    }

    CHostTranslation m_host;
};

TEST_F(QtTextsTest, QtsTextsInTheDialogsLanguageTheHostsOwnUntouched) {
    g_nLanguageIndex = LanguageIndexForLcid(0x0407); // German: Qt's own translation
    {
        const ui::qt::CQtTextsInDialogLanguage texts;
        EXPECT_EQ(Translated("QLineEdit", "Select All"), QStringLiteral("Alles auswählen"));
        EXPECT_EQ(Translated("CHostWindow", "Choose..."), QStringLiteral("host: CHostWindow/Choose..."));
    }
    EXPECT_EQ(Translated("QLineEdit", "Select All"), kHostsSelectAll);

    g_nLanguageIndex = LanguageIndexForLcid(0x041D); // Swedish: the project's own words
    {
        const ui::qt::CQtTextsInDialogLanguage texts;
        EXPECT_EQ(Translated("QFileDialog", "Look in:"), QStringLiteral("Leta i:"));
    }

    g_nLanguageIndex = LanguageIndexForLcid(0x0412); // Korean: no column, English throughout
    {
        const ui::qt::CQtTextsInDialogLanguage texts;
        EXPECT_EQ(Translated("QLineEdit", "Select All"), QStringLiteral("Select All"));
        EXPECT_EQ(Translated("CHostWindow", "Choose..."), QStringLiteral("host: CHostWindow/Choose..."));
    }
}

// From the first window shown to the end of the last, and not after: a
// dialog's edit menus, a message box's text menu.
TEST_F(QtTextsTest, TheBackendSpeaksTheDialogsLanguageOnlyWhileItShowsAWindow) {
    g_nLanguageIndex = LanguageIndexForLcid(0x0407);
    ui::qt::CQtUi services;
    const QString german = QStringLiteral("Alles auswählen");

    QString inBox;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            inBox = Translated("QLineEdit", "Select All");
            box->done(QMessageBox::Ok);
        }
    });
    answer.start(10);
    services.ShowMessageBox(nullptr, u"text", u"caption", ui::Icon::Information, ui::Buttons::Ok);
    EXPECT_EQ(inBox, german);
    EXPECT_EQ(Translated("QLineEdit", "Select All"), kHostsSelectAll);

    const auto dialogTemplate = ProbeTemplate(ui::window_style::kSystemMenu, 0);
    CProbeDlg dialog(dialogTemplate);
    QString inDialog;
    QString afterItsBox;
    QTimer::singleShot(0, [&] {
        inDialog = Translated("QLineEdit", "Select All");
        services.ShowMessageBox(&dialog, u"text", u"caption", ui::Icon::Information,
                                ui::Buttons::Ok);
        afterItsBox = Translated("QLineEdit", "Select All");
        dynamic_cast<ui::qt::CQtWindow&>(dialog.Window()).close();
    });
    services.RunModal(dialog, nullptr);
    EXPECT_EQ(inDialog, german);
    EXPECT_EQ(afterItsBox, german);
    EXPECT_EQ(Translated("QLineEdit", "Select All"), kHostsSelectAll);
}

} // namespace
