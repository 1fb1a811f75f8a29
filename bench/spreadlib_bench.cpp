// Benchmarks of the spreadsheet library: (a) parse 10,000 formulas, (b) evaluate them as a batch,
// (c) set one formula and evaluate that cell, (d) recalculate a 50,000-cell chain after an edit of
// its head, (e) save and load a sheet of 100,000 cells. ixion_bench.cpp runs (a) to (d) on the peer.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "spreadlib/formula.h"
#include "spreadlib/functions.h"
#include "spreadlib/sheet.h"
#include "workloads.h"

namespace {

using spreadlib::Sheet;

// Built-in functions only, as the peer has no custom functions.
class BuiltinResolver : public spreadlib::FunctionResolver {
public:
    int functionId(const Zrk_String& name) override { return spreadlib::findBuiltin(name); }
    Zrk_String functionName(int id) const override { return spreadlib::builtinName(id); }
    void argumentRange(int id, int& minArgs, int& maxArgs) const override { spreadlib::builtinArguments(id, minArgs, maxArgs); }
};

std::unique_ptr<Sheet> valuesSheet(int rows) {
    auto sheet = std::make_unique<Sheet>();
    sheet->setMaxCols(6);
    sheet->setMaxRows(rows);
    sheet->setBool(spreadlib::kOptionAutoCalc, false);
    for (int r = 1; r <= rows; ++r) {
        sheet->setData(1, r, std::to_string(bench::valueA(r)));
        sheet->setData(2, r, std::to_string(bench::valueB(r)));
        sheet->setData(3, r, std::to_string(bench::valueC(r)));
        sheet->setData(4, r, std::to_string(bench::valueD(r)));
    }
    return sheet;
}

void Ours_a_Parse(benchmark::State& state) {
    const std::vector<std::string> texts = bench::formulas();
    BuiltinResolver resolver;
    for (auto _ : state) {
        for (int i = 0; i < bench::kFormulaCount; ++i) {
            spreadlib::Formula formula;
            spreadlib::parseFormula(texts[static_cast<std::size_t>(i)], false, 5, i + 1, resolver, formula);
            benchmark::DoNotOptimize(formula.code.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * bench::kFormulaCount);
}

void Ours_b_BatchEvaluate(benchmark::State& state) {
    auto sheet = valuesSheet(bench::kFormulaCount);
    const std::vector<std::string> texts = bench::formulas();
    for (int r = 1; r <= bench::kFormulaCount; ++r) sheet->setFormula(5, r, texts[static_cast<std::size_t>(r - 1)], false);
    for (auto _ : state) sheet->recalcAll();
    double check = 0.0;
    sheet->getFloat(5, 7, check);
    if (check != 14.0) state.SkipWithError("wrong result");
    state.SetItemsProcessed(state.iterations() * bench::kFormulaCount);
}

void Ours_c_SetAndEvaluate(benchmark::State& state) {
    auto sheet = valuesSheet(100);
    const std::string text = bench::formulaOf(7);
    Zrk_String value;
    for (auto _ : state) {
        sheet->setFormula(5, 7, text);
        sheet->getValue(5, 7, value);
        benchmark::DoNotOptimize(value.data());
    }
    if (value != "14") state.SkipWithError("wrong result");
}

void Ours_d_ChainRecalc(benchmark::State& state) {
    Sheet sheet;
    sheet.setMaxCols(2);
    sheet.setMaxRows(bench::kChainLength);
    sheet.setData(1, 1, "1");
    for (int r = 2; r <= bench::kChainLength; ++r) sheet.setFormula(1, r, "A" + std::to_string(r - 1) + "+1");
    int head = 1;
    for (auto _ : state) sheet.setData(1, 1, std::to_string(++head)); // automatic recalculation
    double last = 0.0;
    sheet.getFloat(1, bench::kChainLength, last);
    if (last != head + bench::kChainLength - 1) state.SkipWithError("wrong result");
    state.SetItemsProcessed(state.iterations() * bench::kChainLength);
}

std::string fileSheetPath() { return "/tmp/spreadlib-bench-" + std::to_string(::getpid()) + ".kvs"; }

// 100,000 cells: numbers, texts, formulas and number cells, 25,000 rows of each.
std::unique_ptr<Sheet> fileSheet() {
    constexpr int rows = bench::kFileCells / 4;
    auto sheet = std::make_unique<Sheet>();
    sheet->setMaxCols(4);
    sheet->setMaxRows(rows);
    sheet->setBool(spreadlib::kOptionAutoCalc, false);
    sheet->SSSetTypeNumber(4, 1, 4, rows, spreadlib::kStyleNumberCell, 2, -1e9, 1e9, false);
    for (int r = 1; r <= rows; ++r) {
        sheet->setData(1, r, std::to_string(r));
        sheet->setData(2, r, "Plate " + std::to_string(r));
        sheet->setFormula(3, r, "A" + std::to_string(r) + "*2", true);
        sheet->setValue(4, r, std::to_string(r * 1.25));
    }
    return sheet;
}

void Ours_e_Save(benchmark::State& state) {
    auto sheet = fileSheet();
    Zrk_String message;
    for (auto _ : state)
        if (!sheet->saveToFile(fileSheetPath(), message)) state.SkipWithError("save failed");
    state.SetItemsProcessed(state.iterations() * bench::kFileCells);
}

void Ours_e_Load(benchmark::State& state) {
    Zrk_String message;
    fileSheet()->saveToFile(fileSheetPath(), message);
    Sheet sheet;
    for (auto _ : state)
        if (!sheet.loadFromFile(fileSheetPath(), message)) state.SkipWithError("load failed");
    std::filesystem::remove(fileSheetPath());
    state.SetItemsProcessed(state.iterations() * bench::kFileCells);
}

} // namespace

BENCHMARK(Ours_a_Parse)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_b_BatchEvaluate)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_c_SetAndEvaluate)->Unit(benchmark::kMicrosecond);
BENCHMARK(Ours_d_ChainRecalc)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_e_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_e_Load)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
