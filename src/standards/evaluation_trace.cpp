#include "standards/evaluation_trace.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "spreadlib/cell_key.h"

namespace standards {

namespace {

using spreadlib::cellKey;

struct Substitution {
    Zrk_String before;
    Zrk_Array<NamedValue> variables;
};

// One sheet being evaluated: its trace, the cells general variables changed, the running equation.
struct Frame {
    std::shared_ptr<SheetTrace> sheet;
    std::unordered_map<std::uint64_t, Substitution> substitutions;
    int equation = -1;
};

struct State {
    bool active = false;
    std::shared_ptr<const SheetTrace> last;
    std::vector<Frame> frames;
    int recorded = 0;
};

State& state() {
    static State instance;
    return instance;
}

} // namespace

TraceSession::TraceSession() {
    State& s = state();
    if (s.active) return;
    s.active = active_ = true;
    s.last.reset();
    s.frames.clear();
    s.recorded = 0;
}

TraceSession::~TraceSession() {
    if (!active_) return;
    State& s = state();
    s.active = false;
    s.frames.clear();
    s.last.reset();
}

std::shared_ptr<const SheetTrace> TraceSession::last() const {
    return active_ ? state().last : nullptr;
}

bool tracing() {
    return state().active;
}

SheetRecording::SheetRecording(const Zrk_String& file) {
    State& s = state();
    if (!s.active) return;
    active_ = true;
    auto trace = std::make_shared<SheetTrace>();
    trace->file = file;
    if (EquationTrace* calling = currentEquationTrace()) calling->child = trace;
    s.frames.push_back(Frame{std::move(trace), {}, -1});
}

SheetRecording::~SheetRecording() {
    State& s = state();
    if (!active_ || s.frames.empty()) return;
    std::shared_ptr<SheetTrace> trace = std::move(s.frames.back().sheet);
    s.frames.pop_back();
    if (s.frames.empty()) s.last = std::move(trace);
}

SheetTrace* currentSheetTrace() {
    State& s = state();
    return s.active && !s.frames.empty() ? s.frames.back().sheet.get() : nullptr;
}

EquationRecording::EquationRecording(int column, int row, const Zrk_String& text) {
    State& s = state();
    if (!s.active || s.frames.empty()) return;
    Frame& frame = s.frames.back();
    active_ = true;
    previous_ = frame.equation;
    frame.equation = -1;
    if (s.recorded >= kMaxTracedEquations) {
        frame.sheet->truncated = true;
        return;
    }
    ++s.recorded;
    EquationTrace equation;
    equation.column = column;
    equation.row = row;
    equation.written = text;
    const auto substituted = frame.substitutions.find(cellKey(column, row));
    if (substituted != frame.substitutions.end()) {
        equation.written = substituted->second.before;
        equation.generalVariables = substituted->second.variables;
    }
    frame.sheet->equations.append(std::move(equation));
    frame.equation = frame.sheet->equations.length() - 1;
}

EquationRecording::~EquationRecording() {
    State& s = state();
    if (active_ && !s.frames.empty()) s.frames.back().equation = previous_;
}

EquationTrace* currentEquationTrace() {
    State& s = state();
    if (!s.active || s.frames.empty()) return nullptr;
    Frame& frame = s.frames.back();
    return frame.equation < 0 ? nullptr : &frame.sheet->equations[frame.equation];
}

void noteSubstitution(int column, int row, const Zrk_String& before, Zrk_Array<NamedValue> variables) {
    State& s = state();
    if (!s.active || s.frames.empty()) return;
    s.frames.back().substitutions[cellKey(column, row)] = Substitution{before, std::move(variables)};
}

void traceDataRow(const Zrk_String& function, const Zrk_String& file, int line, const Zrk_String& text) {
    if (EquationTrace* equation = currentEquationTrace())
        equation->rows.append(DataRowRead{function, file, line, text});
}

void traceFailedCall(FailedCall call) {
    if (EquationTrace* equation = currentEquationTrace()) equation->failedCalls.append(std::move(call));
}

} // namespace standards
