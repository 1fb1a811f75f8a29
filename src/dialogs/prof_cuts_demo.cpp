// Demonstration of the profile cuts dialog for the host shell (module/demo_dialogs.h):
//   sshost dialog profile-cuts    the cuts of the column C1 (three) of the sample drawing
//                                 "Drawings/profile-cuts.json"; the beam B1 (one cut) may be picked
// The drawing is opened for the run and closed unsaved: the library's file never changes.

#include "core/files.h"
#include "core/settings.h"
#include "core/text.h"
#include "dialogs/dlg_prof_cuts.h"
#include "module/demo_dialogs.h"
#include "host/document.h"

namespace {

Zrk_String demoProfCuts() {
    host::Document& document = host::Document::current();
    Zrk_String message;
    if (!document.open(ensureEndSlash(gSettings.libDir) + "Drawings/profile-cuts.json", message))
        return message;
    DlgProfCutsData cuts;
    cuts.profileId = AcDbObjectId(201);
    const bool accepted = StartEditProfCutsDlg(cuts);
    Zrk_String left;
    for (int i = 0; i < document.database().profileCount(); ++i) {
        const Zrk_Profile& profile = *document.database().profileAt(i)->profile();
        left += (left.empty() ? "" : ", ") + profile.name + " " + intToStr(profile.cuts.length());
    }
    document.close();
    return Zrk_String(accepted ? "Closed" : "Cancelled") + "; cuts left: " + left + " (not saved).";
}

[[maybe_unused]] const bool kDemo = frame::registerDemoDialog("profile-cuts", &demoProfCuts);

} // namespace
