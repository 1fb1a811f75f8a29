#pragma once
// Preview pictures of the macro library's connection drawings, for the select-macro dialog's
// thumbnails: a drawing shown small (its members, plates, profiles and bolts as a sketch), with its
// name. A preview lies beside its drawing under the drawing's name with its own extension.

#include "core/zrk_string.h"

// Makes the preview of each drawing (the file beside it, with that extension: "abm"), written
// atomically. A drawing that cannot be read, or a preview that cannot be written, is passed over:
// previews are a convenience and the caller goes on without them. Answers how many were made.
int CreatePreviewBMPs(const Zrk_StringArray& drawings, const Zrk_String& extension);

namespace ui {
// The preview of one drawing as BMP bytes; false when the drawing cannot be read.
bool drawMacroPreview(const Zrk_String& drawingPath, std::string& bmpBytes);
} // namespace ui
