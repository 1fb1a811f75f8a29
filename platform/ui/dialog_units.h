#pragma once
// Dialog units: the coordinates of templates. They scale with the dialog's font, so that a dialog laid
// out for one font looks right with another: 4 horizontal units are the font's average character
// width, 8 vertical units its character height (both in pixels, as the font measures on this screen).

#include <QFont>
#include <QRect>

#include "ui/dialog_template.h"

namespace ui {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    // The base units in pixels: the average character width and the character height.
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }
    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    // Each edge is converted on its own, so neighbouring rectangles stay neighbours.
    QRect toPixels(const QRect& units) const;

private:
    int baseX_;
    int baseY_;
};

// The font of a dialog made from the template: its face when this desktop has it (otherwise the
// desktop's general face), at its point size.
QFont dialogFont(const DialogTemplate& dialogTemplate);

} // namespace ui
