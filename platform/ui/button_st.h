#pragma once
// CButtonST: the push button that shows a bitmap (or an icon) of the module and a tool tip. Templates
// make one for Kind::BitmapButton; with style::Checkable it stays pressed when clicked and has a
// check state (a picture check button). A dialog reaches it with itemAs<CButtonST>(id).

#include <QPushButton>

#include "core/zrk_string.h"

class CButtonST : public QPushButton {
public:
    explicit CButtonST(QWidget* parent = nullptr);

    // The picture by resource number (resources.h). False when there is none: the button then shows
    // its text alone.
    bool setBitmap(int bitmapId);
    bool setIconImage(int iconId);
    void setTooltipText(const Zrk_String& text);
    Zrk_String tooltipText() const;
    // The resource number shown (0: none).
    int imageId() const { return imageId_; }

    // Checkable buttons: 1 pressed, 0 not.
    int getCheck() const { return isChecked() ? 1 : 0; }
    void setCheck(int checked) { setChecked(checked != 0); }

private:
    void showImage(const QImage& image, int id);
    int imageId_ = 0;
};
