// Drawing files and section table files: any bytes must be read or refused with a message; a drawing
// that reads must write text that reads back to the same macros and the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/drawing.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<core::DrawingMacroRecord> macros;
    Zrk_String message;
    if (!core::parseDrawingText(text, "fuzz.json", macros, &message)) {
        if (message.empty()) std::abort();
        return 0;
    }
    const std::string written = core::drawingText(macros);
    std::vector<core::DrawingMacroRecord> again;
    if (!core::parseDrawingText(written, "again.json", again, &message)) std::abort();
    if (again.size() != macros.size()) std::abort();
    for (std::size_t i = 0; i < macros.size(); ++i)
        if (again[i].id != macros[i].id || !(again[i].macro == macros[i].macro)) std::abort();
    if (core::drawingText(again) != written) std::abort();

    core::Drawing drawing;
    if (!drawing.fromText(text, "fuzz.json", &message) || drawing.isModified()) std::abort();
    return 0;
}
