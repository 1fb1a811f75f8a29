// Demonstrations of the standards dialogs for the host shell (frame/demo_dialogs.h): the mapping page
// on the sample end-plate macro, and the general variables of the sample library.

#include "core/drawing.h"
#include "core/files.h"
#include "core/gen_vars.h"
#include "core/settings.h"
#include "core/text.h"
#include "frame/demo_dialogs.h"
#include "frame/temporary_library.h"
#include "standards/dlg_gen_vars.h"
#include "standards/dlg_standards_mapping_host.h"

namespace {

Zrk_String describeStandards(const TabMappingData& mapping) {
    Zrk_String text;
    for (int i = 0; i < mapping.ssNames.length() && i < mapping.mappingRefs.length(); ++i) {
        const Zrk_String& ref = mapping.mappingRefs[i];
        text += (i ? ", " : " ") + mapping.ssNames[i] + " (" +
                (TabMappingData::isModuleRef(ref) ? ref
                 : ref.empty()                    ? Zrk_String("no record")
                                                  : "record " + ref) +
                ")";
    }
    return text.empty() ? Zrk_String(" none") : text;
}

Zrk_String demoStandardsMapping() {
    const Zrk_String drawingPath = gSettings.libDir + "Macros/EndPlate.json";
    core::Drawing drawing;
    Zrk_String message;
    if (!drawing.readFromFile(drawingPath, &message)) return message;
    Zrk_DbMacro* macro = drawing.findMacroByName("EndPlate");
    if (!macro) return drawingPath + " has no macro \"EndPlate\".";
    // The mapping records a person makes on the page leave the sample library as it is.
    frame::TemporaryLibrary library({"Connection Standards", "prof"});
    if (!library.ok()) return "The sample library could not be copied to a temporary folder.";
    core::Drawing* previous = core::setWorkingDrawing(&drawing);
    const bool accepted = StartDlgStandardsMapping(macro->objectId());
    core::setWorkingDrawing(previous);
    if (!accepted) return "Cancelled.";
    return "Accepted; the standards of EndPlate:" + describeStandards(macro->macro()->settings.tabMapping) +
           ". (The page wrote into a copy of the sample library, now removed.)";
}

Zrk_String demoGeneralVariables() {
    KvAutoStandardsData data;
    Zrk_String message;
    if (!data.readFromFile(KvAutoStandardsData::libraryFile(gSettings.libDir), &message)) return message;
    if (!StartDlgGenVars(data)) return "Cancelled.";
    return "Accepted: " + intToStr(data.dwgGenVars().length()) + " general variables of drawings (" +
           arrToStr(data.dwgGenVars(), ',') + "), " + intToStr(data.stdGenVars().length()) +
           " of standards (" + arrToStr(data.stdGenVars(), ',') + ").";
}

[[maybe_unused]] const bool kMapping = frame::registerDemoDialog("standards-mapping", &demoStandardsMapping);
[[maybe_unused]] const bool kGenVars = frame::registerDemoDialog("general-variables", &demoGeneralVariables);

} // namespace
