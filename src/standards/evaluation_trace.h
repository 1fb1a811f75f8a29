#pragma once
// What a standards evaluation did, step by step, for programs that explain its results: every
// equation evaluated with the variables it read and the value it gave, the general variables
// substituted into it, the rows of data files and section tables its functions read, the calls that
// failed and why, and each child called with what went in and came out (the child's own trace nested
// in it). The engine records only while a TraceSession lives; otherwise it does nothing more than
// before.
//
// What a trace answers (value_diagnostics.h): the Outputs and Locals that ended with an error value,
// each with the first failing call it came from, and how one variable got its value.

#include <memory>

#include "core/zrk_string.h"
#include "module/export.h"
#include "standards/value_type.h"

namespace standards {

struct NamedValue {
    Zrk_String name;
    Zrk_String value;
};

// A row a function read: a table file's line, a sizes file's line, a section table's row.
struct DataRowRead {
    Zrk_String function; // "GETCELL", "SECTIONSIZE" ...
    Zrk_String file;     // the file's path
    int line = 0;        // from 1; 0 when no row was taken (a tolerance function that rounded instead)
    Zrk_String text;     // what was read ("20.000000;8.8 -> 245", "200x15", "HEA-200, column 1: 190")
};

// A call that made an error value (or failed) from arguments that held no error.
struct FailedCall {
    Zrk_String function;       // a function, an operator ("/", "&"), or empty: an error value written as such
    Zrk_StringArray arguments; // as a formula writes them ("\"XYZ 1\"", "2")
    Zrk_String reason;         // why, in a sentence without its end
};

struct SheetTrace;

struct EquationTrace {
    int column = 0; // the equation's cell
    int row = 0;
    Zrk_String written;    // the cell's text as the file holds it
    Zrk_String target;     // the variable before "=" (empty: none, or a child call)
    bool assigned = false; // the target received a value
    Zrk_String value;      // the value it received
    Zrk_String failure;    // why the equation failed; empty when it did not
    // The variables it read, with the values they had then (for a child call: those it passed).
    Zrk_Array<NamedValue> reads;
    Zrk_Array<NamedValue> generalVariables; // substituted into the cell before the calculation
    Zrk_Array<DataRowRead> rows;
    Zrk_Array<FailedCall> failedCalls; // standards functions that failed, in call order (with reasons)
    // Where the equation's error value arose when it arose here: the first failing call (with the
    // reason of a standards function, or what the error means).
    bool hasErrorOrigin = false;
    FailedCall errorOrigin;
    // A child call: the child's file, the Outputs of this sheet it set, and the child's own trace
    // (null when the child did not run).
    Zrk_String childFile;
    Zrk_Array<NamedValue> returned;
    std::shared_ptr<const SheetTrace> child;
};

struct TracedVariable {
    Zrk_String name;
    KvCellType role = KvCellType::Input;
    KvValueType valueType = KvValueType::String;
    int column = 0; // the declaring cell
    int row = 0;
    Zrk_String given; // the value before the first equation (an Input's value; a Local's is empty)
    Zrk_String value; // the value at the end
};

struct SheetTrace {
    Zrk_String file;
    Zrk_Array<TracedVariable> variables; // in the sheet's order, duplicates dropped
    Zrk_Array<EquationTrace> equations;  // in the order they were evaluated
    bool complete = false;  // the evaluation ran to its end: the variables hold their final values
    bool truncated = false; // equations beyond kMaxTracedEquations were not recorded
};

// The most equations one session records (children included), so that a trace stays small whatever
// the sheets do.
inline constexpr int kMaxTracedEquations = 100000;

// While a session lives, evaluations are traced. Sessions do not nest: an inner one records nothing.
class SS_EXPORT TraceSession {
public:
    TraceSession();
    ~TraceSession();
    TraceSession(const TraceSession&) = delete;
    TraceSession& operator=(const TraceSession&) = delete;
    // The trace of the last outermost evaluation of the session; null before there is one.
    std::shared_ptr<const SheetTrace> last() const;

private:
    bool active_ = false;
};

// --- recording (the engine) ---------------------------------------------------------------------

bool tracing();

// The sheet being evaluated, for the life of the object: its trace begins (nested into the running
// equation's child call when there is one).
class SheetRecording {
public:
    explicit SheetRecording(const Zrk_String& file);
    ~SheetRecording();
    SheetRecording(const SheetRecording&) = delete;
    SheetRecording& operator=(const SheetRecording&) = delete;

private:
    bool active_ = false;
};
// The trace of the innermost sheet being evaluated; null when not tracing.
SheetTrace* currentSheetTrace();

// The equation being evaluated, for the life of the object (nothing when not tracing).
class EquationRecording {
public:
    EquationRecording(int column, int row, const Zrk_String& text);
    ~EquationRecording();
    EquationRecording(const EquationRecording&) = delete;
    EquationRecording& operator=(const EquationRecording&) = delete;

private:
    bool active_ = false;
    int previous_ = -1; // the equation of the sheet that ran before
};
// The innermost equation being evaluated; null when not tracing (or beyond the limit).
EquationTrace* currentEquationTrace();

// General variables substituted into a cell: its text before, and the variables that changed it.
void noteSubstitution(int column, int row, const Zrk_String& before, Zrk_Array<NamedValue> variables);

void traceDataRow(const Zrk_String& function, const Zrk_String& file, int line, const Zrk_String& text);
void traceFailedCall(FailedCall call);

} // namespace standards
