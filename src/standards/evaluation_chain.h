#pragma once
// The standards sheets being evaluated right now, outermost first: a sheet's child calls run inside
// its evaluation, so the chain is the path of calls that led to the running sheet. It limits how
// deeply children may nest (a child that calls its caller, directly or through others, would
// otherwise nest without end), and names the files when that limit is reached.
//
// Also kept here, for programs that run the engine without a person at the screen (the host shell
// prints them; the engine's message boxes stay as they are):
//   - why the last evaluation failed, in a sentence (the evaluation answered false);
//   - the problems the evaluation met on its way while it went on, as its callers expect. A failure
//     means it could not compute everything it was asked, so its results are partial: an equation
//     or child call that failed, a result that could not be stored, an Input or Output the macro
//     does not have, a mapping that could not be set up. A note explains a result without failing
//     the evaluation: a data file or section table that cannot be used (the look-up answers an
//     error value), duplicate variable names, tolerances that do not add up.
// The outermost evaluation starts with an empty reason and no problems.

#include "core/zrk_string.h"
#include "module/export.h"

namespace standards {

// The most sheets that may be evaluated inside one another: the sheet a caller starts and 15 levels
// of children.
inline constexpr int kMaxNestingDepth = 16;

const Zrk_StringArray& evaluationChain();

// Adds a sheet to the chain for the life of the link.
class ChainLink {
public:
    explicit ChainLink(const Zrk_String& filePath);
    ~ChainLink();
    ChainLink(const ChainLink&) = delete;
    ChainLink& operator=(const ChainLink&) = delete;
};

// The reason the last failing evaluation gave; empty after a success. The outermost evaluation
// starts with an empty reason; each failure sets one.
SS_EXPORT Zrk_String lastFailure();
void setFailure(const Zrk_String& reason);
// Empties the reason and the problems: a new outermost evaluation begins.
void clearFailure();

enum class ProblemKind { Failure, Note };

struct EvaluationProblem {
    ProblemKind kind = ProblemKind::Failure;
    Zrk_String text;
};

// The problems of the evaluation, in the order they were met. At most kMaxProblems are kept (the
// last one then says how many more there were); a problem met again with the same text is kept once.
inline constexpr int kMaxProblems = 100;
SS_EXPORT const Zrk_Array<EvaluationProblem>& evaluationProblems();
// Whether a problem of the evaluation is a failure.
SS_EXPORT bool evaluationHasFailures();
void noteProblem(ProblemKind kind, const Zrk_String& text);
inline void noteFailure(const Zrk_String& text) { noteProblem(ProblemKind::Failure, text); }

// While the equation of a cell is evaluated: the functions it calls name it in their notes. Places
// nest as child sheets do; the innermost one counts. The file path is kept by reference: it must
// outlive the place (the sheet's own path does).
class EquationPlace {
public:
    EquationPlace(const Zrk_String& filePath, int column, int row);
    ~EquationPlace();
    EquationPlace(const EquationPlace&) = delete;
    EquationPlace& operator=(const EquationPlace&) = delete;
};
// "FILE, cell B12" of the innermost equation being evaluated; empty outside equations.
Zrk_String currentEquationPlace();
// The note, prefixed with the place of the running equation when there is one.
void noteAtEquation(const Zrk_String& text);

} // namespace standards
