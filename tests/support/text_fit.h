#pragma once
#include "ui/qt/qt_window.h"

#include <QWidget>
#include <string>
#include <vector>

// Texts measured with the widgets' own fonts: a label must wrap within its
// height with no control drawn over its text; a button's caption, a group
// box's title, the tabs and every combo row must fit their width. Hidden
// controls are not looked at.
std::vector<std::string> TextsThatDoNotFit(const QWidget& window);

// What a window shows wrongly on its screen: beyond the screen's free
// area, or a list whose frame lacks a line, as rounding to a fractional
// scale's pixels can leave it.
std::vector<std::string> ScreenFaults(const QWidget& window);

// The texts that do not fit, and whether the window had to widen to fit
// them: on the system's own platform a dialog keeps its template's size.
std::vector<std::string> LayoutFaults(const ui::qt::CQtWindow& window);
