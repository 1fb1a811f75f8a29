// DSTV point group files: any bytes must be read as a group or refused with a reason, leaving the
// points as they were; a group read is written and read again to the same points.
#include <cstddef>
#include <cstdint>

#include "core/dstv_points.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Zrk_String text(reinterpret_cast<const char*>(data), size);
    Zrk_StringArray lines;
    strToArr(text, lines, '\n');
    DlgDstvPoints group;
    group.points.append(Zrk_DstvPointInfo("kept"));
    const DlgDstvPoints before = group;
    Zrk_String message;
    if (!group.fromText(lines, "fuzz", &message)) {
        if (message.empty() || !(group == before)) __builtin_trap();
        return 0;
    }
    Zrk_StringArray written;
    strToArr(group.toText(), written, '\n');
    DlgDstvPoints again;
    if (!again.fromText(written, "fuzz", &message) || again.points.length() != group.points.length())
        __builtin_trap();
    return 0;
}
