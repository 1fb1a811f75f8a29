#pragma once
// CImageListCtrl: a list of thumbnails, each a picture file shown small with its caption, to choose
// one from (macro previews, images). Templates make one for Kind::ImageList; a dialog reaches it with
// itemAs<CImageListCtrl>(id). The person's choice arrives in onNotify as LVN_ITEMCHANGED, a double
// click as NM_DBLCLK; the scripted user chooses with choose(id, index).
//
//   auto* list = itemAs<CImageListCtrl>(1001);
//   list->setImages(files, captions);          // full paths of the pictures
//   ...
//   const Zrk_String chosen = list->selectedName(); // the chosen picture's path, empty for none

#include <QListWidget>

#include "core/zrk_string.h"

class CImageListCtrl : public QListWidget {
public:
    explicit CImageListCtrl(QWidget* parent = nullptr);

    // The size of a thumbnail's picture (default 96 x 72); pictures are scaled down to fit it.
    void setThumbnailSize(const QSize& size);
    QSize thumbnailSize() const { return thumbnailSize_; }

    // Shows the pictures of the files, in order, each with the caption of the same index (a missing
    // caption is the file's name). A file that cannot be read shows an empty frame. Nothing is
    // selected afterwards.
    void setImages(const Zrk_StringArray& files, const Zrk_StringArray& captions);
    void clearImages() { setImages({}, {}); }

    int imageCount() const { return count(); }
    Zrk_String fileAt(int index) const;
    Zrk_String captionAt(int index) const;
    // Whether the picture of a thumbnail could be read.
    bool pictureFound(int index) const;

    // The selected thumbnail's file, empty when none is selected.
    Zrk_String selectedName() const;
    int selectedIndex() const;
    // Selects a thumbnail (-1: none) and scrolls it into view; false for an index outside the list.
    bool selectIndex(int index);
    // Where a thumbnail lies, in the control's coordinates (empty for an index outside the list).
    QRect thumbnailRect(int index) const;

private:
    QSize thumbnailSize_{96, 72};
};
