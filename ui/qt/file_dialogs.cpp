#include "ui/qt/file_dialogs.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "ui/qt/modality.h"
#include "ui/qt/qt_text.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace ui::qt {
namespace {

// "description|patterns|" pairs as Qt name filters; a description that
// already shows its patterns, as "(*.ini)" does, is not given them twice.
QStringList ToQtFilters(std::u16string_view filter) {
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString shown = QStringLiteral("(%1)").arg(patterns);
        filters.push_back(parts[i].endsWith(shown) ? parts[i]
                                                   : QStringLiteral("%1 %2").arg(parts[i], shown));
    }
    return filters;
}

std::optional<std::u16string> RunAndTakeChoice(QFileDialog& dialog) {
    // Qt's own dialog rather than the desktop's, so that every desktop, the
    // offscreen platform and a script driving the display see the same one.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Cancel reads as in the dialogs behind it, where Qt's word differs.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel)) {
            cancel->setText(ToQString(GetMessageText(kMsgBrenholdCancel)));
        }
    }
    SetModality(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return FromQString(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

} // namespace

std::optional<std::u16string> RunFolderBrowser(QWidget* parent,
                                               const CFolderBrowseOptions& options) {
    QFileDialog dialog(parent, ToQString(options.title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    const QString selected = ToQString(options.selectedFolder);
    // Opening inside the folder makes it the choice that "Choose" takes.
    dialog.setDirectory(!selected.isEmpty() && QFileInfo(selected).isDir() ? selected
                                                                           : QDir::homePath());
    return RunAndTakeChoice(dialog);
}

std::optional<std::u16string> RunOpenFileDialog(QWidget* parent, const COpenFileOptions& options) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(ToQtFilters(options.filter));
    dialog.setDefaultSuffix(ToQString(options.defaultExtension));
    if (!options.initialFolder.empty()) {
        dialog.setDirectory(ToQString(options.initialFolder));
    }
    dialog.selectFile(ToQString(options.fileName));
    return RunAndTakeChoice(dialog);
}

} // namespace ui::qt
