// Standards evaluation end to end through StartDlgStandardsSS: declarations and sections, the two
// modes, equations and their reports, duplicate names, general variables, value formats.
#include <chrono>
#include <fstream>

#include <gtest/gtest.h>

#include "core/settings.h"
#include "frame/ss_dlgs_mgr.h"
#include "frame/standards_entry.h"
#include "library_fixture.h"
#include "sheet_writer.h"
#include "standards/evaluation_chain.h"
#include "standards/loaded_sheets.h"
#include "standards/standards_data.h"
#include "standards/standards_host_dlg.h"
#include "standards/standards_timers.h"
#include "ui/scripted_user.h"

namespace {

KvVarCell variable(const Zrk_String& name, KvCellType role, const Zrk_String& value = Zrk_String(),
                   KvValueType type = KvValueType::Double) {
    KvVarCell cell;
    cell.name = name;
    cell.role = role;
    cell.value = value;
    cell.valueType = type;
    return cell;
}

class EngineTest : public LibraryTest {
protected:
    std::filesystem::path standard(const std::string& name) const {
        return library / "Connection Standards" / (name + ".kvs");
    }
    // Mode 1 on a sheet of the standards folder with the caller's variables.
    bool evaluate(const std::string& name, KvDlgStandardsData& data) {
        data.mode = KvDlgStandardsData::kEvaluateAsChild;
        data.ssName = name;
        return StartDlgStandardsSS(data);
    }
    Zrk_String valueOf(const KvDlgStandardsData& data, const Zrk_String& name) {
        int index = -1;
        EXPECT_EQ(data.varCells.findVarCell(name, index), Acad::eOk) << name;
        return index < 0 ? Zrk_String("<missing>") : data.varCells[index].value;
    }
    // The sheet of the pool's first host dialog, as the last evaluation left it.
    KvStandardsSheet& lastSheet() { return firstDialog()->sheet; }
    KvStandardsHostDlg* firstDialog() {
        KvStandardsHostDlg* dialog = gSSDlgsMgr.getDlg();
        gSSDlgsMgr.releaseDlg(dialog);
        return dialog;
    }

    ui::ScriptedUser user;
};

TEST(Declarations, KeywordsNamesAndBlanks) {
    KvValueType type = KvValueType::String;
    Zrk_String name;
    ASSERT_TRUE(KvVarCell::parseDeclaration("Double Width", type, name));
    EXPECT_EQ(type, KvValueType::Double);
    EXPECT_EQ(name, "Width");
    ASSERT_TRUE(KvVarCell::parseDeclaration("Integer Count", type, name));
    EXPECT_EQ(type, KvValueType::Int);
    EXPECT_EQ(name, "Count");
    ASSERT_TRUE(KvVarCell::parseDeclaration("Int", type, name));
    EXPECT_EQ(type, KvValueType::Int);
    EXPECT_EQ(name, "");
    ASSERT_TRUE(KvVarCell::parseDeclaration("  String   Grade  ", type, name));
    EXPECT_EQ(type, KvValueType::String);
    EXPECT_EQ(name, "Grade");
    EXPECT_FALSE(KvVarCell::parseDeclaration("Text Name", type, name));
    EXPECT_FALSE(KvVarCell::parseDeclaration("double Width", type, name)); // letter case counts
    EXPECT_FALSE(KvVarCell::parseDeclaration("", type, name));
}

TEST_F(EngineTest, SectionsInAnyOrderAndTheRowOfAHeader) {
    writeSheet(standard("Layout"), {
        {"Local", "Double L1"},               // belongs to the section above: none, so nothing
        {"Double L2", "Int L3"},
        {"Input", "", "Double A"},            // A, in the header row of Input: above is Local
        {"Double B", "String C"},
        {"Output", "Double D"},               // D to the right of the Output header: Input's
        {"Double E", "Text F"},
        {"CALC"},
        {"E = B * 2"},
    });
    KvDlgStandardsData data;
    data.mode = KvDlgStandardsData::kLoadOnly;
    data.ssName = "Layout";
    ASSERT_TRUE(StartDlgStandardsSS(data)); // loads only
    KvStandardsSheet& sheet = lastSheet();
    ASSERT_EQ(sheet.readVarCells(), Acad::eOk);
    Zrk_StringArray order;
    for (const KvVarCell& cell : sheet.varCells.cells)
        order.append(cell.name + ":" + std::to_string(static_cast<int>(cell.role)));
    // Input (rows 4..5: B, C, D), Output (rows 6..7: E), Local (rows 2..3: L2, L3, and A in row 3).
    EXPECT_EQ(order, (Zrk_StringArray{"B:0", "C:0", "D:0", "E:1", "L2:2", "L3:2", "A:2"}));
    EXPECT_EQ(sheet.varCells[2].col, 2);
    EXPECT_EQ(sheet.varCells[2].row, 5);
}

TEST_F(EngineTest, ChildModeComputesInReadingOrderWithTheValueFormats) {
    writeSheet(standard("Plate"), {
        {"Input"},
        {"Double Thickness", "String Grade"},
        {"Output"},
        {"Double Width", "Int Count", "String Label"},
        {"Local"},
        {"Double Half"},
        {"Calc"},
        {"Half = Width / 2", "Width = Thickness*2"}, // Half sees Width before it is computed
        {"Count = Thickness / 4"},
        {"Label = Grade & \"-\" & Count"},
    });
    KvDlgStandardsData data;
    data.varCells.append(variable("Thickness", KvCellType::Input, "10"));
    data.varCells.append(variable("Grade", KvCellType::Input, "S355", KvValueType::String));
    data.varCells.append(variable("Width", KvCellType::Output, "999"));
    data.varCells.append(variable("Count", KvCellType::Output));
    data.varCells.append(variable("Label", KvCellType::Output));
    ASSERT_TRUE(evaluate("Plate", data)) << standards::lastFailure();
    EXPECT_EQ(valueOf(data, "Width"), "20.0000000"); // the equation cell's number format: 7 decimals
    EXPECT_EQ(valueOf(data, "Count"), "2.5000000");
    EXPECT_EQ(valueOf(data, "Label"), "S355-3"); // Count's own cell holds it with 0 decimals
    EXPECT_EQ(valueOf(data, "Thickness"), "10"); // inputs come back as given

    KvStandardsSheet& sheet = lastSheet();
    Zrk_String text;
    sheet.getCellText(2, 8, text, 1);
    EXPECT_EQ(text, "A2*2"); // the equation became a formula over Thickness's cell
    sheet.getCellText(1, 4, text);
    EXPECT_EQ(text, "20.0000000"); // Width's declaring cell
    sheet.getCellText(2, 4, text);
    EXPECT_EQ(text, "3"); // an Int shows 0 decimals
    sheet.getCellText(1, 8, text);
    EXPECT_EQ(text, "499.5000000"); // Half saw the caller's 999: Width was computed after it
    // The declaring cells' formats: Double 7 decimals, Int 0, String a text cell of 9999 characters.
    spreadlib::CellType type;
    ASSERT_TRUE(sheet.getCellType(1, 4, type));
    EXPECT_EQ(type.code, spreadlib::kTypeNumber);
    EXPECT_EQ(type.decimals, 7);
    ASSERT_TRUE(sheet.getCellType(2, 4, type));
    EXPECT_EQ(type.decimals, 0);
    ASSERT_TRUE(sheet.getCellType(3, 4, type));
    EXPECT_EQ(type.code, spreadlib::kTypeEdit);
    EXPECT_EQ(type.maxLength, 9999);
    ASSERT_TRUE(sheet.getCellType(1, 10, type)); // Label's equation cell: a text cell of 200
    EXPECT_EQ(type.code, spreadlib::kTypeEdit);
    EXPECT_EQ(type.maxLength, 200);
    EXPECT_TRUE(user.messageBoxes().empty());
}

TEST_F(EngineTest, ChildModeMatchesTheCallerByPosition) {
    writeSheet(standard("Pos"), {
        {"Input"}, {"Double A", "Double B"}, {"Output"}, {"Double C"}, {"Local"}, {"Double L"},
        {"Calc"}, {"C = A + B"},
    });
    KvDlgStandardsData data;
    data.varCells.append(variable("x", KvCellType::Input, "1"));
    data.varCells.append(variable("y", KvCellType::Local, "2"));
    data.varCells.append(variable("z", KvCellType::Output));
    data.varCells.append(variable("extra", KvCellType::Output, "left alone"));
    ASSERT_TRUE(evaluate("Pos", data));
    EXPECT_EQ(valueOf(data, "z"), "3.0000000");
    EXPECT_EQ(valueOf(data, "extra"), "left alone");

    KvDlgStandardsData shorter;
    shorter.varCells.append(variable("x", KvCellType::Input, "1"));
    shorter.varCells.append(variable("y", KvCellType::Input, "2"));
    EXPECT_FALSE(evaluate("Pos", shorter));
    EXPECT_EQ(shorter.varCells.length(), 2); // the caller's data stays as it was
    EXPECT_EQ(shorter.mode, KvDlgStandardsData::kEvaluateAsChild);

    KvDlgStandardsData mismatched;
    mismatched.varCells.append(variable("x", KvCellType::Input, "1"));
    mismatched.varCells.append(variable("y", KvCellType::Input, "2"));
    mismatched.varCells.append(variable("z", KvCellType::Input)); // meets the Output C
    EXPECT_FALSE(evaluate("Pos", mismatched));
    EXPECT_NE(standards::lastFailure().find("meets the caller's Input"), Zrk_String::npos);

    KvDlgStandardsData notANumber;
    notANumber.varCells.append(variable("x", KvCellType::Input, "ten"));
    notANumber.varCells.append(variable("y", KvCellType::Input, "2"));
    notANumber.varCells.append(variable("z", KvCellType::Output));
    EXPECT_FALSE(evaluate("Pos", notANumber));
    EXPECT_NE(standards::lastFailure().find("\"ten\""), Zrk_String::npos);
}

TEST_F(EngineTest, RequiredSectionsInBothModes) {
    writeSheet(standard("NoOutput"), {{"Input"}, {"Double A"}, {"Calc"}, {"A = 1"}});
    writeSheet(standard("NoLocal"), {{"Input"}, {"Double A"}, {"Output"}, {"Double B"}, {"Calc"}, {"B = A + 1"}});
    writeSheet(standard("NoCalc"), {{"Input"}, {"Double A"}, {"Output"}, {"Double B"}});
    KvDlgStandardsData data;
    data.varCells.append(variable("a", KvCellType::Input, "1"));
    data.varCells.append(variable("b", KvCellType::Output));
    KvDlgStandardsData copy = data;
    EXPECT_FALSE(evaluate("NoOutput", copy));
    EXPECT_NE(standards::lastFailure().find("no \"Output\" section"), Zrk_String::npos);
    copy = data;
    EXPECT_FALSE(evaluate("NoCalc", copy));
    copy = data;
    ASSERT_TRUE(evaluate("NoLocal", copy));
    EXPECT_EQ(valueOf(copy, "b"), "2.0000000");

    // Mode 0 fails without "Output" as well (here before anything is read from a macro).
    openConnection();
    KvDlgStandardsData macroRun;
    ASSERT_EQ(macroRun.initialize(macro, "NoOutput", "Module.EndPlate", &macroData), Acad::eOk);
    AcTransaction* transaction = reinterpret_cast<AcTransaction*>(&drawing); // only its presence counts
    macroRun.transaction = transaction;
    EXPECT_FALSE(StartDlgStandardsSS(macroRun));
}

TEST_F(EngineTest, LoadingByNameOrPathAndLoadOnlyMode) {
    writeSheet(standard("Sub/Named"), {{"Input"}, {"Output"}, {"Calc"}});
    KvDlgStandardsData data;
    data.mode = 7; // any mode but 0 and 1: load only
    data.ssName = "Sub\\Named";
    EXPECT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(lastSheet().filePath, standard("Sub/Named").string());
    data.ssName = standard("Sub/Named").string();
    EXPECT_TRUE(StartDlgStandardsSS(data));
    data.ssName = "sub/NAMED"; // letter case differs in the name only
    EXPECT_FALSE(StartDlgStandardsSS(data));
    data.ssName = "Sub/named";
    EXPECT_TRUE(StartDlgStandardsSS(data));
    data.ssName = "Missing";
    EXPECT_FALSE(StartDlgStandardsSS(data));
    EXPECT_NE(standards::lastFailure().find("There is no standards spreadsheet"), Zrk_String::npos);
    // A file that is no spreadsheet fails with the reason of the library.
    std::ofstream(standard("Broken"), std::ios::binary) << "{ not json";
    data.ssName = "Broken";
    EXPECT_FALSE(StartDlgStandardsSS(data));
    EXPECT_NE(standards::lastFailure().find("Broken.kvs"), Zrk_String::npos);
}

TEST_F(EngineTest, FailingEquationsAreReportedAndTheRestGoesOn) {
    writeSheet(standard("Faulty"), {
        {"Input"}, {"Double A"}, {"Output"}, {"Double B", "Double C", "Double D"},
        {"Calc"},
        {"just text"},
        {"B = Unknown * 2"},
        {"Nobody = A"},
        {"C = A + 1", "D = (A + 1"},
    });
    KvDlgStandardsData data;
    data.varCells.append(variable("a", KvCellType::Input, "4"));
    data.varCells.append(variable("b", KvCellType::Output));
    data.varCells.append(variable("c", KvCellType::Output));
    data.varCells.append(variable("d", KvCellType::Output));
    ASSERT_TRUE(evaluate("Faulty", data));
    EXPECT_EQ(valueOf(data, "c"), "5.0000000");
    EXPECT_EQ(valueOf(data, "b"), ""); // the library refused the formula: B keeps its value
    ASSERT_EQ(user.messageBoxes().size(), 4u);
    const Zrk_String tip = Zrk_String("\nSpreadsheet : ") + standard("Faulty").string();
    EXPECT_EQ(user.messageBoxes()[0].request.text,
              "The following equation failed:\njust text" + tip + " (line: 6)\nHere's a tip for finding the cause :\n"
              "If this equation contains variable names, then the translator does not know the value of the variable. "
              "Make sure the variable exists either in input, output, local declarations or among the gen_ variables.");
    EXPECT_EQ(user.messageBoxes()[0].request.icon(), ui::MB_ICONEXCLAMATION);
    EXPECT_EQ(user.messageBoxes()[0].request.caption, "");
    EXPECT_EQ(user.messageBoxes()[1].request.text.rfind("The following equation failed:\nB = Unknown * 2\nSp", 0), 0u);
    EXPECT_EQ(user.messageBoxes()[2].request.text.rfind("The following equation failed:\nNobody = A\nS", 0), 0u);
    // The expression as it stood when it failed: with the cell names in place of the variables.
    EXPECT_EQ(user.messageBoxes()[3].request.text.rfind("The following equation failed:\nD = (A2 + 1\nS", 0), 0u);

    // Without the document's setting nothing is shown.
    gSettings.current().reportStandardsErrors = false;
    KvDlgStandardsData again = data;
    EXPECT_TRUE(evaluate("Faulty", again));
    gSettings.current().reportStandardsErrors = true;
    EXPECT_EQ(user.messageBoxes().size(), 4u);
}

// The problems a failing equation leaves for callers without a person at the screen: the engine's
// own reason, with the file and the cell, whatever the document's setting; the evaluation itself
// still succeeds, as its callers expect.
TEST_F(EngineTest, FailingEquationsLeaveTheirReasonsAsFailures) {
    std::string nested = "A";
    for (int i = 0; i < 200; ++i) nested = "(" + nested + " + 1)";
    writeSheet(standard("Reasons"), {
        {"Input"}, {"Double A"}, {"Output"}, {"Double B", "Double C", "Double D", "Double E"},
        {"Calc"},
        {"just text"},
        {"Nobody = A"},
        {"C = (A + 1"},
        {"D = " + nested},
        {"B = A * 2"},
    });
    gSettings.current().reportStandardsErrors = false;
    KvDlgStandardsData data;
    for (const char* name : {"a", "b", "c", "d", "e"})
        data.varCells.append(variable(name, name[0] == 'a' ? KvCellType::Input : KvCellType::Output, "1"));
    const bool evaluated = evaluate("Reasons", data);
    gSettings.current().reportStandardsErrors = true;
    ASSERT_TRUE(evaluated) << standards::lastFailure();
    EXPECT_TRUE(user.messageBoxes().empty());
    EXPECT_EQ(valueOf(data, "b"), "2.0000000");

    const auto& problems = standards::evaluationProblems();
    ASSERT_EQ(problems.length(), 4);
    EXPECT_TRUE(standards::evaluationHasFailures());
    const Zrk_String file = standard("Reasons").string();
    EXPECT_EQ(problems[0].text, file + ", cell A6: \"just text\" failed: it is no equation (\"NAME = EXPRESSION\") and no child call.");
    EXPECT_EQ(problems[1].text, file + ", cell A7: \"Nobody = A\" failed: \"Nobody\" is no variable of the sheet.");
    EXPECT_EQ(problems[2].text.rfind(file + ", cell A8: \"C = (A + 1\" failed: ", 0), 0u) << problems[2].text;
    // The library's own reason, not the tip about unknown variable names.
    EXPECT_NE(problems[3].text.find("The formula is nested too deeply"), Zrk_String::npos) << problems[3].text;
    for (const auto& problem : problems) EXPECT_EQ(problem.kind, standards::ProblemKind::Failure);

    // The next evaluation starts afresh.
    writeSheet(standard("Fine"), {{"Input"}, {"Double A"}, {"Output"}, {"Double B"}, {"Calc"}, {"B = A"}});
    KvDlgStandardsData fine;
    fine.varCells.append(variable("a", KvCellType::Input, "3"));
    fine.varCells.append(variable("b", KvCellType::Output));
    ASSERT_TRUE(evaluate("Fine", fine));
    EXPECT_TRUE(standards::evaluationProblems().isEmpty());
}

// A function that fails answers an error value; a number variable keeps it as that error, so that
// what is computed from it fails too (it once took the cell's last number: 0), and the note says why.
TEST_F(EngineTest, ErrorValuesPropagateThroughNumberVariables) {
    writeSheet(standard("Errors"), {
        {"Input"}, {"Double A"}, {"Output"}, {"Double B", "Double C", "Int D"},
        {"Calc"},
        {"B = SECTIONSIZE(\"XYZ 999\", 1)"},
        {"C = B + A", "D = B * 2"},
    });
    KvDlgStandardsData data;
    data.varCells.append(variable("a", KvCellType::Input, "5"));
    data.varCells.append(variable("b", KvCellType::Output));
    data.varCells.append(variable("c", KvCellType::Output));
    data.varCells.append(variable("d", KvCellType::Output, "", KvValueType::Int));
    ASSERT_TRUE(evaluate("Errors", data)) << standards::lastFailure();
    EXPECT_EQ(valueOf(data, "b"), "#VALUE!");
    EXPECT_EQ(valueOf(data, "c"), "#VALUE!");
    EXPECT_EQ(valueOf(data, "d"), "#VALUE!");
    EXPECT_TRUE(user.messageBoxes().empty());
    // An error value is a result, not a failure of the evaluation; the note explains it.
    EXPECT_FALSE(standards::evaluationHasFailures());
    ASSERT_EQ(standards::evaluationProblems().length(), 1);
    EXPECT_EQ(standards::evaluationProblems()[0].kind, standards::ProblemKind::Note);
    EXPECT_EQ(standards::evaluationProblems()[0].text,
              standard("Errors").string() +
                  ", cell A6: SECTIONSIZE failed: the section tables (" + gSettings.libDir +
                  "prof/*.pr) have no section \"XYZ 999\".");

    // A caller's error value reaches a child's number variable as that error.
    writeSheet(standard("Passes"), {{"Input"}, {"Double A"}, {"Output"}, {"Double B"}, {"Calc"}, {"B = A + 1"}});
    KvDlgStandardsData child;
    child.varCells.append(variable("a", KvCellType::Input, "#DIV/0!"));
    child.varCells.append(variable("b", KvCellType::Output));
    ASSERT_TRUE(evaluate("Passes", child)) << standards::lastFailure();
    EXPECT_EQ(valueOf(child, "b"), "#DIV/0!");
}

TEST_F(EngineTest, DuplicateNamesAreAlwaysReportedOnceAndDropped) {
    writeSheet(standard("Twice"), {
        {"Input"}, {"Double A", "Double A"}, {"Output"}, {"Double B", "Double B", "Double A"},
        {"Calc"}, {"B = A * 10"},
    });
    gSettings.current().reportStandardsErrors = false; // this message shows all the same
    KvDlgStandardsData data;
    data.varCells.append(variable("a1", KvCellType::Input, "1"));
    data.varCells.append(variable("a2", KvCellType::Input, "2"));
    data.varCells.append(variable("b1", KvCellType::Output));
    data.varCells.append(variable("b2", KvCellType::Output));
    data.varCells.append(variable("a3", KvCellType::Output));
    ASSERT_TRUE(evaluate("Twice", data));
    gSettings.current().reportStandardsErrors = true;
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    const auto& box = user.messageBoxes()[0].request;
    EXPECT_EQ(box.caption, "Variable names must be unique");
    EXPECT_EQ(box.text, "There were duplicate variable names found in the standards file " +
                            standard("Twice").string() +
                            ".\nThe duplicates will be ignored. Please correct this file.\nDuplicate variable names:\n\nA\nB");
    // Only the first A (1) and the first B take part; B is handed back at its place after the drop.
    EXPECT_EQ(valueOf(data, "a2"), "10.0000000");
}

TEST_F(EngineTest, GeneralVariablesBecomeNumbersOrQuotedTexts) {
    writeSheet(standard("Gen"), {
        {"Input"}, {"Double A"}, {"Output"}, {"Double B", "String G", "String H"},
        {"Calc"},
        {"B = A * gen_Factor", "G = gen_Grade & \"/\" & gen_Grades"},
        {"H = \"gen_Factor\""},
    });
    KvDlgStandardsData data;
    data.varCells.append(variable("a", KvCellType::Input, "2"));
    data.varCells.append(variable("b", KvCellType::Output));
    data.varCells.append(variable("g", KvCellType::Output));
    data.varCells.append(variable("h", KvCellType::Output));
    data.genVarNames = {"gen_Factor", "gen_Grade", "gen_Grades"};
    data.genVarValues = {"1.5", "S355", "x"};
    ASSERT_TRUE(evaluate("Gen", data)) << standards::lastFailure();
    EXPECT_EQ(valueOf(data, "b"), "3.0000000");
    EXPECT_EQ(valueOf(data, "g"), "S355/x");
    EXPECT_EQ(valueOf(data, "h"), "1.5"); // inside quotes too: names are replaced as words, wherever
}

TEST_F(EngineTest, GeneralVariablesThatNameEachOtherCannotGrowWithoutBound) {
    writeSheet(standard("Grow"), {{"Input"}, {"Output"}, {"Double B"}, {"Calc"}, {"B = g0"}});
    KvDlgStandardsData data;
    data.varCells.append(variable("b", KvCellType::Output, "7"));
    for (int i = 0; i < 30; ++i) {
        data.genVarNames.append("g" + std::to_string(i));
        data.genVarValues.append("(g" + std::to_string(i + 1) + "+g" + std::to_string(i + 1) + ")");
    }
    ASSERT_TRUE(evaluate("Grow", data)) << standards::lastFailure();
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    EXPECT_NE(user.messageBoxes()[0].request.text.find("could not be substituted in the cells A5"), Zrk_String::npos);
    EXPECT_NE(user.messageBoxes()[1].request.text.find("B = g0"), Zrk_String::npos);
    EXPECT_EQ(valueOf(data, "b"), "7"); // its equation failed: the value given stays
}

TEST_F(EngineTest, AMissingSheetLeavesTheCallersDataAsItWas) {
    KvDlgStandardsData data;
    data.mode = KvDlgStandardsData::kEvaluateAsChild;
    data.ssName = "Nowhere";
    data.varCells.append(variable("a", KvCellType::Output, "keep"));
    data.genVarNames = {"gen_A"};
    const KvDlgStandardsData before = data;
    EXPECT_FALSE(StartDlgStandardsSS(data));
    EXPECT_EQ(data.varCells.length(), 1);
    EXPECT_EQ(data.varCells[0].value, "keep");
    EXPECT_EQ(data.ssName, before.ssName);
    EXPECT_EQ(data.genVarNames, before.genVarNames);
}

TEST_F(EngineTest, TheFixedTestEntry) {
    // "c:\a\a\a\test.kvs" is a path relative to the working folder here.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(library);
    EXPECT_FALSE(StartDlgStandardsSStest());
    writeSheet(library / "c:" / "a" / "a" / "a" / "test.kvs",
               {{"Input"}, {"String Column", "Double Thickness"}, {"Output"}, {"Double Width", "Double Length"},
                {"Calc"}, {"Width = SECTIONSIZE(Column, 2) + Thickness * 2", "Length = Width + 1"}});
    EXPECT_TRUE(StartDlgStandardsSStest()) << standards::lastFailure();
    std::filesystem::current_path(previous);
}

TEST_F(EngineTest, TimersMeasureThePhases) {
    writeSheet(standard("Timed"), {{"Input"}, {"Double A"}, {"Output"}, {"Double B"}, {"Calc"}, {"B = A"}});
    int count = 0;
    Zrk_Timer* const* timers = standards::allTimers(count);
    ASSERT_EQ(count, 25);
    for (int i = 0; i < count; ++i) timers[i]->reset(); // a failed phase leaves its timer running
    const long long loads = gLoadFile.runs();
    const long long cells = gCalcCellCalcFunctions.runs();
    KvDlgStandardsData data;
    data.varCells.append(variable("a", KvCellType::Input, "1"));
    data.varCells.append(variable("b", KvCellType::Output));
    ASSERT_TRUE(evaluate("Timed", data));
    EXPECT_EQ(gLoadFile.runs(), loads + 1);
    EXPECT_EQ(gCalcCellCalcFunctions.runs(), cells + 1);
    EXPECT_GT(gGetFromVars.seconds(), 0.0);
    for (int i = 0; i < count; ++i) EXPECT_FALSE(timers[i]->isRunning()) << timers[i]->name();
}

TEST_F(EngineTest, AnUnchangedSheetComesFromMemoryAndAnEditedOneIsReadAgain) {
    spreadlib::SheetFileCache& sheets = standards::loadedSheets();
    // The sheet is written a moment before it is evaluated; it is saved atomically, so that its
    // edits are seen whenever they happen.
    struct Settled {
        spreadlib::SheetFileCache& sheets;
        explicit Settled(spreadlib::SheetFileCache& kept) : sheets(kept) { sheets.setSettlingTime(std::chrono::milliseconds(0)); }
        ~Settled() { sheets.setSettlingTime(std::chrono::milliseconds(2000)); }
    } settled(sheets);
    const auto evaluateWith = [&](const char* a) {
        KvDlgStandardsData data;
        data.varCells.append(variable("a", KvCellType::Input, a));
        data.varCells.append(variable("b", KvCellType::Output));
        EXPECT_TRUE(evaluate("Kept", data)) << standards::lastFailure();
        return valueOf(data, "b");
    };
    writeSheet(standard("Kept"), {{"Input"}, {"Double A"}, {"Output"}, {"Double B"}, {"Calc"}, {"B = A * 2"}});
    EXPECT_EQ(evaluateWith("3"), "6.0000000");
    // The second evaluation gets the sheet as the file holds it, not as the first one left it (its
    // equation cell a formula, its variables' cells filled), with the equation translated before.
    const std::uint64_t hits = sheets.hits();
    EXPECT_EQ(evaluateWith("4"), "8.0000000");
    EXPECT_EQ(sheets.hits(), hits + 1);
    writeSheet(standard("Kept"), {{"Input"}, {"Double A"}, {"Output"}, {"Double B"}, {"Calc"}, {"B = A * 3"}});
    EXPECT_EQ(evaluateWith("4"), "12.0000000");
    // General variables change an equation's text: it is translated again.
    writeSheet(standard("Kept"), {{"Input"}, {"Double A"}, {"Output"}, {"Double B"}, {"Calc"}, {"B = A * gen_f"}});
    KvDlgStandardsData data;
    data.varCells.append(variable("a", KvCellType::Input, "4"));
    data.varCells.append(variable("b", KvCellType::Output));
    data.genVarNames.append("gen_f");
    data.genVarValues.append("5");
    ASSERT_TRUE(evaluate("Kept", data)) << standards::lastFailure();
    EXPECT_EQ(valueOf(data, "b"), "20.0000000");
    data.varCells[1].value.clear();
    data.genVarValues[0] = "6";
    ASSERT_TRUE(evaluate("Kept", data)) << standards::lastFailure();
    EXPECT_EQ(valueOf(data, "b"), "24.0000000");
}

} // namespace
