#include "standards/sheet_evaluation.h"

#include "core/files.h"
#include "core/text.h"
#include "frame/module_state.h"
#include "frame/ss_dlgs_mgr.h"
#include "frame/standards_entry.h"
#include "standards/evaluation_chain.h"
#include "standards/mapping_file.h"
#include "standards/standards_data.h"
#include "standards/standards_host_dlg.h"

namespace standards {

Zrk_String resolveSheetPath(const Zrk_String& name) {
    const Zrk_String written = normalizePath(name);
    Zrk_String path;
    if (fileExists(written)) return written;
    if (written.find('/') != Zrk_String::npos && findFileIgnoringCase(written, path)) return path;
    // An absolute path names that file or none; it is no name in the standards folder. (So a path
    // this answered, resolved again, stays what it is.)
    if (!written.empty() && written.front() == '/') return written;
    Zrk_String inFolder = standardsFolder() + written;
    if (!isEqual(getExtension(inFolder), "kvs", true)) inFolder += ".kvs";
    return findFileIgnoringCase(inFolder, path) ? path : inFolder;
}

bool readDeclaredVariables(const Zrk_String& sheet, KvVarCells& variables, Zrk_String& error) {
    const ModuleResourceSwitch resources;
    auto* dialog = static_cast<KvStandardsHostDlg*>(gSSDlgsMgr.getDlg());
    if (!dialog) {
        error = "No host dialog for the standards evaluation could be made.";
        return false;
    }
    clearFailure();
    const bool read = dialog->sheet.loadStandardsFile(resolveSheetPath(sheet)) == Acad::eOk &&
                      dialog->sheet.readVarCells() == Acad::eOk;
    if (read) {
        variables = dialog->sheet.varCells;
        for (KvVarCell& cell : variables.cells) cell.value.clear();
    } else {
        error = lastFailure();
    }
    gSSDlgsMgr.releaseDlg(dialog);
    return read;
}

bool evaluateSheet(const SheetEvaluation& evaluation, KvVarCells& result, Zrk_String& error) {
    const Zrk_String path = resolveSheetPath(evaluation.sheet);
    KvVarCells declared;
    if (!readDeclaredVariables(path, declared, error)) return false;

    KvDlgStandardsData data;
    data.mode = KvDlgStandardsData::kEvaluateAsChild;
    data.ssName = path;
    data.genVarNames = evaluation.genVarNames;
    data.genVarValues = evaluation.genVarValues;
    for (const KvVarCell& cell : declared.cells)
        if (!cell.isLocal()) data.varCells.append(cell);
    for (int i = 0; i < evaluation.inputNames.length(); ++i) {
        bool found = false;
        for (KvVarCell& cell : data.varCells.cells) {
            if (cell.isInput() && cell.name == evaluation.inputNames[i]) {
                cell.value = evaluation.inputValues.isValid(i) ? evaluation.inputValues[i] : Zrk_String();
                found = true;
            }
        }
        if (!found) {
            error = "The standards spreadsheet " + path + " has no Input variable \"" + evaluation.inputNames[i] + "\".";
            return false;
        }
    }
    if (!StartDlgStandardsSS(data)) {
        error = lastFailure().empty() ? "The evaluation of " + path + " failed." : lastFailure();
        return false;
    }
    result = data.varCells;
    return true;
}

} // namespace standards
