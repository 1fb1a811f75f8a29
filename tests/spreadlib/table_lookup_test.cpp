// FROMTABLE's look-up over plain sheets: by cell, by headers and key, copying into the calling sheet,
// and what the result holds for each kind of cell.

#include "spreadlib/table_lookup.h"
#include "test_util.h"

namespace spreadlib::test {
namespace {

ValueRecord text(const char* value) {
    ValueRecord record;
    record.setText(value);
    return record;
}
ValueRecord cell(int col, int row) {
    ValueRecord record;
    record.setCell(col, row);
    return record;
}

// Columns "Size", "Weight", "Count", "Note"; rows HEA 100 / hea 200 / HEA 100 again.
class TableLookup : public ::testing::Test {
protected:
    void SetUp() override {
        table.setMaxCols(4);
        table.setMaxRows(3);
        const char* headers[] = {"Size", "Weight", "Count", "Note"};
        for (int c = 1; c <= 4; ++c)
            table.setData(c, kHeader, headers[c - 1]);
        table.SSSetTypeNumber(2, 1, 2, 3, kStyleNumberCell, 2, -1e6, 1e6, false);
        CellType integer;
        integer.code = kTypeInteger;
        table.setCellType(3, 1, 3, 3, integer);
        const char* rows[3][4] = {{"HEA 100", "16.7", "4", "first"},
                                  {"hea 200", "42.3", "6", "second"},
                                  {"HEA 100", "99", "8", "third"}};
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 4; ++c)
                table.setData(c, r, rows[r - 1][c - 1]);
        calling.setMaxCols(3);
        calling.setMaxRows(3);
    }
    ValueRecord look(std::initializer_list<ValueRecord> args) {
        const std::vector<ValueRecord> list(args);
        ValueRecord result;
        result.setLong(-1); // must be replaced
        lookUpTable(table, list.data(), static_cast<int>(list.size()), &calling, result);
        return result;
    }
    Sheet table, calling;
};

TEST_F(TableLookup, HeadersAndKeyFindTheFirstMatchingRowIgnoringLetterCase) {
    ValueRecord result = look({text("t"), text("size"), text("NOTE"), text("HEA 100")});
    ASSERT_EQ(result.status, kStatusValid);
    EXPECT_EQ(result.type, kValueText);
    EXPECT_EQ(result.text, "first");
    result = look({text("t"), text("Size"), text("Weight"), text("HEA 200")});
    ASSERT_EQ(result.status, kStatusValid);
    EXPECT_EQ(result.type, kValueDouble);
    EXPECT_DOUBLE_EQ(result.doubleValue, 42.3);
    result = look({text("t"), text("Size"), text("Count"), text("hea 100")});
    ASSERT_EQ(result.status, kStatusValid);
    EXPECT_EQ(result.type, kValueLong);
    EXPECT_EQ(result.longValue, 4);
    // A key column that matches no header, and a key that matches no row: no value.
    EXPECT_EQ(look({text("t"), text("Profile"), text("Note"), text("HEA 100")}).status, kStatusEmpty);
    EXPECT_EQ(look({text("t"), text("Size"), text("Note"), text("IPE 80")}).status, kStatusEmpty);
}

TEST_F(TableLookup, ArgumentsOfOtherKindsBecomeTexts) {
    // A cell of the calling sheet gives its data text; a range takes the previous argument's text.
    calling.setData(1, 1, "hea 200");
    ValueRecord range;
    range.setRange(1, 1, 2, 2);
    EXPECT_EQ(look({text("t"), text("Size"), text("Note"), cell(1, 1)}).text, "second");
    EXPECT_EQ(look({text("t"), text("Note"), range, text("third")}).text, "third");
    // A number compares by its general text.
    table.setData(4, 2, "6");
    ValueRecord number;
    number.setDouble(6.0);
    EXPECT_EQ(look({text("t"), text("Note"), text("Size"), number}).text, "hea 200");
}

TEST_F(TableLookup, ACellArgumentReadsThatCellOrCopiesItIntoTheCallingSheet) {
    EXPECT_EQ(look({text("t"), cell(4, 3)}).text, "third");
    // Three arguments with a cell last: the text goes into that cell of the calling sheet; no value.
    const ValueRecord copied = look({text("t"), cell(1, 2), cell(2, 3)});
    EXPECT_EQ(copied.status, kStatusEmpty);
    Zrk_String data;
    ASSERT_TRUE(calling.getData(2, 3, data));
    EXPECT_EQ(data, "hea 200");
    // A cell outside the table, and a shape of arguments that names no cell.
    EXPECT_EQ(look({text("t"), cell(5, 1)}).status, kStatusEmpty);
    EXPECT_EQ(look({text("t"), text("Size")}).status, kStatusEmpty);
    int col = 0, row = 0;
    EXPECT_FALSE(findTableCell(table, nullptr, 0, nullptr, col, row));
}

} // namespace
} // namespace spreadlib::test
