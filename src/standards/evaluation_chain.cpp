#include "standards/evaluation_chain.h"

#include <vector>

#include "core/text.h"

namespace standards {

namespace {
Zrk_StringArray& chain() {
    static Zrk_StringArray files;
    return files;
}
Zrk_String& failure() {
    static Zrk_String reason;
    return reason;
}
struct Problems {
    Zrk_Array<EvaluationProblem> list;
    int dropped = 0;
};
Problems& problems() {
    static Problems instance;
    return instance;
}
// The equations being evaluated, innermost last; the text of a place is made only when asked
// (an evaluation passes hundreds of equations and notes a problem at few).
struct Place {
    const Zrk_String* filePath;
    int column;
    int row;
};
std::vector<Place>& places() {
    static std::vector<Place> stack;
    return stack;
}
} // namespace

const Zrk_StringArray& evaluationChain() { return chain(); }

ChainLink::ChainLink(const Zrk_String& filePath) { chain().append(filePath); }
ChainLink::~ChainLink() { chain().removeLast(); }

Zrk_String lastFailure() { return failure(); }
void setFailure(const Zrk_String& reason) { failure() = reason; }
void clearFailure() {
    failure().clear();
    problems().list.removeAll();
    problems().dropped = 0;
}

const Zrk_Array<EvaluationProblem>& evaluationProblems() { return problems().list; }

bool evaluationHasFailures() {
    for (const EvaluationProblem& problem : problems().list)
        if (problem.kind == ProblemKind::Failure) return true;
    return false;
}

void noteProblem(ProblemKind kind, const Zrk_String& text) {
    Problems& all = problems();
    for (EvaluationProblem& known : all.list) {
        if (known.text != text) continue;
        // The same text met again: one entry, a failure when either was one.
        if (kind == ProblemKind::Failure) known.kind = kind;
        return;
    }
    if (all.list.length() < kMaxProblems - 1) {
        all.list.append(EvaluationProblem{kind, text});
        return;
    }
    // The last entry counts what did not fit; a failure among them keeps the list failing.
    ++all.dropped;
    const bool failing = kind == ProblemKind::Failure ||
                         (all.list.length() == kMaxProblems && all.list.last().kind == ProblemKind::Failure);
    const EvaluationProblem summary{failing ? ProblemKind::Failure : ProblemKind::Note,
                                    intToStr(all.dropped) + " further problems are not listed."};
    if (all.list.length() < kMaxProblems) all.list.append(summary);
    else all.list.last() = summary;
}

EquationPlace::EquationPlace(const Zrk_String& filePath, int column, int row) {
    places().push_back(Place{&filePath, column, row});
}
EquationPlace::~EquationPlace() { places().pop_back(); }

Zrk_String currentEquationPlace() {
    if (places().empty()) return Zrk_String();
    const Place& place = places().back();
    return *place.filePath + ", cell " + getAlfabet(place.column) + intToStr(place.row);
}

void noteAtEquation(const Zrk_String& text) {
    const Zrk_String place = currentEquationPlace();
    noteProblem(ProblemKind::Note, place.empty() ? text : place + ": " + text);
}

} // namespace standards
