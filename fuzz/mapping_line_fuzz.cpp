// Mapping lines: any bytes must parse without harm, and what parses must store and load back into a
// mapping that stores again without changing the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/files.h"
#include "fuzz_library.h"
#include "standards/ss_mapping.h"

namespace {

bool sameEntry(const KvObjectMap& a, const KvObjectMap& b) {
    return a.ssVar == b.ssVar && a.groupName == b.groupName && a.macroVar == b.macroVar && a.type == b.type;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = fuzz::standardsFolder("fuzz_mapping");
    const Zrk_String line(reinterpret_cast<const char*>(data), size);

    KvSSMapping parsed;
    if (parsed.initMappingFromLine(line) != Acad::eOk) return 0;
    for (const KvObjectMap& entry : parsed.mappedObjects()) {
        Zrk_String macroSide, ssSide;
        if (entry.setMappingToStrs(macroSide, ssSide) != Acad::eOk) std::abort();
    }

    ObjectExportDeleteFile(folder + "F.map");
    if (parsed.setMappingToFile("F", "Key") != Acad::eOk) std::abort();
    KvSSMapping loaded;
    if (loaded.getMappingFromFile("F", "Key") != Acad::eOk) std::abort();
    // Only entries of the parsed mapping are stored, each variable once.
    for (const KvObjectMap& entry : loaded.mappedObjects()) {
        bool found = false;
        for (const KvObjectMap& original : parsed.mappedObjects()) found = found || sameEntry(entry, original);
        if (!found) std::abort();
    }
    std::string before, after;
    if (!readFileBytes(folder + "F.map", before)) std::abort();
    if (loaded.setMappingToFile("F", "KEY") != Acad::eOk) std::abort();
    if (!readFileBytes(folder + "F.map", after) || after != before) std::abort();
    return 0;
}
