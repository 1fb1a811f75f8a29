#include "sshost/gui/window_actions.h"

#include <sstream>

#include "constraints/dlg_edit_constraints.h"
#include "constraints/dlg_macro_settings.h"
#include "core/codepage.h"
#include "core/csp2_library.h"
#include "core/files.h"
#include "core/gen_vars.h"
#include "core/levels_data.h"
#include "core/macro_update.h"
#include "core/prof_features_data.h"
#include "core/section_library.h"
#include "core/section_tables.h"
#include "core/settings.h"
#include "core/text.h"
#include "cuttingstock/dlg_csp2.h"
#include "designer/dlg_designer.h"
#include "dialogs/dlg_cis2.h"
#include "dialogs/dlg_cladding.h"
#include "dialogs/dlg_dstv_groups.h"
#include "dialogs/dlg_grid.h"
#include "dialogs/dlg_levels.h"
#include "dialogs/dlg_look_up.h"
#include "dialogs/dlg_prof_cuts.h"
#include "dialogs/dlg_prof_features.h"
#include "dialogs/dlg_select_image.h"
#include "host/command_line.h"
#include "macrodlg/dlg_bolt_advanced.h"
#include "macrodlg/dlg_macro_cuts.h"
#include "macrodlg/dlg_pattern_settings.h"
#include "macrodlg/dlg_prof_segmented.h"
#include "sections/dlg_section_library.h"
#include "sshost/evaluation_report.h"
#include "sshost/macro_standard.h"
#include "standards/dlg_gen_vars.h"
#include "ui/dlg_select_prof.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"

namespace sshost::gui {
namespace {

void print(const std::string& utf8) {
    host::CommandLine::instance().print(core::fromUtf8(utf8));
}

Zrk_String standardsFolder() {
    return gSettings.libDir + "Connection Standards/";
}

// Evaluates one standard for the macro with the library's general variables that apply to it, and
// shows its variables on the command line; a failure is said there and in a message box (nothing of
// it is written).
bool runStandard(ActionContext& context, Zrk_DbMacro& macro, MacroStandard standard) {
    const std::string macroName = core::toUtf8(macro.macro()->name);
    print("Command: standards " + core::toUtf8(standard.sheet) + " for " + macroName + "\n");
    KvVarCells variables;
    std::ostringstream problems;
    std::string failure;
    int status = kExitNotEvaluated;
    if (libraryGeneralVariables(context.document, *macro.macro(), standard.genVarNames, standard.genVarValues,
                                failure)) {
        for (int i = 0; i < standard.genVarNames.length(); ++i)
            print("  General " + core::toUtf8(standard.genVarNames[i]) + " = " +
                  core::toUtf8(standard.genVarValues[i]) + "\n");
        status = evaluateMacroStandard(context.document, macro, standard, variables, problems, failure);
    }
    print(problems.str());
    if (status != 0) {
        print("sshost: " + failure + "\n");
        ui::messageBox(core::fromUtf8(failure), {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
        return false;
    }
    for (const KvVarCell& cell : variables.cells)
        print(std::string("  ") + variableRoleName(cell.role) + ' ' + core::toUtf8(cell.name) + " = " +
              core::toUtf8(cell.value) + "\n");
    return true;
}

void runChosenStandard(ActionContext& context) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    if (!macro) return;
    ui::FileDialogRequest request;
    request.title = "Standards spreadsheet for " + macro->macro()->name;
    request.filterName = "Standards spreadsheets";
    request.extension = "kvs";
    request.startFolder = standardsFolder();
    Zrk_String path;
    if (!ui::getOpenFileName(request, path, context.window)) return;
    MacroStandard standard;
    standard.sheet = path;
    runStandard(context, *macro, standard);
}

// The standard of a row of the macro's settings.
MacroStandard listedStandard(const TabMappingData& listed, int row) {
    MacroStandard standard;
    standard.sheet = listed.ssNames[row];
    // "" maps the entire macro without a record of its own: by the macro's name.
    standard.key = listed.mappingRefs.isValid(row) ? listed.mappingRefs[row] : Zrk_String();
    return standard;
}

// The standards the macro's settings list, in order (the first that fails ends the run); a macro
// without any asks for the spreadsheet.
void runMacroStandards(ActionContext& context) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    if (!macro) return;
    const TabMappingData listed = macro->macro()->settings.tabMapping;
    if (listed.ssNames.isEmpty()) {
        runChosenStandard(context);
        return;
    }
    for (int i = 0; i < listed.ssNames.length(); ++i)
        if (!runStandard(context, *macro, listedStandard(listed, i))) return;
}

void runOneListedStandard(ActionContext& context) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    if (!macro || !macro->macro()->settings.tabMapping.ssNames.isValid(context.object.index)) return;
    runStandard(context, *macro, listedStandard(macro->macro()->settings.tabMapping, context.object.index));
}

// The settings dialog writes the macro's settings itself, as one undo step.
void editStandardsMapping(ActionContext& context) {
    StartDlgMacroSettings(context.object.owner, DlgMacroSettings::kStandardsPage);
}

void editMacroSettings(ActionContext& context) {
    StartDlgMacroSettings(context.object.owner);
}

// The constraint dialog changes the drawing as it goes, each operation one undo step.
void editConstraints(ActionContext& context) {
    EditConstrData data = constraintRecordOf(context.object.owner);
    StartDlgEditConstrModal(data);
}

// The section chooser, starting from the section given; true with the chosen one.
bool chooseSection(ActionContext& context, Zrk_String& section) {
    DlgSelectProf chooser(context.window);
    chooser.data.section = section;
    if (chooser.doModal() != ui::IDOK || chooser.data.section == section) return false;
    section = chooser.data.section;
    return true;
}

void changeProfileSection(ActionContext& context) {
    Zrk_DbProfile* profile = context.document.database().findProfile(context.object.owner);
    if (!profile) return;
    Zrk_String section = profile->profile()->props.sectionName;
    if (!chooseSection(context, section)) return;
    host::TransactionManager& transactions = context.document.transactionManager();
    if (!transactions.startTransaction()) return;
    profile->profileWrite()->props.sectionName = section;
    transactions.endTransaction();
    print("Profile " + core::toUtf8(profile->profile()->name) + ": section " + core::toUtf8(section) + "\n");
}

void changeBaseProfileSection(ActionContext& context) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    const int index = context.object.index;
    if (!macro || !macro->macro()->baseProfiles.isValid(index)) return;
    Zrk_String section = macro->macro()->baseProfiles[index].sectionName;
    if (!chooseSection(context, section)) return;
    host::TransactionManager& transactions = context.document.transactionManager();
    AcTransaction* transaction = transactions.startTransaction();
    Zrk_DbMacro* writable = nullptr;
    if (!transaction ||
        transaction->getObject(writable, macro->objectId(), host::OpenMode::forWrite) != Acad::eOk) {
        if (transaction) transactions.abortTransaction();
        return;
    }
    writable->macroWrite()->baseProfiles[index].sectionName = section;
    transactions.endTransaction();
    print("Macro " + core::toUtf8(macro->macro()->name) + ", Prof" + std::to_string(index) + ": section " +
          core::toUtf8(section) + "\n");
}

void editSectionLibrary(ActionContext& context) {
    DlgEditLibData data;
    Zrk_String message;
    if (!data.readFromLibrary(&message)) {
        ui::messageBox(asSentence(message), {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
        return;
    }
    if (!StartDlgEditLibSections(data, {})) return;
    if (!data.writeToLibrary(&message)) {
        ui::messageBox(asSentence(message), {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
        return;
    }
    print("Section library written: " + core::toUtf8(DlgEditLibData::libraryFilePath()) + "\n");
}

void editGeneralVariables(ActionContext& context) {
    const Zrk_String path = KvAutoStandardsData::libraryFile(gSettings.libDir);
    KvAutoStandardsData data;
    Zrk_String message;
    if (!data.readFromFile(path, &message)) {
        ui::messageBox(asSentence(message), {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
        return;
    }
    if (!StartDlgGenVars(data)) return;
    if (!data.writeToFile(path)) {
        ui::messageBox("The general variables could not be written to " + path + ".", {},
                       ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
        return;
    }
    print("General variables written: " + core::toUtf8(path) + "\n");
}

// The groups dialog writes the library's DSTV point files as the person changes them.
void editDstvPoints(ActionContext&) {
    StartDSTVPointsDlg();
}

// The cuts of the profile: deleted in the drawing at once, each one undo step.
void editProfileCuts(ActionContext& context) {
    DlgProfCutsData cuts;
    cuts.profileId = context.object.owner;
    StartEditProfCutsDlg(cuts);
}

// The library's cutting-stock groups; on OK the changed rows are written back to their files.
void editCuttingStock(ActionContext& context) {
    DlgCSP2Data data = CuttingStockLibrary::newRecord(false);
    CuttingStockLibrary library;
    Zrk_String message;
    if (!library.read(data, &message)) {
        ui::messageBox(asSentence(message), {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
        return;
    }
    if (!StartDlgCSP2(data)) return;
    Zrk_StringArray written;
    const bool ok = library.writeBack(data, written, &message);
    for (const Zrk_String& path : written)
        print("Cutting stock written: " + core::toUtf8(path) + "\n");
    if (!ok) ui::messageBox(asSentence(message), {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
}

// The designer writes a template only when the person saves it there.
void openDesigner(ActionContext&) {
    StartDlgDesigner({});
}

void designModuleTemplate(ActionContext& context) {
    const Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    const Zrk_Module* module = macro ? macro->macro()->findModule(context.object.module) : nullptr;
    if (!module) return;
    if (module->templatePath.empty()) {
        ui::messageBox("The module " + module->name + " has no dialog template.", {},
                       ui::MB_OK | ui::MB_ICONINFORMATION, context.window);
        return;
    }
    StartDlgDesigner(gSettings.libDir + module->templatePath);
}

// The sections of the library's tables, by system name: what the cladding and bracing settings offer.
Zrk_StringArray librarySections() {
    Zrk_StringArray sections;
    Zrk_StringArray tables;
    gSectionTables.getTableNames(tables);
    for (const Zrk_String& table : tables) {
        Zrk_StringArray names;
        Zrk_StringArray shown;
        if (gSectionTables.getTableSections(table, names, shown) == Acad::eOk) sections.append(names);
    }
    return sections;
}

// The cladding and bracing settings are what the product's generators ask before they place members;
// the window keeps one record of each for its session, so that the person's last choices come back.
void editCladdingSettings(ActionContext&) {
    static KvCladdingDlgData data;
    data.sections = librarySections();
    if (!StartDlgCladdingSettings(data)) return;
    print("Cladding settings: " + core::toUtf8(claddingSummary(data)) + "\n");
}

void editBracing(ActionContext&) {
    static KvBracingDlgData data;
    data.sections = librarySections();
    if (!StartDlgBracing(data)) return;
    print("Bracing: " + core::toUtf8(bracingSummary(data)) + "\n");
}

// Writes a cut the cuts dialog accepted into the drawing, in one transaction; a cut that cannot be
// written is said, and the drawing stays as it was.
void applyCut(ActionContext& context, const DlgMacroCutsData& data) {
    host::TransactionManager& transactions = context.document.transactionManager();
    if (!transactions.startTransaction()) return;
    if (!data.apply()) {
        transactions.abortTransaction();
        ui::messageBox("The cut " + data.cut.name + " could not be written into the module " +
                           data.moduleName + ".",
                       {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, context.window);
        return;
    }
    transactions.endTransaction();
    print("Macro cut " + core::toUtf8(data.cut.name) + " of " + core::toUtf8(data.moduleName) + " written\n");
}

void editMacroCut(ActionContext& context) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    const Zrk_Module* module = macro ? macro->macro()->findModule(context.object.module) : nullptr;
    const Zrk_CutConstraint* cut = nullptr;
    if (module)
        for (const Zrk_CutConstraint& each : module->cuts)
            if (each.name == context.object.name) cut = &each;
    if (!cut) return;
    DlgMacroCutsData data = DlgMacroCutsData::forCut(*cut, module->name);
    data.macroIds = {macro->objectId()};
    bool escaped = false;
    if (StartDlgMacroCuts(data, escaped)) applyCut(context, data);
}

void addMacroCut(ActionContext& context) {
    const Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    if (!macro) return;
    DlgMacroCutsData data;
    data.macroIds = {macro->objectId()};
    data.fillModuleNames();
    data.moduleName = context.object.module;
    data.cut = Zrk_CutConstraint::ofType("", core::kCutProfVsPlate);
    data.GetDefaultValues(core::kCutProfVsPlate, data.offsetNames, data.offsetValues, data.offsetFlags);
    bool escaped = false;
    if (StartDlgMacroCuts(data, escaped)) applyCut(context, data);
}

// The drawing's building levels: what the person accepts is written into the drawing (one undo step).
void editLevels(ActionContext& context) {
    if (!context.document.isOpen()) {
        ui::messageBox("Open a drawing first: the levels are the drawing's.", {},
                       ui::MB_OK | ui::MB_ICONINFORMATION, context.window);
        return;
    }
    KvLevelsDlgData levels;
    if (levels.initialize(nullptr) != Acad::eOk) return;
    const Zrk_Array<Zrk_Level> before = levels.levels;
    if (!StartDlgLevels(levels) || levels.levels == before) return;
    if (levels.setRealLevels() != Acad::eOk) return;
    Zrk_StringArray names;
    levels.getNames(names);
    const Zrk_String listed = names.isEmpty() ? Zrk_String("none") : arrToStr(names, ',');
    print("Levels of the drawing: " + core::toUtf8(listed) + "\n");
}

// The records other modules of the product hand in; the window keeps one of each for its session, so
// that the person's last choices come back.
void editGridRecord(ActionContext&) {
    static KvGridDlgData data;
    if (!StartDlgGrid(data)) return;
    print("Structural grid: " + core::toUtf8(gridSummary(data)) + "\n");
}

void editLookUpRecord(ActionContext&) {
    static KvLookUpDlgData data;
    if (!StartDlgLookUp(data)) return;
    print("Look-up: " + core::toUtf8(lookUpSummary(data)) + "\n");
}

// A column's features over the open drawing's levels ("Levels..." edits them in the drawing).
void editProfileFeatures(ActionContext&) {
    static DlgProfFeaturesData features = [] {
        DlgProfFeaturesData column;
        column.title = "Column features";
        column.values[0] = {"Section:", "HEA 200"};
        column.values[2] = {"Height:", "3500"};
        column.thirdAlternative = {"Top level:", "", true};
        column.checkCaption = "Up to a level";
        return column;
    }();
    features.getAllLevels();
    if (!features.levelNames.isEmpty() && findString(features.levelNames, features.level, true) < 0)
        features.level = features.levelNames[0];
    if (!StartDlgProfFeatures(features)) return;
    const DlgProfFeatureValue& third = features.third();
    print("Profile features: level " + core::toUtf8(features.level) + ", section " +
          core::toUtf8(features.values[0].value) + ", " + core::toUtf8(third.label) + " " +
          core::toUtf8(third.value) + "\n");
}

// The CIS/2 export options; their "Section names..." edits the library's translation file.
void editCis2Options(ActionContext&) {
    static KvDlgCis2Data data;
    if (!StartDlgCis2Info(data)) return;
    print("CIS/2 export: " + core::toUtf8(cis2Summary(data)) + "\n");
}

// The pictures of the library's "Images/" folder, the last one chosen chosen again.
void choosePicture(ActionContext& context) {
    static KvSelectImageDlgData data;
    const Zrk_String folder = gSettings.libDir + DlgSelectImage::kLibraryImagesFolder;
    data.images.removeAll();
    ObjectExportFindFilesRecursive(folder, "*.png", data.images);
    if (data.images.isEmpty()) {
        ui::messageBox("There are no pictures in " + folder + ".", {}, ui::MB_OK | ui::MB_ICONINFORMATION,
                       context.window);
        return;
    }
    if (!StartDlgSelectImage(data)) return;
    print("Picture chosen: " + core::toUtf8(data.selection) + "\n");
}

// The macro dialog data over the entry's macro, and the tab of the entry's module; null when the
// macro or module is gone.
MacroTabData* tabOfEntry(ActionContext& context, MacroData& data) {
    Zrk_DbMacro* macro = context.document.database().findMacro(context.object.owner);
    const Zrk_Module* module = macro ? macro->macro()->findModule(context.object.module) : nullptr;
    if (!module || !data.initFromMacros({macro->objectId()})) return nullptr;
    return data.findTabOfModule(*module);
}

// The bolt and pattern dialogs apply each change as it is made (each one undo step), so they need no
// writing afterwards; the segmented profiles are written on OK.
void editBoltRecord(ActionContext& context) {
    MacroData data;
    MacroTabData* tab = tabOfEntry(context, data);
    if (!tab || !tab->boltData) {
        ui::messageBox("The module " + context.object.module + " has no bolt record.", {},
                       ui::MB_OK | ui::MB_ICONINFORMATION, context.window);
        return;
    }
    const Zrk_String tabName = tab->name;
    MacroBoltData bolt = *tab->boltData;
    Zrk_StringArray diameters;
    GetMergedDiameters(data, tabName, diameters);
    MacroDataLink link(data, tabName);
    StartDlgMacroBoltAdvanced(bolt, diameters, &link);
    print("Bolt record of " + core::toUtf8(tabName) + ": " + std::to_string(link.changes()) + " change(s) applied\n");
}

void editPatternSettings(ActionContext& context) {
    MacroData data;
    MacroTabData* tab = tabOfEntry(context, data);
    int index = -1;
    if (!tab || !tab->findPatternWithName(context.object.name, index)) return;
    const Zrk_String tabName = tab->name;
    Zrk_BoltPattern pattern = tab->patterns[index];
    MacroDataLink link(data, tabName);
    StartDlgPatternSettings(pattern, &link);
    print("Pattern " + core::toUtf8(pattern.name) + ": " + std::to_string(link.changes()) + " change(s) applied\n");
}

void editSegmentedProfiles(ActionContext& context) {
    MacroData data;
    MacroTabData* tab = tabOfEntry(context, data);
    if (!tab || tab->segments.isEmpty()) {
        ui::messageBox("The module " + context.object.module + " has no segmented profiles.", {},
                       ui::MB_OK | ui::MB_ICONINFORMATION, context.window);
        return;
    }
    const Zrk_String tabName = tab->name;
    if (!StartDlgProfSegmented(tab->segments)) return;
    if (UpdateModule(tabName, data, {core::kChangeSegments}, {}))
        print("Segmented profiles of " + core::toUtf8(tabName) + " written\n");
}

} // namespace

const std::vector<WindowAction>& windowActions() {
    static const std::vector<WindowAction> actions = {
        {"Macro", "Run standards", TreeKind::Macro, &runMacroStandards},
        {"Macro", "Run a standard...", TreeKind::Macro, &runChosenStandard},
        {"Macro", "Macro settings...", TreeKind::Macro, &editMacroSettings},
        {"Macro", "Constraints...", TreeKind::Macro, &editConstraints},
        {"Macro", "Standards mapping...", TreeKind::Macro, &editStandardsMapping},
        {"Macro", "Run this standard", TreeKind::Standard, &runOneListedStandard},
        {"Macro", "Design the module's template...", TreeKind::Module, &designModuleTemplate},
        {"Macro", "Add a cut...", TreeKind::Module, &addMacroCut},
        {"Macro", "Edit cut...", TreeKind::Cut, &editMacroCut},
        {"Macro", "Bolt settings...", TreeKind::Module, &editBoltRecord},
        {"Macro", "Segmented profiles...", TreeKind::Module, &editSegmentedProfiles},
        {"Macro", "Pattern settings...", TreeKind::Pattern, &editPatternSettings},
        {"Macro", "Change base profile section...", TreeKind::BaseProfile, &changeBaseProfileSection},
        {"Profile", "Change section...", TreeKind::Profile, &changeProfileSection},
        {"Profile", "Cuts...", TreeKind::Profile, &editProfileCuts},
        {"Library", "Section library...", TreeKind::None, &editSectionLibrary},
        {"Library", "General variables...", TreeKind::None, &editGeneralVariables},
        {"Library", "DSTV points...", TreeKind::None, &editDstvPoints},
        {"Library", "Dialog designer...", TreeKind::None, &openDesigner},
        {"Library", "Pictures...", TreeKind::None, &choosePicture},
        {"Library", "Cutting stock input...", TreeKind::None, &editCuttingStock},
        {"Settings", "Cladding...", TreeKind::None, &editCladdingSettings},
        {"Settings", "Bracing...", TreeKind::None, &editBracing},
        {"Settings", "CIS/2 export...", TreeKind::None, &editCis2Options},
        {"Drawing", "Building levels...", TreeKind::None, &editLevels},
        {"Drawing", "Edit levels...", TreeKind::Level, &editLevels},
        {"Records", "Structural grid...", TreeKind::None, &editGridRecord},
        {"Records", "Look up...", TreeKind::None, &editLookUpRecord},
        {"Records", "Profile features...", TreeKind::None, &editProfileFeatures},
    };
    return actions;
}

bool applies(const WindowAction& action, const TreeObject& object, bool drawingOpen) {
    if (action.appliesTo == TreeKind::None) return true;
    return drawingOpen && action.appliesTo == object.kind;
}

} // namespace sshost::gui
