#pragma once
// One entry of a standards mapping: which macro object a spreadsheet variable is tied to, its text
// form in the mapping file, and the reading and writing of that object's value in a macro.

#include "core/macro_data.h"
#include "core/macro_model.h"
#include "core/zrk_string.h"
#include "host/acad.h"
#include "module/export.h"
#include "standards/object_type.h"

class KvVarCell;

class SS_EXPORT KvObjectMap {
public:
    KvObjectMap() = default;
    KvObjectMap(const KvObjectMap&) = default;
    KvObjectMap& operator=(const KvObjectMap&) = default;
    virtual ~KvObjectMap();

    // The module group (or the name of a module without a group) that owns the object; empty for
    // base profiles and general variables.
    Zrk_String groupName;
    // The object's name in the group: variable, cut constraint, pattern or placement name, "Prof" and
    // a base-profile index, or "Prof" index ";" column index; empty for bolt diameter and hole offset.
    Zrk_String macroVar;
    // The spreadsheet variable tied to the object; empty in catalogue entries.
    Zrk_String ssVar;
    KvObjectType type = KvObjectType::NotSet;
    // The class of a dialog variable in the catalogue (0 shown and driving, 1 shown only, 2 driving
    // only, 3 neither); 0 for all other catalogue entries.
    int varKind = 3;
    // For MemberSectionSize catalogue entries the name of the section-table column.
    Zrk_String columnName;

    // The two strings of the mapping file: macro side groupName, 0x95, keyword, blank, macroVar;
    // spreadsheet side ssVar. Fails when the type has no keyword.
    Acad::ErrorStatus setMappingToStrs(Zrk_String& macroSide, Zrk_String& ssSide) const;
    // Parses the two strings. Leading blanks after the 0x95 are skipped; blanks at the end are part of
    // the object name (so "BoltsDiameter " reads back with an empty name). Fails, changing nothing,
    // without a 0x95 or without a known keyword.
    Acad::ErrorStatus getMappingFromStrs(const Zrk_String& ssSide, const Zrk_String& macroSide);
    // eOk when group, object name and type are equal (ssVar and varKind are not compared).
    Acad::ErrorStatus isCompatible(const KvObjectMap& other) const;
    // Finds ssName in ssSides and parses the pair at that index. Fails when the name is missing or the
    // index is outside macroSides. (A variable cell passes its name.)
    Acad::ErrorStatus mapFromArrays(const Zrk_StringArray& ssSides, const Zrk_StringArray& macroSides,
                                    const Zrk_String& ssName);
    // The same for the variable's name.
    Acad::ErrorStatus mapFromArrays(const Zrk_StringArray& ssSides, const Zrk_StringArray& macroSides,
                                    const KvVarCell& cell);

    // Reads or writes the macro value behind this entry, as text: each module of the group in turn
    // (for a read the last module that answers wins), then the macro's own objects.
    Acad::ErrorStatus getMacroVarValue(Zrk_DbMacro* macro, MacroData* macroData, Zrk_String& value,
                                       AcTransaction* transaction);
    Acad::ErrorStatus setMacroVarValue(Zrk_DbMacro* macro, MacroData* macroData, const Zrk_String& value,
                                       AcTransaction* transaction);

    // Whether the macro has the object behind this entry: a module of the group answers a read of it,
    // or the macro's own object (general variable, base profile) is there. A read whose group has no
    // module with the object answers eOk and leaves the value as it was; this tells the two apart.
    bool reachesObject(Zrk_DbMacro* macro, MacroData* macroData, AcTransaction* transaction);

private:
    // answered (when given) counts the modules that accepted the access.
    Acad::ErrorStatus getSetMacroVarValue(Zrk_DbMacro* macro, MacroData* macroData, Zrk_String& value, bool get,
                                          AcTransaction* transaction, int* answered = nullptr);
    Acad::ErrorStatus getSetModuleVarValue(Zrk_Macro* macro, MacroData* macroData, const Zrk_String& moduleName,
                                           int position, Zrk_String& value, bool get, AcTransaction* transaction);
};
