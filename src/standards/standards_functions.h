#pragma once
// The twelve spreadsheet functions that the engine adds to every standards sheet it calculates:
// look-ups in table files and section tables, rounding to standard sizes within tolerances, and small
// helpers for texts and numbers. Each is a callback of the spreadsheet library: it receives the result
// record (empty on entry), the argument records and their count, and answers nonzero for success.
//
// Arguments: a number is a valid long or double; a text is a valid text, one leading and one trailing
// double quote removed; an empty argument has the empty status. A number where a text is expected
// (or the other way round) is a type error and the function fails. A function that fails leaves the
// result empty; the sheet shows #VALUE! for it.

#include "core/zrk_string.h"
#include "spreadlib/value_record.h"

namespace standards {

struct StandardsFunction {
    const char* name;
    int minArgs;
    int maxArgs;
    long (*callback)(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
};

// The functions in registration order: ROUNDTO, GETCELL, GETPROFCELL, SECTIONSIZE, GETSYSNAME,
// STDWIDTHWITHTOLERANCE, STDTHICKNESSWITHTOLERANCE, STDSIZEWITHTOLERANCE, GETARRAYITEM, TONUMBER,
// ISNULL, ISPOSITIVE. All are registered with flags 0 (arguments arrive as values).
const Zrk_Array<StandardsFunction>& standardsFunctions();

// The callbacks, for direct calls.
long roundTo(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long getCell(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long getProfCell(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long sectionSize(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long getSysName(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long stdWidthWithTolerance(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long stdThicknessWithTolerance(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long stdSizeWithTolerance(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long getArrayItem(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long toNumber(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long isNull(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);
long isPositive(spreadlib::ValueRecord& result, const spreadlib::ValueRecord* args, int argCount);

} // namespace standards
