#pragma once
// The constraint dialog's three editing pages: the constraint list (template 207), the geometry
// (template 8135) and the variables and equations (template 8099). The dialog knows them only as
// ConstraintEditingPage and gets them from the three factories below.
//
// What the pages share:
//   - the highlight period: selecting a constraint or an object highlights it in the drawing and
//     starts a 2000 ms period (restarted by each selection) during which Escape belongs to the grid,
//     so that a person who just clicked does not end the dialog by pressing Escape in the grid;
//   - Escape otherwise ends the constraint dialog as its Close button does (the edits are stored);
//   - an operation that needs a pick in the drawing runs with the constraint dialog stepped aside.

#include <functional>
#include <memory>

#include "core/edit_constr_data.h"
#include "ui/dialog.h"

class Zrk_Spread;

class ConstraintEditingPage : public ui::Dialog {
public:
    static constexpr int kHighlightTimer = 1;
    static constexpr int kHighlightPeriod = 2000; // ms

    explicit ConstraintEditingPage(int templateId) : ui::Dialog(templateId) {}
    // The dialog's record, set before create().
    EditConstrData* data = nullptr;
    // Shows the record's lists for the current module.
    virtual void refresh() {}
    // Writes what the person edited on the page into the record (and through the core library's
    // operations into the drawing).
    virtual void store() {}
    // The page is no longer shown (another tab): the drawing loses the page's highlight.
    virtual void leave() {}

    // Whether the highlight period runs.
    bool inHighlightPeriod() const;

protected:
    void startHighlightPeriod();
    // What Escape does on the page: inside the highlight period it is the grid's (an open cell editor
    // takes it, otherwise nothing happens); outside, unless swallowed once, it ends the dialog as its
    // Close button does. Answers whether the key was used up here.
    bool handleEscape(const Zrk_Spread* grid, bool& swallowOnce);
    // Ends the constraint dialog the page lies in as its Close button does.
    void endDialogAsOK();
    // Runs an operation with the constraint dialog stepped aside (hidden, an editor command of the
    // host open); answers the operation's result.
    bool interactive(const std::function<bool()>& operation);
    void onTimer(int timerId) override;
};

// Runs operation with dialog stepped aside for a pick in the drawing, and shows it again whatever
// the outcome.
bool runSteppedAside(ui::Dialog& dialog, const std::function<bool()>& operation);

std::unique_ptr<ConstraintEditingPage> makeConstraintListPage();
std::unique_ptr<ConstraintEditingPage> makeGeometryPage();
std::unique_ptr<ConstraintEditingPage> makeVariablesPage();
