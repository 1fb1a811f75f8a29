#include "sshost/cutting_stock_library.h"

namespace sshost {

DlgCSP2Data libraryCuttingStockRecord(bool stockMode) {
    DlgCSP2Data data;
    data.stockMode = stockMode;
    data.tables[DlgCSP2Data::kCutTable].columnHeaders = {"Length", "Count", "Mark"};
    data.tables[DlgCSP2Data::kStockTable].columnHeaders = {"Length", "Count", "Place"};
    data.tables[DlgCSP2Data::kPurchaseTable].columnHeaders = {"Length", "Count", "Price"};
    return data;
}

} // namespace sshost
