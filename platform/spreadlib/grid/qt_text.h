#pragma once
// Module text (Windows-1252) to Qt and back, and the sheet's colours and fonts as Qt's.

#include <QColor>
#include <QFont>
#include <QString>
#include <algorithm>

#include "spreadlib/cell_type.h"
#include "ui/qt_text.h"

namespace spreadlib {

using ui::moduleText;
using ui::qtText;

// 0x00BBGGRR; the grid's own colours (kColorDefault and the other system colour values, which have
// the high bit set) give an invalid colour: the caller uses its default.
inline QColor qtColor(Color color) {
    if (color & 0x80000000u) return QColor();
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}
inline Color sheetColor(const QColor& color) {
    return rgb(color.red(), color.green(), color.blue());
}

// The sheet's font height is the height of the character cell in pixels, as the platform's fonts are
// made; Qt's pixel size is the em, about five sixths of that.
inline QFont qtFont(const FontSpec& sheetFont) {
    QFont font(qtText(sheetFont.face));
    font.setPixelSize(std::max(1, (sheetFont.height > 0 ? sheetFont.height : 15) * 5 / 6));
    font.setWeight(sheetFont.weight >= kFontWeightBold ? QFont::Bold : QFont::Normal);
    font.setItalic(sheetFont.italic);
    font.setUnderline(sheetFont.underline);
    font.setStrikeOut(sheetFont.strikeOut);
    return font;
}

} // namespace spreadlib
