#pragma once
#include "catalogue/message_catalogue.h"

#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

// The language of a catalogue column as screenshot file names carry it: its
// name in lower case ("french").
QString ScreenshotName(int column);

// The folder under the build folder where screenshots go, made if missing.
QString ScreenshotFolder();

// The languages a screenshot test shows: the one QUORLAN_SCREENSHOT_LANGUAGE
// names (a catalogue column), in a run under that language's own locale, as
// the fonts that draw Chinese and Japanese follow the locale; or, without
// it, every language, to check them all in one run.
std::vector<int> ScreenshotLanguages();

// Runs the body once for each of ScreenshotLanguages(), with that column
// selected and named in the trace; column 0 is selected again after.
void ForEachScreenshotLanguage(const std::function<void(int language)>& body);

// Saves the window's picture in a language's own run, its title in a bar
// above it; a run of every language only checks. False when the picture
// could not be saved.
bool SaveScreenshot(QWidget& window, const QString& file);

// The font a desktop's title bar draws a window's title in, as near as the
// tests can know it: the application's, bold.
QFont TitleBarFont();
