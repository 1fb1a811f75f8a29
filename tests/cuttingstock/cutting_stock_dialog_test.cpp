// The cutting-stock input dialog, played by the scripted user on a library folder of the test's own:
// numbered saves in stock mode, the newest file proposed and loaded (rows moved to the end of their
// table), groups added (ids, names that cannot be folders refused) and deleted, split runs of rows
// shown whole, rows that would split refused at saving, the all-groups report, and Cancel.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

#include <gtest/gtest.h>

#include "../text_input_answer.h"
#include "../library_folder.h"

#include "core/files.h"
#include "core/settings.h"
#include "cuttingstock/dlg_csp2.h"
#include "host/module_entry.h"
#include "sheetdoc/dlg_text_input.h"
#include "ui/codes.h"
#include "ui/dlg_info.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace fs = std::filesystem;

namespace {

using D = DlgCSP2;
using Rows = Zrk_Array<Zrk_StringArray>;
const char S = DlgCSP2Data::kFieldSeparator;
constexpr int kStock = DlgCSP2Data::kStockTable;
constexpr int kBuy = DlgCSP2Data::kPurchaseTable;

void addRows(DlgCSP2Data& data, int table, int groupId, const Rows& rows) {
    for (const Zrk_StringArray& row : rows) {
        data.tables[table].rows.append(row);
        data.tables[table].rowGroupIds.append(groupId);
    }
}

// Two groups with ids 3 and 8, as a caller hands them in.
DlgCSP2Data twoGroups(bool stockMode = false) {
    DlgCSP2Data data;
    data.stockMode = stockMode;
    for (DlgCSP2Table& table : data.tables)
        table.columnHeaders = {"Length", "Count", "Note"};
    data.groupIds = {3, 8};
    data.groupNames = {"HEA 200", "IPE 300"};
    addRows(data, DlgCSP2Data::kCutTable, 3, {{"3450", "4", "C1"}});
    addRows(data, kStock, 3, {{"6000", "4", "Hall A"}, {"12000", "2", ""}});
    addRows(data, kStock, 8, {{"12000", "5", "Hall B"}});
    return data;
}

class CuttingStockDialog : public LibraryFolderTest {
protected:
    CuttingStockDialog() : LibraryFolderTest("ss_csp2_dialog_") {}
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    fs::path group(const char* name) const { return library / "Cutting Stock" / name; }
    static void setAge(const fs::path& path, int secondsAgo) {
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(secondsAgo));
    }
    // Runs the dialog on data with the script; answers whether it ended with OK.
    bool run(DlgCSP2Data& data, const std::function<void(D&, ui::DialogUser&)>& script) {
        user.onDialog(D::kTemplate, [&](ui::DialogUser& u) { script(static_cast<D&>(u.dialog()), u); });
        return StartDlgCSP2(data);
    }
    static Rows gridRows(D& dialog, int table) {
        Rows rows;
        dialog.grid(table).readAllRows(rows, 0);
        return rows;
    }

    static inline int instance = 0;
    ui::ScriptedUser user;
};

} // namespace

TEST_F(CuttingStockDialog, StockModeSavesEveryGroupAsTheNextNumberedFile) {
    writeBytes(group("IPE 300") / "stock7.shp", "");
    writeBytes(group("IPE 300") / "STOCK12.SHP", "");
    DlgCSP2Data data = twoGroups(true);
    ASSERT_TRUE(run(data, [](D& dialog, ui::DialogUser& u) {
        EXPECT_FALSE(dialog.isItemEnabled(D::kAddGroup));
        EXPECT_FALSE(dialog.isItemEnabled(D::kDeleteGroup));
        EXPECT_FALSE(dialog.isItemEnabled(D::tableControl(DlgCSP2Data::kCutTable, D::kGrid)));
        EXPECT_FALSE(dialog.isItemEnabled(D::tableControl(kBuy, D::kLoad)));
        EXPECT_TRUE(dialog.isItemEnabled(D::tableControl(kStock, D::kSave)));
        EXPECT_TRUE(dialog.isItemShown(D::kShowFileDialogs));
        EXPECT_EQ(dialog.itemText(D::kAllGroups), "Save the stock of every group");
        u.click(D::kAllGroups);
        u.click(D::kAllGroups);
        u.click(ui::IDOK);
    }));
    EXPECT_TRUE(user.fileDialogs().empty()); // the box is not ticked: no names asked for
    const std::string hea = std::string("6000") + S + "4" + S + "Hall A\n12000" + S + "2" + S + "\n";
    EXPECT_EQ(readBytes(group("HEA 200") / "stock1.shp"), hea);
    EXPECT_EQ(readBytes(group("HEA 200") / "stock2.shp"), hea);
    EXPECT_EQ(readBytes(group("IPE 300") / "stock13.shp"), std::string("12000") + S + "5" + S + "Hall B\n");
    EXPECT_TRUE(fs::exists(group("IPE 300") / "stock14.shp"));

    // With the box ticked each group's name is asked for; a cancelled one writes nothing.
    user.answerFileDialog((group("HEA 200") / "Spare Bars").string());
    user.cancelFileDialog();
    run(data, [](D&, ui::DialogUser& u) {
        u.click(D::kShowFileDialogs);
        u.click(D::kAllGroups);
        u.click(ui::IDCANCEL);
    });
    ASSERT_EQ(user.fileDialogs().size(), 2u);
    EXPECT_EQ(user.fileDialogs()[0].fileName, "Stock3.shp");
    EXPECT_EQ(user.fileDialogs()[1].fileName, "Stock15.shp");
    EXPECT_TRUE(user.fileDialogs()[0].overwritePrompt);
    EXPECT_EQ(readBytes(group("HEA 200") / "spare bars.shp"), hea); // only the name lowered
    EXPECT_FALSE(fs::exists(group("IPE 300") / "stock15.shp"));
}

TEST_F(CuttingStockDialog, LoadingProposesTheNewestFileAndMovesTheGroupsRowsToTheEnd) {
    writeBytes(group("HEA 200") / "stock1.shp", std::string("1000") + S + "1" + S + "old\n");
    writeBytes(group("HEA 200") / "Stock2.SHP",
               std::string("7000") + S + "2" + S + "new\n8000" + S + "1" + S + "\n");
    setAge(group("HEA 200") / "stock1.shp", 100);
    setAge(group("HEA 200") / "Stock2.SHP", 10);
    DlgCSP2Data data = twoGroups();
    user.answerFileDialog((group("HEA 200") / "Stock2.SHP").string());
    ASSERT_TRUE(run(data, [](D& dialog, ui::DialogUser& u) {
        EXPECT_FALSE(dialog.isItemShown(D::kShowFileDialogs));
        u.click(D::tableControl(kStock, D::kLoad));
        EXPECT_EQ(gridRows(dialog, kStock), (Rows{{"7000", "2", "new"}, {"8000", "1", ""}}));
        u.click(ui::IDOK);
    }));
    ASSERT_EQ(user.fileDialogs().size(), 1u);
    EXPECT_EQ(user.fileDialogs()[0].fileName, "Stock2.SHP");
    EXPECT_EQ(normalizePath(user.fileDialogs()[0].startFolder), (group("HEA 200") / "").string());
    EXPECT_EQ(user.fileDialogs()[0].filterName, "Stock files (*.shp)");
    EXPECT_EQ(data.tables[kStock].rows,
              (Rows{{"12000", "5", "Hall B"}, {"7000", "2", "new"}, {"8000", "1", ""}}));
    EXPECT_EQ(data.tables[kStock].rowGroupIds, (Zrk_Array<int>{8, 3, 3}));

    // A file that is no text leaves the group's rows as they were.
    writeBytes(group("IPE 300") / "broken.shp", std::string("12\0 34\n", 7));
    user.answerFileDialog((group("IPE 300") / "broken.shp").string());
    const DlgCSP2Data before = data;
    ASSERT_TRUE(run(data, [](D& dialog, ui::DialogUser& u) {
        u.choose(D::kGroupCombo, 1);
        u.click(D::tableControl(kStock, D::kLoad));
        EXPECT_EQ(gridRows(dialog, kStock), (Rows{{"12000", "5", "Hall B"}}));
        u.click(ui::IDOK);
    }));
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_NE(user.messageBoxes()[0].request.text.find("broken.shp"), Zrk_String::npos);
    EXPECT_EQ(data.tables[kStock].groupRows(8), before.tables[kStock].groupRows(8));
}

TEST_F(CuttingStockDialog, GroupsAreAddedWithTheNextIdRefusedWhenNoFolderAndDeletedInPlace) {
    DlgCSP2Data data = twoGroups();
    answerTextInput(user, "L 50x5");
    answerTextInput(user, "../outside");
    answerTextInput(user, "  ");
    ASSERT_TRUE(run(data, [](D& dialog, ui::DialogUser& u) {
        u.click(D::kAddGroup);
        EXPECT_EQ(dialog.comboCount(D::kGroupCombo), 3);
        EXPECT_EQ(dialog.comboCurSel(D::kGroupCombo), 2);
        EXPECT_EQ(dialog.currentGroup(), 9); // after 3 and 8
        EXPECT_EQ(dialog.grid(kStock).getNrRows(), 0);
        u.click(D::tableControl(kStock, D::kInsertRow));
        dialog.grid(kStock).setCellText(1, 1, "9000");
        u.click(D::kAddGroup); // "../outside": refused
        u.click(D::kAddGroup); // blanks only: refused
        EXPECT_EQ(dialog.comboCount(D::kGroupCombo), 3);
        EXPECT_EQ(dialog.currentGroup(), 9);

        u.choose(D::kGroupCombo, 0);
        EXPECT_EQ(gridRows(dialog, kStock), (Rows{{"6000", "4", "Hall A"}, {"12000", "2", ""}}));
        u.choose(D::kGroupCombo, 2);
        u.click(D::kDeleteGroup); // the last entry: the new last is shown
        EXPECT_EQ(dialog.comboCurSel(D::kGroupCombo), 1);
        EXPECT_EQ(dialog.currentGroup(), 8);
        EXPECT_EQ(gridRows(dialog, kStock), (Rows{{"12000", "5", "Hall B"}}));
        u.choose(D::kGroupCombo, 0);
        u.click(D::kDeleteGroup); // the first: the one now at its place
        EXPECT_EQ(dialog.currentGroup(), 8);
        u.click(D::kDeleteGroup);
        EXPECT_EQ(dialog.currentGroup(), -1);
        EXPECT_EQ(dialog.grid(kStock).getNrRows(), 0);
        u.click(D::tableControl(kStock, D::kInsertRow)); // no group: no row to belong to it
        EXPECT_EQ(dialog.grid(kStock).getNrRows(), 0);
        u.click(D::tableControl(kStock, D::kSave)); // nothing to save
        u.click(ui::IDOK);
    }));
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    EXPECT_NE(user.messageBoxes()[0].request.text.find("character a file name cannot hold"),
              Zrk_String::npos);
    EXPECT_TRUE(data.groupIds.isEmpty());
    for (const DlgCSP2Table& table : data.tables)
        EXPECT_TRUE(table.rows.isEmpty() && table.rowGroupIds.isEmpty());
    EXPECT_FALSE(fs::exists(library / "outside"));
    EXPECT_TRUE(user.fileDialogs().empty());

    DlgCSP2Data empty;
    answerTextInput(user, "First");
    ASSERT_TRUE(run(empty, [](D&, ui::DialogUser& u) {
        u.click(D::kAddGroup);
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(empty.groupIds, Zrk_Array<int>{1});
}

TEST_F(CuttingStockDialog, AGroupsSplitRowsAreShownWholeAndNoneIsLost) {
    DlgCSP2Data data = twoGroups();
    data.tables[kStock].rows = {{"a1"}, {"b1"}, {"a2", "x", "y", "wide"}};
    data.tables[kStock].rowGroupIds = {3, 8, 3};
    ASSERT_TRUE(run(data, [](D& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.grid(kStock).getNrRows(), 2);
        EXPECT_EQ(dialog.grid(kStock).getNrCols(), 4); // the wide row keeps its fourth field
        u.choose(D::kGroupCombo, 1);
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(data.tables[kStock].rows, (Rows{{"a1", "", "", ""}, {"a2", "x", "y", "wide"}, {"b1", "", ""}}));
    EXPECT_EQ(data.tables[kStock].rowGroupIds, (Zrk_Array<int>{3, 3, 8}));
}

TEST_F(CuttingStockDialog, ARowThatWouldSplitOnReadingIsRefusedAtSaving) {
    DlgCSP2Data data = twoGroups();
    addRows(data, kBuy, 3, {{"15000", std::string("1") + S + "2", ""}});
    user.answerFileDialog((group("HEA 200") / "stock1.buy").string());
    user.answerFileDialog((group("HEA 200") / "stock1.shp").string());
    ASSERT_TRUE(run(data, [](D&, ui::DialogUser& u) {
        u.click(D::tableControl(kBuy, D::kSave));
        u.click(D::tableControl(kStock, D::kSave));
        u.click(ui::IDOK);
    }));
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_NE(user.messageBoxes()[0].request.text.find("Row 1, field 2"), Zrk_String::npos);
    EXPECT_FALSE(fs::exists(group("HEA 200") / "stock1.buy"));
    EXPECT_TRUE(fs::exists(group("HEA 200") / "stock1.shp"));
    EXPECT_EQ(user.fileDialogs()[0].filterName, "Purchase files (*.buy)");
}

TEST_F(CuttingStockDialog, TheAllGroupsReportLoadsTheNewestFilesOfEveryGroup) {
    writeBytes(group("IPE 300") / "Stock4.shp", std::string("6000") + S + "9\n");
    writeBytes(group("IPE 300") / "stock1.buy", std::string("15000") + S + "1\n");
    DlgCSP2Data data = twoGroups();
    data.groupIds.append(11);
    data.groupNames.append("a/b"); // a caller's name that cannot be a folder
    DlgInfoData report;
    user.onDialog(DlgInfo::kTemplate, [&report](ui::DialogUser& u) {
        report = static_cast<DlgInfo&>(u.dialog()).data;
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(run(data, [](D& dialog, ui::DialogUser& u) {
        u.choose(D::kGroupCombo, 1);
        u.click(D::kAllGroups);
        EXPECT_EQ(gridRows(dialog, kStock), (Rows{{"6000", "9", ""}})); // the shown group again
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(report.title, "Newest files of every group");
    ASSERT_EQ(report.lines.length(), 13);
    const Zrk_String rule(116, '-');
    EXPECT_EQ(report.lines[0], rule);
    EXPECT_EQ(report.lines[1], "No stock file found for group \"HEA 200\".");
    EXPECT_EQ(report.lines[2], "");
    EXPECT_EQ(report.lines[3], "No purchase file found for group \"HEA 200\".");
    EXPECT_EQ(report.lines[4], rule);
    EXPECT_EQ(report.lines[5].rfind("Loaded stock file \"Stock4.shp\" for group \"IPE 300\" of ", 0), 0u)
        << report.lines[5];
    EXPECT_EQ(report.lines[7].rfind("Loaded purchase file \"stock1.buy\" for group \"IPE 300\" of ", 0), 0u);
    EXPECT_NE(report.lines[9].find("a/b"), Zrk_String::npos);
    EXPECT_EQ(report.lines[12], rule);
    EXPECT_EQ(data.tables[kStock].groupRows(8), (Rows{{"6000", "9", ""}}));
    EXPECT_EQ(data.tables[kBuy].groupRows(8), (Rows{{"15000", "1", ""}}));
    EXPECT_EQ(data.tables[kStock].groupRows(3).length(), 2); // kept: the group had no file
}

TEST_F(CuttingStockDialog, CancelHandsNothingBack) {
    DlgCSP2Data data = twoGroups();
    const DlgCSP2Data before = data;
    answerTextInput(user, "Extra");
    EXPECT_FALSE(run(data, [](D& dialog, ui::DialogUser& u) {
        dialog.grid(kStock).setCellText(1, 1, "1");
        u.click(D::tableControl(kStock, D::kDeleteRow));
        u.click(D::kAddGroup);
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(data, before);
}
