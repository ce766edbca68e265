#pragma once
#include <QString>

// The texts of the host's own window, in the languages of the dialog's
// catalogue, in the column the catalogue chose for this process.
enum class EHostText {
    kSdCardLabel,
    kNoPlayerAttached, // Shown in the empty SD card path.
    kChoose,
    kSdCardChooserTitle, // The folder chooser's title.
    kPlayerNameLabel,
    kPlayerNamePlaceholder, // Shown in the empty name.
    kDialogNotShown,
    kDialogWindow,    // %1: the dialog's window handle in hexadecimal.
    kCannotLoad,      // %1: the library's path; %2: why it did not load.
    kPathNotPassable, // %1: the path; %2: the code page's number.
    kNameNotPassable, // %1: the name; %2: the code page's number.
    kCardsLabel,
    kNoCardInserted, // Shown in the list of cards when the computer has none.
    kChooseCard,     // Shown when several are inserted and none was chosen.
    kCardRemoved,    // %1: the folder the card was mounted at.
    kCount,
};

QString HostText(EHostText text);
