#include "tests/support/screenshot_names.h"

#include <QDir>
#include <cstdlib>
#include <numeric>
#include <optional>

QString ScreenshotFolder() {
    const QString folder = QStringLiteral(QUORLAN_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder;
}

namespace {

// The catalogue column of this run's own language, if it has one.
std::optional<int> OwnLanguage() {
    const char* language = std::getenv("QUORLAN_SCREENSHOT_LANGUAGE");
    if (language == nullptr || *language == '\0') {
        return std::nullopt;
    }
    const int column = std::atoi(language);
    return column >= 0 && column < kLanguageCount ? std::optional(column) : std::nullopt;
}

} // namespace

std::vector<int> ScreenshotLanguages() {
    if (const auto own = OwnLanguage()) {
        return {*own};
    }
    std::vector<int> all(kLanguageCount);
    std::iota(all.begin(), all.end(), 0);
    return all;
}

bool SaveScreenshot(QWidget& window, const QString& file) {
    return !OwnLanguage() || window.grab().save(file);
}
