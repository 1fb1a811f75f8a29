// Property-list files and settings files: any bytes must parse or fail cleanly; what parses must
// write back to text that parses to the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/properties_list.h"
#include "core/settings.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Zrk_String text(reinterpret_cast<const char*>(data), size);
    Zrk_StringArray lines;
    strToArr(text, lines, '\n');

    Zrk_PropertiesList list;
    if (list.fromText(lines, "fuzz")) {
        Zrk_StringArray written;
        strToArr(list.toText(), written, '\n');
        Zrk_PropertiesList again;
        if (!again.fromText(written, "again") || !(again == list)) std::abort();
    }

    Zrk_Settings settings;
    Zrk_String message;
    settings.applySettingsLines(lines, "fuzz", &message);
    return 0;
}
