#pragma once
#include <filesystem>
#include <string>
#include <vector>

// The program that changes the authentication level: Brenhold in the folder
// of the running host program (not of this library). Linux programs carry
// no extension.
std::filesystem::path SecuritySettingProgram();

// The titles of the windows kept in front of the main dialog, in the
// current language, in the order they are brought forward: the program's
// window, the system's own dialogs, then the captions of their messages.
std::vector<std::u16string> FrontWindowTitles();

// Brings every window titled so forward; the last one found ends in front.
void BringFrontWindowsForward();
