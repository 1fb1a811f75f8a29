#pragma once
// The mapping of a standards spreadsheet to a macro: the entries that tie the sheet's variables to
// the macro's objects, loaded from and stored in the sheet's mapping file under a key, or (for a
// module group) no entries at all, the variables' names then saying which object they mean.
//
// Names and keys are compared exactly, except keys in the mapping file, whose letter case is ignored.

#include "core/macro_model.h"
#include "core/zrk_string.h"
#include "host/acad.h"
#include "module/export.h"
#include "standards/object_map.h"
#include "standards/value_type.h"

class KvDlgStandardsData;

class SS_EXPORT KvSSMapping {
public:
    static constexpr int kNotSet = 0;
    static constexpr int kModuleGroup = 1; // values are reached by name in every module of the group
    static constexpr int kFile = 2;        // entries loaded from the mapping file

    KvSSMapping() = default;
    KvSSMapping(const KvSSMapping&) = default;
    KvSSMapping& operator=(const KvSSMapping&) = default;
    virtual ~KvSSMapping();

    int kind = kNotSet;

    const Zrk_Array<KvObjectMap>& mappedObjects() const { return objects_; }
    Zrk_Array<KvObjectMap>& mappedObjectsWrite() { return objects_; }

    // Needs a macro and no module group; kind 2 and the entries of the mapping file's line mappingKey.
    Acad::ErrorStatus initFromMacro(const KvDlgStandardsData& data);
    // A non-empty group gives kind 1 (the entries stay as they are); an empty one fails.
    Acad::ErrorStatus initFromModuleGroup(const Zrk_String& group);

    // Loads the entries of the line of key. Fails for a missing or unreadable file and for an unknown
    // key (entries unchanged); a file with no line besides the header leaves the entries as they are.
    Acad::ErrorStatus getMappingFromFile(const Zrk_String& ssName, const Zrk_String& key);
    // Stores the entries under key, as the last line of the file. Entries without keyword and all but
    // the first of the entries of one spreadsheet variable are left out; so is a spreadsheet variable
    // whose first entry cannot be stored: a name holding a character not allowed in file names, a
    // separator byte or a line break (they would spoil the line; a later entry stored instead would
    // map the variable otherwise than the mapping does). Nothing is written when the stored line already
    // holds these entries (isEqual). A key holding "=" or a line break fails, and so does a file
    // that exists but cannot be read (its other lines would be lost).
    Acad::ErrorStatus setMappingToFile(const Zrk_String& ssName, const Zrk_String& key);
    // Replaces the entries by those of a line ("key=entries"); malformed entries are skipped. Fails
    // (entries cleared) for a line without "=".
    Acad::ErrorStatus initMappingFromLine(const Zrk_String& line);
    // The key of the first line of the file that this mapping isEqual to.
    bool hasSameMapping(const Zrk_String& ssName, Zrk_String& key) const;

    // Every own entry has a compatible entry of the same spreadsheet variable in other (one-sided:
    // other may hold more).
    bool isEqual(const KvSSMapping& other) const;
    // The first entry of that spreadsheet variable whose value type is exactly valueType.
    Acad::ErrorStatus findSSVar(const Zrk_String& ssName, KvValueType valueType, int& index) const;
    Acad::ErrorStatus findCompatible(const KvObjectMap& entry, int& index) const;
    // Counts the own entries that have a compatible entry in other; always eOk.
    Acad::ErrorStatus isCompatible(const KvSSMapping& other, int& count) const;
    // The entries a variable of valueType can be mapped to: all numeric ones (Int, Double) for a
    // numeric type, all String ones for String. The flag is not consulted. Always eOk.
    Acad::ErrorStatus getValidVars(bool isInput, KvValueType valueType, Zrk_Array<int>& indices) const;
    // Regroups indices by the varKind of their entries: one group per element of order, an entry whose
    // varKind is not in order joining the last group; each group is written as -1 followed by its
    // indices. Indices that are no entry (-1 markers of an earlier call included) are dropped. Fails
    // for an empty order.
    Acad::ErrorStatus sortValidVars(Zrk_Array<int>& indices, const Zrk_Array<int>& order) const;
    // Appends the catalogue of every object of the macro that a variable can be mapped to: per module
    // in order its dimension variables, cut offsets, bolt data and patterns (bolt modules) and owned
    // members (profile modules); then the base profiles with their section sizes, then the general
    // variables.
    Acad::ErrorStatus initAllVarsFromMacro(Zrk_DbMacro* macro, AcTransaction* transaction);

    // Reads or writes the macro value behind a spreadsheet variable: by name in every module of the
    // data's module group (kind 1), else through the variable's entry.
    Acad::ErrorStatus getMacroVarValue(const Zrk_String& ssName, KvValueType valueType, Zrk_String& value,
                                       const KvDlgStandardsData& data);
    Acad::ErrorStatus setMacroVarValue(const Zrk_String& ssName, KvValueType valueType, const Zrk_String& value,
                                       const KvDlgStandardsData& data);

    // Whether the macro has the object behind the variable (a read may succeed without reaching any:
    // KvObjectMap::reachesObject). By name, a read that succeeds has reached it.
    bool reachesMacroObject(const Zrk_String& ssName, KvValueType valueType, const KvDlgStandardsData& data);

private:
    Acad::ErrorStatus getSetMacroVarValue(const Zrk_String& ssName, KvValueType valueType, Zrk_String& value,
                                          const KvDlgStandardsData& data, bool get);
    void addAllVariables(const Zrk_Module& module);
    void addAllCuts(const Zrk_Module& module);
    void addAllPatterns(const Zrk_Module& module, AcTransaction* transaction);
    void addAllProfPlacements(const Zrk_Module& module);
    void addAllBaseProfs(const Zrk_Macro& macro);
    void addAllGenVars(const Zrk_Macro& macro);

    Zrk_Array<KvObjectMap> objects_;
};
