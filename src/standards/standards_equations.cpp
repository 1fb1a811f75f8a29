// The equation area of a standards sheet and its child calls: functions registered, duplicate names
// dropped, each equation turned into a formula over the variables' cells, general variables
// substituted, child sheets run on another host dialog of the pool.

#include <filesystem>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/files.h"
#include "core/text.h"
#include "spreadlib/cell_key.h"
#include "spreadlib/sheet.h"
#include "standards/evaluation_chain.h"
#include "standards/evaluation_trace.h"
#include "standards/host_dialogs.h"
#include "standards/library_files.h"
#include "standards/mapping_file.h"
#include "standards/replace_words.h"
#include "standards/standards_data.h"
#include "standards/standards_functions.h"
#include "standards/standards_report.h"
#include "standards/standards_sheet.h"
#include "standards/standards_timers.h"
#include "standards/value_type.h"

namespace {

using standards::kFail;
// The engine's own function, handled here rather than by the spreadsheet library.
constexpr const char* kCallChild = "CallChild";

bool sameFile(const Zrk_String& a, const Zrk_String& b) {
    if (a == b) return true;
    std::error_code error;
    return std::filesystem::equivalent(core::osPath(a), core::osPath(b), error) && !error;
}

Zrk_String joinLines(const Zrk_StringArray& lines) { return arrToStr(lines, '\n'); }

// Where the error value an equation gave arose, when it arose in the equation itself: the first
// failing call the spreadsheet found, with the reason a standards function gave for it (else what
// the error means).
void traceErrorOrigin(spreadlib::Sheet& sheet, int column, int row, const Zrk_String& result,
                      standards::EquationTrace& trace) {
    const spreadlib::ErrorCode error = spreadlib::errorFromText(result);
    spreadlib::ErrorOrigin origin;
    if (error == spreadlib::ErrorCode::None || !sheet.getErrorOrigin(column, row, origin)) return;
    standards::FailedCall call;
    call.function = origin.operation;
    call.arguments = origin.arguments;
    for (const standards::FailedCall& failed : trace.failedCalls)
        if (failed.function == origin.operation) {
            call.reason = failed.reason;
            break;
        }
    if (call.reason.empty())
        call.reason = Zrk_String(spreadlib::errorText(origin.error)) + ": " + spreadlib::errorMeaning(origin.error);
    trace.hasErrorOrigin = true;
    trace.errorOrigin = std::move(call);
}

} // namespace

// While the equation area is evaluated the variables do not change, so their names and cells are
// looked up once: the variables by name (the first of a name), and the replacement of every name by
// its cell's name.
struct KvStandardsSheet::CalcIndex {
    CalcIndex(const Zrk_StringArray& names, const Zrk_StringArray& cellNames)
        : replacer(names, cellNames, false) {}
    std::unordered_map<Zrk_String, int> byName;
    standards::WordReplacer replacer;
};

// What the equation area of one file comes to, kept from one evaluation of the file to the next: the
// same file declares the same variables in the same cells and holds the same equations, which are
// turned into the same formulas. Checked, not trusted: the variables are compared with those the
// evaluation declared (general variables or an edited file may change them, and the plan starts
// again), and an equation cell's translation is used only while the cell holds the same text.
struct KvStandardsSheet::EquationPlan {
    struct Variable {
        Zrk_String name;
        int col = 0;
        int row = 0;
        bool operator==(const Variable&) const = default;
    };
    struct Equation {
        Zrk_String text; // the cell's text the rest was made from
        Zrk_String name; // before "=", or empty
        Zrk_String expression;
        int variable = -1;
        bool callsChild = false;
        bool translated = false;
        Zrk_String formula;    // the expression with the variables' cell names, once translated
        std::vector<int> reads; // the variables it names, by index
    };

    bool declares(const KvVarCells& cells) const {
        if (variables.size() != static_cast<std::size_t>(cells.length())) return false;
        for (std::size_t i = 0; i < variables.size(); ++i) {
            const KvVarCell& cell = cells.cells[static_cast<int>(i)];
            if (variables[i].col != cell.col || variables[i].row != cell.row || variables[i].name != cell.name)
                return false;
        }
        return true;
    }

    std::vector<Variable> variables;
    std::unique_ptr<CalcIndex> index;
    std::unordered_map<std::uint64_t, Equation> equations; // by cell key
    int users = 0; // evaluations of the file running (a child may call its caller's caller)
};

// The plans of the files evaluated so far, by path. The engine runs on one thread; each thread keeps
// its own. A whole library of standards holds a few hundred files at most: past that, the plans that
// are not in use start again rather than grow (a plan in use belongs to a sheet whose equation area
// is running further up a chain of child calls).
KvStandardsSheet::EquationPlan& KvStandardsSheet::planOf(const Zrk_String& path) {
    constexpr std::size_t kMaxPlans = 512;
    thread_local std::unordered_map<Zrk_String, std::unique_ptr<EquationPlan>> plans;
    auto found = plans.find(path);
    if (found != plans.end()) return *found->second;
    if (plans.size() >= kMaxPlans)
        std::erase_if(plans, [](const auto& entry) { return entry.second->users == 0; });
    return *plans.emplace(path, std::make_unique<EquationPlan>()).first->second;
}

KvStandardsSheet::KvStandardsSheet() = default;
KvStandardsSheet::~KvStandardsSheet() = default;

// --- calculate ------------------------------------------------------------------------------------

Acad::ErrorStatus KvStandardsSheet::registerFunctions() {
    bool all = true;
    for (const standards::StandardsFunction& function : standards::standardsFunctions())
        all = registerFunction(function.name, function.minArgs, function.maxArgs, function.callback, 0) && all;
    return all ? Acad::eOk : kFail;
}

Acad::ErrorStatus KvStandardsSheet::calculate() {
    {
        const Zrk_FunctionTimer timer(gRegisterFuntions);
        registerFunctions();
    }
    dropDuplicates();

    // A traced evaluation keeps the variables as they are before the first equation, and asks the
    // spreadsheet where error values arise.
    const bool recording = standards::tracing();
    if (standards::SheetTrace* trace = standards::currentSheetTrace()) {
        trace->variables.removeAll();
        for (const KvVarCell& cell : varCells.cells)
            trace->variables.append(standards::TracedVariable{cell.name, cell.role, cell.valueType, cell.col, cell.row,
                                                              cell.value, cell.value});
    }

    const Zrk_FunctionTimer timer(gCalcCells);
    const int calcRow = findSections().calc;
    if (calcRow == 0) {
        standards::setFailure("The standards spreadsheet " + filePath + " has no \"Calc\" section.");
        return kFail;
    }
    int lastColumn = 0, lastRow = 0;
    contentBounds(lastColumn, lastRow);

    // A plan in use by an evaluation further up stays as it is: one that declares other variables
    // gets a plan of its own for this run.
    std::unique_ptr<EquationPlan> ownPlan;
    EquationPlan* shared = &planOf(filePath);
    if (shared->users > 0 && !shared->declares(varCells)) {
        ownPlan = std::make_unique<EquationPlan>();
        shared = ownPlan.get();
    }
    EquationPlan& plan = *shared;
    if (!plan.index || !plan.declares(varCells)) {
        // The names and their cells' names are collected once for the whole area (each equation
        // would collect the same), under the timers of those steps.
        Zrk_StringArray names;
        {
            const Zrk_FunctionTimer namesTimer(gCalcCellGetVarNames);
            names.setPhysicalLength(varCells.length());
            for (const KvVarCell& cell : varCells.cells)
                names.append(cell.name);
        }
        Zrk_StringArray cellNames;
        {
            const Zrk_FunctionTimer coordsTimer(gCalcCellGetVarCoords);
            cellNames.setPhysicalLength(varCells.length());
            for (const KvVarCell& cell : varCells.cells) {
                const Zrk_FunctionTimer nameTimer(gCalcCellGetVarCoordName);
                cellNames.append(getAlfabet(cell.col) + intToStr(cell.row));
            }
        }
        plan.variables.clear();
        for (const KvVarCell& cell : varCells.cells)
            plan.variables.push_back(EquationPlan::Variable{cell.name, cell.col, cell.row});
        plan.index = std::make_unique<CalcIndex>(names, cellNames);
        for (int i = 0; i < names.length(); ++i) plan.index->byName.emplace(names[i], i);
        plan.equations.clear();
    }
    plan_ = &plan;
    calcIndex_ = plan.index.get();
    ++plan.users;

    sheet().setErrorTracing(recording);
    for (int row = calcRow + 1; row <= lastRow; ++row)
        for (int column = 1; column <= lastColumn; ++column) calcCell(column, row);
    sheet().setErrorTracing(false);
    --plan.users;
    plan_ = nullptr;
    calcIndex_ = nullptr;
    return Acad::eOk;
}

void KvStandardsSheet::dropDuplicates() {
    const Zrk_FunctionTimer timer(gFindDuplicates);
    std::unordered_set<std::string_view> seen;
    seen.reserve(static_cast<std::size_t>(varCells.length()) * 2);
    bool duplicated = false;
    for (const KvVarCell& cell : varCells.cells)
        duplicated = !seen.insert(cell.name).second || duplicated;
    if (duplicated) {
        Zrk_StringArray names, duplicates;
        for (const KvVarCell& cell : varCells.cells)
            names.append(cell.name);
        getDuplicates(names, duplicates);
        standards::showStandardsMessage("There were duplicate variable names found in the standards file " +
                                            filePath +
                                            ".\nThe duplicates will be ignored. Please correct this file.\n" +
                                            "Duplicate variable names:\n\n" + joinLines(duplicates),
                                        "Variable names must be unique", this);
        standards::noteProblem(standards::ProblemKind::Note,
                               filePath + ": duplicate variable names (the first of each counts): " +
                                   arrToStr(duplicates, ',') + ".");
        // Each name keeps its first variable.
        for (int i = varCells.length() - 1; i >= 0; --i) {
            int first = -1;
            if (varCells.findVarCell(varCells[i].name, first) == Acad::eOk && first < i) varCells.removeAt(i);
        }
    }
}

int KvStandardsSheet::findVariable(const Zrk_String& name) const {
    if (calcIndex_) {
        const auto found = calcIndex_->byName.find(name);
        return found == calcIndex_->byName.end() ? -1 : found->second;
    }
    int index = -1;
    return varCells.findVarCell(name, index) == Acad::eOk ? index : -1;
}

// --- one equation -----------------------------------------------------------------------------------

void KvStandardsSheet::reportEquation(const Zrk_String& name, const Zrk_String& expression, int row) {
    standards::reportStandardsError(
        "The following equation failed:\n" + (name.empty() ? Zrk_String() : name + " = ") + expression + "\n" +
        "Spreadsheet : " + filePath + " (line: " + intToStr(row) + ")\n" + "Here's a tip for finding the cause :\n" +
        "If this equation contains variable names, then the translator does not know the value of the variable. "
        "Make sure the variable exists either in input, output, local declarations or among the gen_ variables.");
}

Acad::ErrorStatus KvStandardsSheet::calcCell(int column, int row) {
    Zrk_String text;
    if (!getCellText(column, row, text) || text.empty()) return kFail;
    // Functions the equation calls name it in what they note.
    const standards::EquationPlace place(filePath, column, row);
    const standards::EquationRecording recording(column, row, text);
    standards::EquationTrace* const trace = standards::currentEquationTrace();
    // The engine's own reason, for callers without a person at the screen; the report keeps its text.
    const auto failed = [&](const Zrk_String& reason) {
        if (trace) trace->failure = reason;
        standards::noteFailure(standards::currentEquationPlace() + ": \"" + trimmed(text) + "\" failed: " + reason);
        return kFail;
    };

    // The same cell of the same file held the same text before: what it came to then still holds.
    EquationPlan::Equation scratch;
    EquationPlan::Equation& equation = plan_ ? plan_->equations[spreadlib::cellKey(column, row)] : scratch;
    const bool known = plan_ && equation.text == text && !text.empty();
    if (!known) {
        equation = EquationPlan::Equation();
        equation.text = text;
    }
    Zrk_String name, expression;
    {
        const Zrk_FunctionTimer timer(gCalcCellSplitSymbol);
        if (known) {
            name = equation.name;
            expression = equation.expression;
        } else if (!splitString(text, "=", name, expression, /*trimBlanks=*/true)) {
            name.clear();
            expression = trimmed(text);
        }
    }
    if (trace) trace->target = name;

    int variable = -1;
    if (!name.empty()) {
        const Zrk_FunctionTimer timer(gCalcCellFindVarCell);
        variable = known ? equation.variable : findVariable(name);
    }

    bool callsChild = false;
    {
        const Zrk_FunctionTimer timer(gCalcCellFindFunctions);
        callsChild = known ? equation.callsChild : hasASubstr(expression, kCallChild);
    }
    if (!known) {
        equation.name = name;
        equation.expression = expression;
        equation.variable = variable;
        equation.callsChild = callsChild;
    }
    if (callsChild) {
        const Zrk_FunctionTimer timer(gCalcCellCalcNativeFunctions);
        standards::ChildCallFailure failure;
        if (callChild(expression, kCallChild, &failure) == Acad::eOk) return Acad::eOk;
        if (!failure.reported) reportEquation(name, expression, row);
        return failed(failure.reason);
    }
    if (variable < 0) {
        reportEquation(name, expression, row);
        return failed(name.empty() ? Zrk_String("it is no equation (\"NAME = EXPRESSION\") and no child call.")
                                   : "\"" + name + "\" is no variable of the sheet.");
    }

    KvVarCell& target = varCells[variable];
    {
        const Zrk_FunctionTimer timer(gCalcCellCalcFunctionsPrepare);
        const bool formatted = target.valueType == KvValueType::String
                                   ? setTextCells(column, row)
                                   : setNumberCells(column, row, KvVarCell::kDoubleDecimals);
        if (!formatted) {
            reportEquation(name, expression, row);
            return failed("its cell cannot be formatted for the result.");
        }
        if (known && equation.translated) {
            expression = equation.formula;
            noteReads(equation.reads);
        } else if (calcIndex_) {
            Zrk_FunctionTimer timer(gCalcCellReplaceVariables);
            calcIndex_->replacer.apply(expression, nullptr, &equation.reads);
            noteReads(equation.reads);
            equation.formula = expression;
            equation.translated = true;
        } else if (replaceVariables(expression) != Acad::eOk) {
            reportEquation(name, expression, row);
            return failed("its variables cannot be replaced by their cells.");
        }
    }

    Zrk_String refused;
    if (!sheet().setFormula(column, row, expression, true, &refused)) {
        reportEquation(name, expression, row);
        return failed(refused.empty() ? Zrk_String("the formula is refused.") : refused);
    }
    Zrk_FunctionTimer timer(gCalcCellCalcFunctions);
    Zrk_String result;
    if (!getCellText(column, row, result)) {
        reportEquation(name, expression, row);
        return failed("its result cannot be read.");
    }
    if (trace) traceErrorOrigin(sheet(), column, row, result, *trace);
    if (target.setNewValue(*this, result) != Acad::eOk)
        return failed("the result \"" + result + "\" cannot be stored in the " + valueTypeName(target.valueType) +
                      " variable " + target.name + ".");
    if (trace) {
        trace->assigned = true;
        trace->value = target.value;
    }
    return Acad::eOk;
}

void KvStandardsSheet::noteReads(const std::vector<int>& variables) {
    if (standards::EquationTrace* const trace = standards::currentEquationTrace())
        for (const int index : variables) trace->reads.append(standards::NamedValue{varCells[index].name, varCells[index].value});
}

Acad::ErrorStatus KvStandardsSheet::replaceVariables(Zrk_String& expression) {
    if (calcIndex_) {
        // The names and their cells' names were collected when the equation area began (by the
        // variables' order, so a replaced pair is that variable).
        Zrk_FunctionTimer timer(gCalcCellReplaceVariables);
        std::vector<int> used;
        calcIndex_->replacer.apply(expression, nullptr, standards::currentEquationTrace() ? &used : nullptr);
        noteReads(used);
        return Acad::eOk;
    }
    Zrk_StringArray names;
    {
        const Zrk_FunctionTimer timer(gCalcCellGetVarNames);
        for (const KvVarCell& cell : varCells.cells)
            names.append(cell.name);
    }
    Zrk_StringArray usedNames, cellNames;
    {
        const Zrk_FunctionTimer timer(gCalcCellGetVarCoords);
        for (const Zrk_String& name : names) {
            const Zrk_FunctionTimer nameTimer(gCalcCellGetVarCoordName);
            int index = -1;
            if (varCells.findVarCell(name, index) != Acad::eOk) continue;
            usedNames.append(name);
            cellNames.append(getAlfabet(varCells[index].col) + intToStr(varCells[index].row));
        }
    }

    Zrk_FunctionTimer timer(gCalcCellReplaceVariables);
    standards::replaceWords(expression, usedNames, cellNames, false);
    return Acad::eOk;
}

// --- general variables --------------------------------------------------------------------------------

Acad::ErrorStatus KvStandardsSheet::replaceGenVars() {
    if (genVarNames.isEmpty() || genVarValues.isEmpty()) return Acad::eOk;
    const standards::WordReplacer replacer(genVarNames, genVarValues, /*quote=*/true);
    int lastColumn = 0, lastRow = 0;
    contentBounds(lastColumn, lastRow);
    // A traced evaluation remembers each changed cell as it was and the variables that changed it.
    const bool recording = standards::tracing();
    std::vector<int> used;
    Zrk_String text, before;
    Zrk_StringArray tooLong;
    for (int column = 1; column <= lastColumn; ++column) {
        for (int row = 1; row <= lastRow; ++row) {
            if (!getCellText(column, row, text) || text.empty()) continue;
            if (recording) before = text;
            bool overflow = false;
            if (replacer.apply(text, &overflow, recording ? &used : nullptr)) {
                if (recording) {
                    Zrk_Array<standards::NamedValue> variables;
                    for (const int index : used) variables.append(standards::NamedValue{genVarNames[index], genVarValues[index]});
                    standards::noteSubstitution(column, row, before, std::move(variables));
                }
                setCellText(column, row, text);
            } else if (overflow) {
                tooLong.append(getAlfabet(column) + intToStr(row));
            }
        }
    }
    // Values that name other general variables can make a text grow with every substitution; such
    // cells keep their text, and their equations fail and are reported as usual.
    if (!tooLong.isEmpty()) {
        standards::noteProblem(standards::ProblemKind::Note,
                               filePath + ": the general variables could not be substituted in the cells " +
                                   arrToStr(tooLong, ',') + " (the text would grow beyond " +
                                   intToStr(standards::kMaxReplacedTextLength) + " characters).");
        standards::reportStandardsError("The general variables could not be substituted in the cells " +
                                        arrToStr(tooLong, ',') + " of the standards file " + filePath +
                                        ":\nthe text would grow beyond " + intToStr(standards::kMaxReplacedTextLength) +
                                        " characters. Check general variables whose values name other general variables.");
    }
    return Acad::eOk;
}

// --- child calls ---------------------------------------------------------------------------------------

Zrk_String KvStandardsSheet::findChildFile(const Zrk_String& name) const {
    const Zrk_String folder = standards::standardsFolder();
    Zrk_String found;
    return standards::findLibraryFile(
               name, {getPath(filePath), folder, folder + "Childs/", folder + "Data/", folder + "Parents/"},
               found)
               ? found
               : normalizePath(name);
}

Acad::ErrorStatus KvStandardsSheet::callChild(const Zrk_String& expression, const Zrk_String& functionName,
                                              standards::ChildCallFailure* failure) {
    bool reported = false;
    const auto refuse = [&](const Zrk_String& reason) {
        if (failure) {
            failure->reason = reason;
            failure->reported = reported;
        } else {
            standards::setFailure(reason);
        }
        return kFail;
    };
    const std::size_t at = expression.find(functionName);
    if (at == Zrk_String::npos) return refuse("it does not call " + functionName + ".");
    const std::size_t open = expression.find('(', at + functionName.size());
    const std::size_t close = open == Zrk_String::npos ? open : expression.find(')', open);
    if (close == Zrk_String::npos)
        return refuse("expected " + functionName + "(\"FILE\", VARIABLE, ...) with its arguments in parentheses.");

    Zrk_StringArray arguments;
    if (!splitStringAtSymbol(expression.substr(open + 1, close - open - 1), ',', arguments, /*trimBlanks=*/true) ||
        arguments.length() < 2)
        return refuse("a child call passes the child's file and at least one variable.");

    Zrk_String childName = arguments[0];
    if (!childName.empty() && childName.front() == '"') childName.erase(0, 1);
    if (!childName.empty() && childName.back() == '"') childName.pop_back();
    const Zrk_String childPath = findChildFile(childName);
    if (!fileExists(childPath))
        return refuse("there is no child spreadsheet " + childName + " (beside " + filePath +
                      ", nor in the standards folder or its \"Childs\", \"Data\" and \"Parents\" folders).");

    KvDlgStandardsData child;
    for (int i = 1; i < arguments.length(); ++i) {
        const int index = findVariable(arguments[i]);
        if (index < 0) return refuse("\"" + arguments[i] + "\" is no variable of the sheet.");
        KvVarCell passed = varCells[index];
        passed.col = 0;
        passed.row = 0;
        child.varCells.append(passed);
    }
    if (functionName != kCallChild) return refuse(functionName + " is no function of the engine.");
    if (sameFile(childPath, filePath)) return refuse("a spreadsheet cannot call itself as its child.");

    // A child that calls its caller, directly or through others, would nest without end.
    const Zrk_StringArray& chain = standards::evaluationChain();
    if (chain.length() >= standards::kMaxNestingDepth) {
        standards::reportStandardsError("Child spreadsheets are nested more than " +
                                        intToStr(standards::kMaxNestingDepth) + " levels deep: the call of " +
                                        childPath + " is not run.\nSpreadsheet : " + filePath +
                                        "\nThe spreadsheets that called each other:\n" + joinLines(chain));
        reported = true;
        Zrk_String calls;
        for (const Zrk_String& caller : chain) calls += caller + " -> ";
        return refuse("child spreadsheets are nested more than " + intToStr(standards::kMaxNestingDepth) +
                      " levels deep: " + calls + childPath + ".");
    }

    standards::EquationTrace* const trace = standards::currentEquationTrace();
    if (trace) {
        trace->childFile = childPath;
        for (const KvVarCell& passed : child.varCells.cells)
            trace->reads.append(standards::NamedValue{passed.name, passed.value});
    }
    child.mode = KvDlgStandardsData::kEvaluateAsChild;
    child.ssName = childPath;
    child.genVarNames = genVarNames;
    child.genVarValues = genVarValues;
    if (!standards::evaluateOnHostDialog(child)) {
        const Zrk_String reason = standards::lastFailure();
        return refuse("the child " + childPath + " failed" + (reason.empty() ? Zrk_String(".") : ": " + reason));
    }

    for (const KvVarCell& returned : child.varCells.cells) {
        if (!returned.isOutput()) continue;
        const int index = findVariable(returned.name);
        if (index < 0) continue;
        if (varCells[index].setValueFromOther(*this, returned) != Acad::eOk)
            standards::noteFailure(standards::currentEquationPlace() + ": the child's result \"" + returned.value +
                                   "\" cannot be stored in the " + valueTypeName(varCells[index].valueType) +
                                   " variable " + returned.name + ".");
        else if (trace)
            trace->returned.append(standards::NamedValue{returned.name, varCells[index].value});
    }
    return Acad::eOk;
}
