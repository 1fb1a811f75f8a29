// Benchmark of one standards evaluation end to end, from StartDlgStandardsSS to the data copied back:
// a generated sheet with 100 inputs, 100 outputs, 400 equations (10 of them look-ups in a table file
// of 10,000 lines) and 2 child calls, evaluated as a caller's child (mode 1). After the runs the
// phase timers of the engine are printed as the mean time per evaluation.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "core/settings.h"
#include "frame/standards_entry.h"
#include "host/module_entry.h"
#include "spreadlib/sheet.h"
#include "standards/loaded_sheets.h"
#include "standards/standards_data.h"
#include "standards/standards_timers.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

namespace fs = std::filesystem;

constexpr int kInputs = 100;
constexpr int kOutputs = 100;
constexpr int kLocals = 300;
constexpr int kLookups = 10;
constexpr int kTableLines = 10000;
constexpr int kPerRow = 5; // declarations per row

void save(spreadlib::Sheet& sheet, const fs::path& path) {
    Zrk_String message;
    if (!sheet.saveToFile(path.string(), message)) std::fprintf(stderr, "%s\n", message.c_str());
}

// The child: Out = A * B + 1.
void writeChild(const fs::path& path) {
    spreadlib::Sheet sheet;
    sheet.setMaxCols(2);
    sheet.setMaxRows(6);
    const char* cells[6][2] = {{"Input", ""}, {"Double A", "Double B"}, {"Output", ""}, {"Double Out", ""},
                               {"Calc", ""}, {"Out = A * B + 1", ""}};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 2; ++c)
            if (*cells[r][c]) sheet.setData(c + 1, r + 1, cells[r][c]);
    save(sheet, path);
}

// The parent. Outputs 1..98 and 290 locals are equations over the inputs and earlier locals; 10
// locals look up the table; outputs 99 and 100 come from the two child calls.
void writeParent(const fs::path& path) {
    spreadlib::Sheet sheet;
    int row = 0;
    const auto declare = [&](const char* header, const char* prefix, int count) {
        sheet.setData(1, ++row, header);
        for (int i = 0; i < count; ++i) {
            if (i % kPerRow == 0) ++row;
            sheet.setData(i % kPerRow + 1, row, Zrk_String("Double ") + prefix + std::to_string(i + 1));
        }
    };
    sheet.setMaxCols(kPerRow);
    sheet.setMaxRows(2000);
    declare("Input", "In", kInputs);
    declare("Output", "Out", kOutputs);
    declare("Local", "L", kLocals);
    sheet.setData(1, ++row, "Calc");
    int equations = 0;
    const auto equation = [&](const Zrk_String& text) {
        const int column = equations % kPerRow + 1;
        if (column == 1) ++row;
        sheet.setData(column, row, text);
        ++equations;
    };
    for (int i = 1; i <= kLookups; ++i)
        equation("L" + std::to_string(i) + " = TONUMBER(GETCELL(\"big.txt\", ROUNDTO(In" + std::to_string(i) + ", 1)))");
    for (int i = kLookups + 1; i <= kLocals; ++i)
        equation("L" + std::to_string(i) + " = L" + std::to_string(i - 1) + " * 0.5 + In" +
                 std::to_string((i * 7) % kInputs + 1) + " + ROUND(In" + std::to_string((i * 3) % kInputs + 1) + " / 3, 2)");
    for (int i = 1; i <= kOutputs - 2; ++i)
        equation("Out" + std::to_string(i) + " = IF(L" + std::to_string(i * 3) + " > 100, L" + std::to_string(i * 3) +
                 " - 100, L" + std::to_string(i * 3 - 1) + ") + In" + std::to_string(i));
    sheet.setData(1, ++row, "CallChild(\"Child.kvs\", In1, In2, Out99)");
    sheet.setData(2, row, "CallChild(\"Child.kvs\", In3, In4, Out100)");
    sheet.setMaxRows(row);
    save(sheet, path);
    if (equations != kLookups + (kLocals - kLookups) + kOutputs - 2)
        std::fprintf(stderr, "unexpected count of equations: %d\n", equations);
}

void writeTable(const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    out << "// key\tvalue\n";
    for (int i = 1; i <= kTableLines; ++i) out << i << ".000000\t" << (i * 3 + 0.5) << "\n";
}

struct Library {
    fs::path folder;
    Library() {
        folder = fs::temp_directory_path() / ("ss_standards_bench_" + std::to_string(::getpid()));
        fs::create_directories(folder / "Connection Standards" / "Data");
        writeChild(folder / "Connection Standards" / "Child.kvs");
        writeParent(folder / "Connection Standards" / "Generated.kvs");
        writeTable(folder / "Connection Standards" / "Data" / "big.txt");
        gSettings.libDir = folder.string() + "/";
        // The sheets were written a moment ago and do not change: they are kept from the first
        // evaluation on, as a library's files that settled long ago are.
        standards::loadedSheets().setSettlingTime(std::chrono::milliseconds(0));
    }
    ~Library() { fs::remove_all(folder); }
};

KvDlgStandardsData callerData() {
    KvDlgStandardsData data;
    data.mode = KvDlgStandardsData::kEvaluateAsChild;
    data.ssName = "Generated";
    for (int i = 1; i <= kInputs; ++i) {
        KvVarCell cell;
        cell.name = "In" + std::to_string(i);
        cell.valueType = KvValueType::Double;
        cell.value = std::to_string((i * 97) % kTableLines + 1);
        data.varCells.append(cell);
    }
    for (int i = 1; i <= kOutputs; ++i) {
        KvVarCell cell;
        cell.name = "Out" + std::to_string(i);
        cell.role = KvCellType::Output;
        cell.valueType = KvValueType::Double;
        data.varCells.append(cell);
    }
    return data;
}

void BM_StandardsEvaluation(benchmark::State& state) {
    const KvDlgStandardsData prepared = callerData();
    int count = 0;
    Zrk_Timer* const* timers = standards::allTimers(count);
    for (int i = 0; i < count; ++i) timers[i]->reset();
    long long runs = 0;
    for (auto _ : state) {
        KvDlgStandardsData data = prepared;
        if (!StartDlgStandardsSS(data)) state.SkipWithError("the evaluation failed");
        benchmark::DoNotOptimize(data.varCells[kInputs + kOutputs - 1].value);
        ++runs;
    }
    // Phase times per evaluation (the child's phases are part of its caller's gCalcCells).
    std::fprintf(stderr, "\nphase timers, mean per evaluation (%lld runs):\n", runs);
    for (int i = 0; i < count; ++i)
        if (timers[i]->runs() > 0)
            std::fprintf(stderr, "  %-30s %9.1f us  (%lld intervals)\n", timers[i]->name().c_str(),
                         timers[i]->seconds() * 1e6 / static_cast<double>(runs), timers[i]->runs());
}
BENCHMARK(BM_StandardsEvaluation)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    int instance = 0;
    if (DllMain(&instance, host::kProcessAttach, nullptr) != 1) return 1;
    int status = 0;
    {
        Library library;
        // A first evaluation checks the sheet and warms the table cache.
        KvDlgStandardsData check = callerData();
        if (!StartDlgStandardsSS(check)) {
            std::fprintf(stderr, "The generated standard does not evaluate.\n");
            status = 1;
        } else {
            std::fprintf(stderr, "Out1=%s Out98=%s Out99=%s Out100=%s\n", check.varCells[kInputs].value.c_str(),
                         check.varCells[kInputs + 97].value.c_str(), check.varCells[kInputs + 98].value.c_str(),
                         check.varCells[kInputs + 99].value.c_str());
            benchmark::Initialize(&argc, argv);
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
        }
    }
    DllMain(&instance, host::kProcessDetach, nullptr);
    return status;
}
