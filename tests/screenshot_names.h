#pragma once
#include "catalogue/message_catalogue.h"

#include <QDir>
#include <QString>

// The language of each catalogue column, as screenshot file names carry it.
inline constexpr const char* kScreenshotLanguages[kLanguageCount] = {
    "default", "english",  "french",  "german", "swedish", "dutch",  "finnish", "norwegian",
    "russian", "japanese", "chinese", "danish", "italian", "polish", "spanish"};

// The folder under the build folder where screenshots go, made if missing.
inline QString ScreenshotFolder() {
    const QString folder = QStringLiteral(QUORLAN_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder;
}
