// The bill output: a bill fed row by row into the hidden sheet and saved with its document settings.

#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <filesystem>
#include <QImage>
#include <gtest/gtest.h>
#include <regex>

#include "bill/bill_output.h"
#include "bill/bill_sheet_holder.h"
#include "core/files.h"
#include "core/settings.h"
#include "core/text.h"
#include "host/command_line.h"
#include "host/document.h"
#include "host/module_entry.h"
#include "sheetdoc/document_settings.h"
#include "spread/zrk_spread.h"
#include "spreadlib/sheet.h"
#include "ui/bill_pictures.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

// The friend of the bill output that shows tests its grid.
class KvSSBillOutputInspector {
public:
    static Zrk_Spread* grid(KvSSBillOutput& output) { return output.getSSPointer(); }
};

namespace {

using namespace spreadlib;

const Zrk_StringArray kColumns = {"Pos", "Qty", "Section", "Length", "Weight"};
const Zrk_Array<int> kKinds = {1, 1, 3, 1, 2};

Zrk_StringArray rowOf(int n) {
    return {intToStr(n), "2", "HEA" + intToStr(100 + n % 10 * 20), intToStr(1000 + n), doubleToStr(10.25 * n, 2)};
}

class Bill : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        root = folder.path().toStdString() + "/";
        std::filesystem::create_directories(root + "product");
        std::filesystem::create_directories(root + "bills");
        savedZrkDir = gSettings.zrkDir;
        gSettings.zrkDir = root + "product/";
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, (root + "registry").c_str());
        host::CommandLine::instance().clear();
    }
    void TearDown() override {
        closeBMPDialog();
        gSettings.zrkDir = savedZrkDir;
    }

    Acad::ErrorStatus start(KvSSBillOutput& output, const Zrk_String& name = "bill.kvs",
                            const Zrk_String& settings = "") {
        return output.init(root + "bills/" + name, kColumns, Zrk_Array<int>(), kKinds, settings, {"Project"},
                           {"Hall 3"});
    }
    static Zrk_Spread& grid(KvSSBillOutput& output) { return *KvSSBillOutputInspector::grid(output); }
    static Zrk_String value(Zrk_Spread& grid, int column, int row) {
        Zrk_String text;
        EXPECT_TRUE(grid.getCellText(column, row, text));
        return text;
    }
    // The saved bill, loaded into a sheet of its own.
    bool load(const Zrk_String& name, Sheet& sheet) {
        Zrk_String message;
        const bool loaded = sheet.loadFromFile(root + "bills/" + name, message);
        EXPECT_TRUE(loaded) << message;
        return loaded;
    }

    inline static int instance = 0;
    QTemporaryDir folder;
    Zrk_String root;
    Zrk_String savedZrkDir;
};

} // namespace

TEST_F(Bill, InitPreparesTheSheetFromTheNamedSettings) {
    ASSERT_TRUE(writeFileAtomically(root + "product/Workshop.kvd",
                                    "defaultFont\xA4" "4\xA4Verdana\xA4" "defaultTextHeight\xA4" "2\xA4" "12\xA4"));
    KvSSBillOutput output;
    ASSERT_EQ(start(output, "bill.kvs", "Workshop"), Acad::eOk);
    Zrk_Spread& sheet = grid(output);
    EXPECT_EQ(sheet.getNrCols(), 5);
    EXPECT_EQ(sheet.getNrRows(), 11); // the prepared document's rows
    Zrk_StringArray headers;
    ASSERT_TRUE(sheet.getColumnHeaders(headers));
    EXPECT_EQ(headers, kColumns);
    EXPECT_EQ(sheet.sheet().getGridType(), 7);
    EXPECT_EQ(sheet.sheet().getGridColor(), rgb(50, 50, 50));
    EXPECT_EQ(sheet.defaultFontName, "Verdana");
    EXPECT_EQ(sheet.defaultFontHeight, 12);
    FontSpec font;
    ASSERT_TRUE(sheet.getFont(5, 3, font)); // a column made by copying the last
    EXPECT_EQ(font.face, "Verdana");
    EXPECT_TRUE(sheet.getBool(kOptionAutoCalc));

    DocumentSettings settings;
    settings.readFromGrid(sheet);
    EXPECT_EQ(settings.defaultFont, "Verdana");
    EXPECT_EQ(settings.grid, &sheet);
}

TEST_F(Bill, TheSheetGrowsInStepsOfAHundredAndEndsWithTheRowsWritten) {
    KvSSBillOutput output;
    ASSERT_EQ(start(output), Acad::eOk);
    Zrk_Spread& sheet = grid(output);
    ASSERT_EQ(output.onStartFeed(), Acad::eOk);
    for (int n = 1; n <= 150; ++n) {
        output.onAddRow(rowOf(n));
        const int expected = n <= 11 ? 11 : n <= 112 ? 112 : 213;
        EXPECT_EQ(sheet.getNrRows(), expected) << "after row " << n;
    }
    // The rows made ahead are empty, though new rows copy the last one.
    EXPECT_EQ(value(sheet, 3, 151), "");
    EXPECT_EQ(value(sheet, 3, 213), "");
    EXPECT_EQ(output.onEndFeed(), Acad::eOk);
    EXPECT_EQ(sheet.getNrRows(), 150);
    EXPECT_EQ(output.lastRow(), 150);

    Sheet saved;
    ASSERT_TRUE(load("bill.kvs", saved));
    EXPECT_EQ(saved.getMaxRows(), 150);
    Zrk_String text;
    saved.getValue(3, 150, text);
    EXPECT_EQ(text, rowOf(150)[2]);
    EXPECT_FALSE(sheet.getBool(kOptionChanged)); // saved
}

TEST_F(Bill, RowsTakeTheirColumnKindsAndLoseBordersAndSpans) {
    KvSSBillOutput output;
    ASSERT_EQ(start(output), Acad::eOk);
    Zrk_Spread& sheet = grid(output);
    // Leftovers of the prepared sheet in row 1: a span and a border.
    ASSERT_TRUE(sheet.SSAddCellSpan(1, 1, 2, 1));
    ASSERT_TRUE(sheet.setBorder(4, 1, 4, 1, kBorderAll, kBorderStyleSolid, kColorDefault));
    output.onAddRow({"7", "3", "IPE300", "2500.4", "105.26", "extra"});

    EXPECT_EQ(sheet.getNrCols(), 6); // a longer row adds a column
    int anchorCol = 0, anchorRow = 0, cols = 0, rows = 0;
    EXPECT_FALSE(sheet.SSGetCellSpan(1, 1, anchorCol, anchorRow, cols, rows));
    Border border;
    ASSERT_TRUE(sheet.sheet().getBorder(4, 1, border));
    EXPECT_TRUE(border.isEmpty());

    CellType type;
    ASSERT_TRUE(sheet.getCellType(1, 1, type));
    EXPECT_EQ(type.code, kTypeNumber);
    EXPECT_EQ(type.decimals, 0);
    EXPECT_EQ(type.style, kStyleNumberCellVariant);
    ASSERT_TRUE(sheet.getCellType(5, 1, type));
    EXPECT_EQ(type.decimals, 1);
    ASSERT_TRUE(sheet.getCellType(3, 1, type));
    EXPECT_EQ(type.code, kTypeEdit);
    EXPECT_EQ(type.maxLength, 200);
    EXPECT_EQ(value(sheet, 4, 1), "2500");
    EXPECT_EQ(value(sheet, 5, 1), "105.3");
    EXPECT_EQ(value(sheet, 3, 1), "IPE300");
    EXPECT_EQ(value(sheet, 6, 1), "extra");
}

TEST_F(Bill, SubtotalsFrameAndColourOnlyTheirNonEmptyCells) {
    KvSSBillOutput output;
    ASSERT_EQ(start(output), Acad::eOk);
    Zrk_Spread& sheet = grid(output);
    output.onAddRow(rowOf(1));
    output.onAddSubTotals({"", "6", "", "", "358.7"}, {"Sum"}, true, 1);
    Border border;
    Color back = 0, fore = 0;
    for (int column : {1, 3, 4}) {
        ASSERT_TRUE(sheet.sheet().getBorder(column, 2, border));
        EXPECT_TRUE(border.isEmpty()) << column;
        ASSERT_TRUE(sheet.getColor(column, 2, back, fore));
        EXPECT_EQ(back, kColorDefault) << column;
    }
    for (int column : {2, 5}) {
        ASSERT_TRUE(sheet.sheet().getBorder(column, 2, border));
        EXPECT_EQ(border.left.style, kBorderStyleSolid) << column;
        EXPECT_EQ(border.bottom.style, kBorderStyleSolid) << column;
        ASSERT_TRUE(sheet.getColor(column, 2, back, fore));
        EXPECT_EQ(back, rgb(164, 209, 255)) << column;
        EXPECT_EQ(fore, kColorDefault);
    }
    EXPECT_EQ(value(sheet, 5, 2), "358.7");
    // The row after a subtotal starts plain again.
    output.onAddRow(rowOf(2));
    ASSERT_TRUE(sheet.sheet().getBorder(2, 3, border));
    EXPECT_TRUE(border.isEmpty());
}

TEST_F(Bill, TheDocumentVariablesBeginWithDateTitleAndFileName) {
    KvSSBillOutput output;
    const Zrk_String name = "Hall 3\xBFGrid A\xBF" "Beams.kvs";
    ASSERT_EQ(start(output, name), Acad::eOk);
    output.onAddRow(rowOf(1));
    ASSERT_EQ(output.onEndFeed(), Acad::eOk);

    Sheet saved;
    ASSERT_TRUE(load(name, saved));
    DocumentSettings settings;
    settings.readFromSheet(saved);
    ASSERT_EQ(settings.varNames, Zrk_StringArray({"Date", "Title", "BillFilename", "Project"}));
    EXPECT_EQ(settings.varValues[1], "Beams");
    EXPECT_EQ(settings.varValues[2], root + "bills/" + name);
    EXPECT_EQ(settings.varValues[3], "Hall 3");
    EXPECT_TRUE(std::regex_match(settings.varValues[0],
                                 std::regex("[0-3][0-9] (January|February|March|April|May|June|July|August|"
                                            "September|October|November|December), 2[0-9]{3} \\([0-2][0-9]:[0-5][0-9]\\)")))
        << settings.varValues[0];
}

TEST(BillTexts, TitleAndDate) {
    EXPECT_EQ(bill::billTitle("C:\\Bills\\Hall\xBF" "Beams.kvs"), "Beams");
    EXPECT_EQ(bill::billTitle("/bills/no mark.kvs"), "no mark");
    EXPECT_EQ(bill::billTitle("/odd\xBF" "folder/plain"), "plain"); // only the name counts
    EXPECT_EQ(bill::billTitle("ends with\xBF.kvs"), "");
    std::tm time{};
    time.tm_mday = 7;
    time.tm_mon = 11;
    time.tm_year = 126;
    time.tm_hour = 9;
    time.tm_min = 5;
    EXPECT_EQ(bill::billDate(time), "07 December, 2026 (09:05)");
}

TEST_F(Bill, PicturesOnlyWithBillAndTransaction) {
    Zrk_Bill bill;
    bill.columnNames = kColumns;
    bill.sectionColumn = 2;
    host::Document document;
    AcTransaction transaction(document);

    KvSSBillOutput plain;
    ASSERT_EQ(start(plain), Acad::eOk);
    plain.setVars(-1, 0, 0, true, true, &bill, nullptr); // no transaction
    plain.onStartFeed();
    EXPECT_EQ(ui::bmpDialog(), nullptr);
    plain.onAddRow(rowOf(1));
    EXPECT_EQ(plain.lastRow(), 1);
    EXPECT_EQ(plain.onEndFeed(), Acad::eOk);

    KvSSBillOutput pictured;
    ASSERT_EQ(start(pictured, "pictured.kvs"), Acad::eOk);
    pictured.setVars(-1, 40, 0, true, false, &bill, &transaction);
    pictured.onStartFeed();
    ASSERT_NE(ui::bmpDialog(), nullptr);
    pictured.onAddRow(rowOf(1));
    pictured.onAddRow({"2", "1", "", "300", "1.0"}); // no section: no picture
    Zrk_Spread& sheet = grid(pictured);
    EXPECT_EQ(pictured.lastRow(), 3);
    EXPECT_EQ(sheet.getCellTypeCode(2, 2), kTypePicture);
    EXPECT_EQ(sheet.getCellTypeCode(1, 2), kTypePicture); // the mark, bitmap 251
    int anchorCol = 0, anchorRow = 0, cols = 0, rows = 0;
    ASSERT_TRUE(sheet.SSGetCellSpan(3, 2, anchorCol, anchorRow, cols, rows));
    EXPECT_EQ(anchorCol, 2);
    EXPECT_EQ(cols, 4);
    int height = 0;
    ASSERT_TRUE(sheet.getRowHeightInPixels(2, height));
    EXPECT_EQ(height, 40);
    EXPECT_EQ(value(sheet, 2, 3), "1");
    EXPECT_EQ(ui::bmpDialogPictureCount(), 1);
    // The pictures were made in the temporary folder and are gone again.
    CellType type;
    ASSERT_TRUE(sheet.getCellType(2, 2, type));
    EXPECT_FALSE(fileExists(type.text));
    // ... but the cell keeps the picture, and so does the file the bill is saved to.
    ASSERT_FALSE(type.pictureData.isEmpty());
    QImage kept;
    EXPECT_TRUE(kept.loadFromData(reinterpret_cast<const uchar*>(type.pictureData.bytes->data()),
                                  static_cast<int>(type.pictureData.bytes->size())));
    EXPECT_EQ(kept.height(), 40);
    EXPECT_EQ(pictured.onEndFeed(), Acad::eOk);
    std::string saved;
    ASSERT_TRUE(readFileBytes(root + "bills/pictured.kvs", saved));
    EXPECT_NE(saved.find("\"pictureData\""), std::string::npos);
    EXPECT_EQ(ui::bmpDialog(), nullptr);
}

TEST_F(Bill, AFailedSaveIsReportedNotAnsweredAsSuccess) {
    KvSSBillOutput output;
    ASSERT_EQ(output.init(root + "no such folder/bill.kvs", kColumns, {}, kKinds, "", {}, {}), Acad::eOk);
    output.onAddRow(rowOf(1));
    EXPECT_EQ(output.onEndFeed(), Acad::eFilerError);
    EXPECT_NE(host::CommandLine::instance().buffer().find("*Error* The bill was not saved"), Zrk_String::npos)
        << host::CommandLine::instance().buffer();
    EXPECT_FALSE(fileExists(root + "no such folder/bill.kvs"));
}

TEST_F(Bill, SavingMovesTheHeaderNextToTheBill) {
    ASSERT_TRUE(writeFileAtomically(root + "product/Head.bmp", "BM picture"));
    ASSERT_TRUE(writeFileAtomically(root + "product/Office.kvd", "headerFile\xA4" "4\xA4Head.bmp\xA4"));
    KvSSBillOutput output;
    ASSERT_EQ(start(output, "bill.kvs", "Office"), Acad::eOk);
    output.onAddRow(rowOf(1));
    ASSERT_EQ(output.onEndFeed(), Acad::eOk);
    EXPECT_TRUE(fileExists(root + "bills/Head.bmp"));
    // The relocated path lives in the grid; the file keeps the path it was saved with.
    DocumentSettings inGrid;
    inGrid.readFromGrid(grid(output));
    EXPECT_EQ(inGrid.headerFile, "Head.bmp");
    EXPECT_TRUE(grid(output).getBool(kOptionChanged));
}

TEST_F(Bill, ASecondFeedContinuesWhereTheFirstEnded) {
    KvSSBillOutput output;
    ASSERT_EQ(start(output), Acad::eOk);
    for (int n = 1; n <= 3; ++n) output.onAddRow(rowOf(n));
    ASSERT_EQ(output.onEndFeed(), Acad::eOk);
    output.onStartFeed();
    output.onAddRow(rowOf(4));
    EXPECT_EQ(output.lastRow(), 4);
    EXPECT_EQ(value(grid(output), 1, 4), "4");
    EXPECT_EQ(value(grid(output), 1, 3), "3");
    ASSERT_EQ(output.onEndFeed(), Acad::eOk);
    EXPECT_EQ(grid(output).getNrRows(), 4);
}

TEST_F(Bill, CopiesShareOneWindowThatIsDestroyedOnce) {
    const int before = bill::liveSheetWindows();
    {
        KvSSBillOutput first;
        EXPECT_EQ(bill::liveSheetWindows(), before); // made on first use, not before
        ASSERT_EQ(start(first), Acad::eOk);
        EXPECT_EQ(bill::liveSheetWindows(), before + 1);
        KvSSBillOutput copy(first);
        KvSSBillOutput assigned;
        assigned = first;
        EXPECT_EQ(&grid(copy), &grid(first));
        EXPECT_EQ(&grid(assigned), &grid(first));
        ASSERT_EQ(start(first), Acad::eOk); // init again: still the one window
        EXPECT_EQ(bill::liveSheetWindows(), before + 1);
        {
            KvSSBillOutput last(copy);
        }
        copy.onAddRow(rowOf(1)); // the window outlives the copies that went
        EXPECT_EQ(value(grid(first), 1, 1), "1");
    }
    EXPECT_EQ(bill::liveSheetWindows(), before);
}

// Without the module's resources there is no template 248: no window, no grid, nothing written.
TEST(BillWithoutWindow, InitAndEndFailAndRowsDoNothing) {
    KvSSBillOutput output;
    EXPECT_EQ(output.init("/tmp/never.kvs", kColumns, {}, kKinds, "", {}, {}), Acad::eCreateFailed);
    output.onAddRow(rowOf(1));
    output.onAddSubTotals(rowOf(1), {}, false, 0);
    EXPECT_EQ(output.lastRow(), 0);
    EXPECT_EQ(output.onEndFeed(), Acad::eInvalidInput);
    EXPECT_EQ(bill::liveSheetWindows(), 0);
}
