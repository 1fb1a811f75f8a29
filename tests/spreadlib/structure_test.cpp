// Structure changes: inserting and deleting rows and columns keeps formulas on the same cells,
// deleted references become #REF!, blocks grow and shrink; moving rows, copying and moving blocks,
// and the clipboard.
#include "test_util.h"

namespace spreadlib::test {
namespace {

class Structure : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.setMaxCols(6);
        sheet.setMaxRows(10);
        for (int r = 1; r <= 5; ++r) sheet.setData(1, r, std::to_string(r * 10));
        ASSERT_TRUE(sheet.setFormula(2, 1, "A3*2"));
        ASSERT_TRUE(sheet.setFormula(2, 2, "SUM(A2:A4)"));
        ASSERT_TRUE(sheet.setFormula(2, 3, "$A$5+A1"));
    }
    Sheet sheet;
};

TEST_F(Structure, InsertingRowsKeepsFormulasOnTheirCells) {
    ASSERT_TRUE(sheet.insertRows(3, 2));
    EXPECT_EQ(formulaOf(sheet, 2, 1), "A5*2");
    EXPECT_EQ(formulaOf(sheet, 2, 2), "SUM(A2:A6)"); // grew: the insert was inside the block
    EXPECT_EQ(formulaOf(sheet, 2, 5), "$A$7+A1");  // the formula moved down, its references too
    EXPECT_EQ(valueOf(sheet, 2, 1), "60");
    EXPECT_EQ(valueOf(sheet, 2, 2), "90");
    EXPECT_EQ(valueOf(sheet, 2, 5), "60");
    EXPECT_EQ(valueOf(sheet, 1, 3), "");
    sheet.setData(1, 3, "1");
    EXPECT_EQ(valueOf(sheet, 2, 2), "91");
    // Content would fall off the last row: refused, nothing changes.
    sheet.setData(1, 10, "last");
    EXPECT_FALSE(sheet.insertRows(1));
    EXPECT_EQ(valueOf(sheet, 1, 10), "last");
    EXPECT_FALSE(sheet.insertRows(11));
    EXPECT_FALSE(sheet.insertRows(0));
}

TEST_F(Structure, DeletingRowsGivesRefErrors) {
    ASSERT_TRUE(sheet.deleteRows(3));
    EXPECT_EQ(formulaOf(sheet, 2, 1), "#REF!*2");
    EXPECT_EQ(valueOf(sheet, 2, 1), "#REF!");
    EXPECT_EQ(formulaOf(sheet, 2, 2), "SUM(A2:A3)"); // shrank
    EXPECT_EQ(valueOf(sheet, 2, 2), "60");
    EXPECT_EQ(valueOf(sheet, 1, 3), "40");
    EXPECT_EQ(formulaOf(sheet, 2, 3), ""); // B3 stood in the deleted row
    // A block deleted whole is gone.
    ASSERT_TRUE(sheet.deleteRows(2, 2));
    EXPECT_EQ(formulaOf(sheet, 2, 1), "#REF!*2");
    EXPECT_FALSE(sheet.deleteRows(10, 2));
}

TEST_F(Structure, ColumnsMoveTheSameWay) {
    ASSERT_TRUE(sheet.setFormula(4, 1, "SUM(A1:C1)"));
    ASSERT_TRUE(sheet.insertCols(1));
    EXPECT_EQ(formulaOf(sheet, 3, 1), "B3*2");
    EXPECT_EQ(formulaOf(sheet, 5, 1), "SUM(B1:D1)");
    EXPECT_EQ(valueOf(sheet, 5, 1), "70");
    ASSERT_TRUE(sheet.deleteCols(2));
    EXPECT_EQ(formulaOf(sheet, 2, 1), "#REF!*2");
    EXPECT_EQ(formulaOf(sheet, 4, 1), "SUM(B1:C1)");
    EXPECT_EQ(valueOf(sheet, 4, 1), "#REF!");
}

TEST_F(Structure, SpansSizesAndHeadersMoveWithTheirRows) {
    ASSERT_TRUE(sheet.SSAddCellSpan(3, 2, 2, 3));
    sheet.setRowHeightInPixels(4, 40);
    sheet.setData(kHeader, 4, "four");
    ASSERT_TRUE(sheet.insertRows(3));
    int col = 0, row = 0, cols = 0, rows = 0;
    ASSERT_TRUE(sheet.SSGetCellSpan(3, 5, col, row, cols, rows));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(rows, 4);
    int pixels = 0;
    sheet.getRowHeightInPixels(5, pixels);
    EXPECT_EQ(pixels, 40);
    Zrk_String header;
    sheet.getValue(kHeader, 5, header);
    EXPECT_EQ(header, "four");
    ASSERT_TRUE(sheet.deleteRows(2, 3));
    ASSERT_TRUE(sheet.SSGetCellSpan(3, 2, col, row, cols, rows));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(rows, 1);
}

TEST_F(Structure, MovingRowsRenumbersThem) {
    // Rows 1..2 end up at 3..4; rows 3..4 close the gap at 1..2.
    ASSERT_TRUE(sheet.moveRows(1, 2, 3));
    EXPECT_EQ(valueOf(sheet, 1, 1), "30");
    EXPECT_EQ(valueOf(sheet, 1, 3), "10");
    EXPECT_EQ(formulaOf(sheet, 2, 3), "A1*2"); // was B1 = A3*2; A3 is now A1
    EXPECT_EQ(valueOf(sheet, 2, 3), "60");
    int col = 0, row = 0;
    sheet.getActiveCell(col, row);
    EXPECT_EQ(row, 3);
    // Up by one: the row swaps with the one above.
    ASSERT_TRUE(sheet.moveRows(5, 5, 4));
    EXPECT_EQ(valueOf(sheet, 1, 4), "50");
    EXPECT_EQ(valueOf(sheet, 1, 5), "20");
    EXPECT_FALSE(sheet.moveRows(9, 10, 10));
}

TEST_F(Structure, CopyingMovesRelativeReferences) {
    sheet.setCellType(2, 1, 2, 1, CellType::number(kStyleNumberCell, 1, 0, 0, false));
    ASSERT_TRUE(sheet.copyRange(2, 1, 2, 1, 3, 2));
    EXPECT_EQ(formulaOf(sheet, 3, 2), "B4*2");
    EXPECT_EQ(sheet.getCellTypeCode(3, 2), kTypeNumber);
    ASSERT_TRUE(sheet.copyRange(2, 3, 2, 3, 3, 5));
    EXPECT_EQ(formulaOf(sheet, 3, 5), "$A$5+B3");
    // A reference moved off the sheet becomes #REF!.
    ASSERT_TRUE(sheet.copyRange(2, 3, 2, 3, 1, 1));
    EXPECT_EQ(formulaOf(sheet, 1, 1), "$A$5+#REF!");
    EXPECT_FALSE(sheet.copyRange(1, 1, 2, 2, 6, 10)); // does not fit
}

TEST_F(Structure, MovingABlockTakesReferencesAlong) {
    ASSERT_TRUE(sheet.moveRange(1, 1, 1, 5, 4, 6)); // A1:A5 to D6:D10
    EXPECT_EQ(valueOf(sheet, 1, 1), "");
    EXPECT_EQ(valueOf(sheet, 4, 8), "30");
    EXPECT_EQ(formulaOf(sheet, 2, 1), "D8*2");
    EXPECT_EQ(formulaOf(sheet, 2, 2), "SUM(D7:D9)");
    EXPECT_EQ(formulaOf(sheet, 2, 3), "$D$10+D6");
    EXPECT_EQ(valueOf(sheet, 2, 2), "90");
}

TEST_F(Structure, MovingColumnsAndOverlappingCopies) {
    ASSERT_TRUE(sheet.setFormula(4, 1, "SUM(A1:B1)"));
    ASSERT_TRUE(sheet.moveCols(4, 4, 1)); // D to A; A..C move right
    EXPECT_EQ(formulaOf(sheet, 1, 1), "SUM(B1:C1)");
    EXPECT_EQ(valueOf(sheet, 1, 1), "70");
    EXPECT_EQ(formulaOf(sheet, 3, 1), "B3*2");
    // A copy onto an overlapping block reads the source as it was before the copy.
    ASSERT_TRUE(sheet.copyRange(2, 1, 2, 4, 2, 2));
    EXPECT_EQ(valueOf(sheet, 2, 2), "10");
    EXPECT_EQ(valueOf(sheet, 2, 5), "40");
    EXPECT_EQ(valueOf(sheet, 2, 1), "10");
}

TEST_F(Structure, FewerColumnsAndTheirReaders) {
    ASSERT_TRUE(sheet.setData(6, 1, "5"));
    ASSERT_TRUE(sheet.setFormula(3, 1, "F1+1"));
    EXPECT_EQ(valueOf(sheet, 3, 1), "6");
    ASSERT_TRUE(sheet.setMaxCols(5));
    EXPECT_EQ(valueOf(sheet, 3, 1), "1"); // F1 is gone; the reference stays and reads nothing
    EXPECT_EQ(formulaOf(sheet, 3, 1), "F1+1");
    ASSERT_TRUE(sheet.setMaxCols(6));
    ASSERT_TRUE(sheet.setData(6, 1, "9"));
    EXPECT_EQ(valueOf(sheet, 3, 1), "10");
}

TEST_F(Structure, SelectionAndEditing) {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    EXPECT_FALSE(sheet.getSelBlock(c1, r1, c2, r2));
    ASSERT_TRUE(sheet.setSelBlock(1, 2, -1, 3)); // whole rows 2..3
    ASSERT_TRUE(sheet.getSelBlock(c1, r1, c2, r2));
    EXPECT_EQ(c2, -1);
    EXPECT_FALSE(sheet.setSelBlock(1, 1, 7, 1));
    sheet.clearSelection();
    EXPECT_FALSE(sheet.getSelBlock(c1, r1, c2, r2));
    EXPECT_FALSE(sheet.setActiveCell(0, 1));
    EXPECT_TRUE(sheet.setActiveCell(6, 10));
    sheet.setEditMode(true);
    sheet.setEditSel(4, 2);
    int start = 0, end = 0;
    sheet.getEditSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 4);
    EXPECT_TRUE(sheet.getEditMode());
    // Deleting the active cell's row keeps it inside the sheet.
    ASSERT_TRUE(sheet.deleteRows(10));
    sheet.getActiveCell(c1, r1);
    EXPECT_EQ(r1, 10);
}

TEST_F(Structure, ClipboardIsTabSeparatedText) {
    sheet.setData(3, 1, "a\tb");
    ASSERT_TRUE(sheet.clipboardCopy(1, 1, 3, 2));
    EXPECT_EQ(Sheet::clipboardText(), "10\t60\t\"a\tb\"\r\n20\t90\t\r\n");
    ASSERT_TRUE(sheet.clipboardPaste(4, 9));
    EXPECT_EQ(valueOf(sheet, 4, 9), "10");
    EXPECT_EQ(valueOf(sheet, 6, 9), "a\tb");
    EXPECT_EQ(valueOf(sheet, 5, 10), "90");
    // Pasting cuts at the counts.
    Sheet::setClipboardText("x\ty\tz\n1\t2\t3\n4\t5\t6\n");
    ASSERT_TRUE(sheet.clipboardPaste(5, 9));
    EXPECT_EQ(valueOf(sheet, 6, 10), "2");
    ASSERT_TRUE(sheet.clipboardCut(1, 1, 1, 2));
    EXPECT_EQ(valueOf(sheet, 1, 1), "");
    EXPECT_EQ(valueOf(sheet, 2, 2), "70");
    EXPECT_EQ(Sheet::clipboardText(), "10\r\n20\r\n");
}

} // namespace
} // namespace spreadlib::test
