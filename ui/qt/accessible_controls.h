#pragma once

class QWidget;

namespace ui::qt {

// What screen readers are told of a dialog's radio buttons and combo boxes,
// where Qt's own answers mislead: radio buttons that keep to their group
// through a button group are announced by Qt as check boxes, and on Linux
// Qt names a combo box by its current row, so that its purpose, its label,
// is never spoken. Installed once; it answers only for the controls of our
// dialogs, never for those of the host program around them.
void InstallAccessibleControls();

// The same answers for a window of ours that is not a dialog (the host's
// own); installs them if need be.
void AnswerForWindow(QWidget& window);

} // namespace ui::qt
