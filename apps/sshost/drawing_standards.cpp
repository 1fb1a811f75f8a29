#include "sshost/drawing_standards.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>
#include <vector>

#include "core/codepage.h"
#include "core/drawing.h"
#include "core/files.h"
#include "core/number_text.h"
#include "core/text.h"
#include "host/document.h"
#include "sshost/macro_standard.h"
#include "standards/evaluation_trace.h"
#include "ui/user_interaction.h"

extern char** environ;

namespace sshost {

namespace {

namespace fs = std::filesystem;

std::string utf8(const Zrk_String& text) {
    return core::toUtf8(text);
}

int fail(const std::string& message) {
    std::cerr << "sshost: " << message << '\n';
    return 1;
}

// One line of text: a reason that ran over several lines keeps its first.
std::string oneLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    std::replace(line.begin(), line.end(), '\t', ' ');
    return line;
}

struct Outcome {
    bool evaluated = false;
    bool changed = false;
    std::string line;
};

// The standards the macro names: (sheet, mapping record) pairs with a mapping record.
std::vector<std::pair<Zrk_String, Zrk_String>> standardsOf(const Zrk_Macro& macro) {
    std::vector<std::pair<Zrk_String, Zrk_String>> standards;
    const TabMappingData& mapping = macro.settings.tabMapping;
    for (int i = 0; i < mapping.ssNames.length() && i < mapping.mappingRefs.length(); ++i)
        if (!mapping.mappingRefs[i].empty())
            standards.emplace_back(mapping.ssNames[i], mapping.mappingRefs[i]);
    return standards;
}

// A number read from the macro and the same number written back with other decimals is no change.
bool changedValue(const standards::TracedVariable& variable) {
    if (variable.given == variable.value) return false;
    if (!isNumeric(variable.valueType)) return true;
    double before = 0.0, after = 0.0;
    return !core::parseNumber(variable.given, before) || !core::parseNumber(variable.value, after) ||
           before != after;
}

// The macro's standards in order, all or nothing: a failure puts the macro back as it was.
Outcome evaluateMacro(host::Document& document, Zrk_DbMacro& macro) {
    Outcome outcome;
    const Zrk_Macro before = *macro.macro();
    const std::string name = utf8(before.name);
    std::vector<std::string> changes;
    for (const auto& [sheet, mappingRef] : standardsOf(before)) {
        MacroStandard standard;
        standard.sheet = sheet;
        standard.key = mappingRef;
        // The macro's own general variables feed the sheets' "gen_" names, as in the macro dialog.
        for (const Zrk_GenVariable& variable : macro.macro()->genVars) {
            standard.genVarNames.append(variable.name);
            standard.genVarValues.append(doubleToStr(variable.value, 8));
        }
        const standards::TraceSession session;
        KvVarCells variables;
        std::ostringstream problems;
        std::string failure;
        if (evaluateMacroStandard(document, macro, standard, variables, problems, failure) != 0) {
            if (!(*macro.macro() == before)) *macro.macroWrite() = before;
            outcome.line = name + ": " + utf8(sheet) + " failed: " + oneLine(failure);
            return outcome;
        }
        if (const std::shared_ptr<const standards::SheetTrace> trace = session.last())
            for (const standards::TracedVariable& variable : trace->variables)
                if (variable.role == KvCellType::Output && changedValue(variable))
                    changes.push_back(utf8(variable.name) + " " + utf8(variable.given) + " -> " +
                                      utf8(variable.value));
    }
    outcome.evaluated = true;
    outcome.changed = !changes.empty();
    outcome.line = name + ": ";
    if (changes.empty()) outcome.line += "no value changed";
    for (std::size_t i = 0; i < changes.size(); ++i)
        outcome.line += (i ? ", " : "") + changes[i];
    return outcome;
}

std::vector<int> macrosWithStandards(core::Drawing& drawing) {
    std::vector<int> indexes;
    for (int i = 0; i < drawing.macroCount(); ++i)
        if (!standardsOf(*drawing.macroAt(i)->macro()).empty()) indexes.push_back(i);
    return indexes;
}

// --- workers ------------------------------------------------------------------------------------

fs::path linesFile(const fs::path& folder, int worker) {
    return folder / ("worker-" + std::to_string(worker) + ".txt");
}
fs::path drawingFile(const fs::path& folder, int worker) {
    return folder / ("worker-" + std::to_string(worker) + ".json");
}
fs::path logFile(const fs::path& folder, int worker) {
    return folder / ("worker-" + std::to_string(worker) + ".log");
}

// A worker: its share of the macros (every N-th, from its number on), each line as
// "INDEX<TAB>ok|changed|failed<TAB>LINE", and a drawing of just those macros as they came out, in the
// same order (a small file to write and read back, where the whole drawing would be many).
int runWorker(const DrawingStandardsOptions& options, host::Document& document) {
    const fs::path folder = core::osPath(core::fromUtf8(options.handBack));
    std::ofstream lines(linesFile(folder, options.worker), std::ios::binary);
    const std::vector<int> indexes = macrosWithStandards(document.database());
    core::Drawing share;
    for (std::size_t k = static_cast<std::size_t>(options.worker); k < indexes.size();
         k += static_cast<std::size_t>(options.workers)) {
        Zrk_DbMacro& macro = *document.database().macroAt(indexes[k]);
        const Outcome outcome = evaluateMacro(document, macro);
        lines << indexes[k] << '\t'
              << (!outcome.evaluated ? "failed"
                  : outcome.changed  ? "changed"
                                     : "ok")
              << '\t' << outcome.line << '\n';
        share.addMacro(*macro.macro());
    }
    lines.flush();
    Zrk_String message;
    if (!lines ||
        !share.writeToFile(core::fromOsPath(drawingFile(folder, options.worker).string()), &message))
        return fail("the worker could not hand back its results" +
                    (message.empty() ? "." : ": " + utf8(message)));
    return 0;
}

struct Worker {
    pid_t pid = -1;
    int status = 0;
    bool started = false;
};

bool startWorker(const DrawingStandardsOptions& options, const fs::path& folder, int number, Worker& worker,
                 std::string& error) {
    char self[4096];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        error = "the program's own file cannot be found to start workers";
        return false;
    }
    self[length] = '\0';
    std::vector<std::string> arguments = {self};
    if (!options.modulePath.empty()) arguments.insert(arguments.end(), {"--module", options.modulePath});
    if (!options.library.empty()) arguments.insert(arguments.end(), {"--library", options.library});
    arguments.insert(arguments.end(),
                     {"standards", "--drawing", options.drawing, "--all", "--worker", std::to_string(number),
                      "--workers", std::to_string(options.jobs), "--hand-back", folder.string()});
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const std::string log = logFile(folder, number).string();
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    const int spawned = posix_spawn(&worker.pid, self, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        error = "a worker process could not be started (" + std::string(std::strerror(spawned)) + ")";
        return false;
    }
    worker.started = true;
    return true;
}

std::string lastLineOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line, last;
    while (std::getline(in, line))
        if (!line.empty()) last = line;
    return last;
}

// A temporary folder that goes with its scope.
struct TemporaryFolder {
    fs::path path;
    explicit TemporaryFolder(const fs::path& base) {
        std::string pattern = (base / "sshost-standards-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
    }
    ~TemporaryFolder() {
        std::error_code error;
        if (!path.empty()) fs::remove_all(path, error);
    }
};

} // namespace

int runDrawingStandards(const DrawingStandardsOptions& options) {
    ui::TerminalMessageBoxes terminal;
    host::Document& document = host::Document::current();
    Zrk_String message;
    if (options.worker >= 0) {
        if (!document.open(core::fromUtf8(options.drawing), message)) return fail(utf8(message));
        return runWorker(options, document);
    }
    DrawingStandardsOptions shared = options;
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    shared.jobs = options.jobs > 0 ? options.jobs : cores;

    // This process takes the first share itself; the other workers start at once, each reading the
    // drawing on its own while this process reads it too.
    const TemporaryFolder folder(fs::temp_directory_path());
    std::vector<Worker> workers(static_cast<std::size_t>(shared.jobs));
    std::string error;
    if (shared.jobs > 1 && folder.path.empty()) error = "no temporary folder for the workers could be made";
    for (int w = 1; w < shared.jobs && error.empty(); ++w)
        startWorker(shared, folder.path, w, workers[static_cast<std::size_t>(w)], error);
    const auto waitForWorkers = [&workers] {
        for (Worker& worker : workers)
            if (worker.started) ::waitpid(worker.pid, &worker.status, 0);
    };
    if (!error.empty() || !document.open(core::fromUtf8(options.drawing), message)) {
        waitForWorkers();
        return fail(error.empty() ? utf8(message) : error + "; nothing was evaluated.");
    }
    core::Drawing& drawing = document.database();
    const std::vector<int> indexes = macrosWithStandards(drawing);
    std::vector<Outcome> outcomes(indexes.size());

    for (std::size_t k = 0; k < indexes.size(); k += static_cast<std::size_t>(shared.jobs))
        outcomes[k] = evaluateMacro(document, *drawing.macroAt(indexes[k]));
    if (shared.jobs > 1) {
        waitForWorkers();
        std::vector<int> shareOf(static_cast<std::size_t>(drawing.macroCount()), -1); // macro index -> k
        for (std::size_t k = 0; k < indexes.size(); ++k)
            shareOf[static_cast<std::size_t>(indexes[k])] = static_cast<int>(k);

        for (int w = 1; w < shared.jobs; ++w) {
            const Worker& worker = workers[static_cast<std::size_t>(w)];
            // What a worker did not hand back counts as failed, with what it last said.
            std::string stopped;
            if (!WIFEXITED(worker.status) || WEXITSTATUS(worker.status) != 0) {
                const std::string said = oneLine(lastLineOf(logFile(folder.path, w)));
                stopped = "its worker stopped" + (said.empty() ? std::string(".") : ": " + said);
            }
            core::Drawing evaluated;
            Zrk_String readMessage;
            if (stopped.empty() &&
                !evaluated.readFromFile(core::fromOsPath(drawingFile(folder.path, w).string()), &readMessage))
                stopped = "its worker's drawing cannot be read: " + oneLine(utf8(readMessage));
            std::ifstream lines(linesFile(folder.path, w), std::ios::binary);
            std::string line;
            std::vector<bool> reported(indexes.size(), false);
            while (stopped.empty() && std::getline(lines, line)) {
                std::istringstream fields(line);
                std::string index, state, text;
                std::getline(fields, index, '\t');
                std::getline(fields, state, '\t');
                std::getline(fields, text);
                const int at = std::atoi(index.c_str());
                if (at < 0 || at >= drawing.macroCount() || shareOf[static_cast<std::size_t>(at)] < 0)
                    continue;
                const std::size_t k = static_cast<std::size_t>(shareOf[static_cast<std::size_t>(at)]);
                if (k % static_cast<std::size_t>(shared.jobs) != static_cast<std::size_t>(w)) continue;
                Outcome& outcome = outcomes[k];
                outcome.line = text;
                outcome.evaluated = state != "failed";
                outcome.changed = state == "changed";
                reported[k] = true;
                Zrk_DbMacro* target = drawing.macroAt(at);
                const Zrk_DbMacro* source =
                    evaluated.macroAt(static_cast<int>(k / static_cast<std::size_t>(shared.jobs)));
                if (!outcome.evaluated) continue;
                if (!source || source->macro()->name != target->macro()->name) {
                    outcome.evaluated = false;
                    outcome.line =
                        utf8(target->macro()->name) + ": failed: its worker handed back another macro.";
                } else if (!(*source->macro() == *target->macro())) {
                    *target->macroWrite() = *source->macro();
                }
            }
            for (std::size_t k = static_cast<std::size_t>(w); k < indexes.size();
                 k += static_cast<std::size_t>(shared.jobs))
                if (!reported[k] || !stopped.empty()) {
                    outcomes[k].evaluated = false;
                    outcomes[k].line =
                        utf8(drawing.macroAt(indexes[k])->macro()->name) + ": failed: " +
                        (stopped.empty() ? std::string("its worker did not report it.") : stopped);
                }
        }
    }

    int changed = 0, failed = 0;
    for (const Outcome& outcome : outcomes) {
        std::cout << outcome.line << '\n';
        changed += outcome.changed && outcome.evaluated ? 1 : 0;
        failed += outcome.evaluated ? 0 : 1;
    }
    std::cout << indexes.size() << " macros with standards in " << options.drawing << ": " << changed
              << " changed, " << static_cast<int>(indexes.size()) - changed - failed << " unchanged, "
              << failed << " failed (" << shared.jobs << (shared.jobs == 1 ? " job" : " jobs") << ").\n";
    if (options.save && changed > 0) {
        if (!document.save(message)) return fail(utf8(message));
        std::cout << "Saved " << utf8(document.path())
                  << (failed ? " (the failed macros as they were).\n" : ".\n");
    } else if (changed > 0) {
        std::cout << "The drawing has changed; --save writes it back.\n";
    }
    return failed ? 1 : 0;
}

} // namespace sshost
