#pragma once
// The variables and equations page of the constraint dialog (template 8099): the current module's
// own variables (name, value, kind) in a grid with add and remove buttons, its dimension values
// (shown only), and its equations, one a line.
//
// The page is stored (the variables and equations handed to UpdateVarsEqs, which checks and
// computes them) when it is entered and when the dialog stores all its pages; leaving it for another
// tab keeps the edits on the page until then. A row left blank is no variable, a value that is no
// number counts as 0, blank lines between equations are dropped. Edits the core library refuses are
// said in a message and stay on the page for correction while the module stays the same.
// Escape on this page ends the dialog as its Close button does.

#include "constraints/constraint_pages.h"
#include "module/export.h"
#include "spread/zrk_spread.h"

class SS_EXPORT ConstraintVariablesPage : public ConstraintEditingPage {
public:
    static constexpr int kTemplate = 8099;
    static constexpr int kVariablesGroup = 1220, kVariables = 1221, kAdd = 1222, kRemove = 1223;
    static constexpr int kDimensionsGroup = 1224, kDimensions = 1225;
    static constexpr int kEquationsGroup = 1226, kEquations = 1227;

    ConstraintVariablesPage() : ConstraintEditingPage(kTemplate) {}

    Zrk_Spread variables;
    Zrk_Spread dimensions;

    void refresh() override;
    void store() override;

    // The equations as the record keeps them shown in the field, and the field read back: lines
    // end with a line feed or a carriage return (either, or both), blank ones are dropped.
    static Zrk_String joinEquations(const Zrk_StringArray& equations);
    static Zrk_StringArray splitEquations(const Zrk_String& text);

    void addRow();
    void removeRow();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool preTranslateKey(const ui::KeyPress& key) override;

private:
    void setKindCells(int firstRow, int lastRow);

    bool initialised_ = false;
    // A store the core library refused: the page keeps what the person typed for this module.
    bool refused_ = false;
    AcDbObjectId shownMacro_;
    Zrk_String shownModule_;
};
