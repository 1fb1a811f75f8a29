// Section table files: any bytes make a table or are refused with a message naming the file; every
// section of a table that loads is found by its system name, and its values are read without harm.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/files.h"
#include "core/section_tables.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Zrk_StringArray lines;
    core::splitLines(std::string(reinterpret_cast<const char*>(data), size), lines);
    Zrk_SectionTables tables;
    Zrk_String message;
    if (!tables.addTableFromLines("prof/F.pr", lines, message)) {
        if (message.rfind("prof/F.pr", 0) != 0) std::abort();
        return 0;
    }
    Zrk_StringArray names;
    tables.getTableNames(names);
    if (names.length() != 1 || names[0] != "F") std::abort();
    for (int i = 3; i < lines.length(); ++i) {
        Zrk_StringArray cells;
        strToArr(lines[i], cells, '\t');
        if (cells.isEmpty() || lines[i].empty()) continue;
        Zrk_String system, value;
        if (!tables.getSystemName("F-" + cells[0], system)) std::abort();
        for (int column = 0; column < 4; ++column) tables.getSectionValue(system, column, value);
        Zrk_StringArray columns;
        if (tables.getSectionColumnNames(system, columns) != Acad::eOk) std::abort();
    }
    return 0;
}
