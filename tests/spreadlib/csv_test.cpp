// CSV import and export: RFC 4180 quoting, UTF-8, formulas and apostrophes, the header option.
#include "spreadlib/csv.h"
#include "test_util.h"

namespace spreadlib::test {
namespace {

TEST(Csv, ParsesQuotedFieldsAndLineEnds) {
    std::vector<Zrk_StringArray> records;
    Zrk_String message;
    ASSERT_TRUE(parseCsv("\xEF\xBB\xBF" "a,\"b,c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",,\r\nlast", records, message));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], (Zrk_StringArray{"a", "b,c", "say \"hi\""}));
    EXPECT_EQ(records[1], (Zrk_StringArray{"two\nlines", "", ""}));
    EXPECT_EQ(records[2], (Zrk_StringArray{"last"}));
    ASSERT_TRUE(parseCsv("x\n", records, message));
    EXPECT_EQ(records.size(), 1u);
    ASSERT_TRUE(parseCsv("", records, message));
    EXPECT_TRUE(records.empty());
    // UTF-8 becomes the module's 8-bit text.
    ASSERT_TRUE(parseCsv("caf\xC3\xA9,\xE2\x82\xAC", records, message));
    EXPECT_EQ(records[0], (Zrk_StringArray{"caf\xE9", "\x80"}));
    EXPECT_FALSE(parseCsv("a\n\"open,b\nc", records, message));
    EXPECT_EQ(message, "line 2: a quoted field is not closed");
    EXPECT_FALSE(parseCsv("\"a\"b,c", records, message));
    EXPECT_EQ(message, "line 1: text follows the closing quote of a field");
}

// A field longer than a cell takes is refused where it stands (a sheet made of it could not be saved
// and read again); one of the longest length round-trips.
TEST(Csv, AFieldLongerThanACellTakesIsRefused) {
    std::vector<Zrk_StringArray> records;
    Zrk_String message;
    const std::string longest(static_cast<std::size_t>(kMaxCellTextLength), 'x');
    ASSERT_TRUE(parseCsv("a," + longest + "\n", records, message)) << message;
    EXPECT_EQ(records[0][1].size(), longest.size());
    EXPECT_FALSE(parseCsv("a\nb,c," + longest + "y\nd", records, message));
    EXPECT_EQ(message, "line 2, field 3: the text is longer than the 1048576 characters a cell holds");
    EXPECT_FALSE(parseCsv("\"" + longest + "z\"", records, message));
    EXPECT_EQ(message, "line 1, field 1: the text is longer than the 1048576 characters a cell holds");

    Sheet sheet;
    sheet.setData(1, 1, "keep me");
    EXPECT_FALSE(sheet.importCsvText(longest + "!", "big.csv", false, message));
    EXPECT_EQ(message, "big.csv: line 1, field 1: the text is longer than the 1048576 characters a cell holds.");
    Zrk_String text;
    sheet.getData(1, 1, text);
    EXPECT_EQ(text, "keep me");
    ASSERT_TRUE(sheet.importCsvText("\"" + longest + "\"", "big.csv", false, message)) << message;
    const std::string back = sheet.exportCsvText(false, false);
    ASSERT_TRUE(sheet.importCsvText(back, "back.csv", false, message)) << message;
    sheet.getData(1, 1, text);
    EXPECT_EQ(text, longest);
}

TEST(Csv, WritesWhatItReads) {
    const std::vector<Zrk_StringArray> records{{"plain", "with,comma", "with \"quote\""}, {" padded", "line\nbreak", ""}};
    const std::string text = writeCsv(records);
    EXPECT_EQ(text, "plain,\"with,comma\",\"with \"\"quote\"\"\"\r\n\" padded\",\"line\nbreak\",\r\n");
    std::vector<Zrk_StringArray> back;
    Zrk_String message;
    ASSERT_TRUE(parseCsv(text, back, message));
    EXPECT_EQ(back, records);
}

TEST(Csv, ImportFillsCellsFromTheTopLeft) {
    Sheet sheet;
    sheet.setData(10, 10, "old");
    Zrk_String message;
    ASSERT_TRUE(sheet.importCsvText("Name,Size,Double\nplate,10,=B1*2\n'=B2,'007,=SUM(B1:B3)\nbolt,5,=NOPE(\n",
                                    "in.csv", true, message))
        << message;
    EXPECT_EQ(sheet.getMaxCols(), 3);
    EXPECT_EQ(sheet.getMaxRows(), 3);
    Zrk_String text;
    sheet.getValue(2, kHeader, text);
    EXPECT_EQ(text, "Size");
    EXPECT_EQ(valueOf(sheet, 1, 1), "plate");
    EXPECT_EQ(valueOf(sheet, 3, 1), "20");
    EXPECT_EQ(valueOf(sheet, 1, 2), "=B2");    // the apostrophe keeps it text
    EXPECT_EQ(valueOf(sheet, 2, 2), "007");
    EXPECT_EQ(valueOf(sheet, 3, 2), "15");    // the text "007" is no number in SUM
    EXPECT_EQ(valueOf(sheet, 3, 3), "=NOPE("); // no formula: kept as text
    EXPECT_TRUE(sheet.getBool(kOptionChanged));
    // Without the header option the first record is row 1.
    ASSERT_TRUE(sheet.importCsvText("a,b\n1,2\n", "in.csv", false, message));
    EXPECT_EQ(valueOf(sheet, 1, 1), "a");
    EXPECT_EQ(valueOf(sheet, 2, 2), "2");
    // A bad file changes nothing.
    EXPECT_FALSE(sheet.importCsvText("\"x", "bad.csv", false, message));
    EXPECT_EQ(message, "bad.csv: line 1: a quoted field is not closed.");
    EXPECT_EQ(valueOf(sheet, 1, 1), "a");
}

TEST(Csv, ExportRoundTrips) {
    Sheet sheet;
    sheet.setData(1, kHeader, "Name");
    sheet.setData(2, kHeader, "Length");
    sheet.setData(1, 1, "=not a formula");
    sheet.setData(2, 1, "12.5");
    sheet.setData(1, 2, "12", true);
    sheet.setFormula(2, 2, "B1*2");
    sheet.setData(3, 3, "caf\xE9, \"bar\"");
    const std::string text = sheet.exportCsvText(true, false);
    EXPECT_EQ(text, "Name,Length,\r\n'=not a formula,12.5,\r\n'12,=B1*2,\r\n,,\"caf\xC3\xA9, \"\"bar\"\"\"\r\n");
    EXPECT_EQ(sheet.exportCsvText(false, true), "'=not a formula,12.5,\r\n'12,25,\r\n,,\"caf\xC3\xA9, \"\"bar\"\"\"\r\n");
    Sheet back;
    Zrk_String message;
    // Header texts are names and come back as they stand, apostrophes and all.
    ASSERT_TRUE(back.importCsvText("'Name,=Size\r\n", "names.csv", true, message)) << message;
    Zrk_String header;
    back.getValue(1, kHeader, header);
    EXPECT_EQ(header, "'Name");
    EXPECT_EQ(back.exportCsvText(true, false), "'Name,=Size\r\n");
    ASSERT_TRUE(back.importCsvText(text, "out.csv", true, message)) << message;
    EXPECT_EQ(back.exportCsvText(true, false), text);
    EXPECT_EQ(valueOf(back, 2, 2), "25");
}

} // namespace
} // namespace spreadlib::test
