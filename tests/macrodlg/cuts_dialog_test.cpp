// The macro cuts dialog on the sample drawing: an existing cut with its offsets shown by their
// display names and stored back under their own; a new cut whose type replaces the offsets and lays
// the dialog out; OK's checks in their order; Escape and Cancel; picking a macro of the drawing.

#include "core/text.h"
#include "macro_dialog_fixture.h"
#include "macrodlg/dlg_macro_cuts.h"

namespace {

using C = DlgMacroCuts;
using macrotest::kMacroA;
using macrotest::kMacroB;

class CutsDialog : public macrotest::MacroDialogTest {
protected:
    // A new cut of the sample's first macro, its first module chosen.
    DlgMacroCutsData newCut(AcArray<AcDbObjectId> macros = {kMacroA}) {
        DlgMacroCutsData data;
        data.macroIds = macros;
        data.fillModuleNames();
        data.moduleName = data.moduleNames[0];
        data.cut = Zrk_CutConstraint::ofType("", core::kCutProfVsPlate);
        data.GetDefaultValues(core::kCutProfVsPlate, data.offsetNames, data.offsetValues, data.offsetFlags);
        return data;
    }
    // Runs StartDlgMacroCuts with the script; answers its result.
    bool run(DlgMacroCutsData& data, bool& escaped, const std::function<void(C&, ui::DialogUser&)>& script) {
        user.onDialog(C::kTemplate, [&](ui::DialogUser& u) { script(static_cast<C&>(u.dialog()), u); });
        return StartDlgMacroCuts(data, escaped);
    }
};

} // namespace

TEST_F(CutsDialog, AnExistingCutShowsItsOffsetsByTheirNamesAndKeepsTheStoredOnes) {
    DlgMacroCutsData data =
        DlgMacroCutsData::forCut(*module(kMacroA, "Plate").getCutConstraint("Corner"), "Plate");
    data.macroIds = {kMacroA};
    bool escaped = true;
    const bool ok = run(data, escaped, [&](C& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(1079));
        EXPECT_EQ(dialog.comboCurSel(C::kType), core::kCutChamfer - 1);
        EXPECT_FALSE(dialog.isItemEnabled(C::kType));
        EXPECT_FALSE(dialog.isItemEnabled(C::kName));
        for (int id : {C::kModeOwn, C::kModePicked, C::kPick, C::kModuleLabel, C::kModule})
            EXPECT_FALSE(dialog.isItemShown(id)) << id;
        // A chamfer has none of the type settings.
        for (int id :
             {C::kRadio1, C::kRadio2, C::kRadio3, C::kText, C::kChoice, C::kFlagA, C::kFlagB, C::kFlagC})
            EXPECT_FALSE(dialog.isItemShown(id)) << id;
        EXPECT_EQ(cell(dialog.grid, 1, 1), "Offset");
        EXPECT_EQ(cell(dialog.grid, 1, 2), "Chamfer offset 1");
        EXPECT_EQ(cell(dialog.grid, 1, 3), "Chamfer offset 2");
        EXPECT_EQ(cell(dialog.grid, 3, 1), "gen_Clearance");
        EXPECT_EQ(cell(dialog.grid, 2, 2), "1");
        typeIntoCell(dialog.grid, 3, 2, "25");
        macrotest::MacroDialogTest::savePicture(u, "macro-cuts-existing");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_FALSE(escaped);
    EXPECT_EQ(data.offsetNames, (Zrk_StringArray{"Offset", "Offset1", "Offset2"}));
    EXPECT_EQ(data.offsetValues, (Zrk_StringArray{"gen_Clearance", "25", "20"}));
    EXPECT_EQ(data.offsetFlags, (Zrk_Array<int>{0, 1, 0}));
    EXPECT_EQ(data.cut.name, "Corner");
    ASSERT_TRUE(data.apply());
    EXPECT_EQ(module(kMacroA, "Plate").getCutConstraint("Corner")->offsets[kCutChamferOffset1], 25);
}

TEST_F(CutsDialog, AnotherTypeBringsItsDefaultOffsetsAndItsSettings) {
    DlgMacroCutsData data = newCut();
    bool escaped = false;
    const bool ok = run(data, escaped, [&](C& dialog, ui::DialogUser& u) {
        EXPECT_EQ(dialog.title(), dialString(1080));
        EXPECT_EQ(dialog.comboCount(C::kType), 6);
        EXPECT_EQ(dialog.grid.getNrRows(), 1);
        // Profile against plate: two radios, the corner choice and the three flags.
        EXPECT_TRUE(dialog.isItemShown(C::kRadio2));
        EXPECT_FALSE(dialog.isItemShown(C::kRadio3));
        EXPECT_TRUE(dialog.isItemShown(C::kChoice));
        EXPECT_EQ(listed(dialog, C::kChoice),
                  (Zrk_StringArray{"Square", "Rounded", "Chamfered", "Notched", ""}));
        EXPECT_FALSE(dialog.isItemShown(C::kText));
        // The flags of type 1 shut each other out; the third needs the second alone.
        EXPECT_FALSE(dialog.isItemEnabled(C::kFlagC));
        u.click(C::kFlagB);
        EXPECT_FALSE(dialog.isItemEnabled(C::kFlagA));
        EXPECT_TRUE(dialog.isItemEnabled(C::kFlagC));
        u.click(C::kFlagB);
        u.click(C::kFlagA);
        EXPECT_FALSE(dialog.isItemEnabled(C::kFlagB));
        EXPECT_FALSE(dialog.isItemEnabled(C::kFlagC));

        u.choose(C::kType, core::kCutProfInProf - 1);
        EXPECT_EQ(dialog.grid.getNrRows(), 4);
        EXPECT_EQ(cell(dialog.grid, 1, 2), "Length offset");
        EXPECT_EQ(cell(dialog.grid, 3, 4), "0");
        EXPECT_TRUE(dialog.isItemShown(C::kFlagA));
        EXPECT_TRUE(dialog.isItemEnabled(C::kFlagA));
        EXPECT_FALSE(dialog.isItemShown(C::kRadio1));

        // Three segments: three radios (the first stays chosen); the further text only while the
        // third is not chosen, its label by the radio.
        u.choose(C::kType, core::kCutProfVsProf3Segments - 1);
        EXPECT_EQ(dialog.grid.getNrRows(), 2);
        EXPECT_TRUE(dialog.isItemShown(C::kRadio3));
        EXPECT_TRUE(dialog.isItemShown(C::kText));
        u.click(C::kRadio3);
        EXPECT_FALSE(dialog.isItemShown(C::kText));
        EXPECT_FALSE(dialog.isItemShown(C::kTextLabel));
        u.click(C::kRadio2);
        EXPECT_TRUE(dialog.isItemShown(C::kText));
        EXPECT_EQ(dialog.itemText(C::kTextLabel), dialString(1114));
        u.click(C::kRadio1);
        EXPECT_EQ(dialog.itemText(C::kTextLabel), dialString(1115));
        u.typeText(C::kText, "3");
        u.typeText(C::kName, "Slope2");
        typeIntoCell(dialog.grid, 3, 2, "4.5");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(data.cut.cutType, core::kCutProfVsProf3Segments);
    EXPECT_EQ(data.cut.name, "Slope2");
    EXPECT_TRUE(data.cut.option);
    EXPECT_FALSE(data.cut.secondFlag);
    EXPECT_EQ(data.cut.text, "3");
    EXPECT_EQ(data.offsetNames, (Zrk_StringArray{"Offset", "PolyOffset"}));
    EXPECT_EQ(data.offsetValues, (Zrk_StringArray{"0", "4.5"}));
    EXPECT_EQ(data.moduleMode, 1);
    EXPECT_EQ(data.moduleName, "Plate");
}

TEST_F(CutsDialog, OkChecksTheModuleTheNameAndTheValuesInThatOrder) {
    DlgMacroCutsData data = newCut();
    data.moduleMode = 2;
    const DlgMacroCutsData before = data;
    bool escaped = false;
    const bool ok = run(data, escaped, [&](C& dialog, ui::DialogUser& u) {
        EXPECT_TRUE(dialog.isItemEnabled(C::kPick));
        u.typeText(C::kModule, "");
        u.typeText(C::kName, "BeamEnd"); // the plate has a cut of that name
        typeIntoCell(dialog.grid, 3, 1, "abc");
        u.click(ui::IDOK);
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_EQ(user.messageBoxes()[0].request.text, dialString(1090));
        EXPECT_EQ(user.messageBoxes()[0].request.caption, dialString(1091));
        u.typeText(C::kModule, "Plate");
        u.click(ui::IDOK);
        ASSERT_EQ(user.messageBoxes().size(), 2u);
        EXPECT_EQ(user.messageBoxes()[1].request.text, dialString(1092) + "\n" + dialString(1093));
        EXPECT_EQ(user.messageBoxes()[1].request.caption, dialString(1094));
        u.typeText(C::kName, "Hole");
        u.click(ui::IDOK);
        ASSERT_EQ(user.messageBoxes().size(), 3u);
        EXPECT_EQ(user.messageBoxes()[2].request.text,
                  dialString(1095) + "\n" + dialString(1096) + " " + dialString(1097) + " \"gen_\".\n");
        EXPECT_EQ(user.messageBoxes()[2].request.caption, dialString(1098));
        EXPECT_FALSE(dialog.hasEnded());
        typeIntoCell(dialog.grid, 3, 1, "gen_Clearance");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(data.cut.name, "Hole");
    EXPECT_EQ(data.offsetValues, Zrk_StringArray{"gen_Clearance"});
    EXPECT_NE(data, before);
    ASSERT_TRUE(data.apply());
    EXPECT_NE(module(kMacroA, "Plate").getCutConstraint("Hole"), nullptr);
}

TEST_F(CutsDialog, EscapeAndCancelLeaveTheRecordAndSayWhichItWas) {
    DlgMacroCutsData data = newCut();
    const DlgMacroCutsData before = data;
    bool escaped = false;
    EXPECT_FALSE(run(data, escaped, [](C&, ui::DialogUser& u) {
        u.typeText(C::kName, "Gone");
        u.pressKey(ui::VK_ESCAPE);
    }));
    EXPECT_TRUE(escaped);
    EXPECT_EQ(data, before);
    EXPECT_FALSE(run(data, escaped, [](C&, ui::DialogUser& u) {
        u.typeText(C::kName, "Gone");
        u.click(ui::IDCANCEL);
    }));
    EXPECT_FALSE(escaped);
    EXPECT_EQ(data, before);
}

TEST_F(CutsDialog, PickingAMacroStepsAsideAndAddsItsModules) {
    DlgMacroCutsData data = newCut({kMacroB});
    EXPECT_EQ(data.moduleNames, (Zrk_StringArray{"Plate", "Bolts"}));
    bool escaped = false;
    bool asideWhilePicking = false;
    C* shown = nullptr;
    user.onPick([&](const host::PickRequest&, host::PickAnswer& answer) {
        asideWhilePicking = shown && shown->isSteppedAside();
        answer.object = kMacroA;
        return RTNORM;
    });
    const bool ok = run(data, escaped, [&](C& dialog, ui::DialogUser& u) {
        shown = &dialog;
        EXPECT_FALSE(dialog.isItemEnabled(C::kPick));
        u.click(C::kModePicked); // picks at once
        EXPECT_TRUE(dialog.isItemEnabled(C::kPick));
        EXPECT_FALSE(dialog.isSteppedAside());
        EXPECT_EQ(listed(dialog, C::kModule), (Zrk_StringArray{"Plate", "Bolts", "Cleats", "Stiffener"}));
        EXPECT_EQ(dialog.itemText(C::kModule), "Plate");
        u.chooseText(C::kModule, "Cleats");
        u.typeText(C::kName, "Trim");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(ok);
    EXPECT_TRUE(asideWhilePicking);
    EXPECT_EQ(data.moduleMode, 2);
    EXPECT_EQ(data.moduleName, "Cleats");
}
