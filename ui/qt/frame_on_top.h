#pragma once
class QFrame;

namespace ui::qt {

// Draws FRAMED's frame once more above its children. At a fractional scale
// the children are rounded outward to whole pixels and paint over the
// frame's right and bottom lines; on top, the frame stays whole at any scale.
// An empty list with the focus also gets the style's focus mark inside it.
void KeepFrameOnTop(QFrame& framed);

} // namespace ui::qt
