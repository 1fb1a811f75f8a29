#pragma once
// Checks of a standards sheet made without evaluating it, so that a faulty standard is found before it
// runs. Each finding names the file, the cell and what is wrong:
//  - a name used in an equation that no section declares (names starting with "gen_" are the
//    caller's general variables, and cell names such as B7 are references: neither is reported);
//  - a function that neither the formula engine nor the standards engine knows;
//  - an Input or Local that no equation reads, an Output that no equation or child call assigns;
//  - a name declared twice (the evaluation keeps the first);
//  - an equation that reads a Local or Output assigned only later in reading order (the evaluation
//    gives it its empty or stale value there);
//  - an equation cell without "=" that calls no child, or that assigns a name declared nowhere;
//  - a data file of GETCELL, GETPROFCELL or the tolerance functions, or a child sheet, that cannot be
//    found (when written as a text in quotes);
//  - child calls that run in a circle;
//  - a variable's name inside a quoted text of an equation, which the evaluation replaces there too;
//  - a sheet that cannot be loaded, or lacks a section.
// Children a sheet calls are checked as well. The findings are values: the caller decides how they
// are shown.

#include <vector>

#include "core/zrk_string.h"
#include "module/export.h"

namespace standards {

struct CheckFinding {
    Zrk_String file; // the standards file
    Zrk_String cell; // "B12"; empty for the sheet as a whole
    Zrk_String text; // what is wrong
};

struct CheckReport {
    std::vector<CheckFinding> findings;
    Zrk_StringArray checked; // the files checked, in order
};

// Checks the sheet (a path, or a name in the standards folder) and the children it calls.
SS_EXPORT void checkStandard(const Zrk_String& sheet, CheckReport& report);
// Checks every ".kvs" below the folder and the children they call. False with a message when the
// folder does not exist.
SS_EXPORT bool checkStandardsFolder(const Zrk_String& folder, CheckReport& report, Zrk_String& error);

} // namespace standards
