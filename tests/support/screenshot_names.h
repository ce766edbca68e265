#pragma once
#include "catalogue/message_catalogue.h"

#include <QFont>
#include <QString>
#include <QWidget>
#include <vector>

// The language of each catalogue column, as screenshot file names carry it.
inline constexpr const char* kScreenshotLanguages[kLanguageCount] = {
    "default", "english",  "french",  "german", "swedish", "dutch",  "finnish", "norwegian",
    "russian", "japanese", "chinese", "danish", "italian", "polish", "spanish"};

// The folder under the build folder where screenshots go, made if missing.
QString ScreenshotFolder();

// The languages a screenshot test shows: the one QUORLAN_SCREENSHOT_LANGUAGE
// names (a catalogue column), in a run under that language's own locale, as
// the fonts that draw Chinese and Japanese follow the locale; or, without
// it, every language, to check them all in one run.
std::vector<int> ScreenshotLanguages();

// Saves the window's picture in a language's own run, its title in a bar
// above it; a run of every language only checks. False when the picture
// could not be saved.
bool SaveScreenshot(QWidget& window, const QString& file);

// The font a desktop's title bar draws a window's title in, as near as the
// tests can know it: the application's, bold.
QFont TitleBarFont();
