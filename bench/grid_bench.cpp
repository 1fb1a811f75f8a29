// Benchmarks of the grid window: a grid of 10,000 rows filled the way the module's dialogs fill
// theirs (counts, a text column type, five columns of values, fonts and equal widths), in a dialog on
// the screen and in a hidden dialog as the standards engine uses them; making a hidden dialog with its
// grid; and scrolling the filled grid from the top to the bottom a page at a time, each page drawn.
//   build-bench/bin/grid_bench --benchmark_repetitions=7 --benchmark_report_aggregates_only=true
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

#include "core/text.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"
#include "ui/resources.h"

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 5;
constexpr int kTemplate = 9991;

class Host : public ui::Dialog {
public:
    Host() : ui::Dialog(kTemplate) {}
    Zrk_Spread grid;

protected:
    bool onInitDialog() override {
        grid.attach(this, 1196);
        grid.applyStandardLook(true);
        return true;
    }
};

void registerTemplate() {
    using ui::Kind;
    ui::hostResources().addTemplate(ui::DialogTemplate(kTemplate, "Grid", 400, 260,
                                                       {
                                                           {1196, Kind::Placeholder, "", 7, 7, 386, 246},
                                                       }));
}

// The columns of a member list.
const std::vector<Zrk_StringArray>& columns() {
    static const std::vector<Zrk_StringArray> values = [] {
        std::vector<Zrk_StringArray> all(kColumns);
        for (int row = 1; row <= kRows; ++row) {
            all[0].append("Member " + intToStr(row));
            all[1].append(row % 2 ? "HEA 200" : "IPE 300");
            all[2].append(doubleToStr(1000.0 + row * 0.5, 1));
            all[3].append(row % 3 ? "S235" : "S355");
            all[4].append(intToStr(row % 17));
        }
        return all;
    }();
    return values;
}

void fill(Zrk_Spread& grid) {
    grid.setRedraw(false);
    grid.setNrCols(kColumns);
    grid.setColumnHeaders({"Name", "Profile", "Length", "Material", "Count"});
    grid.setNrRows(kRows);
    grid.setTextCells(1, 1, 2, kRows);
    for (int column = 1; column <= kColumns; ++column)
        grid.fillColumn(column, columns()[column - 1]);
    grid.equalWidths();
    grid.setRedraw(true);
}

void BM_FillShownGrid(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto host = std::make_unique<Host>();
        host->create();
        host->show();
        QApplication::processEvents();
        state.ResumeTiming();
        fill(host->grid);
        QApplication::processEvents(); // the first drawing of the filled grid
        state.PauseTiming();
        host->destroyWindow();
        host.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillShownGrid)->Unit(benchmark::kMillisecond);

void BM_FillHiddenGrid(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto host = std::make_unique<Host>();
        host->create();
        state.ResumeTiming();
        fill(host->grid);
        state.PauseTiming();
        host->destroyWindow();
        host.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillHiddenGrid)->Unit(benchmark::kMillisecond);

// A hidden dialog with its grid made and destroyed, as a pool of standards dialogs grows.
void BM_MakeHiddenGridDialog(benchmark::State& state) {
    for (auto _ : state) {
        Host host;
        host.create();
        host.destroyWindow();
    }
}
BENCHMARK(BM_MakeHiddenGridDialog)->Unit(benchmark::kMicrosecond);

// Page by page from the top to the bottom, each page drawn as the screen would show it.
void BM_ScrollGrid(benchmark::State& state) {
    Host host;
    host.create();
    host.show();
    fill(host.grid);
    QApplication::processEvents();
    QTableView* view = host.grid.view();
    QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    int pages = 0;
    for (auto _ : state) {
        QScrollBar* bar = view->verticalScrollBar();
        for (int value = 0; value <= bar->maximum(); value += bar->pageStep()) {
            bar->setValue(value);
            QPainter painter(&image);
            view->viewport()->render(&painter);
            ++pages;
        }
        bar->setValue(0);
    }
    state.counters["pages"] = benchmark::Counter(pages, benchmark::Counter::kAvgIterations);
    host.destroyWindow();
}
BENCHMARK(BM_ScrollGrid)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    registerTemplate();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
