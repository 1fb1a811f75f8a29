#include "standards/value_diagnostics.h"

#include <algorithm>
#include <climits>
#include <set>
#include <unordered_map>
#include <vector>

#include "core/text.h"
#include "spreadlib/value.h"

namespace standards {

bool isErrorValue(const Zrk_String& value) {
    return spreadlib::errorFromText(value) != spreadlib::ErrorCode::None;
}

namespace {

// The equations of a trace that set each variable, ascending: an equation assigning it, or a child
// call that handed it back.
class Assignments {
public:
    explicit Assignments(const SheetTrace& trace) {
        for (int i = 0; i < trace.equations.length(); ++i) {
            const EquationTrace& equation = trace.equations[i];
            if (equation.assigned) byName_[equation.target].push_back(i);
            for (const NamedValue& returned : equation.returned)
                byName_[returned.name].push_back(i);
        }
    }
    // The last equation before `before` that set the variable; -1 when none did.
    int last(const Zrk_String& name, int before) const {
        const auto found = byName_.find(name);
        if (found == byName_.end()) return -1;
        const std::vector<int>& list = found->second;
        const auto after = std::lower_bound(list.begin(), list.end(), before);
        return after == list.begin() ? -1 : *(after - 1);
    }

private:
    std::unordered_map<Zrk_String, std::vector<int>> byName_;
};

EquationAt placeOf(const SheetTrace& trace, const EquationTrace& equation) {
    return EquationAt{trace.file, equation.column, equation.row, equation.written};
}

Zrk_String cellName(int column, int row) {
    return getAlfabet(column) + intToStr(row);
}

// The non-local variables of a sheet, in its order: the places a caller's arguments take.
Zrk_StringArray nonLocals(const SheetTrace& trace) {
    Zrk_StringArray names;
    for (const TracedVariable& variable : trace.variables)
        if (variable.role != KvCellType::Local) names.append(variable.name);
    return names;
}

// The way back from an error value to where it arose.
class OriginSearch {
public:
    struct Result {
        ErrorValueDiagnostic::Origin kind = ErrorValueDiagnostic::Origin::Unknown;
        EquationAt origin;
        FailedCall call;
        const SheetTrace* givenIn = nullptr; // the sheet whose variable held the error as given
        Zrk_String givenName;
        Zrk_Array<NamedValue> through;
    };

    // The origin of the error value the equation `at` of the sheet gave the variable.
    Result fromEquation(const SheetTrace& sheet, int at, const Zrk_String& name) {
        Result none;
        if (++steps_ > kMaxSteps) return none;
        const EquationTrace& equation = sheet.equations[at];
        if (equation.child && !equation.returned.isEmpty()) return fromChild(sheet, at, name);

        bool readsError = false;
        for (const NamedValue& read : equation.reads)
            readsError = readsError || isErrorValue(read.value);
        if (equation.hasErrorOrigin && !readsError) return call(sheet, equation);
        // An error read comes first: it arose before this equation ran.
        for (const NamedValue& read : equation.reads) {
            if (!isErrorValue(read.value)) continue;
            Result found = fromVariable(sheet, read.name, at);
            if (found.kind != ErrorValueDiagnostic::Origin::Unknown) return found;
        }
        if (equation.hasErrorOrigin) return call(sheet, equation);
        return none;
    }

    // The origin of the error value the variable held when the equation `before` ran.
    Result fromVariable(const SheetTrace& sheet, const Zrk_String& name, int before) {
        const int at = assignments(sheet).last(name, before);
        if (at < 0) {
            Result given;
            given.kind = ErrorValueDiagnostic::Origin::GivenValue;
            given.givenIn = &sheet;
            given.givenName = name;
            return given;
        }
        const EquationTrace& equation = sheet.equations[at];
        Result found = fromEquation(sheet, at, name);
        found.through.insertAt(
            0, NamedValue{name, sheet.file + ", cell " + cellName(equation.column, equation.row)});
        return found;
    }

private:
    static constexpr int kMaxSteps = 10000;

    Result call(const SheetTrace& sheet, const EquationTrace& equation) {
        Result found;
        found.kind = ErrorValueDiagnostic::Origin::Call;
        found.origin = placeOf(sheet, equation);
        found.call = equation.errorOrigin;
        return found;
    }

    // The child handed the error back: it arose in the child, or came into it from this sheet.
    Result fromChild(const SheetTrace& sheet, int at, const Zrk_String& name) {
        Result none;
        const EquationTrace& equation = sheet.equations[at];
        int position = -1;
        for (int i = 0; i < equation.reads.length() && position < 0; ++i)
            if (equation.reads[i].name == name) position = i;
        const SheetTrace& child = *equation.child;
        const Zrk_StringArray places = nonLocals(child);
        if (position < 0 || !places.isValid(position)) return none;
        Result found = fromVariable(child, places[position], INT_MAX);
        if (found.kind == ErrorValueDiagnostic::Origin::GivenValue && found.givenIn == &child) {
            // The child kept a value it was given: it came from the variable this sheet passed there.
            const int given = places.find(found.givenName);
            if (given < 0 || !equation.reads.isValid(given)) return none;
            Result upstream = fromVariable(sheet, equation.reads[given].name, at);
            found.through.append(upstream.through);
            upstream.through = std::move(found.through);
            return upstream;
        }
        return found;
    }

    const Assignments& assignments(const SheetTrace& sheet) {
        auto found = indexes_.find(&sheet);
        if (found == indexes_.end()) found = indexes_.emplace(&sheet, Assignments(sheet)).first;
        return found->second;
    }

    std::unordered_map<const SheetTrace*, Assignments> indexes_;
    int steps_ = 0;
};

} // namespace

Zrk_Array<ErrorValueDiagnostic> diagnoseErrorValues(const SheetTrace& trace) {
    Zrk_Array<ErrorValueDiagnostic> diagnostics;
    if (!trace.complete) return diagnostics;
    OriginSearch search;
    const Assignments assignments(trace);
    for (const KvCellType role : {KvCellType::Output, KvCellType::Local}) {
        for (const TracedVariable& variable : trace.variables) {
            if (variable.role != role || !isErrorValue(variable.value)) continue;
            ErrorValueDiagnostic diagnostic;
            diagnostic.variable = variable;
            diagnostic.file = trace.file;
            const int at = assignments.last(variable.name, INT_MAX);
            OriginSearch::Result found;
            if (at >= 0) {
                diagnostic.fromEquation = true;
                diagnostic.equation = placeOf(trace, trace.equations[at]);
                found = search.fromEquation(trace, at, variable.name);
            } else {
                found = search.fromVariable(trace, variable.name, INT_MAX);
            }
            diagnostic.kind = found.kind;
            diagnostic.origin = found.origin;
            diagnostic.call = found.call;
            if (found.givenIn) {
                diagnostic.givenFile = found.givenIn->file;
                diagnostic.given.name = found.givenName;
                for (const TracedVariable& candidate : found.givenIn->variables)
                    if (candidate.name == found.givenName) {
                        diagnostic.given = candidate;
                        break;
                    }
            }
            diagnostic.through = found.through;
            diagnostics.append(std::move(diagnostic));
        }
    }
    return diagnostics;
}

bool explainVariable(const SheetTrace& trace, const Zrk_String& name, Explanation& explanation) {
    const TracedVariable* variable = nullptr;
    for (const TracedVariable& candidate : trace.variables)
        if (candidate.name == name) {
            variable = &candidate;
            break;
        }
    if (!variable) return false;
    explanation = Explanation();
    explanation.file = trace.file;
    explanation.variable = *variable;

    const Assignments assignments(trace);
    const auto declared = [&](const Zrk_String& variableName) -> TracedVariable {
        for (const TracedVariable& candidate : trace.variables)
            if (candidate.name == variableName) return candidate;
        TracedVariable unknown;
        unknown.name = variableName;
        return unknown;
    };
    std::set<int> needed;
    std::vector<int> pending;
    const int last = assignments.last(name, INT_MAX);
    if (last >= 0) {
        needed.insert(last);
        pending.push_back(last);
    } else {
        explanation.given.append(*variable);
    }
    while (!pending.empty()) {
        const int at = pending.back();
        pending.pop_back();
        const EquationTrace& equation = trace.equations[at];
        for (const NamedValue& read : equation.reads) {
            // A child call passes the variables it sets too; what they held before is no input of it.
            bool set = false;
            for (const NamedValue& returned : equation.returned)
                set = set || returned.name == read.name;
            if (set) continue;
            const int from = assignments.last(read.name, at);
            if (from >= 0) {
                if (needed.insert(from).second) pending.push_back(from);
                continue;
            }
            bool known = false;
            for (const TracedVariable& given : explanation.given)
                known = known || given.name == read.name;
            if (known) continue;
            TracedVariable given = declared(read.name);
            given.value = read.value; // as it was read
            explanation.given.append(given);
        }
    }
    for (const int at : needed) {
        const EquationTrace& equation = trace.equations[at];
        explanation.equations.append(equation);
        for (const NamedValue& general : equation.generalVariables) {
            bool known = false;
            for (const NamedValue& listed : explanation.generalVariables)
                known = known || listed.name == general.name;
            if (!known) explanation.generalVariables.append(general);
        }
    }
    // The given values in the sheet's order.
    Zrk_Array<TracedVariable> ordered;
    for (const TracedVariable& candidate : trace.variables)
        for (const TracedVariable& given : explanation.given)
            if (given.name == candidate.name) ordered.append(given);
    explanation.given = std::move(ordered);
    return true;
}

} // namespace standards
