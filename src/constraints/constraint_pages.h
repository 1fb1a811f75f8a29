#pragma once
// The constraint dialog's three editing pages: the constraint list (template 207), the geometry
// (template 8135) and the variables and equations (template 8099). The dialog knows them only as
// ConstraintEditingPage and gets them from the three factories below; a page of its own replaces the
// empty page its factory makes now (constraint_pages.cpp).

#include <memory>

#include "core/edit_constr_data.h"
#include "ui/dialog.h"

class ConstraintEditingPage : public ui::Dialog {
public:
    explicit ConstraintEditingPage(int templateId) : ui::Dialog(templateId) {}
    // The dialog's record, set before create().
    EditConstrData* data = nullptr;
    // Shows the record's lists for the current module.
    virtual void refresh() {}
    // Writes what the person edited on the page into the record (and through the core library's
    // operations into the drawing).
    virtual void store() {}
};

std::unique_ptr<ConstraintEditingPage> makeConstraintListPage();
std::unique_ptr<ConstraintEditingPage> makeGeometryPage();
std::unique_ptr<ConstraintEditingPage> makeVariablesPage();
