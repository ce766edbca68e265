#include "ui/qt/dialog_units.h"

#include "ui/qt/qt_text.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>

namespace ui::qt {
namespace {

int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

} // namespace

CDialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(alphabet / 26 + 1) / 2, metrics.height()};
}

QRect ToPixels(const Rect& dialogUnits, CDialogBaseUnits base) {
    return {MulDiv(dialogUnits.x, base.x, 4), MulDiv(dialogUnits.y, base.y, 8),
            MulDiv(dialogUnits.width, base.x, 4), MulDiv(dialogUnits.height, base.y, 8)};
}

QFont DialogFont(const DialogTemplate& dialogTemplate) {
    // Liberation Sans has the metrics of the Windows dialog fonts the
    // layouts were drawn for; the desktop's own font is the last resort.
    for (const QString& family :
         {ToQString(dialogTemplate.fontName), QStringLiteral("Liberation Sans")}) {
        QFont font(family);
        font.setPointSize(dialogTemplate.fontPointSize);
        if (QFontInfo(font).exactMatch()) {
            return font;
        }
    }
    QFont font = QApplication::font();
    font.setPointSize(dialogTemplate.fontPointSize);
    return font;
}

} // namespace ui::qt
