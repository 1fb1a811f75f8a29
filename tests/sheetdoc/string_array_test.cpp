// The string-array grid dialog (template 208) through the exported startGridDialog.

#include <QHeaderView>
#include <QTableView>
#include <gtest/gtest.h>

#include "core/language.h"
#include "host/module_entry.h"
#include "sheetdoc/dlg_string_array.h"
#include "ui/dialog_size.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

using namespace spreadlib;

namespace {

DlgStringArray& arrayOf(ui::DialogUser& u) {
    return static_cast<DlgStringArray&>(u.dialog());
}

Zrk_String cell(DlgStringArray& d, int col, int row) {
    Zrk_String text;
    d.grid.getCellText(col, row, text);
    return text;
}

class StringArray : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    inline static int instance = 0;
    ui::ScriptedUser user;
    Zrk_StringArray columns{"Name", "Value"};
    Zrk_Array<Zrk_StringArray> rows{{"a", "1"}, {"b", "2"}, {"c", "3"}};
};

} // namespace

TEST_F(StringArray, NoColumnNamesAnswersFalseAtOnce) {
    EXPECT_FALSE(startGridDialog({}, {"r"}, rows));
    EXPECT_TRUE(user.dialogsRun().empty());
    EXPECT_EQ(rows.length(), 3);
}

TEST_F(StringArray, ShowsTheTableAndGivesTheRowsBackOnOk) {
    user.onDialog(DlgStringArray::kTemplate, [](ui::DialogUser& u) {
        DlgStringArray& d = arrayOf(u);
        EXPECT_EQ(u.dialog().title(), "Values");
        EXPECT_EQ(d.itemText(DlgStringArray::kAdd), dialString(606));
        EXPECT_EQ(d.itemText(DlgStringArray::kRemove), dialString(607));
        EXPECT_TRUE(d.isItemShown(DlgStringArray::kAdd));
        EXPECT_EQ(d.grid.getNrCols(), 2);
        EXPECT_EQ(d.grid.getNrRows(), 3);
        Zrk_StringArray names;
        d.grid.getColumnHeaders(names);
        EXPECT_EQ(names, (Zrk_StringArray{"Name", "Value"}));
        EXPECT_EQ(cell(d, 0, 2), "r2");
        EXPECT_EQ(cell(d, 2, 3), "3");
        EXPECT_EQ(d.grid.getCellTypeCode(2, 3), kTypeEdit);
        EXPECT_TRUE(d.grid.getBool(kOptionRowHeaders));
        EXPECT_TRUE(d.grid.getBool(kOptionEditing));
        EXPECT_EQ(d.grid.getOperationMode(), kModeExtendedSelect);
        FontSpec font;
        d.grid.getFont(1, 0, font);
        EXPECT_EQ(font.weight, kFontWeightBold);
        d.grid.setCellText(2, 1, "changed");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(startGridDialog(columns, {"r1", "r2", "r3"}, rows, true, "DLG_VALUES", "Values"));
    ASSERT_EQ(rows.length(), 3);
    EXPECT_EQ(rows[0], (Zrk_StringArray{"a", "changed"}));
    EXPECT_EQ(rows[2], (Zrk_StringArray{"c", "3"}));
    QRect stored;
    EXPECT_TRUE(getDlgSize("DLG_VALUES", stored)); // the size is kept under the template name
}

TEST_F(StringArray, CancelLeavesTheRowsAndAnEmptyNameIsTheDefault) {
    user.onDialog(DlgStringArray::kTemplate, [](ui::DialogUser& u) {
        EXPECT_EQ(arrayOf(u).templateName, "DLG_SS_STRINGARRAY");
        arrayOf(u).grid.setCellText(1, 1, "lost");
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(startGridDialog(columns, {}, rows));
    EXPECT_EQ(rows[0][0], "a");
    QRect stored;
    EXPECT_TRUE(getDlgSize("DLG_SS_STRINGARRAY", stored));
}

TEST_F(StringArray, WithoutRowNamesThereAreNoRowHeaders) {
    user.onDialog(DlgStringArray::kTemplate, [](ui::DialogUser& u) {
        DlgStringArray& d = arrayOf(u);
        EXPECT_FALSE(d.grid.getBool(kOptionRowHeaders));
        EXPECT_FALSE(d.grid.view()->verticalHeader()->isVisible());
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(startGridDialog(columns, {}, rows));
}

TEST_F(StringArray, AddAndRemoveRows) {
    user.onDialog(DlgStringArray::kTemplate, [](ui::DialogUser& u) {
        DlgStringArray& d = arrayOf(u);
        d.grid.setActiveCell(2, 1);
        u.click(DlgStringArray::kAdd); // below the active row, same column active
        EXPECT_EQ(d.grid.getNrRows(), 4);
        EXPECT_EQ(cell(d, 1, 2), "");
        EXPECT_EQ(cell(d, 1, 3), "b");
        int col = 0, row = 0;
        d.grid.getActiveCell(col, row);
        EXPECT_EQ(col, 2);
        EXPECT_EQ(row, 2);
        EXPECT_TRUE(d.grid.view()->hasFocus());
        d.grid.setCellText(2, 2, "new");

        d.grid.setActiveCell(2, 3);
        u.click(DlgStringArray::kRemove); // "b" goes; the same place is active and edited
        EXPECT_EQ(d.grid.getNrRows(), 3);
        d.grid.getActiveCell(col, row);
        EXPECT_EQ(col, 2);
        EXPECT_EQ(row, 3);
        EXPECT_TRUE(d.grid.getEditMode());
        int start = -1, end = -1;
        d.grid.getEditSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 1); // "3"
        u.click(DlgStringArray::kRemove);
        u.click(DlgStringArray::kRemove);
        u.click(DlgStringArray::kRemove);
        EXPECT_EQ(d.grid.getNrRows(), 0);
        u.click(DlgStringArray::kRemove); // nothing left: nothing happens
        u.click(DlgStringArray::kAdd);
        EXPECT_EQ(d.grid.getNrRows(), 1);
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(startGridDialog(columns, {}, rows));
    EXPECT_EQ(rows.length(), 1);
    EXPECT_EQ(rows[0], (Zrk_StringArray{"", ""}));
}

TEST_F(StringArray, NotEditableHidesAddAndRemove) {
    user.onDialog(DlgStringArray::kTemplate, [](ui::DialogUser& u) {
        EXPECT_FALSE(u.dialog().isItemShown(DlgStringArray::kAdd));
        EXPECT_FALSE(u.dialog().isItemShown(DlgStringArray::kRemove));
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(startGridDialog(columns, {}, rows, false));
}

TEST_F(StringArray, TheLayoutKeeperStretchesTheGridAndMovesTheButtons) {
    user.onDialog(DlgStringArray::kTemplate, [](ui::DialogUser& u) {
        DlgStringArray& d = arrayOf(u);
        const QRect grid = d.itemRect(DlgStringArray::kGrid);
        const QRect ok = d.itemRect(ui::IDOK);
        const QRect add = d.itemRect(DlgStringArray::kAdd);
        const QSize size = d.size();
        u.resize(size.width() + 100, size.height() + 60);
        EXPECT_EQ(d.itemRect(DlgStringArray::kGrid).size(), grid.size() + QSize(100, 60));
        EXPECT_EQ(d.itemRect(ui::IDOK), ok.translated(0, 60));
        EXPECT_EQ(d.itemRect(DlgStringArray::kAdd), add.translated(100, 60));
        u.resize(size.width() - 50, size.height() - 50); // not below the size it opened with
        EXPECT_EQ(d.size(), size);
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(startGridDialog(columns, {}, rows));
}
