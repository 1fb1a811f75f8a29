// Zrk_Spread: creation, look, fonts, counts and cell access.

#include "spread/zrk_spread.h"

#include <QApplication>
#include <QPalette>
#include <QTimer>

#include "core/files.h"
#include "core/number_text.h"
#include "core/text.h"
#include "sheetdoc/dlg_find_replace.h"
#include "spreadlib/grid/picture_registry.h"
#include "spreadlib/grid/qt_text.h"
#include "ui/dialog.h"
#include "ui/resources.h"

using namespace spreadlib;

namespace {

// The platform's nominal frame of a dialog window: its window rectangle reaches this far left of and
// above its client rectangle (border, and border plus title bar).
constexpr int kFrameLeft = 5;
constexpr int kFrameTop = 20;

constexpr double kNumberLimit = 99999999999999.0;

} // namespace

// Unattached, the grid has no cells (attach makes it so again).
Zrk_Spread::Zrk_Spread() : TSpread(nullptr, 0, 0) {}

Zrk_Spread::~Zrk_Spread() {
    if (findDialog) findDialog->destroyWindow();
    findDialog.reset();
    if (closedFindDialog_) closedFindDialog_->destroyWindow();
    closedFindDialog_.reset();
    releasePicture(checkHandleOn_);
    releasePicture(checkHandleOff_);
    for (const auto& [key, handle] : pictureHandles_)
        releasePicture(handle);
}

// --- creation and look ----------------------------------------------------------------------------------

// The placeholder's rectangle relative to the parent's window rectangle is its client rectangle
// moved by the window's frame (kFrameLeft, kFrameTop): here the window rectangle is the client
// rectangle grown by the platform's nominal frame. Moving it 5 left and 20 up therefore lands the
// grid exactly on the placeholder; a client-relative rectangle is taken as it is and lands there too.
bool Zrk_Spread::attach(ui::Dialog* parent, int placeholderId, bool clientRelative) {
    if (!parent || !parent->item(placeholderId)) return false;
    QRect rect = parent->itemRect(placeholderId);
    if (!clientRelative) {
        rect.translate(kFrameLeft, kFrameTop); // relative to the window rectangle
        rect.translate(-5, -20);
    }
    if (!parent->replaceItem(placeholderId, this)) return false;
    setGeometry(rect);
    show();
    parentWindow = parent;
    setMaxRows(0);
    setMaxCols(0);
    attached = true;
    controlId = placeholderId;
    SSSetAppearance(1); // flat
    for (int action = 0; action <= 2; ++action)
        SSSetActionKey(action, 0, 0);
    return true;
}

bool Zrk_Spread::applyStandardLook(bool editable) {
    if (!attached) return false;
    setRedraw(false);
    setBool(kOptionUserFormulas, false);
    setBool(kOptionAutoCalc, false);
    setBool(kOptionMoveActiveOnEnter, true);
    setBool(kOptionDragDrop, false);
    setBool(kOptionRetainSelection, true);
    setBool(kOptionNoBeep, true);
    setBool(kOptionGridLines, false);
    setBool(kOptionMoveActiveOnEnter, true);
    setBool(kOptionProcessTab, true);
    setBool(kOptionMoveActiveOnEnter, true);
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    setGrayAreaColor(sheetColor(buttonFace), kColorDefault);
    // The library setting (1, -1): solid grid lines in the grid's own colour.
    sheet().setGridType(1);
    sheet().setGridColor(kColorDefault);
    SSSetSelColor(rgb(10, 36, 106), rgb(255, 255, 255));
    setBool(kOptionVerticalScrollBar, true);
    setBool(kOptionRowHeaders, true);
    setBool(kOptionColumnHeaders, true);
    setBool(kOptionGridLines, true);
    setShadowColor(rgb(230, 230, 230), kColorDefault);
    if (editable) {
        setBool(kOptionEditing, true);
        setBool(kOptionHorizontalScrollBar, false);
        setOperationMode(kModeNormal);
    } else {
        setBool(kOptionEditing, false);
        setBool(kOptionHorizontalScrollBar, true);
        setOperationMode(kModeExtendedSelect);
    }
    setRedraw(true);
    return true;
}

// --- fonts ----------------------------------------------------------------------------------------------

namespace {

FontSpec gridFont(const Zrk_String& face, int height, bool bold) {
    FontSpec font;
    font.face = face;
    font.height = height;
    font.weight = bold ? kFontWeightBold : kFontWeightNormal;
    return font;
}

} // namespace

void Zrk_Spread::applyRowFonts(int firstRow, int lastRow, bool withTextTips) {
    const FontSpec bold = gridFont(defaultFontName, defaultFontHeight, true);
    const FontSpec normal = gridFont(defaultFontName, defaultFontHeight, false);
    setFont(0, firstRow, 0, lastRow, bold);
    if (getMaxCols() >= 1) setFont(1, firstRow, getMaxCols(), lastRow, normal);
    if (withTextTips) {
        TextTipSettings tip;
        SSGetTextTip(tip);
        tip.font.face = defaultFontName;
        tip.font.height = defaultFontHeight;
        SSSetTextTip(tip);
    }
}

void Zrk_Spread::applyColumnFonts(int firstColumn, int lastColumn, bool withTextTips) {
    const FontSpec bold = gridFont(defaultFontName, defaultFontHeight, true);
    const FontSpec normal = gridFont(defaultFontName, defaultFontHeight, false);
    setFont(firstColumn, 0, lastColumn, 0, bold);
    if (getMaxRows() >= 1) setFont(firstColumn, 1, lastColumn, getMaxRows(), normal);
    if (withTextTips) {
        TextTipSettings tip;
        SSGetTextTip(tip);
        tip.font.face = defaultFontName;
        tip.font.height = defaultFontHeight;
        SSSetTextTip(tip);
    }
}

bool Zrk_Spread::applyFonts(bool withTextTips) {
    if (!attached) return false;
    const FontSpec bold = gridFont(defaultFontName, defaultFontHeight, true);
    const FontSpec normal = gridFont(defaultFontName, defaultFontHeight, false);
    const int cols = getMaxCols(), rows = getMaxRows();
    setRedraw(false);
    setFont(0, 0, cols, 0, bold);
    if (rows >= 1) setFont(0, 1, 0, rows, bold);
    if (cols >= 1 && rows >= 1) setFont(1, 1, cols, rows, normal);
    if (withTextTips) {
        TextTipSettings tip;
        SSGetTextTip(tip);
        tip.font.face = defaultFontName;
        tip.font.height = defaultFontHeight;
        SSSetTextTip(tip);
    }
    setRedraw(true);
    return true;
}

// --- counts ---------------------------------------------------------------------------------------------

int Zrk_Spread::getNrRows() const {
    return attached ? getMaxRows() : -1;
}

int Zrk_Spread::getNrCols() const {
    return attached ? getMaxCols() : -1;
}

// Copies the whole row sourceRow (header included) into the rows first..last, doubling the copied
// block each time, so that a thousand new rows take ten copies, not a thousand.
bool Zrk_Spread::copyRows(int sourceRow, int firstRow, int lastRow) {
    const int cols = getMaxCols();
    if (firstRow > lastRow) return true;
    if (!copyRange(0, sourceRow, cols, sourceRow, 0, firstRow)) return false;
    int done = 1; // rows firstRow .. firstRow + done - 1 are copies
    while (firstRow + done <= lastRow) {
        const int count = std::min(done, lastRow - (firstRow + done) + 1);
        if (!copyRange(0, firstRow, cols, firstRow + count - 1, 0, firstRow + done)) return false;
        done += count;
    }
    return true;
}

bool Zrk_Spread::copyColumns(int sourceColumn, int firstColumn, int lastColumn) {
    const int rows = getMaxRows();
    if (firstColumn > lastColumn) return true;
    if (!copyRange(sourceColumn, 0, sourceColumn, rows, firstColumn, 0)) return false;
    int done = 1;
    while (firstColumn + done <= lastColumn) {
        const int count = std::min(done, lastColumn - (firstColumn + done) + 1);
        if (!copyRange(firstColumn, 0, firstColumn + count - 1, rows, firstColumn + done, 0)) return false;
        done += count;
    }
    return true;
}

// New rows are copies of the last data row. A grid without rows has none to copy: its new rows start
// empty rather than as copies of the column-header row, whose captions are no data.
bool Zrk_Spread::setNrRows(int count) {
    if (!attached || count < 0) return false;
    const int old = getMaxRows();
    if (count == old) return true;
    if (count < old) return setMaxRows(count);
    if (!setMaxRows(count)) return false;
    setRedraw(false);
    bool copied = old < 1 || copyRows(old, old + 1, count);
    const FontSpec bold = gridFont(defaultFontName, defaultFontHeight, true);
    const FontSpec normal = gridFont(defaultFontName, defaultFontHeight, false);
    if (old < 1) setFont(0, 0, getMaxCols(), 0, bold); // all headers
    setFont(0, old + 1, 0, count, bold);
    if (getMaxCols() >= 1) setFont(1, old + 1, getMaxCols(), count, normal);
    setRedraw(true);
    return copied;
}

bool Zrk_Spread::setNrCols(int count, bool copyLast) {
    if (!attached || count < 0) return false;
    const int old = getMaxCols();
    if (count == old) return true;
    if (count < old) return setMaxCols(count);
    if (!setMaxCols(count)) return false;
    setRedraw(false);
    bool copied = !copyLast || old < 1 || copyColumns(old, old + 1, count);
    const FontSpec bold = gridFont(defaultFontName, defaultFontHeight, true);
    const FontSpec normal = gridFont(defaultFontName, defaultFontHeight, false);
    if (old < 1) setFont(0, 0, 0, getMaxRows(), bold); // all headers
    setFont(old + 1, 0, count, 0, bold);
    if (getMaxRows() >= 1) setFont(old + 1, 1, count, getMaxRows(), normal);
    setRedraw(true);
    return copied;
}

// --- cells ----------------------------------------------------------------------------------------------

namespace {
int normalized(int index) {
    return index == kHeader ? 0 : index;
}
} // namespace

bool Zrk_Spread::validCell(int column, int row) const {
    column = normalized(column);
    row = normalized(row);
    return attached && column >= 0 && row >= 0 && column <= getMaxCols() && row <= getMaxRows();
}

bool Zrk_Spread::validData(int column, int row) const {
    return attached && column >= 1 && row >= 1 && column <= getMaxCols() && row <= getMaxRows();
}

bool Zrk_Spread::validBlock(int col1, int row1, int col2, int row2) const {
    return validCell(col1, row1) && validCell(col2, row2) && normalized(col1) <= normalized(col2) &&
           normalized(row1) <= normalized(row2);
}

bool Zrk_Spread::getCellText(int column, int row, Zrk_String& text, int kind) const {
    if (!validCell(column, row) || kind < kTextData || kind > kTextValue) return false;
    Zrk_String read;
    if (!TSpread::getCellText(column, row, kind, read)) return false;
    text = std::move(read);
    return true;
}

bool Zrk_Spread::setCellText(int column, int row, const Zrk_String& text) {
    return validCell(column, row) && setData(column, row, text);
}

bool Zrk_Spread::setCellValue(int column, int row, const Zrk_String& text) {
    return validCell(column, row) && setValue(column, row, text);
}

bool Zrk_Spread::getCellInt(int column, int row, int& value) const {
    Zrk_String text;
    if (!getCellText(column, row, text)) return false;
    value = core::toInt(text);
    return true;
}

bool Zrk_Spread::getCellDouble(int column, int row, double& value) const {
    Zrk_String text;
    if (!getCellText(column, row, text)) return false;
    value = core::toDouble(text);
    return true;
}

bool Zrk_Spread::getCellBool(int column, int row, bool& value) const {
    Zrk_String text;
    if (!getCellText(column, row, text) || (text != "1" && text != "0")) return false;
    value = text == "1";
    return true;
}

bool Zrk_Spread::setCellInt(int column, int row, int value) {
    return setCellValue(column, row, intToStr(value));
}

bool Zrk_Spread::setCellDouble(int column, int row, double value) {
    return setCellValue(column, row, doubleToStr(value, 2));
}

bool Zrk_Spread::setCellBool(int column, int row, bool value) {
    return setCellValue(column, row, value ? "1" : "0");
}

bool Zrk_Spread::setCellLocked(int column, int row, bool locked) {
    return validCell(column, row) && setLock(column, row, column, row, locked);
}

bool Zrk_Spread::isCellLocked(int column, int row) const {
    return validCell(column, row) && getLock(column, row);
}

bool Zrk_Spread::setNumberCells(int col1, int row1, int col2, int row2, int decimals, bool variant) {
    if (!validBlock(col1, row1, col2, row2)) return false;
    return SSSetTypeNumber(col1, row1, col2, row2, variant ? kStyleNumberCellVariant : kStyleNumberCell,
                           decimals, -kNumberLimit, kNumberLimit, false);
}

bool Zrk_Spread::setNumberCells(int column, int row, int decimals, bool variant) {
    return setNumberCells(column, row, column, row, decimals, variant);
}

bool Zrk_Spread::setTextCells(int col1, int row1, int col2, int row2, int maxLength) {
    return validBlock(col1, row1, col2, row2) &&
           setCellType(col1, row1, col2, row2, CellType::edit(kStyleTextCell, maxLength));
}

bool Zrk_Spread::setTextCells(int column, int row, int maxLength) {
    return setTextCells(column, row, column, row, maxLength);
}

bool Zrk_Spread::setStaticCells(int col1, int row1, int col2, int row2) {
    return validBlock(col1, row1, col2, row2) &&
           setCellType(col1, row1, col2, row2, CellType::edit(kStyleStaticCell, 100));
}

bool Zrk_Spread::setStaticCells(int column, int row) {
    return setStaticCells(column, row, column, row);
}

bool Zrk_Spread::setComboCells(int col1, int row1, int col2, int row2, const Zrk_StringArray& items,
                               bool editable) {
    if (!validBlock(col1, row1, col2, row2)) return false;
    const CellType type =
        CellType::combo(editable ? kStyleComboCellEditable : kStyleComboCell, arrToStr(items, '\t'));
    return setCellType(col1, row1, col2, row2, type);
}

bool Zrk_Spread::setComboCells(int column, int row, const Zrk_StringArray& items, bool editable) {
    return setComboCells(column, row, column, row, items, editable);
}

bool Zrk_Spread::setButtonCells(int col1, int row1, int col2, int row2, const Zrk_String& caption) {
    return validBlock(col1, row1, col2, row2) &&
           setCellType(col1, row1, col2, row2, CellType::button(0, caption));
}

bool Zrk_Spread::setButtonCells(int column, int row, const Zrk_String& caption) {
    return setButtonCells(column, row, column, row, caption);
}

// --- files and functions --------------------------------------------------------------------------------

namespace {
spread::PrepareSheetHook gPrepareSheet = nullptr;
spread::SetDocumentVariablesHook gSetDocumentVariables = nullptr;
} // namespace

void spread::setDocumentHooks(PrepareSheetHook prepare, SetDocumentVariablesHook setVariables) {
    gPrepareSheet = prepare;
    gSetDocumentVariables = setVariables;
}

bool Zrk_Spread::loadFile(const Zrk_String& path) {
    fileMessage_.clear();
    if (!attached) {
        fileMessage_ = "The grid has no window to load \"" + path + "\" into.";
        return false;
    }
    return loadFromFile(normalizePath(path), fileMessage_);
}

bool Zrk_Spread::saveFile(const Zrk_String& path) {
    fileMessage_.clear();
    if (!attached) {
        fileMessage_ = "The grid has no window to save to \"" + path + "\".";
        return false;
    }
    return saveToFile(normalizePath(path), fileMessage_);
}

bool Zrk_Spread::prepareFromSettings(const Zrk_String& settingsName) {
    if (!attached || !gPrepareSheet) return false;
    Zrk_String face;
    int height = 0;
    if (!gPrepareSheet(*this, settingsName, face, height)) return false;
    if (!face.empty()) defaultFontName = face;
    if (height > 0) defaultFontHeight = height;
    return applyFonts(false);
}

bool Zrk_Spread::setDocumentVariables(const Zrk_StringArray& names, const Zrk_StringArray& values) {
    return attached && gSetDocumentVariables && gSetDocumentVariables(*this, names, values);
}

bool Zrk_Spread::registerFunction(const Zrk_String& name, int minArgs, int maxArgs, CustomFunction callback,
                                  int flags) {
    return attached && SSAddCustomFunctionExt(name, minArgs, maxArgs, std::move(callback), flags);
}

bool Zrk_Spread::setReferenceStyle(int style) {
    return attached && SSSetRefStyle(style);
}

bool Zrk_Spread::recalcCell(int column, int row) {
    return validData(column, row) && SSReCalcCell(column, row);
}

bool Zrk_Spread::recalcAll() {
    if (!attached) return false;
    TSpread::recalcAll();
    return true;
}

bool Zrk_Spread::setAutoCalc(bool on) {
    return attached && setBool(kOptionAutoCalc, on);
}
