#include "sshost/drawing_standards.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
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
//
// The macros with standards are cut into chunks (about kChunksPerJob per process), and every process,
// this one included, claims the next chunk from a table all of them map (a counter, and the process
// that claimed each chunk), until none is left: a process that is slower, or shares its core with
// other work, simply takes fewer. A worker hands back each chunk as soon as it is evaluated, in a file
// of its own (its lines, then a drawing of the chunk's macros as they came out), and this process
// merges what is handed back between its own chunks: at the end there is little left to merge.

constexpr std::size_t kChunksPerJob = 16;

// The chunks of a count of macros among a number of processes.
struct Split {
    std::size_t count = 0;
    std::size_t chunkSize = 1;
    std::size_t chunks = 0;

    Split(std::size_t macros, int jobs) : count(macros) {
        const std::size_t capacity = capacityFor(jobs);
        chunkSize = std::max<std::size_t>(1, (count + capacity - 1) / capacity);
        chunks = (count + chunkSize - 1) / chunkSize;
    }
    static std::size_t capacityFor(int jobs) {
        return static_cast<std::size_t>(std::max(1, jobs)) * kChunksPerJob;
    }
    std::size_t begin(std::size_t chunk) const { return chunk * chunkSize; }
    std::size_t end(std::size_t chunk) const { return std::min(count, (chunk + 1) * chunkSize); }
    std::size_t chunkOf(std::size_t k) const { return k / chunkSize; }
};

// The claims table, a small file every process maps: the next chunk to claim, then for each chunk
// the number of the process that claimed it plus one (0: not known, as for a process that stopped
// between taking the chunk and writing its number).
class ChunkClaims {
public:
    ChunkClaims() = default;
    ChunkClaims(const ChunkClaims&) = delete;
    ChunkClaims& operator=(const ChunkClaims&) = delete;
    ~ChunkClaims() {
        if (words_) ::munmap(words_, bytes_);
    }

    static bool create(const fs::path& path, std::size_t capacity) {
        std::ofstream out(path, std::ios::binary);
        const std::vector<char> zeros((capacity + 1) * sizeof(std::int32_t), '\0');
        out.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
        return static_cast<bool>(out.flush());
    }

    bool open(const fs::path& path, std::size_t capacity) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) return false;
        struct stat info {};
        bytes_ = (capacity + 1) * sizeof(std::int32_t);
        if (::fstat(fd, &info) == 0 && static_cast<std::size_t>(info.st_size) == bytes_) {
            void* mapped = ::mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            if (mapped != MAP_FAILED) words_ = static_cast<std::int32_t*>(mapped);
        }
        ::close(fd);
        capacity_ = capacity;
        return words_ != nullptr;
    }

    // The next chunk, taken for process; at or past the count of chunks when none is left.
    std::size_t claim(int process) {
        const std::int32_t chunk = std::atomic_ref<std::int32_t>(words_[0]).fetch_add(1);
        if (chunk >= 0 && static_cast<std::size_t>(chunk) < capacity_)
            std::atomic_ref<std::int32_t>(words_[1 + chunk]).store(process + 1);
        return chunk < 0 ? capacity_ : static_cast<std::size_t>(chunk);
    }
    // The process that claimed the chunk; -1 when not known.
    int owner(std::size_t chunk) const { return std::atomic_ref<std::int32_t>(words_[1 + chunk]).load() - 1; }

private:
    std::int32_t* words_ = nullptr;
    std::size_t bytes_ = 0;
    std::size_t capacity_ = 0;
};

fs::path claimsFile(const fs::path& folder) {
    return folder / "claims";
}
fs::path chunkFile(const fs::path& folder, std::size_t chunk) {
    return folder / ("chunk-" + std::to_string(chunk) + ".txt");
}
fs::path logFile(const fs::path& folder, int worker) {
    return folder / ("worker-" + std::to_string(worker) + ".log");
}

// A line of text in a hand-back line: its backslashes and line breaks escaped.
std::string escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}
std::string unescaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            out += text[i + 1] == 'n' ? '\n' : text[i + 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

const char* stateName(const Outcome& outcome) {
    return !outcome.evaluated ? "failed" : outcome.changed ? "changed" : "ok";
}

// A hand-back: "lines N", then N lines "INDEX<TAB>ok|changed|failed<TAB>LINE", then the drawing of the
// chunk's macros as they came out, in the chunk's order.
struct HandBackLine {
    int index = -1;
    std::string state;
    std::string text;
};

bool parseHandBack(const std::string& bytes, std::vector<HandBackLine>& lines, std::string& drawing) {
    std::size_t at = bytes.find('\n');
    if (bytes.rfind("lines ", 0) != 0 || at == std::string::npos) return false;
    const int count = std::atoi(bytes.c_str() + 6);
    if (count < 0) return false;
    for (int i = 0; i < count; ++i) {
        const std::size_t start = at + 1;
        at = bytes.find('\n', start);
        if (at == std::string::npos) return false;
        const std::string line = bytes.substr(start, at - start);
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos) return false;
        HandBackLine parsed;
        parsed.index = std::atoi(line.c_str());
        parsed.state = line.substr(tab1 + 1, tab2 - tab1 - 1);
        parsed.text = unescaped(line.substr(tab2 + 1));
        lines.push_back(std::move(parsed));
    }
    drawing = bytes.substr(at + 1);
    return true;
}

// For the tests of what a worker's faults do: SS_TEST_WORKER_FAULT makes every worker stop after
// claiming its first chunk ("stop"), hand back a file that is no hand-back ("garbage") or other
// macros than it evaluated ("other"); this process then evaluates its own chunks only after the
// workers have ended, so that the workers' claims come first.
std::string testFault() {
    const char* fault = std::getenv("SS_TEST_WORKER_FAULT");
    return fault ? fault : "";
}

// A worker: claims chunks until none is left, and hands back each.
int runWorker(const DrawingStandardsOptions& options, host::Document& document) {
    const fs::path folder = core::osPath(core::fromUtf8(options.handBack));
    ChunkClaims claims;
    if (!claims.open(claimsFile(folder), Split::capacityFor(options.workers)))
        return fail("the worker cannot share out the work: " + claimsFile(folder).string() +
                    " cannot be opened.");
    const std::vector<int> indexes = macrosWithStandards(document.database());
    const Split split(indexes.size(), options.workers);
    const std::string fault = testFault();
    for (std::size_t chunk = claims.claim(options.worker); chunk < split.chunks;
         chunk = claims.claim(options.worker)) {
        if (fault == "stop") return fail("stopped as SS_TEST_WORKER_FAULT asks.");
        std::string lines = "lines " + std::to_string(split.end(chunk) - split.begin(chunk)) + "\n";
        core::DrawingContent evaluated;
        for (std::size_t k = split.begin(chunk); k < split.end(chunk); ++k) {
            Zrk_DbMacro& macro = *document.database().macroAt(indexes[k]);
            const Outcome outcome = evaluateMacro(document, macro);
            lines +=
                std::to_string(indexes[k]) + '\t' + stateName(outcome) + '\t' + escaped(outcome.line) + '\n';
            const Zrk_DbMacro& handed =
                fault == "other" ? *document.database().macroAt(indexes[(k + 1) % indexes.size()]) : macro;
            evaluated.macros.push_back({handed.objectId().handle(), *handed.macro()});
        }
        Zrk_String message;
        const std::string bytes =
            fault == "garbage" ? std::string("garbage") : lines + core::drawingText(evaluated);
        if (!writeFileAtomically(core::fromOsPath(chunkFile(folder, chunk).string()), bytes, &message))
            return fail("the worker could not hand back its results: " + utf8(message));
    }
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

// What the workers hand back, merged into the drawing and the outcomes chunk by chunk.
class HandBacks {
public:
    HandBacks(core::Drawing& drawing, const std::vector<int>& indexes, const Split& split,
              std::vector<Outcome>& outcomes, const fs::path& folder)
        : drawing_(drawing), indexes_(indexes), split_(split), outcomes_(outcomes), folder_(folder),
          done_(split.chunks, false) {}

    void markDone(std::size_t chunk) { done_[chunk] = true; }

    // Merges the chunks handed back so far. With finished (every worker has ended), a chunk that was
    // not handed back fails, with the reason its worker gives.
    void merge(const ChunkClaims& claims, const std::vector<Worker>& workers, bool finished) {
        for (std::size_t chunk = 0; chunk < split_.chunks; ++chunk) {
            if (done_[chunk]) continue;
            const int owner = claims.owner(chunk);
            if (owner < 0 && !finished) continue;
            const fs::path file = chunkFile(folder_, chunk);
            std::error_code error;
            if (owner > 0 && fs::exists(file, error)) {
                mergeChunk(chunk, file);
                done_[chunk] = true;
            } else if (finished) {
                std::string reason = "its worker stopped before reporting it.";
                if (owner > 0 && static_cast<std::size_t>(owner) < workers.size())
                    reason = stoppedReason(workers[static_cast<std::size_t>(owner)], owner);
                failChunk(chunk, reason);
                done_[chunk] = true;
            }
        }
    }

private:
    std::string stoppedReason(const Worker& worker, int number) const {
        if (WIFEXITED(worker.status) && WEXITSTATUS(worker.status) == 0)
            return "its worker did not report it.";
        const std::string said = oneLine(lastLineOf(logFile(folder_, number)));
        return "its worker stopped" + (said.empty() ? std::string(".") : ": " + said);
    }

    void failChunk(std::size_t chunk, const std::string& reason) {
        for (std::size_t k = split_.begin(chunk); k < split_.end(chunk); ++k)
            failMacro(k, reason);
    }
    void failMacro(std::size_t k, const std::string& reason) {
        outcomes_[k].evaluated = false;
        outcomes_[k].changed = false;
        outcomes_[k].line = utf8(drawing_.macroAt(indexes_[k])->macro()->name) + ": failed: " + reason;
    }

    void mergeChunk(std::size_t chunk, const fs::path& file) {
        const Zrk_String path = core::fromOsPath(file.string());
        std::string bytes, text;
        std::vector<HandBackLine> lines;
        Zrk_String message;
        core::DrawingContent evaluated;
        bool read = readFileBytes(path, bytes, &message);
        if (read && !parseHandBack(bytes, lines, text)) {
            message = path + ": this is not a worker's hand-back";
            read = false;
        }
        if (!read || !core::parseDrawingText(text, path, evaluated, &message)) {
            failChunk(chunk, "its worker's drawing cannot be read" +
                                 (message.empty() ? std::string(".") : ": " + oneLine(utf8(message))));
            return;
        }
        std::vector<bool> reported(split_.end(chunk) - split_.begin(chunk), false);
        for (const HandBackLine& line : lines) {
            // Only the chunk's own macros, each once.
            const auto found = std::lower_bound(
                indexes_.begin() + static_cast<std::ptrdiff_t>(split_.begin(chunk)),
                indexes_.begin() + static_cast<std::ptrdiff_t>(split_.end(chunk)), line.index);
            if (found == indexes_.begin() + static_cast<std::ptrdiff_t>(split_.end(chunk)) ||
                *found != line.index)
                continue;
            const std::size_t k = static_cast<std::size_t>(found - indexes_.begin());
            const std::size_t position = k - split_.begin(chunk);
            if (reported[position]) continue;
            reported[position] = true;
            Outcome& outcome = outcomes_[k];
            outcome.line = line.text;
            outcome.evaluated = line.state != "failed";
            outcome.changed = line.state == "changed";
            if (!outcome.evaluated) continue;
            Zrk_DbMacro* target = drawing_.macroAt(line.index);
            core::DrawingMacroRecord* source =
                position < evaluated.macros.size() ? &evaluated.macros[position] : nullptr;
            if (!source || source->id != target->objectId().handle() ||
                source->macro.name != target->macro()->name)
                failMacro(k, "its worker handed back another macro.");
            else if (!(source->macro == *target->macro()))
                *target->macroWrite() = std::move(source->macro);
        }
        for (std::size_t position = 0; position < reported.size(); ++position)
            if (!reported[position])
                failMacro(split_.begin(chunk) + position, "its worker did not report it.");
    }

    core::Drawing& drawing_;
    const std::vector<int>& indexes_;
    const Split& split_;
    std::vector<Outcome>& outcomes_;
    fs::path folder_;
    std::vector<bool> done_;
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

    // The workers start at once, each reading the drawing on its own while this process reads it too.
    const TemporaryFolder folder(fs::temp_directory_path());
    std::vector<Worker> workers(static_cast<std::size_t>(shared.jobs));
    std::string error;
    ChunkClaims claims;
    if (shared.jobs > 1 && (folder.path.empty() ||
                            !ChunkClaims::create(claimsFile(folder.path), Split::capacityFor(shared.jobs)) ||
                            !claims.open(claimsFile(folder.path), Split::capacityFor(shared.jobs))))
        error = "no temporary folder for the workers could be made";
    for (int w = 1; w < shared.jobs && error.empty(); ++w)
        startWorker(shared, folder.path, w, workers[static_cast<std::size_t>(w)], error);
    const auto waitForWorkers = [&workers] {
        for (Worker& worker : workers)
            if (worker.started && ::waitpid(worker.pid, &worker.status, 0) == worker.pid)
                worker.started = false;
    };
    if (!error.empty() || !document.open(core::fromUtf8(options.drawing), message)) {
        waitForWorkers();
        return fail(error.empty() ? utf8(message) : error + "; nothing was evaluated.");
    }
    core::Drawing& drawing = document.database();
    const std::vector<int> indexes = macrosWithStandards(drawing);
    std::vector<Outcome> outcomes(indexes.size());

    if (shared.jobs == 1) {
        for (std::size_t k = 0; k < indexes.size(); ++k)
            outcomes[k] = evaluateMacro(document, *drawing.macroAt(indexes[k]));
    } else {
        const Split split(indexes.size(), shared.jobs);
        HandBacks handBacks(drawing, indexes, split, outcomes, folder.path);
        if (!testFault().empty()) waitForWorkers();
        for (std::size_t chunk = claims.claim(0); chunk < split.chunks; chunk = claims.claim(0)) {
            for (std::size_t k = split.begin(chunk); k < split.end(chunk); ++k)
                outcomes[k] = evaluateMacro(document, *drawing.macroAt(indexes[k]));
            handBacks.markDone(chunk);
            handBacks.merge(claims, workers, false);
        }
        waitForWorkers();
        handBacks.merge(claims, workers, true);
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
