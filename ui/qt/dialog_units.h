#pragma once
#include "ui/types.h"

#include <QFont>
#include <QRect>

namespace ui::qt {

// The dialog base units of a font as Windows computes them: the average
// width of the 52 Latin letters, rounded, and the font's height in pixels.
struct CDialogBaseUnits {
    int x = 0;
    int y = 0;
};

CDialogBaseUnits BaseUnitsOf(const QFont& font);

// Dialog units to pixels: x * baseX / 4 and y * baseY / 8, rounded as MulDiv.
QRect ToPixels(const Rect& dialogUnits, CDialogBaseUnits base);

// The font a template names, or the desktop's own font in its size where
// that family is not installed (as "MS Shell Dlg" is not on Linux).
QFont DialogFont(const DialogTemplate& dialogTemplate);

} // namespace ui::qt
