// The editing pages of the constraint dialog, empty for now: each an empty child page of its own
// template, which refreshes and stores nothing. A real page registers its template and is made here
// instead.

#include "constraints/constraint_pages.h"

#include "frame/module_resources.h"

namespace {

constexpr int kListTemplate = 207;
constexpr int kGeometryTemplate = 8135;
constexpr int kVariablesTemplate = 8099;

const ui::DialogTemplate kListPage(kListTemplate, "", 280, 200, ui::dialogStyle::Child, {});
const ui::DialogTemplate kGeometryPage(kGeometryTemplate, "", 280, 200, ui::dialogStyle::Child, {});
const ui::DialogTemplate kVariablesPage(kVariablesTemplate, "", 280, 200, ui::dialogStyle::Child, {});

[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kListPage) &&
                                          frame::registerTemplate(kGeometryPage) &&
                                          frame::registerTemplate(kVariablesPage);

} // namespace

std::unique_ptr<ConstraintEditingPage> makeConstraintListPage() {
    return std::make_unique<ConstraintEditingPage>(kListTemplate);
}

std::unique_ptr<ConstraintEditingPage> makeGeometryPage() {
    return std::make_unique<ConstraintEditingPage>(kGeometryTemplate);
}

std::unique_ptr<ConstraintEditingPage> makeVariablesPage() {
    return std::make_unique<ConstraintEditingPage>(kVariablesTemplate);
}
