#pragma once
#include "catalogue/message_catalogue.h"

#include <QString>

// The language of each catalogue column, as screenshot file names carry it.
inline constexpr const char* kScreenshotLanguages[kLanguageCount] = {
    "default", "english",  "french",  "german", "swedish", "dutch",  "finnish", "norwegian",
    "russian", "japanese", "chinese", "danish", "italian", "polish", "spanish"};

// The folder under the build folder where screenshots go, made if missing.
QString ScreenshotFolder();
