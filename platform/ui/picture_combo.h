#pragma once
// A combo box to choose from pictures, each shown with its caption beside it: the cut types of a
// cut, say. Templates make one for Kind::PictureCombo; a dialog reaches it with
// itemAs<ui::PictureComboBox>(id) to fill it, and reads and sets the choice with the combo box
// helpers of the dialog (comboCurSel, comboSetCurSel ...); the person's choice arrives as
// CBN_SELCHANGE.
//
//   auto* types = itemAs<ui::PictureComboBox>(1284);
//   types->addPictureFile(gSettings.zrkDir + "icons/CutChamfer.bmp", dialString(1088));

#include "core/zrk_string.h"
#include "ui/controls.h"

namespace ui {

class PictureComboBox : public ComboBox {
public:
    explicit PictureComboBox(QWidget* parent = nullptr);

    // The size the pictures are shown at (default 48 x 32); larger pictures are scaled down.
    void setPictureSize(const QSize& size);
    QSize pictureSize() const { return pictureSize_; }
    // Adds an item; answers its index. A picture file that cannot be read gives an item with its
    // caption and an empty picture (false from pictureFound).
    int addPicture(const QImage& picture, const Zrk_String& caption);
    int addPictureFile(const Zrk_String& path, const Zrk_String& caption);
    bool pictureFound(int index) const;

    // Tall enough for a picture, whatever the template's line height.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    QSize pictureSize_{48, 32};
};

} // namespace ui
