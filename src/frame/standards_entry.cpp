#include "frame/standards_entry.h"

#include "frame/ss_dlgs_mgr.h"
#include "module/module_state.h"
#include "standards/evaluation_chain.h"
#include "standards/host_dialogs.h"
#include "standards/standards_data.h"
#include "standards/standards_host_dlg.h"

bool StartDlgStandardsSS(KvDlgStandardsData& data) {
    Zrk_String error;
    bool lent = false;
    const bool evaluated = frame::lendStandardsHostDialog(
        [&](KvStandardsHostDlg& dialog) {
            lent = true;
            return dialog.evaluate(data);
        },
        error);
    if (!lent) standards::setFailure(error);
    return evaluated;
}

namespace frame {

bool lendStandardsHostDialog(const standards::HostDialogWork& work, Zrk_String& error) {
    const ModuleResourceSwitch resources;
    const KvSSDlgsMgr::Lease dialog(gSSDlgsMgr);
    if (!dialog) {
        error = "No host dialog for the standards evaluation could be made.";
        return false;
    }
    return work(*dialog);
}

} // namespace frame

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
