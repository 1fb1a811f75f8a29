#include "ui/dialog_units.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>

#include "core/codepage.h"

namespace ui {
namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded.
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = std::max(1, (letters / 26 + 1) / 2);
    baseY_ = std::max(1, metrics.height());
}

int DialogUnits::toPixelsX(int units) const { return mulDiv(units, baseX_, 4); }
int DialogUnits::toPixelsY(int units) const { return mulDiv(units, baseY_, 8); }

QRect DialogUnits::toPixels(const QRect& units) const {
    const int left = toPixelsX(units.x());
    const int top = toPixelsY(units.y());
    const int right = toPixelsX(units.x() + units.width());
    const int bottom = toPixelsY(units.y() + units.height());
    return QRect(left, top, right - left, bottom - top);
}

QFont dialogFont(const DialogTemplate& dialogTemplate) {
    QFont font = QApplication::font();
    if (!dialogTemplate.fontName.empty()) {
        const QString face = QString::fromStdString(core::toUtf8(dialogTemplate.fontName));
        if (QFontDatabase::hasFamily(face)) font.setFamily(face);
    }
    font.setPointSize(dialogTemplate.fontPoints > 0 ? dialogTemplate.fontPoints : 8);
    return font;
}

} // namespace ui
