#pragma once
// Change notifications of a sheet, for a view that sits on top of it (the grid window's item model).
// Every hook has an empty default; a view overrides what it shows. Hooks run after the change, except
// the "about to" hooks, which run before it (a view must learn of a coming reset or new counts first).

namespace spreadlib {

class SheetObserver {
public:
    virtual ~SheetObserver() = default;
    // Contents, values or looks of the cells of a block changed (one call may cover many cells).
    virtual void cellsChanged(int col1, int row1, int col2, int row2) {}
    // Counts change from (oldCols, oldRows) to (newCols, newRows).
    virtual void countsAboutToChange(int oldCols, int oldRows, int newCols, int newRows) {}
    virtual void countsChanged(int cols, int rows) {}
    // Cells shifted inside the counts: rows (columns) inserted at `at`, deleted from `at`, or moved.
    virtual void rowsInserted(int at, int count) {}
    virtual void rowsDeleted(int at, int count) {}
    virtual void columnsInserted(int at, int count) {}
    virtual void columnsDeleted(int at, int count) {}
    virtual void rowsMoved(int first, int last, int destination) {}
    virtual void columnsMoved(int first, int last, int destination) {}
    virtual void spansChanged() {}
    // Column widths or row heights changed.
    virtual void sizesChanged() {}
    virtual void activeCellChanged(int col, int row) {}
    virtual void selectionChanged() {}
    virtual void editModeChanged(bool editing) {}
    virtual void optionChanged(int option, bool on) {}
    // Colours, fonts, appearance or other settings of the whole sheet changed.
    virtual void lookChanged() {}
    // Everything is replaced (load, CSV import, reset).
    virtual void sheetAboutToReset() {}
    virtual void sheetReset() {}
    // Drawing was switched back on after a sequence of changes.
    virtual void redrawEnabled() {}
};

} // namespace spreadlib
