#include "core/edit_constr_data.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

#include "core/drawing.h"
#include "core/editor_hooks.h"
#include "core/files.h"
#include "core/macro_tabs.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "core/text.h"

namespace {

constexpr const char* kBreak = "%BREAK%";

const Zrk_Macro* macroOf(const EditConstrData& data) {
    const core::Drawing* drawing = core::workingDrawing();
    const Zrk_DbMacro* macro = drawing ? drawing->findMacro(data.macroId) : nullptr;
    return macro ? macro->macro() : nullptr;
}

const Zrk_Module* moduleOf(const EditConstrData& data) {
    const Zrk_Macro* macro = macroOf(data);
    return macro ? macro->findModule(data.moduleName) : nullptr;
}

bool hasLineBreakOrTab(const Zrk_String& text) {
    return text.find_first_of("\t\r\n") != Zrk_String::npos;
}

// Runs change on a copy of the data's macro and writes the copy back in one undo record when change
// answers true. The lists are filled again either way, so that they show the drawing.
template <typename Change> bool changeMacro(EditConstrData& data, Change change) {
    core::Drawing* drawing = core::workingDrawing();
    Zrk_DbMacro* dbMacro = drawing ? drawing->findMacro(data.macroId) : nullptr;
    if (!dbMacro) return false;
    Zrk_Macro macro = *dbMacro->macro();
    if (!change(macro, *drawing)) {
        data.refresh();
        return false;
    }
    {
        core::UndoScope undo(*drawing);
        *dbMacro->macroWrite() = std::move(macro);
        undo.keep();
    }
    data.refresh();
    return true;
}

// The same for the current module.
template <typename Change> bool changeModule(EditConstrData& data, Change change) {
    const Zrk_String moduleName = data.moduleName;
    return changeMacro(data, [&](Zrk_Macro& macro, core::Drawing& drawing) {
        Zrk_Module* module = macro.findModuleWrite(moduleName);
        return module && change(*module, drawing);
    });
}

int findGeometry(const Zrk_Module& module, AcDbObjectId id) {
    for (int i = 0; i < module.geometry.length(); ++i)
        if (module.geometry[i].id == id) return i;
    return -1;
}

Zrk_String objectText(const Zrk_Module& module, const Zrk_Constraint& constraint, int index) {
    if (!constraint.objects.isValid(index)) return Zrk_String();
    const int at = findGeometry(module, constraint.objects[index]);
    return at >= 0 ? module.geometry[at].description() : Zrk_String();
}

Zrk_StringArray picturePaths(int kind) {
    const Zrk_String folder = ensureEndSlash(normalizePath(gSettings.zrkDir)) + "icons/";
    Zrk_StringArray paths;
    for (const Zrk_String& entry : Zrk_Constraint::pictureOptionsOf(kind))
        paths.append(entry == core::kRadioBreak ? entry : folder + entry);
    return paths;
}

// Appends one row to the constraint list.
void appendRow(EditConstrData& data, Zrk_StringArray cells, int cutFlag, Zrk_Array<int> attributes,
               const Zrk_Constraint* constraint, int id) {
    data.constrCells.append(std::move(cells));
    data.cutFlags.append(cutFlag);
    data.attributeKinds.append(std::move(attributes));
    data.valueTexts.append(constraint ? constraint->value : Zrk_String());
    data.variableNames.append(constraint ? constraint->variable : Zrk_String());
    data.choiceIndices.append(constraint ? constraint->choice : 0);
    data.choiceLists.append(constraint ? Zrk_Constraint::choicesOf(constraint->kind) : Zrk_StringArray());
    data.flags1.append(constraint && constraint->driving ? 1 : 0);
    data.flags2.append(constraint && constraint->shown ? 1 : 0);
    data.pictureOptions.append(constraint ? picturePaths(constraint->kind) : Zrk_StringArray());
    data.optionSelections.append(constraint ? constraint->options : Zrk_Array<int>());
    data.constrIds.append(id);
}

// Puts the constraint list in the order of its sort columns (stable: equal rows keep their order).
void sortRows(EditConstrData& data) {
    if (data.sortColumn < 1) return;
    std::vector<int> order(static_cast<std::size_t>(data.constrCells.length()));
    std::iota(order.begin(), order.end(), 0);
    auto cell = [&](int row, int column) {
        const Zrk_StringArray& cells = data.constrCells[row];
        return cells.isValid(column - 1) ? cells[column - 1] : Zrk_String();
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (int column : {data.sortColumn, data.sortPrevious}) {
            if (column < 1) continue;
            const int order = compareNatural(toLower(cell(a, column)), toLower(cell(b, column)));
            if (order != 0) return order < 0;
        }
        return false;
    });
    auto permute = [&](auto& list) {
        auto copy = list;
        for (std::size_t i = 0; i < order.size(); ++i)
            list[static_cast<int>(i)] = copy[order[i]];
    };
    permute(data.constrCells);
    permute(data.cutFlags);
    permute(data.attributeKinds);
    permute(data.valueTexts);
    permute(data.variableNames);
    permute(data.choiceIndices);
    permute(data.choiceLists);
    permute(data.flags1);
    permute(data.flags2);
    permute(data.pictureOptions);
    permute(data.optionSelections);
    permute(data.constrIds);
}

// The first of base1, base2 ... that is not among names (letter case ignored).
Zrk_String numberedName(const Zrk_String& base, const Zrk_StringArray& names) {
    for (int n = 1;; ++n)
        if (findString(names, append(base, n), true) < 0) return append(base, n);
}

Zrk_String uniqueConstraintName(const Zrk_Module& module, int kind) {
    Zrk_StringArray names;
    for (const Zrk_Constraint& constraint : module.constraints)
        names.append(constraint.name);
    Zrk_String base = core::constraintKindName(kind);
    base.erase(std::remove(base.begin(), base.end(), ' '), base.end());
    return numberedName(base, names);
}

// Picks the objects of a constraint of kind among the current module's geometry.
bool pickObjects(const Zrk_Module& module, int kind, AcArray<AcDbObjectId>& objects) {
    AcArray<AcDbObjectId> picked;
    int firstKind = -1;
    for (int i = 0; i < Zrk_Constraint::objectCountOf(kind); ++i) {
        AcDbObjectId id;
        const Zrk_String prompt = "Select the " + Zrk_String(i == 0 ? "first" : "second") +
                                  " object of the " + toLower(core::constraintKindName(kind)) + " constraint";
        if (!core::editorHooks().pickGeometry(prompt, id)) return false;
        const int at = findGeometry(module, id);
        if (at < 0 || picked.contains(id) ||
            !Zrk_Constraint::acceptsObject(kind, i, module.geometry[at].kind, firstKind))
            return false;
        if (i == 0) firstKind = module.geometry[at].kind;
        picked.append(id);
    }
    objects = std::move(picked);
    return true;
}

bool nameInUse(const Zrk_Module& module, const Zrk_String& name, const Zrk_String& exceptVariable) {
    for (const Zrk_DimVariable& variable : module.variables)
        if (isEqual(variable.name, name, true) && !isEqual(variable.name, exceptVariable, true)) return true;
    for (const Zrk_ModuleVariable& variable : module.moduleVariables)
        if (isEqual(variable.name, name, true)) return true;
    return false;
}

// Writes a constraint's value and flags into the dimension variable it carries (made when new; the
// old one renamed, with the flex groups and arrays of the module that name it, when the name changed). False
// when the name is another variable's.
bool carryVariable(Zrk_Module& module, const Zrk_Constraint& before, const Zrk_Constraint& after) {
    if (after.variable.empty()) return true;
    const Zrk_String previous = before.variable;
    Zrk_DimVariable* variable = nullptr;
    if (!previous.empty() && !isEqual(previous, after.variable, true) && module.findVariable(previous)) {
        if (nameInUse(module, after.variable, previous)) return false;
        variable = module.findVariable(previous);
        variable->name = after.variable;
        for (Zrk_FlexFixGroup& group : module.flexGroups)
            for (Zrk_FlexFixEntry& entry : group.entries)
                if (entry.variable == previous) entry.variable = after.variable;
        for (DynArrayData& array : module.arrays)
            for (Zrk_String& dimension : array.dimNames)
                if (dimension == previous) dimension = after.variable;
    } else {
        variable = module.findVariable(after.variable);
        for (const Zrk_ModuleVariable& other : module.moduleVariables)
            if (isEqual(other.name, after.variable, true)) return false;
        // A dimension variable another constraint carries is not this one's.
        for (const Zrk_Constraint& other : module.constraints)
            if (other.id != after.id && isEqual(other.variable, after.variable, true)) return false;
        if (!variable) {
            if (nameInUse(module, after.variable, Zrk_String())) return false;
            Zrk_DimVariable made;
            made.name = after.variable;
            module.variables.append(made);
            variable = &module.variables.last();
        }
    }
    double value = 0.0;
    core::parseNumber(after.value, value);
    variable->value = value;
    variable->driving = after.driving;
    variable->shown = after.shown;
    return true;
}

} // namespace

// --- the record ----------------------------------------------------------------------------------

bool EditConstrData::refresh() {
    const int current = currentId;
    const int sorted = sortColumn, previous = sortPrevious;
    const AcArray<AcDbObjectId> lit = highlighted;
    EditConstrData fresh;
    fresh.macroId = macroId;
    fresh.moduleName = moduleName;
    fresh.currentId = current;
    fresh.sortColumn = sorted;
    fresh.sortPrevious = previous;
    fresh.highlighted = lit;
    const Zrk_Module* module = moduleOf(*this);
    if (!module) {
        *this = std::move(fresh);
        return false;
    }
    for (const Zrk_Constraint& constraint : module->constraints)
        appendRow(fresh,
                  {constraint.name, core::constraintKindName(constraint.kind),
                   objectText(*module, constraint, 0), objectText(*module, constraint, 1)},
                  0, Zrk_Constraint::attributeKindsOf(constraint.kind), &constraint, constraint.id);
    for (int i = 0; i < module->cuts.length(); ++i)
        appendRow(fresh, {module->cuts[i].name, "Cut", Zrk_String(), Zrk_String()}, 1, {}, nullptr, -(i + 1));
    sortRows(fresh);
    for (const Zrk_GeomObject& object : module->geometry) {
        fresh.geomCells.append(
            {core::geomKindName(object.kind), intToStr(object.id.handle()), object.description()});
        fresh.nameTags.append(object.nameTag);
        fresh.flexibility.append(object.flexibility);
        fresh.constrained.append(object.constrained);
        fresh.geomIds.append(object.id);
        fresh.flexStates.append(object.flexibility);
    }
    for (const Zrk_ModuleVariable& variable : module->moduleVariables) {
        fresh.varNames.append(variable.name);
        fresh.varValues.append(variable.value);
        fresh.varKinds.append(static_cast<short>(variable.kind));
    }
    for (const Zrk_DimVariable& variable : module->variables) {
        fresh.dimNames.append(variable.name);
        fresh.dimValues.append(core::numberText(variable.value));
    }
    fresh.equations = module->equations;
    *this = std::move(fresh);
    return true;
}

bool EditConstrData::isValidConstraint(int index) const {
    if (index < 0 || index >= constrCells.length() || index >= cutFlags.length() ||
        index >= attributeKinds.length() || index >= optionSelections.length() || index >= constrIds.length())
        return false;
    for (int kind : attributeKinds[index]) {
        const bool covered =
            (kind == core::kAttrValue && index < valueTexts.length()) ||
            (kind == core::kAttrVariable && index < variableNames.length() && index < flags2.length()) ||
            (kind == core::kAttrChoice && index < choiceIndices.length() && index < choiceLists.length()) ||
            (kind == core::kAttrFlags && index < flags1.length());
        if (!covered) return false;
    }
    return true;
}

int EditConstrData::indexOfId(int id) const {
    return constrIds.find(id);
}

// --- modules -------------------------------------------------------------------------------------

bool MacroGetModules(const EditConstrData& data, Zrk_StringArray& names) {
    const Zrk_Macro* macro = macroOf(data);
    if (!macro) return false;
    names.removeAll();
    for (const Zrk_Module& module : macro->modules)
        names.append(module.name);
    return true;
}

bool SetCurrentModule(EditConstrData& data, const Zrk_String& name) {
    const Zrk_Macro* macro = macroOf(data);
    if (!macro || !macro->findModule(name)) return false;
    UnHighlightConstraints(data);
    data.moduleName = name;
    data.currentId = 0;
    return data.refresh();
}

bool SelectOtherMacro(EditConstrData& data) {
    AcArray<AcDbObjectId> picked;
    const core::Drawing* drawing = core::workingDrawing();
    if (!core::editorHooks().pickMacros("Select the macro to edit", false, picked) || picked.isEmpty() ||
        !drawing)
        return false;
    const Zrk_DbMacro* macro = drawing->findMacro(picked[0]);
    if (!macro || macro->macro()->modules.isEmpty()) return false;
    UnHighlightConstraints(data);
    data.macroId = picked[0];
    data.moduleName = macro->macro()->modules[0].name;
    data.currentId = 0;
    return data.refresh();
}

bool RemoveModule(EditConstrData& data, const Zrk_String& name) {
    const bool current = data.moduleName == name;
    const bool removed = changeMacro(data, [&](Zrk_Macro& macro, core::Drawing&) {
        int index = -1;
        for (int i = 0; i < macro.modules.length() && index < 0; ++i)
            if (macro.modules[i].name == name) index = i;
        if (index < 0 || macro.modules.length() < 2) return false;
        macro.modules.removeAt(index);
        Zrk_String mapped;
        for (Zrk_String& ref : macro.settings.tabMapping.mappingRefs)
            if (TabMappingData::isModuleRef(ref, &mapped) && mapped == name) ref.clear();
        return true;
    });
    if (removed && current) {
        const Zrk_Macro* macro = macroOf(data);
        data.moduleName = macro->modules.last().name;
        data.currentId = 0;
        data.refresh();
    }
    return removed;
}

bool RenameModule(EditConstrData& data, const Zrk_String& newName) {
    const Zrk_String oldName = data.moduleName;
    const Zrk_String name = trimmed(newName);
    if (name.empty() || hasLineBreakOrTab(name)) return false;
    data.moduleName = name; // the lists are filled for the new name
    const bool renamed = changeMacro(data, [&](Zrk_Macro& macro, core::Drawing&) {
        Zrk_Module* module = macro.findModuleWrite(oldName);
        if (!module) return false;
        if (name == oldName) return true;
        for (const Zrk_Module& other : macro.modules)
            if (&other != module && isEqual(other.name, name, true)) return false;
        module->name = name;
        Zrk_String mapped;
        for (Zrk_String& ref : macro.settings.tabMapping.mappingRefs)
            if (TabMappingData::isModuleRef(ref, &mapped) && mapped == oldName) ref = "Module." + name;
        for (Zrk_String& grouped : macro.settings.groupModules)
            if (grouped == oldName) grouped = name;
        return true;
    });
    if (!renamed) {
        data.moduleName = oldName;
        data.refresh();
    }
    return renamed;
}

bool ZoomCommand(EditConstrData&) {
    return core::editorHooks().zoom();
}

// --- palette -------------------------------------------------------------------------------------

bool StartMacroCommand(EditConstrData& data, int kind) {
    const Zrk_Module* current = moduleOf(data);
    if (!current) return false;
    if (kind >= 0 && kind < core::kConstrKindCount) {
        Zrk_Constraint constraint;
        constraint.kind = kind;
        if (!pickObjects(*current, kind, constraint.objects)) return false;
        constraint.name = uniqueConstraintName(*current, kind);
        if (Zrk_Constraint::attributeKindsOf(kind).contains(core::kAttrValue))
            constraint.value = kind == core::kConstrRadius ? "10" : kind == core::kConstrAngle ? "90" : "0";
        constraint.options.setLength(Zrk_Constraint::pictureGroupCountOf(kind));
        return changeModule(data, [&](Zrk_Module& module, core::Drawing&) {
            int id = 0;
            for (const Zrk_Constraint& existing : module.constraints)
                id = std::max(id, existing.id);
            constraint.id = id + 1;
            data.currentId = constraint.id;
            module.constraints.append(constraint);
            return true;
        });
    }
    switch (kind) {
    case 11: {
        const Zrk_Macro* macro = macroOf(data);
        Zrk_StringArray names;
        for (const Zrk_Module& module : macro->modules)
            names.append(module.name);
        const Zrk_String name = numberedName("Module", names);
        const bool added = changeMacro(data, [&](Zrk_Macro& changed, core::Drawing&) {
            Zrk_Module module;
            module.name = name;
            changed.modules.append(module);
            return true;
        });
        if (added) SetCurrentModule(data, name);
        return added;
    }
    case 12: {
        if (!current->isBoltModule()) return false;
        Zrk_Point3d point;
        if (!core::editorHooks().pickPoint("Select the place of the bolt pattern", point)) return false;
        return changeModule(data, [&](Zrk_Module& module, core::Drawing&) {
            Zrk_StringArray names;
            for (const Zrk_BoltPattern& pattern : module.patterns)
                names.append(pattern.name);
            Zrk_BoltPattern pattern;
            pattern.name = numberedName("Pattern", names);
            pattern.nrBolts1 = "2"; // one direction, two bolts
            module.patterns.append(pattern);
            return true;
        });
    }
    case 13: {
        Zrk_String name;
        if (!core::editorHooks().pickCoordSystem("Select the coordinate system", name)) return false;
        return changeModule(data, [&](Zrk_Module& module, core::Drawing& drawing) {
            if (drawing.findCoordSystem(name) < 0) return false;
            for (const Zrk_GeomObject& object : module.geometry)
                if (object.kind == core::kGeomCoordSystem && isEqual(object.nameTag, name, true))
                    return false; // the module has it already
            Zrk_GeomObject object;
            object.id = drawing.newObjectId();
            object.kind = core::kGeomCoordSystem;
            object.nameTag = drawing.coordSystems()[drawing.findCoordSystem(name)].name;
            module.geometry.append(object);
            return true;
        });
    }
    default:
        return false;
    }
}

// --- the constraint list -------------------------------------------------------------------------

void ConstrContextMenu(const EditConstrData& data, int index, Zrk_StringArray& texts, Zrk_Array<int>& checked,
                       Zrk_Array<int>& actions) {
    texts.removeAll();
    checked.removeAll();
    actions.removeAll();
    if (!data.isValidConstraint(index)) return;
    if (data.cutFlags[index] == 0) {
        texts.append("Pick the objects again");
        actions.append(1);
        if (data.attributeKinds[index].contains(core::kAttrFlags)) {
            texts.append(kBreak);
            texts.append("Driving");
            actions.append(2);
            if (data.flags1[index]) checked.append(texts.length() - 1);
            texts.append("Shown in the macro dialog");
            actions.append(3);
            if (data.flags2[index]) checked.append(texts.length() - 1);
        }
        texts.append(kBreak);
    }
    texts.append("Delete");
    actions.append(4);
}

bool ContextMenuAction(EditConstrData& data, int index, int action) {
    if (!data.isValidConstraint(index)) return false;
    const bool isCut = data.cutFlags[index] != 0;
    switch (action) {
    case 1: {
        if (isCut) return false;
        const int id = data.constrIds[index];
        const Zrk_Module* module = moduleOf(data);
        if (!module) return false;
        int kind = -1;
        for (const Zrk_Constraint& constraint : module->constraints)
            if (constraint.id == id) kind = constraint.kind;
        AcArray<AcDbObjectId> objects;
        if (kind < 0 || !pickObjects(*module, kind, objects)) return false;
        UnHighlightConstraints(data);
        return changeModule(data, [&](Zrk_Module& changed, core::Drawing&) {
            for (Zrk_Constraint& constraint : changed.constraints)
                if (constraint.id == id) constraint.objects = objects;
            return true;
        });
    }
    case 2:
    case 3: {
        if (isCut || !data.attributeKinds[index].contains(core::kAttrFlags)) return false;
        if (action == 2) {
            data.flags1[index] = data.flags1[index] ? 0 : 1;
            if (!data.flags1[index]) data.flags2[index] = 0; // only a driving dimension is shown
        } else {
            data.flags2[index] = data.flags2[index] ? 0 : 1;
            if (data.flags2[index]) data.flags1[index] = 1;
        }
        return UpdateConstraint(data, index);
    }
    case 4:
        return DeleteConstraint(data, index);
    default:
        return false;
    }
}

bool SortConstraints(EditConstrData& data, int column, int previous) {
    if (column < 1 || column > 4 || column == data.sortColumn) return false;
    data.sortPrevious = previous >= 1 && previous <= 4 && previous != column ? previous : 0;
    data.sortColumn = column;
    sortRows(data);
    return true;
}

bool UpdateConstraint(EditConstrData& data, int index) {
    if (!data.isValidConstraint(index) || data.cutFlags[index] != 0) return false;
    const int id = data.constrIds[index];
    const Zrk_Array<int>& attributes = data.attributeKinds[index];
    Zrk_Constraint edited;
    bool found = false;
    if (const Zrk_Module* module = moduleOf(data))
        for (const Zrk_Constraint& constraint : module->constraints)
            if (constraint.id == id) edited = constraint, found = true;
    if (!found) return false;
    const Zrk_Constraint before = edited;
    if (attributes.contains(core::kAttrValue)) edited.value = trimmed(data.valueTexts[index]);
    if (attributes.contains(core::kAttrVariable)) edited.variable = trimmed(data.variableNames[index]);
    if (attributes.contains(core::kAttrChoice)) edited.choice = data.choiceIndices[index];
    if (attributes.contains(core::kAttrFlags)) {
        edited.driving = data.flags1[index] != 0;
        edited.shown = data.flags2[index] != 0;
    }
    edited.options = data.optionSelections[index];
    if (!edited.fault().empty()) {
        data.refresh();
        return false;
    }
    data.currentId = id;
    return changeModule(data, [&](Zrk_Module& module, core::Drawing&) {
        if (!carryVariable(module, before, edited)) return false;
        for (Zrk_Constraint& constraint : module.constraints)
            if (constraint.id == id) constraint = edited;
        return true;
    });
}

bool DeleteConstraint(EditConstrData& data, int index) {
    if (!data.isValidConstraint(index)) return false;
    const int id = data.constrIds[index];
    UnHighlightConstraints(data);
    return changeModule(data, [&](Zrk_Module& module, core::Drawing&) {
        if (id < 0) return module.cuts.removeAt(-id - 1);
        for (int i = 0; i < module.constraints.length(); ++i)
            if (module.constraints[i].id == id) return module.constraints.removeAt(i);
        return false;
    });
}

void HighlightConstraint(EditConstrData& data, int index) {
    UnHighlightConstraints(data);
    if (!data.isValidConstraint(index)) return;
    data.currentId = data.constrIds[index];
    const Zrk_Module* module = moduleOf(data);
    if (!module) return;
    for (const Zrk_Constraint& constraint : module->constraints)
        if (constraint.id == data.currentId) data.highlighted = constraint.objects;
    if (!data.highlighted.isEmpty()) core::editorHooks().highlight(data.highlighted, true);
}

void UnHighlightConstraints(EditConstrData& data) {
    if (data.highlighted.isEmpty()) return;
    core::editorHooks().highlight(data.highlighted, false);
    data.highlighted.removeAll();
}

bool VarNameInUse(const EditConstrData& data, const Zrk_String& name, bool& inUse) {
    const Zrk_Module* module = moduleOf(data);
    if (!module) return false;
    Zrk_String own;
    for (const Zrk_Constraint& constraint : module->constraints)
        if (constraint.id == data.currentId) own = constraint.variable;
    inUse = nameInUse(*module, name, own);
    return true;
}

// --- variables and equations ---------------------------------------------------------------------

bool UpdateVarsEqs(EditConstrData& data, Zrk_String* reason) {
    auto fail = [&](const Zrk_String& why) {
        if (reason) *reason = why;
        data.refresh();
        return false;
    };
    if (data.varNames.length() != data.varValues.length() || data.varNames.length() != data.varKinds.length())
        return fail("the variable lists differ in length");
    Zrk_Array<Zrk_ModuleVariable> variables;
    for (int i = 0; i < data.varNames.length(); ++i) {
        Zrk_ModuleVariable variable{trimmed(data.varNames[i]), data.varValues[i], data.varKinds[i]};
        if (!core::isVariableName(variable.name))
            return fail("\"" + variable.name +
                        "\" is no variable name: letters and digits, the first a letter");
        if (variable.kind < 0 || variable.kind >= core::kVariableKindCount)
            return fail("the kind of " + variable.name + " must be 0 to 7");
        if (!std::isfinite(variable.value)) return fail("the value of " + variable.name + " is no number");
        for (const Zrk_ModuleVariable& earlier : variables)
            if (isEqual(earlier.name, variable.name, true)) return fail(variable.name + " is named twice");
        variables.append(variable);
    }
    Zrk_StringArray equations;
    for (const Zrk_String& line : data.equations)
        if (!trimmed(line).empty()) equations.append(trimmed(line));
    Zrk_String fault;
    const bool written = changeModule(data, [&](Zrk_Module& module, core::Drawing&) {
        for (const Zrk_ModuleVariable& variable : variables)
            if (module.findVariable(variable.name)) {
                fault = variable.name + " is a dimension variable of the module already";
                return false;
            }
        module.moduleVariables = variables;
        module.equations = equations;
        auto lookUp = [&](const Zrk_String& name, double& value) {
            for (const Zrk_ModuleVariable& variable : module.moduleVariables)
                if (isEqual(variable.name, name, true)) return value = variable.value, true;
            for (const Zrk_DimVariable& variable : module.variables)
                if (isEqual(variable.name, name, true)) return value = variable.value, true;
            return false;
        };
        for (const Zrk_String& equation : module.equations) {
            Zrk_String name, expression, why;
            double value = 0.0;
            if (!core::splitEquation(equation, name, expression)) {
                fault = "\"" + equation + "\" is no equation (a name, \"=\" and an expression)";
                return false;
            }
            if (!core::evaluateExpression(expression, lookUp, value, why)) {
                fault = "\"" + equation + "\": " + why;
                return false;
            }
            bool stored = false;
            for (Zrk_ModuleVariable& variable : module.moduleVariables)
                if (isEqual(variable.name, name, true)) variable.value = value, stored = true;
            for (Zrk_DimVariable& variable : module.variables)
                if (!stored && isEqual(variable.name, name, true)) variable.value = value, stored = true;
            if (!stored) {
                fault = "\"" + equation + "\": " + name + " is no variable of the module";
                return false;
            }
        }
        return true;
    });
    if (!written && reason) *reason = fault.empty() ? Zrk_String("the module is not in the drawing") : fault;
    return written;
}

// --- geometry ------------------------------------------------------------------------------------

bool UpdateGeomFlexibility(EditConstrData& data, AcDbObjectId objectId, long state, int level) {
    if (level < 1 || level > core::kFlexFlexible + 1) return false;
    return changeModule(data, [&](Zrk_Module& module, core::Drawing&) {
        const int at = findGeometry(module, objectId);
        if (at < 0 || module.geometry[at].flexibility != state) return false;
        module.geometry[at].flexibility = level - 1;
        return true;
    });
}

bool UpdateConstrGeom(EditConstrData& data, AcDbObjectId objectId, bool checked) {
    return changeModule(data, [&](Zrk_Module& module, core::Drawing&) {
        const int at = findGeometry(module, objectId);
        if (at < 0 || (module.geometry[at].constrained != 0 && module.geometry[at].constrained != 1))
            return false;
        module.geometry[at].constrained = checked ? 1 : 0;
        return true;
    });
}

bool SetNameTags(EditConstrData& data, const AcArray<AcDbObjectId>& objectIds, const Zrk_StringArray& tags) {
    if (objectIds.length() != tags.length()) return false;
    return changeModule(data, [&](Zrk_Module& module, core::Drawing&) {
        for (int i = 0; i < objectIds.length(); ++i) {
            const int at = findGeometry(module, objectIds[i]);
            if (at < 0 || hasLineBreakOrTab(tags[i])) return false;
            module.geometry[at].nameTag = trimmed(tags[i]);
        }
        Zrk_StringArray taken;
        for (const Zrk_GeomObject& object : module.geometry)
            if (!object.nameTag.empty()) taken.append(object.nameTag);
        return !hasDuplicates(taken, true);
    });
}

void HighlightObject(EditConstrData& data, AcDbObjectId objectId) {
    if (objectId.isNull() || data.highlighted.contains(objectId)) return;
    core::editorHooks().highlight({objectId}, true);
    data.highlighted.append(objectId);
}

void UnHighlightObject(EditConstrData& data, AcDbObjectId objectId) {
    const int at = data.highlighted.find(objectId);
    if (at < 0) return;
    core::editorHooks().highlight({objectId}, false);
    data.highlighted.removeAt(at);
}
