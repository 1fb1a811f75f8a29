#include "standards/sheet_evaluation.h"

#include "core/files.h"
#include "core/text.h"
#include "standards/evaluation_chain.h"
#include "standards/host_dialogs.h"
#include "standards/library_files.h"
#include "standards/mapping_file.h"
#include "standards/standards_data.h"
#include "standards/standards_host_dlg.h"

namespace standards {

Zrk_String resolveSheetPath(const Zrk_String& name) {
    Zrk_String path;
    if (findAsWritten(name, path)) return path;
    const Zrk_String written = normalizePath(name);
    // An absolute path names that file or none; it is no name in the standards folder. (So a path
    // this answered, resolved again, stays what it is.)
    if (!written.empty() && written.front() == '/') return written;
    Zrk_String inFolder = written;
    if (!isEqual(getExtension(inFolder), "kvs", true)) inFolder += ".kvs";
    return findInFolders(inFolder, {standardsFolder()}, path) ? path : standardsFolder() + inFolder;
}

bool readDeclaredVariables(const Zrk_String& sheet, KvVarCells& variables, Zrk_String& error) {
    return withHostDialog(
        [&](KvStandardsHostDlg& dialog) {
            clearFailure();
            if (dialog.sheet.loadStandardsFile(resolveSheetPath(sheet)) != Acad::eOk ||
                dialog.sheet.readVarCells() != Acad::eOk) {
                error = lastFailure();
                return false;
            }
            variables = dialog.sheet.varCells;
            for (KvVarCell& cell : variables.cells)
                cell.value.clear();
            return true;
        },
        error);
}

bool evaluateSheet(const SheetEvaluation& evaluation, KvVarCells& result, Zrk_String& error) {
    const core::FileLookScope looks; // finding the sheet, reading its variables and the run
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
    if (!evaluateOnHostDialog(data)) {
        error = lastFailure().empty() ? "The evaluation of " + path + " failed." : lastFailure();
        return false;
    }
    result = data.varCells;
    return true;
}

} // namespace standards
