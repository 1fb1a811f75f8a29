// The grid wrapper: whole rows and columns, structure edits, merging of equal cells.

#include <QTableView>

#include "grid_host.h"
#include "sheetdoc/dlg_text_input.h"

using namespace gridtest;
using namespace spreadlib;

namespace {

int spanRows(const Zrk_Spread& grid, int col, int row) {
    int anchorCol = 0, anchorRow = 0, cols = 0, rows = 0;
    if (!grid.SSGetCellSpan(col, row, anchorCol, anchorRow, cols, rows)) return 0;
    return anchorRow == row && cols == 1 ? rows : -1;
}

} // namespace

TEST_F(GridTest, FillAndReadColumnsAndRowsWithinTheCounts) {
    shape(3, 3);
    ASSERT_TRUE(grid().fillColumn(2, Zrk_StringArray{"a", "b", "c", "d"}));
    EXPECT_EQ(text(2, 3), "c");
    EXPECT_EQ(grid().getNrRows(), 3); // the fourth item has no row
    ASSERT_TRUE(grid().fillRow(1, Zrk_StringArray{"x", "y", "z", "w"}));
    EXPECT_EQ(text(3, 1), "z");
    ASSERT_TRUE(grid().fillColumn(1, Zrk_Array<int>{1, -2}));
    EXPECT_EQ(text(1, 2), "-2");
    ASSERT_TRUE(grid().fillColumn(3, Zrk_Array<double>{1.0, 2.345}));
    EXPECT_EQ(text(3, 1), "1.00");
    EXPECT_EQ(text(3, 2), "2.35");
    Zrk_Array<bool> flags;
    flags.vector() = {true, false, true};
    ASSERT_TRUE(grid().fillColumn(3, flags, true));
    EXPECT_EQ(text(3, 3), "1");
    EXPECT_EQ(text(3, 2), "0");
    EXPECT_FALSE(grid().fillColumn(4, Zrk_StringArray{"no"}));

    Zrk_StringArray strings;
    ASSERT_TRUE(grid().readColumn(2, strings));
    EXPECT_EQ(strings, (Zrk_StringArray{"y", "b", "c"}));
    ASSERT_TRUE(grid().readRow(2, strings));
    EXPECT_EQ(strings, (Zrk_StringArray{"-2", "b", "0"}));
    Zrk_Array<int> ints;
    ASSERT_TRUE(grid().readColumn(1, ints));
    EXPECT_EQ(ints, (Zrk_Array<int>{1, -2, 0}));
    Zrk_Array<double> doubles;
    grid().setCellText(1, 3, "1.5");
    ASSERT_TRUE(grid().readColumn(1, doubles));
    EXPECT_DOUBLE_EQ(doubles[2], 1.5);
    Zrk_Array<bool> bools;
    ASSERT_TRUE(grid().readColumn(3, bools));
    EXPECT_EQ(bools.vector(), (std::vector<bool>{true, false, true}));
    Zrk_Array<Zrk_StringArray> rows;
    ASSERT_TRUE(grid().readAllRows(rows));
    ASSERT_EQ(rows.length(), 3);
    EXPECT_EQ(rows[0], (Zrk_StringArray{"1", "y", "1"}));
    EXPECT_FALSE(grid().readRow(4, strings));

    ASSERT_TRUE(grid().setColumnHeaders({"One", "Two"}));
    ASSERT_TRUE(grid().getColumnHeaders(strings));
    EXPECT_EQ(strings, (Zrk_StringArray{"One", "Two", ""}));
    ASSERT_TRUE(grid().setRowHeaders({"R1"}));
    ASSERT_TRUE(grid().getRowHeaders(strings));
    EXPECT_EQ(strings, (Zrk_StringArray{"R1", "", ""}));
}

TEST_F(GridTest, ReadingByKindGivesDataWhereValuesAreFormatted) {
    shape(1, 1);
    grid().setNumberCells(1, 1, 2);
    grid().setCellValue(1, 1, "2.5");
    Zrk_StringArray strings;
    grid().readRow(1, strings, kTextValue);
    EXPECT_EQ(strings[0], "2.50");
    grid().readRow(1, strings, kTextData);
    EXPECT_EQ(strings[0], "2.5");
}

TEST_F(GridTest, ClearingAndIndexes) {
    shape(2, 4);
    for (int row = 1; row <= 4; ++row)
        grid().fillRow(row, {"a", "b"});
    ASSERT_TRUE(grid().clearRow(2));
    EXPECT_EQ(text(1, 2), "");
    EXPECT_EQ(text(2, 2), "");
    EXPECT_EQ(text(1, 1), "a");
    ASSERT_TRUE(grid().clearRowsFrom(3, 9)); // to the last row
    EXPECT_EQ(text(2, 4), "");
    EXPECT_FALSE(grid().clearRow(5));
    EXPECT_FALSE(grid().clearRowsFrom(0, 2));

    ASSERT_TRUE(grid().fillColumnWithIndexes(1, {3, -1, 5, 4}));
    EXPECT_EQ(text(1, 1), "3");
    EXPECT_EQ(text(1, 2), "0");
    EXPECT_EQ(text(1, 3), "0"); // above the row count
    EXPECT_EQ(text(1, 4), "4");
}

// --- structure --------------------------------------------------------------------------------------------

TEST_F(GridTest, InsertRowPushesDownCopiesTheNeighbourAndSetsTheChangedFlag) {
    shape(2, 3);
    for (int row = 1; row <= 3; ++row)
        grid().fillRow(row, {"r" + std::to_string(row), "x"});
    grid().setBool(kOptionChanged, false);
    ASSERT_TRUE(grid().insertRowAt(2, false, true));
    EXPECT_EQ(grid().getNrRows(), 4);
    EXPECT_EQ(text(1, 1), "r1");
    EXPECT_EQ(text(1, 2), "r2"); // the copy of the row pushed down
    EXPECT_EQ(text(1, 3), "r2");
    EXPECT_EQ(text(1, 4), "r3");
    EXPECT_TRUE(grid().getBool(kOptionChanged));
    FontSpec font;
    grid().getFont(0, 2, font);
    EXPECT_EQ(font.weight, kFontWeightBold);

    ASSERT_TRUE(grid().insertRowAt(5)); // at the end: count + 1
    EXPECT_EQ(grid().getNrRows(), 5);
    EXPECT_EQ(text(1, 5), "");
    EXPECT_FALSE(grid().insertRowAt(7));
    EXPECT_FALSE(grid().insertRowAt(0));
    EXPECT_EQ(grid().getNrRows(), 5);
}

TEST_F(GridTest, InsertColumnAsksForItsName) {
    shape(2, 2);
    grid().setColumnHeaders({"A1", "B1"});
    user.onDialog(DlgTextInput::kTemplate, [](ui::DialogUser& u) {
        EXPECT_EQ(u.dialog().itemText(ui::IDOK), "Ok");
        EXPECT_EQ(u.dialog().itemText(DlgTextInput::kEdit), dialString(171));
        EXPECT_EQ(u.dialog().itemText(DlgTextInput::kLabel), dialString(1151) + " " + dialString(1153) + ":");
        EXPECT_EQ(u.dialog().title(), dialString(1150));
        u.typeText(DlgTextInput::kEdit, "Width");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(grid().insertColumnAt(2, true, false));
    EXPECT_EQ(grid().getNrCols(), 3);
    Zrk_StringArray headers;
    grid().getColumnHeaders(headers);
    EXPECT_EQ(headers, (Zrk_StringArray{"A1", "Width", "B1"}));

    user.onDialog(DlgTextInput::kTemplate, [](ui::DialogUser& u) { u.click(ui::IDCANCEL); });
    ASSERT_TRUE(grid().insertRowAt(1, true)); // cancelled: the row stays, unnamed
    EXPECT_EQ(grid().getNrRows(), 3);
    EXPECT_EQ(text(0, 1), "");
}

TEST_F(GridTest, AppendDeleteAndMoveRows) {
    shape(2, 2);
    grid().fillRow(1, {"a", "1"});
    grid().fillRow(2, {"b", "2"});
    grid().setCellLocked(2, 2);
    EXPECT_EQ(grid().appendRow(), 3);
    EXPECT_EQ(text(1, 3), "");              // cleared
    EXPECT_TRUE(grid().isCellLocked(2, 3)); // the look of the last row stays
    EXPECT_EQ(grid().appendRow(true), 4);
    EXPECT_EQ(text(1, 4), "");
    grid().setCellText(1, 4, "d");
    EXPECT_EQ(grid().appendRow(true), 5);
    EXPECT_EQ(text(1, 5), "d");

    grid().setBool(kOptionChanged, false);
    ASSERT_TRUE(grid().deleteRowAt(3));
    EXPECT_EQ(grid().getNrRows(), 4);
    EXPECT_EQ(text(1, 3), "d");
    EXPECT_TRUE(grid().getBool(kOptionChanged));
    EXPECT_FALSE(grid().deleteRowAt(5));
    ASSERT_TRUE(grid().deleteColumnAt(2));
    EXPECT_EQ(grid().getNrCols(), 1);

    // rows: a b d d
    grid().setBool(kOptionChanged, false);
    ASSERT_TRUE(grid().moveRows(1, 1, 3));
    Zrk_StringArray column;
    grid().readColumn(1, column);
    EXPECT_EQ(column, (Zrk_StringArray{"b", "d", "a", "d"}));
    int col = 0, row = 0;
    ASSERT_TRUE(grid().getActiveCell(col, row));
    EXPECT_EQ(row, 3);
    EXPECT_TRUE(grid().getBool(kOptionChanged));
    ASSERT_TRUE(grid().moveActiveRowUp());
    grid().readColumn(1, column);
    EXPECT_EQ(column, (Zrk_StringArray{"b", "a", "d", "d"}));
    grid().getActiveCell(col, row);
    EXPECT_EQ(row, 2);
    ASSERT_TRUE(grid().moveActiveRowDown());
    ASSERT_TRUE(grid().moveActiveRowDown());
    ASSERT_FALSE(grid().moveActiveRowDown()); // the last row stays
    grid().readColumn(1, column);
    EXPECT_EQ(column, (Zrk_StringArray{"b", "d", "d", "a"}));
    EXPECT_FALSE(grid().moveRows(1, 2, 4)); // would reach past the last row

    grid().setActiveCell(1, 1);
    ASSERT_TRUE(grid().insertRowBelowActive(true));
    grid().readColumn(1, column);
    EXPECT_EQ(column, (Zrk_StringArray{"b", "b", "d", "d", "a"}));
    ASSERT_TRUE(grid().deleteActiveRow());
    EXPECT_EQ(grid().getNrRows(), 4);
}

TEST_F(GridTest, InsertBelowTheActiveRowOfAnEmptyGridMakesTheFirstRow) {
    shape(2, 0);
    ASSERT_TRUE(grid().insertRowBelowActive());
    EXPECT_EQ(grid().getNrRows(), 1);
}

// --- merging --------------------------------------------------------------------------------------------

TEST_F(GridTest, MergingSpansRunsOfEqualTextsOnly) {
    shape(2, 7);
    grid().fillColumn(1, Zrk_StringArray{"a", "b", "", "", "c", "c", "c"});
    ASSERT_TRUE(grid().mergeEqualCells(1));
    EXPECT_EQ(spanRows(grid(), 1, 5), 3); // the last three, one column wide
    EXPECT_EQ(spanRows(grid(), 1, 3), 0); // empty cells never merge
    EXPECT_EQ(spanRows(grid(), 1, 1), 0);
    EXPECT_EQ(grid().sheet().getSpans().size(), 1u);

    grid().fillColumn(1, Zrk_StringArray{"a", "a", "a", "b", "b", "x", "c"});
    ASSERT_TRUE(grid().mergeEqualCells(1)); // the old span goes first
    EXPECT_EQ(spanRows(grid(), 1, 1), 3);
    EXPECT_EQ(spanRows(grid(), 1, 4), 2);
    EXPECT_EQ(spanRows(grid(), 1, 6), 0);
    EXPECT_EQ(grid().sheet().getSpans().size(), 2u);
    grid().flushView();
    EXPECT_EQ(grid().view()->rowSpan(0, 0), 3);

    grid().fillColumn(2, Zrk_StringArray{"k", "k"});
    grid().mergeEqualCells(2);
    ASSERT_TRUE(grid().unmergeColumn(1));
    EXPECT_EQ(grid().sheet().getSpans().size(), 1u);
    ASSERT_TRUE(grid().unmergeAll());
    EXPECT_TRUE(grid().sheet().getSpans().empty());
    EXPECT_FALSE(grid().mergeEqualCells(3));
}
