#pragma once
// Regression cases of a standards library: inputs and the outputs they must give, run against a
// standard before it is released (docs/regression-cases.md describes the file).
//
//   # The base plate for small columns.
//   standard BasePlate
//   tolerance 0.001
//
//   case HEA 200 column
//   in Column = HEA 200
//   in Thickness = 15
//   genvar gen_Grade = S355
//   out Width = 220
//   out Length = 356
//
//   case An unknown column fails
//   in Column = XYZ 999
//   message The following equation failed
//   fails

#include <functional>

#include "core/zrk_string.h"
#include "module/export.h"

namespace standards {

struct RegressionCase {
    Zrk_String name;
    int line = 0; // where the case begins in its file
    Zrk_StringArray inputNames, inputValues;
    Zrk_StringArray genVarNames, genVarValues;
    Zrk_StringArray outputNames, outputValues; // the outputs expected
    Zrk_StringArray messages;                  // texts that message boxes shown must contain, in order
    bool fails = false;                        // the evaluation itself must fail
};

struct RegressionCases {
    Zrk_String standard;      // the sheet as written in the file (empty: not given)
    double tolerance = 1e-6;  // numbers agree when they differ by at most this much
    Zrk_Array<RegressionCase> cases;
};

// Parses the lines of a cases file (UTF-8). False with a message "file:line: what is wrong" at the
// first line that is not understood; cases is then left as it was.
SS_EXPORT bool parseRegressionCases(const Zrk_StringArray& lines, const Zrk_String& fileName, RegressionCases& cases,
                                    Zrk_String& error);

// Whether an output agrees with its expectation: as numbers within the tolerance when both are
// numbers, else as texts.
SS_EXPORT bool outputMatches(const Zrk_String& actual, const Zrk_String& expected, double tolerance);

struct RegressionReport {
    int passed = 0;
    int failed = 0;
    Zrk_StringArray lines; // what a person reads: one line per case, indented lines for each mismatch
};

// Reads the cases file and runs every case against its standard: the "standard" line (a path
// relative to the cases file's folder, or a name in the standards folder), else the sheet beside the
// cases file with its name and ".kvs", else the standards folder's sheet of that name. Message boxes
// shown during a case are taken by default and compared with its "message" lines: one that no line
// expects is a mismatch. False with a message when the file cannot be read or parsed or names no
// sheet; otherwise true, with the report (failed counts the cases with mismatches).
// progress (when given) hears of each case done: (cases done, all cases).
SS_EXPORT bool runRegressionCases(const Zrk_String& casesFile, RegressionReport& report, Zrk_String& error,
                                  const std::function<void(int done, int total)>& progress = {});

} // namespace standards
