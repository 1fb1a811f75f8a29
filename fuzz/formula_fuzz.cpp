// Formula text: any bytes must be refused with a message or parse, evaluate and print back to a text
// that parses to the same formula, in both reference styles.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "spreadlib/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool r1c1 = data[0] & 1;
    const Zrk_String text(reinterpret_cast<const char*>(data + 1), size - 1);
    spreadlib::Sheet sheet;
    sheet.setMaxCols(30);
    sheet.setMaxRows(30);
    sheet.setData(1, 1, "2");
    sheet.setData(2, 1, "text");
    sheet.setData(1, 2, "0");
    sheet.SSAddCustomFunctionExt("CUSTOM", 0, 3, [](spreadlib::ValueRecord& out, const spreadlib::ValueRecord* args, int count) -> long {
        out.setLong(count);
        return count > 0 && args[0].status == spreadlib::kStatusValid;
    });
    if (r1c1) sheet.SSSetRefStyle(spreadlib::kRefStyleR1C1);
    Zrk_String message;
    if (!sheet.setFormula(5, 5, text, true, &message)) {
        if (message.empty()) std::abort();
        return 0;
    }
    Zrk_String printed, value;
    sheet.getFormula(5, 5, printed);
    sheet.getValue(5, 5, value);
    // What prints must parse again, to the same formula and the same value.
    if (!sheet.setFormula(6, 6, printed, true, &message)) std::abort();
    Zrk_String again;
    sheet.getFormula(6, 6, again);
    if (!r1c1) {
        // In A1 style the text does not depend on where the formula stands... unless it has
        // relative references: compare at the same cell.
        sheet.setFormula(5, 5, printed);
        sheet.getFormula(5, 5, again);
        if (again != printed) std::abort();
    }
    // Structure changes must keep every formula printable and parseable.
    sheet.insertRows(3, 2);
    sheet.deleteCols(1);
    sheet.copyRange(1, 1, 10, 10, 3, 3);
    Zrk_String after;
    for (int c = 1; c <= 30; ++c)
        for (int r = 1; r <= 30; ++r)
            if (sheet.getFormula(c, r, after) && !after.empty()) {
                spreadlib::Sheet probe;
                if (r1c1) probe.SSSetRefStyle(spreadlib::kRefStyleR1C1);
                probe.SSAddCustomFunctionExt("CUSTOM", 0, 3, [](spreadlib::ValueRecord&, const spreadlib::ValueRecord*, int) -> long { return 1; });
                if (!probe.setFormula(c, r, after, true, &message)) std::abort();
            }
    return 0;
}
