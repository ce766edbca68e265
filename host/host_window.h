#pragma once
#include "host/quorlan_library.h"
#include "host/removable_volumes.h"
#include "ui/qt/qt_texts_in_dialog_language.h"

#include <QComboBox>
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
    // Lists the inserted cards again, and chooses one when the choice is
    // clear: the only card, or the only one that holds the settings file.
    void ListCards();
    void ChooseCard(const CRemovableVolume& card);
    // The path now names this card, or none (typed, chosen by hand).
    void FollowPath();

    const CQuorlanLibrary& m_library;
    // Qt's texts in the window (its folder chooser, its edit menus) speak the
    // dialog's language for as long as the window lives.
    ui::qt::CQtTextsInDialogLanguage m_qtTexts;
    QLineEdit* m_devicePath;
    QLineEdit* m_deviceName;
    QPushButton* m_openButton;
    QLabel* m_handleLabel;
    QTimer m_handleTimer;
    QComboBox* m_cards = nullptr;
    std::vector<CRemovableVolume> m_listedCards;
    // Where the card in the path is mounted; empty for a folder of any other kind.
    QString m_chosenCard;
    bool m_nameGiven; // on the command line, which wins over a remembered one
    CRemovableVolumes m_volumes;
};

// The name by which Brenhold finds this window to bring it back in front,
// so the same in every language.
inline constexpr char kHostWindowTitle[] = "KORDAVIN setting utility";
