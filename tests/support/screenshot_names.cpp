#include "tests/support/screenshot_names.h"

#include <QDir>

QString ScreenshotFolder() {
    const QString folder = QStringLiteral(QUORLAN_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder;
}
