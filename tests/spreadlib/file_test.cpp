// The library's spreadsheet files: everything a sheet holds comes back; a bad file changes nothing
// and says what is wrong and where.
#include <filesystem>
#include <fstream>

#include "core/files.h"
#include "test_util.h"

namespace spreadlib::test {
namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("spreadlib-files-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    Zrk_String path(const char* name) const { return (folder / name).string(); }
    fs::path folder;
};

// A sheet with one of everything.
void fill(Sheet& sheet) {
    sheet.setMaxCols(8);
    sheet.setMaxRows(12);
    sheet.setData(1, 1, "Width");
    sheet.setData(2, 1, "007", true);
    sheet.setData(3, 1, "caf\xE9 \x80 \x81"); // 8-bit text, undefined bytes included
    sheet.SSSetTypeNumber(1, 2, 2, 3, kStyleNumberCellVariant, 3, -100, 100, true);
    sheet.setValue(1, 2, "12.3456");
    sheet.setFormula(2, 2, "A2*2");
    sheet.setFormula(3, 2, "IF(A2>1,\"big\",1/0)");
    sheet.setFormula(4, 2, "LOOKUPX(A2)"); // a function registered later
    sheet.setFormula(5, 2, "1/0");
    sheet.setFormula(6, 2, "A2>1");
    sheet.setCellType(1, 4, 1, 4, CellType::combo(kStyleComboCell, "M12\tM16\tM20"));
    const std::uintptr_t pictures[6] = {1, 2, 3, 4, 5, 6};
    sheet.setCellType(2, 4, 2, 4, CellType::checkBoxPictures(kStyleCheckBoxPictures, pictures));
    sheet.setCellType(3, 4, 3, 4, CellType::edit(kStyleTextCell, 200));
    sheet.setCellType(4, 4, 4, 4, CellType::button(0, "Pick"));
    sheet.setData(kHeader, 2, "second");
    sheet.setData(2, kHeader, "Name");
    sheet.SSSetCellTag(0, 0, "defaultFont\xA4" "4\xA4Tahoma\xA4");
    sheet.SSSetCellTag(5, 5, "tag\nwith lines");
    sheet.setLock(1, 1, 2, 1, true);
    sheet.SSAddCellSpan(4, 6, 2, 2);
    FontSpec bold;
    bold.face = "Arial";
    bold.weight = kFontWeightBold;
    bold.italic = true;
    sheet.setFont(0, 0, 8, 0, bold);
    sheet.setColor(1, 7, 2, 7, rgb(164, 209, 255), rgb(1, 2, 3));
    sheet.setBorder(1, 7, 2, 8, kBorderAll, kBorderStyleSolid, kColorDefault);
    sheet.setColWidthInPixels(0, 30);
    sheet.setColWidth(3, 12.5);
    sheet.setRowHeightInPixels(0, 25);
    sheet.setBool(kOptionGridLines, false);
    sheet.setBool(kOptionCellOverflow, true);
    sheet.SSSetAppearance(1);
    sheet.SSSetSelColor(rgb(10, 36, 106), rgb(255, 255, 255));
    sheet.setGrayAreaColor(rgb(192, 192, 192), kColorDefault);
    sheet.setShadowColor(rgb(230, 230, 230), kColorDefault);
    sheet.setGridType(7);
    sheet.setGridColor(rgb(50, 50, 50));
    TextTipSettings tip;
    tip.mode = 2;
    tip.delay = 10;
    sheet.SSSetTextTip(tip);
    sheet.setActiveCell(3, 4);
    sheet.setSelBlock(1, 1, 2, 3);
}

TEST_F(Files, EverythingRoundTrips) {
    Sheet sheet;
    fill(sheet);
    Zrk_String message;
    ASSERT_TRUE(sheet.saveToFile(path("a.kvs"), message)) << message;
    Sheet loaded;
    ASSERT_TRUE(loaded.loadFromFile(path("a.kvs"), message)) << message;
    // Saving again gives the same bytes: nothing was lost or changed on the way.
    EXPECT_EQ(loaded.saveToText(), sheet.saveToText());
    EXPECT_EQ(valueOf(loaded, 1, 2), "12.346");
    EXPECT_EQ(valueOf(loaded, 2, 2), "24.692");
    EXPECT_EQ(valueOf(loaded, 3, 1), "caf\xE9 \x80 \x81");
    EXPECT_EQ(valueOf(loaded, 4, 2), "#NAME?");
    EXPECT_EQ(valueOf(loaded, 5, 2), "#DIV/0!");
    EXPECT_EQ(valueOf(loaded, 6, 2), "TRUE");
    double number = 0;
    EXPECT_FALSE(loaded.getFloat(2, 1, number)); // "007" stays text
    Zrk_String tag;
    loaded.SSGetCellTag(kHeader, kHeader, tag);
    EXPECT_EQ(tag, "defaultFont\xA4" "4\xA4Tahoma\xA4");
    EXPECT_TRUE(loaded.getLock(2, 1));
    CellType button;
    ASSERT_TRUE(loaded.getCellType(4, 4, button));
    EXPECT_EQ(button.code, kTypeButton);
    EXPECT_EQ(button.text, "Pick");
    int col = 0, row = 0, cols = 0, rows = 0;
    EXPECT_TRUE(loaded.SSGetCellSpan(5, 7, col, row, cols, rows));
    FontSpec font;
    loaded.getFont(3, 0, font);
    EXPECT_EQ(font.face, "Arial");
    EXPECT_TRUE(font.italic);
    EXPECT_FALSE(loaded.getBool(kOptionGridLines));
    EXPECT_FALSE(loaded.getBool(kOptionChanged));
    loaded.getActiveCell(col, row);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 4);
}

TEST_F(Files, APictureCellKeepsItsPictureWhenTheFileIsGone) {
    // Any bytes do: the sheet keeps them as they are; only the grid decodes them.
    std::string bytes = "BM";
    for (int i = 0; i < 300; ++i) bytes += static_cast<char>(i * 7);
    ASSERT_TRUE(writeFileAtomically(path("row.bmp"), bytes));
    Sheet sheet;
    sheet.setMaxCols(2);
    sheet.setMaxRows(2);
    ASSERT_TRUE(sheet.setCellType(2, 2, 2, 2, CellType::pictureFile(kStylePictureFile, path("row.bmp"))));
    fs::remove(folder / "row.bmp"); // the bill deletes each row's picture once the cell has it

    Zrk_String message;
    ASSERT_TRUE(sheet.saveToFile(path("bill.kvs"), message)) << message;
    Sheet loaded;
    ASSERT_TRUE(loaded.loadFromFile(path("bill.kvs"), message)) << message;
    CellType type;
    ASSERT_TRUE(loaded.getCellType(2, 2, type));
    ASSERT_FALSE(type.pictureData.isEmpty());
    EXPECT_EQ(*type.pictureData.bytes, bytes);

    // A missing file gives a picture cell without picture; damaged picture data is refused.
    EXPECT_TRUE(CellType::pictureFile(kStylePictureFile, path("missing.bmp")).pictureData.isEmpty());
    std::string text = loaded.saveToText();
    const std::size_t at = text.find("\"pictureData\": \"");
    ASSERT_NE(at, std::string::npos) << text.substr(0, 400);
    text.insert(at + 16, "*");
    EXPECT_FALSE(loaded.loadFromText(text, "bad.kvs", message));
    EXPECT_NE(message.find("pictureData"), Zrk_String::npos) << message;
}

TEST_F(Files, LoadKeepsTheProgramsOptionsAndCachedValues) {
    Sheet sheet;
    sheet.setData(1, 1, "2");
    sheet.setFormula(1, 2, "A1*3");
    sheet.setBool(kOptionEditing, false);
    const std::string text = sheet.saveToText();
    Sheet loaded;
    loaded.setBool(kOptionAutoCalc, false);
    loaded.setBool(kOptionUserFormulas, true);
    Zrk_String message;
    ASSERT_TRUE(loaded.loadFromText(text, "x.kvs", message)) << message;
    EXPECT_FALSE(loaded.getBool(kOptionAutoCalc));
    EXPECT_TRUE(loaded.getBool(kOptionUserFormulas));
    EXPECT_TRUE(loaded.getBool(kOptionEditing)); // the program's, not the file's
    EXPECT_EQ(valueOf(loaded, 1, 2), "6");    // the stored result, without recalculating
    loaded.setData(1, 1, "5");
    ASSERT_TRUE(loaded.SSReCalcCell(1, 2));
    EXPECT_EQ(valueOf(loaded, 1, 2), "15");
}

TEST_F(Files, BadFilesChangeNothingAndSayWhy) {
    Sheet sheet;
    sheet.setData(1, 1, "keep me");
    Sheet good;
    good.setMaxCols(3);
    good.setMaxRows(3);
    good.setData(1, 1, "x");
    const std::string valid = good.saveToText();
    auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = valid;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::pair<std::string, std::string> cases[] = {
        {"", "not a spreadsheet file"},
        {"{\"format\": \"spreadsheet\", \"version\": 1, \"columns\": 2, \"rows\": 2, \"cells\": [",
         "line 1, column"},
        {"[1, 2]", "expected a JSON object"},
        {replace("\"spreadsheet\"", "\"other\""), "\"format\" must be"},
        {replace("\"version\": 1", "\"version\": 7"), "format version 7"},
        {replace("\"columns\": 3", "\"columns\": -3"), "file.columns: expected a number from 0 to 16384"},
        {replace("\"rows\": 3", "\"rows\": \"3\""), "file.rows: expected a whole number"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "{\"c\": 9, \"r\": 1, \"text\": \"x\"}"),
         "file.cells[0].c"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "{\"c\": 1, \"r\": 1, \"formula\": \"1+\"}"),
         "file.cells[0].formula: Expected a value"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}",
                 "{\"c\": 1, \"r\": 1, \"text\": \"x\", \"number\": 1}"),
         "not several"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}",
                 "{\"c\": 1, \"r\": 1, \"text\": \"x\"}, {\"c\": 1, \"r\": 1, \"text\": \"y\"}"),
         "given twice"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "{\"c\": 1, \"r\": 1, \"type\": 3}"),
         "file.cells[0].type"},
        {replace("\"spans\": []", "\"spans\": [[1, 1, 9, 1]]"), "file.spans[0]: the span lies outside"},
        {replace("\"types\": []", "\"types\": [{\"code\": 99}]"), "file.types[0].code"},
        {replace("\"types\": []", "\"types\": [{\"code\": 14, \"min\": 5, \"max\": 1}]"),
         "the minimum is above the maximum"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}",
                 "{\"c\": 1, \"r\": 1, \"formula\": \"1\", \"result\": {\"error\": \"#OOPS\"}}"),
         "unknown error value"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "{\"c\": 0, \"r\": 1, \"formula\": \"1\"}"),
         "a header cell cannot hold a formula"},
        // What the reader of cells checks of each entry's kind.
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "{\"c\": 1.5, \"r\": 1, \"text\": \"x\"}"),
         "file.cells[0].c: expected a whole number"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "{\"c\": 18446744073709551615, \"r\": 1}"),
         "file.cells[0].c: expected a number from 0 to 3"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "{\"c\": 1, \"r\": 1, \"text\": 7}"),
         "file.cells[0].text: expected a text"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "{\"c\": 1, \"r\": 1, \"number\": \"7\"}"),
         "file.cells[0].number: expected a finite number"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "{\"c\": 1, \"r\": 1, \"locked\": 1}"),
         "file.cells[0].locked: expected true or false"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "7"), "file.cells[0]: expected an object"},
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}",
                 "{\"c\": 1, \"r\": 1, \"formula\": \"1\", \"result\": [1]}"),
         "file.cells[0].result: expected a number"},
        // A number beyond what a double holds is refused as a whole, and said so.
        {replace("{\"c\": 1, \"r\": 1, \"text\": \"x\"}", "{\"c\": 1, \"r\": 1, \"number\": 1e400}"),
         "not a spreadsheet file (number overflow parsing '1e400')"},
    };
    for (const auto& [text, fault] : cases) {
        Zrk_String message;
        EXPECT_FALSE(sheet.loadFromText(text, "bad.kvs", message)) << text;
        EXPECT_EQ(message.rfind("bad.kvs: ", 0), 0u) << message;
        EXPECT_NE(message.find(fault), Zrk_String::npos) << message;
        EXPECT_EQ(valueOf(sheet, 1, 1), "keep me");
        EXPECT_EQ(sheet.getMaxCols(), kDefaultColumnCount);
    }
    Zrk_String message;
    EXPECT_FALSE(sheet.loadFromFile(path("missing.kvs"), message));
    EXPECT_NE(message.find("missing.kvs: the file does not exist"), Zrk_String::npos);
}

TEST_F(Files, EntriesGivenTwiceAndCellListsInSeveralPartsRead) {
    // A key given twice counts with its last value, in the sheet's entries and in a cell's; every
    // list of cells counts, in the order of the file.
    const std::string text = R"({"format": "spreadsheet", "version": 1, "columns": 2, "rows": 2, "rows": 3,
        "cells": [{"c": 1, "r": 1, "text": "first", "c": 2}],
        "cells": [{"c": 1, "r": 3, "number": 4}, {"c": 1, "r": 2, "formula": "A3*2", "result": 8}]})";
    Sheet sheet;
    Zrk_String message;
    ASSERT_TRUE(sheet.loadFromText(text, "twice.kvs", message)) << message;
    EXPECT_EQ(sheet.getMaxRows(), 3);
    EXPECT_EQ(valueOf(sheet, 2, 1), "first");
    EXPECT_EQ(valueOf(sheet, 1, 1), "");
    EXPECT_EQ(valueOf(sheet, 1, 2), "8");
    EXPECT_EQ(formulaOf(sheet, 1, 2), "A3*2");
    // A list of cells that is no list is refused.
    EXPECT_FALSE(
        sheet.loadFromText(R"({"format": "spreadsheet", "version": 1, "columns": 2, "rows": 2, "cells": 3})",
                           "bad.kvs", message));
    EXPECT_NE(message.find("file.cells: expected a list of cells"), Zrk_String::npos) << message;
}

TEST_F(Files, SavingIsAtomicAndNamesAreFoundIgnoringCase) {
    Sheet sheet;
    sheet.setData(1, 1, "first");
    Zrk_String message;
    ASSERT_TRUE(sheet.saveToFile(path("Sheet.KVS"), message));
    Sheet loaded;
    ASSERT_TRUE(loaded.loadFromFile(path("sheet.kvs"), message)) << message;
    EXPECT_EQ(valueOf(loaded, 1, 1), "first");
    // A folder that does not exist: the save fails with a message and writes nothing.
    EXPECT_FALSE(sheet.saveToFile(path("no/such/folder/x.kvs"), message));
    EXPECT_EQ(message, path("no/such/folder/x.kvs") + " cannot be written: the folder " + path("no/such/folder/") +
                           " does not exist.");
    // A failed save leaves the old file whole; only finished files are ever seen.
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) files += entry.is_regular_file();
    EXPECT_EQ(files, 1u);
}

// Every file the library writes, it reads back: at the reader's limits a sheet round-trips, beyond
// them the save is refused with the place and writes nothing.
TEST_F(Files, TheWriterKeepsTheReadersLimits) {
    Sheet sheet;
    sheet.setMaxCols(3);
    sheet.setMaxRows(3);
    // A text of the longest length, of the byte that takes most in UTF-8 (0x80, the euro sign).
    const Zrk_String longest(static_cast<std::size_t>(kMaxCellTextLength), '\x80');
    ASSERT_TRUE(sheet.setData(1, 1, longest));
    ASSERT_TRUE(sheet.SSSetCellTag(2, 1, longest));
    EXPECT_FALSE(sheet.setData(1, 2, longest + "x")); // the model refuses more
    const std::string formula = "1" + std::string(static_cast<std::size_t>(kMaxFormulaLength) - 1, ' ');
    ASSERT_TRUE(sheet.setFormula(1, 3, formula));
    Zrk_String message;
    ASSERT_TRUE(sheet.saveToFile(path("limits.kvs"), message)) << message;
    Sheet loaded;
    ASSERT_TRUE(loaded.loadFromFile(path("limits.kvs"), message)) << message;
    Zrk_String text;
    loaded.getData(1, 1, text);
    EXPECT_EQ(text, longest);
    loaded.SSGetCellTag(2, 1, text);
    EXPECT_EQ(text, longest);

    // Settings the calls take without a check, beyond what the reader takes: refused, nothing written.
    const auto refused = [&](Sheet& faulty, const std::string& what) {
        EXPECT_FALSE(faulty.saveToFile(path("faulty.kvs"), message)) << what;
        EXPECT_EQ(message.rfind(path("faulty.kvs") + ": the spreadsheet is not saved, as it could not be read again: ", 0), 0u)
            << message;
        EXPECT_NE(message.find(what), Zrk_String::npos) << message;
        EXPECT_FALSE(fs::exists(folder / "faulty.kvs"));
    };
    Sheet fonts;
    FontSpec huge;
    huge.height = 5000;
    fonts.setFont(1, 1, 1, 1, huge);
    refused(fonts, "formats[0].font.height: 5000 lies outside 0 to 1000");
    Sheet types;
    CellType decimals = CellType::number(kStyleNumberCell, 2, 0, 1, false);
    decimals.decimals = 40; // the factory keeps to the range, a type changed afterwards need not
    types.setCellType(2, 2, 2, 2, decimals);
    refused(types, "types[0].decimals: 40 lies outside 0 to 15");
    Sheet tips;
    TextTipSettings tip;
    tip.delay = -5;
    tips.SSSetTextTip(tip);
    refused(tips, "textTip.delay");
    // A formula written in R1C1 style that comes out longer in A1 style, as the file holds it.
    Sheet r1c1;
    r1c1.setMaxCols(16384);
    r1c1.setMaxRows(1048576);
    r1c1.SSSetRefStyle(kRefStyleR1C1);
    std::string sum = "RC[-1]";
    while (sum.size() + 7 <= static_cast<std::size_t>(kMaxFormulaLength)) sum += "+RC[-1]";
    ASSERT_TRUE(r1c1.setFormula(16384, 1048576, sum, false));
    refused(r1c1, "cell (16384, 1048576): the formula is longer than 8192 characters in A1 style");
}

} // namespace
} // namespace spreadlib::test
