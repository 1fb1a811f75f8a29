#pragma once
// General variables ("gen_" names) that feed standards spreadsheets with values not taken from a
// macro. Both lists live in the library, not in a drawing, because their filters name the drawings
// (and folders of drawings) of the library's "Macros/" folder they apply to:
//   drawing general variables   name, value, filter
//   standard general variables  name, value, override, filter
// A filter is a list of paths joined by ";", relative to the library's "Macros/" folder.
//
// The file is <library>/General Variables.txt, a property list (core/properties_list.h) of these
// entries; a missing file is an empty record:
//     format:string=ss-general-variables
//     version:int=1
//     drawing.count:int=N         then drawing.I.name, drawing.I.value, drawing.I.filter (I from 1)
//     standard.count:int=M        then standard.I.name, .value, .override, .filter

#include "core/zrk_string.h"

class KvAutoStandardsData {
public:
    Zrk_StringArray& dwgGenVars() { return dwgGenVars_; }
    Zrk_StringArray& dwgGenValues() { return dwgGenValues_; }
    Zrk_StringArray& dwgGenFilters() { return dwgGenFilters_; }
    Zrk_StringArray& stdGenVars() { return stdGenVars_; }
    Zrk_StringArray& stdGenValues() { return stdGenValues_; }
    Zrk_StringArray& stdGenOverrides() { return stdGenOverrides_; }
    Zrk_StringArray& stdGenFilters() { return stdGenFilters_; }
    const Zrk_StringArray& dwgGenVars() const { return dwgGenVars_; }
    const Zrk_StringArray& dwgGenValues() const { return dwgGenValues_; }
    const Zrk_StringArray& dwgGenFilters() const { return dwgGenFilters_; }
    const Zrk_StringArray& stdGenVars() const { return stdGenVars_; }
    const Zrk_StringArray& stdGenValues() const { return stdGenValues_; }
    const Zrk_StringArray& stdGenOverrides() const { return stdGenOverrides_; }
    const Zrk_StringArray& stdGenFilters() const { return stdGenFilters_; }

    // The library's file of the record.
    static Zrk_String libraryFile(const Zrk_String& libDir);
    // Whether a filter covers a drawing of the "Macros/" folder (its path relative to that folder):
    // an entry names the drawing itself or a folder above it ('\' read as '/', blanks around an
    // entry ignored). A filter without entries covers every drawing, and the empty drawing (none) is
    // covered only by such a filter.
    static bool filterCovers(const Zrk_String& filter, const Zrk_String& drawing);
    // The general variables a standard evaluated for a macro of this library drawing receives
    // (drawing: its path relative to the "Macros/" folder, empty when it has none): the drawing
    // general variables whose filter covers it, then the standard general variables whose filter
    // covers it. A drawing's value is the one for this job, so where both lists name a variable the
    // drawing's value is kept, unless the standard's variable has its override set (a text other
    // than empty, "0", "no" or "false", in any case): then the standard's value holds. Within one
    // list the first entry of a name holds; entries without a name are skipped.
    void applying(const Zrk_String& drawing, Zrk_StringArray& names, Zrk_StringArray& values) const;
    // Reads the record from a file (a missing file gives an empty record). False with a message that
    // names the file and the entry at fault; the record then stays as it was.
    bool readFromFile(const Zrk_String& path, Zrk_String* message = nullptr);
    // Writes the record atomically; the parallel lists of each kind are written as long as the
    // longest of them, empty texts filling the shorter ones. False when the file cannot be written.
    bool writeToFile(const Zrk_String& path) const;

    bool operator==(const KvAutoStandardsData&) const = default;

private:
    Zrk_StringArray dwgGenVars_;
    Zrk_StringArray dwgGenValues_;
    Zrk_StringArray dwgGenFilters_;
    Zrk_StringArray stdGenVars_;
    Zrk_StringArray stdGenValues_;
    Zrk_StringArray stdGenOverrides_;
    Zrk_StringArray stdGenFilters_;
};
