// The profiles of the drawing and the base profiles of a macro: their sections and cuts.
#include "sshost/gui/actions.h"

#include "core/text.h"
#include "dialogs/dlg_prof_cuts.h"
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

} // namespace

std::vector<WindowAction> profileActions() {
    return {
        {"Macro", "Change base profile section...", TreeKind::BaseProfile, &changeBaseProfileSection},
        {"Profile", "Change section...", TreeKind::Profile, &changeProfileSection},
        {"Profile", "Cuts...", TreeKind::Profile, &editProfileCuts},
    };
}

} // namespace sshost::gui
