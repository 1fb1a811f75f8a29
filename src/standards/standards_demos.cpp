// Demonstrations of the standards dialogs for the host shell (module/demo_dialogs.h): the general
// variables of the sample library. (The mapping page shows in the macro settings dialog's demos.)

#include "core/drawing.h"
#include "core/files.h"
#include "core/gen_vars.h"
#include "core/settings.h"
#include "core/text.h"
#include "module/demo_dialogs.h"
#include "module/temporary_library.h"
#include "standards/dlg_gen_vars.h"

namespace {

Zrk_String demoGeneralVariables() {
    KvAutoStandardsData data;
    Zrk_String message;
    if (!data.readFromFile(KvAutoStandardsData::libraryFile(gSettings.libDir), &message)) return message;
    if (!StartDlgGenVars(data)) return "Cancelled.";
    return "Accepted: " + intToStr(data.dwgGenVars().length()) + " general variables of drawings (" +
           arrToStr(data.dwgGenVars(), ',') + "), " + intToStr(data.stdGenVars().length()) +
           " of standards (" + arrToStr(data.stdGenVars(), ',') + ").";
}

[[maybe_unused]] const bool kGenVars = frame::registerDemoDialog("general-variables", &demoGeneralVariables);

} // namespace
