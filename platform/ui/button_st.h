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
    // The picture from a file (ui::loadPictureFile), with every pixel of the transparent colour
    // (0xRRGGBB) left out, as pictures drawn on a plain ground are shown. False when the file cannot
    // be read: the button then shows its text alone.
    bool setBitmapFile(const Zrk_String& path, unsigned transparentColour);
    // Whether the text stands below the picture (a palette of pictures) instead of beside it.
    void setTextBelowPicture(bool below);
    bool textBelowPicture() const { return textBelow_; }
    void setTooltipText(const Zrk_String& text);
    Zrk_String tooltipText() const;
    // The resource number shown (0: none; -1: a picture from a file).
    int imageId() const { return imageId_; }

    // Checkable buttons: 1 pressed, 0 not.
    int getCheck() const { return isChecked() ? 1 : 0; }
    void setCheck(int checked) { setChecked(checked != 0); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showImage(const QImage& image, int id);
    int imageId_ = 0;
    bool textBelow_ = false;
};
