#pragma once
#include <QString>

// Watches for the dialog titled `title`, saves it as a PNG once it shows,
// then closes it with its Exit button. Reports whether the file was saved.
class CDialogScreenshot {
public:
    CDialogScreenshot(QString title, QString file);
    bool Saved() const { return m_bSaved; }

private:
    void TryCapture();

    QString m_strTitle;
    QString m_strFile;
    bool m_bSaved = false;
    bool m_bDone = false;
};
