#include "ui/qt/system_button_texts.h"

#include <QAbstractButton>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui::qt {
namespace {

// Qt's translations for the user's locale; loaded once, never installed.
const QTranslator& SystemTranslations() {
    static QTranslator translations;
    static const bool loaded [[maybe_unused]] =
        translations.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return translations;
}

// The words Qt's platform theme gives each standard button, as its
// translations know them.
const char* SourceText(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok:
        return "OK";
    case QMessageBox::Cancel:
        return "Cancel";
    case QMessageBox::Yes:
        return "&Yes";
    case QMessageBox::No:
        return "&No";
    default:
        return nullptr;
    }
}

} // namespace

void UseSystemButtonTexts(QMessageBox& box) {
    for (QAbstractButton* button : box.buttons()) {
        const char* source = SourceText(box.standardButton(button));
        if (source == nullptr) {
            continue;
        }
        const QString text = SystemTranslations().translate("QPlatformTheme", source);
        if (!text.isEmpty()) {
            button->setText(text);
        }
    }
}

} // namespace ui::qt
