// The profiles of the drawing and the base profiles of a macro: their sections and cuts.
#include "sshost/gui/actions.h"

#include "core/section_tables.h"
#include "core/text.h"
#include "dialogs/dlg_prof_cuts.h"
#include "sections/dlg_add_section.h"
#include "sections/prof_values_table.h"
#include "ui/dlg_select_prof.h"

namespace sshost::gui {
namespace {

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

// The cuts of the profile: deleted in the drawing at once, each one undo step.
void editProfileCuts(ActionContext& context) {
    DlgProfCutsData cuts;
    cuts.profileId = context.object.owner;
    StartEditProfCutsDlg(cuts);
}

// A new size for the library table of the profile's section, started from that section (the
// add-section dialog). On OK the table file is written and the table handed to the library's tables,
// so that the new size can be chosen at once.
void addSectionLikeProfiles(ActionContext& context) {
    const Zrk_DbProfile* profile = context.document.database().findProfile(context.object.owner);
    if (!profile) return;
    const Zrk_String section = profile->profile()->props.sectionName;
    Zrk_String tableName, sysName;
    if (!gSectionTables.getTableOfSection(section, tableName) ||
        !gSectionTables.getSystemName(section, sysName)) {
        warn(context, "The section " + section + " is in none of the library's section tables");
        return;
    }
    Zrk_ProfValuesTable table;
    Zrk_String message;
    if (!table.readFromFile(tableName, &message)) {
        warn(context, message);
        return;
    }
    // A system name is the table's name, '-' and the row's own name ("HEA-200" is row "200" of HEA).
    const Zrk_String prefix = table.tableName + "-";
    const Zrk_String rowName = sysName.starts_with(prefix) ? sysName.substr(prefix.size()) : sysName;
    int newIndex = -1;
    if (!StartDlgEditLibSimple(rowName, table, newIndex)) return;
    const Zrk_String path = Zrk_ProfValuesTable::filePath(tableName);
    if (!table.writeToFile(tableName)) {
        warn(context, "The section table " + path + " could not be written; it is unchanged");
        return;
    }
    table.setToGlobals(&gSectionTables);
    print("Section table " + core::toUtf8(tableName) + " written: " + core::toUtf8(path) + "\n");
}

} // namespace

std::vector<WindowAction> profileActions() {
    return {
        {"Macro", "Change base profile section...", TreeKind::BaseProfile, &changeBaseProfileSection},
        {"Profile", "Change section...", TreeKind::Profile, &changeProfileSection},
        {"Profile", "Cuts...", TreeKind::Profile, &editProfileCuts},
        {"Profile", "Add a section like this one...", TreeKind::Profile, &addSectionLikeProfiles},
    };
}

} // namespace sshost::gui
