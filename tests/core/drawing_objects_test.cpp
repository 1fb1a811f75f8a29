// The drawing's second file edition: profiles with cuts, levels, coordinate systems and macro
// settings; first-edition files reading unchanged; undo records over every kind of object; the macro
// settings of the working drawing; the library's general variables.

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/drawing.h"
#include "core/files.h"
#include "core/gen_vars.h"

namespace fs = std::filesystem;

namespace {

const std::string kVersion1 = std::string(SS_TEST_DATA_DIR) + "/standards/connection.json";

std::string edition2(const std::string& body) {
    return "{\"format\": \"ss-drawing\", \"version\": 2, \"macros\": []" + (body.empty() ? "" : ", " + body) +
           "}";
}

Zrk_String faultOf(const std::string& text) {
    core::Drawing drawing;
    Zrk_String message;
    EXPECT_FALSE(drawing.fromText(text, "d.json", &message)) << text;
    return message;
}

// A drawing of the second edition with one of everything outside macros.
const char* const kObjects = R"({
  "format": "ss-drawing", "version": 2,
  "macros": [{"id": 3, "name": "M", "library": "Connections\\EndPlate",
              "settings": {"standards": [{"sheet": "Sub\\EndPlate", "mapping": "Module.Plate"},
                                         {"sheet": "EndPlate", "mapping": "abcdefghijklmnopqrstuvwx"}],
                           "angleFilters": {"enabled": true, "axisAngle": [{"name": "Square", "on": true, "option": 1, "values": [85, 95]}]},
                           "lists": [{"name": "Kinds", "strings": ["A", "B"], "picture": "Plate"}],
                           "groups": {"name": "G", "rows": [{"module": "Plate", "members": "PL", "count": 2}]},
                           "standardsModified": true}}],
  "profiles": [
    {"id": 10, "name": "C1", "section": "HEA-200", "material": "S355", "offsetType": 9, "rotation": "90",
     "basePlane": "zp", "coordSystem": "Column", "start": [0, 0, 0], "end": [0, 0, 3500],
     "cuts": [{"name": "Top", "type": 5, "offsets": {"offset": 5, "chamferOffset1": 10, "chamferOffset2": 10},
               "checked": ["offset"], "variables": {"chamferOffset1": "gen_Chamfer"}},
              {"name": "Web", "type": 1, "choice": 2, "option": true, "flagA": true}]},
    {"name": "B1", "section": "IPE-300"}
  ],
  "levels": [{"name": "Ground"}, {"name": "First", "reference": "Ground", "value": 3500},
             {"name": "Roof", "reference": "first", "value": 3000.5}],
  "coordinateSystems": [{"name": "Column", "origin": [100, 0, 0], "xAxis": [0, 1, 0], "yAxis": [0, 0, 1]}]
})";

} // namespace

TEST(DrawingEdition2, ObjectsOutsideMacrosReadAndWriteBack) {
    core::Drawing drawing;
    Zrk_String message;
    ASSERT_TRUE(drawing.fromText(kObjects, "o.json", &message)) << message;
    EXPECT_EQ(drawing.fileVersion(), 2);
    ASSERT_EQ(drawing.profileCount(), 2);
    const Zrk_Profile& column = *drawing.findProfile(AcDbObjectId(10))->profile();
    EXPECT_EQ(column.props.offsetType, 9);
    EXPECT_EQ(column.props.basePlane, "zp");
    EXPECT_EQ(column.end, (Zrk_Point3d{0, 0, 3500}));
    ASSERT_EQ(column.cuts.length(), 2);
    EXPECT_EQ(column.cuts[0].cutType, core::kCutChamfer);
    EXPECT_TRUE(column.cuts[0].checked[kCutOffset]);
    EXPECT_EQ(column.cuts[0].offsetVars[kCutChamferOffset1], "gen_Chamfer");
    EXPECT_EQ(column.cuts[1].choice, 2);
    EXPECT_TRUE(column.cuts[1].holdsOffset(kCutOffset));           // no "offsets": the type's own, at 0
    EXPECT_EQ(drawing.profileAt(1)->objectId(), AcDbObjectId(11)); // the next free id

    double value = 0;
    EXPECT_TRUE(drawing.levelAbsolute("roof", value));
    EXPECT_EQ(value, 6500.5);
    EXPECT_TRUE(drawing.levelAbsolute("wcs", value));
    EXPECT_EQ(value, 0.0);
    EXPECT_FALSE(drawing.levelAbsolute("Cellar", value));
    EXPECT_EQ(drawing.findCoordSystem("COLUMN"), 0);

    const Zrk_Macro& macro = *drawing.findMacro(AcDbObjectId(3))->macro();
    EXPECT_EQ(macro.libraryName, "Connections/EndPlate"); // paths are normalised where they enter
    EXPECT_EQ(macro.settings.tabMapping.ssNames, (Zrk_StringArray{"Sub/EndPlate", "EndPlate"}));
    EXPECT_EQ(macro.settings.tabMapping.getMapping("EndPlate", 0), "abcdefghijklmnopqrstuvwx");
    EXPECT_EQ(macro.settings.angleFilters.axisAngle[0].values, (Zrk_Array<double>{85, 95}));
    EXPECT_EQ(macro.settings.groupCounts, Zrk_Array<int>{2});
    EXPECT_TRUE(macro.settings.standardsModified);

    const std::string written = drawing.toText();
    core::Drawing again;
    ASSERT_TRUE(again.fromText(written, "w.json", &message)) << message;
    EXPECT_EQ(again.content(), drawing.content());
    EXPECT_EQ(again.toText(), written);
    EXPECT_FALSE(drawing.isModified());
}

TEST(DrawingEdition2, FirstEditionFilesReadUnchanged) {
    core::Drawing drawing;
    Zrk_String message;
    ASSERT_TRUE(drawing.readFromFile(kVersion1, &message)) << message;
    EXPECT_EQ(drawing.fileVersion(), 1);
    const Zrk_Module& plate = drawing.macroAt(0)->macro()->modules[0];
    // The notch (type 2) and the straight cut (type 0) with the offsets they always had.
    EXPECT_EQ(plate.cuts[0].cutType, core::kCutProfInProf);
    EXPECT_EQ(plate.cuts[0].offsets[kCutLengthOffset], 20.0);
    Zrk_Array<KvCutOffsetType> kinds;
    plate.cuts[1].getOffsetKinds(kinds);
    EXPECT_EQ(plate.cuts[1].cutType, core::kCutProfVsPlate);
    EXPECT_EQ(kinds, Zrk_Array<KvCutOffsetType>{kCutOffset});

    // Written as the second edition, it reads back to the same drawing.
    const std::string written = drawing.toText();
    EXPECT_NE(written.find("\"version\": 2"), std::string::npos);
    core::Drawing again;
    ASSERT_TRUE(again.fromText(written, "w.json", &message)) << message;
    EXPECT_EQ(again.content(), drawing.content());

    // The first edition knows only its own fields.
    EXPECT_EQ(faultOf(R"({"format": "ss-drawing", "version": 1, "macros": [], "levels": []})"),
              "d.json: unknown field \"levels\"");
    EXPECT_EQ(faultOf(R"({"format": "ss-drawing", "version": 1, "macros": [{"library": "X"}]})"),
              "d.json: macro 1: unknown field \"library\"");
    EXPECT_EQ(faultOf(R"({"format": "ss-drawing", "version": 1, "macros": [{"modules": [{"name": "A",
                          "cuts": [{"name": "C", "type": 5}]}]}]})"),
              "d.json: macro 1, module 1 \"A\", cut 1 \"C\": \"type\" must be a whole number from 0 to 4");
    EXPECT_EQ(faultOf(R"({"format": "ss-drawing", "version": 3, "macros": []})"),
              "d.json: \"version\" must be 1 or 2 (a drawing of a newer edition needs a newer program)");
}

TEST(DrawingEdition2, FaultsNameTheObjectAndField) {
    EXPECT_EQ(faultOf(edition2(R"("levels": [{"name": "A", "reference": "B"}])")),
              "d.json: level \"A\" refers to the unknown level \"B\"");
    EXPECT_EQ(faultOf(edition2(R"("levels": [{"name": "A", "reference": "C"}, {"name": "B", "reference": "A"},
                                             {"name": "C", "reference": "b"}])")),
              "d.json: the references of level \"A\" run in a circle");
    EXPECT_EQ(faultOf(edition2(R"("levels": [{"name": "WCS"}])")),
              "d.json: level 1 \"WCS\": the level name \"wcs\" is reserved");
    EXPECT_EQ(faultOf(edition2(R"("levels": [{"name": "A"}, {"name": "a"}])")),
              "d.json: level 2 \"a\": the level name \"a\" appears twice");
    EXPECT_EQ(
        faultOf(edition2(R"("coordinateSystems": [{"name": "K", "xAxis": [1, 0, 0], "yAxis": [-2, 0, 0]}])")),
        "d.json: coordinate system 1 \"K\": \"xAxis\" and \"yAxis\" must not be zero or parallel");
    EXPECT_EQ(faultOf(edition2(R"("coordinateSystems": [{"name": "K", "origin": [1, 2]}])")),
              "d.json: coordinate system 1 \"K\": \"origin\" must be a list of three numbers");
    EXPECT_EQ(faultOf(edition2(R"("profiles": [{"id": 4, "name": "P", "offsetType": 13}])")),
              "d.json: profile 1 \"P\": \"offsetType\" must be a whole number from 0 to 12");
    EXPECT_EQ(faultOf(edition2(R"("profiles": [{"name": "P", "cuts": [{"name": "C", "offsets": {"radius": 1},
                                   "checked": ["offset"]}]}])")),
              "d.json: profile 1 \"P\", cut 1 \"C\": the cut holds no offset \"offset\" to check");
    EXPECT_EQ(faultOf(edition2(
                  R"("profiles": [{"name": "P", "cuts": [{"name": "C", "variables": {"offset": "W"}}]}])")),
              "d.json: profile 1 \"P\", cut 1 \"C\": \"W\" is not a general variable (a \"gen_\" name)");
    EXPECT_EQ(
        faultOf(R"({"format": "ss-drawing", "version": 2, "macros": [{"id": 4}], "profiles": [{"id": 4}]})"),
        "d.json: profile 1: \"id\" 4 is used by an earlier object");
    EXPECT_EQ(
        faultOf(R"({"format": "ss-drawing", "version": 2, "macros": [{"name": "M", "settings":
                          {"standards": [{"sheet": "S", "mapping": "a=b"}]}}]})"),
        "d.json: macro 1 \"M\", settings, standard 1 \"S\": \"mapping\" must be empty, \"Module.\" and a "
        "module name, or a mapping key (no \"=\")");
    EXPECT_EQ(
        faultOf(
            R"({"format": "ss-drawing", "version": 2, "macros": [{"name": "M", "settings": {"colour": 1}}]})"),
        "d.json: macro 1 \"M\", settings: unknown field \"colour\"");
}

TEST(DrawingEdition2, UndoPutsBackEveryKindOfObject) {
    core::Drawing drawing;
    ASSERT_TRUE(drawing.fromText(kObjects, "o.json", nullptr));
    const std::string before = drawing.toText();
    Zrk_DbProfile* column = drawing.findProfile(AcDbObjectId(10));
    Zrk_DbMacro* macro = drawing.findMacro(AcDbObjectId(3));

    drawing.beginUndoRecord();
    column->profileWrite()->cuts.removeAt(0);
    drawing.levelsWrite()[0].value = 100;
    drawing.coordSystemsWrite().removeAll();
    Zrk_DbProfile* added = drawing.addProfile(Zrk_Profile());
    Zrk_DbMacro* addedMacro = drawing.addMacro(Zrk_Macro());
    EXPECT_NE(added, nullptr);
    EXPECT_NE(addedMacro, nullptr);
    {
        core::UndoScope inner(drawing); // kept: what it erased stays erased until the outer ends
        ASSERT_TRUE(drawing.eraseObject(AcDbObjectId(3)));
        ASSERT_TRUE(drawing.eraseObject(AcDbObjectId(10)));
        inner.keep();
    }
    EXPECT_EQ(drawing.findProfile(AcDbObjectId(10)), nullptr);
    EXPECT_EQ(drawing.macroCount(), 1);
    EXPECT_FALSE(drawing.eraseObject(AcDbObjectId(10)));
    ASSERT_TRUE(drawing.endUndoRecord(false));

    EXPECT_EQ(drawing.toText(), before);
    EXPECT_EQ(drawing.findProfile(AcDbObjectId(10)), column); // back at its address
    EXPECT_EQ(drawing.profileAt(0), column);
    EXPECT_EQ(drawing.findMacro(AcDbObjectId(3)), macro);
    EXPECT_FALSE(drawing.isModified());

    // An undo scope that is not kept puts back what happened inside it.
    {
        core::UndoScope scope(drawing);
        drawing.levelsWrite().removeAll();
        drawing.eraseObject(AcDbObjectId(11));
    }
    EXPECT_EQ(drawing.toText(), before);
    EXPECT_EQ(drawing.undoDepth(), 0);
    // Outside a record, an erase is final.
    ASSERT_TRUE(drawing.eraseObject(AcDbObjectId(11)));
    EXPECT_EQ(drawing.profileCount(), 1);
    EXPECT_TRUE(drawing.isModified());
}

TEST(DrawingEdition2, MacroSettingsOfTheWorkingDrawing) {
    core::Drawing drawing;
    ASSERT_TRUE(drawing.fromText(kObjects, "o.json", nullptr));
    MacroSettingsData settings;
    EXPECT_FALSE(GetMacroSettings(AcDbObjectId(3), settings)); // no working drawing yet
    core::Drawing* previous = core::setWorkingDrawing(&drawing);

    ASSERT_TRUE(GetMacroSettings(AcDbObjectId(3), settings));
    EXPECT_TRUE(settings.tabMapping.moduleNames.isEmpty()); // the macro has no modules
    EXPECT_EQ(settings.listNames, Zrk_StringArray{"Kinds"});
    EXPECT_FALSE(GetMacroSettings(AcDbObjectId(10), settings)); // a profile, not a macro

    settings.tabMapping.ssNames.append("Third"); // without a reference: the lists are padded
    settings.tabMapping.moduleNames = {"Plate"};
    settings.listPictures.append("Extra");
    ASSERT_TRUE(SetMacroSettings(AcDbObjectId(3), settings));
    const MacroSettingsData& stored = drawing.findMacro(AcDbObjectId(3))->macro()->settings;
    EXPECT_EQ(stored.tabMapping.mappingRefs.length(), 3);
    EXPECT_TRUE(stored.tabMapping.moduleNames.isEmpty());
    EXPECT_EQ(stored.listNames, (Zrk_StringArray{"Kinds", ""}));
    EXPECT_EQ(stored.stringLists.length(), 2);
    EXPECT_EQ(drawing.undoDepth(), 0);

    core::setWorkingDrawing(previous);
}

TEST(GeneralVariables, KeptInTheLibraryFile) {
    const fs::path folder = fs::temp_directory_path() / ("ss_genvars_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const Zrk_String path = KvAutoStandardsData::libraryFile(folder.string());
    EXPECT_EQ(path, folder.string() + "/General Variables.txt");

    KvAutoStandardsData data;
    Zrk_String message;
    ASSERT_TRUE(data.readFromFile(path, &message)) << message; // no file: an empty record
    EXPECT_EQ(data, KvAutoStandardsData());

    data.dwgGenVars() = {"gen_Gap", "gen_Edge"};
    data.dwgGenValues() = {"5", "40"};
    data.dwgGenFilters() = {"Halls;Halls/Hall 3.dwg"}; // shorter: written padded
    data.stdGenVars() = {"gen_Weld"};
    data.stdGenValues() = {"a=5"};
    data.stdGenOverrides() = {"1"};
    data.stdGenFilters() = {""};
    ASSERT_TRUE(data.writeToFile(path));
    KvAutoStandardsData read;
    ASSERT_TRUE(read.readFromFile(path, &message)) << message;
    EXPECT_EQ(read.dwgGenFilters(), (Zrk_StringArray{"Halls;Halls/Hall 3.dwg", ""}));
    EXPECT_EQ(read.stdGenValues(), Zrk_StringArray{"a=5"});
    EXPECT_EQ(read.dwgGenVars(), data.dwgGenVars());

    ASSERT_TRUE(ObjectExportWriteFile(path, {"format:string=ss-general-variables", "version:int=1",
                                             "drawing.count:int=1", "drawing.1.name:string=gen_A",
                                             "drawing.2.name:string=gen_B"}));
    EXPECT_FALSE(read.readFromFile(path, &message));
    EXPECT_EQ(message, path + ": unknown entry \"drawing.2.name\"");
    EXPECT_EQ(read.dwgGenVars(), data.dwgGenVars()); // unchanged by the failed read
    fs::remove_all(folder);
}
