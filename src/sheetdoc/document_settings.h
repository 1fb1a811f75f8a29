#pragma once
// Document settings of a spreadsheet: default font, margins, print options, header and footer
// picture files and named document variables, which the companion spreadsheet editor uses to show
// and print the sheet. They live in two places: in the tag of the sheet's cell (0, 0), and in named
// settings files "<product folder><name>.kvd", which this module only reads. Both hold a
// SettingsStore in its text form (settings_store.h).
//
// A record is short-lived: made, filled from a grid or a file, used and dropped.

#include "core/zrk_string.h"
#include "sheetdoc/settings_store.h"

class Zrk_Spread;
namespace spreadlib {
class Sheet;
}

class DocumentSettings {
public:
    DocumentSettings() = default;

    Zrk_Spread* grid = nullptr; // the grid the settings were read from
    bool loaded = false;        // set by every read
    Zrk_String headerFile;      // as stored: may be relative to the document or hold '\'
    Zrk_String footerFile;
    Zrk_String defaultFont = "Tahoma";
    int defaultTextHeight = 13;
    int marginLeft = 9;
    int marginRight = 5;
    int marginTop = 5;
    int marginBottom = 5;
    bool smartPrint = true;
    bool colors = true;
    bool colHeader = true;
    bool rowHeader = true;
    bool cellSeperators = true;
    bool border = true;
    Zrk_StringArray varNames;
    Zrk_StringArray varValues;

    // Every member back to its default; loaded false, no grid.
    void reset();

    // Takes over what the store holds: each key present with the right type sets its member (names
    // without regard to case), absent keys leave the member alone. The variables are "varNames0",
    // "varNames1" ... up to the first index that is missing or not a string, the same for
    // "varValues"; the longer list is then cut to the length of the shorter.
    void takeOver(const SettingsStore& store);
    // Writes every member under its key: defaultFont, defaultTextHeight, headerFile, footerFile, the
    // four margins, smartPrint, colors, colHeader, rowHeader, cellSeperators, border, then
    // varNames<i> and varValues<i> for each i.
    void writeTo(SettingsStore& store) const;
    SettingsStore toStore() const;

    // Reset, loaded, and the settings of the tag of cell (0, 0).
    void readFromSheet(const spreadlib::Sheet& sheet);
    // Writes the settings as the tag of cell (0, 0); false when not loaded.
    bool applyToSheet(spreadlib::Sheet& sheet) const;
    // The same on a grid: the grid is remembered. applyToGrid answers false when the settings are
    // not loaded or there is no grid (or it is not attached).
    void readFromGrid(Zrk_Spread& grid);
    bool applyToGrid(Zrk_Spread& grid) const;

    // Reset, loaded, and the settings file of that name (settingsFilePath). False, with the defaults
    // kept, when the file cannot be read; an empty name names no file.
    bool readNamed(const Zrk_String& name);

    // After the document was saved to documentPath: copies the header file (headerFlag) or the
    // footer file, with its companion ".bmp", next to the document unless a copy as new is there
    // already, and stores the copy's path relative to the document's folder. True when the copy
    // was made and the path changed.
    bool relocateHeaderFooter(const Zrk_String& documentPath, bool headerFlag);

    bool operator==(const DocumentSettings&) const = default;
};

// The settings file of a name: the product folder (gSettings.zrkDir) + name + ".kvd". When no file
// is named so, a file in the same folder whose name differs only in letter case is taken.
Zrk_String settingsFilePath(const Zrk_String& name);

// Where a header or footer path stored in the settings lies, for a document at documentPath:
//  - a path with ':' , one beginning with '/' or '\' (after '\' became '/', a UNC "\\server" too) is
//    absolute and kept;
//  - else a "..\" in it (the first one; "../" alike) is taken out and the search starts one folder
//    higher: the document's folder followed by the path, if that file exists; else the product
//    folder followed by the path, if that exists; else the path less the "..\".
// The answer uses '/' throughout.
Zrk_String resolveSettingsPath(const Zrk_String& documentPath, const Zrk_String& storedPath);
