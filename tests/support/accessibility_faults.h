#pragma once
#include <QWidget>
#include <string>
#include <vector>

// What a screen reader would get wrong in a window, read through Qt's
// accessibility interface as AT-SPI reads it: a control that takes the focus
// without a name, a radio button announced as anything else, a combo box or
// list named by its value instead of its label, and separators of a field
// (the dots of an address) spoken as text of their own. Hidden controls are
// not looked at.
std::vector<std::string> AccessibilityFaults(QWidget& window);
