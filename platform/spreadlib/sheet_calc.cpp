// Sheet: the formula engine. The dependency graph, recalculation in dependency order (without
// recursion: a topological order over the set of cells to compute, with circular references found
// as strongly connected components), the evaluator of the postfix form, and custom functions.
#include <algorithm>
#include <cmath>

#include "core/text.h"
#include "spreadlib/cell_key.h"
#include "spreadlib/functions.h"
#include "spreadlib/number_format.h"
#include "spreadlib/sheet.h"
#include "spreadlib/sheet_internal.h"

namespace spreadlib {

using detail::Cell;
using detail::CellKind;
using detail::Column;
using detail::FormulaCell;

namespace {

// Ranges wider than this many columns are kept in one list instead of one per column.
constexpr int kWideRange = 64;

thread_local Sheet* tCurrentSheet = nullptr;
thread_local int tCustomNesting = 0;

bool isFunctionName(const Zrk_String& name) {
    if (name.empty() || name.size() > 64) return false;
    const char first = name[0];
    if (!((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z') || first == '_')) return false;
    for (const char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.'))
            return false;
    return true;
}

const char* operatorSymbol(Op op) {
    switch (op) {
    case Op::Neg: return "-";
    case Op::Percent: return "%";
    case Op::Add: return "+";
    case Op::Sub: return "-";
    case Op::Mul: return "*";
    case Op::Div: return "/";
    case Op::Pow: return "^";
    case Op::Concat: return "&";
    default: return "?";
    }
}

// The error origins one evaluation of a formula met, in the order they arose (a few are enough to
// find the one of the result's kind).
class OriginLog {
public:
    void add(Zrk_String operation, Zrk_StringArray arguments, ErrorCode error) {
        if (origins_.size() < kKept) origins_.push_back(ErrorOrigin{std::move(operation), std::move(arguments), error});
    }
    bool full() const { return origins_.size() >= kKept; }
    // The first origin of the result's error kind, else the first.
    const ErrorOrigin* forResult(ErrorCode error) const {
        for (const ErrorOrigin& origin : origins_)
            if (origin.error == error) return &origin;
        return origins_.empty() ? nullptr : &origins_.front();
    }

private:
    static constexpr std::size_t kKept = 8;
    std::vector<ErrorOrigin> origins_;
};

} // namespace

// --- function names ---------------------------------------------------------------------------------

class Sheet::Resolver : public FunctionResolver {
public:
    explicit Resolver(Sheet& sheet) : sheet_(sheet) {}
    int functionId(const Zrk_String& name) override {
        const int builtin = findBuiltin(name);
        if (builtin >= 0) return builtin;
        // Functions may be registered after the formulas that call them (a loaded sheet).
        return sheet_.customFunctionId(name, true);
    }
    Zrk_String functionName(int id) const override {
        if (id < kFirstCustomFunctionId) return builtinName(id);
        const std::size_t index = static_cast<std::size_t>(id - kFirstCustomFunctionId);
        return index < sheet_.state_->customs.size() ? sheet_.state_->customs[index].name : Zrk_String("#NAME?");
    }
    void argumentRange(int id, int& minArgs, int& maxArgs) const override {
        if (id < kFirstCustomFunctionId) builtinArguments(id, minArgs, maxArgs);
        else minArgs = maxArgs = -1; // checked at each call: the registration may change
    }

private:
    Sheet& sheet_;
};

Sheet::State::State(Sheet& sheet) : measurer(defaultTextMeasurer()), resolver(std::make_unique<Resolver>(sheet)) {
    stack.reserve(64);
}

Sheet::State::~State() = default;

Sheet::Sheet() : state_(std::make_unique<State>(*this)) {}

Sheet::~Sheet() = default;

const FunctionResolver& Sheet::functionResolver() const { return *state_->resolver; }
FunctionResolver& Sheet::mutableResolver() { return *state_->resolver; }

int Sheet::customFunctionId(const Zrk_String& name, bool create) {
    for (std::size_t i = 0; i < state_->customs.size(); ++i)
        if (isEqual(state_->customs[i].name, name, true)) return kFirstCustomFunctionId + static_cast<int>(i);
    if (!create || !isFunctionName(name) || state_->customs.size() >= 10000) return -1;
    State::CustomEntry entry;
    entry.name = toUpper(name);
    state_->customs.push_back(std::move(entry));
    return kFirstCustomFunctionId + static_cast<int>(state_->customs.size()) - 1;
}

bool Sheet::SSAddCustomFunctionExt(const Zrk_String& name, int minArgs, int maxArgs, CustomFunction function, int flags) {
    if (!isFunctionName(name) || findBuiltin(name) >= 0 || !function) return false;
    if (minArgs < 0 || maxArgs < minArgs || maxArgs > kMaxFunctionArguments) return false;
    if (flags != kFunctionValues && flags != kFunctionReferences) return false;
    const int id = customFunctionId(name, true);
    if (id < 0) return false;
    State::CustomEntry& entry = state_->customs[static_cast<std::size_t>(id - kFirstCustomFunctionId)];
    entry.name = toUpper(name);
    entry.minArgs = minArgs;
    entry.maxArgs = maxArgs;
    entry.flags = flags;
    entry.function = std::move(function);
    entry.registered = true;
    recalcFormulasUsing(id);
    return true;
}

bool Sheet::removeCustomFunction(const Zrk_String& name) {
    const int id = customFunctionId(name, false);
    if (id < 0) return false;
    State::CustomEntry& entry = state_->customs[static_cast<std::size_t>(id - kFirstCustomFunctionId)];
    if (!entry.registered) return false;
    entry.registered = false;
    entry.function = nullptr;
    recalcFormulasUsing(id);
    return true;
}

bool Sheet::hasCustomFunction(const Zrk_String& name) const {
    for (const State::CustomEntry& entry : state_->customs)
        if (entry.registered && isEqual(entry.name, name, true)) return true;
    return false;
}

Sheet* Sheet::evaluatingSheet() { return tCurrentSheet; }

void Sheet::recalcFormulasUsing(int functionId) {
    std::vector<std::uint64_t> seeds;
    std::vector<FormulaCell*> nodes;
    for (Column& column : state_->data.columns) {
        if (column.formulaCount == 0) continue;
        for (Cell& cell : column.cells) {
            if (!cell.formula) continue;
            for (const Token& t : cell.formula->formula.code)
                if (t.op == Op::Call && t.a == functionId) {
                    cell.formula->dirty = true;
                    seeds.push_back(cellKey(cell.formula->col, cell.formula->row));
                    break;
                }
        }
    }
    if (seeds.empty()) return;
    if (state_->evalDepth > 0 || state_->batchDepth > 0) {
        state_->pending.insert(state_->pending.end(), seeds.begin(), seeds.end());
        return;
    }
    if (state_->data.options[kOptionAutoCalc]) {
        for (const std::uint64_t key : seeds) nodes.push_back(formulaAt(keyCol(key), keyRow(key)));
        Edges edges;
        collectDependents(seeds, nodes, edges);
        evaluateSet(nodes, &edges);
    } else {
        markDependentsDirty(seeds);
    }
}

// --- dependency graph -------------------------------------------------------------------------------

FormulaCell* Sheet::formulaAt(int col, int row) {
    Cell* cell = findCell(col, row);
    return cell ? cell->formula.get() : nullptr;
}

void Sheet::linkFormula(FormulaCell* formula) {
    formula->rangeListeners.clear();
    formula->isVolatile = std::any_of(formula->formula.code.begin(), formula->formula.code.end(),
                                      [](const Token& t) { return t.op == Op::Call && isVolatileBuiltin(t.a); });
    if (formula->isVolatile && std::find(state_->volatiles.begin(), state_->volatiles.end(), formula) == state_->volatiles.end())
        state_->volatiles.push_back(formula);
    visitReferences(formula->formula, [&](int c1, int r1, int c2, int r2) {
        if (c1 == c2 && r1 == r2) {
            FormulaCell* target = formulaAt(c1, r1);
            (target ? target->dependents : state_->cellListeners.get(cellKey(c1, r1))).push_back(formula);
            return;
        }
        std::uint32_t id = 0;
        if (!state_->freeRangeListeners.empty()) {
            id = state_->freeRangeListeners.back();
            state_->freeRangeListeners.pop_back();
        } else {
            id = static_cast<std::uint32_t>(state_->rangeListeners.size());
            state_->rangeListeners.emplace_back();
        }
        state_->rangeListeners[id] = State::RangeListener{c1, r1, c2, r2, formula};
        formula->rangeListeners.push_back(id);
        if (c2 - c1 + 1 > kWideRange) {
            state_->wideRanges.push_back(id);
        } else {
            if (state_->rangesByColumn.size() <= static_cast<std::size_t>(c2)) state_->rangesByColumn.resize(static_cast<std::size_t>(c2) + 1);
            for (int c = c1; c <= c2; ++c) state_->rangesByColumn[static_cast<std::size_t>(c)].push_back(id);
        }
    });
}

void Sheet::unlinkFormula(FormulaCell* formula) {
    if (formula->isVolatile) std::erase(state_->volatiles, formula);
    visitReferences(formula->formula, [&](int c1, int r1, int c2, int r2) {
        if (c1 != c2 || r1 != r2) return;
        FormulaCell* target = formulaAt(c1, r1);
        std::vector<FormulaCell*>* found = target ? &target->dependents : state_->cellListeners.find(cellKey(c1, r1));
        if (!found) return;
        auto& list = *found;
        const auto at = std::find(list.begin(), list.end(), formula);
        if (at != list.end()) {
            *at = list.back();
            list.pop_back();
        }
        // An empty list stays: the cell is likely to be read again (a formula that is replaced).
    });
    for (const std::uint32_t id : formula->rangeListeners) {
        State::RangeListener& listener = state_->rangeListeners[id];
        auto drop = [id](std::vector<std::uint32_t>& list) {
            const auto found = std::find(list.begin(), list.end(), id);
            if (found != list.end()) {
                *found = list.back();
                list.pop_back();
            }
        };
        if (listener.col2 - listener.col1 + 1 > kWideRange) drop(state_->wideRanges);
        else
            for (int c = listener.col1; c <= listener.col2 && static_cast<std::size_t>(c) < state_->rangesByColumn.size(); ++c)
                drop(state_->rangesByColumn[static_cast<std::size_t>(c)]);
        listener.formula = nullptr;
        state_->freeRangeListeners.push_back(id);
    }
    formula->rangeListeners.clear();
}

void Sheet::rebuildGraph() {
    state_->volatiles.clear();
    state_->cellListeners.clear();
    state_->rangeListeners.clear();
    state_->freeRangeListeners.clear();
    state_->rangesByColumn.clear();
    state_->wideRanges.clear();
    for (std::size_t c = 0; c < state_->data.columns.size(); ++c) {
        Column& column = state_->data.columns[c];
        column.formulaCount = 0;
        column.hint = 0;
        for (std::size_t i = 0; i < column.cells.size(); ++i) {
            FormulaCell* formula = column.cells[i].formula.get();
            if (!formula) continue;
            ++column.formulaCount;
            formula->col = static_cast<int>(c);
            formula->row = column.rows[i];
            formula->dependents.clear();
        }
    }
    for (Column& column : state_->data.columns)
        for (Cell& cell : column.cells)
            if (cell.formula) linkFormula(cell.formula.get());
}

void Sheet::attachFormula(FormulaCell* formula) {
    if (std::vector<FormulaCell*>* list = state_->cellListeners.find(cellKey(formula->col, formula->row))) {
        formula->dependents.insert(formula->dependents.end(), list->begin(), list->end());
        list->clear();
    }
}

void Sheet::retireFormula(std::unique_ptr<FormulaCell> formula) {
    if (!formula) return;
    // An evaluation may still hold it: keep it until the outermost evaluation ends.
    if (state_->evalDepth > 0) {
        formula->retired = true;
        state_->graveyard.push_back(std::move(formula));
    }
}

template <typename F> void Sheet::forEachDependent(int col, int row, F&& fn) {
    const FormulaCell* self = formulaAt(col, row);
    if (const std::vector<FormulaCell*>* list = self ? &self->dependents : state_->cellListeners.find(cellKey(col, row)))
        for (FormulaCell* formula : *list) fn(formula);
    forEachRangeDependent(col, row, fn);
}

template <typename F> void Sheet::forEachDependentOf(const FormulaCell* formula, F&& fn) {
    for (FormulaCell* dependent : formula->dependents) fn(dependent);
    forEachRangeDependent(formula->col, formula->row, fn);
}

template <typename F> void Sheet::forEachRangeDependent(int col, int row, F&& fn) {
    if (static_cast<std::size_t>(col) < state_->rangesByColumn.size())
        for (const std::uint32_t id : state_->rangesByColumn[static_cast<std::size_t>(col)]) {
            const State::RangeListener& l = state_->rangeListeners[id];
            if (row >= l.row1 && row <= l.row2) fn(l.formula);
        }
    for (const std::uint32_t id : state_->wideRanges) {
        const State::RangeListener& l = state_->rangeListeners[id];
        if (col >= l.col1 && col <= l.col2 && row >= l.row1 && row <= l.row2) fn(l.formula);
    }
}

void Sheet::collectDependents(const std::vector<std::uint64_t>& seeds, std::vector<FormulaCell*>& nodes, Edges& edges) {
    // The walk also records the edges inside the set, so that ordering it needs no second walk.
    const std::uint32_t mark = ++state_->epoch;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        nodes[i]->mark = mark;
        nodes[i]->index = static_cast<std::uint32_t>(i);
    }
    auto add = [&](FormulaCell* formula) {
        if (formula->mark == mark) return;
        formula->mark = mark;
        formula->index = static_cast<std::uint32_t>(nodes.size());
        nodes.push_back(formula);
    };
    for (const std::uint64_t key : seeds) forEachDependent(keyCol(key), keyRow(key), add);
    for (FormulaCell* formula : state_->volatiles) add(formula);
    for (std::size_t i = 0; i < nodes.size(); ++i)
        forEachDependentOf(nodes[i], [&](FormulaCell* formula) {
            add(formula);
            edges.emplace_back(static_cast<std::uint32_t>(i), formula->index);
        });
}

void Sheet::markDependentsDirty(const std::vector<std::uint64_t>& seeds) {
    std::vector<FormulaCell*> queue;
    // A dirty formula's dependents are dirty already: the walk stops there.
    auto visit = [&](FormulaCell* formula) {
        if (formula->dirty) return;
        formula->dirty = true;
        queue.push_back(formula);
    };
    for (const std::uint64_t key : seeds) forEachDependent(keyCol(key), keyRow(key), visit);
    for (FormulaCell* formula : state_->volatiles) visit(formula);
    for (std::size_t i = 0; i < queue.size(); ++i) forEachDependentOf(queue[i], visit);
}

void Sheet::collectDirtyPrecedents(FormulaCell* root, std::vector<FormulaCell*>& nodes) {
    const std::uint32_t mark = ++state_->epoch;
    root->mark = mark;
    nodes.push_back(root);
    auto add = [&](FormulaCell* formula) {
        if (!formula || !formula->dirty || formula->mark == mark) return;
        formula->mark = mark;
        nodes.push_back(formula);
    };
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        visitReferences(nodes[i]->formula, [&](int c1, int r1, int c2, int r2) {
            if (c1 == c2 && r1 == r2) {
                add(formulaAt(c1, r1));
                return;
            }
            const int last = std::min(c2, state_->data.maxCols);
            for (int c = std::max(c1, 0); c <= last; ++c) {
                Column& column = state_->data.columns[static_cast<std::size_t>(c)];
                if (column.formulaCount == 0) continue;
                auto index = static_cast<std::size_t>(std::lower_bound(column.rows.begin(), column.rows.end(), r1) -
                                                      column.rows.begin());
                for (; index < column.rows.size() && column.rows[index] <= r2; ++index)
                    add(column.cells[index].formula.get());
            }
        });
    }
}

void Sheet::evaluateSet(std::vector<FormulaCell*>& nodes, const Edges* edges) {
    const std::size_t n = nodes.size();
    if (n == 0) {
        if (state_->evalDepth == 0) processPending();
        return;
    }
    ++state_->evalDepth;
    // Edges inside the set, from each formula to the formulas that read it, in compressed rows.
    std::vector<std::uint32_t> offsets(n + 1, 0);
    std::vector<std::uint32_t> targets;
    if (edges) {
        for (const auto& edge : *edges) ++offsets[edge.first + 1];
        for (std::size_t i = 0; i < n; ++i) offsets[i + 1] += offsets[i];
        targets.resize(edges->size());
        std::vector<std::uint32_t> fill(offsets.begin(), offsets.end() - 1);
        for (const auto& edge : *edges) targets[fill[edge.first]++] = edge.second;
    } else {
        const std::uint32_t mark = ++state_->epoch;
        for (std::size_t i = 0; i < n; ++i) {
            nodes[i]->mark = mark;
            nodes[i]->index = static_cast<std::uint32_t>(i);
        }
        targets.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            forEachDependentOf(nodes[i], [&](FormulaCell* f) {
                if (f->mark == mark) targets.push_back(f->index);
            });
            offsets[i + 1] = static_cast<std::uint32_t>(targets.size());
        }
    }
    if (n == 1 && targets.empty()) {
        // One formula that does not read itself: no order to find.
        FormulaCell* formula = nodes[0];
        if (!formula->retired) evaluateFormula(*formula);
        formula->dirty = false;
        finishEvaluation(nodes);
        return;
    }
    std::vector<std::uint32_t> inDegree(n, 0);
    for (const std::uint32_t t : targets) ++inDegree[t];
    std::vector<char> done(n, 0);
    std::vector<std::uint32_t> queue;
    queue.reserve(n);
    for (std::uint32_t i = 0; i < n; ++i)
        if (inDegree[i] == 0) queue.push_back(i);
    std::size_t head = 0, finished = 0;
    auto release = [&](std::uint32_t i) {
        for (std::uint32_t e = offsets[i]; e < offsets[i + 1]; ++e)
            if (!done[targets[e]] && --inDegree[targets[e]] == 0) queue.push_back(targets[e]);
    };
    for (;;) {
        while (head < queue.size()) {
            const std::uint32_t i = queue[head++];
            if (done[i]) continue;
            FormulaCell* formula = nodes[i];
            if (!formula->retired) evaluateFormula(*formula);
            formula->dirty = false;
            done[i] = 1;
            ++finished;
            release(i);
        }
        if (finished == n) break;
        // What is left waits on a cycle. Find the strongly connected components of the rest
        // (iteratively); the cells of every cycle get #CIRC!, and the cells after them go on.
        std::vector<int> order(n, -1), low(n, 0);
        std::vector<char> onStack(n, 0);
        std::vector<std::uint32_t> sccStack;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> frames; // node, next edge
        std::vector<std::uint32_t> cyclic;
        int counter = 0;
        for (std::uint32_t start = 0; start < n; ++start) {
            if (done[start] || order[start] >= 0) continue;
            frames.push_back({start, offsets[start]});
            order[start] = low[start] = counter++;
            sccStack.push_back(start);
            onStack[start] = 1;
            while (!frames.empty()) {
                const std::uint32_t v = frames.back().first;
                if (frames.back().second < offsets[v + 1]) {
                    const std::uint32_t w = targets[frames.back().second++];
                    if (done[w]) continue;
                    if (order[w] < 0) {
                        order[w] = low[w] = counter++;
                        sccStack.push_back(w);
                        onStack[w] = 1;
                        frames.push_back({w, offsets[w]});
                    } else if (onStack[w]) {
                        low[v] = std::min(low[v], order[w]);
                    }
                    continue;
                }
                frames.pop_back();
                if (!frames.empty()) {
                    const std::uint32_t u = frames.back().first;
                    low[u] = std::min(low[u], low[v]);
                }
                if (low[v] != order[v]) continue;
                std::vector<std::uint32_t> component;
                std::uint32_t w = 0;
                do {
                    w = sccStack.back();
                    sccStack.pop_back();
                    onStack[w] = 0;
                    component.push_back(w);
                } while (w != v);
                bool cycle = component.size() > 1;
                for (std::uint32_t e = offsets[v]; !cycle && e < offsets[v + 1]; ++e) cycle = targets[e] == v;
                if (cycle) cyclic.insert(cyclic.end(), component.begin(), component.end());
            }
        }
        if (cyclic.empty()) {
            // Cannot happen with a consistent graph; never loop forever if it does.
            for (std::uint32_t i = 0; i < n; ++i)
                if (!done[i]) cyclic.push_back(i);
        }
        for (const std::uint32_t i : cyclic) {
            nodes[i]->result = Value::makeError(ErrorCode::Circular);
            nodes[i]->dirty = false;
            done[i] = 1;
            ++finished;
        }
        for (const std::uint32_t i : cyclic) release(i);
    }
    finishEvaluation(nodes);
}

void Sheet::finishEvaluation(const std::vector<FormulaCell*>& nodes) {
    --state_->evalDepth;
    if (!state_->observers.empty()) {
        int c1 = kMaxColumnCount, r1 = kMaxRowCount, c2 = 0, r2 = 0;
        for (FormulaCell* formula : nodes) {
            if (formula->retired) continue;
            c1 = std::min(c1, formula->col);
            r1 = std::min(r1, formula->row);
            c2 = std::max(c2, formula->col);
            r2 = std::max(r2, formula->row);
        }
        if (c2 > 0) notifyCells(c1, r1, c2, r2);
    }
    if (state_->evalDepth == 0) {
        state_->graveyard.clear();
        processPending();
    }
}

void Sheet::cellChanged(int col, int row) {
    if (state_->evalDepth > 0 || state_->batchDepth > 0) {
        state_->pending.push_back(cellKey(col, row));
        return;
    }
    const std::vector<std::uint64_t> seeds{cellKey(col, row)};
    FormulaCell* self = formulaAt(col, row);
    if (state_->data.options[kOptionAutoCalc]) {
        std::vector<FormulaCell*> nodes;
        if (self && self->dirty) nodes.push_back(self);
        Edges edges;
        collectDependents(seeds, nodes, edges);
        evaluateSet(nodes, &edges);
    } else {
        markDependentsDirty(seeds);
    }
}

void Sheet::processPending() {
    // Writes made by custom functions may feed formulas that call them again: a bounded number of
    // rounds, then the rest waits for the next recalculation. The evaluations of a round end here
    // again: the outer loop does their rounds, so the call stack stays flat.
    if (state_->processingPending) return;
    state_->processingPending = true;
    for (int round = 0; round < 64 && !state_->pending.empty() && state_->evalDepth == 0 && state_->batchDepth == 0; ++round) {
        std::vector<std::uint64_t> seeds;
        seeds.swap(state_->pending);
        std::sort(seeds.begin(), seeds.end());
        seeds.erase(std::unique(seeds.begin(), seeds.end()), seeds.end());
        std::vector<FormulaCell*> roots;
        for (const std::uint64_t key : seeds) {
            FormulaCell* self = formulaAt(keyCol(key), keyRow(key));
            if (self && self->dirty) roots.push_back(self);
        }
        if (state_->data.options[kOptionAutoCalc]) {
            Edges edges;
            collectDependents(seeds, roots, edges);
            evaluateSet(roots, &edges);
        } else {
            markDependentsDirty(seeds);
        }
    }
    if (state_->evalDepth == 0 && state_->batchDepth == 0 && !state_->pending.empty()) {
        markDependentsDirty(state_->pending);
        state_->pending.clear();
    }
    state_->processingPending = false;
}

void Sheet::recalcAfterStructureChange(const std::vector<FormulaCell*>& changed) {
    rebuildGraph();
    std::vector<FormulaCell*> nodes;
    if (changed.empty()) {
        // Everything may read different cells now.
        for (Column& column : state_->data.columns)
            for (Cell& cell : column.cells)
                if (cell.formula) {
                    cell.formula->dirty = true;
                    nodes.push_back(cell.formula.get());
                }
        if (state_->data.options[kOptionAutoCalc]) evaluateSet(nodes);
        return;
    }
    std::vector<std::uint64_t> seeds;
    for (FormulaCell* formula : changed) {
        formula->dirty = true;
        seeds.push_back(cellKey(formula->col, formula->row));
        nodes.push_back(formula);
    }
    if (state_->data.options[kOptionAutoCalc]) {
        Edges edges;
        collectDependents(seeds, nodes, edges);
        evaluateSet(nodes, &edges);
    } else {
        markDependentsDirty(seeds);
    }
}

// --- setting formulas and recalculating ----------------------------------------------------------

bool Sheet::setFormula(int col, int row, const Zrk_String& text, bool evaluateNow, Zrk_String* message) {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (col < 1 || row < 1 || col > state_->data.maxCols || row > state_->data.maxRows) {
        if (message) *message = "The cell lies outside the sheet";
        return false;
    }
    const bool r1c1 = state_->data.referenceStyle == kRefStyleR1C1;
    Formula parsed;
    const auto known = state_->parsed.find(cellKey(col, row));
    if (known != state_->parsed.end() && known->second.r1c1 == r1c1 && known->second.text == text) {
        parsed = known->second.formula;
    } else {
        const ParseResult result = parseFormula(text, r1c1, col, row, mutableResolver(), parsed);
        if (!result.ok) {
            if (message) *message = result.message;
            return false;
        }
        constexpr std::size_t kMaxParsedKept = 1u << 14;
        if (state_->parsed.size() >= kMaxParsedKept) state_->parsed.clear();
        state_->parsed[cellKey(col, row)] = State::ParsedFormula{text, r1c1, parsed};
    }
    Cell& cell = cellAt(col, row);
    FormulaCell* formula = nullptr;
    if (cell.formula && state_->evalDepth == 0) {
        // A formula replaced by another: the same engine record serves (nothing can hold it now).
        formula = cell.formula.get();
        unlinkFormula(formula);
        formula->result = Value();
    } else {
        clearContent(cell, col);
        cell.kind = CellKind::Formula;
        cell.formula = std::make_unique<FormulaCell>();
        formula = cell.formula.get();
        ++state_->data.columns[static_cast<std::size_t>(col)].formulaCount;
        formula->col = col;
        formula->row = row;
        attachFormula(formula);
    }
    formula->formula = std::move(parsed);
    formula->col = col;
    formula->row = row;
    formula->dirty = true;
    linkFormula(formula);
    markChanged();
    if (state_->evalDepth > 0 || state_->batchDepth > 0) {
        if (evaluateNow && state_->evalDepth > 0) {
            std::vector<FormulaCell*> nodes{formula};
            evaluateSet(nodes);
        }
        state_->pending.push_back(cellKey(col, row));
    } else if (state_->data.options[kOptionAutoCalc]) {
        cellChanged(col, row);
    } else {
        if (evaluateNow) {
            std::vector<FormulaCell*> nodes;
            collectDirtyPrecedents(formula, nodes);
            evaluateSet(nodes);
        }
        markDependentsDirty({cellKey(col, row)});
    }
    notifyCells(col, row, col, row);
    return true;
}

bool Sheet::SSReCalcCell(int col, int row) {
    col = normalizeIndex(col);
    row = normalizeIndex(row);
    if (!validCell(col, row)) return false;
    FormulaCell* formula = formulaAt(col, row);
    if (!formula) return true;
    formula->dirty = true;
    if (state_->evalDepth > 0) {
        std::vector<FormulaCell*> nodes{formula};
        evaluateSet(nodes);
        state_->pending.push_back(cellKey(col, row));
    } else if (state_->data.options[kOptionAutoCalc]) {
        cellChanged(col, row);
    } else {
        std::vector<FormulaCell*> nodes;
        collectDirtyPrecedents(formula, nodes);
        evaluateSet(nodes);
        markDependentsDirty({cellKey(col, row)});
    }
    return true;
}

void Sheet::recalcAll() {
    if (state_->evalDepth > 0) return; // a custom function cannot recalculate the sheet that calls it
    std::vector<FormulaCell*> nodes;
    for (Column& column : state_->data.columns) {
        if (column.formulaCount == 0) continue;
        for (Cell& cell : column.cells)
            if (cell.formula) {
                cell.formula->dirty = true;
                nodes.push_back(cell.formula.get());
            }
    }
    evaluateSet(nodes);
}

// --- the evaluator ------------------------------------------------------------------------------

class SheetEvaluator : public EvalContext {
public:
    explicit SheetEvaluator(Sheet& sheet) : sheet_(sheet) {}
    void cellValue(int col, int row, Value& out) override { sheet_.cellValueOf(col, row, out); }
    void forEachCell(int col1, int row1, int col2, int row2,
                     const std::function<bool(int, int, const Value&)>& visit) override {
        Value value;
        const int last = std::min(col2, sheet_.state_->data.maxCols);
        for (int c = std::max(col1, 0); c <= last; ++c) {
            const Column& column = sheet_.state_->data.columns[static_cast<std::size_t>(c)];
            auto i = static_cast<std::size_t>(std::lower_bound(column.rows.begin(), column.rows.end(), row1) -
                                              column.rows.begin());
            for (; i < column.rows.size() && column.rows[i] <= row2; ++i) {
                if (!column.cells[i].hasContent()) continue;
                sheet_.cellValueOf(c, column.rows[i], value);
                if (!visit(c, column.rows[i], value)) return;
            }
        }
    }
    void forEachValue(int col1, int row1, int col2, int row2, const std::function<bool(const Value&)>& visit) override {
        forEachCell(col1, row1, col2, row2, [&](int, int, const Value& value) { return visit(value); });
    }
    void usedExtent(int& lastCol, int& lastRow) override { sheet_.getUsedExtent(lastCol, lastRow); }
    void sheetSize(int& cols, int& rows) override {
        cols = sheet_.state_->data.maxCols;
        rows = sheet_.state_->data.maxRows;
    }

private:
    Sheet& sheet_;
};

void Sheet::cellValueOf(int col, int row, Value& out) {
    const Cell* cell = (col >= 0 && row >= 0 && col <= state_->data.maxCols && row <= state_->data.maxRows) ? findCell(col, row) : nullptr;
    if (!cell) {
        out.setEmpty();
        return;
    }
    switch (cell->kind) {
    case CellKind::Empty: out.setEmpty(); break;
    case CellKind::Number: out.setNumber(cell->number); break;
    case CellKind::Text:
        if (readsAsNumber(*cell)) out.setNumber(cell->number);
        else out.setText(cell->text);
        break;
    case CellKind::Formula: out = cell->formula->result; break;
    }
}

bool Sheet::readsAsNumber(const Cell& cell) const {
    // Edit cells are text cells: what they hold stays text in formulas, as text-formatted cells do.
    return cell.kind == CellKind::Text && cell.numericText && !cell.forcedText && state_->data.types[cell.type].code != kTypeEdit;
}

void Sheet::callCustom(int id, Value* args, int argCount, Value& result, int col, int row) {
    const std::size_t index = static_cast<std::size_t>(id - kFirstCustomFunctionId);
    if (index >= state_->customs.size() || !state_->customs[index].registered) return result.setError(ErrorCode::Name);
    const State::CustomEntry& entry = state_->customs[index];
    if (argCount < entry.minArgs || argCount > entry.maxArgs || tCustomNesting >= kMaxEvaluationNesting)
        return result.setError(ErrorCode::Value);
    const bool references = entry.flags == kFunctionReferences;
    // The records are complete before the call: the function may change the sheet.
    std::vector<ValueRecord> records(static_cast<std::size_t>(argCount));
    Value cell;
    for (int i = 0; i < argCount; ++i) {
        ValueRecord& record = records[static_cast<std::size_t>(i)];
        Value* arg = &args[i];
        if (arg->kind == ValueKind::Range && arg->col == arg->col2 && arg->row == arg->row2) {
            arg->kind = ValueKind::Ref;
        }
        if (arg->kind == ValueKind::Ref) {
            if (references) {
                record.setCell(arg->col, arg->row);
                continue;
            }
            cellValueOf(arg->col, arg->row, cell);
            arg = &cell;
        } else if (arg->kind == ValueKind::Range) {
            record.setRange(arg->col, arg->row, arg->col2, arg->row2);
            if (!references) record.status = kStatusUnreadable;
            continue;
        }
        switch (arg->kind) {
        case ValueKind::Number: record.setDouble(arg->number); break;
        case ValueKind::Bool: record.setLong(arg->number != 0.0 ? 1 : 0); break;
        case ValueKind::Text: record.setText(arg->text); break;
        case ValueKind::Error:
            record.setEmpty();
            record.status = kStatusUnreadable;
            break;
        default: record.setEmpty(); break;
        }
    }
    CustomFunction function = entry.function; // the registration may change during the call
    ValueRecord answer;
    Sheet* previous = tCurrentSheet;
    tCurrentSheet = this;
    ++tCustomNesting;
    long ok = 0;
    try {
        ok = function(answer, records.data(), argCount);
    } catch (...) {
        ok = 0; // a function that throws has failed
    }
    --tCustomNesting;
    tCurrentSheet = previous;
    if (!ok || answer.status == kStatusUnreadable) return result.setError(ErrorCode::Value);
    if (answer.status != kStatusValid) return result.setEmpty();
    switch (answer.type) {
    case kValueLong: result.setNumber(static_cast<double>(answer.longValue)); break;
    case kValueDouble: setNumberChecked(result, answer.doubleValue); break;
    case kValueText:
        if (answer.text.size() > static_cast<std::size_t>(kMaxTextLength)) result.setError(ErrorCode::Value);
        else result.setText(std::move(answer.text));
        break;
    case kValueCell:
        if (answer.col < 1 || answer.row < 1 || answer.col > state_->data.maxCols || answer.row > state_->data.maxRows)
            result.setError(ErrorCode::Ref);
        else cellValueOf(answer.col, answer.row, result);
        break;
    default: result.setError(ErrorCode::Value); break;
    }
    (void)col;
    (void)row;
}

void Sheet::setErrorTracing(bool on) {
    state_->errorTracing = on;
    if (!on) state_->errorOrigins.clear();
}

bool Sheet::getErrorOrigin(int col, int row, ErrorOrigin& origin) const {
    const auto found = state_->errorOrigins.find(cellKey(col, row));
    if (found == state_->errorOrigins.end()) return false;
    // The cell may have changed since: the origin holds only for the formula's present error.
    const Cell* cell = findCell(col, row);
    if (!cell || !cell->formula || !cell->formula->result.isError()) return false;
    origin = found->second;
    return true;
}

// A value as a formula would write it; a reference stands for the value of its cell.
Zrk_String Sheet::describeValue(const Value& value) {
    switch (value.kind) {
    case ValueKind::Number: return formatGeneral(value.number);
    case ValueKind::Bool: return value.number != 0.0 ? "TRUE" : "FALSE";
    case ValueKind::Error: return errorText(value.error);
    case ValueKind::Text: {
        Zrk_String literal = "\"";
        for (const char c : value.text) {
            literal += c;
            if (c == '"') literal += '"';
        }
        return literal + "\"";
    }
    case ValueKind::Ref: {
        Value cell;
        cellValueOf(value.col, value.row, cell);
        return cell.isReference() ? Zrk_String() : describeValue(cell);
    }
    case ValueKind::Range:
        return columnName(value.col) + intToStr(value.row) + ":" + columnName(value.col2) + intToStr(value.row2);
    default: return Zrk_String();
    }
}

// Whether an argument brings an error: it is one, or refers to a cell (or a cell of a block) that
// holds one. Blocks are looked at within the used cells.
bool Sheet::bringsError(const Value& value) {
    if (value.isError()) return true;
    if (value.kind == ValueKind::Ref) {
        Value cell;
        cellValueOf(value.col, value.row, cell);
        return cell.isError();
    }
    if (value.kind != ValueKind::Range) return false;
    int lastCol = 0, lastRow = 0;
    getUsedExtent(lastCol, lastRow);
    const int col2 = std::min(value.col2, lastCol), row2 = std::min(value.row2, lastRow);
    Value cell;
    for (int col = std::max(value.col, 1); col <= col2; ++col)
        for (int row = std::max(value.row, 1); row <= row2; ++row) {
            cellValueOf(col, row, cell);
            if (cell.isError()) return true;
        }
    return false;
}

void Sheet::evaluateFormula(FormulaCell& target) {
    SheetEvaluator context(*this);
    context.col = target.col;
    context.row = target.row;
    const std::size_t base = state_->stack.size();
    const std::vector<Token>& code = target.formula.code;
    const std::size_t size = code.size();
    auto top = [this]() -> Value& { return state_->stack.back(); };
    // With error tracing on: where the errors of this formula arise, and the operands of the operator
    // at hand while they held no error.
    const bool tracing = state_->errorTracing;
    OriginLog origins;
    Value traced[2];
    const auto watch = [&](std::initializer_list<const Value*> operands) {
        if (!tracing || origins.full()) return false;
        for (const Value* operand : operands)
            if (operand->isError()) return false;
        int i = 0;
        for (const Value* operand : operands) traced[i++] = *operand;
        return true;
    };
    const auto noteOperator = [&](Op op, int operandCount, const Value& outcome) {
        if (!outcome.isError()) return;
        Zrk_StringArray arguments;
        for (int i = 0; i < operandCount; ++i) arguments.append(describeValue(traced[i]));
        origins.add(operatorSymbol(op), std::move(arguments), outcome.error);
    };
    std::size_t ip = 0;
    while (ip < size) {
        const Token& t = code[ip];
        switch (t.op) {
        case Op::Number: state_->stack.emplace_back().setNumber(t.number); break;
        case Op::String: state_->stack.emplace_back().setText(target.formula.strings[static_cast<std::size_t>(t.a)]); break;
        case Op::Bool: state_->stack.emplace_back().setBool(t.number != 0.0); break;
        case Op::Error:
            state_->stack.emplace_back().setError(static_cast<ErrorCode>(t.a));
            if (tracing) origins.add(Zrk_String(), Zrk_StringArray(), static_cast<ErrorCode>(t.a));
            break;
        case Op::Missing: state_->stack.emplace_back().kind = ValueKind::Missing; break;
        case Op::Ref: {
            Value& v = state_->stack.emplace_back();
            v.kind = ValueKind::Ref;
            v.col = t.a;
            v.row = t.b;
            break;
        }
        case Op::Range: {
            Value& v = state_->stack.emplace_back();
            v.kind = ValueKind::Range;
            v.col = t.a;
            v.row = t.b;
            v.col2 = t.c;
            v.row2 = t.d;
            break;
        }
        case Op::Neg:
        case Op::Percent: {
            Value& v = top();
            toScalar(context, v);
            const bool watched = watch({&v});
            double x = 0.0;
            ErrorCode error = ErrorCode::None;
            if (!toNumber(v, x, error)) v.setError(error);
            else setNumberChecked(v, t.op == Op::Neg ? -x : x / 100.0);
            if (watched) noteOperator(t.op, 1, v);
            break;
        }
        case Op::Plus: toScalar(context, top()); break;
        case Op::Paren: break;
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::Pow: {
            Value& right = state_->stack[state_->stack.size() - 1];
            Value& left = state_->stack[state_->stack.size() - 2];
            toScalar(context, left);
            toScalar(context, right);
            const bool watched = watch({&left, &right});
            double a = 0.0, b = 0.0;
            ErrorCode error = ErrorCode::None;
            if (!toNumber(left, a, error) || !toNumber(right, b, error)) {
                left.setError(error);
            } else {
                switch (t.op) {
                case Op::Add: setNumberChecked(left, a + b); break;
                case Op::Sub: setNumberChecked(left, a - b); break;
                case Op::Mul: setNumberChecked(left, a * b); break;
                case Op::Div:
                    if (b == 0.0) left.setError(ErrorCode::Div0);
                    else setNumberChecked(left, a / b);
                    break;
                default: powerOf(a, b, left); break;
                }
            }
            if (watched) noteOperator(t.op, 2, left);
            state_->stack.pop_back();
            break;
        }
        case Op::Concat: {
            Value& right = state_->stack[state_->stack.size() - 1];
            Value& left = state_->stack[state_->stack.size() - 2];
            toScalar(context, left);
            toScalar(context, right);
            const bool watched = watch({&left, &right});
            Zrk_String a, b;
            ErrorCode error = ErrorCode::None;
            if (!toText(left, a, error) || !toText(right, b, error)) left.setError(error);
            else if (a.size() + b.size() > static_cast<std::size_t>(kMaxTextLength)) left.setError(ErrorCode::Value);
            else left.setText(a + b);
            if (watched) noteOperator(t.op, 2, left);
            state_->stack.pop_back();
            break;
        }
        case Op::Eq:
        case Op::Ne:
        case Op::Lt:
        case Op::Le:
        case Op::Gt:
        case Op::Ge: {
            Value& right = state_->stack[state_->stack.size() - 1];
            Value& left = state_->stack[state_->stack.size() - 2];
            toScalar(context, left);
            toScalar(context, right);
            if (left.isError()) {
                // stays
            } else if (right.isError()) {
                left.setError(right.error);
            } else {
                const int order = compareValues(left, right);
                bool answer = false;
                switch (t.op) {
                case Op::Eq: answer = order == 0; break;
                case Op::Ne: answer = order != 0; break;
                case Op::Lt: answer = order < 0; break;
                case Op::Le: answer = order <= 0; break;
                case Op::Gt: answer = order > 0; break;
                default: answer = order >= 0; break;
                }
                left.setBool(answer);
            }
            state_->stack.pop_back();
            break;
        }
        case Op::IfFalseJump: {
            Value& condition = top();
            toScalar(context, condition);
            bool yes = false;
            ErrorCode error = ErrorCode::None;
            if (!toBool(condition, yes, error)) {
                if (tracing && !condition.isError())
                    origins.add("IF", Zrk_StringArray{describeValue(condition)}, error);
                condition.setError(error);
                ip = static_cast<std::size_t>(t.b) + 1; // past the IF, with the error as its value
                continue;
            }
            state_->stack.pop_back();
            if (!yes) {
                ip = static_cast<std::size_t>(t.a);
                continue;
            }
            break;
        }
        case Op::Jump: ip = static_cast<std::size_t>(t.a); continue;
        case Op::IfErrorJump: {
            Value& value = top();
            toScalar(context, value);
            if (!value.isError() || (t.b == 1 && value.error != ErrorCode::NA)) {
                if (value.kind == ValueKind::Empty) value.setNumber(0.0);
                ip = static_cast<std::size_t>(t.a);
                continue;
            }
            state_->stack.pop_back();
            break;
        }
        case Op::Call: {
            if (t.a == kFunctionIf) {
                Value& value = top();
                if (value.kind == ValueKind::Missing) value.setNumber(0.0);
                break;
            }
            if (t.a == kFunctionIfError || t.a == kFunctionIfNa) {
                Value& value = top();
                toScalar(context, value);
                if (value.kind == ValueKind::Empty) value.setNumber(0.0);
                break;
            }
            const std::size_t n = t.count;
            Value result;
            Value* args = state_->stack.data() + (state_->stack.size() - n);
            if (t.a < kFirstCustomFunctionId) callBuiltin(t.a, context, args, static_cast<int>(n), result);
            else callCustom(t.a, args, static_cast<int>(n), result, target.col, target.row);
            if (tracing && result.isError() && !origins.full()) {
                // Evaluations the call started ran on this stack: the arguments are on top again,
                // perhaps moved.
                args = state_->stack.data() + (state_->stack.size() - n);
                bool passedOn = false;
                for (std::size_t i = 0; i < n && !passedOn; ++i) passedOn = bringsError(args[i]);
                if (!passedOn) {
                    Zrk_StringArray arguments;
                    for (std::size_t i = 0; i < n; ++i) arguments.append(describeValue(args[i]));
                    origins.add(functionResolver().functionName(t.a), std::move(arguments), result.error);
                }
            }
            state_->stack.resize(state_->stack.size() - n);
            state_->stack.push_back(std::move(result));
            break;
        }
        }
        ++ip;
    }
    Value result;
    if (state_->stack.size() > base) result = std::move(state_->stack.back());
    state_->stack.resize(base);
    if (result.isReference()) {
        toScalar(context, result);
        if (result.kind == ValueKind::Empty) result.setNumber(0.0); // a reference to an empty cell shows 0
    } else if (result.kind == ValueKind::Missing) {
        result.setNumber(0.0);
    }
    if (tracing) {
        const ErrorOrigin* origin = result.isError() ? origins.forResult(result.error) : nullptr;
        if (origin) state_->errorOrigins[cellKey(target.col, target.row)] = *origin;
        else state_->errorOrigins.erase(cellKey(target.col, target.row));
    }
    target.result = std::move(result);
}

} // namespace spreadlib
