#include "tests/support/screenshot_names.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
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
    if (!OwnLanguage()) {
        return true;
    }
    const QPixmap content = window.grab();
    if (!window.isWindow() || window.windowTitle().isEmpty()) {
        return content.save(file);
    }
    // A window's title, drawn in a bar above it as a desktop draws it, since
    // the pictures are taken without a window manager.
    const QFont titleFont = TitleBarFont();
    const int barHeight = QFontMetrics(titleFont).height() + 10;
    QPixmap picture(content.width(), content.height() + barHeight);
    picture.fill(window.palette().color(QPalette::Dark));
    QPainter painter(&picture);
    painter.setFont(titleFont);
    painter.setPen(window.palette().color(QPalette::BrightText));
    painter.drawText(QRect(8, 0, content.width() - 8, barHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     window.windowTitle());
    painter.drawPixmap(0, barHeight, content);
    painter.end();
    return picture.save(file);
}

QFont TitleBarFont() {
    QFont font = QApplication::font();
    font.setBold(true);
    return font;
}
