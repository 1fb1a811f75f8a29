#pragma once
// The core library's macro model: a connection macro (Zrk_Macro) with its modules in order, its base
// profiles and its general variables, and the database object that holds a macro in a drawing
// (Zrk_DbMacro). A module (Zrk_Module) owns dimension variables, cut constraints, bolt data and bolt
// patterns, profile placements and flex/fix groups. The records are plain value classes; every
// operation answers Acad::ErrorStatus (eOk, or eInvalidInput for every failure) or bool, and leaves
// its output arguments alone when it fails.
//
// Kind codes, as the rest of the product knows them:
//   module   232 bolt module, 233 profile module, 234 sub-macro module (it inserts another macro's
//            drawing, its sub-macro drawing), any other code a plain module
//   pattern  281 one direction, 282 two directions (a second bolt count and reverse-start flag)
// Cuts, bolts, profiles and arrays have headers of their own (cut_model.h, bolt_model.h,
// profile_model.h, array_model.h); the macro's general settings are in macro_settings.h.

#include <optional>

#include "core/array_model.h"
#include "core/bolt_model.h"
#include "core/constraint_model.h"
#include "core/cut_model.h"
#include "core/macro_settings.h"
#include "core/profile_model.h"
#include "core/zrk_string.h"
#include "host/acad.h"

class AcTransaction; // the host's transaction; the model passes it through
namespace core {
class Drawing;
}

namespace core {
inline constexpr int kBoltModule = 232;
inline constexpr int kProfileModule = 233;
inline constexpr int kSubMacroModule = 234;
// Kinds of a dialog cell: 1 a number, 2 a whole number, 3 a choice among texts (the value is the
// chosen text's index), 4 a number chosen among suggested numbers or typed, 5 a check box (0 or 1).
inline constexpr int kCellNumber = 1;
inline constexpr int kCellWholeNumber = 2;
inline constexpr int kCellChoice = 3;
inline constexpr int kCellEditableChoice = 4;
inline constexpr int kCellCheckBox = 5;
} // namespace core

// A dimension (constraint) variable of a module. The two dialog flags give the variable's class in
// the mapping catalogue: shown = the macro dialog shows it to the user (as a cell of its tab);
// driving = its value is an input of the module's geometry (not a measured or derived one). The cell
// has a label (the name when empty), a kind (core::kCell...), a read-only flag and, for the choice
// kinds, the texts (kind 3) or suggested numbers (kind 4) offered.
struct Zrk_DimVariable {
    Zrk_String name;
    double value = 0.0;
    bool shown = true;
    bool driving = true;
    Zrk_String label{};
    int cellKind = core::kCellNumber;
    bool readOnly = false;
    Zrk_StringArray choices{};
    bool operator==(const Zrk_DimVariable&) const = default;
};

// A flex/fix group: dimension variables of a module that together span a fixed total (the edge and
// pitch distances along a plate, say). An entry is either fixed (its value holds) or flexible (it
// gives way when another entry changes); the group needs a flexible entry to absorb a change. The
// macro dialog shows one button per entry, checked while the entry is flexible.
struct Zrk_FlexFixEntry {
    Zrk_String variable;
    bool flexible = false;
    bool operator==(const Zrk_FlexFixEntry&) const = default;
};

struct Zrk_FlexFixGroup {
    Zrk_String name;
    Zrk_Array<Zrk_FlexFixEntry> entries;

    int findEntry(const Zrk_String& variable) const;
    bool hasFlexibleEntry() const;
    // The button of an entry pressed into the state checked (true = flexible):
    //  - checked: the entry becomes the group's only flexible entry, all others are fixed;
    //  - not checked: the entry is fixed; when no entry is flexible then, the next entry after it
    //    (wrapping round) becomes flexible, so that the group can still absorb a change.
    // Answers true when a state changed, false when nothing changed or the entry is unknown.
    bool press(const Zrk_String& variable, bool checked);
    bool operator==(const Zrk_FlexFixGroup&) const = default;
};

class Zrk_Module {
public:
    Zrk_String name;
    Zrk_String groupName; // empty: the module forms a group of its own, under its own name
    int kind = 0;         // 232 bolt, 233 profile, other codes plain
    Zrk_Array<Zrk_DimVariable> variables;
    Zrk_Array<Zrk_CutConstraint> cuts;
    std::optional<MacroBoltData> boltData; // bolt modules
    Zrk_Array<Zrk_BoltPattern> patterns;   // bolt modules
    Zrk_Array<Zrk_ProfilePlacement> placements;
    Zrk_Array<Zrk_FlexFixGroup> flexGroups;
    // What the module's tab shows: its designed template (a path relative to the library folder;
    // empty: none), its arrays and segmented profiles, and for a sub-macro module the drawing it
    // inserts (a path relative to the library folder, ".dwg").
    Zrk_String templatePath;
    Zrk_Array<DynArrayData> arrays;
    Zrk_Array<MacroSegmentedProfile> segments;
    Zrk_String subMacro;
    // What the constraint dialog edits (constraint_model.h): the geometry objects the constraints tie
    // together, the constraints, the module's own variables and its equations.
    Zrk_Array<Zrk_GeomObject> geometry;
    Zrk_Array<Zrk_Constraint> constraints;
    Zrk_Array<Zrk_ModuleVariable> moduleVariables;
    Zrk_StringArray equations;

    int kindCode() const { return kind; }
    bool isBoltModule() const { return kind == core::kBoltModule; }
    bool isProfileModule() const { return kind == core::kProfileModule; }
    bool isSubMacroModule() const { return kind == core::kSubMacroModule; }
    // The name of the module's group, or its own name when it has none: the name of its tab.
    const Zrk_String& tabName() const { return groupName.empty() ? name : groupName; }

    // Every dimension variable, in order, with its two dialog flags (shown, driving; 1 set, 0 clear).
    Acad::ErrorStatus getDialogVariables(Zrk_StringArray& names, Zrk_Array<int>& shown,
                                         Zrk_Array<int>& driving) const;
    Zrk_DimVariable* findVariable(const Zrk_String& variableName);
    const Zrk_DimVariable* findVariable(const Zrk_String& variableName) const;
    // Reads a dimension variable as text with 8 decimals, or writes one from text. A write takes only
    // a finite number (as the core's isNumber accepts it); any other text fails and changes nothing,
    // so that an error text of a spreadsheet never becomes a dimension of 0.
    Acad::ErrorStatus getSetConstrVarValue(const Zrk_String& variableName, Zrk_String& value, bool get);

    // The names of the cut constraints and their cut types, in order (two parallel lists).
    void getCutConstraints(Zrk_StringArray& names, Zrk_Array<int>& cutTypes) const;
    Zrk_CutConstraint* getCutConstraint(const Zrk_String& cutName);

    Zrk_BoltPattern* findPattern(const Zrk_String& patternName);
    // The profile placement of that name (the first, when several share it).
    Acad::ErrorStatus getNamedPrpl(const Zrk_String& placementName, Zrk_ProfilePlacement*& placement);

    bool operator==(const Zrk_Module&) const = default;
};

struct Zrk_GenVariable {
    Zrk_String name;
    double value = 0.0;
    bool operator==(const Zrk_GenVariable&) const = default;
};

class Zrk_Macro {
public:
    Zrk_String name;
    // The macro library drawing the macro was made from (a name relative to the library's "Macros/"
    // folder, without extension; empty: none). Macros of the same library drawing form a group.
    Zrk_String libraryName;
    Zrk_Array<Zrk_Module> modules; // in the macro's order
    Zrk_Array<Zrk_BaseProfile> baseProfiles;
    Zrk_Array<Zrk_GenVariable> genVars;
    MacroSettingsData settings;

    void getModuleNames(Zrk_StringArray& names) const;
    // The names of the modules whose tab name (group name, or own name without a group) is group, in
    // the macro's order. An empty group answers eOk with an empty list (general variables and base
    // profiles belong to no module); a group no module belongs to fails.
    Acad::ErrorStatus getModNamesOfGroup(const Zrk_String& group, Zrk_StringArray& names) const;
    Zrk_Module* findModuleWrite(const Zrk_String& moduleName);
    const Zrk_Module* findModule(const Zrk_String& moduleName) const;
    // Opens a module by name. position is the module's place in the list of getModNamesOfGroup for
    // its group: when the module there carries the name it is taken at once; otherwise (a list of
    // another state of the macro) the module is looked up by name. No module of that name: fails.
    Acad::ErrorStatus openModule(const Zrk_String& moduleName, int position, Zrk_Module*& module);

    Acad::ErrorStatus getBaseProf(int index, const Zrk_BaseProfile*& profile) const;

    void getGenVarNames(Zrk_StringArray& names) const;
    bool hasGenVar(const Zrk_String& varName) const;
    Acad::ErrorStatus getGenVar(const Zrk_String& varName, double& value) const;
    // Sets an existing general variable; fails for an unknown name or a value that is not finite.
    Acad::ErrorStatus setGenVar(const Zrk_String& varName, double value);

    bool operator==(const Zrk_Macro&) const = default;
};

// A macro as an object of a drawing. Writing goes through macroWrite(), which lets the drawing record
// the macro's state for the host's open transaction first, so that aborting it restores the macro.
class Zrk_DbMacro {
public:
    // A macro that belongs to no drawing (tests, macros being built).
    explicit Zrk_DbMacro(Zrk_Macro macro = Zrk_Macro(), AcDbObjectId id = AcDbObjectId());
    Zrk_DbMacro(const Zrk_DbMacro&) = delete;
    Zrk_DbMacro& operator=(const Zrk_DbMacro&) = delete;

    AcDbObjectId objectId() const { return id_; }
    const Zrk_Macro* macro() const { return &macro_; }
    Zrk_Macro* macroWrite();
    core::Drawing* database() const { return database_; }

private:
    friend class core::Drawing;
    Zrk_Macro macro_;
    AcDbObjectId id_;
    core::Drawing* database_ = nullptr;
};
