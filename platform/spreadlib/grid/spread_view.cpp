#include "spreadlib/grid/spread_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "spreadlib/grid/qt_text.h"
#include "spreadlib/grid/tspread.h"

namespace spreadlib {

namespace {

const CellDisplay& displayOf(const SpreadModel& model, int col, int row) {
    return model.display(col, row);
}

int pixels(double value) {
    return static_cast<int>(std::lround(value));
}

// The header's colour: the header cell's own, else the sheet's shadow colour, else the style's.
QColor headerBack(const Sheet& sheet, const CellDisplay& cell, const QPalette& palette) {
    QColor back = qtColor(cell.backColor);
    if (back.isValid()) return back;
    Color shadowBack = kColorDefault, shadowFore = kColorDefault;
    sheet.getShadowColor(shadowBack, shadowFore);
    back = qtColor(shadowBack);
    return back.isValid() ? back : palette.color(QPalette::Button);
}

// A header cell (col or row 0) in its area: background, the lines that part it from its neighbours,
// its picture or text, its border.
void paintHeaderCell(QPainter& painter, const QRect& area, const SpreadModel& model, int col, int row,
                     const QWidget* widget) {
    const CellDisplay cell = model.display(col, row);
    const QPalette& palette = widget->palette();
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, headerBack(model.sheet(), cell, palette));
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawLine(area.topRight(), area.bottomRight());
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    if (!SpreadDelegate::paintFace(&painter, area, cell, false, widget)) {
        const QColor fore = qtColor(cell.foreColor);
        painter.setPen(fore.isValid() ? fore : palette.color(QPalette::ButtonText));
        painter.setFont(qtFont(cell.font));
        painter.drawText(area.adjusted(2, 0, -2, 0), Qt::AlignCenter, qtText(cell.text));
    }
    SpreadDelegate::paintBorder(&painter, area, cell);
    painter.restore();
}

} // namespace

// --- headers --------------------------------------------------------------------------------------------

SpreadHeader::SpreadHeader(Qt::Orientation orientation, SpreadModel& model, QWidget* parent)
    : QHeaderView(orientation, parent), model_(model) {
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(2);
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
}

QSize SpreadHeader::sizeHint() const {
    int thickness = 0;
    if (orientation() == Qt::Horizontal)
        model_.sheet().getRowHeightInPixels(0, thickness);
    else
        model_.sheet().getColWidthInPixels(0, thickness);
    thickness = std::max(0, thickness);
    return orientation() == Qt::Horizontal ? QSize(length(), thickness) : QSize(thickness, length());
}

void SpreadHeader::spanOf(int section, int& first, int& count) const {
    first = section;
    count = 1;
    const bool horizontal = orientation() == Qt::Horizontal;
    const int col = horizontal ? section + 1 : 0, row = horizontal ? 0 : section + 1;
    int anchorCol = 0, anchorRow = 0, cols = 1, rows = 1;
    if (!model_.sheet().SSGetCellSpan(col, row, anchorCol, anchorRow, cols, rows)) return;
    if (horizontal && anchorRow == 0 && anchorCol >= 1) {
        first = anchorCol - 1;
        count = cols;
    } else if (!horizontal && anchorCol == 0 && anchorRow >= 1) {
        first = anchorRow - 1;
        count = rows;
    }
}

void SpreadHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const bool horizontal = orientation() == Qt::Horizontal;
    int first = logicalIndex, count = 1;
    spanOf(logicalIndex, first, count);
    QRect area = rect;
    if (count > 1) {
        // The span's whole width (or height), drawn from its anchor whichever section asks.
        const int start = sectionViewportPosition(first);
        const int last = std::min(first + count - 1, this->count() - 1);
        const int end = sectionViewportPosition(last) + sectionSize(last);
        area = horizontal ? QRect(start, rect.top(), end - start, rect.height())
                          : QRect(rect.left(), start, rect.width(), end - start);
    }
    const int col = horizontal ? first + 1 : 0, row = horizontal ? 0 : first + 1;
    paintHeaderCell(*painter, area, model_, col, row, this);
}

// --- the view ---------------------------------------------------------------------------------------------

struct SpreadView::Guard {
    explicit Guard(SpreadView& view) : view_(view) { ++view_.fromSheet_; }
    ~Guard() { --view_.fromSheet_; }
    SpreadView& view_;
};

SpreadView::SpreadView(TSpread& owner, SpreadModel& model)
    : QTableView(&owner), owner_(owner), model_(model) {
    columnHeader_ = new SpreadHeader(Qt::Horizontal, model, this);
    rowHeader_ = new SpreadHeader(Qt::Vertical, model, this);
    setHorizontalHeader(columnHeader_);
    setVerticalHeader(rowHeader_);
    setModel(&model);
    delegate_ = new SpreadDelegate(model, this);
    setItemDelegate(delegate_);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // The corner above the row headers is the header of the row-header column: cell (0, 0).
    corner_ = findChild<QAbstractButton*>();
    if (corner_) corner_->installEventFilter(this);
    connect(&model, &QAbstractItemModel::headerDataChanged, this, [this] {
        if (corner_) corner_->update();
    });
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    connect(columnHeader_, &QHeaderView::sectionPressed, this,
            [this](int s) { headerClicked(Qt::Horizontal, s); });
    connect(rowHeader_, &QHeaderView::sectionPressed, this,
            [this](int s) { headerClicked(Qt::Vertical, s); });
    connect(columnHeader_, &QHeaderView::sectionResized, this,
            [this](int s, int, int size) { sectionResized(Qt::Horizontal, s, size); });
    connect(rowHeader_, &QHeaderView::sectionResized, this,
            [this](int s, int, int size) { sectionResized(Qt::Vertical, s, size); });

    SpreadModel::Hooks hooks;
    hooks.spansChanged = [this] { applySpans(); };
    hooks.sizesChanged = [this] { applySizes(); };
    hooks.activeCellChanged = [this](int, int) {
        if (!fromSheet_) applyActiveCell(true);
    };
    hooks.selectionChanged = [this] {
        if (!fromSheet_) applySelection();
    };
    hooks.editModeChanged = [this](bool editing) { sheetEditModeChanged(editing); };
    hooks.optionChanged = [this](int option, bool) {
        applyOptions();
        if (option == kOptionEditing && !sheet().getBool(kOptionEditing)) closeOpenEditor();
    };
    hooks.lookChanged = [this] { applyLook(); };
    hooks.redrawEnabled = [this] {
        setUpdatesEnabled(true);
        flushLayout();
        viewport()->update();
        columnHeader_->viewport()->update();
        rowHeader_->viewport()->update();
    };
    hooks.countsChanged = [this] { applyActiveCell(false); };
    hooks.reset = [this] {
        appliedCols_.clear();
        appliedRows_.clear();
        sizesDirty_ = spansDirty_ = true;
        applyOptions();
        applyLook();
        applySizes();
        applySpans();
        applyActiveCell(false);
    };
    model.setHooks(std::move(hooks));
    applyOptions();
    applyLook();
}

bool SpreadView::ready() const {
    return sheet().getRedraw() && isVisible();
}

void SpreadView::scheduleLayout() {
    if (layoutScheduled_) return;
    layoutScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        layoutScheduled_ = false;
        if (ready()) flushLayout();
    });
}

void SpreadView::flushLayout() {
    if (sizesDirty_) {
        sizesDirty_ = false;
        applySizes();
    }
    if (spansDirty_) {
        spansDirty_ = false;
        applySpans();
    }
}

void SpreadView::showEvent(QShowEvent* event) {
    model_.setSignalCells(true);
    flushLayout();
    QTableView::showEvent(event);
}

void SpreadView::paintEvent(QPaintEvent* event) {
    if (sizesDirty_ || spansDirty_) flushLayout();
    QTableView::paintEvent(event);
}

void SpreadView::applyOptions() {
    const Sheet& s = sheet();
    rowHeader_->setVisible(s.getBool(kOptionRowHeaders));
    columnHeader_->setVisible(s.getBool(kOptionColumnHeaders));
    setHorizontalScrollBarPolicy(s.getBool(kOptionHorizontalScrollBar) ? Qt::ScrollBarAsNeeded
                                                                       : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(s.getBool(kOptionVerticalScrollBar) ? Qt::ScrollBarAsNeeded
                                                                   : Qt::ScrollBarAlwaysOff);
    setShowGrid(s.getBool(kOptionGridLines));
    setTabKeyNavigation(s.getBool(kOptionProcessTab));
    setDragEnabled(false);
    const bool editing = s.getBool(kOptionEditing) && s.getOperationMode() != kModeReadOnly;
    setEditTriggers(editing ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed
                            : QAbstractItemView::NoEditTriggers);
}

void SpreadView::applyLook() {
    const Sheet& s = sheet();
    QPalette palette = QApplication::palette(this);
    Color back = kColorDefault, fore = kColorDefault;
    s.getSelColor(back, fore);
    const QColor selBack = qtColor(back), selFore = qtColor(fore);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (group == QPalette::Inactive && !s.getBool(kOptionRetainSelection)) continue;
        if (selBack.isValid()) palette.setColor(group, QPalette::Highlight, selBack);
        if (selFore.isValid()) palette.setColor(group, QPalette::HighlightedText, selFore);
    }
    // The grey area: what lies beyond the last column and row (cells draw their own white).
    s.getGrayAreaColor(back, fore);
    if (const QColor grey = qtColor(back); grey.isValid()) palette.setColor(QPalette::Base, grey);
    setPalette(palette);

    switch (s.getAppearance()) {
    case 1: // flat
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        break;
    default:
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        break;
    }
    switch (s.getGridType()) {
    case 0: // the default: solid lines
    case 1:
        setGridStyle(Qt::SolidLine);
        break;
    case 2:
        setGridStyle(Qt::DotLine);
        break;
    default:
        setGridStyle(Qt::SolidLine);
        break;
    }
    switch (s.getOperationMode()) {
    case kModeNormal:
        setSelectionBehavior(SelectItems);
        setSelectionMode(ContiguousSelection);
        break;
    case kModeReadOnly:
        setSelectionBehavior(SelectItems);
        setSelectionMode(SingleSelection);
        break;
    case kModeRowSelect:
    case kModeSingleSelect:
        setSelectionBehavior(SelectRows);
        setSelectionMode(SingleSelection);
        break;
    case kModeMultiSelect:
        setSelectionBehavior(SelectRows);
        setSelectionMode(MultiSelection);
        break;
    default:
        setSelectionBehavior(SelectRows);
        setSelectionMode(ExtendedSelection);
        break;
    }
    applyOptions(); // read-only mode turns editing off
    columnHeader_->viewport()->update();
    rowHeader_->viewport()->update();
    viewport()->update();
}

void SpreadView::applySizes() {
    if (!ready()) {
        sizesDirty_ = true;
        scheduleLayout();
        return;
    }
    Guard guard(*this);
    const Sheet& s = sheet();
    // Columns: the default for all, then the columns of their own; a width of 0 hides a column.
    auto apply = [](QHeaderView* header, int defaultSize, const std::map<int, double>& sizes, int count,
                    std::map<int, int>& applied) {
        bool all = false;
        if (header->defaultSectionSize() != defaultSize) {
            header->setDefaultSectionSize(defaultSize); // resizes every section
            all = true;
        }
        std::map<int, int> now;
        for (const auto& [index, size] : sizes)
            if (index >= 1 && index <= count) now[index] = pixels(size);
        for (const auto& [index, size] : applied) {
            if (now.count(index) || index > count) continue;
            header->setSectionHidden(index - 1, false);
            header->resizeSection(index - 1, defaultSize);
        }
        for (const auto& [index, size] : now) {
            const auto old = applied.find(index);
            if (!all && old != applied.end() && old->second == size && header->sectionSize(index - 1) == size)
                continue;
            header->setSectionHidden(index - 1, size <= 0);
            if (size > 0) header->resizeSection(index - 1, size);
        }
        applied = std::move(now);
    };
    apply(columnHeader_, std::max(1, pixels(s.getDefaultColWidthInPixels())), s.getColWidthsInPixels(),
          s.getMaxCols(), appliedCols_);
    apply(rowHeader_, std::max(1, pixels(s.getDefaultRowHeightInPixels())), s.getRowHeightsInPixels(),
          s.getMaxRows(), appliedRows_);
    int width = 0, height = 0;
    s.getColWidthInPixels(0, width);
    s.getRowHeightInPixels(0, height);
    rowHeader_->setFixedWidth(std::max(0, width));
    columnHeader_->setFixedHeight(std::max(0, height));
    sizesDirty_ = false;
}

void SpreadView::applySpans() {
    if (!ready()) {
        spansDirty_ = true;
        scheduleLayout();
        return;
    }
    clearSpans();
    const int cols = sheet().getMaxCols(), rows = sheet().getMaxRows();
    for (const Span& span : sheet().getSpans()) {
        if (span.col < 1 || span.row < 1 || span.col > cols || span.row > rows) continue;
        setSpan(span.row - 1, span.col - 1, std::min(span.rows, rows - span.row + 1),
                std::min(span.cols, cols - span.col + 1));
    }
    columnHeader_->viewport()->update();
    rowHeader_->viewport()->update();
    spansDirty_ = false;
}

void SpreadView::applyActiveCell(bool scroll) {
    int col = 0, row = 0;
    sheet().getActiveCell(col, row);
    const QModelIndex index = model_.index(row - 1, col - 1);
    if (!index.isValid()) return;
    Guard guard(*this);
    if (currentIndex() != index) selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    if (scroll && isVisible()) scrollTo(index);
}

void SpreadView::applySelection() {
    Guard guard(*this);
    int col1 = 0, row1 = 0, col2 = 0, row2 = 0;
    if (!sheet().getSelBlock(col1, row1, col2, row2)) {
        selectionModel()->clearSelection();
        return;
    }
    const int cols = sheet().getMaxCols(), rows = sheet().getMaxRows();
    auto last = [](int value, int count) { return value < 0 ? count : std::min(value, count); };
    const int c1 = std::max(1, col1), r1 = std::max(1, row1), c2 = last(col2, cols), r2 = last(row2, rows);
    if (c1 > c2 || r1 > r2) {
        selectionModel()->clearSelection();
        return;
    }
    const QItemSelection block(model_.index(r1 - 1, c1 - 1), model_.index(r2 - 1, c2 - 1));
    selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

// --- editing ----------------------------------------------------------------------------------------------

bool SpreadView::openEditorOnActiveCell() {
    if (editor_) return true;
    int col = 0, row = 0;
    sheet().getActiveCell(col, row);
    const QModelIndex index = model_.index(row - 1, col - 1);
    if (!index.isValid() || !model_.isEditable(col, row)) return false;
    if (currentIndex() != index) {
        Guard guard(*this);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
    scrollTo(index);
    edit(index, AllEditTriggers, nullptr);
    return editor_ != nullptr;
}

void SpreadView::closeOpenEditor(bool takeOver) {
    if (!editor_) return;
    QWidget* editor = editor_;
    if (takeOver) commitData(editor);
    if (!editor_) return; // taking over closed it
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void SpreadView::sheetEditModeChanged(bool editing) {
    if (fromSheet_) return; // the view set it
    Guard guard(*this);
    if (editing) {
        // Edit mode asked for by code: the editor opens on the active cell; a cell without an editor
        // (locked, static ...) leaves the sheet out of edit mode.
        if (!openEditorOnActiveCell()) sheet().setEditMode(false);
    } else {
        closeOpenEditor();
    }
}

bool SpreadView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    QWidget* before = editor_;
    const bool result = QTableView::edit(index, trigger, event);
    if (result && !before && state() == EditingState) {
        editor_ = delegate_->takeCreatedEditor();
        if (editor_) {
            editor_->installEventFilter(this);
            owner_.setFocusProxy(editor_); // focusing the grid while it edits focuses the editor
        }
        editStartText_ = index.data(Qt::EditRole).toString();
        editChanged_ = false;
        if (!fromSheet_) {
            Guard guard(*this);
            sheet().setEditMode(true);
            owner_.notifyDialog(kGridEditStarted, GridNotify{index.column() + 1, index.row() + 1});
        }
    }
    return result;
}

void SpreadView::commitData(QWidget* editor) {
    const QModelIndex index = currentIndex();
    const QString before = index.data(Qt::EditRole).toString();
    QTableView::commitData(editor);
    if (index.data(Qt::EditRole).toString() == before) return;
    editChanged_ = true;
    if (!fromSheet_) owner_.notifyDialog(kGridValueChanged, GridNotify{index.column() + 1, index.row() + 1});
}

void SpreadView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const QModelIndex index = currentIndex();
    const bool mine = editor == editor_;
    const bool enter = mine && editor_->property("ss_enter").toBool();
    if (mine) {
        editor_ = nullptr;
        owner_.setFocusProxy(this);
    }
    QTableView::closeEditor(editor, hint);
    if (!mine) return;
    const bool fromCode = fromSheet_ > 0;
    {
        Guard guard(*this);
        sheet().setEditMode(false);
    }
    if (!fromCode) {
        GridNotify record{index.column() + 1, index.row() + 1};
        record.changed = editChanged_;
        owner_.notifyDialog(kGridEditEnded, record);
        if (enter && sheet().getBool(kOptionMoveActiveOnEnter)) moveActiveDown();
    }
}

bool SpreadView::eventFilter(QObject* watched, QEvent* event) {
    if (corner_ && watched == corner_ && event->type() == QEvent::Paint) {
        QPainter painter(corner_);
        paintHeaderCell(painter, corner_->rect(), model_, 0, 0, this); // the corner itself is disabled
        return true;
    }
    // The edit goes on while the focus is in another window (the find dialog, say); within the
    // grid's own window losing the focus ends it, as the item delegate has it.
    if (editor_ && watched == editor_ && event->type() == QEvent::FocusOut) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != window()) return true;
    }
    // Enter in the editor takes the text over and ends the edit at once (the item delegate would
    // wait for the event loop); the view then moves down when the option says so.
    if (editor_ && watched == editor_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            const QPointer<QWidget> editor = editor_;
            editor->setProperty("ss_enter", true);
            commitData(editor);
            if (editor && editor == editor_) closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

void SpreadView::moveActiveDown() {
    const QModelIndex index = currentIndex();
    if (!index.isValid() || index.row() + 1 >= model_.rowCount()) return;
    setCurrentIndex(model_.index(index.row() + 1, index.column()));
}

// --- the user's moves -------------------------------------------------------------------------------------

void SpreadView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (fromSheet_ || !current.isValid()) return;
    int oldCol = 0, oldRow = 0;
    sheet().getActiveCell(oldCol, oldRow);
    {
        Guard guard(*this);
        sheet().setActiveCell(current.column() + 1, current.row() + 1);
    }
    GridNotify record{oldCol, oldRow, current.column() + 1, current.row() + 1};
    owner_.notifyDialog(kGridActiveCellChanged, record);
}

void SpreadView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    if (fromSheet_) return;
    const QItemSelection all = selectionModel()->selection();
    Guard guard(*this);
    if (all.isEmpty()) {
        sheet().clearSelection();
        return;
    }
    int c1 = INT_MAX, r1 = INT_MAX, c2 = 0, r2 = 0;
    for (const QItemSelectionRange& range : all) {
        c1 = std::min(c1, range.left() + 1);
        r1 = std::min(r1, range.top() + 1);
        c2 = std::max(c2, range.right() + 1);
        r2 = std::max(r2, range.bottom() + 1);
    }
    sheet().setSelBlock(c1, r1, c2, r2);
}

void SpreadView::headerClicked(Qt::Orientation orientation, int section) {
    if (fromSheet_) return;
    GridNotify record;
    if (orientation == Qt::Horizontal)
        record.col = section + 1;
    else
        record.row = section + 1;
    owner_.notifyDialog(kGridClick, record);
}

void SpreadView::sectionResized(Qt::Orientation orientation, int section, int newSize) {
    if (fromSheet_ || newSize <= 0) return; // the sheet's own sizes being laid out
    Guard guard(*this);
    if (orientation == Qt::Horizontal) {
        sheet().setColWidthInPixels(section + 1, newSize);
        appliedCols_[section + 1] = newSize;
    } else {
        sheet().setRowHeightInPixels(section + 1, newSize);
        appliedRows_[section + 1] = newSize;
    }
}

bool SpreadView::cellAt(const QPoint& point, int& col, int& row) const {
    const QModelIndex index = indexAt(point);
    col = row = 0;
    if (!index.isValid()) return false;
    col = index.column() + 1;
    row = index.row() + 1;
    // A span answers for its anchor.
    int anchorCol = 0, anchorRow = 0, cols = 1, rows = 1;
    if (sheet().SSGetCellSpan(col, row, anchorCol, anchorRow, cols, rows)) {
        col = anchorCol;
        row = anchorRow;
    }
    return true;
}

bool SpreadView::isCheckBoxCell(int col, int row) const {
    const CellDisplay& cell = displayOf(model_, col, row);
    return cell.type.code == kTypeCheckBox && !cell.locked && sheet().getOperationMode() != kModeReadOnly;
}

bool SpreadView::isButtonCell(int col, int row) const {
    const CellDisplay& cell = displayOf(model_, col, row);
    return cell.type.code == kTypeButton && !cell.locked;
}

void SpreadView::toggleCheckBox(int col, int row) {
    Zrk_String value;
    sheet().getValue(col, row, value);
    {
        Guard guard(*this);
        sheet().setData(col, row, value == "1" ? "0" : "1");
    }
    owner_.notifyDialog(kGridValueChanged, GridNotify{col, row});
    owner_.onCellCommand(kGridCheckBoxClicked);
}

void SpreadView::pressButton(int col, int row) {
    static_cast<void>(col);
    static_cast<void>(row);
    owner_.onCellCommand(kGridButtonClicked);
}

void SpreadView::mousePressEvent(QMouseEvent* event) {
    int col = 0, row = 0;
    const bool onCell = cellAt(event->position().toPoint(), col, row);
    if (event->button() == Qt::RightButton) {
        owner_.notifyDialog(kGridRightButtonDown, GridNotify{col, row});
        owner_.onRightButtonDown(col, row, event->globalPosition().toPoint());
        event->accept();
        return;
    }
    const QPointer<SpreadView> alive(this);
    QTableView::mousePressEvent(event);
    if (!alive || event->button() != Qt::LeftButton || !onCell) return;
    owner_.notifyDialog(kGridClick, GridNotify{col, row});
    if (!alive) return;
    if (isButtonCell(col, row) || isCheckBoxCell(col, row)) {
        buttonCol_ = col;
        buttonRow_ = row;
        delegate_->setPressedCell(col, row);
        viewport()->update();
    }
}

void SpreadView::mouseReleaseEvent(QMouseEvent* event) {
    const QPointer<SpreadView> alive(this);
    QTableView::mouseReleaseEvent(event);
    if (!alive || buttonCol_ < 0) return;
    const int pressedCol = buttonCol_, pressedRow = buttonRow_;
    buttonCol_ = buttonRow_ = -1;
    delegate_->setPressedCell(-1, -1);
    viewport()->update();
    int col = 0, row = 0;
    if (!cellAt(event->position().toPoint(), col, row) || col != pressedCol || row != pressedRow) return;
    if (isCheckBoxCell(col, row))
        toggleCheckBox(col, row);
    else if (isButtonCell(col, row))
        pressButton(col, row);
}

void SpreadView::mouseDoubleClickEvent(QMouseEvent* event) {
    int col = 0, row = 0;
    const bool onCell = cellAt(event->position().toPoint(), col, row);
    const QPointer<SpreadView> alive(this);
    if (onCell && event->button() == Qt::LeftButton) {
        owner_.notifyDialog(kGridDoubleClick, GridNotify{col, row});
        if (!alive) return;
        // A double click on a check box or button is two clicks.
        if (isCheckBoxCell(col, row) || isButtonCell(col, row)) {
            buttonCol_ = col;
            buttonRow_ = row;
            return;
        }
    }
    QTableView::mouseDoubleClickEvent(event);
}

void SpreadView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex index = currentIndex();
    const int col = index.column() + 1, row = index.row() + 1;
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (index.isValid() && state() != EditingState) {
        if (event->key() == Qt::Key_Space && !control) {
            if (isCheckBoxCell(col, row)) return toggleCheckBox(col, row);
            if (isButtonCell(col, row)) return pressButton(col, row);
        }
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            event->modifiers() == Qt::NoModifier) {
            // Enter moves down when the option says so; otherwise it is the dialog's.
            if (!sheet().getBool(kOptionMoveActiveOnEnter)) return event->ignore();
            moveActiveDown();
            return;
        }
        if (control && sheet().getBool(kOptionAutoClipboard) &&
            (event->key() == Qt::Key_C || event->key() == Qt::Key_V)) {
            int c1 = col, r1 = row, c2 = col, r2 = row;
            int s1 = 0, s2 = 0, s3 = 0, s4 = 0;
            if (sheet().getSelBlock(s1, s2, s3, s4)) {
                c1 = std::max(1, s1);
                r1 = std::max(1, s2);
                c2 = s3 < 0 ? sheet().getMaxCols() : s3;
                r2 = s4 < 0 ? sheet().getMaxRows() : s4;
            }
            if (event->key() == Qt::Key_C)
                owner_.clipboardCopy(c1, r1, c2, r2);
            else if (sheet().getBool(kOptionEditing))
                owner_.clipboardPaste(c1, r1);
            return;
        }
        if (event->key() == Qt::Key_Escape) return event->ignore(); // the dialog's
    }
    QTableView::keyPressEvent(event);
}

} // namespace spreadlib
