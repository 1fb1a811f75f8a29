#include "ui/image_list_ctrl.h"

#include <QPainter>
#include <QPixmap>

#include "core/codepage.h"
#include "core/files.h"
#include "ui/picture_file.h"

namespace {

constexpr int kFileRole = Qt::UserRole + 1;
constexpr int kFoundRole = Qt::UserRole + 2;

QString qt(const Zrk_String& text) {
    return QString::fromStdString(core::toUtf8(text));
}

// The picture on a white card with a thin frame, so that every thumbnail has the same size.
QPixmap thumbnail(const QImage& picture, const QSize& size) {
    QImage card(size, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::white);
    QPainter painter(&card);
    painter.drawImage(QPoint(2, 2), ui::fitPicture(picture, size - QSize(4, 4)));
    painter.setPen(QColor(190, 190, 190));
    painter.drawRect(QRect(QPoint(0, 0), size - QSize(1, 1)));
    painter.end();
    return QPixmap::fromImage(card);
}

} // namespace

CImageListCtrl::CImageListCtrl(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setWordWrap(true);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSpacing(4);
    setThumbnailSize(thumbnailSize_);
}

void CImageListCtrl::setThumbnailSize(const QSize& size) {
    thumbnailSize_ = size;
    setIconSize(size);
    // Room for two lines of caption under the picture.
    setGridSize(QSize(size.width() + 16, size.height() + 2 * fontMetrics().height() + 12));
}

void CImageListCtrl::setImages(const Zrk_StringArray& files, const Zrk_StringArray& captions) {
    const QSignalBlocker quiet(this); // filling is no choice of the person's
    clear();
    for (int i = 0; i < files.length(); ++i) {
        QImage picture;
        const bool found = ui::loadPictureFile(files[i], picture);
        const Zrk_String caption = i < captions.length() ? captions[i] : getFileName(files[i], false);
        auto* item = new QListWidgetItem(QIcon(thumbnail(picture, thumbnailSize_)), qt(caption), this);
        item->setData(kFileRole, qt(files[i]));
        item->setData(kFoundRole, found);
        item->setToolTip(qt(caption));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    setCurrentRow(-1);
}

Zrk_String CImageListCtrl::fileAt(int index) const {
    const QListWidgetItem* found = item(index);
    return found ? core::fromUtf8(found->data(kFileRole).toString().toStdString()) : Zrk_String();
}

Zrk_String CImageListCtrl::captionAt(int index) const {
    const QListWidgetItem* found = item(index);
    return found ? core::fromUtf8(found->text().toStdString()) : Zrk_String();
}

bool CImageListCtrl::pictureFound(int index) const {
    const QListWidgetItem* found = item(index);
    return found && found->data(kFoundRole).toBool();
}

int CImageListCtrl::selectedIndex() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

Zrk_String CImageListCtrl::selectedName() const {
    return fileAt(selectedIndex());
}

bool CImageListCtrl::selectIndex(int index) {
    if (index < -1 || index >= count()) return false;
    const QSignalBlocker quiet(this);
    if (index < 0) {
        clearSelection();
        setCurrentRow(-1);
        return true;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
    return true;
}

QRect CImageListCtrl::thumbnailRect(int index) const {
    const QListWidgetItem* found = item(index);
    if (!found) return {};
    return visualItemRect(found).translated(viewport()->pos());
}
