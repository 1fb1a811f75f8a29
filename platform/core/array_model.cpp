#include "core/array_model.h"

#include "core/drawing.h"

void DynArrayData::getEntryColumns(Zrk_Array<int>& actions, Zrk_Array<int>& used,
                                   Zrk_StringArray& texts) const {
    actions.removeAll();
    used.removeAll();
    texts.removeAll();
    for (const DynArrayEntry& entry : entries) {
        actions.append(entry.action);
        used.append(entry.used ? 1 : 0);
        texts.append(entry.text);
    }
}

bool DynArrayData::setEntryColumns(const Zrk_Array<int>& actions, const Zrk_Array<int>& used,
                                   const Zrk_StringArray& texts) {
    if (actions.length() != used.length() || actions.length() != texts.length()) return false;
    for (int action : actions)
        if (action < 0 || action >= core::kArrayEntryActionCount) return false;
    Zrk_Array<DynArrayEntry> result;
    for (int i = 0; i < actions.length(); ++i) {
        DynArrayEntry entry = entries.isValid(i) ? entries[i] : DynArrayEntry();
        entry.action = actions[i];
        entry.used = used[i] != 0;
        entry.text = texts[i];
        result.append(std::move(entry));
    }
    entries = std::move(result);
    return true;
}

void DynArrayData::getValidDimNames(const AcArray<AcDbObjectId>& objectIds, const Zrk_String& tabName,
                                    int forMode, int kind, Zrk_StringArray& names) const {
    names.removeAll();
    const core::Drawing* drawing = core::workingDrawing();
    if (!drawing || kind < 0 || kind > 2) return;
    const bool drivingOnly = kind != 1;
    if (forMode == 1 && kind != 1) return;
    bool first = true;
    for (AcDbObjectId id : objectIds) {
        const Zrk_DbMacro* dbMacro = drawing->findMacro(id);
        if (!dbMacro) continue;
        Zrk_StringArray found;
        for (const Zrk_Module& module : dbMacro->macro()->modules) {
            if (module.tabName() != tabName) continue;
            for (const Zrk_DimVariable& variable : module.variables)
                if (variable.shown && (variable.driving || !drivingOnly) && !found.contains(variable.name))
                    found.append(variable.name);
        }
        if (first) {
            names = std::move(found);
            first = false;
            continue;
        }
        Zrk_StringArray common;
        for (const Zrk_String& name : names)
            if (found.contains(name)) common.append(name);
        names = std::move(common);
    }
}
