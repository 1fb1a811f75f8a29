// The macro dialog data on the sample drawing: merging two macros, writing changes back (all or
// nothing), change codes, profile groups, property files, other macros, standards, clashes.

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "sample_drawing.h"

#include "core/drawing.h"
#include "core/editor_hooks.h"
#include "core/files.h"
#include "core/macro_update.h"
#include "core/settings.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {

class MacroDataTest : public SampleDrawingTest {
protected:
    MacroDataTest() : SampleDrawingTest("ss_macrodata_") {}

    void SetUp() override {
        SampleDrawingTest::SetUp();
        ASSERT_TRUE(data.initFromMacros({kMacroA, kMacroB}));
    }

    MacroTabData& tab(const Zrk_String& name) {
        int index = -1;
        EXPECT_TRUE(data.findTab(name, index)) << name;
        return data.tabs[index];
    }
    MacroCellData& cell(const Zrk_String& tabName, const Zrk_String& name) {
        int index = -1;
        EXPECT_TRUE(tab(tabName).findCellWithName(name, index)) << name;
        return tab(tabName).cells[index];
    }
    int cellIndex(const Zrk_String& tabName, const Zrk_String& name) {
        int index = -1;
        tab(tabName).findCellWithName(name, index);
        return index;
    }
    const Zrk_Module& module(AcDbObjectId id, const Zrk_String& name) {
        return *drawing.findMacro(id)->macro()->findModule(name);
    }
    double variable(AcDbObjectId id, const Zrk_String& moduleName, const Zrk_String& name) {
        return module(id, moduleName).findVariable(name)->value;
    }

    MacroData data;
};

} // namespace

TEST_F(MacroDataTest, TheSampleDrawingRoundTripsExactlyAndHoldsEveryKind) {
    core::DrawingContent content;
    std::string bytes;
    Zrk_String message;
    ASSERT_TRUE(readFileBytes(kSample, bytes));
    ASSERT_TRUE(core::parseDrawingText(bytes, "sample", content, &message)) << message;
    const std::string written = core::drawingText(content);
    core::DrawingContent again;
    ASSERT_TRUE(core::parseDrawingText(written, "written", again, &message)) << message;
    EXPECT_EQ(again, content);
    EXPECT_EQ(core::drawingText(again), written);

    // What the dialogs need to find in it.
    std::set<int> tabKinds, arrayModes, cutTypes;
    for (const MacroTabData& each : data.tabs)
        tabKinds.insert(each.kind);
    for (const core::DrawingMacroRecord& record : content.macros)
        for (const Zrk_Module& each : record.macro.modules) {
            for (const DynArrayData& array : each.arrays)
                arrayModes.insert(array.mode);
            for (const Zrk_CutConstraint& cut : each.cuts)
                cutTypes.insert(cut.cutType);
        }
    EXPECT_EQ(tabKinds, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(arrayModes, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(cutTypes, (std::set<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(content.profiles.empty());
    EXPECT_FALSE(content.profiles[0].profile.cuts.isEmpty());
    EXPECT_GE(content.levels.length(), 3);
    EXPECT_FALSE(content.coordSystems.isEmpty());
    EXPECT_TRUE(tab("EndPlateBolts").boltData->slottedHoles[0].active);
    EXPECT_FALSE(tab("EndPlateCleats").segments.isEmpty());
}

TEST_F(MacroDataTest, TwoMacrosShowTheVariesTextWhereTheyDiffer) {
    const Zrk_String varies = core::variesText();
    EXPECT_EQ(data.selectList1, Zrk_StringArray{"EndPlate"});
    EXPECT_EQ(data.selectList2, (Zrk_StringArray{"<All macros>", "EndPlateA", "EndPlateB"}));
    EXPECT_EQ(data.title, "EndPlate: 2 macros");
    EXPECT_EQ(data.firstTabName, "EndPlate");
    ASSERT_EQ(data.tabs.length(), 4);
    EXPECT_EQ(tab("EndPlate").kind, core::kTabPlain);
    EXPECT_EQ(tab("EndPlateBolts").kind, core::kTabBolt);
    EXPECT_EQ(tab("EndPlateCleats").kind, core::kTabProfile);
    EXPECT_EQ(tab("Stiffener").kind, core::kTabSubMacro);

    EXPECT_EQ(cell("EndPlate", "PlateWidth").value, varies);
    EXPECT_EQ(cell("EndPlate", "PlateHeight").value, "400");
    EXPECT_EQ(cell("EndPlate", "Finish").value, "Galvanised"); // a choice shows its text
    EXPECT_EQ(cell("EndPlate", "Welded").value, "1");
    EXPECT_EQ(cell("EndPlate", "PlateWidth").label, "Plate width");
    EXPECT_EQ(cellIndex("EndPlate", "Force"), -1); // not shown
    EXPECT_EQ(tab("EndPlateBolts").boltData->diameter, varies);
    EXPECT_EQ(tab("EndPlateBolts").boltData->reverseOrientation, 2);
    EXPECT_EQ(tab("EndPlateBolts").patterns[0].nrBolts1, varies);
    EXPECT_EQ(tab("EndPlateBolts").patterns[0].nrBolts2, "2");
    int cut = -1;
    ASSERT_TRUE(tab("EndPlate").findCutWithName("BeamEnd", cut));
    EXPECT_EQ(tab("EndPlate").cuts[cut].cutType, -1);
    int array = -1;
    ASSERT_TRUE(tab("EndPlate").findArrayWithName("Stiffeners", array));
    EXPECT_EQ(tab("EndPlate").arrays[array].mode, -1);
    EXPECT_EQ(tab("EndPlate").arrays[array].values[1], "80");

    // The second list chooses one macro; the group list goes back to all of the group.
    data.selectIndex2 = 2;
    UpdateAllFilterModified(data, 0);
    EXPECT_EQ(data.macroIds, AcArray<AcDbObjectId>{kMacroB});
    EXPECT_EQ(data.title, "EndPlateB");
    EXPECT_EQ(cell("EndPlate", "PlateWidth").value, "220");
    UpdateAllFilterModified(data, 1);
    EXPECT_EQ(data.macroIds.length(), 2);
    EXPECT_EQ(data.selectIndex2, 0);

    data.changeView("EndPlate", 1);
    EXPECT_EQ(editor.views, Zrk_StringArray{"EndPlate 1 2"});
}

TEST_F(MacroDataTest, ChangesOfATabReachEveryMacroButNotTheVariesOnes) {
    const MacroTabData before = tab("EndPlate");
    cell("EndPlate", "PlateHeight").value = "450";
    cell("EndPlate", "Finish").value = "Painted";
    cell("EndPlate", "Mass").value = "1"; // read only: never written
    Zrk_StringArray names;
    Zrk_Array<int> list1, list2;
    tab("EndPlate").differences(before, names, list1, list2);
    EXPECT_EQ(names, (Zrk_StringArray{"PlateHeight", "Finish", "Mass"}));
    EXPECT_EQ(list1, Zrk_Array<int>{core::kChangeCells});
    EXPECT_EQ(list2, (Zrk_Array<int>{cellIndex("EndPlate", "PlateHeight"), cellIndex("EndPlate", "Finish"),
                                     cellIndex("EndPlate", "Mass")}));

    ASSERT_TRUE(UpdateModule("EndPlate", data, list1, list2));
    for (AcDbObjectId id : {kMacroA, kMacroB}) {
        EXPECT_EQ(variable(id, "Plate", "PlateHeight"), 450);
        EXPECT_EQ(variable(id, "Plate", "Finish"), 2);
    }
    EXPECT_EQ(variable(kMacroA, "Plate", "PlateWidth"), 200); // varies: left as each macro had it
    EXPECT_EQ(variable(kMacroB, "Plate", "PlateWidth"), 220);
    EXPECT_EQ(variable(kMacroA, "Plate", "Mass"), 9.42);
    EXPECT_EQ(cell("EndPlate", "Mass").value, core::variesText()); // the tab shows the drawing again
    EXPECT_FALSE(UpdateModule("EndPlate", data, list1, list2));    // nothing left to write
    EXPECT_FALSE(UpdateModule("NoSuchTab", data, list1, list2));

    // Only the cells named are written.
    cell("EndPlate", "PlateHeight").value = "500";
    cell("EndPlate", "Edge").value = "45";
    ASSERT_TRUE(UpdateModule("EndPlate", data, {core::kChangeCells}, {cellIndex("EndPlate", "Edge")}));
    EXPECT_EQ(variable(kMacroA, "Plate", "PlateHeight"), 450);
    EXPECT_EQ(variable(kMacroA, "Plate", "Edge"), 45);
}

TEST_F(MacroDataTest, AnOperationThatFailsHalfWayLeavesTheDrawingAsItWas) {
    const std::string before = drawing.toText();
    cell("EndPlate", "PlateHeight").value = "450"; // would be written first
    cell("EndPlate", "Rows").value = "4.5";        // a whole-number cell: refused
    EXPECT_FALSE(setAllToMacro(data, {core::kChangeCells}, {}));
    EXPECT_EQ(drawing.toText(), before);
    EXPECT_EQ(drawing.undoDepth(), 0);

    // The same inside a transaction of the host: its undo record keeps nothing of the failure.
    cell("EndPlate", "Rows").value = "4";
    tab("EndPlateBolts").patterns[0].nrBolts2 = "0"; // no bolt count
    drawing.beginUndoRecord();
    EXPECT_FALSE(setAllToMacro(data, {core::kChangeCells, core::kChangePatterns}, {}));
    EXPECT_EQ(drawing.toText(), before);
    ASSERT_TRUE(drawing.endUndoRecord(true));
    EXPECT_FALSE(drawing.isModified());

    tab("EndPlateBolts").patterns[0].nrBolts2 = "3";
    EXPECT_TRUE(setAllToMacro(data, {core::kChangeCells, core::kChangePatterns}, {}));
    EXPECT_EQ(module(kMacroB, "Bolts").patterns[0].nrBolts2, "3");
    EXPECT_EQ(module(kMacroB, "Bolts").patterns[0].nrBolts1, "5"); // varies: each macro's own
}

TEST_F(MacroDataTest, ChangeCodesSayWhatChanged) {
    auto codesOf = [&](auto change) {
        MacroData changed = data;
        change(changed);
        Zrk_StringArray names;
        Zrk_Array<int> list1, list2;
        changed.differences(data, names, list1, list2);
        return list1;
    };
    auto tabOf = [](MacroData& d, const char* name) -> MacroTabData& {
        int index = -1;
        d.findTab(name, index);
        return d.tabs[index];
    };
    EXPECT_EQ(codesOf([&](MacroData& d) { tabOf(d, "EndPlateBolts").boltData->composition = "M-10.9"; }),
              Zrk_Array<int>{core::kChangeBolts});
    EXPECT_EQ(codesOf([&](MacroData& d) { tabOf(d, "EndPlateBolts").patterns[1].props.options[0] = 1; }),
              Zrk_Array<int>{core::kChangePatterns});
    EXPECT_EQ(codesOf([&](MacroData& d) {
                  tabOf(d, "EndPlateCleats").profGroups[0].profiles[0].props.rotation = "0";
              }),
              Zrk_Array<int>{core::kChangeProfiles});
    EXPECT_EQ(codesOf([&](MacroData& d) {
                  tabOf(d, "EndPlateCleats").profGroups[0].merged.coordSystem = "Column";
              }),
              Zrk_Array<int>{core::kChangePlacementRefs});
    EXPECT_EQ(codesOf([&](MacroData& d) { tabOf(d, "EndPlate").arrays[1].modeText = "5"; }),
              Zrk_Array<int>{core::kChangeArrays});
    EXPECT_EQ(codesOf([&](MacroData& d) { tabOf(d, "EndPlate").cuts[0].cutType = 3; }),
              Zrk_Array<int>{core::kChangeCuts});
    EXPECT_EQ(codesOf([&](MacroData& d) { tabOf(d, "Stiffener").subMacro = "Macros/Other.dwg"; }),
              Zrk_Array<int>{core::kChangeSubMacro});
    EXPECT_EQ(
        codesOf([&](MacroData& d) { tabOf(d, "EndPlate").flexFixBtnClicked("HeightChain", "Edge", true); }),
        Zrk_Array<int>{core::kChangeFlex});
    EXPECT_EQ(codesOf([&](MacroData& d) { tabOf(d, "EndPlateCleats").segments[0].gap = 7; }),
              Zrk_Array<int>{core::kChangeSegments});
    EXPECT_EQ(codesOf([&](MacroData& d) { tabOf(d, "EndPlate").cells[0].ctrl = -1; }),
              Zrk_Array<int>{core::kChangeDialog});
    EXPECT_EQ(codesOf([&](MacroData& d) { d.title = "Other"; }), Zrk_Array<int>{core::kChangeSelection});
    EXPECT_EQ(codesOf([&](MacroData& d) {
                  tabOf(d, "EndPlate").cells[1].value = "1";
                  tabOf(d, "EndPlateBolts").boltData->composition = "M-10.9";
              }),
              (Zrk_Array<int>{core::kChangeCells, core::kChangeBolts}));

    MacroData changed = data;
    tabOf(changed, "EndPlateCleats").segments[0].gap = 7;
    Zrk_StringArray names;
    Zrk_Array<int> list1, list2;
    changed.differences(data, names, list1, list2);
    EXPECT_EQ(names, Zrk_StringArray{"EndPlateCleats"});
    EXPECT_EQ(list2, Zrk_Array<int>{2});
}

TEST_F(MacroDataTest, ProfileGroupsAndTheirProfiles) {
    MacroTabData& cleats = tab("EndPlateCleats");
    MacroProfProps merged;
    ASSERT_TRUE(cleats.getMergedPropsOfGroup("Cleat", merged));
    EXPECT_EQ(merged.material, core::variesText());
    EXPECT_EQ(merged.offsetType, 9);
    MacroProfProps one;
    ASSERT_TRUE(cleats.getPropsOfProfile("Cleat", 12, one));
    EXPECT_EQ(one.material, "S355");
    EXPECT_FALSE(cleats.getPropsOfProfile("Cleat", 13, one)); // that profile is of another group

    // One profile changed: the group merges again; written with -4 only the main fields go.
    one.material = "S235";
    one.coordSystem = "Column";
    ASSERT_EQ(cleats.setPropsOfProfile("Cleat", 12, one), Acad::eOk);
    ASSERT_TRUE(cleats.getMergedPropsOfGroup("Cleat", merged));
    EXPECT_EQ(merged.material, "S235");
    EXPECT_EQ(merged.coordSystem, core::variesText());
    ASSERT_TRUE(UpdateModule("EndPlateCleats", data, {core::kChangeProfiles}, {}));
    EXPECT_EQ(module(kMacroA, "Cleats").placements[1].material, "S235");
    EXPECT_EQ(module(kMacroA, "Cleats").placements[1].coordSystem, "Beam");
    ASSERT_TRUE(tab("EndPlateCleats").getPropsOfProfile("Cleat", 12, one));
    one.coordSystem = "Column";
    ASSERT_EQ(tab("EndPlateCleats").setPropsOfProfile("Cleat", 12, one), Acad::eOk);
    ASSERT_TRUE(UpdateModule("EndPlateCleats", data, {core::kChangeAllProfileSettings}, {}));
    EXPECT_EQ(module(kMacroA, "Cleats").placements[1].coordSystem, "Column");

    // The merged settings reach every profile of the group; varies values leave each its own.
    merged.sectionName = "HEA-120";
    ASSERT_EQ(tab("EndPlateCleats").setMergedPropsOfGroup("Cleat", merged), Acad::eOk);
    ASSERT_TRUE(UpdateModule("EndPlateCleats", data, {core::kChangeProfiles}, {}));
    EXPECT_EQ(module(kMacroA, "Cleats").placements[0].sectionName, "HEA-120");
    EXPECT_EQ(module(kMacroA, "Cleats").placements[1].sectionName, "HEA-120");
    EXPECT_EQ(module(kMacroA, "Cleats").placements[0].coordSystem, "Beam");
    EXPECT_EQ(module(kMacroA, "Cleats").placements[2].sectionName, "IPE-200");

    int index = -1;
    tab("EndPlateCleats").profGroups[1].advancedCtrl = 33005;
    EXPECT_TRUE(tab("EndPlateCleats").findProfDataWithCtrlResId(33005, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(tab("EndPlateCleats").advBtnForEveryGroup());
    tab("EndPlateCleats").removeAllDlgReferences();
    EXPECT_FALSE(tab("EndPlateCleats").findProfDataWithCtrlResId(33005, index));
}

TEST_F(MacroDataTest, PropertyFilesKeepValuesAndNeverLeaveTheirFolder) {
    Zrk_String path, reason, message;
    EXPECT_TRUE(data.propListAllowed(reason));
    for (const char* bad : {"", "..", "../escape", "a/b", "a\\b", "x..y", "a:b"})
        EXPECT_FALSE(data.propFilePath(bad, path)) << bad;
    ASSERT_TRUE(data.propFilePath("Heavy plates", path));
    EXPECT_EQ(path, gSettings.libDir + "Macro Properties/Heavy plates.kvp");
    EXPECT_FALSE(data.writeToFile(gSettings.libDir + "Macro Properties/../x.kvp", &message));
    EXPECT_FALSE(fileExists(gSettings.libDir + "x.kvp"));
    int notUsed = 0;
    EXPECT_FALSE(data.readFromFile(gSettings.libDir + "Macro Properties/a\\..\\b.kvp", notUsed, &message));

    // Saved from the second macro alone ...
    data.selectIndex2 = 2;
    UpdateAllFilterModified(data, 0);
    cell("EndPlate", "PlateHeight").value = "480";
    ASSERT_TRUE(data.writeToFile(path, &message)) << message;
    ASSERT_TRUE(
        ObjectExportWriteFile(gSettings.libDir + "Macro Properties/Other.kvp",
                              {"format:string=ss-macro-properties", "version:int=1", "group:string=Splice"}));
    Zrk_String folder, extension;
    Zrk_StringArray all, matching;
    data.getPropFiles(folder, extension, all, matching);
    EXPECT_EQ(folder, gSettings.libDir + "Macro Properties/");
    EXPECT_EQ(extension, ".kvp");
    EXPECT_EQ(all, (Zrk_StringArray{"Heavy plates", "Other"}));
    EXPECT_EQ(matching, Zrk_StringArray{"Heavy plates"});

    // ... and loaded into both: its values become theirs, what the file leaves out stays as it was.
    UpdateAllFilterModified(data, 1);
    const MacroData before = data;
    ASSERT_TRUE(data.readFromFile(path, notUsed, &message)) << message;
    EXPECT_EQ(notUsed, 0);
    EXPECT_EQ(cell("EndPlate", "PlateHeight").value, "480");
    EXPECT_EQ(cell("EndPlate", "PlateWidth").value, "220");
    EXPECT_EQ(tab("EndPlateCleats"), before.tabs[2]);
    Zrk_StringArray names;
    Zrk_Array<int> list1, list2;
    data.differences(before, names, list1, list2);
    list1.removeAt(list1.find(core::kChangePlacementRefs)); // as the macro dialog does after a load
    ASSERT_TRUE(setAllToMacro(data, list1, list2));
    EXPECT_EQ(variable(kMacroA, "Plate", "PlateHeight"), 480);
    EXPECT_EQ(variable(kMacroA, "Plate", "PlateWidth"), 220);
    EXPECT_EQ(variable(kMacroB, "Plate", "PlateHeight"), 480);

    // Values the data cannot take are counted, and the data keeps its own.
    ASSERT_TRUE(ObjectExportWriteFile(
        path, {"format:string=ss-macro-properties", "version:int=1", "tab.1.name:string=EndPlate",
               "tab.1.cell.1.name:string=Rows", "tab.1.cell.1.value:string=2.5",
               "tab.1.cell.2.name:string=Mass", "tab.1.cell.2.value:string=3",
               "tab.1.cell.3.name:string=Nothing", "tab.1.cell.3.value:string=1", "tab.1.colour:string=red",
               "tab.2.name:string=NoSuchTab", "tab.2.cell.1.name:string=X", "tab.2.cell.1.value:string=1"}));
    ASSERT_TRUE(data.readFromFile(path, notUsed, &message)) << message;
    EXPECT_EQ(notUsed, 5);
    EXPECT_EQ(cell("EndPlate", "Rows").value, "5"); // as the first load wrote it
    ASSERT_TRUE(ObjectExportWriteFile(path, {"key:string=value"}));
    EXPECT_FALSE(data.readFromFile(path, notUsed, &message));
    EXPECT_EQ(message, path + ": this is not a property file of macro values");
}

TEST_F(MacroDataTest, OtherMacrosSubMacrosAndClashes) {
    EXPECT_FALSE(SelectOtherMacros(data)); // cancelled
    EXPECT_EQ(data.macroIds.length(), 2);
    editor.macros = {kMacroB, AcDbObjectId(201)}; // a profile is no macro
    ASSERT_TRUE(SelectOtherMacros(data));
    EXPECT_EQ(data.selection, AcArray<AcDbObjectId>{kMacroB});
    EXPECT_EQ(data.title, "EndPlateB");
    ASSERT_TRUE(data.initFromMacros({kMacroA}));

    // The sub-macro drawing: a library drawing, relative to the library.
    fs::create_directories(library / "Macros/Stiffeners");
    ASSERT_TRUE(writeFileAtomically(gSettings.libDir + "Macros/Stiffeners/Ribbed.dwg", "drawing"));
    EXPECT_TRUE(swapBlockRefs(data, "Stiffener", gSettings.libDir + "Macros/Stiffeners/Ribbed.dwg"));
    EXPECT_EQ(module(kMacroA, "Stiffener").subMacro, "Macros/Stiffeners/Ribbed.dwg");
    EXPECT_FALSE(swapBlockRefs(data, "Stiffener", gSettings.libDir + "Macros/Stiffeners/Missing.dwg"));
    EXPECT_FALSE(swapBlockRefs(data, "EndPlate", gSettings.libDir + "Macros/Stiffeners/Ribbed.dwg"));

    // A member placed by two macros is a clash, while checking is on.
    clashInitDlgStarted(4);
    EXPECT_EQ(clashcheck(4, data), 0);
    drawing.findMacro(kMacroB)->macroWrite()->findModuleWrite("Plate")->placements.append(
        Zrk_ProfilePlacement());
    drawing.findMacro(kMacroB)->macroWrite()->findModuleWrite("Plate")->placements[0].memberName = "CL2";
    EXPECT_EQ(clashcheck(4, data), 1);
    Zrk_StringArray clashes;
    clashGetInfo(4, clashes);
    EXPECT_EQ(clashes, Zrk_StringArray{"The member CL2 is placed by EndPlateA,EndPlateB."});
    clashSetStatus(4, false);
    EXPECT_FALSE(clashGetStatus(4));
    EXPECT_EQ(clashcheck(4, data), 0);
    clashDlgClosed(4);
    clashGetInfo(4, clashes);
    EXPECT_TRUE(clashes.isEmpty());
}

TEST_F(MacroDataTest, LoadFromStandardsIsAllOrNothing) {
    EXPECT_FALSE(data.loadFromStandards()); // no engine installed
    Zrk_StringArray ran;
    bool failSecondMacro = true;
    core::setStandardsHook([&](AcDbObjectId id, MacroData& macroData, const Zrk_String& sheet,
                               const Zrk_String& ref, Zrk_String& failure) {
        ran.append(sheet + "|" + ref);
        drawing.findMacro(id)->macroWrite()->findModuleWrite("Plate")->findVariable("Edge")->value = 55;
        macroData.tabs[1].boltData->diameter = "27"; // what the engine keeps in the data
        if (id == kMacroB && failSecondMacro) {
            failure = "no";
            return false;
        }
        return true;
    });
    drawing.findMacro(kMacroB)->macroWrite()->settings.tabMapping.ssNames = {"EndPlate"};
    drawing.findMacro(kMacroB)->macroWrite()->settings.tabMapping.mappingRefs = {"Module.EndPlate"};
    const std::string prepared = drawing.toText();
    EXPECT_FALSE(data.loadFromStandards());
    EXPECT_EQ(drawing.toText(), prepared);
    EXPECT_EQ(ran, (Zrk_StringArray{"EndPlate|EndPlate1",
                                    "EndPlate|Module.EndPlate"})); // the row without a key is passed over

    failSecondMacro = false;
    ASSERT_TRUE(data.loadFromStandards());
    EXPECT_EQ(variable(kMacroA, "Plate", "Edge"), 55);
    EXPECT_EQ(module(kMacroB, "Bolts").boltData->diameter, "27");
    EXPECT_EQ(cell("EndPlate", "Edge").value, "55");
    EXPECT_EQ(tab("EndPlateBolts").boltData->diameter, "27");
    core::setStandardsHook(nullptr);
}

TEST_F(MacroDataTest, ArraysOfferTheDimensionVariablesOfEveryMacro) {
    const DynArrayData& array = tab("EndPlate").arrays[0];
    Zrk_StringArray names;
    array.getValidDimNames({kMacroA, kMacroB}, "EndPlate", 0, 1, names);
    EXPECT_EQ(names, (Zrk_StringArray{"PlateWidth", "PlateHeight", "PlateThickness", "Edge", "Pitch", "Rows",
                                      "Finish", "Welded", "Mass"}));
    array.getValidDimNames({kMacroA}, "EndPlate", 1, 0, names);
    EXPECT_TRUE(names.isEmpty()); // mode 1 has no first variable

    DynArrayData copy = array;
    Zrk_Array<int> actions, used;
    Zrk_StringArray texts;
    copy.getEntryColumns(actions, used, texts);
    EXPECT_EQ(actions, (Zrk_Array<int>{0, 1, 2}));
    EXPECT_EQ(used, (Zrk_Array<int>{1, 0, 1}));
    EXPECT_FALSE(copy.setEntryColumns({0, 3}, {1, 1}, {"a", "b"}));
    ASSERT_TRUE(copy.setEntryColumns({0, 1, 0, 2}, {1, 1, 0, 1}, {"a", "b", "c", "d"}));
    EXPECT_EQ(copy.entries.length(), 4);
    EXPECT_EQ(copy.entries[2].text, "c");
}
