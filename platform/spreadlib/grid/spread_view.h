#pragma once
// The table view inside a grid window. It shows the sheet through SpreadModel and keeps the two in
// step both ways: what code sets in the sheet (options, looks, sizes, spans, active cell, selection,
// edit mode) shows here, and what the user does here (moving, selecting, editing, resizing columns,
// clicking check boxes and buttons) goes into the sheet and is told to the dialog through TSpread.
// Nothing the code does is told back to the dialog.
//
// Layout work that may be large (sizes and spans) waits while drawing is off or the grid is hidden,
// and is done once when drawing comes back or the grid shows.

#include <QHeaderView>
#include <QPointer>
#include <QTableView>
#include <map>

#include "spreadlib/grid/spread_delegate.h"
#include "spreadlib/grid/spread_model.h"

class QAbstractButton;
class TSpread;

namespace spreadlib {

// A header that draws the sheet's header cells: their texts, fonts and colours, spans across
// sections (a check-box column's header over two columns), and the pictures or check boxes of
// header cells that have them.
class SpreadHeader : public QHeaderView {
public:
    SpreadHeader(Qt::Orientation orientation, SpreadModel& model, QWidget* parent);

    // As thick as the sheet's header column (row headers) or header row (column headers), which is
    // what the view fixes the header to when it lays it out. The header never measures its texts:
    // Qt's own hint measures up to two hundred of them after each change of the row or column
    // count, and a hidden grid whose sheet is loaded again for each evaluation paid it every time.
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    // The span of the header cell of the section: first section and count (1 when none).
    void spanOf(int section, int& first, int& count) const;
    SpreadModel& model_;
};

class SpreadView : public QTableView {
public:
    SpreadView(TSpread& owner, SpreadModel& model);

    // Applies the sheet's sizes and spans now if they wait.
    void flushLayout();
    // The open editor, or null.
    QWidget* openEditor() const { return editor_; }
    // Opens the editor on the active cell (false when the cell has none) or closes it, taking over
    // what it holds.
    bool openEditorOnActiveCell();
    void closeOpenEditor(bool takeOver = true);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void commitData(QWidget* editor) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    struct Guard; // while set, changes come from the sheet: the view does not write them back

    Sheet& sheet() const { return model_.sheet(); }
    bool ready() const;
    void scheduleLayout();
    void applyOptions();
    void applyLook();
    void applySizes();
    void applySpans();
    void applyActiveCell(bool scroll);
    void applySelection();
    void sheetEditModeChanged(bool editing);
    void toggleCheckBox(int col, int row);
    void pressButton(int col, int row);
    bool cellAt(const QPoint& point, int& col, int& row) const;
    bool isCheckBoxCell(int col, int row) const;
    bool isButtonCell(int col, int row) const;
    void headerClicked(Qt::Orientation orientation, int section);
    void sectionResized(Qt::Orientation orientation, int section, int newSize);
    void moveActiveDown();

    TSpread& owner_;
    SpreadModel& model_;
    SpreadDelegate* delegate_;
    SpreadHeader* columnHeader_;
    SpreadHeader* rowHeader_;
    QPointer<QAbstractButton> corner_; // the table's corner, drawn as the header cell (0, 0)
    int fromSheet_ = 0;
    bool sizesDirty_ = true;
    bool spansDirty_ = true;
    bool layoutScheduled_ = false;
    std::map<int, int> appliedCols_; // sections given a size of their own
    std::map<int, int> appliedRows_;
    QPointer<QWidget> editor_;
    QString editStartText_;
    bool editChanged_ = false;
    int buttonCol_ = -1, buttonRow_ = -1; // the button cell held down
};

} // namespace spreadlib
