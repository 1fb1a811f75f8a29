#include "sshost/value_report.h"

#include <cctype>
#include <ostream>

#include "core/codepage.h"
#include "core/text.h"
#include "standards/value_diagnostics.h"

namespace sshost {

namespace {

std::string utf8(const Zrk_String& text) {
    return core::toUtf8(text);
}

std::string cellName(int column, int row) {
    return utf8(getAlfabet(column) + intToStr(row));
}

// "cell C11", with the file in front when it is another than the one spoken of.
std::string place(const Zrk_String& file, int column, int row, const Zrk_String& currentFile) {
    return (file == currentFile ? std::string() : utf8(file) + ", ") + "cell " + cellName(column, row);
}

// A call as a formula writes it: a function with its arguments, an operator between its operands.
std::string callText(const standards::FailedCall& call) {
    if (call.function.empty()) return "the error value written in the equation";
    const Zrk_StringArray& args = call.arguments;
    const bool isOperator =
        !(std::isalpha(static_cast<unsigned char>(call.function[0])) || call.function[0] == '_');
    if (isOperator && args.length() == 2) return utf8(args[0] + " " + call.function + " " + args[1]);
    if (isOperator && args.length() == 1)
        return utf8(call.function == "%" ? args[0] + "%" : call.function + args[0]);
    std::string text = utf8(call.function) + "(";
    for (int i = 0; i < args.length(); ++i)
        text += (i ? ", " : "") + utf8(args[i]);
    return text + ")";
}

// "FILE, cell A1" as "cell A1" when FILE is the one spoken of.
std::string inFile(const Zrk_String& place, const Zrk_String& currentFile) {
    const Zrk_String prefix = currentFile + ", ";
    return utf8(place.rfind(prefix, 0) == 0 ? place.substr(prefix.size()) : place);
}

std::string sentence(const Zrk_String& text) {
    return utf8(asSentence(text));
}

std::string namedValues(const Zrk_Array<standards::NamedValue>& values) {
    std::string text;
    for (int i = 0; i < values.length(); ++i)
        text += (i ? ", " : "") + utf8(values[i].name) + " = " +
                (values[i].value.empty() ? "(empty)" : utf8(values[i].value));
    return text;
}

} // namespace

bool reportErrorValues(std::ostream& err, const standards::SheetTrace& trace) {
    bool output = false;
    for (const standards::ErrorValueDiagnostic& found : standards::diagnoseErrorValues(trace)) {
        const standards::TracedVariable& variable = found.variable;
        output = output || variable.role == KvCellType::Output;
        err << "sshost: " << utf8(found.file) << ", cell " << cellName(variable.column, variable.row)
            << ": the " << roleName(variable.role) << ' ' << utf8(variable.name) << " is "
            << utf8(variable.value) << '\n';
        if (found.fromEquation)
            err << "  equation in "
                << place(found.equation.file, found.equation.column, found.equation.row, found.file) << ": "
                << utf8(trimmed(found.equation.written)) << '\n';
        if (!found.through.isEmpty()) {
            err << "  through";
            for (int i = 0; i < found.through.length(); ++i)
                err << (i ? ", " : " ") << utf8(found.through[i].name) << " ("
                    << inFile(found.through[i].value, found.file) << ')';
            err << '\n';
        }
        switch (found.kind) {
        case standards::ErrorValueDiagnostic::Origin::Call:
            err << "  first failing call, in "
                << place(found.origin.file, found.origin.column, found.origin.row, found.file) << " ("
                << utf8(trimmed(found.origin.written)) << "): " << callText(found.call) << ": "
                << sentence(found.call.reason) << '\n';
            break;
        case standards::ErrorValueDiagnostic::Origin::GivenValue:
            err << "  the " << roleName(found.given.role) << ' ' << utf8(found.given.name);
            if (found.givenFile != found.file) err << " of " << utf8(found.givenFile);
            err << " was given the error value " << utf8(found.given.given) << '\n';
            break;
        case standards::ErrorValueDiagnostic::Origin::Unknown:
            err << "  where the error arose was not found (a cell read by its own name rather than a "
                   "variable's?)\n";
            break;
        }
    }
    err.flush();
    return output;
}

void printExplanation(std::ostream& out, const standards::SheetTrace& trace, const Zrk_String& name) {
    standards::Explanation explanation;
    if (!standards::explainVariable(trace, name, explanation)) return;
    const standards::TracedVariable& variable = explanation.variable;
    out << "How " << utf8(variable.name) << " got its value: " << utf8(variable.value) << '\n'
        << "  " << roleName(variable.role) << ' ' << valueTypeName(variable.valueType) << ' '
        << utf8(variable.name) << " of " << utf8(explanation.file) << ", cell "
        << cellName(variable.column, variable.row) << '\n';
    if (!explanation.given.isEmpty()) {
        out << "  given values:\n";
        for (const standards::TracedVariable& given : explanation.given)
            out << "    " << utf8(given.name) << " = "
                << (given.value.empty() ? "(empty)" : utf8(given.value)) << "  (" << roleName(given.role)
                << ", cell " << cellName(given.column, given.row) << ")\n";
    }
    if (!explanation.generalVariables.isEmpty())
        out << "  general variables: " << namedValues(explanation.generalVariables) << '\n';
    if (explanation.equations.isEmpty()) {
        out << "  no equation set it: it kept the value it was given\n";
        return;
    }
    out << "  equations, in the order they ran:\n";
    for (const standards::EquationTrace& equation : explanation.equations) {
        out << "    " << cellName(equation.column, equation.row) << "  " << utf8(trimmed(equation.written))
            << '\n';
        const std::string indent = "        ";
        if (!equation.childFile.empty()) {
            out << indent << "child " << utf8(equation.childFile) << ": in " << namedValues(equation.reads);
            out << "; out "
                << (equation.returned.isEmpty() ? std::string("nothing") : namedValues(equation.returned))
                << '\n';
        } else if (!equation.reads.isEmpty()) {
            out << indent << "with " << namedValues(equation.reads) << '\n';
        }
        for (const standards::DataRowRead& row : equation.rows)
            out << indent << "read " << utf8(row.file)
                << (row.line > 0 ? ", line " + std::to_string(row.line) : "") << ": " << utf8(row.text)
                << " (" << utf8(row.function) << ")\n";
        for (const standards::FailedCall& call : equation.failedCalls)
            out << indent << "failed: " << callText(call) << ": " << sentence(call.reason) << '\n';
        if (equation.hasErrorOrigin && equation.failedCalls.isEmpty())
            out << indent << "error from " << callText(equation.errorOrigin) << ": "
                << sentence(equation.errorOrigin.reason) << '\n';
        if (!equation.failure.empty())
            out << indent << "the equation failed: " << sentence(equation.failure) << '\n';
        else if (equation.assigned)
            out << indent << "-> " << utf8(equation.target) << " = " << utf8(equation.value) << '\n';
    }
}

} // namespace sshost
