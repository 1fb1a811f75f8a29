#pragma once
// What the files of the built-in functions share (used by functions*.cpp only; callers use
// functions.h): argument helpers that turn an argument into a number or a text or set the result to
// the error, walks over the cells of references, and the implementations that the table in
// functions.cpp lists.
//
// Every implementation has the signature of Impl: the context, the arguments (references stay
// references until the function reads them), their count, and the result to set.

#include <functional>

#include "spreadlib/functions.h"

namespace spreadlib::fn {

using Impl = void (*)(EvalContext&, Value*, int, Value&);

// Scalar helpers: each answers false after setting the result to the error.
bool numberArg(EvalContext& context, Value& arg, double& number, Value& result);
bool textArg(EvalContext& context, Value& arg, Zrk_String& text, Value& result);
// A number truncated towards zero; beyond 1e15 it is #NUM!.
bool intArg(EvalContext& context, Value& arg, long long& number, Value& result);
bool boolArg(EvalContext& context, Value& arg, bool& value, Value& result);
// The argument at index was written (not omitted, not beyond the count).
bool isGiven(const Value* args, int argCount, int index);
// A text result, #VALUE! beyond the longest text a formula makes.
void setText(Value& result, Zrk_String text);

// A block given as a reference: its corners. False for anything else.
bool blockOf(const Value& v, int& c1, int& r1, int& c2, int& r2);

// Walks the numbers of the arguments as SUM and its kin see them: cells of references count with
// their numbers only (with CellValues::All, as MAXA and MINA see them, logical values count as 1 and 0
// and texts as 0 too); values written as arguments count when they read as numbers (a text that does
// not gives #VALUE!). An error anywhere is the result. Answers false when the result is that error.
enum class CellValues { Numbers, All };
bool forEachNumber(EvalContext& c, Value* args, int n, Value& r, const std::function<void(double)>& add,
                   CellValues cells = CellValues::Numbers);

// Lookup values longer than this are refused, as spreadsheets do (it also bounds wildcard matching).
inline constexpr std::size_t kMaxLookupText = 255;

// Position (0-based) of the value in the cells at (c0 + i*dc, r0 + i*dr), i < count; -1 if none.
// type 0: exact (texts with wildcards); 1: largest not above (ascending data); -1: smallest not below
// (descending data).
long long lookup(EvalContext& c, const Value& wanted, int c0, int r0, int dc, int dr, long long count,
                 int type);

// --- math and statistics (functions_math.cpp) ------------------------------------------------------
void fnMround(EvalContext&, Value*, int, Value&);
void fnEven(EvalContext&, Value*, int, Value&);
void fnOdd(EvalContext&, Value*, int, Value&);
void fnCeilingMath(EvalContext&, Value*, int, Value&);
void fnFloorMath(EvalContext&, Value*, int, Value&);
void fnQuotient(EvalContext&, Value*, int, Value&);
void fnFact(EvalContext&, Value*, int, Value&);
void fnGcd(EvalContext&, Value*, int, Value&);
void fnLcm(EvalContext&, Value*, int, Value&);
void fnSinh(EvalContext&, Value*, int, Value&);
void fnCosh(EvalContext&, Value*, int, Value&);
void fnTanh(EvalContext&, Value*, int, Value&);
void fnAsinh(EvalContext&, Value*, int, Value&);
void fnAcosh(EvalContext&, Value*, int, Value&);
void fnAtanh(EvalContext&, Value*, int, Value&);
void fnSumSq(EvalContext&, Value*, int, Value&);
void fnSumProduct(EvalContext&, Value*, int, Value&);
void fnMaxA(EvalContext&, Value*, int, Value&);
void fnMinA(EvalContext&, Value*, int, Value&);
void fnMedian(EvalContext&, Value*, int, Value&);
void fnStdev(EvalContext&, Value*, int, Value&);
void fnVar(EvalContext&, Value*, int, Value&);
void fnLarge(EvalContext&, Value*, int, Value&);
void fnSmall(EvalContext&, Value*, int, Value&);

// --- conditions over blocks (functions_criteria.cpp) -----------------------------------------------
void fnCountIf(EvalContext&, Value*, int, Value&);
void fnCountIfs(EvalContext&, Value*, int, Value&);
void fnSumIf(EvalContext&, Value*, int, Value&);
void fnSumIfs(EvalContext&, Value*, int, Value&);
void fnAverageIf(EvalContext&, Value*, int, Value&);
void fnCountBlank(EvalContext&, Value*, int, Value&);

// --- text (functions_text.cpp) ----------------------------------------------------------------------
void fnSearch(EvalContext&, Value*, int, Value&);
void fnReplace(EvalContext&, Value*, int, Value&);
void fnExact(EvalContext&, Value*, int, Value&);
void fnChar(EvalContext&, Value*, int, Value&);
void fnCode(EvalContext&, Value*, int, Value&);
void fnTextJoin(EvalContext&, Value*, int, Value&);
void fnN(EvalContext&, Value*, int, Value&);
void fnT(EvalContext&, Value*, int, Value&);

// --- references and lookups (functions_reference.cpp) ----------------------------------------------
void fnRow(EvalContext&, Value*, int, Value&);
void fnColumn(EvalContext&, Value*, int, Value&);
void fnRows(EvalContext&, Value*, int, Value&);
void fnColumns(EvalContext&, Value*, int, Value&);
void fnOffset(EvalContext&, Value*, int, Value&);
void fnAddress(EvalContext&, Value*, int, Value&);
void fnXLookup(EvalContext&, Value*, int, Value&);

// --- logical, information and dates (functions_logical.cpp) --------------------------------------
void fnIsNa(EvalContext&, Value*, int, Value&);
void fnIsErr(EvalContext&, Value*, int, Value&);
void fnIsLogical(EvalContext&, Value*, int, Value&);
void fnNa(EvalContext&, Value*, int, Value&);
void fnIfs(EvalContext&, Value*, int, Value&);
void fnSwitch(EvalContext&, Value*, int, Value&);
void fnDate(EvalContext&, Value*, int, Value&);
void fnToday(EvalContext&, Value*, int, Value&);
void fnNow(EvalContext&, Value*, int, Value&);

} // namespace spreadlib::fn
