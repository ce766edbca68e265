#include "ui/qt/qt_texts_in_dialog_language.h"

#include "catalogue/message_catalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace ui::qt {
namespace {

// The Qt classes whose texts the dialogs' windows show.
constexpr auto kShownQtContexts = std::to_array<const char*>({
    "QAbstractFileIconProvider", "QAbstractSpinBox", "QDialogButtonBox", "QFileDialog",
    "QFileSystemModel", "QLineEdit", "QMessageBox", "QPlatformTheme", "QScrollBar",
    "QUnicodeControlCharacterMenu", "QWidgetTextControl",
});

bool IsShownQtContext(const char* context) {
    return context != nullptr &&
           std::any_of(kShownQtContexts.begin(), kShownQtContexts.end(),
                       [context](const char* shown) { return std::strcmp(shown, context) == 0; });
}

} // namespace

CQtTextsInDialogLanguage::CQtTextsInDialogLanguage() {
    const std::string_view tag = LanguageTagOfColumn(g_nLanguageIndex);
    const QString file = QStringLiteral("qtbase_") +
                         QString::fromLatin1(tag.data(), static_cast<qsizetype>(tag.size()));
    // English needs no file: Qt's source texts are English.
    if (tag != "en" && !m_language.load(file, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        [[maybe_unused]] const bool own = m_language.load(file, QStringLiteral(":/qt-translations"));
    }
    QCoreApplication::installTranslator(this);
}

CQtTextsInDialogLanguage::~CQtTextsInDialogLanguage() { QCoreApplication::removeTranslator(this); }

QString CQtTextsInDialogLanguage::translate(const char* context, const char* sourceText,
                                            const char* disambiguation, int n) const {
    QString text = m_language.translate(context, sourceText, disambiguation, n);
    if (text.isEmpty() && IsShownQtContext(context)) {
        text = QString::fromUtf8(sourceText);
    }
    return text;
}

} // namespace ui::qt
