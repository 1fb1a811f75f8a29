#include "spreadlib/grid/spread_model.h"

#include "spreadlib/grid/qt_text.h"

namespace spreadlib {

SpreadModel::SpreadModel(Sheet& sheet, QObject* parent) : QAbstractTableModel(parent), sheet_(sheet) {
    sheet_.addObserver(this);
}

SpreadModel::~SpreadModel() {
    sheet_.removeObserver(this);
}

int SpreadModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sheet_.getMaxRows();
}

int SpreadModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sheet_.getMaxCols();
}

const CellDisplay& SpreadModel::display(int col, int row) const {
    if (col != cachedCol_ || row != cachedRow_) {
        if (!sheet_.getDisplay(col, row, cached_)) cached_ = CellDisplay();
        cachedCol_ = col;
        cachedRow_ = row;
    }
    return cached_;
}

bool SpreadModel::isEditable(int col, int row) const {
    if (!sheet_.getBool(kOptionEditing) || sheet_.getOperationMode() == kModeReadOnly) return false;
    int anchorCol = col, anchorRow = row, cols = 1, rows = 1;
    if (sheet_.SSGetCellSpan(col, row, anchorCol, anchorRow, cols, rows)) {
        col = anchorCol;
        row = anchorRow;
    }
    const CellDisplay& cell = display(col, row);
    if (cell.locked) return false;
    switch (cell.type.code) {
    case kTypeGeneral:
    case kTypeCombo:
    case kTypeInteger:
    case kTypeNumber:
        return true;
    case kTypeEdit:
        return !(cell.type.style & kStyleStaticText);
    default:
        return false; // static, header, picture, check box and button cells have no editor
    }
}

namespace {

QVariant alignment(const CellDisplay& cell) {
    const std::uint32_t style = cell.type.style;
    Qt::Alignment align = Qt::AlignVCenter;
    if (cell.type.code == kTypePicture || cell.type.code == kTypeButton || (style & kStyleCenter))
        align |= Qt::AlignHCenter;
    else if (cell.isNumber || cell.type.isNumeric())
        align |= Qt::AlignRight;
    else
        align |= Qt::AlignLeft;
    return QVariant::fromValue(align);
}

QVariant colour(Color color) {
    const QColor qt = qtColor(color);
    return qt.isValid() ? QVariant(qt) : QVariant();
}

} // namespace

QVariant SpreadModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole: {
        const CellDisplay& cell = display(col, row);
        switch (cell.type.code) {
        case kTypeCheckBox:
            return (cell.type.style & kStyleCheckPictures) ? QVariant() : QVariant(qtText(cell.type.text));
        case kTypePicture:
        case kTypeButton:
            return {};
        default:
            return qtText(cell.text);
        }
    }
    case Qt::EditRole: {
        const CellDisplay& cell = display(col, row);
        Zrk_String text;
        if (sheet_.getFormula(col, row, text) && !text.empty()) return qtText("=" + text);
        // Number cells edit what they show (with their decimals), other cells what they hold.
        if (cell.type.isNumeric()) return qtText(cell.text);
        sheet_.getData(col, row, text);
        return qtText(text);
    }
    case Qt::FontRole:
        return qtFont(display(col, row).font);
    case Qt::BackgroundRole: {
        const QColor back = qtColor(display(col, row).backColor);
        return back.isValid() ? back : QColor(Qt::white); // cells are white over the grey area
    }
    case Qt::ForegroundRole:
        return colour(display(col, row).foreColor);
    case Qt::TextAlignmentRole:
        return alignment(display(col, row));
    case Qt::CheckStateRole: {
        const CellDisplay& cell = display(col, row);
        if (cell.type.code != kTypeCheckBox) return {};
        return cell.text == "1" ? Qt::Checked : Qt::Unchecked;
    }
    case Qt::ToolTipRole: {
        TextTipSettings tip;
        sheet_.SSGetTextTip(tip);
        const CellDisplay& cell = display(col, row);
        if (tip.mode == 0 || cell.text.empty()) return {};
        return qtText(cell.text);
    }
    case kRoleDisplay:
        return QVariant::fromValue(reinterpret_cast<quintptr>(&display(col, row)));
    case kRoleCellCol:
        return col;
    default:
        return {};
    }
}

QVariant SpreadModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const int col = orientation == Qt::Horizontal ? section + 1 : 0;
    const int row = orientation == Qt::Horizontal ? 0 : section + 1;
    switch (role) {
    case Qt::DisplayRole:
        return qtText(display(col, row).text);
    case Qt::FontRole:
        return qtFont(display(col, row).font);
    case Qt::BackgroundRole:
        return colour(display(col, row).backColor);
    case Qt::ForegroundRole:
        return colour(display(col, row).foreColor);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case kRoleDisplay:
        return QVariant::fromValue(reinterpret_cast<quintptr>(&display(col, row)));
    default:
        return {};
    }
}

Qt::ItemFlags SpreadModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isEditable(index.column() + 1, index.row() + 1)) flags |= Qt::ItemIsEditable;
    return flags;
}

bool SpreadModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    const Zrk_String text = moduleText(value.toString());
    if (text.size() > 1 && text[0] == '=' && sheet_.getBool(kOptionUserFormulas))
        return sheet_.setFormula(col, row, text);
    return sheet_.setData(col, row, text);
}

// --- the sheet's changes ------------------------------------------------------------------------------

void SpreadModel::cellsChanged(int col1, int row1, int col2, int row2) {
    forget();
    if (!signalCells_ || countChange_ != CountChange::None) return;
    const int cols = sheet_.getMaxCols();
    const int rows = sheet_.getMaxRows();
    // Header cells: col or row 0 (or -1, "to the end").
    if (row1 <= 0 && cols > 0) emit headerDataChanged(Qt::Horizontal, 0, cols - 1);
    if (col1 <= 0 && rows > 0) emit headerDataChanged(Qt::Vertical, 0, rows - 1);
    const int c1 = std::max(col1, 1), r1 = std::max(row1, 1);
    const int c2 = col2 < 0 ? cols : std::min(col2, cols), r2 = row2 < 0 ? rows : std::min(row2, rows);
    if (c1 > c2 || r1 > r2) return;
    emit dataChanged(index(r1 - 1, c1 - 1), index(r2 - 1, c2 - 1));
}

void SpreadModel::countsAboutToChange(int oldCols, int oldRows, int newCols, int newRows) {
    forget();
    if (oldCols != newCols && oldRows != newRows) {
        countChange_ = CountChange::Reset;
        beginResetModel();
    } else if (newRows > oldRows) {
        countChange_ = CountChange::RowsAdded;
        beginInsertRows(QModelIndex(), oldRows, newRows - 1);
    } else if (newRows < oldRows) {
        countChange_ = CountChange::RowsRemoved;
        beginRemoveRows(QModelIndex(), newRows, oldRows - 1);
    } else if (newCols > oldCols) {
        countChange_ = CountChange::ColumnsAdded;
        beginInsertColumns(QModelIndex(), oldCols, newCols - 1);
    } else if (newCols < oldCols) {
        countChange_ = CountChange::ColumnsRemoved;
        beginRemoveColumns(QModelIndex(), newCols, oldCols - 1);
    }
}

void SpreadModel::countsChanged(int, int) {
    forget();
    const CountChange change = countChange_;
    countChange_ = CountChange::None;
    switch (change) {
    case CountChange::Reset:
        endResetModel();
        break;
    case CountChange::RowsAdded:
        endInsertRows();
        break;
    case CountChange::RowsRemoved:
        endRemoveRows();
        break;
    case CountChange::ColumnsAdded:
        endInsertColumns();
        break;
    case CountChange::ColumnsRemoved:
        endRemoveColumns();
        break;
    case CountChange::None:
        break;
    }
    // Spans and sizes beyond a smaller count are gone from the sheet.
    if (hooks_.spansChanged) hooks_.spansChanged();
    if (hooks_.sizesChanged) hooks_.sizesChanged();
    if (hooks_.countsChanged) hooks_.countsChanged();
}

void SpreadModel::rowsShifted(int fromRow) {
    forget();
    if (countChange_ != CountChange::None) return;
    const int rows = sheet_.getMaxRows(), cols = sheet_.getMaxCols();
    if (rows > 0) emit headerDataChanged(Qt::Vertical, std::max(fromRow, 1) - 1, rows - 1);
    if (signalCells_ && rows > 0 && cols > 0 && fromRow <= rows)
        emit dataChanged(index(std::max(fromRow, 1) - 1, 0), index(rows - 1, cols - 1));
    if (hooks_.spansChanged) hooks_.spansChanged();
    if (hooks_.sizesChanged) hooks_.sizesChanged();
}

void SpreadModel::columnsShifted(int fromCol) {
    forget();
    if (countChange_ != CountChange::None) return;
    const int rows = sheet_.getMaxRows(), cols = sheet_.getMaxCols();
    if (cols > 0) emit headerDataChanged(Qt::Horizontal, std::max(fromCol, 1) - 1, cols - 1);
    if (signalCells_ && rows > 0 && cols > 0 && fromCol <= cols)
        emit dataChanged(index(0, std::max(fromCol, 1) - 1), index(rows - 1, cols - 1));
    if (hooks_.spansChanged) hooks_.spansChanged();
    if (hooks_.sizesChanged) hooks_.sizesChanged();
}

void SpreadModel::rowsInserted(int at, int) {
    rowsShifted(at);
}
void SpreadModel::rowsDeleted(int at, int) {
    rowsShifted(at);
}
void SpreadModel::columnsInserted(int at, int) {
    columnsShifted(at);
}
void SpreadModel::columnsDeleted(int at, int) {
    columnsShifted(at);
}
void SpreadModel::rowsMoved(int first, int, int destination) {
    rowsShifted(std::min(first, destination));
}
void SpreadModel::columnsMoved(int first, int, int destination) {
    columnsShifted(std::min(first, destination));
}

void SpreadModel::spansChanged() {
    forget();
    if (hooks_.spansChanged) hooks_.spansChanged();
}

void SpreadModel::sizesChanged() {
    if (hooks_.sizesChanged) hooks_.sizesChanged();
}

void SpreadModel::activeCellChanged(int col, int row) {
    if (hooks_.activeCellChanged) hooks_.activeCellChanged(col, row);
}

void SpreadModel::selectionChanged() {
    if (hooks_.selectionChanged) hooks_.selectionChanged();
}

void SpreadModel::editModeChanged(bool editing) {
    if (hooks_.editModeChanged) hooks_.editModeChanged(editing);
}

void SpreadModel::optionChanged(int option, bool on) {
    forget();
    if (hooks_.optionChanged) hooks_.optionChanged(option, on);
}

void SpreadModel::lookChanged() {
    forget();
    if (hooks_.lookChanged) hooks_.lookChanged();
}

void SpreadModel::sheetAboutToReset() {
    forget();
    beginResetModel();
}

void SpreadModel::sheetReset() {
    forget();
    endResetModel();
    if (hooks_.reset) hooks_.reset();
}

void SpreadModel::redrawEnabled() {
    forget();
    if (hooks_.redrawEnabled) hooks_.redrawEnabled();
}

} // namespace spreadlib
