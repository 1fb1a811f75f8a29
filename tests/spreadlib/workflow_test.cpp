// The library as the module drives it: a standards evaluation (manual recalculation, equations set
// one by one), a lookup function that opens another spreadsheet file, a bill that grows in steps,
// and the formulas window's reference-style switch.
#include <filesystem>

#include "test_util.h"

namespace spreadlib::test {
namespace {

namespace fs = std::filesystem;

fs::path tempFolder(const char* name) {
    const fs::path folder = fs::temp_directory_path() / ("spreadlib-workflow-" + std::to_string(::getpid()) + "-" + name);
    fs::create_directories(folder);
    return folder;
}

TEST(Workflow, StandardsEvaluationInManualMode) {
    // The standard as its author saved it: declarations, and the equations below "Calc".
    Sheet author;
    author.setData(1, 1, "Input");
    author.setData(1, 2, "Double Thickness");
    author.setData(2, 2, "Int Count");
    author.setData(1, 3, "Output");
    author.setData(1, 4, "Double Width");
    author.setData(2, 4, "String Label");
    author.setData(1, 5, "Calc");
    author.setData(1, 6, "Width=Thickness*2+Count");
    const std::string file = author.saveToText();

    Sheet sheet;
    sheet.setBool(kOptionEditing, true);
    sheet.setBool(kOptionArrowsExitEdit, false);
    sheet.setBool(kOptionUserFormulas, true);
    sheet.setBool(kOptionAutoCalc, false);
    Zrk_String message;
    ASSERT_TRUE(sheet.loadFromText(file, "Plate.kvs", message)) << message;
    EXPECT_FALSE(sheet.getBool(kOptionAutoCalc));
    // Values into the declaring cells: Double as a number cell with 7 decimals, Int with 0.
    ASSERT_TRUE(sheet.SSSetTypeNumber(1, 2, 1, 2, kStyleNumberCell, 7, -99999999999999.0, 99999999999999.0, false));
    ASSERT_TRUE(sheet.setValue(1, 2, "12.5"));
    ASSERT_TRUE(sheet.SSSetTypeNumber(2, 2, 2, 2, kStyleNumberCell, 0, -99999999999999.0, 99999999999999.0, false));
    ASSERT_TRUE(sheet.setValue(2, 2, "3"));
    EXPECT_EQ(valueOf(sheet, 1, 2), "12.5000000");
    // The equation becomes a formula over the declaring cells, in its own cell, read at once.
    ASSERT_TRUE(sheet.SSSetTypeNumber(1, 6, 1, 6, kStyleNumberCell, 7, -99999999999999.0, 99999999999999.0, false));
    ASSERT_TRUE(sheet.setFormula(1, 6, "A2*2+B2"));
    EXPECT_EQ(valueOf(sheet, 1, 6), "28.0000000");
    // The result goes into the output's declaring cell.
    ASSERT_TRUE(sheet.SSSetTypeNumber(1, 4, 1, 4, kStyleNumberCell, 7, -99999999999999.0, 99999999999999.0, false));
    ASSERT_TRUE(sheet.setValue(1, 4, valueOf(sheet, 1, 6)));
    EXPECT_EQ(valueOf(sheet, 1, 4), "28.0000000");
    // A String output: a text cell takes the formula's text.
    ASSERT_TRUE(sheet.setCellType(2, 6, 2, 6, CellType::edit(kStyleTextCell, 200)));
    ASSERT_TRUE(sheet.setFormula(2, 6, "\"PL\"&A2&\"x\"&A4"));
    EXPECT_EQ(valueOf(sheet, 2, 6), "PL12.5x28");
    // An equation with an unknown name is refused: the engine reports it.
    EXPECT_FALSE(sheet.setFormula(3, 6, "Height*2"));
    // A second evaluation loads the file again: nothing of the first one remains.
    ASSERT_TRUE(sheet.loadFromText(file, "Plate.kvs", message));
    EXPECT_EQ(valueOf(sheet, 1, 6), "Width=Thickness*2+Count");
}

// A lookup in another spreadsheet file, registered with references (flags 1): the second argument
// names the key column, the third the value column, the fourth the key.
struct Lookup {
    Zrk_String folder;
    long operator()(ValueRecord& result, const ValueRecord* args, int count) const {
        result.setEmpty();
        if (count < 1 || args[0].status != kStatusValid || args[0].type != kValueText) return 1;
        Sheet* calling = Sheet::evaluatingSheet();
        auto textOf = [&](const ValueRecord& arg, Zrk_String& text) {
            if (arg.type == kValueText) text = arg.text;
            else if (arg.type == kValueLong) text = std::to_string(arg.longValue);
            else if (arg.type == kValueCell && calling) calling->getData(arg.col, arg.row, text);
            else return false;
            return true;
        };
        Sheet table;
        Zrk_String message;
        if (!table.loadFromFile(folder + "/" + args[0].text, message)) return 1;
        if (count == 3 && args[1].type == kValueCell && args[2].type == kValueCell) {
            // Copies the target's text into a cell of the calling sheet; no value.
            Zrk_String text;
            table.getData(args[1].col, args[1].row, text);
            if (calling) calling->setData(args[2].col, args[2].row, text);
            return 1;
        }
        if (count != 4) return 1;
        Zrk_String keyColumn, valueColumn, key, header, cell;
        if (!textOf(args[1], keyColumn) || !textOf(args[2], valueColumn) || !textOf(args[3], key)) return 1;
        int keyCol = 0, valueCol = 0, keyRow = 0;
        for (int c = 1; c <= table.getMaxCols(); ++c) {
            table.getData(c, kHeader, header);
            if (!keyCol && header == keyColumn) keyCol = c;
            if (!valueCol && header == valueColumn) valueCol = c;
        }
        for (int r = 1; keyCol && r <= table.getMaxRows() && !keyRow; ++r)
            if (table.getData(keyCol, r, cell) && cell == key) keyRow = r;
        if (!valueCol || !keyRow) return 1;
        table.SSReCalcCell(valueCol, keyRow);
        const int code = table.getCellTypeCode(valueCol, keyRow);
        double number = 0;
        if (code == kTypeInteger || code == kTypeCheckBox) {
            table.getData(valueCol, keyRow, cell);
            result.setLong(std::atol(cell.c_str()));
        } else if (isNumberTypeCode(code) && table.getFloat(valueCol, keyRow, number)) {
            result.setDouble(number);
        } else {
            table.getData(valueCol, keyRow, cell);
            result.setText(cell);
        }
        return 1;
    }
};

TEST(Workflow, LookupInAnotherSpreadsheet) {
    const fs::path folder = tempFolder("lookup");
    Sheet table;
    table.setMaxCols(3);
    table.setMaxRows(3);
    table.setData(1, kHeader, "Size");
    table.setData(2, kHeader, "Hole");
    table.setData(3, kHeader, "Count");
    table.SSSetTypeNumber(2, 1, 2, 3, kStyleNumberCell, 1, 0, 100, false);
    table.setCellType(3, 1, 3, 3, CellType::integer(0, 0, 100));
    const char* sizes[] = {"M12", "M16", "M16"};
    for (int r = 1; r <= 3; ++r) {
        table.setData(1, r, sizes[r - 1]);
        table.setValue(2, r, std::to_string(12 + r * 4 + 0.5));
        table.setValue(3, r, std::to_string(r));
    }
    Zrk_String message;
    ASSERT_TRUE(table.saveToFile((folder / "bolts.kvs").string(), message)) << message;

    Sheet sheet;
    ASSERT_TRUE(sheet.SSAddCustomFunctionExt("FROMTABLE", 2, 4, Lookup{folder.string()}, kFunctionReferences));
    sheet.setData(1, 1, "M16");
    ASSERT_TRUE(sheet.setFormula(2, 1, "FROMTABLE(\"bolts.kvs\",\"Size\",\"Hole\",A1)"));
    EXPECT_EQ(valueOf(sheet, 2, 1), "20.5"); // the first of the two M16 rows, as a double
    ASSERT_TRUE(sheet.setFormula(3, 1, "FROMTABLE(\"bolts.kvs\",\"Size\",\"Count\",\"M12\")+1"));
    EXPECT_EQ(valueOf(sheet, 3, 1), "2");
    ASSERT_TRUE(sheet.setFormula(4, 1, "FROMTABLE(\"bolts.kvs\",\"Nothing\",\"Hole\",A1)"));
    EXPECT_EQ(valueOf(sheet, 4, 1), ""); // no value
    // Editing the key recalculates the lookup.
    sheet.setData(1, 1, "M12");
    EXPECT_EQ(valueOf(sheet, 2, 1), "16.5");
    // Three arguments: the target's text lands in a cell of the calling sheet.
    ASSERT_TRUE(sheet.setFormula(5, 1, "FROMTABLE(\"bolts.kvs\",A3,E5)"));
    EXPECT_EQ(valueOf(sheet, 5, 5), "M16");
    EXPECT_EQ(valueOf(sheet, 5, 1), "");
    fs::remove_all(folder);
}

TEST(Workflow, BillGrowsInStepsAndSavesWithItsSettings) {
    const fs::path folder = tempFolder("bill");
    Sheet sheet;
    sheet.setBool(kOptionUserFormulas, true);
    sheet.setBool(kOptionCellOverflow, true);
    sheet.setMaxCols(3);
    sheet.setMaxRows(11);
    sheet.setCellType(1, 1, 3, 11, CellType::edit(kStyleDocumentEditCell, 100));
    sheet.SSSetCellTag(0, 0, "defaultFont\xA4" "4\xA4Tahoma\xA4");
    sheet.setGridType(7);
    sheet.setGridColor(rgb(50, 50, 50));
    int current = 0;
    for (int i = 1; i <= 150; ++i) {
        if (++current > sheet.getMaxRows()) {
            ASSERT_TRUE(sheet.setMaxRows(current + 100));
            ASSERT_TRUE(sheet.clearData(1, current, 3, current + 100));
        }
        sheet.SSSetTypeNumber(1, current, 1, current, kStyleNumberCellVariant, 0, -99999999999999.0, 99999999999999.0, false);
        sheet.SSSetTypeNumber(2, current, 2, current, kStyleNumberCellVariant, 1, -99999999999999.0, 99999999999999.0, false);
        sheet.setCellType(3, current, 3, current, CellType::edit(kStyleTextCell, 200));
        sheet.setBorder(1, current, 3, current, kBorderNone, kBorderStyleNone, kColorDefault);
        sheet.SSRemoveCellSpan(1, current);
        ASSERT_TRUE(sheet.setValue(1, current, std::to_string(i)));
        ASSERT_TRUE(sheet.setValue(2, current, std::to_string(i * 1.25)));
        ASSERT_TRUE(sheet.setValue(3, current, "PL" + std::to_string(i)));
        int height = 0;
        ASSERT_TRUE(sheet.getMaxTextRowHeight(current, height));
        sheet.setRowHeightInPixels(current, height);
    }
    EXPECT_EQ(sheet.getMaxRows(), 213); // grew to 112 at row 12 and to 213 at row 113
    ASSERT_TRUE(sheet.setMaxRows(current));
    for (int c = 1; c <= 3; ++c) {
        int width = 0;
        ASSERT_TRUE(sheet.getMaxTextColWidth(c, width, true));
        sheet.setColWidthInPixels(c, width);
    }
    EXPECT_EQ(valueOf(sheet, 2, 150), "187.5");
    Zrk_String message;
    const Zrk_String path = (folder / "bill.kvs").string();
    ASSERT_TRUE(sheet.saveToFile(path, message)) << message;
    sheet.setBool(kOptionChanged, false); // the one who saves clears the flag
    Sheet reopened;
    ASSERT_TRUE(reopened.loadFromFile(path, message)) << message;
    EXPECT_EQ(reopened.getMaxRows(), 150);
    EXPECT_EQ(valueOf(reopened, 3, 150), "PL150");
    EXPECT_EQ(reopened.getGridType(), 7);
    Zrk_String tag;
    reopened.SSGetCellTag(kHeader, kHeader, tag);
    EXPECT_EQ(tag, "defaultFont\xA4" "4\xA4Tahoma\xA4");
    fs::remove_all(folder);
}

TEST(Workflow, FormulasWindowStyleSwitch) {
    Sheet sheet;
    sheet.setMaxCols(8);
    sheet.setMaxRows(10);
    sheet.SSSetTypeNumber(1, 1, 6, 6, kStyleNumberCell, 2, 9999, -9999, true);
    sheet.setFormula(4, 1, "A2+$B$3");
    sheet.setFormula(4, 2, "SUM(A1:C1)");
    for (const int style : {kRefStyleDefault, kRefStyleA1, kRefStyleR1C1}) {
        ASSERT_TRUE(sheet.SSSetRefStyle(style));
        for (int r = 1; r <= 2; ++r) sheet.setData(1, r + 5, formulaOf(sheet, 4, r));
    }
    EXPECT_EQ(formulaOf(sheet, 4, 1), "R[1]C[-3]+R3C2");
    EXPECT_EQ(formulaOf(sheet, 4, 2), "SUM(R[-1]C[-3]:R[-1]C[-1])");
    // A number cell (limits given high to low) refuses texts: the copies land as texts only outside it.
    Zrk_String text;
    sheet.getValue(1, 7, text);
    EXPECT_EQ(text, "SUM(R[-1]C[-3]:R[-1]C[-1])");
    EXPECT_FALSE(sheet.setValue(1, 1, "abc"));
    EXPECT_TRUE(sheet.setValue(1, 1, "-9999"));
    EXPECT_EQ(valueOf(sheet, 1, 1), "-9,999.00");
}

} // namespace
} // namespace spreadlib::test
