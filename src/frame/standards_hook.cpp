// The core library runs the standards of a macro (MacroData::loadFromStandards) through a hook, and
// the standards engine runs its sheets on host dialogs the frame lends it through another; the module
// installs both while it is loaded, so that neither outlives the code it calls.

#include "core/drawing.h"
#include "core/macro_update.h"
#include "core/text.h"
#include "frame/standards_entry.h"
#include "host/document.h"
#include "standards/evaluation_chain.h"
#include "standards/host_dialogs.h"
#include "standards/standards_data.h"

namespace {

bool runStandardForMacro(AcDbObjectId macroId, MacroData& data, const Zrk_String& sheet,
                         const Zrk_String& mappingRef, Zrk_String& failure) {
    core::Drawing* drawing = core::workingDrawing();
    Zrk_DbMacro* macro = drawing ? drawing->findMacro(macroId) : nullptr;
    if (!macro) {
        failure = "The macro is not in the drawing.";
        return false;
    }
    if (mappingRef.empty()) {
        failure = "The standard " + sheet + " has no mapping for the macro " + macro->macro()->name + " yet.";
        return false;
    }
    KvDlgStandardsData standards;
    if (standards.initialize(macro, sheet, mappingRef, &data) != Acad::eOk) return false;
    // The macro's own general variables feed the sheet's "gen_" names.
    for (const Zrk_GenVariable& variable : macro->macro()->genVars) {
        standards.genVarNames.append(variable.name);
        standards.genVarValues.append(doubleToStr(variable.value, 8));
    }
    // The engine works inside the host's transaction: the one open, or one of its own.
    host::Document& document = host::Document::current();
    if (&document.database() != drawing) {
        failure = "The macro is not in the drawing the host shows.";
        return false;
    }
    host::TransactionManager& transactions = document.transactionManager();
    standards.transaction = transactions.topTransaction();
    const bool ownTransaction = standards.transaction == nullptr;
    if (ownTransaction) standards.transaction = transactions.startTransaction();
    const bool evaluated = StartDlgStandardsSS(standards);
    if (ownTransaction) evaluated ? transactions.endTransaction() : transactions.abortTransaction();
    if (evaluated) return true;
    failure = standards::lastFailure();
    if (failure.empty()) failure = "The evaluation of " + sheet + " failed.";
    return false;
}

struct StandardsHookInstaller {
    StandardsHookInstaller() {
        core::setStandardsHook(&runStandardForMacro);
        standards::setHostDialogLender(&frame::lendStandardsHostDialog);
    }
    ~StandardsHookInstaller() {
        core::setStandardsHook(nullptr);
        standards::setHostDialogLender(nullptr);
    }
} gStandardsHook;

} // namespace
