// The grid wrapper as a person uses it: check boxes and exclusive columns, search, the active cell and
// free cells, Tab, the context menu, keys, column layouts, files and functions, and what the dialog
// hears.

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include "core/files.h"
#include "grid_host.h"
#include "sheetdoc/dlg_find_replace.h"

using namespace gridtest;
using namespace spreadlib;

namespace {

// The centre of a cell in the dialog's client coordinates.
QPoint cellPoint(Zrk_Spread& grid, ui::Dialog& dialog, int col, int row) {
    grid.flushView();
    QTableView* view = grid.view();
    const QRect rect = view->visualRect(view->model()->index(row - 1, col - 1));
    return view->viewport()->mapTo(&dialog, rect.center());
}

} // namespace

// --- check boxes
// ---------------------------------------------------------------------------------------------

TEST_F(GridTest, CheckBoxColumnsWithPicturesAndSpannedHeaders) {
    shape(3, 3);
    ASSERT_TRUE(grid().setCheckBoxColumn(2, true, true));
    CellType type;
    ASSERT_TRUE(grid().getCellType(2, 3, type));
    EXPECT_EQ(type.code, kTypeCheckBox);
    EXPECT_EQ(type.style & 0x300u, 0x300u);
    EXPECT_TRUE(type.style & kStyleCenter);
    ASSERT_TRUE(grid().checkPictureOn && grid().checkPictureOff);
    EXPECT_FALSE(grid().checkPictureOn->isNull());
    EXPECT_NE(type.pictures[0], type.pictures[3]);
    int anchorCol = 0, anchorRow = 0, cols = 0, rows = 0;
    ASSERT_TRUE(grid().SSGetCellSpan(3, 0, anchorCol, anchorRow, cols, rows));
    EXPECT_EQ(anchorCol, 2);
    EXPECT_EQ(cols, 2);
    ASSERT_TRUE(grid().setPlainCheckBoxColumn(3, "on", false, false));
    grid().getCellType(3, 1, type);
    EXPECT_EQ(type.code, kTypeCheckBox);
    EXPECT_EQ(type.text, "on");
    ASSERT_TRUE(grid().setCheckBoxCell(1, 1));
    EXPECT_EQ(grid().getCellTypeCode(1, 1), kTypeCheckBox);
    EXPECT_FALSE(grid().setCheckBoxColumn(4));
}

TEST_F(GridTest, ExclusiveColumnsLockTheSecondWhereTheFirstIsOff) {
    shape(3, 3);
    grid().setCheckBoxColumn(1);
    grid().setCheckBoxColumn(2);
    grid().fillColumn(1, Zrk_StringArray{"1", "0", ""});
    grid().setCellLocked(2, 3);
    ASSERT_TRUE(grid().setExclusiveColumns(1, 2));
    EXPECT_EQ(grid().pairFirstColumn, 1);
    EXPECT_EQ(grid().pairSecondColumn, 2);
    EXPECT_FALSE(grid().isCellLocked(2, 1));
    EXPECT_TRUE(grid().isCellLocked(2, 2));
    EXPECT_TRUE(grid().isCellLocked(2, 3)); // no bool in the first column: left as it was

    // A column beyond the count changes nothing and keeps the pair.
    EXPECT_FALSE(grid().setExclusiveColumns(1, 4));
    EXPECT_FALSE(grid().setExclusiveColumns(0, 2));
    EXPECT_EQ(grid().pairSecondColumn, 2);

    // The user ticks the first box of row 2: the second is free and becomes the active cell.
    ui::DialogUser u(host);
    ASSERT_TRUE(u.clickAt(cellPoint(grid(), host, 1, 2)));
    EXPECT_EQ(text(1, 2), "1");
    EXPECT_FALSE(grid().isCellLocked(2, 2));
    int col = 0, row = 0;
    ASSERT_TRUE(grid().getActiveCell(col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(host.count(kGridCheckBoxClicked, true), 1);
    // A locked box does not toggle.
    u.clickAt(cellPoint(grid(), host, 2, 3));
    EXPECT_EQ(text(2, 3), "");
}

TEST_F(GridTest, CheckingTheSelectionLeavesLockedBoxesAlone) {
    shape(3, 3);
    grid().setCheckBoxColumn(1);
    grid().setCheckBoxColumn(2);
    grid().setCellText(3, 1, "text");
    grid().fillColumn(1, Zrk_StringArray{"0", "0", "0"});
    grid().setExclusiveColumns(1, 2);
    grid().setCellLocked(1, 3);
    ASSERT_TRUE(grid().selectBlock(1, 1, -1, 3)); // open-ended: to the last column
    grid().setBool(kOptionChanged, false);
    ASSERT_TRUE(grid().setSelectionChecked(true));
    EXPECT_EQ(text(1, 1), "1");
    EXPECT_EQ(text(2, 1), "1");    // freed by its first box, then checked
    EXPECT_EQ(text(1, 3), "0");    // locked
    EXPECT_EQ(text(3, 1), "text"); // no check box
    EXPECT_TRUE(grid().getBool(kOptionChanged));
    ASSERT_TRUE(grid().setSelectionChecked(false));
    EXPECT_EQ(text(1, 1), "0");
    EXPECT_TRUE(grid().isCellLocked(2, 1));
}

// --- search and replace
// -------------------------------------------------------------------------------------

TEST_F(GridTest, FindInRowsAndCells) {
    shape(3, 3);
    grid().fillRow(1, {"alpha", "beta", "gamma"});
    grid().fillRow(2, {"beta", "", "alphabet"});
    grid().fillRow(3, {"x", "beta", "y"});
    int col = 0, row = 0;
    ASSERT_TRUE(grid().findInRow("beta", false, 2, 0, col));
    EXPECT_EQ(col, 1);
    ASSERT_TRUE(grid().findInRow("bet", true, 2, 2, col));
    EXPECT_EQ(col, 3);
    EXPECT_FALSE(grid().findInRow("bet", false, 2, 2, col));
    EXPECT_FALSE(grid().findInRow("", true, 1, 1, col));
    // Past the last column of the start row the next rows are searched from column 1.
    ASSERT_TRUE(grid().findNext("beta", false, 4, 1, col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 2);
    ASSERT_TRUE(grid().findNext("beta", false, 2, 2, col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 3);
    EXPECT_FALSE(grid().findNext("beta", false, 1, 4, col, row)); // past the last row

    int position = -1;
    ASSERT_TRUE(grid().findInCell("a", 3, 2, 1, position));
    EXPECT_EQ(position, 4);
    EXPECT_FALSE(grid().findInCell("q", 3, 2, 0, position));

    ASSERT_TRUE(grid().replaceInCell(3, 2, "a", "AA"));
    EXPECT_EQ(text(3, 2), "AAlphAAbet");
    ASSERT_TRUE(grid().replaceInCell(1, 1, "a", "aa")); // the replacement holds the text: each once
    EXPECT_EQ(text(1, 1), "aalphaa");
}

TEST_F(GridTest, SelectFoundEditsTheCellWithTheTextSelected) {
    shape(2, 2);
    grid().fillRow(2, {"", "one two"});
    ASSERT_TRUE(grid().selectFound("two", 2, 2, 0));
    int col = 0, row = 0;
    grid().getActiveCell(col, row);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 2);
    EXPECT_TRUE(grid().getEditMode());
    int start = 0, end = 0;
    grid().getEditSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 7);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->selectedText(), "two");
    // A locked cell is made active but not edited.
    grid().setEditMode(false);
    grid().setCellText(1, 1, "two");
    grid().setCellLocked(1, 1);
    ASSERT_TRUE(grid().selectFound("two", 1, 1, 0));
    EXPECT_FALSE(grid().getEditMode());
}

// --- active cell, selection, free cells, Tab ---------------------------------------------------------------

TEST_F(GridTest, ActiveCellAndSelection) {
    shape(3, 3);
    int col = 0, row = 0, c2 = 0, r2 = 0;
    ASSERT_TRUE(grid().ensureActiveCell(col, row));
    EXPECT_EQ(col, 1);
    ASSERT_TRUE(grid().setActiveCell(3, 2));
    EXPECT_FALSE(grid().setActiveCell(4, 2));
    grid().clearSelection();
    ASSERT_TRUE(grid().getSelection(col, row, c2, r2)); // no block: the active cell
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(c2, 3);
    EXPECT_EQ(r2, 2);
    ASSERT_TRUE(grid().selectRow(3));
    grid().getSelection(col, row, c2, r2);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(c2, 3);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(grid().view()->selectionModel()->selectedIndexes().size(), 3);
    EXPECT_FALSE(grid().selectRow(4));

    Zrk_Spread empty;
    EXPECT_FALSE(empty.ensureActiveCell(col, row));
    shape(0, 0);
    EXPECT_FALSE(grid().ensureActiveCell(col, row));
}

TEST_F(GridTest, FreeCellsCountSpansByTheirAnchor) {
    shape(3, 2);
    grid().setLock(1, 1, 3, 2, true);
    int col = 0, row = 0;
    EXPECT_FALSE(grid().findFirstFreeCell(col, row));
    grid().setCellLocked(3, 1, false);
    grid().SSAddCellSpan(2, 1, 2, 1); // (3, 1) lies in the span of the locked (2, 1)
    EXPECT_FALSE(grid().findFirstFreeCell(col, row));
    grid().setCellLocked(2, 1, false);
    ASSERT_TRUE(grid().findFirstFreeCell(col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 1);
    ASSERT_TRUE(grid().findLastFreeCell(col, row));
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 1);
}

TEST_F(GridTest, TabOnTheOnlyFreeCell) {
    shape(2, 2);
    grid().setLock(1, 1, 2, 2, true);
    grid().setCellLocked(2, 1, false);
    grid().setActiveCell(2, 1);
    Zrk_TabMsgHandle answer = tabHandled;
    // Not focused: not for this grid.
    host.item(ui::IDOK)->setFocus();
    EXPECT_FALSE(grid().handleTabKey(ui::VK_TAB, false, answer));
    EXPECT_EQ(answer, tabNotHandled);

    host.activateWindow();
    grid().setFocus();
    ASSERT_TRUE(grid().handleTabKey(ui::VK_TAB, true, answer));
    EXPECT_EQ(answer, tabBeforeFirst);
    ASSERT_TRUE(grid().handleTabKey(ui::VK_TAB, false, answer));
    EXPECT_EQ(answer, tabPastLast);
    EXPECT_FALSE(grid().handleTabKey(ui::VK_RETURN, false, answer));
    EXPECT_EQ(answer, tabNotHandled);

    grid().setCellLocked(1, 1, false); // another free cell before it
    ASSERT_TRUE(grid().handleTabKey(ui::VK_TAB, true, answer));
    EXPECT_EQ(answer, tabHandled);
    grid().setLock(1, 1, 2, 2, true); // no free cell at all
    ASSERT_TRUE(grid().handleTabKey(ui::VK_TAB, false, answer));
    EXPECT_EQ(answer, tabHandled);
    EXPECT_FALSE(grid().focusFreeCell());

    grid().setCellLocked(1, 2, false);
    host.item(ui::IDOK)->setFocus();
    ASSERT_TRUE(grid().focusFreeCell(false));
    EXPECT_TRUE(grid().view()->hasFocus());
    int col = 0, row = 0;
    grid().getActiveCell(col, row);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 2);
}

// --- context menu and keys
// -----------------------------------------------------------------------------------

TEST_F(GridTest, ContextMenuEntriesIdsAndCommands) {
    shape(2, 2);
    grid().setCheckBoxColumn(1);
    grid().setContextMenu({Zrk_Spread::menuInsertRow, Zrk_Spread::menuSeparator, Zrk_Spread::menuDeleteRow,
                           Zrk_Spread::menuCheckAll});
    ASSERT_EQ(grid().contextMenu.size(), 4u);
    EXPECT_EQ(grid().contextMenu[0].id, 32811);
    EXPECT_EQ(grid().contextMenu[0].text, dialString(774));
    EXPECT_TRUE(grid().contextMenu[1].separator);
    EXPECT_EQ(grid().contextMenu[2].id, 32812);
    EXPECT_EQ(grid().contextMenu[3].id, 32816);
    EXPECT_EQ(Zrk_Spread::menuCommandId(9), 32804);
    EXPECT_EQ(Zrk_Spread::menuCommandId(10), 0);

    // The right button shows the menu at the cursor; the choice inserts a row at the active row.
    grid().setActiveCell(2, 2);
    grid().setCellText(2, 2, "moved");
    user.answerPopupMenu(32811);
    ui::DialogUser u(host);
    u.clickAt(cellPoint(grid(), host, 2, 1), true);
    ASSERT_EQ(user.popupMenus().size(), 1u);
    EXPECT_EQ(user.popupMenus()[0].items.size(), 4u);
    EXPECT_EQ(host.count(kGridRightButtonDown, false), 1);
    EXPECT_EQ(grid().getNrRows(), 3);
    EXPECT_EQ(text(2, 3), "moved");
    EXPECT_EQ(text(2, 2), "moved"); // the neighbour was copied

    ASSERT_TRUE(grid().selectBlock(1, 1, 1, 3));
    ASSERT_TRUE(grid().onMenuCommand(32816));
    EXPECT_EQ(text(1, 3), "1");
    ASSERT_TRUE(grid().onMenuCommand(32812));
    EXPECT_EQ(grid().getNrRows(), 2);
    EXPECT_FALSE(grid().onMenuCommand(32817)); // no fourth command
    EXPECT_FALSE(grid().onMenuCommand(1));

    grid().setContextMenu({});
    u.clickAt(cellPoint(grid(), host, 2, 1), true);
    EXPECT_EQ(user.popupMenus().size(), 1u); // no menu configured: none shown
}

TEST_F(GridTest, F8TogglesEditingUnlessDisabled) {
    shape(2, 2);
    host.activateWindow();
    grid().setFocus();
    ui::DialogUser u(host);
    ASSERT_TRUE(grid().getBool(kOptionEditing));
    u.pressKey(ui::VK_F8);
    EXPECT_FALSE(grid().getBool(kOptionEditing));
    u.pressKey(ui::VK_F8);
    EXPECT_TRUE(grid().getBool(kOptionEditing));
    grid().toggleKeyEnabled = false;
    u.pressKey(ui::VK_F8);
    EXPECT_TRUE(grid().getBool(kOptionEditing));
}

TEST_F(GridTest, F3OpensTheFindDialogThenFindsNext) {
    shape(2, 3);
    grid().fillColumn(2, Zrk_StringArray{"pin", "", "pin 2"});
    host.activateWindow();
    grid().setFocus();
    ui::DialogUser u(host);
    u.pressKey(ui::VK_F3);
    ASSERT_TRUE(grid().findDialog);
    ASSERT_TRUE(grid().findDialog->isCreated());
    EXPECT_TRUE(grid().findDialog->isVisible());
    int col = 0, row = 0;
    grid().getActiveCell(col, row);
    EXPECT_EQ(row, 1); // opening does nothing else
    grid().findDialog->setItemText(DlgFindReplace::kFindEdit, "pin");
    grid().setFocus();
    u.pressKey(ui::VK_F3);
    grid().getActiveCell(col, row);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 1);
    u.pressKey(ui::VK_F3);
    grid().getActiveCell(col, row);
    EXPECT_EQ(row, 3);
}

// --- notifications
// -------------------------------------------------------------------------------------------

TEST_F(GridTest, TheDialogHearsWhatTheUserDoes) {
    shape(3, 3);
    grid().setButtonCells(3, 2, "...");
    host.activateWindow();
    ui::DialogUser u(host);
    u.clickAt(cellPoint(grid(), host, 2, 2));
    ASSERT_GE(host.told.size(), 2u);
    EXPECT_EQ(host.count(kGridActiveCellChanged, false), 1);
    EXPECT_EQ(host.count(kGridClick, false), 1);
    const Told& moved = host.told[0];
    EXPECT_EQ(moved.record.newCol, 2);
    EXPECT_EQ(moved.record.newRow, 2);
    EXPECT_EQ(moved.id, kPlaceholder);

    // Typing edits the cell; Enter takes the text over and moves down.
    host.told.clear();
    u.pressKey('K');
    EXPECT_TRUE(grid().getEditMode());
    EXPECT_EQ(host.count(kGridEditStarted, false), 1);
    u.pressKey(ui::VK_RETURN);
    EXPECT_FALSE(grid().getEditMode());
    EXPECT_EQ(text(2, 2), "k");
    EXPECT_EQ(host.count(kGridValueChanged, false), 1);
    ASSERT_EQ(host.count(kGridEditEnded, false), 1);
    int col = 0, row = 0;
    grid().getActiveCell(col, row);
    EXPECT_EQ(row, 3);
    EXPECT_TRUE(grid().getBool(kOptionChanged));

    // A button cell: the cell becomes active and command 60 arrives.
    host.told.clear();
    u.clickAt(cellPoint(grid(), host, 3, 2));
    EXPECT_EQ(host.count(kGridButtonClicked, true), 1);
    grid().getActiveCell(col, row);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 2);

    // What code does is not told back.
    host.told.clear();
    grid().setActiveCell(1, 1);
    grid().setCellText(1, 1, "x");
    grid().setEditMode(true);
    grid().setEditMode(false);
    EXPECT_TRUE(host.told.empty());

    // A header click names its column; a double click is told.
    grid().flushView();
    const QHeaderView* header = grid().view()->horizontalHeader();
    const QPoint onHeader = header->viewport()->mapTo(
        &host, QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    u.clickAt(onHeader);
    ASSERT_FALSE(host.told.empty());
    EXPECT_EQ(host.told.back().code, kGridClick);
    EXPECT_EQ(host.told.back().record.col, 2);
    EXPECT_EQ(host.told.back().record.row, 0);
    u.clickAt(cellPoint(grid(), host, 1, 3), false, true);
    EXPECT_EQ(host.count(kGridDoubleClick, false), 1);
}

TEST_F(GridTest, NumberCellsRefuseTextTheUserTypes) {
    shape(1, 1);
    grid().setNumberCells(1, 1, 2);
    grid().setCellValue(1, 1, "1.5");
    host.activateWindow();
    grid().setFocus();
    ui::DialogUser u(host);
    u.pressKey('A'); // the validator takes no letters
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->text().isEmpty() || editor->text() == "1.50");
    u.pressKey('7');
    u.pressKey(ui::VK_RETURN);
    EXPECT_EQ(text(1, 1), "7.00");
}

// --- layouts -----------------------------------------------------------------------------------------------

namespace {
int width(Zrk_Spread& grid, int col) {
    int pixels = -1;
    grid.getColWidthInPixels(col, pixels);
    return pixels;
}
} // namespace

TEST_F(GridTest, ColumnLayouts) {
    shape(3, 2);
    int client = 0, height = 0;
    grid().getClientArea(client, height);
    ASSERT_GT(client, 200);
    grid().setLayout(1);
    ASSERT_TRUE(grid().applyLayout());
    EXPECT_EQ(width(grid(), 1), client / 4);
    EXPECT_EQ(width(grid(), 0), client / 4);
    grid().setBool(kOptionRowHeaders, false);
    grid().applyLayout();
    EXPECT_EQ(width(grid(), 3), client / 3);

    grid().setLayout(3, -1, 50); // the last column half the width
    grid().applyLayout();
    EXPECT_EQ(width(grid(), 3), client / 2);
    EXPECT_EQ(width(grid(), 1), (client - client / 2) / 2);

    grid().setBool(kOptionRowHeaders, true);
    grid().setLayout(4, 2, 40);
    grid().applyLayout();
    EXPECT_EQ(width(grid(), 2), 40);
    EXPECT_EQ(width(grid(), 1), (client - 40) / 3);
    EXPECT_EQ(width(grid(), 0), (client - 40) / 3);
    grid().setLayout(4, kHeader, 30);
    grid().applyLayout();
    EXPECT_EQ(width(grid(), 0), 30);
    EXPECT_EQ(width(grid(), 3), (client - 30) / 3);

    grid().setLayout(Zrk_Array<int>{kHeader, 1, 2}, Zrk_Array<int>{25, 22});
    grid().applyLayout();
    EXPECT_EQ(width(grid(), 0), 25);
    EXPECT_EQ(width(grid(), 1), 22);
    EXPECT_EQ(width(grid(), 2), (client - 47) / 2);
    EXPECT_EQ(width(grid(), 3), (client - 47) / 2);

    ASSERT_TRUE(grid().equalWidths(true, 30));
    EXPECT_EQ(width(grid(), 1), 30);
    EXPECT_EQ(width(grid(), 2), (client - 30) / 3);
    ASSERT_TRUE(grid().equalWidths(false, 30));
    EXPECT_EQ(width(grid(), 3), 30);
    ASSERT_TRUE(grid().equalWidths(false, client)); // too wide: equal shares
    EXPECT_EQ(width(grid(), 3), client / 4);

    for (int col = 0; col <= 3; ++col)
        grid().setColWidthInPixels(col, 20);
    ASSERT_TRUE(grid().fillWidth(2));
    int scroll = 0, unused = 0;
    grid().SSGetScrollBarSize(scroll, unused);
    EXPECT_EQ(width(grid(), 2), client - scroll - 60);

    // The layout follows the grid's size.
    grid().setLayout(1);
    grid().resize(grid().width() + 100, grid().height());
    grid().getClientArea(client, height);
    EXPECT_EQ(width(grid(), 1), client / 4);
    grid().flushView();
    EXPECT_EQ(grid().view()->columnWidth(0), client / 4);
    EXPECT_FALSE(grid().view()->horizontalScrollBar()->isVisible());
}

TEST_F(GridTest, FitAllMeasuresTexts) {
    shape(2, 2);
    grid().setCellText(1, 1, "a rather long text in the first column");
    grid().setCellText(2, 2, "x");
    ASSERT_TRUE(grid().fitAll());
    EXPECT_GT(width(grid(), 1), width(grid(), 2));
    EXPECT_EQ(grid().getCellTypeCode(1, 0), kTypeHeader);
    Zrk_String header;
    EXPECT_TRUE(grid().getCellText(0, 1, header));
}

// --- files and functions -----------------------------------------------------------------------------------

TEST_F(GridTest, FilesRoundTripAndABadFileChangesNothing) {
    shape(2, 2);
    grid().fillRow(1, {"a", "2.5"});
    QTemporaryDir folder;
    const Zrk_String path = folder.path().toStdString() + "/sheet.kvs";
    ASSERT_TRUE(grid().saveFile(path));
    grid().setCellText(1, 1, "changed");
    ASSERT_TRUE(grid().loadFile(path));
    EXPECT_EQ(text(1, 1), "a");
    EXPECT_EQ(grid().view()->model()->rowCount(), 2);

    const Zrk_String bad = folder.path().toStdString() + "/bad.kvs";
    ASSERT_TRUE(writeFileAtomically(bad, "{\"format\": \"spreadsheet\", \"version\": 1, \"rows\": -3}"));
    EXPECT_FALSE(grid().loadFile(bad));
    EXPECT_NE(grid().lastFileMessage().find("bad.kvs"), Zrk_String::npos);
    EXPECT_EQ(text(1, 1), "a");
    EXPECT_FALSE(grid().loadFile(folder.path().toStdString() + "/none.kvs"));
}

TEST_F(GridTest, FunctionsAndRecalculation) {
    shape(2, 2);
    ASSERT_TRUE(
        grid().registerFunction("TWICE", 1, 1, [](ValueRecord& result, const ValueRecord* args, int count) {
            if (count != 1 || args[0].type != kValueDouble) return 0L;
            result.setDouble(args[0].doubleValue * 2);
            return 1L;
        }));
    grid().setCellText(1, 1, "21");
    ASSERT_TRUE(grid().setFormula(2, 1, "TWICE(A1)"));
    EXPECT_EQ(text(2, 1), "42");
    grid().setCellText(1, 1, "5");
    EXPECT_EQ(text(2, 1), "42"); // no automatic recalculation in the standard look
    ASSERT_TRUE(grid().recalcCell(2, 1));
    EXPECT_EQ(text(2, 1), "10");
    ASSERT_TRUE(grid().setAutoCalc(true));
    grid().setCellText(1, 1, "1");
    EXPECT_EQ(text(2, 1), "2");
    ASSERT_TRUE(grid().setReferenceStyle(kRefStyleR1C1));
    EXPECT_EQ(text(2, 1, kTextFormula), "TWICE(RC[-1])");
    EXPECT_TRUE(grid().recalcAll());
    EXPECT_FALSE(grid().recalcCell(3, 1));
}
