// Bill rows from CSV (the host shell's "bill" command): reading the file, and a bill written from it.

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "bill/bill_rows_file.h"
#include "core/files.h"
#include "core/settings.h"
#include "host/module_entry.h"
#include "sheetdoc/document_settings.h"
#include "spreadlib/sheet.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

using bill::BillRows;

bool parse(const std::string& text, BillRows& rows, Zrk_String& message) {
    return bill::parseBillRows(text, "rows.csv", rows, message);
}

// The message for a text that must be refused; the rows stay as they were.
Zrk_String refusal(const std::string& text) {
    BillRows rows;
    rows.columnNames = {"untouched"};
    Zrk_String message;
    EXPECT_FALSE(parse(text, rows, message)) << text;
    EXPECT_EQ(rows.columnNames, Zrk_StringArray({"untouched"}));
    return message;
}

} // namespace

TEST(BillRowsFile, RecordsOfEveryKind) {
    BillRows rows;
    Zrk_String message;
    ASSERT_TRUE(parse("# a bill\r\n"
                      "Columns,Pos,Qty,Section\r\n"
                      "kinds,1, 1 ,3\r\n"
                      "\r\n"
                      "row,1,4,\"HEA 200, long\"\r\n"
                      ",,\r\n"
                      "SUBTOTAL,,4\r\n"
                      "row,2,1,IPE300,extra\r\n"
                      "variable, Project ,Hall 3\r\n"
                      "row,3\n",
                      rows, message))
        << message;
    EXPECT_EQ(rows.columnNames, Zrk_StringArray({"Pos", "Qty", "Section"}));
    EXPECT_EQ(rows.columnKinds, Zrk_Array<int>({1, 1, 3}));
    ASSERT_EQ(rows.rows.size(), 4u);
    EXPECT_EQ(rows.rows[0], (BillRows::Row{false, {"1", "4", "HEA 200, long"}}));
    EXPECT_EQ(rows.rows[1], (BillRows::Row{true, {"", "4"}}));
    EXPECT_EQ(rows.rows[2].strings.length(), 4);
    EXPECT_EQ(rows.rows[3].strings, Zrk_StringArray({"3"}));
    EXPECT_EQ(rows.variableNames, Zrk_StringArray({"Project"}));
    EXPECT_EQ(rows.variableValues, Zrk_StringArray({"Hall 3"}));

    // UTF-8 in the file, the module's code page in the rows.
    ASSERT_TRUE(parse("columns,Gr\xC3\xB6\xC3\x9F" "e\nrow,\xC2\xBF\n", rows, message));
    EXPECT_EQ(rows.columnNames[0], "Gr\xF6\xDF" "e");
    EXPECT_EQ(rows.rows[0].strings[0], "\xBF");
}

TEST(BillRowsFile, FaultsNameTheFileTheLineAndWhatWasExpected) {
    EXPECT_EQ(refusal("row,1,2\n"), "rows.csv, line 1: expected the column names first (columns,NAME,...), found \"row\"");
    EXPECT_EQ(refusal("columns,A,B\nkinds,1,4\n"),
              "rows.csv, line 2: expected the kind of column 2 (1 whole number, 2 one decimal, 3 text), found \"4\"");
    EXPECT_EQ(refusal("columns,A\nkinds,1,2\n"), "rows.csv, line 2: expected at most 1 column kinds, found 2");
    EXPECT_EQ(refusal("columns,A\nrow,1\nkinds,1\n"), "rows.csv, line 3: the column kinds must come before the rows");
    // A quoted line break: the record after it starts two lines later.
    EXPECT_EQ(refusal("columns,A\nrow,\"two\nlines\"\ntotal,1\n"),
              "rows.csv, line 4: expected columns, kinds, row, subtotal or variable, found \"total\"");
    EXPECT_EQ(refusal("columns,A\nvariable,OnlyName\n"), "rows.csv, line 2: expected variable,NAME,VALUE");
    EXPECT_EQ(refusal("columns\n"), "rows.csv, line 1: expected at least one column name after \"columns\"");
    EXPECT_EQ(refusal("columns,A\ncolumns,B\n"), "rows.csv, line 2: the column names are given twice");
    EXPECT_EQ(refusal("# nothing\n"), "rows.csv: no column names (a record columns,NAME,...)");
    EXPECT_NE(refusal("columns,\"open\n").find("rows.csv"), Zrk_String::npos);
}

namespace {

class BillFromRows : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        root = folder.path().toStdString() + "/";
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, (root + "registry").c_str());
        ASSERT_TRUE(writeFileAtomically(root + "rows.csv", "columns,Pos,Qty,Section,Weight\n"
                                                           "kinds,1,1,3,2\n"
                                                           "row,1,2,HEA200,105.26\n"
                                                           "row,2,1,IPE300,42\n"
                                                           "subtotal,,3,,147.3\n"
                                                           "variable,Project,Hall 3\n"));
        request.rowsFile = root + "rows.csv";
        request.billFile = root + "bill.kvs";
    }

    inline static int instance = 0;
    QTemporaryDir folder;
    std::string root;
    bill::BillRequest request;
    std::string summary, message;
};

} // namespace

TEST_F(BillFromRows, WritesTheBillWithPicturesAndVariables) {
    request.titleColumn = "section";
    request.variables = {"Client=Smith & Sons"};
    ASSERT_TRUE(bill::writeBillFromRows(request, summary, message)) << message;
    EXPECT_EQ(summary, "Wrote 2 rows and 1 subtotals (5 sheet rows) to " + root + "bill.kvs.");

    spreadlib::Sheet sheet;
    Zrk_String fault;
    ASSERT_TRUE(sheet.loadFromFile(root + "bill.kvs", fault)) << fault;
    EXPECT_EQ(sheet.getMaxRows(), 5); // two rows, each with its picture row, and the subtotal
    EXPECT_EQ(sheet.getCellTypeCode(2, 2), spreadlib::kTypePicture);
    Zrk_String text;
    sheet.getValue(3, 3, text);
    EXPECT_EQ(text, "IPE300");
    sheet.getValue(4, 5, text);
    EXPECT_EQ(text, "147.3");
    DocumentSettings settings;
    settings.readFromSheet(sheet);
    EXPECT_EQ(settings.varNames, Zrk_StringArray({"Date", "Title", "BillFilename", "Project", "Client"}));
    EXPECT_EQ(settings.varValues[4], "Smith & Sons");
}

TEST_F(BillFromRows, AFaultyRequestWritesNothing) {
    request.titleColumn = "Colour";
    EXPECT_FALSE(bill::writeBillFromRows(request, summary, message));
    EXPECT_EQ(message, "the rows file has no column \"Colour\"");
    request.titleColumn = "5";
    EXPECT_FALSE(bill::writeBillFromRows(request, summary, message));
    request.titleColumn = "3"; // by number
    request.variables = {"NoValue"};
    EXPECT_FALSE(bill::writeBillFromRows(request, summary, message));
    EXPECT_EQ(message, "expected a variable as NAME=VALUE, found \"NoValue\"");
    request.variables.clear();
    request.rowsFile = root + "missing.csv";
    EXPECT_FALSE(bill::writeBillFromRows(request, summary, message));
    EXPECT_EQ(message, root + "missing.csv: the file cannot be read: No such file or directory.");
    EXPECT_FALSE(fileExists(root + "bill.kvs"));

    request.rowsFile = root + "rows.csv";
    request.billFile = root + "no folder/bill.kvs";
    EXPECT_FALSE(bill::writeBillFromRows(request, summary, message));
    EXPECT_EQ(message, "the bill was not written (eFilerError)");
}
