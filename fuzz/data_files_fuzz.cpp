// Data tables and sizes files of the standards functions: any bytes parse, or are refused as a whole
// with a message naming the file and the line; a table finds the first line of each key; sizes are
// finite numbers in pairs, and the tolerance choice among them answers a finite number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/files.h"
#include "standards/data_files.h"
#include "standards/tolerance.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Zrk_StringArray lines;
    core::splitLines(std::string(reinterpret_cast<const char*>(data), size), lines);
    Zrk_String message;

    standards::TableFile table;
    if (table.parse(lines, "t.txt", message)) {
        for (int i = 0; i < table.lines.length(); ++i) {
            const int first = table.findKey(table.lines[i].key);
            if (first < 0 || first > i || table.lines[first].key != table.lines[i].key) std::abort();
        }
    } else if (message.rfind("t.txt, line ", 0) != 0 || !table.lines.isEmpty()) {
        std::abort();
    }

    standards::SizesFile sizes;
    if (sizes.parse(lines, "s.txt", message)) {
        if (sizes.sizes.length() != sizes.thicknesses.length()) std::abort();
        for (int i = 0; i < sizes.sizes.length(); ++i)
            if (!std::isfinite(sizes.sizes[i]) || !std::isfinite(sizes.thicknesses[i])) std::abort();
        if (!std::isfinite(standards::chooseWithTolerance(sizes.sizes, 103.0, 5.0, 20.0, 5.0))) std::abort();
    } else if (message.rfind("s.txt, line ", 0) != 0 || !sizes.sizes.isEmpty()) {
        std::abort();
    }
    return 0;
}
