// The constraint list's cut editor: the row's cut goes to the cuts dialog the module installed, and
// what the person accepts is written back into the module the row belongs to.

#include "core/drawing.h"
#include "core/edit_constr_data.h"
#include "core/macro_cuts_data.h"

namespace {

core::MacroCutEditor& installedEditor() {
    static core::MacroCutEditor editor;
    return editor;
}

} // namespace

namespace core {

void setMacroCutEditor(MacroCutEditor editor) {
    installedEditor() = std::move(editor);
}

const MacroCutEditor& macroCutEditor() {
    return installedEditor();
}

} // namespace core

bool StartEditMacroCutDlg(EditConstrData& data, int index, bool& escaped) {
    escaped = false;
    if (!data.isValidConstraint(index) || data.cutFlags[index] != 1 || !core::macroCutEditor()) return false;
    // A cut row's identifier is minus its place among the module's cuts, counted from 1.
    const int cutIndex = -data.constrIds[index] - 1;
    const core::Drawing* drawing = core::workingDrawing();
    const Zrk_DbMacro* macro = drawing ? drawing->findMacro(data.macroId) : nullptr;
    const Zrk_Module* module = macro ? macro->macro()->findModule(data.moduleName) : nullptr;
    if (!module || !module->cuts.isValid(cutIndex)) return false;
    DlgMacroCutsData cut = DlgMacroCutsData::forCut(module->cuts[cutIndex], module->name);
    cut.macroIds = {data.macroId};
    cut.fillModuleNames();
    if (!core::macroCutEditor()(cut, escaped)) return false;
    const bool written = cut.apply();
    data.refresh();
    return written;
}
