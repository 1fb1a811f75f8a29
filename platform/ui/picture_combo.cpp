#include "ui/picture_combo.h"

#include <QAbstractItemView>
#include <QPixmap>
#include <algorithm>

#include "core/codepage.h"
#include "ui/picture_file.h"

namespace ui {
namespace {
constexpr int kFoundRole = Qt::UserRole + 1;
} // namespace

PictureComboBox::PictureComboBox(QWidget* parent) : ComboBox(parent) {
    setEditable(false);
    setIconSize(pictureSize_);
}

void PictureComboBox::setPictureSize(const QSize& size) {
    pictureSize_ = size;
    setIconSize(size);
    updateGeometry();
    if (height() < sizeHint().height()) resize(width(), sizeHint().height());
}

int PictureComboBox::addPicture(const QImage& picture, const Zrk_String& caption) {
    addItem(QIcon(QPixmap::fromImage(fitPicture(picture, pictureSize_))),
            QString::fromStdString(core::toUtf8(caption)));
    const int index = count() - 1;
    setItemData(index, !picture.isNull(), kFoundRole);
    return index;
}

int PictureComboBox::addPictureFile(const Zrk_String& path, const Zrk_String& caption) {
    QImage picture;
    loadPictureFile(path, picture);
    return addPicture(picture, caption);
}

QSize PictureComboBox::sizeHint() const {
    QSize hint = ComboBox::sizeHint();
    hint.setHeight(std::max(hint.height(), pictureSize_.height() + 8));
    return hint;
}

QSize PictureComboBox::minimumSizeHint() const {
    QSize hint = ComboBox::minimumSizeHint();
    hint.setHeight(std::max(hint.height(), pictureSize_.height() + 8));
    return hint;
}

bool PictureComboBox::pictureFound(int index) const {
    return itemData(index, kFoundRole).toBool();
}

} // namespace ui
