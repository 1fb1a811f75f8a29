// The grid, levels, look-up and profile-features dialogs played by the scripted user: what each shows
// of its record and stores back, Cancel leaving the caller's record as it was, the levels dialog's
// refusals, deletions and empty list, and the levels edited from the profile-features dialog.

#include <gtest/gtest.h>

#include "../text_input_answer.h"
#include "core/drawing.h"
#include "core/language.h"
#include "core/levels_data.h"
#include "core/prof_features_data.h"
#include "dialogs/dlg_grid.h"
#include "dialogs/dlg_levels.h"
#include "dialogs/dlg_look_up.h"
#include "dialogs/dlg_prof_features.h"
#include "host/module_entry.h"
#include "sheetdoc/dlg_text_input.h"
#include "ui/codes.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

const std::string kSample =
    std::string(SS_TEST_DATA_DIR) + "/../../examples/library/Drawings/macro-dialogs.json";

using L = DlgLevels;
using K = DlgLookUp;
using F = DlgProfFeatures;

Zrk_StringArray listed(const ui::Dialog& dialog, int id) {
    Zrk_StringArray items;
    for (int i = 0; i < dialog.listCount(id); ++i)
        items.append(dialog.listText(id, i));
    return items;
}

Zrk_StringArray comboItems(const ui::Dialog& dialog, int id) {
    Zrk_StringArray items;
    for (int i = 0; i < dialog.comboCount(id); ++i)
        items.append(dialog.comboText(id, i));
    return items;
}

class RecordDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    void SetUp() override {
        ASSERT_TRUE(drawing.readFromFile(kSample, nullptr));
        previous = core::setWorkingDrawing(&drawing);
    }
    void TearDown() override { core::setWorkingDrawing(previous); }

    // The levels dialog on the drawing's levels with the script; answers StartDlgLevels's result.
    bool runLevels(KvLevelsDlgData& levels, const std::function<void(L&, ui::DialogUser&)>& script) {
        user.onDialog(L::kTemplate, [&](ui::DialogUser& u) { script(static_cast<L&>(u.dialog()), u); });
        return StartDlgLevels(levels);
    }
    // The name refused message, as the person sees it.
    void expectRefusal(std::size_t index) {
        ASSERT_GT(user.messageBoxes().size(), index);
        const ui::MessageBoxRequest& box = user.messageBoxes()[index].request;
        EXPECT_EQ(box.text, dialString(857) + ".\n" + dialString(858) + ".");
        EXPECT_EQ(box.caption, dialString(856));
        EXPECT_EQ(box.type & ui::MB_ICONMASK, ui::MB_ICONEXCLAMATION);
    }

    inline static int instance = 0;
    core::Drawing drawing;
    core::Drawing* previous = nullptr;
    ui::ScriptedUser user;
};

// A profile-features record over the drawing's levels: a column's section, a rotation, a height or a
// top level, and a mark.
DlgProfFeaturesData columnFeatures() {
    DlgProfFeaturesData features;
    features.title = "Column C1";
    EXPECT_EQ(features.getAllLevels(), Acad::eOk);
    features.level = "Ground";
    features.values[0] = {"Section:", "HEA 200"};
    features.values[2] = {"Height:", "3500"};
    features.thirdAlternative = {"Top level:", "Roof", true};
    features.values[3] = {"Mark:", "C1"};
    features.checkCaption = "Up to a level";
    return features;
}

} // namespace

// --- the grid -------------------------------------------------------------------------------------------

TEST_F(RecordDialogs, GridShowsANewRecordAndStoresWhatWasTypedUnchecked) {
    KvGridDlgData grid;
    user.onDialog(DlgGrid::kTemplate, [](ui::DialogUser& u) {
        ui::Dialog& d = u.dialog();
        EXPECT_EQ(d.itemText(DlgGrid::kFirstCount), "4");
        EXPECT_EQ(d.itemText(DlgGrid::kFirstSpacing), "5000");
        EXPECT_EQ(d.itemText(DlgGrid::kFirstLabel), "A");
        EXPECT_EQ(d.itemText(DlgGrid::kSecondCount), "3");
        EXPECT_EQ(d.itemText(DlgGrid::kSecondSpacing), "5000");
        EXPECT_EQ(d.itemText(DlgGrid::kSecondLabel), "1");
        EXPECT_EQ(d.checkState(DlgGrid::kOption), 0);
        EXPECT_EQ(d.title(), dialString(1463));
        u.typeText(DlgGrid::kFirstCount, "many");
        u.typeText(DlgGrid::kSecondCount, "7 lines");
        u.typeText(DlgGrid::kFirstSpacing, "3*6000");
        u.typeText(DlgGrid::kSecondLabel, "");
        u.click(DlgGrid::kOption);
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgGrid(grid));
    EXPECT_EQ(grid.firstCount, 0);
    EXPECT_EQ(grid.secondCount, 7);
    EXPECT_EQ(grid.firstSpacing, "3*6000");
    EXPECT_EQ(grid.firstLabel, "A");
    EXPECT_EQ(grid.secondLabel, "");
    EXPECT_TRUE(grid.option);

    const KvGridDlgData before = grid;
    user.onDialog(DlgGrid::kTemplate, [](ui::DialogUser& u) {
        u.typeText(DlgGrid::kFirstCount, "12");
        u.click(DlgGrid::kOption);
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(StartDlgGrid(grid));
    EXPECT_EQ(grid, before);
}

// --- the levels -----------------------------------------------------------------------------------------

TEST_F(RecordDialogs, LevelsAreShownOneByOneAndStoredAsThePersonMovesOn) {
    KvLevelsDlgData levels;
    ASSERT_EQ(levels.initialize(nullptr), Acad::eOk);
    ASSERT_TRUE(runLevels(levels, [](L& d, ui::DialogUser& u) {
        EXPECT_EQ(listed(d, L::kLevelList), (Zrk_StringArray{"Foundation", "Ground", "First", "Roof"}));
        EXPECT_EQ(d.listCurSel(L::kLevelList), 0);
        EXPECT_EQ(d.itemText(L::kName), "Foundation");
        EXPECT_EQ(d.itemText(L::kRelative), "-1200.000");
        EXPECT_EQ(comboItems(d, L::kReference), (Zrk_StringArray{"Ground", "First", "Roof"})); // not its own
        EXPECT_FALSE(d.isItemEnabled(L::kReference));
        EXPECT_TRUE(d.itemStyle(L::kName) & ui::style::ReadOnly);
        EXPECT_TRUE(d.itemStyle(L::kAbsolute) & ui::style::ReadOnly);

        u.choose(L::kLevelList, 2);
        EXPECT_EQ(d.itemText(L::kName), "First");
        EXPECT_EQ(d.itemText(L::kReference), "Ground");
        EXPECT_EQ(d.itemText(L::kAbsolute), "3500.000");
        u.typeText(L::kRelative, "3000.5");
        // Moving on stores the value: the roof above it follows.
        u.choose(L::kLevelList, 3);
        EXPECT_EQ(d.itemText(L::kAbsolute), "6500.500");
        u.typeText(L::kRelative, "not a number"); // reads as 0, as the product always read it
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(levels.levels[2].value, 3000.5);
    EXPECT_EQ(levels.levels[3].value, 0.0);
    EXPECT_EQ(drawing.levels()[2].value, 3500.0); // the caller writes the record, not the dialog
}

TEST_F(RecordDialogs, ANewLevelGetsAFreeNameAndChoosesItsReferenceOnlyWhileNew) {
    KvLevelsDlgData levels;
    ASSERT_EQ(levels.initialize(nullptr), Acad::eOk);
    answerTextInput(user, "wcs");
    answerTextInput(user, "ground");
    answerTextInput(user, "  Attic ");
    ASSERT_TRUE(runLevels(levels, [&](L& d, ui::DialogUser& u) {
        u.typeText(L::kRelative, "-1500"); // the foundation's, stored before the question
        u.click(L::kAddLevel);
        EXPECT_EQ(user.dialogsRun(), (std::vector<int>{L::kTemplate, DlgTextInput::kTemplate,
                                                       DlgTextInput::kTemplate, DlgTextInput::kTemplate}));
        EXPECT_EQ(d.listText(L::kLevelList, 4), "Attic");
        EXPECT_EQ(d.listCurSel(L::kLevelList), 4);
        EXPECT_EQ(d.itemText(L::kName), "Attic");
        EXPECT_TRUE(d.isNewLevel());
        EXPECT_TRUE(d.isItemEnabled(L::kReference));
        u.chooseText(L::kReference, "Roof");
        u.typeText(L::kRelative, "2400");
        // Shown again, the level is no longer new: its reference stays.
        u.choose(L::kLevelList, 0);
        u.choose(L::kLevelList, 4);
        EXPECT_FALSE(d.isItemEnabled(L::kReference));
        EXPECT_EQ(d.itemText(L::kReference), "Roof");
        EXPECT_EQ(d.itemText(L::kAbsolute), "9400.000");
        u.click(ui::IDOK);
    }));
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    expectRefusal(0);
    expectRefusal(1);
    EXPECT_EQ(levels.levels[0].value, -1500.0);
    ASSERT_EQ(levels.levels.length(), 5);
    EXPECT_EQ(levels.levels[4], (Zrk_Level{"Attic", "Roof", 2400.0}));
}

TEST_F(RecordDialogs, AfterTwentyRefusedNamesNothingIsAdded) {
    KvLevelsDlgData levels;
    ASSERT_EQ(levels.initialize(nullptr), Acad::eOk);
    for (int i = 0; i < L::kMostNameAttempts; ++i)
        answerTextInput(user, i % 2 ? "Roof" : "WCS");
    ASSERT_TRUE(runLevels(levels, [](L& d, ui::DialogUser& u) {
        u.click(L::kAddLevel);
        EXPECT_EQ(d.listCount(L::kLevelList), 4);
        EXPECT_FALSE(d.isNewLevel());
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(user.messageBoxes().size(), std::size_t(L::kMostNameAttempts));
    EXPECT_EQ(levels.levels, drawing.levels());

    // Cancel at the question ends the command without a message.
    answerTextInput(user, "");
    ASSERT_TRUE(runLevels(levels, [](L& d, ui::DialogUser& u) {
        u.click(L::kAddLevel);
        EXPECT_EQ(d.listCount(L::kLevelList), 4);
        u.click(ui::IDOK);
    }));
    EXPECT_EQ(user.messageBoxes().size(), std::size_t(L::kMostNameAttempts));
}

TEST_F(RecordDialogs, DeletingShowsTheLevelBeforeOrTheFirstAndAnEmptyListEditsNothing) {
    KvLevelsDlgData levels;
    ASSERT_EQ(levels.initialize(nullptr), Acad::eOk);
    answerTextInput(user, "Ground");
    ASSERT_TRUE(runLevels(levels, [](L& d, ui::DialogUser& u) {
        // A level others rest on stays.
        u.choose(L::kLevelList, 1);
        u.click(L::kDeleteLevel);
        EXPECT_EQ(d.listCount(L::kLevelList), 4);
        EXPECT_EQ(d.currentLevel(), 1);
        // The last one: the one before it is shown.
        u.choose(L::kLevelList, 3);
        u.click(L::kDeleteLevel);
        EXPECT_EQ(listed(d, L::kLevelList), (Zrk_StringArray{"Foundation", "Ground", "First"}));
        EXPECT_EQ(d.currentLevel(), 2);
        EXPECT_EQ(d.listCurSel(L::kLevelList), 2);
        EXPECT_EQ(d.itemText(L::kName), "First");
        // The first one: the new first is shown, not a level before it.
        u.choose(L::kLevelList, 0);
        u.click(L::kDeleteLevel);
        EXPECT_EQ(d.currentLevel(), 0);
        EXPECT_EQ(d.listCurSel(L::kLevelList), 0);
        EXPECT_EQ(d.itemText(L::kName), "Ground");
        u.choose(L::kLevelList, 1);
        u.click(L::kDeleteLevel);
        u.click(L::kDeleteLevel);
        // No level left: nothing to edit but "+".
        EXPECT_EQ(d.currentLevel(), -1);
        EXPECT_EQ(d.itemText(L::kName), "");
        for (int id : {L::kReference, L::kRelative, L::kDeleteLevel})
            EXPECT_FALSE(d.isItemEnabled(id)) << id;
        EXPECT_TRUE(d.isItemEnabled(L::kAddLevel));
        u.click(L::kAddLevel);
        EXPECT_EQ(d.itemText(L::kName), "Ground");
        EXPECT_TRUE(d.isItemEnabled(L::kRelative));
        u.typeText(L::kRelative, "100");
        u.click(ui::IDOK);
    }));
    ASSERT_EQ(levels.levels.length(), 1);
    EXPECT_EQ(levels.levels[0], (Zrk_Level{"Ground", "", 100.0}));
}

TEST_F(RecordDialogs, LevelsOfADrawingWithoutLevelsStartWithNothingToEdit) {
    drawing.levelsWrite().removeAll();
    KvLevelsDlgData levels;
    ASSERT_EQ(levels.initialize(nullptr), Acad::eOk);
    const KvLevelsDlgData before = levels;
    answerTextInput(user, "Ground");
    EXPECT_FALSE(runLevels(levels, [](L& d, ui::DialogUser& u) {
        EXPECT_EQ(d.currentLevel(), -1);
        EXPECT_FALSE(d.isItemEnabled(L::kRelative));
        EXPECT_FALSE(d.isItemEnabled(L::kDeleteLevel));
        u.click(L::kAddLevel);
        EXPECT_EQ(d.listCount(L::kLevelList), 1);
        u.click(ui::IDCANCEL);
    }));
    EXPECT_EQ(levels, before); // Cancel: the caller's record as it was
}

// --- the look-up ----------------------------------------------------------------------------------------

TEST_F(RecordDialogs, LookUpShowsAndStoresItsCriteriaAndEndsWithTheModeOfItsButton) {
    KvLookUpDlgData lookUp;
    lookUp.criteriaLists[1] = {"HEA 200", "IPE 300"};
    lookUp.criteria[1] = "IPE 300";
    lookUp.criteria[3] = "B7";
    lookUp.fifthCriterionList = {"1", "2"};
    lookUp.choiceB = 2;
    lookUp.flagB = true;
    user.onDialog(K::kTemplate, [](ui::DialogUser& u) {
        ui::Dialog& d = u.dialog();
        EXPECT_EQ(comboItems(d, K::kCriteria[1]), (Zrk_StringArray{"HEA 200", "IPE 300"}));
        EXPECT_EQ(d.itemText(K::kCriteria[1]), "IPE 300");
        EXPECT_EQ(d.itemText(K::kCriteria[3]), "B7"); // a text that is not offered
        EXPECT_EQ(comboItems(d, K::kChoiceA),
                  (Zrk_StringArray{dialString(88), dialString(89), dialString(1511)}));
        EXPECT_EQ(d.comboCurSel(K::kChoiceA), 0);
        EXPECT_EQ(d.comboCurSel(K::kChoiceB), 2);
        EXPECT_EQ(d.itemText(K::kCriteriaLabels[1]), secondaryString(2262));
        EXPECT_EQ(d.checkState(K::kFlagAOff), 1);
        EXPECT_EQ(d.checkState(K::kFlagB), 1);
        EXPECT_TRUE(d.isItemEnabled(K::kFlagB));
        // The check box belongs to the first radio button.
        u.click(K::kFlagAOn);
        EXPECT_FALSE(d.isItemEnabled(K::kFlagB));
        u.click(K::kFlagAOff);
        EXPECT_TRUE(d.isItemEnabled(K::kFlagB));
        u.click(K::kFlagB);
        u.click(K::kFlagAOn);
        u.typeText(K::kCriteria[0], "C*");
        u.chooseText(K::kCriteria[1], "HEA 200");
        u.typeText(K::kFifth, "3");
        u.choose(K::kChoiceA, 2);
        u.choose(K::kChoiceB, 1);
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgLookUp(lookUp));
    EXPECT_EQ(lookUp.resultMode, KvLookUpDlgData::kResultLookUp);
    EXPECT_EQ(lookUp.criteria, (std::array<Zrk_String, 4>{"C*", "HEA 200", "", "B7"}));
    EXPECT_EQ(lookUp.fifthCriterion, "3");
    EXPECT_EQ(lookUp.choiceA, 2);
    EXPECT_EQ(lookUp.choiceB, 1);
    EXPECT_TRUE(lookUp.flagA);
    EXPECT_FALSE(lookUp.flagB);

    // "Show all" stores too and ends as OK; a flag A record checks the second radio button.
    user.onDialog(K::kTemplate, [](ui::DialogUser& u) {
        EXPECT_EQ(u.dialog().checkState(K::kFlagAOn), 1);
        EXPECT_FALSE(u.dialog().isItemEnabled(K::kFlagB));
        u.typeText(K::kCriteria[2], "S355");
        u.click(K::kShowAll);
    });
    ASSERT_TRUE(StartDlgLookUp(lookUp));
    EXPECT_EQ(lookUp.resultMode, KvLookUpDlgData::kResultShowAll);
    EXPECT_EQ(lookUp.criteria[2], "S355");

    // OK afterwards gives mode 0 again; Cancel leaves the record alone.
    user.onDialog(K::kTemplate, [](ui::DialogUser& u) { u.click(ui::IDOK); });
    ASSERT_TRUE(StartDlgLookUp(lookUp));
    EXPECT_EQ(lookUp.resultMode, KvLookUpDlgData::kResultLookUp);
    const KvLookUpDlgData before = lookUp;
    user.onDialog(K::kTemplate, [](ui::DialogUser& u) {
        u.typeText(K::kCriteria[0], "X");
        u.click(K::kFlagAOff);
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(StartDlgLookUp(lookUp));
    EXPECT_EQ(lookUp, before);
}

// --- the profile features -------------------------------------------------------------------------------

TEST_F(RecordDialogs, ProfileFeaturesShowTheirRowsAndSwitchTheThirdBetweenItsForms) {
    DlgProfFeaturesData features = columnFeatures();
    user.onDialog(F::kTemplate, [](ui::DialogUser& u) {
        F& d = static_cast<F&>(u.dialog());
        EXPECT_EQ(d.title(), "Column C1");
        EXPECT_EQ(d.itemText(F::kLevel), "Ground");
        EXPECT_EQ(d.itemText(F::kLevelsButton), dialString(329) + "...");
        EXPECT_TRUE(d.isItemShown(F::kRowValues[0]));
        EXPECT_FALSE(d.isItemShown(F::kRowLabels[1])); // no label, no row
        EXPECT_FALSE(d.isItemShown(F::kRowValues[1]));
        EXPECT_EQ(d.itemText(F::kRowLabels[2]), "Height:");
        EXPECT_EQ(d.itemText(F::kRowValues[2]), "3500");
        EXPECT_FALSE(d.isItemShown(F::kThirdLevel));
        EXPECT_FALSE(d.isItemShown(F::kThirdLevelsButton));
        EXPECT_EQ(d.checkState(F::kSwitch), 0);
        u.typeText(F::kRowValues[2], "4200");
        u.click(F::kSwitch); // the top level instead of the height
        EXPECT_EQ(d.itemText(F::kRowLabels[2]), "Top level:");
        EXPECT_FALSE(d.isItemShown(F::kRowValues[2]));
        EXPECT_TRUE(d.isItemShown(F::kThirdLevel));
        EXPECT_TRUE(d.isItemShown(F::kThirdLevelsButton));
        EXPECT_EQ(d.itemText(F::kThirdLevel), "Roof");
        u.chooseText(F::kThirdLevel, "First");
        u.click(F::kSwitch); // back: the height typed is still there
        EXPECT_EQ(d.itemText(F::kRowValues[2]), "4200");
        u.click(F::kSwitch);
        EXPECT_EQ(d.itemText(F::kThirdLevel), "First");
        u.chooseText(F::kLevel, "Foundation");
        u.typeText(F::kRowValues[3], "C2");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgProfFeatures(features));
    EXPECT_EQ(features.level, "Foundation");
    EXPECT_TRUE(features.flag);
    EXPECT_EQ(features.values[2].value, "4200");
    EXPECT_EQ(features.thirdAlternative.value, "First");
    EXPECT_EQ(features.values[3].value, "C2");
    EXPECT_EQ(features.values[1].value, ""); // hidden rows store nothing

    // Without a switch caption there is no switch and the third row keeps its first form.
    DlgProfFeaturesData plain = columnFeatures();
    plain.checkCaption.clear();
    plain.flag = true;
    user.onDialog(F::kTemplate, [](ui::DialogUser& u) {
        EXPECT_FALSE(u.dialog().isItemShown(F::kSwitch));
        EXPECT_EQ(u.dialog().itemText(F::kRowLabels[2]), "Height:");
        u.click(ui::IDOK);
    });
    ASSERT_TRUE(StartDlgProfFeatures(plain));
    EXPECT_TRUE(plain.flag);
}

TEST_F(RecordDialogs, LevelsEditedFromTheFeaturesReachTheDrawingAndKeepTheChoices) {
    DlgProfFeaturesData features = columnFeatures();
    features.flag = true; // the top level shown
    const DlgProfFeaturesData before = features;
    answerTextInput(user, "Attic");
    user.onDialog(F::kTemplate, [&](ui::DialogUser& u) {
        F& d = static_cast<F&>(u.dialog());
        user.onDialog(L::kTemplate, [](ui::DialogUser& levels) {
            L& l = static_cast<L&>(levels.dialog());
            // A fresh record of the drawing's levels.
            EXPECT_EQ(listed(l, L::kLevelList), (Zrk_StringArray{"Foundation", "Ground", "First", "Roof"}));
            levels.click(L::kAddLevel);
            levels.chooseText(L::kReference, "Roof");
            levels.typeText(L::kRelative, "2000");
            levels.choose(L::kLevelList, 0);
            levels.click(L::kDeleteLevel); // the foundation goes
            levels.click(ui::IDOK);
        });
        u.click(F::kThirdLevelsButton);
        EXPECT_EQ(comboItems(d, F::kLevel), (Zrk_StringArray{"Ground", "First", "Roof", "Attic"}));
        EXPECT_EQ(comboItems(d, F::kThirdLevel), (Zrk_StringArray{"Ground", "First", "Roof", "Attic"}));
        EXPECT_EQ(d.itemText(F::kLevel), "Ground"); // kept
        EXPECT_EQ(d.itemText(F::kThirdLevel), "Roof");

        // A level chosen and then deleted is chosen no more.
        u.chooseText(F::kLevel, "Attic");
        user.onDialog(L::kTemplate, [](ui::DialogUser& levels) {
            levels.choose(L::kLevelList, 3);
            levels.click(L::kDeleteLevel);
            levels.click(ui::IDOK);
        });
        u.click(F::kLevelsButton);
        EXPECT_EQ(d.comboCurSel(F::kLevel), -1);
        EXPECT_EQ(d.itemText(F::kThirdLevel), "Roof");
        // Cancelled there, nothing changes here or in the drawing.
        user.onDialog(L::kTemplate, [](ui::DialogUser& levels) {
            levels.click(L::kDeleteLevel);
            levels.click(ui::IDCANCEL);
        });
        u.click(F::kLevelsButton);
        EXPECT_EQ(d.comboCount(F::kLevel), 3);
        u.click(ui::IDCANCEL);
    });
    EXPECT_FALSE(StartDlgProfFeatures(features));
    EXPECT_EQ(features, before); // the caller's record as it was
    // The levels are the drawing's now, whatever the features dialog's end.
    ASSERT_EQ(drawing.levels().length(), 3);
    EXPECT_EQ(drawing.levels()[0].name, "Ground");
    EXPECT_EQ(drawing.levels()[2].name, "Roof");
    EXPECT_EQ(drawing.undoSteps(), 2); // each accepted levels dialog one step
    EXPECT_EQ(drawing.undoDepth(), 0);
}
