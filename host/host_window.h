#pragma once
#include "host/quorlan_library.h"
#include "ui/qt/qt_texts_in_dialog_language.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

// The small window of a player management program: which player is
// attached, and a button that opens the library's dialog for it.
class CHostWindow : public QWidget {
public:
    CHostWindow(const CQuorlanLibrary& library, const QString& devicePath,
                const QString& deviceName);

    // Hands the path and name over and shows the dialog until it closes;
    // a path or name the library cannot be handed is reported instead.
    void OpenDialog();

    // Why the path or name cannot be handed to the library; empty when both
    // can.
    QString NotPassableReason() const;

protected:
    // Enter opens the dialog wherever the focus is in the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ChooseDevicePath();
    void ShowWindowHandle();

    const CQuorlanLibrary& m_library;
    // Qt's texts in the window (its folder chooser, its edit menus) speak the
    // dialog's language for as long as the window lives.
    ui::qt::CQtTextsInDialogLanguage m_qtTexts;
    QLineEdit* m_devicePath;
    QLineEdit* m_deviceName;
    QPushButton* m_openButton;
    QLabel* m_handleLabel;
    QTimer m_handleTimer;
};

// The name by which Brenhold finds this window to bring it back in front,
// so the same in every language.
inline constexpr char kHostWindowTitle[] = "KORDAVIN setting utility";
