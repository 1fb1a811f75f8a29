// The CIS/2 section-name translation file: any bytes must be read as a sound table or refused with a
// reason, leaving the lists as they were; a table read is written and read again to the same table.
#include <cstddef>
#include <cstdint>

#include "core/section_translation.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Zrk_String text(reinterpret_cast<const char*>(data), size);
    Zrk_StringArray lines;
    strToArr(text, lines, '\n');
    Zrk_StringArray names{"kept"};
    Zrk_StringArray cis2Names{"KEPT"};
    Zrk_String message;
    if (!core::parseSectionTranslation(lines, "fuzz", names, cis2Names, &message)) {
        if (message.empty() || names != Zrk_StringArray{"kept"} || cis2Names != Zrk_StringArray{"KEPT"})
            __builtin_trap();
        return 0;
    }
    if (!core::checkSectionTranslation(names, cis2Names)) __builtin_trap();
    Zrk_StringArray againNames;
    Zrk_StringArray againCis2Names;
    if (!core::parseSectionTranslation(core::sectionTranslationLines(names, cis2Names), "fuzz", againNames,
                                       againCis2Names) ||
        againNames != names || againCis2Names != cis2Names)
        __builtin_trap();
    return 0;
}
