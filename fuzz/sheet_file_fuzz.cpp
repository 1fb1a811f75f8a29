// Spreadsheet files: any bytes must load or fail with a message that names the file, leaving the
// sheet as it was; what loads must save to text that loads to the same sheet.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "spreadlib/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    spreadlib::Sheet sheet;
    sheet.setMaxCols(3);
    sheet.setMaxRows(3);
    sheet.setData(1, 1, "before");
    const std::string before = sheet.saveToText();
    Zrk_String message;
    if (!sheet.loadFromText(text, "fuzz.kvs", message)) {
        if (message.rfind("fuzz.kvs: ", 0) != 0) std::abort();
        if (sheet.saveToText() != before) std::abort();
        return 0;
    }
    const std::string saved = sheet.saveToText();
    spreadlib::Sheet again;
    if (!again.loadFromText(saved, "again.kvs", message)) std::abort();
    if (again.saveToText() != saved) std::abort();
    // The loaded sheet must stand every operation.
    sheet.recalcAll();
    sheet.insertRows(1);
    sheet.deleteCols(1);
    sheet.exportCsvText(true, false);
    return 0;
}
