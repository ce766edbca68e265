#pragma once
#include <string>

// "CAPTION: TEXT" in the selected language, without the trailing spaces
// that a message box shows.
std::string MessageLine(int messageId, int captionId);
