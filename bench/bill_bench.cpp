// The bill output: a bill of 10,000 rows (a subtotal after every 20) written end to end, from init to
// the saved file; and, for comparison, 1,000 rows with a picture each.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

#include "bill/bill_output.h"
#include "core/files.h"
#include "core/settings.h"
#include "core/text.h"
#include "host/document.h"
#include "host/module_entry.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

const Zrk_StringArray kColumns = {"Pos", "Qty", "Section", "Length", "Weight", "Total", "Material", "Remark"};
const Zrk_Array<int> kKinds = {1, 1, 3, 1, 2, 2, 3, 3};

Zrk_StringArray rowOf(int n) {
    return {intToStr(n), intToStr(1 + n % 7), "HEA" + intToStr(100 + n % 12 * 20), intToStr(500 + n % 5000),
            doubleToStr(3.5 + n % 97 * 1.25, 2), doubleToStr((1 + n % 7) * (3.5 + n % 97 * 1.25), 2), "S355",
            n % 3 == 0 ? "galvanised" : ""};
}

Zrk_StringArray subtotalOf(int n) { return {"", intToStr(n), "", "", "", doubleToStr(n * 12.5, 2), "", ""}; }

QTemporaryDir& folder() {
    static QTemporaryDir temporary;
    return temporary;
}

void writeBill(benchmark::State& state, int rows, bool pictures) {
    const Zrk_String file = folder().path().toStdString() + "/bill.kvs";
    Zrk_Bill bill;
    bill.columnNames = kColumns;
    bill.sectionColumn = 2;
    host::Document document;
    AcTransaction transaction(document);
    for (auto _ : state) {
        KvSSBillOutput output;
        if (output.init(file, kColumns, {}, kKinds, "", {"Project"}, {"Hall 3"}) != Acad::eOk) {
            state.SkipWithError("the bill's sheet could not be made");
            break;
        }
        output.setVars(-1, 0, 0, true, true, pictures ? &bill : nullptr, pictures ? &transaction : nullptr);
        output.onStartFeed();
        for (int n = 1; n <= rows; ++n) {
            output.onAddRow(rowOf(n));
            if (n % 20 == 0) output.onAddSubTotals(subtotalOf(n), {}, false, 1);
        }
        if (output.onEndFeed() != Acad::eOk) {
            state.SkipWithError("the bill was not saved");
            break;
        }
    }
    state.counters["rows"] = rows;
}

void BM_Bill10000Rows(benchmark::State& state) { writeBill(state, 10000, false); }
BENCHMARK(BM_Bill10000Rows)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

void BM_Bill1000RowsWithPictures(benchmark::State& state) { writeBill(state, 1000, true); }
BENCHMARK(BM_Bill1000RowsWithPictures)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SS_SETTINGS", "/nonexistent/ss-settings.ini", 1);
    QApplication application(argc, argv);
    // Neither the user's editor defaults nor the product folder's settings: the built-in ones.
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, folder().path());
    gSettings.zrkDir = folder().path().toStdString() + "/";
    static int instance = 0;
    if (DllMain(&instance, host::kProcessAttach, nullptr) != 1) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DllMain(&instance, host::kProcessDetach, nullptr);
    return 0;
}
