// The macro-name table: any bytes must parse or fail cleanly, and a look-up never fails.
#include <cstddef>
#include <cstdint>

#include "core/macro_langs.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Zrk_String text(reinterpret_cast<const char*>(data), size);
    Zrk_StringArray lines;
    strToArr(text, lines, '\n');
    MacroLangs names;
    Zrk_String message;
    const bool parsed = names.parse(lines, "fuzz", &message);
    if (!parsed && (message.empty() || names.entryCount() != 0)) __builtin_trap();
    for (int i = 0; i < lines.length() && i < 8; ++i) {
        Zrk_StringArray cells;
        strToArr(lines[i], cells, '\t');
        if (!cells.isEmpty()) names.GetString("", cells[0]);
    }
    return 0;
}
