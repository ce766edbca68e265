#pragma once
class QWidget;

// Whether WIDGET, which has the focus, looks different without it: the
// style marks the focus. A caret says nothing of that, so what line edits
// inside it draw is not compared.
bool ShowsItsFocus(QWidget& widget);
