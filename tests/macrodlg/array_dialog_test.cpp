// The array dialog on the arrays of the sample drawing: what each mode shows and offers, the varies
// mode, the entries and the three-state boxes stored back, and Cancel.

#include "core/macro_data.h"
#include "core/text.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_array.h"

namespace {

using A = DlgArray;
using macrotest::kMacroA;
using macrotest::kMacroB;

class ArrayDialog : public macrotest::MacroDialogTest {
protected:
    // The array of that name in the tab "EndPlate" of the macros.
    DynArrayData array(const Zrk_String& name, AcArray<AcDbObjectId> macros = {kMacroA}) {
        data.initFromMacros(macros);
        int tab = -1, index = -1;
        EXPECT_TRUE(data.findTab("EndPlate", tab));
        EXPECT_TRUE(data.tabs[tab].findArrayWithName(name, index));
        return data.tabs[tab].arrays[index];
    }
    bool run(DynArrayData& record, const std::function<void(A&, ui::DialogUser&)>& script) {
        user.onDialog(A::kTemplate, [&](ui::DialogUser& u) { script(static_cast<A&>(u.dialog()), u); });
        return StartArrayDlg(record, data.macroIds, "EndPlate");
    }
    MacroData data;
};

const Zrk_StringArray kAllDimensions{"PlateWidth", "PlateHeight", "PlateThickness", "Edge", "Pitch",
                                     "Rows",       "Finish",      "Welded",         "Mass"};

} // namespace

TEST_F(ArrayDialog, ALinearArrayOffersEveryListAndStoresItsEntries) {
    DynArrayData record = array("Stiffeners");
    ASSERT_EQ(record.mode, 0);
    ASSERT_EQ(record.entries.length(), 3);
    const bool ok = run(record, [&](A& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(1056) + " (EndPlate)");
        EXPECT_EQ(dialog.comboCurSel(A::kMode), 0);
        EXPECT_FALSE(dialog.isItemShown(A::kModeText));
        EXPECT_TRUE(dialog.isItemShown(A::kEntries));
        EXPECT_EQ(dialog.itemText(A::kDim3Label), "");
        EXPECT_EQ(dialog.itemText(A::kDim1), "Edge");
        EXPECT_EQ(listed(dialog, A::kDim2), kAllDimensions);
        EXPECT_FALSE(listed(dialog, A::kDim1).isEmpty());
        EXPECT_EQ(dialog.grid.getNrRows(), 3);
        EXPECT_EQ(cell(dialog.grid, 3, 2), "middle");
        // The third entry left out through its button, the first one's text typed.
        ASSERT_TRUE(dialog.grid.setActiveCell(3, 3));
        u.click(A::kLeaveOut);
        typeIntoCell(dialog.grid, 3, 1, "first");
        u.typeText(A::kValue2, "75");
        u.chooseText(A::kDim2, "Rows");
        macrotest::MacroDialogTest::savePicture(u, "array-linear");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(record.entries[2].action, 1);
    EXPECT_EQ(record.entries[0].text, "first");
    EXPECT_EQ(record.entries[1].text, "middle");
    EXPECT_EQ(record.values[1], "75");
    EXPECT_EQ(record.dimNames[1], "Rows");
    EXPECT_EQ(record.mode, 0);
}

TEST_F(ArrayDialog, CountModeHidesTheEntriesAndShowsItsText) {
    DynArrayData record = array("Holes");
    ASSERT_EQ(record.mode, 1);
    const bool ok = run(record, [&](A& dialog, ui::DialogUser& u) {
        EXPECT_TRUE(dialog.isItemShown(A::kModeText));
        EXPECT_EQ(dialog.itemText(A::kModeText), "4");
        for (int id : {A::kDim1, A::kDim3, A::kEntriesFrame, A::kEntries, A::kLeaveOut})
            EXPECT_FALSE(dialog.isItemShown(id)) << id;
        EXPECT_TRUE(dialog.isItemShown(A::kDim2));
        EXPECT_EQ(dialog.itemText(A::kDim3Label), dialString(1076));
        EXPECT_EQ(listed(dialog, A::kDim2), kAllDimensions);
        u.typeText(A::kModeText, "6");
        // To paired: the lists are offered again and the entries come back; what was typed stays.
        u.choose(A::kMode, 2);
        EXPECT_FALSE(dialog.isItemShown(A::kModeText));
        EXPECT_TRUE(dialog.isItemShown(A::kEntries));
        EXPECT_FALSE(listed(dialog, A::kDim1).isEmpty());
        u.choose(A::kMode, 3);
        EXPECT_FALSE(dialog.isItemShown(A::kDim1));
        EXPECT_EQ(dialog.itemText(A::kDim3Label), dialString(1077));
        u.choose(A::kMode, 1);
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(record.mode, 1);
    EXPECT_EQ(record.modeText, "6");
}

TEST_F(ArrayDialog, MacrosThatDifferShowTheVariesModeAndTheIndeterminateBoxes) {
    DynArrayData record = array("Stiffeners", {kMacroA, kMacroB}); // mode 0 and mode 2
    ASSERT_EQ(record.mode, -1);
    record.flag = -1;
    record.alternating = 1;
    const bool ok = run(record, [&](A& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.comboCurSel(A::kMode), A::kVariesItem);
        EXPECT_EQ(dialog.comboText(A::kMode, A::kVariesItem), core::variesText());
        EXPECT_TRUE(listed(dialog, A::kDim1).isEmpty()); // no list refilled
        EXPECT_TRUE(listed(dialog, A::kDim2).isEmpty());
        EXPECT_EQ(dialog.itemText(A::kDim1), "Edge");
        EXPECT_EQ(dialog.checkState(A::kFlag), 2);
        EXPECT_EQ(dialog.checkState(A::kAlternating), 1);
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(record.mode, -1);
    EXPECT_EQ(record.flag, -1);
    EXPECT_EQ(record.alternating, 1);
}

TEST_F(ArrayDialog, CancelLeavesTheArray) {
    DynArrayData record = array("Free");
    const DynArrayData before = record;
    EXPECT_FALSE(run(record, [](A&, ui::DialogUser& u) {
        u.choose(A::kMode, 1);
        u.typeText(A::kSkip, "9");
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(record, before);
    EXPECT_FALSE(run(record, [](A&, ui::DialogUser& u) { u.pressKey(ui::VK_ESCAPE); }));
    EXPECT_EQ(record, before);
}
