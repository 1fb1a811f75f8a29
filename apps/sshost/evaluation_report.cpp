#include "sshost/evaluation_report.h"

#include <ostream>

#include "core/codepage.h"
#include "standards/evaluation_chain.h"

namespace sshost {

int reportEvaluationProblems(std::ostream& err) {
    for (const standards::EvaluationProblem& problem : standards::evaluationProblems())
        err << (problem.kind == standards::ProblemKind::Failure ? "sshost: " : "sshost: note: ")
            << core::toUtf8(problem.text) << '\n';
    err.flush();
    return standards::evaluationHasFailures() ? kExitNotEvaluated : 0;
}

} // namespace sshost
