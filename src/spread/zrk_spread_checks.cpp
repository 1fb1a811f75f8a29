// Zrk_Spread: check boxes, exclusive check-box columns, picture cells and image rows.

#include <QIcon>
#include <QImage>

#include "core/files.h"
#include "module/module_state.h"
#include "spread/zrk_spread.h"
#include "spreadlib/grid/picture_registry.h"
#include "spreadlib/grid/qt_text.h"
#include "ui/resources.h"

using namespace spreadlib;

namespace {
constexpr int kCheckedPicture = 8134;
constexpr int kUncheckedPicture = 8136;
} // namespace

bool Zrk_Spread::loadCheckPictures() {
    if (!checkPictureOn) {
        checkPictureOn = std::make_unique<ui::Bitmap>();
        checkPictureOn->loadBitmap(kCheckedPicture);
    }
    if (!checkPictureOff) {
        checkPictureOff = std::make_unique<ui::Bitmap>();
        checkPictureOff->loadBitmap(kUncheckedPicture);
    }
    if (!checkHandleOn_ && !checkPictureOn->isNull())
        checkHandleOn_ = registerPicture(checkPictureOn->image());
    if (!checkHandleOff_ && !checkPictureOff->isNull())
        checkHandleOff_ = registerPicture(checkPictureOff->image());
    return checkHandleOn_ && checkHandleOff_;
}

// The picture check box: the checked picture for the normal, pressed and disabled checked faces, the
// unchecked one for the unchecked faces. Without the pictures (a resource missing) the plain check
// box serves, so that the cells still work.
bool Zrk_Spread::checkBoxType(CellType& type) {
    if (!loadCheckPictures()) {
        type = CellType::checkBox(0, Zrk_String());
        return false;
    }
    const std::uintptr_t pictures[6] = {checkHandleOn_,  checkHandleOn_,  checkHandleOn_,
                                        checkHandleOff_, checkHandleOff_, checkHandleOff_};
    type = CellType::checkBoxPictures(kStyleCheckBoxPictures, pictures);
    return true;
}

bool Zrk_Spread::setCheckBoxColumn(int column, bool centre, bool spanHeader) {
    if (!attached || column < 1 || column > getMaxCols()) return false;
    CellType type;
    checkBoxType(type);
    if (centre) type.style |= kStyleCenter | kStyleVCenter;
    if (getMaxRows() >= 1 && !setCellType(column, 1, column, getMaxRows(), type)) return false;
    if (spanHeader && column + 1 <= getMaxCols()) SSAddCellSpan(column, 0, 2, 1);
    return true;
}

bool Zrk_Spread::setPlainCheckBoxColumn(int column, const Zrk_String& caption, bool centre, bool spanHeader) {
    if (!attached || column < 1 || column > getMaxCols()) return false;
    CellType type = CellType::checkBox(0, caption);
    if (centre) type.style |= kStyleCenter | kStyleVCenter;
    if (getMaxRows() >= 1 && !setCellType(column, 1, column, getMaxRows(), type)) return false;
    if (spanHeader && column > 1) SSAddCellSpan(column - 1, 0, 2, 1);
    return true;
}

bool Zrk_Spread::setCheckBoxCell(int column, int row, bool centre) {
    if (!validData(column, row)) return false;
    CellType type;
    checkBoxType(type);
    if (centre) type.style |= kStyleCenter | kStyleVCenter;
    return setCellType(column, row, column, row, type);
}

void Zrk_Spread::updateExclusiveRow(int row) {
    bool first = false;
    if (!getCellBool(pairFirstColumn, row, first)) return; // no bool: the second cell stays as it is
    setLock(pairSecondColumn, row, pairSecondColumn, row, !first);
}

bool Zrk_Spread::setExclusiveColumns(int firstColumn, int secondColumn) {
    const int cols = getNrCols();
    if (firstColumn < 1 || firstColumn > cols || secondColumn < 1 || secondColumn > cols) return false;
    pairFirstColumn = firstColumn;
    pairSecondColumn = secondColumn;
    for (int row = 1; row <= getMaxRows(); ++row)
        updateExclusiveRow(row);
    return true;
}

// Every check box of the selection that the user may change: a locked check box (the second of an
// exclusive pair whose first is off, say) keeps its state, as it would under the user's click.
bool Zrk_Spread::setSelectionChecked(bool checked) {
    int col1 = 0, row1 = 0, col2 = 0, row2 = 0;
    if (!getSelection(col1, row1, col2, row2)) return false;
    setRedraw(false);
    for (int row = std::max(1, row1); row <= row2; ++row) {
        for (int column = std::max(1, col1); column <= col2; ++column) {
            if (getCellTypeCode(column, row) != kTypeCheckBox) continue;
            int anchorCol = column, anchorRow = row, cols = 1, rows = 1;
            SSGetCellSpan(column, row, anchorCol, anchorRow, cols, rows);
            if (getLock(anchorCol, anchorRow)) continue;
            setData(column, row, checked ? "1" : "0");
            if (column == pairFirstColumn && pairSecondColumn >= 1) updateExclusiveRow(row);
        }
    }
    setBool(kOptionChanged, true);
    setRedraw(true);
    return true;
}

void Zrk_Spread::onCellCommand(int code) {
    if ((code == kGridCheckBoxClicked || code == kGridButtonClicked) && pairFirstColumn >= 1 &&
        pairFirstColumn <= getMaxCols() && pairSecondColumn >= 1 && pairSecondColumn <= getMaxCols()) {
        int column = 0, row = 0;
        if (getActiveCell(column, row) && column == pairFirstColumn) {
            updateExclusiveRow(row);
            TSpread::setActiveCell(pairSecondColumn, row);
        }
    }
    TSpread::onCellCommand(code);
}

// --- pictures -------------------------------------------------------------------------------------------

bool Zrk_Spread::setPictureCell(int column, int row, int resourceId, bool icon) {
    if (!validData(column, row)) return false;
    std::uintptr_t& handle = pictureHandles_[{resourceId, icon}];
    if (!handle) {
        // The module's own picture, whatever resource instance is current.
        QImage image;
        if (icon) {
            const QIcon loaded = ui::loadIcon(frame::moduleInstance(), resourceId);
            if (!loaded.isNull())
                image = loaded.pixmap(loaded.availableSizes().value(0, QSize(16, 16))).toImage();
        } else {
            ui::findBitmap(frame::moduleInstance(), resourceId, image);
        }
        if (image.isNull()) {
            pictureHandles_.erase({resourceId, icon});
            return false;
        }
        handle = registerPicture(image);
    }
    return setCellType(column, row, column, row,
                       CellType::pictureHandle(icon ? kStylePictureIconCell : kStylePictureBitmap, handle));
}

// The row takes the picture's height; the picture cell spans from its column to the last one (the
// grid's column count from there would reach past the grid).
bool Zrk_Spread::setImageRow(const Zrk_String& bitmapFile, int column, int row) {
    if (!validData(column, row)) return false;
    Zrk_String path = normalizePath(bitmapFile);
    if (!fileExists(path) && !findFileIgnoringCase(path, path)) return false;
    QImage image;
    if (!image.load(qtText(path))) return false;
    setRedraw(false);
    setRowHeightInPixels(row, image.height());
    SSRemoveCellSpan(column, row);
    const int span = getMaxCols() - column + 1;
    if (span > 1) SSAddCellSpan(column, row, span, 1);
    if (column > 1)
        setBorder(column - 1, row, column - 1, row, kBorderRight | kBorderOutline, kBorderStyleFine,
                  kColorDefault);
    const bool done = setCellType(column, row, column, row, CellType::pictureFile(kStylePictureFile, path));
    setRedraw(true);
    return done;
}
