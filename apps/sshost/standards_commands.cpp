#include "sshost/standards_commands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "core/codepage.h"
#include "core/macro_data.h"
#include "frame/standards_entry.h"
#include "host/command_line.h"
#include "host/document.h"
#include "host/editor.h"
#include "sshost/drawing_standards.h"
#include "sshost/evaluation_report.h"
#include "sshost/name_value.h"
#include "sshost/progress.h"
#include "sshost/shell.h"
#include "sshost/value_report.h"
#include "standards/evaluation_chain.h"
#include "standards/evaluation_trace.h"
#include "standards/regression_cases.h"
#include "standards/sheet_evaluation.h"
#include "standards/standards_data.h"
#include "standards/standards_timers.h"
#include "ui/user_interaction.h"

namespace sshost {
namespace {

std::string utf8(const Zrk_String& text) { return core::toUtf8(text); }

int fail(const std::string& message) {
    std::cerr << "sshost: " << message << '\n';
    return 1;
}

void printTimers(std::ostream& out, long long runs) {
    int count = 0;
    Zrk_Timer* const* timers = standards::allTimers(count);
    out << "Phase timers (mean per evaluation):\n";
    for (int i = 0; i < count; ++i) {
        if (timers[i]->runs() == 0) continue;
        char line[128];
        std::snprintf(line, sizeof line, "  %-30s %10.1f us\n", timers[i]->name().c_str(),
                      timers[i]->seconds() * 1e6 / static_cast<double>(std::max(runs, 1LL)));
        out << line;
    }
}

// --- evaluate -------------------------------------------------------------------------------------

// What evaluate and standards share: the variables to explain, and whether error values pass.
struct ResultOptions {
    std::vector<std::string> explain;
    bool allowErrors = false;
};

void addResultOptions(CLI::App& command, ResultOptions& options) {
    command.add_option("--explain", options.explain, "print how this Output (or Local) got its value");
    command.add_flag("--allow-errors", options.allowErrors,
                     "exit 0 even when Outputs hold error values (they are still reported)");
}

// Every --explain names a variable of the evaluated sheet; else the message says which does not.
bool checkExplained(const ResultOptions& options, const standards::SheetTrace& trace, std::string& message) {
    for (const std::string& name : options.explain) {
        bool known = false;
        for (const standards::TracedVariable& variable : trace.variables) known = known || utf8(variable.name) == name;
        if (known) continue;
        std::string outputs;
        for (const standards::TracedVariable& variable : trace.variables)
            if (variable.role == KvCellType::Output) outputs += (outputs.empty() ? "" : ", ") + utf8(variable.name);
        message = "--explain: " + utf8(trace.file) + " has no variable \"" + name + "\"" +
                  (outputs.empty() ? "." : "; its Outputs are " + outputs + ".");
        return false;
    }
    return true;
}

void printExplanations(std::ostream& out, const ResultOptions& options, const standards::SheetTrace& trace) {
    for (const std::string& name : options.explain) printExplanation(out, trace, core::fromUtf8(name));
}

struct EvaluateOptions : ResultOptions {
    std::string sheet;
    std::vector<std::string> inputs;
    std::vector<std::string> genVars;
    bool json = false;
    int repeat = 1;
    bool timers = false;
};

int runEvaluate(const EvaluateOptions& options) {
    standards::SheetEvaluation evaluation;
    evaluation.sheet = core::fromUtf8(options.sheet);
    std::string error;
    if (!splitNameValues(options.inputs, "--in", evaluation.inputNames, evaluation.inputValues, error) ||
        !splitNameValues(options.genVars, "--genvar", evaluation.genVarNames, evaluation.genVarValues, error))
        return fail(error);
    // With JSON on standard output, everything else goes to standard error.
    std::ostream& notes = options.json ? std::cerr : std::cout;
    if (options.json)
        host::CommandLine::instance().setSink([](const Zrk_String& text) { std::cerr << utf8(text) << std::flush; });
    ui::TerminalMessageBoxes terminal([&notes](const std::string& text) { notes << text << std::flush; });

    int count = 0;
    Zrk_Timer* const* timers = standards::allTimers(count);
    for (int i = 0; i < count; ++i) timers[i]->reset();
    KvVarCells result;
    Zrk_String failure;
    std::vector<double> milliseconds;
    // The evaluation is traced, so that every error value it ends with can be explained.
    const standards::TraceSession session;
    for (int run = 0; run < options.repeat; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!standards::evaluateSheet(evaluation, result, failure)) {
            reportEvaluationProblems(std::cerr);
            return fail(utf8(failure));
        }
        milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    const std::shared_ptr<const standards::SheetTrace> trace = session.last();
    // Outputs of an evaluation that went wrong on its way are not printed.
    const int status = reportEvaluationProblems(std::cerr);
    const bool errorOutputs = trace && reportErrorValues(std::cerr, *trace);
    if (status != 0) return status;
    std::string message;
    if (trace && !checkExplained(options, *trace, message)) return fail(message);

    if (options.json) {
        nlohmann::ordered_json outputs = nlohmann::ordered_json::object();
        for (const KvVarCell& cell : result.cells)
            if (cell.isOutput()) outputs[utf8(cell.name)] = utf8(cell.value);
        std::cout << nlohmann::ordered_json{{"sheet", utf8(standards::resolveSheetPath(evaluation.sheet))},
                                            {"outputs", outputs}}
                         .dump(2)
                  << '\n';
    } else {
        for (const KvVarCell& cell : result.cells)
            if (cell.isOutput()) std::cout << utf8(cell.name) << '=' << utf8(cell.value) << '\n';
    }
    if (options.repeat > 1) {
        std::vector<double> sorted = milliseconds;
        std::sort(sorted.begin(), sorted.end());
        double total = 0;
        for (double ms : milliseconds) total += ms;
        char line[160];
        std::snprintf(line, sizeof line, "%d evaluations in %.1f ms: median %.3f ms, fastest %.3f ms, slowest %.3f ms\n",
                      options.repeat, total, sorted[sorted.size() / 2], sorted.front(), sorted.back());
        notes << line;
    }
    if (trace) printExplanations(notes, options, *trace);
    if (options.timers) printTimers(notes, options.repeat);
    return errorOutputs && !options.allowErrors ? kExitErrorValues : 0;
}

// --- standards (a macro of a drawing) --------------------------------------------------------------

struct StandardsOptions : ResultOptions {
    std::string drawing;
    std::string macro;
    std::string sheet;
    std::string key;
    std::vector<std::string> genVars;
    bool save = false;
    bool all = false;
    DrawingStandardsOptions whole;
};

int runStandards(const StandardsOptions& options) {
    if (options.all) {
        if (!options.macro.empty() || !options.sheet.empty() || !options.key.empty() ||
            !options.genVars.empty())
            return fail("--all evaluates the standards each macro names: it takes no --macro, --sheet, --key "
                        "or --genvar.");
        DrawingStandardsOptions whole = options.whole;
        whole.drawing = options.drawing;
        whole.save = options.save;
        return runDrawingStandards(whole);
    }
    if (options.sheet.empty())
        return fail("--sheet names the standard to evaluate (or --all evaluates every macro's).");
    ui::TerminalMessageBoxes terminal;
    host::Document& document = host::Document::current();
    Zrk_String message;
    if (!document.open(core::fromUtf8(options.drawing), message)) return fail(utf8(message));
    Zrk_DbMacro* dbMacro = nullptr;
    if (options.macro.empty()) {
        // No macro named: the person picks it in the drawing (on the terminal: by name or id).
        AcDbObjectId picked;
        if (host::Editor::instance().selectObject("Select the macro to evaluate", {core::ObjectKind::Macro},
                                                  picked) != RTNORM)
            return fail("No macro was picked; nothing was evaluated.");
        dbMacro = document.database().findMacro(picked);
    } else {
        dbMacro = document.database().findMacroByName(core::fromUtf8(options.macro));
    }
    if (!dbMacro) {
        std::string names;
        for (int i = 0; i < document.database().macroCount(); ++i)
            names += (i ? ", " : "") + utf8(document.database().macroAt(i)->macro()->name);
        return fail("The drawing " + options.drawing + " has no macro \"" + options.macro + "\"" +
                    (names.empty() ? "." : "; its macros are " + names + "."));
    }

    MacroData macroData;
    macroData.initFromMacro(*dbMacro->macro());
    KvDlgStandardsData data;
    const Zrk_String macroName = dbMacro->macro()->name;
    data.initialize(dbMacro, core::fromUtf8(options.sheet), options.key.empty() ? macroName : core::fromUtf8(options.key),
                    &macroData);
    std::string error;
    if (!splitNameValues(options.genVars, "--genvar", data.genVarNames, data.genVarValues, error)) return fail(error);

    host::TransactionManager& transactions = document.transactionManager();
    data.transaction = transactions.startTransaction();
    const standards::TraceSession session;
    if (!StartDlgStandardsSS(data)) {
        transactions.abortTransaction();
        reportEvaluationProblems(std::cerr);
        const Zrk_String reason = standards::lastFailure();
        return fail(reason.empty() ? "The evaluation of " + options.sheet + " failed." : utf8(reason));
    }
    const std::shared_ptr<const standards::SheetTrace> trace = session.last();
    // An evaluation that went wrong on its way (an Input it could not read, an equation that failed)
    // leaves the macro as it was: its outputs are not to be trusted. So do Outputs that hold error
    // values, unless they are allowed (the macro then keeps its values for those alone).
    const int status = reportEvaluationProblems(std::cerr);
    const bool errorOutputs = trace && reportErrorValues(std::cerr, *trace);
    if (status != 0) {
        transactions.abortTransaction();
        std::cerr << "sshost: the evaluation of " << options.sheet << " for " << utf8(macroName)
                  << " failed; the drawing is left as it was.\n";
        return status;
    }
    std::string unknownName;
    if (trace && !checkExplained(options, *trace, unknownName)) {
        transactions.abortTransaction();
        return fail(unknownName);
    }
    const bool keep = !errorOutputs || options.allowErrors;
    if (keep) {
        // What the engine wrote into the dialog data (bolt data, profile properties, flex states) goes
        // into the macro, as the macro dialog does when it is closed with OK.
        if (!macroData.applyToMacro(*dbMacro->macroWrite())) {
            transactions.abortTransaction();
            return fail("The values of " + options.sheet + " cannot be written into the macro " +
                        utf8(macroName) + ".");
        }
        transactions.endTransaction();
    } else {
        transactions.abortTransaction();
    }

    std::cout << "Macro " << utf8(macroName) << " with " << options.sheet << ":\n";
    for (const KvVarCell& cell : data.varCells.cells)
        std::cout << "  " << roleName(cell.role) << ' ' << valueTypeName(cell.valueType) << ' ' << utf8(cell.name) << " = "
                  << utf8(cell.value) << '\n';
    if (trace) printExplanations(std::cout, options, *trace);
    if (!keep) {
        std::cerr << "sshost: Outputs of " << options.sheet << " for " << utf8(macroName)
                  << " hold error values; the drawing is left as it was (--allow-errors writes the other Outputs).\n";
        return kExitErrorValues;
    }
    if (options.save) {
        if (!document.save(message)) return fail(utf8(message));
        std::cout << "Saved " << utf8(document.path()) << ".\n";
    } else if (document.database().isModified()) {
        std::cout << "The drawing has changed; --save writes it back.\n";
    }
    return 0;
}

// --- test-standard ----------------------------------------------------------------------------------

int runTestStandard(const std::string& file) {
    standards::RegressionReport report;
    Zrk_String error;
    TerminalProgress progress("test-standard", "cases");
    const auto update = [&progress](int done, int total) {
        progress.update(static_cast<std::size_t>(done), static_cast<std::size_t>(total));
    };
    const bool ran = standards::runRegressionCases(core::fromUtf8(file), report, error, update);
    progress.finish();
    if (!ran) return fail(utf8(error));
    for (const Zrk_String& line : report.lines) std::cout << utf8(line) << '\n';
    return report.failed == 0 ? 0 : 1;
}

} // namespace

void addEvaluateCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<EvaluateOptions>();
    CLI::App* command = app.add_subcommand("evaluate", "evaluate a standards spreadsheet and print its outputs");
    command->add_option("sheet", options->sheet, "a .kvs file, or a name in the standards folder")->required();
    command->add_option("--in", options->inputs, "the value of an Input variable (NAME=VALUE)");
    command->add_option("--genvar", options->genVars, "a general variable to substitute (NAME=VALUE)");
    command->add_flag("--json", options->json, "print the outputs as JSON");
    command->add_option("--repeat", options->repeat, "evaluate this many times and print the times")
        ->check(CLI::Range(1, 1000000));
    command->add_flag("--timers", options->timers, "print the engine's phase timers");
    addResultOptions(*command, *options);
    command->callback([&shell, options] { shell.action = [options] { return runEvaluate(*options); }; });
}

void addStandardsCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<StandardsOptions>();
    CLI::App* command = app.add_subcommand("standards", "evaluate a standard for a macro of a drawing");
    command->add_option("--drawing", options->drawing, "the drawing file")->required();
    command->add_option("--macro", options->macro,
                        "the macro's name (without it, the macro is picked in the drawing)");
    command->add_option("--sheet", options->sheet,
                        "the standards spreadsheet (a name in the standards folder, or a path)");
    command->add_option("--key", options->key,
                        "the mapping key, or Module.GROUP to reach a module group by names (default: the macro's name)");
    command->add_option("--genvar", options->genVars, "a general variable to substitute (NAME=VALUE)");
    command->add_flag("--save", options->save, "write the changed drawing back");
    command->add_flag("--all", options->all, "evaluate the standards every macro of the drawing names");
    command->add_option("--jobs", options->whole.jobs, "with --all: worker processes (default: one per core)")
        ->check(CLI::Range(1, 256));
    // How a worker of --all learns its share; no option for people.
    command->add_option("--worker", options->whole.worker)->group("");
    command->add_option("--workers", options->whole.workers)->group("");
    command->add_option("--hand-back", options->whole.handBack)->group("");
    addResultOptions(*command, *options);
    command->callback([&shell, options] {
        options->whole.modulePath = shell.modulePath;
        options->whole.library = shell.library;
        shell.action = [options] { return runStandards(*options); };
    });
}

void addTestStandardCommand(CLI::App& app, Shell& shell) {
    auto file = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand("test-standard", "run the regression cases of a standard");
    command->add_option("file", *file, "the cases file (.cases)")->required();
    command->callback([&shell, file] { shell.action = [file] { return runTestStandard(*file); }; });
}

} // namespace sshost
