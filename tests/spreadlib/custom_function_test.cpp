// Custom functions: how arguments arrive with flags 0 and 1, how results and failures show, late
// registration, and functions that read or write the sheet that calls them.
#include <cmath>

#include "test_util.h"

namespace spreadlib::test {
namespace {

// Records every call's arguments.
struct Calls {
    std::vector<std::vector<ValueRecord>> seen;
    CustomFunction recorder(long answer, ValueRecord result) {
        return [this, answer, result](ValueRecord& out, const ValueRecord* args, int count) {
            seen.emplace_back(args, args + count);
            out = result;
            return answer;
        };
    }
};

ValueRecord doubleRecord(double v) {
    ValueRecord r;
    r.setDouble(v);
    return r;
}

TEST(CustomFunction, ValuesArriveAsValuesWithFlagsZero) {
    Sheet sheet;
    Calls calls;
    ASSERT_TRUE(sheet.SSAddCustomFunctionExt("PROBE", 0, 10, calls.recorder(1, doubleRecord(1)), kFunctionValues));
    sheet.setData(1, 1, "2.5");
    sheet.setData(1, 2, "text");
    ASSERT_TRUE(sheet.setFormula(1, 4, "1/0"));
    ASSERT_TRUE(sheet.setFormula(2, 1, "PROBE(A1,A2,A3,A4,A1:A2,7,\"s\",TRUE,,A1:A1)"));
    ASSERT_EQ(calls.seen.size(), 1u);
    const auto& args = calls.seen[0];
    ASSERT_EQ(args.size(), 10u);
    EXPECT_EQ(args[0].status, kStatusValid);
    EXPECT_EQ(args[0].type, kValueDouble);
    EXPECT_EQ(args[0].doubleValue, 2.5);
    EXPECT_EQ(args[1].type, kValueText);
    EXPECT_EQ(args[1].text, "text");
    EXPECT_EQ(args[2].status, kStatusEmpty);    // an empty cell
    EXPECT_EQ(args[3].status, kStatusUnreadable); // an error value
    EXPECT_EQ(args[4].status, kStatusUnreadable); // a block is no value
    EXPECT_EQ(args[5].type, kValueDouble);
    EXPECT_EQ(args[5].doubleValue, 7.0);
    EXPECT_EQ(args[6].text, "s");
    EXPECT_EQ(args[7].type, kValueLong);
    EXPECT_EQ(args[7].longValue, 1);
    EXPECT_EQ(args[8].status, kStatusEmpty); // an omitted argument
    EXPECT_EQ(args[9].type, kValueDouble);   // a one-cell block is that cell
}

TEST(CustomFunction, ReferencesArriveAsCellsAndRangesWithFlagsOne) {
    Sheet sheet;
    Calls calls;
    ASSERT_TRUE(sheet.SSAddCustomFunctionExt("REFS", 1, 4, calls.recorder(1, doubleRecord(0)), kFunctionReferences));
    ASSERT_TRUE(sheet.setFormula(5, 5, "REFS(B3,A1:C2,\"x\",D4:D4)"));
    ASSERT_EQ(calls.seen.size(), 1u);
    const auto& args = calls.seen[0];
    EXPECT_EQ(args[0].type, kValueCell);
    EXPECT_EQ(args[0].col, 2);
    EXPECT_EQ(args[0].row, 3);
    EXPECT_EQ(args[1].type, kValueRange);
    EXPECT_EQ(args[1].status, kStatusValid);
    EXPECT_EQ((std::vector<int>{args[1].col, args[1].row, args[1].col2, args[1].row2}), (std::vector<int>{1, 1, 3, 2}));
    EXPECT_EQ(args[2].type, kValueText);
    EXPECT_EQ(args[3].type, kValueCell);
}

TEST(CustomFunction, ResultsAndFailures) {
    Sheet sheet;
    ValueRecord text;
    text.setText("M20");
    ValueRecord whole;
    whole.setLong(42);
    ValueRecord cell;
    cell.setCell(1, 1);
    ValueRecord range;
    range.setRange(1, 1, 2, 2);
    ValueRecord unreadable;
    unreadable.status = kStatusUnreadable;
    Calls calls;
    sheet.SSAddCustomFunctionExt("TEXTF", 0, 0, calls.recorder(1, text));
    sheet.SSAddCustomFunctionExt("LONGF", 0, 0, calls.recorder(1, whole));
    sheet.SSAddCustomFunctionExt("CELLF", 0, 0, calls.recorder(1, cell));
    sheet.SSAddCustomFunctionExt("RANGEF", 0, 0, calls.recorder(1, range));
    sheet.SSAddCustomFunctionExt("EMPTYF", 0, 0, calls.recorder(1, ValueRecord()));
    sheet.SSAddCustomFunctionExt("BADF", 0, 0, calls.recorder(1, unreadable));
    sheet.SSAddCustomFunctionExt("FAILF", 0, 0, calls.recorder(0, whole));
    sheet.SSAddCustomFunctionExt("TWO", 2, 2, calls.recorder(1, whole));
    sheet.setData(1, 1, "cell value");
    EXPECT_EQ(eval(sheet, "=TEXTF()&\"!\""), "M20!");
    EXPECT_EQ(eval(sheet, "=LONGF()+1"), "43");
    EXPECT_EQ(eval(sheet, "=CELLF()"), "cell value");
    EXPECT_EQ(eval(sheet, "=RANGEF()"), "#VALUE!");
    EXPECT_EQ(eval(sheet, "=EMPTYF()"), "");
    EXPECT_EQ(eval(sheet, "=EMPTYF()+1"), "1");
    EXPECT_EQ(eval(sheet, "=BADF()"), "#VALUE!");
    EXPECT_EQ(eval(sheet, "=FAILF()"), "#VALUE!");
    EXPECT_EQ(eval(sheet, "=IFERROR(FAILF(),\"failed\")"), "failed");
    const std::size_t before = calls.seen.size();
    EXPECT_EQ(eval(sheet, "=TWO(1)"), "#VALUE!"); // wrong count: not called
    EXPECT_EQ(calls.seen.size(), before);
    EXPECT_EQ(eval(sheet, "=TWO(1,2)"), "42");
    // A function that throws has failed.
    sheet.SSAddCustomFunctionExt("THROWS", 0, 0, [](ValueRecord&, const ValueRecord*, int) -> long { throw 1; });
    EXPECT_EQ(eval(sheet, "=THROWS()"), "#VALUE!");
}

TEST(CustomFunction, RegistrationRules) {
    Sheet sheet;
    Calls calls;
    EXPECT_FALSE(sheet.SSAddCustomFunctionExt("SUM", 0, 1, calls.recorder(1, ValueRecord())));
    EXPECT_FALSE(sheet.SSAddCustomFunctionExt("1ABC", 0, 1, calls.recorder(1, ValueRecord())));
    EXPECT_FALSE(sheet.SSAddCustomFunctionExt("OK", 2, 1, calls.recorder(1, ValueRecord())));
    EXPECT_FALSE(sheet.SSAddCustomFunctionExt("OK", 0, 1, nullptr));
    EXPECT_FALSE(sheet.SSAddCustomFunctionExt("OK", 0, 1, calls.recorder(1, ValueRecord()), 2));
    // A formula set before its function is registered shows #NAME? and updates on registration.
    ASSERT_TRUE(sheet.setFormula(1, 1, "roundto(7,5)"));
    EXPECT_EQ(valueOf(sheet, 1, 1), "#NAME?");
    EXPECT_EQ(formulaOf(sheet, 1, 1), "ROUNDTO(7,5)");
    ASSERT_TRUE(sheet.SSAddCustomFunctionExt("RoundTo", 2, 2, [](ValueRecord& out, const ValueRecord* args, int) -> long {
        out.setDouble(std::round(args[0].doubleValue / args[1].doubleValue) * args[1].doubleValue);
        return 1;
    }));
    EXPECT_EQ(valueOf(sheet, 1, 1), "5");
    EXPECT_TRUE(sheet.hasCustomFunction("ROUNDTO"));
    ASSERT_TRUE(sheet.removeCustomFunction("roundto"));
    EXPECT_EQ(valueOf(sheet, 1, 1), "#NAME?");
}

TEST(CustomFunction, FunctionsMayReadAndWriteTheirSheet) {
    Sheet sheet;
    sheet.setData(1, 1, "source");
    // Like a lookup that copies a text into a cell of the calling sheet and answers no value.
    ASSERT_TRUE(sheet.SSAddCustomFunctionExt("COPYTO", 1, 1, [](ValueRecord& out, const ValueRecord* args, int) -> long {
        Sheet* calling = Sheet::evaluatingSheet();
        if (!calling || args[0].type != kValueCell) return 0;
        Zrk_String text;
        calling->getData(1, 1, text);
        calling->setData(args[0].col, args[0].row, text + " copied");
        out.setEmpty();
        return 1;
    }, kFunctionReferences));
    ASSERT_TRUE(sheet.setFormula(2, 1, "C1&\"\""));
    ASSERT_TRUE(sheet.setFormula(2, 2, "COPYTO(C1)"));
    EXPECT_EQ(valueOf(sheet, 3, 1), "source copied");
    EXPECT_EQ(valueOf(sheet, 2, 1), "source copied"); // recalculated after the evaluation
    EXPECT_EQ(valueOf(sheet, 2, 2), "");
    EXPECT_EQ(Sheet::evaluatingSheet(), nullptr);
    // Structure changes are refused while a function runs.
    bool insertRefused = false;
    ASSERT_TRUE(sheet.SSAddCustomFunctionExt("MEDDLE", 0, 0, [&](ValueRecord& out, const ValueRecord*, int) -> long {
        Sheet* calling = Sheet::evaluatingSheet();
        insertRefused = !calling->insertRows(1) && !calling->SSReset();
        // Overwriting the cell being evaluated is safe: the result goes nowhere.
        calling->setData(4, 1, "overwritten");
        out.setLong(1);
        return 1;
    }));
    ASSERT_TRUE(sheet.setFormula(4, 1, "MEDDLE()"));
    EXPECT_TRUE(insertRefused);
    EXPECT_EQ(valueOf(sheet, 4, 1), "overwritten");
}

TEST(CustomFunction, FunctionsThatKeepWritingEnd) {
    // Each call writes a new value into a cell that the calling formula reads: every write wakes the
    // formula again. The rounds are bounded and the stack stays flat.
    Sheet sheet;
    int calls = 0;
    ASSERT_TRUE(sheet.SSAddCustomFunctionExt("TICK", 1, 1, [&](ValueRecord& out, const ValueRecord* args, int) -> long {
        ++calls;
        Sheet::evaluatingSheet()->setData(args[0].col, args[0].row, std::to_string(calls));
        out.setLong(calls);
        return 1;
    }, kFunctionReferences));
    ASSERT_TRUE(sheet.setFormula(1, 1, "TICK(B1)"));
    EXPECT_GT(calls, 1);
    EXPECT_LE(calls, 100);
    sheet.setData(3, 3, "still usable");
    EXPECT_EQ(valueOf(sheet, 3, 3), "still usable");
}

TEST(CustomFunction, NestingIsBounded) {
    Sheet sheet;
    // A function that recalculates its own cell would never end; nesting stops it with #VALUE!.
    int calls = 0;
    ASSERT_TRUE(sheet.SSAddCustomFunctionExt("AGAIN", 0, 0, [&](ValueRecord& out, const ValueRecord*, int) -> long {
        ++calls;
        Sheet::evaluatingSheet()->SSReCalcCell(1, 1);
        out.setLong(calls);
        return 1;
    }));
    ASSERT_TRUE(sheet.setFormula(1, 1, "AGAIN()"));
    EXPECT_LE(calls, kMaxEvaluationNesting + 1);
    EXPECT_GT(calls, 1);
}

} // namespace
} // namespace spreadlib::test
