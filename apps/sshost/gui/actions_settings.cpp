// The records the product's other modules hand in (cladding, bracing, CIS/2, grid, look-up, profile
// features) and the drawing's building levels.
#include "sshost/gui/actions.h"

#include "core/levels_data.h"
#include "core/prof_features_data.h"
#include "core/section_tables.h"
#include "core/text.h"
#include "dialogs/dlg_cis2.h"
#include "dialogs/dlg_cladding.h"
#include "dialogs/dlg_grid.h"
#include "dialogs/dlg_levels.h"
#include "dialogs/dlg_look_up.h"
#include "dialogs/dlg_prof_features.h"
#include "ui/message_box.h"

namespace sshost::gui {
namespace {

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

} // namespace

std::vector<WindowAction> settingsActions() {
    return {
        {"Settings", "Cladding...", TreeKind::None, &editCladdingSettings},
        {"Settings", "Bracing...", TreeKind::None, &editBracing},
        {"Settings", "CIS/2 export...", TreeKind::None, &editCis2Options},
        {"Settings", "Structural grid...", TreeKind::None, &editGridRecord},
        {"Settings", "Look up...", TreeKind::None, &editLookUpRecord},
        {"Settings", "Profile features...", TreeKind::None, &editProfileFeatures},
        {"Drawing", "Building levels...", TreeKind::None, &editLevels},
        {"Drawing", "Edit levels...", TreeKind::Level, &editLevels},
    };
}

} // namespace sshost::gui
