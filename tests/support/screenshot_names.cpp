#include "tests/support/screenshot_names.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <cstdlib>
#include <gtest/gtest.h>
#include <numeric>
#include <optional>

QString ScreenshotName(int column) {
    const std::string_view name = g_Languages[column].name;
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).toLower();
}

// Pictures at a scale go to a folder of their own.
QString ScreenshotFolder() {
    QString folder = QStringLiteral(QUORLAN_BINARY_DIR "/screenshots");
    if (const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR"); !scale.isEmpty()) {
        folder += QStringLiteral("/at-%1x").arg(scale);
    }
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

void ForEachScreenshotLanguage(const std::function<void(int language)>& body) {
    for (const int language : ScreenshotLanguages()) {
        SCOPED_TRACE(ScreenshotName(language).toStdString());
        g_nLanguageIndex = language;
        body(language);
    }
    g_nLanguageIndex = 0;
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
    // Drawn at the scale of the window's own pixels, in its logical units.
    const QFont titleFont = TitleBarFont();
    const int barHeight = QFontMetrics(titleFont).height() + 10;
    const QSize size = window.size();
    const qreal scale = content.devicePixelRatio();
    QPixmap picture((QSizeF(size.width(), size.height() + barHeight) * scale).toSize());
    picture.setDevicePixelRatio(scale);
    picture.fill(window.palette().color(QPalette::Dark));
    QPainter painter(&picture);
    painter.setFont(titleFont);
    painter.setPen(window.palette().color(QPalette::BrightText));
    painter.drawText(QRect(8, 0, size.width() - 8, barHeight), Qt::AlignLeft | Qt::AlignVCenter,
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
