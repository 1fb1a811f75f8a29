#pragma once
// Sheets and their document settings: preparing a new sheet from named settings, and saving a sheet
// with its settings (header and footer files moved next to the saved file).

#include "core/zrk_string.h"

class Zrk_Spread;

// Prepares the grid as a new document sheet, in this order: options 12, 25, 7 (automatic
// recalculation) and 21 on; 6 columns and 11 rows of edit cells (style 4, at most 100 characters);
// the settings named so, else the editor's default settings (editor_defaults.h), else the built-in
// defaults, written into the tag of cell (0, 0); when the settings name a font (face not empty,
// height above 0), normal cells and bold headers in that font; text tips floating (mode 2) after
// 10 ms, in that font when there is one; no cell-note indicators. False when the grid is not attached.
bool prepareSheet(Zrk_Spread& grid, const Zrk_String& settingsName);

// Saves the grid to path. When the save succeeded: the changed flag (option 30) is cleared, the
// settings are read from the grid, the header file (or, when that was not moved, the footer file) is
// moved next to the saved file, and when one was moved the settings are applied to the grid again
// (the file is not saved a second time: the new path lives in the grid). False when the save failed;
// the grid's lastFileMessage() says why.
bool saveWithSettings(Zrk_Spread& grid, const Zrk_String& path);
