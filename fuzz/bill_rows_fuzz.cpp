// Bill rows files (CSV): any bytes must read without harm or be refused with a message; what reads
// writes back as a rows file that reads to the same rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bill/bill_rows_file.h"
#include "core/text.h"
#include "spreadlib/csv.h"

namespace {

Zrk_StringArray tagged(const char* word, const Zrk_StringArray& fields) {
    Zrk_StringArray record = {word};
    record.append(fields);
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bill::BillRows rows;
    Zrk_String message;
    if (!bill::parseBillRows(std::string(reinterpret_cast<const char*>(data), size), "fuzz.csv", rows, message)) {
        if (message.empty()) std::abort();
        return 0;
    }
    std::vector<Zrk_StringArray> records = {tagged("columns", rows.columnNames)};
    Zrk_StringArray kinds;
    for (const int kind : rows.columnKinds) kinds.append(intToStr(kind));
    if (!kinds.isEmpty()) records.push_back(tagged("kinds", kinds));
    for (const bill::BillRows::Row& row : rows.rows) records.push_back(tagged(row.subtotal ? "subtotal" : "row", row.strings));
    for (int i = 0; i < rows.variableNames.length(); ++i)
        records.push_back({"variable", rows.variableNames[i], rows.variableValues[i]});

    bill::BillRows again;
    if (!bill::parseBillRows(spreadlib::writeCsv(records), "again.csv", again, message)) std::abort();
    if (!(again == rows)) std::abort();
    return 0;
}
