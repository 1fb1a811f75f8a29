// Drawing files of both editions: any bytes must be read or refused with a message; a drawing
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
    core::DrawingContent content;
    Zrk_String message;
    if (!core::parseDrawingText(text, "fuzz.json", content, &message)) {
        if (message.empty()) std::abort();
        return 0;
    }
    // Whichever edition was read, what is written is the newest and reads back to the same content.
    const std::string written = core::drawingText(content);
    core::DrawingContent again;
    if (!core::parseDrawingText(written, "again.json", again, &message)) std::abort();
    again.version = content.version;
    if (!(again == content)) std::abort();
    if (core::drawingText(again) != written) std::abort();

    core::Drawing drawing;
    if (!drawing.fromText(text, "fuzz.json", &message) || drawing.isModified()) std::abort();
    return 0;
}
