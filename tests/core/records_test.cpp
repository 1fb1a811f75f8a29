// The records the record dialogs edit over the drawing: levels, a profile's cuts, a macro's cut.

#include <gtest/gtest.h>

#include "core/drawing.h"
#include "core/editor_hooks.h"
#include "core/levels_data.h"
#include "core/macro_cuts_data.h"
#include "core/prof_cuts_data.h"
#include "core/prof_features_data.h"
#include "core/text.h"

namespace {

const std::string kSample =
    std::string(SS_TEST_DATA_DIR) + "/../../examples/library/Drawings/macro-dialogs.json";

class PreviewRecorder : public core::EditorHooks {
public:
    Zrk_StringArray calls;
    AcDbObjectId pickedProfile;
    AcArray<AcDbObjectId> pickedMacros;
    void previewCut(AcDbObjectId profile, int index, bool on) override {
        calls.append(intToStr(profile.handle()) + ":" + intToStr(index) + (on ? "+" : "-"));
    }
    bool pickProfile(const Zrk_String&, AcDbObjectId& id) override {
        if (pickedProfile.isNull()) return false;
        id = pickedProfile;
        return true;
    }
    bool pickMacros(const Zrk_String&, bool, AcArray<AcDbObjectId>& ids) override {
        if (pickedMacros.isEmpty()) return false;
        ids = pickedMacros;
        return true;
    }
};

class Records : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(drawing.readFromFile(kSample, nullptr));
        previousDrawing = core::setWorkingDrawing(&drawing);
        previousEditor = core::setEditorHooks(&editor);
    }
    void TearDown() override {
        core::setWorkingDrawing(previousDrawing);
        core::setEditorHooks(previousEditor);
    }
    core::Drawing drawing;
    PreviewRecorder editor;
    core::Drawing* previousDrawing = nullptr;
    core::EditorHooks* previousEditor = nullptr;
};

} // namespace

TEST_F(Records, LevelsAreEditedOnACopyAndWrittenWhole) {
    KvLevelsDlgData levels;
    ASSERT_EQ(levels.initialize(nullptr), Acad::eOk);
    Zrk_StringArray names;
    levels.getNames(names);
    EXPECT_EQ(names, (Zrk_StringArray{"Foundation", "Ground", "First", "Roof"}));
    Zrk_String name, reference;
    double relative = 0, absolute = 0;
    ASSERT_EQ(levels.getLevelData(3, name, reference, relative, absolute), Acad::eOk);
    EXPECT_EQ(reference, "First");
    EXPECT_EQ(absolute, 7000);

    int index = -1;
    EXPECT_EQ(levels.addLevel("WCS", index), Acad::eDuplicateKey);
    EXPECT_EQ(levels.addLevel("ground", index), Acad::eDuplicateKey);
    EXPECT_EQ(levels.addLevel(" ", index), Acad::eDuplicateKey);
    ASSERT_EQ(levels.addLevel("Attic", index), Acad::eOk);
    EXPECT_EQ(index, 4);
    ASSERT_EQ(levels.updateLevel(index, Zrk_String("Roof")), Acad::eOk);
    ASSERT_EQ(levels.updateLevel(index, 2400.0), Acad::eOk);
    ASSERT_EQ(levels.getLevelData(index, name, reference, relative, absolute), Acad::eOk);
    EXPECT_EQ(absolute, 9400);
    // No level may come to rest on itself, through any chain.
    EXPECT_EQ(levels.updateLevel(1, Zrk_String("Attic")), Acad::eInvalidInput);
    EXPECT_EQ(levels.updateLevel(1, Zrk_String("Ground")), Acad::eInvalidInput);
    EXPECT_EQ(levels.updateLevel(1, Zrk_String("Cellar")), Acad::eInvalidInput);
    EXPECT_FALSE(levels.deleteLevel(3)); // the attic rests on the roof
    EXPECT_TRUE(levels.deleteLevel(0));

    EXPECT_EQ(drawing.levels().length(), 4); // nothing written yet
    ASSERT_EQ(levels.setRealLevels(), Acad::eOk);
    EXPECT_EQ(drawing.levels(), levels.levels);
    double value = 0;
    EXPECT_TRUE(drawing.levelAbsolute("attic", value));
    EXPECT_EQ(value, 9400);
}

TEST_F(Records, AProfilesCutsArePreviewedAndRemoved) {
    DlgProfCutsData cuts;
    cuts.profileId = AcDbObjectId(201);
    Zrk_StringArray descriptions;
    cuts.getCutDescs(descriptions);
    EXPECT_EQ(descriptions, (Zrk_StringArray{"Top - Chamfer", "Seat - Profile in profile"}));
    cuts.drawCutPreview(0);
    cuts.drawCutPreview(1);
    cuts.drawCutPreview(5); // no such cut
    ASSERT_TRUE(cuts.removeCut(0));
    EXPECT_EQ(cuts.previews(), Zrk_Array<int>{0}); // the seat moved up
    cuts.getCutDescs(descriptions);
    EXPECT_EQ(descriptions, Zrk_StringArray{"Seat - Profile in profile"});
    EXPECT_FALSE(cuts.removeCut(3));
    EXPECT_EQ(drawing.undoDepth(), 0);

    EXPECT_FALSE(cuts.selectOtherProf());     // cancelled
    editor.pickedProfile = AcDbObjectId(101); // a macro: no profile
    EXPECT_FALSE(cuts.selectOtherProf());
    editor.pickedProfile = AcDbObjectId(202);
    ASSERT_TRUE(cuts.selectOtherProf());
    EXPECT_TRUE(cuts.previews().isEmpty());
    cuts.getCutDescs(descriptions);
    EXPECT_EQ(descriptions.length(), 2);
    EXPECT_EQ(editor.calls, (Zrk_StringArray{"201:0+", "201:1+", "201:0-", "201:0-"}));
}

TEST_F(Records, AMacroCutFromTheCutsDialog) {
    DlgMacroCutsData data;
    data.macroIds = {AcDbObjectId(101), AcDbObjectId(102)};
    data.fillModuleNames();
    EXPECT_EQ(data.moduleNames, (Zrk_StringArray{"Plate", "Bolts", "Cleats", "Stiffener"}));
    data.GetDefaultValues(core::kCutProfInProf, data.offsetNames, data.offsetValues, data.offsetFlags);
    EXPECT_EQ(data.offsetNames, (Zrk_StringArray{"Offset", "LengthOffset", "CenterOffset", "Radius"}));
    EXPECT_EQ(data.offsetValues, (Zrk_StringArray{"0", "0", "0", "0"}));

    data.cut = Zrk_CutConstraint::ofType("Cope", core::kCutProfInProf);
    data.moduleName = "Plate";
    data.moduleMode = 2;
    EXPECT_TRUE(data.CutNameInUse()); // the first macro's plate has a cope already
    data.cut.name = "Hole";
    EXPECT_FALSE(data.CutNameInUse());
    data.offsetValues = {"5", "gen_Depth", "0", "abc"};
    EXPECT_FALSE(data.AreVarNamesValid());
    EXPECT_FALSE(data.apply());
    data.offsetValues = {"5", "gen_Clearance", "0", "7.5"};
    data.offsetFlags = {0, 1, 0, 0};
    ASSERT_TRUE(data.AreVarNamesValid());
    ASSERT_TRUE(data.apply());
    const Zrk_Module& plateB = *drawing.findMacro(AcDbObjectId(102))->macro()->findModule("Plate");
    ASSERT_EQ(plateB.cuts.length(), 2);
    const Zrk_CutConstraint* made = &plateB.cuts.last();
    EXPECT_EQ(made->name, "Hole");
    EXPECT_EQ(made->offsetVars[kCutLengthOffset], "gen_Clearance");
    EXPECT_EQ(made->offsets[kCutLengthOffset], 5); // the macro's value of it
    EXPECT_TRUE(made->checked[kCutLengthOffset]);
    EXPECT_EQ(made->offsets[kCutRadius], 7.5);
    EXPECT_FALSE(data.apply()); // a new cut of a name in use: refused, nothing written
    EXPECT_EQ(drawing.findMacro(AcDbObjectId(101))->macro()->findModule("Plate")->cuts.length(), 7);

    // An existing cut, edited and written back in place.
    DlgMacroCutsData existing = DlgMacroCutsData::forCut(*drawing.findMacro(AcDbObjectId(101))
                                                              ->macroWrite()
                                                              ->findModuleWrite("Plate")
                                                              ->getCutConstraint("Corner"),
                                                         "Plate");
    existing.macroIds = {AcDbObjectId(101)};
    EXPECT_EQ(existing.offsetNames, (Zrk_StringArray{"Offset", "Offset1", "Offset2"}));
    EXPECT_EQ(existing.offsetValues, (Zrk_StringArray{"gen_Clearance", "20", "20"}));
    EXPECT_EQ(existing.offsetFlags, (Zrk_Array<int>{0, 1, 0}));
    existing.offsetValues[1] = "25";
    ASSERT_TRUE(existing.apply());
    EXPECT_EQ(drawing.findMacro(AcDbObjectId(101))
                  ->macro()
                  ->findModule("Plate")
                  ->cuts[4]
                  .offsets[kCutChamferOffset1],
              25);

    editor.pickedMacros = {AcDbObjectId(102)};
    DlgMacroCutsData picking;
    ASSERT_TRUE(picking.UserSelectMacro());
    EXPECT_EQ(picking.moduleNames, (Zrk_StringArray{"Plate", "Bolts"}));
}

TEST_F(Records, ProfileFeaturesReadTheDrawingsLevelsAndSwitchTheirThirdRow) {
    DlgProfFeaturesData features;
    features.levelNames = {"Old"};
    ASSERT_EQ(features.getAllLevels(), Acad::eOk);
    EXPECT_EQ(features.levelNames, (Zrk_StringArray{"Foundation", "Ground", "First", "Roof"}));
    core::setWorkingDrawing(nullptr);
    EXPECT_EQ(features.getAllLevels(), Acad::eInvalidInput);
    EXPECT_EQ(features.levelNames.length(), 4); // left as they were

    features.values[2] = {"Height:", "3500"};
    features.thirdAlternative = {"Top level:", "Roof", true};
    features.flag = true;
    EXPECT_EQ(features.third().label, "Height:"); // no switch without its caption
    features.checkCaption = "Up to a level";
    EXPECT_EQ(features.third().label, "Top level:");
    features.flag = false;
    EXPECT_EQ(features.third().label, "Height:");
}
