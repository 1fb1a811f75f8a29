// Benchmarks of the macro dialog on a generated macro of 4 tabs with 15 variables each (60 in all),
// the first tab on a designed template of the sample library, the others listing their variables in
// the grid:
//   - opening the dialog (pages built, templates read and bound, grids filled), showing each of the
//     four tabs in turn (each drawn), and closing it (goal: median under 50 ms);
//   - one apply: a value typed into a template control written into the macro of the drawing, in
//     one host transaction (goal: under 5 ms).
//   build-bench/bin/macro_dialog_bench --benchmark_repetitions=7 --benchmark_report_aggregates_only=true
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "core/settings.h"
#include "module/module_state.h"
#include "host/document.h"
#include "host/module_entry.h"
#include "macrodlg/dlg_macro.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

constexpr int kTabs = 4;
constexpr int kVariablesPerTab = 15;

// The variables of tab t: the first tab's first four are those its template shows.
std::string variableName(int tab, int index) {
    static const char* const kOnTemplate[] = {"Edge", "Pitch", "PlateHeight", "PlateWidth"};
    if (tab == 0 && index < 4) return kOnTemplate[index];
    return "V" + std::to_string(tab + 1) + "_" + std::to_string(index + 1);
}

bool writeDrawing(const std::string& path) {
    std::ofstream out(path);
    out << "{\"format\": \"ss-drawing\", \"version\": 2, \"macros\": [{\"id\": 101, \"name\": \"Bench\", "
           "\"library\": \"Bench\", \"modules\": [";
    for (int tab = 0; tab < kTabs; ++tab) {
        out << (tab ? ", " : "") << "{\"name\": \"M" << tab + 1 << "\", \"group\": \"Tab" << tab + 1 << "\"";
        if (tab == 0) out << ", \"template\": \"Dialog Templates/Dialog Design/Macro plate.txt\"";
        out << ", \"variables\": [";
        for (int i = 0; i < kVariablesPerTab; ++i)
            out << (i ? ", " : "") << "{\"name\": \"" << variableName(tab, i)
                << "\", \"value\": " << 10 * (i + 1) << ", \"label\": \"Variable " << i + 1 << "\"}";
        out << "]}";
    }
    out << "]}]}\n";
    return static_cast<bool>(out);
}

MacroData& benchData() {
    static MacroData data;
    return data;
}

void BM_OpenAndShowEachTab(benchmark::State& state) {
    ModuleResourceSwitch resources;
    for (auto _ : state) {
        DlgMacro dialog;
        dialog.macroData = benchData();
        dialog.create();
        dialog.show();
        for (int tab = 0; tab < dialog.pageCount(); ++tab) {
            dialog.selectTab(tab);
            dialog.activePage()->repaint();
        }
        dialog.destroyWindow();
    }
    state.counters["variables"] = kTabs * kVariablesPerTab;
}
BENCHMARK(BM_OpenAndShowEachTab)->Unit(benchmark::kMillisecond);

void BM_ApplyOneValue(benchmark::State& state) {
    ModuleResourceSwitch resources;
    DlgMacro dialog;
    // The macro as the drawing holds it now (earlier runs changed it).
    dialog.macroData.initFromMacros(benchData().macroIds);
    dialog.create();
    dialog.show();
    MacroPage& page = *dialog.page(0);
    int edge = 0;
    for (const MacroCellData& cell : page.tab()->cells)
        if (cell.name == "Edge") edge = cell.ctrl;
    if (edge <= 0) {
        state.SkipWithError("the template shows no edge");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        Zrk_String shown;
        page.designer.getCtrlValue(edge, shown);
        page.designer.setCtrlValue(edge, shown == "41" ? "42" : "41");
        state.ResumeTiming();
        if (!page.applyChanges()) {
            state.SkipWithError("nothing was applied");
            break;
        }
    }
    dialog.destroyWindow();
}
BENCHMARK(BM_ApplyOneValue)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SS_SETTINGS", "/nonexistent/ss-settings.ini", 1);
    QApplication application(argc, argv);
    static int instance = 0;
    if (DllMain(&instance, host::kProcessAttach, nullptr) != 1) return 1;
    gSettings.libDir = core::defaultLibraryFolder();
    QTemporaryDir folder;
    const std::string path = folder.path().toStdString() + "/bench.json";
    Zrk_String message;
    int status = 0;
    if (!writeDrawing(path) || !host::Document::current().open(path, message)) {
        std::fprintf(stderr, "The generated drawing does not open: %s\n", message.c_str());
        status = 1;
    } else if (!benchData().initFromMacros({AcDbObjectId(101)}) || benchData().tabs.length() != kTabs) {
        std::fprintf(stderr, "The generated macro has not %d tabs.\n", kTabs);
        status = 1;
    } else {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        host::Document::current().close();
    }
    DllMain(&instance, host::kProcessDetach, nullptr);
    return status;
}
