// Workbooks of the common spreadsheet programs read into a sheet: a standard written as .xlsx or .ods
// arrives with its texts, numbers and formulas; the sheet to read is chosen by name; what cannot be
// read is a clear error that leaves the sheet alone.
#include <cstdio>
#include <fstream>

#include "spreadlib/workbook_import.h"
#include "test_util.h"
#include "workbook_files.h"

namespace spreadlib::test {
namespace {

Zrk_String dataOf(const Sheet& sheet, int col, int row) {
    Zrk_String data;
    sheet.getData(col, row, data);
    return data;
}

// A base plate standard as an author keeps it in a spreadsheet program: sections, declarations and
// equations as texts, a data table with numbers and a computed column.
WorkbookSheet standardSheet(bool ods) {
    WorkbookSheet sheet{"Standard", {}};
    auto add = [&](const char* place, std::string content) {
        sheet.cells.push_back({place, std::move(content)});
    };
    add("A1", "s:Input");
    add("A2", "s:String Column");
    add("A3", "s:Output");
    add("A4", "s:Double Width");
    add("A5", "s:Calc");
    add("A6", "s:Width = Column * 2");
    add("C1", "n:100");
    add("C2", "n:0.1");
    add("C3", "n:1e+20");
    add("C4", "s:007"); // a text that reads as a number stays text
    add("C5", "b:1");
    add("D1", ods ? "f:of:=SUM([.C1:.C2];1)" : "f:SUM(C1:C2,1)");
    add("D2", ods ? "f:of:=IF([.C1]>50;\"big;[.X1]\";\"small\")" : "f:IF(C1>50,\"big,_xlfn.X\",\"small\")");
    add("D3",
        ods ? "f:of:=COM.MICROSOFT.CEILING.MATH([.$C$1]/3)" : "f:_xlfn.IFNA(_xlfn.CEILING.MATH($C$1/3),0)");
    add("D4", ods ? "f:of:=[$Other.A1]*2" : "f:Other!A1*2"); // another sheet: not for this engine
    return sheet;
}

TEST(WorkbookImport, AnXlsxStandardKeepsItsTextsNumbersAndFormulas) {
    const std::string bytes = xlsxWorkbook({standardSheet(false), {"Other", {{"A1", "n:5"}}}});
    Sheet sheet;
    WorkbookReport report;
    Zrk_String message;
    ASSERT_TRUE(importWorkbookBytes(sheet, bytes, WorkbookKind::Xlsx, "plate.xlsx", "", report, message))
        << message;
    EXPECT_EQ(report.sheetName, "Standard");
    ASSERT_EQ(report.sheetNames.length(), 2);
    EXPECT_EQ(report.sheetNames[1], "Other");
    EXPECT_EQ(sheet.getMaxCols(), 4); // the block the workbook's sheet uses
    EXPECT_EQ(sheet.getMaxRows(), 6);
    sheet.setMaxRows(100); // room for the checks' own formulas
    sheet.setMaxCols(26);
    EXPECT_EQ(dataOf(sheet, 1, 6), "Width = Column * 2");
    EXPECT_EQ(dataOf(sheet, 3, 2), "0.1");
    EXPECT_EQ(dataOf(sheet, 3, 3), "1E+20");
    EXPECT_EQ(valueOf(sheet, 3, 4), "007");
    EXPECT_EQ(eval(sheet, "=ISTEXT(C4)"), "TRUE");
    EXPECT_EQ(dataOf(sheet, 3, 5), "TRUE");
    EXPECT_EQ(formulaOf(sheet, 4, 1), "SUM(C1:C2,1)");
    EXPECT_EQ(valueOf(sheet, 4, 1), "101.1");
    EXPECT_EQ(valueOf(sheet, 4, 2), "big,_xlfn.X"); // texts in quotes are left alone
    EXPECT_EQ(formulaOf(sheet, 4, 3), "IFNA(CEILING.MATH($C$1/3),0)");
    EXPECT_EQ(valueOf(sheet, 4, 3), "34");
    // The formula this engine cannot read is kept as its text, and said.
    EXPECT_EQ(dataOf(sheet, 4, 4), "=Other!A1*2");
    ASSERT_EQ(report.keptAsText.length(), 1);
    EXPECT_EQ(report.keptAsText[0], "D4: =Other!A1*2");
    EXPECT_EQ(report.cells, 15);
}

TEST(WorkbookImport, AnOdsStandardKeepsItsTextsNumbersAndFormulas) {
    WorkbookSheet standard = standardSheet(true);
    standard.cells.push_back({"B5", "d:2024-03-15"});
    const std::string bytes = odsWorkbook({standard});
    Sheet sheet;
    WorkbookReport report;
    Zrk_String message;
    ASSERT_TRUE(importWorkbookBytes(sheet, bytes, WorkbookKind::Ods, "plate.ods", "", report, message))
        << message;
    EXPECT_EQ(report.sheetName, "Standard");
    EXPECT_EQ(dataOf(sheet, 1, 4), "Double Width");
    EXPECT_EQ(valueOf(sheet, 3, 4), "007");
    EXPECT_EQ(formulaOf(sheet, 4, 1), "SUM(C1:C2,1)");
    EXPECT_EQ(valueOf(sheet, 4, 1), "101.1");
    EXPECT_EQ(valueOf(sheet, 4, 2), "big;[.X1]");
    EXPECT_EQ(formulaOf(sheet, 4, 3), "CEILING.MATH($C$1/3)");
    EXPECT_EQ(valueOf(sheet, 4, 3), "34");
    EXPECT_EQ(dataOf(sheet, 4, 4), "=[$Other.A1]*2");
    EXPECT_EQ(report.keptAsText.length(), 1);
    EXPECT_EQ(valueOf(sheet, 2, 5), "45366"); // a date is its serial number, as DATE(2024,3,15) gives it
}

TEST(WorkbookImport, ASharedFormulaIsCopiedAlongItsBlock) {
    const std::string bytes = xlsxWorkbook({{"S",
                                             {{"A1", "n:1"},
                                              {"A2", "n:2"},
                                              {"A3", "n:3"},
                                              {"B1", "F:A1*2@B1:B3"},
                                              {"B2", "G:0"},
                                              {"B3", "G:0"}}}});
    Sheet sheet;
    WorkbookReport report;
    Zrk_String message;
    ASSERT_TRUE(importWorkbookBytes(sheet, bytes, WorkbookKind::Xlsx, "s.xlsx", "", report, message))
        << message;
    EXPECT_EQ(formulaOf(sheet, 2, 3), "A3*2");
    EXPECT_EQ(valueOf(sheet, 2, 3), "6");
}

TEST(WorkbookImport, TheSheetToReadIsChosenByName) {
    const std::string bytes = xlsxWorkbook({{"First", {{"A1", "s:one"}}}, {"Second", {{"B2", "s:two"}}}});
    Sheet sheet;
    WorkbookReport report;
    Zrk_String message;
    ASSERT_TRUE(importWorkbookBytes(sheet, bytes, WorkbookKind::Xlsx, "w.xlsx", "Second", report, message))
        << message;
    EXPECT_EQ(dataOf(sheet, 2, 2), "two");
    EXPECT_EQ(dataOf(sheet, 1, 1), "");
    sheet.setData(1, 1, "kept");
    EXPECT_FALSE(importWorkbookBytes(sheet, bytes, WorkbookKind::Xlsx, "w.xlsx", "Third", report, message));
    EXPECT_EQ(message, "w.xlsx: the workbook has no sheet \"Third\" (its sheets: First, Second).");
    EXPECT_EQ(dataOf(sheet, 1, 1), "kept");
}

TEST(WorkbookImport, AFileThatCannotBeReadIsAClearErrorAndChangesNothing) {
    Sheet sheet;
    sheet.setData(1, 1, "kept");
    WorkbookReport report;
    Zrk_String message;
    EXPECT_FALSE(
        importWorkbookBytes(sheet, "Input,Output\n", WorkbookKind::Xlsx, "plain.xlsx", "", report, message));
    EXPECT_EQ(message, "plain.xlsx: this is no .xlsx workbook (or the file is damaged).");
    // A spreadsheet archive of the other kind.
    EXPECT_FALSE(importWorkbookBytes(sheet, odsWorkbook({{"S", {}}}), WorkbookKind::Xlsx, "odd.xlsx", "",
                                     report, message));
    EXPECT_EQ(message, "odd.xlsx: this is no .xlsx workbook (or the file is damaged).");
    // Cut off, and broken inside.
    const std::string whole = xlsxWorkbook({standardSheet(false)});
    EXPECT_FALSE(importWorkbookBytes(sheet, whole.substr(0, whole.size() / 2), WorkbookKind::Xlsx, "cut.xlsx",
                                     "", report, message));
    EXPECT_NE(message.find("cut.xlsx: "), Zrk_String::npos) << message;
    const std::string broken = "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></row>";
    EXPECT_FALSE(importWorkbookBytes(sheet, odsWorkbook({}, &broken), WorkbookKind::Ods, "broken.ods", "",
                                     report, message));
    EXPECT_NE(message.find("broken.ods: "), Zrk_String::npos) << message;
    EXPECT_EQ(dataOf(sheet, 1, 1), "kept");
    // Files: missing, and of another kind by name.
    EXPECT_FALSE(importWorkbook(sheet, "/nonexistent/plate.xlsx", "", report, message));
    EXPECT_NE(message.find("/nonexistent/plate.xlsx"), Zrk_String::npos) << message;
    EXPECT_FALSE(importWorkbook(sheet, "plate.xls", "", report, message));
    EXPECT_EQ(message, "plate.xls: a workbook is an .xlsx or .ods file.");
    EXPECT_EQ(dataOf(sheet, 1, 1), "kept");
}

TEST(WorkbookImport, AWorkbookFileIsFoundIgnoringTheCaseOfItsName) {
    const std::string path = ::testing::TempDir() + "Plate_Workbook.XLSX";
    {
        std::ofstream out(path, std::ios::binary);
        out << xlsxWorkbook({{"S", {{"A1", "s:Input"}}}});
    }
    Sheet sheet;
    WorkbookReport report;
    Zrk_String message;
    ASSERT_TRUE(importWorkbook(sheet, ::testing::TempDir() + "plate_workbook.xlsx", "", report, message))
        << message;
    EXPECT_EQ(dataOf(sheet, 1, 1), "Input");
    std::remove(path.c_str());
}

TEST(WorkbookImport, FormulasAreTranslatedOutsideTheirTexts) {
    EXPECT_EQ(translateWorkbookFormula("_xlfn.XLOOKUP(A1,B:B,C:C)", WorkbookKind::Xlsx),
              "XLOOKUP(A1,B:B,C:C)");
    EXPECT_EQ(translateWorkbookFormula("=_xlfn._xlws.FILTER(A1)", WorkbookKind::Xlsx), "FILTER(A1)");
    EXPECT_EQ(translateWorkbookFormula("\"_xlfn.\"&A1", WorkbookKind::Xlsx), "\"_xlfn.\"&A1");
    EXPECT_EQ(translateWorkbookFormula("MY_xlfn.X(1)", WorkbookKind::Xlsx), "MY_xlfn.X(1)");
    EXPECT_EQ(translateWorkbookFormula("of:=SUM([.A1:.B2];[.$C$3])", WorkbookKind::Ods), "SUM(A1:B2,$C$3)");
    EXPECT_EQ(translateWorkbookFormula("of:=\"a;\"\"[.A1]\"\"\"&[.A1]", WorkbookKind::Ods),
              "\"a;\"\"[.A1]\"\"\"&A1");
    EXPECT_EQ(translateWorkbookFormula("of:=[Sheet2.A1]+[.A1", WorkbookKind::Ods), "[Sheet2.A1]+[.A1");
    EXPECT_EQ(translateWorkbookFormula("of:=\"open", WorkbookKind::Ods), "\"open");
}

} // namespace
} // namespace spreadlib::test
