#include "ui/qt/dialog_units.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace ui::qt;

TEST(DialogUnits, ConvertAsWindowsDoesWithRounding) {
    // Base units of a 12 point dialog font: 7 pixels wide, 16 high.
    const CDialogBaseUnits base{7, 16};
    EXPECT_EQ(ToPixels({7, 50, 288, 164}, base), QRect(12, 100, 504, 328));
    // 58 * 7 / 4 = 101.5 and 15 * 7 / 4 = 26.25: MulDiv rounds to nearest.
    EXPECT_EQ(ToPixels({15, 3, 58, 1}, base), QRect(26, 6, 102, 2));
}

TEST(DialogUnits, BaseUnitsFollowTheFontsAverageLetterAndHeight) {
    QFont font = DialogFont(ui::DialogTemplate{});
    font.setPointSize(8);
    const CDialogBaseUnits small = BaseUnitsOf(font);
    font.setPointSize(16);
    const CDialogBaseUnits large = BaseUnitsOf(font);
    EXPECT_EQ(large.y, QFontMetrics(font).height());
    EXPECT_GT(large.x, small.x);
    // An average letter is narrower than the line is high, in any sane font.
    EXPECT_LT(large.x, large.y);
    EXPECT_GT(large.x * 3, large.y);
}
