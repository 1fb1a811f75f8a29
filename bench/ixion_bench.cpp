// The peer engine on the same workloads (a) to (d). Its own calls only: parse, set and register
// formula cells, sort the dirty cells, calculate them.
#include <benchmark/benchmark.h>

#include <ixion/address.hpp>
#include <ixion/formula.hpp>
#include <ixion/formula_name_resolver.hpp>
#include <ixion/formula_result.hpp>
#include <ixion/model_context.hpp>

#include "workloads.h"

namespace {

ixion::abs_address_t at(int col, int row) { return ixion::abs_address_t(0, row - 1, col - 1); }

struct Model {
    ixion::model_context cxt{ixion::rc_size_t(1048576, 16384)};
    std::unique_ptr<ixion::formula_name_resolver> resolver;
    Model() {
        cxt.append_sheet("Sheet1");
        resolver = ixion::formula_name_resolver::get(ixion::formula_name_resolver_t::excel_a1, &cxt);
    }
    void values(int rows) {
        for (int r = 1; r <= rows; ++r) {
            cxt.set_numeric_cell(at(1, r), bench::valueA(r));
            cxt.set_numeric_cell(at(2, r), bench::valueB(r));
            cxt.set_numeric_cell(at(3, r), bench::valueC(r));
            cxt.set_numeric_cell(at(4, r), bench::valueD(r));
        }
    }
    void setFormula(int col, int row, const std::string& text) {
        const ixion::abs_address_t pos = at(col, row);
        auto tokens = ixion::parse_formula_string(cxt, pos, *resolver, text);
        cxt.set_formula_cell(pos, std::move(tokens));
        ixion::register_formula_cell(cxt, pos);
    }
    void calculate(const ixion::abs_range_set_t& modified, const ixion::abs_range_set_t* dirtyFormulas) {
        const std::vector<ixion::abs_range_t> sorted = ixion::query_and_sort_dirty_cells(cxt, modified, dirtyFormulas);
        ixion::calculate_sorted_cells(cxt, sorted, 0);
    }
};

void Ixion_a_Parse(benchmark::State& state) {
    Model model;
    const std::vector<std::string> texts = bench::formulas();
    for (auto _ : state)
        for (int i = 0; i < bench::kFormulaCount; ++i) {
            auto tokens = ixion::parse_formula_string(model.cxt, at(5, i + 1), *model.resolver, texts[static_cast<std::size_t>(i)]);
            benchmark::DoNotOptimize(tokens.data());
        }
    state.SetItemsProcessed(state.iterations() * bench::kFormulaCount);
}

void Ixion_b_BatchEvaluate(benchmark::State& state) {
    Model model;
    model.values(bench::kFormulaCount);
    const std::vector<std::string> texts = bench::formulas();
    ixion::abs_range_set_t dirty;
    for (int r = 1; r <= bench::kFormulaCount; ++r) {
        model.setFormula(5, r, texts[static_cast<std::size_t>(r - 1)]);
        dirty.insert(ixion::abs_range_t(at(5, r)));
    }
    const ixion::abs_range_set_t none;
    for (auto _ : state) model.calculate(none, &dirty);
    if (model.cxt.get_numeric_value(at(5, 7)) != 14.0) state.SkipWithError("wrong result");
    state.SetItemsProcessed(state.iterations() * bench::kFormulaCount);
}

void Ixion_c_SetAndEvaluate(benchmark::State& state) {
    Model model;
    model.values(100);
    const std::string text = bench::formulaOf(7);
    const ixion::abs_address_t pos = at(5, 7);
    model.setFormula(5, 7, text);
    double value = 0.0;
    for (auto _ : state) {
        ixion::unregister_formula_cell(model.cxt, pos);
        model.setFormula(5, 7, text);
        ixion::abs_range_set_t dirty{ixion::abs_range_t(pos)};
        model.calculate(ixion::abs_range_set_t(), &dirty);
        value = model.cxt.get_numeric_value(pos);
        benchmark::DoNotOptimize(value);
    }
    if (value != 14.0) state.SkipWithError("wrong result");
}

void Ixion_d_ChainRecalc(benchmark::State& state) {
    Model model;
    model.cxt.set_numeric_cell(at(1, 1), 1);
    for (int r = 2; r <= bench::kChainLength; ++r) model.setFormula(1, r, "A" + std::to_string(r - 1) + "+1");
    int head = 1;
    for (auto _ : state) {
        model.cxt.set_numeric_cell(at(1, 1), ++head);
        model.calculate(ixion::abs_range_set_t{ixion::abs_range_t(at(1, 1))}, nullptr);
    }
    if (model.cxt.get_numeric_value(at(1, bench::kChainLength)) != head + bench::kChainLength - 1)
        state.SkipWithError("wrong result");
    state.SetItemsProcessed(state.iterations() * bench::kChainLength);
}

} // namespace

BENCHMARK(Ixion_a_Parse)->Unit(benchmark::kMillisecond);
BENCHMARK(Ixion_b_BatchEvaluate)->Unit(benchmark::kMillisecond);
BENCHMARK(Ixion_c_SetAndEvaluate)->Unit(benchmark::kMicrosecond);
BENCHMARK(Ixion_d_ChainRecalc)->Unit(benchmark::kMillisecond);
