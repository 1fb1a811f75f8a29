// Language text tables: any lines parse; the table is sorted by id with each id once, holding the text
// of the last line that gave it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/files.h"
#include "core/language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Zrk_StringArray lines;
    core::splitLines(std::string(reinterpret_cast<const char*>(data), size), lines);
    std::vector<std::pair<int, Zrk_String>> table;
    core::parseTextTable(lines, table);
    for (std::size_t i = 1; i < table.size(); ++i)
        if (table[i - 1].first >= table[i].first) std::abort();
    if (table.size() > static_cast<std::size_t>(lines.length())) std::abort();
    return 0;
}
