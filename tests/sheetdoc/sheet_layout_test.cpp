// The sheet-layout dialog (template 176): counts, header sizes and names of a grid, names typed into
// the previews kept while the counts change.

#include "../spread/grid_host.h"
#include "sheetdoc/dlg_sheet_layout.h"

using namespace gridtest;
using namespace spreadlib;

namespace {

DlgSheetLayout& layoutOf(ui::DialogUser& u) {
    return static_cast<DlgSheetLayout&>(u.dialog());
}

class SheetLayout : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        shape(3, 2);
        grid().setColumnHeaders({"A1", "B1", "C1"});
        grid().setRowHeaders({"First", "Second"});
        grid().setRowHeightInPixels(0, 24);
        grid().setColWidthInPixels(0, 70);
        grid().fillRow(1, {"x", "y", "z"});
        grid().setBool(kOptionChanged, false);
    }
};

} // namespace

TEST_F(SheetLayout, OpensWithTheGridsLayoutInEditsAndPreviews) {
    user.onDialog(DlgSheetLayout::kTemplate, [](ui::DialogUser& u) {
        DlgSheetLayout& d = layoutOf(u);
        EXPECT_EQ(d.title(), dialString(1369));
        EXPECT_EQ(d.itemText(DlgSheetLayout::kIntro), dialString(1370) + "\n" + dialString(1371));
        EXPECT_EQ(d.itemText(DlgSheetLayout::kRowHeaderWidthLabel), dialString(1376));
        EXPECT_EQ(d.itemInt(DlgSheetLayout::kColumns), 3);
        EXPECT_EQ(d.itemInt(DlgSheetLayout::kRows), 2);
        EXPECT_EQ(d.itemInt(DlgSheetLayout::kHeaderHeight), 24);
        EXPECT_EQ(d.itemInt(DlgSheetLayout::kRowHeaderWidth), 70);
        Zrk_StringArray names;
        d.columnPreview.readRow(1, names);
        EXPECT_EQ(names, (Zrk_StringArray{"A1", "B1", "C1"}));
        EXPECT_EQ(d.columnPreview.getNrRows(), 1);
        d.rowPreview.readColumn(1, names);
        EXPECT_EQ(names, (Zrk_StringArray{"First", "Second"}));
        EXPECT_EQ(d.rowPreview.getNrCols(), 1);
        EXPECT_TRUE(d.columnPreview.getBool(kOptionHorizontalScrollBar));
        EXPECT_FALSE(d.columnPreview.getBool(kOptionVerticalScrollBar));
        EXPECT_FALSE(d.rowPreview.getBool(kOptionHorizontalScrollBar));
        EXPECT_TRUE(d.rowPreview.getBool(kOptionVerticalScrollBar));
        for (Zrk_Spread* preview : {&d.columnPreview, &d.rowPreview}) {
            EXPECT_FALSE(preview->getBool(kOptionRowHeaders));
            EXPECT_FALSE(preview->getBool(kOptionColumnHeaders));
        }
        int pixels = 0;
        d.columnPreview.getRowHeightInPixels(1, pixels);
        EXPECT_EQ(pixels, 24);
        d.rowPreview.getColWidthInPixels(1, pixels);
        EXPECT_EQ(pixels, 70);
        u.typeText(DlgSheetLayout::kHeaderHeight, "30");
        d.columnPreview.getRowHeightInPixels(1, pixels);
        EXPECT_EQ(pixels, 30);
        u.typeText(DlgSheetLayout::kRowHeaderWidth, "45");
        d.rowPreview.getColWidthInPixels(1, pixels);
        EXPECT_EQ(pixels, 45);
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(editSheetLayout(grid()));
    EXPECT_EQ(grid().getNrCols(), 3);
    EXPECT_FALSE(grid().getBool(kOptionChanged));
}

TEST_F(SheetLayout, TypedNamesSurviveCountChangesAndOkAppliesEverything) {
    grid().fillRow(2, {"p", "q", "r"});
    user.onDialog(DlgSheetLayout::kTemplate, [](ui::DialogUser& u) {
        DlgSheetLayout& d = layoutOf(u);
        d.columnPreview.setCellText(2, 1, "Typed"); // typed into the preview
        d.rowPreview.setCellText(1, 2, "Renamed");
        u.typeText(DlgSheetLayout::kColumns, "1");
        EXPECT_EQ(d.columnPreview.getNrCols(), 1);
        u.typeText(DlgSheetLayout::kColumns, ""); // no count while typing: nothing changes
        EXPECT_EQ(d.columnPreview.getNrCols(), 1);
        u.typeText(DlgSheetLayout::kColumns, "4");
        Zrk_StringArray names;
        d.columnPreview.readRow(1, names);
        EXPECT_EQ(names, (Zrk_StringArray{"A1", "Typed", "C1", ""}));
        u.typeText(DlgSheetLayout::kRows, "1");
        u.typeText(DlgSheetLayout::kRows, "3");
        d.rowPreview.readColumn(1, names);
        EXPECT_EQ(names, (Zrk_StringArray{"First", "Renamed", ""}));
        d.rowPreview.setCellText(1, 3, "Third");
        u.typeText(DlgSheetLayout::kHeaderHeight, "28");
        u.typeText(DlgSheetLayout::kRowHeaderWidth, "90");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(editSheetLayout(grid()));
    EXPECT_EQ(grid().getNrCols(), 4);
    EXPECT_EQ(grid().getNrRows(), 3);
    Zrk_StringArray names;
    grid().getColumnHeaders(names);
    EXPECT_EQ(names, (Zrk_StringArray{"A1", "Typed", "C1", ""}));
    grid().getRowHeaders(names);
    EXPECT_EQ(names, (Zrk_StringArray{"First", "Renamed", "Third"}));
    int pixels = 0;
    grid().getRowHeightInPixels(0, pixels);
    EXPECT_EQ(pixels, 28);
    grid().getColWidthInPixels(0, pixels);
    EXPECT_EQ(pixels, 90);
    EXPECT_EQ(text(2, 1), "y"); // the cells stay
    EXPECT_EQ(text(1, 3), "");  // new rows and columns come empty, not as copies
    EXPECT_EQ(text(4, 1), "");
    FontSpec font;
    grid().getFont(0, 3, font);
    EXPECT_EQ(font.weight, kFontWeightBold);
    EXPECT_TRUE(grid().getBool(kOptionChanged));
}

TEST(SheetLayoutUnattached, AnUnattachedGridShowsNothing) {
    Zrk_Spread grid;
    EXPECT_FALSE(editSheetLayout(grid));
}
