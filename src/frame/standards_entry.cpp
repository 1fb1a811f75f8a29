#include "frame/standards_entry.h"

#include "frame/module_state.h"
#include "frame/ss_dlgs_mgr.h"
#include "standards/evaluation_chain.h"
#include "standards/standards_data.h"
#include "standards/standards_host_dlg.h"

bool StartDlgStandardsSS(KvDlgStandardsData& data) {
    const ModuleResourceSwitch resources;
    auto* dialog = static_cast<KvStandardsHostDlg*>(gSSDlgsMgr.getDlg());
    if (!dialog) {
        standards::setFailure("No host dialog for the standards evaluation could be made.");
        return false;
    }
    dialog->data = data;
    const bool evaluated = dialog->runStandards() == Acad::eOk;
    if (evaluated) data = dialog->data;
    gSSDlgsMgr.releaseDlg(dialog);
    return evaluated;
}

bool StartDlgStandardsSStest() {
    KvDlgStandardsData data;
    data.mode = KvDlgStandardsData::kEvaluateAsChild;
    data.ssName = "c:\\a\\a\\a\\test.kvs";
    const struct {
        const char* name;
        KvCellType role;
        const char* value;
    } variables[] = {{"Column", KvCellType::Input, "IPE-200"},
                     {"Thickness", KvCellType::Input, "10"},
                     {"Width", KvCellType::Output, "212"},
                     {"Length", KvCellType::Output, "356"}};
    for (const auto& variable : variables) {
        KvVarCell cell;
        cell.name = variable.name;
        cell.role = variable.role;
        cell.value = variable.value;
        data.varCells.append(cell);
    }
    return StartDlgStandardsSS(data);
}
