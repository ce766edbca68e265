#pragma once
#include "ui/services.h"

#include <optional>
#include <string>

class QWidget;

namespace ui::qt {

// Qt's own file dialogs, the same on every desktop, run modally over
// parent. Nothing when the user cancelled.
std::optional<std::u16string> RunFolderBrowser(QWidget* parent,
                                               const CFolderBrowseOptions& options);
std::optional<std::u16string> RunOpenFileDialog(QWidget* parent, const COpenFileOptions& options);

} // namespace ui::qt
