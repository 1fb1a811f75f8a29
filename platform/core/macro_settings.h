#pragma once
// The general settings of a macro (MacroSettingsData), kept with the macro in the drawing: the
// filters that decide to which situations the macro applies, named string lists with pictures, the
// macro's variable and group settings, and the standards spreadsheets that drive it (TabMappingData).
// GetMacroSettings and SetMacroSettings read and write them on a macro of the working drawing.

#include "core/zrk_string.h"
#include "host/acad.h"

// The standards engine's catalogue of a macro's mappable objects. The settings carry a pointer to
// one for the mapping page, which the engine builds; the core library never looks inside.
class KvSSMapping;

// The standards spreadsheets of a macro, in the order they run, each with what it maps to:
//   "Module." followed by a module name   the spreadsheet maps to that module (by variable names)
//   a mapping key (no "=")                the entire macro, through that record of the spreadsheet's
//                                         mapping file (the mapping page makes 24-character keys; a
//                                         key written by hand may be any other)
//   ""                                    the entire macro, with no mapping record yet
class TabMappingData {
public:
    Zrk_StringArray ssNames;             // paths relative to the standards folder, without extension
    Zrk_StringArray mappingRefs;         // parallel to ssNames
    Zrk_StringArray moduleNames;         // the macro's modules, the "Maps to" choices (filled, not stored)
    KvSSMapping* macroMapping = nullptr; // not owned; null: the mapping page shows nothing

    // The reference of row when it holds spreadsheet name; otherwise that of the first row holding
    // it; "" when no row does.
    Zrk_String getMapping(const Zrk_String& name, int row) const;
    // Whether a reference maps to a module, and which.
    static bool isModuleRef(const Zrk_String& ref, Zrk_String* moduleName = nullptr);
    bool operator==(const TabMappingData&) const = default;
};

// One entry of a filter group: its name, whether it is on, and its values:
//   axis angle     option 0 or 1 (the two pictured choices), values: the two numbers
//   section angle  values: pairs (two numbers per table row)
//   path distance  values: two numbers
//   section size   values: four numbers
struct MacroFilterEntry {
    Zrk_String name;
    bool on = false;
    int option = 0;
    Zrk_Array<double> values;
    bool operator==(const MacroFilterEntry&) const = default;
};

struct MacroAngleFilters {
    bool enabled = false;
    Zrk_Array<MacroFilterEntry> axisAngle;
    Zrk_Array<MacroFilterEntry> sectionAngle;
    bool operator==(const MacroAngleFilters&) const = default;
};

struct MacroSizeFilters {
    bool enabled = false;
    Zrk_Array<MacroFilterEntry> pathDistance;
    Zrk_Array<MacroFilterEntry> sectionSize;
    bool operator==(const MacroSizeFilters&) const = default;
};

class MacroSettingsData {
public:
    MacroAngleFilters angleFilters;
    MacroSizeFilters sizeFilters;
    // Named string lists, each with a picture (a module picture's name); three parallel lists.
    Zrk_StringArray listNames;
    Zrk_Array<Zrk_StringArray> stringLists;
    Zrk_StringArray listPictures;
    // Variables: how values are rounded (0-2) and which units they are in (0-2), the decimals shown
    // (0-3), and default values of the macro's variables (two parallel lists).
    int varRounding = 0;
    int varUnits = 0;
    int varDecimals = 2;
    Zrk_StringArray defaultVarNames;
    Zrk_Array<double> defaultVarValues;
    // Groups: the macro's group name and the prefix of the members it makes, and a table of
    // (module, member group, count) rows (three parallel lists).
    Zrk_String groupName;
    Zrk_String memberPrefix;
    Zrk_StringArray groupModules;
    Zrk_StringArray groupMembers;
    Zrk_Array<int> groupCounts;
    // The standards spreadsheets, and whether the mapping page changed them since they were read.
    TabMappingData tabMapping;
    bool standardsModified = false;

    // Makes the parallel lists equally long (the longest length; empty texts, empty lists and zeros
    // fill), so that every row can be shown and stored.
    void padParallelLists();
    bool operator==(const MacroSettingsData&) const = default;
};

// The settings of the macro with that id in the working drawing. Get fills the module names of the
// mapping; Set writes everything else in one undo record of the drawing. Both fail for an id that is
// no macro of the drawing (or when there is no working drawing), changing nothing.
bool GetMacroSettings(AcDbObjectId macroId, MacroSettingsData& data);
bool SetMacroSettings(AcDbObjectId macroId, const MacroSettingsData& data);
