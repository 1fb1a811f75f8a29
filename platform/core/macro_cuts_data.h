#pragma once
// The cut record of the macro cuts dialog: one cut of a macro module, new or existing, with its
// offsets as the dialog's rows (stored names, values as typed, check boxes) and the module it belongs
// to. apply() writes it into the macros of the working drawing.
//
// Module modes: 1 the module (moduleName) of the dialog's macros; 2 a module of a macro the person
// picks in the drawing (UserSelectMacro), whose modules then join the list.

#include "core/cut_model.h"
#include "host/acad.h"

class DlgMacroCutsData {
public:
    Zrk_CutConstraint cut; // type, name and settings (its offsets are the rows below)
    bool exists = false;   // an existing cut: its type and name stay
    int moduleMode = 1;
    Zrk_String moduleName;
    AcArray<AcDbObjectId> macroIds;
    Zrk_StringArray moduleNames; // the modules of the dialog's macros (and of picked ones)
    // The offsets, one row each: the stored name ("Offset" ...), the value as typed (a number, or a
    // general variable's "gen_" name), the check box (0 or 1).
    Zrk_StringArray offsetNames;
    Zrk_StringArray offsetValues;
    Zrk_Array<int> offsetFlags;

    // A record for an existing cut of a module (its rows from the cut's offsets).
    static DlgMacroCutsData forCut(const Zrk_CutConstraint& cut, const Zrk_String& moduleName);
    // The rows of a new cut of a type: the type's offsets at "0", unchecked.
    void GetDefaultValues(int cutType, Zrk_StringArray& names, Zrk_StringArray& values,
                          Zrk_Array<int>& flags) const;
    // Whether the module of the dialog's macros holds a cut of this name already (any of them).
    bool CutNameInUse() const;
    // Whether every row's value is a number or a general variable name ("gen_" and letters, digits or
    // '_' after it), and every name is a stored offset name.
    bool AreVarNamesValid() const;
    // The modules of the dialog's macros, in order, each once.
    void fillModuleNames();
    // Lets the person pick a macro; its modules join the list and it joins the macros. False when the
    // pick was cancelled.
    bool UserSelectMacro();
    // The cut the record describes; false when a row is not valid (see AreVarNamesValid) or the type
    // is none. A value naming a general variable takes the macro's value of it where the macro has it.
    bool toCut(Zrk_CutConstraint& result) const;
    // Writes the cut into the module of every dialog macro that has it, in one undo record of the
    // working drawing: a new cut is added (refused when its name is in use), an existing one replaced.
    // False, with the drawing as it was, when it cannot be written anywhere.
    bool apply() const;

    bool operator==(const DlgMacroCutsData&) const = default;
};
