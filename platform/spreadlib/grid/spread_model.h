#pragma once
// The item model of a grid window: the sheet's data cells as a Qt table (model row r, column c is
// sheet cell (c + 1, r + 1)), the header row and column as header data. It answers from the sheet
// when the view asks (nothing is copied), and turns the sheet's observer calls into Qt's model
// signals. The view (spread_view.h) hears the rest of the observer calls through the model's hooks.

#include <QAbstractTableModel>
#include <functional>

#include "spreadlib/sheet.h"

namespace spreadlib {

// Extra roles the delegate and the headers read.
enum SpreadRole : int {
    kRoleDisplay = Qt::UserRole + 1, // the whole CellDisplay, as a pointer valid until the next call
    kRoleCellCol,                    // the sheet column of the cell
};

class SpreadModel : public QAbstractTableModel, public SheetObserver {
public:
    explicit SpreadModel(Sheet& sheet, QObject* parent = nullptr);
    ~SpreadModel() override;

    Sheet& sheet() const { return sheet_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores what the user typed: a formula when the text begins with "=" and user formulas (option
    // 12) are on, else data. False when the cell refuses the text (a number cell and no number).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The display of sheet cell (col, row), read once per cell however many roles the view asks for.
    const CellDisplay& display(int col, int row) const;
    // Whether the user may type into the cell: editing on, not locked (a span's anchor decides), and
    // a type that edits text.
    bool isEditable(int col, int row) const;

    // Hooks of the view for what the model does not show itself.
    struct Hooks {
        std::function<void()> spansChanged;
        std::function<void()> sizesChanged;
        std::function<void(int col, int row)> activeCellChanged;
        std::function<void()> selectionChanged;
        std::function<void(bool editing)> editModeChanged;
        std::function<void(int option, bool on)> optionChanged;
        std::function<void()> lookChanged;
        std::function<void()> redrawEnabled;
        std::function<void()> reset;
        std::function<void()> countsChanged;
    };
    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }
    // Cell changes are not signalled while false (a hidden grid draws everything when it shows).
    void setSignalCells(bool on) { signalCells_ = on; }

    // SheetObserver
    void cellsChanged(int col1, int row1, int col2, int row2) override;
    void countsAboutToChange(int oldCols, int oldRows, int newCols, int newRows) override;
    void countsChanged(int cols, int rows) override;
    void rowsInserted(int at, int count) override;
    void rowsDeleted(int at, int count) override;
    void columnsInserted(int at, int count) override;
    void columnsDeleted(int at, int count) override;
    void rowsMoved(int first, int last, int destination) override;
    void columnsMoved(int first, int last, int destination) override;
    void spansChanged() override;
    void sizesChanged() override;
    void activeCellChanged(int col, int row) override;
    void selectionChanged() override;
    void editModeChanged(bool editing) override;
    void optionChanged(int option, bool on) override;
    void lookChanged() override;
    void sheetAboutToReset() override;
    void sheetReset() override;
    void redrawEnabled() override;

private:
    void forget() const { cachedCol_ = -1; }
    void rowsShifted(int fromRow);
    void columnsShifted(int fromCol);

    Sheet& sheet_;
    Hooks hooks_;
    bool signalCells_ = true;
    enum class CountChange { None, RowsAdded, RowsRemoved, ColumnsAdded, ColumnsRemoved, Reset };
    CountChange countChange_ = CountChange::None;
    mutable int cachedCol_ = -1;
    mutable int cachedRow_ = -1;
    mutable CellDisplay cached_;
};

} // namespace spreadlib
