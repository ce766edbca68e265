#pragma once
#include <QWidget>
#include <string>
#include <vector>

// Texts measured with the widgets' own fonts: a label must wrap within its
// height; a button's caption, a group box's title, the tabs and every combo
// row must fit their width. Hidden controls are not looked at.
std::vector<std::string> TextsThatDoNotFit(const QWidget& window);
