// Whole mapping files: any bytes read without harm; the mapping of any key in them stores under a new
// key and loads back equal to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/files.h"
#include "fuzz_library.h"
#include "standards/mapping_file.h"
#include "standards/ss_mapping.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = fuzz::standardsFolder("fuzz_mapping_file");
    if (!writeFileAtomically(folder + "F.map", std::string(reinterpret_cast<const char*>(data), size))) std::abort();
    Zrk_StringArray lines;
    if (!standards::readMappingLines(standards::mappingFilePath("F"), lines)) std::abort();
    Zrk_String key;
    KvSSMapping any;
    any.hasSameMapping("F", key);
    for (int i = 0; i < lines.length() && i < 8; ++i) {
        const Zrk_String lineKey = standards::mappingLineKey(lines[i]);
        KvSSMapping mapping;
        standards::mappingProblem("F", lineKey);
        if (mapping.getMappingFromFile("F", lineKey) != Acad::eOk) continue;
        // Stored under a key of its own, it loads back with the same entries.
        const Zrk_String stored = "Stored" + std::to_string(i);
        if (mapping.setMappingToFile("F", stored) != Acad::eOk) continue; // a file it cannot take stays
        KvSSMapping loaded;
        if (loaded.getMappingFromFile("F", stored) != Acad::eOk || !loaded.isEqual(mapping)) std::abort();
    }
    return 0;
}
