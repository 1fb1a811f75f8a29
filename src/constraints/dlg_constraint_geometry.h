#pragma once
// The geometry page of the constraint dialog (template 8135): the current module's geometry objects
// in a grid of five columns (kind, id, name tag, flexibility, constrained).
//
//   name tags      typed into column 3; written into the drawing (SetNameTags) when the dialog
//                  stores its pages; until then they stay on the page, also when the list is filled
//                  again after another change
//   flexibility    the drop-down of column 4 changes the object's flexibility at once
//   constrained    the check box of column 5 switches it at once, for objects whose flag is 0 or 1
//                  (an object the macro holds does not react)
//   selecting      a row highlights its object in the drawing (the previous one loses it) and starts
//                  the highlight period
//
// Leaving the page and its end take the highlight away.

#include "constraints/constraint_pages.h"
#include "module/export.h"
#include "spread/zrk_spread.h"

class SS_EXPORT ConstraintGeometryPage : public ConstraintEditingPage {
public:
    static constexpr int kTemplate = 8135;
    static constexpr int kGrid = 1210;
    enum Column { kKindColumn = 1, kIdColumn, kTagColumn, kFlexColumn, kConstrainedColumn, kColumns = 5 };

    ConstraintGeometryPage() : ConstraintEditingPage(kTemplate) {}

    Zrk_Spread grid;

    void refresh() override;
    void store() override;
    void leave() override;

    // The row (from 1) whose object is highlighted, 0 for none.
    int selectedRow() const { return selectedRow_; }
    void selectRow(int row);

protected:
    bool onInitDialog() override;
    bool onNotify(int id, int code, const void* details) override;
    bool preTranslateKey(const ui::KeyPress& key) override;
    void onDestroy() override;

private:
    void fill();
    // The name tags as the grid shows them, one an object of the record.
    Zrk_StringArray shownTags();
    void changeFlexibility(int row);
    void switchConstrained(int row);

    bool initialised_ = false;
    AcArray<AcDbObjectId> shownIds_; // the object of each row, as the grid was filled
    int selectedRow_ = 0;
    bool swallowEscape_ = false; // nothing on this page swallows an Escape
};
