// Demonstrations of the section library's dialogs for the host shell (module/demo_dialogs.h), on the
// library (the sample library unless the shell names another). Nothing of the library is changed: the
// add-section dialog's result is not written, and the section library editor works on a temporary copy
// of the library's sections.

#include "core/text.h"
#include "module/demo_dialogs.h"
#include "module/temporary_library.h"
#include "sections/dlg_add_section.h"
#include "sections/dlg_section_library.h"

namespace {

Zrk_String demoSectionLibrary() {
    frame::TemporaryLibrary library({"prof", "User Sections"});
    if (!library.ok()) return "The library could not be copied into a temporary folder.";
    DlgEditLibData data;
    Zrk_String message;
    if (!data.readFromLibrary(&message)) return message;
    if (!StartDlgEditLibSections(data, Zrk_String())) return "Cancelled.";
    return "Accepted: " + intToStr(data.groups.length()) + " groups, " + intToStr(data.types.length()) +
           " types, " + intToStr(data.tableNames.length()) + " tables (on a copy of the library, not kept).";
}

// A new size for the angles, started from "L 40x40x4".
Zrk_String demoAddSection() {
    Zrk_ProfValuesTable table;
    Zrk_String message;
    if (!table.readFromFile("L", &message)) return "The angles cannot be read: " + message;
    int newIndex = -1;
    if (!StartDlgEditLibSimple("40x40x4", table, newIndex)) return "Cancelled.";
    Zrk_StringArray names;
    table.getFilteredSysNames(names);
    return "Added " + (names.isValid(newIndex) ? names[newIndex] : Zrk_String()) + " as active section " +
           intToStr(newIndex + 1) + " (not written: a demonstration).";
}

[[maybe_unused]] const bool kAddSection = frame::registerDemoDialog("add-section", &demoAddSection);
[[maybe_unused]] const bool kSectionLibrary =
    frame::registerDemoDialog("section-library", &demoSectionLibrary);

} // namespace
