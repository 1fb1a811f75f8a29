// Error values explained: where the error value of each Output and Local arose (a standards function
// with its reason, an operator, an error value written in the equation, an Input given an error, a
// child's equation, or the caller's value passed through a child), and how a variable got its value.
#include <fstream>

#include <gtest/gtest.h>

#include "library_fixture.h"
#include "sheet_writer.h"
#include "spreadlib/sheet.h"
#include "standards/evaluation_trace.h"
#include "standards/sheet_evaluation.h"
#include "standards/value_diagnostics.h"
#include "ui/scripted_user.h"

namespace {

using standards::ErrorValueDiagnostic;
using Origin = standards::ErrorValueDiagnostic::Origin;

class DiagnosticsTest : public LibraryTest {
protected:
    std::filesystem::path standard(const std::string& name) const {
        return library / "Connection Standards" / (name + ".kvs");
    }
    // Evaluates the sheet traced; the trace of the evaluation.
    std::shared_ptr<const standards::SheetTrace> evaluate(const std::string& name,
                                                          const Zrk_StringArray& inputs = {},
                                                          const Zrk_StringArray& values = {}) {
        const standards::TraceSession session;
        standards::SheetEvaluation evaluation;
        evaluation.sheet = standard(name).string();
        evaluation.inputNames = inputs;
        evaluation.inputValues = values;
        evaluation.genVarNames = genVarNames;
        evaluation.genVarValues = genVarValues;
        KvVarCells result;
        Zrk_String error;
        EXPECT_TRUE(standards::evaluateSheet(evaluation, result, error)) << error;
        return session.last();
    }
    static const ErrorValueDiagnostic* find(const Zrk_Array<ErrorValueDiagnostic>& all,
                                            const Zrk_String& name) {
        for (const ErrorValueDiagnostic& diagnostic : all)
            if (diagnostic.variable.name == name) return &diagnostic;
        return nullptr;
    }

    Zrk_StringArray genVarNames, genVarValues;
    ui::ScriptedUser user;
};

TEST_F(DiagnosticsTest, EachErrorValueNamesTheFirstFailingCallWithItsArgumentsAndReason) {
    writeSheet(standard("Faulty"),
               {
                   {"Input"},
                   {"String Column", "Double Load"},
                   {"Output"},
                   {"Double Width", "Double Ratio", "Double Total", "Double Fine", "Double Missing"},
                   {"Local"},
                   {"Double Flange"},
                   {"Calc"},
                   {"Flange = SECTIONSIZE(Column, 4)", "Ratio = Load / 0"},
                   {"Width = Flange * 2 + 10", "Total = Width + Ratio"},
                   {"Fine = Load * 2", "Missing = NA()"},
               });
    const auto trace = evaluate("Faulty", {"Column", "Load"}, {"XYZ 1", "5"});
    ASSERT_TRUE(trace);
    ASSERT_TRUE(trace->complete);
    const Zrk_Array<ErrorValueDiagnostic> all = standards::diagnoseErrorValues(*trace);
    // Outputs first, then Locals, each in the sheet's order; Fine holds no error and is not listed.
    ASSERT_EQ(all.length(), 5);
    EXPECT_EQ(all[0].variable.name, "Width");
    EXPECT_EQ(all[1].variable.name, "Ratio");
    EXPECT_EQ(all[2].variable.name, "Total");
    EXPECT_EQ(all[3].variable.name, "Missing");
    EXPECT_EQ(all[4].variable.name, "Flange");

    // A standards function: its arguments as the formula had them, and its own reason.
    const ErrorValueDiagnostic& flange = all[4];
    EXPECT_EQ(flange.variable.value, "#VALUE!");
    EXPECT_EQ(flange.variable.role, KvCellType::Local);
    ASSERT_EQ(flange.kind, Origin::Call);
    EXPECT_EQ(flange.call.function, "SECTIONSIZE");
    EXPECT_EQ(flange.call.arguments, (Zrk_StringArray{"\"XYZ 1\"", "4"}));
    EXPECT_NE(flange.call.reason.find("have no section \"XYZ 1\""), Zrk_String::npos) << flange.call.reason;
    EXPECT_NE(flange.call.reason.find("prof/*.pr"), Zrk_String::npos)
        << flange.call.reason; // the tables named

    // Passed on through a Local: the equation that gave the Output, the way back, the same call.
    const ErrorValueDiagnostic& width = all[0];
    ASSERT_TRUE(width.fromEquation);
    EXPECT_EQ(width.equation.written, "Width = Flange * 2 + 10");
    EXPECT_EQ(width.equation.row, 9);
    ASSERT_EQ(width.kind, Origin::Call);
    EXPECT_EQ(width.origin.row, 8);
    EXPECT_EQ(width.origin.column, 1);
    EXPECT_EQ(width.call.function, "SECTIONSIZE");
    ASSERT_EQ(width.through.length(), 1);
    EXPECT_EQ(width.through[0].name, "Flange");

    // An operator: its operands, and what the error means.
    const ErrorValueDiagnostic& ratio = all[1];
    ASSERT_EQ(ratio.kind, Origin::Call);
    EXPECT_EQ(ratio.call.function, "/");
    EXPECT_EQ(ratio.call.arguments, (Zrk_StringArray{"5", "0"}));
    EXPECT_EQ(ratio.call.reason, "#DIV/0!: a division by zero");

    // Two errors read: the first one read is followed.
    const ErrorValueDiagnostic& total = all[2];
    ASSERT_EQ(total.kind, Origin::Call);
    EXPECT_EQ(total.call.function, "SECTIONSIZE");
    ASSERT_EQ(total.through.length(), 2);
    EXPECT_EQ(total.through[0].name, "Width");
    EXPECT_EQ(total.through[1].name, "Flange");

    const ErrorValueDiagnostic& missing = all[3];
    ASSERT_EQ(missing.kind, Origin::Call);
    EXPECT_EQ(missing.call.function, "NA");
    EXPECT_EQ(missing.variable.value, "#N/A");
}

TEST_F(DiagnosticsTest, AnErrorWrittenInTheEquationOrGivenAsAnInputIsNamedAsSuch) {
    writeSheet(standard("Given"), {
                                      {"Input"},
                                      {"Double A"},
                                      {"Output"},
                                      {"Double B", "Double C", "Double D"},
                                      {"Calc"},
                                      {"B = A + 1", "C = #REF!"},
                                  });
    const auto trace = evaluate("Given", {"A"}, {"#DIV/0!"});
    ASSERT_TRUE(trace);
    const Zrk_Array<ErrorValueDiagnostic> all = standards::diagnoseErrorValues(*trace);
    ASSERT_EQ(all.length(), 2); // D holds no value, which is no error
    const ErrorValueDiagnostic* b = find(all, "B");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->variable.value, "#DIV/0!");
    ASSERT_EQ(b->kind, Origin::GivenValue);
    EXPECT_EQ(b->given.name, "A");
    EXPECT_EQ(b->given.role, KvCellType::Input);
    EXPECT_EQ(b->given.given, "#DIV/0!");
    EXPECT_EQ(b->givenFile, standard("Given").string());
    const ErrorValueDiagnostic* c = find(all, "C");
    ASSERT_TRUE(c);
    ASSERT_EQ(c->kind, Origin::Call);
    EXPECT_TRUE(c->call.function.empty()); // the error value as written
    EXPECT_EQ(c->variable.value, "#REF!");
}

TEST_F(DiagnosticsTest, ErrorsAreFollowedIntoChildrenAndBackOut) {
    // The child makes an error of its own from a good value, and passes on the caller's error.
    writeSheet(standard("Child"), {
                                      {"Input"},
                                      {"Double In", "String Key"},
                                      {"Output"},
                                      {"Double Out", "Double Echo"},
                                      {"Calc"},
                                      {"Out = GETCELL(\"Bolts.txt\", Key)", "Echo = In * 2"},
                                  });
    writeSheet(standard("Parent"), {
                                       {"Input"},
                                       {"Double A"},
                                       {"Output"},
                                       {"Double FromChild", "Double Passed"},
                                       {"Local"},
                                       {"Double Bad", "String Key"},
                                       {"Calc"},
                                       {"Bad = SQRT(A - 100)", "Key = \"M99\""},
                                       {"CallChild(\"Child.kvs\", Bad, Key, FromChild, Passed)"},
                                   });
    std::filesystem::create_directories(library / "Connection Standards" / "Data");
    std::ofstream(library / "Connection Standards" / "Data" / "Bolts.txt") << "M12\t30\nM16\t40\n";
    const auto trace = evaluate("Parent", {"A"}, {"4"});
    ASSERT_TRUE(trace);
    const Zrk_Array<ErrorValueDiagnostic> all = standards::diagnoseErrorValues(*trace);

    // Arose in the child: the child's equation and the call there.
    const ErrorValueDiagnostic* fromChild = find(all, "FromChild");
    ASSERT_TRUE(fromChild);
    ASSERT_EQ(fromChild->kind, Origin::Call);
    EXPECT_EQ(fromChild->origin.file, standard("Child").string());
    EXPECT_EQ(fromChild->call.function, "GETCELL");
    EXPECT_EQ(fromChild->call.arguments, (Zrk_StringArray{"\"Bolts.txt\"", "\"M99\""}));
    EXPECT_NE(fromChild->call.reason.find("has no line with the key \"M99\""), Zrk_String::npos)
        << fromChild->call.reason;

    // Went into the child and came back: the caller's own call, through the child's variables.
    const ErrorValueDiagnostic* passed = find(all, "Passed");
    ASSERT_TRUE(passed);
    ASSERT_EQ(passed->kind, Origin::Call);
    EXPECT_EQ(passed->origin.file, standard("Parent").string());
    EXPECT_EQ(passed->call.function, "SQRT");
    EXPECT_EQ(passed->call.arguments, (Zrk_StringArray{"-96"}));
    EXPECT_EQ(passed->call.reason, "#NUM!: a number out of range");
    Zrk_StringArray way;
    for (const standards::NamedValue& step : passed->through)
        way.append(step.name);
    EXPECT_EQ(way, (Zrk_StringArray{"Echo", "Bad"}));
}

TEST_F(DiagnosticsTest, AnExplanationListsTheEquationsGivenValuesRowsAndChildrenItDependsOn) {
    writeSheet(standard("Doubler"),
               {{"Input"}, {"Double X"}, {"Output"}, {"Double Y"}, {"Calc"}, {"Y = X * 2"}});
    writeSheet(standard("Plate"), {
                                      {"Input"},
                                      {"String Column", "Double Extra", "Double Unused"},
                                      {"Output"},
                                      {"Double Width", "Double Other", "Double Doubled"},
                                      {"Local"},
                                      {"Double Base"},
                                      {"Calc"},
                                      {"Base = SECTIONSIZE(Column, 2) + gen_Clearance", "Other = Unused + 1"},
                                      {"CallChild(\"Doubler.kvs\", Base, Doubled)"},
                                      {"Width = Doubled + Extra"},
                                  });
    genVarNames = {"gen_Clearance"};
    genVarValues = {"5"};
    const auto trace = evaluate("Plate", {"Column", "Extra"}, {"HEA 200", "1"});
    ASSERT_TRUE(trace);
    EXPECT_TRUE(standards::diagnoseErrorValues(*trace).isEmpty());

    standards::Explanation explanation;
    EXPECT_FALSE(standards::explainVariable(*trace, "Nothing", explanation));
    ASSERT_TRUE(standards::explainVariable(*trace, "Width", explanation));
    EXPECT_EQ(explanation.variable.value, "411.0000000"); // (200 + 5) * 2 + 1
    // Only what Width depends on, in the order it ran; Other and Unused are not part of it.
    ASSERT_EQ(explanation.equations.length(), 3);
    EXPECT_EQ(explanation.equations[0].written,
              "Base = SECTIONSIZE(Column, 2) + gen_Clearance"); // as written
    EXPECT_EQ(explanation.equations[0].value, "205.0000000");
    ASSERT_EQ(explanation.equations[0].rows.length(), 1);
    EXPECT_EQ(explanation.equations[0].rows[0].function, "SECTIONSIZE");
    EXPECT_EQ(explanation.equations[0].rows[0].file, (library / "prof" / "HEA.pr").string());
    EXPECT_GT(explanation.equations[0].rows[0].line, 2);
    EXPECT_NE(explanation.equations[0].rows[0].text.find("column 2: 200"), Zrk_String::npos)
        << explanation.equations[0].rows[0].text;
    const standards::EquationTrace& call = explanation.equations[1];
    EXPECT_EQ(call.childFile, standard("Doubler").string());
    ASSERT_EQ(call.returned.length(), 1);
    EXPECT_EQ(call.returned[0].name, "Doubled");
    EXPECT_EQ(call.returned[0].value, "410.0000000");
    ASSERT_TRUE(call.child);
    EXPECT_EQ(call.child->equations.length(), 1);
    EXPECT_EQ(explanation.equations[2].target, "Width");

    Zrk_StringArray given;
    for (const standards::TracedVariable& variable : explanation.given)
        given.append(variable.name + "=" + variable.value);
    EXPECT_EQ(given, (Zrk_StringArray{"Column=HEA 200", "Extra=1"}));
    ASSERT_EQ(explanation.generalVariables.length(), 1);
    EXPECT_EQ(explanation.generalVariables[0].name, "gen_Clearance");
    EXPECT_EQ(explanation.generalVariables[0].value, "5");

    // An Input is explained by itself.
    ASSERT_TRUE(standards::explainVariable(*trace, "Extra", explanation));
    EXPECT_TRUE(explanation.equations.isEmpty());
    ASSERT_EQ(explanation.given.length(), 1);
}

TEST_F(DiagnosticsTest, WithoutASessionNothingIsTracedAndFailuresStayNotes) {
    writeSheet(standard("Plain"),
               {{"Input"}, {"String C"}, {"Output"}, {"Double W"}, {"Calc"}, {"W = SECTIONSIZE(C, 1)"}});
    standards::SheetEvaluation evaluation;
    evaluation.sheet = standard("Plain").string();
    evaluation.inputNames = {"C"};
    evaluation.inputValues = {"XYZ 1"};
    KvVarCells result;
    Zrk_String error;
    ASSERT_TRUE(standards::evaluateSheet(evaluation, result, error)) << error;
    EXPECT_FALSE(standards::tracing());
    EXPECT_EQ(standards::currentSheetTrace(), nullptr);
    const standards::TraceSession session;
    EXPECT_EQ(session.last(), nullptr); // nothing evaluated in this session yet
}

// The formula engine alone: an error made in the formula is found, one only passed on is not.
TEST(ErrorOrigins, TheFormulaThatMadeTheErrorKeepsItsOrigin) {
    spreadlib::Sheet sheet;
    sheet.setErrorTracing(true);
    sheet.setData(1, 1, "text");
    ASSERT_TRUE(sheet.setFormula(2, 1, "1 + A1"));          // B1: made here
    ASSERT_TRUE(sheet.setFormula(3, 1, "B1 * 2"));          // C1: passed on
    ASSERT_TRUE(sheet.setFormula(4, 1, "SUM(B1, 1)"));      // D1: passed on by a function
    ASSERT_TRUE(sheet.setFormula(5, 1, "IF(\"x\", 1, 2)")); // E1: a condition that is no truth value
    ASSERT_TRUE(sheet.setFormula(6, 1, "LN(0) + 1/0"));     // F1: #NUM! first, the result's kind counts
    spreadlib::ErrorOrigin origin;
    ASSERT_TRUE(sheet.getErrorOrigin(2, 1, origin));
    EXPECT_EQ(origin.operation, "+");
    EXPECT_EQ(origin.arguments, (Zrk_StringArray{"1", "\"text\""}));
    EXPECT_EQ(origin.error, spreadlib::ErrorCode::Value);
    EXPECT_FALSE(sheet.getErrorOrigin(3, 1, origin));
    EXPECT_FALSE(sheet.getErrorOrigin(4, 1, origin));
    ASSERT_TRUE(sheet.getErrorOrigin(5, 1, origin));
    EXPECT_EQ(origin.operation, "IF");
    ASSERT_TRUE(sheet.getErrorOrigin(6, 1, origin));
    EXPECT_EQ(origin.operation, "LN");
    EXPECT_EQ(origin.error, spreadlib::ErrorCode::Num);
    // Mended, the cell has no origin any more.
    sheet.setData(1, 1, "3");
    EXPECT_FALSE(sheet.getErrorOrigin(2, 1, origin));
    // Off, nothing is kept.
    sheet.setErrorTracing(false);
    sheet.setData(1, 1, "text");
    EXPECT_FALSE(sheet.getErrorOrigin(2, 1, origin));
}

} // namespace
