#pragma once
// The module's resources: its dialog templates, bitmaps and icons, which the windowing framework finds
// once the module has joined the framework's chain of libraries at attach time. A dialog's source file
// registers its template with one line at static initialisation:
//
//   [[maybe_unused]] static const bool kRegistered = frame::registerTemplate(kTextInputTemplate);
//
// Bitmaps and icons are the PNG files of the resource folder (core::resourceFolder(): bitmaps/,
// icons/), named by resource number.

#include "ui/dialog.h"
#include "ui/resources.h"

namespace frame {

ui::ResourceSet& moduleResources();
// Adds the template to the module's resources; always true (for static registration).
bool registerTemplate(const ui::DialogTemplate& dialogTemplate);
// Gives a control its text from the language's main table (dialString); where the table has no such
// text the template's own text stays, so a dialog never shows an empty label.
void setItemTextFromTable(ui::Dialog& dialog, int id, int textId);

} // namespace frame

// The two faces of the picture check boxes in the macro dialogs' grids (bitmap resources 8134 and
// 8136), loaded at the initialisation message and emptied at detach.
extern ui::Bitmap gCheckBoxCheckedBitmap;
extern ui::Bitmap gCheckBoxUncheckedBitmap;
