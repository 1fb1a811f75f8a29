#pragma once
// The constraint dialog's record: one macro of the working drawing and its current module, shown as
// the parallel lists the dialog's pages read (the constraint list, the geometry list, the variables,
// dimension values and equations), and the operations the dialog calls. The lists are filled from the
// drawing (refresh) after every operation; the pages write their edits into them and hand them to an
// operation, which checks them, writes the drawing and fills the lists again.
//
// Every operation that changes the drawing runs in one undo record of it (inside the host's
// transaction when one is open): when it fails half way, the drawing stays as it was. Operations that
// need a pick ask the host's editor (core/editor_hooks.h); a cancelled pick fails the operation and
// changes nothing.
//
// The constraint list holds the module's constraints and then its cuts (a cut row offers the cut
// editor; its identifier is minus its place among the cuts, counted from 1, and it has no attributes
// the list edits). Its columns: the name, the kind, and the descriptions of the first and the second
// object. The list stays sorted as SortConstraints last sorted it.

#include "core/constraint_model.h"
#include "core/macro_model.h"

class EditConstrData {
public:
    AcDbObjectId macroId;
    Zrk_String moduleName; // the current module

    // --- the constraint list (one entry a constraint, parallel)
    Zrk_Array<Zrk_StringArray> constrCells;
    Zrk_Array<int> cutFlags;
    Zrk_Array<Zrk_Array<int>> attributeKinds;
    Zrk_StringArray valueTexts;
    Zrk_StringArray variableNames;
    Zrk_Array<int> choiceIndices;
    Zrk_Array<Zrk_StringArray> choiceLists;
    Zrk_Array<int> flags1; // 0 or 1
    Zrk_Array<int> flags2;
    Zrk_Array<Zrk_StringArray> pictureOptions; // full paths, with core::kRadioBreak between groups
    Zrk_Array<Zrk_Array<int>> optionSelections;
    Zrk_Array<int> constrIds;
    int currentId = 0;
    int sortColumn = 0;   // the column sorted last (1-4), 0 none
    int sortPrevious = 0; // the column it was sorted by before

    // --- the geometry list (one entry an object, parallel)
    Zrk_Array<Zrk_StringArray> geomCells; // the kind, the id, the description
    Zrk_StringArray nameTags;
    Zrk_Array<int> flexibility;
    Zrk_Array<int> constrained;
    AcArray<AcDbObjectId> geomIds;
    Zrk_Array<long> flexStates; // the flexibility each object had when the list was filled

    // --- variables, dimension values, equations
    Zrk_StringArray varNames;
    Zrk_Array<double> varValues;
    Zrk_Array<short> varKinds;
    Zrk_StringArray dimNames;
    Zrk_StringArray dimValues;
    Zrk_StringArray equations;

    // The objects highlighted now.
    AcArray<AcDbObjectId> highlighted;

    // Fills every list from the working drawing. False (lists emptied) when the macro or the module
    // is not there.
    bool refresh();
    // Whether index is a constraint every list it uses covers.
    bool isValidConstraint(int index) const;
    // The index of the constraint with that identifier; -1 when none.
    int indexOfId(int id) const;

    bool operator==(const EditConstrData&) const = default;
};

// Module management.
bool MacroGetModules(const EditConstrData& data, Zrk_StringArray& names);
bool SetCurrentModule(EditConstrData& data, const Zrk_String& name);
// Lets the person pick another macro; its first module becomes current.
bool SelectOtherMacro(EditConstrData& data);
// Removes a module of the macro; the macro's last module stays (a macro without modules could not be
// edited again). A standard mapped to it ("Module." and its name) is left without a mapping record.
bool RemoveModule(EditConstrData& data, const Zrk_String& name);
// Renames the current module: a name no other module has, without tabs or line breaks. The macro's
// references to it by name (the standards' mappings, the settings' group table) follow.
bool RenameModule(EditConstrData& data, const Zrk_String& newName);
bool ZoomCommand(EditConstrData& data);

// A palette command: 0-10 add a constraint of that kind between geometry objects of the current
// module the person picks; 11 add a module (it becomes current); 12 add a bolt pattern to the current
// module, a bolt module (a point is picked for it); 13 add a named coordinate system of the drawing,
// which the person picks, to the module's geometry.
bool StartMacroCommand(EditConstrData& data, int kind);

// The context menu of constraint index: the item texts ("%BREAK%" a separator), the indexes (into
// texts) of the items shown checked, and the action of each item that is no separator, in order.
// Actions: 1 pick the objects again, 2 switch driving, 3 switch shown in the macro dialog, 4 delete.
void ConstrContextMenu(const EditConstrData& data, int index, Zrk_StringArray& texts, Zrk_Array<int>& checked,
                       Zrk_Array<int>& actions);
bool ContextMenuAction(EditConstrData& data, int index, int action);
// Sorts the list by column (1-4), then by previous; sorting again by the column sorted last changes
// nothing (false).
bool SortConstraints(EditConstrData& data, int column, int previous);
// Writes the attributes the lists hold for constraint index into the drawing: the value, the
// variable (a dimension variable of the module made, renamed or given the value and flags), the
// choice, the flags and the picture selections. False, with the drawing as it was, when one of them
// is not valid or the variable name is another's.
bool UpdateConstraint(EditConstrData& data, int index);
// Deletes a constraint (or a cut). The dimension variable it carried stays, with its value.
bool DeleteConstraint(EditConstrData& data, int index);
void HighlightConstraint(EditConstrData& data, int index);
void UnHighlightConstraints(EditConstrData& data);
// Whether another variable of the module (a dimension variable no other than the current constraint
// carries, or a module variable) has that name, letter case ignored. False without a module.
bool VarNameInUse(const EditConstrData& data, const Zrk_String& name, bool& inUse);

// Writes the variables and equations of the lists into the module and computes the equations, in
// order, into the variables they name. False, with the drawing as it was, for a name that is not a
// variable name or is taken twice, a kind outside 0-7, a value that is no finite number, or an
// equation that cannot be computed.
bool UpdateVarsEqs(EditConstrData& data, Zrk_String* reason = nullptr);

// Geometry. level 1-3 is the flexibility plus 1; state the flexibility the object had when the list
// was filled (a change made meanwhile elsewhere refuses the operation).
bool UpdateGeomFlexibility(EditConstrData& data, AcDbObjectId objectId, long state, int level);
// Only for objects whose constrained flag is 0 or 1.
bool UpdateConstrGeom(EditConstrData& data, AcDbObjectId objectId, bool checked);
// Name tags of objects of the current module: each empty or unique in the module (letter case
// ignored), without tabs or line breaks.
bool SetNameTags(EditConstrData& data, const AcArray<AcDbObjectId>& objectIds, const Zrk_StringArray& tags);
void HighlightObject(EditConstrData& data, AcDbObjectId objectId);
void UnHighlightObject(EditConstrData& data, AcDbObjectId objectId);

// The cut editor of the constraint list: edits the cut of row index (a row whose cut flag is 1) of the
// current module through the installed cut editor (below), and writes what it accepts into the
// drawing in one undo record. escaped tells whether the person left the editor with Escape. False,
// with the drawing as it was, when the row is no cut, no editor is installed, the person cancelled,
// or the cut could not be written.
bool StartEditMacroCutDlg(EditConstrData& data, int index, bool& escaped);

class DlgMacroCutsData;
namespace core {
// Runs the module's cuts dialog on a cut record: true when the person accepted it (the record then
// holds his edits); escaped tells whether he left with Escape. The core library cannot call up into
// the module, so the module installs its dialog here while it is loaded (null: none).
using MacroCutEditor = std::function<bool(DlgMacroCutsData& data, bool& escaped)>;
void setMacroCutEditor(MacroCutEditor editor);
const MacroCutEditor& macroCutEditor();
} // namespace core
