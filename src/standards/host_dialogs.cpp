#include "standards/host_dialogs.h"

#include "standards/evaluation_chain.h"
#include "standards/standards_data.h"
#include "standards/standards_host_dlg.h"

namespace standards {

namespace {
HostDialogLender gLender = nullptr;
} // namespace

void setHostDialogLender(HostDialogLender lender) {
    gLender = lender;
}

bool withHostDialog(const HostDialogWork& work, Zrk_String& error) {
    if (!gLender) {
        error = "No host dialogs for standards evaluations are available (the module is not loaded).";
        return false;
    }
    return gLender(work, error);
}

bool evaluateOnHostDialog(KvDlgStandardsData& data) {
    Zrk_String error;
    bool lent = false;
    const bool evaluated = withHostDialog(
        [&](KvStandardsHostDlg& dialog) {
            lent = true;
            return dialog.evaluate(data);
        },
        error);
    if (!lent) setFailure(error);
    return evaluated;
}

} // namespace standards
