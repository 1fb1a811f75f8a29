#pragma once
// TSpread: the grid window of the spreadsheet library. It owns a sheet (spreadlib::Sheet) and shows it
// in a table view with its header row and column, spans, locks, fonts and colours, an editor per cell
// type, the active cell and the selection; and it tells the dialog it lies in what the user does
// (grid_notify.h). Its window class name is "fpSpread70", which the module's spreadsheet focus test
// recognises.
//
// One method per library call: each forwards to the sheet under the sheet's own name, so code written
// against the library reads the same here. The view follows the sheet through its observer: whatever
// code changes in the sheet shows, and the view asks the sheet for a cell only when it draws it, so a
// hidden grid costs nothing per cell.
//
// Editing: the view's editor and the sheet's edit mode are one: setEditMode(true) opens the editor on
// the active cell, getEditSel answers the editor's selection while it is open, and the user's
// editing sets the sheet's edit mode. The editor takes at most the edit cell's maximum length, a
// number cell's decimals and limits, a combo cell's list (typed text only when editable); check
// boxes toggle on a click or Space, button cells press on a click or Space.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "spreadlib/grid/grid_notify.h"
#include "spreadlib/sheet.h"
#include "ui/keys.h"

class QTableView;

namespace spreadlib {
class SpreadModel;
class SpreadView;
} // namespace spreadlib

class TSpread : public QWidget, public ui::KeyHandler {
public:
    // A new sheet of the library's default counts, or of the counts given (the view is made for them,
    // so a grid that starts empty starts fast).
    explicit TSpread(QWidget* parent = nullptr, int columns = -1, int rows = -1);
    ~TSpread() override;
    TSpread(const TSpread&) = delete;
    TSpread& operator=(const TSpread&) = delete;

    spreadlib::Sheet& sheet() { return *sheet_; }
    const spreadlib::Sheet& sheet() const { return *sheet_; }
    // The table view inside the window (tests and pictures look at it).
    QTableView* view() const;

    // --- counts ----------------------------------------------------------------------------------
    int getMaxCols() const { return sheet_->getMaxCols(); }
    int getMaxRows() const { return sheet_->getMaxRows(); }
    bool setMaxCols(int count) { return sheet_->setMaxCols(count); }
    bool setMaxRows(int count) { return sheet_->setMaxRows(count); }

    // --- contents --------------------------------------------------------------------------------
    bool setData(int col, int row, const Zrk_String& text) { return sheet_->setData(col, row, text); }
    bool setValue(int col, int row, const Zrk_String& text) { return sheet_->setValue(col, row, text); }
    bool setFormula(int col, int row, const Zrk_String& formula) {
        return sheet_->setFormula(col, row, formula);
    }
    bool getData(int col, int row, Zrk_String& text) const { return sheet_->getData(col, row, text); }
    bool getFormula(int col, int row, Zrk_String& text) const { return sheet_->getFormula(col, row, text); }
    bool getValue(int col, int row, Zrk_String& text) const { return sheet_->getValue(col, row, text); }
    bool getCellText(int col, int row, int kind, Zrk_String& text) const {
        return sheet_->getCellText(col, row, kind, text);
    }
    bool SSGetCellTag(int col, int row, Zrk_String& tag) const { return sheet_->SSGetCellTag(col, row, tag); }
    bool SSSetCellTag(int col, int row, const Zrk_String& tag) { return sheet_->SSSetCellTag(col, row, tag); }
    bool getFloat(int col, int row, double& value) const { return sheet_->getFloat(col, row, value); }
    bool clearData(int col1, int row1, int col2, int row2) {
        return sheet_->clearData(col1, row1, col2, row2);
    }
    bool SSReCalcCell(int col, int row) { return sheet_->SSReCalcCell(col, row); }
    void recalcAll() { sheet_->recalcAll(); }

    // --- cell types ------------------------------------------------------------------------------
    bool setCellType(int col1, int row1, int col2, int row2, const spreadlib::CellType& type) {
        return sheet_->setCellType(col1, row1, col2, row2, type);
    }
    bool SSSetTypeNumber(int col1, int row1, int col2, int row2, std::uint32_t style, int decimals,
                         double minValue, double maxValue, bool separator) {
        return sheet_->SSSetTypeNumber(col1, row1, col2, row2, style, decimals, minValue, maxValue,
                                       separator);
    }
    bool getCellType(int col, int row, spreadlib::CellType& type) const {
        return sheet_->getCellType(col, row, type);
    }
    int getCellTypeCode(int col, int row) const { return sheet_->getCellTypeCode(col, row); }

    // --- locks and spans -------------------------------------------------------------------------
    bool setLock(int col1, int row1, int col2, int row2, bool locked) {
        return sheet_->setLock(col1, row1, col2, row2, locked);
    }
    bool getLock(int col, int row) const { return sheet_->getLock(col, row); }
    bool SSAddCellSpan(int col, int row, int numCols, int numRows) {
        return sheet_->SSAddCellSpan(col, row, numCols, numRows);
    }
    bool SSRemoveCellSpan(int col, int row) { return sheet_->SSRemoveCellSpan(col, row); }
    bool SSGetCellSpan(int col, int row, int& anchorCol, int& anchorRow, int& numCols, int& numRows) const {
        return sheet_->SSGetCellSpan(col, row, anchorCol, anchorRow, numCols, numRows);
    }

    // --- looks -----------------------------------------------------------------------------------
    bool setFont(int col1, int row1, int col2, int row2, const spreadlib::FontSpec& font) {
        return sheet_->setFont(col1, row1, col2, row2, font);
    }
    bool getFont(int col, int row, spreadlib::FontSpec& font) const {
        return sheet_->getFont(col, row, font);
    }
    bool setColor(int col1, int row1, int col2, int row2, spreadlib::Color back, spreadlib::Color fore) {
        return sheet_->setColor(col1, row1, col2, row2, back, fore);
    }
    bool getColor(int col, int row, spreadlib::Color& back, spreadlib::Color& fore) const {
        return sheet_->getColor(col, row, back, fore);
    }
    bool setBorder(int col1, int row1, int col2, int row2, int type, int style, spreadlib::Color color) {
        return sheet_->setBorder(col1, row1, col2, row2, type, style, color);
    }
    void setDefaultFont(const spreadlib::FontSpec& font) { sheet_->setDefaultFont(font); }
    void SSSetAppearance(int appearance) { sheet_->SSSetAppearance(appearance); }
    void SSSetBackColorStyle(int style) { sheet_->SSSetBackColorStyle(style); }
    void SSSetSelColor(spreadlib::Color back, spreadlib::Color fore) { sheet_->SSSetSelColor(back, fore); }
    void SSSetCellNoteIndicator(int indicator) { sheet_->SSSetCellNoteIndicator(indicator); }
    void setGrayAreaColor(spreadlib::Color back, spreadlib::Color fore) {
        sheet_->setGrayAreaColor(back, fore);
    }
    void setShadowColor(spreadlib::Color back, spreadlib::Color fore) { sheet_->setShadowColor(back, fore); }
    void SSSetTextTip(const spreadlib::TextTipSettings& tip) { sheet_->SSSetTextTip(tip); }
    void SSGetTextTip(spreadlib::TextTipSettings& tip) const { sheet_->SSGetTextTip(tip); }

    // --- options and modes -----------------------------------------------------------------------
    bool setBool(int option, bool on) { return sheet_->setBool(option, on); }
    bool getBool(int option) const { return sheet_->getBool(option); }
    bool setOperationMode(int mode) { return sheet_->setOperationMode(mode); }
    int getOperationMode() const { return sheet_->getOperationMode(); }
    bool SSSetRefStyle(int style) { return sheet_->SSSetRefStyle(style); }
    bool SSSetActionKey(int action, int shift, int key) { return sheet_->SSSetActionKey(action, shift, key); }
    bool SSReset() { return sheet_->SSReset(); }
    // Drawing off while a sequence of changes is made; on again draws once.
    void setRedraw(bool on) { sheet_->setRedraw(on); }

    // --- geometry --------------------------------------------------------------------------------
    bool setColWidthInPixels(int col, int pixels) { return sheet_->setColWidthInPixels(col, pixels); }
    bool getColWidthInPixels(int col, int& pixels) const { return sheet_->getColWidthInPixels(col, pixels); }
    bool setRowHeightInPixels(int row, int pixels) { return sheet_->setRowHeightInPixels(row, pixels); }
    bool getRowHeightInPixels(int row, int& pixels) const {
        return sheet_->getRowHeightInPixels(row, pixels);
    }
    bool getMaxTextCellSize(int col, int row, int& width, int& height) const {
        return sheet_->getMaxTextCellSize(col, row, width, height);
    }
    bool getMaxTextColWidth(int col, int& width, bool skipPictures = false) const {
        return sheet_->getMaxTextColWidth(col, width, skipPictures);
    }
    bool getMaxTextRowHeight(int row, int& height, bool skipPictures = false) const {
        return sheet_->getMaxTextRowHeight(row, height, skipPictures);
    }
    // The area the grid draws in, headers included, without its frame (pixels).
    void getClientArea(int& width, int& height) const;
    // The width of the vertical and the height of the horizontal scroll bar; 0 for one not shown.
    void SSGetScrollBarSize(int& verticalWidth, int& horizontalHeight) const;

    // --- active cell, selection, editing ---------------------------------------------------------
    bool setActiveCell(int col, int row) { return sheet_->setActiveCell(col, row); }
    void getActiveCell(int& col, int& row) const { sheet_->getActiveCell(col, row); }
    bool setSelBlock(int col1, int row1, int col2, int row2) {
        return sheet_->setSelBlock(col1, row1, col2, row2);
    }
    bool getSelBlock(int& col1, int& row1, int& col2, int& row2) const {
        return sheet_->getSelBlock(col1, row1, col2, row2);
    }
    void clearSelection() { sheet_->clearSelection(); }
    void setEditMode(bool editing) { sheet_->setEditMode(editing); }
    bool getEditMode() const { return sheet_->getEditMode(); }
    // The selected characters of the edited text (the open editor shows them).
    void setEditSel(int start, int end);
    // The selected characters of the open editor (else of the sheet's record).
    void getEditSel(int& start, int& end) const;
    // Scrolls so that the cell is in view.
    void showCell(int col, int row);
    // Does the view's layout work that waits (sizes, spans) now.
    void flushView();

    // --- structure -------------------------------------------------------------------------------
    bool insertRows(int at, int count = 1) { return sheet_->insertRows(at, count); }
    bool deleteRows(int at, int count = 1) { return sheet_->deleteRows(at, count); }
    bool insertCols(int at, int count = 1) { return sheet_->insertCols(at, count); }
    bool deleteCols(int at, int count = 1) { return sheet_->deleteCols(at, count); }
    bool moveRange(int col1, int row1, int col2, int row2, int destCol, int destRow) {
        return sheet_->moveRange(col1, row1, col2, row2, destCol, destRow);
    }
    bool copyRange(int col1, int row1, int col2, int row2, int destCol, int destRow) {
        return sheet_->copyRange(col1, row1, col2, row2, destCol, destRow);
    }
    // The block also goes to the system clipboard as tab-separated text; paste takes the system
    // clipboard's text when it has one.
    bool clipboardCopy(int col1, int row1, int col2, int row2);
    bool clipboardPaste(int col, int row);

    // --- custom functions ------------------------------------------------------------------------
    bool SSAddCustomFunctionExt(const Zrk_String& name, int minArgs, int maxArgs,
                                spreadlib::CustomFunction function, int flags) {
        return sheet_->SSAddCustomFunctionExt(name, minArgs, maxArgs, std::move(function), flags);
    }

    // --- files -----------------------------------------------------------------------------------
    bool loadFromFile(const Zrk_String& path, Zrk_String& message) {
        return sheet_->loadFromFile(path, message);
    }
    bool saveToFile(const Zrk_String& path, Zrk_String& message) const {
        return sheet_->saveToFile(path, message);
    }

    // --- the window ------------------------------------------------------------------------------
    // Keys before the grid handles them (the module's wrapper adds its own); the base takes none.
    bool preTranslateKey(const ui::KeyPress& key) override { return false; }

protected:
    // A cell control was used (kGridCheckBoxClicked, kGridButtonClicked): the cell is active and, for
    // a check box, toggled. The base tells the dialog (onCommand); the wrapper looks first.
    virtual void onCellCommand(int code);
    // The right button went down on a cell (the dialog has been told): the wrapper's context menu.
    virtual void onRightButtonDown(int col, int row, const QPoint& globalPosition) {}
    // The window's size changed.
    virtual void onSizeChanged() {}

    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    friend class spreadlib::SpreadView;
    void notifyDialog(int code, const spreadlib::GridNotify& record);

    std::unique_ptr<spreadlib::Sheet> sheet_;
    std::unique_ptr<spreadlib::SpreadModel> model_;
    spreadlib::SpreadView* view_ = nullptr; // a child of this window
};
