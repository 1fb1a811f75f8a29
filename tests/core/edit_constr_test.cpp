// The constraint dialog's record on the sample drawing: its lists, the palette's commands, editing,
// sorting and deleting constraints, variables and equations, the geometry, and module management;
// every failed operation leaves the drawing as it was.

#include <functional>

#include <gtest/gtest.h>

#include "sample_drawing.h"

#include "core/drawing.h"
#include "core/edit_constr_data.h"
#include "core/editor_hooks.h"
#include "core/macro_cuts_data.h"
#include "core/text.h"

namespace {

const AcDbObjectId kTopEdge(1001), kWebLine(1002), kBottomEdge(1003), kArc(1004), kHole(1005), kCorner(1006);

class EditConstr : public SampleDrawingTest {
protected:
    EditConstr() : SampleDrawingTest("ss_editconstr_") {}

    void SetUp() override {
        SampleDrawingTest::SetUp();
        editor.point = Zrk_Point3d{1, 2, 3};
        data.macroId = kMacroA;
        ASSERT_TRUE(SetCurrentModule(data, "Plate"));
    }
    const Zrk_Module& plate() { return *drawing.findMacro(kMacroA)->macro()->findModule("Plate"); }
    int row(const Zrk_String& name) {
        for (int i = 0; i < data.constrCells.length(); ++i)
            if (data.constrCells[i][0] == name) return i;
        return -1;
    }

    EditConstrData data;
};

} // namespace

TEST_F(EditConstr, TheListsShowTheModule) {
    // Every kind of constraint, then the module's cuts.
    ASSERT_EQ(data.constrCells.length(), 11 + 6);
    EXPECT_EQ(data.constrCells[1], (Zrk_StringArray{"Distance1", "Distance", "TopEdge", "Line 1002"}));
    EXPECT_EQ(data.attributeKinds[1], (Zrk_Array<int>{0, 1, 3}));
    EXPECT_EQ(data.valueTexts[1], "40");
    EXPECT_EQ(data.variableNames[1], "Edge");
    EXPECT_EQ(data.flags1[1], 1);
    EXPECT_EQ(data.optionSelections[1], (Zrk_Array<int>{1, 4}));
    EXPECT_EQ(data.pictureOptions[1].length(), 7);
    EXPECT_EQ(data.pictureOptions[1][3], "%radioBreak%");
    EXPECT_EQ(data.cutFlags[11], 1);
    EXPECT_EQ(data.constrCells[11][0], "BeamEnd");
    EXPECT_EQ(data.constrIds[11], -1);
    EXPECT_TRUE(data.isValidConstraint(16));
    EXPECT_FALSE(data.isValidConstraint(17));
    data.flags1.setLength(8); // short of the angle's flags, not of the constraints before it
    EXPECT_FALSE(data.isValidConstraint(8));
    EXPECT_TRUE(data.isValidConstraint(7));
    data.refresh();

    EXPECT_EQ(data.geomIds.length(), 6);
    EXPECT_EQ(data.geomCells[0], (Zrk_StringArray{"Line", "1001", "TopEdge"}));
    EXPECT_EQ(data.constrained[0], 2);
    EXPECT_EQ(data.varNames, (Zrk_StringArray{"Gap", "Clearance"}));
    EXPECT_EQ(data.varKinds, (Zrk_Array<short>{0, 3}));
    EXPECT_EQ(data.dimNames.length(), 10);
    EXPECT_EQ(data.dimValues[8], "9.42");
    EXPECT_EQ(data.equations, Zrk_StringArray{"Gap = Edge / 8"});

    Zrk_StringArray modules;
    ASSERT_TRUE(MacroGetModules(data, modules));
    EXPECT_EQ(modules, (Zrk_StringArray{"Plate", "Bolts", "Cleats", "Stiffener"}));
    EXPECT_FALSE(SetCurrentModule(data, "Nothing"));
    EXPECT_EQ(data.moduleName, "Plate");
}

TEST_F(EditConstr, ThePaletteAddsConstraintsBetweenPickedObjects) {
    const std::string before = drawing.toText();
    EXPECT_FALSE(StartMacroCommand(data, core::kConstrDistance)); // cancelled
    editor.geometry = {kTopEdge, kArc};
    EXPECT_FALSE(StartMacroCommand(data, core::kConstrParallel)); // an arc is not straight
    editor.geometry = {kTopEdge, kTopEdge};
    EXPECT_FALSE(StartMacroCommand(data, core::kConstrDistance)); // the same object twice
    editor.geometry = {kTopEdge, AcDbObjectId(2001)};             // another macro's object
    EXPECT_FALSE(StartMacroCommand(data, core::kConstrCoincident));
    EXPECT_EQ(drawing.toText(), before);

    editor.geometry = {kWebLine, kBottomEdge};
    ASSERT_TRUE(StartMacroCommand(data, core::kConstrDistance));
    const Zrk_Constraint& made = plate().constraints.last();
    EXPECT_EQ(made.name, "Distance2");
    EXPECT_EQ(made.id, 12);
    EXPECT_EQ(made.value, "0");
    EXPECT_EQ(made.options, (Zrk_Array<int>{0, 0}));
    EXPECT_EQ(data.currentId, 12);
    editor.geometry = {kHole};
    ASSERT_TRUE(StartMacroCommand(data, core::kConstrRadius));
    EXPECT_EQ(plate().constraints.last().value, "10");
    editor.geometry = {kCorner};
    ASSERT_TRUE(StartMacroCommand(data, 10)); // the button without a picture: fix
    EXPECT_EQ(plate().constraints.last().kind, core::kConstrFix);

    // A module, a bolt pattern (bolt modules only) and a coordinate system of the drawing.
    ASSERT_TRUE(StartMacroCommand(data, 11));
    EXPECT_EQ(data.moduleName, "Module1");
    EXPECT_FALSE(StartMacroCommand(data, 12));
    ASSERT_TRUE(SetCurrentModule(data, "Bolts"));
    ASSERT_TRUE(StartMacroCommand(data, 12));
    EXPECT_EQ(drawing.findMacro(kMacroA)->macro()->findModule("Bolts")->patterns.last().name, "Pattern1");
    ASSERT_TRUE(SetCurrentModule(data, "Plate"));
    EXPECT_FALSE(StartMacroCommand(data, 13)); // cancelled
    editor.coordSystem = "column";
    ASSERT_TRUE(StartMacroCommand(data, 13));
    const Zrk_GeomObject& system = plate().geometry.last();
    EXPECT_EQ(system.kind, core::kGeomCoordSystem);
    EXPECT_EQ(system.nameTag, "Column");
    core::DrawingObjectRef found;
    ASSERT_TRUE(drawing.findObject(system.id, found));
    EXPECT_EQ(found.kind, core::ObjectKind::Geometry);
    EXPECT_FALSE(StartMacroCommand(data, 13)); // the module has it already
    EXPECT_FALSE(StartMacroCommand(data, 14));

    // The drawing writes and reads all of it back.
    core::Drawing again;
    ASSERT_TRUE(again.fromText(drawing.toText(), "again"));
    EXPECT_EQ(again.toText(), drawing.toText());
}

TEST_F(EditConstr, EditingAConstraintWritesItAndItsVariableOrNothing) {
    const int distance = row("Distance1");
    data.currentId = data.constrIds[distance];
    bool inUse = true;
    ASSERT_TRUE(VarNameInUse(data, "edge", inUse));
    EXPECT_FALSE(inUse); // the distance's own variable
    ASSERT_TRUE(VarNameInUse(data, "Pitch", inUse));
    EXPECT_TRUE(inUse);
    ASSERT_TRUE(VarNameInUse(data, "Gap", inUse));
    EXPECT_TRUE(inUse);

    const std::string before = drawing.toText();
    for (auto spoil : std::vector<std::function<void()>>{
             [&] { data.valueTexts[distance] = "forty"; }, [&] { data.variableNames[distance] = "2nd"; },
             [&] { data.variableNames[distance] = "Pitch"; }, // another's
             [&] { data.flags1[distance] = 0; },              // shown but not driving
             [&] {
                 data.optionSelections[distance] = {4, 4};
             }, // a button of the other group
             [&] { data.optionSelections[distance] = {1}; }}) {
        spoil();
        EXPECT_FALSE(UpdateConstraint(data, distance));
        EXPECT_EQ(drawing.toText(), before);
        EXPECT_EQ(data.valueTexts[distance], "40"); // the lists show the drawing again
    }

    data.valueTexts[distance] = "45";
    data.variableNames[distance] = "EdgeDistance";
    data.flags2[distance] = 0;
    data.optionSelections[distance] = {3, 5};
    ASSERT_TRUE(UpdateConstraint(data, distance));
    EXPECT_EQ(plate().findVariable("Edge"), nullptr); // renamed, with its flex group entry
    ASSERT_NE(plate().findVariable("EdgeDistance"), nullptr);
    EXPECT_EQ(plate().findVariable("EdgeDistance")->value, 45);
    EXPECT_FALSE(plate().findVariable("EdgeDistance")->shown);
    EXPECT_EQ(plate().flexGroups[0].entries[0].variable, "EdgeDistance");
    EXPECT_EQ(plate().constraints[1].options, (Zrk_Array<int>{3, 5}));

    // A new variable for a dimension that had none; a cut row has nothing to write.
    const int angle = row("Angle1");
    data.variableNames[angle] = "Slope";
    data.flags1[angle] = 1;
    ASSERT_TRUE(UpdateConstraint(data, angle));
    EXPECT_EQ(plate().findVariable("Slope")->value, 90);
    EXPECT_FALSE(UpdateConstraint(data, row("BeamEnd")));

    // The symmetric constraint's choice.
    const int symmetric = row("Symmetric1");
    data.choiceIndices[symmetric] = 3;
    EXPECT_FALSE(UpdateConstraint(data, symmetric));
    data.choiceIndices[symmetric] = 2;
    ASSERT_TRUE(UpdateConstraint(data, symmetric));
    EXPECT_EQ(data.choiceIndices[row("Symmetric1")], 2);
}

TEST_F(EditConstr, ContextMenuSortingDeletingAndHighlights) {
    const int distance = row("Distance1");
    Zrk_StringArray texts;
    Zrk_Array<int> checked, actions;
    ConstrContextMenu(data, distance, texts, checked, actions);
    EXPECT_EQ(texts, (Zrk_StringArray{"Pick the objects again", "%BREAK%", "Driving",
                                      "Shown in the macro dialog", "%BREAK%", "Delete"}));
    EXPECT_EQ(checked, (Zrk_Array<int>{2, 3}));
    EXPECT_EQ(actions, (Zrk_Array<int>{1, 2, 3, 4}));
    ASSERT_TRUE(ContextMenuAction(data, distance, 2)); // no longer driving, so no longer shown
    EXPECT_FALSE(plate().constraints[1].driving);
    EXPECT_FALSE(plate().findVariable("Edge")->shown);
    ASSERT_TRUE(ContextMenuAction(data, row("Distance1"), 3)); // shown makes it driving again
    EXPECT_TRUE(plate().findVariable("Edge")->driving);
    editor.geometry = {kBottomEdge, kCorner};
    ASSERT_TRUE(ContextMenuAction(data, row("Distance1"), 1));
    EXPECT_EQ(plate().constraints[1].objects, (AcArray<AcDbObjectId>{kBottomEdge, kCorner}));
    EXPECT_FALSE(ContextMenuAction(data, row("Distance1"), 7));
    ConstrContextMenu(data, row("Cope"), texts, checked, actions);
    EXPECT_EQ(texts, Zrk_StringArray{"Delete"});

    // Sorting by the kind, then by the name; again by the same column changes nothing.
    ASSERT_TRUE(SortConstraints(data, 2, 1));
    EXPECT_EQ(data.constrCells[0][1], "Angle");
    EXPECT_EQ(data.constrCells[2][0], "Concentric1");
    EXPECT_EQ(data.constrCells[3][0], "BeamEnd"); // the cuts, by name, among the kinds
    EXPECT_EQ(data.constrCells[8][0], "Slope");
    EXPECT_FALSE(SortConstraints(data, 2, 3));
    const Zrk_Array<int> order = data.constrIds;
    data.refresh();
    EXPECT_EQ(data.constrIds, order); // the order stays after the lists are filled again

    // Highlights follow the selection.
    HighlightConstraint(data, row("Parallel1"));
    HighlightConstraint(data, row("Radius1"));
    UnHighlightConstraints(data);
    EXPECT_EQ(editor.lit, (Zrk_StringArray{"+1001", "+1003", "-1001", "-1003", "+1005", "-1005"}));

    // Deleting a constraint keeps its variable; deleting a cut row deletes the cut.
    ASSERT_TRUE(DeleteConstraint(data, row("Distance1")));
    EXPECT_EQ(row("Distance1"), -1);
    EXPECT_NE(plate().findVariable("Edge"), nullptr);
    ASSERT_TRUE(DeleteConstraint(data, row("Cope")));
    EXPECT_EQ(plate().cuts.length(), 5);
    EXPECT_FALSE(DeleteConstraint(data, 99));
    EXPECT_EQ(drawing.undoDepth(), 0);
}

TEST_F(EditConstr, VariablesAndEquationsAreCheckedAndComputed) {
    const std::string before = drawing.toText();
    Zrk_String reason;
    data.varNames.append("Half");
    data.varValues.append(0);
    data.varKinds.append(5);
    data.equations = {"", "Half = (PlateHeight - 2 * Edge) / 2", "  ", "Gap = Half / 16 + clearance"};
    ASSERT_TRUE(UpdateVarsEqs(data, &reason)) << reason;
    EXPECT_EQ(plate().moduleVariables[2].value, 160);
    EXPECT_EQ(plate().moduleVariables[0].value, 12);
    EXPECT_EQ(plate().equations.length(), 2); // blank lines dropped

    struct Case {
        std::function<void()> spoil;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {[&] { data.varNames[0] = "1st"; },
         "\"1st\" is no variable name: letters and digits, the first a letter"},
        {[&] { data.varNames[1] = "GAP"; }, "GAP is named twice"},
        {[&] { data.varNames[0] = "Pitch"; }, "Pitch is a dimension variable of the module already"},
        {[&] { data.varKinds[0] = 8; }, "the kind of Gap must be 0 to 7"},
        {[&] { data.equations = {"Gap"}; }, "\"Gap\" is no equation (a name, \"=\" and an expression)"},
        {[&] { data.equations = {"Gap = Edge / (Pitch - 80)"}; },
         "\"Gap = Edge / (Pitch - 80)\": a division by 0"},
        {[&] { data.equations = {"Gap = Width * 2"}; },
         "\"Gap = Width * 2\": \"Width\" is no variable of the module"},
        {[&] { data.equations = {"Other = 2"}; }, "\"Other = 2\": Other is no variable of the module"},
        {[&] { data.equations = {"Gap = (2"}; }, "\"Gap = (2\": a \")\" is missing"},
    };
    const std::string computed = drawing.toText();
    for (const Case& each : cases) {
        each.spoil();
        EXPECT_FALSE(UpdateVarsEqs(data, &reason));
        EXPECT_EQ(reason, each.reason);
        EXPECT_EQ(drawing.toText(), computed);
    }
    EXPECT_NE(before, computed);
}

TEST_F(EditConstr, GeometryFlexibilityConstrainedFlagsAndNameTags) {
    // The flexibility the list was filled with must still hold.
    ASSERT_TRUE(UpdateGeomFlexibility(data, kWebLine, data.flexStates[1], 1));
    EXPECT_EQ(plate().geometry[1].flexibility, core::kFlexFixed);
    EXPECT_FALSE(UpdateGeomFlexibility(data, kWebLine, 1, 3)); // changed meanwhile
    EXPECT_FALSE(UpdateGeomFlexibility(data, kWebLine, 0, 4));

    EXPECT_FALSE(UpdateConstrGeom(data, kTopEdge, false)); // held by the macro
    ASSERT_TRUE(UpdateConstrGeom(data, kArc, true));
    EXPECT_EQ(plate().geometry[3].constrained, 1);

    const std::string before = drawing.toText();
    EXPECT_FALSE(SetNameTags(data, {kWebLine, kArc}, {"Web", "topedge"})); // another's tag
    EXPECT_FALSE(SetNameTags(data, {kWebLine}, {"a\tb"}));
    EXPECT_FALSE(SetNameTags(data, {kWebLine}, {"a", "b"}));
    EXPECT_EQ(drawing.toText(), before);
    ASSERT_TRUE(SetNameTags(data, {kWebLine, kArc}, {" Web ", ""}));
    EXPECT_EQ(plate().geometry[1].nameTag, "Web");
    EXPECT_EQ(data.constrCells[row("Distance1")][3], "Web");

    HighlightObject(data, kArc);
    HighlightObject(data, kArc);
    UnHighlightObject(data, kArc);
    UnHighlightObject(data, kHole);
    EXPECT_EQ(editor.lit, (Zrk_StringArray{"+1004", "-1004"}));
}

TEST_F(EditConstr, ModulesAreRenamedRemovedAndOtherMacrosPicked) {
    drawing.findMacro(kMacroA)->macroWrite()->settings.tabMapping.mappingRefs = {"Module.Plate"};
    drawing.findMacro(kMacroA)->macroWrite()->settings.tabMapping.ssNames = {"EndPlate"};
    EXPECT_FALSE(RenameModule(data, "bolts")); // another module's name
    EXPECT_FALSE(RenameModule(data, " "));
    EXPECT_EQ(data.moduleName, "Plate");
    ASSERT_TRUE(RenameModule(data, "EndPlate"));
    EXPECT_EQ(data.moduleName, "EndPlate");
    EXPECT_EQ(data.constrCells.length(), 17);
    const Zrk_Macro& macro = *drawing.findMacro(kMacroA)->macro();
    EXPECT_EQ(macro.settings.tabMapping.mappingRefs[0], "Module.EndPlate");

    ASSERT_TRUE(RemoveModule(data, "EndPlate"));
    EXPECT_EQ(macro.settings.tabMapping.mappingRefs[0], "");
    EXPECT_EQ(data.moduleName, "Stiffener"); // the new last module
    EXPECT_FALSE(RemoveModule(data, "Nothing"));

    EXPECT_FALSE(SelectOtherMacro(data)); // cancelled
    editor.macros = {kMacroB};
    ASSERT_TRUE(SelectOtherMacro(data));
    EXPECT_EQ(data.macroId, kMacroB);
    EXPECT_EQ(data.moduleName, "Plate");
    EXPECT_TRUE(data.geomIds.isEmpty());
    // The last module of a macro stays.
    ASSERT_TRUE(RemoveModule(data, "Bolts"));
    EXPECT_FALSE(RemoveModule(data, "Plate"));
}

TEST_F(EditConstr, TheCutEditorEditsOnlyACutRowThroughTheInstalledEditor) {
    const int cope = row("Cope");
    ASSERT_GE(cope, 0);
    bool escaped = true;
    // No editor installed: nothing happens.
    core::setMacroCutEditor(nullptr);
    EXPECT_FALSE(StartEditMacroCutDlg(data, cope, escaped));
    EXPECT_FALSE(escaped);
    int runs = 0;
    core::setMacroCutEditor([&](DlgMacroCutsData& cut, bool& leftWithEscape) {
        ++runs;
        EXPECT_EQ(cut.cut.name, "Cope");
        EXPECT_TRUE(cut.exists);
        EXPECT_EQ(cut.macroIds, AcArray<AcDbObjectId>{kMacroA});
        const int radius = cut.offsetNames.find(core::cutOffsetName(kCutRadius));
        if (radius < 0) return false;
        cut.offsetValues[radius] = "30";
        leftWithEscape = false;
        return true;
    });
    // A constraint row has no cut.
    EXPECT_FALSE(StartEditMacroCutDlg(data, row("Distance1"), escaped));
    EXPECT_FALSE(StartEditMacroCutDlg(data, data.constrCells.length(), escaped));
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(drawing.undoSteps(), 0);
    ASSERT_TRUE(StartEditMacroCutDlg(data, cope, escaped));
    EXPECT_EQ(runs, 1);
    EXPECT_DOUBLE_EQ(plate().cuts[1].offsets[kCutRadius], 30.0);
    EXPECT_EQ(drawing.undoSteps(), 1);
    // Cancelled with Escape: said, nothing written.
    core::setMacroCutEditor([](DlgMacroCutsData&, bool& leftWithEscape) {
        leftWithEscape = true;
        return false;
    });
    EXPECT_FALSE(StartEditMacroCutDlg(data, cope, escaped));
    EXPECT_TRUE(escaped);
    EXPECT_EQ(drawing.undoSteps(), 1);
    core::setMacroCutEditor(nullptr);
}

TEST(VariableNameText, LettersDigitsAndALeadingDigit) {
    EXPECT_TRUE(hasOnlyLettersNumbers("Gap2"));
    EXPECT_TRUE(hasOnlyLettersNumbers(""));
    EXPECT_FALSE(hasOnlyLettersNumbers("gap-2"));
    EXPECT_FALSE(hasOnlyLettersNumbers("gap 2"));
    EXPECT_FALSE(hasOnlyLettersNumbers("\xE9t\xE9")); // letters beyond ASCII are no variable letters
    EXPECT_TRUE(startsWithNumber("2nd"));
    EXPECT_FALSE(startsWithNumber("Second"));
    EXPECT_FALSE(startsWithNumber(""));
}
