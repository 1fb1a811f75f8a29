// Naming new sections after their dimensions, and where a new section goes in its table.

#include <gtest/gtest.h>

#include "core/text.h"
#include "sections/section_naming.h"

using sections::NamingPattern;

namespace {

Zrk_StringArray row(const Zrk_String& name, const Zrk_String& shown, const Zrk_StringArray& dimensions) {
    Zrk_StringArray cells{name, "1", shown, shown, shown, shown};
    cells.append(dimensions);
    return cells;
}

Zrk_ProfValuesTable angles() {
    Zrk_ProfValuesTable table;
    table.tableName = "L";
    table.sectionType = "3";
    table.columnNames = {"SysName", "I/O", "English", "German", "French", "Dutch", "h", "b", "t", "r"};
    for (const char* size : {"40x40x4", "50x50x5", "50x50x6", "60x40x5", "60x60x6", "100x100x10"}) {
        Zrk_StringArray parts;
        splitStringAtSymbol(size, 'x', parts);
        table.rows.append(
            row(size, Zrk_String("L ") + size, {parts[0] + ".0", parts[1] + ".0", parts[2] + ".0", "7.0"}));
    }
    return table;
}

Zrk_ProfValuesTable beams() {
    Zrk_ProfValuesTable table;
    table.tableName = "HEA";
    table.sectionType = "1";
    table.columnNames = {"SysName", "I/O", "English", "German", "French", "Dutch", "Korean", "h", "b"};
    for (const char* size : {"100", "120", "200", "500"}) {
        Zrk_StringArray cells{size, "1", Zrk_String("HEA ") + size, Zrk_String("HE ") + size + " A", "",
                              "",   "K"};
        cells.append(Zrk_StringArray{"96.0", Zrk_String(size) + ".0"});
        table.rows.append(cells);
    }
    return table;
}

} // namespace

TEST(SectionNaming, ThePatternTakesEachNamePartFromAnUntakenDimension) {
    const Zrk_ProfValuesTable table = angles();
    NamingPattern pattern;
    ASSERT_TRUE(sections::findNamingPattern(table, 0, pattern));
    EXPECT_EQ(pattern.row, 0);
    EXPECT_EQ(pattern.parts, (Zrk_Array<int>{0, 1, 2})); // the second 40 is the width, not the height again
    EXPECT_EQ(pattern.prefixes, (Zrk_StringArray{"L ", "L ", "L ", "L "}));

    // HEA 200 is named after its width (the height is 190): the part is found by value.
    Zrk_ProfValuesTable hea = beams();
    ASSERT_TRUE(sections::findNamingPattern(hea, 2, pattern));
    EXPECT_EQ(pattern.parts, (Zrk_Array<int>{1}));
    EXPECT_EQ(pattern.prefixes, (Zrk_StringArray{"HEA ", "HE ", "", "", "K"})); // five languages with Korean

    Zrk_String name;
    ASSERT_TRUE(sections::nameFromDimensions(pattern, {"96", "210.0"}, name));
    EXPECT_EQ(name, "210");
    EXPECT_FALSE(sections::nameFromDimensions(pattern, {"96"}, name));
}

TEST(SectionNaming, ARowWhoseNameTheDimensionsDoNotGiveIsPassedOver) {
    Zrk_ProfValuesTable table = angles();
    table.rows[0][0] = "40x40x5";                                // the 5 is no dimension of the row
    table.rows.insertAt(1, row("Ax2", "Special", {"A", "2.0"})); // a text part matches by text
    NamingPattern pattern;
    ASSERT_TRUE(sections::findNamingPattern(table, 0, pattern));
    EXPECT_EQ(pattern.row, 1);
    EXPECT_EQ(pattern.parts, (Zrk_Array<int>{0, 1}));
    EXPECT_EQ(pattern.prefixes[0], "Special");

    table.rows[1][0] = "Special";
    for (int i = 2; i < table.rows.length(); ++i)
        table.rows[i][0] = "no" + intToStr(i);
    EXPECT_FALSE(sections::findNamingPattern(table, 0, pattern));
    EXPECT_EQ(pattern.row, 1); // untouched
    EXPECT_FALSE(sections::findNamingPattern(Zrk_ProfValuesTable(), 0, pattern));
}

TEST(SectionNaming, NumbersAsNamesShowThemAndAsTablesStoreThem) {
    EXPECT_EQ(sections::shortNumberText("40.0"), "40");
    EXPECT_EQ(sections::shortNumberText(" 5.50 "), "5.5");
    EXPECT_EQ(sections::shortNumberText("-0.0"), "0");
    EXPECT_EQ(sections::shortNumberText(" A "), "A");
    EXPECT_EQ(sections::storedDimensionText(45), "45.0");
    EXPECT_EQ(sections::storedDimensionText(5.25), "5.25");
    EXPECT_EQ(sections::storedDimensionText(0.1), "0.1");
}

TEST(SectionNaming, EqualLegNamesGoAmongTheirFormInTheOrderAPersonReads) {
    const Zrk_ProfValuesTable table = angles();
    EXPECT_EQ(sections::insertionPlace(table, "45x45x5"), 1);
    EXPECT_EQ(sections::insertionPlace(table, "50x50x5"), 2); // after an equal name
    EXPECT_EQ(sections::insertionPlace(table, "70x70x7"), 5); // after 60x60x6, past the unequal 60x40x5
    EXPECT_EQ(sections::insertionPlace(table, "120x120x12"), 6);
    EXPECT_EQ(sections::insertionPlace(table, "30x30x3"), 0); // before the first of its form
    // Unequal legs, and names of a form no row has, go among all names.
    EXPECT_EQ(sections::insertionPlace(table, "60x30x5"), 3);
    EXPECT_EQ(sections::insertionPlace(table, "40x40"), 0);
    EXPECT_EQ(sections::insertionPlace(table, "A"), 6);

    const Zrk_ProfValuesTable hea = beams();
    EXPECT_EQ(sections::insertionPlace(hea, "110"), 1);
    EXPECT_EQ(sections::insertionPlace(hea, "1000"), 4); // not between 100 and 120
    EXPECT_EQ(sections::insertionPlace(hea, "90"), 0);
    EXPECT_EQ(sections::insertionPlace(Zrk_ProfValuesTable(), "1"), 0);
}

TEST(SectionNaming, ASectionNameSplitsWhereItsTableNameEnds) {
    const Zrk_StringArray tables{"HE", "HE-A", "IPE", "L"};
    int table = -2;
    Zrk_String sysName = "old";
    ASSERT_TRUE(sections::splitSectionName(tables, "HE-A-200", table, sysName));
    EXPECT_EQ(table, 1);
    EXPECT_EQ(sysName, "200");
    ASSERT_TRUE(sections::splitSectionName(tables, "HE-300-B", table, sysName)); // the system name holds "-"
    EXPECT_EQ(table, 0);
    EXPECT_EQ(sysName, "300-B");
    ASSERT_TRUE(sections::splitSectionName(tables, "L", table, sysName));
    EXPECT_EQ(table, 3);
    EXPECT_EQ(sysName, "");
    ASSERT_TRUE(sections::splitSectionName(tables, "L-", table, sysName));
    EXPECT_EQ(sysName, "");
    EXPECT_FALSE(sections::splitSectionName(tables, "IPEX-100", table, sysName)); // not the table "IPE"
    EXPECT_EQ(table, -1);
    EXPECT_FALSE(sections::splitSectionName(tables, "", table, sysName));
}
