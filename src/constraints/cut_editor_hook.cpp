// The core library's cut editor (StartEditMacroCutDlg) runs the module's cuts dialog through a hook;
// the module installs it while it is loaded, so that the hook never outlives the code it calls.

#include "core/edit_constr_data.h"
#include "macrodlg/dlg_macro_cuts.h"

namespace {

struct CutEditorInstaller {
    CutEditorInstaller() {
        core::setMacroCutEditor(
            [](DlgMacroCutsData& data, bool& escaped) { return StartDlgMacroCuts(data, escaped); });
    }
    ~CutEditorInstaller() { core::setMacroCutEditor(nullptr); }
} gCutEditor;

} // namespace
