// A section table shown in a grid and taken back, as the section library editor does.

#include <gtest/gtest.h>

#include "host/module_entry.h"
#include "sections/prof_values_table.h"
#include "spread/zrk_spread.h"
#include "spreadlib/constants.h"
#include "ui/dialog.h"
#include "ui/resources.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

constexpr int kTemplate = 9560;
constexpr int kPlaceholder = 1196;

class TableHost : public ui::Dialog {
public:
    TableHost() : ui::Dialog(kTemplate) {}
    Zrk_Spread grid;

protected:
    bool onInitDialog() override {
        grid.attach(this, kPlaceholder);
        grid.applyStandardLook(true);
        return true;
    }
};

class ProfValuesGrid : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1);
        ui::hostResources().addTemplate(ui::DialogTemplate(kTemplate, "Sections", 400, 220, {
            {kPlaceholder, ui::Kind::Placeholder, "", 5, 5, 390, 210},
        }));
    }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }
    void SetUp() override {
        ASSERT_TRUE(host.create());
        ASSERT_TRUE(host.grid.attached);
        table.tableName = "HEA";
        table.sectionType = "1";
        table.columnNames = {"Name", "Active", "English", "German", "French", "Dutch", "Korean", "h", "b"};
        table.rows = {
            {"200", "1", "HEA 200", "HE 200 A", "HEA 200", "HEA 200", "HEA 200K", "190.0", "200.0"},
            {"220", "0", "HEA 220", "HE 220 A", "HEA 220", "HEA 220", "HEA 220K", "210.0", "220.0"},
        };
    }
    void TearDown() override { host.destroyWindow(); }
    Zrk_String text(int column, int row) {
        Zrk_String value;
        EXPECT_TRUE(host.grid.getCellText(column, row, value));
        return value;
    }

    inline static int instance = 0;
    TableHost host;
    Zrk_ProfValuesTable table;
};

} // namespace

TEST_F(ProfValuesGrid, ShowsTheTableAndTakesItBack) {
    Zrk_Spread& grid = host.grid;
    // Whatever the grid held before goes.
    grid.setNrCols(12);
    grid.setNrRows(5);
    grid.setCellText(11, 5, "old");
    ASSERT_TRUE(table.setToSS(&grid));
    EXPECT_EQ(grid.getNrRows(), 2);
    EXPECT_EQ(grid.getNrCols(), 9);
    EXPECT_EQ(text(1, 0), "Name");
    EXPECT_EQ(text(9, 0), "b");
    EXPECT_EQ(text(-32767, 1), "HEA");
    EXPECT_EQ(text(-32767, 2), "HEA");
    EXPECT_EQ(text(1, 2), "220");
    EXPECT_EQ(text(8, 1), "190.0");
    // The active flags are check boxes, shown as they are stored.
    EXPECT_EQ(grid.getCellTypeCode(2, 1), grid.getCellTypeCode(2, 2));
    EXPECT_NE(grid.getCellTypeCode(2, 1), grid.getCellTypeCode(3, 1));
    EXPECT_EQ(text(2, 1), "1");
    EXPECT_EQ(text(2, 2), "0");
    EXPECT_FALSE(grid.getBool(spreadlib::kOptionChanged));

    // An edit in the grid comes back; the rest is the table as it was.
    grid.setCellText(3, 2, "HEA 220 (old)");
    grid.setCellText(2, 2, "1");
    Zrk_ProfValuesTable back;
    ASSERT_TRUE(back.getFromSS(&grid));
    EXPECT_EQ(back.tableName, "HEA");
    EXPECT_EQ(back.columnNames, table.columnNames);
    ASSERT_EQ(back.rows.length(), 2);
    EXPECT_EQ(back.rows[0], table.rows[0]);
    EXPECT_EQ(back.rows[1][2], "HEA 220 (old)");
    EXPECT_EQ(back.rows[1][1], "1");
    EXPECT_EQ(back.getNrLanguages(), 5);
}

TEST_F(ProfValuesGrid, CellsBeyondTheHeadersSurviveTheGrid) {
    table.rows[1].append("extra");
    ASSERT_TRUE(table.setToSS(&host.grid));
    EXPECT_EQ(host.grid.getNrCols(), 10);
    Zrk_ProfValuesTable back;
    ASSERT_TRUE(back.getFromSS(&host.grid));
    EXPECT_EQ(back.rows[1][9], "extra");
    EXPECT_EQ(back.rows[0][9], "");
    EXPECT_EQ(back.columnNames[9], "");

    // A table read without headers shows its rows all the same.
    Zrk_ProfValuesTable bare;
    bare.tableName = "B";
    bare.rows = {{"1", "1", "B 1"}};
    ASSERT_TRUE(bare.setToSS(&host.grid));
    ASSERT_TRUE(back.getFromSS(&host.grid));
    EXPECT_EQ(back.rows, bare.rows);
    EXPECT_EQ(back.tableName, "B");
}

TEST_F(ProfValuesGrid, EmptyTablesAndGrids) {
    Zrk_Spread& grid = host.grid;
    ASSERT_TRUE(table.setToSS(&grid));
    Zrk_ProfValuesTable empty;
    EXPECT_FALSE(empty.setToSS(&grid));
    EXPECT_EQ(grid.getNrRows(), 0);
    EXPECT_EQ(grid.getNrCols(), 0);

    // Nothing to take back: the table stays as it was.
    const Zrk_ProfValuesTable before = table;
    EXPECT_FALSE(table.getFromSS(&grid));
    EXPECT_FALSE(table.getFromSS(nullptr));
    EXPECT_FALSE(table.setToSS(nullptr));
    Zrk_Spread unattached;
    EXPECT_FALSE(table.setToSS(&unattached));
    EXPECT_FALSE(table.getFromSS(&unattached));
    EXPECT_EQ(table.rows, before.rows);
    EXPECT_EQ(table.tableName, "HEA");
}
