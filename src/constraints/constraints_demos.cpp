// Demonstrations of the macro settings dialog and the constraint dialog for the host shell
// (module/demo_dialogs.h), on the first end-plate connection of the sample drawing of the macro dialogs
// (read into memory; the file is never written):
//   sshost dialog macro-settings      its settings from the first page (the angle filters)
//   sshost dialog standards-mapping   the same dialog opened on its standards page
//   sshost dialog constraints         its modules and the palette, run modally
//   sshost dialog constraint-list     the same dialog on its constraint list page
//   sshost dialog constraint-geometry                      geometry page
//   sshost dialog constraint-variables                     variables and equations page
// The mapping records a person makes on the standards page go into a temporary copy of the library.

#include "constraints/dlg_edit_constraints.h"
#include "constraints/dlg_macro_settings.h"
#include "core/drawing.h"
#include "core/settings.h"
#include "core/text.h"
#include "module/demo_dialogs.h"
#include "module/temporary_library.h"

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

int onEntries(const Zrk_Array<MacroFilterEntry>& entries) {
    int on = 0;
    for (const MacroFilterEntry& entry : entries)
        on += entry.on ? 1 : 0;
    return on;
}

Zrk_String describeSettings(const MacroSettingsData& settings) {
    const MacroAngleFilters& angles = settings.angleFilters;
    const MacroSizeFilters& sizes = settings.sizeFilters;
    return Zrk_String("angle filters ") + (angles.enabled ? "active" : "inactive") + " (" +
           intToStr(onEntries(angles.axisAngle)) + " of " + intToStr(angles.axisAngle.length()) +
           " axis-angle entries on, " + intToStr(onEntries(angles.sectionAngle)) + " of " +
           intToStr(angles.sectionAngle.length()) + " section-angle entries), size filters " +
           (sizes.enabled ? "active" : "inactive") + ", lists " +
           (settings.listNames.isEmpty() ? Zrk_String("none") : arrToStr(settings.listNames, ',')) + ", " +
           intToStr(settings.varDecimals) + " decimals, group \"" + settings.groupName +
           "\", standards:" + describeStandards(settings.tabMapping);
}

// Reads the sample drawing of the macro dialogs into drawing (a copy of its own: nothing is written
// back) and answers its end-plate macro EndPlateA; null, with the reason in failure, when the file
// cannot be read or holds no such macro.
Zrk_DbMacro* readSampleMacro(core::Drawing& drawing, Zrk_String& failure) {
    const Zrk_String drawingPath = gSettings.libDir + "Drawings/macro-dialogs.json";
    if (!drawing.readFromFile(drawingPath, &failure)) return nullptr;
    Zrk_DbMacro* macro = drawing.findMacroByName("EndPlateA");
    if (!macro) failure = drawingPath + " has no macro \"EndPlateA\".";
    return macro;
}

Zrk_String runOnSample(int firstPage) {
    core::Drawing drawing;
    Zrk_String message;
    Zrk_DbMacro* macro = readSampleMacro(drawing, message);
    if (!macro) return message;
    frame::TemporaryLibrary library({"Connection Standards", "prof"});
    if (!library.ok()) return "The sample library could not be copied to a temporary folder.";
    core::Drawing* previous = core::setWorkingDrawing(&drawing);
    const bool accepted = StartDlgMacroSettings(macro->objectId(), firstPage);
    core::setWorkingDrawing(previous);
    if (!accepted) return "Cancelled.";
    return "Accepted; the settings of EndPlateA: " + describeSettings(macro->macro()->settings) +
           ". (The sample drawing was not written; the standards page wrote into a copy of the sample "
           "library, now removed.)";
}

Zrk_String demoMacroSettings() {
    return runOnSample(DlgMacroSettings::kAnglePage);
}

Zrk_String demoStandardsMapping() {
    return runOnSample(DlgMacroSettings::kStandardsPage);
}

// What the module Plate of the macro holds now, in short.
Zrk_String describeModule(const Zrk_Macro& macro, const Zrk_String& name) {
    const Zrk_Module* module = macro.findModule(name);
    if (!module) return Zrk_String();
    Zrk_String tags;
    for (const Zrk_GeomObject& object : module->geometry)
        if (!object.nameTag.empty()) tags += (tags.empty() ? "" : ",") + object.nameTag;
    return "; its module " + name + ": " + intToStr(module->constraints.length()) + " constraints, " +
           intToStr(module->cuts.length()) + " cuts, name tags " +
           (tags.empty() ? Zrk_String("none") : tags) + ", " + intToStr(module->moduleVariables.length()) +
           " variables, equations \"" + arrToStr(module->equations, ';') + "\"";
}

Zrk_String runConstraintDialog(int tab) {
    core::Drawing drawing;
    Zrk_String message;
    Zrk_DbMacro* macro = readSampleMacro(drawing, message);
    if (!macro) return message;
    core::Drawing* previous = core::setWorkingDrawing(&drawing);
    EditConstrData data = constraintRecordOf(macro->objectId());
    const bool closed = StartDlgEditConstrModal(data, tab);
    Zrk_StringArray modules;
    MacroGetModules(data, modules);
    core::setWorkingDrawing(previous);
    return Zrk_String(closed ? "Closed" : "Cancelled") +
           "; the modules of EndPlateA: " + arrToStr(modules, ',') +
           describeModule(*macro->macro(), "Plate") + " (" + intToStr(drawing.undoSteps()) +
           " changes, not written).";
}

Zrk_String demoConstraints() {
    return runConstraintDialog(DlgEditConstraints::kListTab);
}

Zrk_String demoConstraintGeometry() {
    return runConstraintDialog(DlgEditConstraints::kGeometryTab);
}

Zrk_String demoConstraintVariables() {
    return runConstraintDialog(DlgEditConstraints::kVariablesTab);
}

[[maybe_unused]] const bool kSettings = frame::registerDemoDialog("macro-settings", &demoMacroSettings);
[[maybe_unused]] const bool kMapping = frame::registerDemoDialog("standards-mapping", &demoStandardsMapping);
[[maybe_unused]] const bool kConstraints = frame::registerDemoDialog("constraints", &demoConstraints);
[[maybe_unused]] const bool kList = frame::registerDemoDialog("constraint-list", &demoConstraints);
[[maybe_unused]] const bool kGeometry =
    frame::registerDemoDialog("constraint-geometry", &demoConstraintGeometry);
[[maybe_unused]] const bool kVariables =
    frame::registerDemoDialog("constraint-variables", &demoConstraintVariables);

} // namespace
