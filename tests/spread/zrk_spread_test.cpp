// The grid wrapper: creation, look, counts, fonts, cell access and cell types.

#include <QTableView>

#include "frame/spread_focus.h"
#include "grid_host.h"
#include "spreadlib/grid/picture_registry.h"
#include "ui/window_class.h"

using namespace gridtest;
using namespace spreadlib;

namespace {

bool bold(const Zrk_Spread& grid, int col, int row) {
    FontSpec font;
    return grid.getFont(col, row, font) && font.weight == kFontWeightBold && font.face == "Tahoma" &&
           font.height == 15;
}
bool normal(const Zrk_Spread& grid, int col, int row) {
    FontSpec font;
    return grid.getFont(col, row, font) && font.weight == kFontWeightNormal && font.face == "Tahoma" &&
           font.height == 15;
}

} // namespace

TEST(GridUnattached, StartsWithTheInitialMembersAndRefusesEveryCellOperation) {
    Zrk_Spread grid;
    EXPECT_FALSE(grid.attached);
    EXPECT_EQ(grid.defaultFontName, "Tahoma");
    EXPECT_EQ(grid.defaultFontHeight, 15);
    EXPECT_EQ(grid.layoutMode, 0);
    EXPECT_TRUE(grid.layoutColumns.isEmpty());
    EXPECT_TRUE(grid.menuItemKinds.isEmpty());
    EXPECT_FALSE(grid.findDialog);
    EXPECT_FALSE(grid.checkPictureOn);
    EXPECT_TRUE(grid.toggleKeyEnabled);
    EXPECT_EQ(grid.pairFirstColumn, -1);
    EXPECT_EQ(grid.pairSecondColumn, -1);

    EXPECT_EQ(grid.getNrRows(), -1);
    EXPECT_EQ(grid.getNrCols(), -1);
    Zrk_String text = "kept";
    EXPECT_FALSE(grid.getCellText(1, 1, text));
    EXPECT_EQ(text, "kept");
    EXPECT_FALSE(grid.setCellText(1, 1, "x"));
    EXPECT_FALSE(grid.setNrRows(3));
    EXPECT_FALSE(grid.applyStandardLook(true));
    EXPECT_FALSE(grid.applyFonts());
    EXPECT_EQ(grid.appendRow(), -1);
    int col = 0, row = 0;
    EXPECT_FALSE(grid.findNext("x", true, 1, 1, col, row));
    EXPECT_FALSE(grid.ensureActiveCell(col, row));
    EXPECT_FALSE(grid.loadFile("/nonexistent.kvs"));
    EXPECT_FALSE(grid.lastFileMessage().empty());
    EXPECT_FALSE(grid.registerFunction("F", 0, 1, [](ValueRecord&, const ValueRecord*, int) { return 1L; }));
    EXPECT_FALSE(grid.setExclusiveColumns(1, 2));
    EXPECT_EQ(grid.pairFirstColumn, -1);
}

TEST_F(GridTest, AttachTakesThePlaceholdersPlaceIdAndClassWithNoCells) {
    EXPECT_TRUE(grid().attached);
    EXPECT_EQ(grid().parentWindow, &host);
    EXPECT_EQ(grid().controlId, kPlaceholder);
    EXPECT_EQ(host.item(kPlaceholder), &grid());
    EXPECT_EQ(ui::controlId(&grid()), kPlaceholder);
    EXPECT_EQ(GetWndClassName(&grid()), "fpSpread70");
    EXPECT_TRUE(grid().isVisible());
    EXPECT_EQ(grid().getNrRows(), 0);
    EXPECT_EQ(grid().getNrCols(), 0);
    EXPECT_EQ(grid().sheet().getAppearance(), 1);
    // The 5-left, 20-up move lands on the placeholder: the window rectangle is the client one grown by
    // the nominal frame.
    EXPECT_EQ(grid().geometry(), host.mapDialogRect(QRect(10, 10, 300, 150)));
    ActionKey key;
    for (int action = 0; action <= 2; ++action) {
        ASSERT_TRUE(grid().sheet().getActionKey(action, key));
        EXPECT_EQ(key.key, 0);
    }
}

TEST_F(GridTest, AttachClientRelativeLandsOnThePlaceholderToo) {
    GridHost other;
    other.clientRelative = true;
    ASSERT_TRUE(other.create());
    ASSERT_TRUE(other.attachResult);
    EXPECT_EQ(other.grid.geometry(), other.mapDialogRect(QRect(10, 10, 300, 150)));
    other.destroyWindow();
}

TEST_F(GridTest, AttachWithoutThePlaceholderFails) {
    Zrk_Spread other;
    EXPECT_FALSE(other.attach(&host, 4711));
    EXPECT_FALSE(other.attach(nullptr, kPlaceholder));
    EXPECT_FALSE(other.attached);
}

TEST_F(GridTest, TheFocusTestKnowsTheGrid) {
    shape(2, 2);
    host.activateWindow();
    grid().setFocus();
    ASSERT_TRUE(grid().view()->hasFocus());
    EXPECT_TRUE(frame::isSpreadFocused());
    host.item(ui::IDOK)->setFocus();
    EXPECT_FALSE(frame::isSpreadFocused());
}

TEST_F(GridTest, StandardLookEditableAndNot) {
    ASSERT_TRUE(grid().applyStandardLook(true));
    EXPECT_TRUE(grid().getBool(kOptionEditing));
    EXPECT_FALSE(grid().getBool(kOptionHorizontalScrollBar));
    EXPECT_EQ(grid().getOperationMode(), kModeNormal);
    EXPECT_FALSE(grid().getBool(kOptionAutoCalc));
    EXPECT_FALSE(grid().getBool(kOptionUserFormulas));
    EXPECT_FALSE(grid().getBool(kOptionDragDrop));
    for (const int on : {kOptionMoveActiveOnEnter, kOptionRetainSelection, kOptionNoBeep, kOptionProcessTab,
                         kOptionVerticalScrollBar, kOptionRowHeaders, kOptionColumnHeaders, kOptionGridLines})
        EXPECT_TRUE(grid().getBool(on)) << on;
    Color back = 0, fore = 0;
    grid().sheet().getSelColor(back, fore);
    EXPECT_EQ(back, rgb(10, 36, 106));
    EXPECT_EQ(fore, rgb(255, 255, 255));
    grid().sheet().getShadowColor(back, fore);
    EXPECT_EQ(back, rgb(230, 230, 230));
    EXPECT_EQ(fore, kColorDefault);
    EXPECT_TRUE(grid().sheet().getRedraw());

    ASSERT_TRUE(grid().applyStandardLook(false));
    EXPECT_FALSE(grid().getBool(kOptionEditing));
    EXPECT_TRUE(grid().getBool(kOptionHorizontalScrollBar));
    EXPECT_EQ(grid().getOperationMode(), kModeExtendedSelect);
    EXPECT_EQ(grid().view()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid().view()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

// --- counts and fonts
// ---------------------------------------------------------------------------------------

TEST_F(GridTest, RowsFromNoneMakeAllHeadersBoldAndCellsNormal) {
    grid().applyStandardLook(true);
    ASSERT_TRUE(grid().setNrCols(3));
    ASSERT_TRUE(grid().setColumnHeaders({"Name", "Value", "Unit"}));
    ASSERT_TRUE(grid().setNrRows(4));
    for (int col = 0; col <= 3; ++col)
        EXPECT_TRUE(bold(grid(), col, 0)) << col;
    for (int row = 1; row <= 4; ++row) {
        EXPECT_TRUE(bold(grid(), 0, row)) << row;
        for (int col = 1; col <= 3; ++col)
            EXPECT_TRUE(normal(grid(), col, row)) << col << ", " << row;
    }
    // Rows made from none are empty: the column captions are no data.
    EXPECT_EQ(text(1, 1), "");
    EXPECT_EQ(text(2, 4), "");
    EXPECT_EQ(grid().view()->model()->rowCount(), 4);
    EXPECT_EQ(grid().view()->model()->columnCount(), 3);
}

TEST_F(GridTest, NewRowsCopyTheLastRowAndFewerRowsTouchNoFonts) {
    shape(2, 2);
    grid().setCellText(1, 2, "last");
    grid().setCellText(0, 2, "Row B");
    grid().setCellLocked(2, 2);
    grid().setNumberCells(2, 2, 3);
    ASSERT_TRUE(grid().setNrRows(7));
    for (int row = 3; row <= 7; ++row) {
        EXPECT_EQ(text(1, row), "last") << row;
        EXPECT_EQ(text(0, row), "Row B") << row; // the header is part of the row
        EXPECT_TRUE(grid().isCellLocked(2, row)) << row;
        EXPECT_EQ(grid().getCellTypeCode(2, row), kTypeNumber) << row;
        EXPECT_TRUE(bold(grid(), 0, row));
    }
    FontSpec italic;
    italic.italic = true;
    grid().setFont(1, 1, 1, 1, italic);
    ASSERT_TRUE(grid().setNrRows(1));
    EXPECT_EQ(grid().getNrRows(), 1);
    FontSpec font;
    ASSERT_TRUE(grid().getFont(1, 1, font));
    EXPECT_TRUE(font.italic);
    EXPECT_FALSE(grid().setNrRows(-1));
}

TEST_F(GridTest, NewColumnsCopyTheLastColumnOnlyWhenAsked) {
    shape(1, 2);
    grid().setCellText(1, 1, "a");
    ASSERT_TRUE(grid().setNrCols(3, false));
    EXPECT_EQ(text(3, 1), "");
    EXPECT_TRUE(bold(grid(), 3, 0));
    EXPECT_TRUE(normal(grid(), 3, 2));
    ASSERT_TRUE(grid().setNrCols(5, true));
    EXPECT_EQ(text(4, 1), "");
    EXPECT_EQ(text(5, 1), "");
    grid().setCellText(5, 2, "z");
    ASSERT_TRUE(grid().setNrCols(6));
    EXPECT_EQ(text(6, 2), "z");
}

TEST_F(GridTest, ApplyFontsUsesTheDefaultsAndTheTips) {
    shape(2, 2);
    grid().defaultFontName = "Arial";
    grid().defaultFontHeight = 18;
    ASSERT_TRUE(grid().applyFonts(true));
    FontSpec font;
    grid().getFont(2, 0, font);
    EXPECT_EQ(font.face, "Arial");
    EXPECT_EQ(font.height, 18);
    EXPECT_EQ(font.weight, kFontWeightBold);
    grid().getFont(2, 2, font);
    EXPECT_EQ(font.weight, kFontWeightNormal);
    TextTipSettings tip;
    grid().SSGetTextTip(tip);
    EXPECT_EQ(tip.font.face, "Arial");
    EXPECT_EQ(tip.font.height, 18);
}

// --- cells ------------------------------------------------------------------------------------------------

TEST_F(GridTest, CellTextsByKindAndBeyondTheCounts) {
    shape(3, 3);
    grid().setBool(kOptionAutoCalc, true);
    ASSERT_TRUE(grid().setCellText(1, 1, "4"));
    ASSERT_TRUE(grid().setFormula(2, 1, "A1*2"));
    ASSERT_TRUE(grid().SSSetCellTag(3, 1, "hidden"));
    EXPECT_EQ(text(2, 1, 1), "A1*2");
    EXPECT_EQ(text(2, 1, 3), "8");
    EXPECT_EQ(text(2, 1), "8"); // value is the default kind
    EXPECT_EQ(text(3, 1, 2), "hidden");
    EXPECT_EQ(text(1, 1, 0), "4");
    EXPECT_EQ(text(3, 3), ""); // empty cells give empty texts
    Zrk_String value = "kept";
    EXPECT_FALSE(grid().getCellText(4, 1, value));
    EXPECT_FALSE(grid().getCellText(1, 4, value));
    EXPECT_FALSE(grid().getCellText(1, -1, value));
    EXPECT_FALSE(grid().getCellText(1, 1, value, 4));
    EXPECT_EQ(value, "kept");
    EXPECT_FALSE(grid().setCellText(4, 1, "x"));
    EXPECT_FALSE(grid().setCellValue(1, 4, "x"));
    // Headers by 0 or -32767.
    EXPECT_TRUE(grid().setCellText(kHeader, 2, "second"));
    EXPECT_EQ(text(0, 2), "second");
    EXPECT_TRUE(grid().setCellText(2, kHeader, "B"));
    EXPECT_EQ(text(2, 0), "B");
}

TEST_F(GridTest, TypedAccess) {
    shape(2, 3);
    int i = 0;
    double d = 0.0;
    bool b = false;
    grid().setCellText(1, 1, "12.7");
    ASSERT_TRUE(grid().getCellInt(1, 1, i));
    EXPECT_EQ(i, 12);
    ASSERT_TRUE(grid().getCellDouble(1, 1, d));
    EXPECT_DOUBLE_EQ(d, 12.7);
    grid().setCellText(1, 2, "abc");
    ASSERT_TRUE(grid().getCellInt(1, 2, i));
    EXPECT_EQ(i, 0);
    grid().setCellText(1, 3, "1");
    ASSERT_TRUE(grid().getCellBool(1, 3, b));
    EXPECT_TRUE(b);
    grid().setCellText(1, 3, "0");
    ASSERT_TRUE(grid().getCellBool(1, 3, b));
    EXPECT_FALSE(b);
    b = true;
    grid().setCellText(1, 3, "yes");
    EXPECT_FALSE(grid().getCellBool(1, 3, b));
    EXPECT_TRUE(b);

    ASSERT_TRUE(grid().setCellInt(2, 1, -42));
    EXPECT_EQ(text(2, 1), "-42");
    ASSERT_TRUE(grid().setCellDouble(2, 2, 2.5));
    EXPECT_EQ(text(2, 2), "2.50");
    ASSERT_TRUE(grid().setCellBool(2, 3, true));
    EXPECT_EQ(text(2, 3), "1");
    EXPECT_FALSE(grid().setCellInt(3, 1, 1));
    EXPECT_FALSE(grid().getCellDouble(3, 1, d));
}

TEST_F(GridTest, CellTypesAndLocks) {
    shape(4, 4);
    ASSERT_TRUE(grid().setNumberCells(1, 1, 1, 2, 2));
    CellType type;
    ASSERT_TRUE(grid().getCellType(1, 2, type));
    EXPECT_EQ(type.code, kTypeNumber);
    EXPECT_EQ(type.style, 0x10100000u);
    EXPECT_EQ(type.decimals, 2);
    EXPECT_DOUBLE_EQ(type.minValue, -99999999999999.0);
    EXPECT_DOUBLE_EQ(type.maxValue, 99999999999999.0);
    EXPECT_FALSE(type.separator);
    ASSERT_TRUE(grid().setCellValue(1, 1, "3.14159"));
    EXPECT_EQ(text(1, 1), "3.14");
    EXPECT_FALSE(grid().setCellValue(1, 1, "abc")); // a number cell takes numbers only
    EXPECT_EQ(text(1, 1), "3.14");
    ASSERT_TRUE(grid().setNumberCells(1, 3, 7, true));
    grid().getCellType(1, 3, type);
    EXPECT_EQ(type.style, 0x10400000u);
    EXPECT_EQ(type.decimals, 7);

    ASSERT_TRUE(grid().setTextCells(2, 1, 2, 4));
    grid().getCellType(2, 4, type);
    EXPECT_EQ(type.code, kTypeEdit);
    EXPECT_EQ(type.style, 0x110000u);
    EXPECT_EQ(type.maxLength, 200);
    ASSERT_TRUE(grid().setTextCells(2, 1, 9999));
    grid().getCellType(2, 1, type);
    EXPECT_EQ(type.maxLength, 9999);
    ASSERT_TRUE(grid().setCellValue(2, 1, "007"));
    EXPECT_EQ(text(2, 1), "007");

    ASSERT_TRUE(grid().setStaticCells(3, 1));
    grid().getCellType(3, 1, type);
    EXPECT_EQ(type.code, kTypeEdit);
    EXPECT_EQ(type.style, 0x400000u);
    EXPECT_EQ(type.maxLength, 100);

    ASSERT_TRUE(grid().setComboCells(4, 1, 4, 2, {"Left", "Right"}));
    grid().getCellType(4, 2, type);
    EXPECT_EQ(type.code, kTypeCombo);
    EXPECT_EQ(type.style, 0x100000u);
    EXPECT_EQ(type.text, "Left\tRight");
    ASSERT_TRUE(grid().setComboCells(4, 3, {"A"}, true));
    grid().getCellType(4, 3, type);
    EXPECT_EQ(type.style, 0x100002u);

    ASSERT_TRUE(grid().setButtonCells(4, 4, "..."));
    EXPECT_EQ(grid().getCellTypeCode(4, 4), kTypeButton);

    EXPECT_FALSE(grid().setTextCells(1, 1, 5, 1));      // beyond the columns
    EXPECT_FALSE(grid().setNumberCells(2, 2, 1, 1, 0)); // a block upside down

    EXPECT_FALSE(grid().isCellLocked(1, 1));
    ASSERT_TRUE(grid().setCellLocked(1, 1));
    EXPECT_TRUE(grid().isCellLocked(1, 1));
    ASSERT_TRUE(grid().setCellLocked(1, 1, false));
    EXPECT_FALSE(grid().isCellLocked(1, 1));
    EXPECT_FALSE(grid().setCellLocked(5, 1));
}

TEST_F(GridTest, PictureCellsShowTheModulesBitmapsAndIcons) {
    shape(2, 2);
    ASSERT_TRUE(grid().setPictureCell(1, 1, 8134));
    CellType type;
    grid().getCellType(1, 1, type);
    EXPECT_EQ(type.code, kTypePicture);
    EXPECT_EQ(type.style, 0x210024u);
    QImage image;
    EXPECT_TRUE(findPicture(type.pictures[0], image));
    EXPECT_EQ(image.size(), QSize(13, 13));
    ASSERT_TRUE(grid().setPictureCell(2, 1, 212, true));
    grid().getCellType(2, 1, type);
    EXPECT_EQ(type.style, 0x211004u);
    EXPECT_FALSE(grid().setPictureCell(1, 2, 4711)); // no such picture
    EXPECT_FALSE(grid().setPictureCell(3, 1, 8134));
}
