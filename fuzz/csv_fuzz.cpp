// CSV: any bytes must import or fail with a message; what imports must export to CSV that imports to
// the same sheet.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "spreadlib/csv.h"
#include "spreadlib/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool header = data[0] & 1;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<Zrk_StringArray> records;
    Zrk_String message;
    if (spreadlib::parseCsv(text, records, message)) {
        std::vector<Zrk_StringArray> back;
        if (!spreadlib::parseCsv(spreadlib::writeCsv(records), back, message) || back != records) std::abort();
    } else if (message.empty()) {
        std::abort();
    }
    spreadlib::Sheet sheet;
    if (!sheet.importCsvText(text, "fuzz.csv", header, message)) {
        if (message.rfind("fuzz.csv: ", 0) != 0) std::abort();
        return 0;
    }
    const std::string exported = sheet.exportCsvText(header, false);
    spreadlib::Sheet again;
    if (!again.importCsvText(exported, "again.csv", header, message)) std::abort();
    if (again.exportCsvText(header, false) != exported) std::abort();
    return 0;
}
