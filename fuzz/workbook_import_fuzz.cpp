// Workbooks (.xlsx, .ods): any bytes must import or fail with a message naming the file. The first
// byte chooses how the rest is used (its value modulo 4): 0 as the worksheet part of an .xlsx, 1 as
// the content part of an .ods (each wrapped in an otherwise sound workbook, so that the fuzzer works
// on the XML the cells come from), 2 as a whole .xlsx file, 3 as a whole .ods file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "spreadlib/workbook_import.h"
#include "workbook_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int mode = data[0] % 4;
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    using spreadlib::WorkbookKind;
    const WorkbookKind kind = mode % 2 == 0 ? WorkbookKind::Xlsx : WorkbookKind::Ods;
    std::string bytes = rest;
    if (mode == 0) {
        // A second sheet brings shared strings for the fuzzed sheet's string cells to point at.
        bytes = spreadlib::test::xlsxWorkbook(
            {{"S", {}}, {"T", {{"A1", "s:Input"}, {"A2", "s:007"}, {"A3", "s:x"}}}}, &rest);
    } else if (mode == 1) {
        bytes = spreadlib::test::odsWorkbook({}, &rest);
    }
    spreadlib::Sheet sheet;
    spreadlib::WorkbookReport report;
    Zrk_String message;
    const Zrk_String fileName = kind == WorkbookKind::Xlsx ? "fuzz.xlsx" : "fuzz.ods";
    if (!spreadlib::importWorkbookBytes(sheet, bytes, kind, fileName, "", report, message)) {
        if (message.rfind(fileName + ": ", 0) != 0) std::abort();
        return 0;
    }
    // What was read is a sheet like any other: it saves and loads back.
    Zrk_String error;
    spreadlib::Sheet again;
    if (!again.loadFromText(sheet.saveToText(), "again.kvs", error)) std::abort();
    return 0;
}
