// The drawing file: reading with validation, writing, modification and undo records.

#include <cmath>
#include <filesystem>
#include <functional>
#include <set>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/drawing.h"
#include "core/files.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {

const std::string kConnection = std::string(SS_TEST_DATA_DIR) + "/standards/connection.json";

class DrawingFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("ss_drawing_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    // Parses a drawing text of one macro given by its JSON; answers the message of a failure.
    static Zrk_String faultOf(const std::string& macroJson) {
        core::Drawing drawing;
        Zrk_String message;
        const std::string text = "{\"format\": \"ss-drawing\", \"version\": 1, \"macros\": [" + macroJson + "]}";
        EXPECT_FALSE(drawing.fromText(text, "d.json", &message)) << macroJson;
        return message;
    }

    fs::path folder;
};

} // namespace

TEST_F(DrawingFile, ReadsWritesAndReadsBackTheSame) {
    core::Drawing drawing;
    Zrk_String message;
    ASSERT_TRUE(drawing.readFromFile(kConnection, &message)) << message;
    ASSERT_EQ(drawing.macroCount(), 1);
    Zrk_DbMacro* macro = drawing.findMacro(AcDbObjectId(7));
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(drawing.findMacroByName("EndPlateConnection"), macro);
    const Zrk_Macro& model = *macro->macro();
    ASSERT_EQ(model.modules.length(), 4);
    EXPECT_EQ(model.modules[2].kindCode(), core::kBoltModule);
    EXPECT_EQ(model.modules[2].patterns[1].nrBolts1, "4"); // a whole number in the file becomes text
    EXPECT_EQ(model.modules[0].cuts[0].offsets[kCutRadius], 5.25);
    EXPECT_EQ(model.genVars[1].value, 80.123456789);
    EXPECT_FALSE(drawing.isModified());

    ASSERT_TRUE(drawing.writeToFile(path("copy.json"), &message)) << message;
    core::Drawing again;
    ASSERT_TRUE(again.readFromFile(path("copy.json"), &message)) << message;
    ASSERT_EQ(again.macroCount(), 1);
    EXPECT_EQ(*again.macroAt(0)->macro(), model);
    EXPECT_EQ(again.macroAt(0)->objectId(), AcDbObjectId(7));
    EXPECT_EQ(again.toText(), drawing.toText());
}

TEST_F(DrawingFile, TheDocumentedExampleReads) {
    std::string page;
    ASSERT_TRUE(readFileBytes(std::string(SS_TEST_DATA_DIR) + "/../../docs/drawing-format.md", page));
    const std::size_t start = page.find("```jsonc\n");
    ASSERT_NE(start, std::string::npos);
    const std::size_t end = page.find("\n```", start);
    core::Drawing drawing;
    Zrk_String message;
    ASSERT_TRUE(drawing.fromText(page.substr(start + 8, end - start - 8), "example", &message)) << message;
    ASSERT_EQ(drawing.macroCount(), 1);
    EXPECT_EQ(drawing.macroAt(0)->macro()->modules[1].patterns[0].nrBolts2, "2");
}

TEST_F(DrawingFile, TextSurvivesInTheModulesCodePage) {
    core::Drawing drawing;
    Zrk_Macro macro;
    macro.name = "Stra\xDF" "e \x80"; // "Straße €" in Windows-1252
    drawing.addMacro(macro);
    const std::string text = drawing.toText();
    EXPECT_NE(text.find("Stra\xC3\x9F" "e \xE2\x82\xAC"), std::string::npos); // UTF-8 in the file
    core::Drawing again;
    ASSERT_TRUE(again.fromText(text, "t", nullptr));
    EXPECT_EQ(again.macroAt(0)->macro()->name, macro.name);
}

TEST_F(DrawingFile, FaultsAreNamedAndChangeNothing) {
    core::Drawing drawing;
    Zrk_String message;
    ASSERT_TRUE(drawing.readFromFile(kConnection, &message));
    const std::string before = drawing.toText();

    ASSERT_TRUE(writeFileAtomically(path("broken.json"), "{\n  \"format\": \"ss-drawing\",\n  \"version\" 1\n}\n"));
    EXPECT_FALSE(drawing.readFromFile(path("broken.json"), &message));
    EXPECT_EQ(message.rfind(path("broken.json") + ": parse error at line 3, column 13: syntax error", 0), 0u) << message;
    EXPECT_FALSE(drawing.readFromFile(path("missing.json"), &message));
    EXPECT_EQ(message, path("missing.json") + ": the file cannot be read: No such file or directory.");
    EXPECT_FALSE(drawing.readFromFile(folder.string(), &message));
    EXPECT_EQ(message, folder.string() + " is a folder, not a file.");
    EXPECT_FALSE(drawing.fromText("{\"format\": \"sheet\", \"version\": 1, \"macros\": []}", "s.json", &message));
    EXPECT_EQ(message, "s.json: \"format\" must be \"ss-drawing\" (this is not a drawing file)");
    EXPECT_FALSE(drawing.fromText("[]", "s.json", &message));
    EXPECT_EQ(message, "s.json: the drawing must be a JSON object");
    EXPECT_EQ(drawing.toText(), before);
    EXPECT_NE(drawing.findMacro(AcDbObjectId(7)), nullptr);
}

// A drawing whose model holds what the file cannot carry (set through the model, not through the
// checked setters) is not saved: the file would never open again.
TEST_F(DrawingFile, WhatCouldNotBeReadAgainIsNotWritten) {
    core::Drawing drawing;
    Zrk_Macro macro;
    macro.name = "Plate";
    macro.genVars.append(Zrk_GenVariable{"gen_W", 120.0});
    macro.genVars.append(Zrk_GenVariable{"gen_H", std::nan("")});
    drawing.addMacro(macro);
    Zrk_String message;
    EXPECT_FALSE(drawing.writeToFile(path("plate.json"), &message));
    EXPECT_EQ(message.rfind(path("plate.json") + ": the drawing is not saved, as it could not be read again: ", 0), 0u)
        << message;
    EXPECT_NE(message.find("Plate"), Zrk_String::npos) << message;
    EXPECT_FALSE(fs::exists(folder / "plate.json"));

    drawing.macroAt(0)->macroWrite()->genVars[1].value = 80.0;
    drawing.macroAt(0)->macroWrite()->genVars.append(Zrk_GenVariable{"gen_W", 1.0}); // a name twice
    EXPECT_FALSE(drawing.writeToFile(path("plate.json"), &message));
    EXPECT_NE(message.find("\"gen_W\" appears twice"), Zrk_String::npos) << message;
    EXPECT_FALSE(fs::exists(folder / "plate.json"));

    drawing.macroAt(0)->macroWrite()->genVars.removeAt(2);
    ASSERT_TRUE(drawing.writeToFile(path("plate.json"), &message)) << message;
    core::Drawing again;
    ASSERT_TRUE(again.readFromFile(path("plate.json"), &message)) << message;
    EXPECT_EQ(*again.macroAt(0)->macro(), *drawing.macroAt(0)->macro());
}

TEST_F(DrawingFile, ValidationMessagesNameTheObject) {
    EXPECT_EQ(faultOf(R"({"name": "M", "modules": [{"name": "Plate", "variables": [{"name": "W", "value": "10"}]}]})"),
              "d.json: macro 1 \"M\", module 1 \"Plate\", variable 1 \"W\": \"value\" must be a number");
    EXPECT_EQ(faultOf(R"({"modules": [{"name": "A"}, {"name": "A"}]})"),
              "d.json: macro 1, module 2 \"A\": the module name \"A\" appears twice");
    EXPECT_EQ(faultOf(R"({"modules": [{"name": "A", "varaibles": []}]})"),
              "d.json: macro 1, module 1 \"A\": unknown field \"varaibles\"");
    EXPECT_EQ(faultOf(R"({"modules": [{"name": ""}]})"), "d.json: macro 1, module 1: \"name\" must not be empty");
    EXPECT_EQ(faultOf(R"({"modules": [{"name": "A", "patterns": []}]})"),
              "d.json: macro 1, module 1 \"A\": \"bolts\" and \"patterns\" belong to bolt modules (\"kind\": 232)");
    EXPECT_EQ(faultOf(R"({"modules": [{"name": "A", "cuts": [{"name": "C", "type": 0, "offsets": {"radius": 1}}]}]})"),
              "d.json: macro 1, module 1 \"A\", cut 1 \"C\": cut type 0 has no offset \"radius\"");
    EXPECT_EQ(faultOf(R"({"modules": [{"name": "A", "cuts": [{"name": "C", "type": 5}]}]})"),
              "d.json: macro 1, module 1 \"A\", cut 1 \"C\": \"type\" must be a whole number from 0 to 4");
    EXPECT_EQ(faultOf(R"({"modules": [{"name": "B", "kind": 232, "patterns": [{"name": "P", "nrBolts1": "0"}]}]})"),
              "d.json: macro 1, module 1 \"B\", pattern 1 \"P\": \"nrBolts1\" must be a bolt count from 1 to 9999");
    EXPECT_EQ(faultOf(R"({"modules": [{"name": "B", "kind": 232, "patterns": [{"name": "P", "nrBolts2": "2"}]}]})"),
              "d.json: macro 1, module 1 \"B\", pattern 1 \"P\": \"nrBolts2\" and \"reverseStart2\" belong to "
              "patterns with two directions (\"kind\": 282)");
    EXPECT_EQ(faultOf(R"({"modules": [{"name": "A", "flexGroups": [{"name": "G", "entries": [{"variable": "X"}]}]}]})"),
              "d.json: macro 1, module 1 \"A\", flex group 1 \"G\", entry 1: \"X\" is not a variable of the module");
    EXPECT_EQ(faultOf(R"({"id": 3}, {"id": 3})"), "d.json: macro 2: \"id\" 3 is used by an earlier object");
    EXPECT_EQ(faultOf(R"({"id": -1})"),
              "d.json: macro 1: \"id\" must be a whole number from 1 to 1000000000000000");
    EXPECT_EQ(faultOf(R"({"generalVariables": [{"name": "g"}]})"),
              "d.json: macro 1, general variable 1 \"g\": \"value\" is missing");
    EXPECT_EQ(faultOf(R"(3)"), "d.json: macro 1: expected a JSON object");
}

TEST_F(DrawingFile, MacrosWithoutIdGetFreshOnes) {
    core::Drawing drawing;
    ASSERT_TRUE(drawing.fromText(R"({"format": "ss-drawing", "version": 1,
        "macros": [{"name": "a"}, {"id": 5, "name": "b"}, {"name": "c"}]})", "t", nullptr));
    EXPECT_EQ(drawing.macroAt(0)->objectId(), AcDbObjectId(6));
    EXPECT_EQ(drawing.macroAt(1)->objectId(), AcDbObjectId(5));
    EXPECT_EQ(drawing.macroAt(2)->objectId(), AcDbObjectId(7));
    EXPECT_EQ(drawing.addMacro(Zrk_Macro())->objectId(), AcDbObjectId(8));
    EXPECT_TRUE(drawing.isModified());
}

TEST_F(DrawingFile, UndoRecordsPutBackWhatWasWritten) {
    core::Drawing drawing;
    ASSERT_TRUE(drawing.readFromFile(kConnection, nullptr));
    Zrk_DbMacro* macro = drawing.macroAt(0);
    auto width = [&] { return macro->macro()->modules[0].variables[0].value; };

    drawing.beginUndoRecord();
    macro->macroWrite()->modules[0].variables[0].value = 1;
    drawing.beginUndoRecord();
    macro->macroWrite()->modules[0].variables[0].value = 2;
    EXPECT_FALSE(drawing.writeToFile(path("during.json"), nullptr)); // not while a record is open
    EXPECT_FALSE(fileExists(path("during.json")));
    ASSERT_TRUE(drawing.endUndoRecord(false)); // inner: back to 1
    EXPECT_EQ(width(), 1.0);
    drawing.beginUndoRecord();
    macro->macroWrite()->modules[0].variables[0].value = 3;
    ASSERT_TRUE(drawing.endUndoRecord(true)); // inner kept: the outer still knows 150
    EXPECT_EQ(width(), 3.0);
    EXPECT_TRUE(drawing.isModified());
    ASSERT_TRUE(drawing.endUndoRecord(false));
    EXPECT_EQ(width(), 150.0);
    EXPECT_FALSE(drawing.isModified());
    EXPECT_FALSE(drawing.endUndoRecord(true));

    // Written outside a record: kept; saving makes the drawing unmodified again.
    macro->macroWrite()->name = "Renamed";
    EXPECT_TRUE(drawing.isModified());
    ASSERT_TRUE(drawing.writeToFile(path("saved.json"), nullptr));
    EXPECT_FALSE(drawing.isModified());
}

TEST_F(DrawingFile, KeptRecordsAreStepsToUndoAndRedo) {
    core::Drawing drawing;
    ASSERT_TRUE(drawing.readFromFile(kConnection, nullptr));
    Zrk_DbMacro* first = drawing.macroAt(0);
    const AcDbObjectId firstId = first->objectId();
    auto width = [&] { return first->macro()->modules[0].variables[0].value; };
    const int macros = drawing.macroCount();

    // A step that writes, one that adds, one that erases, one that changes nothing.
    {
        core::UndoScope step(drawing);
        first->macroWrite()->modules[0].variables[0].value = 1;
        step.keep();
    }
    Zrk_DbMacro* added = nullptr;
    {
        core::UndoScope step(drawing);
        Zrk_Macro macro;
        macro.name = "Added";
        added = drawing.addMacro(macro);
        added->macroWrite()->name = "Added and renamed";
        step.keep();
    }
    {
        core::UndoScope step(drawing);
        ASSERT_TRUE(drawing.eraseObject(firstId));
        step.keep();
    }
    {
        core::UndoScope step(drawing);
        drawing.levelsWrite();
        first = drawing.findMacro(firstId); // erased: the step knows nothing of it
        step.keep();
    }
    EXPECT_EQ(drawing.undoSteps(), 3);
    EXPECT_FALSE(drawing.canRedo());

    ASSERT_TRUE(drawing.undo()); // the erase
    EXPECT_EQ(drawing.macroAt(0)->objectId(), firstId);
    first = drawing.macroAt(0);
    ASSERT_TRUE(drawing.undo()); // the add
    EXPECT_EQ(drawing.macroCount(), macros);
    EXPECT_EQ(drawing.findMacroByName("Added and renamed"), nullptr);
    ASSERT_TRUE(drawing.undo()); // the write
    EXPECT_EQ(width(), 150.0);
    EXPECT_FALSE(drawing.isModified());
    EXPECT_FALSE(drawing.undo());
    EXPECT_EQ(drawing.redoSteps(), 3);

    ASSERT_TRUE(drawing.redo());
    EXPECT_EQ(width(), 1.0);
    ASSERT_TRUE(drawing.redo()); // the same object comes back, at its address, with its last state
    EXPECT_EQ(drawing.findMacroByName("Added and renamed"), added);
    ASSERT_TRUE(drawing.redo());
    EXPECT_EQ(drawing.findMacro(firstId), nullptr);
    EXPECT_FALSE(drawing.redo());

    // Nothing is undone while a record is open; a new step drops what could be redone.
    ASSERT_TRUE(drawing.undo());
    drawing.beginUndoRecord();
    EXPECT_FALSE(drawing.canUndo());
    EXPECT_FALSE(drawing.undo());
    drawing.macroAt(0)->macroWrite()->name = "New step";
    ASSERT_TRUE(drawing.endUndoRecord(true));
    EXPECT_FALSE(drawing.canRedo());
    EXPECT_EQ(drawing.undoSteps(), 3);

    // An aborted record is no step; reading the file forgets the history.
    drawing.beginUndoRecord();
    drawing.macroAt(0)->macroWrite()->name = "Aborted";
    ASSERT_TRUE(drawing.endUndoRecord(false));
    EXPECT_EQ(drawing.undoSteps(), 3);
    ASSERT_TRUE(drawing.readFromFile(kConnection, nullptr));
    EXPECT_FALSE(drawing.canUndo());
}

TEST_F(DrawingFile, TheHistoryKeepsItsLastHundredSteps) {
    core::Drawing drawing;
    ASSERT_TRUE(drawing.readFromFile(kConnection, nullptr));
    for (int i = 1; i <= core::Drawing::kHistorySteps + 5; ++i) {
        core::UndoScope step(drawing);
        drawing.macroAt(0)->macroWrite()->modules[0].variables[0].value = i;
        step.keep();
    }
    EXPECT_EQ(drawing.undoSteps(), core::Drawing::kHistorySteps);
    while (drawing.undo()) {
    }
    EXPECT_EQ(drawing.macroAt(0)->macro()->modules[0].variables[0].value, 5.0);
}

// "Modified" means that writing the drawing now would give other text than what was last read or
// written. Random edits of every kind (values changed and changed back, objects added and erased,
// records kept and aborted, undo and redo, saves and reads) are checked against that text after
// every step.
TEST_F(DrawingFile, ModifiedIsWhetherTheTextDiffersFromTheLastReadOrWritten) {
    core::Drawing drawing;
    ASSERT_TRUE(drawing.readFromFile(kConnection, nullptr));
    std::string savedText = drawing.toText();
    unsigned seed = 12345;
    const auto pick = [&seed](int count) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(count));
    };
    const double widths[] = {150.0, 1.0, 2.0};
    int added = 0;
    for (int step = 0; step < 2000; ++step) {
        const int macros = drawing.macroCount();
        Zrk_DbMacro* macro = macros > 0 ? drawing.macroAt(pick(macros)) : nullptr;
        switch (pick(16)) {
        case 0:
        case 1:
            if (macro && !macro->macro()->modules.isEmpty())
                macro->macroWrite()->modules[0].variables[0].value = widths[pick(3)];
            break;
        case 2:
            if (macro) {
                Zrk_String& name = macro->macroWrite()->name;
                const Zrk_String suffix = " renamed";
                if (name.size() > suffix.size() &&
                    name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                    name.resize(name.size() - suffix.size());
                else
                    name += suffix;
            }
            break;
        case 3:
            if (macro && macros < 6) {
                Zrk_Macro copy = *macro->macro();
                copy.name = "Added " + intToStr(++added);
                drawing.addMacro(copy);
            }
            break;
        case 4:
            if (macro && macros > 1) drawing.eraseObject(macro->objectId());
            break;
        case 5:
            if (drawing.profileCount() < 3) {
                Zrk_Profile profile;
                profile.name = "P" + intToStr(++added);
                drawing.addProfile(profile);
            } else {
                drawing.profileAt(pick(3))->profileWrite()->end.z = widths[pick(3)];
            }
            break;
        case 6:
            if (drawing.levels().isEmpty()) {
                Zrk_Level level;
                level.name = "Ground";
                drawing.levelsWrite().append(level);
            } else {
                drawing.levelsWrite()[0].value = widths[pick(3)];
            }
            break;
        case 7: {
            Zrk_CoordSystem system;
            system.name = "Column";
            system.origin.x = widths[pick(3)];
            Zrk_Array<Zrk_CoordSystem>& systems = drawing.coordSystemsWrite();
            if (systems.isEmpty())
                systems.append(system);
            else
                systems[0] = system;
            break;
        }
        case 8:
            if (drawing.undoDepth() < 2 && pick(2) == 0) drawing.beginUndoRecord();
            break;
        case 9:
        case 13:
            drawing.endUndoRecord(pick(3) != 0);
            break;
        case 10:
        case 14:
            if (pick(2) == 0)
                drawing.undo();
            else
                drawing.redo();
            break;
        case 11:
        case 15:
            // A save is refused while a record is open, and then changes nothing.
            if (drawing.writeToFile(path("saved.json"), nullptr)) savedText = drawing.toText();
            break;
        case 12:
            if (pick(4) == 0 && drawing.undoDepth() == 0) {
                const std::string file = pick(2) == 0 ? kConnection : path("saved.json");
                if (drawing.readFromFile(file, nullptr)) savedText = drawing.toText();
            }
            break;
        }
        ASSERT_EQ(drawing.isModified(), drawing.toText() != savedText) << "after step " << step;
        // Every macro is found by its id, and an id that is not in the drawing finds none.
        std::set<std::int64_t> present;
        for (int i = 0; i < drawing.macroCount(); ++i) {
            ASSERT_EQ(drawing.findMacro(drawing.macroAt(i)->objectId()), drawing.macroAt(i)) << "after step " << step;
            present.insert(drawing.macroAt(i)->objectId().handle());
        }
        for (std::int64_t handle = 1; handle < 40; ++handle) {
            if (!present.count(handle)) {
                ASSERT_EQ(drawing.findMacro(AcDbObjectId(handle)), nullptr) << "after step " << step;
            }
        }
    }
}

TEST_F(DrawingFile, AStepUndoneAfterASaveIsAChange) {
    core::Drawing drawing;
    ASSERT_TRUE(drawing.readFromFile(kConnection, nullptr));
    const auto step = [&drawing](const std::function<void()>& edit) {
        core::UndoScope scope(drawing);
        edit();
        scope.keep();
    };
    step([&] { drawing.levelsWrite().append(Zrk_Level{"Ground", "", 0.0}); });
    step([&] { drawing.macroAt(0)->macroWrite()->modules[0].variables[0].value = 1; });
    ASSERT_TRUE(drawing.writeToFile(path("saved.json"), nullptr));
    EXPECT_FALSE(drawing.isModified());
    // No write access: the undo itself puts the macro's old values in.
    ASSERT_TRUE(drawing.undo());
    EXPECT_TRUE(drawing.isModified());
    ASSERT_TRUE(drawing.redo());
    EXPECT_FALSE(drawing.isModified());

    step([&] { drawing.levelsWrite()[0].value = 3500; });
    ASSERT_TRUE(drawing.writeToFile(path("saved.json"), nullptr));
    ASSERT_TRUE(drawing.undo());
    EXPECT_TRUE(drawing.isModified());
    ASSERT_TRUE(drawing.redo());
    EXPECT_FALSE(drawing.isModified());
}

TEST_F(DrawingFile, ReadingAnotherDrawingForgetsWhatWasChanged) {
    core::Drawing drawing;
    ASSERT_TRUE(drawing.fromText(
        R"({"format": "ss-drawing", "version": 1, "macros": [{"id": 3, "name": "a"}]})", "a.json", nullptr));
    drawing.macroAt(0)->macroWrite()->name = "changed";
    EXPECT_TRUE(drawing.isModified());
    // The same id, another macro: what it was in the first drawing says nothing of the second.
    ASSERT_TRUE(drawing.fromText(
        R"({"format": "ss-drawing", "version": 1, "macros": [{"id": 3, "name": "b"}]})", "b.json", nullptr));
    EXPECT_FALSE(drawing.isModified());
    drawing.macroAt(0)->macroWrite()->name = "a";
    EXPECT_TRUE(drawing.isModified());
    drawing.macroAt(0)->macroWrite()->name = "b";
    EXPECT_FALSE(drawing.isModified());
}
