// The sheet model: the texts of a cell, number cells, types and their codes, headers and tags,
// locks, spans, looks, options, sizes and what a view is told.
#include "test_util.h"

namespace spreadlib::test {
namespace {

TEST(Sheet, NumberCellsKeepWhatTheyShow) {
    Sheet sheet;
    ASSERT_TRUE(sheet.SSSetTypeNumber(1, 1, 2, 2, kStyleNumberCell, 2, -99999999999999.0, 99999999999999.0, false));
    ASSERT_TRUE(sheet.setValue(1, 1, "3.14159"));
    EXPECT_EQ(valueOf(sheet, 1, 1), "3.14");
    Zrk_String data;
    sheet.getData(1, 1, data);
    EXPECT_EQ(data, "3.14");
    double number = 0.0;
    ASSERT_TRUE(sheet.getFloat(1, 1, number));
    EXPECT_EQ(number, 3.14);
    // Formulas see what the cell shows; the formula's own result keeps full precision.
    ASSERT_TRUE(sheet.setFormula(3, 1, "A1*3"));
    EXPECT_EQ(valueOf(sheet, 3, 1), "9.42");
    ASSERT_TRUE(sheet.setFormula(2, 1, "1/3"));
    EXPECT_EQ(valueOf(sheet, 2, 1), "0.33");
    sheet.getData(2, 1, data);
    EXPECT_EQ(data, "0.333333333333333");
    ASSERT_TRUE(sheet.setFormula(4, 1, "1/3"));
    EXPECT_EQ(valueOf(sheet, 4, 1), "0.333333333333333"); // a general cell
    // A non-number fails and changes nothing; an empty text clears.
    EXPECT_FALSE(sheet.setValue(1, 1, "abc"));
    EXPECT_FALSE(sheet.setData(1, 1, "1.2.3"));
    EXPECT_EQ(valueOf(sheet, 1, 1), "3.14");
    EXPECT_TRUE(sheet.setValue(1, 1, " 2.5 "));
    EXPECT_EQ(valueOf(sheet, 1, 1), "2.50");
    EXPECT_EQ(valueOf(sheet, 3, 1), "7.5");
    EXPECT_TRUE(sheet.setValue(1, 1, ""));
    EXPECT_EQ(valueOf(sheet, 1, 1), "");
    EXPECT_FALSE(sheet.getFloat(1, 1, number));
    EXPECT_EQ(valueOf(sheet, 3, 1), "0");
    // Limits and separators.
    ASSERT_TRUE(sheet.SSSetTypeNumber(1, 3, 1, 3, kStyleNumberCell, 2, -9999, 9999, true));
    EXPECT_FALSE(sheet.setValue(1, 3, "10000"));
    EXPECT_TRUE(sheet.setValue(1, 3, "-1234.567"));
    EXPECT_EQ(valueOf(sheet, 1, 3), "-1,234.57");
    sheet.getData(1, 3, data);
    EXPECT_EQ(data, "-1234.57");
    // Seven decimals, as the standards engine writes its Double variables.
    ASSERT_TRUE(sheet.SSSetTypeNumber(5, 5, 5, 5, kStyleNumberCellVariant, 7, -99999999999999.0, 99999999999999.0, false));
    ASSERT_TRUE(sheet.setValue(5, 5, "2.5"));
    EXPECT_EQ(valueOf(sheet, 5, 5), "2.5000000");
    EXPECT_EQ(sheet.getCellTypeCode(5, 5), kTypeNumber);
    EXPECT_TRUE(isNumberTypeCode(sheet.getCellTypeCode(5, 5)));
}

TEST(Sheet, TypeChangesKeepTheContent) {
    Sheet sheet;
    sheet.setData(1, 1, "Double Width");
    sheet.setData(1, 2, "1.23456");
    ASSERT_TRUE(sheet.SSSetTypeNumber(1, 1, 1, 2, kStyleNumberCell, 0, 0, 0, false));
    EXPECT_EQ(valueOf(sheet, 1, 1), "Double Width"); // kept until a value is written
    EXPECT_EQ(valueOf(sheet, 1, 2), "1");
    ASSERT_TRUE(sheet.setValue(1, 1, "7"));
    EXPECT_EQ(valueOf(sheet, 1, 1), "7");
    ASSERT_TRUE(sheet.setCellType(1, 2, 1, 2, CellType::edit(kStyleTextCell, 200)));
    EXPECT_EQ(valueOf(sheet, 1, 2), "1");
    EXPECT_EQ(sheet.getCellTypeCode(1, 2), kTypeEdit);
    // The editing limit of an edit cell never cuts stored text.
    const Zrk_String longText(500, 'x');
    ASSERT_TRUE(sheet.setValue(1, 2, longText));
    EXPECT_EQ(valueOf(sheet, 1, 2), longText);
}

TEST(Sheet, EditCellsHoldTexts) {
    // Text cells (as the standards engine makes for String variables) keep numbers written as text.
    Sheet sheet;
    sheet.setCellType(1, 1, 1, 2, CellType::edit(kStyleTextCell, 9999));
    sheet.setValue(1, 1, "10");
    sheet.setValue(1, 2, "5");
    sheet.setValue(2, 1, "10");
    EXPECT_EQ(eval(sheet, "=ISTEXT(A1)"), "TRUE");
    EXPECT_EQ(eval(sheet, "=A1=\"10\""), "TRUE");
    EXPECT_EQ(eval(sheet, "=SUM(A1:A2)"), "0");
    EXPECT_EQ(eval(sheet, "=A1*2+A2"), "25");
    EXPECT_EQ(eval(sheet, "=ISNUMBER(B1)"), "TRUE"); // a general cell reads it as a number
}

TEST(Sheet, TypeCodesAndSettingsReadBack) {
    Sheet sheet;
    const std::uintptr_t pictures[6] = {1, 2, 3, 4, 5, 6};
    sheet.setCellType(1, 1, 1, 1, CellType::combo(kStyleComboCellEditable, "a\tb\tc"));
    sheet.setCellType(2, 1, 2, 1, CellType::checkBox(0, "Yes"));
    sheet.setCellType(3, 1, 3, 1, CellType::checkBoxPictures(kStyleCheckBoxPictures, pictures));
    sheet.setCellType(4, 1, 4, 1, CellType::pictureFile(kStylePictureFile, "pic.bmp"));
    sheet.setCellType(5, 1, 5, 1, CellType::pictureHandle(kStylePictureBitmap, 42));
    sheet.setCellType(6, 1, 6, 1, CellType::integer(0, 0, 100));
    sheet.setCellType(7, 1, 7, 1, CellType::header(kStyleHeaderCell));
    sheet.setCellType(8, 1, 8, 1, CellType::staticText(kStyleStaticCell, 100));
    EXPECT_EQ(sheet.getCellTypeCode(1, 1), kTypeCombo);
    EXPECT_EQ(sheet.getCellTypeCode(2, 1), 12);
    EXPECT_EQ(sheet.getCellTypeCode(3, 1), 12);
    EXPECT_EQ(sheet.getCellTypeCode(4, 1), 8);
    EXPECT_EQ(sheet.getCellTypeCode(5, 1), 8);
    EXPECT_EQ(sheet.getCellTypeCode(6, 1), 10);
    EXPECT_EQ(sheet.getCellTypeCode(7, 1), kTypeHeader);
    EXPECT_EQ(sheet.getCellTypeCode(8, 1), kTypeStatic);
    EXPECT_EQ(sheet.getCellTypeCode(9, 1), kTypeGeneral);
    EXPECT_EQ(sheet.getCellTypeCode(501, 1), -1);
    CellType type;
    ASSERT_TRUE(sheet.getCellType(1, 1, type));
    EXPECT_EQ(type.comboItems(), (Zrk_StringArray{"a", "b", "c"}));
    EXPECT_TRUE(type.style & kStyleComboEditable);
    ASSERT_TRUE(sheet.getCellType(3, 1, type));
    EXPECT_EQ(type.pictures[5], 6u);
    // An integer cell rounds to whole numbers; a check box keeps "1" and "0".
    ASSERT_TRUE(sheet.setValue(6, 1, "41.6"));
    EXPECT_EQ(valueOf(sheet, 6, 1), "42");
    EXPECT_FALSE(sheet.setValue(6, 1, "101"));
    ASSERT_TRUE(sheet.setValue(2, 1, "1"));
    EXPECT_EQ(valueOf(sheet, 2, 1), "1");
}

TEST(Sheet, HeadersTagsAndTheCorner) {
    Sheet sheet;
    ASSERT_TRUE(sheet.setData(kHeader, 3, "Row three"));
    ASSERT_TRUE(sheet.setData(2, kHeader, "Name"));
    ASSERT_TRUE(sheet.SSSetCellTag(0, 0, "defaultFont\xA4" "4\xA4Tahoma\xA4"));
    Zrk_String text;
    sheet.getValue(0, 3, text);
    EXPECT_EQ(text, "Row three");
    sheet.getValue(2, 0, text);
    EXPECT_EQ(text, "Name");
    sheet.SSGetCellTag(kHeader, kHeader, text);
    EXPECT_EQ(text, "defaultFont\xA4" "4\xA4Tahoma\xA4");
    sheet.getCellText(0, 0, kTextTag, text);
    EXPECT_EQ(text, "defaultFont\xA4" "4\xA4Tahoma\xA4");
    // A header without text shows its letters or number, and reads empty.
    CellDisplay display;
    ASSERT_TRUE(sheet.getDisplay(28, 0, display));
    EXPECT_EQ(display.text, "AB");
    ASSERT_TRUE(sheet.getDisplay(0, 7, display));
    EXPECT_EQ(display.text, "7");
    sheet.getValue(28, 0, text);
    EXPECT_EQ(text, "");
    EXPECT_FALSE(sheet.setFormula(0, 1, "1"));
    // Outside the counts nothing is read or written.
    EXPECT_FALSE(sheet.setData(501, 1, "x"));
    EXPECT_FALSE(sheet.getValue(1, -5, text));
    EXPECT_FALSE(sheet.SSSetCellTag(1, 501, "x"));
}

TEST(Sheet, CountsDropCellsBeyondThem) {
    Sheet sheet;
    ASSERT_TRUE(sheet.setMaxRows(10));
    ASSERT_TRUE(sheet.setMaxCols(3));
    sheet.setData(3, 10, "last");
    sheet.setData(1, 1, "4");
    ASSERT_TRUE(sheet.setFormula(2, 1, "A1+LEN(C10)"));
    EXPECT_EQ(valueOf(sheet, 2, 1), "8");
    ASSERT_TRUE(sheet.setMaxRows(9));
    EXPECT_EQ(valueOf(sheet, 2, 1), "4"); // the formula reads the empty cell now
    ASSERT_TRUE(sheet.setMaxRows(10));
    EXPECT_EQ(valueOf(sheet, 3, 10), "");
    EXPECT_FALSE(sheet.setMaxRows(-1));
    EXPECT_FALSE(sheet.setMaxCols(kMaxColumnCount + 1));
    EXPECT_TRUE(sheet.setMaxRows(0));
    EXPECT_EQ(sheet.getMaxRows(), 0);
}

TEST(Sheet, LocksSpansAndLooks) {
    Sheet sheet;
    ASSERT_TRUE(sheet.setLock(1, 1, 2, 2, true));
    EXPECT_TRUE(sheet.getLock(2, 2));
    EXPECT_FALSE(sheet.getLock(3, 3));
    ASSERT_TRUE(sheet.setLock(2, 2, 2, 2, false));
    EXPECT_FALSE(sheet.getLock(2, 2));

    ASSERT_TRUE(sheet.SSAddCellSpan(2, 3, 1, 3));
    EXPECT_FALSE(sheet.SSAddCellSpan(1, 4, 2, 1)); // overlaps
    EXPECT_FALSE(sheet.SSAddCellSpan(500, 1, 2, 1)); // beyond the counts
    int col = 0, row = 0, cols = 0, rows = 0;
    ASSERT_TRUE(sheet.SSGetCellSpan(2, 5, col, row, cols, rows));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(cols, 1);
    EXPECT_EQ(rows, 3);
    EXPECT_FALSE(sheet.SSGetCellSpan(2, 6, col, row, cols, rows));
    ASSERT_TRUE(sheet.SSRemoveCellSpan(2, 4));
    EXPECT_FALSE(sheet.SSGetCellSpan(2, 3, col, row, cols, rows));

    FontSpec bold;
    bold.weight = kFontWeightBold;
    ASSERT_TRUE(sheet.setFont(0, 0, 0, 10, bold));
    FontSpec font;
    ASSERT_TRUE(sheet.getFont(0, 5, font));
    EXPECT_EQ(font.weight, kFontWeightBold);
    ASSERT_TRUE(sheet.getFont(1, 5, font));
    EXPECT_EQ(font, sheet.getDefaultFont());
    ASSERT_TRUE(sheet.setColor(1, 1, 3, 1, rgb(164, 209, 255), kColorDefault));
    Color back = 0, fore = 0;
    ASSERT_TRUE(sheet.getColor(2, 1, back, fore));
    EXPECT_EQ(back, rgb(164, 209, 255));
    EXPECT_EQ(fore, kColorDefault);
    // A full border on every cell; the outline only on the block's edges; none removes them.
    ASSERT_TRUE(sheet.setBorder(1, 1, 2, 2, kBorderAll & ~kBorderOutline, kBorderStyleSolid, kColorDefault));
    Border border;
    sheet.getBorder(2, 2, border);
    EXPECT_EQ(border.left.style, kBorderStyleSolid);
    ASSERT_TRUE(sheet.setBorder(4, 4, 5, 5, kBorderAll, kBorderStyleFine, rgb(1, 2, 3)));
    sheet.getBorder(5, 5, border);
    EXPECT_EQ(border.left.style, kBorderStyleNone);
    EXPECT_EQ(border.right.style, kBorderStyleFine);
    EXPECT_EQ(border.bottom.color, rgb(1, 2, 3));
    ASSERT_TRUE(sheet.setBorder(1, 1, 2, 2, kBorderNone, 0, kColorDefault));
    sheet.getBorder(2, 2, border);
    EXPECT_TRUE(border.isEmpty());
    EXPECT_FALSE(sheet.setBorder(1, 1, 1, 1, 64, 1, 0));
}

TEST(Sheet, OptionsModesAndTheChangedFlag) {
    Sheet sheet;
    EXPECT_TRUE(sheet.getBool(kOptionAutoCalc));
    EXPECT_FALSE(sheet.getBool(kOptionChanged));
    EXPECT_FALSE(sheet.setBool(kOptionCount, true));
    EXPECT_FALSE(sheet.getBool(-1));
    sheet.setActiveCell(2, 2); // not an edit
    EXPECT_FALSE(sheet.getBool(kOptionChanged));
    sheet.setData(1, 1, "x");
    EXPECT_TRUE(sheet.getBool(kOptionChanged));
    sheet.setBool(kOptionChanged, false);
    sheet.insertRows(1);
    EXPECT_TRUE(sheet.getBool(kOptionChanged)); // structure changes count
    sheet.setBool(kOptionChanged, false);
    sheet.recalcAll();
    EXPECT_FALSE(sheet.getBool(kOptionChanged)); // recalculating is no edit
    EXPECT_TRUE(sheet.setOperationMode(kModeExtendedSelect));
    EXPECT_FALSE(sheet.setOperationMode(9));
    EXPECT_TRUE(sheet.SSSetActionKey(0, 0, 0));
    EXPECT_FALSE(sheet.SSSetActionKey(99, 0, 0));
    sheet.setData(3, 3, "y");
    ASSERT_TRUE(sheet.SSReset());
    EXPECT_EQ(valueOf(sheet, 3, 3), "");
    EXPECT_FALSE(sheet.getBool(kOptionChanged));
}

TEST(Sheet, SizesAndTextMeasures) {
    Sheet sheet;
    ASSERT_TRUE(sheet.setColWidthInPixels(2, 120));
    int pixels = 0;
    ASSERT_TRUE(sheet.getColWidthInPixels(2, pixels));
    EXPECT_EQ(pixels, 120);
    double units = 0;
    ASSERT_TRUE(sheet.getColWidth(2, units));
    EXPECT_EQ(units, 15.0);
    ASSERT_TRUE(sheet.setRowHeight(kHeader, 12.5));
    ASSERT_TRUE(sheet.getRowHeight(0, units));
    EXPECT_DOUBLE_EQ(units, 12.5);
    EXPECT_FALSE(sheet.setColWidth(1, -1));
    sheet.setTextMeasurer([](const Zrk_String& text, const FontSpec& font, int& w, int& h) {
        w = static_cast<int>(text.size()) * 10;
        h = font.height;
    });
    sheet.setData(1, 1, "abc");
    sheet.setData(1, 2, "abcdef");
    sheet.setCellType(1, 3, 1, 3, CellType::pictureFile(kStylePictureFile, "a-very-long-picture-name.bmp"));
    sheet.setData(1, 3, "a-very-long-picture-name.bmp");
    int width = 0;
    ASSERT_TRUE(sheet.getMaxTextColWidth(1, width, true));
    EXPECT_EQ(width, 60);
    ASSERT_TRUE(sheet.getMaxTextColWidth(1, width, false));
    EXPECT_EQ(width, 280);
}

struct Recorder : SheetObserver {
    std::vector<std::string> events;
    void cellsChanged(int c1, int r1, int c2, int r2) override {
        events.push_back("cells " + std::to_string(c1) + "," + std::to_string(r1) + "-" + std::to_string(c2) + "," + std::to_string(r2));
    }
    void rowsInserted(int at, int count) override { events.push_back("rowsInserted " + std::to_string(at) + " " + std::to_string(count)); }
    void countsAboutToChange(int, int, int c, int r) override { events.push_back("counts " + std::to_string(c) + "x" + std::to_string(r)); }
    void activeCellChanged(int c, int r) override { events.push_back("active " + std::to_string(c) + "," + std::to_string(r)); }
    void sheetAboutToReset() override { events.push_back("aboutToReset"); }
    void sheetReset() override { events.push_back("reset"); }
};

TEST(Sheet, ObserversHearOfChanges) {
    Sheet sheet;
    Recorder recorder;
    sheet.addObserver(&recorder);
    sheet.setData(1, 1, "2");
    sheet.setFormula(2, 2, "A1*2");
    recorder.events.clear();
    sheet.setData(1, 1, "3");
    // The edited cell, then the recalculated dependent.
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"cells 1,1-1,1", "cells 2,2-2,2"}));
    recorder.events.clear();
    sheet.setMaxRows(20);
    sheet.insertRows(2);
    sheet.setActiveCell(1, 2);
    sheet.SSReset();
    // Fewer rows may change what formulas read: they are recalculated and shown again.
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"counts 500x20", "cells 2,2-2,2", "rowsInserted 2 1", "active 1,2",
                                                         "aboutToReset", "reset"}));
    sheet.removeObserver(&recorder);
    recorder.events.clear();
    sheet.setData(1, 1, "x");
    EXPECT_TRUE(recorder.events.empty());
}

} // namespace
} // namespace spreadlib::test
