// What the constraint dialog's editing pages share, and their factories.

#include "constraints/constraint_pages.h"

#include "constraints/dlg_constraint_geometry.h"
#include "constraints/dlg_constraint_list.h"
#include "constraints/dlg_constraint_variables.h"
#include "spread/zrk_spread.h"
#include "ui/timers.h"

bool runSteppedAside(ui::Dialog& dialog, const std::function<bool()>& operation) {
    dialog.BeginEditorCommand();
    const bool ok = operation();
    dialog.CompleteEditorCommand();
    return ok;
}

bool ConstraintEditingPage::inHighlightPeriod() const {
    return ui::hasWindowTimer(this, kHighlightTimer);
}

void ConstraintEditingPage::startHighlightPeriod() {
    setTimer(kHighlightTimer, kHighlightPeriod);
}

void ConstraintEditingPage::onTimer(int timerId) {
    // The period runs once.
    if (timerId == kHighlightTimer) killTimer(kHighlightTimer);
}

bool ConstraintEditingPage::handleEscape(const Zrk_Spread* grid, bool& swallowOnce) {
    if (inHighlightPeriod()) return !(grid && grid->getEditMode());
    if (swallowOnce) {
        swallowOnce = false;
        return true;
    }
    endDialogAsOK();
    return true;
}

void ConstraintEditingPage::endDialogAsOK() {
    if (ui::Dialog* dialog = ui::dialogOf(parentWidget())) dialog->sendCommand(ui::IDOK, ui::BN_CLICKED);
}

bool ConstraintEditingPage::interactive(const std::function<bool()>& operation) {
    ui::Dialog* dialog = ui::dialogOf(parentWidget());
    return dialog ? runSteppedAside(*dialog, operation) : operation();
}

std::unique_ptr<ConstraintEditingPage> makeConstraintListPage() {
    return std::make_unique<ConstraintListPage>();
}

std::unique_ptr<ConstraintEditingPage> makeGeometryPage() {
    return std::make_unique<ConstraintGeometryPage>();
}

std::unique_ptr<ConstraintEditingPage> makeVariablesPage() {
    return std::make_unique<ConstraintVariablesPage>();
}
