// Evaluation for a macro (mode 0): the mapping from the mapping file or by name for a module group,
// the inputs read from the macro, the outputs written back, and the reports of variables the macro
// does not have.
#include <gtest/gtest.h>

#include "core/text.h"
#include "frame/standards_entry.h"
#include "host/document.h"
#include "library_fixture.h"
#include "sheet_writer.h"
#include "spread/zrk_spread.h"
#include "standards/evaluation_chain.h"
#include "standards/mapping_file.h"
#include "standards/standards_data.h"
#include "ui/scripted_user.h"

namespace {

class MacroModeTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        Zrk_String message;
        ASSERT_TRUE(document.open(dataFile("connection.json"), message)) << message;
        dbMacro = document.database().findMacro(AcDbObjectId(7));
        ASSERT_NE(dbMacro, nullptr);
        macroData.initFromMacro(*dbMacro->macro());
        transaction = document.transactionManager().startTransaction();
        ASSERT_NE(transaction, nullptr);
    }
    void TearDown() override {
        if (document.transactionManager().numActiveTransactions() > 0) document.transactionManager().endTransaction();
        LibraryTest::TearDown();
    }
    std::filesystem::path standard(const std::string& name) const {
        return library / "Connection Standards" / (name + ".kvs");
    }
    bool evaluate(const Zrk_String& sheet, const Zrk_String& key) {
        EXPECT_EQ(data.initialize(dbMacro, sheet, key, &macroData), Acad::eOk);
        data.transaction = transaction;
        return StartDlgStandardsSS(data);
    }
    double dimension(const Zrk_String& module, const Zrk_String& variable) {
        const Zrk_DimVariable* found = dbMacro->macro()->findModule(module)->findVariable(variable);
        return found ? found->value : -1;
    }
    Zrk_String valueOf(const Zrk_String& name) {
        int index = -1;
        EXPECT_EQ(data.varCells.findVarCell(name, index), Acad::eOk) << name;
        return index < 0 ? Zrk_String() : data.varCells[index].value;
    }

    host::Document document;
    Zrk_DbMacro* dbMacro = nullptr;
    AcTransaction* transaction = nullptr;
    KvDlgStandardsData data;
    ui::ScriptedUser user;
};

// The mapping line of key K: Width and Height to the dimensions of the group EndPlate, Section to
// base profile 1, Bolt to the bolt diameter, Ghost to a dimension no module has.
void writeMapping(const std::filesystem::path& path) {
    const std::string line = std::string("K=") + "Width\x83" "EndPlate\x95" "Distance Width\xBF" "Height\x83" "EndPlate\x95" "Distance Height\xBF"
                             "Section\x83\x95PrPlName Prof1\xBF" "Bolt\x83" "BoltGroup\x95" "BoltsDiameter \xBF"
                             "Ghost\x83" "EndPlate\x95" "Distance Nothing";
    ASSERT_TRUE(ObjectExportWriteFile(path.string(), {"Mapping version 1.0", line}));
}

TEST_F(MacroModeTest, InputsFromTheMacroOutputsIntoIt) {
    writeSheet(standard("EndPlate"), {
        {"Input"}, {"Double Width", "String Section"},
        {"Output"}, {"Double Height", "Double Bolt"},
        {"Calc"},
        {"Height = Width * 2", "Bolt = SECTIONSIZE(Section, 2) / 10"},
    });
    writeMapping(library / "Connection Standards" / "EndPlate.map");
    ASSERT_TRUE(evaluate("EndPlate", "k")) << standards::lastFailure(); // keys ignore letter case
    // Width is read from both modules of the group; the last one (Plate2, 160) wins.
    EXPECT_EQ(valueOf("Width"), "160.00000000");
    EXPECT_EQ(valueOf("Section"), "IPE-300");
    EXPECT_EQ(valueOf("Height"), "320.0000000"); // read back from its cell
    EXPECT_EQ(dimension("Plate", "Height"), 320);
    EXPECT_EQ(macroData.tabs[1].boltData->diameter, "15.0000000"); // IPE 300 b = 150
    EXPECT_TRUE(user.messageBoxes().empty());
}

TEST_F(MacroModeTest, VariablesTheMacroLacksAreReported) {
    writeSheet(standard("Ghosts"), {
        {"Input"}, {"Double Width", "Double Nothing"},
        {"Output"}, {"Double Ghost", "Double Unmapped"},
        {"Calc"}, {"Ghost = Width + 1"},
    });
    writeMapping(library / "Connection Standards" / "Ghosts.map");
    ASSERT_TRUE(evaluate("Ghosts", "K"));
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    EXPECT_EQ(user.messageBoxes()[0].request.text,
              "The following Input variable couldn't be retrieved : \nNothing\n"
              "Make sure the variable exists in the macro or module.\nSpreadsheet : Ghosts");
    EXPECT_EQ(user.messageBoxes()[1].request.text,
              "The following Output variable couldn't be set : \nUnmapped\n"
              "Make sure the variable exists in the macro or module.\nSpreadsheet : Ghosts");
    EXPECT_EQ(user.messageBoxes()[0].request.icon(), ui::MB_ICONEXCLAMATION);
    // A mapped dimension that no module of its group has reads as nothing, without a message.
    EXPECT_EQ(valueOf("Ghost"), "161.0000000");

    // For callers without a person at the screen each of them is a failure, the silent one too.
    Zrk_StringArray texts;
    for (const auto& problem : standards::evaluationProblems()) {
        EXPECT_EQ(problem.kind, standards::ProblemKind::Failure) << problem.text;
        texts.append(problem.text);
    }
    const Zrk_String all = arrToStr(texts, '\n');
    EXPECT_NE(all.find("Ghosts: the Input variable Nothing cannot be read from the macro (the mapping \"K\" does not map a "
                       "Double variable of that name)."),
              Zrk_String::npos)
        << all;
    EXPECT_NE(all.find("Ghosts: the macro has no object for the Output variable Ghost"), Zrk_String::npos) << all;
    EXPECT_NE(all.find("Ghosts: the Output variable Unmapped cannot be set in the macro"), Zrk_String::npos) << all;
}

TEST_F(MacroModeTest, AMissingMappingOrOneWithoutTheKeyIsAFailure) {
    writeSheet(standard("Plate"), {
        {"Input"}, {"Double Width"}, {"Output"}, {"Double Height"}, {"Calc"}, {"Height = Width * 2"},
    });
    const Zrk_String map = (library / "Connection Standards" / "Plate.map").string();
    ASSERT_TRUE(evaluate("Plate", "K"));
    ASSERT_TRUE(standards::evaluationHasFailures());
    EXPECT_EQ(standards::evaluationProblems()[0].text,
              "The variables of Plate cannot be read from the macro: " + map + ": the mapping file does not exist.");
    EXPECT_EQ(dimension("Plate", "Height"), 300); // nothing reached the macro

    writeMapping(library / "Connection Standards" / "Plate.map");
    ASSERT_TRUE(evaluate("Plate", "Other"));
    EXPECT_EQ(standards::evaluationProblems()[0].text, "The variables of Plate cannot be read from the macro: " + map +
                                                           ": the mapping file has no line with the key \"Other\".");
    EXPECT_EQ(dimension("Plate", "Height"), 300);

    ASSERT_TRUE(evaluate("Plate", "K"));
    EXPECT_FALSE(standards::evaluationHasFailures()) << standards::evaluationProblems()[0].text;
    EXPECT_EQ(dimension("Plate", "Height"), 320);
}

// An Output that holds an error value is not written: as a number it would read as 0. It is a result
// of the evaluation all the same (the programs that run it report error values on their own), so
// the note is no failure.
TEST_F(MacroModeTest, AnErrorValuedOutputLeavesTheMacroAsItWas) {
    writeSheet(standard("Plate"), {
        {"Input"}, {"Double Width"}, {"Output"}, {"Double Height"}, {"Calc"}, {"Height = SECTIONSIZE(\"XYZ\", 1)"},
    });
    writeMapping(library / "Connection Standards" / "Plate.map");
    ASSERT_TRUE(evaluate("Plate", "K"));
    EXPECT_EQ(valueOf("Height"), "#VALUE!");
    EXPECT_EQ(dimension("Plate", "Height"), 300);
    EXPECT_FALSE(standards::evaluationHasFailures());
    EXPECT_NE(standards::evaluationProblems().last().text.find(
                  "Plate: the Output variable Height holds the error value #VALUE!; the macro keeps its value."),
              Zrk_String::npos);
}

TEST_F(MacroModeTest, ByNameForAModuleGroup) {
    writeSheet(standard("Group"), {
        {"Input"}, {"Double Width", "Double gen.W", "String P.Name"},
        {"Output"}, {"Double Pitch", "Double S.Cut"},
        {"Calc"}, {"Pitch = Width / 2", "S.Cut = gen.W * 2"},
    });
    ASSERT_TRUE(evaluate("Group", "Module.EndPlate")) << standards::lastFailure();
    EXPECT_EQ(valueOf("Width"), "150.00000000"); // the first module that has it, as the macro gives it
    EXPECT_EQ(valueOf("gen.W"), "12.5000");
    EXPECT_EQ(valueOf("P.Name"), "HEA-200");
    EXPECT_EQ(dimension("Plate", "Pitch"), 75);
    Zrk_CutConstraint* cut = dbMacro->macroWrite()->findModuleWrite("Plate")->getCutConstraint("S");
    EXPECT_EQ(cut->offsets[kCutOffset], 25);
}

TEST_F(MacroModeTest, WithoutMacroOrTransactionNothingRuns) {
    writeSheet(standard("Any"), {{"Input"}, {"Output"}, {"Calc"}});
    ASSERT_EQ(data.initialize(dbMacro, "Any", "Module.EndPlate", &macroData), Acad::eOk);
    EXPECT_FALSE(StartDlgStandardsSS(data)); // no transaction
    EXPECT_EQ(data.initialize(nullptr, "Any", "K", &macroData), Acad::eInvalidInput);

    // The variables' own steps: a group mapping never fails; without group and macro it does.
    KvVarCells cells;
    KvDlgStandardsData none;
    EXPECT_EQ(cells.getFromMacro(none), Acad::eInvalidInput);
    none.moduleGroup = "Nowhere";
    EXPECT_EQ(cells.getFromMacro(none), Acad::eOk);
    // A mapping file without the key: nothing read, no message.
    none.moduleGroup.clear();
    none.macro = dbMacro;
    none.ssName = "Any";
    KvVarCell width;
    width.name = "Width";
    width.value = "before";
    width.valueType = KvValueType::Double;
    cells.append(width);
    EXPECT_EQ(cells.getFromMacro(none), Acad::eOk);
    EXPECT_EQ(cells[0].value, "before");
    EXPECT_TRUE(user.messageBoxes().empty());
}

TEST(VarCells, AnEntryFromTheArraysOfTheVariablesName) {
    KvVarCell cell;
    cell.name = "Width";
    KvObjectMap entry;
    EXPECT_EQ(entry.mapFromArrays({"Height", "Width"}, {"G\x95" "Distance H", "G\x95" "Distance W"}, cell), Acad::eOk);
    EXPECT_EQ(entry.macroVar, "W");
    EXPECT_EQ(entry.ssVar, "Width");
    cell.name = "Depth";
    EXPECT_EQ(entry.mapFromArrays({"Height", "Width"}, {"G\x95" "Distance H"}, cell), Acad::eInvalidInput);
}

TEST(VarCells, SameInputIsOneSided) {
    KvVarCells own, other;
    KvVarCell a;
    a.name = "A";
    a.value = "1";
    a.valueType = KvValueType::Double;
    own.append(a);
    KvVarCell out = a;
    out.name = "Out";
    out.role = KvCellType::Output;
    own.append(out); // Outputs are not compared
    EXPECT_FALSE(own.hasSameInput(other));
    other.append(a);
    KvVarCell extra = a;
    extra.name = "Extra";
    other.append(extra);
    EXPECT_TRUE(own.hasSameInput(other));
    EXPECT_FALSE(other.hasSameInput(own));
    other[0].valueType = KvValueType::Int;
    EXPECT_FALSE(own.hasSameInput(other));
    other[0].valueType = KvValueType::Double;
    other[0].value = "1.0";
    EXPECT_FALSE(own.hasSameInput(other)); // values compare as texts
}

} // namespace
