#pragma once
#include <QTranslator>

namespace ui::qt {

// Qt's own texts (the file dialogs, the edit and scroll bar menus) in the
// language the catalogue chose, never the system's or a host's, for as long
// as an instance is installed: from Qt's translations for that language,
// or the project's own words where Qt has none, and Qt's English for a text
// of those windows that neither knows, so that a language without a
// translation is English throughout rather than a mix.
class CQtTextsInDialogLanguage : public QTranslator {
public:
    CQtTextsInDialogLanguage();
    ~CQtTextsInDialogLanguage() override;
    CQtTextsInDialogLanguage(const CQtTextsInDialogLanguage&) = delete;
    CQtTextsInDialogLanguage& operator=(const CQtTextsInDialogLanguage&) = delete;

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }

private:
    QTranslator m_language;
};

} // namespace ui::qt
