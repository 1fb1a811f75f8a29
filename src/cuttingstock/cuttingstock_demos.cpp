// Demonstrations of the cutting-stock input dialog for the host shell (module/demo_dialogs.h), on a
// temporary copy of the library's "Cutting Stock/" folder, so that a person may load, save and add
// groups without changing the library:
//   sshost dialog cutting-stock               the full mode: three groups, the lengths to cut of each
//   sshost dialog cutting-stock-stock-mode    the stock mode: only the stock lengths are edited

#include "core/csp2_library.h"
#include "cuttingstock/dlg_csp2.h"
#include "module/demo_dialogs.h"
#include "module/temporary_library.h"

namespace {

void addRows(DlgCSP2Data& data, int table, int groupId, std::initializer_list<Zrk_StringArray> rows) {
    for (const Zrk_StringArray& row : rows) {
        data.tables[table].rows.append(row);
        data.tables[table].rowGroupIds.append(groupId);
    }
}

// Three groups as the product hands them in: "HEA 200" and "IPE 300" have files in the sample
// library, "L 50x5" has none yet.
DlgCSP2Data sampleRecord(bool stockMode) {
    DlgCSP2Data data = CuttingStockLibrary::newRecord(stockMode);
    const int hea = data.addGroup("HEA 200");
    const int ipe = data.addGroup("IPE 300");
    const int angle = data.addGroup("L 50x5");
    addRows(data, DlgCSP2Data::kCutTable, hea, {{"3450", "4", "C1"}, {"2980", "2", "C2"}});
    addRows(data, DlgCSP2Data::kCutTable, ipe,
            {{"5800", "6", "B1"}, {"4200", "3", "B2"}, {"1250", "8", "B3"}});
    addRows(data, DlgCSP2Data::kCutTable, angle, {{"1800", "12", "V1"}});
    addRows(data, DlgCSP2Data::kStockTable, hea, {{"6000", "4", "Hall A"}, {"12000", "2", "Hall A"}});
    addRows(data, DlgCSP2Data::kStockTable, ipe, {{"12000", "5", "Hall B"}});
    addRows(data, DlgCSP2Data::kPurchaseTable, ipe, {{"12000", "1", "84.50"}, {"15000", "1", "105.00"}});
    return data;
}

Zrk_String demoCuttingStock(bool stockMode) {
    frame::TemporaryLibrary library({"Cutting Stock"});
    if (!library.ok()) return "The library could not be copied into a temporary folder.";
    DlgCSP2Data data = sampleRecord(stockMode);
    if (!StartDlgCSP2(data)) return "Cancelled.";
    return data.summary() + " (files on a copy of the library, not kept)";
}

Zrk_String demoFullMode() {
    return demoCuttingStock(false);
}

Zrk_String demoStockMode() {
    return demoCuttingStock(true);
}

[[maybe_unused]] const bool kFullDemo = frame::registerDemoDialog("cutting-stock", &demoFullMode);
[[maybe_unused]] const bool kStockDemo =
    frame::registerDemoDialog("cutting-stock-stock-mode", &demoStockMode);

} // namespace
